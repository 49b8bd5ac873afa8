#include "RecessShading.h"

#include "TSolar.h"

#include <cmath>

namespace {

constexpr double HalfPi = 1.5707963267948966;

// Limits a shadow length to the glass dimension and to 0: a shadow wider than the glass covers it
// all, and a negative one (sun on the far side of the reveal's normal) casts nothing.
double LimitShadow(double length, double glassSize) {
    if (length > glassSize) length = glassSize;
    if (length < 0) length = 0;
    return length;
}

} // namespace

TRecessStep RecessStepOf(double altitude, double surfaceSolarAzimuth, double incidentAngle,
                         double glassHeight, double glassWidth, double glassDepth) {
    TRecessStep step;
    if (!(glassHeight > 0) || !(glassWidth > 0) || !std::isfinite(glassHeight) ||
        !std::isfinite(glassWidth) || !std::isfinite(glassDepth))
        return step;
    const double beta = altitude, gamma = surfaceSolarAzimuth, theta = incidentAngle;
    // theta is an arc cosine (0 to 180 degrees): only its upper limit can fail.
    const bool inFront = theta < 90 && std::fabs(gamma) != HalfPi;
    if (!inFront || !(beta > 0 && beta < HalfPi)) return step;

    step.SunOnGlass = true;
    const double cosGamma = std::cos(gamma);
    const double cosBeta = std::cos(beta);
    double x = 0; // shadow of the side reveal across the width [m]
    double y = 0; // shadow of the head down the height [m]
    if (cosGamma != 0) {
        // gamma is the unfolded azimuth difference: between 270 and 360 degrees its sine is negative
        // and the limit below turns that side shadow into 0, as the published figures have it.
        x = glassDepth * std::sin(gamma) / cosGamma;
        // The head shadow follows the profile angle: tan(beta) / cos(gamma).
        if (cosBeta != 0) y = glassDepth * std::sin(beta) / cosBeta / cosGamma;
    }
    step.SideShadow = LimitShadow(x, glassWidth);
    step.HeadShadow = LimitShadow(y, glassHeight);
    step.Fraction =
        (glassWidth - step.SideShadow) * (glassHeight - step.HeadShadow) / (glassWidth * glassHeight);
    return step;
}

double RecessSunlitFraction(TSolar& solar, int clockHour, double glassHeight, double glassWidth,
                            double glassDepth) {
    solar.SetClockTime(clockHour);
    return RecessStepOf(solar.SolarAltitude() * DegToRad, solar.SurfaceSolarAzimuth() * DegToRad,
                        solar.IncidentAngle(), glassHeight, glassWidth, glassDepth)
        .Fraction;
}

void RecessAreaFactors(TSolar& solar, double glassHeight, double glassWidth, double glassDepth,
                       TProfile24& out) {
    for (int hour = 0; hour < static_cast<int>(out.size()); ++hour)
        out[hour] = RecessSunlitFraction(solar, hour, glassHeight, glassWidth, glassDepth);
}
