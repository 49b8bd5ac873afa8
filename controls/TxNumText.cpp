#include "TxNumText.h"

#include <QLocale>
#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <optional>
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

// The letter printf knows for a conversion letter as written: "%D", "%I", "%U", "%O" and "%S" are read as
// their lower-case forms (the upper-case floating letters have their own meaning); 0 for no conversion.
char CanonicalLetter(QChar c) {
    if (c.unicode() > 127) return 0;
    const char letter = char(c.unicode());
    if (QByteArray("DIUOS").contains(letter)) return char(letter - 'A' + 'a');
    return QByteArray("diuxXoeEfFgGaAs").contains(letter) ? letter : 0;
}

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
        return PrintOne(spec + 's',
                        PrintOne(QByteArray("%g"), haveInt ? double(intValue) : value).constData());
    default:
        return PrintOne(spec + conv, haveInt ? double(intValue) : value);
    }
}

// The text of one formatted value, built on the stack and made a QString once at the end: a table cell
// then costs one allocation rather than one per piece appended.
class TTextOut {
public:
    void Append(std::string_view latin1) {
        for (char c : latin1)
            FText.append(QLatin1Char(c));
    }
    void Append(const QString& text) { FText.append(text.constData(), text.size()); }
    void Fill(QChar c, qsizetype count) {
        for (; count > 0; --count)
            FText.append(c);
    }
    qsizetype Size() const { return FText.size(); }
    QChar& operator[](qsizetype i) { return FText[i]; }
    QChar At(qsizetype i) const { return FText[i]; }
    void Truncate(qsizetype size) { FText.resize(size); }
    QString Text() const { return QString(FText.constData(), FText.size()); }

private:
    QVarLengthArray<QChar, 64> FText;
};

// Pads a converted number to the conversion's width: spaces before it, spaces after it with "-", or
// zeros after its sign with "0" (zeroPad).
void AppendPadded(TTextOut& out, std::string_view number, const TFormatPiece& piece, bool zeroPad) {
    const qsizetype pad = std::max<qsizetype>(0, piece.Width - qsizetype(number.size()));
    const bool left = piece.Flags.contains(QLatin1Char('-'));
    if (pad > 0 && !left && zeroPad) {
        const size_t sign = !number.empty() && number[0] == '-' ? 1 : 0;
        out.Append(number.substr(0, sign));
        out.Fill(QLatin1Char('0'), pad);
        out.Append(number.substr(sign));
        return;
    }
    if (!left) out.Fill(QLatin1Char(' '), pad);
    out.Append(number);
    if (left) out.Fill(QLatin1Char(' '), pad);
}

// The conversions that are a sign, digits and padding ("%0.2f", "%8.3f", "%0.4g", "%.2e", "%3d",
// "%.2d"), printed with std::to_chars straight into out: its floating output is printf's, digit for
// digit (exact rounding of the binary value, ties to even), without printf's buffers and locale
// switch. False, with out untouched, for every other conversion, which printf then prints.
bool AppendFast(TTextOut& out, const TFormatPiece& piece, double value, bool haveInt, long long intValue) {
    for (QChar flag : piece.Flags)
        if (flag != QLatin1Char('0') && flag != QLatin1Char('-')) return false;
    const bool zeroFlag = piece.Flags.contains(QLatin1Char('0'));
    char buf[400];
    if (piece.Letter == 'd' || piece.Letter == 'i') {
        const long long v = haveInt ? intValue : Truncated(value);
        const unsigned long long magnitude = v < 0 ? 0ull - static_cast<unsigned long long>(v) : v;
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
        std::string_view text(digits, size_t(end - digits));
        if (piece.Precision == 0 && v == 0) text = {}; // printf prints no digit for a zero of precision 0
        if (piece.Precision > 64) return false;
        char* p = buf;
        if (v < 0) *p++ = '-';
        for (qsizetype z = piece.Precision - qsizetype(text.size()); z > 0; --z)
            *p++ = '0';
        p = std::copy(text.begin(), text.end(), p);
        AppendPadded(out, std::string_view(buf, size_t(p - buf)), piece, zeroFlag && piece.Precision < 0);
        return true;
    }
    const double v = haveInt ? double(intValue) : value;
    std::chars_format form;
    switch (piece.Letter) {
    case 'f':
        form = std::chars_format::fixed;
        break;
    case 'e':
        form = std::chars_format::scientific;
        break;
    case 'g':
        form = std::chars_format::general;
        break;
    default:
        return false;
    }
    if (!std::isfinite(v) || piece.Precision > 40) return false;
    const int precision = piece.Precision < 0 ? 6 : piece.Precision;
    const auto res = std::to_chars(buf, buf + sizeof buf, v, form, precision);
    if (res.ec != std::errc()) return false;
    AppendPadded(out, std::string_view(buf, size_t(res.ptr - buf)), piece, zeroFlag);
    return true;
}

// The pieces of a format, read once per format text: a program uses a handful of formats for
// thousands of numbers, so the last few are kept and found by comparing texts, which for texts this
// short is quicker than hashing them.
const QList<TFormatPiece>& ParsedFormat(const QString& format) {
    struct TParsed {
        QString Format;
        QList<TFormatPiece> Pieces;
    };
    constexpr size_t Kept = 16;
    thread_local std::vector<TParsed> parsed;
    thread_local size_t next = 0;                       // the slot a new format replaces once all are taken
    if (parsed.capacity() < Kept) parsed.reserve(Kept); // the pieces handed out never move
    for (const TParsed& p : parsed)
        if (p.Format == format) return p.Pieces;
    if (parsed.size() < Kept) return parsed.emplace_back(TParsed{format, ParseFormat(format)}).Pieces;
    TParsed& slot = parsed[next];
    next = (next + 1) % Kept;
    slot = TParsed{format, ParseFormat(format)};
    return slot.Pieces;
}

void AppendConversion(TTextOut& out, const TFormatPiece& piece, double value, bool haveInt,
                      long long intValue) {
    if (AppendFast(out, piece, value, haveInt, intValue)) return;
    const QByteArray printed = ConvertOne(piece.Spec(), piece.Letter, value, haveInt, intValue);
    out.Append(std::string_view(printed.constData(), size_t(printed.size())));
}

// A floating conversion printed from start carries a minus sign and no digit but zeros in its
// mantissa: the value rounds to zero, and "-0" or "-0.00" would read as a negative quantity.
bool IsSignedZeroText(const TTextOut& out, qsizetype start, char letter) {
    if (!QByteArray("fFeEgG").contains(letter)) return false;
    bool minus = false;
    for (qsizetype i = start; i < out.Size(); ++i) {
        const QChar c = out.At(i);
        if (c == QLatin1Char('e') || c == QLatin1Char('E')) break;
        if (c == QLatin1Char('-')) minus = true;
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9')) return false;
    }
    return minus;
}

// Applies the format's pieces; the first conversion prints first and every later one second (integer
// conversions of FormatInt print intValue). The locale's decimal separator is looked up when a number has
// a point and no separator was given.
QString Format(const QList<TFormatPiece>& pieces, double first, double second, bool haveInt,
               long long intValue, std::optional<QChar> separator = std::nullopt) {
    TTextOut out;
    double value = first;
    for (const TFormatPiece& piece : pieces) {
        if (!piece.IsConversion()) {
            out.Append(piece.Text);
            continue;
        }
        const qsizetype start = out.Size();
        AppendConversion(out, piece, value, haveInt, intValue);
        if (!haveInt && std::isfinite(value) && IsSignedZeroText(out, start, piece.Letter)) {
            out.Truncate(start);
            AppendConversion(out, piece, 0.0, haveInt, intValue);
        }
        for (qsizetype i = start; i < out.Size(); ++i)
            if (out[i] == QLatin1Char('.')) {
                if (!separator) separator = LocaleDecimalSeparator();
                out[i] = *separator;
            }
        value = second;
    }
    return out.Text();
}

QString Format(const QString& format, double first, double second, bool haveInt, long long intValue,
               std::optional<QChar> separator = std::nullopt) {
    return Format(ParsedFormat(format), first, second, haveInt, intValue, separator);
}

} // namespace

QString FormatFloat(const QString& format, double value) {
    return Format(format, value, value, false, 0);
}

QString FormatFloat(const QString& format, double value, QChar decimalSeparator) {
    return Format(format, value, value, false, 0, decimalSeparator);
}

QString FormatInt(const QString& format, long long value) {
    return Format(format, 0.0, 0.0, true, value);
}

QString FormatPair(const QString& format, double a, double b) {
    return Format(format, a, b, false, 0);
}

TNumberFormat::TNumberFormat(const QString& format) : FPieces(ParseFormat(format)) {}

QString TNumberFormat::Float(double value, QChar decimalSeparator) const {
    return Format(FPieces, value, value, false, 0, decimalSeparator);
}

QString TNumberFormat::Int(long long value) const {
    return Format(FPieces, 0.0, 0.0, true, value);
}

QByteArray TFormatPiece::Spec() const {
    QByteArray spec("%");
    spec += Flags.toLatin1();
    if (Width >= 0) spec += QByteArray::number(Width);
    if (Precision >= 0) spec += '.' + QByteArray::number(Precision);
    return spec;
}

QList<TFormatPiece> ParseFormat(const QString& format) {
    // Widths and precisions beyond these print nothing useful and would only exhaust memory.
    constexpr int MaxWidth = 1000, MaxPrecision = 100000;
    QList<TFormatPiece> pieces;
    auto literal = [&pieces](const QString& text) {
        if (!pieces.isEmpty() && !pieces.last().IsConversion())
            pieces.last().Text += text;
        else
            pieces.append(TFormatPiece{text, {}});
    };
    const int n = int(format.size());
    int i = 0;
    while (i < n) {
        if (format[i] != QLatin1Char('%')) {
            int j = int(format.indexOf(QLatin1Char('%'), i));
            if (j < 0) j = n;
            literal(format.mid(i, j - i));
            i = j;
            continue;
        }
        if (i + 1 < n && format[i + 1] == QLatin1Char('%')) {
            literal(QStringLiteral("%"));
            i += 2;
            continue;
        }
        TFormatPiece c;
        int j = i + 1;
        while (j < n && QStringLiteral("-+ #0").contains(format[j]))
            c.Flags += format[j++];
        auto digits = [&](int limit) {
            int v = 0;
            while (j < n && format[j] >= QLatin1Char('0') && format[j] <= QLatin1Char('9'))
                v = std::min(v * 10 + format[j++].digitValue(), limit);
            return v;
        };
        if (j < n && format[j].isDigit()) c.Width = digits(MaxWidth);
        if (j < n && format[j] == QLatin1Char('.')) {
            ++j;
            c.Precision = digits(MaxPrecision);
        }
        while (j < n && QStringLiteral("hlLqjzt").contains(format[j]))
            ++j; // length modifiers: the value's type is chosen by the letter
        const char letter = j < n ? CanonicalLetter(format[j]) : 0;
        if (letter == 0) {
            literal(format.mid(i, j - i)); // not a conversion: kept as text
            i = j;
            continue;
        }
        c.Letter = letter;
        pieces.append(c);
        i = j + 1;
    }
    return pieces;
}

char ConversionLetter(const QString& format) {
    for (const TFormatPiece& piece : ParseFormat(format))
        if (piece.IsConversion()) return piece.Letter;
    return 0;
}

QString FormatText(const QString& format, const QString& value) {
    QString out;
    bool used = false;
    for (const TFormatPiece& piece : ParseFormat(format)) {
        if (!piece.IsConversion()) {
            out += piece.Text;
            continue;
        }
        if (piece.Letter != 's' || used)
            throw EConvertError(
                QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
        used = true;
        const QString text = piece.Precision >= 0 ? value.left(piece.Precision) : value;
        const int width = std::max(0, piece.Width);
        out +=
            piece.Flags.contains(QLatin1Char('-')) ? text.leftJustified(width) : text.rightJustified(width);
    }
    return out;
}

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
    while (i < f.size() && (f[i] == QLatin1Char('h') || f[i] == QLatin1Char('H')))
        ++i;
    if (i > 0 && i < f.size() && !f[i].isLetter()) return QString(f[i]);
    return QStringLiteral(":");
}

// --- Format classes and decimals

// Built by concatenation: QString::arg would take "%0" for a place marker.
QString FixedFormat(int decimals) {
    return QStringLiteral("%0.") + QString::number(decimals) + QLatin1Char('f');
}

namespace {

bool HasLetter(const QString& format, char letter) {
    return format.contains(QLatin1Char(letter), Qt::CaseInsensitive);
}

} // namespace

bool IsStringFormat(const QString& format) {
    return HasLetter(format, 's');
}
bool IsIntegerFormat(const QString& format) {
    return HasLetter(format, 'd');
}
bool IsGeneralFormat(const QString& format) {
    return HasLetter(format, 'g');
}
bool IsFloatFormat(const QString& format) {
    return HasLetter(format, 'f') || IsGeneralFormat(format);
}
bool IsPairFormat(const QString& format) {
    return format.contains(QLatin1Char('/'));
}

int DecimalsForSigDigs(int sigDigs, int maxDecimals, double value) {
    maxDecimals = std::max(0, maxDecimals);
    const QString t = FormatFloat(FixedFormat(maxDecimals), value);
    const int point = t.indexOf(LocaleDecimalSeparator());
    const int intLen = point < 0 ? int(t.size()) : point;
    int r = 0;
    if (intLen == 1) {
        // One integer character: the first non-zero character of the fraction decides (1-based place).
        r = 3;
        for (int i = 2; i < t.size(); ++i) {
            if (t[i] != QLatin1Char('0')) {
                r = i + 1;
                break;
            }
        }
    } else {
        r = sigDigs > intLen ? sigDigs - intLen : 0;
    }
    return std::min(r, maxDecimals);
}

QString SigDigsFormat(int sigDigs, int maxDecimals, double value) {
    return FixedFormat(DecimalsForSigDigs(sigDigs, maxDecimals, value));
}

int FormatDecimals(const QString& format) {
    const int point = format.indexOf(QLatin1Char('.'));
    if (point < 0 || point + 1 >= format.size()) return 0;
    const QChar c = format[point + 1];
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - '0' : 0;
}

// --- Typed number clean-up

namespace {

// Keeps the first occurrence of c and removes every later one.
QString KeepFirst(const QString& s, QChar c) {
    const int i = s.indexOf(c);
    if (i < 0) return s;
    return s.left(i + 1) + s.mid(i + 1).remove(c);
}

// Reads an exponent as an integer: an optional sign and at least one digit. Sets beyond300 when its
// absolute value exceeds 300 (however many digits it has). Raises EConvertError otherwise.
void CheckExponent(const QString& exponent, bool& beyond300) {
    int i = (exponent.startsWith(QLatin1Char('+')) || exponent.startsWith(QLatin1Char('-'))) ? 1 : 0;
    QString digits = exponent.mid(i);
    bool allDigits = !digits.isEmpty();
    for (QChar c : digits)
        allDigits = allDigits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!allDigits) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(exponent));
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    beyond300 = digits.size() > 3 || digits.toInt() > 300;
}

// The rules for one number (no spaces, no "/", "." as the decimal point).
QString NormalizeOne(QString s) {
    const QChar e('E'), minus('-'), point('.');
    if (s.isEmpty()) return QStringLiteral("0");
    s.replace(QLatin1Char('e'), e);
    s = KeepFirst(s, e);
    if (s.size() > 1) {
        // After the first character a minus survives only as the sign of the exponent, also when the
        // exponent letter is the first character ("e-5" is 1E-5, not 1E5).
        QString rest;
        for (int i = 1; i < s.size(); ++i)
            if (s[i] != minus || s[i - 1] == e) rest += s[i];
        s = s.left(1) + rest;
    }
    if (s == QString(minus)) s = QStringLiteral("0");
    s = KeepFirst(s, point);
    if (s.startsWith(e)) s.prepend(QLatin1Char('1'));
    const int at = s.indexOf(e);
    if (at < 0) return s;
    const QString mantissa = s.left(at + 1);
    const QString typed = s.mid(at + 1);
    QString exponent = typed;
    if (!exponent.isEmpty()) {
        const int p = exponent.indexOf(point);
        if (p >= 0) exponent.remove(p, 1);
        bool beyond300 = false;
        CheckExponent(exponent, beyond300);
        if (beyond300) exponent = typed.left(2); // keeps the number finite
    }
    return mantissa + exponent;
}

} // namespace

QString NormalizeNumberText(const QString& text) {
    // The key filters let only "." through while the reader follows the locale: treat the locale's
    // separator as a decimal point too, and give the result back in the locale's form.
    const QChar sep = LocaleDecimalSeparator();
    const bool mapSeparator = sep != QLatin1Char('.') && !QStringLiteral(" /eE-+0123456789").contains(sep);
    QString s = text;
    s.remove(QLatin1Char(' '));
    if (mapSeparator) s.replace(sep, QLatin1Char('.'));
    QString result;
    const int slash = s.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
        s = KeepFirst(s, QLatin1Char('/'));
        result = NormalizeOne(s.left(slash)) + QLatin1Char('/') + NormalizeOne(s.mid(slash + 1));
    } else {
        result = NormalizeOne(s);
    }
    if (mapSeparator) result.replace(QLatin1Char('.'), sep);
    return result;
}

double ReadNumberText(const QString& text) {
    const QString clean = NormalizeNumberText(text);
    double v = 0;
    if (TryStrToFloat(clean, v)) return v;
    // A number too large for a double (a pasted run of 309 digits) reads as the largest one of its sign,
    // so that a range check clamps it rather than keeping it as text.
    const QByteArray c = QString(clean).replace(LocaleDecimalSeparator(), QLatin1Char('.')).toUtf8();
    CNumericScope scope;
    char* end = nullptr;
    const double x = std::strtod(c.constData(), &end);
    const bool digitsOnly =
        std::all_of(c.begin(), c.end(), [](char ch) { return std::strchr("0123456789+-.E", ch); });
    if (digitsOnly && !c.isEmpty() && end == c.constData() + c.size() && std::isinf(x))
        return std::copysign(std::numeric_limits<double>::max(), x);
    throw EConvertError(ConvertErrorMessage(clean));
}

bool ParseNumberPair(const QString& text, double& a, double& b) {
    const int slash = text.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        a = StrToFloat(text);
        return false;
    }
    a = StrToFloat(text.left(slash));
    b = StrToFloat(text.mid(slash + 1));
    return true;
}
