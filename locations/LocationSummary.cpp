#include "LocationSummary.h"

#include "controls/TxNumText.h"

namespace {

// The absolute value in the format, then the first letter for 0 and above, else the second.
QString Hemisphere(float value, const char* format, char positive, char negative) {
    return FormatFloat(QString::fromLatin1(format), std::abs(double(value))) +
           QChar::fromLatin1(value >= 0 ? positive : negative);
}

QString Celsius(float value) {
    return FormatFloat(QStringLiteral("%0.1f \u00B0C"), value);
}

} // namespace

TLocationSummary LocationSummary(const LocationRecord& r) {
    return {{
        {QStringLiteral("Latitude"), Hemisphere(r.Latitude, "%0.2f", 'N', 'S')},
        {QStringLiteral("Longitude"), Hemisphere(r.Longitude, "%0.2f", 'E', 'W')},
        {QStringLiteral("TimeZone"), Hemisphere(r.TimeZone, "%0.0f", 'E', 'W')},
        {QStringLiteral("Altitude"), FormatFloat(QStringLiteral("%0.0f m"), r.Altitude)},
        {QStringLiteral("Cooling"),
         FormatFloat(QStringLiteral("%0.1f"), r.CoolingFirst) + u'/' + Celsius(r.CoolingSecond)},
        {QStringLiteral("Heating"), Celsius(r.HeatingDesign)},
        {QStringLiteral("Wind Speed"), FormatFloat(QStringLiteral("%0.1f m/s"), r.WindSpeed)},
        {QStringLiteral("Max DryBulb"), Celsius(r.MaxDryBulb)},
        {QStringLiteral("Min DryBulb"), Celsius(r.MinDryBulb)},
        {QStringLiteral("DB Range"), Celsius(r.DryBulbRange)},
    }};
}
