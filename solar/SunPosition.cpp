#include "SunPosition.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double Pi = std::numbers::pi;
} // namespace

TSinCos SinCosOf(double angle) {
    return {std::sin(angle), std::cos(angle)};
}

double ClampUnit(double x) {
    if (x > 1) return 1;
    if (x < -1) return -1;
    return x;
}

double ArcCos(double x) {
    return std::atan2(std::sqrt((1 + x) * (1 - x)), x);
}

double SolarDeclination(double dayNumber) {
    // 0.40928 rad is 23.45 degrees, the obliquity used by Cooper's equation.
    return 0.4092797095926703 * std::sin((dayNumber + 284) * 2 * Pi / 365);
}

double EquationOfTime(double dayNumber) {
    const double b = (dayNumber - 81) * 2 * Pi / 364;
    return 9.87 * std::sin(2 * b) - 7.53 * std::cos(b) - 1.5 * std::sin(b);
}

double SolarTimeOf(double clockTime, double equationOfTime, double longitude, double timeZone) {
    return clockTime + equationOfTime / 60 + (longitude - timeZone) * 12 / Pi;
}

double ClockTimeOf(double solarTime, double equationOfTime, double longitude, double timeZone) {
    return solarTime - equationOfTime / 60 - (longitude - timeZone) * 12 / Pi;
}

double HourAngleOf(double solarTime) {
    return (solarTime - 12) * Pi / 12;
}

double ReducedHourAngle(double hourAngle) {
    if (!(std::fabs(hourAngle) > Pi)) return hourAngle;
    return std::remainder(hourAngle, 2 * Pi);
}

double SolarTimeOfHourAngle(double hourAngle) {
    return 12 + hourAngle * 12 / Pi;
}

TAltitudeStep SolarAltitudeStep(TSinCos latitude, TSinCos declination, double cosHourAngle) {
    const double sinBeta =
        ClampUnit(latitude.Cos * declination.Cos * cosHourAngle + latitude.Sin * declination.Sin);
    // The altitude lies within +/-90 degrees, so its cosine is the non-negative root: no cos() call.
    return {std::asin(sinBeta), sinBeta, std::sqrt((1 - sinBeta) * (1 + sinBeta))};
}

TAzimuthStep SolarAzimuthStep(TSinCos latitude, TSinCos declination, double reducedHourAngle,
                              double cosHourAngle, const TAltitudeStep& altitude) {
    double cosPhi = 1;
    if (altitude.Cos > 0) {
        cosPhi =
            (declination.Cos * latitude.Sin * cosHourAngle - declination.Sin * latitude.Cos) / altitude.Cos;
        cosPhi = std::isnan(cosPhi) ? 1 : ClampUnit(cosPhi);
    }
    const int sign = reducedHourAngle >= 0 ? 1 : -1;
    const double sinPhi = std::sqrt((1 + cosPhi) * (1 - cosPhi));
    return {sign * std::atan2(sinPhi, cosPhi), cosPhi, sinPhi, sign};
}

TSurfaceSolarStep SurfaceSolarAzimuthStep(const TAzimuthStep& sun, double surfaceAzimuth, TSinCos surface) {
    // cos(phi - psi) from the sines and cosines at hand rather than one more cos() call.
    return {std::fabs(sun.Angle - surfaceAzimuth),
            sun.Cos * surface.Cos + sun.Sign * sun.SinMagnitude * surface.Sin};
}

TIncidenceStep IncidenceStep(const TAltitudeStep& altitude, const TSurfaceSolarStep& gamma, TSinCos slope) {
    const double cosTheta = ClampUnit(altitude.Cos * gamma.Cos * slope.Sin + altitude.Sin * slope.Cos);
    // The library's arc cosine: as exact as ArcCos here, as nothing is computed from the angle by
    // difference (the azimuth keeps ArcCos's form: the surface-solar azimuth is a difference).
    return {std::acos(cosTheta), cosTheta};
}

double HalfDayLength(double latitude, double declination) {
    // Near the north pole tan(L) grows without bound; 1.55 rad keeps it finite.
    if (latitude > 1.55) latitude = 1.55;
    const double x = ClampUnit(std::tan(latitude) * std::tan(declination));
    return ArcCos(-x) * 12 / Pi;
}
