#include "TextRules.h"

QString TrimCodes(const QString& text) {
    qsizetype first = 0, last = text.size();
    while (first < last && IsBlankCode(text[first].unicode()))
        ++first;
    while (last > first && IsBlankCode(text[last - 1].unicode()))
        --last;
    return text.mid(first, last - first);
}

QByteArrayView TrimCodes(QByteArrayView text) {
    auto blank = [](char c) { return IsBlankCode(static_cast<unsigned char>(c)); };
    while (!text.isEmpty() && blank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && blank(text.back()))
        text.chop(1);
    return text;
}

QString CommaField(const QString& item) {
    bool quote = false;
    for (QChar c : item)
        quote = quote || c == QLatin1Char(',') || c == QLatin1Char('"') || IsBlankCode(c.unicode()) ||
                c.unicode() == 0x7f;
    if (!quote) return item;
    QString inner = item;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString CommaText(const QStringList& items) {
    QStringList out;
    out.reserve(items.size());
    for (const QString& item : items)
        out << CommaField(item);
    return out.join(QLatin1Char(','));
}
