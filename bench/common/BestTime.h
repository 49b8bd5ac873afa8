#pragma once
// The timing helper the benchmarks share: the best wall time of several runs of a step.
#include <QElapsedTimer>

#include <algorithm>
#include <functional>

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
