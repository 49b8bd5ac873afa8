#include "DesignPeaksDlg.h"

#include "storage/PlainText.h"

#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>

namespace {

QString TabLine(const QStringList& cells) {
    return cells.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
}

// A list with its label, whose Alt+letter moves to the list.
QComboBox* AddLabelledList(QBoxLayout* layout, const QString& caption, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QLabel* label = PlainLabel(caption, parent);
    label->setBuddy(list);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(list);
    row->addStretch();
    layout->addLayout(row);
    return list;
}

} // namespace

QString TableTabText(const TTextTable& table) {
    QStringList headings = table.Headings;
    headings.replaceInStrings(QStringLiteral("\n"), QStringLiteral(" "));
    QString text = TabLine(headings);
    for (const QStringList& row : table.Rows)
        text += TabLine(row);
    return text;
}

TDesignPeaksForm::TDesignPeaksForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DesignPeaksForm"));
    setWindowTitle(QStringLiteral("Design Peaks"));
    setSizeGripEnabled(true);

    FSubject = PlainLabel(QString(), this);
    FSubject->setWordWrap(true);
    FSubject->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FViews = new QTabWidget(this);
    FViews->addTab(CreateHeatMapPage(), QStringLiteral("&Heat Map"));
    FViews->addTab(CreateTablePage(), QStringLiteral("&Orientations"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    // The standard "&Close" would take Alt+C from "&Copy"; Esc closes.
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Close"));
    QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CopyButton"));
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, &TDesignPeaksForm::CopyShown);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FSubject);
    layout->addWidget(FViews, 1);
    layout->addWidget(buttons);
    // Room for a number in every heat-map cell where the screen allows it (a dialog's own first size
    // is capped at two thirds of the screen).
    const QSize wanted = sizeHint().expandedTo(QSize(960, 620));
    resize(screen() ? wanted.boundedTo(screen()->availableSize() * 0.9) : wanted);
}

QWidget* TDesignPeaksForm::CreateHeatMapPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    FQuantity = AddLabelledList(layout, QStringLiteral("&Quantity:"), page);
    FHeatMap = new THeatMap(page);
    layout->addWidget(FHeatMap, 1);
    connect(FQuantity, &QComboBox::currentIndexChanged, this, &TDesignPeaksForm::ShowHeatMap);
    return page;
}

QWidget* TDesignPeaksForm::CreateTablePage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    FDays = AddLabelledList(layout, QStringLiteral("&Days:"), page);
    FTable = new QTableWidget(page);
    FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTable->setSelectionMode(QAbstractItemView::NoSelection);
    FTable->verticalHeader()->hide();
    FTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FTable->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    layout->addWidget(FTable, 1);
    FNote = PlainLabel(QString(), page);
    FNote->setWordWrap(true);
    layout->addWidget(FNote);
    connect(FDays, &QComboBox::currentIndexChanged, this, &TDesignPeaksForm::ShowTable);
    return page;
}

void TDesignPeaksForm::SetSubject(const QString& text) {
    FSubject->setText(text);
}

void TDesignPeaksForm::SetHeatMaps(const QList<THeatMapData>& maps) {
    FMaps = maps;
    const QSignalBlocker block(FQuantity);
    FQuantity->clear();
    for (const THeatMapData& map : maps)
        FQuantity->addItem(map.Title);
    ShowHeatMap(maps.isEmpty() ? -1 : 0);
}

void TDesignPeaksForm::SetPeakTables(const QList<TTextTable>& tables, const QString& note) {
    FTables = tables;
    FNote->setText(note);
    const QSignalBlocker block(FDays);
    FDays->clear();
    for (const TTextTable& table : tables)
        FDays->addItem(table.Caption);
    ShowTable(tables.isEmpty() ? -1 : 0);
}

void TDesignPeaksForm::ShowHeatMap(int index) {
    FHeatMap->SetData(FMaps.value(index));
}

void TDesignPeaksForm::ShowTable(int index) {
    const TTextTable table = FTables.value(index);
    FTable->clear();
    FTable->setColumnCount(int(table.Headings.size()));
    FTable->setRowCount(int(table.Rows.size()));
    FTable->setHorizontalHeaderLabels(table.Headings);
    for (int r = 0; r < table.Rows.size(); ++r)
        for (int c = 0; c < table.Rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(table.Rows[r][c]);
            // Names on the left, numbers right-aligned so that their digits line up.
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
            FTable->setItem(r, c, item);
        }
}

QString TDesignPeaksForm::ShownText() const {
    if (FViews->currentIndex() == 0) return FMaps.isEmpty() ? QString() : HeatMapTableText(FHeatMap->Data());
    return TableTabText(FTables.value(FDays->currentIndex()));
}

void TDesignPeaksForm::CopyShown() {
    auto* mime = new QMimeData;
    mime->setText(ShownText());
    // The heat map goes as a picture too: a report takes the picture, a spreadsheet the numbers.
    if (FViews->currentIndex() == 0) mime->setImageData(FHeatMap->Render(FHeatMap->size()));
    QApplication::clipboard()->setMimeData(mime);
}
