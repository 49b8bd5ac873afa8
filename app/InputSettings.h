#pragma once
// The inputs kept for the next run: the ten inputs of the main window's "Settings" section of the
// per-user settings store, read at start-up and written at close. No window is involved.
#include "TInputSet.h"

#include <QString>

// The ten inputs as the settings store holds them; each missing or unreadable value falls back to its
// start value.
TInputSet ReadInputSettings();
// Writes the ten inputs and the location name, and flushes the store.
void WriteInputSettings(const TInputSet& inputs, const QString& locationName);
