#include "TextHooks.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace solartext {
namespace {

// The conversion letter of the format's first conversion ("%0.1f min" gives 'f'), or 0 if none.
char ConversionLetter(const std::string& format) {
    for (std::size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%') continue;
        if (format[i + 1] == '%') {
            ++i;
            continue;
        }
        std::size_t j = format.find_first_not_of("-+ #0123456789.hlLqjzt", i + 1);
        return j == std::string::npos ? 0 : format[j];
    }
    return 0;
}

bool IsIntegerConversion(const std::string& format) {
    const char c = ConversionLetter(format);
    return c == 'd' || c == 'i' || c == 'u' || c == 'x' || c == 'X';
}

std::string DefaultFormat(const std::string& format, double value) {
    // An integer conversion gets an int; clamping first keeps the cast defined for any double.
    const double whole = std::isnan(value) ? 0.0 : std::trunc(std::fmax(INT_MIN, std::fmin(INT_MAX, value)));
    std::vector<char> buf(64);
    for (;;) {
        const char letter = ConversionLetter(format);
        if (letter != 0 && !std::strchr("diuxXeEfFgGaA", letter)) return format; // no number to print
        int n = IsIntegerConversion(format)
                    ? std::snprintf(buf.data(), buf.size(), format.c_str(), static_cast<int>(whole))
                    : std::snprintf(buf.data(), buf.size(), format.c_str(), value);
        if (n < 0) return {};
        if (static_cast<size_t>(n) < buf.size()) return std::string(buf.data(), n);
        buf.resize(n + 1);
    }
}

bool DefaultRead(const std::string& text, double& value) {
    if (text.empty()) return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(begin, &end);
    if (end != begin + text.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

NumberFormatter& Formatter() {
    static NumberFormatter f = DefaultFormat;
    return f;
}
NumberReader& Reader() {
    static NumberReader r = DefaultRead;
    return r;
}
std::string& Separator() {
    static std::string s = ":";
    return s;
}

} // namespace

void SetNumberFormatter(NumberFormatter formatter) { Formatter() = formatter ? formatter : DefaultFormat; }
void SetNumberReader(NumberReader reader) { Reader() = reader ? reader : DefaultRead; }
void SetTimeSeparator(std::string separator) { Separator() = std::move(separator); }

std::string FormatNumber(const std::string& format, double value) { return Formatter()(format, value); }
bool ReadNumber(const std::string& text, double& value) { return Reader()(text, value); }
const std::string& TimeSeparator() { return Separator(); }

void ResetTextHooks() {
    Formatter() = DefaultFormat;
    Reader() = DefaultRead;
    Separator() = ":";
}

} // namespace solartext
