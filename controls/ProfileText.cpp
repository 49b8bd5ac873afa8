#include "ProfileText.h"

#include "controls/TxNumText.h"
#include "controls/TxStringParser.h"

QString ProfileText(const TProfile24& profile, const QString& format) {
    const char separator = LocaleDecimalSeparator() == QLatin1Char(',') ? '\t' : ',';
    return QString::fromStdString(FormatProfile(
        profile, [&format](double value) { return FormatFloat(format, value).toStdString(); }, separator));
}

bool ReadProfileText(const QString& text, TProfile24& profile, QString* problem) {
    TStringParser parser(text);
    int read = 0;
    QString token;
    const bool whole = ParseProfile(profile, [&](double& value) {
        token = parser.NextToken();
        if (!TryStrToFloat(token, value)) return false;
        ++read;
        return true;
    });
    if (!whole && problem) {
        *problem = token.isEmpty()
                       ? QStringLiteral("The clipboard holds %1 of the 24 numbers a profile needs.").arg(read)
                       : QStringLiteral("Value %1 on the clipboard, '%2', is not a number.")
                             .arg(read + 1)
                             .arg(token);
    }
    return whole;
}
