#include "storage/Settings.h"

#include "storage/Folders.h"
#include "storage/IntText.h"

#include <QSettings>
#include <QtEndian>

#include <cmath>

TSettingsStore::TSettingsStore(const QString& section) : TSettingsStore(section, ProgramBaseName()) {}

TSettingsStore::TSettingsStore(const QString& section, const QString& programBaseName)
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Varnholt",
                                            programBaseName)) {
    OpenSection(section);
}

TSettingsStore::~TSettingsStore() = default; // QSettings writes pending changes when it goes

void TSettingsStore::OpenSection(const QString& section) {
    while (!settings_->group().isEmpty())
        settings_->endGroup();
    section_ = section;
    if (!section.isEmpty()) settings_->beginGroup(section);
}

QVariant TSettingsStore::Raw(const QString& name) const {
    return settings_->value(name);
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
    settings_->setValue(name, int(value));
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
    settings_->setValue(name, value);
}

bool TSettingsStore::ReadBool(const QString& name, bool defaultValue) const {
    return ReadInteger(name, defaultValue ? 1 : 0) != 0;
}

void TSettingsStore::WriteBool(const QString& name, bool value) {
    settings_->setValue(name, QString(value ? "1" : "0"));
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
    settings_->setValue(name, bytes);
}

bool TSettingsStore::ValueExists(const QString& name) const {
    return settings_->contains(name);
}

void TSettingsStore::DeleteValue(const QString& name) {
    settings_->remove(name);
}

void TSettingsStore::EraseSection() {
    // Without an open section, remove("") would wipe the whole store.
    if (!section_.isEmpty()) settings_->remove(QString());
}

void TSettingsStore::Flush() {
    settings_->sync();
}

QString TSettingsStore::FileName() const {
    return settings_->fileName();
}
