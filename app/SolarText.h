#pragma once
// The solar model's values as the program shows and reads them: through the one formatting helper and
// number reader, in the user's locale.
#include "solar/Profile24.h"

#include <QString>

// hh:mm:ss of decimal hours with the locale's time separator.
QString HoursText(double hours);

// The 24 values, each formatted with the printf-style format, joined by single commas.
QString ProfileText(const TProfile24& profile, const QString& format);

// Reads up to 24 numbers into the profile with the pasted-list tokenizer (TStringParser): separators
// are runs of tab, carriage return, blank and comma, and a token in double quotes is one token. True
// when all 24 were read; otherwise the first missing or non-numeric slot becomes 0 and reading stops.
bool ReadProfileText(const QString& text, TProfile24& profile);
