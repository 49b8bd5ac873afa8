#include "DesignPeaks.h"

#include "controls/TxNumText.h"

#include <algorithm>
#include <cmath>

namespace {

// First day number of each month in a year of 365 days.
constexpr std::array<int, DesignMonths> MonthStarts = {1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};

double SolAirOf(const TCalcDocument& doc, int hour, TSurfaceColour colour) {
    return SolAirTemperature(doc.TotalProfile()[hour], doc.AmbientProfile()[hour], doc.Slope(), colour);
}

} // namespace

const std::array<int, DesignMonths>& DesignDays() {
    static const std::array<int, DesignMonths> days = [] {
        std::array<int, DesignMonths> d{};
        for (int m = 0; m < DesignMonths; ++m)
            d[m] = MonthStarts[m] + 20;
        return d;
    }();
    return days;
}

int MonthOfDay(double day) {
    int month = 1;
    for (int m = 1; m < DesignMonths; ++m)
        if (day >= MonthStarts[m]) month = m + 1;
    return month;
}

QString MonthName(int month) {
    static const char* const names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return month >= 1 && month <= DesignMonths ? QString::fromLatin1(names[month - 1]) : QString();
}

const std::array<TOrientation, OrientationCount>& Orientations() {
    static const std::array<TOrientation, OrientationCount> list{{
        {"N", 180, 90},
        {"NE", -135, 90},
        {"E", -90, 90},
        {"SE", -45, 90},
        {"S", 0, 90},
        {"SW", 45, 90},
        {"W", 90, 90},
        {"NW", 135, 90},
        {"H", 0, 0},
    }};
    return list;
}

const QList<TDesignQuantity>& DesignQuantities() {
    using D = const TCalcDocument&;
    static const QList<TDesignQuantity> list{
        {"Total irradiance", "total", "W/m2", "%0.0f", [](D d, int h) { return d.TotalProfile()[h]; }, true},
        {"Solar heat gain factor", "shgf", "W/m2", "%0.0f", [](D d, int h) { return d.SHGFProfile()[h]; },
         true},
        {"Sol-air temperature, light surface", "solair_light", "degC", "%0.1f",
         [](D d, int h) { return SolAirOf(d, h, scLight); }, false},
        {"Sol-air temperature, dark surface", "solair_dark", "degC", "%0.1f",
         [](D d, int h) { return SolAirOf(d, h, scDark); }, false},
        {"Direct irradiance", "direct", "W/m2", "%0.0f", [](D d, int h) { return d.DirectProfile()[h]; },
         true},
        {"Diffuse irradiance", "diffuse", "W/m2", "%0.0f", [](D d, int h) { return d.DiffuseProfile()[h]; },
         true},
        {"Reflected irradiance", "reflected", "W/m2", "%0.0f",
         [](D d, int h) { return d.ReflectedProfile()[h]; }, true},
        {"Direct-normal irradiance", "normal", "W/m2", "%0.0f",
         [](D d, int h) { return d.NormalProfile()[h]; }, true},
        {"Ambient temperature", "ambient", "degC", "%0.1f", [](D d, int h) { return d.AmbientProfile()[h]; },
         false},
    };
    return list;
}

// ---- Solver ----

TDesignSolver::TDesignSolver(const TCalcDocument& source) {
    FDoc.SetListRows(false);
    FDoc.ApplyInputs(source.CopyInputs());
    FDoc.SetSunFrom(source);
    FDoc.SetAmbientProfile(source.AmbientProfile());
    FDoc.SetSurfaceColour(source.SurfaceColour());
}

const TCalcDocument& TDesignSolver::Solve(double day, double azimuth, double slope) {
    FDoc.SetDayNumber(day);
    FDoc.SetAzimuth(azimuth);
    FDoc.SetSlope(slope);
    FDoc.Solve();
    return FDoc;
}

const TCalcDocument& TDesignSolver::Solve(double day) {
    return Solve(day, FDoc.Azimuth(), FDoc.Slope());
}

// ---- Peaks ----

void AddToPeak(TPeak& peak, const TProfile24& profile, int month, bool zeroIsNone) {
    for (int hour = 0; hour < 24; ++hour) {
        const double v = profile[hour];
        if (std::isnan(v) || (zeroIsNone && !(v > 0))) continue;
        if (peak.Found() && !(v > peak.Value)) continue;
        peak = {v, month, hour};
    }
}

TPeak YearPeak(const TYearTable& table, bool zeroIsNone) {
    TPeak peak;
    for (int m = 0; m < DesignMonths; ++m)
        AddToPeak(peak, table[m], m + 1, zeroIsNone);
    return peak;
}

QString PeakValueText(const TDesignQuantity& quantity, const TPeak& peak) {
    return FormatFloat(QString::fromLatin1(quantity.Format), peak.Found() ? peak.Value : 0);
}

QString PeakWhenText(const TPeak& peak) {
    if (!peak.Found()) return QStringLiteral("no sun");
    return MonthName(peak.Month) + FormatInt(QStringLiteral(" %.2d:00"), peak.Hour);
}

namespace {

TProfile24 QuantityProfile(const TDesignQuantity& q, const TCalcDocument& doc) {
    TProfile24 profile{};
    for (int hour = 0; hour < 24; ++hour)
        profile[hour] = q.Value(doc, hour);
    return profile;
}

} // namespace

QList<TYearTable> YearTables(const TCalcDocument& source) {
    const QList<TDesignQuantity>& quantities = DesignQuantities();
    QList<TYearTable> tables(quantities.size());
    TDesignSolver solver(source);
    for (int m = 0; m < DesignMonths; ++m) {
        const TCalcDocument& doc = solver.Solve(DesignDays()[m]);
        for (qsizetype q = 0; q < quantities.size(); ++q)
            tables[q][m] = QuantityProfile(quantities[q], doc);
    }
    return tables;
}

TSurfacePeaks SurfacePeaks(TDesignSolver& solver, const QString& name, double azimuth, double slope,
                           double day, bool wholeYear) {
    TSurfacePeaks result{name, azimuth, slope, {}};
    const int count = wholeYear ? DesignMonths : 1;
    for (int i = 0; i < count; ++i) {
        const double d = wholeYear ? DesignDays()[i] : day;
        const TCalcDocument& doc = solver.Solve(d, azimuth, slope);
        for (int q = 0; q < PeakQuantityCount; ++q) {
            const TDesignQuantity& quantity = DesignQuantities()[q];
            AddToPeak(result.Peaks[q], QuantityProfile(quantity, doc), MonthOfDay(d), quantity.ZeroIsNone);
        }
    }
    return result;
}

QList<TSurfacePeaks> OrientationPeaks(const TCalcDocument& source, bool wholeYear) {
    QList<TSurfacePeaks> list;
    TDesignSolver solver(source);
    for (const TOrientation& o : Orientations())
        list << SurfacePeaks(solver, QString::fromLatin1(o.Name), o.Azimuth, o.Slope, source.DayNumber(),
                             wholeYear);
    return list;
}
