#include "storage/IntText.h"

#include <type_traits>

namespace {

int DigitValue(char16_t u, int base) {
    int d = -1;
    if (u >= '0' && u <= '9')
        d = u - '0';
    else if (u >= 'a' && u <= 'f')
        d = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        d = u - 'A' + 10;
    return d < base ? d : -1;
}

// The reader over the characters of a text, whether UTF-16 or single bytes (which are compared as
// unsigned, so a byte of 0x80 or more is no digit).
template <typename Char> bool ReadInt32(const Char* text, qsizetype size, qint32& value) {
    auto at = [text](qsizetype i) { return char16_t(std::make_unsigned_t<Char>(text[i])); };
    qsizetype i = 0;
    bool negative = false;
    if (i < size && (at(i) == '-' || at(i) == '+')) negative = at(i++) == '-';
    int base = 10;
    if (i < size && at(i) == '$') {
        base = 16;
        ++i;
    }
    if (i >= size) return false;
    // Decimal magnitudes may reach 2^31 (for the negative limit); hexadecimal ones use all 32 bits.
    const quint64 limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    quint64 magnitude = 0;
    for (; i < size; ++i) {
        const int d = DigitValue(at(i), base);
        if (d < 0) return false;
        magnitude = magnitude * quint64(base) + quint64(d);
        if (magnitude > limit) return false;
    }
    const quint32 bits = quint32(magnitude);
    value = qint32(negative ? 0u - bits : bits);
    return true;
}

} // namespace

bool TryStrToInt32(const QString& text, qint32& value) {
    return ReadInt32(text.utf16(), text.size(), value);
}

bool TryStrToInt32(QByteArrayView text, qint32& value) {
    return ReadInt32(text.data(), text.size(), value);
}

qint32 StrToInt32Def(const QString& text, qint32 defaultValue) {
    qint32 value = defaultValue;
    return TryStrToInt32(text, value) ? value : defaultValue;
}
