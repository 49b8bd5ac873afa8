#include "ProfileText.h"

#include "controls/TxNumText.h"
#include "controls/TxStringParser.h"

QString ProfileText(const TProfile24& profile, const QString& format) {
    const char separator = LocaleDecimalSeparator() == QLatin1Char(',') ? '\t' : ',';
    return QString::fromStdString(FormatProfile(
        profile, [&format](double value) { return FormatFloat(format, value).toStdString(); }, separator));
}

bool ReadProfileText(const QString& text, TProfile24& profile) {
    TStringParser parser(text);
    return ParseProfile(profile, [&parser](double& value) {
        value = parser.NextFloat();
        return parser.Error() != spe_NotANumber;
    });
}
