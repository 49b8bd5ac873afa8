#include "TInputSet.h"

#include "solar/PreciseSun.h"

#include <cmath>

namespace {

// The one table that ties an input id to its field and key, so the order lives in one place.
struct TInputInfo {
    double TInputSet::*Field;
    const char* Key;
};
constexpr TInputInfo Inputs[InputCount] = {
    {&TInputSet::Altitude, "Altitude"},     {&TInputSet::Latitude, "Latitude"},
    {&TInputSet::Longitude, "Longitude"},   {&TInputSet::TimeZone, "TimeZone"},
    {&TInputSet::Azimuth, "Azimuth"},       {&TInputSet::Slope, "Slope"},
    {&TInputSet::DayNumber, "DayNumber"},   {&TInputSet::GlassHeight, "GlassHeight"},
    {&TInputSet::GlassWidth, "GlassWidth"}, {&TInputSet::GlassDepth, "GlassDepth"},
};

bool Valid(TInputId id) {
    return id >= 0 && id < InputCount;
}

} // namespace

TInputSet ResetInputSet() {
    TInputSet inputs;
    inputs.Azimuth = 180;
    inputs.Slope = 90;
    return inputs;
}

double InputValue(const TInputSet& inputs, TInputId id) {
    return Valid(id) ? inputs.*Inputs[id].Field : 0.0;
}

void SetInputValue(TInputSet& inputs, TInputId id, double value) {
    if (Valid(id)) inputs.*Inputs[id].Field = value;
}

const char* InputKeyName(TInputId id) {
    return Valid(id) ? Inputs[id].Key : "";
}

bool TInputRange::Contains(double value) const {
    if (!std::isfinite(value)) return false;
    if (!Limited()) return true;
    return value >= Lo && (HiExcluded ? value < Hi : value <= Hi);
}

TInputRange InputRange(TInputId id) {
    switch (id) {
    case inAltitude:
        return {-500, 9000}; // [m]: the Dead Sea shore to above the highest summits
    case inLatitude:
        return {-90, 90};
    case inLongitude:
        return {-180, 180};
    case inTimeZone:
        return {-180, 210}; // UTC-12 to UTC+14
    case inSlope:
        return {0, 180};
    case inDayNumber:
        return {1, 367, true}; // the last moment of day 366 of a leap year
    case inGlassHeight:
    case inGlassWidth:
        return {0.01, 100}; // [m]
    case inGlassDepth:
        return {0, 20}; // [m]
    case inSunYear:
        return {PreciseFirstYear, PreciseLastYear};
    default:
        return {};
    }
}

double NormalisedInput(TInputId id, double value) {
    if (id == inSunYear) return std::round(value);
    if (id != inAzimuth || !std::isfinite(value)) return value;
    const double azimuth = std::remainder(value, 360); // exact, within -180..180
    return azimuth == -180 ? 180 : azimuth;
}

