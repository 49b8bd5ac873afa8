#include "QdbSources.h"

#include "CsvText.h"
#include "locations/LocationDb.h"
#include "locations/PlaceListModel.h"
#include "locations/QdbFile.h"
#include "storage/RegularFile.h"
#include "storage/Win1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>

#include <charconv>
#include <cmath>
#include <set>

const char* const QdbSourceHeader = "region,name,latitude,longitude,timezone,altitude,cooling_first,"
                                    "cooling_second,heating_design,wind_speed,max_dry_bulb,min_dry_bulb,"
                                    "dry_bulb_range";

namespace {

// Number columns of a source row, from column 2 on, with the record field each fills and its range.
struct NumberColumn {
    const char* name;
    float LocationRecord::*field;
    double low, high;
};
constexpr double Any = 1e30;
const NumberColumn NumberColumns[] = {
    {"latitude", &LocationRecord::Latitude, -90, 90},
    {"longitude", &LocationRecord::Longitude, -180, 180},
    {"timezone", &LocationRecord::TimeZone, -180, 210}, // UTC-12 to UTC+14 (Samoa 195, Kiribati 210)
    {"altitude", &LocationRecord::Altitude, -500, 9000},
    {"cooling_first", &LocationRecord::CoolingFirst, -Any, Any},
    {"cooling_second", &LocationRecord::CoolingSecond, -Any, Any},
    {"heating_design", &LocationRecord::HeatingDesign, -Any, Any},
    {"wind_speed", &LocationRecord::WindSpeed, 0, Any},
    {"max_dry_bulb", &LocationRecord::MaxDryBulb, -Any, Any},
    {"min_dry_bulb", &LocationRecord::MinDryBulb, -Any, Any},
    {"dry_bulb_range", &LocationRecord::DryBulbRange, 0, Any},
};
constexpr int ColumnCount = 2 + int(std::size(NumberColumns));

// A number as written in the source, independent of any locale; false for anything else.
bool ReadFloat(const QString& text, float& value) {
    const QByteArray bytes = text.trimmed().toUtf8();
    const char* end = bytes.constData() + bytes.size();
    const auto [ptr, ec] = std::from_chars(bytes.constData(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value) && !bytes.isEmpty();
}

// Why a name cannot be a place, region or database name of the index and record files; empty if it can.
QString NameProblem(const QString& name, int maxBytes) {
    if (name.isEmpty()) return QStringLiteral("is empty");
    if (name != name.trimmed()) return QStringLiteral("has blanks at its ends");
    if (!FitsWin1252(name)) return QStringLiteral("holds characters outside Windows-1252");
    if (maxBytes > 0 && EncodeWin1252(name).size() > maxBytes)
        return QStringLiteral("is longer than %1 characters").arg(maxBytes);
    for (QChar c : name)
        if (c.unicode() < 32) return QStringLiteral("holds a control character");
    // A location name is "Place, Region": a comma in either would split it in the wrong place and
    // re-select another place.
    if (name.contains(u',')) return QStringLiteral("holds a comma");
    return {};
}

QString IndexNameProblem(const QString& name) {
    QString problem = NameProblem(name, 0);
    if (problem.isEmpty() &&
        (name.contains(u'=') || name.startsWith(u';') || name.startsWith(u'[') || name.startsWith(u'#')))
        problem = QStringLiteral("holds '=' or starts with ';', '#' or '['");
    if (problem.isEmpty() && name.compare(AllDatabaseName, Qt::CaseInsensitive) == 0)
        problem = QStringLiteral("is reserved");
    return problem;
}

class SourceReader {
public:
    SourceReader(const QString& path, QStringList& errors) : path_(path), errors_(errors) {}

    bool Read(QdbDatabase& db) {
        QFile file;
        QString reason;
        if (!OpenRegularFile(file, path_, &reason)) return Fail(0, reason);
        if (file.size() > MaxQdbSourceBytes)
            return Fail(0, QStringLiteral("larger than %1 MB").arg(MaxQdbSourceBytes >> 20));
        const QByteArray bytes = ReadAtMost(file, MaxQdbSourceBytes + 1);
        if (bytes.size() > MaxQdbSourceBytes)
            return Fail(0, QStringLiteral("larger than %1 MB").arg(MaxQdbSourceBytes >> 20));
        return ReadText(bytes, db);
    }

    bool ReadText(QByteArrayView bytes, QdbDatabase& db) {
        const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
        bool headerSeen = false;
        bool ok = true;
        for (int i = 0; i < lines.size(); ++i) {
            QString line = lines[i];
            if (line.endsWith(u'\r')) line.chop(1);
            // "#" lines are comments before the header; after it every line that is not blank is a row.
            if (line.trimmed().isEmpty() || (!headerSeen && line.startsWith(u'#'))) continue;
            if (!headerSeen) {
                headerSeen = true;
                if (line.trimmed() != QLatin1String(QdbSourceHeader))
                    ok = Fail(i + 1, QStringLiteral("the header must be: %1").arg(QdbSourceHeader));
                continue;
            }
            ok = ReadRow(line, i + 1, db) && ok;
        }
        if (!headerSeen) ok = Fail(0, QStringLiteral("no header line"));
        return ok;
    }

private:
    bool ReadRow(const QString& line, int lineNo, QdbDatabase& db) {
        QStringList fields;
        if (!SplitCsvLine(line, fields)) return Fail(lineNo, QStringLiteral("unbalanced quotes"));
        if (fields.size() != ColumnCount)
            return Fail(lineNo, QStringLiteral("%1 fields, expected %2").arg(fields.size()).arg(ColumnCount));
        LocationRecord r;
        r.DatabaseCode = db.Code;
        const QString region = fields[0].trimmed();
        if (!region.isEmpty()) {
            const int index = RegionIndex(region, db);
            if (index < 0) return Fail(lineNo, QStringLiteral("region name '%1' %2").arg(region, problem_));
            r.RegionCode = int32_t(index + 1);
        }
        r.PlaceName = fields[1].trimmed();
        if (const QString p = NameProblem(r.PlaceName, MaxPlaceNameLength); !p.isEmpty())
            return Fail(lineNo, QStringLiteral("place name '%1' %2").arg(r.PlaceName, p));
        for (int c = 0; c < int(std::size(NumberColumns)); ++c) {
            const NumberColumn& col = NumberColumns[c];
            float v = 0;
            if (!ReadFloat(fields[c + 2], v) || v < col.low || v > col.high)
                return Fail(lineNo, QStringLiteral("%1 '%2' is not a number in the range of the record")
                                        .arg(col.name, fields[c + 2]));
            r.*col.field = v;
        }
        db.Records.push_back(r);
        return true;
    }

    // The position of a row's region in db.Regions, added when new; -1 with problem_ set when the name
    // cannot be a region. Rows come in thousands per region, so a region seen before is found by its
    // text in one look-up, and a new one is checked and keyed once.
    int RegionIndex(const QString& region, QdbDatabase& db) {
        if (const auto seen = byText_.constFind(region); seen != byText_.cend()) return *seen;
        problem_ = IndexNameProblem(region);
        if (!problem_.isEmpty()) return -1;
        // Index keys are matched without regard to case, so regions differing only in case are one.
        const QByteArray key = LocationSortKey(region);
        auto index = byKey_.constFind(key);
        if (index == byKey_.cend()) {
            index = byKey_.insert(key, int(db.Regions.size()));
            db.Regions << region;
        }
        byText_.insert(region, *index);
        return *index;
    }

    bool Fail(int lineNo, const QString& why) {
        errors_ << (lineNo > 0 ? QStringLiteral("%1:%2: %3").arg(path_, QString::number(lineNo), why)
                               : QStringLiteral("%1: %2").arg(path_, why));
        return false;
    }

    QString path_;
    QStringList& errors_;
    QHash<QString, int> byText_;   // every region text met, as written, to its position
    QHash<QByteArray, int> byKey_; // the search key of each region to its position
    QString problem_;
};

bool WriteFile(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
    error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return false;
}

void AppendRecords(QByteArray& bytes, const std::vector<LocationRecord>& records) {
    LocationRecordBytes one;
    for (const LocationRecord& r : records)
        if (EncodeLocationRecord(r, one)) bytes.append(one.data(), one.size());
}

} // namespace

QByteArray QdbIndexText(const std::vector<QdbDatabase>& databases) {
    QString text = QStringLiteral("; Sample location database, built by qdb from data/locations\r\n");
    text += QStringLiteral("[%1]\r\n%1=0\r\n").arg(AllDatabaseName);
    for (const QdbDatabase& db : databases)
        text += QStringLiteral("%1=%2\r\n").arg(db.Name, QString::number(db.Code));
    for (const QdbDatabase& db : databases) {
        text += QStringLiteral("\r\n[%1]\r\n%2=0\r\n").arg(db.Name, AllDatabaseName);
        for (int i = 0; i < db.Regions.size(); ++i)
            text += QStringLiteral("%1=%2\r\n").arg(db.Regions[i], QString::number(i + 1));
    }
    return EncodeWin1252(text); // every name was checked when it was read
}

namespace {

QString NumberText(float v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v); // shortest text that reads back the same
    return QString::fromLatin1(buf, res.ptr - buf);
}

} // namespace

bool ReadQdbSourceText(const QString& name, QByteArrayView text, QdbDatabase& db, QStringList& errors) {
    return SourceReader(name, errors).ReadText(text, db);
}

bool ReadQdbSources(const QString& folder, std::vector<QdbDatabase>& databases, QStringList& errors) {
    QStringList files = QDir(folder).entryList(
        {QStringLiteral("*.csv")}, QDir::Files | QDir::System); // a FIFO or device is named, then refused
    std::sort(files.begin(), files.end());
    std::set<QString> recordFiles;
    bool ok = true;
    for (const QString& name : files) {
        const QString path = QDir(folder).filePath(name);
        QdbDatabase db;
        db.Name = QFileInfo(name).completeBaseName();
        db.Code = int32_t(databases.size() + 1);
        const QString fileKey = DatabaseFileName(db.Name).toLower();
        if (const QString p = IndexNameProblem(db.Name); !p.isEmpty() || db.Name.contains(u']')) {
            errors << QStringLiteral("%1: database name '%2' %3")
                          .arg(path, db.Name, p.isEmpty() ? "holds ']'" : p);
            ok = false;
        } else if (!recordFiles.insert(fileKey).second) {
            errors << QStringLiteral("%1: database '%2' would share the record file %3 with another")
                          .arg(path, db.Name, DatabaseFileName(db.Name));
            ok = false;
        }
        ok = SourceReader(path, errors).Read(db) && ok;
        databases.push_back(std::move(db));
    }
    if (files.isEmpty()) {
        errors << QStringLiteral("%1: no *.csv source files").arg(folder);
        ok = false;
    }
    return ok;
}

bool WriteQdbDatabase(const std::vector<QdbDatabase>& databases, const QString& folder, QString& error) {
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("%1: cannot create the folder").arg(folder);
        return false;
    }
    const QDir dir(folder);
    QByteArray all;
    for (const QdbDatabase& db : databases) {
        QByteArray bytes;
        AppendRecords(bytes, db.Records);
        all += bytes;
        if (!WriteFile(dir.filePath(DatabaseFileName(db.Name)), bytes, error)) return false;
    }
    return WriteFile(dir.filePath(DatabaseFileName(AllDatabaseName)), all, error) &&
           WriteFile(dir.filePath(QStringLiteral("Regions.idx")), QdbIndexText(databases), error);
}

QString EscapedName(const QString& name) {
    QString text;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            text += QStringLiteral("\\\\");
        else if (u < 0x20 || (u >= 0x7F && u < 0xA0))
            text += QStringLiteral("\\x") + QString::number(u, 16).toUpper().rightJustified(2, u'0');
        else
            text += c;
    }
    return text;
}

namespace {

// Output collected in blocks, so that a file of millions of records streams in constant memory.
class BlockWriter {
public:
    explicit BlockWriter(QIODevice& out) : out_(out) {}
    void Add(const QString& text) {
        block_ += text.toUtf8();
        if (block_.size() >= BlockSize) Flush();
    }
    bool Flush() {
        if (failed_ || block_.isEmpty()) return !failed_;
        failed_ = out_.write(block_) != block_.size();
        block_.clear();
        return !failed_;
    }
    bool Failed() const { return failed_; }

private:
    static constexpr qsizetype BlockSize = 1 << 16;
    QIODevice& out_;
    QByteArray block_;
    bool failed_ = false;
};

} // namespace

bool DumpQdbFile(const QString& path, QIODevice& out, QString& error) {
    const QFileInfo info(path);
    if (!info.exists()) {
        error = QStringLiteral("%1: no such record file").arg(path);
        return false;
    }
    if (!info.isFile()) {
        error = QStringLiteral("%1: not a regular file").arg(path);
        return false;
    }
    BlockWriter writer(out);
    writer.Add(QStringLiteral("record,database_code,region_code,name,latitude,longitude,timezone,altitude,"
                              "cooling_first,cooling_second,heating_design,wind_speed,max_dry_bulb,"
                              "min_dry_bulb,dry_bulb_range\n"));
    try {
        TQdbFile(path).Scan([&writer](const char* bytes, int number) {
            if (writer.Failed()) return;
            const LocationRecord r = DecodeLocationRecord(bytes);
            QString line = QStringLiteral("%1,%2,%3,%4")
                               .arg(number)
                               .arg(r.DatabaseCode)
                               .arg(r.RegionCode)
                               .arg(CsvField(SpreadsheetSafe(EscapedName(r.PlaceName))));
            for (const NumberColumn& col : NumberColumns)
                line += u',' + NumberText(r.*col.field);
            writer.Add(line + u'\n');
        });
    } catch (const EFOpenError& e) {
        error = e.Message();
        return false;
    }
    if (!writer.Flush()) {
        error = QStringLiteral("cannot write the output: %1").arg(out.errorString());
        return false;
    }
    return true;
}
