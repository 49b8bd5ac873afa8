#pragma once
// The solar model's values as the program shows and reads them: through the one formatting helper and
// number reader, in the user's locale.
#include "controls/ProfileText.h" // the profile clipboard text

#include <QString>

// hh:mm:ss of decimal hours with the locale's time separator.
QString HoursText(double hours);
