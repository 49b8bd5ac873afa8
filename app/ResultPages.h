#pragma once
// The six result pages of the main window, each a widget over the calculation document: it shows what
// the document holds when told that a part of it changed, and passes the user's page-local choices back
// to the document. A page makes its controls when it first shows (or when one is asked for), so
// start-up builds only the page in front and a solve fills only pages that were built. The page table
// gives their order, tab captions, View-menu captions and builders.
#include "app/TCalcDocument.h"

#include <QPlainTextEdit>
#include <QWidget>

#include <functional>
#include <memory>

struct TChartColors;
struct TResultColumn;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QTreeWidget;
class TxFEdit;
class TStackedBarPlot;

// A result page; the document changes each reacts to once its controls are built.
class TResultPageWidget : public QWidget {
    Q_OBJECT
public:
    explicit TResultPageWidget(TCalcDocument& doc, QWidget* parent = nullptr);

    virtual void SolveFinished() {}      // profiles, Angles and Solar rows
    virtual void SolAirChanged() {}      // sol-air profile and rows
    virtual void LocalChanged() {}       // Local page fields, time text, lines
    virtual void AreaFactorsChanged() {} // window-shading fractions

    // Makes the controls, once, and shows in them what the document holds.
    void EnsureBuilt();
    // Passes a change of the document on to the page: at once while it shows, else when it next does.
    void Changed(void (TResultPageWidget::*event)());
    bool IsBuilt() const { return FBuilt; }
    // Results out of date: the page's result controls are greyed until the next solve.
    void SetOutOfDate(bool outOfDate);
    bool OutOfDate() const { return FOutOfDate; }

    // A click on a value column's heading of one of the page's lists (or Return on the focused heading).
    std::function<void(const TResultColumn& column)> OnColumnClick;
    // The column of the heading last clicked or moved to on the page's list; null on a page without a
    // list, or when that heading is "CT".
    const TResultColumn* CurrentColumn();

protected:
    // Makes the page's controls; the document's state follows through the change events above.
    virtual void Build() = 0;
    void showEvent(QShowEvent* event) override;
    // Clicks on the list's value headings fire OnColumnClick with the page's columns; "CT" does nothing.
    void ConnectColumnClicks(QTreeWidget* list, TResultPage page);
    // A control that shows results of the solve, greyed while they are out of date.
    void AddResultControl(QWidget* control);

    TCalcDocument& FDoc;

private:
    const TResultColumn* ColumnAt(int section) const;

    QTreeWidget* FColumnList = nullptr; // the list whose headings show column profiles
    TResultPage FColumnPage = pgAngles;
    void ShowOutOfDate();

    QList<QWidget*> FResultControls;
    bool FOutOfDate = false;
    bool FBuilt = false;
    bool FStale = false; // a change reached the page while it was out of sight
};

// One row of the page table, in the page control's order.
struct TPageSpec {
    TResultPage Page;
    const char* Tab;         // tab caption
    const char* ViewCaption; // item of the View menu
    std::function<TResultPageWidget*(TCalcDocument&)> Build;
};
const QList<TPageSpec>& ResultPageTable();

// A read-only report-style list of result rows (Angles, Solar; and the list of the SolAir page).
QTreeWidget* CreateResultList(const QStringList& captions, int leftAligned);
void FillResultList(QTreeWidget* list, const QList<TResultRow>& rows);

// "Angles" or "Solar": one list refilled by every solve.
class TResultListPage : public TResultPageWidget {
    Q_OBJECT
public:
    TResultListPage(TCalcDocument& doc, TResultPage page);
    QTreeWidget* List();
    void SolveFinished() override;
    // A row's menu item "Calculation &Details...", with the row's clock hour.
    std::function<void(int hour)> OnRowDetails;

protected:
    void Build() override;

private:
    TResultPage FPage;
    QTreeWidget* FList = nullptr;
};

// "Plot": the three stacked bar series of the solved hours. The chart is built when the page is first
// shown and filled only while it shows, so a solve with another page in front leaves it alone.
class TPlotPage : public TResultPageWidget {
    Q_OBJECT
public:
    explicit TPlotPage(TCalcDocument& doc);
    ~TPlotPage() override;
    void SolveFinished() override;
    // A bitmap of the whole chart at its current size, on white, to the clipboard. A click on the chart
    // does this too.
    void CopyChart();
    // Panel colour and background gradient, applied now or when the chart is built; a chart built
    // before any were applied takes the colours of the settings.
    void ApplyColors(const TChartColors& colors);
    // The chart; null until the page is first shown.
    TStackedBarPlot* Plot() const { return FPlot; }
    // The context menu's "Color Settings".
    std::function<void()> OnColorSettings;

protected:
    void Build() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Gives the chart the solved hours and their values; it repaints only when they differ.
    void FillPlot();

    TStackedBarPlot* FPlot = nullptr;
    std::unique_ptr<TChartColors> FColors; // the colours to apply, kept for a chart not built yet
};

// A read-only box for a comma-separated line of numbers that wraps only after a comma, so no number
// is broken across lines; a copy of its text has no trace of the wrap points.
class TFractionMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TFractionMemo(QWidget* parent = nullptr);
    void SetLine(const QString& line);

protected:
    QMimeData* createMimeDataFromSelection() const override;
};

// The picture of the Window page: glass set back in a recess, with head, reveal and depth marked. A
// click runs the window-shading command.
class TRecessPicture : public QWidget {
    Q_OBJECT
public:
    explicit TRecessPicture(QWidget* parent = nullptr);
    std::function<void()> OnClick;
    QSize sizeHint() const override { return {245, 140}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// "Window": the glass boxes, the command that computes the sunlit fractions, and their text.
class TWindowPage : public TResultPageWidget {
    Q_OBJECT
public:
    explicit TWindowPage(TCalcDocument& doc);
    // Shows a glass dimension of the document.
    void ShowGlass(TInputId id, double value);
    void AreaFactorsChanged() override;
    // The window-shading command, run by the main window (it commits edits first).
    std::function<void()> OnGenerate;
    // A refused glass value's message.
    std::function<void(const QString& text)> OnMessage;

protected:
    void Build() override;
    // Return in a glass box takes its value as leaving the box does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TxFEdit* GlassEditOf(TInputId id) const;
    void GlassEditExit(TxFEdit* box, TInputId id);

    TxFEdit* FGlassHeightEdit = nullptr;
    TxFEdit* FGlassWidthEdit = nullptr;
    TxFEdit* FGlassDepthEdit = nullptr;
    TFractionMemo* FAreaFactorMemo = nullptr;
};

// "Local": sunrise, sunset, declination, equation of time, and the sun at a typed time.
class TLocalPage : public TResultPageWidget {
    Q_OBJECT
public:
    explicit TLocalPage(TCalcDocument& doc);
    void LocalChanged() override;
    // The typed time and its kind reach the document.
    void CommitTime();
    // "Update Local Angles".
    void Label9Click();

protected:
    void Build() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* FSunriseEdit = nullptr;
    QLineEdit* FSunsetEdit = nullptr;
    QLineEdit* FSolDecEdit = nullptr;
    QLineEdit* FEqnTimeEdit = nullptr;
    QLineEdit* FClockTimeEdit = nullptr;
    QRadioButton* FClockTimeRadio = nullptr;
    QRadioButton* FSolarTimeRadio = nullptr;
    QPlainTextEdit* FLocalMemo = nullptr;
};

// "SolAir": surface colour, "Auto Ambient" and the 24-hour sol-air list.
class TSolAirPage : public TResultPageWidget {
    Q_OBJECT
public:
    explicit TSolAirPage(TCalcDocument& doc);
    QTreeWidget* List();
    void SolAirChanged() override;

protected:
    void Build() override;

private:
    QComboBox* FSurfaceColourBox = nullptr;
    QTreeWidget* FList = nullptr;
};
