#include "storage/IntText.h"

namespace {

int DigitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= '0' && u <= '9')
        d = u - '0';
    else if (u >= 'a' && u <= 'f')
        d = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        d = u - 'A' + 10;
    return d < base ? d : -1;
}

} // namespace

bool TryStrToInt32(const QString& text, qint32& value) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    }
    if (i >= text.size()) return false;
    // Decimal magnitudes may reach 2^31 (for the negative limit); hexadecimal ones use all 32 bits.
    const quint64 limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    quint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i], base);
        if (d < 0) return false;
        magnitude = magnitude * quint64(base) + quint64(d);
        if (magnitude > limit) return false;
    }
    const quint32 bits = quint32(magnitude);
    value = qint32(negative ? 0u - bits : bits);
    return true;
}

qint32 StrToInt32Def(const QString& text, qint32 defaultValue) {
    qint32 value = defaultValue;
    return TryStrToInt32(text, value) ? value : defaultValue;
}
