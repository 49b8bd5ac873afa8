// Feeds arbitrary argument lists to the command-line handling: the bytes split at NUL characters are
// the arguments after the program name. Every outcome is a status with its texts: 0 with output, or 2
// with one error line.
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
    const bool ok = result.Status == CliOk && result.Error.isEmpty() && !result.Output.isEmpty();
    const bool bad = result.Status == CliBadInput && result.Output.isEmpty() &&
                     result.Error.startsWith(QLatin1String("quorvane-cli: ")) &&
                     result.Error.count(u'\n') == 1 && result.Error.endsWith(u'\n');
    if (!ok && !bad) std::abort();
    return 0;
}
