#include "ProfileChart.h"

#include "controls/AxisScale.h"
#include "controls/TxNumText.h"

#include <QBarSet>
#include <QLineSeries>
#include <QValueAxis>

QValueAxis* HourAxis(const QString& title, int labelStep) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(labelStep);
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

void SetHourRange(QValueAxis* axis, int first, int last) {
    axis->setRange(first - 0.5, last + 0.5);
}

void SetValueRange(QValueAxis* axis, double bottom, double top) {
    axis->setRange(bottom, top);
    const double step = NiceAxisStep(top - bottom);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setLabelFormat(FixedFormat(StepDecimals(step)));
}

void FillProfileSeries(const TProfile24& values, int first, int last, QBarSet* bars, QLineSeries* line) {
    QList<qreal> heights(last + 1, 0.0);
    QList<QPointF> points;
    for (int h = first; h <= last; ++h) {
        heights[h] = values[h];
        points << QPointF(h, values[h]);
    }
    bars->remove(0, bars->count());
    bars->append(heights);
    line->replace(points);
}
