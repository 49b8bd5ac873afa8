#include "Main.h"

#include "HelpPage.h"
#include "InputSettings.h"
#include "PropertyList.h"
#include "ResultColumns.h"
#include "ResultPages.h"
#include "SolarText.h"
#include "controls/TxFmtEdit.h"
#include "dialogs/TxChartColorForm.h"
#include "dialogs/TxProfileEd.h"
#include "dialogs/TxProfileView.h"
#include "storage/Folders.h"
#include "storage/FormPlacement.h"
#include "storage/PlainText.h"
#include "storage/Settings.h"
#include "version/ProgramVersion.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

namespace {

// Tabs with less space around their captions, so that all six fit beside the property list at the
// window's minimum width.
class TCompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? std::min(value, 12) : value;
    }
};

// One line of text from files (a place's name, a file name), shown as plain text and cut in the middle
// with an ellipsis when it does not fit; the whole line shows as a tool tip.
class TElidedLabel : public QLabel {
public:
    TElidedLabel() {
        setTextFormat(Qt::PlainText);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }
    void SetFullText(const QString& text) {
        FText = text;
        setToolTip(text.isEmpty() ? QString() : QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped()));
        updateGeometry();
        Elide();
    }
    const QString& FullText() const { return FText; }
    // At most a third of the status bar wide, so the results state keeps its room beside it.
    QSize sizeHint() const override {
        const int room = parentWidget() ? parentWidget()->width() / 3 : 200;
        const int width = FText.isEmpty() ? 0 : fontMetrics().horizontalAdvance(FText) + 8;
        return {std::min(width, room), QLabel::sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return {FText.isEmpty() ? 0 : 40, QLabel::minimumSizeHint().height()}; }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        Elide();
    }

private:
    void Elide() { setText(fontMetrics().elidedText(FText, Qt::ElideMiddle, std::max(contentsRect().width() - 4, 0))); }

    QString FText;
};

// Whether a key is Copy pressed in a page's box that has no text selected: the page's Copy command
// takes it then, as the menu shows, instead of the box copying nothing.
bool IsPageCopy(const QWidget* pages, QObject* watched, QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->matches(QKeySequence::Copy)) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !pages->isAncestorOf(widget)) return false;
    if (auto* line = qobject_cast<QLineEdit*>(widget)) return !line->hasSelectedText();
    if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) return !text->textCursor().hasSelection();
    return false;
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    SetVersion(QStringLiteral(QUORVANE_VERSION));
    setMinimumSize(520, 450);
    resize(820, 520);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    FGrid = new TPropertyList(FDoc);
    CreatePages();

    auto* splitter = new QSplitter;
    splitter->addWidget(FGrid);
    splitter->addWidget(FPages);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({FGrid->minimumWidth(), 600});
    setCentralWidget(splitter);
    statusBar()->setSizeGripEnabled(true);
    FPlacePanel = new TElidedLabel;
    FPlacePanel->setObjectName(QStringLiteral("PlacePanel"));
    statusBar()->addPermanentWidget(FPlacePanel);
    qApp->installEventFilter(this);

    ConnectDocument();
    // The program's folder is not the user's to write in: projects start in the folder of the last one,
    // else in the documents folder.
    FDoc.SetFileName(ReadProjectFolder(MyDocumentsFolder()) + QStringLiteral("Noname.qvx"));
    ReadSettings();
    FDoc.SetSolved(false);
}

TMainForm::~TMainForm() = default;

void TMainForm::SetRowDialogs(const TRowDialogs& dialogs) {
    FGrid->SetRowDialogs(dialogs);
}

void TMainForm::SetProfileDialogs(const TProfileDialogs& dialogs) {
    FProfileDialogs = dialogs;
    if (dialogs.View)
        WireCommand(QStringLiteral("ActionProfile"), [this] { ShowColumnProfile(TotalProfileColumn()); });
}

void TMainForm::SetVersion(const QString& version) {
    setWindowTitle(MainCaption(version));
}

TEntryGrid* TMainForm::Grid() const {
    return FGrid;
}

// ---- Pages and document events -------------------------------------------------------------------

void TMainForm::CreatePages() {
    FPages = new QTabWidget;
    // Every tab stays in view: at the minimum width the six captions just fit beside the list.
    FPages->setUsesScrollButtons(false);
    FPages->setElideMode(Qt::ElideNone);
    auto* tabStyle = new TCompactTabStyle;
    tabStyle->setParent(FPages->tabBar());
    FPages->tabBar()->setStyle(tabStyle);
    for (const TPageSpec& spec : ResultPageTable()) {
        TResultPageWidget* page = spec.Build(FDoc);
        FPageWidgets << page;
        FPages->addTab(page, QString::fromLatin1(spec.Tab));
    }
    for (TResultPageWidget* page : FPageWidgets)
        page->OnColumnClick = [this](const TResultColumn& column) { ShowColumnProfile(column); };
    PageOf<TWindowPage>(pgWindow)->OnGenerate = [this] { GenerateButtonClick(); };
    PageOf<TPlotPage>(pgPlot)->OnColorSettings = [this] { ColorSettings2Click(); };
    for (TResultPage list : {pgAngles, pgSolar})
        PageOf<TResultListPage>(list)->OnRowDetails = [this](int hour) { ShowCalcDetails(hour); };
}

template <class Page> Page* TMainForm::PageOf(TResultPage page) const {
    const QList<TPageSpec>& table = ResultPageTable();
    for (int i = 0; i < table.size(); ++i)
        if (table[i].Page == page) return static_cast<Page*>(FPageWidgets[i]);
    return nullptr;
}

QTreeWidget* TMainForm::AnglesList() const {
    return PageOf<TResultListPage>(pgAngles)->List();
}
QTreeWidget* TMainForm::SolarList() const {
    return PageOf<TResultListPage>(pgSolar)->List();
}
QTreeWidget* TMainForm::SolAirList() const {
    return PageOf<TSolAirPage>(pgSolAir)->List();
}

void TMainForm::ForEachPage(void (TResultPageWidget::*event)()) {
    for (TResultPageWidget* page : FPageWidgets)
        page->Changed(event);
}

void TMainForm::ConnectDocument() {
    FDoc.OnInputChanged = [this](TInputId id, double value) { ShowInput(id, value); };
    // A location pick and a project read both end out of date: the place panel follows them here.
    FDoc.OnSolvedChanged = [this](bool solved, const QString& status) {
        statusBar()->showMessage(status);
        for (TResultPageWidget* page : FPageWidgets)
            page->SetOutOfDate(!solved);
        ShowPlace();
    };
    FDoc.OnBeforeSolve = [this] { CommitFocusedEdit(); };
    FDoc.OnSolveFinished = [this] { ForEachPage(&TResultPageWidget::SolveFinished); };
    FDoc.OnSolAirChanged = [this] { ForEachPage(&TResultPageWidget::SolAirChanged); };
    FDoc.OnLocalChanged = [this] { ForEachPage(&TResultPageWidget::LocalChanged); };
    FDoc.OnAreaFactorsChanged = [this] { ForEachPage(&TResultPageWidget::AreaFactorsChanged); };
    FDoc.OnClipboardText = [](const QString& text) { QGuiApplication::clipboard()->setText(text); };
    FDoc.OnMessage = [this](const QString& text) { ShowMessage(text); };
    FGrid->OnMessage = [this](const QString& text) { ShowMessage(text); };
    PageOf<TWindowPage>(pgWindow)->OnMessage = [this](const QString& text) { ShowMessage(text); };
}

void TMainForm::ShowInput(TInputId id, double value) {
    FGrid->ShowInput(id, value);
    PageOf<TWindowPage>(pgWindow)->ShowGlass(id, value);
}

void TMainForm::ShowMessage(const QString& text) {
    ShowPlainMessage(this, QMessageBox::Information, QApplication::applicationDisplayName(), text);
}

QString TMainForm::StatusText() const {
    return statusBar()->currentMessage();
}

QString TMainForm::PlaceText() const {
    return static_cast<const TElidedLabel*>(FPlacePanel)->FullText();
}

void TMainForm::ShowPlace() {
    QStringList parts;
    if (!FDoc.LocationName().isEmpty()) parts << FDoc.LocationName();
    if (FProjectOpen) parts << QFileInfo(FDoc.FileName()).fileName();
    static_cast<TElidedLabel*>(FPlacePanel)->SetFullText(parts.join(QStringLiteral("  |  ")));
}

// A value still being typed reaches the document before a command reads it.
void TMainForm::CommitFocusedEdit() {
    FGrid->HideEditor();
    if (auto* box = qobject_cast<TxCustomEdit*>(QApplication::focusWidget()))
        if (box != FGrid->InplaceEditor()) CommitEdit(box);
    PageOf<TLocalPage>(pgLocal)->CommitTime();
}

// ---- Commands ------------------------------------------------------------------------------------

void TMainForm::ActionSolveExecute() {
    FDoc.Solve();
}

void TMainForm::ActionResetExecute() {
    if (TChartColor* colors = FProfileDialogs.ChartColors()) colors->ResetDefaults();
    ApplyChartColors();
    FDoc.Reset();
}

void TMainForm::ActionCopyExecute() {
    CommitFocusedEdit();
    const TResultPage page = ResultPageTable()[FPages->currentIndex()].Page;
    if (page == pgPlot)
        PageOf<TPlotPage>(pgPlot)->CopyChart();
    else if (page == pgWindow)
        GenerateButtonClick(); // its fractions reach the clipboard, and the profile view shows them
    else
        FDoc.CopyPage(page);
}

void TMainForm::ActionLocationExecute() {
    FGrid->PickLocation();
}

void TMainForm::ActionHelpExecute() {
    OpenHelpPage(this);
}

// Both dialogs start in the folder of the last project read or written, else the documents folder.
void TMainForm::ActionLoadExecute() {
    QFileDialog dialog(this, QStringLiteral("Open"), FDoc.FileName(),
                       QStringLiteral("Quorvane File (*.qvx)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    // A name typed without an extension means the project file of that name.
    dialog.setDefaultSuffix(QStringLiteral("qvx"));
    if (dialog.exec() != QDialog::Accepted) return;
    OpenProject(dialog.selectedFiles().value(0));
}

void TMainForm::OpenProject(const QString& path) {
    ProjectDone(FDoc.LoadProject(path));
}

void TMainForm::ActionSaveExecute() {
    if (!FProjectOpen) return SaveProjectAs();
    FDoc.SaveProject(FDoc.FileName());
}

void TMainForm::ActionSaveAsExecute() {
    SaveProjectAs();
}

void TMainForm::SaveProjectAs() {
    QFileDialog dialog(this, QStringLiteral("Save As"), FDoc.FileName(),
                       QStringLiteral("Quorvane File (*.qvx)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("qvx"));
    dialog.selectFile(FDoc.FileName());
    if (dialog.exec() != QDialog::Accepted) return;
    ProjectDone(FDoc.SaveProject(dialog.selectedFiles().value(0)));
}

void TMainForm::ProjectDone(bool ok) {
    FProjectOpen = ok;
    if (ok) WriteProjectFolder(FDoc.FileName());
    ShowPlace();
}

void TMainForm::ActionCloseExecute() {
    close();
}

void TMainForm::GenerateButtonClick() {
    CommitFocusedEdit();
    if (!FDoc.GenerateAreaFactors() || !FProfileDialogs.View) return;
    // The view keeps the style and hours it last had.
    TProfileViewForm* view = FProfileDialogs.View();
    view->SetTitle(QStringLiteral("Area Factor"));
    view->SetValues(FDoc.AreaFactorProfile());
    view->exec();
}

void TMainForm::ShowColumnProfile(const TResultColumn& column) {
    if ((column.Page == pgAngles || column.Page == pgSolar) && !FDoc.EnsureSolved()) return;
    const TProfile24& values = (FDoc.*column.Profile)();
    QGuiApplication::clipboard()->setText(ProfileText(values, QString::fromLatin1(column.ProfileFormat)));
    if (column.Style == psEditor) {
        EditAmbientProfile(QString::fromLatin1(column.CellFormat));
        return;
    }
    TProfileViewForm* view = FProfileDialogs.View();
    if (!view) return;
    int first = 0, last = 23;
    ColumnHours(column, FDoc, first, last);
    view->SetTitle(QString::fromLatin1(column.ChartTitle));
    view->SetValues(values);
    view->SetLineMode(column.Style == psLine);
    view->SetHours(first, last);
    view->exec();
}

const TResultColumn* TMainForm::CurrentColumn() const {
    TResultPageWidget* page = FPageWidgets.value(FPages->currentIndex());
    return page ? page->CurrentColumn() : nullptr;
}

void TMainForm::ShowCurrentColumnChart() {
    if (const TResultColumn* column = CurrentColumn()) ShowColumnProfile(*column);
}

void TMainForm::EditAmbientColumn() {
    for (const TResultColumn* column : Columns(pgSolAir))
        if (column->Style == psEditor) ShowColumnProfile(*column);
}

void TMainForm::EditAmbientProfile(const QString& format) {
    TProfileEdForm* editor = FProfileDialogs.Editor();
    if (!editor) return;
    editor->SetValueFormat(format);
    editor->SetValueCaption(QStringLiteral("Ambient, \u00b0C"));
    editor->SetValues(FDoc.AmbientProfile());
    editor->SetEditable(true);
    editor->SetLimits(0, 0); // no clamping
    editor->SetLineChart(true);
    if (editor->exec() == QDialog::Accepted) FDoc.SetAmbientProfile(editor->Values());
}

void TMainForm::ColorSettings2Click() {
    TChartColor* colors = FProfileDialogs.ChartColors();
    if (!colors) return;
    colors->exec();
    ApplyChartColors(); // whatever closed it
}

void TMainForm::ApplyChartColors() {
    if (TChartColor* colors = FProfileDialogs.ChartColors())
        PageOf<TPlotPage>(pgPlot)->ApplyColors(colors->Colors());
}

void TMainForm::Label9Click() {
    PageOf<TLocalPage>(pgLocal)->Label9Click();
}

// ---- Start, first activation, close --------------------------------------------------------------

void TMainForm::ReadSettings() {
    RestoreFormPlacement(this, false, true);
    FDoc.ApplyInputs(ReadInputSettings());
    const TSunSetting sun = ReadSunSetting(FDoc.SunYear());
    FDoc.SetSunMethod(sun.Method);
    FDoc.SetSunYear(sun.Year);
    FDoc.SetProjectInfo(ReadProjectSettings());
}

void TMainForm::WriteSettings() {
    SaveFormPlacement(this);
    WriteInputSettings(FDoc.CopyInputs(), FDoc.LocationName());
    WriteSunSetting({FDoc.SunMethod(), FDoc.SunYear()});
    WriteProjectSettings(FDoc.ProjectInfo());
    ShowSettingsNotice();
}

// The status bar holds the results state alone: a hint of a menu item or tool button would replace it
// and, once the pointer moved on, leave it empty. The hints show as tool tips instead.
bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) return true;
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && IsPageCopy(FPages, watched, event)) {
        event->ignore(); // left to the Copy command's shortcut
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FFirstActivation) FirstActivation();
}

void TMainForm::FirstActivation() {
    FFirstActivation = false;
    ActionSolveExecute();
    FPages->setCurrentIndex(pgAngles);
    ShowSettingsNotice();
}

void TMainForm::ShowSettingsNotice() {
    if (const QString notice = TakeSettingsNotice(); !notice.isEmpty()) ShowMessage(notice);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    CommitFocusedEdit();
    WriteSettings();
    event->accept();
}
