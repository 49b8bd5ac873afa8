#include "CliRun.h"

#include "CliCsv.h"

#include "app/CalcDetails.h"
#include "app/InputCheck.h"
#include "app/ProjectFile.h"
#include "app/TCalcDocument.h"
#include "controls/TxNumText.h"

#include <QCommandLineParser>
#include <QLocale>

#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace {

// A bad command line; its text is the one line printed on stderr.
class EUsage : public std::runtime_error {
public:
    explicit EUsage(const QString& text) : std::runtime_error(text.toStdString()) {}
};

struct TNumberOption {
    const char* Name;
    TInputId Input;
    const char* ValueName;
    const char* Help;
};

const std::array<TNumberOption, InputCount> NumberOptions{{
    {"altitude", inAltitude, "M", "Site barometric altitude above sea level [m]"},
    {"latitude", inLatitude, "DEG", "Site latitude [deg], south negative"},
    {"longitude", inLongitude, "DEG", "Site longitude [deg], east positive"},
    {"timezone", inTimeZone, "DEG",
     "Longitude of the time-zone meridian [deg], east positive (15 per hour, a multiple of 3.75)"},
    {"azimuth", inAzimuth, "DEG", "Surface azimuth [deg]: %1; any value, taken into -180 to 180."},
    {"slope", inSlope, "DEG", "Surface slope from horizontal [deg]: 0 horizontal, 90 vertical"},
    {"day", inDayNumber, "N", "Day of the year, may be fractional"},
    {"glass-height", inGlassHeight, "M", "Window glass height [m]"},
    {"glass-width", inGlassWidth, "M", "Window glass width [m]"},
    {"glass-depth", inGlassDepth, "M", "Recess depth of the glass [m]"},
}};

struct TPageName {
    const char* Name;
    TResultPage Page;
};
constexpr TPageName Pages[] = {
    {"angles", pgAngles}, {"solar", pgSolar}, {"solair", pgSolAir}, {"local", pgLocal}, {"window", pgWindow}};

const char* Description =
    "Solar position, clear-sky radiation, heat gain, sol-air temperature and window shading for one\n"
    "site, surface and day, computed for the clock hours of the day.\n"
    "\n"
    "Inputs: every input not given keeps its Reset value (shown in brackets). --file reads the seven\n"
    "site and surface inputs of a project file; options given as well override the file.\n"
    "\n"
    "Output (one of):\n"
    "  --table PAGE  the text that the Copy command puts on the clipboard for that result page, with\n"
    "                CR LF line ends: angles, solar and solair print the table text; local prints the\n"
    "                sunrise and sunset text; window prints the 24 sunlit fractions of the glass (this\n"
    "                makes the surface vertical, as the window-shading command does).\n"
    "  --csv         a header line and 24 rows, one per clock hour 0..23, each value with 17\n"
    "                significant digits and a '.' decimal point. Columns: hour, altitude, azimuth,\n"
    "                ssa, incident (degrees), normal, direct, diffuse, reflected, total, shgf (W/m2),\n"
    "                ambient, solair (degC), sunlit (the sunlit fraction of the recessed glass,\n"
    "                standing vertical in the surface's azimuth, 0..1), solved (1 for an hour the\n"
    "                solve computed, 0 for one it did not: those hold 0 in every column but ambient,\n"
    "                solair and sunlit, which cover all 24 hours). This is the default.\n"
    "  --csv-meta    with --csv: '# key=value' lines before the header: sunrise and sunset (decimal\n"
    "                clock hours), declination (deg), equation_of_time (min), sun_position\n"
    "                (published or precise) and, for the precise method, year.\n"
    "  --year        the same columns for the design days, the 21st of each month (days 21, 52, 80,\n"
    "                111, 141, 172, 202, 233, 264, 294, 325, 355), after month,day: 12 x 24 rows.\n"
    "  --orientations  the same columns for the facades N, NE, E, SE, S, SW, W, NW (vertical) and H\n"
    // %1: the azimuth convention, broken across two lines (HelpConvention).
    "                (horizontal), after facade,facade_azimuth,facade_slope (azimuth %1): 9 x 24 rows on the "
    "day given, or 9 x 12 x 24 with --year.\n"
    "  --explain HOUR  the working behind clock hour HOUR (0..23, an hour the solve computed): every\n"
    "                input, then each step with its name, symbol, formula, the formula with the values\n"
    "                put in, value and unit, as the Calculation Details window shows it. With --json a\n"
    "                JSON array of the steps (section, key, name, symbol, formula, with_values, value,\n"
    "                unit); a key that names a CSV column holds that column's value.\n"
    "  --peaks       the peaks over the design days of the surface given ('surface') and of the nine\n"
    "                facades: total, shgf, solair_light, solair_dark, each with _month (1..12) and\n"
    "                _hour (clock hour); all three empty when the sun never reaches the surface.\n"
    "  --report FILE.pdf  the report of the Report command (inputs, angles and radiation tables under the\n"
    "                letterhead and logo of --letterhead-folder DIR, else of the program folder) as a PDF\n"
    "                file, made without a display. Exit status 1 when it cannot be written.\n"
    "  --design-report  with --report: the design report instead (project, site, day, surface, every\n"
    "                table with units and legend, sol-air, window, chart, totals and peaks, method),\n"
    "                with the project block of a --file project that holds one.\n"
    "  --design-peaks  with --report: either report with the design peaks of the surface and the nine\n"
    "                facades, as File, Report with Design Peaks and the design report's tick give them.\n"
    "\n"
    "Sun position: --sun published (the default) uses the published fits of the day number; --sun\n"
    "precise an astronomical algorithm (within 0.01 degrees of an ephemeris) for the day number in\n"
    "the calendar of --sun-year (1900 to 2100, the current year by default). Every output uses it.\n"
    "\n"
    "Numbers are read and written in the C locale ('.' decimal point) whatever the user's locale.\n"
    "Latitude lies within -90 to 90, longitude within -180 to 180, time zone within -180 to 210, day\n"
    "within 1 to under 367, slope within 0 to 180, altitude within -500 to 9000; values read with --file\n"
    "are checked the same way. A time zone that is not a multiple of 3.75 (a quarter hour) gets a\n"
    "warning line on stderr (it may have been given in hours). Exit status: 0 on success, 1 when the output "
    "cannot be\n"
    "written, 2 for bad input (an unknown option, a missing value, a text that is not a number, a value\n"
    "out of range, a project file that is unreadable, short or not a regular file), with one line on\n"
    "stderr.";

// The azimuth convention as the description's --orientations paragraph holds it: broken after "west,"
// at the paragraph's right margin.
QString HelpConvention() {
    return QString::fromLatin1(AzimuthConvention)
        .replace(QStringLiteral("west, "), QStringLiteral("west,\n                "));
}

QString Number(double value) {
    return FormatFloat(QStringLiteral("%g"), value);
}

// An option's help: its text, its range when it has one, and its Reset value.
QString OptionHelp(const TNumberOption& o) {
    const TInputRange range = InputRange(o.Input);
    QString help = QString::fromLatin1(o.Help);
    if (o.Input == inAzimuth) help = help.arg(QLatin1String(AzimuthConvention));
    if (range.Limited()) help += QStringLiteral(", %1.").arg(RangeText(range));
    return help + QStringLiteral(" [%1]").arg(Number(InputValue(ResetInputSet(), o.Input)));
}

struct TFlag {
    const char* Name;
    const char* Help;
};
constexpr TFlag Flags[] = {
    {"csv", "Print every hourly result as CSV (the default)."},
    {"csv-meta", "With --csv: sun times, declination and equation of time as '# key=value' lines first."},
    {"year", "Print the hourly results of the design days (21st of each month) as CSV."},
    {"orientations", "Print the hourly results of the nine facades as CSV."},
    {"peaks", "Print the design-day peaks of the surface and the nine facades as CSV."},
    {"json", "With --explain: the steps as a JSON array."},
    {"design-report", "With --report: the design report (project block from a --file that has one)."},
    {"design-peaks", "With --report: the report with the design peaks of the surface and the nine facades."},
};

bool IsSet(const QCommandLineParser& parser, const char* name) {
    return parser.isSet(QString::fromLatin1(name));
}

void AddOptions(QCommandLineParser& parser) {
    for (const TNumberOption& o : NumberOptions)
        parser.addOption({QString::fromLatin1(o.Name), OptionHelp(o), QString::fromLatin1(o.ValueName)});
    parser.addOption({QStringLiteral("file"), QStringLiteral("Project file whose seven inputs to use."),
                      QStringLiteral("PROJECT.qvx")});
    parser.addOption({QStringLiteral("sun"),
                      QStringLiteral("Sun position method: published or precise [published]."),
                      QStringLiteral("published|precise")});
    parser.addOption({QStringLiteral("sun-year"),
                      QStringLiteral("Calendar year of the day number for --sun precise, 1900 to 2100 "
                                     "[the current year]."),
                      QStringLiteral("YEAR")});
    parser.addOption({QStringLiteral("colour"),
                      QStringLiteral("Outer surface colour for sol-air: light or dark [light]."),
                      QStringLiteral("light|dark")});
    parser.addOption(
        {QStringLiteral("table"),
         QStringLiteral("Print a result page's clipboard text: angles, solar, solair, local or window."),
         QStringLiteral("PAGE")});
    parser.addOption({QStringLiteral("report"),
                      QStringLiteral("Write the report (inputs, angles and radiation tables) as a PDF file; "
                                     "needs no display."),
                      QStringLiteral("FILE.pdf")});
    parser.addOption(
        {QStringLiteral("letterhead-folder"),
         QStringLiteral("With --report: the folder of LetterHead.txt and ReportLogo.gif/.jpg/.bmp "
                        "[the program folder]."),
         QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("explain"),
                      QStringLiteral("Print the working behind a clock hour the solve computed (0..23)."),
                      QStringLiteral("HOUR")});
    for (const TFlag& f : Flags)
        parser.addOption({QString::fromLatin1(f.Name), QString::fromLatin1(f.Help)});
    // Not addHelpOption: its --help-all would print Qt's own options, which this program does not read.
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help.")});
}

QString OptionName(const TNumberOption& o) {
    return QStringLiteral("--") + QString::fromLatin1(o.Name);
}

// The value as the input holds it; `where` names the source in the message ("--latitude: 120 lies
// outside -90 to 90", "--file: latitude 120 lies outside ...").
double CheckedValue(const TNumberOption& o, double value, const QString& where, const QString& text) {
    const TInputRange range = InputRange(o.Input);
    if (!range.Contains(value))
        throw EUsage(QStringLiteral("%1: %2 lies outside %3").arg(where, text, RangeText(range)));
    return NormalisedInput(o.Input, value);
}

double ReadNumber(const TNumberOption& o, const QString& text) {
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw EUsage(OptionName(o) + QStringLiteral(": ") + ConvertErrorMessage(text));
    return CheckedValue(o, value, OptionName(o), text);
}

// A project file's values get the checks of the options they stand for.
void CheckFileInputs(TInputSet& inputs) {
    for (const TNumberOption& o : NumberOptions) {
        const double value = InputValue(inputs, o.Input);
        const QString text = QString::fromLatin1(o.Name) + QLatin1Char(' ') + Number(value);
        SetInputValue(inputs, o.Input, CheckedValue(o, value, QStringLiteral("--file"), text));
    }
}

// Zone meridians in use lie on whole quarter hours (3.75 degrees: +5:45 is 86.25); a small value that
// does not was probably given in hours.
QString TimeZoneWarning(double zone) {
    if (std::remainder(zone, 3.75) == 0) return {};
    const QString line =
        QStringLiteral("quorvane-cli: warning: --timezone %1 is not a multiple of 3.75 degrees")
            .arg(Number(zone));
    if (std::abs(zone) > 14) return line + QLatin1Char('\n');
    return line +
           QStringLiteral("; did you mean hours? (%1 hours is %2)\n").arg(Number(zone), Number(zone * 15));
}

// The inputs, and the project block of a --file project that holds one; a damaged block is left out
// with a warning line.
TInputSet ReadInputs(const QCommandLineParser& parser, TProjectInfo& project, QString& warning) {
    TInputSet inputs = ResetInputSet();
    if (parser.isSet(QStringLiteral("file"))) {
        const QString path = parser.value(QStringLiteral("file"));
        QString reason;
        TProjectSection section = psAbsent;
        if (!ReadProjectFile(path, inputs, &reason, &project, &section))
            throw EUsage(QStringLiteral("--file: cannot read project file '%1': %2").arg(path, reason));
        CheckFileInputs(inputs);
        if (section == psDamaged)
            warning +=
                QStringLiteral("quorvane-cli: warning: the project details after the inputs in '%1' are "
                               "damaged and were not read\n")
                    .arg(path);
    }
    for (const TNumberOption& o : NumberOptions)
        if (parser.isSet(QString::fromLatin1(o.Name)))
            SetInputValue(inputs, o.Input, ReadNumber(o, parser.value(QString::fromLatin1(o.Name))));
    return inputs;
}

TSurfaceColour ReadColour(const QCommandLineParser& parser) {
    const QString text = parser.value(QStringLiteral("colour"));
    if (text.isEmpty() || text == QLatin1String("light")) return scLight;
    if (text == QLatin1String("dark")) return scDark;
    throw EUsage(QStringLiteral("--colour: '%1' is neither light nor dark").arg(text));
}

void ReadSunMethod(const QCommandLineParser& parser, TCalcDocument& doc) {
    const QString method = parser.value(QStringLiteral("sun"));
    if (method == QLatin1String("precise"))
        doc.SetSunMethod(smPrecise);
    else if (!method.isEmpty() && method != QLatin1String("published"))
        throw EUsage(QStringLiteral("--sun: '%1' is neither published nor precise").arg(method));
    if (!parser.isSet(QStringLiteral("sun-year"))) return;
    const QString text = parser.value(QStringLiteral("sun-year"));
    bool ok = false;
    const int year = text.toInt(&ok);
    const TInputRange range = InputRange(inSunYear);
    if (!ok || !range.Contains(year))
        throw EUsage(QStringLiteral("--sun-year: '%1' is not a year from %2 to %3")
                         .arg(text, Number(range.Lo), Number(range.Hi)));
    doc.SetSunYear(year);
}

std::optional<TResultPage> ReadPage(const QCommandLineParser& parser) {
    if (!parser.isSet(QStringLiteral("table"))) return std::nullopt;
    if (parser.isSet(QStringLiteral("csv")))
        throw EUsage(QStringLiteral("give either --table or --csv, not both"));
    const QString text = parser.value(QStringLiteral("table"));
    for (const TPageName& p : Pages)
        if (text == QLatin1String(p.Name)) return p.Page;
    throw EUsage(
        QStringLiteral("--table: unknown page '%1' (angles, solar, solair, local or window)").arg(text));
}

QString OneLine(const QString& text);

// The output options, checked against each other.
enum TOutput { outCsv, outTable, outDesign, outPeaks, outReport, outExplain };

TOutput ReadOutput(const QCommandLineParser& parser) {
    const bool table = IsSet(parser, "table"),
               design = IsSet(parser, "year") || IsSet(parser, "orientations"),
               peaks = IsSet(parser, "peaks"), report = IsSet(parser, "report"),
               explain = IsSet(parser, "explain");
    if (int(table) + int(design) + int(peaks) + int(report) + int(explain) > 1)
        throw EUsage(
            QStringLiteral("give one of --table, --peaks, --report, --explain and --year/--orientations"));
    if (IsSet(parser, "csv-meta") && (table || design || peaks || report || explain))
        throw EUsage(QStringLiteral("--csv-meta goes with --csv only"));
    if (IsSet(parser, "letterhead-folder") && !report)
        throw EUsage(QStringLiteral("--letterhead-folder goes with --report only"));
    for (const char* option : {"design-report", "design-peaks"})
        if (IsSet(parser, option) && !report)
            throw EUsage(QStringLiteral("--%1 goes with --report only").arg(QLatin1String(option)));
    if (IsSet(parser, "json") && !explain) throw EUsage(QStringLiteral("--json goes with --explain only"));
    if (explain && IsSet(parser, "csv"))
        throw EUsage(QStringLiteral("give either --explain or --csv, not both"));
    return table     ? outTable
           : design  ? outDesign
           : peaks   ? outPeaks
           : report  ? outReport
           : explain ? outExplain
                     : outCsv;
}

// The report as a PDF file; its messages, and a failure to write it, as lines on stderr.
TCliResult WriteReport(const QCommandLineParser& parser, TCalcDocument& doc, const TCliReportWriter& write,
                       const QString& warning) {
    if (!write) throw EUsage(QStringLiteral("--report is not available in this program"));
    QString folder = parser.value(QStringLiteral("letterhead-folder"));
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    const QString path = parser.value(QStringLiteral("report"));
    QStringList messages;
    const bool ok =
        write(doc, path, folder, {IsSet(parser, "design-report"), IsSet(parser, "design-peaks")}, messages);
    QString error = warning;
    for (const QString& m : messages)
        error += QStringLiteral("quorvane-cli: report: %1\n").arg(OneLine(m));
    if (!ok) error += QStringLiteral("quorvane-cli: --report: cannot write '%1'\n").arg(path);
    return {ok ? CliOk : CliOutputFailed, {}, error};
}

// The clock hour of --explain: a whole number 0..23.
int ReadExplainHour(const QCommandLineParser& parser) {
    const QString text = parser.value(QStringLiteral("explain"));
    bool ok = false;
    const int hour = text.toInt(&ok);
    if (!ok || hour < 0 || hour > 23)
        throw EUsage(QStringLiteral("--explain: '%1' is not a clock hour 0 to 23").arg(text));
    return hour;
}

// The working behind a computed hour, as text or JSON; an hour the solve left out is bad input.
QString Explain(const TCalcDocument& doc, int hour, bool json) {
    if (!doc.HourSolved(hour)) {
        QStringList computed;
        for (int h = 0; h < 24; ++h)
            if (doc.HourSolved(h)) computed << QString::number(h);
        throw EUsage(
            QStringLiteral("--explain: clock hour %1 was not computed (the sun is down); computed: %2")
                .arg(hour)
                .arg(computed.isEmpty() ? QStringLiteral("none") : computed.join(QLatin1Char(' '))));
    }
    return json ? QString::fromUtf8(CalcDetailsJson(CalcDetails(doc, hour))) : CalcDetailsText(doc, hour);
}

// The clipboard texts of the Local and Window pages end without a line end; a terminal or a script
// reading lines wants one.
QString EndLine(const QString& text) {
    return text.endsWith(QLatin1Char('\n')) ? text : text + QStringLiteral("\r\n");
}

TCliResult Run(const QStringList& arguments, const TCliReportWriter& writeReport) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(Description).arg(HelpConvention()));
    AddOptions(parser);
    if (!parser.parse(arguments)) throw EUsage(parser.errorText());
    if (IsSet(parser, "help")) return {CliOk, parser.helpText(), {}};
    if (!parser.positionalArguments().isEmpty())
        throw EUsage(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    const TOutput output = ReadOutput(parser);
    const std::optional<TResultPage> page = ReadPage(parser);
    const int explainHour = output == outExplain ? ReadExplainHour(parser) : 0;
    TCalcDocument doc;
    TProjectInfo project;
    QString fileWarning;
    doc.ApplyInputs(ReadInputs(parser, project, fileWarning));
    doc.SetProjectInfo(project);
    doc.SetSurfaceColour(ReadColour(parser));
    ReadSunMethod(parser, doc);
    const QString warning = fileWarning + TimeZoneWarning(doc.TimeZone());
    QString clipboard;
    doc.OnClipboardText = [&clipboard](const QString& text) { clipboard = text; };
    doc.Solve();
    switch (output) {
    case outTable:
        doc.CopyPage(*page);
        return {CliOk, EndLine(clipboard), warning};
    case outDesign:
        return {CliOk, DesignCsv(doc, IsSet(parser, "year"), IsSet(parser, "orientations")), warning};
    case outPeaks:
        return {CliOk, PeaksCsv(doc), warning};
    case outReport:
        return WriteReport(parser, doc, writeReport, warning);
    case outExplain:
        return {CliOk, Explain(doc, explainHour, IsSet(parser, "json")), warning};
    case outCsv:
        break;
    }
    return {CliOk, DayCsv(doc, IsSet(parser, "csv-meta")), warning};
}

// Scripts exchange the numbers: they are read and written in the C locale while a command line runs,
// whatever the user's locale.
class TCLocale {
public:
    TCLocale() { QLocale::setDefault(QLocale::c()); }
    ~TCLocale() { QLocale::setDefault(FSaved); }

private:
    QLocale FSaved;
};

// The message with control characters written as \xHH, so an argument holding a line feed cannot
// break the one-line error in two.
QString OneLine(const QString& text) {
    QString line;
    for (QChar c : text)
        line += c.unicode() < 0x20 || c.unicode() == 0x7F ? QString::asprintf("\\x%02X", c.unicode())
                                                          : QString(c);
    return line;
}

} // namespace

TCliResult RunCli(const QStringList& arguments, const TCliReportWriter& writeReport) {
    const TCLocale numbers;
    try {
        return Run(arguments, writeReport);
    } catch (const EUsage& e) {
        return {CliBadInput,
                {},
                QStringLiteral("quorvane-cli: %1\n").arg(OneLine(QString::fromStdString(e.what())))};
    }
}
