#include "ResultColumns.h"

#include "controls/TxNumText.h"

#include <algorithm>
#include <vector>

namespace {

using D = TCalcDocument;

} // namespace

const QList<TResultColumn>& ResultColumns() {
    static const QList<TResultColumn> columns{
        {pgAngles, "Altitude", &D::AltitudeProfile, "%0.0f", "%0.0f", "Solar Altitude", psLine,
         phSunriseRange, "altitude", 0},
        {pgAngles, "Azimuth", &D::AzimuthProfile, "%0.0f", "%0.0f", "Solar Azimuth", psLine, phSunriseRange,
         "azimuth", 1},
        {pgAngles, "SSA", &D::SSAProfile, "%0.0f", "%0.0f", "Solar-Surface Angle", psLine, phSunriseRange,
         "ssa", 2},
        {pgAngles, "Incident", &D::IncidentProfile, "%0.0f", "%0.0f", "Incident Angle", psLine,
         phSunriseRange, "incident", 3},
        {pgSolar, "Normal", &D::NormalProfile, "%0.0f", "%0.0f", "Direct-Normal Solar Radiation", psBars,
         phFullDay, "normal", 4},
        {pgSolar, "Direct", &D::DirectProfile, "%0.0f", "%0.0f", "Direct Solar Radiation", psBars, phFullDay,
         "direct", 5},
        {pgSolar, "Diffuse", &D::DiffuseProfile, "%0.0f", "%0.0f", "Diffuse Solar Radiation", psBars,
         phFullDay, "diffuse", 6},
        {pgSolar, "Reflect", &D::ReflectedProfile, "%0.0f", "%0.0f", "Reflected Solar Radiation", psBars,
         phFullDay, "reflected", 7},
        {pgSolar, "Total", &D::TotalProfile, "%0.0f", "%0.0f", "Total Solar Radiation", psBars, phFullDay,
         "total", 8},
        {pgSolAir, "Solar", &D::TotalProfile, "%0.0f", "%0.0f", "Total Solar Radiation", psBars,
         phSunriseRange, nullptr, -1},
        {pgSolAir, "Ambient", &D::AmbientProfile, "%0.1f", "%0.1f", "", psEditor, phFullDay, "ambient", 10},
        {pgSolAir, "TSolAir", &D::SolAirProfile, "%0.1f", "%0.1f", "Sol-Air Temperature", psLine, phFullDay,
         "solair", 11},
        {pgSolAir, "SHGF", &D::SHGFProfile, "%0.1f", "%0.0f", "Solar Heat Gain Factor", psBars, phFullDay,
         "shgf", 9},
    };
    return columns;
}

QList<const TResultColumn*> ColumnsOf(TResultPage page) {
    QList<const TResultColumn*> list;
    for (const TResultColumn& c : ResultColumns())
        if (c.Page == page) list << &c;
    return list;
}

QStringList ColumnCaptions(TResultPage page) {
    QStringList captions{QStringLiteral("CT")};
    for (const TResultColumn* c : ColumnsOf(page))
        captions << QString::fromLatin1(c->Caption);
    return captions;
}

QList<const TResultColumn*> CsvColumns() {
    QList<const TResultColumn*> list;
    for (const TResultColumn& c : ResultColumns())
        if (c.CsvName) list << &c;
    std::sort(list.begin(), list.end(), [](auto a, auto b) { return a->CsvPlace < b->CsvPlace; });
    return list;
}

const TResultColumn& TotalProfileColumn() {
    return *ColumnsOf(pgSolAir).front();
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
