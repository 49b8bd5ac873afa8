#pragma once
// Texts that the Copy command puts on the clipboard: comma text, the table text of a result list and
// the sunrise/sunset text of the Local page. Lines end with CR LF as clipboard text does.
#include <QList>
#include <QString>
#include <QStringList>

// One row of a result list as it is shown: the clock-hour caption ("%3d") and the value cells.
struct TResultRow {
    QString Caption;
    QStringList Cells;

    bool operator==(const TResultRow&) const = default;
};

// The table text of a result list: a title, the property list rows (each a list of cells as shown),
// the list's name, its column captions and its rows.
QString TableText(const QList<QStringList>& propertyCells, const QString& name, const QStringList& captions,
                  const QList<TResultRow>& rows);

// "Sunrise <sunrise> hh:mm" CR LF "Sunset <sunset> hh:mm", with the field texts as shown.
QString SunTimesText(const QString& sunrise, const QString& sunset);
