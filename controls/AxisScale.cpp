#include "AxisScale.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MinSpan = 1e-9;
constexpr double MaxSpan = 1e15;

// x rounded to 1, 2 or 5 times a power of ten: up when ceiling, else to the nearest.
double NiceNumber(double x, bool ceiling) {
    const double z = std::pow(10.0, std::floor(std::log10(x)));
    const double q = x / z;
    if (ceiling) return (q <= 1 ? 1 : q <= 2 ? 2 : q <= 5 ? 5 : 10) * z;
    return (q < 1.5 ? 1 : q < 3 ? 2 : q < 7 ? 5 : 10) * z;
}

// Below the range, or no number: 1; above it: its top.
double Readable(double span) {
    if (!(span >= MinSpan) || !std::isfinite(span)) return 1;
    return std::min(span, MaxSpan);
}

} // namespace

double NiceAxisStep(double span) {
    return NiceNumber(NiceNumber(Readable(span), true) / 4, false);
}

TAxisScale NiceAxisScale(double top) {
    // A top too large to be read is held at the largest that can; a chart cuts its bars there.
    top = Readable(top);
    const double step = NiceAxisStep(top);
    const double steps = std::ceil(top / step);
    return {steps * step, int(steps) + 1};
}

int StepDecimals(double step) {
    return step >= 1 ? 0 : int(std::ceil(-std::log10(step) - 1e-9));
}
