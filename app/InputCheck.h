#pragma once
// Whether a value may stand for an input: a text the user typed, or a value read from a file, is
// checked against the input's physical range (TInputSet's InputRange) and told back in words.
#include "TInputSet.h"

#include <QString>

// "-90 to 90", or "1 to under 367" where the upper limit is excluded.
QString RangeText(const TInputRange& range);

// "Latitude 999 lies outside -90 to 90": the input's name as the property list shows it, the value
// as given (typed text, or the number read), and its range.
QString OutOfRangeMessage(TInputId id, const QString& valueText);

// Reads a typed value for an input. Returns true with the value as the input holds it (an azimuth
// brought into -180..180); false with the message to show when the text is empty or not a number (the
// conversion error) or the number lies outside the input's range.
bool ReadInputText(TInputId id, const QString& text, double& value, QString& message);

// Checks the seven site and surface inputs that a project file holds, and brings the azimuth into
// -180..180. Returns an empty text when all lie within their ranges, else the message for the first
// that does not.
QString CheckProjectInputs(TInputSet& inputs);
