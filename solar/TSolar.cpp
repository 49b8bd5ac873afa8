#include "TSolar.h"

#include "Calendar.h"
#include "PreciseSun.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

// Round to the nearest integer, ties to the even neighbour, independent of the FPU rounding mode.
double RoundHalfEven(double x) {
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff > 0.5) return lower + 1;
    if (diff < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

int CurrentYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// At least two digits; v is a whole number of at most a million (hours), so it fits an int.
std::string TwoDigits(double v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2d", static_cast<int>(v));
    return buf;
}

} // namespace

// ---- Day and time functions ----------------------------------------------------------------------

int DayOfYear(int year, int month, int day) {
    if (month < 1) month = 1;
    if (month > 12) month = 12;
    return static_cast<int>(DaysFromCivil(year, month, day) - DaysFromCivil(year, 1, 1) + 1);
}

TDateTimeParts DateOfDayNumber(double dayNumber, std::optional<int> year) {
    if (!std::isfinite(dayNumber)) dayNumber = 1;
    dayNumber = std::fmax(-1e7, std::fmin(1e7, dayNumber));
    const double offset = dayNumber - 1;
    long long days = static_cast<long long>(std::floor(offset));
    long long seconds = static_cast<long long>(std::llround((offset - std::floor(offset)) * 86400));
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    TDateTimeParts r;
    const int y = year.value_or(CurrentYear());
    CivilFromDays(DaysFromCivil(y, 1, 1) + days, r.Year, r.Month, r.Day);
    r.Hour = static_cast<int>(seconds / 3600);
    r.Minute = static_cast<int>(seconds / 60 % 60);
    r.Second = static_cast<int>(seconds % 60);
    return r;
}

int SignOf(double x) {
    return x >= 0 ? 1 : -1;
}

std::string HoursToHMS(double hours, const std::string& sep) {
    if (!std::isfinite(hours) || std::fabs(hours) > 1e6) return "--" + sep + "--" + sep + "--";
    const double x = std::fabs(hours);
    double h = std::trunc(x);
    double m = std::trunc((x - h) * 60);
    double s = std::fmax(0.0, RoundHalfEven(((x - h) - m / 60) * 3600));
    // Truncated minutes with rounded seconds can give 60 s; carry it rather than show "05:60".
    if (s >= 60) {
        s -= 60;
        m += 1;
    }
    if (m >= 60) {
        m -= 60;
        h += 1;
    }
    const bool negative = hours < 0 && (h > 0 || m > 0 || s > 0);
    return (negative ? "-" : "") + TwoDigits(h) + sep + TwoDigits(m) + sep + TwoDigits(s);
}

// ---- TSolar --------------------------------------------------------------------------------------

TSolar::TSolar() : FYear(CurrentYear()) {
    SetDay(DayOfYear(2005, 3, 21));
    SetLocation(-26.13, 28.24, 30, 0);
    SetSurface(15, 36);
    SetClockTime(11);
    FGroundReflectance = 0.2;
}

void TSolar::InvalidateAltitude() {
    FAltitudeValid = false;
    FHorizontalValid = false;
    InvalidateAzimuth();
}

void TSolar::InvalidateAzimuth() {
    FAzimuthValid = false;
    FIncidenceValid = false;
    FSurfaceValid = false;
}

void TSolar::SetMethod(TSunMethod method) {
    FMethod = method == smPrecise ? smPrecise : smPublished;
    SetDay(FDayNumber);
    SetClockTime(FClockTime);
}

void TSolar::SetYear(int year) {
    FYear = year;
    SetDay(FDayNumber);
    SetClockTime(FClockTime);
}

void TSolar::SetDeclination(double declination) {
    FDeclination = declination;
    FDeclinationSC = SinCosOf(declination);
}

void TSolar::SetDay(double dayNumber) {
    FDayNumber = dayNumber;
    // The precise method sets declination and equation of time with each time; until then the
    // published values of the day stand in.
    SetDeclination(SolarDeclination(dayNumber));
    FEquationOfTime = EquationOfTime(dayNumber);
    // The day's coefficients are the same for every hour, so they are computed here once.
    FSky = ClearSkyDayOf(dayNumber);
    FDayShift = DayShift();
    RefreshPreciseDay();
    InvalidateAltitude();
}

void TSolar::SetLocation(double latitude, double longitude, double timeZone, double altitude) {
    FLatitude = latitude * DegToRad;
    FLongitude = longitude * DegToRad;
    FTimeZone = timeZone * DegToRad;
    FAltitude = altitude;
    FPressureRatio = PressureRatio(altitude);
    FLatitudeSC = SinCosOf(FLatitude);
    FDayShift = DayShift();
    RefreshPreciseDay(); // the day starts at midnight of the zone
    InvalidateAltitude();
}

void TSolar::SetSurface(double azimuth, double slope) {
    FSurfaceAzimuth = azimuth * DegToRad;
    FSlope = slope * DegToRad;
    FSurfaceAzimuthSC = SinCosOf(FSurfaceAzimuth);
    FSlopeSC = SinCosOf(FSlope);
    // The altitude does not depend on the surface; only the azimuth group goes stale.
    InvalidateAzimuth();
}

double TSolar::DayShift() const {
    // Whole days that bring the clock time of solar noon within 12 hours of clock noon; 0 wherever
    // the zone meridian lies within 180 degrees of the site.
    const double noon = ClockTimeOf(12, FEquationOfTime, FLongitude, FTimeZone);
    return 24 * std::round((noon - 12) / 24);
}

void TSolar::SunriseSunset(double& sunrise, double& sunset) const {
    if (FMethod == smPublished) {
        const double halfDay = HalfDayLength(FLatitude, FDeclination);
        const double shift = FDayShift;
        sunrise = ClockTimeOf(12 - halfDay, FEquationOfTime, FLongitude, FTimeZone) - shift;
        sunset = ClockTimeOf(12 + halfDay, FEquationOfTime, FLongitude, FTimeZone) - shift;
        return;
    }
    // The precise sun at each event's own time: a first estimate from the noon values, then once more.
    const auto event = [this](double side) {
        double clock = NoonClockTime(PreciseAt(12));
        for (int i = 0; i < 2; ++i) {
            const TPreciseSun sun = PreciseAt(clock);
            clock = NoonClockTime(sun, clock) + side * HalfDayLength(FLatitude, sun.Declination);
        }
        return clock;
    };
    sunrise = event(-1);
    sunset = event(+1);
}

void TSolar::SetHourAngle(double rawHourAngle) {
    FRawHourAngle = rawHourAngle;
    FHourAngle = ReducedHourAngle(rawHourAngle);
    FCosHourAngle = std::cos(FHourAngle);
    InvalidateAltitude();
}

void TSolar::RefreshPreciseDay() {
    if (FMethod != smPrecise) return;
    const double start = JulianDayUT(FYear, FDayNumber, 0, FTimeZone * RadToDeg);
    if (start != FPreciseDay.Start) FPreciseDay = PreciseDayFrom(start);
}

TPreciseSun TSolar::PreciseAt(double clockTime) const {
    const double jd = JulianDayUT(FYear, FDayNumber, clockTime, FTimeZone * RadToDeg);
    if (PreciseDayCovers(FPreciseDay, jd)) return PreciseDayAt(FPreciseDay, jd, FLongitude);
    return PreciseSunAt(jd, FLongitude);
}

double TSolar::NoonClockTime(const TPreciseSun& sun, double clockTime) {
    return clockTime - sun.HourAngle * 12 / Pi;
}

TPreciseSun TSolar::PreciseNoon() const {
    return PreciseAt(NoonClockTime(PreciseAt(12)));
}

void TSolar::SetPreciseTime(double clockTime) {
    const TPreciseSun sun = PreciseAt(clockTime);
    FClockTime = clockTime;
    SetDeclination(sun.Declination);
    FEquationOfTime = sun.EquationOfTime;
    FSolarTime = SolarTimeOf(clockTime, FEquationOfTime, FLongitude, FTimeZone);
    SetHourAngle(sun.HourAngle);
    FRawHourAngle = HourAngleOf(FSolarTime);
}

void TSolar::SetClockTime(double clockTime) {
    if (FMethod == smPrecise) return SetPreciseTime(clockTime);
    FClockTime = clockTime;
    SetSolarTime(SolarTimeOf(clockTime, FEquationOfTime, FLongitude, FTimeZone));
}

void TSolar::SetSolarTime(double solarTime) {
    if (FMethod == smPrecise) {
        // The clock time whose apparent solar time this is: the equation of time moves little in
        // the hour or so between the estimate and the answer.
        for (int i = 0; i < 2; ++i)
            SetPreciseTime(ClockTimeOf(solarTime, FEquationOfTime, FLongitude, FTimeZone) - DayShift());
        return;
    }
    FSolarTime = solarTime;
    FClockTime = ClockTimeOf(solarTime, FEquationOfTime, FLongitude, FTimeZone) - FDayShift;
    SetHourAngle(HourAngleOf(solarTime));
}

void TSolar::ComputeAltitude() {
    FGeocentric = SolarAltitudeStep(FLatitudeSC, FDeclinationSC, FCosHourAngle);
    FSun = FGeocentric;
    if (FMethod == smPrecise) {
        // The sine and cosine of beta - p by the angle-difference formulas: the parallax p is below
        // 5e-5 rad, so the first terms of its own sine and cosine are exact in doubles.
        const double p = SolarParallax(FGeocentric.Cos);
        const double sinP = p - p * p * p / 6, cosP = 1 - p * p / 2;
        FSun = {FGeocentric.Angle - p, FGeocentric.Sin * cosP - FGeocentric.Cos * sinP,
                FGeocentric.Cos * cosP + FGeocentric.Sin * sinP};
    }
    FAltitudeValid = true;
}

void TSolar::ComputeAzimuth() {
    if (!FAltitudeValid) ComputeAltitude();
    FAzimuth = SolarAzimuthStep(FLatitudeSC, FDeclinationSC, FHourAngle, FCosHourAngle, FGeocentric);
    FSurfaceSolar = SurfaceSolarAzimuthStep(FAzimuth, FSurfaceAzimuth, FSurfaceAzimuthSC);
    FAzimuthValid = true;
}

void TSolar::ComputeIncidence() {
    if (!FAzimuthValid) ComputeAzimuth();
    FIncidence = IncidenceStep(FSun, FSurfaceSolar, FSlopeSC);
    FIncidenceValid = true;
}

double TSolar::SolarAltitude() {
    if (!FAltitudeValid) ComputeAltitude();
    return FSun.Angle * RadToDeg;
}

double TSolar::SolarAzimuth() {
    if (!FAzimuthValid) ComputeAzimuth();
    return FAzimuth.Angle * RadToDeg;
}

double TSolar::SurfaceSolarAzimuth() {
    if (!FAzimuthValid) ComputeAzimuth();
    return FSurfaceSolar.Angle * RadToDeg;
}

double TSolar::IncidentAngle() {
    if (!FIncidenceValid) ComputeIncidence();
    return FIncidence.Angle * RadToDeg;
}

double TSolar::Declination() const {
    return FDeclination * RadToDeg;
}
double TSolar::HourAngle() const {
    return FHourAngle * RadToDeg;
}
double TSolar::RawHourAngle() const {
    return FRawHourAngle * RadToDeg;
}
double TSolar::Latitude() const {
    return FLatitude * RadToDeg;
}
double TSolar::Longitude() const {
    return FLongitude * RadToDeg;
}
double TSolar::TimeZone() const {
    return FTimeZone * RadToDeg;
}
double TSolar::SurfaceAzimuth() const {
    return FSurfaceAzimuth * RadToDeg;
}
double TSolar::Slope() const {
    return FSlope * RadToDeg;
}

double TSolar::DayDeclination() const {
    if (FMethod == smPublished) return SolarDeclination(FDayNumber) * RadToDeg;
    return PreciseNoon().Declination * RadToDeg;
}

double TSolar::DayEquationOfTime() const {
    if (FMethod == smPublished) return EquationOfTime(FDayNumber);
    return PreciseNoon().EquationOfTime;
}

// ---- Radiation -----------------------------------------------------------------------------------

void TSolar::ComputeHorizontal() {
    if (!FAltitudeValid) ComputeAltitude();
    FDirectNormal = DirectNormalIrradiance(FSky, FPressureRatio, FSun.Angle, FSun.Sin);
    FDiffuseHorizontal = DiffuseHorizontalIrradiance(FSky, FDirectNormal);
    FTotalHorizontal = TotalHorizontalIrradiance(FSky, FDirectNormal, FSun.Sin);
    FHorizontalValid = true;
}

double TSolar::DirectNormal() {
    if (!FHorizontalValid) ComputeHorizontal();
    return FDirectNormal;
}

double TSolar::DiffuseHorizontal() {
    if (!FHorizontalValid) ComputeHorizontal();
    return FDiffuseHorizontal;
}

double TSolar::TotalHorizontal() {
    if (!FHorizontalValid) ComputeHorizontal();
    return FTotalHorizontal;
}

// Direct, diffuse and reflected on the surface with the heat gain of their sum, worked out together:
// the solve asks for each of them and then for the heat gain, which needs all three again.
void TSolar::ComputeSurface() {
    if (!FIncidenceValid) ComputeIncidence();
    if (!FHorizontalValid) ComputeHorizontal();
    FDirect = DirectOnSurface(FDirectNormal, FIncidence.Cos, FSun.Angle);
    FDiffuse =
        SkyDiffuseOnSurface(FDiffuseHorizontal, SkyDiffuseFactor(FSlopeSC.Cos, FIncidence.Cos), FSun.Angle);
    FReflected = GroundReflectedOnSurface(FTotalHorizontal, FGroundReflectance, FSlopeSC.Cos, FSun.Angle);
    FHeatGain = (FDirect + FDiffuse + FReflected) * GlassTransmission(FIncidence.Angle * RadToDeg);
    FSurfaceValid = true;
}

double TSolar::DirectRadiation() {
    if (!FSurfaceValid) ComputeSurface();
    return FDirect;
}

double TSolar::DiffuseRadiation() {
    if (!FSurfaceValid) ComputeSurface();
    return FDiffuse;
}

double TSolar::ReflectedRadiation() {
    if (!FSurfaceValid) ComputeSurface();
    return FReflected;
}

double TSolar::SolarHeatGainFactor() {
    if (!FSurfaceValid) ComputeSurface();
    return FHeatGain;
}

TSolarSteps TSolar::Steps() {
    TSolarSteps s;
    s.Declination = Declination();
    s.EquationOfTime = FEquationOfTime;
    s.ClockTime = FClockTime;
    s.SolarTime = FSolarTime;
    s.RawHourAngle = RawHourAngle();
    s.HourAngle = HourAngle();
    s.Altitude = SolarAltitude();
    s.Azimuth = SolarAzimuth();
    s.SurfaceSolarAzimuth = SurfaceSolarAzimuth();
    s.IncidentAngle = IncidentAngle();
    s.Sky = FSky;
    s.PressureRatio = FPressureRatio;
    s.DirectNormal = DirectNormal();
    s.Direct = DirectRadiation();
    s.DiffuseHorizontal = DiffuseHorizontal();
    s.TotalHorizontal = TotalHorizontal();
    s.VerticalSky = SkyDiffuseIsVertical(FSlopeSC.Cos);
    s.DiffuseFactor = SkyDiffuseFactor(FSlopeSC.Cos, FIncidence.Cos);
    s.Diffuse = DiffuseRadiation();
    s.Reflected = ReflectedRadiation();
    s.Total = s.Direct + s.Diffuse + s.Reflected;
    s.GlassTransmission = GlassTransmission(s.IncidentAngle);
    s.SolarHeatGainFactor = s.Total * s.GlassTransmission;
    return s;
}
