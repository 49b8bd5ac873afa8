#pragma once
// Writes small location databases for the tests: an index text and record files in a temporary folder.
#include "locations/LocationRecord.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

inline LocationRecord Place(int32_t database, int32_t region, const QString& name, float latitude = 0,
                            float longitude = 0, float timeZone = 0) {
    LocationRecord r;
    r.DatabaseCode = database;
    r.RegionCode = region;
    r.PlaceName = name;
    r.Latitude = latitude;
    r.Longitude = longitude;
    r.TimeZone = timeZone;
    return r;
}

class TLocationFixture {
public:
    TLocationFixture() { QVERIFY(dir_.isValid()); }
    // The folder, ending in "/".
    QString Folder() const { return dir_.path() + u'/'; }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    void WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile f(Path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    void WriteIndex(const QByteArray& text) const { WriteFile("Regions.idx", text); }
    static QByteArray Records(const std::vector<LocationRecord>& records) {
        QByteArray bytes;
        LocationRecordBytes one;
        for (const LocationRecord& r : records) {
            if (!EncodeLocationRecord(r, one)) qFatal("fixture record does not fit");
            bytes.append(one.data(), one.size());
        }
        return bytes;
    }
    void WriteRecords(const QString& name, const std::vector<LocationRecord>& records) const {
        WriteFile(name, Records(records));
    }

private:
    QTemporaryDir dir_;
};

// A database "Lakes" (code 7) with regions North (3) and South (4), "Hills" (code 2) with region Ridge
// (3), and "+All" holding both.
inline const char* SampleIndex() {
    return "[+All]\r\n+All=0\r\nHills=2\r\nLakes=7\r\n"
           "[Lakes]\r\n+All=0\r\nNorth=3\r\nSouth=4\r\n"
           "[Hills]\r\n+All=0\r\nRidge=3\r\n";
}
inline std::vector<LocationRecord> LakesRecords() {
    return {Place(7, 3, "Ashford", -26.13f, 28.23f, 30), Place(7, 4, "brook"), Place(7, 3, "Ashford"),
            Place(7, 0, "Unfiled"), Place(7, 4, "Cove")};
}
inline std::vector<LocationRecord> HillsRecords() { return {Place(2, 3, "Summit"), Place(2, 0, "Base")}; }
inline void WriteSampleDatabase(const TLocationFixture& f) {
    f.WriteIndex(SampleIndex());
    f.WriteRecords("Lakes.qdb", LakesRecords());
    f.WriteRecords("Hills.qdb", HillsRecords());
    std::vector<LocationRecord> all = LakesRecords();
    for (const LocationRecord& r : HillsRecords()) all.push_back(r);
    f.WriteRecords("+All.qdb", all);
}
