#include "Profile24.h"

#include <cstddef>

void MakeAmbientProfile(TProfile24& profile, double maximum, double minimum) {
    for (std::size_t i = 0; i < profile.size(); ++i)
        profile[i] = minimum + (maximum - minimum) * AmbientShape[i];
}

void FillProfile(TProfile24& profile, double value) {
    profile.fill(value);
}

std::string FormatProfile(const TProfile24& profile,
                          const std::function<std::string(double value)>& formatValue, char separator) {
    std::string text;
    for (std::size_t i = 0; i < profile.size(); ++i) {
        if (i > 0) text += separator;
        text += formatValue(profile[i]);
    }
    return text;
}

bool ParseProfile(TProfile24& profile, const std::function<bool(double& value)>& nextNumber) {
    for (double& slot : profile) {
        double value = 0;
        if (!nextNumber(value)) {
            slot = 0;
            return false;
        }
        slot = value;
    }
    return true;
}

void ProfileMaxMin(const TProfile24& profile, double& largest, double& smallest) {
    largest = profile[0];
    smallest = profile[0];
    for (std::size_t i = 1; i < profile.size(); ++i) {
        if (profile[i] > largest) largest = profile[i];
        if (!(profile[i] >= smallest)) smallest = profile[i];
    }
}
