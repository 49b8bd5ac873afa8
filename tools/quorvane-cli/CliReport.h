#pragma once
// The report of quorvane-cli --report: the Report command's pages (or the design report's) composed on the
// page engine without any window and written as a PDF file.
#include "CliRun.h"

#include <QString>
#include <QStringList>

class TCalcDocument;

// A TCliReportWriter: needs a QApplication (the input table is a grid widget, never shown).
bool WriteCliReport(TCalcDocument& doc, const QString& pdfPath, const QString& letterheadFolder,
                    TCliReportKind kind, QStringList& messages);
