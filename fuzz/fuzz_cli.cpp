// Feeds arbitrary argument lists to the command-line handling: the bytes split at NUL characters are
// the arguments after the program name. Every outcome is a status with its texts: 0 with output (and
// at most one warning line), or 2 with one error line.
#include "CliRun.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv); // the help text names the program through it

    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QStringList arguments{QStringLiteral("quorvane-cli")};
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!bytes.isEmpty())
        for (const QByteArray& part : bytes.split('\0'))
            arguments << QString::fromLocal8Bit(part);
    const TCliResult result = RunCli(arguments);
    const auto oneLine = [&result](QLatin1String start) {
        return result.Error.startsWith(start) && result.Error.count(u'\n') == 1 && result.Error.endsWith(u'\n');
    };
    const bool ok = result.Status == CliOk && !result.Output.isEmpty() &&
                    (result.Error.isEmpty() || oneLine(QLatin1String("quorvane-cli: warning: ")));
    const bool bad = result.Status == CliBadInput && result.Output.isEmpty() &&
                     oneLine(QLatin1String("quorvane-cli: "));
    if (!ok && !bad) std::abort();
    return 0;
}
