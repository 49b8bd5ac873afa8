#pragma once
// A stacked bar chart that draws itself: one bar per label, the series stacked bottom-up in their order,
// a value axis from 0 to a round top in a few round steps, titles on both axes and a legend under the
// chart, on a panel colour with a background brush inside it. New values only repaint the widget: there
// are no chart items to lay out, so a redraw costs a fraction of a millisecond whatever changed.
#include "AxisScale.h"

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QWidget>

class QPainter;

struct TBarSeries {
    QString Name;
    QColor Colour;
};

class TStackedBarPlot : public QWidget {
    Q_OBJECT
public:
    explicit TStackedBarPlot(QList<TBarSeries> series, QWidget* parent = nullptr);

    void SetTitles(const QString& labelTitle, const QString& valueTitle);
    // The panel colour around the chart and the brush of the chart's background (a gradient brush in
    // object-bounding coordinates spans the background).
    void SetBackground(const QBrush& wall, const QColor& panel);
    // The bars' labels and, per series, one value a bar; repaints only when something differs.
    void SetBars(const QStringList& labels, const QList<QList<double>>& values);

    const QStringList& Labels() const { return FLabels; }
    double Value(int series, int bar) const { return FValues.value(series).value(bar); }
    TAxisScale Scale() const { return FScale; }
    const QBrush& Wall() const { return FWall; }
    const QColor& Panel() const { return FPanel; }
    // Bars from one label to the next at the current width: 1 when each label has room, else as many
    // as give a label room.
    int LabelStep() const;
    // Where each shown text stands at the current size: bar labels, value labels, titles, legend.
    QList<QRectF> TextRects() const;
    // The chart at its current size, the panel margin around it white.
    QImage Picture() const;

    // Wide enough for the legend's row.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override { return {480, 360}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Shift+F10 opens the context menu, as the menu key does.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TLayout;
    struct TText {
        QRectF Box;
        QString Text;
        int Flags;
        bool Bold;
    };
    TLayout Arrange(const QRectF& wall) const;
    QList<TText> Texts(const TLayout& layout) const;
    // The chart over its background, which the caller has filled.
    void Draw(QPainter& painter, const QRectF& wall) const;
    const QPixmap& Backdrop();
    void DrawBars(QPainter& painter, const TLayout& layout) const;
    void DrawLegendSwatches(QPainter& painter, const TLayout& layout, const QList<TText>& texts) const;
    QRectF WallRect() const;
    double LegendWidth() const;
    int LabelStepFor(double plotWidth) const;

    QList<TBarSeries> FSeries;
    QStringList FLabels;
    QList<QList<double>> FValues;
    TAxisScale FScale;
    QStringList FValueTexts; // the value axis's labels, made with the scale
    QString FLabelTitle;
    QString FValueTitle;
    QBrush FWall = QBrush(Qt::white);
    QColor FPanel = Qt::white;
    // The panel and background as last painted: a gradient costs far more to fill than to copy, and
    // it changes only with the size or the colours.
    QPixmap FBackdrop;
    QSize FBackdropSize;
    qreal FBackdropRatio = 0;
};
