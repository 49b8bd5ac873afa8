// The calculation document without windows: the solve of the worked example, polar days, the sol-air
// table, Auto Ambient, the window-shading command, the Local page and the solved flag.
#include "app/SolarText.h"
#include "app/TCalcDocument.h"

#include <QLocale>
#include <QTest>

#include <limits>

namespace {

const QString StartAmbientText = QStringLiteral("21.3,20.8,20.4,20.1,20.0,20.2,20.7,21.6,22.9,24.4,26.1,27.7,"
                                                "28.9,29.7,30.0,29.7,29.0,27.9,26.6,25.3,24.2,"
                                                "23.2,22.4,21.8");

// The worked example site and day with a vertical surface facing north: the Reset inputs.
void UseResetInputs(TCalcDocument& doc) {
    doc.ApplyInputs(ResetInputSet());
}

QList<int> RowHours(const QList<TResultRow>& rows) {
    QList<int> hours;
    for (const TResultRow& row : rows)
        hours << row.Caption.trimmed().toInt();
    return hours;
}

QList<int> HourRange(int first, int last) {
    QList<int> hours;
    for (int h = first; h <= last; ++h)
        hours << h;
    return hours;
}

// Records the events a window would receive.
struct TEventLog {
    QList<QPair<TInputId, double>> Inputs;
    QStringList Statuses;
    QStringList Clipboard;
    QStringList Messages;
    int SolveFinished = 0;

    explicit TEventLog(TCalcDocument& doc) {
        doc.OnInputChanged = [this](TInputId id, double v) { Inputs << qMakePair(id, v); };
        doc.OnSolvedChanged = [this](bool, const QString& status) { Statuses << status; };
        doc.OnClipboardText = [this](const QString& text) { Clipboard << text; };
        doc.OnMessage = [this](const QString& text) { Messages << text; };
        doc.OnSolveFinished = [this] { ++SolveFinished; };
    }
};

} // namespace

class TestCalcDocument : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void startValues() {
        TCalcDocument doc;
        const TInputSet in = doc.CopyInputs();
        QCOMPARE(in.Azimuth, 0.0);
        QCOMPARE(in.Slope, 0.0);
        QCOMPARE(in.DayNumber, 172.5);
        QVERIFY(!doc.Solved());
        QCOMPARE(doc.StatusText(), QString("Results are out of date..."));
        QCOMPARE(ProfileText(doc.AmbientProfile(), "%0.1f"), StartAmbientText);
        for (double v : doc.TotalProfile())
            QCOMPARE(v, 0.0);
    }

    void workedExampleSolve() {
        TCalcDocument doc;
        TEventLog log(doc);
        UseResetInputs(doc);
        QVERIFY(doc.Solve());

        QCOMPARE(RowHours(doc.AnglesRows()), HourRange(6, 18));
        QCOMPARE(RowHours(doc.SolarRows()), HourRange(6, 18));
        QCOMPARE(doc.AnglesRows().first().Caption, QString("  6"));
        // The first and last rows lie just outside sunrise and sunset: negative altitude, no radiation.
        for (int i : {0, 12}) {
            QVERIFY(doc.AnglesRows()[i].Cells[0].startsWith('-'));
            QCOMPARE(doc.SolarRows()[i].Cells, QStringList({"0", "0", "0", "0", "0"}));
        }
        QCOMPARE(doc.AnglesRows()[6], (TResultRow{" 12", {"40", "-177", "357", "40"}}));
        QCOMPARE(doc.SolarRows()[6], (TResultRow{" 12", {"834", "635", "120", "65", "820"}}));

        QVERIFY(qAbs(doc.AltitudeProfile()[12] - 40.376) < 5e-4);
        QVERIFY(qAbs(doc.TotalProfile()[12] - 819.91) < 5e-3);
        QVERIFY(qAbs(doc.SHGFProfile()[12] - 698.80) < 5e-3);
        for (int h : {0, 5, 19, 23})
            QCOMPARE(doc.AltitudeProfile()[h], 0.0);

        QVERIFY(qAbs(doc.Sunrise() - 6.96379) < 1e-5);
        QVERIFY(qAbs(doc.Sunset() - 17.32572) < 1e-5);
        int first = -1, last = -1;
        doc.SunriseRange(first, last);
        QCOMPARE(std::pair(first, last), std::pair(6, 18));
        QCOMPARE(doc.LocalFields().Sunrise, QString("06:57:50"));
        QCOMPARE(doc.LocalFields().Sunset, QString("17:19:33"));
        QCOMPARE(doc.LocalFields().Declination, QString("23.450"));
        QCOMPARE(doc.LocalFields().EquationOfTime, QString("-1.605"));

        QVERIFY(doc.Solved());
        QCOMPARE(log.Statuses, QStringList{"Solved..."});
        QCOMPARE(log.SolveFinished, 1);
    }

    // Far west of its zone meridian solar noon comes near 15:00: the rows run on to the hour after
    // sunset, so the sunlit afternoon and its peak are in the tables.
    void wideZoneKeepsTheAfternoon() {
        TCalcDocument doc;
        UseResetInputs(doc);
        doc.SetLatitude(39.47);
        doc.SetLongitude(75.99);
        doc.SetTimeZone(120);
        QVERIFY(doc.Solve());
        QCOMPARE(int(doc.Sunrise()), 7);
        QCOMPARE(int(doc.Sunset()), 22);
        QCOMPARE(RowHours(doc.AnglesRows()), HourRange(7, 23));
        QCOMPARE(RowHours(doc.SolarRows()), HourRange(7, 23));
        for (int h = 18; h <= 22; ++h)
            QVERIFY2(doc.AltitudeProfile()[h] > 0 && doc.TotalProfile()[h] > 0,
                     qPrintable(QString::number(h)));
        QVERIFY(doc.AltitudeProfile()[23] < 0); // the row after sunset, as at the start of the day
    }

    // Hours of the solved range that fall outside the day are skipped, never stored.
    void polarDays_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<double>("day");
        QTest::addColumn<QList<int>>("hours");
        QTest::newRow("midnight sun, north") << 89.0 << 28.23 << 172.5 << HourRange(0, 23);
        QTest::newRow("midnight sun, far east of the zone meridian")
            << 89.0 << 60.0 << 172.5 << HourRange(0, 23);
        QTest::newRow("polar night, south: noon only") << -89.0 << 28.23 << 172.5 << QList<int>{12};
        QTest::newRow("polar night west of the meridian: nothing") << -89.0 << 5.0 << 172.5 << QList<int>{};
        QTest::newRow("polar night, north in December") << 89.0 << 28.23 << 355.0 << QList<int>{12};
    }
    void polarDays() {
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(double, day);
        QFETCH(QList<int>, hours);
        TCalcDocument doc;
        UseResetInputs(doc);
        doc.SetLatitude(latitude);
        doc.SetLongitude(longitude);
        doc.SetDayNumber(day);
        QVERIFY(doc.Solve());
        QCOMPARE(doc.SolvedHours(), hours);
        QCOMPARE(RowHours(doc.AnglesRows()), hours);
        QCOMPARE(RowHours(doc.SolarRows()), hours);
        for (int h = 0; h < 24; ++h)
            if (!hours.contains(h)) QCOMPARE(doc.IncidentProfile()[h], 0.0);
        for (int h : hours)
            QVERIFY(doc.IncidentProfile()[h] > 0);
        int first = -1, last = -1;
        doc.SunriseRange(first, last);
        QVERIFY(first >= 0 && first <= last && last <= 23);

        QVERIFY(doc.GenerateAreaFactors());
        QCOMPARE(doc.AreaFactorText().split(',').size(), 24);
        for (double f : doc.AreaFactorProfile())
            QVERIFY(f >= 0 && f <= 1);
    }

    // A second solve clears what the first one wrote: after the midnight sun at 89 N fills all 24 hours,
    // the polar night at 89 S solves noon alone and every other slot of every result profile is 0.
    void secondSolveKeepsNothingOfTheFirst() {
        TCalcDocument doc;
        UseResetInputs(doc);
        doc.SetLatitude(89);
        QVERIFY(doc.Solve());
        QCOMPARE(doc.AnglesRows().size(), 24);
        doc.SetLatitude(-89);
        QVERIFY(doc.Solve());
        QCOMPARE(doc.SolvedHours(), QList<int>{12});
        QCOMPARE(RowHours(doc.AnglesRows()), QList<int>{12});
        QCOMPARE(RowHours(doc.SolarRows()), QList<int>{12});
        const TProfile24* profiles[] = {
            &doc.AltitudeProfile(), &doc.AzimuthProfile(), &doc.IncidentProfile(), &doc.SSAProfile(),
            &doc.NormalProfile(),   &doc.DirectProfile(),  &doc.DiffuseProfile(),  &doc.ReflectedProfile(),
            &doc.TotalProfile(),    &doc.SHGFProfile()};
        for (const TProfile24* p : profiles)
            for (int h = 0; h < 24; ++h)
                if (h != 12) QCOMPARE((*p)[h], 0.0);
        QVERIFY(doc.AltitudeProfile()[12] < 0); // the sun stays below the horizon all day
    }

    // A non-finite value never gets into the document: every setter refuses it, reports nothing, and
    // the inputs keep their values (a NaN used to show in every row and be saved back).
    void nonFiniteInputRefused() {
        TCalcDocument doc;
        UseResetInputs(doc);
        const TInputSet before = doc.CopyInputs();
        int reports = 0;
        doc.OnInputChanged = [&reports](TInputId, double) { ++reports; };
        for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()}) {
            for (int i = 0; i < InputCount; ++i)
                doc.SetInput(TInputId(i), bad);
            doc.SetLongitude(bad);
            TInputSet all = before;
            for (int i = 0; i < InputCount; ++i)
                SetInputValue(all, TInputId(i), bad);
            doc.ApplyInputs(all);
        }
        QCOMPARE(reports, 0);
        for (int i = 0; i < InputCount; ++i)
            QCOMPARE(doc.Input(TInputId(i)), InputValue(before, TInputId(i)));
        const TProfile24 ambient = doc.AmbientProfile();
        TProfile24 poisoned = ambient;
        poisoned[13] = std::numeric_limits<double>::quiet_NaN();
        doc.SetAmbientProfile(poisoned);
        QVERIFY(doc.AmbientProfile() == ambient);
        QVERIFY(doc.Solve());
        QVERIFY(!doc.AnglesRows().isEmpty());
    }

    // A window commits a value still being typed when the solve starts; the solve must use it.
    void solveUsesValueCommittedBeforeIt() {
        TCalcDocument doc;
        UseResetInputs(doc);
        doc.OnBeforeSolve = [&doc] { doc.SetLatitude(-89); };
        QVERIFY(doc.Solve());
        QCOMPARE(RowHours(doc.AnglesRows()), QList<int>{12});
    }

    void settersNeverChangeSolved() {
        TCalcDocument doc;
        TEventLog log(doc);
        for (bool solved : {false, true}) {
            if (solved) QVERIFY(doc.Solve());
            log.Inputs.clear();
            for (int i = 0; i < InputCount; ++i)
                doc.SetInput(TInputId(i), 10.0 + i);
            QCOMPARE(doc.Solved(), solved);
            QCOMPARE(log.Inputs.size(), InputCount);
            for (int i = 0; i < InputCount; ++i)
                QCOMPARE(log.Inputs[i], qMakePair(TInputId(i), 10.0 + i));
        }
        QCOMPARE(log.Statuses, QStringList{"Solved..."});
        doc.SetSolved(false);
        QCOMPARE(log.Statuses.last(), QString("Results are out of date..."));
    }

    void applyInputsUsesEverySetterInOrder() {
        TCalcDocument doc;
        TEventLog log(doc);
        TInputSet in;
        for (int i = 0; i < InputCount; ++i)
            SetInputValue(in, TInputId(i), 100.0 + i);
        doc.ApplyInputs(in);
        QCOMPARE(log.Inputs.size(), InputCount);
        for (int i = 0; i < InputCount; ++i) {
            QCOMPARE(log.Inputs[i].first, TInputId(i));
            QCOMPARE(doc.Input(TInputId(i)), 100.0 + i);
        }
    }

    void resetGivesNorthFacingVerticalAndKeepsLocation() {
        TCalcDocument doc;
        doc.PickLocation("Polokwane", 1230, -23.9, 29.45, 30, 33, 14);
        doc.SetGlassDepth(0.5);
        QVERIFY(doc.Reset());
        QCOMPARE(doc.Azimuth(), 180.0);
        QCOMPARE(doc.Slope(), 90.0);
        QCOMPARE(doc.Altitude(), 1700.0);
        QCOMPARE(doc.GlassDepth(), 0.15);
        QCOMPARE(doc.LocationName(), QString("Polokwane"));
        QCOMPARE(doc.DesignMaxTemp(), 33.0);
        QVERIFY(doc.Solved());
    }

    void locationPickMarksOutOfDateOnly() {
        TCalcDocument doc;
        UseResetInputs(doc);
        QVERIFY(doc.Solve());
        doc.PickLocation("Upington", 836, -28.4, 21.27, 30, 36.5, 15.5);
        QVERIFY(!doc.Solved());
        QCOMPARE(doc.Latitude(), -28.4);
        QCOMPARE(doc.Azimuth(), 180.0);
        QCOMPARE(doc.DayNumber(), 172.5);
        // The ambient profile waits for Auto Ambient.
        QCOMPARE(ProfileText(doc.AmbientProfile(), "%0.1f"), StartAmbientText);
    }

    // Sol-air at noon of the worked example, and at an unsolved hour (no sun: ambient plus the sky
    // correction of surfaces tilted less than 30 degrees).
    void solAir_data() {
        QTest::addColumn<TSurfaceColour>("colour");
        QTest::addColumn<double>("slopeAfterSolve");
        QTest::addColumn<QString>("noon");
        QTest::addColumn<QString>("midnight");
        QTest::newRow("light") << scLight << 90.0 << "50.2"
                               << "21.3";
        QTest::newRow("dark") << scDark << 90.0 << "71.5"
                              << "21.3";
        QTest::newRow("slope 30: no correction") << scLight << 30.0 << "50.2"
                                                 << "21.3";
        QTest::newRow("slope 29.99: -3.9 K") << scLight << 29.99 << "46.3"
                                             << "17.4";
    }
    void solAir() {
        QFETCH(TSurfaceColour, colour);
        QFETCH(double, slopeAfterSolve);
        QFETCH(QString, noon);
        QFETCH(QString, midnight);
        TCalcDocument doc;
        UseResetInputs(doc);
        QVERIFY(doc.Solve());
        int rebuilds = 0;
        doc.OnSolAirChanged = [&] { ++rebuilds; };
        // The rebuild reads the current slope, even one edited after the solve.
        doc.SetSlope(slopeAfterSolve);
        doc.SetSurfaceColour(colour);
        QCOMPARE(rebuilds, 1);
        QVERIFY(doc.Solved());
        QCOMPARE(doc.SolAirRows().size(), 24);
        QCOMPARE(doc.SolAirRows()[12], (TResultRow{" 12", {"820", "28.9", noon, "698.8"}}));
        QCOMPARE(doc.SolAirRows()[0], (TResultRow{"  0", {"0", "21.3", midnight, "0.0"}}));
    }

    void autoAmbient() {
        TCalcDocument doc;
        TEventLog log(doc);
        doc.AutoAmbient(); // before any pick: maximum 30, range 10
        QCOMPARE(log.Clipboard, QStringList{StartAmbientText});

        UseResetInputs(doc);
        QVERIFY(doc.Solve());
        doc.PickLocation("Hot", 500, -20, 30, 30, 40, 20);
        QVERIFY(doc.Solve());
        doc.AutoAmbient();
        QVERIFY(doc.Solved());
        QCOMPARE(doc.AmbientProfile()[4], 20.0);
        QCOMPARE(doc.AmbientProfile()[14], 40.0);
        QCOMPARE(log.Clipboard.last(), ProfileText(doc.AmbientProfile(), "%0.1f"));
        QCOMPARE(doc.SolAirRows()[4].Cells[1], QString("20.0")); // the sol-air table follows
    }

    // The worked example's published fractions, and glass without a recess.
    void windowShading_data() {
        QTest::addColumn<double>("depth");
        QTest::addColumn<QString>("expected");
        QTest::newRow("worked example")
            << 0.15
            << "0.00,0.00,0.00,0.00,0.00,0.00,0.00,1.00,0.95,0.93,0.91,0.90,0.90,0.89,"
               "0.87,0.87,0.87,0.87,0.00,0.00,0.00,0.00,0.00,0.00";
        QTest::newRow("no recess") << 0.0
                                   << "0.00,0.00,0.00,0.00,0.00,0.00,0.00,1.00,1.00,1.00,1.00,1.00,1.00,1.00,"
                                      "1.00,1.00,1.00,1.00,0.00,0.00,0.00,0.00,0.00,0.00";
    }
    void windowShading() {
        QFETCH(double, depth);
        QFETCH(QString, expected);
        TCalcDocument doc;
        UseResetInputs(doc);
        doc.SetSlope(0); // the command makes the surface vertical for good
        doc.SetGlassDepth(depth);
        TEventLog log(doc);
        int shown = 0;
        doc.OnAreaFactorsChanged = [&] { ++shown; };
        QVERIFY(doc.GenerateAreaFactors());
        QCOMPARE(doc.AreaFactorText(), expected);
        QCOMPARE(log.Clipboard, QStringList{doc.AreaFactorText()});
        QCOMPARE(shown, 1);
        QCOMPARE(doc.Slope(), 90.0);
        QVERIFY(log.Inputs.contains(qMakePair(inSlope, 90.0)));
        QVERIFY(doc.Solved());
    }

    void localAngles_data() {
        QTest::addColumn<bool>("solarTime");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("clock time 12")
            << false << QStringList{"Clock Time = 12:00:00 h:m:s", "Solar Time = 11:51:19 h:m:s",
                                    "Hour Angle = -2.17",          "Solar Altitude = 40.38",
                                    "Solar Azimuth = -177.38",     "Solar-Surface Azimuth = 357.38",
                                    "Incident Angle = 40.45"};
        QTest::newRow("solar time 12")
            << true
            << QStringList{"Clock Time = 12:08:41 h:m:s", "Solar Time = 12:00:00 h:m:s", "Hour Angle = 0.00"};
    }
    void localAngles() {
        QFETCH(bool, solarTime);
        QFETCH(QStringList, lines);
        TCalcDocument doc;
        UseResetInputs(doc);
        doc.SetLocalTime("12", solarTime);
        QVERIFY(doc.Solve());
        QCOMPARE(doc.LocalLines().mid(0, lines.size()), lines);
        QCOMPARE(doc.LocalLines().size(), 7);
    }

    // A time text that is not a number stops the solve before it marks the document solved.
    void badLocalTimeLeavesOutOfDate() {
        TCalcDocument doc;
        TEventLog log(doc);
        UseResetInputs(doc);
        doc.SetLocalTime("12h", false);
        QVERIFY(!doc.Solve());
        QVERIFY(!doc.Solved());
        QVERIFY(log.Statuses.isEmpty());
        QCOMPARE(log.Messages, QStringList{"'12h' is not a valid floating point value"});
        QCOMPARE(log.SolveFinished, 1); // the tables are filled all the same
        QCOMPARE(doc.AnglesRows().size(), 13);
        QVERIFY(doc.LocalLines().isEmpty());
        QVERIFY(!doc.CopyPage(pgAngles));
        QVERIFY(!doc.GenerateAreaFactors());
        QVERIFY(log.Clipboard.isEmpty());
    }

    void localTimeFromSunriseAndSunset() {
        TCalcDocument doc;
        UseResetInputs(doc);
        QVERIFY(doc.Solve());
        doc.LocalTimeFromSunrise();
        QCOMPARE(doc.LocalTimeText(), QString("6.96379"));
        doc.LocalTimeFromSunset();
        QCOMPARE(doc.LocalTimeText(), QString("17.3257"));
    }

    void copyPages() {
        TCalcDocument doc;
        TEventLog log(doc);
        UseResetInputs(doc);
        // An out-of-date document is solved before its table is copied.
        QVERIFY(doc.CopyPage(pgAngles));
        QVERIFY(doc.Solved());
        QCOMPARE(log.Clipboard.size(), 1);
        const QStringList lines = log.Clipboard[0].split("\r\n");
        QCOMPARE(lines.mid(0, 14),
                 (QStringList{"Quorvane Calculator", "", "Property,Value,Units", "Barometer,1700,m",
                              "Latitude,-26.13,deg", "Longitude,28.23,deg", "\"Time Zone\",30.00,deg",
                              "Azimuth,180.00,deg", "Slope,90.00,deg", "\"Day Number\",172.5,", "", "Angles",
                              "", "CT,Altitude,Azimuth,SSA,Incident"}));
        QCOMPARE(lines[14], QString("  6,-12,-110,290,70"));
        QCOMPARE(lines.size(), 14 + 13 + 1); // 13 rows, then the final line end
        QCOMPARE(lines.last(), QString());

        QVERIFY(doc.CopyPage(pgSolAir));
        QVERIFY(
            log.Clipboard.last().contains("\r\nSolAir\r\n\r\nCT,Solar,Ambient,TSolAir,SHGF\r\n  0,0,21.3,"));
        QVERIFY(doc.CopyPage(pgLocal));
        QCOMPARE(log.Clipboard.last(), QString("Sunrise 06:57:50 hh:mm\r\nSunset 17:19:33 hh:mm"));
        QVERIFY(!doc.CopyPage(pgPlot));
        QCOMPARE(log.Clipboard.size(), 3);
    }

    // With a comma as decimal separator the values hold commas, so comma text must quote them; and the
    // start-up local time must read back in that locale, or the first solve would fail.
    void commaLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TCalcDocument doc;
        QCOMPARE(doc.LocalTimeText(), QString("12,00"));
        UseResetInputs(doc);
        QVERIFY(doc.Solve());
        QCOMPARE(doc.LocalLines().value(3), QString("Solar Altitude = 40,38"));
        const QStringList lines = doc.PageTableText(pgSolar).split("\r\n");
        QCOMPARE(lines[4], QString("Latitude,\"-26,13\",deg"));
        QCOMPARE(lines[9], QString("\"Day Number\",\"172,5\","));
        QCOMPARE(doc.LocalFields().Declination, QString("23,450"));
        QVERIFY(ProfileText(doc.AmbientProfile(), "%0.1f").startsWith("21,3\t20,8\t"));
        // The rows of all three lists, which take the separator once per solve.
        int commas = 0;
        for (const TResultRow& row : doc.AnglesRows() + doc.SolarRows() + doc.SolAirRows())
            for (const QString& cell : row.Cells) {
                QVERIFY2(!cell.contains('.'), qPrintable(cell));
                commas += int(cell.count(','));
            }
        QVERIFY(commas >= 3 * doc.SolAirRows().size()); // ambient, sol-air and SHGF have decimals
    }
};

QTEST_GUILESS_MAIN(TestCalcDocument)
#include "tst_calcdocument.moc"
