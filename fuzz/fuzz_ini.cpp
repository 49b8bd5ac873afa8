// Feeds arbitrary bytes to the INI store's loader, reads every section and key back, and checks that
// saving is stable: the text saved after a reload equals the text saved the first time.
#include "storage/TxIniFiles.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemIniFile ini;
    ini.LoadFromBytes(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    QStringList sections, keys;
    ini.SectionNames(sections);
    for (const QString& section : sections) {
        ini.SectionKeys(section, keys);
        for (const QString& key : keys) {
            ini.ValueText(section, key, QString());
            ini.ValueInt(section, key, 0);
        }
    }
    const QByteArray saved = ini.SaveToBytes();
    TMemIniFile again;
    again.LoadFromBytes(saved);
    if (again.SaveToBytes() != saved) std::abort();
    return 0;
}
