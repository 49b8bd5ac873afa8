// Prints how long one full solve of the calculation document takes (every hour, every quantity, the
// result rows, the sol-air table and the local angles) and how long the solar model takes per hour
// evaluated, each as the median over many runs.
#include "app/TCalcDocument.h"
#include "controls/TxNumText.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 2001;

// Median wall time of one call [us].
double MedianMicroseconds(const std::function<void()>& work) {
    std::vector<double> times(Runs);
    for (double& t : times) {
        const auto start = std::chrono::steady_clock::now();
        work();
        t = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    }
    std::nth_element(times.begin(), times.begin() + Runs / 2, times.end());
    return times[Runs / 2];
}

volatile double Sink = 0; // keeps the compiler from dropping the measured work

// Every quantity the solve asks of the model for one hour.
void EvaluateHour(TSolar& solar, int hour) {
    solar.SetClockTime(hour);
    double sum =
        solar.SolarAltitude() + solar.SolarAzimuth() + solar.SurfaceSolarAzimuth() + solar.IncidentAngle();
    sum += solar.DirectNormal() + solar.DirectRadiation() + solar.DiffuseRadiation() +
           solar.ReflectedRadiation();
    sum += solar.SolarHeatGainFactor();
    Sink = Sink + sum;
}

void Report(const QString& what, double microseconds) {
    const QString line = what.leftJustified(44) + FormatFloat(QStringLiteral("%10.3f us"), microseconds) +
                         FormatInt(QStringLiteral(" (median of %d runs)"), Runs);
    std::printf("%s\n", line.toUtf8().constData());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    TCalcDocument doc;
    doc.ApplyInputs(ResetInputSet());
    const int hours = [&] {
        doc.Solve();
        return int(doc.AnglesRows().size());
    }();
    Report(QStringLiteral("full solve (%1 hours, all quantities)").arg(hours),
           MedianMicroseconds([&] { doc.Solve(); }));

    TSolar& solar = doc.Solar();
    const double perDay = MedianMicroseconds([&] {
        for (int hour = 0; hour < 24; ++hour)
            EvaluateHour(solar, hour);
    });
    Report(QStringLiteral("solar model per hour evaluated (24 hours)"), perDay / 24);

    doc.SetLatitude(89); // midnight sun: all 24 hours solved
    doc.Solve();
    Report(QStringLiteral("full solve, midnight sun (24 hours)"), MedianMicroseconds([&] { doc.Solve(); }));
    return 0;
}
