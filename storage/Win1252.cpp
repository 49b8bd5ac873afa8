#include "storage/Win1252.h"

namespace {

// Characters of the codes 0x80 to 0x9F; the unassigned codes keep their own number.
constexpr char16_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char EncodeChar(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return char(u);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == u) return char(0x80 + i);
    return '?';
}

} // namespace

QString DecodeWin1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        out[i] = (c >= 0x80 && c < 0xA0) ? QChar(kHighControls[c - 0x80]) : QChar(c);
    }
    return text;
}

QByteArray EncodeWin1252(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = EncodeChar(text[i].unicode());
    return bytes;
}

char UpperWin1252(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return char(u - 0x20);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return char(u - 0x20); // accented small letters
    switch (u) {
    case 0x9A:
        return char(0x8A); // s caron
    case 0x9C:
        return char(0x8C); // oe
    case 0x9E:
        return char(0x8E); // z caron
    case 0xFF:
        return char(0x9F); // y diaeresis
    default:
        return c;
    }
}

QByteArray UpperWin1252(QByteArrayView bytes) {
    QByteArray upper(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        upper[i] = UpperWin1252(bytes[i]);
    return upper;
}
