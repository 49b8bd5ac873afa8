#include "InputSettings.h"

#include "storage/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString SettingsSection = QStringLiteral("Settings");
const QString ProjectFolderKey = QStringLiteral("ProjectFolder");
} // namespace

TInputSet ReadInputSettings() {
    TSettingsStore store(SettingsSection);
    TInputSet inputs;
    for (int i = 0; i < InputCount; ++i) {
        const auto id = static_cast<TInputId>(i);
        SetInputValue(inputs, id,
                      store.ReadFloat(QString::fromLatin1(InputKeyName(id)), InputValue(inputs, id)));
    }
    return inputs;
}

TSunSetting ReadSunSetting(int defaultYear) {
    TSettingsStore store(SettingsSection);
    const int year = store.ReadInteger(QStringLiteral("SunYear"), defaultYear);
    return {store.ReadInteger(QStringLiteral("SunMethod"), 0) == 1 ? smPrecise : smPublished,
            InputRange(inSunYear).Contains(year) ? year : defaultYear};
}

void WriteSunSetting(const TSunSetting& setting) {
    TSettingsStore store(SettingsSection);
    store.WriteInteger(QStringLiteral("SunMethod"), setting.Method == smPrecise ? 1 : 0);
    store.WriteInteger(QStringLiteral("SunYear"), setting.Year);
    store.Flush();
}

QString ReadProjectFolder(const QString& fallback) {
    const QString folder = TSettingsStore(SettingsSection).ReadString(ProjectFolderKey, QString());
    // A relative path would depend on where the program was started.
    if (!QDir::isAbsolutePath(folder) || !QFileInfo(folder).isDir()) return fallback;
    return QDir(folder).absolutePath() + QLatin1Char('/');
}

void WriteProjectFolder(const QString& projectPath) {
    TSettingsStore store(SettingsSection);
    store.WriteString(ProjectFolderKey, QFileInfo(projectPath).absolutePath());
    store.Flush();
}

void WriteInputSettings(const TInputSet& inputs, const QString& locationName) {
    TSettingsStore store(SettingsSection);
    store.WriteString(QStringLiteral("Location"), locationName);
    for (int i = 0; i < InputCount; ++i) {
        const auto id = static_cast<TInputId>(i);
        store.WriteFloat(QString::fromLatin1(InputKeyName(id)), InputValue(inputs, id));
    }
    store.Flush();
}
