#include "SolAir.h"

double SolAirTemperature(double total, double ambient, double slope, TSurfaceColour colour) {
    // Surfaces facing the sky lose long-wave radiation to it; steep ones see mostly the ground.
    const double skyCorrection = slope >= 30 ? 0.0 : -3.9;
    const double absorptanceRatio = (colour == scDark ? 2 : 1) * 0.026; // [m2K/W]
    return absorptanceRatio * total + ambient + skyCorrection;
}
