// The command-line front end, run as a real process: its outputs match the document's, and bad input
// gets one line on stderr and exit status 2.
#include "app/DesignPeaks.h"
#include "app/TCalcDocument.h"
#include "tests/common/ProjectBytes.h"
#include "tests/common/TestPaths.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include <sys/stat.h>

namespace {

struct TRun {
    int Status = -1;
    QByteArray Out;
    QByteArray Err;
};

TRun RunCli(const QStringList& args,
            const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(FromProgramFolder(QV_CLI_PATH), args);
    TRun run;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit) return run;
    run.Status = p.exitCode();
    run.Out = p.readAllStandardOutput();
    run.Err = p.readAllStandardError();
    return run;
}

// A small CSV reader: lines split at line feeds, cells at commas (the program writes no quotes).
QList<QStringList> ReadCsv(const QByteArray& text) {
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(text).split('\n', Qt::SkipEmptyParts))
        rows << line.split(',');
    return rows;
}

// The text of a PDF file, laid out as on its pages.
QString PdfText(const QString& pdf) {
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    text.waitForFinished();
    return QString::fromUtf8(text.readAllStandardOutput());
}

bool WriteProject(const QString& path, std::initializer_list<double> values, int keepBytes = 56) {
    const QByteArray bytes = ProjectFileBytes(values);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes.left(keepBytes)) == keepBytes;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    // --report writes the Report command's PDF with no display at all, under the letterhead of the folder
    // given; its table rows are the --table rows.
    void reportWithoutADisplay() {
        QTemporaryDir dir;
        QFile letterhead(dir.filePath("letterhead.TXT"));
        QVERIFY(letterhead.open(QIODevice::WriteOnly));
        letterhead.write("M\xc3\xbcller & Kestrel Engineers\nPretoria\n");
        letterhead.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        const QString pdf = dir.filePath("report.pdf");
        const QStringList inputs{"--latitude", "-26.13", "--longitude", "28.23"};
        const TRun run =
            RunCli(inputs + QStringList{"--report", pdf, "--letterhead-folder", dir.path()}, env);
        QCOMPARE(run.Status, 0);
        QVERIFY2(run.Err.isEmpty(), run.Err.constData());
        const QString out = PdfText(pdf);
        QVERIFY2(out.contains(QString::fromUtf8("Müller & Kestrel Engineers")) &&
                     out.contains("Quorvane Report") && out.contains("Solar Insolation") &&
                     out.contains("Diffuse"),
                 qPrintable(out));
        // Each row of the angles table, cells in column order, as --table angles gives it.
        const TRun table = RunCli(inputs + QStringList{"--table", "angles"});
        const QStringList all = QString::fromUtf8(table.Out).split("\r\n", Qt::SkipEmptyParts);
        const QStringList lines = all.mid(all.indexOf("CT,Altitude,Azimuth,SSA,Incident") + 1);
        QVERIFY(lines.size() > 5);
        for (const QString& line : lines) {
            const QString row = "\\n\\s*" + line.trimmed().split(',').join("\\s+") + "\\s*\\n";
            QVERIFY2(out.contains(QRegularExpression(row)), qPrintable(row));
        }
    }

    // --design-report writes the design report with the project block of the --file project.
    void designReportFromAProjectFile() {
        QTemporaryDir dir;
        TCalcDocument doc;
        doc.ApplyInputs(ResetInputSet());
        TProjectInfo project;
        project.Title = "Riverside Offices";
        project.Designer = "A. Designer";
        doc.SetProjectInfo(project);
        QVERIFY(doc.SaveProject(dir.filePath("p.qvx")));
        const QString pdf = dir.filePath("design.pdf");
        const TRun run = RunCli({"--file", dir.filePath("p.qvx"), "--report", pdf, "--design-report",
                                 "--letterhead-folder", dir.path()});
        QCOMPARE(run.Status, 0);
        QVERIFY2(run.Err.isEmpty(), run.Err.constData());
        const QString out = PdfText(pdf);
        QVERIFY2(out.contains(QRegularExpression("Project title\\s+Riverside Offices")) &&
                     out.contains(QRegularExpression("Page 1 of \\d")) && out.contains("Solar Design Report"),
                 qPrintable(out));

        // A damaged block is left out with a warning; the inputs are read and the report is written.
        QFile file(dir.filePath("p.qvx"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(file.size() - 2);
        file.write("XX"); // the CRC no longer matches
        file.close();
        const TRun damaged = RunCli({"--file", dir.filePath("p.qvx"), "--report", pdf, "--design-report",
                                     "--letterhead-folder", dir.path()});
        QCOMPARE(damaged.Status, 0);
        QVERIFY2(damaged.Err.contains("project details after the inputs") && damaged.Err.contains("damaged"),
                 damaged.Err.constData());
        QVERIFY(!PdfText(pdf).contains("Riverside Offices"));
    }

    // --design-peaks puts the design peaks of the nine facades in either report, as the window's
    // commands do; without it neither report has them.
    void designPeaksOnRequest_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("peaks");
        QTest::newRow("report") << QStringList{} << false;
        QTest::newRow("report, peaks") << QStringList{"--design-peaks"} << true;
        QTest::newRow("design report") << QStringList{"--design-report"} << false;
        QTest::newRow("design report, peaks") << QStringList{"--design-report", "--design-peaks"} << true;
    }
    void designPeaksOnRequest() {
        QFETCH(QStringList, args);
        QFETCH(bool, peaks);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("r.pdf");
        const TRun run = RunCli(QStringList{"--report", pdf, "--letterhead-folder", dir.path()} + args);
        QCOMPARE(run.Status, 0);
        const QString out = PdfText(pdf);
        QVERIFY2(out.contains("Solar Design Report") == args.contains("--design-report"), qPrintable(out));
        QCOMPARE(out.contains("Design Peaks (21st of each month)"), peaks);
        QCOMPARE(out.contains(QRegularExpression("\\n\\s*H\\s+\\d")), peaks); // the horizontal's row
    }

    void reportFailures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder missing") << QStringList{"--report", "/nonexistent/folder/r.pdf"} << 1
                                        << "quorvane-cli: --report: cannot write '/nonexistent/folder/r.pdf'";
        QTest::newRow("letterhead folder alone")
            << QStringList{"--letterhead-folder", "/tmp"} << 2
            << "quorvane-cli: --letterhead-folder goes with --report only";
        QTest::newRow("design report alone")
            << QStringList{"--design-report"} << 2 << "quorvane-cli: --design-report goes with --report only";
        QTest::newRow("design peaks alone")
            << QStringList{"--design-peaks"} << 2 << "quorvane-cli: --design-peaks goes with --report only";
        QTest::newRow("with a table")
            << QStringList{"--report", "r.pdf", "--table", "angles"} << 2
            << "quorvane-cli: give one of --table, --peaks, --report, --explain and --year/--orientations";
    }
    void reportFailures() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const TRun run = RunCli(args);
        QCOMPARE(run.Status, status);
        QVERIFY2(QString::fromUtf8(run.Err).contains(message), run.Err.constData());
    }

    // Every column of every hour round-trips exactly to the document's profiles.
    void csvMatchesDocument() {
        const TRun run = RunCli({"--csv", "--colour", "dark"});
        QCOMPARE(run.Status, 0);
        QVERIFY(run.Err.isEmpty());
        const QStringList lines = QString::fromUtf8(run.Out).split('\n');
        QCOMPARE(lines.size(), 26); // header, 24 rows, the empty rest after the last line end
        QCOMPARE(lines[0], QString("hour,altitude,azimuth,ssa,incident,normal,direct,diffuse,reflected,total,"
                                   "shgf,ambient,solair,sunlit,solved"));

        TCalcDocument doc;
        doc.ApplyInputs(ResetInputSet());
        doc.SetSurfaceColour(scDark);
        QVERIFY(doc.Solve());
        const TProfile24* columns[] = {&doc.AltitudeProfile(), &doc.AzimuthProfile(),   &doc.SSAProfile(),
                                       &doc.IncidentProfile(), &doc.NormalProfile(),    &doc.DirectProfile(),
                                       &doc.DiffuseProfile(),  &doc.ReflectedProfile(), &doc.TotalProfile(),
                                       &doc.SHGFProfile(),     &doc.AmbientProfile(),   &doc.SolAirProfile()};
        for (int hour = 0; hour < 24; ++hour) {
            const QStringList cells = lines[hour + 1].split(',');
            QCOMPARE(cells.size(), 15);
            QCOMPARE(cells[0], QString::number(hour));
            // The worked example solves the hours 6 to 18; the others hold 0 and say so.
            QCOMPARE(cells[14], QString(hour >= 6 && hour <= 18 ? "1" : "0"));
            for (int c = 0; c < 12; ++c)
                QCOMPARE(cells[c + 1].toDouble(), (*columns[c])[hour]);
        }
        // Noon of the worked example, to 17 significant digits.
        const QStringList noon = lines[13].split(',');
        QVERIFY(noon[10].startsWith("698.79")); // SHGF
        QCOMPARE(QString(noon[10]).remove('.').remove('-').size(), 17);
        QVERIFY(noon[12].startsWith("71.5"));                                   // dark sol-air
        QCOMPARE(lines[1].section(',', 1, 10), QString("0,0,0,0,0,0,0,0,0,0")); // hour 0 unsolved
    }

    void tablesMatchTheCopyCommand_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<TResultPage>("copyPage");
        QTest::newRow("angles") << "angles" << pgAngles;
        QTest::newRow("solar") << "solar" << pgSolar;
        QTest::newRow("solair") << "solair" << pgSolAir;
        QTest::newRow("local") << "local" << pgLocal;
        QTest::newRow("window") << "window" << pgWindow;
    }
    void tablesMatchTheCopyCommand() {
        QFETCH(QString, page);
        QFETCH(TResultPage, copyPage);
        const TRun run = RunCli({"--table", page, "--day", "15", "--azimuth", "-30"});
        QCOMPARE(run.Status, 0);
        TCalcDocument doc;
        doc.ApplyInputs(ResetInputSet());
        doc.SetDayNumber(15);
        doc.SetAzimuth(-30);
        QString clipboard;
        doc.OnClipboardText = [&](const QString& text) { clipboard = text; };
        QVERIFY(doc.Solve());
        QVERIFY(doc.CopyPage(copyPage));
        // Local and Window texts get the line end that their clipboard text lacks.
        const QString out = QString::fromUtf8(run.Out);
        QVERIFY(out == clipboard || out == clipboard + "\r\n");
        QVERIFY(out.endsWith("\r\n") && !out.endsWith("\r\n\r\n"));
    }

    void anglesText() {
        const QString out = QString::fromUtf8(RunCli({"--table", "angles"}).Out);
        QVERIFY(out.startsWith("Quorvane Calculator\r\n\r\nProperty,Value,Units\r\nBarometer,1700,m\r\n"));
        QVERIFY(
            out.contains("\r\nAngles\r\n\r\nCT,Altitude,Azimuth,SSA,Incident\r\n  6,-12,-110,290,70\r\n"));
        QVERIFY(out.endsWith(" 18,-8,112,68,68\r\n"));
    }

    void fileWithOverrides() {
        QTemporaryDir dir;
        const QString path = dir.filePath("site.qvx");
        QVERIFY(WriteProject(path, {250, 51.5, -0.12, 0, -45, 30, 200.25}));
        const TRun run = RunCli({"--file", path, "--latitude", "-33.9", "--table", "solar"});
        QCOMPARE(run.Status, 0);
        const QStringList lines = QString::fromUtf8(run.Out).split("\r\n");
        QCOMPARE(lines.mid(3, 7),
                 (QStringList{"Barometer,250,m", "Latitude,-33.90,deg", "Longitude,-0.12,deg",
                              "\"Time Zone\",0.00,deg", "Azimuth,-45.00,deg", "Slope,30.00,deg",
                              "\"Day Number\",200.2,"}));
    }

    // Values read from a project file get the options' range checks; the azimuth is taken into
    // -180..180 wherever it comes from.
    void fileRanges_data() {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QString>("message");
        QTest::newRow("latitude 120") << QList<double>{1700, 120, 28.23, 30, 0, 90, 172.5}
                                      << "--file: latitude 120 lies outside -90 to 90";
        QTest::newRow("day 400") << QList<double>{1700, -26.13, 28.23, 30, 0, 90, 400}
                                 << "--file: day 400 lies outside 1 to under 367";
        QTest::newRow("altitude -1000") << QList<double>{-1000, -26.13, 28.23, 30, 0, 90, 172.5}
                                        << "--file: altitude -1000 lies outside -500 to 9000";
        QTest::newRow("zone 211") << QList<double>{1700, -26.13, 28.23, 211, 0, 90, 172.5}
                                  << "--file: timezone 211 lies outside -180 to 210";
        QTest::newRow("slope 200") << QList<double>{1700, -26.13, 28.23, 30, 0, 200, 172.5}
                                   << "--file: slope 200 lies outside 0 to 180";
        QTest::newRow("in range") << QList<double>{-500, 90, -180, 210, 0, 180, 366.5} << "";
    }
    void fileRanges() {
        QFETCH(QList<double>, values);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("site.qvx");
        QByteArray bytes;
        for (double v : values)
            bytes += ProjectFileBytes({v});
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        const TRun run = RunCli({"--file", path});
        const QString err = QString::fromUtf8(run.Err);
        if (message.isEmpty()) {
            QCOMPARE(run.Status, 0);
            return;
        }
        QCOMPARE(run.Status, 2);
        QVERIFY(run.Out.isEmpty());
        QCOMPARE(err, "quorvane-cli: " + message + "\n");
    }

    void azimuthNormalised_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("held");
        QTest::newRow("225 is north-east") << "225"
                                           << "-135.00";
        QTest::newRow("-180 is north") << "-180"
                                       << "180.00";
        QTest::newRow("540") << "540"
                             << "180.00";
        QTest::newRow("-90") << "-90"
                             << "-90.00";
    }
    void azimuthNormalised() {
        QFETCH(QString, given);
        QFETCH(QString, held);
        QTemporaryDir dir;
        const QString path = dir.filePath("site.qvx");
        QVERIFY(WriteProject(path, {1700, -26.13, 28.23, 30, given.toDouble(), 90, 172.5}));
        for (const QStringList& args : {QStringList{"--azimuth", given}, QStringList{"--file", path}}) {
            const TRun run = RunCli(args + QStringList{"--table", "angles"});
            QCOMPARE(run.Status, 0);
            QVERIFY2(run.Out.contains("\r\nAzimuth," + held.toUtf8() + ",deg\r\n"), run.Out.left(300));
        }
    }

    // --explain --json: an array of steps whose values read back to the solve's own, the CSV's to the
    // last bit wherever a step names a CSV column; the text form is the same working.
    void explainMatchesCsv() {
        const QStringList site{"--azimuth", "180", "--slope", "90", "--colour", "dark"};
        const TRun csv = RunCli(site + QStringList{"--csv"});
        const TRun json = RunCli(site + QStringList{"--explain", "12", "--json"});
        QCOMPARE(json.Status, 0);
        QVERIFY(json.Err.isEmpty());
        QJsonParseError error{};
        const QJsonDocument parsed = QJsonDocument::fromJson(json.Out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QVERIFY(parsed.isArray());

        const QList<QStringList> rows = ReadCsv(csv.Out);
        const QStringList header = rows[0], noon = rows[1 + 12];
        int matched = 0;
        for (const QJsonValue& item : parsed.array()) {
            const QJsonObject step = item.toObject();
            for (const char* field : {"section", "key", "name", "symbol", "formula", "with_values", "unit"})
                QVERIFY2(step.value(field).isString(), field);
            QVERIFY(step.value("value").isDouble());
            // The CSV's sol-air is the chosen colour's (dark here); the steps give both.
            const QString key = step.value("key").toString();
            const qsizetype column = header.indexOf(key == "solair_dark" ? QString("solair") : key);
            if (column < 0) continue;
            QCOMPARE(step.value("value").toDouble(), noon[column].toDouble());
            ++matched;
        }
        // every CSV column: the hour, altitude to shgf, ambient, sol-air and, the surface being
        // vertical, the recessed glass's sunlit fraction
        QCOMPARE(matched, 14);

        const TRun text = RunCli(site + QStringList{"--explain", "12"});
        QCOMPARE(text.Status, 0);
        const QString out = QString::fromUtf8(text.Out);
        QVERIFY(out.startsWith("Calculation details at clock hour 12:00"));
        QVERIFY(out.contains("DN = A · exp(−P · B / sin β)"));
        QVERIFY(out.contains("834.07"));
    }

    void badInput_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a number")
            << QStringList{"--altitude", "12x"} << "--altitude: '12x' is not a valid floating point value";
        QTest::newRow("missing value")
            << QStringList{"--csv", "--latitude"} << "Missing value after '--latitude'";
        QTest::newRow("unknown option") << QStringList{"--height", "3"} << "Unknown option 'height'";
        QTest::newRow("stray argument") << QStringList{"12"} << "unexpected argument '12'";
        // An argument holding a line feed stays on the one error line.
        QTest::newRow("control characters")
            << QStringList{"--colour", "da\nrk\x1b"} << "'da\\x0Ark\\x1B' is neither light nor dark";
        QTest::newRow("short file") << QStringList{"--file", "short.qvx"}
                                    << "--file: cannot read project file";
        QTest::newRow("missing file")
            << QStringList{"--file", "none.qvx"} << "--file: cannot read project file";
        // A FIFO with no writer used to block the program for ever.
        QTest::newRow("FIFO") << QStringList{"--file", "fifo.qvx"} << "fifo.qvx': not a regular file";
        QTest::newRow("folder") << QStringList{"--file", "folder.qvx"} << "folder.qvx': not a regular file";
        QTest::newRow("colour") << QStringList{"--colour", "grey"}
                                << "--colour: 'grey' is neither light nor dark";
        QTest::newRow("page") << QStringList{"--table", "plot"} << "--table: unknown page 'plot'";
        QTest::newRow("both outputs")
            << QStringList{"--table", "angles", "--csv"} << "either --table or --csv";
        QTest::newRow("empty file name")
            << QStringList{"--file", ""} << "--file: cannot read project file ''";
        QTest::newRow("help-all") << QStringList{"--help-all"} << "Unknown option 'help-all'";
        QTest::newRow("peaks and year") << QStringList{"--peaks", "--year"} << "give one of";
        QTest::newRow("meta without csv")
            << QStringList{"--orientations", "--csv-meta"} << "--csv-meta goes with";
        QTest::newRow("sun method") << QStringList{"--sun", "exact"}
                                    << "--sun: 'exact' is neither published nor precise";
        QTest::newRow("sun year") << QStringList{"--sun-year", "1899"} << "--sun-year: '1899' is not a year";
        QTest::newRow("glass out of range")
            << QStringList{"--glass-width", "0"} << "--glass-width: 0 lies outside 0.01 to 100";
        QTest::newRow("explain hour 24")
            << QStringList{"--explain", "24"} << "'24' is not a clock hour 0 to 23";
        QTest::newRow("explain half hour")
            << QStringList{"--explain", "12.5"} << "'12.5' is not a clock hour";
        // The worked example's solve computes hours 6 to 18.
        QTest::newRow("explain a night hour")
            << QStringList{"--explain", "3"}
            << "clock hour 3 was not computed (the sun is down); computed: 6 7";
        QTest::newRow("json alone") << QStringList{"--json"} << "--json goes with --explain only";
        QTest::newRow("explain and csv")
            << QStringList{"--explain", "12", "--csv"} << "either --explain or --csv";
    }
    void badInput() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(WriteProject(dir.filePath("short.qvx"), {1, 2, 3, 4, 5}, 40));
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("fifo.qvx")).constData(), 0600), 0);
        QVERIFY(QDir(dir.path()).mkdir("folder.qvx"));
        for (QString& a : args)
            if (a.endsWith(".qvx")) a = dir.filePath(a);
        const TRun run = RunCli(args);
        QCOMPARE(run.Status, 2);
        QVERIFY(run.Out.isEmpty());
        const QString err = QString::fromUtf8(run.Err);
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.startsWith("quorvane-cli: ") && err.contains(message), qPrintable(err));
    }

    // A file-size limit stops the write of the output: the program says so and exits with 1 instead
    // of being ended by SIGXFSZ.
    void outputPastFileSizeLimit() {
        QTemporaryDir dir;
        QProcess p;
        p.start("bash", {"-c", "ulimit -f 0 && exec \"$0\" --csv > \"$1\"", FromProgramFolder(QV_CLI_PATH),
                         dir.filePath("out.csv")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(p.readAllStandardError(), QByteArray("quorvane-cli: cannot write the output\n"));
    }

    // --year: one row per design day and hour, the --csv columns after month and day; read back by a
    // small parser, every value is the document's own solve of that day.
    void yearReadBack() {
        const TRun run = RunCli({"--year", "--latitude", "51.5", "--azimuth", "90", "--slope", "90"});
        QCOMPARE(run.Status, 0);
        QVERIFY(run.Err.isEmpty());
        const QList<QStringList> rows = ReadCsv(run.Out);
        QCOMPARE(rows.size(), 1 + 12 * 24);
        const QStringList header = rows[0];
        QCOMPARE(header.mid(0, 4), QStringList({"month", "day", "hour", "altitude"}));
        QCOMPARE(header.mid(header.size() - 2), QStringList({"sunlit", "solved"}));
        const int total = header.indexOf("total"), shgf = header.indexOf("shgf"),
                  solair = header.indexOf("solair");
        for (int m = 0; m < 12; ++m) {
            TCalcDocument doc;
            doc.ApplyInputs(ResetInputSet());
            doc.SetLatitude(51.5);
            doc.SetAzimuth(90);
            doc.SetSlope(90);
            doc.SetDayNumber(DesignDays()[m]);
            QVERIFY(doc.Solve());
            for (int h = 0; h < 24; ++h) {
                const QStringList& row = rows[1 + m * 24 + h];
                QCOMPARE(row.size(), header.size());
                QCOMPARE(row[0].toInt(), m + 1);
                QCOMPARE(row[1].toDouble(), double(DesignDays()[m]));
                QCOMPARE(row[2].toInt(), h);
                QCOMPARE(row[total].toDouble(), doc.TotalProfile()[h]);
                QCOMPARE(row[shgf].toDouble(), doc.SHGFProfile()[h]);
                QCOMPARE(row[solair].toDouble(), doc.SolAirProfile()[h]);
            }
        }
    }

    // --orientations: the nine facades in order with their azimuth and slope, alone or over the year.
    void orientations_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("daysPerFacade");
        QTest::newRow("current day") << QStringList{"--orientations"} << 1;
        QTest::newRow("design days") << QStringList{"--orientations", "--year"} << 12;
    }
    void orientations() {
        QFETCH(QStringList, args);
        QFETCH(int, daysPerFacade);
        const TRun run = RunCli(args);
        QCOMPARE(run.Status, 0);
        const QList<QStringList> rows = ReadCsv(run.Out);
        QCOMPARE(rows.size(), 1 + 9 * daysPerFacade * 24);
        QCOMPARE(rows[0].mid(0, 3), QStringList({"facade", "facade_azimuth", "facade_slope"}));
        QCOMPARE(rows[0].count("azimuth"), 1); // the sun's
        const QStringList names{"N", "NE", "E", "SE", "S", "SW", "W", "NW", "H"};
        const double azimuths[] = {180, -135, -90, -45, 0, 45, 90, 135, 0};
        for (int f = 0; f < 9; ++f) {
            const QStringList& first = rows[1 + f * daysPerFacade * 24];
            QCOMPARE(first[0], names[f]);
            QCOMPARE(first[1].toDouble(), azimuths[f]);
            QCOMPARE(first[2].toDouble(), f == 8 ? 0.0 : 90.0);
        }
    }

    // --peaks: the current surface and the nine facades, each peak with its month and hour, equal to
    // the design-day peaks of the document.
    void peaks() {
        const TRun run = RunCli(
            {"--peaks", "--latitude", "-33.9", "--longitude", "18.4", "--azimuth", "-45", "--slope", "90"});
        QCOMPARE(run.Status, 0);
        const QList<QStringList> rows = ReadCsv(run.Out);
        QCOMPARE(rows.size(), 11);
        QCOMPARE(rows[0].mid(0, 6),
                 QStringList({"facade", "azimuth", "slope", "total", "total_month", "total_hour"}));
        QCOMPARE(rows[1][0], QString("surface"));
        QCOMPARE(rows[5][0], QString("SE")); // the same surface as the facade
        QCOMPARE(rows[1].mid(1), rows[5].mid(1));

        TCalcDocument doc;
        doc.ApplyInputs(ResetInputSet());
        doc.SetLatitude(-33.9);
        doc.SetLongitude(18.4);
        doc.SetAzimuth(-45);
        doc.SetSlope(90);
        const QList<TYearTable> tables = YearTables(doc);
        for (int q = 0; q < PeakQuantityCount; ++q) {
            const TPeak peak = YearPeak(tables[q], DesignQuantities()[q].ZeroIsNone);
            const int c = rows[0].indexOf(DesignQuantities()[q].CsvName);
            QCOMPARE(rows[1][c].toDouble(), peak.Value);
            QCOMPARE(rows[1][c + 1].toInt(), peak.Month);
            QCOMPARE(rows[1][c + 2].toInt(), peak.Hour);
        }
    }

    // The sunlit column is the Window page's fraction; --csv-meta puts the sun times first as comments.
    void sunlitAndMeta() {
        const TRun run = RunCli({"--csv", "--csv-meta", "--azimuth", "30", "--slope", "20"});
        QCOMPARE(run.Status, 0);
        const QStringList lines = QString::fromUtf8(run.Out).split('\n');
        TCalcDocument doc;
        doc.ApplyInputs(ResetInputSet());
        doc.SetAzimuth(30);
        doc.SetSlope(20);
        QVERIFY(doc.Solve());
        const QStringList keys{"sunrise", "sunset", "declination", "equation_of_time"};
        const double values[] = {doc.Sunrise(), doc.Sunset(), doc.Solar().Declination(),
                                 EquationOfTime(doc.DayNumber())};
        for (int i = 0; i < 4; ++i) {
            QVERIFY2(lines[i].startsWith("# " + keys[i] + "="), qPrintable(lines[i]));
            QCOMPARE(lines[i].section('=', 1).toDouble(), values[i]);
        }
        QCOMPARE(lines[4], QString("# sun_position=published"));
        QVERIFY(lines[5].startsWith("hour,"));
        const QStringList header = lines[5].split(',');
        const double total12 = lines[5 + 13].split(',')[header.indexOf("total")].toDouble();
        QCOMPARE(total12, doc.TotalProfile()[12]); // the surface keeps its slope of 20 degrees

        doc.GenerateAreaFactors();
        for (int h = 0; h < 24; ++h)
            QCOMPARE(lines[6 + h].split(',')[header.indexOf("sunlit")].toDouble(),
                     doc.AreaFactorProfile()[h]);
        QVERIFY(QString::fromUtf8(RunCli({"--csv"}).Out).startsWith("hour,"));
    }

    // Inputs outside their physical range get one line and status 2; the limits themselves pass.
    void ranges_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("latitude 90") << QStringList{"--latitude", "90"} << 0;
        QTest::newRow("latitude 90.01") << QStringList{"--latitude", "90.01"} << 2;
        QTest::newRow("latitude -91") << QStringList{"--latitude", "-91"} << 2;
        QTest::newRow("longitude -180") << QStringList{"--longitude", "-180"} << 0;
        QTest::newRow("longitude 181") << QStringList{"--longitude", "181"} << 2;
        QTest::newRow("time zone 195 (Samoa)") << QStringList{"--timezone", "195"} << 0;
        QTest::newRow("time zone 210 (Line Islands)") << QStringList{"--timezone", "210"} << 0;
        QTest::newRow("time zone 210.5") << QStringList{"--timezone", "210.5"} << 2;
        QTest::newRow("time zone -180") << QStringList{"--timezone", "-180"} << 0;
        QTest::newRow("time zone -187.5") << QStringList{"--timezone", "-187.5"} << 2;
        QTest::newRow("day 1") << QStringList{"--day", "1"} << 0;
        QTest::newRow("day 366.5") << QStringList{"--day", "366.5"} << 0;
        QTest::newRow("day 366.99") << QStringList{"--day", "366.99"} << 0;
        QTest::newRow("day 0.5") << QStringList{"--day", "0.5"} << 2;
        QTest::newRow("day 367") << QStringList{"--day", "367"} << 2;
        QTest::newRow("altitude -500") << QStringList{"--altitude", "-500"} << 0;
        QTest::newRow("altitude 9000") << QStringList{"--altitude", "9000"} << 0;
        QTest::newRow("altitude -501") << QStringList{"--altitude", "-501"} << 2;
        QTest::newRow("altitude 1e6") << QStringList{"--altitude", "1e6"} << 2;
        QTest::newRow("slope 180") << QStringList{"--slope", "180"} << 0;
        QTest::newRow("slope -1") << QStringList{"--slope", "-1"} << 2;
        QTest::newRow("slope 180.5") << QStringList{"--slope", "180.5"} << 2;
    }
    void ranges() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const TRun run = RunCli(args);
        QCOMPARE(run.Status, status);
        const QString err = QString::fromUtf8(run.Err);
        if (status == 0) {
            QVERIFY2(err.isEmpty(), qPrintable(err));
            return;
        }
        QVERIFY(run.Out.isEmpty());
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.startsWith("quorvane-cli: " + args[0] + ": " + args[1] + " lies outside"),
                 qPrintable(err));
    }

    // A time zone that is not a whole number of half hours is allowed with a warning; a small one was
    // probably meant in hours.
    void timeZoneWarning_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("warning");
        QTest::newRow("2") << "2"
                           << "did you mean hours?";
        QTest::newRow("-14") << "-14"
                             << "did you mean hours?";
        QTest::newRow("37") << "37"
                            << "not a multiple of 3.75";
        QTest::newRow("86.25 (+5:45)") << "86.25"
                                       << "";
        QTest::newRow("191.25 (+12:45)") << "191.25"
                                         << "";
        QTest::newRow("30") << "30"
                            << "";
        QTest::newRow("-7.5") << "-7.5"
                              << "";
        QTest::newRow("0") << "0"
                           << "";
    }
    void timeZoneWarning() {
        QFETCH(QString, zone);
        QFETCH(QString, warning);
        const TRun run = RunCli({"--timezone", zone});
        QCOMPARE(run.Status, 0);
        QVERIFY(run.Out.startsWith("hour,"));
        const QString err = QString::fromUtf8(run.Err);
        if (warning.isEmpty()) {
            QVERIFY2(err.isEmpty(), qPrintable(err));
            return;
        }
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.startsWith("quorvane-cli: warning: --timezone") && err.contains(warning),
                 qPrintable(err));
        QCOMPARE(warning == "did you mean hours?", std::abs(zone.toDouble()) <= 14);
    }

    // Wallis, zone 180 across the 180th meridian: the sun rises in the morning and every facade sees
    // it in the year (the south one in December), where sunrise read 30.16 h and every peak "no sun".
    void wallis() {
        const QStringList site{"--latitude", "-13.28", "--longitude", "-176.17", "--timezone", "180"};
        const TRun meta = RunCli(site + QStringList{"--day", "172", "--csv-meta"});
        QCOMPARE(meta.Status, 0);
        const double sunrise = QString::fromUtf8(meta.Out).section('\n', 0, 0).section('=', 1).toDouble();
        QVERIFY2(sunrise > 6 && sunrise < 6.5, qPrintable(QString::number(sunrise)));
        const TRun peaks = RunCli(site + QStringList{"--peaks"});
        QCOMPARE(peaks.Status, 0);
        const QList<QStringList> rows = ReadCsv(peaks.Out);
        QCOMPARE(rows.size(), 11);
        for (const QStringList& row : rows.mid(1))
            QVERIFY2(row[3].toDouble() > 100, qPrintable(row.join(','))); // the total's peak
    }

    // --sun precise: every output from the precise sun position of the year given, said in the meta
    // lines; the published method stays the default.
    void preciseSun() {
        const QStringList args{"--csv", "--csv-meta", "--sun", "precise", "--sun-year", "2030"};
        const TRun run = RunCli(args);
        QCOMPARE(run.Status, 0);
        const QStringList lines = QString::fromUtf8(run.Out).split('\n');
        QCOMPARE(lines.mid(4, 2), QStringList({"# sun_position=precise", "# year=2030"}));
        TCalcDocument doc;
        doc.ApplyInputs(ResetInputSet());
        doc.SetSunMethod(smPrecise);
        doc.SetSunYear(2030);
        QVERIFY(doc.Solve());
        const QStringList noon = lines[6 + 13].split(',');
        QCOMPARE(noon[1].toDouble(), doc.AltitudeProfile()[12]);
        QCOMPARE(noon[9].toDouble(), doc.TotalProfile()[12]);
        QVERIFY(doc.AltitudeProfile()[12] != TCalcDocument().AltitudeProfile()[12]);
        const TRun published = RunCli({"--csv"});
        QVERIFY(published.Out != RunCli({"--csv", "--sun", "precise"}).Out);
        QCOMPARE(RunCli({"--csv", "--sun", "published"}).Out, published.Out);
        // The sunlit fractions, the design days and the peaks follow the method too.
        QVERIFY(RunCli({"--peaks", "--sun", "precise"}).Out != RunCli({"--peaks"}).Out);
        QVERIFY(RunCli({"--table", "window", "--sun", "precise", "--day", "100"}).Out !=
                RunCli({"--table", "window", "--day", "100"}).Out);
    }

    // Scripts exchange numbers in the C form whatever the user's locale.
    void cLocaleWhateverTheLocale() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "de_DE.UTF-8");
        env.insert("LANG", "de_DE.UTF-8");
        const TRun window = RunCli({"--day", "172.5", "--table", "window"}, env);
        QCOMPARE(window.Status, 0);
        QVERIFY2(window.Err.isEmpty(), window.Err.constData());
        QCOMPARE(QString::fromUtf8(window.Out).count(','), 23);
        QVERIFY(window.Out.contains("0.00"));
        const TRun csv = RunCli({"--latitude", "-33.5", "--csv"}, env);
        QCOMPARE(csv.Status, 0);
        QCOMPARE(ReadCsv(csv.Out)[1].size(), ReadCsv(csv.Out)[0].size());
        QCOMPARE(RunCli({"--day", "172,5"}, env).Status, 2);
    }

    // A full disk is reported, not taken for success.
    void fullDevice() {
        QProcess p;
        p.setStandardOutputFile("/dev/full");
        p.start(FromProgramFolder(QV_CLI_PATH), {"--csv"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QVERIFY(p.exitCode() != 0);
        QCOMPARE(p.readAllStandardError(), QByteArray("quorvane-cli: cannot write the output\n"));
    }

    void help() {
        const TRun run = RunCli({"--help"});
        QCOMPARE(run.Status, 0);
        const QString out = QString::fromUtf8(run.Out);
        for (const char* option :
             {"--altitude", "--latitude",     "--longitude",   "--timezone",    "--azimuth",      "--slope",
              "--day",      "--glass-height", "--glass-width", "--glass-depth", "--file",         "--colour",
              "--table",    "--csv",          "--csv-meta",    "--year",        "--orientations", "--peaks",
              "C locale",   "Exit status",    "--sun",         "--sun-year"})
            QVERIFY2(out.contains(option), option);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
