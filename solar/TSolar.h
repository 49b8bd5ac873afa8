#pragma once
// Sun position, solar time and clear-sky irradiance for one site, one surface, one day and one time.
//
// Conventions at the interface: angles in degrees, time in decimal hours, irradiance in W/m2.
// Latitude north positive, longitude east positive, the time zone is the longitude of the zone's
// standard meridian (east positive). Sun and surface azimuths are measured from south, positive
// towards west; slope 0 is horizontal, 90 vertical. Inside TSolar angles are radians.
//
// TSolar keeps each result until an input it depends on changes and works it out through the pure
// steps of SunPosition.h, PreciseSun.h and ClearSky.h; every intermediate of the current time is
// readable (Steps()).
#include "ClearSky.h"
#include "PreciseSun.h"
#include "SunPosition.h"

#include <optional>
#include <string>

// ---- Day and time functions ----------------------------------------------------------------------

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

// ---- The solar model object ----------------------------------------------------------------------

// How the sun's position is worked out: the published model (Cooper's declination and the three-term
// equation of time of the day number), or the precise one (PreciseSun.h) for the calendar date.
enum TSunMethod { smPublished, smPrecise };

// Every intermediate of one time's solve, in interface units, as the last queries left them.
struct TSolarSteps {
    double Declination = 0;         // [deg]
    double EquationOfTime = 0;      // [min]
    double ClockTime = 0;           // [h]
    double SolarTime = 0;           // [h], as the clock gives it (not brought into the day)
    double RawHourAngle = 0;        // [deg], of that solar time
    double HourAngle = 0;           // [deg], reduced into -180..180
    double Altitude = 0;            // [deg]
    double Azimuth = 0;             // [deg]
    double SurfaceSolarAzimuth = 0; // [deg]
    double IncidentAngle = 0;       // [deg]
    TClearSkyDay Sky;               // A [W/m2], B and Cd [-] of the day
    double PressureRatio = 1;       // [-]
    double DirectNormal = 0;        // [W/m2]
    double Direct = 0;              // [W/m2]
    double DiffuseHorizontal = 0;   // [W/m2]
    double TotalHorizontal = 0;     // [W/m2]
    bool VerticalSky = false;       // the diffuse factor is the vertical-surface ratio Y
    double DiffuseFactor = 0;       // Y, or (1 + cos slope) / 2 [-]
    double Diffuse = 0;             // [W/m2]
    double Reflected = 0;           // [W/m2]
    double Total = 0;               // direct + diffuse + reflected [W/m2]
    double GlassTransmission = 0;   // [-]
    double SolarHeatGainFactor = 0; // total times the glass transmission [W/m2]
};

class TSolar {
public:
    // Defaults: the published method, day 80 (21 March), latitude -26.13, longitude 28.24, zone 30,
    // altitude 0 m, surface azimuth 15 and slope 36, clock time 11 h, ground reflectance 0.2, the
    // local clock's current year.
    TSolar();

    // The method of the sun's position, and the year whose calendar the precise method reads the
    // day number in (the published method has no year). Both make the results stale.
    void SetMethod(TSunMethod method);
    TSunMethod Method() const { return FMethod; }
    void SetYear(int year);
    int Year() const { return FYear; }

    // Day of the year (may be fractional); updates declination and equation of time.
    void SetDay(double dayNumber);
    // Site latitude, longitude and zone meridian [deg] and altitude above sea level [m].
    void SetLocation(double latitude, double longitude, double timeZone, double altitude);
    // Outward surface normal azimuth [deg, any value] and slope from horizontal [deg].
    void SetSurface(double azimuth, double slope);
    // Clock times [h] of sunrise and sunset (sun's centre on the geometric horizon) of the set day
    // and location; independent of the set time. Midnight sun gives the clock times of solar
    // midnight before and after the day, polar night that of solar noon for both. All of them are
    // moved by a whole day where the zone meridian lies across the 180th meridian from the site, so
    // that solar noon falls within 12 hours of clock noon (Wallis at zone 180: 06:09, not 30:09).
    void SunriseSunset(double& sunrise, double& sunset) const;
    // Sets the clock (standard) time [h] and the matching solar time.
    void SetClockTime(double clockTime);
    // Sets the apparent solar time [h], the matching clock time and the hour angle. The clock time is
    // moved by whole days as sunrise is.
    void SetSolarTime(double solarTime);

    // Sun altitude above the horizon [deg]; negative below it. The precise method gives the
    // topocentric altitude without refraction.
    double SolarAltitude();
    // Sun azimuth [deg, -180..180]: 0 due south, negative in the morning (east), positive in the
    // afternoon (west); at solar noon exactly 0 (sun culminating south) or 180 (north).
    double SolarAzimuth();
    // Absolute difference of sun and surface azimuth [deg], not folded into 0..180.
    double SurfaceSolarAzimuth();
    // Angle between the sun's rays and the surface normal [deg, 0..180]; 90 or more means the sun
    // is behind the surface.
    double IncidentAngle();

    // Solar declination at the set time [deg] (the published method: of the set day).
    double Declination() const;
    // Hour angle of the set time [deg] within -180..180, negative before solar noon.
    double HourAngle() const;
    // The hour angle as the solar time gives it [deg], before it is brought into -180..180.
    double RawHourAngle() const;
    // Clock time [h] of the last SetClockTime or SetSolarTime.
    double ClockTime() const { return FClockTime; }
    // Solar time [h] of the last SetClockTime or SetSolarTime.
    double SolarTime() const { return FSolarTime; }
    // Equation of time at the set time [min] (the published method: of the set day).
    double EquationOfTimeMinutes() const { return FEquationOfTime; }
    // Declination [deg] and equation of time [min] of the day as a whole: the published method's
    // values of the day number, the precise method's at the day's solar noon.
    double DayDeclination() const;
    double DayEquationOfTime() const;

    // Inputs as set, in interface units.
    double DayNumber() const { return FDayNumber; }
    double Latitude() const;                      // [deg]
    double Longitude() const;                     // [deg]
    double TimeZone() const;                      // [deg]
    double Altitude() const { return FAltitude; } // [m]
    double SurfaceAzimuth() const;                // [deg]
    double Slope() const;                         // [deg]

    // Direct normal irradiance DN [W/m2]; 0 while the sun is not above 0.001 rad.
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

    // Horizontal sky diffuse and horizontal total (beam plus diffuse) [W/m2] of the set time.
    double DiffuseHorizontal();
    double TotalHorizontal();
    // Reflectance of the ground in front of the surface [-].
    double GroundReflectance() const { return FGroundReflectance; }

    // Every intermediate of the set time, each worked out once.
    TSolarSteps Steps();

    // Whether the altitude group, and the azimuth group, are current for the set inputs.
    bool AltitudeValid() const { return FAltitudeValid; }
    bool AzimuthValid() const { return FAzimuthValid; }

private:
    // Each group is computed once for the set inputs and kept until an input it depends on changes:
    // the altitude with the horizontal radiation after it, then the azimuth, then the incidence, then
    // the irradiance on the surface with its heat gain.
    void InvalidateAltitude();
    void InvalidateAzimuth();
    void SetDeclination(double declination);
    void SetHourAngle(double rawHourAngle);
    void SetPreciseTime(double clockTime);
    // The precise sun's declination and equation of time around the set day (precise method only),
    // read by hour rather than worked out afresh.
    void RefreshPreciseDay();
    // The precise sun at a clock time of the set day, and at the day's solar noon.
    TPreciseSun PreciseAt(double clockTime) const;
    TPreciseSun PreciseNoon() const;
    // The clock time at which the hour angle of `sun`, seen at clockTime, is 0.
    static double NoonClockTime(const TPreciseSun& sun, double clockTime = 12);
    double DayShift() const;
    void ComputeAltitude();
    void ComputeAzimuth();
    void ComputeIncidence();
    void ComputeHorizontal();
    void ComputeSurface();

    TSunMethod FMethod = smPublished;
    int FYear = 2000;

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
    double FRawHourAngle = 0;
    double FHourAngle = 0; // reduced into -pi..pi
    double FDayShift = 0;  // [h], DayShift() of the published day and the site

    // Results of the pure steps.
    TAltitudeStep FGeocentric; // the altitude the azimuth is worked out from
    TAltitudeStep FSun;        // the altitude as given (topocentric in the precise method)
    TAzimuthStep FAzimuth;
    TSurfaceSolarStep FSurfaceSolar;
    TIncidenceStep FIncidence;
    double FDirectNormal = 0;      // [W/m2]
    double FDiffuseHorizontal = 0; // [W/m2]
    double FTotalHorizontal = 0;   // [W/m2]
    double FDirect = 0, FDiffuse = 0, FReflected = 0, FHeatGain = 0; // on the surface [W/m2]
    bool FAltitudeValid = false;
    bool FAzimuthValid = false;
    bool FIncidenceValid = false;
    bool FHorizontalValid = false;
    bool FSurfaceValid = false;

    // Sines and cosines, computed once when their angle is set.
    TSinCos FLatitudeSC, FDeclinationSC, FSlopeSC, FSurfaceAzimuthSC;
    double FCosHourAngle = 1;

    TPreciseDay FPreciseDay;   // of the set day, year and zone
    TClearSkyDay FSky;         // of the set day
    double FPressureRatio = 1; // of the set altitude [-]
    double FGroundReflectance = 0.2;
};
