#pragma once
// The location database: the index "Regions.idx" (databases, their regions and codes) and the record
// file of the open database. One instance serves one dialog; files are only read.
#include "LocationRecord.h"
#include "QdbFile.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class TMemIniFile;

// The database that holds the places of all others; in it, the databases play the part of regions.
extern const QString AllDatabaseName; // "+All"

// One entry of a place list: the name shown and the record it stands for.
struct TPlaceEntry {
    QString PlaceName;
    TLocRec Rec;
};

// The largest index read: some hundred times the size of an index of every region of the world.
constexpr qint64 MaxIndexBytes = qint64(16) << 20;

// Whether a cache kept by record number (names, ranks) may grow to hold record n while `listed`
// places are listed: it grows with the places listed, with a slack of some million records, never with
// the size of the file alone (a file of 2^31 records asked for 51 GB).
constexpr bool KeepsSlotFor(size_t n, size_t listed) {
    return n < 4 * listed + (size_t(1) << 22);
}

// Record files held in memory, by file name ("Lakes.qdb").
using TRecordFiles = QHash<QString, QByteArray>;

// "The <name> Database has not been installed..." CR LF "Please install the Varnholt Terralog Database."
QString MissingDatabaseMessage(const QString& databaseName);

class TLocationDatabase {
public:
    TLocationDatabase();
    ~TLocationDatabase();
    TLocationDatabase(const TLocationDatabase&) = delete;
    TLocationDatabase& operator=(const TLocationDatabase&) = delete;

    // Reads folder + "Regions.idx" and forgets any open database. The folder ends in "/". A missing file
    // gives no databases; one that is not a regular file, is larger than MaxIndexBytes or cannot be
    // read gives no databases and raises EFOpenError.
    void LoadIndex(const QString& folder);
    // The same from memory: the index text and the record files by name.
    void LoadIndex(QByteArrayView index, TRecordFiles recordFiles);
    // Closes the database and frees the index. The remembered labels stay for the whole run.
    void Release();

    // All section names of the index, in file order.
    QStringList DatabaseNames() const;
    // The keys of a database's section, in file order; a line without "=" names no region.
    QStringList RegionNames(const QString& database) const;
    // The integer value of the region's key; 0 (all regions) when it is missing or not a number.
    int32_t RegionCode(const QString& database, const QString& region) const;

    // Makes the database's record file the current one. False when the file does not exist: nothing
    // changes, and the previously opened file stays current.
    bool Open(const QString& database);
    const QString& OpenDatabase() const { return openDatabase_; }
    bool IsOpen() const { return !file_.Path().isEmpty(); }

    // The places of the region with the given code, in file order: every record when the code is 0,
    // else those whose database code (in "+All") or region code (elsewhere) equals it. A record with a
    // non-finite number is corrupt: it is never listed, and SkippedRecords() counts those of the
    // file. The record buffer ends holding the last sound record of the file. Raises EFOpenError when
    // the file cannot be read.
    std::vector<TPlaceEntry> ListPlaces(int32_t regionCode);
    // A reader of the place names of the open file by record number (a null text for a corrupt record)
    // that works on its own copy of the file: it may run on another thread while this database is in
    // use. It gives no names when the file cannot be read (a listing reports that).
    std::function<std::vector<QString>()> PlaceNamesReader() const;
    // Corrupt records of the file met by the last listing.
    int SkippedRecords() const { return skipped_; }
    // Of the records with the given numbers, those the test accepts, in file order: read in one pass
    // from the lowest number on, whatever their count. Corrupt records are passed over.
    std::vector<int> MatchingRecords(std::vector<int> numbers,
                                     const std::function<bool(const LocationRecord&)>& test);
    // Place names kept for reuse by record number; for the tests that check a listing's cost follows
    // the places listed, not the size of the file.
    size_t KeptNames() const { return names_.size(); }
    // Reads record n into the record buffer. Raises EFOpenError when it cannot be read or is corrupt.
    const LocationRecord& ReadRecord(int n);
    const LocationRecord& Record() const { return record_; }
    // (number of the record last read + 1, record count of the file), for display.
    std::pair<int, int> RecordPosition() const;

    // The label of a record's region, with the selected database and region as names: the database
    // (in "+All" the record's own database), replaced by the region when the record has one.
    QString RegionLabel(const LocationRecord& record, const QString& database, const QString& region);
    // PlaceName + ", " + the region label.
    QString PickedName(const LocationRecord& record, const QString& database, const QString& region);

private:
    QString DatabaseOfCode(int32_t code);
    QString RegionOfCode(const QString& section, int32_t code);

    TQdbFile RecordFile(const QString& database) const;
    // The place name of a record of the open file: the text made when it was last listed while its
    // bytes still read so, else a new one, kept for the next listing.
    QString PlaceNameOf(const char* bytes, int number, size_t listed);

    QString folder_;
    std::optional<TRecordFiles> memoryFiles_; // set when the database is read from memory
    std::unique_ptr<TMemIniFile> index_;
    QString openDatabase_;
    TQdbFile file_;
    LocationRecord record_;
    int recordNumber_ = -1;
    int skipped_ = 0;
    // The names of the open file's records by number, shared with the listed entries, so that listing
    // a region again makes no new texts.
    std::vector<QString> names_;
    // The two remembered label lookups: their last successful answers, kept for the whole run so that
    // a repeated request is answered without searching the index.
    struct RememberedDatabase {
        int32_t code;
        QString name;
    };
    struct RememberedRegion {
        QString section;
        int32_t code;
        QString name;
    };
    std::optional<RememberedDatabase> lastDatabase_;
    std::optional<RememberedRegion> lastRegion_;
};

// The place and region named by a location name "Place, Region": the text is trimmed of codes 0 to 32;
// the place is the text before the first comma; the region is the rest, leading blanks removed, up to
// its own first comma. Blanks before a comma stay ("Ashford , Hill" gives "Ashford ").
std::pair<QString, QString> PresetLocationTokens(const QString& locationName);
