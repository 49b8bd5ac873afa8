#pragma once
// Sunlit area fraction of rectangular vertical glass set back in a wall recess: the side reveals
// cast a shadow across the width, the head a shadow down the height.
#include "Profile24.h"

class TSolar;

// The recess at one sun position, as the fraction is worked out.
struct TRecessStep {
    bool SunOnGlass = false; // the sun above the horizon and in front of the glass
    double SideShadow = 0;   // x = D tan(gamma), limited to 0..W [m]
    double HeadShadow = 0;   // y = D tan(beta) / cos(gamma), limited to 0..H [m]
    double Fraction = 0;     // (W - x) (H - y) / (W H) [0..1]; 0 unless SunOnGlass
};

// The sunlit fraction of glass H x W [m] set back D [m] with its shadows, for the sun at altitude beta
// and surface-solar azimuth gamma [rad] and the incident angle on the glass theta [deg]; as
// RecessSunlitFraction below, of which it is the geometry.
TRecessStep RecessStepOf(double altitude, double surfaceSolarAzimuth, double incidentAngle,
                         double glassHeight, double glassWidth, double glassDepth);

// Sunlit fraction [0..1] of glass H x W [m] set back D [m], at full clock hour clockHour [h].
// The TSolar must have day, location and surface (vertical, slope 90) set; its time is set here.
// The side shadow uses the unfolded surface-solar azimuth gamma: with gamma between 270 and 360
// degrees (the sun round the far side of the normal) its sine is negative and the side shadow is 0.
// 0 when the sun is behind the wall (incident angle 90 degrees or more), on or below the horizon,
// or exactly in the wall's plane; also 0 for glass without area (H or W not above 0) or values
// that are not finite. A shadow wider or taller than the glass gives 0, never a negative fraction.
double RecessSunlitFraction(TSolar& solar, int clockHour, double glassHeight, double glassWidth,
                            double glassDepth);

// Fills `out` with the sunlit fraction of every clock hour 0..23 of the day: RecessSunlitFraction of
// each, so every hour with the sun up and in front of the glass gets its fraction, the morning hours
// of midnight sun and an hour after the sun dipped near solar midnight included.
void RecessAreaFactors(TSolar& solar, double glassHeight, double glassWidth, double glassDepth,
                       TProfile24& out);
