// Feeds arbitrary bytes to qdb build's source reader as one CSV source. What it accepts must make a
// database the program reads back as written: every record encodes, and the index lists each region
// with its code.
#include "QdbSources.h"
#include "storage/TxIniFiles.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QdbDatabase db;
    db.Name = QStringLiteral("Land");
    db.Code = 1;
    QStringList errors;
    const bool ok = ReadQdbSourceText(
        db.Name, QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), db, errors);
    if (ok != errors.isEmpty()) __builtin_trap();
    if (!ok) return 0;
    LocationRecordBytes bytes;
    for (const LocationRecord& r : db.Records) {
        if (!EncodeLocationRecord(r, bytes)) __builtin_trap();
        const LocationRecord back = DecodeLocationRecord(bytes.data());
        if (back.PlaceName != r.PlaceName || back.RegionCode != r.RegionCode) __builtin_trap();
    }
    TMemIniFile index;
    index.LoadFromBytes(QdbIndexText({db}));
    QStringList keys;
    index.SectionKeys(db.Name, keys);
    if (keys != QStringList{QStringLiteral("+All")} + db.Regions) __builtin_trap();
    for (int i = 0; i < db.Regions.size(); ++i)
        if (index.ValueInt(db.Name, db.Regions[i], 0) != i + 1) __builtin_trap();
    return 0;
}
