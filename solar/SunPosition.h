#pragma once
// The sun's position as pure steps: each function returns its values from its arguments and changes
// nothing else. Angles in radians unless the name says degrees; time in decimal hours. Azimuths are
// measured from south, positive towards west; the hour angle is negative before solar noon.
#include <cmath>
#include <numbers>

inline constexpr double DegToRad = 0.017453292519943295;
inline constexpr double RadToDeg = 57.29577951308232;

// Sine and cosine of one angle, worked out once and passed on.
struct TSinCos {
    double Sin = 0;
    double Cos = 1;
};
inline TSinCos SinCosOf(double angle) {
    return {std::sin(angle), std::cos(angle)};
}

// The arc cosine as arctan2(sqrt((1 + x)(1 - x)), x), defined and exact at x = +/-1.
inline double ArcCos(double x) {
    return std::atan2(std::sqrt((1 + x) * (1 - x)), x);
}
// x limited to [-1, 1].
inline double ClampUnit(double x) {
    if (x > 1) return 1;
    if (x < -1) return -1;
    return x;
}

// ---- Published day and time functions -----------------------------------------------------------

// Solar declination of day number N [rad]: Cooper's equation (1969), 23.45 deg sin(360 (284 + N) / 365);
// N may be fractional.
double SolarDeclination(double dayNumber);
// Equation of time of day number N [min]: the three-term fit 9.87 sin 2B - 7.53 cos B - 1.5 sin B with
// B = 360 (N - 81) / 364 (as in ASHRAE and Duffie and Beckman).
double EquationOfTime(double dayNumber);
// Apparent solar time [h] of a clock time [h]: clock + E / 60 + (longitude - zone) / 15 deg; equation
// of time E [min], longitudes [rad]. Not brought into a day: see ReducedHourAngle.
inline double SolarTimeOf(double clockTime, double equationOfTime, double longitude, double timeZone) {
    return clockTime + equationOfTime / 60 + (longitude - timeZone) * 12 / std::numbers::pi;
}
// Clock (standard) time [h] of a solar time [h]; the inverse of SolarTimeOf.
inline double ClockTimeOf(double solarTime, double equationOfTime, double longitude, double timeZone) {
    return solarTime - equationOfTime / 60 - (longitude - timeZone) * 12 / std::numbers::pi;
}

// ---- Sun position from declination and hour angle --------------------------------------------------

// Hour angle [rad] of a solar time [h]: (solar time - 12) pi / 12, as it comes.
inline double HourAngleOf(double solarTime) {
    return (solarTime - 12) * std::numbers::pi / 12;
}
// The hour angle taken into -pi..pi, the side of solar noon on which the sun stands. A site whose
// zone meridian lies across the 180th meridian from it (Wallis at zone 180, Shemya at -150) gives raw
// hour angles a day away; the sun stands where the reduced one says. A value already within -pi..pi
// is returned bit for bit.
inline double ReducedHourAngle(double hourAngle) {
    constexpr double pi = std::numbers::pi;
    if (!(std::fabs(hourAngle) > pi)) return hourAngle;
    // One turn away, the common case, by subtraction: exact there (the operands lie within a factor
    // of two of each other), so bit for bit what the remainder gives, at a fraction of its cost.
    if (hourAngle > pi && hourAngle < 3 * pi) return hourAngle - 2 * pi;
    if (hourAngle < -pi && hourAngle > -3 * pi) return hourAngle + 2 * pi;
    return std::remainder(hourAngle, 2 * pi);
}
// Solar time [h] of a reduced hour angle: 12 + H 12 / pi, within 0..24.
inline double SolarTimeOfHourAngle(double hourAngle) {
    return 12 + hourAngle * 12 / std::numbers::pi;
}

// Sun altitude beta with its sine and cosine.
struct TAltitudeStep {
    double Angle = 0; // [rad], -pi/2..pi/2; negative below the horizon
    double Sin = 0;
    double Cos = 1; // never negative
};
// sin(beta) = cos L cos delta cos H + sin L sin delta, limited to [-1, 1] (rounding can pass 1 at the
// zenith); the spherical triangle of pole, zenith and sun.
inline TAltitudeStep SolarAltitudeStep(TSinCos latitude, TSinCos declination, double cosHourAngle) {
    const double sinBeta =
        ClampUnit(latitude.Cos * declination.Cos * cosHourAngle + latitude.Sin * declination.Sin);
    // The altitude lies within +/-90 degrees, so its cosine is the non-negative root: no cos() call.
    return {std::asin(sinBeta), sinBeta, std::sqrt((1 - sinBeta) * (1 + sinBeta))};
}

// Sun azimuth phi with its cosine and the sine of its magnitude.
struct TAzimuthStep {
    double Angle = 0;        // [rad], -pi..pi: 0 south, negative east (morning), positive west
    double Cos = 1;          // cos(phi)
    double SinMagnitude = 0; // sin|phi|, never negative
    int Sign = 1;            // sign of phi: that of the reduced hour angle, + at noon
};
// cos(phi) = (cos delta sin L cos H - sin delta cos L) / cos beta, limited to [-1, 1]; phi takes the
// sign of the hour angle, which must be reduced (ReducedHourAngle) or the sun changes sides. With the
// sun at the zenith (cos beta 0) the azimuth is undefined; due south is taken.
inline TAzimuthStep SolarAzimuthStep(TSinCos latitude, TSinCos declination, double reducedHourAngle,
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

// Surface-solar azimuth gamma = |phi - psi| [rad], not folded into 0..pi, with its cosine worked out
// from the sines and cosines at hand.
struct TSurfaceSolarStep {
    double Angle = 0;
    double Cos = 1;
};
inline TSurfaceSolarStep SurfaceSolarAzimuthStep(const TAzimuthStep& sun, double surfaceAzimuth,
                                                 TSinCos surface) {
    // cos(phi - psi) from the sines and cosines at hand rather than one more cos() call.
    return {std::fabs(sun.Angle - surfaceAzimuth),
            sun.Cos * surface.Cos + sun.Sign * sun.SinMagnitude * surface.Sin};
}

// Incident angle theta between the sun's rays and the surface normal, with its cosine:
// cos(theta) = cos beta cos gamma sin Sigma + sin beta cos Sigma, limited to [-1, 1]; theta in 0..pi,
// pi/2 or more with the sun behind the surface.
struct TIncidenceStep {
    double Angle = 0;
    double Cos = 1;
};
inline TIncidenceStep IncidenceStep(const TAltitudeStep& altitude, const TSurfaceSolarStep& gamma,
                                    TSinCos slope) {
    const double cosTheta = ClampUnit(altitude.Cos * gamma.Cos * slope.Sin + altitude.Sin * slope.Cos);
    // The library's arc cosine: as exact as ArcCos here, as nothing is computed from the angle by
    // difference (the azimuth keeps ArcCos's form: the surface-solar azimuth is a difference).
    return {std::acos(cosTheta), cosTheta};
}

// Half the day length [h] for the sun's centre on the geometric horizon: arccos(-tan L tan delta)
// 12 / pi, with tan L tan delta limited to [-1, 1] (12 h in midnight sun, 0 in polar night) and a
// latitude above 1.55 rad taken as 1.55 so the tangent stays finite.
double HalfDayLength(double latitude, double declination);
