#pragma once
// The ten rows of the location dialog's read-only summary of a place: label and value text.
#include "LocationRecord.h"

#include <QString>

#include <array>
#include <utility>

constexpr int LocationSummaryRows = 10;
using TLocationSummary = std::array<std::pair<QString, QString>, LocationSummaryRows>;

// Labels and values in the user's decimal separator: "26.13S", "28.23E", "30E", "1753 m",
// "30.1/29.0 °C", ...
TLocationSummary LocationSummary(const LocationRecord& record);
