#include "TxFields.h"

#include "TxConv.h"
#include "TxNumText.h"

#include <QtDebug>

#include <cmath>

TField::TField(TFieldKind kind, const QString& formatStr) : FormatStr(formatStr), Kind(kind) {}

TNumField::TNumField(TFieldKind kind, const QString& formatStr, double rangeLo, double rangeHi,
                     double increment)
    : TField(kind, formatStr), RangeLo(rangeLo), RangeHi(rangeHi), Increment(increment),
      Decimals(FormatDecimals(formatStr)) {}

TEnumField::TEnumField(const QStringList& items) : TField(fk_Enum, QString()), Items(items) {}

namespace {

TFieldErrorHook& ErrorHook() {
    static TFieldErrorHook hook;
    return hook;
}

void ReportFieldError(const QString& message) {
    if (ErrorHook())
        ErrorHook()(message);
    else
        qWarning().noquote() << message;
}

// Blanks and control characters (every code up to the space) count as padding.
QString TrimLine(const QString& s) {
    int first = 0, last = int(s.size());
    while (first < last && s[first].unicode() <= ' ')
        ++first;
    while (last > first && s[last - 1].unicode() <= ' ')
        --last;
    return s.mid(first, last - first);
}

// Entry lines are program text written with "."; read them in that form, or in the locale's form.
double ReadLineNumber(const QString& text) {
    double v = 0;
    if (TryStrToFloat(text, v)) return v;
    const QChar sep = LocaleDecimalSeparator();
    if (sep != QLatin1Char('.') && TryStrToFloat(QString(text).replace(QLatin1Char('.'), sep), v)) return v;
    throw EConvertError(ConvertErrorMessage(text));
}

void PadTo(QStringList& pieces, int count) {
    while (pieces.size() < count)
        pieces.append(QString());
}

TFieldKind KindOfMode(const QString& mode) {
    if (mode.compare(QLatin1String("PE"), Qt::CaseInsensitive) == 0) return fk_PropEd;
    if (mode.compare(QLatin1String("Spin"), Qt::CaseInsensitive) == 0) return fk_Spin;
    return fk_None;
}

bool IsEnumFormat(const QString& format) {
    return format.compare(QLatin1String("enum"), Qt::CaseInsensitive) == 0;
}

// The field class chosen by the format; raises EConvertError for a numeric line with a bad limit or step.
std::unique_ptr<TField> MakeField(TFieldKind kind, QStringList& pieces) {
    const QString& format = pieces[1];
    if (IsIntegerFormat(format) || IsFloatFormat(format)) {
        if (pieces.size() < 7) PadTo(pieces, 8);
        const double increment = pieces[6].isEmpty() ? 1.0 : ReadLineNumber(pieces[6]);
        const double lo = ReadLineNumber(pieces[4]);
        const double hi = ReadLineNumber(pieces[5]);
        if (IsPairFormat(format)) return std::make_unique<TDelimNumField>(kind, format, lo, hi, increment);
        return std::make_unique<TNumField>(kind, format, lo, hi, increment);
    }
    if (IsEnumFormat(format)) return std::make_unique<TEnumField>(pieces.mid(3));
    return std::make_unique<TField>(kind, format);
}

// The value cell's text before the owner sets the real value: the line's format applied to zero, or
// the first choice of an enum line. An integer pair format prints "0/0".
QString InitialValueText(const QString& format, const TField& field) {
    if (IsPairFormat(format)) return FormatPair(format, 0.0, 0.0);
    if (IsIntegerFormat(format)) return FormatInt(format, 0);
    if (IsFloatFormat(format)) return FormatFloat(format, 0.0);
    if (auto e = dynamic_cast<const TEnumField*>(&field); e && !e->Items.isEmpty()) return e->Items.first();
    return QString();
}

} // namespace

TFieldErrorHook SetFieldErrorHook(TFieldErrorHook hook) {
    TFieldErrorHook previous = std::move(ErrorHook());
    ErrorHook() = std::move(hook);
    return previous;
}

QStringList SplitLine(QChar delim, const QString& text) {
    QStringList pieces;
    QString rest = text;
    while (!rest.isEmpty()) {
        const int at = rest.indexOf(delim);
        if (at < 0) {
            pieces.append(TrimLine(rest));
            break;
        }
        pieces.append(TrimLine(rest.left(at)));
        rest.remove(0, at + 1);
    }
    return pieces;
}

TRowField CreateRowField(const QString& line, QChar delim) {
    QStringList pieces = SplitLine(delim, line);
    if (pieces.size() < 4) PadTo(pieces, 6);
    const TFieldKind kind = KindOfMode(pieces[3]);
    const QString format = pieces[1];
    TRowField row;
    try {
        row.Field = MakeField(kind, pieces);
    } catch (const EConvertError&) {
        row.Field = std::make_unique<TField>(kind, QStringLiteral("%S"));
        ReportFieldError(QStringLiteral("Error initialising ") + pieces[0]);
    }
    pieces[1] = InitialValueText(format, *row.Field);
    row.Cells = pieces.mid(0, 3);
    return row;
}

std::optional<QString> FormatNumberByType(const QString& format, TFormatType formatType, int decimals,
                                          int sigDigs, double x) {
    // Integral after rounding, so the integer conversion's truncation keeps it.
    if (IsIntegerFormat(format)) return FormatFloat(format, std::nearbyint(x));
    if (!IsFloatFormat(format)) return std::nullopt;
    const bool bySigDigs =
        formatType == ft_Auto || (formatType == ft_AutoOverride && std::pow(10.0, 2 - decimals) > x);
    return FormatFloat(bySigDigs ? SigDigsFormat(sigDigs, 12, x) : format, x);
}

QString PairValueFromText(const QString& format, const QString& text, double factor, double offset) {
    double a = 0, b = 0;
    const bool pair = ParseNumberPair(NormalizeNumberText(text), a, b);
    a = double(FromDisplay(a, factor, offset));
    if (!pair) return FormatFloat(QStringLiteral("%0.4g"), a);
    return FormatPair(format, a, double(FromDisplay(b, factor, offset)));
}

QString PairTextFromValue(const QString& format, const QString& value, double factor, double offset) {
    double a = 0, b = 0;
    ParseNumberPair(value, a, b);
    return FormatPair(format, double(ToDisplay(a, factor, offset)), double(ToDisplay(b, factor, offset)));
}
