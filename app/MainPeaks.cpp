// The Design Peaks command: solves the design days and the orientations from the document's inputs and
// fills the Design Peaks window with the heat maps of the current surface and the peak tables.
#include "MainPeaks.h"

#include "DesignPeaks.h"
#include "Main.h"
#include "controls/TxNumText.h"
#include "dialogs/DesignPeaksDlg.h"
#include "dialogs/SunPositionDlg.h"

namespace {

const QString AzimuthNote = QStringLiteral("azimuth ") + QLatin1String(AzimuthConvention);

QString SurfaceText(double azimuth, double slope) {
    return FormatFloat(QStringLiteral("azimuth %0.1f deg"), azimuth) +
           FormatFloat(QStringLiteral(", slope %0.1f deg"), slope);
}

QString SiteText(const TCalcDocument& doc) {
    QString site = FormatFloat(QStringLiteral("latitude %0.2f"), doc.Latitude()) +
                   FormatFloat(QStringLiteral(", longitude %0.2f"), doc.Longitude()) +
                   FormatFloat(QStringLiteral(", time zone %0.2f"), doc.TimeZone());
    return doc.LocationName().isEmpty() ? site : doc.LocationName() + QStringLiteral(": ") + site;
}

QStringList MonthNames() {
    QStringList names;
    for (int m = 1; m <= DesignMonths; ++m)
        names << MonthName(m);
    return names;
}

THeatMapData HeatMapOf(const TDesignQuantity& q, const TYearTable& table, const QString& subtitle) {
    const TPeak peak = YearPeak(table, q.ZeroIsNone);
    THeatMapData map;
    map.Title = QString::fromLatin1(q.Name);
    map.Units = QString::fromLatin1(q.Units);
    map.Subtitle = subtitle;
    map.Format = QString::fromLatin1(q.Format);
    map.RowNames = MonthNames();
    map.Values = table;
    map.BlankZero = q.ZeroIsNone;
    map.PeakMonth = peak.Month;
    map.PeakHour = peak.Hour;
    return map;
}

TTextTable PeakTable(const QString& caption, const QList<TSurfacePeaks>& surfaces) {
    TTextTable table{
        caption, {QStringLiteral("Facade"), QStringLiteral("Azimuth"), QStringLiteral("Slope")}, {}};
    static const char* const Short[PeakQuantityCount] = {"Total", "SHGF", "Sol-air light", "Sol-air dark"};
    for (int q = 0; q < PeakQuantityCount; ++q)
        table.Headings << QStringLiteral("%1\n%2").arg(QString::fromLatin1(Short[q]),
                                                       QString::fromLatin1(DesignQuantities()[q].Units))
                       << QStringLiteral("When");
    for (const TSurfacePeaks& s : surfaces) {
        QStringList row{s.Name, FormatFloat(QStringLiteral("%0.0f"), s.Azimuth),
                        FormatFloat(QStringLiteral("%0.0f"), s.Slope)};
        for (int q = 0; q < PeakQuantityCount; ++q) {
            row << PeakValueText(DesignQuantities()[q], s.Peaks[q]) << PeakWhenText(s.Peaks[q]);
        }
        table.Rows << row;
    }
    return table;
}

} // namespace

void FillDesignPeaks(TDesignPeaksForm& form, const TCalcDocument& doc) {
    form.SetSubject(QStringLiteral("%1; surface %2 (%3).")
                        .arg(SiteText(doc), SurfaceText(doc.Azimuth(), doc.Slope()), AzimuthNote));
    const QList<TYearTable> tables = YearTables(doc);
    QList<THeatMapData> maps;
    const QString subtitle = SiteText(doc) + QStringLiteral("; ") + SurfaceText(doc.Azimuth(), doc.Slope());
    for (qsizetype q = 0; q < tables.size(); ++q)
        maps << HeatMapOf(DesignQuantities()[q], tables[q], subtitle);
    form.SetHeatMaps(maps);
    form.SetPeakTables(
        {PeakTable(QStringLiteral("Design days (21st of each month)"), OrientationPeaks(doc, true)),
         PeakTable(FormatFloat(QStringLiteral("Current day (%0.1f)"), doc.DayNumber()),
                   OrientationPeaks(doc, false))},
        QStringLiteral(
            "Peaks of each facade (H: horizontal) with the month and clock hour where they occur; %1. "
            "Sol-air temperatures use the current ambient profile on every day.")
            .arg(AzimuthNote));
}

// The method and year go to the document, which is then out of date until the next solve.
void TMainForm::ActionSunPositionExecute() {
    TSunPositionForm form(this);
    form.SetMethod(FDoc.SunMethod(), FDoc.SunYear());
    if (form.exec() != QDialog::Accepted) return;
    FDoc.SetSunMethod(form.Method());
    FDoc.SetSunYear(form.Year());
}

void TMainForm::ActionDesignPeaksExecute() {
    CommitFocusedEdit();
    TDesignPeaksForm form(this);
    FillDesignPeaks(form, FDoc);
    form.exec();
}
