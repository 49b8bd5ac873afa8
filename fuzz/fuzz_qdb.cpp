// Feeds arbitrary bytes to the location database reader, from memory: the input up to the first 0xFF
// byte is the index "Regions.idx", the rest the record file of every database it names. Every database
// is opened, every region listed, every listed record read and labelled; each record's summary is
// made once (every database shares the same records), since its number texts cost more than all else.
#include "locations/LocationDb.h"
#include "locations/LocationSummary.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\xff');
    const QByteArrayView index = split < 0 ? input : input.first(split);
    const QByteArray records = split < 0 ? QByteArray() : input.sliced(split + 1).toByteArray();

    TLocationDatabase db;
    db.LoadIndex(index, {});
    TRecordFiles files;
    std::vector<bool> summarised(records.size() / LocationRecordSize + 1);
    const QStringList databases = db.DatabaseNames();
    for (const QString& name : databases)
        files.insert(DatabaseFileName(name), records); // shared, not copied
    db.LoadIndex(index, files);
    for (const QString& name : databases) {
        if (!db.Open(name)) __builtin_trap(); // every named database has its records
        for (const QString& region : db.RegionNames(name)) {
            try {
                for (const TPlaceEntry& place : db.ListPlaces(db.RegionCode(name, region))) {
                    const LocationRecord& r = db.ReadRecord(place.Rec.RecordIndex);
                    if (r.PlaceName != place.PlaceName || !NumbersFinite(r)) __builtin_trap();
                    db.PickedName(r, name, region);
                    if (!summarised[size_t(place.Rec.RecordIndex)]) {
                        summarised[size_t(place.Rec.RecordIndex)] = true;
                        LocationSummary(r);
                    }
                }
            } catch (const EFOpenError&) {
                // a record that cannot be read is reported, not a crash
            }
        }
    }
    return 0;
}
