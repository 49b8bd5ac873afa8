#include "ClearSky.h"

#include <cmath>

double ApparentExtraterrestrial(double dayNumber) {
    return 1156.87 + 75.2961 * std::cos(0.01851 * dayNumber - 0.2658);
}

double AtmosphericExtinction(double dayNumber) {
    return 0.17539 + 0.03353 * std::cos(0.01937 * dayNumber - 3.6693);
}

double DiffuseSkyRatio(double dayNumber) {
    return 0.09685 + 0.04006 * std::cos(0.02067 * dayNumber - 3.868);
}

TClearSkyDay ClearSkyDayOf(double dayNumber) {
    return {ApparentExtraterrestrial(dayNumber), AtmosphericExtinction(dayNumber),
            DiffuseSkyRatio(dayNumber)};
}

double PressureRatio(double altitude) {
    return std::exp(-0.0001184 * altitude);
}

double DirectNormalIrradiance(const TClearSkyDay& day, double pressureRatio, double altitude,
                              double sinAltitude) {
    const double b = day.B * pressureRatio;
    return altitude > 0.001 ? day.A * std::exp(-b / sinAltitude) : 0.0;
}

double DiffuseHorizontalIrradiance(const TClearSkyDay& day, double directNormal) {
    return day.Cd * directNormal;
}

double TotalHorizontalIrradiance(const TClearSkyDay& day, double directNormal, double sinAltitude) {
    return sinAltitude * directNormal + day.Cd * directNormal;
}

double DirectOnSurface(double directNormal, double cosIncidence, double altitude) {
    const double d = cosIncidence * directNormal;
    return altitude < 0 || d < 0 ? 0.0 : d;
}

bool SkyDiffuseIsVertical(double cosSlope) {
    return cosSlope < 0.0872;
}

double SkyDiffuseFactor(double cosSlope, double cosIncidence) {
    if (!SkyDiffuseIsVertical(cosSlope)) return (1 + cosSlope) / 2;
    const double ct = cosIncidence;
    return ct < -0.2 ? 0.45 : 0.55 + 0.437 * ct + 0.313 * ct * ct;
}

double SkyDiffuseOnSurface(double diffuseHorizontal, double factor, double altitude) {
    const double diffuse = factor * diffuseHorizontal;
    return altitude < 0 || diffuse < 0 ? 0.0 : diffuse;
}

double GroundReflectedOnSurface(double totalHorizontal, double reflectance, double cosSlope,
                                double altitude) {
    const double r = 0.5 * reflectance * totalHorizontal * (1 - cosSlope);
    return altitude < 0 || r < 0 ? 0.0 : r;
}

double GlassTransmission(double incidentAngle) {
    // The sixth power by three multiplications: pow() costs as much as the rest of the hour.
    const double x = std::fabs(incidentAngle) / 79;
    const double x2 = x * x;
    return 0.86 * std::exp(-0.5 * (x2 * x2 * x2));
}
