#pragma once
// The 24-value hourly profile passed around the program, and its helpers.
#include <array>
#include <functional>
#include <string>

// Slot i holds the value at clock hour i (an instantaneous value at the full hour).
using TProfile24 = std::array<double, 24>;

// Fractions of the daily temperature range by clock hour: coolest at 04:00, warmest at 14:00.
inline constexpr TProfile24 AmbientShape = {0.13, 0.08, 0.04, 0.01, 0.00, 0.02, 0.07, 0.16,
                                            0.29, 0.44, 0.61, 0.77, 0.89, 0.97, 1.00, 0.97,
                                            0.90, 0.79, 0.66, 0.53, 0.42, 0.32, 0.24, 0.18};

// Hourly ambient temperature [degC]: slot i = minimum + (maximum - minimum) * AmbientShape[i].
// A maximum below the minimum inverts the shape.
void MakeAmbientProfile(TProfile24& profile, double maximum, double minimum);

// Sets all 24 slots to value.
void FillProfile(TProfile24& profile, double value);

// The 24 values, each turned into text by formatValue (the caller's printf-style format and locale),
// joined by single separators (commas unless the caller needs another): no spaces, no trailing one.
std::string FormatProfile(const TProfile24& profile,
                          const std::function<std::string(double value)>& formatValue, char separator = ',');

// Fills slots 0..23 from successive numbers of nextNumber, which returns false when the next token is
// missing or not a number. Returns true when all 24 slots were read. On the first failure that slot
// becomes 0, reading stops and the result is false: earlier slots keep what was read, later ones their
// previous contents.
bool ParseProfile(TProfile24& profile, const std::function<bool(double& value)>& nextNumber);

// Largest and smallest of the 24 values. Both start at slot 0; a later value replaces the smallest
// whenever it is not greater than or equal to it (so a NaN there becomes the smallest).
void ProfileMaxMin(const TProfile24& profile, double& largest, double& smallest);
