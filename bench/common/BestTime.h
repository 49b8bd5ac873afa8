#pragma once
// The timing helpers the benchmarks share: the best wall time of several runs of a step, and the
// median of a set of times.
#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

// Best time of runs calls of step, in milliseconds.
inline double BestMs(const std::function<void()>& step, int runs) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        step();
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

// The middle of times (the upper middle of an even count); 0 for none.
inline double Median(std::vector<double> times) {
    if (times.empty()) return 0;
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}
