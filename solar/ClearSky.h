#pragma once
// Clear-sky irradiance as pure steps: each function returns one value from its arguments and changes
// nothing else. The model is the ASHRAE clear-day model (ASHRAE Handbook of Fundamentals, "Fenestration"
// and "Climatic design information" chapters, after Threlkeld and Jordan 1958), with the monthly A, B
// and Cd replaced by cosine fits of the day number. Angles in radians unless the name says degrees.
#include <cmath>
#include <numbers>

// The day's clear-sky coefficients.
struct TClearSkyDay {
    double A = 0;  // apparent extraterrestrial irradiance [W/m2]
    double B = 0;  // atmospheric extinction coefficient at sea level [-]
    double Cd = 0; // diffuse sky ratio: horizontal sky diffuse over direct normal [-]
};

// Apparent extraterrestrial irradiance A of day number N [W/m2]: 1156.87 + 75.2961 cos(0.01851 N - 0.2658).
double ApparentExtraterrestrial(double dayNumber);
// Atmospheric extinction coefficient B of day number N [-], at sea level: 0.17539 + 0.03353
// cos(0.01937 N - 3.6693).
double AtmosphericExtinction(double dayNumber);
// Diffuse sky ratio Cd of day number N [-]: 0.09685 + 0.04006 cos(0.02067 N - 3.868).
double DiffuseSkyRatio(double dayNumber);
// A, B and Cd of day number N.
TClearSkyDay ClearSkyDayOf(double dayNumber);
// Pressure ratio P of the site altitude [m] to sea level [-]: exp(-0.0001184 z), the isothermal
// barometric formula; it scales the extinction.
double PressureRatio(double altitude);

// Direct normal irradiance DN [W/m2] of the sun at altitude beta (with its sine): A exp(-P B / sin beta).
// 0 while beta is not above 0.001 rad, where the air mass 1 / sin(beta) explodes.
inline double DirectNormalIrradiance(const TClearSkyDay& day, double pressureRatio, double altitude,
                                     double sinAltitude) {
    const double b = day.B * pressureRatio;
    return altitude > 0.001 ? day.A * std::exp(-b / sinAltitude) : 0.0;
}
// Sky diffuse on a horizontal surface [W/m2]: Cd DN.
inline double DiffuseHorizontalIrradiance(const TClearSkyDay& day, double directNormal) {
    return day.Cd * directNormal;
}
// Total (beam plus sky diffuse) on a horizontal surface [W/m2]: DN sin(beta) + Cd DN.
inline double TotalHorizontalIrradiance(const TClearSkyDay& day, double directNormal, double sinAltitude) {
    return sinAltitude * directNormal + day.Cd * directNormal;
}

// Beam on the surface [W/m2]: DN cos(theta); 0 with the sun below the horizon or behind the surface.
inline double DirectOnSurface(double directNormal, double cosIncidence, double altitude) {
    const double d = cosIncidence * directNormal;
    return altitude < 0 || d < 0 ? 0.0 : d;
}
// Whether the surface counts as vertical for the sky diffuse: cos(slope) below 0.0872, steeper than
// about 85 degrees, overhanging surfaces included.
inline bool SkyDiffuseIsVertical(double cosSlope) {
    return cosSlope < 0.0872;
}
// The factor of the horizontal sky diffuse that reaches the surface [-]. Vertical surfaces: the
// ratio Y of the beam's incident angle (0.45 when cos(theta) < -0.2, else 0.55 + 0.437 cos(theta) +
// 0.313 cos^2(theta); ASHRAE, after Threlkeld); other surfaces an isotropic sky, (1 + cos(slope)) / 2.
inline double SkyDiffuseFactor(double cosSlope, double cosIncidence) {
    if (!SkyDiffuseIsVertical(cosSlope)) return (1 + cosSlope) / 2;
    const double ct = cosIncidence;
    return ct < -0.2 ? 0.45 : 0.55 + 0.437 * ct + 0.313 * ct * ct;
}
// Sky diffuse on the surface [W/m2]: the factor times the horizontal sky diffuse; 0 with the sun
// below the horizon.
inline double SkyDiffuseOnSurface(double diffuseHorizontal, double factor, double altitude) {
    const double diffuse = factor * diffuseHorizontal;
    return altitude < 0 || diffuse < 0 ? 0.0 : diffuse;
}
// Ground-reflected irradiance on the surface [W/m2]: 0.5 rho (1 - cos(slope)) times the horizontal
// total, for a diffusely reflecting ground of reflectance rho; 0 with the sun below the horizon.
inline double GroundReflectedOnSurface(double totalHorizontal, double reflectance, double cosSlope,
                                       double altitude) {
    const double r = 0.5 * reflectance * totalHorizontal * (1 - cosSlope);
    return altitude < 0 || r < 0 ? 0.0 : r;
}
// Transmission factor of the reference clear glass at an incident angle [deg] (sign ignored): 0.86
// at normal incidence, falling steeply beyond about 70 degrees (a fit to the published angular
// transmission of 3 mm clear glass).
inline double GlassTransmission(double incidentAngle) {
    // The sixth power by three multiplications: pow() costs as much as the rest of the hour.
    const double x = std::fabs(incidentAngle) / 79;
    const double x2 = x * x;
    return 0.86 * std::exp(-0.5 * (x2 * x2 * x2));
}
