#include "LocationDb.h"

#include "storage/TextRules.h"
#include "storage/TxIniFiles.h"

#include <QFileInfo>

#include <algorithm>
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
    if (file->size() > MaxIndexBytes)
        throw EFOpenError(QStringLiteral("%1 is larger than %2 MB: it cannot be a location index.")
                              .arg(path, QString::number(MaxIndexBytes >> 20)));
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

QString TLocationDatabase::PlaceNameOf(const char* bytes, int number, size_t listed) {
    const auto n = size_t(number);
    if (n >= names_.size()) {
        if (!KeepsSlotFor(n, listed)) return RecordPlaceName(bytes);
        names_.resize(std::max(n + 1, std::min(2 * names_.size(), size_t(file_.RecordCount()))));
    }
    if (names_[n].isNull() || !RecordPlaceNameIs(bytes, names_[n])) names_[n] = RecordPlaceName(bytes);
    return names_[n];
}

std::vector<TPlaceEntry> TLocationDatabase::ListPlaces(int32_t regionCode) {
    std::vector<TPlaceEntry> places;
    if (!IsOpen()) return places;
    const bool byDatabase = openDatabase_.compare(AllDatabaseName, Qt::CaseInsensitive) == 0;
    // Room for all places at once, up to a bound: a file of billions of records grows the list as read.
    if (regionCode == 0) places.reserve(std::min(size_t(file_.RecordCount()), size_t(1) << 22));
    LocationRecordBytes last;
    int lastNumber = -1, skipped = 0;
    file_.Scan([&](const char* bytes, int number) {
        if (!RecordNumbersFinite(bytes)) {
            ++skipped;
            return;
        }
        const int32_t code = byDatabase ? RecordDatabaseCode(bytes) : RecordRegionCode(bytes);
        if (regionCode == 0 || code == regionCode)
            places.push_back({PlaceNameOf(bytes, number, places.size()), {number}});
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

std::vector<int> TLocationDatabase::MatchingRecords(std::vector<int> numbers,
                                                    const std::function<bool(const LocationRecord&)>& test) {
    std::vector<int> found;
    if (!IsOpen() || numbers.empty()) return found;
    std::sort(numbers.begin(), numbers.end());
    auto next = numbers.cbegin();
    file_.Scan(
        [&](const char* bytes, int number) {
            while (next != numbers.cend() && *next < number)
                ++next;
            if (next != numbers.cend() && *next == number && RecordNumbersFinite(bytes) &&
                test(DecodeLocationRecord(bytes)))
                found.push_back(number);
        },
        std::max(numbers.front(), 0));
    return found;
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
