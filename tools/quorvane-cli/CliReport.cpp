#include "CliReport.h"

#include "app/CalcReport.h"
#include "app/DesignReport.h"
#include "app/TCalcDocument.h"
#include "controls/TxEntryGrid.h"
#include "report/ReportExport.h"
#include "report/ReportMessages.h"
#include "report/TxStdReport.h"

bool WriteCliReport(TCalcDocument& doc, const QString& pdfPath, const QString& letterheadFolder,
                    TCliReportKind kind, QStringList& messages) {
    const TReportMessageHook saved = SetReportMessageHook([&messages](const QString& m) { messages << m; });
    TPageEngine engine;
    TStdReport report(engine);
    SetCalcReportColumnStops();
    TEntryGrid inputs;
    FillInputGrid(inputs, doc);
    if (kind.Design)
        BeginDesignReport(report, doc, kind.DesignPeaks, letterheadFolder);
    else
        BeginCalcReport(report, doc, inputs, kind.DesignPeaks, letterheadFolder);
    QString error;
    const bool ok = ExportReportPdf(
        engine, pdfPath, nullptr,
        {engine.DocumentTitle, QStringLiteral("Quorvane"), engine.DocumentAuthor, engine.DocumentSubject},
        &error);
    if (!ok) messages << error;
    SetReportMessageHook(saved);
    return ok;
}
