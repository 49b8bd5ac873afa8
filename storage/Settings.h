#pragma once
// The per-user settings store: QSettings("Varnholt", ProgramBaseName()) in the native format. A section
// is a group; integers are stored as numbers, texts as strings, booleans as the texts "1" and "0",
// doubles as 8-byte little-endian binary values. Every read of a missing section or value, or of a
// value of the wrong kind, returns the caller's default.
//
// A TSettingsStore is a short-lived handle: open it for one group of reads or writes and let it go; the
// destructor writes pending changes to disk.
//
// Two programs may run at once: a write of a value this run has not changed since it first read it is
// skipped, so that closing one program never puts back what the other changed. The values this run
// did change are merged into the file's current contents, re-read under a lock file (QSettings does
// that on every write).
//
// The file is read only when it is a regular file (or a link to one) of at most MaxSettingsFileBytes
// that holds no value QSettings would decode through QDataStream (@Variant, @DateTime: a crafted one
// exhausts memory); a FIFO, a device, a folder, a huge or such a file is never read or replaced. The settings
// of the run are then kept apart, for the run only, and TakeSettingsNotice() says so once.
//     TSettingsStore s("SelectLocationForm");
//     QString db = s.ReadString("Database", "");
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class QSettings;

// The largest settings file read: the program's own settings take a few kilobytes.
constexpr qint64 MaxSettingsFileBytes = qint64(4) << 20;

// Once, after the store met a settings file that is not a regular file: the text for the user; empty
// otherwise and on every later call.
QString TakeSettingsNotice();
// Forgets the values this run has read and written, so that the next write of each counts as a change;
// for a program that reads one settings file after another (the fuzzer).
void ForgetSettingsValues();

class TSettingsStore {
public:
    // Opens the settings key of the running program, and the section when one is given.
    explicit TSettingsStore(const QString& section = QString());
    // Opens the settings key of another program base name (tools and tests).
    TSettingsStore(const QString& section, const QString& programBaseName);
    ~TSettingsStore();
    TSettingsStore(const TSettingsStore&) = delete;
    TSettingsStore& operator=(const TSettingsStore&) = delete;

    void OpenSection(const QString& section);
    const QString& Section() const { return section_; }

    // An integer value, or a text holding a decimal integer or "$" and hexadecimal digits.
    qint32 ReadInteger(const QString& name, qint32 defaultValue) const;
    void WriteInteger(const QString& name, qint32 value);
    QString ReadString(const QString& name, const QString& defaultValue) const;
    void WriteString(const QString& name, const QString& value);
    // Read as an integer, true when not 0; written as "1" or "0".
    bool ReadBool(const QString& name, bool defaultValue) const;
    void WriteBool(const QString& name, bool value);
    // An 8-byte little-endian IEEE 754 value; any other size, a NaN and an infinity give the default.
    double ReadFloat(const QString& name, double defaultValue) const;
    void WriteFloat(const QString& name, double value);

    bool ValueExists(const QString& name) const;
    // The sections of the store, and the value names of the open section.
    QStringList SectionNames() const;
    QStringList ValueNames() const;
    void DeleteValue(const QString& name);
    // Removes the open section with all its values.
    void EraseSection();
    // Writes pending changes now.
    void Flush();
    // The file behind the store.
    QString FileName() const;

private:
    QVariant Raw(const QString& name) const;
    // Stores value unless this run has not changed it (see above).
    void Write(const QString& name, const QVariant& value);
    QString KnownKey(const QString& name) const;

    std::unique_ptr<QSettings> settings_;
    QString section_;
};
