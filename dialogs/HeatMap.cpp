#include "HeatMap.h"

#include "controls/TxNumText.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The smallest and largest finite value of the table (0 and 0 when there is none).
void ValueRange(const THeatMapData& data, double& lo, double& hi) {
    bool any = false;
    lo = hi = 0;
    for (const TProfile24& row : data.Values)
        for (double v : row) {
            if (!std::isfinite(v)) continue;
            lo = any ? std::min(lo, v) : v;
            hi = any ? std::max(hi, v) : v;
            any = true;
        }
}

double ScaleOf(double v, double lo, double hi) {
    return hi > lo ? std::clamp((v - lo) / (hi - lo), 0.0, 1.0) : 0.0;
}

// Black text on the light end of the scale, white on the dark end.
QColor TextColourOn(const QColor& fill) {
    return qGray(fill.rgb()) > 140 ? Qt::black : Qt::white;
}

QString CellText(const THeatMapData& data, double v) {
    if (!std::isfinite(v) || (data.BlankZero && v == 0)) return {};
    return FormatFloat(data.Format, v);
}

// The place of each part of the picture inside the area.
struct TLayout {
    QRect Titles, Grid, Legend, Note;
    double CellW = 0, CellH = 0;
    // Whole pixels, each edge shared with the neighbour, so no seam shows between cells.
    QRectF Cell(int month, int hour) const {
        const auto x = [this](int h) { return Grid.left() + std::lround(h * CellW); };
        const auto y = [this](int m) { return Grid.top() + std::lround((m - 1) * CellH); };
        return QRectF(QPointF(x(hour), y(month)), QPointF(x(hour + 1), y(month + 1)));
    }
};

TLayout LayoutOf(const QRect& area, const QFontMetrics& fm) {
    const int line = fm.height();
    const int margin = line / 2;
    TLayout l;
    l.Titles = QRect(area.left() + margin, area.top() + margin, area.width() - 2 * margin, 2 * line + 2);
    const int left = area.left() + margin + fm.horizontalAdvance(QStringLiteral("Month ")) + margin;
    const int legendWidth = fm.horizontalAdvance(QStringLiteral("-0000.0 W/m2")) + 2 * line;
    const int top = l.Titles.bottom() + line + margin; // room for the hour labels above the grid
    const int bottom = area.bottom() - margin - 2 * line - line / 4; // two lines of notes beneath
    const int right = area.right() - margin - legendWidth;
    l.Grid = QRect(QPoint(left, top), QPoint(std::max(left + 24, right), std::max(top + 12, bottom)));
    l.CellW = l.Grid.width() / 24.0;
    l.CellH = l.Grid.height() / 12.0;
    l.Legend = QRect(l.Grid.right() + line, top, line, l.Grid.height());
    l.Note = QRect(area.left() + margin, l.Grid.bottom() + 2, area.width() - 2 * margin, 2 * line + 2);
    return l;
}

// Numbers go into the cells only when every one of them fits: a map with some cells numbered and
// others not would read as if the blank ones were empty.
bool NumbersFit(const THeatMapData& data, const QFontMetrics& fm, double cellWidth) {
    for (const TProfile24& row : data.Values)
        for (double v : row)
            if (fm.horizontalAdvance(CellText(data, v)) + 2 > cellWidth) return false;
    return true;
}

void PaintCells(QPainter& p, const TLayout& l, const THeatMapData& data, double lo, double hi) {
    const bool numbers = NumbersFit(data, p.fontMetrics(), l.CellW);
    for (int m = 1; m <= 12; ++m)
        for (int h = 0; h < 24; ++h) {
            const double v = data.Values[m - 1][h];
            const QRectF cell = l.Cell(m, h);
            const QColor fill = std::isfinite(v) ? HeatColour(ScaleOf(v, lo, hi)) : QColor(Qt::white);
            p.fillRect(cell, fill);
            if (!numbers) continue;
            p.setPen(TextColourOn(fill));
            p.drawText(cell, Qt::AlignCenter, CellText(data, v));
        }
    p.setPen(QPen(QColor(160, 160, 160), 0));
    p.drawRect(QRectF(l.Grid).adjusted(0, 0, -1, -1));
    if (data.PeakMonth >= 1 && data.PeakMonth <= 12 && data.PeakHour >= 0 && data.PeakHour < 24) {
        // A black frame with a white one inside reads on both ends of the scale and in grey.
        const QRectF cell = l.Cell(data.PeakMonth, data.PeakHour);
        p.setPen(QPen(Qt::black, 3));
        p.drawRect(cell.adjusted(1.5, 1.5, -1.5, -1.5));
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(cell.adjusted(3.5, 3.5, -3.5, -3.5));
    }
}

void PaintAxes(QPainter& p, const TLayout& l, const THeatMapData& data) {
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(Qt::black);
    const int step = l.CellW >= fm.horizontalAdvance(QStringLiteral("00")) + 2 ? 1 : 2;
    for (int h = 0; h < 24; h += step) {
        const QRectF cell = l.Cell(1, h);
        p.drawText(QRectF(cell.left(), l.Grid.top() - fm.height() - 2, cell.width(), fm.height()),
                   Qt::AlignCenter, QString::number(h));
    }
    for (int m = 1; m <= 12; ++m) {
        const QRectF cell = l.Cell(m, 0);
        p.drawText(QRectF(l.Titles.left(), cell.top(), cell.left() - l.Titles.left() - 4, cell.height()),
                   Qt::AlignRight | Qt::AlignVCenter, data.RowNames.value(m - 1));
    }
    p.drawText(QRectF(l.Titles.left(), l.Grid.top() - fm.height() - 2, l.Grid.left() - l.Titles.left() - 4,
                      fm.height()),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Hour"));
}

void PaintLegend(QPainter& p, const TLayout& l, const THeatMapData& data, double lo, double hi) {
    const QRect bar = l.Legend;
    for (int y = 0; y < bar.height(); ++y)
        p.fillRect(QRect(bar.left(), bar.bottom() - y, bar.width(), 1), HeatColour(double(y) / bar.height()));
    p.setPen(QPen(QColor(120, 120, 120), 0));
    p.drawRect(bar.adjusted(0, 0, -1, -1));
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(Qt::black);
    constexpr int Ticks = 5;
    for (int i = 0; i < Ticks; ++i) {
        const double t = double(i) / (Ticks - 1);
        const int y = bar.bottom() - int(std::lround(t * bar.height()));
        QString text = FormatFloat(data.Format, lo + t * (hi - lo));
        if (i == Ticks - 1) text += QLatin1Char(' ') + data.Units;
        p.drawText(QRect(bar.right() + 6, y - fm.height() / 2, 400, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

// One line of text in rect, cut with an ellipsis when it is too long.
void DrawLine(QPainter& p, const QRect& rect, int flags, const QString& text) {
    p.drawText(rect, flags, p.fontMetrics().elidedText(text, Qt::ElideRight, rect.width()));
}

void PaintTexts(QPainter& p, const TLayout& l, const THeatMapData& data) {
    const int line = p.fontMetrics().height();
    p.setPen(Qt::black);
    p.save();
    QFont bold = p.font();
    bold.setBold(true);
    p.setFont(bold);
    DrawLine(p, l.Titles, Qt::AlignLeft | Qt::AlignTop,
             QStringLiteral("%1 [%2]").arg(data.Title, data.Units));
    p.restore();
    DrawLine(p, l.Titles, Qt::AlignLeft | Qt::AlignBottom, data.Subtitle);

    QString peak = QStringLiteral("No peak: the value never rises above 0.");
    if (data.PeakMonth >= 1 && data.PeakMonth <= 12 && data.PeakHour >= 0 && data.PeakHour < 24)
        peak = QStringLiteral("Framed: the peak, %1 %2 on 21 %3 at %4:00.")
                   .arg(FormatFloat(data.Format, data.Values[data.PeakMonth - 1][data.PeakHour]), data.Units,
                        data.RowNames.value(data.PeakMonth - 1),
                        QString::number(data.PeakHour).rightJustified(2, QLatin1Char('0')));
    const QRect first(l.Note.left(), l.Note.top() + line / 4, l.Note.width(), line);
    DrawLine(p, first, Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Clock hour across, design day (21st) of each month down."));
    DrawLine(p, first.translated(0, line), Qt::AlignLeft | Qt::AlignVCenter, peak);
}

} // namespace

QColor HeatColour(double t) {
    // Lightness falls monotonically along these stops, so the order survives a grey print.
    static const QColor stops[] = {
        {255, 255, 204}, {254, 217, 118}, {253, 141, 60}, {227, 26, 28}, {128, 0, 38}};
    constexpr int last = int(std::size(stops)) - 1;
    const double x = std::clamp(std::isfinite(t) ? t : 0.0, 0.0, 1.0) * last;
    const int i = std::min(int(x), last - 1);
    const double f = x - i;
    auto mix = [f](int a, int b) { return int(std::lround(a + (b - a) * f)); };
    return QColor(mix(stops[i].red(), stops[i + 1].red()), mix(stops[i].green(), stops[i + 1].green()),
                  mix(stops[i].blue(), stops[i + 1].blue()));
}

void PaintHeatMap(QPainter& painter, const QRect& area, const THeatMapData& data) {
    painter.save();
    painter.fillRect(area, Qt::white);
    double lo = 0, hi = 0;
    ValueRange(data, lo, hi);
    const TLayout layout = LayoutOf(area, painter.fontMetrics());
    PaintCells(painter, layout, data, lo, hi);
    PaintAxes(painter, layout, data);
    PaintLegend(painter, layout, data, lo, hi);
    PaintTexts(painter, layout, data);
    painter.restore();
}

QString HeatMapTableText(const THeatMapData& data) {
    QStringList lines;
    QStringList heading{QStringLiteral("Month")};
    for (int h = 0; h < 24; ++h)
        heading << QString::number(h);
    lines << heading.join(QLatin1Char('\t'));
    for (int m = 0; m < 12; ++m) {
        QStringList cells{data.RowNames.value(m)};
        for (double v : data.Values[m])
            cells << FormatFloat(data.Format, v);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// ---- Widget ----

THeatMap::THeatMap(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void THeatMap::SetData(const THeatMapData& data) {
    FData = data;
    update();
}

QImage THeatMap::Render(const QSize& size) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font());
    PaintHeatMap(painter, image.rect(), FData);
    return image;
}

QSize THeatMap::sizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("0000")) * 24 + 220, fontMetrics().height() * 22};
}

QSize THeatMap::minimumSizeHint() const {
    return {480, fontMetrics().height() * 18};
}

void THeatMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintHeatMap(painter, rect(), FData);
}
