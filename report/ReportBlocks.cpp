#include "report/ReportBlocks.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

int Round(double v) {
    return int(std::lround(v));
}

int PointSize(const TStdReport& report) {
    const int size = const_cast<TStdReport&>(report).Engine().ReportFont.pointSize();
    return size > 0 ? size : 10;
}

// The report font at a size, with the extra styles.
QFont ReportFont(TStdReport& report, int points, bool bold = false) {
    QFont font = report.Engine().CanvasFont();
    font.setPointSize(std::max(1, points));
    font.setBold(bold);
    return font;
}

// A text cut with "..." to width on the canvas.
QString Elided(const QPainter& canvas, const QString& text, int width) {
    return canvas.fontMetrics().elidedText(text, Qt::ElideRight, std::max(1, width));
}

} // namespace

void PrintPairs(TStdReport& report, const QList<QPair<QString, QString>>& pairs) {
    TPageEngine& engine = report.Engine();
    QPainter& canvas = *report.Canvas;
    const QFont plain = ReportFont(report, PointSize(report)),
                bold = ReportFont(report, PointSize(report), true);
    int labelWidth = 0;
    for (const auto& [label, value] : pairs)
        labelWidth = std::max(labelWidth, QFontMetrics(bold, canvas.device()).horizontalAdvance(label));
    const int x = report.LeftX + labelWidth +
                  QFontMetrics(plain, canvas.device()).horizontalAdvance(QStringLiteral("   "));
    for (const auto& [label, value] : pairs) {
        QStringList pieces;
        for (const QString& line : value.split(QLatin1Char('\n')))
            pieces << WrapToWidth(line, plain, canvas.device(), report.RightX - x);
        engine.CheckSpace(std::min(int(pieces.size()), 3));
        canvas.setFont(bold);
        engine.TextOut(report.LeftX, engine.Pen.y(), label);
        canvas.setFont(plain);
        for (const QString& piece : pieces) {
            engine.CheckSpace(1);
            canvas.setFont(plain); // a new page sets its own font
            engine.TextOut(x, engine.Pen.y(), piece);
            engine.NewLine(1);
        }
    }
    canvas.setFont(plain);
}

void PrintParagraph(TStdReport& report, const QString& text, int sizeStep) {
    TPageEngine& engine = report.Engine();
    QPainter& canvas = *report.Canvas;
    const QFont font = ReportFont(report, PointSize(report) + std::min(0, sizeStep));
    for (const QString& piece : WrapToWidth(text, font, canvas.device(), report.RightX - report.LeftX)) {
        engine.CheckSpace(1);
        report.Canvas->setFont(font);
        engine.TextOut(report.LeftX, engine.Pen.y(), piece);
        engine.NewLine(1);
    }
    report.Canvas->setFont(ReportFont(report, PointSize(report)));
    engine.NewLine(1);
}

// ---- Number table ----

namespace {

// A number's parts about its decimal separator: the whole part's width and the rest's.
struct TSplit {
    int Whole = 0, Fraction = 0;
};

TSplit SplitWidths(const QFontMetrics& metrics, const QString& text, QChar point) {
    const qsizetype at = text.indexOf(point);
    if (at < 0) return {metrics.horizontalAdvance(text), 0};
    return {metrics.horizontalAdvance(text.left(at)), metrics.horizontalAdvance(text.mid(at))};
}

struct TColumnLayout {
    int Left = 0, Right = 0;
    int Fraction = 0; // the widest fraction part: the decimal points line up this far left of Right
};

// The columns at the font's size, left to right from x with gaps spread over the width but never
// more than gapMax; the right end of the last column is the table's width.
QList<TColumnLayout> LayoutColumns(const TNumberTable& table, const QFontMetrics& metrics, int x, int width,
                                   int gapMax) {
    const QChar point = QLocale().decimalPoint().at(0);
    QList<TColumnLayout> columns;
    int total = 0;
    for (int c = 0; c < table.Columns.size(); ++c) {
        int whole = 0, fraction = 0,
            text = std::max(metrics.horizontalAdvance(table.Columns[c].Caption),
                            metrics.horizontalAdvance(table.Columns[c].Unit));
        for (const QStringList& row : table.Rows) {
            if (table.Columns[c].Text) {
                text = std::max(text, metrics.horizontalAdvance(row.value(c)));
                continue;
            }
            const TSplit s = SplitWidths(metrics, row.value(c), point);
            whole = std::max(whole, s.Whole);
            fraction = std::max(fraction, s.Fraction);
        }
        const int w = std::max(text, whole + fraction);
        columns.append({0, w, fraction});
        total += w;
    }
    const int minGap = metrics.horizontalAdvance(QStringLiteral("   "));
    const int gaps = std::max<int>(1, int(columns.size()) - 1);
    const int gap = std::clamp((width - total) / gaps, minGap, std::max(minGap, gapMax));
    for (TColumnLayout& c : columns) {
        const int w = c.Right;
        c.Left = x;
        c.Right = x + w;
        x = c.Right + gap;
    }
    return columns;
}

void DrawTableCaptions(TStdReport& report, const TNumberTable& table, const QList<TColumnLayout>& layout,
                       const QFont& font) {
    TPageEngine& engine = report.Engine();
    QPainter& canvas = *report.Canvas;
    QFont bold = font;
    bold.setBold(true);
    for (int line = 0; line < 2; ++line) {
        canvas.setFont(line == 0 ? bold : font);
        for (int c = 0; c < layout.size(); ++c) {
            const QString text = line == 0 ? table.Columns[c].Caption : table.Columns[c].Unit;
            const int x = table.Columns[c].Text ? layout[c].Left : layout[c].Right - engine.TextWidth(text);
            engine.TextOut(x, engine.Pen.y(), text);
        }
        engine.NewLine(1);
    }
    // Between the units and the first row: the top of a row's line box lies above its digits.
    const int y = engine.Pen.y();
    canvas.drawLine(layout.first().Left, y, layout.last().Right, y);
    canvas.setFont(font);
}

} // namespace

void PrintNumberTable(TStdReport& report, const TNumberTable& table) {
    if (table.Columns.isEmpty()) return;
    TPageEngine& engine = report.Engine();
    QPainter& canvas = *report.Canvas;
    const int width = report.RightX - report.LeftX;
    const int gapMax = Round(engine.PixelsPerCmX * 1.2);
    QFont font = ReportFont(report, PointSize(report));
    QList<TColumnLayout> layout;
    for (;;) {
        const QFontMetrics metrics(font, canvas.device());
        layout = LayoutColumns(table, metrics, report.LeftX, width, gapMax);
        if (layout.last().Right <= report.RightX || font.pointSize() <= 7) break;
        font.setPointSize(font.pointSize() - 1);
    }
    const QChar point = QLocale().decimalPoint().at(0);
    engine.CheckSpace(NumberTableLines(int(table.Rows.size())) - 1);
    canvas.setFont(font);
    DrawTableCaptions(report, table, layout, font);
    for (const QStringList& row : table.Rows) {
        if (engine.CheckSpace(1)) DrawTableCaptions(report, table, layout, font);
        canvas.setFont(font);
        const QFontMetrics metrics = canvas.fontMetrics();
        for (int c = 0; c < layout.size(); ++c) {
            const QString text = row.value(c);
            int x = layout[c].Left;
            if (!table.Columns[c].Text)
                x = layout[c].Right - layout[c].Fraction - SplitWidths(metrics, text, point).Whole;
            engine.TextOut(x, engine.Pen.y(), text);
        }
        engine.NewLine(1);
    }
    canvas.setFont(ReportFont(report, PointSize(report)));
    engine.NewLine(1);
}

// ---- Stacked bars ----

namespace {

// A round step of the value axis: 1, 2 or 5 times a power of ten, giving about five divisions.
double AxisStep(double top) {
    if (top <= 0) return 1;
    const double raw = top / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw) return m * power;
    return 10 * power;
}

} // namespace

void PrintStackedBars(TStdReport& report, const QList<TStackedSeries>& series, int first, int last,
                      const QString& unit, int lines) {
    TPageEngine& engine = report.Engine();
    QPainter& canvas = *report.Canvas;
    engine.CheckSpace(lines + 1);
    const QFont font = ReportFont(report, PointSize(report) - 1);
    canvas.setFont(font);
    const QFontMetrics metrics = canvas.fontMetrics();
    const int top = engine.Pen.y();
    const int height = Round(lines * engine.LineHeight);
    double peak = 0;
    for (int h = first; h <= last; ++h) {
        double sum = 0;
        for (const TStackedSeries& s : series)
            sum += std::max(0.0, s.Values[size_t(h)]);
        peak = std::max(peak, sum);
    }
    const double step = AxisStep(peak);
    const double axisTop = std::max(step, std::ceil(peak / step) * step);
    const int legendHeight = metrics.height() * 2;
    // The unit on a line of its own above the axis, whose top label reaches half a line above the plot.
    const QRect plot(report.LeftX + metrics.horizontalAdvance(QStringLiteral("00000")),
                     top + 2 * metrics.height(),
                     report.RightX - report.LeftX - metrics.horizontalAdvance(QStringLiteral("00000")),
                     height - 3 * metrics.height() - legendHeight);
    auto yOf = [&](double v) { return plot.bottom() - v / axisTop * plot.height(); };

    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    // Value axis: grid lines and labels, the unit above them.
    canvas.setPen(QPen(QColor(200, 200, 200), 0));
    for (double v = 0; v <= axisTop + step / 2; v += step) {
        const int y = Round(yOf(v));
        canvas.setPen(QPen(QColor(200, 200, 200), 0));
        canvas.drawLine(plot.left(), y, plot.right(), y);
        canvas.setPen(Qt::black);
        const QString label = QString::number(int(std::lround(v)));
        canvas.drawText(plot.left() - metrics.horizontalAdvance(label + QLatin1Char(' ')),
                        y + metrics.ascent() / 2, label);
    }
    canvas.drawText(report.LeftX, top + metrics.ascent(), unit);
    // Bars, one per hour, each series on the one below it.
    const int count = last - first + 1;
    const double slot = double(plot.width()) / std::max(1, count);
    for (int h = first; h <= last; ++h) {
        const double x = plot.left() + (h - first) * slot + slot * 0.15;
        double base = 0;
        for (const TStackedSeries& s : series) {
            const double v = std::max(0.0, s.Values[size_t(h)]);
            if (v > 0) {
                const QRectF bar(x, yOf(base + v), slot * 0.7, yOf(base) - yOf(base + v));
                canvas.setPen(QPen(QColor(60, 60, 60), 0));
                canvas.setBrush(s.Colour);
                canvas.drawRect(bar);
            }
            base += v;
        }
        canvas.setPen(Qt::black);
        const QString hour = QString::number(h);
        canvas.drawText(Round(x + slot * 0.35 - metrics.horizontalAdvance(hour) / 2.0),
                        plot.bottom() + metrics.ascent() + 2, hour);
    }
    canvas.setPen(QPen(Qt::black, 0));
    canvas.drawLine(plot.bottomLeft(), plot.bottomRight());
    canvas.drawLine(plot.bottomLeft(), plot.topLeft());
    // Legend under the hours: a swatch and the name of each series.
    int x = plot.left();
    const int legendY = plot.bottom() + metrics.height() + metrics.height() / 2;
    for (const TStackedSeries& s : series) {
        canvas.setBrush(s.Colour);
        canvas.setPen(QPen(QColor(60, 60, 60), 0));
        canvas.drawRect(QRect(x, legendY, metrics.height() - 2, metrics.height() - 2));
        canvas.setPen(Qt::black);
        canvas.drawText(x + metrics.height() + 2, legendY + metrics.ascent() - 1, s.Name);
        x += metrics.height() + 2 + metrics.horizontalAdvance(s.Name + QStringLiteral("     "));
    }
    canvas.drawText(plot.right() - metrics.horizontalAdvance(QStringLiteral("clock hour")),
                    legendY + metrics.ascent() - 1, QStringLiteral("clock hour"));
    canvas.restore();
    canvas.setFont(ReportFont(report, PointSize(report)));
    engine.NewLine(lines + 1);
}

// ---- Running header and footer ----

void DrawRunningHeader(TStdReport& report, const QString& left, const QString& right) {
    TPageEngine& engine = report.Engine();
    QPainter& canvas = *report.Canvas;
    const QFont saved = canvas.font();
    canvas.setFont(ReportFont(report, PointSize(report) - 2));
    const int lineHeight = canvas.fontMetrics().height();
    const int y = std::max(0, report.TopY - 2 * lineHeight);
    const int half = (report.RightX - report.LeftX) / 2;
    const QString r = Elided(canvas, right, half - lineHeight);
    engine.TextOut(report.LeftX, y,
                   Elided(canvas, left, report.RightX - report.LeftX - engine.TextWidth(r) - lineHeight));
    engine.TextOut(report.RightX - engine.TextWidth(r), y, r);
    const int ruleY = y + lineHeight + lineHeight / 4;
    canvas.drawLine(report.LeftX, ruleY, report.RightX, ruleY);
    canvas.setFont(saved);
}

void DrawRunningFooter(TStdReport& report, const QString& left, const QString& right) {
    TPageEngine& engine = report.Engine();
    QPainter& canvas = *report.Canvas;
    const QFont saved = canvas.font();
    canvas.setFont(ReportFont(report, PointSize(report) - 2));
    const int y = engine.Layout[mBottom];
    // A third of the line each side, so neither reaches the page number in the middle.
    const int third = (report.RightX - report.LeftX) / 3;
    engine.TextOut(report.LeftX, y, Elided(canvas, left, third));
    const QString r = Elided(canvas, right, third);
    engine.TextOut(report.RightX - engine.TextWidth(r), y, r);
    canvas.setFont(saved);
}
