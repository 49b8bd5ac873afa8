#pragma once
// Blocks of a report written for a client rather than a checker: labelled values, wrapped paragraphs,
// number tables with units under their captions and numbers right-aligned on the decimal point, a
// stacked bar chart drawn as lines and fills (vectors on a PDF or printer), and the running header
// and footer of every page. Each draws through the composer on the current surface and keeps to the
// engine's line grid, breaking pages as the composer's own tables do.
#include "report/TxStdReport.h"

#include <QColor>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <array>

// The pieces of a text that fit width [pixels] in font on device, broken between words where it can.
QStringList WrapToWidth(const QString& text, const QFont& font, QPaintDevice* device, int width);

// Labels in bold at the left margin, each value beside them after the widest label, wrapped to the
// margin; a value with line feeds keeps them. Texts are drawn as plain text.
void PrintPairs(TStdReport& report, const QList<QPair<QString, QString>>& pairs);
// A paragraph wrapped between the margins, in the report font (smaller by sizeStep points when
// negative), then a blank line.
void PrintParagraph(TStdReport& report, const QString& text, int sizeStep = 0);

struct TTableColumn {
    QString Caption;
    QString Unit;      // the caption's second line, "[W/m²]"; empty for none
    bool Text = false; // left-aligned words, not numbers
};
struct TNumberTable {
    QList<TTableColumn> Columns;
    QList<QStringList> Rows;
};
// The table from the left margin: two caption lines and a rule, repeated on each page it runs onto;
// numbers right-aligned on the decimal separator of the locale. A table wider than the page is set in
// a smaller type, down to 7 points. The captions never end a page without three rows under them.
void PrintNumberTable(TStdReport& report, const TNumberTable& table);
// The lines a table of that many rows keeps together with its heading.
inline int NumberTableLines(int rows) {
    return 3 + std::min(3, rows);
}

// One series of the report's stacked bars: a name for the legend, a colour and a value per clock hour.
// (Named apart from the window plot's TBarSeries: two types of one name break the program's
// template instances.)
struct TStackedSeries {
    QString Name;
    QColor Colour;
    std::array<double, 24> Values{};
};
// Bars of the hours first..last, the series stacked from the bottom in order, with a value axis in
// `unit`, the hours under it and a legend; `lines` report lines tall.
void PrintStackedBars(TStdReport& report, const QList<TStackedSeries>& series, int first, int last,
                      const QString& unit, int lines);

// The running header (left and right texts above the top margin, with a rule under them) and the
// footer's text at the left of the bottom margin line, where the page number is centred. Drawn by a
// page header callback, after the composer's own.
void DrawRunningHeader(TStdReport& report, const QString& left, const QString& right);
void DrawRunningFooter(TStdReport& report, const QString& left, const QString& right);
