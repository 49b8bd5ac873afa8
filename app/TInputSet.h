#pragma once
// The ten inputs of a calculation as plain doubles, in the fixed order through which the settings
// store and project files read and write them.

// Identifies one input; the order is the fixed order of TInputSet.
enum TInputId {
    inAltitude,
    inLatitude,
    inLongitude,
    inTimeZone,
    inAzimuth,
    inSlope,
    inDayNumber,
    inGlassHeight,
    inGlassWidth,
    inGlassDepth,
    // The calendar year of the precise sun position, held by the document beside the ten: project
    // files and the ten settings keys do not hold it, and it counts past InputCount so that loops over
    // the set never meet it.
    inSunYear = 11
};
inline constexpr int InputCount = 10; // the inputs of TInputSet

// How an azimuth reads, in every text that states it (windows, report, command line).
inline constexpr char AzimuthConvention[] = "0 south, 90 west, -90 east, 180 north";

// Default member values are the start values of a first run (the settings store's defaults).
struct TInputSet {
    double Altitude = 1700;    // site barometric altitude [m]
    double Latitude = -26.13;  // [deg], south negative
    double Longitude = 28.23;  // [deg], east positive
    double TimeZone = 30;      // longitude of the zone meridian [deg], east positive
    double Azimuth = 0;        // surface azimuth [deg] from south, west positive
    double Slope = 0;          // surface tilt from horizontal [deg]
    double DayNumber = 172.5;  // day of the year, may be fractional
    double GlassHeight = 1.25; // window glass [m]
    double GlassWidth = 2.5;
    double GlassDepth = 0.15; // recess depth [m]
};

// The inputs that the Reset command applies: the start values with a vertical surface facing north.
TInputSet ResetInputSet();

// Reads or writes one input by its id; ids outside the range read 0 and write nothing.
double InputValue(const TInputSet& inputs, TInputId id);
void SetInputValue(TInputSet& inputs, TInputId id, double value);

// The physical range of an input: from Lo to Hi, both included, except that Hi itself is excluded
// when HiExcluded is set (the day number runs up to, but not including, 367). Equal limits mean no
// range: any finite value is taken (the azimuth, which NormalisedInput brings into -180..180).
// Latitude -90..90, longitude -180..180, zone meridian -180..210 (the zones in use reach UTC+14),
// day 1..<367, slope 0..180, altitude -500..9000 m, glass height and width 0.01..100 m, depth 0..20 m,
// year 1900..2100 (the span the precise sun position is made for).
struct TInputRange {
    double Lo = 0;
    double Hi = 0;
    bool HiExcluded = false;
    bool Limited() const { return Lo != Hi; }
    // Whether the value is finite and lies in the range.
    bool Contains(double value) const;
};
TInputRange InputRange(TInputId id);

// The value as an input is to be held: an azimuth brought into -180..180 (180, north, stays 180 and
// -180 becomes 180), a year rounded to a whole year; every other input as it is.
double NormalisedInput(TInputId id, double value);

// The name of an input as the settings store keys it ("Altitude", ..., "GlassDepth").
const char* InputKeyName(TInputId id);
