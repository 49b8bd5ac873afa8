#include "TxNumText.h"

#include <QLocale>

#include <clocale>
#include <cmath>
#include <locale.h>
#include <vector>

namespace {

// printf in the C locale whatever LC_NUMERIC the application set (Qt sets it from the environment).
class CNumericScope {
public:
    CNumericScope() : previous_(uselocale(CLocale())) {}
    ~CNumericScope() { uselocale(previous_); }
    CNumericScope(const CNumericScope&) = delete;
    CNumericScope& operator=(const CNumericScope&) = delete;

private:
    static locale_t CLocale() {
        static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
        return c;
    }
    locale_t previous_;
};

template <typename T> QByteArray PrintOne(const QByteArray& spec, T value) {
    CNumericScope scope;
    std::vector<char> buf(64);
    for (;;) {
        int n = std::snprintf(buf.data(), buf.size(), spec.constData(), value);
        if (n < 0) return {};
        if (static_cast<size_t>(n) < buf.size()) return QByteArray(buf.data(), n);
        buf.resize(n + 1);
    }
}

long long Truncated(double v) {
    if (std::isnan(v)) return 0;
    const double limit = 9.2e18; // inside the range of long long, so the cast stays defined
    return static_cast<long long>(std::trunc(std::fmax(-limit, std::fmin(limit, v))));
}

// One conversion of a format: flags, width and precision as written, then the conversion letter.
QByteArray ConvertOne(QByteArray spec, char conv, double value, bool haveInt, long long intValue) {
    switch (conv) {
    case 'd':
    case 'i':
        return PrintOne(spec + "ll" + conv, haveInt ? intValue : Truncated(value));
    case 'u':
    case 'x':
    case 'X':
    case 'o':
        return PrintOne(spec + "ll" + conv,
                        static_cast<unsigned long long>(haveInt ? intValue : Truncated(value)));
    case 's': // a number printed through a text format: its shortest general form
        return PrintOne(spec + 's', PrintOne(QByteArray("%g"), haveInt ? double(intValue) : value).constData());
    default:
        return PrintOne(spec + conv, haveInt ? double(intValue) : value);
    }
}

QString Format(const QString& format, double value, bool haveInt, long long intValue) {
    const QByteArray f = format.toUtf8();
    const QChar decimal = LocaleDecimalSeparator();
    QString out;
    int i = 0;
    while (i < f.size()) {
        if (f[i] != '%') {
            int j = f.indexOf('%', i);
            if (j < 0) j = f.size();
            out += QString::fromUtf8(f.mid(i, j - i));
            i = j;
            continue;
        }
        if (i + 1 < f.size() && f[i + 1] == '%') {
            out += QLatin1Char('%');
            i += 2;
            continue;
        }
        // Collect flags, width and precision; drop length modifiers; stop at the conversion letter.
        QByteArray spec("%");
        int j = i + 1;
        while (j < f.size() && QByteArray("-+ #0123456789.").contains(f[j])) spec += f[j++];
        while (j < f.size() && QByteArray("hlLqjzt").contains(f[j])) ++j;
        if (j >= f.size() || !QByteArray("diuxXoeEfFgGaAs").contains(f[j])) {
            out += QString::fromUtf8(f.mid(i, j - i)); // not a conversion: keep it as text
            i = j;
            continue;
        }
        QString number = QString::fromLatin1(ConvertOne(spec, f[j], value, haveInt, intValue));
        if (decimal != QLatin1Char('.')) number.replace(QLatin1Char('.'), decimal);
        out += number;
        i = j + 1;
    }
    return out;
}

} // namespace

QString FormatFloat(const QString& format, double value) { return Format(format, value, false, 0); }

QString FormatInt(const QString& format, long long value) { return Format(format, 0.0, true, value); }

QString ConvertErrorMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

bool TryStrToFloat(const QString& text, double& value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}

double StrToFloat(const QString& text) {
    double v = 0;
    if (!TryStrToFloat(text, v)) throw EConvertError(ConvertErrorMessage(text));
    return v;
}

QChar LocaleDecimalSeparator() {
    const QString d = QLocale().decimalPoint();
    return d.isEmpty() ? QLatin1Char('.') : d.at(0);
}

QString LocaleTimeSeparator() {
    // The character that follows the hours in the locale's short time format ("HH:mm" gives ":").
    const QString f = QLocale().timeFormat(QLocale::ShortFormat);
    int i = 0;
    while (i < f.size() && (f[i] == QLatin1Char('h') || f[i] == QLatin1Char('H'))) ++i;
    if (i > 0 && i < f.size() && !f[i].isLetter()) return QString(f[i]);
    return QStringLiteral(":");
}
