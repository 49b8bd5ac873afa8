#pragma once
// An INI-format text file held in memory as sections of "name=value" lines, with case-insensitive
// lookups through hash tables. Texts are 8-bit (Windows-1252) inside; the QString interface converts.
// The location database reads its index "Regions.idx" through TMemIniFile.
#include "storage/MessageError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <vector>

class QIODevice;

// Raised when a file exists but cannot be opened or read. The message names the file and the reason.
class EFOpenError : public EMessageError {
public:
    using EMessageError::EMessageError;
};

// Chains of (key, value) items in a bucket array that doubles whenever the items outnumber the buckets,
// so a lookup stays short however large a section grows. Keys are spread by FastHash, whose seed is
// random per process, so a file cannot choose keys for one chain by their bucket alone. A new item goes
// to the head of its chain, so of several equal keys the one added last is found.
class TStringHash {
public:
    TStringHash();

    int BucketCount() const { return int(buckets_.size()); }

    void Add(QByteArray key, qint32 value);
    // The value of the last added item whose key is byte-for-byte equal; -1 when none.
    qint32 ValueOf(QByteArrayView key) const;
    // The value of an item with the key when there is one; otherwise adds (key, value) and gives value.
    qint32 FindOrAdd(QByteArray key, qint32 value);
    // Removes every item and returns to the starting bucket count.
    void Clear();

private:
    struct Item {
        QByteArray key;
        size_t hash;
        qint32 value;
        int next; // index into items_, -1 ends the chain
    };
    size_t BucketOf(size_t hash) const { return hash & (buckets_.size() - 1); }
    int Find(QByteArrayView key, size_t hash) const; // the item's index, -1 when none
    void Append(QByteArray key, size_t hash, qint32 value);
    void Grow();

    std::vector<int> buckets_; // head item of each chain, -1 when empty; a power of two in number
    std::vector<Item> items_;
};

// An ordered, unsorted list of 8-bit text lines (duplicates allowed) with hashed lookup of whole lines
// and of names (the text before a line's first "="). A line may own one child list; a section of
// TMemIniFile owns its lines that way. The two indexes are rebuilt lazily after any change.
class THashedStringList {
public:
    THashedStringList();
    ~THashedStringList();
    THashedStringList(const THashedStringList&) = delete;
    THashedStringList& operator=(const THashedStringList&) = delete;

    // Positions passed to the members below must be valid (0 to Count() - 1; Insert also Count()).
    int Count() const { return int(lines_.size()); }
    const QByteArray& Strings(int index) const { return lines_[size_t(index)].text; }
    // The child list owned by a line, or nullptr.
    THashedStringList* Objects(int index) const { return lines_[size_t(index)].object.get(); }
    // The text before the line's first "=", or an empty text when it holds none.
    QByteArray Names(int index) const;

    // Off unless set; changing it invalidates both indexes.
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);

    int Add(QByteArrayView text, std::unique_ptr<THashedStringList> object = nullptr);
    void Insert(int index, QByteArrayView text, std::unique_ptr<THashedStringList> object = nullptr);
    void Put(int index, QByteArrayView text); // replaces the text, keeps the object
    void Delete(int index);
    void Exchange(int index1, int index2);
    void Clear();

    // Position of the line equal to text (of the last such line); -1 when none.
    int IndexOf(QByteArrayView text) const;
    // Position of the line whose name equals name (of the last such line); -1 when none.
    int IndexOfName(QByteArrayView name) const;
    // For each line, the last line with its name (a line without "=" has the empty name): the line
    // whose value the name reads as. One pass over the lines.
    std::vector<int> ValueLines() const;

private:
    struct Line {
        QByteArray text;
        std::unique_ptr<THashedStringList> object;
    };
    QByteArray KeyOf(QByteArrayView text) const;
    void Changed();
    void RebuildIndex(TStringHash& index, bool names) const;

    std::vector<Line> lines_;
    bool caseSensitive_ = false;
    mutable TStringHash lineIndex_;
    mutable TStringHash nameIndex_;
    mutable bool lineIndexValid_ = false;
    mutable bool nameIndexValid_ = false;
};

// The operations every INI store offers; the integer and boolean conversions are built on the value
// read and write.
class TCustomIniFile {
public:
    explicit TCustomIniFile(const QString& fileName) : fileName_(fileName) {}
    virtual ~TCustomIniFile() = default;

    const QString& FileName() const { return fileName_; }

    virtual void SectionNames(QStringList& target) const = 0;
    virtual void SectionKeys(const QString& section, QStringList& target) const = 0;
    virtual void SectionLinesCopy(const QString& section, QStringList& target) const = 0;
    virtual QString ValueText(const QString& section, const QString& key,
                              const QString& defaultValue) const = 0;
    virtual void StoreValue(const QString& section, const QString& key, const QString& value) = 0;
    virtual void RemoveKey(const QString& section, const QString& key) = 0;
    virtual void RemoveSection(const QString& section) = 0;
    // Writes the store over its file. False when the file cannot be written (the old file then stays).
    virtual bool SaveToIni() = 0;

    // The value as an integer: decimal, or hexadecimal after "$", "0x" or "0X"; the default when the
    // key is missing or its text is not such an integer.
    qint32 ValueInt(const QString& section, const QString& key, qint32 defaultValue) const;
    bool ValueBool(const QString& section, const QString& key, bool defaultValue) const;
    void StoreInt(const QString& section, const QString& key, qint32 value);
    void StoreBool(const QString& section, const QString& key, bool value);

private:
    QString fileName_;
};

// The store: sections in file order, each owning its lines. Reads its file once, at construction;
// writes only when SaveToIni is called.
class TMemIniFile : public TCustomIniFile {
public:
    // Loads the file at once. A missing file or an empty name gives an empty store; a file that
    // exists but cannot be opened or read raises EFOpenError.
    explicit TMemIniFile(const QString& fileName = QString());
    ~TMemIniFile() override;

    // Replace the content by the text of a byte buffer or of a readable device; the file name stays.
    // Any bytes are accepted (the text ends at the first NUL).
    void LoadFromBytes(QByteArrayView bytes);
    // False, with the store emptied, when the device cannot be read.
    bool LoadFromDevice(QIODevice& device);
    // The text SaveToIni writes: each section's header, its lines and one empty line, all ending in CR LF.
    QByteArray SaveToBytes() const;
    void Clear();

    void SectionNames(QStringList& target) const override;
    void SectionKeys(const QString& section, QStringList& target) const override;
    void SectionLinesCopy(const QString& section, QStringList& target) const override;
    QString ValueText(const QString& section, const QString& key, const QString& defaultValue) const override;
    // The reverse of ValueInt: the first key of the section, in file order, whose ValueInt (default 0)
    // equals value; an empty text when none. The section's reverse index is built at its first lookup
    // and dropped by any change, so each further lookup is one hash lookup, not a scan of the keys.
    QString KeyOfValueInt(const QString& section, qint32 value) const;
    void StoreValue(const QString& section, const QString& key, const QString& value) override;
    void RemoveKey(const QString& section, const QString& key) override;
    void RemoveSection(const QString& section) override;
    bool SaveToIni() override;

private:
    THashedStringList* FindSection(const QString& section) const;
    // Forgets every reverse index; called by each change of the content.
    void Changed() { valueIndexes_.clear(); }

    THashedStringList sections_;
    // Per section: each integer value to the position of the first line whose key reads as it.
    mutable std::unordered_map<const THashedStringList*, QHash<qint32, int>> valueIndexes_;
};
