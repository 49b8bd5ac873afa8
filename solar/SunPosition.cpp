#include "SunPosition.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double Pi = std::numbers::pi;
} // namespace

double SolarDeclination(double dayNumber) {
    // 0.40928 rad is 23.45 degrees, the obliquity used by Cooper's equation.
    return 0.4092797095926703 * std::sin((dayNumber + 284) * 2 * Pi / 365);
}

double EquationOfTime(double dayNumber) {
    const double b = (dayNumber - 81) * 2 * Pi / 364;
    return 9.87 * std::sin(2 * b) - 7.53 * std::cos(b) - 1.5 * std::sin(b);
}

double HalfDayLength(double latitude, double declination) {
    // Near the north pole tan(L) grows without bound; 1.55 rad keeps it finite.
    if (latitude > 1.55) latitude = 1.55;
    const double x = ClampUnit(std::tan(latitude) * std::tan(declination));
    return ArcCos(-x) * 12 / Pi;
}
