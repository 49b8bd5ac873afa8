// Prints how long one full solve of the calculation document takes (every hour, every quantity, the
// result rows, the sol-air table and the local angles) and how long the solar model takes per hour
// evaluated, each as the median over many runs. The model's anchor is its floor: a loop that makes only
// the maths-library calls an hour cannot do without, chained as the model chains them; the ratio of
// the two is printed with them.
#include "app/TCalcDocument.h"
#include "controls/TxNumText.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
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

// The floor of one hour: the cosine of the hour angle, the altitude's arc sine and cosine, the
// azimuth's arc cosine (as atan2 of a square root, exact at +/-1) and the cosine of its difference to
// the surface azimuth, the incidence's arc cosine, the air-mass exponential and the exponential of
// the glass transmission; with only the arithmetic that carries one result into the next.
double FloorHour(int hour) {
    constexpr double sinL = -0.44040, cosL = 0.89780, sinD = 0.0, cosD = 1.0;  // 26.13 S, 21 March
    constexpr double sinS = 0.58779, cosS = 0.80902, psi = 0.26180, b = 0.142; // slope 36, azimuth 15
    const double h = (hour - 12) * 0.2617993877991494;
    const double cosH = std::cos(h);
    const double sinBeta = std::clamp(cosL * cosD * cosH + sinL * sinD, -1.0, 1.0);
    const double beta = std::asin(sinBeta);
    const double cosBeta = std::cos(beta);
    const double cosPhi = std::clamp((cosD * sinL * cosH - sinD * cosL) / cosBeta, -1.0, 1.0);
    const double phi = std::atan2(std::sqrt((1 + cosPhi) * (1 - cosPhi)), cosPhi);
    const double cosGamma = std::cos(std::fabs(phi - psi));
    const double cosTheta = std::clamp(cosBeta * cosGamma * sinS + sinBeta * cosS, -1.0, 1.0);
    const double theta = std::acos(cosTheta);
    const double dn = beta > 0.001 ? 1160 * std::exp(-b / sinBeta) : 0.0;
    const double x = theta * 57.29577951308232 / 79, x2 = x * x;
    return beta + phi + theta + dn * cosTheta * 0.86 * std::exp(-0.5 * (x2 * x2 * x2));
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
    const double floorDay = MedianMicroseconds([] {
        double sum = 0;
        for (int hour = 0; hour < 24; ++hour)
            sum += FloorHour(hour);
        Sink = Sink + sum;
    });
    Report(QStringLiteral("floor: its maths-library calls per hour"), floorDay / 24);
    std::printf("%s\n", FormatFloat(QStringLiteral("solar model per hour / floor: %0.2f (goal 1.5 or less, "
                                                   "and 0.100 us or less per hour)"),
                                    perDay / floorDay)
                            .toUtf8()
                            .constData());

    doc.SetLatitude(89); // midnight sun: all 24 hours solved
    doc.Solve();
    Report(QStringLiteral("full solve, midnight sun (24 hours)"), MedianMicroseconds([&] { doc.Solve(); }));
    return 0;
}
