#pragma once
// The calculation document: the ten inputs, the picked location's design temperatures, the hourly
// result profiles with the rows of the result lists, the solved flag, the project file name and the one
// solar model. It holds no window: a main window (or the command-line program) observes it through the
// events below and shows what it holds, so the solve runs the same with or without windows.
#include "ProjectInfo.h"
#include "TInputSet.h"
#include "TableText.h"
#include "solar/Profile24.h"
#include "solar/SolAir.h"
#include "solar/TSolar.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// The result pages in the order of the main window's page control.
enum TResultPage { pgAngles, pgSolar, pgPlot, pgWindow, pgLocal, pgSolAir };

// The four read-only fields of the Local page, as shown.
struct TLocalFields {
    QString Sunrise;        // hh:mm:ss
    QString Sunset;         // hh:mm:ss
    QString Declination;    // degrees, "%0.3f"
    QString EquationOfTime; // minutes, "%0.3f"
};

class TCalcDocument {
public:
    // Start values of a first run, the start-up ambient profile (30 degC maximum, 10 K range), all
    // result profiles 0, out of date.
    TCalcDocument();

    // ---- Events (each may be left empty) ----

    // An input's value changed; a window shows it (rows 1..7 of the property list, the glass boxes).
    std::function<void(TInputId id, double value)> OnInputChanged;
    // The solved flag was set; status is "Solved..." or "Results are out of date...".
    std::function<void(bool solved, const QString& status)> OnSolvedChanged;
    // A solve is about to read the inputs: a window commits a value still being typed.
    std::function<void()> OnBeforeSolve;
    // The solve filled the profiles and the Angles and Solar rows (also after a solve that then failed
    // in its local-angles refresh): a window refills its lists and plot.
    std::function<void()> OnSolveFinished;
    // The sol-air profile and rows were rebuilt.
    std::function<void()> OnSolAirChanged;
    // The Local page's fields, time text or lines changed.
    std::function<void()> OnLocalChanged;
    // The window-shading command produced new fractions: a window shows the text and the profile view.
    std::function<void()> OnAreaFactorsChanged;
    // A command puts text on the clipboard.
    std::function<void(const QString& text)> OnClipboardText;
    // A message for the user with one OK button ("Error loading file...", a conversion error).
    std::function<void(const QString& text)> OnMessage;

    // ---- Inputs ----

    double Altitude() const { return FInputs.Altitude; }
    double Latitude() const { return FInputs.Latitude; }
    double Longitude() const { return FInputs.Longitude; }
    double TimeZone() const { return FInputs.TimeZone; }
    double Azimuth() const { return FInputs.Azimuth; }
    double Slope() const { return FInputs.Slope; }
    double DayNumber() const { return FInputs.DayNumber; }
    double GlassHeight() const { return FInputs.GlassHeight; }
    double GlassWidth() const { return FInputs.GlassWidth; }
    double GlassDepth() const { return FInputs.GlassDepth; }
    // An input by its id; inSunYear reads the sun position's year.
    double Input(TInputId id) const { return id == inSunYear ? FSunYear : InputValue(FInputs, id); }

    // Each stores the value and reports it through OnInputChanged; none changes Solved. A value that
    // is not a finite number is refused: nothing changes and nothing is reported.
    void SetAltitude(double value) { SetInput(inAltitude, value); }
    void SetLatitude(double value) { SetInput(inLatitude, value); }
    void SetLongitude(double value) { SetInput(inLongitude, value); }
    void SetTimeZone(double value) { SetInput(inTimeZone, value); }
    void SetAzimuth(double value) { SetInput(inAzimuth, value); }
    void SetSlope(double value) { SetInput(inSlope, value); }
    void SetDayNumber(double value) { SetInput(inDayNumber, value); }
    void SetGlassHeight(double value) { SetInput(inGlassHeight, value); }
    void SetGlassWidth(double value) { SetInput(inGlassWidth, value); }
    void SetGlassDepth(double value) { SetInput(inGlassDepth, value); }
    // inSunYear goes to SetSunYear (rounded to a whole year).
    void SetInput(TInputId id, double value);

    // The ten inputs as a record, and back through the ten setters in their fixed order.
    TInputSet CopyInputs() const { return FInputs; }
    void ApplyInputs(const TInputSet& inputs);

    // The Reset command's document part: the reset inputs (azimuth 180, slope 90) through the setters,
    // then a solve. Location, design temperatures, ambient profile, file name and colour stay.
    bool Reset();

    // ---- Sun position method ----

    // How the sun's position is worked out, and the year whose calendar the precise method reads the
    // day number in (the local clock's current year at first). A change marks the document out of date
    // and is reported through OnInputChanged as inSunYear with the year, so that the property list's
    // Year row shows it and whether it applies (with the precise method only). A year outside
    // InputRange(inSunYear) is refused: nothing changes.
    TSunMethod SunMethod() const { return FSunMethod; }
    int SunYear() const { return FSunYear; }
    void SetSunMethod(TSunMethod method);
    void SetSunYear(int year);
    // The method and year of another document, for a copy that must solve as it does.
    void SetSunFrom(const TCalcDocument& source) {
        SetSunMethod(source.SunMethod());
        SetSunYear(source.SunYear());
    }
    // The method as users read it: "published method" or "precise method, year 2026".
    QString SunMethodText() const;

    // ---- Location ----

    const QString& LocationName() const { return FLocationName; }
    double DesignMaxTemp() const { return FDesignMaxTemp; }
    double DailyRange() const { return FDailyRange; }
    // A confirmed location pick: name, site values and design temperatures; marks the document out of
    // date. Azimuth, slope, day and the ambient profile are left as they are.
    void PickLocation(const QString& name, double altitude, double latitude, double longitude,
                      double timeZone, double maxDryBulb, double dryBulbRange);

    // ---- State and project file ----

    bool Solved() const { return FSolved; }
    void SetSolved(bool solved);
    // "Solved...", with the sun position method after it when it is the precise one, or "Results are
    // out of date...".
    QString StatusText() const;

    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& path) { FFileName = path; }
    // FileName := path, then the file's seven values replace the site and surface inputs and the
    // document is out of date (the azimuth brought into -180..180). A missing, short or unreadable
    // file, or one holding a value that is not a finite number or lies outside its input's range,
    // reports "Error loading file..." (with the value out of range named) and changes no input. The
    // file's project block replaces ProjectInfo; a file without one leaves it, and a damaged one leaves
    // it with a message (the inputs still load).
    bool LoadProject(const QString& path);
    // FileName := path, then the inputs and the project block are saved; a failure reports "Error
    // saving file..." and leaves any previous file intact. The solved flag does not change.
    bool SaveProject(const QString& path);

    // The project block of the design report; it does not change the results.
    const TProjectInfo& ProjectInfo() const { return FProjectInfo; }
    void SetProjectInfo(const TProjectInfo& info) { FProjectInfo = info; }

    // ---- Solve ----

    // Fills the ten result profiles, sunrise and sunset, the Local page fields and the Angles and Solar
    // rows for the clock hours from the truncated sunrise to 24 minus it, or to the hour after sunset
    // when that is later (hours outside 0..23 are skipped: they get neither a slot nor a row), and for
    // every other clock hour 0..23 at which the sun is up (the morning of midnight sun, an hour after
    // the sun dipped near solar midnight). Rebuilds the sol-air table, refreshes the local angles and
    // marks the document solved. Returns false, leaving the flag as it was, when the local angles'
    // time text is not a number.
    bool Solve();
    // Solves when the document is out of date; true when it is solved afterwards.
    bool EnsureSolved();

    // Whether a solve writes the rows of the result lists (on by default). A document solved only for
    // its profiles, many times over (design days, orientations), skips their text, which is most of
    // a solve's time; the profiles are the same either way.
    void SetListRows(bool on) { FListRows = on; }

    double Sunrise() const { return FSunrise; }
    double Sunset() const { return FSunset; }
    // The hours a sunrise-range column profile draws: truncated sunrise to truncated (sunset + 1),
    // limited to 0..23, widened to every solved hour with the sun up.
    void SunriseRange(int& first, int& last) const;
    // Whether the last solve computed clock hour `hour` (0..23); the profiles hold 0 at the others.
    bool HourSolved(int hour) const;
    // The clock hours the last solve computed, in order: row r of the Angles and Solar lists shows
    // hour SolvedHours()[r].
    const QList<int>& SolvedHours() const { return FSolvedHours; }
    // Every intermediate of a solved hour's solve (declination to SHGF); all 0 at an hour not solved.
    const TSolarSteps& HourSteps(int hour) const;

    const TProfile24& AltitudeProfile() const { return FAltitudeProfile; }     // [deg]
    const TProfile24& AzimuthProfile() const { return FAzimuthProfile; }       // [deg]
    const TProfile24& IncidentProfile() const { return FIncidentProfile; }     // [deg]
    const TProfile24& SSAProfile() const { return FSSAProfile; }               // [deg]
    const TProfile24& NormalProfile() const { return FNormalProfile; }         // [W/m2]
    const TProfile24& DirectProfile() const { return FDirectProfile; }         // [W/m2]
    const TProfile24& DiffuseProfile() const { return FDiffuseProfile; }       // [W/m2]
    const TProfile24& ReflectedProfile() const { return FReflectedProfile; }   // [W/m2]
    const TProfile24& TotalProfile() const { return FTotalProfile; }           // [W/m2]
    const TProfile24& SHGFProfile() const { return FSHGFProfile; }             // [W/m2]
    const TProfile24& AmbientProfile() const { return FAmbientProfile; }       // [degC]
    const TProfile24& SolAirProfile() const { return FSolAirProfile; }         // [degC]
    const TProfile24& AreaFactorProfile() const { return FAreaFactorProfile; } // [0..1]

    // Rows of the result lists as shown (their headings: ColumnCaptions in ResultColumns.h).
    const QList<TResultRow>& AnglesRows() const { return FAnglesRows; }
    const QList<TResultRow>& SolarRows() const { return FSolarRows; }
    const QList<TResultRow>& SolAirRows() const { return FSolAirRows; }

    // ---- Sol-air temperature and ambient profile ----

    TSurfaceColour SurfaceColour() const { return FSurfaceColour; }
    // Stores the colour and rebuilds the sol-air table; the solved flag stays.
    void SetSurfaceColour(TSurfaceColour colour);
    // Sol-air profile for all 24 hours from the total irradiance, the ambient profile, the colour and
    // the current slope, with its rows.
    void RebuildSolAir();
    // "Auto Ambient": the ambient profile from the design maximum and daily range, its text ("%0.1f")
    // on the clipboard, and the sol-air table rebuilt.
    void AutoAmbient();
    // An edited ambient profile replaces the current one; the sol-air table is rebuilt. A profile
    // holding a value that is not a finite number is refused: nothing changes.
    void SetAmbientProfile(const TProfile24& profile);

    // ---- Local page ----

    const TLocalFields& LocalFields() const { return FLocalFields; }
    // The "Time, Hours" text and whether it is a solar time (else a clock time).
    const QString& LocalTimeText() const { return FLocalTimeText; }
    bool LocalTimeIsSolar() const { return FLocalTimeIsSolar; }
    void SetLocalTime(const QString& text, bool isSolarTime);
    // The seven lines of the sun position at the local time, on the solar model as the last solve or
    // window-shading command set it. A time text that is not a number reports the conversion error,
    // leaves no lines and returns false.
    bool RefreshLocalAngles();
    const QStringList& LocalLines() const { return FLocalLines; }
    // Sunrise or sunset afresh from the solar model, put into the time text ("%0.6g").
    void LocalTimeFromSunrise();
    void LocalTimeFromSunset();

    // ---- Window recess shading ----

    // Slope 90 for good, a solve, then the sunlit fraction of the glass for each hour; the fractions
    // ("%0.2f", comma-separated) go to AreaFactorText and the clipboard. False when the solve failed.
    bool GenerateAreaFactors();
    const QString& AreaFactorText() const { return FAreaFactorText; }

    // ---- Property list and clipboard ----

    // The nine lines of the input property list (heading, seven inputs and the sun position's year), in
    // entry-line syntax.
    static const QStringList& PropertyLines();
    // The list's row of an input (1 to 7, the year 8), or -1 for an input the list does not show; and
    // the input of a row (InputCount for the heading and rows beyond).
    static int PropertyRow(TInputId id);
    static TInputId PropertyInput(int row);
    // The three cells of the heading and the seven input lines as shown (the year, which the tables'
    // text and the report give with the method, is left out): heading texts, then name, value
    // formatted with the line's format, and units.
    QList<QStringList> PropertyCells() const;
    // The Copy command for a page: the table text of Angles, Solar or SolAir (solving first when out
    // of date), the window-shading fractions, or the sunrise and sunset text, given to OnClipboardText.
    // The Plot page's bitmap is the window's; for it, and when a needed solve fails, returns false.
    bool CopyPage(TResultPage page);
    // The text CopyPage would hand out for a table page (after solving when out of date); empty for the
    // other pages or a failed solve.
    QString PageTableText(TResultPage page);

    // The one solar model (for the window's needs and for measurements).
    TSolar& Solar() { return FSolar; }
    const TSolar& Solar() const { return FSolar; }

private:
    void SetUpSolar();
    void FillSunTimes();
    void SolveHour(int hour, QChar decimalSeparator);
    bool HourListed(int hour, double first, double last);
    void ClearResults();
    void ApplyAmbient(const TProfile24& profile);
    void Message(const QString& text) const;
    void Clipboard(const QString& text) const;
    static void Notify(const std::function<void()>& event);

    TInputSet FInputs;
    QString FLocationName;
    double FDesignMaxTemp = 30;
    double FDailyRange = 10;
    bool FSolved = false;
    bool FListRows = true;
    QString FFileName = QStringLiteral("Noname.qvx");
    TProjectInfo FProjectInfo;
    TSolar FSolar;
    TSunMethod FSunMethod = smPublished;
    int FSunYear = 0; // set at construction

    std::array<TSolarSteps, 24> FHourSteps{};
    std::array<bool, 24> FHourSolved{};
    QList<int> FSolvedHours;

    double FSunrise = 0;
    double FSunset = 0;
    TProfile24 FAltitudeProfile{}, FAzimuthProfile{}, FIncidentProfile{}, FSSAProfile{};
    TProfile24 FNormalProfile{}, FDirectProfile{}, FDiffuseProfile{}, FReflectedProfile{};
    TProfile24 FTotalProfile{}, FSHGFProfile{};
    TProfile24 FAmbientProfile{}, FSolAirProfile{}, FAreaFactorProfile{};
    QList<TResultRow> FAnglesRows, FSolarRows, FSolAirRows;

    TSurfaceColour FSurfaceColour = scLight;

    TLocalFields FLocalFields;
    QString FLocalTimeText; // "12.00" in the locale's decimal form, set at construction
    bool FLocalTimeIsSolar = false;
    QStringList FLocalLines;

    QString FAreaFactorText;
};
