#pragma once
// One place of a location database file: the 84-byte little-endian record and its decoded form.
#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

// The decoded record. PlaceName is already converted from the file's Windows-1252 bytes.
struct LocationRecord {
    int32_t DatabaseCode = 0;
    int32_t RegionCode = 0;
    QString PlaceName;
    float Latitude = 0;      // degrees, north positive
    float Longitude = 0;     // degrees, east positive
    float TimeZone = 0;      // standard meridian of the zone, degrees, east positive
    float Altitude = 0;      // metres above sea level
    float CoolingFirst = 0;  // degC
    float CoolingSecond = 0; // degC
    float HeatingDesign = 0; // degC
    float WindSpeed = 0;     // m/s
    float MaxDryBulb = 0;    // degC
    float MinDryBulb = 0;    // degC
    float DryBulbRange = 0;  // degC

    bool operator==(const LocationRecord&) const = default;
};

// The payload kept with each entry of a place list: the entry's record number in the open file.
struct TLocRec {
    int32_t RecordIndex = -1;
};

constexpr int LocationRecordSize = 84;
// The name field holds a length byte and at most this many characters.
constexpr int MaxPlaceNameLength = 31;

using LocationRecordBytes = std::array<char, LocationRecordSize>;

// Decodes one record from exactly LocationRecordSize bytes. A name length above 31 reads 31 characters.
LocationRecord DecodeLocationRecord(const char* bytes);
// The record's two codes only, for fast filtering while listing.
int32_t RecordDatabaseCode(const char* bytes);
int32_t RecordRegionCode(const char* bytes);
// The record's place name only.
QString RecordPlaceName(const char* bytes);
// True when the record's place name reads as name; compares without building a text.
bool RecordPlaceNameIs(const char* bytes, const QString& name);
// False when any of the record's numbers is NaN or infinite: such a record is corrupt and never listed.
bool RecordNumbersFinite(const char* bytes);
bool NumbersFinite(const LocationRecord& record);

// Encodes a record; unused bytes of the name field are zero. Returns false, leaving out untouched, when the
// name does not fit: more than 31 bytes, or characters that Windows-1252 cannot hold.
bool EncodeLocationRecord(const LocationRecord& record, LocationRecordBytes& out);

// True when every character of text has a Windows-1252 byte, the only text the files can hold.
bool FitsWin1252(const QString& text);

// The record file of a database name: the name with its extension (from its last period) replaced by
// ".qdb", or ".qdb" appended when it has no period. "Lakes" -> "Lakes.qdb", "Ft. Rock" -> "Ft.qdb".
QString DatabaseFileName(const QString& databaseName);
