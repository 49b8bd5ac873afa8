#include "TSolar.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

// Limits a cosine or sine to [-1, 1]: rounding can push it just past 1 at the zenith or at the
// surface normal, where the arc functions would give NaN.
double Clamp(double x) {
    if (x > 1) return 1;
    if (x < -1) return -1;
    return x;
}

// Arc cosine that stays defined at exactly +/-1 (and is exact there).
double ArcCos(double x) {
    return std::atan2(std::sqrt((1 + x) * (1 - x)), x);
}

// Round to the nearest integer, ties to the even neighbour, independent of the FPU rounding mode.
double RoundHalfEven(double x) {
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff > 0.5) return lower + 1;
    if (diff < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1..12, any day).
long long DaysFromCivil(long long y, int m, long long d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153LL * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
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

// ---- Clear-sky model coefficients ----------------------------------------------------------------

double ApparentExtraterrestrial(double dayNumber) {
    return 1156.87 + 75.2961 * std::cos(0.01851 * dayNumber - 0.2658);
}

double AtmosphericExtinction(double dayNumber) {
    return 0.17539 + 0.03353 * std::cos(0.01937 * dayNumber - 3.6693);
}

double DiffuseSkyRatio(double dayNumber) {
    return 0.09685 + 0.04006 * std::cos(0.02067 * dayNumber - 3.868);
}

double PressureRatio(double altitude) {
    return std::exp(-0.0001184 * altitude);
}

double GlassTransmission(double incidentAngle) {
    // The sixth power by three multiplications: pow() costs as much as the rest of the hour.
    const double x = std::fabs(incidentAngle) / 79;
    const double x2 = x * x;
    return 0.86 * std::exp(-0.5 * (x2 * x2 * x2));
}

// ---- TSolar --------------------------------------------------------------------------------------

TSolar::TSolar() {
    SetDay(DayOfYear(2005, 3, 21));
    SetLocation(-26.13, 28.24, 30, 0);
    SetSurface(15, 36);
    SetClockTime(11);
    FGroundReflectance = 0.2;
}

void TSolar::InvalidateAltitude() {
    FAltitudeValid = false;
    FDirectNormalValid = false;
    InvalidateAzimuth();
}

void TSolar::InvalidateAzimuth() {
    FAzimuthValid = false;
    FIncidenceValid = false;
}

void TSolar::SetDay(double dayNumber) {
    FDayNumber = dayNumber;
    FDeclination = SolarDeclination(dayNumber);
    FEquationOfTime = EquationOfTime(dayNumber);
    FSinDeclination = std::sin(FDeclination);
    FCosDeclination = std::cos(FDeclination);
    // The day's coefficients are the same for every hour, so they are computed here once.
    FExtraterrestrial = ApparentExtraterrestrial(dayNumber);
    FExtinction = AtmosphericExtinction(dayNumber);
    FDiffuseSkyRatio = DiffuseSkyRatio(dayNumber);
    InvalidateAltitude();
}

void TSolar::SetLocation(double latitude, double longitude, double timeZone, double altitude) {
    FLatitude = latitude * DegToRad;
    FLongitude = longitude * DegToRad;
    FTimeZone = timeZone * DegToRad;
    FAltitude = altitude;
    FPressureRatio = PressureRatio(altitude);
    FSinLatitude = std::sin(FLatitude);
    FCosLatitude = std::cos(FLatitude);
    InvalidateAltitude();
}

void TSolar::SetSurface(double azimuth, double slope) {
    FSurfaceAzimuth = azimuth * DegToRad;
    FSlope = slope * DegToRad;
    FSinSurfaceAzimuth = std::sin(FSurfaceAzimuth);
    FCosSurfaceAzimuth = std::cos(FSurfaceAzimuth);
    FSinSlope = std::sin(FSlope);
    FCosSlope = std::cos(FSlope);
    // The altitude does not depend on the surface; only the azimuth group goes stale.
    InvalidateAzimuth();
}

void TSolar::SunriseSunset(double& sunrise, double& sunset) const {
    // Near the north pole tan(L) grows without bound; 1.55 rad keeps it finite.
    const double latitude = FLatitude > 1.55 ? 1.55 : FLatitude;
    const double x = Clamp(std::tan(latitude) * std::tan(FDeclination));
    const double halfDay = ArcCos(-x) * 12 / Pi;
    sunrise = ClockTimeOf(12 - halfDay, FEquationOfTime, FLongitude, FTimeZone);
    sunset = ClockTimeOf(12 + halfDay, FEquationOfTime, FLongitude, FTimeZone);
}

void TSolar::SetClockTime(double clockTime) {
    FClockTime = clockTime;
    SetSolarTime(SolarTimeOf(clockTime, FEquationOfTime, FLongitude, FTimeZone));
}

void TSolar::SetSolarTime(double solarTime) {
    FSolarTime = solarTime;
    FClockTime = ClockTimeOf(solarTime, FEquationOfTime, FLongitude, FTimeZone);
    FHourAngle = (solarTime - 12) * Pi / 12;
    FCosHourAngle = std::cos(FHourAngle);
    InvalidateAltitude();
}

void TSolar::ComputeAltitude() {
    const double sinBeta =
        Clamp(FCosLatitude * FCosDeclination * FCosHourAngle + FSinLatitude * FSinDeclination);
    FSolarAltitude = std::asin(sinBeta);
    FSinAltitude = sinBeta;
    // The altitude lies within +/-90 degrees, so its cosine is the non-negative root: no cos() call.
    FCosAltitude = std::sqrt((1 - sinBeta) * (1 + sinBeta));
    FAltitudeValid = true;
}

void TSolar::ComputeAzimuth() {
    if (!FAltitudeValid) ComputeAltitude();
    // With the sun at the zenith the azimuth is undefined (0/0); take due south there.
    double cosPhi = 1;
    if (FCosAltitude > 0) {
        cosPhi =
            (FCosDeclination * FSinLatitude * FCosHourAngle - FSinDeclination * FCosLatitude) / FCosAltitude;
        cosPhi = std::isnan(cosPhi) ? 1 : Clamp(cosPhi);
    }
    const double sign = SignOf(FHourAngle);
    const double sinPhi = std::sqrt((1 + cosPhi) * (1 - cosPhi)); // of the azimuth's magnitude
    FSolarAzimuth = sign * std::atan2(sinPhi, cosPhi);
    FSurfaceSolarAzimuth = std::fabs(FSolarAzimuth - FSurfaceAzimuth);
    // cos(phi - psi) from the sines and cosines at hand rather than one more cos() call.
    FCosSurfaceSolarAzimuth = cosPhi * FCosSurfaceAzimuth + sign * sinPhi * FSinSurfaceAzimuth;
    FAzimuthValid = true;
}

void TSolar::ComputeIncidence() {
    if (!FAzimuthValid) ComputeAzimuth();
    FCosIncidentAngle = Clamp(FCosAltitude * FCosSurfaceSolarAzimuth * FSinSlope + FSinAltitude * FCosSlope);
    // The library's arc cosine: cheaper than ArcCos and as exact, as nothing is computed from the
    // angle by difference (the azimuth keeps ArcCos: the surface-solar azimuth is a difference).
    FIncidentAngle = std::acos(FCosIncidentAngle);
    FIncidenceValid = true;
}

double TSolar::SolarAltitude() {
    if (!FAltitudeValid) ComputeAltitude();
    return FSolarAltitude * RadToDeg;
}

double TSolar::SolarAzimuth() {
    if (!FAzimuthValid) ComputeAzimuth();
    return FSolarAzimuth * RadToDeg;
}

double TSolar::SurfaceSolarAzimuth() {
    if (!FAzimuthValid) ComputeAzimuth();
    return FSurfaceSolarAzimuth * RadToDeg;
}

double TSolar::IncidentAngle() {
    if (!FIncidenceValid) ComputeIncidence();
    return FIncidentAngle * RadToDeg;
}

double TSolar::Declination() const {
    return FDeclination * RadToDeg;
}
double TSolar::HourAngle() const {
    return FHourAngle * RadToDeg;
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

// ---- Radiation -----------------------------------------------------------------------------------

void TSolar::ComputeDirectNormal() {
    if (!FAltitudeValid) ComputeAltitude();
    const double b = FExtinction * FPressureRatio;
    // Below 0.001 rad the air mass 1/sin(beta) explodes; the sun gives nothing there.
    const double dn = FSolarAltitude > 0.001 ? FExtraterrestrial * std::exp(-b / FSinAltitude) : 0.0;
    FDirectNormal = dn;
    FDiffuseHorizontal = FDiffuseSkyRatio * dn;
    FTotalHorizontal = FSinAltitude * dn + FDiffuseSkyRatio * dn;
    FDirectNormalValid = true;
}

double TSolar::DirectNormal() {
    if (!FDirectNormalValid) ComputeDirectNormal();
    return FDirectNormal;
}

double TSolar::DirectRadiation() {
    if (!FIncidenceValid) ComputeIncidence();
    const double d = FCosIncidentAngle * DirectNormal();
    return FSolarAltitude < 0 || d < 0 ? 0.0 : d;
}

double TSolar::DiffuseRadiation() {
    if (!FIncidenceValid) ComputeIncidence();
    DirectNormal();
    double diffuse;
    if (FCosSlope < 0.0872) {
        // Vertical (and overhanging) surfaces: sky brightness ratio of the beam's incident angle.
        const double ct = FCosIncidentAngle;
        const double y = ct < -0.2 ? 0.45 : 0.55 + 0.437 * ct + 0.313 * ct * ct;
        diffuse = y * FDiffuseHorizontal;
    } else {
        diffuse = FDiffuseHorizontal * (1 + FCosSlope) / 2;
    }
    return FSolarAltitude < 0 || diffuse < 0 ? 0.0 : diffuse;
}

double TSolar::ReflectedRadiation() {
    DirectNormal();
    const double r = 0.5 * FGroundReflectance * FTotalHorizontal * (1 - FCosSlope);
    return FSolarAltitude < 0 || r < 0 ? 0.0 : r;
}

double TSolar::SolarHeatGainFactor() {
    const double t = GlassTransmission(IncidentAngle());
    return (DirectRadiation() + DiffuseRadiation() + ReflectedRadiation()) * t;
}
