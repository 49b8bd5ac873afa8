#pragma once
// How the solar model turns numbers into text and back. The model has no access to the user's locale,
// so the program installs its locale-aware formatter, reader and time separator here at start-up;
// until then plain C-locale conversions and ":" are used.
#include <functional>
#include <string>

namespace solartext {

// Formats one value with a printf-style format holding one conversion ("%0.1f", "%.2d", "%3d").
// Integer conversions receive the value truncated towards zero.
using NumberFormatter = std::function<std::string(const std::string& format, double value)>;
// Reads a whole text as one number; returns false when it is not a number.
using NumberReader = std::function<bool(const std::string& text, double& value)>;

void SetNumberFormatter(NumberFormatter formatter);
void SetNumberReader(NumberReader reader);
void SetTimeSeparator(std::string separator);

std::string FormatNumber(const std::string& format, double value);
bool ReadNumber(const std::string& text, double& value);
const std::string& TimeSeparator();

// Restores the C-locale defaults (for tests).
void ResetTextHooks();

} // namespace solartext
