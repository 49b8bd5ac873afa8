#include "TxProfileEd.h"

#include "ProfileChart.h"
#include "controls/ProfileText.h"
#include "controls/TxFmtEdit.h"
#include "controls/TxGrids.h"
#include "controls/TxNumText.h"
#include "storage/PlainText.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

namespace {

const QColor Teal(64, 128, 128);
const QString ReadyText = QStringLiteral("Ready...");
constexpr int HourColWidth = 25;

TxFEdit* AdjusterEdit(const char* name, const QString& format, double value) {
    auto* edit = new TxFEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetFormatStr(format);
    edit->SetValue(value);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(80);
    return edit;
}

QAction* Command(QWidget* owner, const QString& text, QKeySequence key = {}) {
    auto* action = new QAction(text, owner);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    return action;
}

} // namespace

void AdjustProfile(TProfile24& values, double offset, double multiplier, int shift) {
    TProfile24 shifted{};
    for (int j = 0; j < 24; ++j) {
        int to = j + shift;
        if (to > 23) to -= 24;
        if (to < 0) to += 24;
        shifted[to] = offset + values[j] * multiplier;
    }
    values = shifted;
}

bool ProfileEditRange(const TProfile24& values, double& bottom, double& top) {
    double largest = 0, smallest = 0;
    ProfileMaxMin(values, largest, smallest);
    bottom = smallest - 0.1 * std::fabs(smallest);
    top = largest * 1.1;
    return bottom < top;
}

TProfileEdForm::TProfileEdForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ProfileEdForm"));
    setWindowTitle(QStringLiteral("Profile Editor"));
    setSizeGripEnabled(true);
    setMinimumSize(450, 490);
    resize(620, 520);

    auto* tools = new QToolBar;
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* accept = tools->addAction(QStringLiteral("&Accept"), this, &TProfileEdForm::AcceptProfile);
    accept->setToolTip(QStringLiteral("Accept and close"));
    QAction* cancel = tools->addAction(QStringLiteral("&Cancel"), this, &TProfileEdForm::reject);
    cancel->setToolTip(QStringLiteral("Ignore changes and close"));
    // A tool button shows its text without the mnemonic, so the Alt+letter keys are set here. Escape
    // cancels too, as in any dialog: the grid, which has the focus, would otherwise take it. A value
    // still being typed keeps Escape for its cell.
    for (QAction* a : {accept, cancel})
        a->setShortcut(QKeySequence::mnemonic(a->text()));
    cancel->setShortcuts({QKeySequence::mnemonic(cancel->text()), QKeySequence(QKeySequence::Cancel)});

    // Left: the hour/value grid under its headings.
    FCaptionLabel = PlainLabel();
    auto* hrLabel = PlainLabel(QStringLiteral("Hr"));
    hrLabel->setFixedWidth(HourColWidth + 2);
    hrLabel->setAlignment(Qt::AlignCenter);
    FCaptionLabel->setAlignment(Qt::AlignCenter);
    FHrsGrid = new TxStringGrid;
    FHrsGrid->setObjectName(QStringLiteral("HrsGrid"));
    FHrsGrid->SetColCount(2);
    FHrsGrid->SetRowCount(24);
    FHrsGrid->SetFixedCols(1);
    FHrsGrid->SetFixedRows(0);
    FHrsGrid->SetDefaultRowHeight(FHrsGrid->fontMetrics().height() + 4);
    FHrsGrid->SetColWidths(0, HourColWidth);
    FHrsGrid->SetOptions(
        {xgoFixedVertLine, xgoFixedHorzLine, xgoVertLine, xgoHorzLine, xgoRangeSelect, xgoEditing});
    FHrsGrid->SetScrollBars(TScrollStyle::ssVertical);
    FHrsGrid->setFixedWidth(150);
    for (int r = 0; r < 24; ++r)
        FHrsGrid->SetCells(0, r, QString::number(r));
    FHrsGrid->OnDoSetData = [this](TxCustomGrid*, int c, int r) { HrsGridDoSetData(c, r); };
    FHrsGrid->OnCanEditShow = [this](TxCustomGrid*, int c, int, bool& can) { HrsGridCanEditShow(c, can); };
    // The clipboard commands act on the whole profile, whatever cells are selected.
    QAction* cut = Command(FHrsGrid, QStringLiteral("Cut"), QKeySequence::Cut);
    QAction* copy = Command(FHrsGrid, QStringLiteral("&Copy"), QKeySequence::Copy);
    QAction* paste = Command(FHrsGrid, QStringLiteral("&Paste"), QKeySequence::Paste);
    QAction* remove = Command(FHrsGrid, QStringLiteral("Delete"));
    connect(cut, &QAction::triggered, this, &TProfileEdForm::CutProfile);
    connect(copy, &QAction::triggered, this, &TProfileEdForm::CopyProfile);
    connect(paste, &QAction::triggered, this, &TProfileEdForm::PasteProfile);
    connect(remove, &QAction::triggered, this, &TProfileEdForm::DeleteProfile);
    auto separator = [this] {
        auto* s = new QAction(this);
        s->setSeparator(true);
        return s;
    };
    FHrsGrid->addActions({cut, separator(), copy, paste, separator(), remove});
    FHrsGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);
    headings->addWidget(hrLabel);
    headings->addWidget(FCaptionLabel, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(headings);
    left->addWidget(FHrsGrid, 1);

    // Right: the chart, the chart choice and the adjuster.
    FBarSet = new QBarSet(QString());
    FBarSet->setColor(Teal);
    FBarSet->setBorderColor(Teal);
    FBars = new QBarSeries;
    FBars->append(FBarSet);
    FLine = new QLineSeries;
    FLine->setPen(QPen(Teal, 2));
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->addSeries(FBars);
    chart->addSeries(FLine);
    QValueAxis* hours = HourAxis(QStringLiteral("Time, Hr"), 3);
    SetHourRange(hours, 0, 23);
    FValueAxis = new QValueAxis;
    chart->addAxis(hours, Qt::AlignBottom);
    chart->addAxis(FValueAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(hours);
        series->attachAxis(FValueAxis);
    }
    auto* chartView = new QChartView(chart);
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumSize(250, 220);

    FLineRadio = new QRadioButton(QStringLiteral("&Line Chart"));
    FBarRadio = new QRadioButton(QStringLiteral("&Bar Chart"));
    FLineRadio->setChecked(true);
    connect(FLineRadio, &QRadioButton::toggled, this, &TProfileEdForm::UpdateSeriesVisibility);
    // One above the other: side by side they do not fit beside the adjuster at the smallest size.
    auto* choice = new QVBoxLayout;
    choice->addWidget(FLineRadio);
    choice->addWidget(FBarRadio);
    choice->addStretch();

    FOffsetEdit = AdjusterEdit("OffsetEdit", QStringLiteral("%0.2f"), 0.0);
    FMultiplierEdit = AdjusterEdit("MultiplierEdit", QStringLiteral("%0.2f"), 1.0);
    FTimeShiftEdit = AdjusterEdit("TimeShiftEdit", QStringLiteral("%0.0f"), 0.0);
    FTimeShiftEdit->SetRangeLo(-23);
    FTimeShiftEdit->SetRangeHi(23);
    auto* apply = new QPushButton(QStringLiteral("A&pply"));
    apply->setToolTip(QStringLiteral("Apply adjustment to profile"));
    apply->setAutoDefault(false);
    apply->setShortcut(QKeySequence::mnemonic(apply->text()));
    connect(apply, &QPushButton::clicked, this, &TProfileEdForm::ApplyAdjustment);
    auto* adjuster = new QFormLayout;
    AddPlainRow(adjuster, QStringLiteral("&Offset"), FOffsetEdit);
    AddPlainRow(adjuster, QStringLiteral("&Multiplier"), FMultiplierEdit);
    AddPlainRow(adjuster, QStringLiteral("&Time Shift"), FTimeShiftEdit);
    adjuster->addRow(QString(), apply);
    auto* lower = new QHBoxLayout;
    lower->addLayout(choice, 1);
    lower->addLayout(adjuster);
    auto* right = new QVBoxLayout;
    right->addWidget(chartView, 1);
    right->addLayout(lower);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);
    FStatusBar = new QStatusBar;
    FStatusBar->showMessage(ReadyText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    auto* bodyBox = new QWidget;
    bodyBox->setLayout(body);
    layout->addWidget(bodyBox, 1);
    layout->addWidget(FStatusBar);
}

void TProfileEdForm::SetLimits(double lower, double upper) {
    FLowerLimit = lower;
    FUpperLimit = upper;
}

void TProfileEdForm::SetLineChart(bool on) {
    (on ? FLineRadio : FBarRadio)->setChecked(true);
    UpdateSeriesVisibility();
}

bool TProfileEdForm::LineChart() const {
    return FLineRadio->isChecked();
}

void TProfileEdForm::UpdateSeriesVisibility() {
    FLine->setVisible(LineChart());
    FBars->setVisible(!LineChart());
}

void TProfileEdForm::showEvent(QShowEvent* event) {
    // Each showing edits the caller's profile: a value typed before a Cancel is gone.
    FHrsGrid->DiscardEditor();
    FStatusBar->showMessage(ReadyText);
    FCaptionLabel->setText(FValueCaption);
    FHrsGrid->SetColFormatStr(1, FValueFormat);
    FHrsGrid->SetColWidths(1, std::max(FHrsGrid->viewport()->width() - HourColWidth - 5, 40));
    Refresh();
    FHrsGrid->FocusCell(1, FHrsGrid->Row());
    UpdateSeriesVisibility();
    QDialog::showEvent(event);
    FHrsGrid->setFocus();
}

void TProfileEdForm::Refresh() {
    for (int h = 0; h < 24; ++h)
        ShowValue(h);
    FillProfileSeries(FValues, 0, 23, FBarSet, FLine);
    RescaleValueAxis();
}

void TProfileEdForm::ShowValue(int hour) {
    FHrsGrid->SetCells(1, hour, FormatFloat(FValueFormat, FValues[hour]));
}

void TProfileEdForm::RescaleValueAxis() {
    double bottom = 0, top = 0;
    if (ProfileEditRange(FValues, bottom, top)) SetValueRange(FValueAxis, bottom, top);
}

void TProfileEdForm::HrsGridCanEditShow(int col, bool& canEdit) const {
    canEdit = col == 1 && FEditable;
}

void TProfileEdForm::HrsGridDoSetData(int col, int row) {
    if (col != 1 || row < 0 || row > 23) return;
    double value = 0;
    const QString text = FHrsGrid->Cells(col, row);
    if (!TryStrToFloat(text, value)) {
        ShowValue(row); // the stored value stays
        ShowPlainMessage(this, QMessageBox::Warning, windowTitle(), ConvertErrorMessage(text));
        return;
    }
    if (FLowerLimit != FUpperLimit) {
        value = std::clamp(value, std::min(FLowerLimit, FUpperLimit), std::max(FLowerLimit, FUpperLimit));
        ShowValue(row);
    }
    FValues[row] = value;
    ShowValue(row);
    FBarSet->replace(row, value);
    FLine->replace(row, QPointF(row, value));
    RescaleValueAxis();
}

void TProfileEdForm::CutProfile() {
    CopyProfile();
    DeleteProfile();
}

void TProfileEdForm::CopyProfile() {
    QGuiApplication::clipboard()->setText(ProfileText(FValues, QStringLiteral("%0.1f")));
}

bool TProfileEdForm::PasteProfile() {
    TProfile24 pasted = FValues;
    QString problem;
    if (!ReadProfileText(QGuiApplication::clipboard()->text(), pasted, &problem)) {
        SystemBeep();
        FStatusBar->showMessage(problem + QStringLiteral(" The profile is unchanged."));
        return false;
    }
    FValues = pasted;
    Refresh();
    FStatusBar->showMessage(ReadyText);
    return true;
}

void TProfileEdForm::DeleteProfile() {
    FillProfile(FValues, 0);
    Refresh();
}

double TProfileEdForm::AdjusterValue(TxFEdit* box) const {
    CommitEdit(box);
    bool ok = false;
    const double value = box->Value().toDouble(&ok);
    return ok ? value : 0.0;
}

void TProfileEdForm::ApplyAdjustment() {
    FHrsGrid->HideEditor();
    const double offset = AdjusterValue(FOffsetEdit);
    const double multiplier = AdjusterValue(FMultiplierEdit);
    const int shift = int(std::lround(AdjusterValue(FTimeShiftEdit)));
    AdjustProfile(FValues, offset, multiplier, shift);
    Refresh();
}

void TProfileEdForm::reject() {
    FHrsGrid->DiscardEditor();
    QDialog::reject();
}

void TProfileEdForm::AcceptProfile() {
    FHrsGrid->HideEditor(); // a value still being typed is committed
    for (int h = 0; h < 24; ++h) {
        double value = 0;
        if (TryStrToFloat(FHrsGrid->Cells(1, h), value)) FValues[h] = value;
    }
    accept();
}
