#include "LocationDb.h"

#include "storage/TextRules.h"
#include "storage/TxIniFiles.h"

#include <QFileInfo>

#include <cstring>

const QString AllDatabaseName = QStringLiteral("+All");

QString MissingDatabaseMessage(const QString& databaseName) {
    return QStringLiteral("The ") + databaseName + QStringLiteral(" Database has not been installed...") +
           QStringLiteral("\r\nPlease install the Varnholt Terralog Database.");
}

TLocationDatabase::TLocationDatabase() = default;
TLocationDatabase::~TLocationDatabase() = default;

void TLocationDatabase::LoadIndex(const QString& folder) {
    Release();
    folder_ = folder;
    index_ = std::make_unique<TMemIniFile>(folder + QStringLiteral("Regions.idx"));
    index_->SectionKeys(AllDatabaseName, allKeys_);
}

void TLocationDatabase::Release() {
    index_.reset();
    allKeys_.clear();
    openDatabase_.clear();
    file_ = TQdbFile();
    recordNumber_ = -1;
    lastDatabase_.reset();
    lastRegion_.reset();
}

QStringList TLocationDatabase::DatabaseNames() const {
    QStringList names;
    if (index_) index_->SectionNames(names);
    return names;
}

QStringList TLocationDatabase::RegionNames(const QString& database) const {
    QStringList keys;
    if (index_) index_->SectionKeys(database, keys);
    return keys;
}

int32_t TLocationDatabase::RegionCode(const QString& database, const QString& region) const {
    return index_ ? index_->ValueInt(database, region, 0) : 0;
}

bool TLocationDatabase::Open(const QString& database) {
    const QString path = folder_ + DatabaseFileName(database);
    if (!QFileInfo::exists(path)) return false;
    file_ = TQdbFile(path);
    openDatabase_ = database;
    recordNumber_ = -1;
    return true;
}

std::vector<TPlaceEntry> TLocationDatabase::ListPlaces(int32_t regionCode) {
    std::vector<TPlaceEntry> places;
    if (!IsOpen()) return places;
    const bool byDatabase = openDatabase_.compare(AllDatabaseName, Qt::CaseInsensitive) == 0;
    LocationRecordBytes last;
    const int count = file_.Scan([&](const char* bytes, int number) {
        const int32_t code = byDatabase ? RecordDatabaseCode(bytes) : RecordRegionCode(bytes);
        if (regionCode == 0 || code == regionCode) places.push_back({RecordPlaceName(bytes), {number}});
        std::memcpy(last.data(), bytes, last.size());
    });
    if (count > 0) {
        record_ = DecodeLocationRecord(last.data());
        recordNumber_ = count - 1;
    }
    return places;
}

const LocationRecord& TLocationDatabase::ReadRecord(int n) {
    if (!IsOpen()) throw EFOpenError(QStringLiteral("No location database is open."));
    record_ = file_.Read(n);
    recordNumber_ = n;
    return record_;
}

std::pair<int, int> TLocationDatabase::RecordPosition() const {
    return {recordNumber_ + 1, file_.Path().isEmpty() ? 0 : file_.RecordCount()};
}

QString TLocationDatabase::FirstKeyWithValue(const QString& section, const QStringList& keys,
                                             int32_t value) const {
    for (const QString& key : keys)
        if (index_->ValueInt(section, key, 0) == value) return key;
    return {};
}

QString TLocationDatabase::DatabaseOfCode(int32_t code) {
    if (lastDatabase_ && lastDatabase_->code == code) return lastDatabase_->name;
    if (!index_) return {};
    const QString name = FirstKeyWithValue(AllDatabaseName, allKeys_, code);
    if (!name.isEmpty()) lastDatabase_ = RememberedDatabase{code, name};
    return name;
}

QString TLocationDatabase::RegionOfCode(const QString& section, int32_t code) {
    if (lastRegion_ && lastRegion_->code == code && lastRegion_->section == section) return lastRegion_->name;
    if (!index_) return {};
    const QString name = FirstKeyWithValue(section, RegionNames(section), code);
    if (!name.isEmpty()) lastRegion_ = RememberedRegion{section, code, name};
    return name;
}

QString TLocationDatabase::RegionLabel(const LocationRecord& record, const QString& database,
                                       const QString& region) {
    QString label = database != AllDatabaseName ? database : DatabaseOfCode(record.DatabaseCode);
    if (record.RegionCode != 0)
        label = region != AllDatabaseName ? region : RegionOfCode(label, record.RegionCode);
    return label;
}

QString TLocationDatabase::PickedName(const LocationRecord& record, const QString& database,
                                      const QString& region) {
    return record.PlaceName + QStringLiteral(", ") + RegionLabel(record, database, region);
}

std::pair<QString, QString> PresetLocationTokens(const QString& locationName) {
    const QString text = TrimCodes(locationName);
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0) return {text, {}};
    QString rest = text.mid(comma + 1);
    qsizetype start = 0;
    while (start < rest.size() && IsBlankCode(rest[start].unicode())) ++start;
    rest = rest.mid(start);
    return {text.left(comma), rest.left(rest.indexOf(u',') < 0 ? rest.size() : rest.indexOf(u','))};
}
