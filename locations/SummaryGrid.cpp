#include "SummaryGrid.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QColor Peach(240, 202, 166);
constexpr int LabelWidth = 100;
// The value column takes the grid's width less the label column and the lines between cells.
constexpr int ColumnGaps = 4;
} // namespace

TSummaryGrid::TSummaryGrid(QWidget* parent) : QWidget(parent), grid_(new QTableWidget(LocationSummaryRows, 2, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFocusPolicy(Qt::NoFocus);
    // Takes no input, but keeps drawing its text in full colour rather than greyed out.
    grid_->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette palette = grid_->palette();
    palette.setColor(QPalette::Base, Peach);
    palette.setColor(QPalette::Window, Peach);
    grid_->setPalette(palette);
    grid_->setColumnWidth(0, LabelWidth);
    for (int row = 0; row < LocationSummaryRows; ++row)
        for (int col = 0; col < 2; ++col) grid_->setItem(row, col, new QTableWidgetItem);
}

void TSummaryGrid::SetRows(const TLocationSummary& rows) {
    for (int row = 0; row < LocationSummaryRows; ++row) {
        grid_->item(row, 0)->setText(rows[size_t(row)].first);
        grid_->item(row, 1)->setText(rows[size_t(row)].second);
    }
}

QString TSummaryGrid::Cell(int col, int row) const {
    const QTableWidgetItem* item = grid_->item(row, col);
    return item ? item->text() : QString();
}

void TSummaryGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    grid_->setColumnWidth(1, std::max(0, grid_->viewport()->width() - LabelWidth - ColumnGaps));
    const int rowHeight = grid_->viewport()->height() / LocationSummaryRows;
    for (int row = 0; row < LocationSummaryRows; ++row) grid_->setRowHeight(row, rowHeight);
}
