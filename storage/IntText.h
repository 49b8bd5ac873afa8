#pragma once
// The one reader of stored integer texts: an optional sign, then decimal digits, or "$" and hexadecimal
// digits. Decimal values must fit a signed 32-bit integer; hexadecimal ones may use all 32 bits
// ("$FFFFFFFF" is -1), as colour values with the top byte set are stored that way.
#include <QByteArrayView>
#include <QString>

// False, with value unchanged, when the whole text is not such an integer (an empty text, blanks,
// trailing letters, overflow).
bool TryStrToInt32(const QString& text, qint32& value);
// The same for a stored text of single bytes (digits and signs are the same in every code page).
bool TryStrToInt32(QByteArrayView text, qint32& value);
qint32 StrToInt32Def(const QString& text, qint32 defaultValue);
