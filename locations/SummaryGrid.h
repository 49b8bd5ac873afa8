#pragma once
// The location dialog's read-only summary: ten rows of label and value on a light peach background,
// taking no input and highlighting no cell. SetRows and Cell are the only ways in and out, so the grid
// underneath can be exchanged without touching the dialog.
#include "LocationSummary.h"

#include <QWidget>

class QTableWidget;

class TSummaryGrid : public QWidget {
    Q_OBJECT
public:
    explicit TSummaryGrid(QWidget* parent = nullptr);

    void SetRows(const TLocationSummary& rows);
    // The text of a cell: column 0 labels, column 1 values.
    QString Cell(int col, int row) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTableWidget* grid_;
};
