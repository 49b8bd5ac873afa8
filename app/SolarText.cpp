#include "SolarText.h"

#include "controls/TxNumText.h"
#include "solar/TSolar.h"

QString HoursText(double hours) {
    return QString::fromStdString(HoursToHMS(hours, LocaleTimeSeparator().toStdString()));
}
