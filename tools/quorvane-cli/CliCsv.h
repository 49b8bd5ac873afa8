#pragma once
// The command line's CSV texts: the hourly results of one day, of the design days and of the nine
// orientations, and the peak summary. Numbers have 17 significant digits and a '.' decimal point,
// lines end in a line feed, and the header is the first line unless metadata lines were asked for.
#include "app/TCalcDocument.h"

#include <QString>

// Machine-readable number: 17 significant digits, '.' decimal point, whatever the locale.
QString Exact(double value);

// The hourly results of the document's own day (solving it): a header "hour,...,sunlit,solved" and 24
// rows. With meta, "# key=value" lines come first: sunrise, sunset, declination, equation of time and
// the sun position method ("published", or "precise" and its year).
QString DayCsv(TCalcDocument& doc, bool meta);

// The same columns for the design days (year: "month,day," before them, 12 x 24 rows) and/or the nine
// orientations (orientations: "facade,azimuth,slope," before them, 9 x 24 rows, or 9 x 12 x 24 with
// year), from the source's inputs, ambient profile and colour.
QString DesignCsv(const TCalcDocument& source, bool year, bool orientations);

// The peaks over the design days of the source's surface ("surface") and of the nine orientations: one
// row each, with every peak quantity's value, month and clock hour (all three empty when there is no
// peak).
QString PeaksCsv(const TCalcDocument& source);
