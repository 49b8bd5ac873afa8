#include "app/CalcReport.h"

#include "app/TCalcDocument.h"
#include "report/ProgramVersion.h"
#include "report/TxStdReport.h"
#include "storage/Folders.h"

namespace {

// The input rows 1 to 7 of the property list: name, value, units.
constexpr TCellRange InputCells{0, 1, 2, 7};

QList<QStringList> RowTexts(const QList<TResultRow>& rows) {
    QList<QStringList> texts;
    for (const TResultRow& row : rows)
        texts << (QStringList{row.Caption} + row.Cells);
    return texts;
}

} // namespace

void PrintCalcReport(TStdReport& report, const TCalcDocument& doc, const TxStringGrid& propertyList) {
    report.PrintHeading(QStringLiteral("Location Data"), fsBold | fsUnderline, 0);
    report.PrintEntryGrid(propertyList, InputCells);
    report.PrintHeading(QStringLiteral("Angles (Sunrise to Sunset)"), fsBold | fsUnderline, 0);
    report.PrintListView(TCalcDocument::AnglesColumns(), RowTexts(doc.AnglesRows()), 5);
    report.PrintHeading(QStringLiteral("Solar Insolation"), fsBold | fsUnderline, 0);
    report.PrintListView(TCalcDocument::SolarColumns(), RowTexts(doc.SolarRows()), 6);
    report.PrintFooterLine(true, QStringLiteral("Version ") + ProgramVersionText());
}

void BeginCalcReport(TStdReport& report, TCalcDocument& doc, const TxStringGrid& propertyList) {
    doc.EnsureSolved();
    report.BeginReport([&report, &doc, &propertyList] { PrintCalcReport(report, doc, propertyList); },
                       {QStringLiteral("Quorvane Report")}, {});
    report.SetLetterhead(ProgramFolder() + QStringLiteral("LetterHead.txt"),
                         ProgramFolder() + QStringLiteral("ReportLogo.gif"), 4);
}

void ExecuteCalcReport(TStdReport& report, TCalcDocument& doc, const TxStringGrid& propertyList) {
    BeginCalcReport(report, doc, propertyList);
    report.Execute();
}
