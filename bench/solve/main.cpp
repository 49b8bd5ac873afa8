// Prints how long one full solve of the calculation document takes (every hour, every quantity, the
// result rows, the sol-air table and the local angles) and how long the solar model takes per hour
// evaluated, each as the median over many runs. The model's anchor is its floor: a loop that makes only
// the maths-library calls an hour cannot do without, chained as the model chains them, timed in turn
// with the model; the ratio of the two is printed with them. The precise sun position's cost per hour is
// printed beside the published method's.
#include "app/TCalcDocument.h"
#include "bench/common/BestTime.h"
#include "bench/common/Report.h"
#include "controls/TxNumText.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace {

constexpr int Runs = 2001;

// Wall time of one call [us].
double Microseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

// Median wall time of one call [us].
double MedianMicroseconds(const std::function<void()>& work) {
    std::vector<double> times(Runs);
    for (double& t : times)
        t = Microseconds(work);
    return Median(times);
}

// Median wall times of two calls timed in turn, so that a change of clock speed or load during the
// runs weighs on both alike and their ratio stays fair.
std::pair<double, double> MedianMicrosecondsInTurn(const std::function<void()>& a, const std::function<void()>& b) {
    std::vector<double> timesA(Runs), timesB(Runs);
    for (int i = 0; i < Runs; ++i) {
        timesA[i] = Microseconds(a);
        timesB[i] = Microseconds(b);
    }
    return {Median(timesA), Median(timesB)};
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

// The floor of one hour: the cosine of the hour angle, the altitude's arc sine, the azimuth's arc
// cosine (as atan2 of a square root, exact at +/-1), the incidence's arc cosine, the air-mass
// exponential and the exponential of the glass transmission; with only the arithmetic that carries one
// result into the next. The altitude's cosine and the cosine of the sun's azimuth from the surface's
// follow from sines and cosines already at hand (square roots and products), as in the model.
// This is a copy of the model's chain of calls (solar/SunPosition, solar/ClearSky, the heat gain in
// solar/TSolar): it must follow the model. A step added to or taken from the model is added to or
// taken from the floor in the same change, or the ratio printed below measures nothing.
// The site's sines and cosines, read through volatile so that the compiler cannot fold them into the
// arithmetic (a declination of exactly 0 would drop terms the model has to compute).
struct TFloorSite {
    double sinL, cosL, sinD, cosD, sinS, cosS, psi, sinPsi, cosPsi, b;
};
volatile double SiteValues[] = {-0.44040, 0.89780, 0.0,     1.0,     0.58779,
                                0.80902,  0.26180, 0.25882, 0.96593, 0.142};

TFloorSite FloorSite() { // 26.13 S on 21 March, a surface of slope 36 and azimuth 15
    const auto v = [](int i) { return double(SiteValues[i]); };
    return {v(0), v(1), v(2), v(3), v(4), v(5), v(6), v(7), v(8), v(9)};
}

double FloorHour(const TFloorSite& site, int hour) {
    const auto [sinL, cosL, sinD, cosD, sinS, cosS, psi, sinPsi, cosPsi, b] = site;
    const double h = (hour - 12) * 0.2617993877991494;
    const double cosH = std::cos(h);
    const double sinBeta = std::clamp(cosL * cosD * cosH + sinL * sinD, -1.0, 1.0);
    const double beta = std::asin(sinBeta);
    const double cosBeta = std::sqrt((1 - sinBeta) * (1 + sinBeta));
    const double cosPhi = std::clamp((cosD * sinL * cosH - sinD * cosL) / cosBeta, -1.0, 1.0);
    const double sinPhi = std::sqrt((1 + cosPhi) * (1 - cosPhi));
    const double phi = std::atan2(sinPhi, cosPhi);
    const double cosGamma = cosPhi * cosPsi + sinPhi * sinPsi;
    const double cosTheta = std::clamp(cosBeta * cosGamma * sinS + sinBeta * cosS, -1.0, 1.0);
    const double theta = std::acos(cosTheta);
    const double dn = beta > 0.001 ? 1160 * std::exp(-b / sinBeta) : 0.0;
    const double x = theta * 57.29577951308232 / 79, x2 = x * x;
    return beta + phi + std::fabs(phi - psi) + theta + dn * cosTheta * 0.86 * std::exp(-0.5 * (x2 * x2 * x2));
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
           MedianMicroseconds([&] { doc.Solve(); }), "us", QStringLiteral("median of %1 runs").arg(Runs));

    TSolar& solar = doc.Solar();
    const auto [perDay, floorDay] = MedianMicrosecondsInTurn(
        [&] {
            for (int hour = 0; hour < 24; ++hour)
                EvaluateHour(solar, hour);
        },
        [] {
            const TFloorSite site = FloorSite();
            double sum = 0;
            for (int hour = 0; hour < 24; ++hour)
                sum += FloorHour(site, hour);
            Sink = Sink + sum;
        });
    Report(QStringLiteral("solar model per hour evaluated (24 hours)"), perDay / 24, "us",
           QStringLiteral("median of %1 runs").arg(Runs));
    Report(QStringLiteral("floor: its maths-library calls per hour"), floorDay / 24, "us",
           QStringLiteral("median of %1 runs").arg(Runs));
    std::printf("%s\n", FormatFloat(QStringLiteral("solar model per hour / floor: %0.2f (goal 1.5 or less, "
                                                   "and 0.100 us or less per hour)"),
                                    perDay / floorDay)
                            .toUtf8()
                            .constData());

    // The precise sun position against the published one, timed in turn on two models of one site.
    TSolar published = solar, precise = solar;
    precise.SetMethod(smPrecise);
    const auto [publishedDay, preciseDay] = MedianMicrosecondsInTurn(
        [&] {
            for (int hour = 0; hour < 24; ++hour)
                EvaluateHour(published, hour);
        },
        [&] {
            for (int hour = 0; hour < 24; ++hour)
                EvaluateHour(precise, hour);
        });
    Report(QStringLiteral("published sun position, per hour"), publishedDay / 24, "us",
           QStringLiteral("median of %1 runs").arg(Runs));
    Report(QStringLiteral("precise sun position, per hour"), preciseDay / 24, "us",
           QStringLiteral("median of %1 runs").arg(Runs));
    std::printf("%s\n", FormatFloat(QStringLiteral("precise / published per hour: %0.2f (goal 2 or less)"),
                                    preciseDay / publishedDay)
                            .toUtf8()
                            .constData());

    doc.SetLatitude(89); // midnight sun: all 24 hours solved
    doc.Solve();
    Report(QStringLiteral("full solve, midnight sun (24 hours)"), MedianMicroseconds([&] { doc.Solve(); }),
           "us", QStringLiteral("median of %1 runs").arg(Runs));
    return 0;
}
