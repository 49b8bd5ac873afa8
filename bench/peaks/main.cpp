// Prints how long the design peaks take: the twelve design days for each of the nine orientations
// (108 solves of the document), the year tables of the current surface (12 solves), and one solve for
// comparison, each as the median over many runs.
#include "app/DesignPeaks.h"
#include "controls/TxNumText.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 101;

// Median wall time of one call [ms].
double MedianMilliseconds(const std::function<void()>& work) {
    std::vector<double> times(Runs);
    for (double& t : times) {
        const auto start = std::chrono::steady_clock::now();
        work();
        t = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    std::nth_element(times.begin(), times.begin() + Runs / 2, times.end());
    return times[Runs / 2];
}

volatile double Sink = 0; // keeps the compiler from dropping the measured work

void Report(const QString& what, double milliseconds) {
    const QString line = what.leftJustified(52) + FormatFloat(QStringLiteral("%9.3f ms"), milliseconds) +
                         FormatInt(QStringLiteral(" (median of %d runs)"), Runs);
    std::printf("%s\n", line.toUtf8().constData());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    TCalcDocument doc;
    doc.ApplyInputs(ResetInputSet());
    Report(QStringLiteral("one solve"), MedianMilliseconds([&] { doc.Solve(); }));
    Report(QStringLiteral("year tables of the surface (12 solves)"),
           MedianMilliseconds([&] { Sink = Sink + YearTables(doc).front()[5][12]; }));
    Report(QStringLiteral("nine orientations over the year (108 solves)"),
           MedianMilliseconds([&] { Sink = Sink + OrientationPeaks(doc, true).front().Peaks[0].Value; }));
    Report(QStringLiteral("nine orientations on the current day (9 solves)"),
           MedianMilliseconds([&] { Sink = Sink + OrientationPeaks(doc, false).front().Peaks[0].Value; }));
    std::printf("goal for the 108 solves: under 20 ms\n");
    return 0;
}
