#include "CalcDetails.h"

#include "controls/TxNumText.h"
#include "solar/RecessShading.h"
#include "solar/SolAir.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

const QString Deg = QStringLiteral("deg");
const QString Wm2 = QStringLiteral("W/m2");
const QString Celsius = QStringLiteral("\u00b0C");

// The steps being listed, and the text each value was shown with, so a later formula puts in exactly
// the figures the checker reads above it.
class TStepList {
public:
    void Section(const QString& name) { FSection = name; }

    // Adds a step; its shown value is kept under its key for the formulas that follow.
    void Add(const char* key, const QString& name, const QString& symbol, double value, const char* format,
             const QString& unit, const QString& formula = {}, const QString& withValues = {}) {
        TCalcStep step{FSection, QString::fromLatin1(key),    name, symbol, formula, withValues,
                       value,    QString::fromLatin1(format), unit};
        FShown.insert(step.Key, step.ValueText());
        FSteps << step;
    }
    // A value shown before, as it was shown.
    QString operator[](const char* key) const { return FShown.value(QString::fromLatin1(key)); }
    // The same as a term of a sum or product: a negative one in brackets, so that "12 + (-1.6)" reads
    // as the sum it is.
    QString Term(const char* key) const {
        const QString text = (*this)[key];
        return text.startsWith(QLatin1Char('-')) ? QStringLiteral("(%1)").arg(text) : text;
    }
    QList<TCalcStep> Steps() const { return FSteps; }

private:
    QString FSection;
    QList<TCalcStep> FSteps;
    QHash<QString, QString> FShown;
};

void AddInputs(TStepList& s, const TCalcDocument& doc, int hour) {
    s.Section(QStringLiteral("Inputs"));
    s.Add("latitude", QStringLiteral("Latitude"), QStringLiteral("L"), doc.Latitude(), "%.10g", Deg);
    s.Add("longitude", QStringLiteral("Longitude"), QStringLiteral("λ"), doc.Longitude(), "%.10g", Deg);
    s.Add("timezone", QStringLiteral("Time-zone meridian"), QStringLiteral("λz"), doc.TimeZone(), "%.10g",
          Deg);
    s.Add("site_altitude", QStringLiteral("Site altitude"), QStringLiteral("z"), doc.Altitude(), "%.10g",
          QStringLiteral("m"));
    s.Add("surface_azimuth", QStringLiteral("Surface azimuth"), QStringLiteral("ψ"), doc.Azimuth(), "%.10g",
          Deg);
    s.Add("slope", QStringLiteral("Surface slope"), QStringLiteral("Σ"), doc.Slope(), "%.10g", Deg);
    s.Add("day", QStringLiteral("Day number"), QStringLiteral("N"), doc.DayNumber(), "%.10g", QString());
    s.Add("hour", QStringLiteral("Clock time"), QStringLiteral("CT"), hour, "%0.0f", QStringLiteral("h"));
    s.Add("reflectance", QStringLiteral("Ground reflectance"), QStringLiteral("ρ"),
          doc.Solar().GroundReflectance(), "%.10g", QString());
    s.Add("glass_height", QStringLiteral("Glass height"), QStringLiteral("Hg"), doc.GlassHeight(), "%.10g",
          QStringLiteral("m"));
    s.Add("glass_width", QStringLiteral("Glass width"), QStringLiteral("Wg"), doc.GlassWidth(), "%.10g",
          QStringLiteral("m"));
    s.Add("glass_depth", QStringLiteral("Recess depth"), QStringLiteral("Dg"), doc.GlassDepth(), "%.10g",
          QStringLiteral("m"));
}

void AddDay(TStepList& s, const TCalcDocument& doc, const TSolarSteps& v) {
    s.Section(QStringLiteral("Day"));
    if (doc.SunMethod() == smPrecise) {
        const QString source =
            QStringLiteral(": the apparent sun at the hour (precise method, %1)").arg(doc.SunYear());
        s.Add("declination", QStringLiteral("Declination"), QStringLiteral("δ"), v.Declination, "%0.5f", Deg,
              QStringLiteral("δ") + source);
        s.Add("equation_of_time", QStringLiteral("Equation of time"), QStringLiteral("E"), v.EquationOfTime,
              "%0.5f", QStringLiteral("min"), QStringLiteral("E") + source);
        return;
    }
    s.Add("declination", QStringLiteral("Declination"), QStringLiteral("δ"), v.Declination, "%0.5f", Deg,
          QStringLiteral("δ = 23.45° · sin(360° · (284 + N) / 365)"),
          QStringLiteral("23.45° · sin(360° · (284 + %1) / 365)").arg(s.Term("day")));
    s.Add("equation_of_time", QStringLiteral("Equation of time"), QStringLiteral("E"), v.EquationOfTime,
          "%0.5f", QStringLiteral("min"),
          QStringLiteral("E = 9.87 · sin 2B − 7.53 · cos B − 1.5 · sin B, B = 360° · (N − 81) / 364"),
          QStringLiteral("B = 360° · (%1 − 81) / 364").arg(s.Term("day")));
}

// Whole turns between the solar time's hour angle and the one within -180..180; none where the two
// differ only by rounding (the precise method takes its hour angle from the ephemeris).
long Turns(const TSolarSteps& v) {
    return std::lround((v.RawHourAngle - v.HourAngle) / 360);
}

void AddTime(TStepList& s, const TSolarSteps& v) {
    s.Section(QStringLiteral("Solar time"));
    s.Add("solar_time", QStringLiteral("Solar time"), QStringLiteral("AST"), v.SolarTime, "%0.5f",
          QStringLiteral("h"), QStringLiteral("AST = CT + E / 60 + (λ − λz) / 15"),
          QStringLiteral("%1 + %2 / 60 + (%3 − %4) / 15")
              .arg(s.Term("hour"), s.Term("equation_of_time"), s.Term("longitude"), s.Term("timezone")));
    s.Add("hour_angle", QStringLiteral("Hour angle"), QStringLiteral("H"), v.RawHourAngle, "%0.4f", Deg,
          QStringLiteral("H = 15° · (AST − 12)"),
          QStringLiteral("15° · (%1 − 12)").arg(s.Term("solar_time")));
    const long turns = Turns(v);
    if (turns == 0) return;
    // The sun stands where the angle within -180..180 says: a site across the 180th meridian from its
    // zone meridian, or an hour of midnight sun, gives one a day away.
    s.Add("hour_angle_reduced", QStringLiteral("Hour angle, reduced to ±180°"), QStringLiteral("H"),
          v.HourAngle, "%0.4f", Deg, QStringLiteral("H = H − k · 360°, within −180° to 180°"),
          QStringLiteral("%1 − %2 · 360°")
              .arg(s.Term("hour_angle"), FormatFloat(QStringLiteral("%0.0f"), turns)));
}

void AddSunPosition(TStepList& s, const TCalcDocument& doc, const TSolarSteps& v) {
    s.Section(QStringLiteral("Sun position"));
    // The hour angle the position is worked out from: the reduced one where there is one.
    const QString h = s[Turns(v) == 0 ? "hour_angle" : "hour_angle_reduced"];
    const QString parallax = doc.SunMethod() == smPrecise ? QStringLiteral(", less the parallax") : QString();
    s.Add("altitude", QStringLiteral("Solar altitude"), QStringLiteral("β"), v.Altitude, "%0.4f", Deg,
          QStringLiteral("sin β = cos L · cos δ · cos H + sin L · sin δ") + parallax,
          QStringLiteral("cos(%1°) · cos(%2°) · cos(%3°) + sin(%1°) · sin(%2°)")
              .arg(s["latitude"], s["declination"], h));
    s.Add("azimuth", QStringLiteral("Solar azimuth"), QStringLiteral("φ"), v.Azimuth, "%0.4f", Deg,
          QStringLiteral("cos φ = (cos δ · sin L · cos H − sin δ · cos L) / cos β, φ with the sign of H"),
          QStringLiteral("(cos(%1°) · sin(%2°) · cos(%3°) − sin(%1°) · cos(%2°)) / cos(%4°)")
              .arg(s["declination"], s["latitude"], h, s["altitude"]));
    s.Add("ssa", QStringLiteral("Surface-solar azimuth"), QStringLiteral("γ"), v.SurfaceSolarAzimuth, "%0.4f",
          Deg, QStringLiteral("γ = |φ − ψ|"),
          QStringLiteral("|%1 − %2|").arg(s.Term("azimuth"), s.Term("surface_azimuth")));
    s.Add("incident", QStringLiteral("Incident angle"), QStringLiteral("θ"), v.IncidentAngle, "%0.4f", Deg,
          QStringLiteral("cos θ = cos β · cos γ · sin Σ + sin β · cos Σ"),
          QStringLiteral("cos(%1°) · cos(%2°) · sin(%3°) + sin(%1°) · cos(%3°)")
              .arg(s["altitude"], s["ssa"], s["slope"]));
}

void AddClearSky(TStepList& s, const TSolarSteps& v) {
    s.Section(QStringLiteral("Clear sky (cosines of radians)"));
    s.Add("a", QStringLiteral("Apparent extraterrestrial irradiance"), QStringLiteral("A"), v.Sky.A, "%0.2f",
          Wm2, QStringLiteral("A = 1156.87 + 75.2961 · cos(0.01851 · N − 0.2658)"),
          QStringLiteral("1156.87 + 75.2961 · cos(0.01851 · %1 − 0.2658)").arg(s.Term("day")));
    s.Add("b", QStringLiteral("Atmospheric extinction"), QStringLiteral("B"), v.Sky.B, "%0.6f", QString(),
          QStringLiteral("B = 0.17539 + 0.03353 · cos(0.01937 · N − 3.6693)"),
          QStringLiteral("0.17539 + 0.03353 · cos(0.01937 · %1 − 3.6693)").arg(s.Term("day")));
    s.Add("cd", QStringLiteral("Diffuse sky ratio"), QStringLiteral("Cd"), v.Sky.Cd, "%0.6f", QString(),
          QStringLiteral("Cd = 0.09685 + 0.04006 · cos(0.02067 · N − 3.868)"),
          QStringLiteral("0.09685 + 0.04006 · cos(0.02067 · %1 − 3.868)").arg(s.Term("day")));
    s.Add("p", QStringLiteral("Pressure ratio"), QStringLiteral("P"), v.PressureRatio, "%0.6f", QString(),
          QStringLiteral("P = exp(−0.0001184 · z)"),
          QStringLiteral("exp(−0.0001184 · %1)").arg(s.Term("site_altitude")));
}

// The direct normal, the beam on the surface and what a horizontal surface receives.
void AddDirectNormal(TStepList& s, const TSolarSteps& v) {
    s.Section(QStringLiteral("Radiation"));
    s.Add("normal", QStringLiteral("Direct normal"), QStringLiteral("DN"), v.DirectNormal, "%0.2f", Wm2,
          QStringLiteral("DN = A · exp(−P · B / sin β), 0 unless β > 0.001 rad"),
          v.DirectNormal > 0
              ? QStringLiteral("%1 · exp(−%2 · %3 / sin(%4°))").arg(s["a"], s["p"], s["b"], s["altitude"])
              : QStringLiteral("β = %1° is not above 0.001 rad").arg(s["altitude"]));
    s.Add("direct", QStringLiteral("Direct on the surface"), QStringLiteral("ID"), v.Direct, "%0.2f", Wm2,
          QStringLiteral("ID = DN · cos θ, 0 when β < 0 or θ ≥ 90°"),
          QStringLiteral("%1 · cos(%2°)").arg(s["normal"], s["incident"]));
    s.Add("diffuse_horizontal", QStringLiteral("Sky diffuse, horizontal"), QStringLiteral("Idh"),
          v.DiffuseHorizontal, "%0.2f", Wm2, QStringLiteral("Idh = Cd · DN"),
          QStringLiteral("%1 · %2").arg(s["cd"], s["normal"]));
    s.Add("total_horizontal", QStringLiteral("Total, horizontal"), QStringLiteral("Ith"), v.TotalHorizontal,
          "%0.2f", Wm2, QStringLiteral("Ith = DN · sin β + Cd · DN"),
          QStringLiteral("%1 · sin(%2°) + %3 · %1").arg(s["normal"], s["altitude"], s["cd"]));
}

void AddSkyDiffuse(TStepList& s, const TSolarSteps& v) {
    if (!v.VerticalSky) {
        s.Add("sky_factor", QStringLiteral("Sky view factor"), QStringLiteral("Fss"), v.DiffuseFactor,
              "%0.4f", QString(), QStringLiteral("Fss = (1 + cos Σ) / 2, slopes below about 85°"),
              QStringLiteral("(1 + cos(%1°)) / 2").arg(s["slope"]));
    } else if (v.DiffuseFactor == 0.45) {
        // The fit is at least 0.475 wherever it applies (cos theta >= -0.2), so 0.45 is the floor's.
        s.Add("sky_factor", QStringLiteral("Vertical sky factor"), QStringLiteral("Y"), v.DiffuseFactor,
              "%0.4f", QString(), QStringLiteral("Y = 0.45 where cos θ < −0.2"),
              QStringLiteral("cos(%1°) < −0.2").arg(s["incident"]));
    } else {
        s.Add("sky_factor", QStringLiteral("Vertical sky factor"), QStringLiteral("Y"), v.DiffuseFactor,
              "%0.4f", QString(), QStringLiteral("Y = 0.55 + 0.437 · cos θ + 0.313 · cos² θ"),
              QStringLiteral("0.55 + 0.437 · cos(%1°) + 0.313 · cos²(%1°)").arg(s["incident"]));
    }
    const QString factor = v.VerticalSky ? QStringLiteral("Y") : QStringLiteral("Fss");
    s.Add("diffuse", QStringLiteral("Sky diffuse on the surface"), QStringLiteral("Ids"), v.Diffuse, "%0.2f",
          Wm2, QStringLiteral("Ids = %1 · Idh, 0 when β < 0").arg(factor),
          QStringLiteral("%1 · %2").arg(s["sky_factor"], s["diffuse_horizontal"]));
}

void AddSurfaceTotals(TStepList& s, const TSolarSteps& v) {
    s.Add("reflected", QStringLiteral("Ground-reflected"), QStringLiteral("Ir"), v.Reflected, "%0.2f", Wm2,
          QStringLiteral("Ir = 0.5 · ρ · Ith · (1 − cos Σ), 0 when β < 0"),
          QStringLiteral("0.5 · %1 · %2 · (1 − cos(%3°))")
              .arg(s["reflectance"], s["total_horizontal"], s["slope"]));
    s.Add("total", QStringLiteral("Total on the surface"), QStringLiteral("It"), v.Total, "%0.2f", Wm2,
          QStringLiteral("It = ID + Ids + Ir"),
          QStringLiteral("%1 + %2 + %3").arg(s["direct"], s["diffuse"], s["reflected"]));
    s.Section(QStringLiteral("Glass"));
    s.Add("transmission", QStringLiteral("Glass transmission"), QStringLiteral("t"), v.GlassTransmission,
          "%0.5f", QString(), QStringLiteral("t = 0.86 · exp(−0.5 · (θ / 79°)⁶)"),
          QStringLiteral("0.86 · exp(−0.5 · (%1° / 79°)⁶)").arg(s["incident"]));
    s.Add("shgf", QStringLiteral("Solar heat gain factor"), QStringLiteral("SHGF"), v.SolarHeatGainFactor,
          "%0.2f", Wm2, QStringLiteral("SHGF = It · t"),
          QStringLiteral("%1 · %2").arg(s["total"], s["transmission"]));
}

void AddSolAir(TStepList& s, const TCalcDocument& doc, int hour, const TSolarSteps& v) {
    s.Section(QStringLiteral("Sol-air temperature"));
    const double ambient = doc.AmbientProfile()[hour];
    s.Add("ambient", QStringLiteral("Ambient temperature"), QStringLiteral("Ta"), ambient, "%0.2f", Celsius,
          QStringLiteral("Ta = ambient profile at the hour"), QStringLiteral("hour %1").arg(hour));
    // The sol-air rebuild's own step, for each colour (the document keeps the chosen colour's alone).
    const TSolAirStep light = SolAirStepOf(v.Total, ambient, doc.Slope(), scLight);
    const TSolAirStep dark = SolAirStepOf(v.Total, ambient, doc.Slope(), scDark);
    s.Add("sky_correction", QStringLiteral("Long-wave sky correction"), QStringLiteral("ΔR"),
          light.SkyCorrection, "%0.1f", QStringLiteral("K"),
          QStringLiteral("ΔR = −3.9 K when Σ < 30°, else 0"), QStringLiteral("Σ = %1°").arg(s["slope"]));
    const auto withValues = [&s](const TSolAirStep& step) {
        return QStringLiteral("%1 · %2 + %3 + %4")
            .arg(FormatFloat(QStringLiteral("%.10g"), step.Ratio), s.Term("total"), s.Term("ambient"),
                 s.Term("sky_correction"));
    };
    s.Add("solair_light", QStringLiteral("Sol-air, light surface"), QStringLiteral("TSA"), light.Temperature,
          "%0.2f", Celsius, QStringLiteral("TSA = 0.026 · It + Ta + ΔR"), withValues(light));
    s.Add("solair_dark", QStringLiteral("Sol-air, dark surface"), QStringLiteral("TSA"), dark.Temperature,
          "%0.2f", Celsius, QStringLiteral("TSA = 2 · 0.026 · It + Ta + ΔR"), withValues(dark));
}

// The recessed glass stands vertical (the Window page's command sets the slope to 90), so its working
// is that of the solve's own sun position only where the surface is vertical; elsewhere it is left out.
void AddRecess(TStepList& s, const TCalcDocument& doc, const TSolarSteps& v) {
    if (doc.Slope() != 90) return;
    s.Section(QStringLiteral("Window recess (vertical glass)"));
    const TRecessStep r =
        RecessStepOf(v.Altitude * DegToRad, v.SurfaceSolarAzimuth * DegToRad, v.IncidentAngle,
                     doc.GlassHeight(), doc.GlassWidth(), doc.GlassDepth());
    if (!r.SunOnGlass) {
        s.Add("sunlit", QStringLiteral("Sunlit fraction"), QStringLiteral("Fs"), r.Fraction, "%0.4f",
              QString(), QStringLiteral("Fs = 0 unless 0 < β < 90° and θ < 90°"),
              QStringLiteral("β = %1°, θ = %2°").arg(s["altitude"], s["incident"]));
        return;
    }
    s.Add("side_shadow", QStringLiteral("Side reveal shadow"), QStringLiteral("x"), r.SideShadow, "%0.4f",
          QStringLiteral("m"), QStringLiteral("x = Dg · tan γ, limited to 0..Wg"),
          QStringLiteral("%1 · tan(%2°)").arg(s["glass_depth"], s["ssa"]));
    s.Add("head_shadow", QStringLiteral("Head shadow"), QStringLiteral("y"), r.HeadShadow, "%0.4f",
          QStringLiteral("m"), QStringLiteral("y = Dg · tan β / cos γ, limited to 0..Hg"),
          QStringLiteral("%1 · tan(%2°) / cos(%3°)").arg(s["glass_depth"], s["altitude"], s["ssa"]));
    s.Add("sunlit", QStringLiteral("Sunlit fraction"), QStringLiteral("Fs"), r.Fraction, "%0.4f", QString(),
          QStringLiteral("Fs = (Wg − x) · (Hg − y) / (Wg · Hg)"),
          QStringLiteral("(%1 − %2) · (%3 − %4) / (%1 · %3)")
              .arg(s["glass_width"], s["side_shadow"], s["glass_height"], s["head_shadow"]));
}

} // namespace

QString TCalcStep::ValueText() const {
    return FormatFloat(Format, Value);
}

QList<TCalcStep> CalcDetails(const TCalcDocument& doc, int hour) {
    if (!doc.HourSolved(hour)) return {};
    const TSolarSteps& v = doc.HourSteps(hour);
    TStepList s;
    AddInputs(s, doc, hour);
    AddDay(s, doc, v);
    AddTime(s, v);
    AddSunPosition(s, doc, v);
    AddClearSky(s, v);
    AddDirectNormal(s, v);
    AddSkyDiffuse(s, v);
    AddSurfaceTotals(s, v);
    AddSolAir(s, doc, hour, v);
    AddRecess(s, doc, v);
    return s.Steps();
}

std::optional<int> DetailsHour(const TCalcDocument& doc, std::optional<int> selected) {
    if (selected && doc.HourSolved(*selected)) return selected;
    std::optional<int> nearest;
    for (int hour = 0; hour < 24; ++hour) {
        if (!doc.HourSolved(hour)) continue;
        const double h = std::fabs(doc.HourSteps(hour).HourAngle);
        if (!nearest || h < std::fabs(doc.HourSteps(*nearest).HourAngle)) nearest = hour;
    }
    return nearest;
}

QString DetailsTitle(const TCalcDocument& doc, int hour) {
    return QStringLiteral("Calculation details at clock hour %1:00 (sun position: %2)")
        .arg(FormatInt(QStringLiteral("%.2d"), hour), doc.SunMethodText());
}

namespace {

const QStringList Headings{QStringLiteral("Quantity"), QStringLiteral("Symbol"),
                           QStringLiteral("Formula"),  QStringLiteral("With the values"),
                           QStringLiteral("Value"),    QStringLiteral("Unit")};

QStringList Cells(const TCalcStep& step) {
    return {step.Name, step.Symbol, step.Formula, step.WithValues, step.ValueText(), step.Unit};
}

// One line of cells padded to the column widths; the value column is right-aligned.
QString AlignedLine(const QStringList& cells, const QList<int>& widths) {
    QString line = QStringLiteral("  ");
    for (int c = 0; c < cells.size(); ++c) {
        const bool value = c == 4;
        line += value ? cells[c].rightJustified(widths[c]) : cells[c].leftJustified(widths[c]);
        if (c + 1 < cells.size()) line += QStringLiteral("  ");
    }
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line + QStringLiteral("\r\n");
}

} // namespace

QString CalcDetailsText(const TCalcDocument& doc, int hour) {
    const QList<TCalcStep> steps = CalcDetails(doc, hour);
    if (steps.isEmpty()) return {};
    QList<int> widths;
    for (const QString& heading : Headings)
        widths << int(heading.size());
    for (const TCalcStep& step : steps) {
        const QStringList cells = Cells(step);
        for (int c = 0; c < cells.size(); ++c)
            widths[c] = std::max(widths[c], int(cells[c].size()));
    }
    QString text = DetailsTitle(doc, hour) + QStringLiteral("\r\n\r\n") + AlignedLine(Headings, widths);
    QString section;
    for (const TCalcStep& step : steps) {
        if (step.Section != section) {
            section = step.Section;
            text += section + QStringLiteral("\r\n");
        }
        text += AlignedLine(Cells(step), widths);
    }
    return text;
}

QString CalcDetailsAppendix(const TCalcDocument& doc, std::optional<int> selected) {
    const std::optional<int> hour = DetailsHour(doc, selected);
    return hour ? CalcDetailsText(doc, *hour) : QString();
}

QByteArray CalcDetailsJson(const QList<TCalcStep>& steps) {
    QJsonArray array;
    for (const TCalcStep& step : steps)
        array.append(QJsonObject{{QStringLiteral("section"), step.Section},
                                 {QStringLiteral("key"), step.Key},
                                 {QStringLiteral("name"), step.Name},
                                 {QStringLiteral("symbol"), step.Symbol},
                                 {QStringLiteral("formula"), step.Formula},
                                 {QStringLiteral("with_values"), step.WithValues},
                                 {QStringLiteral("value"), step.Value},
                                 {QStringLiteral("unit"), step.Unit}});
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}
