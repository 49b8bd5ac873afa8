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
    index_ = std::make_unique<TMemIniFile>();
    const QString path = folder + QStringLiteral("Regions.idx");
    if (!QFileInfo::exists(path)) return;
    const std::unique_ptr<QFile> file = OpenRegularFile(path);
    if (!index_->LoadFromDevice(*file))
        throw EFOpenError(QStringLiteral("Cannot read %1: %2").arg(path, file->errorString()));
}

void TLocationDatabase::LoadIndex(QByteArrayView index, TRecordFiles recordFiles) {
    Release();
    memoryFiles_ = std::move(recordFiles);
    index_ = std::make_unique<TMemIniFile>();
    index_->LoadFromBytes(index);
}

void TLocationDatabase::Release() {
    index_.reset();
    memoryFiles_.reset();
    openDatabase_.clear();
    file_ = TQdbFile();
    recordNumber_ = -1;
    skipped_ = 0;
    names_ = {};
}

QStringList TLocationDatabase::DatabaseNames() const {
    QStringList names;
    if (index_) index_->SectionNames(names);
    return names;
}

QStringList TLocationDatabase::RegionNames(const QString& database) const {
    QStringList keys;
    if (index_) index_->SectionKeys(database, keys);
    keys.removeAll(QString()); // a line without "=" is no region
    return keys;
}

int32_t TLocationDatabase::RegionCode(const QString& database, const QString& region) const {
    return index_ ? index_->ValueInt(database, region, 0) : 0;
}

TQdbFile TLocationDatabase::RecordFile(const QString& database) const {
    const QString name = DatabaseFileName(database);
    if (memoryFiles_) {
        const auto it = memoryFiles_->constFind(name);
        return it == memoryFiles_->cend() ? TQdbFile() : TQdbFile(name, *it);
    }
    const QString path = folder_ + name;
    return QFileInfo::exists(path) ? TQdbFile(path) : TQdbFile();
}

bool TLocationDatabase::Open(const QString& database) {
    TQdbFile file = RecordFile(database);
    if (file.Path().isEmpty()) return false;
    file_ = std::move(file);
    openDatabase_ = database;
    recordNumber_ = -1;
    skipped_ = 0;
    names_ = {};
    return true;
}

QString TLocationDatabase::PlaceNameOf(const char* bytes, int number) {
    const auto n = size_t(number);
    if (n >= names_.size()) names_.resize(n + 1);
    if (names_[n].isNull() || !RecordPlaceNameIs(bytes, names_[n])) names_[n] = RecordPlaceName(bytes);
    return names_[n];
}

std::vector<TPlaceEntry> TLocationDatabase::ListPlaces(int32_t regionCode) {
    std::vector<TPlaceEntry> places;
    if (!IsOpen()) return places;
    const bool byDatabase = openDatabase_.compare(AllDatabaseName, Qt::CaseInsensitive) == 0;
    const auto count = size_t(file_.RecordCount());
    if (names_.size() < count) names_.resize(count);
    if (regionCode == 0) places.reserve(count);
    LocationRecordBytes last;
    int lastNumber = -1, skipped = 0;
    file_.Scan([&](const char* bytes, int number) {
        if (!RecordNumbersFinite(bytes)) {
            ++skipped;
            return;
        }
        const int32_t code = byDatabase ? RecordDatabaseCode(bytes) : RecordRegionCode(bytes);
        if (regionCode == 0 || code == regionCode) places.push_back({PlaceNameOf(bytes, number), {number}});
        std::memcpy(last.data(), bytes, last.size());
        lastNumber = number;
    });
    skipped_ = skipped;
    if (lastNumber >= 0) {
        record_ = DecodeLocationRecord(last.data());
        recordNumber_ = lastNumber;
    }
    return places;
}

std::function<std::vector<QString>()> TLocationDatabase::PlaceNamesReader() const {
    return [file = file_] {
        std::vector<QString> names;
        try {
            file.Scan([&names](const char* bytes, int) {
                names.push_back(RecordNumbersFinite(bytes) ? RecordPlaceName(bytes) : QString());
            });
        } catch (const EFOpenError&) {
            names.clear();
        }
        return names;
    };
}

const LocationRecord& TLocationDatabase::ReadRecord(int n) {
    if (!IsOpen()) throw EFOpenError(QStringLiteral("No location database is open."));
    const LocationRecord record = file_.Read(n);
    if (!NumbersFinite(record))
        throw EFOpenError(QStringLiteral("Record %1 of %2 is corrupt: it holds a number that is not finite.")
                              .arg(n + 1)
                              .arg(file_.Path()));
    record_ = record;
    recordNumber_ = n;
    return record_;
}

std::pair<int, int> TLocationDatabase::RecordPosition() const {
    return {recordNumber_ + 1, file_.Path().isEmpty() ? 0 : file_.RecordCount()};
}

QString TLocationDatabase::DatabaseOfCode(int32_t code) {
    if (lastDatabase_ && lastDatabase_->code == code) return lastDatabase_->name;
    if (!index_) return {};
    const QString name = index_->KeyOfValueInt(AllDatabaseName, code);
    if (!name.isEmpty()) lastDatabase_ = RememberedDatabase{code, name};
    return name;
}

QString TLocationDatabase::RegionOfCode(const QString& section, int32_t code) {
    if (lastRegion_ && lastRegion_->code == code && lastRegion_->section == section) return lastRegion_->name;
    if (!index_) return {};
    const QString name = index_->KeyOfValueInt(section, code);
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
    while (start < rest.size() && IsBlankCode(rest[start].unicode()))
        ++start;
    rest = rest.mid(start);
    return {text.left(comma), rest.left(rest.indexOf(u',') < 0 ? rest.size() : rest.indexOf(u','))};
}
