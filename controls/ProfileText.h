#pragma once
// The clipboard text of a 24-value hourly profile, written and read in the user's locale: through the
// one formatting helper and the pasted-list tokenizer. Window-free, so the document and the profile
// dialogs share it.
#include "solar/Profile24.h"

#include <QString>

// The 24 values, each formatted with the printf-style format, joined by single commas. Under a locale
// whose decimal separator is the comma the values are joined by tabs instead (one spreadsheet row), so
// the text still reads back as 24 numbers.
QString ProfileText(const TProfile24& profile, const QString& format);

// Reads up to 24 numbers into the profile with the pasted-list tokenizer (TStringParser): separators
// are runs of tab, carriage return, blank and comma (under a decimal-comma locale: tab, carriage return,
// line feed and blank), and a token in double quotes is one token. True when all 24 were read;
// otherwise the first missing or non-numeric slot becomes 0, reading stops and *problem, when given,
// says which (too few numbers, or which value is not a number).
bool ReadProfileText(const QString& text, TProfile24& profile, QString* problem = nullptr);
