#include "TableText.h"

#include "storage/TextRules.h"

namespace {

const QString LineEnd = QStringLiteral("\r\n");

} // namespace

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
