#pragma once
// Sol-air temperature of an opaque outer surface.

// Colour of the outer surface for the sol-air temperature.
enum TSurfaceColour { scLight, scDark };

// The sol-air temperature with the two terms it is made of.
struct TSolAirStep {
    double Ratio = 0;         // absorptance over outer film coefficient [m2K/W]: 0.026, doubled for dark
    double SkyCorrection = 0; // long-wave loss to the sky [K]: -3.9 below 30 degrees of slope, else 0
    double Temperature = 0;   // Ratio * total + ambient + SkyCorrection [degC]
};

// Sol-air temperature [degC] of an opaque surface: ambient [degC] plus absorbed total irradiance
// [W/m2] times 0.026 m2K/W (doubled for a dark surface), less 3.9 K of sky radiation for surfaces
// tilted less than 30 degrees [deg].
TSolAirStep SolAirStepOf(double total, double ambient, double slope, TSurfaceColour colour);
double SolAirTemperature(double total, double ambient, double slope, TSurfaceColour colour);
