#pragma once
// The design report: the calculation written up for a client. The project block, the site, the day,
// the surface in words, every result table with its units and a legend, the sol-air temperature and
// solar heat gain, the window's sunlit fractions, the stacked plot as a chart, daily totals and peaks,
// the method and its assumptions, the calculation details of the hour nearest noon, and on request the
// design peaks of the nine orientations. Every page carries "Page n of N", a running header (project,
// site, date) and the version at its foot. The main window's "&Design Report..." and quorvane-cli
// --design-report make it.
#include "app/TCalcDocument.h"

#include <QString>

class TStdReport;

// The way the report states azimuths, in one place: "azimuth 180° from south, west positive".
QString AzimuthConventionText(double azimuth);
// The surface in words: "vertical wall facing north (azimuth 180° from south, west positive)".
QString SurfaceText(double azimuth, double slope);
// "26.13°S 28.23°E".
QString PositionText(double latitude, double longitude);
// The zone of a zone meridian [deg]: "UTC+2", "UTC+5:45", "UTC-10", "UTC".
QString ZoneText(double timeZone);
// The date of the document's day number: "21 June", in the calendar of the precise method's year, or
// of a year that is not a leap year for the published method (which has no year).
QString DayDateText(const TCalcDocument& doc);
// What the report says of the accuracy of its numbers (the figures of the help page's Accuracy section).
QString AccuracyText();

// The content procedure: reads the document, changes nothing, so the page engine may call it often.
void PrintDesignReport(TStdReport& report, const TCalcDocument& doc, bool designPeaks);
// Begins the design report (solving first when out of date) with the letterhead and logo of
// letterheadFolder (empty: the program folder); the PDF's title, author (the designer) and subject are
// set, and the preview mails it as one PDF file.
void BeginDesignReport(TStdReport& report, TCalcDocument& doc, bool designPeaks,
                       const QString& letterheadFolder = {});
