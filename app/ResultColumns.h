#pragma once
// The one table of result columns: for each column of the Angles, Solar and SolAir lists and for the
// Window page's sunlit fraction its caption, profile, cell format, column-profile format, chart title,
// style, hour range and name in the command-line CSV, whose order CsvColumns gives. The lists, the
// table texts, the column profiles, the CLI and the report read it.
#include "TCalcDocument.h"

#include <QList>
#include <QString>
#include <QStringList>

// How a column's profile is drawn; psEditor columns open the profile editor instead of a chart.
enum TProfileStyle { psLine, psBars, psEditor };
// The hours a column's profile draws: truncated sunrise to truncated (sunset + 1), or 0 to 23.
enum TProfileHours { phSunriseRange, phFullDay };

struct TResultColumn {
    TResultPage Page;
    const char* Caption; // list heading
    const TProfile24& (TCalcDocument::*Profile)() const;
    const char* CellFormat;    // the list cell
    const char* ProfileFormat; // the column profile's clipboard text
    const char* ChartTitle;
    TProfileStyle Style;
    TProfileHours Hours;
    const char* CsvName; // nullptr: the column repeats one that the CSV already has
};

// Every column, page by page in the lists' order.
const QList<TResultColumn>& ResultColumns();
// The value columns of one page, in order.
QList<const TResultColumn*> Columns(TResultPage page);
// A list's headings: "CT" (the clock hour), then its columns' captions; made once per page.
const QStringList& ColumnCaptions(TResultPage page);
// The CSV columns after "hour", in the order of CsvOrder. The sunlit fraction (pgWindow) is that of
// the glass standing vertical in the surface's azimuth, as the Window page computes it.
QList<const TResultColumn*> CsvColumns();
// The "Total Solar Profile" command shows the SolAir list's "Solar" column.
const TResultColumn& TotalProfileColumn();

// The first and last hour a column's profile draws for a solved document.
void ColumnHours(const TResultColumn& column, const TCalcDocument& doc, int& first, int& last);
// A list row of hour: the hour as "%3d" and each column's value with its cell format, its decimal
// point shown as decimalSeparator (the locale's, taken once by the caller for all rows).
TResultRow ResultRow(const TCalcDocument& doc, TResultPage page, int hour, QChar decimalSeparator);
