#include "InputSettings.h"

#include "storage/Settings.h"

namespace {
const QString SettingsSection = QStringLiteral("Settings");
}

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

void WriteInputSettings(const TInputSet& inputs, const QString& locationName) {
    TSettingsStore store(SettingsSection);
    store.WriteString(QStringLiteral("Location"), locationName);
    for (int i = 0; i < InputCount; ++i) {
        const auto id = static_cast<TInputId>(i);
        store.WriteFloat(QString::fromLatin1(InputKeyName(id)), InputValue(inputs, id));
    }
    store.Flush();
}
