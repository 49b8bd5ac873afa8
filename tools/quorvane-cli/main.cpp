// The quorvane-cli program: the command line handled by RunCli, its texts written to stdout and
// stderr. Output that cannot be written (a full disk, a file-size limit) ends with status 1.
#include "CliReport.h"
#include "CliRun.h"

#include "storage/RegularFile.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Writes to the stream's descriptor, unbuffered, so a failed write shows in its count here instead
// of being lost in a flush at exit.
bool Print(const QString& text, FILE* stream) {
    QFile out;
    if (!out.open(fileno(stream), QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const QByteArray bytes = text.toUtf8();
    return out.write(bytes) == bytes.size();
}

bool WantsReport(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--report") == 0 || std::strncmp(argv[i], "--report=", 9) == 0) return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    // A report is drawn with fonts and widgets, never shown: the offscreen platform needs no display.
    const bool report = WantsReport(argc, argv);
    if (report) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        report ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvane-cli"));
    if (report) QGuiApplication::setApplicationDisplayName(QStringLiteral("Quorvane"));

    const TCliResult result = RunCli(QCoreApplication::arguments(), WriteCliReport);
    if (!Print(result.Output, stdout)) {
        Print(QStringLiteral("quorvane-cli: cannot write the output\n"), stderr);
        return CliOutputFailed;
    }
    Print(result.Error, stderr);
    return result.Status;
}
