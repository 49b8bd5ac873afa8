// The command-line front end, run as a real process: its outputs match the document's, and bad input
// gets one line on stderr and exit status 2.
#include "app/TCalcDocument.h"
#include "tests/common/ProjectBytes.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

struct TRun {
    int Status = -1;
    QByteArray Out;
    QByteArray Err;
};

TRun RunCli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QV_CLI_PATH), args);
    TRun run;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit) return run;
    run.Status = p.exitCode();
    run.Out = p.readAllStandardOutput();
    run.Err = p.readAllStandardError();
    return run;
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

    // Every column of every hour round-trips exactly to the document's profiles.
    void csvMatchesDocument() {
        const TRun run = RunCli({"--csv", "--colour", "dark"});
        QCOMPARE(run.Status, 0);
        QVERIFY(run.Err.isEmpty());
        const QStringList lines = QString::fromUtf8(run.Out).split('\n');
        QCOMPARE(lines.size(), 26); // header, 24 rows, the empty rest after the last line end
        QCOMPARE(lines[0], QString("hour,altitude,azimuth,ssa,incident,normal,direct,diffuse,reflected,total,"
                                   "shgf,ambient,solair"));

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
            QCOMPARE(cells.size(), 13);
            QCOMPARE(cells[0], QString::number(hour));
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
        QCOMPARE(QString::fromUtf8(run.Out), clipboard);
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
        QTest::newRow("glass out of range")
            << QStringList{"--glass-width", "0"} << "--glass-width: 0 lies outside 0.01 to 100";
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
        p.start("bash", {"-c", "ulimit -f 0 && exec \"$0\" --csv > \"$1\"", QStringLiteral(QV_CLI_PATH),
                         dir.filePath("out.csv")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(p.readAllStandardError(), QByteArray("quorvane-cli: cannot write the output\n"));
    }

    void help() {
        const TRun run = RunCli({"--help"});
        QCOMPARE(run.Status, 0);
        const QString out = QString::fromUtf8(run.Out);
        for (const char* option : {"--altitude", "--latitude", "--longitude", "--timezone", "--azimuth",
                                   "--slope", "--day", "--glass-height", "--glass-width", "--glass-depth",
                                   "--file", "--colour", "--table", "--csv", "Exit status"})
            QVERIFY2(out.contains(option), option);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
