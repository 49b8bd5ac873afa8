#include "TxBarPlot.h"

#include "TxNumText.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Room around the chart in the panel colour, and inside the chart's background around its parts.
constexpr double PanelMargin = 10;
constexpr double Padding = 6;
// Space between an axis and its labels, and between legend entries.
constexpr double Gap = 6;
constexpr double LegendSpacing = 16;
// The least space between two bar labels.
constexpr double LabelGapPixels = 10;

const QColor TextColour(40, 40, 40);
const QColor AxisColour(140, 140, 140);
// Opaque: a translucent line is blended pixel by pixel, many times slower to draw.
const QColor GridColour(220, 220, 220);

// What a value adds to its stack: nothing unless it is a finite number above zero.
double StackPart(double v) {
    return v > 0 && std::isfinite(v) ? v : 0;
}

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

// The value axis's labels, one a tick, with as many decimals as the step needs; made once a scale.
QStringList ValueTexts(const TAxisScale& scale) {
    const double step = scale.Max / std::max(1, scale.Ticks - 1);
    const QString format = FixedFormat(StepDecimals(step));
    QStringList texts;
    for (int tick = 0; tick < scale.Ticks; ++tick)
        texts << FormatFloat(format, step * tick);
    return texts;
}

} // namespace

struct TStackedBarPlot::TLayout {
    QRectF Plot;       // the bars; the value axis runs up its left edge, the labels under its bottom
    QRectF ValueTitle; // the upright title's box, left of the value labels
    QRectF LabelTitle; // under the bar labels
    QRectF Legend;     // the bottom row
    double LabelHeight;
};

TStackedBarPlot::TStackedBarPlot(QList<TBarSeries> series, QWidget* parent)
    : QWidget(parent), FSeries(std::move(series)), FValues(FSeries.size()), FValueTexts(ValueTexts(FScale)) {
    // Every pixel is painted here, so nothing under the widget needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Reachable by Tab, so its context menu opens from the keyboard too.
    setFocusPolicy(Qt::StrongFocus);
}

void TStackedBarPlot::SetTitles(const QString& labelTitle, const QString& valueTitle) {
    FLabelTitle = labelTitle;
    FValueTitle = valueTitle;
    update();
}

void TStackedBarPlot::SetBackground(const QBrush& wall, const QColor& panel) {
    FWall = wall;
    FPanel = panel;
    FBackdrop = QPixmap();
    update();
}

void TStackedBarPlot::SetBars(const QStringList& labels, const QList<QList<double>>& values) {
    if (labels == FLabels && values == FValues) return;
    FLabels = labels;
    FValues = values;
    FValues.resize(FSeries.size());
    double top = 0;
    for (int bar = 0; bar < FLabels.size(); ++bar) {
        double stack = 0;
        for (int s = 0; s < FSeries.size(); ++s)
            stack += StackPart(Value(s, bar));
        top = std::max(top, stack);
    }
    const TAxisScale scale = NiceAxisScale(top);
    if (scale != FScale) FValueTexts = ValueTexts(scale);
    FScale = scale;
    update();
}

QRectF TStackedBarPlot::WallRect() const {
    return QRectF(rect()).adjusted(PanelMargin, PanelMargin, -PanelMargin, -PanelMargin);
}

TStackedBarPlot::TLayout TStackedBarPlot::Arrange(const QRectF& wall) const {
    const QFontMetricsF metrics(font());
    const QFontMetricsF bold(Bold(font()));
    const QRectF inner = wall.adjusted(Padding, Padding, -Padding, -Padding);
    TLayout layout;
    layout.LabelHeight = metrics.height();
    layout.Legend = QRectF(inner.left(), inner.bottom() - metrics.height(), inner.width(), metrics.height());
    const double titleTop = layout.Legend.top() - Gap - bold.height();
    double valueLabels = 0;
    for (const QString& text : FValueTexts)
        valueLabels = std::max(valueLabels, metrics.horizontalAdvance(text));
    const double widest = std::max(metrics.horizontalAdvance(QStringLiteral("00")),
                                   metrics.horizontalAdvance(FLabels.value(FLabels.size() - 1)));
    const double left = inner.left() + bold.height() + Gap + valueLabels + Gap;
    const double bottom = titleTop - metrics.height() - Gap;
    layout.Plot = QRectF(QPointF(left, inner.top() + metrics.height() / 2),
                         QPointF(std::max(left + 1, inner.right() - widest / 2), std::max(inner.top() + 1, bottom)));
    layout.LabelTitle = QRectF(layout.Plot.left(), titleTop, layout.Plot.width(), bold.height());
    layout.ValueTitle = QRectF(inner.left(), layout.Plot.top(), bold.height(), layout.Plot.height());
    return layout;
}

int TStackedBarPlot::LabelStep() const {
    return LabelStepFor(Arrange(WallRect()).Plot.width());
}

int TStackedBarPlot::LabelStepFor(double plotWidth) const {
    if (FLabels.isEmpty()) return 1;
    const QFontMetricsF metrics(font());
    double needed = metrics.horizontalAdvance(QStringLiteral("00"));
    for (const QString& label : FLabels)
        needed = std::max(needed, metrics.horizontalAdvance(label));
    const double slot = plotWidth / FLabels.size();
    return std::max(1, int(std::ceil((needed + LabelGapPixels) / std::max(slot, 1.0))));
}

QList<TStackedBarPlot::TText> TStackedBarPlot::Texts(const TLayout& layout) const {
    const QFontMetricsF metrics(font());
    const QFontMetricsF bold(Bold(font()));
    const QRectF& plot = layout.Plot;
    const double h = layout.LabelHeight;
    QList<TText> texts;
    // Every tick labelled where the labels have room, else every second or third from 0 up.
    const double tickSpacing = plot.height() / std::max(1, FScale.Ticks - 1);
    const int valueStep = std::max(1, int(std::ceil(h / std::max(tickSpacing, 1.0))));
    for (int k = 0; k < FScale.Ticks; k += valueStep) {
        const double y = plot.bottom() - tickSpacing * k;
        const QString& text = FValueTexts[k];
        const double w = metrics.horizontalAdvance(text);
        texts.append({QRectF(plot.left() - Gap - w, y - h / 2, w, h), text, Qt::AlignRight | Qt::AlignVCenter, false});
    }
    const int step = LabelStepFor(plot.width());
    const double slot = plot.width() / std::max<qsizetype>(1, FLabels.size());
    for (int i = 0; i < FLabels.size(); i += step) {
        const double w = metrics.horizontalAdvance(FLabels[i]);
        const double x = plot.left() + (i + 0.5) * slot;
        texts.append({QRectF(x - w / 2, plot.bottom() + Gap / 2, w, h), FLabels[i], Qt::AlignCenter, false});
    }
    const double titleWidth = bold.horizontalAdvance(FLabelTitle);
    texts.append({QRectF(layout.LabelTitle.center().x() - titleWidth / 2, layout.LabelTitle.top(), titleWidth,
                         layout.LabelTitle.height()),
                  FLabelTitle, Qt::AlignCenter, true});
    // The legend's names, each after its swatch, the row centred.
    const double swatch = h * 0.6;
    double x = layout.Legend.center().x() - LegendWidth() / 2 + swatch + Gap / 2;
    for (const TBarSeries& s : FSeries) {
        const double w = metrics.horizontalAdvance(s.Name);
        texts.append({QRectF(x, layout.Legend.top(), w, h), s.Name, Qt::AlignLeft | Qt::AlignVCenter, false});
        x += w + LegendSpacing + swatch + Gap / 2;
    }
    return texts;
}

double TStackedBarPlot::LegendWidth() const {
    const QFontMetricsF metrics(font());
    const double swatch = metrics.height() * 0.6;
    double width = LegendSpacing * std::max<qsizetype>(0, FSeries.size() - 1);
    for (const TBarSeries& s : FSeries)
        width += swatch + Gap / 2 + metrics.horizontalAdvance(s.Name);
    return width;
}

QSize TStackedBarPlot::minimumSizeHint() const {
    const double frame = 2 * (PanelMargin + Padding);
    return {std::max(160, int(std::ceil(LegendWidth() + frame))), 140};
}

QList<QRectF> TStackedBarPlot::TextRects() const {
    const TLayout layout = Arrange(WallRect());
    QList<QRectF> rects;
    for (const TText& text : Texts(layout))
        rects << text.Box;
    const double w = QFontMetricsF(Bold(font())).horizontalAdvance(FValueTitle);
    const QPointF centre = layout.ValueTitle.center();
    rects << QRectF(layout.ValueTitle.left(), centre.y() - w / 2, layout.ValueTitle.width(), w);
    return rects;
}

void TStackedBarPlot::DrawBars(QPainter& painter, const TLayout& layout) const {
    const QRectF& plot = layout.Plot;
    if (FLabels.isEmpty()) return;
    const double slot = plot.width() / FLabels.size();
    const double perUnit = plot.height() / FScale.Max;
    for (int bar = 0; bar < FLabels.size(); ++bar) {
        double base = 0;
        for (int s = 0; s < FSeries.size(); ++s) {
            // Cut at the top of the scale, which covers every stack unless the values are too large
            // to be given a round one.
            const double low = std::min(base, FScale.Max);
            base += StackPart(Value(s, bar));
            const double high = std::min(base, FScale.Max);
            if (high <= low) continue;
            painter.setPen(FSeries[s].Colour.darker(130));
            painter.setBrush(FSeries[s].Colour);
            painter.drawRect(QRectF(plot.left() + (bar + 0.1) * slot, plot.bottom() - high * perUnit,
                                    0.8 * slot, (high - low) * perUnit));
        }
    }
}

// Each series' colour before its name, the names being the last texts.
void TStackedBarPlot::DrawLegendSwatches(QPainter& painter, const TLayout& layout, const QList<TText>& texts) const {
    const double swatch = layout.LabelHeight * 0.6;
    for (int s = 0; s < FSeries.size(); ++s) {
        const QRectF& name = texts[texts.size() - FSeries.size() + s].Box;
        painter.setPen(FSeries[s].Colour.darker(130));
        painter.setBrush(FSeries[s].Colour);
        painter.drawRect(QRectF(name.left() - Gap / 2 - swatch, name.center().y() - swatch / 2, swatch, swatch));
    }
}

void TStackedBarPlot::Draw(QPainter& painter, const QRectF& wall) const {
    const TLayout layout = Arrange(wall);
    const QRectF& plot = layout.Plot;
    painter.setPen(GridColour);
    for (int k = 1; k < FScale.Ticks; ++k) {
        const double y = plot.bottom() - plot.height() * k / (FScale.Ticks - 1);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    DrawBars(painter, layout);
    painter.setPen(AxisColour);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    const QList<TText> texts = Texts(layout);
    painter.setPen(TextColour);
    for (const TText& text : texts) {
        painter.setFont(text.Bold ? Bold(font()) : font());
        painter.drawText(text.Box, text.Flags, text.Text);
    }
    // The value title reads upwards, centred on the axis.
    painter.setFont(Bold(font()));
    painter.save();
    painter.translate(layout.ValueTitle.center());
    painter.rotate(-90);
    const QRectF upright(-layout.ValueTitle.height() / 2, -layout.ValueTitle.width() / 2,
                         layout.ValueTitle.height(), layout.ValueTitle.width());
    painter.drawText(upright, Qt::AlignCenter, FValueTitle);
    painter.restore();
    DrawLegendSwatches(painter, layout, texts);
}

const QPixmap& TStackedBarPlot::Backdrop() {
    const qreal ratio = devicePixelRatioF();
    // Kept by the size and ratio it was made for: at a fractional ratio the pixmap's own logical size
    // is rounded and never equals the widget's.
    if (FBackdrop.isNull() || FBackdropRatio != ratio || FBackdropSize != size()) {
        FBackdrop = QPixmap(QSize(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio))));
        FBackdrop.setDevicePixelRatio(ratio);
        FBackdropRatio = ratio;
        FBackdropSize = size();
        QPainter painter(&FBackdrop);
        painter.fillRect(rect(), FPanel);
        painter.fillRect(WallRect(), FWall);
    }
    return FBackdrop;
}

void TStackedBarPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, Backdrop());
    Draw(painter, WallRect());
    // Focus shows as a thin frame in the panel margin; the style's focus frame would tint the chart.
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void TStackedBarPlot::resizeEvent(QResizeEvent* event) {
    FBackdrop = QPixmap();
    QWidget::resizeEvent(event);
}

QImage TStackedBarPlot::Picture() const {
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.fillRect(WallRect(), FWall);
    Draw(painter, WallRect());
    return picture;
}

void TStackedBarPlot::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        const QPoint centre = rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, centre, mapToGlobal(centre), event->modifiers());
        QCoreApplication::sendEvent(this, &menu);
        return;
    }
    QWidget::keyPressEvent(event);
}
