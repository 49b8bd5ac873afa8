#include "CliRun.h"

#include "app/ProjectFile.h"
#include "app/ResultColumns.h"
#include "app/TCalcDocument.h"
#include "controls/TxNumText.h"

#include <QCommandLineParser>

#include <array>
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
    {"altitude", inAltitude, "M", "Site barometric altitude above sea level [m]."},
    {"latitude", inLatitude, "DEG", "Site latitude [deg], south negative."},
    {"longitude", inLongitude, "DEG", "Site longitude [deg], east positive."},
    {"timezone", inTimeZone, "DEG",
     "Longitude of the time-zone meridian [deg], east positive (15 per hour)."},
    {"azimuth", inAzimuth, "DEG", "Surface azimuth [deg]: 0 south, 90 west, -90 east, 180 north."},
    {"slope", inSlope, "DEG", "Surface slope from horizontal [deg]: 0 horizontal, 90 vertical."},
    {"day", inDayNumber, "N", "Day of the year, may be fractional."},
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
    "                ambient, solair (degC). Hours that were not solved hold 0 in every column but\n"
    "                ambient and solair, which cover all 24 hours.\n"
    "                This is the default.\n"
    "\n"
    "Numbers are read in the user's locale. Exit status: 0 on success, 1 when the output cannot be\n"
    "written, 2 for bad input (an unknown option, a missing value, a text that is not a number, a value\n"
    "out of range, a project file that is unreadable, short or not a regular file), with one line on\n"
    "stderr.";

QString Number(double value) {
    return FormatFloat(QStringLiteral("%g"), value);
}

// An option's help: its text, its range when it has one, and its Reset value.
QString OptionHelp(const TNumberOption& o) {
    const TInputRange range = InputRange(o.Input);
    QString help = QString::fromLatin1(o.Help);
    if (range.Limited()) help += QStringLiteral(", %1 to %2.").arg(Number(range.Lo), Number(range.Hi));
    return help + QStringLiteral(" [%1]").arg(Number(InputValue(ResetInputSet(), o.Input)));
}

void AddOptions(QCommandLineParser& parser) {
    for (const TNumberOption& o : NumberOptions)
        parser.addOption({QString::fromLatin1(o.Name), OptionHelp(o), QString::fromLatin1(o.ValueName)});
    parser.addOption({QStringLiteral("file"), QStringLiteral("Project file whose seven inputs to use."),
                      QStringLiteral("PROJECT.qvx")});
    parser.addOption({QStringLiteral("colour"),
                      QStringLiteral("Outer surface colour for sol-air: light or dark [light]."),
                      QStringLiteral("light|dark")});
    parser.addOption(
        {QStringLiteral("table"),
         QStringLiteral("Print a result page's clipboard text: angles, solar, solair, local or window."),
         QStringLiteral("PAGE")});
    parser.addOption(
        {QStringLiteral("csv"), QStringLiteral("Print every hourly result as CSV (the default).")});
    parser.addHelpOption();
}

double ReadNumber(const TNumberOption& o, const QString& text) {
    const QString name = QStringLiteral("--") + QString::fromLatin1(o.Name);
    double value = 0;
    if (!TryStrToFloat(text, value)) throw EUsage(name + QStringLiteral(": ") + ConvertErrorMessage(text));
    const TInputRange range = InputRange(o.Input);
    if (range.Limited() && (value < range.Lo || value > range.Hi))
        throw EUsage(QStringLiteral("%1: %2 lies outside %3 to %4")
                         .arg(name, text, Number(range.Lo), Number(range.Hi)));
    return value;
}

TInputSet ReadInputs(const QCommandLineParser& parser) {
    TInputSet inputs = ResetInputSet();
    if (parser.isSet(QStringLiteral("file"))) {
        const QString path = parser.value(QStringLiteral("file"));
        QString reason;
        if (!ReadProjectFile(path, inputs, &reason))
            throw EUsage(QStringLiteral("--file: cannot read project file '%1': %2").arg(path, reason));
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

// Machine-readable numbers: 17 significant digits and always a '.' decimal point, whatever the
// locale, so a CSV reader gets the exact double back.
QString Exact(double value) {
    return QString::number(value, 'g', 17);
}

QString CsvText(const TCalcDocument& doc) {
    const QList<const TResultColumn*> columns = CsvColumns();
    QStringList header{QStringLiteral("hour")};
    for (const TResultColumn* column : columns)
        header << QString::fromLatin1(column->CsvName);
    QString text = header.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (int hour = 0; hour < 24; ++hour) {
        QStringList cells{QString::number(hour)};
        for (const TResultColumn* column : columns)
            cells << Exact((doc.*(column->Profile))()[hour]);
        text += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text;
}

TCliResult Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(Description));
    AddOptions(parser);
    if (!parser.parse(arguments)) throw EUsage(parser.errorText());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        return {CliOk, parser.helpText(), {}};
    if (!parser.positionalArguments().isEmpty())
        throw EUsage(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    const std::optional<TResultPage> page = ReadPage(parser);
    TCalcDocument doc;
    doc.ApplyInputs(ReadInputs(parser));
    doc.SetSurfaceColour(ReadColour(parser));
    QString clipboard;
    doc.OnClipboardText = [&clipboard](const QString& text) { clipboard = text; };
    doc.Solve();
    if (!page) return {CliOk, CsvText(doc), {}};
    doc.CopyPage(*page);
    return {CliOk, clipboard, {}};
}

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

TCliResult RunCli(const QStringList& arguments) {
    try {
        return Run(arguments);
    } catch (const EUsage& e) {
        return {CliBadInput,
                {},
                QStringLiteral("quorvane-cli: %1\n").arg(OneLine(QString::fromStdString(e.what())))};
    }
}
