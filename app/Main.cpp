#include "Main.h"

#include "controls/TxEntryGrid.h"
#include "controls/TxFmtEdit.h"
#include "controls/TxNumText.h"
#include "locations/TxSelectLocation.h"
#include "storage/Folders.h"
#include "storage/FormPlacement.h"
#include "storage/Settings.h"

#include <QAction>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedBarSeries>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

const char* const SettingsSection = "Settings";
// The text a glass box showed for the document's value, kept on the box.
const char* const ShownTextProperty = "shownText";

// The property list's rows 1 to 7 hold the inputs Altitude to DayNumber.
constexpr int FirstInputRow = 1;
constexpr int LastInputRow = 7;

bool IsListRow(int row) {
    return row >= FirstInputRow && row <= LastInputRow;
}
TInputId InputOfRow(int row) {
    return static_cast<TInputId>(row - FirstInputRow);
}

QString VersionText() {
    return QStringLiteral(QUORVANE_VERSION);
}

// A read-only field of the Local page.
QLineEdit* ReadOnlyField() {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

// A label that reads like a link and runs an action when clicked.
QPushButton* LinkButton(const QString& text) {
    auto* button = new QPushButton(text);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { color: palette(link); text-decoration: underline;"
                                         " border: none; text-align: left; padding: 2px; }"));
    return button;
}

TxFEdit* GlassEdit(TInputRange range) {
    auto* edit = new TxFEdit;
    edit->SetFormatStr(QStringLiteral("%0.1f"));
    edit->SetFormatType(ft_Fixed);
    edit->SetSigDigs(5);
    edit->SetRangeLo(range.Lo);
    edit->SetRangeHi(range.Hi);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(90);
    return edit;
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Quorvane - Version ") + VersionText());
    setMinimumSize(520, 450);
    resize(820, 520);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreatePropertyList();

    FPages = new QTabWidget;
    FPages->addTab(CreateTablePage(FAnglesList, TCalcDocument::AnglesColumns(), 1), QStringLiteral("Angles"));
    FPages->addTab(CreateTablePage(FSolarList, TCalcDocument::SolarColumns(), 2), QStringLiteral("Solar"));
    FPages->addTab(CreatePlotPage(), QStringLiteral("Plot"));
    FPages->addTab(CreateWindowPage(), QStringLiteral("Window"));
    FPages->addTab(CreateLocalPage(), QStringLiteral("Local"));
    FPages->addTab(CreateSolAirPage(), QStringLiteral("SolAir"));

    auto* splitter = new QSplitter;
    splitter->addWidget(FGrid);
    splitter->addWidget(FPages);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({FGrid->minimumWidth(), 600});
    setCentralWidget(splitter);
    statusBar()->setSizeGripEnabled(true);

    ConnectDocument();
    FDoc.SetFileName(ProgramFolder() + QStringLiteral("Noname.qvx"));
    ReadSettings();
    FDoc.SetSolved(false);
}

TMainForm::~TMainForm() = default;

// ---- Construction --------------------------------------------------------------------------------

void TMainForm::CreateActions() {
    struct Spec {
        const char* name;
        const char* caption;
        const char* hint;
        void (TMainForm::*run)();
        QStyle::StandardPixmap icon;
    };
    const Spec specs[] = {
        {"ActionLoad", "&Open", "Load", &TMainForm::ActionLoadExecute, QStyle::SP_DialogOpenButton},
        {"ActionSave", "&Save", "Save", &TMainForm::ActionSaveExecute, QStyle::SP_DialogSaveButton},
        {"ActionReset", "&Reset", "Reset", &TMainForm::ActionResetExecute, QStyle::SP_BrowserReload},
        {"ActionClose", "&Exit", "Close", nullptr, QStyle::SP_DialogCloseButton},
        {"ActionSolve", "&Update", "Solve", &TMainForm::ActionSolveExecute, QStyle::SP_MediaPlay},
        {"ActionCopy", "&Copy", "Copy Current Page to Clipboard", &TMainForm::ActionCopyExecute,
         QStyle::SP_FileDialogDetailedView},
        {"ActionLocation", "&Location", "Select Location", &TMainForm::ActionLocationExecute,
         QStyle::SP_DirHomeIcon},
        {"ActionHelp", "&Documentation", "Help", &TMainForm::ActionHelpExecute, QStyle::SP_DialogHelpButton},
    };
    for (const Spec& s : specs) {
        auto* action = new QAction(style()->standardIcon(s.icon), QString::fromLatin1(s.caption), this);
        action->setObjectName(QString::fromLatin1(s.name));
        action->setToolTip(QString::fromLatin1(s.hint));
        action->setStatusTip(QString::fromLatin1(s.hint));
        if (s.run)
            connect(action, &QAction::triggered, this, [this, run = s.run] { (this->*run)(); });
        else
            connect(action, &QAction::triggered, this, &QWidget::close);
    }
    Action(QStringLiteral("ActionSolve"))->setShortcut(Qt::Key_F9);
}

QAction* TMainForm::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly);
}

void TMainForm::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(Action("ActionLoad"));
    file->addAction(Action("ActionSave"));
    file->addSeparator();
    file->addAction(Action("ActionReset"));
    file->addSeparator();
    file->addAction(Action("ActionClose"));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(Action("ActionLocation"));
    edit->addSeparator();
    edit->addAction(Action("ActionCopy"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    const char* pages[] = {"Angles",         "Solar Tables", "Solar Plot",
                           "Window Shading", "Solar Times",  "Sol-Air Temperature"};
    for (int i = 0; i < 6; ++i)
        view->addAction(QString::fromLatin1(pages[i]), this, [this, i] { FPages->setCurrentIndex(i); });

    menuBar()->addMenu(QStringLiteral("&Calculate"))->addAction(Action("ActionSolve"));
    menuBar()->addMenu(QStringLiteral("&Help"))->addAction(Action("ActionHelp"));
}

void TMainForm::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    for (const char* name : {"ActionLoad", "ActionSave", "ActionReset", "", "ActionSolve", "ActionLocation",
                             "", "ActionCopy", "", "ActionHelp"}) {
        if (*name)
            bar->addAction(Action(QString::fromLatin1(name)));
        else
            bar->addSeparator();
    }
}

void TMainForm::CreatePropertyList() {
    FGrid = new TEntryGrid;
    FGrid->setObjectName(QStringLiteral("Grid"));
    FGrid->SetDelim(QLatin1Char(';'));
    FGrid->SetFixedCols(0);
    FGrid->SetDefaultRowHeight(16);
    FGrid->SetScrollBars(TScrollStyle::ssNone);
    FGrid->SetOptions(
        {xgoFixedVertLine, xgoFixedHorzLine, xgoVertLine, xgoHorzLine, xgoColSizing, xgoEditing});
    FGrid->SetLinesArray(TCalcDocument::PropertyLines());
    const int widths[] = {90, 60, 50};
    for (int c = 0; c < 3; ++c)
        FGrid->SetColWidths(c, widths[c]);
    FGrid->setMinimumWidth(90 + 60 + 50 + 8);
    FGrid->SetPropertyEditor(1, [this](QVariant&) {
        ActionLocationExecute();
        return 0;
    });
    FGrid->OnDoSetData = [this](TxCustomGrid*, int c, int r) { GridDoSetData(c, r); };
}

QWidget* TMainForm::CreateTablePage(QTreeWidget*& list, const QStringList& captions, int leftAligned) {
    list = new QTreeWidget;
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setHeaderLabels(captions);
    list->header()->setStretchLastSection(false);
    for (int c = 0; c < captions.size(); ++c) {
        const Qt::Alignment align = c < leftAligned ? Qt::AlignLeft : Qt::AlignRight;
        list->headerItem()->setTextAlignment(c, align | Qt::AlignVCenter);
        list->setColumnWidth(c, 70);
    }
    return list;
}

QWidget* TMainForm::CreatePlotPage() {
    FBars = new QStackedBarSeries;
    FBars->setBarWidth(0.8);
    auto* chart = new QChart;
    chart->addSeries(FBars);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundRoundness(0);
    FChartView = new QChartView(chart);
    FChartView->setRenderHint(QPainter::Antialiasing);
    FChartView->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(QStringLiteral("Copy to clipboard"), FChartView);
    connect(copy, &QAction::triggered, this, &TMainForm::CopyChart);
    FChartView->addAction(copy);
    return FChartView;
}

QWidget* TMainForm::CreateWindowPage() {
    auto* page = new QWidget;
    FGlassHeightEdit = GlassEdit(InputRange(inGlassHeight));
    FGlassWidthEdit = GlassEdit(InputRange(inGlassWidth));
    FGlassDepthEdit = GlassEdit(InputRange(inGlassDepth));
    FGlassHeightEdit->setObjectName(QStringLiteral("GlassHeightEdit"));
    FGlassWidthEdit->setObjectName(QStringLiteral("GlassWidthEdit"));
    FGlassDepthEdit->setObjectName(QStringLiteral("GlassDepthEdit"));
    FGlassHeightEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassHeightEdit, inGlassHeight); };
    FGlassWidthEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassWidthEdit, inGlassWidth); };
    FGlassDepthEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassDepthEdit, inGlassDepth); };

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Glass Height, m"), FGlassHeightEdit);
    form->addRow(QStringLiteral("Glass Width, m"), FGlassWidthEdit);
    form->addRow(QStringLiteral("Recess Depth, m"), FGlassDepthEdit);
    auto* generate = LinkButton(QStringLiteral("Sunlit Area Fraction (vertical glass)"));
    connect(generate, &QPushButton::clicked, this, &TMainForm::GenerateButtonClick);
    FAreaFactorMemo = new QPlainTextEdit;
    FAreaFactorMemo->setReadOnly(true);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(generate);
    layout->addWidget(FAreaFactorMemo, 1);
    return page;
}

QWidget* TMainForm::CreateLocalPage() {
    auto* page = new QWidget;
    FSunriseEdit = ReadOnlyField();
    FSunsetEdit = ReadOnlyField();
    FSolDecEdit = ReadOnlyField();
    FEqnTimeEdit = ReadOnlyField();
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Sunrise, Hour:Min"), FSunriseEdit);
    fields->addRow(QStringLiteral("Sunset, Hour:Min"), FSunsetEdit);
    fields->addRow(QStringLiteral("Solar Declination, Deg"), FSolDecEdit);
    fields->addRow(QStringLiteral("Equation of Time, min"), FEqnTimeEdit);

    FClockTimeEdit = new QLineEdit(FDoc.LocalTimeText());
    FClockTimeEdit->setAlignment(Qt::AlignRight);
    FClockTimeRadio = new QRadioButton(QStringLiteral("Clock Time"));
    FSolarTimeRadio = new QRadioButton(QStringLiteral("Solar Time"));
    FClockTimeRadio->setChecked(true);
    auto* update = LinkButton(QStringLiteral("Update Local Angles"));
    connect(update, &QPushButton::clicked, this, &TMainForm::Label9Click);
    auto* time = new QHBoxLayout;
    time->addWidget(new QLabel(QStringLiteral("Time, Hours")));
    time->addWidget(FClockTimeEdit);
    time->addWidget(FClockTimeRadio);
    time->addWidget(FSolarTimeRadio);
    time->addStretch();

    FLocalMemo = new QPlainTextEdit;
    FLocalMemo->setReadOnly(true);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(fields);
    layout->addLayout(time);
    layout->addWidget(update);
    layout->addWidget(FLocalMemo, 1);
    return page;
}

QWidget* TMainForm::CreateSolAirPage() {
    auto* page = new QWidget;
    FSurfaceColourBox = new QComboBox;
    FSurfaceColourBox->addItems({QStringLiteral("Light"), QStringLiteral("Dark")});
    connect(FSurfaceColourBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { FDoc.SetSurfaceColour(index == 1 ? scDark : scLight); });
    auto* autoAmbient = new QPushButton(QStringLiteral("Auto Ambient"));
    autoAmbient->setToolTip(QStringLiteral("Make ambient profile from location"));
    connect(autoAmbient, &QPushButton::clicked, this, [this] { FDoc.AutoAmbient(); });
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Surface Color")));
    top->addWidget(FSurfaceColourBox);
    top->addWidget(autoAmbient);
    top->addStretch();

    QWidget* list = CreateTablePage(FSolAirList, TCalcDocument::SolAirColumns(), 1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addLayout(top);
    layout->addWidget(list, 1);
    return page;
}

// ---- Document events -----------------------------------------------------------------------------

void TMainForm::ConnectDocument() {
    FDoc.OnInputChanged = [this](TInputId id, double value) { ShowInput(id, value); };
    FDoc.OnSolvedChanged = [this](bool, const QString& status) { statusBar()->showMessage(status); };
    FDoc.OnBeforeSolve = [this] { CommitFocusedEdit(); };
    FDoc.OnSolveFinished = [this] {
        FillList(FAnglesList, FDoc.AnglesRows());
        FillList(FSolarList, FDoc.SolarRows());
        FillPlot();
    };
    FDoc.OnSolAirChanged = [this] { FillList(FSolAirList, FDoc.SolAirRows()); };
    FDoc.OnLocalChanged = [this] { ShowLocalPage(); };
    FDoc.OnAreaFactorsChanged = [this] { ShowAreaFactors(); };
    FDoc.OnClipboardText = [](const QString& text) { QGuiApplication::clipboard()->setText(text); };
    FDoc.OnMessage = [this](const QString& text) { ShowMessage(text); };
}

TxFEdit* TMainForm::GlassEditOf(TInputId id) const {
    switch (id) {
    case inGlassHeight: return FGlassHeightEdit;
    case inGlassWidth: return FGlassWidthEdit;
    case inGlassDepth: return FGlassDepthEdit;
    default: return nullptr;
    }
}

void TMainForm::ShowInput(TInputId id, double value) {
    if (TxFEdit* box = GlassEditOf(id)) {
        box->SetValue(value);
        box->setProperty(ShownTextProperty, box->text());
    } else {
        FGrid->SetCellValue(1, int(id) + FirstInputRow, value);
    }
}

// The boxes show one decimal, so a value such as 1.25 m reads back as 1.2: only a text the user
// changed is stored, and leaving a box untouched keeps the document's exact value.
void TMainForm::GlassEditExit(TxFEdit* box, TInputId id) {
    if (box->text() == box->property(ShownTextProperty).toString()) return;
    bool ok = false;
    const double value = box->Value().toDouble(&ok);
    if (ok) FDoc.SetInput(id, value);
}

void TMainForm::FillList(QTreeWidget* list, const QList<TResultRow>& rows) {
    list->setUpdatesEnabled(false);
    list->clear();
    QList<QTreeWidgetItem*> items;
    for (const TResultRow& row : rows) {
        auto* item = new QTreeWidgetItem(QStringList{row.Caption} + row.Cells);
        for (int c = 0; c < list->columnCount(); ++c)
            item->setTextAlignment(c, list->headerItem()->textAlignment(c));
        items.append(item);
    }
    list->addTopLevelItems(items);
    list->setUpdatesEnabled(true);
}

void TMainForm::FillPlot() {
    FBars->clear();
    const struct {
        const char* name;
        QColor colour;
        const TProfile24& values;
    } series[] = {{"Reflected", QColor(255, 128, 128), FDoc.ReflectedProfile()},
                  {"Diffuse", QColor(0, 128, 255), FDoc.DiffuseProfile()},
                  {"Beam", QColor(255, 255, 128), FDoc.DirectProfile()}};
    QStringList hours;
    for (const TResultRow& row : FDoc.SolarRows())
        hours << row.Caption.trimmed();
    for (const auto& s : series) {
        auto* set = new QBarSet(QString::fromLatin1(s.name));
        set->setColor(s.colour);
        set->setBorderColor(s.colour.darker(130));
        for (const QString& hour : hours)
            set->append(s.values[hour.toInt()]);
        FBars->append(set);
    }
    QChart* chart = FChartView->chart();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    auto* x = new QBarCategoryAxis;
    x->append(hours);
    x->setTitleText(QStringLiteral("Clock hour"));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("W/m²"));
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    FBars->attachAxis(x);
    FBars->attachAxis(y);
    // The stacks reach the total of each hour; the axis is scaled to the highest stack.
    double top = 0;
    for (const QString& hour : hours) top = std::max(top, FDoc.TotalProfile()[hour.toInt()]);
    y->setRange(0, top > 0 ? top : 1);
    y->applyNiceNumbers();
}

void TMainForm::ShowLocalPage() {
    const TLocalFields& f = FDoc.LocalFields();
    FSunriseEdit->setText(f.Sunrise);
    FSunsetEdit->setText(f.Sunset);
    FSolDecEdit->setText(f.Declination);
    FEqnTimeEdit->setText(f.EquationOfTime);
    FClockTimeEdit->setText(FDoc.LocalTimeText());
    FLocalMemo->setPlainText(FDoc.LocalLines().join(QLatin1Char('\n')));
}

void TMainForm::ShowAreaFactors() {
    FAreaFactorMemo->setPlainText(FDoc.AreaFactorText());
}

void TMainForm::ShowMessage(const QString& text) {
    QMessageBox::information(this, QApplication::applicationDisplayName(), text);
}

QString TMainForm::StatusText() const {
    return statusBar()->currentMessage();
}

// A value still being typed reaches the document before a command reads it.
void TMainForm::CommitFocusedEdit() {
    FGrid->HideEditor();
    if (auto* box = qobject_cast<TxCustomEdit*>(QApplication::focusWidget()))
        if (box != FGrid->InplaceEditor()) CommitEdit(box);
    FDoc.SetLocalTime(FClockTimeEdit->text(), FSolarTimeRadio->isChecked());
}

// ---- Commands ------------------------------------------------------------------------------------

void TMainForm::GridDoSetData(int, int ARow) {
    if (IsListRow(ARow)) {
        const QVariant value = FGrid->GetCellValue(1, ARow);
        bool ok = false;
        const double v = value.toDouble(&ok);
        if (ok) FDoc.SetInput(InputOfRow(ARow), v);
    }
    FDoc.SetSolved(false);
}

void TMainForm::ActionSolveExecute() {
    FDoc.Solve();
}

void TMainForm::ActionResetExecute() {
    FDoc.Reset();
}

void TMainForm::ActionCopyExecute() {
    CommitFocusedEdit();
    const auto page = static_cast<TResultPage>(FPages->currentIndex());
    if (page == pgPlot)
        CopyChart();
    else
        FDoc.CopyPage(page);
}

void TMainForm::CopyChart() {
    QPixmap picture(FChartView->size());
    picture.fill(Qt::white);
    FChartView->QWidget::render(&picture);
    QGuiApplication::clipboard()->setPixmap(picture);
}

void TMainForm::ActionLocationExecute() {
    if (!FLocationDialog) return;
    FLocationDialog->PresetLocation(FDoc.LocationName());
    if (FLocationDialog->exec() != QDialog::Accepted) return;
    const LocationRecord& r = FLocationDialog->Record();
    FDoc.PickLocation(FLocationDialog->PickedName(), r.Altitude, r.Latitude, r.Longitude, r.TimeZone,
                      r.MaxDryBulb, r.DryBulbRange);
}

void TMainForm::ActionHelpExecute() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(ProgramFolder() + QStringLiteral("Help/Quorvane.htm")));
}

void TMainForm::ActionLoadExecute() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), FDoc.FileName(),
                                                      QStringLiteral("Quorvane File (*.qvx)"));
    if (!path.isEmpty()) FDoc.LoadProject(path);
}

void TMainForm::ActionSaveExecute() {
    QFileDialog dialog(this, QStringLiteral("Save"), FDoc.FileName(),
                       QStringLiteral("Quorvane File (*.qvx)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("qvx"));
    dialog.selectFile(FDoc.FileName());
    if (dialog.exec() == QDialog::Accepted) FDoc.SaveProject(dialog.selectedFiles().value(0));
}

void TMainForm::GenerateButtonClick() {
    CommitFocusedEdit();
    FDoc.GenerateAreaFactors();
}

void TMainForm::Label9Click() {
    FDoc.SetLocalTime(FClockTimeEdit->text(), FSolarTimeRadio->isChecked());
    FDoc.RefreshLocalAngles();
}

// ---- Start, first activation, close --------------------------------------------------------------

void TMainForm::ReadSettings() {
    RestoreFormPlacement(this, false, true);
    TSettingsStore store(QString::fromLatin1(SettingsSection));
    TInputSet inputs;
    for (int i = 0; i < InputCount; ++i) {
        const auto id = static_cast<TInputId>(i);
        SetInputValue(inputs, id,
                      store.ReadFloat(QString::fromLatin1(InputKeyName(id)), InputValue(inputs, id)));
    }
    FDoc.ApplyInputs(inputs);
}

void TMainForm::WriteSettings() {
    SaveFormPlacement(this);
    TSettingsStore store(QString::fromLatin1(SettingsSection));
    store.WriteString(QStringLiteral("Location"), FDoc.LocationName());
    const TInputSet inputs = FDoc.CopyInputs();
    for (int i = 0; i < InputCount; ++i) {
        const auto id = static_cast<TInputId>(i);
        store.WriteFloat(QString::fromLatin1(InputKeyName(id)), InputValue(inputs, id));
    }
    store.Flush();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FFirstActivation) FirstActivation();
}

void TMainForm::FirstActivation() {
    FFirstActivation = false;
    ActionSolveExecute();
    FPages->setCurrentIndex(pgAngles);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    CommitFocusedEdit();
    WriteSettings();
    event->accept();
}
