#pragma once
// The main window: the input property list on the left, the six result pages on the right, the
// commands in menus and a tool bar, the results state in the status bar. Every number comes from the
// calculation document, which the window observes and shows; the window itself calculates nothing.
#include "app/TCalcDocument.h"

#include <QMainWindow>

class QAction;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
class QStackedBarSeries;
class TEntryGrid;
class TSelectLocationForm;
class TxFEdit;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Reads the settings (placement and inputs), sets up the property list and the document.
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The location dialog, created once by the program after this window; not owned.
    void SetLocationDialog(TSelectLocationForm* dialog) { FLocationDialog = dialog; }

    TCalcDocument& Document() { return FDoc; }
    TEntryGrid* Grid() const { return FGrid; }
    QTabWidget* Pages() const { return FPages; }
    QTreeWidget* AnglesList() const { return FAnglesList; }
    QTreeWidget* SolarList() const { return FSolarList; }
    QTreeWidget* SolAirList() const { return FSolAirList; }
    QString StatusText() const;
    QAction* Action(const QString& objectName) const;

    // The commands (actions of menus and tool bar).
    void ActionSolveExecute();
    void ActionResetExecute();
    void ActionCopyExecute();
    void ActionLocationExecute();
    void ActionHelpExecute();
    void ActionLoadExecute();
    void ActionSaveExecute();
    // The Window page's command: the sunlit fractions of the recessed glass.
    void GenerateButtonClick();
    // The Local page's "Update Local Angles".
    void Label9Click();

    // The property list's commit event: stores the row's value in the document.
    void GridDoSetData(int ACol, int ARow);

    // Settings of the "Settings" section: the inputs and the window placement.
    void ReadSettings();
    void WriteSettings();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreatePropertyList();
    QWidget* CreateTablePage(QTreeWidget*& list, const QStringList& captions, int leftAligned);
    QWidget* CreatePlotPage();
    QWidget* CreateWindowPage();
    QWidget* CreateLocalPage();
    QWidget* CreateSolAirPage();
    void ConnectDocument();
    void FirstActivation();

    void ShowInput(TInputId id, double value);
    TxFEdit* GlassEditOf(TInputId id) const;
    void GlassEditExit(TxFEdit* box, TInputId id);
    void FillList(QTreeWidget* list, const QList<TResultRow>& rows);
    void FillPlot();
    void ShowLocalPage();
    void ShowAreaFactors();
    void ShowMessage(const QString& text);
    void CopyChart();
    void CommitFocusedEdit();

    TCalcDocument FDoc;
    TSelectLocationForm* FLocationDialog = nullptr;
    bool FFirstActivation = true;

    TEntryGrid* FGrid = nullptr;
    QTabWidget* FPages = nullptr;
    QTreeWidget* FAnglesList = nullptr;
    QTreeWidget* FSolarList = nullptr;
    QTreeWidget* FSolAirList = nullptr;
    QChartView* FChartView = nullptr;
    QStackedBarSeries* FBars = nullptr;
    TxFEdit* FGlassHeightEdit = nullptr;
    TxFEdit* FGlassWidthEdit = nullptr;
    TxFEdit* FGlassDepthEdit = nullptr;
    QPlainTextEdit* FAreaFactorMemo = nullptr;
    QLineEdit* FSunriseEdit = nullptr;
    QLineEdit* FSunsetEdit = nullptr;
    QLineEdit* FSolDecEdit = nullptr;
    QLineEdit* FEqnTimeEdit = nullptr;
    QLineEdit* FClockTimeEdit = nullptr;
    QRadioButton* FClockTimeRadio = nullptr;
    QRadioButton* FSolarTimeRadio = nullptr;
    QPlainTextEdit* FLocalMemo = nullptr;
    QComboBox* FSurfaceColourBox = nullptr;
};
