#pragma once
// The precise sun position: the apparent solar coordinates of Meeus, "Astronomical Algorithms"
// (2nd ed., 1998), chapter 25, with the perturbations of the solar longitude by Venus, Jupiter and the
// Moon and the long-period term of Meeus, "Astronomical Formulae for Calculators" (4th ed., 1988),
// chapter 18; the main terms of the nutation (chapter 22), the apparent sidereal time (chapter 12)
// and the parallax in altitude. Measured against a VSOP87 ephemeris the topocentric altitude and
// azimuth agree within 0.003 degrees (tests/solar/data/ephemeris.csv). Pure functions: angles in
// radians, times as stated.

// The years the method is made for (the span of its TT - UT and of the tests against an ephemeris).
inline constexpr int PreciseFirstYear = 1900;
inline constexpr int PreciseLastYear = 2100;

// Julian day (UT) of clock time [h] on day number N of a year, for a zone meridian [deg, east
// positive]: the day's date is that of N's whole part (N = 1 is 1 January), the time of day is the
// clock time less the zone's offset from UT (zone / 15 hours). Years 1900 to 2100 are meant.
double JulianDayUT(int year, double dayNumber, double clockTime, double timeZone);

// The sun seen from a meridian at one moment.
struct TPreciseSun {
    double Declination = 0;    // apparent, geocentric [rad]
    double HourAngle = 0;      // local apparent hour angle [rad], -pi..pi, negative before noon
    double EquationOfTime = 0; // apparent less mean solar time [min]
};
// The apparent sun at Julian day (UT) jd for the east longitude [rad]; TT - UT is taken from the
// Espenak and Meeus polynomial, whose error moves the sun by far less than 0.001 degrees.
TPreciseSun PreciseSunAt(double julianDayUT, double longitude);

// Declination and equation of time, the two of the apparent sun that do not depend on the meridian,
// at three instants half a day apart, from which PreciseDayAt reads any moment near them. Both vary
// so slowly that a parabola through the three instants follows them within 1e-5 degrees and 1e-4
// minutes from six hours before the first instant to six hours after the last: far below the
// method's own error, at a fraction of the cost of PreciseSunAt.
struct TPreciseDay {
    double Start = 0;              // Julian day (UT) of the first instant
    double Declination[3] = {};    // [rad]
    double EquationOfTime[3] = {}; // [min]
};
TPreciseDay PreciseDayFrom(double julianDayUT);
// Whether jd lies within six hours of the three instants, where PreciseDayAt may be used.
bool PreciseDayCovers(const TPreciseDay& day, double julianDayUT);
// The sun at jd for the east longitude [rad], as PreciseSunAt gives it, from the parabolas.
TPreciseSun PreciseDayAt(const TPreciseDay& day, double julianDayUT, double longitude);

// The sun's parallax in altitude [rad] (8.794 arc seconds at 1 AU times cos(altitude)); the
// topocentric altitude is the geocentric one less it.
double SolarParallax(double cosAltitude);
