#include "CliReport.h"

#include "app/CalcReport.h"
#include "app/TCalcDocument.h"
#include "controls/TxEntryGrid.h"
#include "report/ReportExport.h"
#include "report/ReportMessages.h"
#include "report/TxStdReport.h"

bool WriteCliReport(TCalcDocument& doc, const QString& pdfPath, const QString& letterheadFolder,
                    QStringList& messages) {
    const TReportMessageHook saved = SetReportMessageHook([&messages](const QString& m) { messages << m; });
    TPageEngine engine;
    TStdReport report(engine);
    SetCalcReportColumnStops();
    TEntryGrid inputs;
    FillInputGrid(inputs, doc);
    BeginCalcReport(report, doc, inputs, false, letterheadFolder);
    QString error;
    const bool ok = ExportReportPdf(engine, pdfPath, nullptr,
                                    {report.Titles.value(0), QStringLiteral("Quorvane")}, &error);
    if (!ok) messages << error;
    SetReportMessageHook(saved);
    return ok;
}
