#pragma once
// Sun position, solar time and clear-sky irradiance for one site, one surface, one day and one time.
//
// Conventions at the interface: angles in degrees, time in decimal hours, irradiance in W/m2.
// Latitude north positive, longitude east positive, the time zone is the longitude of the zone's
// standard meridian (east positive). Sun and surface azimuths are measured from south, positive
// towards west; slope 0 is horizontal, 90 vertical. Inside TSolar angles are radians.
#include <optional>
#include <string>

inline constexpr double DegToRad = 0.017453292519943295;
inline constexpr double RadToDeg = 57.29577951308232;

// ---- Day and time functions ----------------------------------------------------------------------

// Solar declination of day number N [rad] (Cooper's equation); N may be fractional.
double SolarDeclination(double dayNumber);
// Equation of time of day number N [min], three-term fit over a 364-day period.
double EquationOfTime(double dayNumber);
// Apparent solar time [h] of a clock time [h]; equation of time [min], longitudes [rad].
double SolarTimeOf(double clockTime, double equationOfTime, double longitude, double timeZone);
// Clock (standard) time [h] of a solar time [h]; the inverse of SolarTimeOf.
double ClockTimeOf(double solarTime, double equationOfTime, double longitude, double timeZone);

// Day of the year [1..366] of a Gregorian date: 1 January gives 1. A month outside 1..12 is
// limited to that range; a day outside the month counts on (0 gives 0, 32 January gives 32).
int DayOfYear(int year, int month, int day);

// A calendar date with a time of day, as DateOfDayNumber gives it.
struct TDateTimeParts {
    int Year = 0;
    int Month = 1; // 1..12
    int Day = 1;   // 1..31
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    bool operator==(const TDateTimeParts&) const = default;
};

// Date of day number N counted from 1 January of `year` (the local clock's current year when
// absent): N = 1 is 1 January 00:00, a fractional N gives a time of day rounded to the second,
// N beyond the year's end runs into the following year. A non-finite N is taken as 1; |N| is
// limited to ten million days so the arithmetic cannot overflow.
TDateTimeParts DateOfDayNumber(double dayNumber, std::optional<int> year = std::nullopt);

// +1 when x >= 0, otherwise -1 (also for NaN).
int SignOf(double x);

// Text hh:mm:ss of decimal hours [h], fields of at least two digits joined by the separator (the
// caller passes the locale's time separator). Minutes are truncated and seconds rounded (ties to even); a
// rounding up to 60 s is carried into the minutes (and 60 min into the hours), so 6.1 h reads 06:06:00.
// Negative hours get a leading "-" before the text of their magnitude (-0.5 h reads -00:30:00);
// 24 h or more keep counting the hours (25.5 h reads 25:30:00), as near the poles sunrise and
// sunset can fall outside the day. A value that is not finite or exceeds a million hours reads
// --:--:-- instead of printing a meaningless number.
std::string HoursToHMS(double hours, const std::string& separator);

// ---- Clear-sky model coefficients (cosine fits of the day number) --------------------------------

// Apparent extraterrestrial irradiance A of day number N [W/m2].
double ApparentExtraterrestrial(double dayNumber);
// Atmospheric extinction coefficient B of day number N [-], at sea level.
double AtmosphericExtinction(double dayNumber);
// Diffuse sky ratio Cd of day number N [-]: horizontal sky diffuse over direct normal.
double DiffuseSkyRatio(double dayNumber);
// Pressure ratio P of the site altitude [m] to sea level [-]; scales the extinction.
double PressureRatio(double altitude);
// Transmission factor of the reference clear glass at an incident angle [deg] (sign ignored):
// 0.86 at normal incidence, falling steeply beyond about 70 degrees.
double GlassTransmission(double incidentAngle);

// ---- The solar model object ----------------------------------------------------------------------

class TSolar {
public:
    // Defaults: day 80 (21 March), latitude -26.13, longitude 28.24, zone 30, altitude 0 m,
    // surface azimuth 15 and slope 36, clock time 11 h, ground reflectance 0.2.
    TSolar();

    // Day of the year (may be fractional); updates declination and equation of time.
    void SetDay(double dayNumber);
    // Site latitude, longitude and zone meridian [deg] and altitude above sea level [m].
    void SetLocation(double latitude, double longitude, double timeZone, double altitude);
    // Outward surface normal azimuth [deg, any value] and slope from horizontal [deg].
    void SetSurface(double azimuth, double slope);
    // Clock times [h] of sunrise and sunset (sun's centre on the geometric horizon) of the set day
    // and location; independent of the set time. Midnight sun gives ClockTimeOf(0) and
    // ClockTimeOf(24); polar night gives ClockTimeOf(12) for both.
    void SunriseSunset(double& sunrise, double& sunset) const;
    // Sets the clock (standard) time [h] and the matching solar time.
    void SetClockTime(double clockTime);
    // Sets the apparent solar time [h], the matching clock time and the hour angle.
    void SetSolarTime(double solarTime);

    // Sun altitude above the horizon [deg]; negative below it.
    double SolarAltitude();
    // Sun azimuth [deg, -180..180]: 0 due south, negative in the morning (east), positive in the
    // afternoon (west); at solar noon exactly 0 (sun culminating south) or 180 (north).
    double SolarAzimuth();
    // Absolute difference of sun and surface azimuth [deg], not folded into 0..180.
    double SurfaceSolarAzimuth();
    // Angle between the sun's rays and the surface normal [deg, 0..180]; 90 or more means the sun
    // is behind the surface.
    double IncidentAngle();

    // Solar declination of the set day [deg].
    double Declination() const;
    // Hour angle of the set time [deg], negative before solar noon.
    double HourAngle() const;
    // Clock time [h] of the last SetClockTime or SetSolarTime.
    double ClockTime() const { return FClockTime; }
    // Solar time [h] of the last SetClockTime or SetSolarTime.
    double SolarTime() const { return FSolarTime; }
    // Equation of time of the set day [min].
    double EquationOfTimeMinutes() const { return FEquationOfTime; }

    // Inputs as set, in interface units.
    double DayNumber() const { return FDayNumber; }
    double Latitude() const;                      // [deg]
    double Longitude() const;                     // [deg]
    double TimeZone() const;                      // [deg]
    double Altitude() const { return FAltitude; } // [m]
    double SurfaceAzimuth() const;                // [deg]
    double Slope() const;                         // [deg]

    // Direct normal irradiance DN [W/m2]; 0 while the sun is not above 0.001 rad. Also sets the
    // horizontal diffuse and total of the current time.
    double DirectNormal();
    // Beam irradiance on the surface [W/m2]; 0 when the sun is below the horizon or behind the
    // surface.
    double DirectRadiation();
    // Sky diffuse irradiance on the surface [W/m2]; surfaces steeper than about 85 degrees use the
    // vertical-surface ratio of the incident angle, others an isotropic sky; 0 below the horizon.
    double DiffuseRadiation();
    // Ground-reflected irradiance on the surface [W/m2]; 0 for a horizontal surface and below the
    // horizon.
    double ReflectedRadiation();
    // Solar heat gain factor of reference clear glass in the surface [W/m2]: the sum of direct,
    // diffuse and reflected irradiance times the glass transmission at the beam's incident angle.
    double SolarHeatGainFactor();

    // Horizontal sky diffuse [W/m2] of the last DirectNormal.
    double DiffuseHorizontal() const { return FDiffuseHorizontal; }
    // Horizontal total (beam plus diffuse) [W/m2] of the last DirectNormal.
    double TotalHorizontal() const { return FTotalHorizontal; }
    // Reflectance of the ground in front of the surface [-].
    double GroundReflectance() const { return FGroundReflectance; }

    // Whether the altitude group, and the azimuth group, are current for the set inputs.
    bool AltitudeValid() const { return FAltitudeValid; }
    bool AzimuthValid() const { return FAzimuthValid; }

private:
    // Each group is computed once for the set inputs and kept until an input it depends on changes:
    // the altitude with the direct normal after it, then the azimuth, then the incidence.
    void InvalidateAltitude();
    void InvalidateAzimuth();
    void ComputeAltitude();
    void ComputeAzimuth();
    void ComputeIncidence();
    void ComputeDirectNormal();

    // Inputs (angles in radians).
    double FLatitude = 0;
    double FLongitude = 0;
    double FTimeZone = 0;
    double FAltitude = 0; // [m]
    double FSurfaceAzimuth = 0;
    double FSlope = 0;
    double FDayNumber = 0;
    double FDeclination = 0;
    double FEquationOfTime = 0; // [min]
    double FClockTime = 0;      // [h]
    double FSolarTime = 0;      // [h]
    double FHourAngle = 0;

    // Results.
    double FSolarAltitude = 0;
    double FSolarAzimuth = 0;
    double FSurfaceSolarAzimuth = 0;
    double FIncidentAngle = 0;
    double FDirectNormal = 0; // [W/m2]
    bool FAltitudeValid = false;
    bool FAzimuthValid = false;
    bool FIncidenceValid = false;
    bool FDirectNormalValid = false;

    // Sines and cosines, computed once when their angle is set or computed.
    double FSinLatitude = 0, FCosLatitude = 1;
    double FSinDeclination = 0, FCosDeclination = 1;
    double FSinSlope = 0, FCosSlope = 1;
    double FSinSurfaceAzimuth = 0, FCosSurfaceAzimuth = 1;
    double FSinAltitude = 0, FCosAltitude = 1;
    double FCosHourAngle = 1;
    double FCosSurfaceSolarAzimuth = 1;
    double FCosIncidentAngle = 1;

    // Clear-sky coefficients of the set day: A [W/m2], B at sea level [-], Cd [-]; and the pressure
    // ratio of the set altitude [-].
    double FExtraterrestrial = 0;
    double FExtinction = 0;
    double FDiffuseSkyRatio = 0;
    double FPressureRatio = 1;

    // Radiation.
    double FDiffuseHorizontal = 0; // [W/m2]
    double FTotalHorizontal = 0;   // [W/m2]
    double FGroundReflectance = 0.2;
};
