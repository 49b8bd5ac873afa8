// Prints how long the design peaks take: the twelve design days for each of the nine orientations
// (108 solves of the document), the year tables of the current surface (12 solves), and one solve for
// comparison, each as the best of many runs.
#include "app/DesignPeaks.h"
#include "bench/common/BestTime.h"
#include "bench/common/Report.h"
#include "controls/TxNumText.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int Runs = 101;

volatile double Sink = 0; // keeps the compiler from dropping the measured work

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    TCalcDocument doc;
    doc.ApplyInputs(ResetInputSet());
    Report(QStringLiteral("one solve"), BestMs([&] { doc.Solve(); }, Runs), "ms",
           QStringLiteral("best of %1 runs").arg(Runs));
    Report(QStringLiteral("year tables of the surface (12 solves)"),
           BestMs([&] { Sink = Sink + YearTables(doc).front()[5][12]; }, Runs), "ms",
           QStringLiteral("best of %1 runs").arg(Runs));
    Report(QStringLiteral("nine orientations over the year (108 solves)"),
           BestMs([&] { Sink = Sink + OrientationPeaks(doc, true).front().Peaks[0].Value; }, Runs), "ms",
           QStringLiteral("best of %1 runs").arg(Runs));
    Report(QStringLiteral("nine orientations on the current day (9 solves)"),
           BestMs([&] { Sink = Sink + OrientationPeaks(doc, false).front().Peaks[0].Value; }, Runs), "ms",
           QStringLiteral("best of %1 runs").arg(Runs));
    std::printf("goal for the 108 solves: under 20 ms\n");
    return 0;
}
