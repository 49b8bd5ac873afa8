#pragma once
// The Design Peaks window: a month-by-hour heat map of a quantity picked from a list, and the table of
// the orientations' peaks for the days picked from a second list. Its caller fills it; it calculates
// nothing. "Copy" puts what is shown on the clipboard: the table as tab-separated text with CR LF line
// ends, or the heat map as a bitmap together with its month-by-hour table as text.
#include "HeatMap.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTabWidget;

// A table shown as it is given and copied cell by cell.
struct TTextTable {
    QString Caption; // what the days list shows for it
    QStringList Headings; // a line break in a heading is shown; the copied text has a space there
    QList<QStringList> Rows;
};

// The table as tab-separated text with CR LF line ends, headings first (on one line each).
QString TableTabText(const TTextTable& table);

class TDesignPeaksForm : public QDialog {
    Q_OBJECT
public:
    explicit TDesignPeaksForm(QWidget* parent = nullptr);

    // The line above both views: the site and the surface.
    void SetSubject(const QString& text);
    // The heat maps, one per quantity of the list, the first shown.
    void SetHeatMaps(const QList<THeatMapData>& maps);
    // The peak tables, one per entry of the days list, the first shown; note is the line beneath.
    void SetPeakTables(const QList<TTextTable>& tables, const QString& note);

    // The shown view's clipboard text (the table or the heat map's table).
    QString ShownText() const;
    // "Copy": the shown view to the clipboard.
    void CopyShown();

    QTabWidget* Views() const { return FViews; }
    QComboBox* QuantityList() const { return FQuantity; }
    QComboBox* DaysList() const { return FDays; }
    THeatMap* HeatMap() const { return FHeatMap; }
    QTableWidget* Table() const { return FTable; }

private:
    QWidget* CreateHeatMapPage();
    QWidget* CreateTablePage();
    void ShowHeatMap(int index);
    void ShowTable(int index);

    QLabel* FSubject;
    QTabWidget* FViews;
    QComboBox* FQuantity;
    THeatMap* FHeatMap;
    QComboBox* FDays;
    QTableWidget* FTable;
    QLabel* FNote;
    QList<THeatMapData> FMaps;
    QList<TTextTable> FTables;
};
