#pragma once
// The small part of CSV the location sources and the dump use: comma-separated fields, a field may be
// quoted with double quotes, and a quote inside a quoted field is doubled.
#include <QString>
#include <QStringList>

// Splits one line into fields. Returns false for an unterminated quote or text after a closing quote.
bool SplitCsvLine(const QString& line, QStringList& fields);
// The field as written to CSV: quoted when it holds a comma, a quote or a line break.
QString CsvField(const QString& text);
// A text field that a spreadsheet would take for a formula (it starts with =, +, -, @, a tab or a
// carriage return) with a single quote put before it; any other text as it is. Only for text fields:
// numbers keep their sign.
QString SpreadsheetSafe(const QString& text);
