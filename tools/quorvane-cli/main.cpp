// The quorvane-cli program: the command line handled by RunCli, its texts written to stdout and
// stderr. Output that cannot be written (a full disk, a file-size limit) ends with status 1.
#include "CliRun.h"

#include "storage/RegularFile.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

// Writes to the stream's descriptor, unbuffered, so a failed write shows in its count here instead
// of being lost in a flush at exit.
bool Print(const QString& text, FILE* stream) {
    QFile out;
    if (!out.open(fileno(stream), QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const QByteArray bytes = text.toUtf8();
    return out.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvane-cli"));

    const TCliResult result = RunCli(QCoreApplication::arguments());
    if (!Print(result.Output, stdout)) {
        Print(QStringLiteral("quorvane-cli: cannot write the output\n"), stderr);
        return CliOutputFailed;
    }
    Print(result.Error, stderr);
    return result.Status;
}
