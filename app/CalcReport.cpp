#include "app/CalcReport.h"

#include "app/DesignPeaks.h"
#include "app/ResultColumns.h"
#include "app/TCalcDocument.h"
#include "controls/TxEntryGrid.h"
#include "report/ReportSettings.h"
#include "report/TxStdReport.h"
#include "storage/Folders.h"
#include "version/ProgramVersion.h"

namespace {

// The input rows 1 to 7 of the property list: name, value, units.
constexpr TCellRange InputCells{0, 1, 2, 7};

QList<QStringList> RowTexts(const QList<TResultRow>& rows) {
    QList<QStringList> texts;
    for (const TResultRow& row : rows)
        texts << (QStringList{row.Caption} + row.Cells);
    return texts;
}

// The peaks of two quantities for each orientation: facade, then value and when of each. Two
// quantities a table keep the columns within the report's stops.
void PrintPeakTable(TStdReport& report, const QList<TSurfacePeaks>& peaks, int first,
                    const QStringList& captions) {
    QList<QStringList> rows;
    for (const TSurfacePeaks& s : peaks) {
        QStringList row{s.Name};
        for (int q = first; q < first + 2; ++q)
            row << PeakValueText(DesignQuantities()[q], s.Peaks[q]) << PeakWhenText(s.Peaks[q]);
        rows << row;
    }
    report.PrintListView(captions, rows, 5);
}

} // namespace

void PrintDesignPeaks(TStdReport& report, const TCalcDocument& doc) {
    const QList<TSurfacePeaks> peaks = OrientationPeaks(doc, true);
    // The heading stays with its two notes, the blank line and the start of the first table.
    report.PrintHeading(QStringLiteral("Design Peaks (21st of each month)"), fsBold | fsUnderline, 0,
                        3 + TStdReport::TableLines(int(peaks.size())));
    report.PrintRow({QStringLiteral("Facades: azimuth %1; H horizontal. Clock hours of the zone time.")
                         .arg(QLatin1String(AzimuthConvention))},
                    fsNone);
    // The units go here: with them the captions run into the next column.
    report.PrintRow({QStringLiteral("Total irradiance and SHGF in W/m2, sol-air temperatures in degC.")},
                    fsNone);
    report.SkipLine();
    const QString when = QStringLiteral("When");
    PrintPeakTable(report, peaks, 0,
                   {QStringLiteral("Facade"), QStringLiteral("Total"), when, QStringLiteral("SHGF"), when});
    PrintPeakTable(report, peaks, 2,
                   {QStringLiteral("Sol-air"), QStringLiteral("Light"), when, QStringLiteral("Dark"), when});
}

const QList<TReportTable>& CalcReportTables() {
    static const QList<TReportTable> tables{
        {pgAngles, "Angles (Sunrise to Sunset)", &TCalcDocument::AnglesRows},
        {pgSolar, "Solar Insolation", &TCalcDocument::SolarRows},
    };
    return tables;
}

const QList<double>& CalcReportColumnStops() {
    static const QList<double> stops{5, 7, 9, 11, 13};
    return stops;
}

void PrintCalcReport(TStdReport& report, const TCalcDocument& doc, const TxStringGrid& propertyList,
                     bool designPeaks) {
    report.PrintHeading(QStringLiteral("Location Data"), fsBold | fsUnderline, 0);
    report.PrintEntryGrid(propertyList, InputCells);
    report.PrintRow({QStringLiteral("Sun position: ") + doc.SunMethodText()}, fsNone);
    // Every column of the result-column table, so a new column is printed too.
    for (const TReportTable& table : CalcReportTables()) {
        const QList<TResultRow>& rows = (doc.*table.Rows)();
        report.PrintHeading(QString::fromLatin1(table.Heading), fsBold | fsUnderline, 0,
                            TStdReport::TableLines(int(rows.size())));
        const QStringList captions = ColumnCaptions(table.Page);
        report.PrintListView(captions, RowTexts(rows), int(captions.size()));
    }
    if (designPeaks) PrintDesignPeaks(report, doc);
    report.PrintFooterLine(true, QStringLiteral("Version ") + ProgramVersionText());
}

void SetCalcReportColumnStops() {
    SetColumnStops(CalcReportColumnStops());
}

void FillInputGrid(TEntryGrid& grid, const TCalcDocument& doc) {
    grid.SetLines(TCalcDocument::PropertyLines());
    for (int row = InputCells.Top; row <= InputCells.Bottom; ++row)
        grid.SetCellValue(1, row, doc.Input(TInputId(row - 1)));
}

void BeginCalcReport(TStdReport& report, TCalcDocument& doc, const TxStringGrid& propertyList,
                     bool designPeaks, const QString& letterheadFolder) {
    doc.EnsureSolved();
    report.BeginReport([&report, &doc, &propertyList,
                        designPeaks] { PrintCalcReport(report, doc, propertyList, designPeaks); },
                       {QStringLiteral("Quorvane Report")}, {});
    SetReportLetterhead(report, letterheadFolder);
}

void SetReportLetterhead(TStdReport& report, const QString& letterheadFolder) {
    const QString folder = letterheadFolder.isEmpty() ? ProgramFolder() : letterheadFolder;
    report.SetLetterhead(folder + QStringLiteral("LetterHead.txt"), folder + QStringLiteral("ReportLogo.gif"),
                         4);
}

void ExecuteCalcReport(TStdReport& report, TCalcDocument& doc, const TxStringGrid& propertyList,
                       bool designPeaks) {
    BeginCalcReport(report, doc, propertyList, designPeaks);
    report.Execute();
}
