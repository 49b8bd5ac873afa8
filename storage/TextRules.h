#pragma once
// Small text rules shared by every reader and writer of program texts, so each has one home.
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Blanks and control characters (every code up to the space) count as padding in stored and typed texts.
inline bool IsBlankCode(char16_t c) {
    return c <= 32;
}
// The text without leading and trailing padding.
QString TrimCodes(const QString& text);
QByteArrayView TrimCodes(QByteArrayView text);

// A field of comma text: enclosed in double quotes, with any quote inside doubled, when it holds a
// blank, a control character, a comma or a double quote; otherwise as it is.
QString CommaField(const QString& item);
// The items as comma text, joined with ",".
QString CommaText(const QStringList& items);
