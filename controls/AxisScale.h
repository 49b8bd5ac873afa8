#pragma once
// Round value axes: steps of 1, 2 or 5 times a power of ten, about four of them over what is shown,
// and the decimals their labels need. Scales are made for spans from 1e-9 to 1e15, so that labels stay
// short enough to read; a span outside that range is taken as the nearest end of it, and no span at
// all (zero, negative, not a number) as 1.

// The value axis of a chart of amounts: from 0 to Max, Ticks lines with equal steps between them.
struct TAxisScale {
    double Max = 1;
    int Ticks = 2;
    bool operator==(const TAxisScale&) const = default;
};

// 0 to a round number at or above top in about four round steps; the same top always gives the same
// scale, whatever was shown before.
TAxisScale NiceAxisScale(double top);
// The round step for about four steps over span.
double NiceAxisStep(double span);
// The decimals that labels at multiples of step need: 0 for a step of 1 or more.
int StepDecimals(double step);
