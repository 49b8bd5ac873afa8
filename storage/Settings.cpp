#include "storage/Settings.h"

#include "storage/Folders.h"
#include "storage/IntText.h"
#include "storage/RegularFile.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <memory>
#include <sys/stat.h>

namespace {

QMutex& StateLock() {
    static QMutex lock;
    return lock;
}

// Each value as this run last read or wrote it, by file and key, in the form the file holds it
// (an integer reads back as its text). An invalid QVariant stands for a value that was missing.
QHash<QString, QVariant>& Known() {
    static QHash<QString, QVariant> known;
    return known;
}

QVariant Normal(const QVariant& value) {
    return value.typeId() == QMetaType::Int ? QVariant(value.toString()) : value;
}

QString& Notice() {
    static QString notice;
    return notice;
}
bool& NoticeGiven() {
    static bool given = false;
    return given;
}

// The file QSettings uses for a program base name in the native format.
QString NativeFileName(const QString& programBaseName) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Varnholt/") + programBaseName + QStringLiteral(".conf");
}

// True when the text holds a value that QSettings decodes through QDataStream (@Variant, @DateTime) at
// the start of a value, a quoted value or a list element: a crafted one makes it allocate tens of
// gigabytes and abort. The program writes none (a text of its own that starts with "@" is written as
// "@@...").
bool HoldsStreamedValue(const QByteArray& text) {
    for (const char* marker : {"@Variant(", "@DateTime("}) {
        for (qsizetype at = text.indexOf(marker); at >= 0; at = text.indexOf(marker, at + 1)) {
            qsizetype before = at - 1;
            while (before >= 0 && (text[before] == ' ' || text[before] == '\t'))
                --before;
            if (before < 0 || QByteArrayView("=\",\n").contains(text[before])) return true;
        }
    }
    return false;
}

// Why the file at path may not be read or replaced: something other than a regular file stands there
// (a link is followed; a dangling link leaves nothing to read), a file far larger than any settings
// file, or one holding a value that would exhaust memory when read. Empty when it may.
QString FileProblem(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        struct stat link {};
        return ::lstat(QFile::encodeName(path).constData(), &link) == 0
                   ? QStringLiteral("is ") + NotRegularFileText()
                   : QString();
    }
    if (!S_ISREG(info.st_mode)) return QStringLiteral("is ") + NotRegularFileText();
    if (info.st_size > MaxSettingsFileBytes)
        return QStringLiteral("is larger than %1 MB").arg(MaxSettingsFileBytes >> 20);
    QFile file;
    if (!OpenRegularFile(file, path)) return {}; // unreadable: QSettings reads nothing either
    if (HoldsStreamedValue(ReadAtMost(file, MaxSettingsFileBytes)))
        return QStringLiteral("holds a value that the program never writes (@Variant or @DateTime), which "
                              "could exhaust memory when read; delete or correct the file to save settings");
    return {};
}

std::unique_ptr<QSettings> StandInSettings(const QString& realPath, const QString& problem,
                                           const QString& programBaseName) {
    static QTemporaryDir folder;
    const QMutexLocker locker(&StateLock());
    if (Notice().isEmpty() && !NoticeGiven())
        Notice() = QStringLiteral("The settings file %1 %2. The settings of this run are kept in memory "
                                  "and will not be saved.")
                       .arg(realPath, problem);
    return std::make_unique<QSettings>(folder.filePath(programBaseName + QStringLiteral(".conf")),
                                       QSettings::IniFormat);
}

std::unique_ptr<QSettings> OpenSettings(const QString& programBaseName) {
    const QString path = NativeFileName(programBaseName);
    if (const QString problem = FileProblem(path); !problem.isEmpty())
        return StandInSettings(path, problem, programBaseName);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Varnholt",
                                       programBaseName);
}

} // namespace

void ForgetSettingsValues() {
    const QMutexLocker locker(&StateLock());
    Known().clear();
}

QString TakeSettingsNotice() {
    const QMutexLocker locker(&StateLock());
    if (Notice().isEmpty()) return {};
    NoticeGiven() = true;
    return std::exchange(Notice(), QString());
}

TSettingsStore::TSettingsStore(const QString& section) : TSettingsStore(section, ProgramBaseName()) {}

TSettingsStore::TSettingsStore(const QString& section, const QString& programBaseName)
    : settings_(OpenSettings(programBaseName)) {
    OpenSection(section);
}

TSettingsStore::~TSettingsStore() = default; // QSettings writes pending changes when it goes

void TSettingsStore::OpenSection(const QString& section) {
    while (!settings_->group().isEmpty())
        settings_->endGroup();
    section_ = section;
    if (!section.isEmpty()) settings_->beginGroup(section);
}

QString TSettingsStore::KnownKey(const QString& name) const {
    return settings_->fileName() + u'\n' + settings_->group() + u'/' + name;
}

QVariant TSettingsStore::Raw(const QString& name) const {
    const QVariant value = settings_->value(name);
    const QMutexLocker locker(&StateLock());
    const QString key = KnownKey(name);
    if (!Known().contains(key)) Known().insert(key, Normal(value)); // the first sight is its start value
    return value;
}

void TSettingsStore::Write(const QString& name, const QVariant& value) {
    const QString key = KnownKey(name);
    const QVariant normal = Normal(value);
    {
        const QMutexLocker locker(&StateLock());
        const auto it = Known().constFind(key);
        if (it != Known().cend() && *it == normal) return; // unchanged by this run
        Known().insert(key, normal);
    }
    settings_->setValue(name, value);
}

qint32 TSettingsStore::ReadInteger(const QString& name, qint32 defaultValue) const {
    const QVariant v = Raw(name);
    switch (v.typeId()) {
    case QMetaType::QString:
        return StrToInt32Def(v.toString(), defaultValue);
    case QMetaType::Int:
        return v.toInt();
    default:
        return defaultValue;
    }
}

void TSettingsStore::WriteInteger(const QString& name, qint32 value) {
    Write(name, int(value));
}

QString TSettingsStore::ReadString(const QString& name, const QString& defaultValue) const {
    const QVariant v = Raw(name);
    switch (v.typeId()) {
    case QMetaType::QString:
        return v.toString();
    case QMetaType::Int:
        return QString::number(v.toInt());
    default:
        return defaultValue;
    }
}

void TSettingsStore::WriteString(const QString& name, const QString& value) {
    Write(name, value);
}

bool TSettingsStore::ReadBool(const QString& name, bool defaultValue) const {
    return ReadInteger(name, defaultValue ? 1 : 0) != 0;
}

void TSettingsStore::WriteBool(const QString& name, bool value) {
    Write(name, QString(value ? "1" : "0"));
}

double TSettingsStore::ReadFloat(const QString& name, double defaultValue) const {
    const QVariant v = Raw(name);
    if (v.typeId() != QMetaType::QByteArray) return defaultValue;
    const QByteArray bytes = v.toByteArray();
    if (bytes.size() != qsizetype(sizeof(double))) return defaultValue;
    const double value = qFromLittleEndian<double>(bytes.constData());
    // A stored NaN or infinity would start the program with it and be written back at close.
    return std::isfinite(value) ? value : defaultValue;
}

void TSettingsStore::WriteFloat(const QString& name, double value) {
    QByteArray bytes(sizeof(double), Qt::Uninitialized);
    qToLittleEndian<double>(value, bytes.data());
    Write(name, bytes);
}

QStringList TSettingsStore::SectionNames() const {
    QSettings& s = *settings_;
    const QString section = section_;
    while (!s.group().isEmpty())
        s.endGroup();
    QStringList names = s.childGroups();
    if (!section.isEmpty()) s.beginGroup(section);
    return names;
}

QStringList TSettingsStore::ValueNames() const {
    return settings_->childKeys();
}

bool TSettingsStore::ValueExists(const QString& name) const {
    return Raw(name).isValid();
}

void TSettingsStore::DeleteValue(const QString& name) {
    {
        const QMutexLocker locker(&StateLock());
        Known().insert(KnownKey(name), QVariant());
    }
    settings_->remove(name);
}

void TSettingsStore::EraseSection() {
    // Without an open section, remove("") would wipe the whole store.
    if (section_.isEmpty()) return;
    {
        // Every key of the section counts as changed from here on.
        const QMutexLocker locker(&StateLock());
        const QString prefix = KnownKey(QString());
        Known().removeIf([&](const auto& it) { return it.key().startsWith(prefix); });
    }
    settings_->remove(QString());
}

void TSettingsStore::Flush() {
    settings_->sync();
}

QString TSettingsStore::FileName() const {
    return settings_->fileName();
}
