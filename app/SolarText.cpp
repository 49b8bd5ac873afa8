#include "SolarText.h"

#include "controls/TxNumText.h"
#include "controls/TxStringParser.h"
#include "solar/TSolar.h"

QString HoursText(double hours) {
    return QString::fromStdString(HoursToHMS(hours, LocaleTimeSeparator().toStdString()));
}

QString ProfileText(const TProfile24& profile, const QString& format) {
    return QString::fromStdString(
        FormatProfile(profile, [&format](double value) { return FormatFloat(format, value).toStdString(); }));
}

bool ReadProfileText(const QString& text, TProfile24& profile) {
    TStringParser parser(text);
    return ParseProfile(profile, [&parser](double& value) {
        value = parser.NextFloat();
        return parser.Error() != spe_NotANumber;
    });
}
