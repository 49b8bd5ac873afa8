#include "TCalcDocument.h"

#include "InputCheck.h"
#include "ProjectFile.h"
#include "ResultColumns.h"
#include "SolarText.h"
#include "controls/TxFields.h"
#include "controls/TxNumText.h"
#include "solar/RecessShading.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

namespace {

const QString SolvedStatus = QStringLiteral("Solved...");
const QString OutOfDateStatus = QStringLiteral("Results are out of date...");

QString PieceAt(const QStringList& pieces, qsizetype i) {
    return i < pieces.size() ? pieces[i] : QString();
}

// A clock hour limited to the day; comparing in doubles first keeps a far-off value (or NaN, which
// reads as 0) from overflowing the conversion.
int HourOfDay(double hours) {
    return !(hours > 0) ? 0 : hours >= 23 ? 23 : int(hours);
}

} // namespace

TCalcDocument::TCalcDocument() {
    MakeAmbientProfile(FAmbientProfile, FDesignMaxTemp, FDesignMaxTemp - FDailyRange);
    // Written with the locale's decimal separator: a fixed "12.00" would not read back as a number
    // where the separator is a comma, and the first solve would then fail.
    FLocalTimeText = FormatFloat(QStringLiteral("%0.2f"), 12.0);
    FSunYear = FSolar.Year();
}

// ---- Events ----

void TCalcDocument::Notify(const std::function<void()>& event) {
    if (event) event();
}

void TCalcDocument::Message(const QString& text) const {
    if (OnMessage) OnMessage(text);
}

void TCalcDocument::Clipboard(const QString& text) const {
    if (OnClipboardText) OnClipboardText(text);
}

// ---- Inputs, location, state ----

void TCalcDocument::SetInput(TInputId id, double value) {
    if (!std::isfinite(value)) return; // a NaN would show in every row and be saved back
    if (id == inSunYear) return SetSunYear(int(NormalisedInput(id, value)));
    SetInputValue(FInputs, id, value);
    if (OnInputChanged) OnInputChanged(id, value);
}

void TCalcDocument::ApplyInputs(const TInputSet& inputs) {
    for (int i = 0; i < InputCount; ++i)
        SetInput(TInputId(i), InputValue(inputs, TInputId(i)));
}

bool TCalcDocument::Reset() {
    ApplyInputs(ResetInputSet());
    return Solve();
}

void TCalcDocument::SetSunMethod(TSunMethod method) {
    FSunMethod = method == smPrecise ? smPrecise : smPublished;
    if (OnInputChanged) OnInputChanged(inSunYear, FSunYear); // the year applies, or no longer
    SetSolved(false);
}

void TCalcDocument::SetSunYear(int year) {
    if (!InputRange(inSunYear).Contains(year)) return;
    FSunYear = year;
    if (OnInputChanged) OnInputChanged(inSunYear, year);
    SetSolved(false);
}

QString TCalcDocument::SunMethodText() const {
    if (FSunMethod == smPublished) return QStringLiteral("published method");
    return QStringLiteral("precise method, year %1").arg(FSunYear);
}

void TCalcDocument::PickLocation(const QString& name, double altitude, double latitude, double longitude,
                                 double timeZone, double maxDryBulb, double dryBulbRange) {
    FLocationName = name;
    SetAltitude(altitude);
    SetLatitude(latitude);
    SetLongitude(longitude);
    SetTimeZone(timeZone);
    FDesignMaxTemp = maxDryBulb;
    FDailyRange = dryBulbRange;
    SetSolved(false);
}

void TCalcDocument::SetSolved(bool solved) {
    FSolved = solved;
    if (OnSolvedChanged) OnSolvedChanged(solved, StatusText());
}

QString TCalcDocument::StatusText() const {
    if (!FSolved) return OutOfDateStatus;
    // The published method is the default and keeps the plain text; the precise one says so.
    if (FSunMethod == smPublished) return SolvedStatus;
    return QStringLiteral("Solved... (sun position: %1)").arg(SunMethodText());
}

bool TCalcDocument::LoadProject(const QString& path) {
    FFileName = path;
    TInputSet inputs = CopyInputs(); // the glass dimensions are not in the file and keep their values
    TProjectInfo info = FProjectInfo;
    TProjectSection section = psAbsent;
    if (!ReadProjectFile(path, inputs, nullptr, &info, &section)) {
        Message(QStringLiteral("Error loading file..."));
        return false;
    }
    // Any 56 bytes read as seven numbers: a file that is no project gives values no site can have.
    if (const QString problem = CheckProjectInputs(inputs); !problem.isEmpty()) {
        Message(QStringLiteral("Error loading file...\n") + problem);
        return false;
    }
    ApplyInputs(inputs);
    FProjectInfo = info;
    SetSolved(false);
    if (section == psDamaged)
        Message(QStringLiteral("The project details after the inputs in %1 are damaged and were not read; "
                               "the inputs were loaded.")
                    .arg(path));
    return true;
}

bool TCalcDocument::SaveProject(const QString& path) {
    FFileName = path;
    if (SaveProjectFile(path, CopyInputs(), FProjectInfo)) return true;
    Message(QStringLiteral("Error saving file..."));
    return false;
}

// ---- Solve ----

void TCalcDocument::SetUpSolar() {
    FSolar.SetMethod(FSunMethod);
    FSolar.SetYear(FSunYear);
    FSolar.SetDay(DayNumber());
    FSolar.SetLocation(Latitude(), Longitude(), TimeZone(), Altitude());
    FSolar.SetSurface(Azimuth(), Slope());
}

void TCalcDocument::FillSunTimes() {
    FSolar.SunriseSunset(FSunrise, FSunset);
    FLocalFields = {HoursText(FSunrise), HoursText(FSunset),
                    FormatFloat(QStringLiteral("%0.3f"), FSolar.DayDeclination()),
                    FormatFloat(QStringLiteral("%0.3f"), FSolar.DayEquationOfTime())};
    Notify(OnLocalChanged);
}

void TCalcDocument::ClearResults() {
    for (TProfile24* p :
         {&FAltitudeProfile, &FAzimuthProfile, &FIncidentProfile, &FSSAProfile, &FNormalProfile,
          &FDirectProfile, &FDiffuseProfile, &FReflectedProfile, &FTotalProfile, &FSHGFProfile})
        FillProfile(*p, 0);
    FHourSteps.fill({});
    FHourSolved.fill(false);
    FSolvedHours.clear();
    FAnglesRows.clear();
    FSolarRows.clear();
}

// The solar model's time is set to the hour.
void TCalcDocument::SolveHour(int hour, QChar decimalSeparator) {
    const TSolarSteps& s = FHourSteps[hour] = FSolar.Steps();
    FHourSolved[hour] = true;
    FSolvedHours << hour;
    FAltitudeProfile[hour] = s.Altitude;
    FAzimuthProfile[hour] = s.Azimuth;
    FIncidentProfile[hour] = s.IncidentAngle;
    FSSAProfile[hour] = s.SurfaceSolarAzimuth;
    FNormalProfile[hour] = s.DirectNormal;
    FDirectProfile[hour] = s.Direct;
    FDiffuseProfile[hour] = s.Diffuse;
    FReflectedProfile[hour] = s.Reflected;
    FTotalProfile[hour] = s.Total;
    FSHGFProfile[hour] = s.SolarHeatGainFactor;

    if (!FListRows) return;
    FAnglesRows << ResultRow(*this, pgAngles, hour, decimalSeparator);
    FSolarRows << ResultRow(*this, pgSolar, hour, decimalSeparator);
}

bool TCalcDocument::Solve() {
    Notify(OnBeforeSolve);
    SetUpSolar();
    ClearResults();
    FillSunTimes();
    // The hours run from the truncated sunrise to 24 minus it, and on to the hour after sunset where
    // solar noon is far from clock noon (a site far west of its zone meridian would otherwise lose its
    // afternoon). Hours of that range outside the day (midnight sun, a site far east of its zone
    // meridian) are skipped: they have no slot. Comparing in doubles keeps a far-off sunrise from
    // overflowing an int; in polar night sunrise and sunset coincide and nothing is extended.
    const double first = std::trunc(FSunrise);
    const double last = FSunset > FSunrise ? std::max(24 - first, std::trunc(FSunset) + 1) : 24 - first;
    const QChar decimal = LocaleDecimalSeparator();
    for (int hour = 0; hour < 24; ++hour)
        if (HourListed(hour, first, last)) SolveHour(hour, decimal);
    Notify(OnSolveFinished);
    RebuildSolAir();
    if (!RefreshLocalAngles()) return false;
    SetSolved(true);
    return true;
}

// An hour of the range, or any other at which the sun is up: midnight sun starts its rows before the
// truncated sunrise, and the sun can come up again after it dipped near solar midnight. Leaves the
// solar model's time at the hour.
bool TCalcDocument::HourListed(int hour, double first, double last) {
    FSolar.SetClockTime(hour);
    return (hour >= first && hour <= last) || FSolar.SolarAltitude() > 0;
}

void TCalcDocument::SunriseRange(int& first, int& last) const {
    first = HourOfDay(std::trunc(FSunrise));
    last = HourOfDay(std::trunc(FSunset + 1));
    for (int hour = 0; hour < 24; ++hour)
        if (FHourSolved[hour] && FAltitudeProfile[hour] > 0) {
            first = std::min(first, hour);
            last = std::max(last, hour);
        }
}

bool TCalcDocument::HourSolved(int hour) const {
    return hour >= 0 && hour < 24 && FHourSolved[hour];
}

const TSolarSteps& TCalcDocument::HourSteps(int hour) const {
    static const TSolarSteps none{};
    return HourSolved(hour) ? FHourSteps[hour] : none;
}

bool TCalcDocument::EnsureSolved() {
    return FSolved || Solve();
}

// ---- Sol-air and ambient ----

void TCalcDocument::SetSurfaceColour(TSurfaceColour colour) {
    FSurfaceColour = colour == scDark ? scDark : scLight;
    RebuildSolAir();
}

void TCalcDocument::RebuildSolAir() {
    FSolAirRows.clear();
    const QChar decimal = LocaleDecimalSeparator();
    for (int hour = 0; hour < 24; ++hour) {
        FSolAirProfile[hour] =
            SolAirTemperature(FTotalProfile[hour], FAmbientProfile[hour], Slope(), FSurfaceColour);
        if (FListRows) FSolAirRows << ResultRow(*this, pgSolAir, hour, decimal);
    }
    Notify(OnSolAirChanged);
}

void TCalcDocument::AutoAmbient() {
    TProfile24 profile{};
    MakeAmbientProfile(profile, FDesignMaxTemp, FDesignMaxTemp - FDailyRange);
    Clipboard(ProfileText(profile, QStringLiteral("%0.1f")));
    ApplyAmbient(profile);
}

void TCalcDocument::SetAmbientProfile(const TProfile24& profile) {
    for (double value : profile)
        if (!std::isfinite(value)) return; // refused whole, like a non-finite input
    ApplyAmbient(profile);
}

void TCalcDocument::ApplyAmbient(const TProfile24& profile) {
    FAmbientProfile = profile;
    RebuildSolAir();
}

// ---- Local page ----

void TCalcDocument::SetLocalTime(const QString& text, bool isSolarTime) {
    FLocalTimeText = text;
    FLocalTimeIsSolar = isSolarTime;
}

bool TCalcDocument::RefreshLocalAngles() {
    FLocalLines.clear();
    double time = 0;
    if (!TryStrToFloat(FLocalTimeText, time)) {
        Notify(OnLocalChanged);
        Message(ConvertErrorMessage(FLocalTimeText));
        return false;
    }
    if (FLocalTimeIsSolar)
        FSolar.SetSolarTime(time);
    else
        FSolar.SetClockTime(time);
    FLocalLines << QStringLiteral("Clock Time = %1 h:m:s").arg(HoursText(FSolar.ClockTime()))
                << QStringLiteral("Solar Time = %1 h:m:s").arg(HoursText(FSolar.SolarTime()))
                << FormatFloat(QStringLiteral("Hour Angle = %0.2f"), FSolar.HourAngle())
                << FormatFloat(QStringLiteral("Solar Altitude = %0.2f"), FSolar.SolarAltitude())
                << FormatFloat(QStringLiteral("Solar Azimuth = %0.2f"), FSolar.SolarAzimuth())
                << FormatFloat(QStringLiteral("Solar-Surface Azimuth = %0.2f"), FSolar.SurfaceSolarAzimuth())
                << FormatFloat(QStringLiteral("Incident Angle = %0.2f"), FSolar.IncidentAngle());
    Notify(OnLocalChanged);
    return true;
}

void TCalcDocument::LocalTimeFromSunrise() {
    FSolar.SunriseSunset(FSunrise, FSunset);
    FLocalTimeText = FormatFloat(QStringLiteral("%0.6g"), FSunrise);
    Notify(OnLocalChanged);
}

void TCalcDocument::LocalTimeFromSunset() {
    FSolar.SunriseSunset(FSunrise, FSunset);
    FLocalTimeText = FormatFloat(QStringLiteral("%0.6g"), FSunset);
    Notify(OnLocalChanged);
}

// ---- Window recess shading ----

bool TCalcDocument::GenerateAreaFactors() {
    SetSlope(90); // the glass is vertical
    if (!Solve()) return false;
    SetUpSolar();
    FillSunTimes();
    RecessAreaFactors(FSolar, GlassHeight(), GlassWidth(), GlassDepth(), FAreaFactorProfile);
    FAreaFactorText = ProfileText(FAreaFactorProfile, QStringLiteral("%0.2f"));
    Clipboard(FAreaFactorText);
    Notify(OnAreaFactorsChanged);
    return true;
}

// ---- Property list and clipboard ----

const QStringList& TCalcDocument::PropertyLines() {
    static const QStringList lines{
        "Property; Value; Units",           "Barometer; %0.0f; m; PE; 0; 0",
        "Latitude; %0.2f; deg; NPE; 0; 0",  "Longitude; %0.2f; deg; NPE; 0; 0",
        "Time Zone; %0.2f; deg; NPE; 0; 0", "Azimuth; %0.2f; deg; PE; 0; 0",
        "Slope; %0.2f; deg; PE; 0; 0",      "Day Number; %0.1f; ; PE; 0; 0",
        "Year; %0.0f; ; NPE; 0; 0",
    };
    return lines;
}

int TCalcDocument::PropertyRow(TInputId id) {
    if (id == inSunYear) return 8;
    return id >= inAltitude && id <= inDayNumber ? int(id) + 1 : -1;
}

TInputId TCalcDocument::PropertyInput(int row) {
    if (row == 8) return inSunYear;
    return row >= 1 && row <= 7 ? TInputId(row - 1) : TInputId(InputCount);
}

QList<QStringList> TCalcDocument::PropertyCells() const {
    QList<QStringList> cells;
    const QStringList& lines = PropertyLines();
    for (int row = 0; row <= PropertyRow(inDayNumber); ++row) {
        const QStringList pieces = SplitLine(QLatin1Char(';'), lines[row]);
        const QString value =
            row == 0 ? PieceAt(pieces, 1) : FormatFloat(PieceAt(pieces, 1), Input(PropertyInput(row)));
        cells << QStringList{PieceAt(pieces, 0), value, PieceAt(pieces, 2)};
    }
    return cells;
}

QString TCalcDocument::PageTableText(TResultPage page) {
    struct TTable {
        const char* Name;
        const QList<TResultRow>& Rows;
    };
    auto table = [&]() -> std::optional<TTable> {
        switch (page) {
        case pgAngles:
            return TTable{"Angles", FAnglesRows};
        case pgSolar:
            return TTable{"Solar", FSolarRows};
        case pgSolAir:
            return TTable{"SolAir", FSolAirRows};
        default:
            return std::nullopt;
        }
    }();
    if (!table || !EnsureSolved()) return {};
    return TableText(PropertyCells(), QString::fromLatin1(table->Name), ColumnCaptions(page), table->Rows);
}

bool TCalcDocument::CopyPage(TResultPage page) {
    switch (page) {
    case pgAngles:
    case pgSolar:
    case pgSolAir: {
        const QString text = PageTableText(page);
        if (text.isEmpty()) return false;
        Clipboard(text);
        return true;
    }
    case pgWindow:
        return GenerateAreaFactors();
    case pgLocal:
        Clipboard(SunTimesText(FLocalFields.Sunrise, FLocalFields.Sunset));
        return true;
    default:
        return false;
    }
}
