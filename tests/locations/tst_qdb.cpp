// The qdb tool: building a database from CSV sources, refusing rows that do not fit, and dumping records.
#include "LocationFixture.h"
#include "locations/LocationDb.h"
#include "tests/common/TestPaths.h"

#include <QProcess>

#include <QTest>
#include <sys/stat.h>

namespace {

const QByteArray Header = "region,name,latitude,longitude,timezone,altitude,cooling_first,cooling_second,"
                          "heating_design,wind_speed,max_dry_bulb,min_dry_bulb,dry_bulb_range\n";

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run Qdb(const QStringList& args, const QString& outputFile = {}) {
    QProcess p;
    if (!outputFile.isEmpty()) p.setStandardOutputFile(outputFile);
    p.start(FromProgramFolder(QDB_PROGRAM), args);
    Run r;
    if (!p.waitForFinished(30000)) return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestQdb : public QObject {
    Q_OBJECT
private slots:
    void refusesRowsThatDoNotFit_data() {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("reason");
        QTest::newRow("name too long") << QByteArray("R,") + QByteArray(32, 'n') + ",1,2,0,5,1,1,1,1,1,1,1"
                                       << "longer than 31 characters";
        QTest::newRow("name outside the code page")
            << QByteArray("R,Łódź,1,2,0,5,1,1,1,1,1,1,1") << "outside Windows-1252";
        QTest::newRow("latitude out of range") << QByteArray("R,X,95,2,0,5,1,1,1,1,1,1,1") << "latitude '95'";
        QTest::newRow("zone beyond UTC+14") << QByteArray("R,X,1,2,211,5,1,1,1,1,1,1,1") << "timezone '211'";
        QTest::newRow("not a number") << QByteArray("R,X,1,2,0,high,1,1,1,1,1,1,1") << "altitude 'high'";
        QTest::newRow("too big for single precision")
            << QByteArray("R,X,1,2,0,5,1e39,1,1,1,1,1,1") << "cooling_first";
        QTest::newRow("missing column") << QByteArray("R,X,1,2,0,5,1,1,1,1,1,1") << "12 fields, expected 13";
        QTest::newRow("open quote") << QByteArray("R,\"X,1,2,0,5,1,1,1,1,1,1,1") << "unbalanced quotes";
        QTest::newRow("reserved region") << QByteArray("+all,X,1,2,0,5,1,1,1,1,1,1,1") << "is reserved";
        QTest::newRow("region breaks the index") << QByteArray("a=b,X,1,2,0,5,1,1,1,1,1,1,1") << "holds '='";
        QTest::newRow("comma in a place") << QByteArray("R,\"Washington, D.C.\",1,2,0,5,1,1,1,1,1,1,1")
                                          << "place name 'Washington, D.C.' holds a comma";
        QTest::newRow("comma in a region")
            << QByteArray("\"Hill, Far\",X,1,2,0,5,1,1,1,1,1,1,1") << "region name 'Hill, Far' holds a comma";
        QTest::newRow("region starting with #")
            << QByteArray("#R,X,1,2,0,5,1,1,1,1,1,1,1") << "starts with ';', '#'";
        QTest::newRow("NaN") << QByteArray("R,X,1,2,0,5,1,nan,1,1,1,1,1") << "cooling_second 'nan'";
        QTest::newRow("infinity") << QByteArray("R,X,1,2,0,5,1,1,1,1,1,1,inf") << "dry_bulb_range 'inf'";
        QTest::newRow("minus infinity") << QByteArray("R,X,-inf,2,0,5,1,1,1,1,1,1,1") << "latitude '-inf'";
    }
    void refusesRowsThatDoNotFit() {
        QFETCH(QByteArray, row);
        QFETCH(QString, reason);
        TLocationFixture src, out;
        src.WriteFile("Land.csv", "# notes\n" + Header + "R,Good,1,2,0,5,1,1,1,1,1,1,1\n" + row + "\n");
        const Run r = Qdb({"build", src.Folder(), out.Path("db")});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(src.Path("Land.csv") + ":4: "), qPrintable(r.err));
        QVERIFY2(r.err.contains(reason), qPrintable(r.err));
        QVERIFY(!QFile::exists(out.Path("db/Regions.idx")));
    }

    // Zone meridians in use reach UTC+14: Apia keeps its zone of 195 degrees.
    void zonesToUtcPlus14() {
        TLocationFixture src, out;
        src.WriteFile("Pacific.csv", Header + "Samoa,Apia,-13.83,-171.76,195,2,1,1,1,1,1,1,1\n"
                                              "Kiribati,Kiritimati,1.87,-157.36,210,2,1,1,1,1,1,1,1\n");
        const Run built = Qdb({"build", src.Folder(), out.Path("db")});
        QCOMPARE(built.exitCode, 0);
        TLocationDatabase reader;
        reader.LoadIndex(out.Path("db") + '/');
        QVERIFY(reader.Open("Pacific"));
        QCOMPARE(reader.ReadRecord(0).TimeZone, 195.0f);
        QCOMPARE(reader.ReadRecord(1).TimeZone, 210.0f);
    }

    void buildsWhatTheReaderReadsAndDumpsIt() {
        TLocationFixture src, out;
        src.WriteFile("Lakes.csv",
                      "# indicative values\n" + Header +
                          "North,\"Cove \"\"Old\"\"\",-26.13,28.23,30,1694,29.6,17.1,1.2,3.5,31.5,-0.5,13.3\n"
                          "South,Été,0.1,-73.97,-75,0,0,0,0,0,0,0,0\r\n"
                          ",Unfiled,1,2,0,5,1,1,1,1,1,1,1\n"
                          "north,Ash,1,2,0,5,1,1,1,1,1,1,1\n");
        src.WriteFile("Ft. Rock.csv", Header + "Top,Peak,1,2,0,5,1,1,1,1,1,1,1\n");
        const QString db = out.Path("db");
        const Run built = Qdb({"build", src.Folder(), db});
        QCOMPARE(built.exitCode, 0);
        QVERIFY2(built.err.isEmpty(), qPrintable(built.err));

        TLocationDatabase reader;
        reader.LoadIndex(db + '/');
        QCOMPARE(reader.DatabaseNames(), QStringList({"+All", "Ft. Rock", "Lakes"}));
        QCOMPARE(reader.RegionNames("Lakes"), QStringList({"+All", "North", "South"}));
        QVERIFY(reader.Open("Ft. Rock")); // lies in Ft.qdb
        QCOMPARE(reader.ListPlaces(0).size(), size_t(1));
        QVERIFY(reader.Open("+All"));
        const int lakes = reader.RegionCode("+All", "Lakes");
        QCOMPARE(reader.ListPlaces(lakes).size(), size_t(4));
        QCOMPARE(reader.PickedName(reader.ReadRecord(4), "+All", "+All"), QString("Ash, North"));

        const Run dump = Qdb({"dump", db + "/Lakes.qdb"});
        QCOMPARE(dump.exitCode, 0);
        QCOMPARE(dump.out,
                 QString("record,database_code,region_code,name,latitude,longitude,timezone,altitude,"
                         "cooling_first,cooling_second,heating_design,wind_speed,max_dry_bulb,min_dry_bulb,"
                         "dry_bulb_range\n"
                         "0,2,1,\"Cove \"\"Old\"\"\",-26.13,28.23,30,1694,29.6,17.1,1.2,3.5,31.5,-0.5,13.3\n"
                         "1,2,2,Été,0.1,-73.97,-75,0,0,0,0,0,0,0,0\n"
                         "2,2,0,Unfiled,1,2,0,5,1,1,1,1,1,1,1\n"
                         "3,2,1,Ash,1,2,0,5,1,1,1,1,1,1,1\n"));
    }

    // A name or path holding "%1" or "%0" is text, not a place for the next value: the index keeps
    // each name with its own code, and a message names the file as it is.
    void percentSignsInNamesAndPathsStayAsWritten() {
        TLocationFixture src, out;
        src.WriteFile("50%1 Off.csv", Header + "Zone %0,Ash,1,2,0,5,1,1,1,1,1,1,1\n"
                                               "A%2B,Elm,1,2,0,5,1,1,1,1,1,1,1\n");
        const QString db = out.Path("db");
        QCOMPARE(Qdb({"build", src.Folder(), db}).exitCode, 0);
        TLocationDatabase reader;
        reader.LoadIndex(db + '/');
        QCOMPARE(reader.DatabaseNames(), QStringList({"+All", "50%1 Off"}));
        QCOMPARE(reader.RegionNames("50%1 Off"), QStringList({"+All", "Zone %0", "A%2B"}));
        QCOMPARE(reader.RegionCode("50%1 Off", "A%2B"), 2);
        QVERIFY(reader.Open("50%1 Off"));
        QCOMPARE(reader.PickedName(reader.ReadRecord(1), "50%1 Off", "+All"), QString("Elm, A%2B"));

        src.WriteFile("50%1 Off.csv", Header + "R,Bad,1,2,0,5,1,nan,1,1,1,1,1\n");
        const Run refused = Qdb({"build", src.Folder(), out.Path("db2")});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.err.contains(src.Path("50%1 Off.csv") + ":2: "), qPrintable(refused.err));
    }

    void sampleDatabaseBuildsAndEveryDatabaseOpens() {
        TLocationFixture out;
        QCOMPARE(Qdb({"build", SourcePath("/data/locations"), out.Path("db")}).exitCode, 0);
        TLocationDatabase reader;
        reader.LoadIndex(out.Path("db/"));
        const QStringList databases = reader.DatabaseNames();
        QVERIFY(databases.size() >= 4);
        size_t total = 0;
        for (const QString& name : databases.mid(1)) {
            QVERIFY2(reader.Open(name), qPrintable(name));
            total += reader.ListPlaces(0).size();
        }
        QVERIFY(reader.Open("+All"));
        QCOMPARE(reader.ListPlaces(0).size(), total);
        QVERIFY(total >= 150);
    }

    void dumpReadsWholeRecordsOnly() {
        TLocationFixture f;
        f.WriteFile("T.qdb", TLocationFixture::Records({Place(1, 2, "A", 1.5f)}) + QByteArray(83, 'x'));
        const Run r = Qdb({"dump", f.Path("T.qdb")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.count('\n'), 2);
        QVERIFY(r.out.endsWith("0,1,2,A,1.5,0,0,0,0,0,0,0,0,0,0\n"));
        QVERIFY(Qdb({"dump", f.Path("missing.qdb")}).exitCode > 0);
    }

    void dumpEscapesControlCharacters() {
        TLocationFixture f;
        f.WriteFile("T.qdb", TLocationFixture::Records({Place(1, 2, "A\nB\x1b\\C\u008d\u20ac")}));
        const Run r = Qdb({"dump", f.Path("T.qdb")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.endsWith("\n0,1,2,A\\x0AB\\x1B\\\\C\\x8D\u20ac,0,0,0,0,0,0,0,0,0,0,0\n"),
                 qPrintable(r.out));
    }

    // A text field a spreadsheet would run as a formula gets a quote before it; numbers keep their sign.
    void dumpDisarmsFormulaNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("equals") << "=cmd|calc!A1"
                                << "'=cmd|calc!A1";
        QTest::newRow("plus") << "+1+1"
                              << "'+1+1";
        QTest::newRow("minus") << "-2"
                               << "'-2";
        QTest::newRow("at") << "@SUM(A1)"
                            << "'@SUM(A1)";
        QTest::newRow("tab, escaped first") << "\tX"
                                            << "\\x09X";
        QTest::newRow("inside, left alone") << "A=B-C"
                                            << "A=B-C";
        QTest::newRow("quoted field") << "=A1,\"q\""
                                      << "\"'=A1,\"\"q\"\"\"";
    }
    void dumpDisarmsFormulaNames() {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        TLocationFixture f;
        f.WriteFile("T.qdb", TLocationFixture::Records({Place(1, 2, name, -1.5f)}));
        const Run r = Qdb({"dump", f.Path("T.qdb")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.endsWith("\n0,1,2," + shown + ",-1.5,0,0,0,0,0,0,0,0,0,0\n"), qPrintable(r.out));
    }

    void buildRefusesASourceThatIsNotARegularFile() {
        TLocationFixture src, out;
        QCOMPARE(mkfifo(QFile::encodeName(src.Path("Land.csv")).constData(), 0600), 0);
        const Run r = Qdb({"build", src.Folder(), out.Path("db")});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.err, src.Path("Land.csv") + ": not a regular file\n");
    }

    void dumpRefusesWhatIsNotARegularFile() {
        TLocationFixture f;
        QCOMPARE(mkfifo(QFile::encodeName(f.Path("fifo.qdb")).constData(), 0600), 0);
        QVERIFY(QDir(f.Folder()).mkdir("folder.qdb"));
        for (const char* name : {"fifo.qdb", "folder.qdb"}) {
            const Run r = Qdb({"dump", f.Path(name)});
            QCOMPARE(r.exitCode, 1);
            QCOMPARE(r.err, f.Path(name) + ": not a regular file\n");
        }
        QCOMPARE(Qdb({"dump", f.Path("missing.qdb")}).err, f.Path("missing.qdb") + ": no such record file\n");
    }

    void dumpFailsWhenItsOutputCannotBeWritten() {
        if (!QFileInfo("/dev/full").exists()) QSKIP("no /dev/full here");
        TLocationFixture f;
        f.WriteRecords("T.qdb", LakesRecords());
        const Run r = Qdb({"dump", f.Path("T.qdb")}, "/dev/full");
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.startsWith("cannot write the output"), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TestQdb)
#include "tst_qdb.moc"
