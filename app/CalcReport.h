#pragma once
// The report of a calculation: the seven inputs of the property list and the hourly tables of angles
// and radiation, under the letterhead, the logo, the date and the title "Quorvane Report". The main
// window's "&Report" command runs ExecuteCalcReport.
#include "app/TCalcDocument.h"

#include <QString>

class TEntryGrid;
class TStdReport;
class TxStringGrid;

// A result table of the report: its page in the result-column table, heading and rows.
struct TReportTable {
    TResultPage Page;
    const char* Heading;
    const QList<TResultRow>& (TCalcDocument::*Rows)() const;
};
// The result tables the report prints, in order; each prints every column its page has.
const QList<TReportTable>& CalcReportTables();
// The column stops of the report's tables [cm] after the left margin, for a report that has no stored
// ones: a table prints one column at the margin and one at each stop.
const QList<double>& CalcReportColumnStops();
void SetCalcReportColumnStops();
// Fills a grid with the property list's lines and the document's seven input values, as the main
// window shows them: the report's inputs when there is no window.
void FillInputGrid(TEntryGrid& grid, const TCalcDocument& doc);

// The content procedure: reads the document and the property list, never changes them, so the page
// engine may call it as often as it produces the pages. With designPeaks, a "Design Peaks" section
// follows the tables: the nine orientations' peaks over the design days.
void PrintCalcReport(TStdReport& report, const TCalcDocument& doc, const TxStringGrid& propertyList,
                     bool designPeaks = false);
// The "Design Peaks" section: the nine orientations' peaks over the design days.
void PrintDesignPeaks(TStdReport& report, const TCalcDocument& doc);
// The letterhead and logo of a folder (with its trailing "/"; empty: the program folder).
void SetReportLetterhead(TStdReport& report, const QString& letterheadFolder);

// Begins the report with PrintCalcReport as its content and the letterhead and logo of letterheadFolder
// (with its trailing "/"; empty: the program folder). Solves first when the document is out of date, so
// the tables match the inputs.
void BeginCalcReport(TStdReport& report, TCalcDocument& doc, const TxStringGrid& propertyList,
                     bool designPeaks = false, const QString& letterheadFolder = {});
// The command: BeginCalcReport, then the preview, returning when it closes.
void ExecuteCalcReport(TStdReport& report, TCalcDocument& doc, const TxStringGrid& propertyList,
                       bool designPeaks = false);
