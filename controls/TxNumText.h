#pragma once
// The one formatting helper and the one number reader of the program. Every number shown or typed
// anywhere passes through these, so the locale's decimal separator is handled in one place.
#include <QString>
#include <stdexcept>

// The conversion error raised by number reading; its message is the platform's standard text
// "'<text>' is not a valid floating point value".
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

// Applies a printf-style format ("%0.2f", "%0.4g", "%3d", "%.2d", "Angle = %0.2f deg") to one value.
// Conversions are done in the C locale (ties round to even on the exact binary value, as printf does)
// and the decimal point of each converted number becomes the locale's decimal separator; literal text
// of the format is kept as it is. Integer conversions take the value truncated towards zero.
QString FormatFloat(const QString& format, double value);
QString FormatInt(const QString& format, long long value);

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
