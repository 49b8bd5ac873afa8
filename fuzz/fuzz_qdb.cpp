// Feeds arbitrary bytes to the location database reader: the input up to the first 0xFF byte is the
// index "Regions.idx", the rest the record file of every database it names. Every database is opened,
// every region listed, every listed record read and labelled.
#include "locations/LocationDb.h"
#include "locations/LocationSummary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

const QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

void Write(const QString& path, QByteArrayView bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes.data(), bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\xff');
    const QByteArrayView index = split < 0 ? input : input.first(split);
    const QByteArrayView records = split < 0 ? QByteArrayView() : input.sliced(split + 1);

    const QString folder = Folder().path() + u'/';
    for (const QString& old : QDir(folder).entryList(QDir::Files)) QFile::remove(folder + old);
    Write(folder + QStringLiteral("Regions.idx"), index);

    TLocationDatabase db;
    db.LoadIndex(folder);
    const QStringList databases = db.DatabaseNames();
    for (const QString& name : databases) {
        // Names that would leave the folder are left alone; the record file lies beside the index.
        const QString file = DatabaseFileName(name);
        if (!file.contains(u'/') && file != QLatin1String(".qdb")) Write(folder + file, records);
    }
    for (const QString& name : databases) {
        if (!db.Open(name)) continue;
        for (const QString& region : db.RegionNames(name)) {
            try {
                for (const TPlaceEntry& place : db.ListPlaces(db.RegionCode(name, region))) {
                    const LocationRecord& r = db.ReadRecord(place.Rec.RecordIndex);
                    if (r.PlaceName != place.PlaceName) __builtin_trap();
                    db.PickedName(r, name, region);
                    LocationSummary(r);
                }
            } catch (const EFOpenError&) {
                // a file that cannot be read is reported, not a crash
            }
        }
    }
    return 0;
}
