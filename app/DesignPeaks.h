#pragma once
// Design peaks: the document's own solve repeated for the design days of the year (the 21st of each
// month) and for the eight vertical facades and the horizontal; the month-by-hour table of a quantity
// and the peak of each quantity with the month and clock hour where it occurs. No window: the main
// window's Design Peaks command and the command line both read it.
#include "TCalcDocument.h"

#include <QList>
#include <QString>

#include <array>

inline constexpr int DesignMonths = 12;

// Day numbers of the 21st of each month in a year of 365 days: 21, 52, 80, ..., 355.
const std::array<int, DesignMonths>& DesignDays();
// Month 1..12 of a day number in a year of 365 days; a day past 365 reads as December, one before 1
// as January.
int MonthOfDay(double day);
// "Jan" .. "Dec" for months 1..12 (English, as scripts and reports read them); "" for any other.
QString MonthName(int month);

// A surface orientation in the program's own azimuth convention (AzimuthConvention) [deg], slope from
// horizontal [deg].
struct TOrientation {
    const char* Name; // "N", "NE", ..., "NW", "H"
    double Azimuth;   // [deg]
    double Slope;     // [deg]
};
inline constexpr int OrientationCount = 9;
// N, NE, E, SE, S, SW, W, NW (vertical), then the horizontal.
const std::array<TOrientation, OrientationCount>& Orientations();

// A quantity of the design tables, read from a solved document at a clock hour.
struct TDesignQuantity {
    const char* Name;    // "Total irradiance"
    const char* CsvName; // "total"
    const char* Units;   // "W/m2" or "degC"
    const char* Format;  // display format of a value
    double (*Value)(const TCalcDocument& doc, int hour);
    bool ZeroIsNone; // radiation: a maximum of 0 means the sun never reaches the surface
};
// The four peak quantities first (total irradiance, SHGF, sol-air temperature of a light and of a
// dark surface), then the other radiation components and the ambient temperature.
const QList<TDesignQuantity>& DesignQuantities();
inline constexpr int PeakQuantityCount = 4;

// One document, set up once from a source's inputs, ambient profile and colour, solved again for
// other days and surfaces with the same solve as the main window's (hours, model, sol-air).
class TDesignSolver {
public:
    explicit TDesignSolver(const TCalcDocument& source);
    // Solves day on the surface; the result is valid until the next call.
    const TCalcDocument& Solve(double day, double azimuth, double slope);
    // The source's own surface on a day.
    const TCalcDocument& Solve(double day);

private:
    TCalcDocument FDoc;
};

// A quantity over the design days: row m holds month m + 1, slot h clock hour h.
using TYearTable = std::array<TProfile24, DesignMonths>;

// The largest value of a table or a day, with where it lies. Ties keep the earliest month and hour;
// NaN never wins. Month 0 means no peak: every value is NaN, or the quantity is a radiation that
// never rises above 0.
struct TPeak {
    double Value = 0;
    int Month = 0; // 1..12
    int Hour = -1; // clock hour 0..23
    bool Found() const { return Month > 0; }
};
// Takes a day's profile of month into the peak.
void AddToPeak(TPeak& peak, const TProfile24& profile, int month, bool zeroIsNone);
TPeak YearPeak(const TYearTable& table, bool zeroIsNone);

// Each design quantity's table for the source's surface over the design days (one year solve).
QList<TYearTable> YearTables(const TCalcDocument& source);

// The four peak quantities of one surface.
struct TSurfacePeaks {
    QString Name;
    double Azimuth = 0;
    double Slope = 0;
    std::array<TPeak, PeakQuantityCount> Peaks;
};
// A peak as the window and the report show it: the value in its quantity's format ("0" when there is
// none), and "Jun 13:00" or "no sun".
QString PeakValueText(const TDesignQuantity& quantity, const TPeak& peak);
QString PeakWhenText(const TPeak& peak);

// The peaks of a surface over the design days (wholeYear) or on the source's own day.
TSurfacePeaks SurfacePeaks(TDesignSolver& solver, const QString& name, double azimuth, double slope,
                           double day, bool wholeYear);
// The nine orientations' peaks, in the order of Orientations().
QList<TSurfacePeaks> OrientationPeaks(const TCalcDocument& source, bool wholeYear);
