#pragma once
// The per-user settings store: QSettings("Varnholt", ProgramBaseName()) in the native format. A section
// is a group; integers are stored as numbers, texts as strings, booleans as the texts "1" and "0",
// doubles as 8-byte little-endian binary values. Every read of a missing section or value, or of a
// value of the wrong kind, returns the caller's default.
//
// A TSettingsStore is a short-lived handle: open it for one group of reads or writes and let it go; the
// destructor writes pending changes to disk.
//     TSettingsStore s("SelectLocationForm");
//     QString db = s.ReadString("Database", "");
#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

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
    void DeleteValue(const QString& name);
    // Removes the open section with all its values.
    void EraseSection();
    // Writes pending changes now.
    void Flush();
    // The file behind the store.
    QString FileName() const;

private:
    QVariant Raw(const QString& name) const;

    std::unique_ptr<QSettings> settings_;
    QString section_;
};
