#pragma once
// Clear-sky irradiance as pure steps: each function returns one value from its arguments and changes
// nothing else. The model is the ASHRAE clear-day model (ASHRAE Handbook of Fundamentals, "Fenestration"
// and "Climatic design information" chapters, after Threlkeld and Jordan 1958), with the monthly A, B
// and Cd replaced by cosine fits of the day number. Angles in radians unless the name says degrees.

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
double DirectNormalIrradiance(const TClearSkyDay& day, double pressureRatio, double altitude,
                              double sinAltitude);
// Sky diffuse on a horizontal surface [W/m2]: Cd DN.
double DiffuseHorizontalIrradiance(const TClearSkyDay& day, double directNormal);
// Total (beam plus sky diffuse) on a horizontal surface [W/m2]: DN sin(beta) + Cd DN.
double TotalHorizontalIrradiance(const TClearSkyDay& day, double directNormal, double sinAltitude);

// Beam on the surface [W/m2]: DN cos(theta); 0 with the sun below the horizon or behind the surface.
double DirectOnSurface(double directNormal, double cosIncidence, double altitude);
// Whether the surface counts as vertical for the sky diffuse: cos(slope) below 0.0872, steeper than
// about 85 degrees, overhanging surfaces included.
bool SkyDiffuseIsVertical(double cosSlope);
// The factor of the horizontal sky diffuse that reaches the surface [-]. Vertical surfaces: the
// ratio Y of the beam's incident angle (0.45 when cos(theta) < -0.2, else 0.55 + 0.437 cos(theta) +
// 0.313 cos^2(theta); ASHRAE, after Threlkeld); other surfaces an isotropic sky, (1 + cos(slope)) / 2.
double SkyDiffuseFactor(double cosSlope, double cosIncidence);
// Sky diffuse on the surface [W/m2]: the factor times the horizontal sky diffuse; 0 with the sun
// below the horizon.
double SkyDiffuseOnSurface(double diffuseHorizontal, double factor, double altitude);
// Ground-reflected irradiance on the surface [W/m2]: 0.5 rho (1 - cos(slope)) times the horizontal
// total, for a diffusely reflecting ground of reflectance rho; 0 with the sun below the horizon.
double GroundReflectedOnSurface(double totalHorizontal, double reflectance, double cosSlope, double altitude);
// Transmission factor of the reference clear glass at an incident angle [deg] (sign ignored): 0.86
// at normal incidence, falling steeply beyond about 70 degrees (a fit to the published angular
// transmission of 3 mm clear glass).
double GlassTransmission(double incidentAngle);
