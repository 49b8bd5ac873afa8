#pragma once
// The main window: the input property list on the left, the six result pages on the right, the
// commands in menus and a tool bar, the results state in the status bar. Every number comes from the
// calculation document, which the window observes and shows; the window itself calculates nothing.
#include "app/PropertyList.h"
#include "app/TCalcDocument.h"
#include "app/WindowRef.h"

#include <QList>
#include <QMainWindow>

#include <functional>
#include <optional>

struct TResultColumn;
class QAction;
class QLabel;
class TChartColor;
class TProfileEdForm;
class TProfileViewForm;
class QTabWidget;
class QTreeWidget;
class TEntryGrid;
class TLocalPage;
class TPlotPage;
class TResultPageWidget;
class TWindowPage;

// The profile dialogs and the chart colour dialog, each made once by the program when first used.
struct TProfileDialogs {
    TWindowRef<TProfileEdForm> Editor{};
    TWindowRef<TChartColor> ChartColors{};
    TWindowRef<TProfileViewForm> View{};
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Reads the settings (placement and inputs), sets up the property list and the document.
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The dialogs of the property list's rows, created once by the program after this window.
    void SetRowDialogs(const TRowDialogs& dialogs);
    // The profile dialogs; wires "Total Solar &Profile".
    void SetProfileDialogs(const TProfileDialogs& dialogs);
    // The caption for a version: "Quorvane - Version " and the version text, "Quorvane" alone when the
    // executable carries no version.
    void SetVersion(const QString& version);
    // Gives a command whose target comes later ("ActionReport", "ActionAbout", "ActionProfile") its
    // handler and enables it; until then it is in its menu, disabled.
    void WireCommand(const QString& actionName, std::function<void()> run);

    TCalcDocument& Document() { return FDoc; }
    TEntryGrid* Grid() const;
    QTabWidget* Pages() const { return FPages; }
    QTreeWidget* AnglesList() const;
    QTreeWidget* SolarList() const;
    QTreeWidget* SolAirList() const;
    QString StatusText() const;
    // The status bar's place panel: the picked place's name and the open project file's name.
    QString PlaceText() const;
    QAction* Action(const QString& objectName) const;

    // The commands (actions of menus and tool bar).
    void ActionSolveExecute();
    void ActionResetExecute();
    void ActionCopyExecute();
    void ActionLocationExecute();
    void ActionHelpExecute();
    void ActionLoadExecute();
    // Reads a project file (Open, or one named on the command line).
    void OpenProject(const QString& path);
    // Save writes the open project file; with none open it asks for a name as Save As does.
    void ActionSaveExecute();
    void ActionSaveAsExecute();
    void ActionCloseExecute();
    // The design days and orientations of the current site in the Design Peaks window.
    void ActionDesignPeaksExecute();
    // The working behind the Angles list's selected hour, else the hour nearest solar noon, in the
    // Calculation Details window; ShowCalcDetails for a given hour (a result row's menu).
    void ActionCalcDetailsExecute();
    void ShowCalcDetails(std::optional<int> hour);
    void ActionSunPositionExecute();
    // The Window page's command: the sunlit fractions of the recessed glass.
    void GenerateButtonClick();
    // The Local page's "Update Local Angles".
    void Label9Click();
    // A column heading of a result list (and "Total Solar &Profile"): the column's profile text to the
    // clipboard and its chart in the profile view; the ambient column opens the profile editor.
    void ShowColumnProfile(const TResultColumn& column);
    // The View menu's "Column Chart": what a click on the current heading of the page's list opens.
    void ShowCurrentColumnChart();
    // The View menu's "Ambient Profile...": what a click on the SolAir list's "Ambient" heading opens.
    void EditAmbientColumn();
    // The SolAir list's "Ambient" heading: the ambient profile in the profile editor, its cells in the
    // given format; the edited profile replaces it after Accept.
    void EditAmbientProfile(const QString& format);
    // The plot's "Color Settings": the chart colour dialog, then its colours on the plot.
    void ColorSettings2Click();
    // The chart colour dialog's colours on the plot.
    void ApplyChartColors();

    // Settings of the "Settings" section: the inputs and the window placement.
    void ReadSettings();
    void WriteSettings();
    // Says once that the settings file is not a regular file and the settings are not saved.
    void ShowSettingsNotice();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The command table, menus and tool bar (MainCommands.cpp).
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();

    void CreatePages();
    void ConnectDocument();
    void ForEachPage(void (TResultPageWidget::*event)());
    void FirstActivation();
    void ShowInput(TInputId id, double value);
    void ShowMessage(const QString& text);
    void CommitFocusedEdit();
    const TResultColumn* CurrentColumn() const;
    void ShowPlace();
    void SaveProjectAs();
    // After a project file was read or written: its name in the place panel, its folder kept for the
    // file dialogs of this run and the next.
    void ProjectDone(bool ok);
    template <class Page> Page* PageOf(TResultPage page) const;

    TCalcDocument FDoc;
    bool FFirstActivation = true;
    TProfileDialogs FProfileDialogs;

    bool FProjectOpen = false; // FileName is a project file read or written in this run
    TPropertyList* FGrid = nullptr;
    QLabel* FPlacePanel = nullptr;
    QTabWidget* FPages = nullptr;
    QList<TResultPageWidget*> FPageWidgets; // in the page control's order
};
