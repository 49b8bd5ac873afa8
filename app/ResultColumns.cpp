#include "ResultColumns.h"

#include "controls/TxNumText.h"

#include <cstring>
#include <vector>

namespace {

using D = TCalcDocument;

// The command-line CSV's columns after "hour": a new column joins the table above and takes its place
// here.
constexpr const char* CsvOrder[] = {"altitude",  "azimuth", "ssa",  "incident", "normal", "direct", "diffuse",
                                    "reflected", "total",   "shgf", "ambient",  "solair", "sunlit"};

} // namespace

const QList<TResultColumn>& ResultColumns() {
    static const QList<TResultColumn> columns{
        {pgAngles, "Altitude", &D::AltitudeProfile, "%0.0f", "%0.0f", "Solar Altitude", psLine,
         phSunriseRange, "altitude"},
        {pgAngles, "Azimuth", &D::AzimuthProfile, "%0.0f", "%0.0f", "Solar Azimuth", psLine, phSunriseRange,
         "azimuth"},
        {pgAngles, "SSA", &D::SSAProfile, "%0.0f", "%0.0f", "Solar-Surface Angle", psLine, phSunriseRange,
         "ssa"},
        {pgAngles, "Incident", &D::IncidentProfile, "%0.0f", "%0.0f", "Incident Angle", psLine,
         phSunriseRange, "incident"},
        {pgSolar, "Normal", &D::NormalProfile, "%0.0f", "%0.0f", "Direct-Normal Solar Radiation", psBars,
         phFullDay, "normal"},
        {pgSolar, "Direct", &D::DirectProfile, "%0.0f", "%0.0f", "Direct Solar Radiation", psBars, phFullDay,
         "direct"},
        {pgSolar, "Diffuse", &D::DiffuseProfile, "%0.0f", "%0.0f", "Diffuse Solar Radiation", psBars,
         phFullDay, "diffuse"},
        {pgSolar, "Reflect", &D::ReflectedProfile, "%0.0f", "%0.0f", "Reflected Solar Radiation", psBars,
         phFullDay, "reflected"},
        {pgSolar, "Total", &D::TotalProfile, "%0.0f", "%0.0f", "Total Solar Radiation", psBars, phFullDay,
         "total"},
        {pgSolAir, "Solar", &D::TotalProfile, "%0.0f", "%0.0f", "Total Solar Radiation", psBars,
         phSunriseRange, nullptr},
        {pgSolAir, "Ambient", &D::AmbientProfile, "%0.1f", "%0.1f", "", psEditor, phFullDay, "ambient"},
        {pgSolAir, "TSolAir", &D::SolAirProfile, "%0.1f", "%0.1f", "Sol-Air Temperature", psLine, phFullDay,
         "solair"},
        {pgSolAir, "SHGF", &D::SHGFProfile, "%0.1f", "%0.0f", "Solar Heat Gain Factor", psBars, phFullDay,
         "shgf"},
        {pgWindow, "Sunlit", &D::AreaFactorProfile, "%0.2f", "%0.2f", "Sunlit Area Fraction", psLine,
         phFullDay, "sunlit"},
    };
    return columns;
}

QList<const TResultColumn*> Columns(TResultPage page) {
    QList<const TResultColumn*> list;
    for (const TResultColumn& c : ResultColumns())
        if (c.Page == page) list << &c;
    return list;
}

const QStringList& ColumnCaptions(TResultPage page) {
    static const std::vector<QStringList> captions = [] {
        std::vector<QStringList> all(pgSolAir + 1);
        for (int p = 0; p <= pgSolAir; ++p) {
            all[size_t(p)] << QStringLiteral("CT");
            for (const TResultColumn* c : Columns(TResultPage(p)))
                all[size_t(p)] << QString::fromLatin1(c->Caption);
        }
        return all;
    }();
    return captions[size_t(page)];
}

QList<const TResultColumn*> CsvColumns() {
    QList<const TResultColumn*> list;
    for (const char* name : CsvOrder)
        for (const TResultColumn& c : ResultColumns())
            if (c.CsvName && std::strcmp(c.CsvName, name) == 0) list << &c;
    return list;
}

const TResultColumn& TotalProfileColumn() {
    return *Columns(pgSolAir).front();
}

void ColumnHours(const TResultColumn& column, const TCalcDocument& doc, int& first, int& last) {
    if (column.Hours == phSunriseRange) {
        doc.SunriseRange(first, last);
        return;
    }
    first = 0;
    last = 23;
}

TResultRow ResultRow(const TCalcDocument& doc, TResultPage page, int hour, QChar decimalSeparator) {
    // Every solve prints a few hundred cells with these formats: each is read once.
    static const TNumberFormat hourFormat(QStringLiteral("%3d"));
    static const std::vector<TNumberFormat> cellFormats = [] {
        std::vector<TNumberFormat> formats;
        for (const TResultColumn& c : ResultColumns())
            formats.emplace_back(QString::fromLatin1(c.CellFormat));
        return formats;
    }();
    TResultRow row{hourFormat.Int(hour), {}};
    row.Cells.reserve(ResultColumns().size());
    for (qsizetype i = 0; i < ResultColumns().size(); ++i) {
        const TResultColumn& c = ResultColumns()[i];
        if (c.Page == page)
            row.Cells << cellFormats[size_t(i)].Float((doc.*(c.Profile))()[hour], decimalSeparator);
    }
    return row;
}
