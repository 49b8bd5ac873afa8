#include "CsvText.h"

bool SplitCsvLine(const QString& line, QStringList& fields) {
    fields.clear();
    QString field;
    qsizetype i = 0;
    const qsizetype n = line.size();
    for (;;) {
        field.clear();
        if (i < n && line[i] == u'"') {
            ++i;
            for (;;) {
                if (i >= n) return false; // the quote never closes
                if (line[i] == u'"') {
                    if (i + 1 < n && line[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            if (i < n && line[i] != u',') return false; // text after the closing quote
        } else {
            while (i < n && line[i] != u',') field += line[i++];
        }
        fields << field;
        if (i >= n) return true;
        ++i; // the comma
    }
}

QString CsvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString SpreadsheetSafe(const QString& text) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && formulaStarts.contains(text.front()) ? u'\'' + text : text;
}
