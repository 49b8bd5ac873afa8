// Prints the time to compose the worked example's report on page images, to export it as one GIF image
// and as a PDF file, and the whole-process time of quorvane-cli --report writing that PDF without a
// display, and of quorvane-cli --report --design-report writing the design report. No assertions: the
// figures are for reading.
#include "app/CalcReport.h"
#include "app/TCalcDocument.h"
#include "bench/common/BestTime.h"
#include "controls/TxEntryGrid.h"
#include "report/TxStdReport.h"
#include "report/TxfReport.h"
#include "tests/common/TestPaths.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
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
    FillInputGrid(grid, doc);

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

    // The whole process, start-up included, as a script that makes reports for many projects sees it.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    const auto cliMs = [&](const QStringList& extra) {
        return BestMs(
            [&] {
                QProcess p;
                p.setProcessEnvironment(env);
                p.start(FromProgramFolder(QV_CLI_PATH),
                        QStringList{"--report", dir.filePath("cli.pdf")} + extra);
                p.waitForFinished(60000);
            },
            5);
    };
    std::printf("quorvane-cli --report (worked example, whole process, best of 5): %.1f ms (goal 300 ms)\n",
                cliMs({}));
    std::printf("quorvane-cli --report --design-report (worked example, whole process, best of 5): %.1f ms "
                "(goal 300 ms)\n",
                cliMs({"--design-report"}));
    return 0;
}
