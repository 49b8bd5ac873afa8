#include "PreciseSun.h"

#include "Calendar.h"
#include "SunPosition.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double J2000 = 2451545.0;
constexpr double ArcSecond = DegToRad / 3600;

// TT - UT [s]: Espenak and Meeus (2006) for 2005..2050, held at the ends of 1900..2150 beyond.
double DeltaT(double julianDayUT) {
    const double t = std::fmax(-100.0, std::fmin(150.0, (julianDayUT - J2000) / 365.25));
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
}

double Degrees(double a0, double a1, double t) {
    return std::fmod(a0 + a1 * t, 360.0) * DegToRad;
}

// The Sun's longitude as Venus (A, B), Jupiter (C) and the Moon (D) pull the Earth off its ellipse,
// and the long-period term (E) [rad]; arguments in degrees of Julian centuries from 1900.0.
double Perturbations(double julianDayTT) {
    const double t = (julianDayTT - 2415020.0) / 36525;
    const double a = Degrees(153.23, 22518.7541, t), b = Degrees(216.57, 45037.5082, t);
    const double c = Degrees(312.69, 32964.3577, t);
    const double d = Degrees(350.74, 445267.1142, t) - 0.00144 * t * t * DegToRad;
    const double e = Degrees(231.19, 20.20, t);
    return (0.00134 * std::cos(a) + 0.00154 * std::cos(b) + 0.00200 * std::cos(c) + 0.00179 * std::sin(d) +
            0.00178 * std::sin(e)) *
           DegToRad;
}

// Mean solar time at the meridian [h]: UT's time of day plus the longitude, not brought into the day.
double MeanSolarTime(double jd, double longitude) {
    const double ut = (jd - 0.5 - std::floor(jd - 0.5)) * 24;
    return ut + longitude * 12 / Pi;
}

} // namespace

double JulianDayUT(int year, double dayNumber, double clockTime, double timeZone) {
    const double date = static_cast<double>(DaysFromCivil(year, 1, 1)) + std::floor(dayNumber) - 1;
    return 2440587.5 + date + (clockTime - timeZone / 15) / 24;
}

TPreciseSun PreciseSunAt(double jd, double longitude) {
    const double T = (jd + DeltaT(jd) / 86400 - J2000) / 36525; // Julian centuries of TT
    const double meanLongitude = Degrees(280.46646, 36000.76983, T) + 0.0003032 * T * T * DegToRad;
    const double M = Degrees(357.52911, 35999.05029, T) - 0.0001537 * T * T * DegToRad;
    const double sinM = std::sin(M), cosM = std::cos(M);
    const double sin2M = 2 * sinM * cosM;
    const double sin3M = sinM * (3 - 4 * sinM * sinM);
    const double centre = ((1.914602 - 0.004817 * T - 0.000014 * T * T) * sinM +
                           (0.019993 - 0.000101 * T) * sin2M + 0.000289 * sin3M) *
                          DegToRad;
    // Nutation: the terms of the Moon's node and of twice the Sun's mean longitude.
    const double omega = Degrees(125.04452, -1934.136261, T);
    const double sinOmega = std::sin(omega), cosOmega = std::cos(omega);
    const double twoL = 2 * meanLongitude;
    const double nutationLongitude = (-17.20 * sinOmega - 1.32 * std::sin(twoL)) * ArcSecond;
    const double nutationObliquity = (9.20 * cosOmega + 0.57 * std::cos(twoL)) * ArcSecond;
    const double aberration = -20.4898 * ArcSecond;
    const double lambda =
        meanLongitude + centre + Perturbations(jd + DeltaT(jd) / 86400) + aberration + nutationLongitude;
    const double epsilon = (23.4392911 - 0.0130042 * T) * DegToRad + nutationObliquity;

    const double sinLambda = std::sin(lambda), cosLambda = std::cos(lambda);
    const double sinEpsilon = std::sin(epsilon), cosEpsilon = std::cos(epsilon);
    const double rightAscension = std::atan2(cosEpsilon * sinLambda, cosLambda);
    TPreciseSun sun;
    sun.Declination = std::asin(sinEpsilon * sinLambda);

    const double d = jd - J2000;
    const double tu = d / 36525;
    const double meanSidereal =
        std::fmod(280.46061837 + 360.98564736629 * d, 360.0) * DegToRad + 0.000387933 * tu * tu * DegToRad;
    const double apparentSidereal = meanSidereal + nutationLongitude * cosEpsilon;
    sun.HourAngle = std::remainder(apparentSidereal + longitude - rightAscension, 2 * Pi);
    const double difference = SolarTimeOfHourAngle(sun.HourAngle) - MeanSolarTime(jd, longitude);
    sun.EquationOfTime = std::remainder(difference, 24.0) * 60;
    return sun;
}

TPreciseDay PreciseDayFrom(double jd) {
    TPreciseDay day;
    day.Start = jd;
    for (int i = 0; i < 3; ++i) {
        const TPreciseSun sun = PreciseSunAt(jd + i * 0.5, 0);
        day.Declination[i] = sun.Declination;
        day.EquationOfTime[i] = sun.EquationOfTime;
    }
    return day;
}

bool PreciseDayCovers(const TPreciseDay& day, double jd) {
    return jd >= day.Start - 0.25 && jd <= day.Start + 1.25;
}

TPreciseSun PreciseDayAt(const TPreciseDay& day, double jd, double longitude) {
    // Newton's form of the parabola through the three instants, u counting half days from the first.
    const double u = (jd - day.Start) * 2;
    const auto parabola = [u](const double(&f)[3]) {
        return f[0] + u * (f[1] - f[0]) + u * (u - 1) / 2 * (f[2] - 2 * f[1] + f[0]);
    };
    TPreciseSun sun;
    sun.Declination = parabola(day.Declination);
    sun.EquationOfTime = parabola(day.EquationOfTime);
    // The apparent solar time is the mean one plus the equation of time.
    const double apparent = MeanSolarTime(jd, longitude) + sun.EquationOfTime / 60;
    sun.HourAngle = ReducedHourAngle(HourAngleOf(apparent));
    return sun;
}

double SolarParallax(double cosAltitude) {
    return 8.794 * ArcSecond * cosAltitude;
}
