#pragma once
// Sol-air temperature of an opaque outer surface.

// Colour of the outer surface for the sol-air temperature.
enum TSurfaceColour { scLight, scDark };

// Sol-air temperature [degC] of an opaque surface: ambient [degC] plus absorbed total irradiance
// [W/m2] times 0.026 m2K/W (doubled for a dark surface), less 3.9 K of sky radiation for surfaces
// tilted less than 30 degrees [deg].
double SolAirTemperature(double total, double ambient, double slope, TSurfaceColour colour);
