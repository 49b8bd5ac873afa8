#include "storage/TxIniFiles.h"

#include "storage/FastHash.h"
#include "storage/IntText.h"
#include "storage/TextRules.h"
#include "storage/Win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

// ---- TStringHash ----

namespace {
constexpr size_t StartBuckets = 16;
}

TStringHash::TStringHash() : buckets_(StartBuckets, -1) {}

int TStringHash::Find(QByteArrayView key, size_t hash) const {
    for (int i = buckets_[BucketOf(hash)]; i >= 0; i = items_[size_t(i)].next) {
        const Item& item = items_[size_t(i)];
        if (item.hash == hash && item.key == key) return i;
    }
    return -1;
}

void TStringHash::Append(QByteArray key, size_t hash, qint32 value) {
    if (items_.size() >= buckets_.size()) Grow();
    int& head = buckets_[BucketOf(hash)];
    items_.push_back(Item{std::move(key), hash, value, head});
    head = int(items_.size() - 1);
}

void TStringHash::Add(QByteArray key, qint32 value) {
    const size_t hash = FastHash(key);
    Append(std::move(key), hash, value);
}

void TStringHash::Grow() {
    buckets_.assign(buckets_.size() * 2, -1);
    // Relinked in the order they were added, so later equal keys stay nearer the head.
    for (size_t i = 0; i < items_.size(); ++i) {
        int& head = buckets_[BucketOf(items_[i].hash)];
        items_[i].next = head;
        head = int(i);
    }
}

qint32 TStringHash::ValueOf(QByteArrayView key) const {
    const int i = Find(key, FastHash(key));
    return i < 0 ? -1 : items_[size_t(i)].value;
}

qint32 TStringHash::FindOrAdd(QByteArray key, qint32 value) {
    const size_t hash = FastHash(key);
    const int i = Find(key, hash);
    if (i >= 0) return items_[size_t(i)].value;
    Append(std::move(key), hash, value);
    return value;
}

void TStringHash::Clear() {
    items_.clear();
    buckets_.assign(StartBuckets, -1);
}

// ---- THashedStringList ----

THashedStringList::THashedStringList() = default;
THashedStringList::~THashedStringList() = default;

QByteArray THashedStringList::Names(int index) const {
    const QByteArray& text = Strings(index);
    const qsizetype eq = text.indexOf('=');
    return eq < 0 ? QByteArray() : text.left(eq);
}

void THashedStringList::SetCaseSensitive(bool value) {
    if (value == caseSensitive_) return;
    caseSensitive_ = value;
    Changed();
}

int THashedStringList::Add(QByteArrayView text, std::unique_ptr<THashedStringList> object) {
    lines_.push_back(Line{text.toByteArray(), std::move(object)});
    Changed();
    return Count() - 1;
}

void THashedStringList::Insert(int index, QByteArrayView text, std::unique_ptr<THashedStringList> object) {
    lines_.insert(lines_.begin() + index, Line{text.toByteArray(), std::move(object)});
    Changed();
}

void THashedStringList::Put(int index, QByteArrayView text) {
    lines_[size_t(index)].text = text.toByteArray();
    Changed();
}

void THashedStringList::Delete(int index) {
    lines_.erase(lines_.begin() + index);
    Changed();
}

void THashedStringList::Exchange(int index1, int index2) {
    std::swap(lines_[size_t(index1)], lines_[size_t(index2)]);
    Changed();
}

void THashedStringList::Clear() {
    lines_.clear();
    Changed();
}

QByteArray THashedStringList::KeyOf(QByteArrayView text) const {
    return caseSensitive_ ? text.toByteArray() : UpperWin1252(text);
}

void THashedStringList::Changed() {
    lineIndexValid_ = false;
    nameIndexValid_ = false;
}

void THashedStringList::RebuildIndex(TStringHash& index, bool names) const {
    index.Clear();
    for (int i = 0; i < Count(); ++i) {
        const QByteArray& text = lines_[size_t(i)].text;
        if (!names) {
            index.Add(KeyOf(text), i);
            continue;
        }
        const qsizetype eq = text.indexOf('=');
        if (eq >= 0) index.Add(KeyOf(QByteArrayView(text).first(eq)), i);
    }
}

int THashedStringList::IndexOf(QByteArrayView text) const {
    if (!lineIndexValid_) {
        RebuildIndex(lineIndex_, false);
        lineIndexValid_ = true;
    }
    return lineIndex_.ValueOf(KeyOf(text));
}

int THashedStringList::IndexOfName(QByteArrayView name) const {
    if (!nameIndexValid_) {
        RebuildIndex(nameIndex_, true);
        nameIndexValid_ = true;
    }
    return nameIndex_.ValueOf(KeyOf(name));
}

std::vector<int> THashedStringList::ValueLines() const {
    // From the last line back: the first visit of a name is its last line.
    std::vector<int> valueLines(lines_.size());
    TStringHash lastLineOf;
    for (int i = Count() - 1; i >= 0; --i) {
        const QByteArray& text = lines_[size_t(i)].text;
        const qsizetype eq = text.indexOf('=');
        valueLines[size_t(i)] =
            lastLineOf.FindOrAdd(KeyOf(eq < 0 ? QByteArrayView() : QByteArrayView(text).first(eq)), i);
    }
    return valueLines;
}

// ---- TCustomIniFile ----

namespace {

// A value text as an integer: decimal, or hexadecimal after "$", "0x" or "0X". Stored texts are read
// as their bytes: digits and signs are the same in every code page.
qint32 IniInt(QByteArrayView text, qint32 defaultValue) {
    qint32 value = defaultValue;
    if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const QByteArray hex = '$' + text.sliced(2).toByteArray();
        return TryStrToInt32(QByteArrayView(hex), value) ? value : defaultValue;
    }
    return TryStrToInt32(text, value) ? value : defaultValue;
}

// A character outside Latin-1 becomes "?", which is no digit either.
qint32 IniInt(const QString& text, qint32 defaultValue) {
    return IniInt(QByteArrayView(text.toLatin1()), defaultValue);
}

} // namespace

qint32 TCustomIniFile::ValueInt(const QString& section, const QString& key, qint32 defaultValue) const {
    return IniInt(ValueText(section, key, QString()), defaultValue);
}

bool TCustomIniFile::ValueBool(const QString& section, const QString& key, bool defaultValue) const {
    return ValueInt(section, key, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::StoreInt(const QString& section, const QString& key, qint32 value) {
    StoreValue(section, key, QString::number(value));
}

void TCustomIniFile::StoreBool(const QString& section, const QString& key, bool value) {
    StoreValue(section, key, value ? "1" : "0");
}

// ---- TMemIniFile ----

namespace {

// Calls lineFn for each line of the text up to its first NUL; a line ends at CR, LF or CR LF.
template <typename Fn> void ForEachLine(QByteArrayView text, Fn lineFn) {
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0) text = text.first(nul);
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lineFn(text.sliced(start, i - start));
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size()) lineFn(text.sliced(start));
}

const QByteArray kLineEnd = "\r\n";

} // namespace

TMemIniFile::TMemIniFile(const QString& fileName) : TCustomIniFile(fileName) {
    if (fileName.isEmpty() || !QFileInfo::exists(fileName)) return;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QString("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFOpenError(QString("Cannot read file \"%1\". %2").arg(fileName, file.errorString()));
    LoadFromBytes(bytes);
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::Clear() {
    sections_.Clear();
    Changed();
}

void TMemIniFile::LoadFromBytes(QByteArrayView bytes) {
    Clear();
    THashedStringList* current = nullptr;
    ForEachLine(bytes, [&](QByteArrayView raw) {
        const QByteArrayView line = TrimCodes(raw);
        if (line.isEmpty() || line.front() == ';') return;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            auto section = std::make_unique<THashedStringList>();
            section->SetCaseSensitive(sections_.CaseSensitive());
            current = section.get();
            sections_.Add(TrimCodes(line.sliced(1, line.size() - 2)), std::move(section));
            return;
        }
        if (!current) return;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0) {
            current->Add(line);
            return;
        }
        QByteArray stored = TrimCodes(line.first(eq)).toByteArray();
        stored += '=';
        stored += TrimCodes(line.sliced(eq + 1));
        current->Add(stored);
    });
}

bool TMemIniFile::LoadFromDevice(QIODevice& device) {
    Clear();
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly)) return false;
    if (!device.isReadable()) return false;
    LoadFromBytes(device.readAll());
    return true;
}

QByteArray TMemIniFile::SaveToBytes() const {
    QByteArray text;
    for (int s = 0; s < sections_.Count(); ++s) {
        text += '[' + sections_.Strings(s) + ']' + kLineEnd;
        const THashedStringList* lines = sections_.Objects(s);
        for (int i = 0; i < lines->Count(); ++i)
            text += lines->Strings(i) + kLineEnd;
        text += kLineEnd;
    }
    return text;
}

bool TMemIniFile::SaveToIni() {
    if (FileName().isEmpty()) return false;
    QSaveFile file(FileName());
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray text = SaveToBytes();
    return file.write(text) == text.size() && file.commit();
}

THashedStringList* TMemIniFile::FindSection(const QString& section) const {
    const int index = sections_.IndexOf(EncodeWin1252(section));
    return index < 0 ? nullptr : sections_.Objects(index);
}

void TMemIniFile::SectionNames(QStringList& target) const {
    target.clear();
    for (int s = 0; s < sections_.Count(); ++s)
        target.append(DecodeWin1252(sections_.Strings(s)));
}

void TMemIniFile::SectionKeys(const QString& section, QStringList& target) const {
    target.clear();
    if (const THashedStringList* lines = FindSection(section))
        for (int i = 0; i < lines->Count(); ++i)
            target.append(DecodeWin1252(lines->Names(i)));
}

void TMemIniFile::SectionLinesCopy(const QString& section, QStringList& target) const {
    target.clear();
    if (const THashedStringList* lines = FindSection(section))
        for (int i = 0; i < lines->Count(); ++i)
            target.append(DecodeWin1252(lines->Strings(i)));
}

QString TMemIniFile::ValueText(const QString& section, const QString& key,
                               const QString& defaultValue) const {
    const THashedStringList* lines = FindSection(section);
    if (!lines) return defaultValue;
    const QByteArray name = EncodeWin1252(key);
    const int index = lines->IndexOfName(name);
    if (index < 0) return defaultValue;
    return DecodeWin1252(QByteArrayView(lines->Strings(index)).sliced(name.size() + 1));
}

QString TMemIniFile::KeyOfValueInt(const QString& section, qint32 value) const {
    const THashedStringList* lines = FindSection(section);
    if (!lines) return {};
    auto [entry, added] = valueIndexes_.try_emplace(lines);
    QHash<qint32, int>& firstLineOf = entry->second;
    if (added) {
        // A key's value is that of the last line with its name, as ValueText reads it.
        const std::vector<int> valueLines = lines->ValueLines();
        firstLineOf.reserve(lines->Count());
        // From the last line back, so that the first line of each value is the one that stays.
        for (int i = lines->Count() - 1; i >= 0; --i) {
            const QByteArray& text = lines->Strings(valueLines[size_t(i)]);
            const qsizetype eq = text.indexOf('=');
            firstLineOf.insert(IniInt(eq < 0 ? QByteArrayView() : QByteArrayView(text).sliced(eq + 1), 0), i);
        }
    }
    const auto found = firstLineOf.constFind(value);
    return found == firstLineOf.cend() ? QString() : DecodeWin1252(lines->Names(*found));
}

void TMemIniFile::StoreValue(const QString& section, const QString& key, const QString& value) {
    THashedStringList* lines = FindSection(section);
    if (!lines) {
        auto added = std::make_unique<THashedStringList>();
        added->SetCaseSensitive(sections_.CaseSensitive());
        lines = added.get();
        sections_.Add(EncodeWin1252(section), std::move(added));
    }
    Changed();
    const QByteArray name = EncodeWin1252(key);
    const QByteArray line = name + '=' + EncodeWin1252(value);
    const int index = lines->IndexOfName(name);
    if (index >= 0)
        lines->Put(index, line);
    else
        lines->Add(line);
}

void TMemIniFile::RemoveKey(const QString& section, const QString& key) {
    THashedStringList* lines = FindSection(section);
    if (!lines) return;
    const int index = lines->IndexOfName(EncodeWin1252(key));
    if (index >= 0) lines->Delete(index);
    Changed();
}

void TMemIniFile::RemoveSection(const QString& section) {
    const int index = sections_.IndexOf(EncodeWin1252(section));
    if (index >= 0) sections_.Delete(index);
    Changed();
}
