#include "TxFields.h"

#include "TxConv.h"
#include "TxNumText.h"

#include "storage/TextRules.h"

#include <cmath>

TField::TField(TFieldKind kind, const QString& formatStr) : FormatStr(formatStr), Kind(kind) {}

TNumField::TNumField(TFieldKind kind, const QString& formatStr, double rangeLo, double rangeHi,
                     double increment)
    : TField(kind, formatStr), RangeLo(rangeLo), RangeHi(rangeHi), Increment(increment),
      Decimals(FormatDecimals(formatStr)) {}

TEnumField::TEnumField(const QStringList& items) : TField(fk_Enum, QString()), Items(items) {}

namespace {

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

QStringList SplitLine(QChar delim, const QString& text) {
    QStringList pieces;
    QString rest = text;
    while (!rest.isEmpty()) {
        const int at = rest.indexOf(delim);
        if (at < 0) {
            pieces.append(TrimCodes(rest));
            break;
        }
        pieces.append(TrimCodes(rest.left(at)));
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
        row.Error = QStringLiteral("Error initialising ") + pieces[0];
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

std::unique_ptr<TField> MakeValueField(const QString& format) {
    if (IsPairFormat(format)) return std::make_unique<TDelimNumField>(fk_None, format, 0, 0, 1);
    if (IsIntegerFormat(format) || IsFloatFormat(format))
        return std::make_unique<TNumField>(fk_None, format, 0, 0, 1);
    return std::make_unique<TField>(fk_None, format);
}

// ---- Values and texts ----

namespace {

// A variant as a number: texts are read in the user's locale, numbers taken as they are. Raises
// EConvertError for anything else, and for a value that is not finite (a cell never shows "inf").
double VariantNumber(const QVariant& v) {
    double x = 0;
    if (v.typeId() == QMetaType::QString) {
        x = StrToFloat(v.toString());
    } else {
        bool ok = false;
        x = v.toDouble(&ok);
        if (!ok) throw EConvertError(ConvertErrorMessage(v.toString()));
    }
    if (!std::isfinite(x)) throw EConvertError(ConvertErrorMessage(v.toString()));
    return x;
}

bool IsNumberVariant(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

void CheckFinite(double x) {
    if (!std::isfinite(x)) throw EConvertError(ConvertErrorMessage(FormatFloat(QStringLiteral("%g"), x)));
}

// Round to the nearest integer, ties to the even neighbour; raises the conversion error for a value
// that no integer holds.
qlonglong RoundEven(double x) {
    if (std::fabs(x) > 9.2e18) throw EConvertError(ConvertErrorMessage(FormatFloat(QStringLiteral("%g"), x)));
    return static_cast<qlonglong>(std::nearbyint(x));
}

} // namespace

QString TField::TextOf(const QVariant& value) const {
    if (IsStringFormat(FormatStr)) return FormatText(FormatStr, value.toString());
    if (ConversionLetter(FormatStr) == 0) return FormatText(FormatStr, QString()); // literal text only
    // Any other conversion prints the value as a number ("%0.2E", "%x").
    return FormatFloat(FormatStr, VariantNumber(value));
}

QVariant TField::ValueOf(const QString& text) const {
    if (IsStringFormat(FormatStr)) return FormatText(FormatStr, text);
    if (ConversionLetter(FormatStr) == 0) return text;
    return ReadNumberText(text);
}

QString TField::Tidy(const QString& text, bool& inRange) const {
    inRange = true;
    if (IsStringFormat(FormatStr) || ConversionLetter(FormatStr) == 0) return ValueOf(text).toString();
    return FormatFloat(FormatStr, ReadNumberText(text));
}

double TNumField::ToShown(double base) const {
    const double x = double(ToDisplay(base, Factor, Offset));
    CheckFinite(x);
    return x;
}

double TNumField::FromShown(double shown) const {
    const double x = double(FromDisplay(shown, Factor, Offset));
    CheckFinite(x);
    return x;
}

double TNumField::DisplayLo() const {
    return double(ToDisplay(RangeLo, Factor, Offset));
}

double TNumField::DisplayHi() const {
    return double(ToDisplay(RangeHi, Factor, Offset));
}

bool TNumField::ClampToRange(double& v) const {
    const double lo = DisplayLo();
    const double hi = DisplayHi();
    if (std::fabs(hi - lo) < 1e-5 || (lo == 0 && hi == 0)) return true;
    if (v < lo) {
        if (lo != 0 && std::fabs((lo - v) / lo) <= 0.005) return true;
        v = lo;
        return false;
    }
    if (v > hi) {
        if (hi != 0 && std::fabs((v - hi) / hi) <= 0.005) return true;
        v = hi;
        return false;
    }
    return true;
}

QString TNumField::NumberText(double x) const {
    return FormatNumberByType(FormatStr, FormatType, Decimals, SigDigs, x)
        .value_or(FormatFloat(FormatStr, x));
}

std::optional<double> TNumField::NextMultiple(double v, bool up) const {
    if (Increment == 0 || !std::isfinite(Increment)) return std::nullopt;
    const double shown = StrToFloat(FormatFloat(FormatStr, v)); // rounded to the shown precision
    const double q = shown / Increment;
    const double nearest = std::nearbyint(q);
    double k = 0;
    if (std::fabs((q - nearest) * Increment) < 1e-5)
        k = nearest + (up ? 1 : -1);
    else
        k = up ? std::ceil(q) : std::floor(q);
    return k * Increment;
}

QString TNumField::TextOf(const QVariant& value) const {
    return NumberText(ToShown(VariantNumber(value)));
}

QVariant TNumField::ValueOf(const QString& text) const {
    const double x = FromShown(ReadNumberText(text));
    if (IsIntegerFormat(FormatStr)) return RoundEven(x);
    return x;
}

QString TNumField::Tidy(const QString& text, bool& inRange) const {
    double v = ReadNumberText(text);
    inRange = ClampToRange(v);
    return NumberText(v);
}

QString TDelimNumField::TextOf(const QVariant& value) const {
    double a = 0, b = 0;
    if (IsNumberVariant(value))
        a = VariantNumber(value);
    else
        ParseNumberPair(NormalizeNumberText(value.toString()), a, b);
    return FormatPair(FormatStr, ToShown(a), ToShown(b));
}

QVariant TDelimNumField::ValueOf(const QString& text) const {
    double a = 0, b = 0;
    const QString clean = NormalizeNumberText(text.trimmed().isEmpty() ? QStringLiteral("0.0/0.0") : text);
    if (!ParseNumberPair(clean, a, b)) return FormatFloat(QStringLiteral("%0.4g"), FromShown(a));
    return FormatPair(FormatStr, FromShown(a), FromShown(b));
}

QString TDelimNumField::Tidy(const QString& text, bool& inRange) const {
    double a = 0, b = 0;
    const bool two = ParseNumberPair(NormalizeNumberText(text), a, b);
    inRange = ClampToRange(a);
    if (!two) return FormatFloat(FormatStr.left(FormatStr.indexOf(QLatin1Char('/'))), a);
    inRange = ClampToRange(b) && inRange;
    return FormatPair(FormatStr, a, b);
}

QString TEnumField::TextOf(const QVariant& value) const {
    bool ok = false;
    const int index = value.toInt(&ok);
    if (!ok || index < 0 || index >= Items.size()) throw EConvertError(ConvertErrorMessage(value.toString()));
    return Items.at(index);
}

QVariant TEnumField::ValueOf(const QString& text) const {
    return int(Items.indexOf(text));
}
