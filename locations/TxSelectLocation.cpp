#include "TxSelectLocation.h"

#include "PlaceListModel.h"

#include "controls/TxGrids.h"

#include "storage/Folders.h"
#include "storage/FormPlacement.h"
#include "storage/PlainText.h"
#include "storage/Settings.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString SectionName = QStringLiteral("SelectLocationForm");
// The smallest size keeps every control usable; the default shows some twenty places of a list and a
// long place name with its region in full.
constexpr int MinClientWidth = 383;
constexpr int MinClientHeight = 303;
constexpr int DefaultClientWidth = 560;
constexpr int DefaultClientHeight = 440;
constexpr int LeftWidth = 185;
constexpr int LabelColumnWidth = 100;
const QColor Peach(240, 202, 166);
constexpr int PanelWidths[2] = {110, 200};
constexpr int MaxCollateAheadRecords = 2'000'000;

QString RecordText(int number, int count) {
    return QStringLiteral("Record %1 of %2").arg(number).arg(count);
}

QString SkippedText(int skipped) {
    return skipped == 1 ? QStringLiteral("1 corrupt record skipped")
                        : QStringLiteral("%1 corrupt records skipped").arg(skipped);
}

// The longest record text of a file of count records: every digit the widest one of the font.
QString WidestRecordText(const QFontMetrics& metrics, int count) {
    QChar widest = u'0';
    for (char16_t d = u'1'; d <= u'9'; ++d)
        if (metrics.horizontalAdvance(QChar(d)) > metrics.horizontalAdvance(widest)) widest = QChar(d);
    const QString digits(QString::number(count).size(), widest);
    return RecordText(digits.toInt(), digits.toInt());
}

// Makes a panel at least as wide as it needs to show text in full, keeping its present text.
void FitPanelTo(QLabel* panel, const QString& text, int minimum) {
    const QString shown = panel->text();
    panel->setText(text);
    panel->setMinimumWidth(std::max(minimum, panel->sizeHint().width()));
    panel->setText(shown);
}

// Fills a box with the texts in alphabetical order without regard to case.
void FillSorted(QComboBox* box, const QStringList& texts) {
    box->clear();
    box->addItems(SortedByLocationKey(texts));
}

// Selects the first entry equal to text without regard to case; no entry when there is none.
void SelectText(QComboBox* box, const QString& text) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    box->setCurrentIndex(IndexOfLocationText(items, text));
}

// A text button whose Alt+letter shortcut and click both run slot; it takes focus from Tab.
template <typename Slot>
QToolButton* AddTextButton(QToolBar* bar, const QString& text, TSelectLocationForm* form, Slot slot) {
    QAction* action = bar->addAction(text);
    action->setShortcut(QKeySequence::mnemonic(text));
    QObject::connect(action, &QAction::triggered, form, slot);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

TSelectLocationForm::TSelectLocationForm(QWidget* parent, const QString& databaseFolder)
    : QDialog(parent), folder_(databaseFolder.isEmpty() ? DatabaseFolder() : databaseFolder),
      places_(new TPlaceListModel(this)) {
    ShowMessage = [this](const QString& text) {
        ShowPlainMessage(this, QMessageBox::NoIcon, QCoreApplication::applicationName(), text);
    };
    setObjectName(SectionName);
    setWindowTitle(QStringLiteral("Select Location"));
    BuildControls();
    // Without a stored placement the dialog keeps no position of its own, so it opens centred over
    // the main window.
    if (TSettingsStore(SectionName).ValueExists(QStringLiteral("Left")))
        RestoreFormPlacement(this, false, true);
    const TSettingsStore settings(SectionName);
    rememberedDatabase_ = settings.ReadString(QStringLiteral("Database"), QString());
    rememberedRegion_ = settings.ReadString(QStringLiteral("Region"), QString());
    rememberedPlace_ = settings.ReadString(QStringLiteral("Place"), QString());
}

TSelectLocationForm::~TSelectLocationForm() = default;

void TSelectLocationForm::BuildControls() {
    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    acceptButton_ =
        AddTextButton(toolBar, QStringLiteral("&Accept"), this, &TSelectLocationForm::AcceptClick);
    cancelButton_ = AddTextButton(toolBar, QStringLiteral("&Cancel"), this, &QDialog::reject);

    databaseBox_ = new QComboBox(this);
    regionBox_ = new QComboBox(this);
    placeList_ = new QListView(this);
    placeList_->setModel(places_);
    placeList_->setUniformItemSizes(true); // keeps a list of many thousand places quick to lay out
    placeList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(databaseBox_, &QComboBox::activated, this, &TSelectLocationForm::DatabaseBoxChange);
    connect(regionBox_, &QComboBox::activated, this, &TSelectLocationForm::RegionBoxChange);
    connect(placeList_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!filling_) Guarded([this] { ShowSelectedPlace(); });
    });
    connect(placeList_, &QListView::doubleClicked, this, &TSelectLocationForm::AcceptClick);

    BuildSummaryGrid();

    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(databaseBox_);
    left->addWidget(regionBox_);
    left->addWidget(placeList_, 1);
    auto* leftPane = new QWidget(this);
    leftPane->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);
    leftPane->setMinimumWidth(LeftWidth);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(2, 2, 2, 2);
    body->setSpacing(3);
    body->addWidget(leftPane, 1);
    body->addWidget(summary_, 1);

    auto* statusBar = new QStatusBar(this);
    for (int i = 0; i < 3; ++i) {
        statusPanels_[i] = PlainLabel(QString(), this);
        statusPanels_[i]->setFrameShape(QFrame::Panel);
        statusPanels_[i]->setFrameShadow(QFrame::Sunken);
    }
    statusPanels_[0]->setMinimumWidth(PanelWidths[0]);
    // The name panel takes the width left; its minimum keeps a long name from widening the dialog.
    statusPanels_[1]->setMinimumWidth(PanelWidths[1]);
    statusPanels_[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusPanels_[2]->hide();
    statusBar->addWidget(statusPanels_[0]);
    statusBar->addWidget(statusPanels_[1], 1);
    statusBar->addWidget(statusPanels_[2]);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(toolBar);
    outer->addLayout(body, 1);
    outer->addWidget(statusBar);
    setMinimumSize(MinClientWidth, MinClientHeight);
    resize(DefaultSize());

    setTabOrder(databaseBox_, regionBox_);
    setTabOrder(regionBox_, placeList_);
    setTabOrder(placeList_, acceptButton_);
    setTabOrder(acceptButton_, cancelButton_);
}

QSize TSelectLocationForm::DefaultSize() {
    return {DefaultClientWidth, DefaultClientHeight};
}

void TSelectLocationForm::FitSummaryGrid() {
    summary_->SetColWidths(1, summary_->width() - (LabelColumnWidth + 4));
    // The ten rows share the grid's height, leaving no empty band below them.
    summary_->SetDefaultRowHeight(
        std::max(summary_->DefaultRowHeight(), (summary_->viewport()->height() - 1) / LocationSummaryRows));
}

void TSelectLocationForm::BuildSummaryGrid() {
    summary_ = new TxStringGrid(this);
    summary_->SetFixedCols(0);
    summary_->SetFixedRows(0);
    summary_->SetColCount(2);
    summary_->SetRowCount(LocationSummaryRows);
    summary_->SetScrollBars(TScrollStyle::ssNone);
    summary_->SetOptions({xgoVertLine, xgoHorzLine});
    summary_->SetColor(Peach);
    summary_->SetColWidths(0, LabelColumnWidth);
    // Read-only: the grid takes no input; its text keeps the normal colour rather than greyed out, and
    // a disabled grid highlights no cell.
    QPalette palette = summary_->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    summary_->setPalette(palette);
    summary_->setEnabled(false);
    TLocationSummary labels = LocationSummary({});
    for (auto& row : labels)
        row.second.clear();
    ShowSummary(labels);
}

void TSelectLocationForm::ShowSummary(const TLocationSummary& rows) {
    for (int r = 0; r < LocationSummaryRows; ++r) {
        summary_->SetCells(0, r, rows[size_t(r)].first);
        summary_->SetCells(1, r, rows[size_t(r)].second);
    }
}

QString TSelectLocationForm::StatusText(int panel) const {
    return (panel >= 0 && panel < 3) ? statusPanels_[panel]->text() : QString();
}

void TSelectLocationForm::PresetLocation(const QString& locationName) {
    pickedName_ = locationName;
    std::tie(rememberedPlace_, rememberedRegion_) = PresetLocationTokens(locationName);
    rememberedLabel_ = rememberedRegion_;
}

void TSelectLocationForm::Guarded(const std::function<void()>& step) {
    try {
        step();
    } catch (const EFOpenError& e) {
        ShowMessage(e.Message());
    }
}

void TSelectLocationForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    FitSummaryGrid();
    Guarded([this] { Prepare(); });
}

void TSelectLocationForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isVisible()) FitSummaryGrid();
}

void TSelectLocationForm::keyPressEvent(QKeyEvent* event) {
    // Return runs the focused button, anywhere else it accepts the selected place. Escape (handled by
    // the base class) cancels.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (focusWidget() == cancelButton_)
            reject();
        else
            AcceptClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSelectLocationForm::Prepare() {
    placeShown_ = false;
    try {
        db_.LoadIndex(folder_);
    } catch (const EFOpenError&) {
        // No databases to offer: the boxes and the list are emptied before the message is shown.
        databaseBox_->clear();
        regionBox_->clear();
        places_->Clear();
        throw;
    }
    FillSorted(databaseBox_, db_.DatabaseNames());
    if (rememberedDatabase_.isEmpty())
        databaseBox_->setCurrentIndex(databaseBox_->count() > 0 ? 0 : -1);
    else
        SelectText(databaseBox_, rememberedDatabase_);
    rememberedDatabase_ = databaseBox_->currentText();
    OpenSelectedDatabase();
    ShowSelectedPlace();
}

void TSelectLocationForm::OpenSelectedDatabase() {
    const QString name = databaseBox_->currentText();
    if (!db_.Open(name)) {
        ShowMessage(MissingDatabaseMessage(name));
        return;
    }
    FillSorted(regionBox_, db_.RegionNames(name));
    if (!rememberedRegion_.isEmpty()) SelectText(regionBox_, rememberedRegion_);
    if (regionBox_->currentIndex() < 0 && regionBox_->count() > 0) regionBox_->setCurrentIndex(0);
    rememberedRegion_ = regionBox_->currentText();
    ListSelectedRegion();
    // While the user looks at one region, the names of all are collated, so that a first "+All" of a
    // large database lists as quickly as any later one.
    // Not for a file of millions of places, whose names would fill memory before anyone asked for them.
    if (db_.RegionCode(name, regionBox_->currentText()) != 0 &&
        db_.RecordPosition().second <= MaxCollateAheadRecords)
        places_->CollateAhead(db_.PlaceNamesReader());
}

void TSelectLocationForm::ListSelectedRegion() {
    const int32_t code = db_.RegionCode(ListedDatabase(), regionBox_->currentText());
    {
        const QScopedValueRollback<bool> filling(filling_, true);
        try {
            places_->SetPlaces(db_.ListPlaces(code));
        } catch (...) {
            places_->Clear();
            throw;
        }
        ShowSkipped(db_.SkippedRecords());
        int row = RememberedPlaceRow();
        if (row < 0 && places_->rowCount() > 0) row = 0;
        placeList_->setCurrentIndex(places_->index(row, 0));
    }
    ShowSelectedPlace();
}

QString TSelectLocationForm::ListedDatabase() const {
    // After a database whose file is missing was chosen, the box names it while the regions and places
    // listed are still those of the database opened before; lookups follow what is listed.
    return db_.IsOpen() ? db_.OpenDatabase() : databaseBox_->currentText();
}

int TSelectLocationForm::RememberedPlaceRow() {
    // Of several places of the remembered name the one in the remembered region, else the first.
    // The records of the rows are read in one pass, however many rows bear the name.
    const std::vector<int> rows = places_->FindAll(rememberedPlace_);
    if (rows.size() > 1) {
        const QString database = ListedDatabase(), region = regionBox_->currentText();
        std::vector<int> numbers;
        for (int row : rows)
            numbers.push_back(places_->Entry(row).Rec.RecordIndex);
        const std::vector<int> inRegion = db_.MatchingRecords(numbers, [&](const LocationRecord& r) {
            return IndexOfLocationText({db_.RegionLabel(r, database, region)}, rememberedLabel_) == 0;
        });
        for (int row : rows)
            if (std::binary_search(inRegion.cbegin(), inRegion.cend(), places_->Entry(row).Rec.RecordIndex))
                return row;
    }
    return rows.empty() ? -1 : rows.front();
}

int TSelectLocationForm::SelectedRow() const {
    const QModelIndex current = placeList_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TSelectLocationForm::ShowSelectedPlace() {
    const int row = SelectedRow();
    if (row < 0) return;
    const LocationRecord record = db_.ReadRecord(places_->Entry(row).Rec.RecordIndex);
    ShowSummary(LocationSummary(record));
    const QString database = ListedDatabase(), region = regionBox_->currentText();
    rememberedRegion_ = db_.RegionLabel(record, database, region);
    rememberedLabel_ = rememberedRegion_;
    record_ = record;
    pickedName_ = db_.PickedName(record, database, region);
    placeShown_ = true;
    const auto [number, count] = db_.RecordPosition();
    FitPanelTo(statusPanels_[0], WidestRecordText(statusPanels_[0]->fontMetrics(), count), PanelWidths[0]);
    statusPanels_[0]->setText(RecordText(number, count));
    statusPanels_[1]->setText(pickedName_);
}

void TSelectLocationForm::ShowSkipped(int skipped) {
    statusPanels_[2]->setText(SkippedText(skipped));
    statusPanels_[2]->setVisible(skipped > 0);
}

void TSelectLocationForm::DatabaseBoxChange() {
    Guarded([this] { OpenSelectedDatabase(); });
}

void TSelectLocationForm::RegionBoxChange() {
    Guarded([this] { ListSelectedRegion(); });
}

void TSelectLocationForm::AcceptClick() {
    // With no place shown in this showing there is nothing to hand back: the caller takes nothing.
    done(placeShown_ ? QDialog::Accepted : QDialog::Rejected);
}

void TSelectLocationForm::done(int result) {
    SaveState();
    QDialog::done(result);
}

void TSelectLocationForm::SaveState() {
    rememberedDatabase_ = databaseBox_->currentText();
    rememberedRegion_ = regionBox_->currentText();
    const int row = SelectedRow();
    rememberedPlace_ = row >= 0 ? places_->Entry(row).PlaceName : QString();
    SaveFormPlacement(this);
    {
        TSettingsStore settings(SectionName);
        settings.WriteString(QStringLiteral("Database"), rememberedDatabase_);
        settings.WriteString(QStringLiteral("Region"), rememberedRegion_);
        settings.WriteString(QStringLiteral("Place"), rememberedPlace_);
    }
    db_.Release();
    places_->Clear();
}
