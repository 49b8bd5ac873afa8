#pragma once
// The one formatting helper and the one number reader of the program. Every number shown or typed
// anywhere passes through these, so the locale's decimal separator is handled in one place.
#include "storage/MessageError.h"

#include <QList>
#include <QString>
#include <stdexcept>

// The conversion error raised by number reading; its message is the platform's standard text
// "'<text>' is not a valid floating point value".
class EConvertError : public EMessageError {
public:
    using EMessageError::EMessageError;
};

// Applies a printf-style format ("%0.2f", "%0.4g", "%3d", "%.2d", "Angle = %0.2f deg") to one value.
// Conversions are done in the C locale (ties round to even on the exact binary value, as printf does)
// and the decimal point of each converted number becomes the locale's decimal separator; literal text
// of the format is kept as it is. Integer conversions take the value truncated towards zero.
QString FormatFloat(const QString& format, double value);
// The same with the decimal separator given: a caller formatting many numbers takes it once.
QString FormatFloat(const QString& format, double value, QChar decimalSeparator);
QString FormatInt(const QString& format, long long value);
// A pair format ("%0.1f/%0.1f"): the first conversion prints a, every later one prints b.
QString FormatPair(const QString& format, double a, double b);

// One piece of a printf-style format: literal text, or one conversion with its flags, width and
// precision as written (length modifiers dropped) and its letter ("%D" and "%S" read as "d" and "s").
struct TFormatPiece {
    QString Text;       // literal text ("%%" already read as "%"); empty for a conversion
    QString Flags;      // "-+ #0" as written
    int Width = -1;     // -1: none
    int Precision = -1; // -1: none
    char Letter = 0;    // 0: literal text

    bool IsConversion() const { return Letter != 0; }
    // "%" with the flags, width and precision, ready for a conversion letter.
    QByteArray Spec() const;
};
// A format read once, for a caller that prints many numbers with it (the result tables): the same texts as
// FormatFloat and FormatInt give, without finding the format's pieces again for every number.
class TNumberFormat {
public:
    explicit TNumberFormat(const QString& format);
    QString Float(double value, QChar decimalSeparator) const;
    QString Int(long long value) const;

private:
    QList<TFormatPiece> FPieces;
};

// The one reader of printf-style formats. A "%" that does not begin a known conversion is kept as text.
QList<TFormatPiece> ParseFormat(const QString& format);
// The letter of the format's first conversion, or 0 when it has none.
char ConversionLetter(const QString& format);

// Applies a text format ("%S", "%-10s", "Name: %s") to a text. Any conversion other than one "s"
// cannot take a text and raises the conversion error, as a numeric conversion would for a string.
QString FormatText(const QString& format, const QString& value);

// Reads a decimal number in the user's locale (leading and trailing blanks allowed, exponent with an
// optional sign). Raises EConvertError for anything else, including an empty text and infinities.
double StrToFloat(const QString& text);
// The same, returning false instead of raising.
bool TryStrToFloat(const QString& text, double& value);

// The text of the conversion error for a text.
QString ConvertErrorMessage(const QString& text);

// The locale's decimal separator and time separator as single characters.
QChar LocaleDecimalSeparator();
QString LocaleTimeSeparator();

// --- Format classes. Each looks for its letter anywhere in the format, not only in the conversion, so
// "%0.1f mins" counts as a text format as well as a fixed one.

// "s" or "S" occurs: the value is handled as text.
bool IsStringFormat(const QString& format);
// "d" or "D" occurs: the value is an integer.
bool IsIntegerFormat(const QString& format);
// "g" or "G" occurs.
bool IsGeneralFormat(const QString& format);
// "f" or "F" occurs, or the format is general.
bool IsFloatFormat(const QString& format);
// "/" occurs: the format prints two numbers, such as "%0.1f/%0.1f".
bool IsPairFormat(const QString& format);

// Decimals that show value with about sigDigs significant digits, at most maxDecimals (callers pass 12).
// A value whose printed integer part has one character gets 3 decimals plus one per zero leading its
// fraction; other values get sigDigs characters in all, a minus sign counting as one.
int DecimalsForSigDigs(int sigDigs, int maxDecimals, double value);
// "%0.<decimals>f".
QString FixedFormat(int decimals);
// "%0.<n>f" with n = DecimalsForSigDigs(sigDigs, maxDecimals, value).
QString SigDigsFormat(int sigDigs, int maxDecimals, double value);

// The single digit after the first "." of a format ("%0.4g" gives 4), or 0 when there is none; never
// fails. "%0.12f" gives 1 because only one character is read.
int FormatDecimals(const QString& format);

// Cleans typed number text before it is read: drops spaces, minus signs other than a leading one or one
// right after the exponent letter, second decimal points and second exponent letters; turns an empty
// text or a lone "-" into "0", puts "1" before a bare exponent and cuts an exponent beyond +-300 to its
// first two characters. A text with "/" is cleaned as two halves. Both "." and the locale's decimal
// separator count as the decimal point, and the result uses the locale's separator, so StrToFloat reads
// it whichever of the two was typed. Raises EConvertError when the exponent is not an integer ("1E-").
QString NormalizeNumberText(const QString& text);

// StrToFloat(NormalizeNumberText(text)): a typed number, cleaned up and read; a number beyond the double
// range reads as the largest double of its sign. Raises EConvertError.
double ReadNumberText(const QString& text);

// Reads "a/b" into a and b and returns true. A text without "/" is read whole into a, leaves b as it
// is and returns false. Raises EConvertError when a half is not a number (a may then be set already).
bool ParseNumberPair(const QString& text, double& a, double& b);
