#include "TxSelectLocation.h"

#include "PlaceListModel.h"

#include "controls/TxGrids.h"

#include "storage/Folders.h"
#include "storage/FormPlacement.h"
#include "storage/Settings.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString SectionName = QStringLiteral("SelectLocationForm");
constexpr int ClientWidth = 383;
constexpr int ClientHeight = 303;
constexpr int LeftWidth = 185;
constexpr int LabelColumnWidth = 100;
const QColor Peach(240, 202, 166);
constexpr int PanelWidths[2] = {110, 200};

void ShowPlainMessage(QWidget* parent, const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), shown, QMessageBox::Ok, parent);
    box.exec();
}

// Fills a box with the texts in alphabetical order without regard to case.
void FillSorted(QComboBox* box, const QStringList& texts) {
    box->clear();
    box->addItems(SortedByLocationKey(texts));
}

// Selects the first entry equal to text without regard to case; no entry when there is none.
void SelectText(QComboBox* box, const QString& text) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    box->setCurrentIndex(IndexOfLocationText(items, text));
}

QToolButton* AddTextButton(QToolBar* bar, const QString& text) {
    QAction* action = bar->addAction(text);
    action->setShortcut(QKeySequence::mnemonic(text));
    return qobject_cast<QToolButton*>(bar->widgetForAction(action));
}

} // namespace

TSelectLocationForm::TSelectLocationForm(QWidget* parent, const QString& databaseFolder)
    : QDialog(parent), folder_(databaseFolder.isEmpty() ? DatabaseFolder() : databaseFolder),
      places_(new TPlaceListModel(this)) {
    ShowMessage = [this](const QString& text) { ShowPlainMessage(this, text); };
    setObjectName(SectionName);
    setWindowTitle(QStringLiteral("Select Location"));
    BuildControls();
    RestoreFormPlacement(this, false, false);
    const TSettingsStore settings(SectionName);
    rememberedDatabase_ = settings.ReadString(QStringLiteral("Database"), QString());
    rememberedRegion_ = settings.ReadString(QStringLiteral("Region"), QString());
    rememberedPlace_ = settings.ReadString(QStringLiteral("Place"), QString());
}

TSelectLocationForm::~TSelectLocationForm() = default;

void TSelectLocationForm::BuildControls() {
    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    acceptButton_ = AddTextButton(toolBar, QStringLiteral("&Accept"));
    cancelButton_ = AddTextButton(toolBar, QStringLiteral("&Cancel"));
    connect(acceptButton_, &QToolButton::clicked, this, &TSelectLocationForm::AcceptClick);
    connect(cancelButton_, &QToolButton::clicked, this, &QDialog::reject);

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
    leftPane->setFixedWidth(LeftWidth);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(2, 2, 2, 2);
    body->setSpacing(3);
    body->addWidget(leftPane);
    body->addWidget(summary_, 1);

    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        statusPanels_[i] = new QLabel(this);
        statusPanels_[i]->setFixedWidth(PanelWidths[i]);
        statusPanels_[i]->setFrameShape(QFrame::Panel);
        statusPanels_[i]->setFrameShadow(QFrame::Sunken);
        statusBar->addWidget(statusPanels_[i]);
    }

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(toolBar);
    outer->addLayout(body, 1);
    outer->addWidget(statusBar);
    setFixedSize(ClientWidth, ClientHeight);
}

void TSelectLocationForm::FitSummaryGrid() {
    summary_->SetColWidths(1, summary_->width() - (LabelColumnWidth + 4));
    // The ten rows share the grid's height, leaving no empty band below them.
    summary_->SetDefaultRowHeight(std::max(summary_->DefaultRowHeight(),
                                           (summary_->viewport()->height() - 1) / LocationSummaryRows));
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
    for (auto& row : labels) row.second.clear();
    ShowSummary(labels);
}

void TSelectLocationForm::ShowSummary(const TLocationSummary& rows) {
    for (int r = 0; r < LocationSummaryRows; ++r) {
        summary_->SetCells(0, r, rows[size_t(r)].first);
        summary_->SetCells(1, r, rows[size_t(r)].second);
    }
}

QString TSelectLocationForm::StatusText(int panel) const {
    return (panel >= 0 && panel < 2) ? statusPanels_[panel]->text() : QString();
}

void TSelectLocationForm::PresetLocation(const QString& locationName) {
    pickedName_ = locationName;
    std::tie(rememberedPlace_, rememberedRegion_) = PresetLocationTokens(locationName);
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

void TSelectLocationForm::Prepare() {
    placeShown_ = false;
    db_.LoadIndex(folder_);
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
}

void TSelectLocationForm::ListSelectedRegion() {
    const int32_t code = db_.RegionCode(ListedDatabase(), regionBox_->currentText());
    filling_ = true;
    try {
        places_->SetPlaces(db_.ListPlaces(code));
    } catch (...) {
        places_->Clear();
        filling_ = false;
        throw;
    }
    int row = places_->Find(rememberedPlace_);
    if (row < 0 && places_->rowCount() > 0) row = 0;
    placeList_->setCurrentIndex(places_->index(row, 0));
    filling_ = false;
    ShowSelectedPlace();
}

QString TSelectLocationForm::ListedDatabase() const {
    // After a database whose file is missing was chosen, the box names it while the regions and places
    // listed are still those of the database opened before; lookups follow what is listed.
    return db_.IsOpen() ? db_.OpenDatabase() : databaseBox_->currentText();
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
    record_ = record;
    pickedName_ = db_.PickedName(record, database, region);
    placeShown_ = true;
    const auto [number, count] = db_.RecordPosition();
    statusPanels_[0]->setText(QStringLiteral("Record %1 of %2").arg(number).arg(count));
    statusPanels_[1]->setText(pickedName_);
}

void TSelectLocationForm::DatabaseBoxChange() { Guarded([this] { OpenSelectedDatabase(); }); }

void TSelectLocationForm::RegionBoxChange() { Guarded([this] { ListSelectedRegion(); }); }

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
