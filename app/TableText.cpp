#include "TableText.h"

namespace {

const QString LineEnd = QStringLiteral("\r\n");

bool NeedsQuotes(const QString& item) {
    for (QChar c : item)
        if (c == QLatin1Char(' ') || c == QLatin1Char(',') || c == QLatin1Char('"') || c.unicode() < 0x20 ||
            c.unicode() == 0x7f)
            return true;
    return false;
}

QString Quoted(const QString& item) {
    QString inner = item;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

} // namespace

QString CommaText(const QStringList& items) {
    QStringList out;
    out.reserve(items.size());
    for (const QString& item : items)
        out << (NeedsQuotes(item) ? Quoted(item) : item);
    return out.join(QLatin1Char(','));
}

QString TableText(const QList<QStringList>& propertyCells, const QString& name, const QStringList& captions,
                  const QList<TResultRow>& rows) {
    QStringList lines;
    lines << QStringLiteral("Quorvane Calculator") << QString();
    for (const QStringList& cells : propertyCells)
        lines << CommaText(cells);
    lines << QString() << name << QString();
    lines << captions.join(QLatin1Char(','));
    for (const TResultRow& row : rows)
        lines << row.Caption + QLatin1Char(',') + CommaText(row.Cells);
    return lines.join(LineEnd) + LineEnd;
}

QString SunTimesText(const QString& sunrise, const QString& sunset) {
    return QStringLiteral("Sunrise ") + sunrise + QStringLiteral(" hh:mm") + LineEnd +
           QStringLiteral("Sunset ") + sunset + QStringLiteral(" hh:mm");
}
