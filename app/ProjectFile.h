#pragma once
// Project files: seven IEEE 754 doubles in little-endian byte order (56 bytes, no header) holding
// Altitude, Latitude, Longitude, TimeZone, Azimuth, Slope and DayNumber. Readers and writers work on a
// QIODevice so they can be exercised on a buffer; the file wrappers add opening and a safe save.
#include "ProjectInfo.h"
#include "TInputSet.h"

#include <QIODevice>
#include <QString>

// Size of a project file in bytes; a longer file is read and its tail ignored.
inline constexpr int ProjectFileSize = 56;

// Reads the seven site and surface values into the first seven fields of inputs. Returns false, and
// leaves inputs untouched, when fewer than 56 bytes can be read or any value is not a finite number.
bool ReadProjectInputs(QIODevice& device, TInputSet& inputs);
// Writes the first seven fields of inputs; false, writing nothing, when any of them is not a finite
// number, and false when the device takes fewer than 56 bytes.
bool WriteProjectInputs(QIODevice& device, const TInputSet& inputs);

// The longest file read: the inputs and the largest project block.
inline constexpr int MaxProjectFileBytes = ProjectFileSize + 12 + MaxProjectSectionText;

// Opens path and reads it as above; false when it cannot be opened or read, or is not a regular file
// (a FIFO is refused at once instead of waiting for a writer). *reason, when given, says why. With
// info, the project block after the inputs is read into it (*section says how that went; a damaged
// block never stops the inputs from loading, and leaves *info as it was).
bool ReadProjectFile(const QString& path, TInputSet& inputs, QString* reason = nullptr,
                     TProjectInfo* info = nullptr, TProjectSection* section = nullptr);
// Writes a complete new file beside path and renames it over path, so a failed save leaves any
// previous file as it was: the inputs, then the project block when info holds one. Returns false on any
// failure, and when something other than a regular file (or a symbolic link to one) is at path: a FIFO
// or a device is never replaced.
bool SaveProjectFile(const QString& path, const TInputSet& inputs, const TProjectInfo& info = {});
