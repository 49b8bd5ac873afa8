// Feeds arbitrary bytes to the per-user settings reader: they become the settings file, and every value
// of every section is read in every kind the program reads. A value read must be what the reader
// promises: a finite double, a boolean from an integer.
#include "storage/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

const QString BaseName = QStringLiteral("fuzz_settings");

// The settings folder of the run, set up once: a private temporary folder as XDG_CONFIG_HOME, in memory
// where the system offers it (a truncated file on a disk is flushed at each close, ten times slower).
QString SettingsFile() {
    static QTemporaryDir config(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QStringLiteral("/dev/shm/fuzz_settings-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/fuzz_settings-XXXXXX"));
    static const QString file = [] {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        static int argc = 1;
        static char name[] = "fuzz_settings";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv); // the settings paths need an application
        const QString f = TSettingsStore(QString(), BaseName).FileName();
        QDir().mkpath(QFileInfo(f).path());
        return f;
    }();
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = SettingsFile();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    ForgetSettingsValues();
    TSettingsStore store(QString(), BaseName);
    for (const QString& section : store.SectionNames()) {
        store.OpenSection(section);
        for (const QString& name : store.ValueNames()) {
            if (!std::isfinite(store.ReadFloat(name, 0))) __builtin_trap();
            const qint32 n = store.ReadInteger(name, 3);
            if (store.ReadBool(name, true) != (store.ReadInteger(name, 1) != 0)) __builtin_trap();
            store.ReadString(name, QString());
            (void)n;
        }
    }
    return 0;
}
