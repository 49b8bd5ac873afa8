#pragma once
// The inputs kept for the next run: the ten inputs of the main window's "Settings" section of the
// per-user settings store, read at start-up and written at close. No window is involved.
#include "TInputSet.h"
#include "solar/TSolar.h"

#include <QString>

// The ten inputs as the settings store holds them; each missing or unreadable value falls back to its
// start value.
TInputSet ReadInputSettings();
// The sun position method and the precise method's year ("SunMethod": 0 published, 1 precise;
// "SunYear"); absent, the published method and the given year.
struct TSunSetting {
    TSunMethod Method = smPublished;
    int Year = 0;
};
TSunSetting ReadSunSetting(int defaultYear);
void WriteSunSetting(const TSunSetting& setting);
// The folder of the last project file read or written, by this run or an earlier one ("ProjectFolder"),
// with a trailing slash; the fallback when none was kept or the folder no longer exists.
QString ReadProjectFolder(const QString& fallback);
// Keeps the folder of a project file just read or written, and flushes the store.
void WriteProjectFolder(const QString& projectPath);
// Writes the ten inputs and the location name, and flushes the store.
void WriteInputSettings(const TInputSet& inputs, const QString& locationName);
