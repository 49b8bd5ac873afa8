#pragma once
// Chart pieces shared by the profile editor and viewer: an hour axis with whole-hour labels, and the
// bar and line series of a profile over a range of hours. Bars sit at their hour on the hour axis (a
// bar series places its n-th value at x = n), so bars and line share one axis.
#include "solar/Profile24.h"

#include <QString>

class QBarSet;
class QLineSeries;
class QValueAxis;

// A bottom axis titled title, labelled at whole hours that are multiples of labelStep.
QValueAxis* HourAxis(const QString& title, int labelStep);
// Shows hours first..last with half an hour to spare on each side, room for the outer bars.
void SetHourRange(QValueAxis* axis, int first, int last);
// The value axis from bottom to top, labelled at round steps anchored at 0 (0, 200, 400 and 600 on an
// axis that runs to 718.3) with the decimals the step needs.
void SetValueRange(QValueAxis* axis, double bottom, double top);
// The values of hours first..last as bars (hours before first stay empty) and as line points.
void FillProfileSeries(const TProfile24& values, int first, int last, QBarSet* bars, QLineSeries* line);
