#pragma once
// Command-line front end of the calculation document: sets the inputs from options and/or a project
// file, solves, and gives either the text the Copy command would put on the clipboard for one result
// page or every hourly result as CSV. Bad input gives one line for stderr and exit status 2. The
// handling works on a list of arguments and returns its texts, so it runs without a process around it.
#include <QString>
#include <QStringList>

#include <functional>

enum TCliStatus : int { CliOk = 0, CliOutputFailed = 1, CliBadInput = 2 };

struct TCliResult {
    int Status = CliOk;
    QString Output; // for stdout
    QString Error;  // for stderr, one line ending in a line feed
};

class TCalcDocument;

// Which report --report writes: the Report command's or the design report, either with the design
// peaks of the nine orientations.
struct TCliReportKind {
    bool Design = false;
    bool DesignPeaks = false;
};

// Writes the report of a solved document as a PDF file, with the letterhead and logo of a folder (empty:
// the program folder); its messages go to `messages`. The program supplies it, as it needs the report's
// page engine; without one --report is refused.
using TCliReportWriter =
    std::function<bool(TCalcDocument& doc, const QString& pdfPath, const QString& letterheadFolder,
                       TCliReportKind kind, QStringList& messages)>;

// Handles a whole command line; arguments[0] is the program name. Reads at most a project file (and a
// letterhead and logo for --report).
TCliResult RunCli(const QStringList& arguments, const TCliReportWriter& writeReport = {});
