// Prints the time to compose the worked example's report on page images, to export it as one GIF image
// and as a PDF file. No assertions: the figures are for reading.
#include "app/CalcReport.h"
#include "app/TCalcDocument.h"
#include "controls/TxEntryGrid.h"
#include "report/TxStdReport.h"
#include "report/TxfReport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

// Mean milliseconds of `runs` calls.
double Time(int runs, const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i)
        work();
    return timer.nsecsElapsed() / 1e6 / runs;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TCalcDocument doc;
    TEntryGrid grid;
    grid.SetLines(TCalcDocument::PropertyLines());
    for (int row = 1; row <= 7; ++row)
        grid.SetCellValue(1, row, doc.Input(TInputId(row - 1)));

    TPreviewForm preview;
    preview.SelectPrinter(QString());
    TStdReport report(preview.Engine);
    BeginCalcReport(report, doc, grid);
    QTemporaryDir dir;

    const double compose = Time(20, [&] { preview.Engine.DoReport(); });
    std::printf("report compose (worked example, %d page(s)): %.2f ms\n", preview.Engine.PageCount(),
                compose);
    std::printf("report GIF export: %.2f ms\n", Time(5, [&] { preview.ExportGif(dir.filePath("r.gif")); }));
    std::printf("report PDF export: %.2f ms\n", Time(5, [&] { preview.ExportPdf(dir.filePath("r.pdf")); }));
    return 0;
}
