#include "TextSetup.h"

#include "controls/TxNumText.h"
#include "solar/TextHooks.h"

void InstallTextHooks() {
    solartext::SetNumberFormatter([](const std::string& format, double value) {
        return FormatFloat(QString::fromStdString(format), value).toStdString();
    });
    solartext::SetNumberReader([](const std::string& text, double& value) {
        return TryStrToFloat(QString::fromStdString(text), value);
    });
    solartext::SetTimeSeparator(LocaleTimeSeparator().toStdString());
}
