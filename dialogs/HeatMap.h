#pragma once
// A month-by-hour heat map: one cell per design month (rows) and clock hour (columns), coloured on a
// scale whose lightness falls steadily from the smallest to the largest value (so it still reads when
// printed in grey), each value written in its cell where it fits, the peak cell framed, the hour and
// month axes labelled and a legend of the scale beside it. The same painting serves the window, the
// clipboard bitmap and any page image.
#include "solar/Profile24.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

class QPainter;

struct THeatMapData {
    QString Title;                       // the quantity, "Total irradiance"
    QString Units;                       // "W/m2"
    QString Subtitle;                    // the site, surface and days
    QString Format;                      // printf-style format of a value ("%0.0f")
    QStringList RowNames;                // the 12 months' names, "Jan" .. "Dec"
    std::array<TProfile24, 12> Values{}; // row m: month m + 1; slot h: clock hour h
    bool BlankZero = false;              // a 0 is no sun: the cell shows no number
    int PeakMonth = 0;                   // 1..12; 0: no peak to mark
    int PeakHour = -1;
};

// The colour of the scale at t in [0, 1] (0 the smallest value): pale yellow through orange and red
// to a dark wine red.
QColor HeatColour(double t);

// Paints the whole heat map, titles, axes and legend included, into area on a white background.
void PaintHeatMap(QPainter& painter, const QRect& area, const THeatMapData& data);

// The month-by-hour table as tab-separated text with CR LF line ends: a heading row "Month" and the
// hours, then one row per month with the values in the data's format.
QString HeatMapTableText(const THeatMapData& data);

class THeatMap : public QWidget {
    Q_OBJECT
public:
    explicit THeatMap(QWidget* parent = nullptr);
    void SetData(const THeatMapData& data);
    const THeatMapData& Data() const { return FData; }
    // The heat map as a bitmap of the given size (the clipboard's picture).
    QImage Render(const QSize& size) const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    THeatMapData FData;
};
