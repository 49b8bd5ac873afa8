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
