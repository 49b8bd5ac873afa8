#include "TInputSet.h"

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

TInputRange InputRange(TInputId id) {
    switch (id) {
    case inGlassHeight:
    case inGlassWidth:
        return {0.01, 100}; // [m]
    case inGlassDepth:
        return {0, 20}; // [m]
    default:
        return {};
    }
}
