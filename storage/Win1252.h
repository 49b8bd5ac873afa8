#pragma once
// Windows-1252 text at the file boundary. Every byte value decodes to one character and encodes back to
// the same byte (the five unassigned codes map to the control characters of the same number), so a file
// read and written again is unchanged. Characters outside the code page encode as "?".
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

QString DecodeWin1252(QByteArrayView bytes);
QByteArray EncodeWin1252(const QString& text);

// Single-byte upper-casing of Windows-1252 text: a-z, the accented small letters and s/z caron, oe and
// y diaeresis. The same rule applies to both sides of every case-insensitive comparison.
char UpperWin1252(char c);
QByteArray UpperWin1252(QByteArrayView bytes);
