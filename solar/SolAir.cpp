#include "SolAir.h"

TSolAirStep SolAirStepOf(double total, double ambient, double slope, TSurfaceColour colour) {
    TSolAirStep s;
    // Surfaces facing the sky lose long-wave radiation to it; steep ones see mostly the ground.
    s.SkyCorrection = slope >= 30 ? 0.0 : -3.9;
    s.Ratio = (colour == scDark ? 2 : 1) * 0.026;
    s.Temperature = s.Ratio * total + ambient + s.SkyCorrection;
    return s;
}

double SolAirTemperature(double total, double ambient, double slope, TSurfaceColour colour) {
    return SolAirStepOf(total, ambient, slope, colour).Temperature;
}
