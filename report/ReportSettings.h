#pragma once
// The report layout settings: margins and column stops in centimetres, the preview zoom and the report
// font. One set per program run, loaded at start-up and saved with the main window's settings in the
// section "Report".
#include "storage/FontSettings.h"

#include <array>

// Indices into the 12 margin entries (and the 12 layout positions derived from them).
enum TMarginIndex {
    mLeft,
    mRight,
    mTop,
    mBottom,
    mStop1,
    mStop2,
    mStop3,
    mStop4,
    mStop5,
    mStop6,
    mStop7,
    mStop8
};
constexpr int MarginCount = 12;
using TMargins = std::array<double, MarginCount>;

struct TReportSettings {
    TMargins Margins{}; // [cm] left, right, top, bottom, then stops 1 to 8 from the page's left edge
    int ZoomMode = 0;   // preview zoom: 0 actual size, 1 full page
    TFontAttributes ReportFont;
    // Which stops came from the settings store; the others follow SetColumnStops.
    std::array<bool, MarginCount> Stored{};
};

// The program's one set of settings.
TReportSettings& ReportSettings();

// The margins "Reset margins" restores: 2.5 cm all round, stops at 3.5, 11, 12 ... 17 cm until
// SetColumnStops overwrites them.
TMargins& DefaultMargins();
// Writes the stops [cm] into DefaultMargins entries 4 onward; values past the eighth are ignored. A stop
// the user has not stored yet takes the new value in ReportSettings() too, so a first report's tables
// use the caller's stops rather than the load defaults (13, 13.5, 14.5 ... cm, which run columns into
// each other).
void SetColumnStops(const QList<double>& stops);

// Reads the section "Report": missing margins take the DefaultMargins entry, missing stops that entry
// plus 2, 2, 1.5, 1.5, 1, 1, 0, 0; "Zoom" defaults to 0; the font through LoadFontSettings. A stored
// margin that does not read as a number takes the default too.
void LoadReportSettings(TReportSettings& settings);
// Erases the section "Report" and writes every key: margins as decimal text in the locale's form.
void SaveReportSettings(const TReportSettings& settings);
