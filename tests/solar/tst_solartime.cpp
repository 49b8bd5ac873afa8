// Sun position and solar times: published figures, the polar limits, the noon azimuth, the lazy
// recomputation after an input changes, and the text of a time of day.
#include "Digits.h"
#include "solar/TSolar.h"

#include <QDate>
#include <QTest>

#include <limits>

namespace {

// The site and day of the worked example: a southern-hemisphere winter day.
TSolar WorkedExample() {
    TSolar s;
    s.SetDay(172.5);
    s.SetLocation(-26.13, 28.23, 30, 0);
    return s;
}

double ClockOf(double solar, double day, double longitude, double zone) {
    return ClockTimeOf(solar, EquationOfTime(day), longitude * DegToRad, zone * DegToRad);
}

} // namespace

class TestSolarTime : public QObject {
    Q_OBJECT
private slots:

    void dayOfYear_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("expected");
        QTest::newRow("21 March 2005") << 2005 << 3 << 21 << 80;
        QTest::newRow("21 March of a leap year") << 2004 << 3 << 21 << 81;
        QTest::newRow("1 January") << 2005 << 1 << 1 << 1;
        QTest::newRow("31 December") << 2005 << 12 << 31 << 365;
        QTest::newRow("31 December, leap") << 2004 << 12 << 31 << 366;
        QTest::newRow("2000 is a leap year") << 2000 << 12 << 31 << 366;
        QTest::newRow("1900 is not") << 1900 << 12 << 31 << 365;
        QTest::newRow("month above 12 is December") << 2005 << 13 << 1 << 335;
        QTest::newRow("day 0 counts back") << 2005 << 1 << 0 << 0;
    }
    void dayOfYear() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, expected);
        QCOMPARE(DayOfYear(year, month, day), expected);
    }

    void declinationAndEquationOfTime() {
        QCOMPARE_DIGITS(SolarDeclination(80), "-0.0070451");
        QCOMPARE_DIGITS(SolarDeclination(80) * RadToDeg, "-0.40365");
        QCOMPARE(EquationOfTime(81), -7.53);
    }

    void dateOfDayNumber_data() {
        QTest::addColumn<double>("dayNumber");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1 January") << 1.0 << 2005 << "2005-01-01 00:00:00";
        QTest::newRow("start-up day, noon") << 172.5 << 2005 << "2005-06-21 12:00:00";
        QTest::newRow("quarter day") << 80.25 << 2005 << "2005-03-21 06:00:00";
        QTest::newRow("29 February") << 60.0 << 2004 << "2004-02-29 00:00:00";
        QTest::newRow("366 of a leap year") << 366.0 << 2004 << "2004-12-31 00:00:00";
        QTest::newRow("366 runs into next year") << 366.0 << 2005 << "2006-01-01 00:00:00";
        QTest::newRow("0 is the last day before") << 0.0 << 2005 << "2004-12-31 00:00:00";
        QTest::newRow("rounding to the next day") << 1.9999999999 << 2005 << "2005-01-02 00:00:00";
        QTest::newRow("NaN is 1 January")
            << std::numeric_limits<double>::quiet_NaN() << 2005 << "2005-01-01 00:00:00";
    }
    void dateOfDayNumber() {
        QFETCH(double, dayNumber);
        QFETCH(int, year);
        QFETCH(QString, expected);
        const TDateTimeParts d = DateOfDayNumber(dayNumber, year);
        QCOMPARE(QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", d.Year, d.Month, d.Day, d.Hour, d.Minute,
                                   d.Second),
                 expected);
    }

    void dateAndDayNumberRoundTrip() {
        for (int year : {2004, 2005}) {
            const int days = year == 2004 ? 366 : 365;
            for (int n = 1; n <= days; ++n) {
                const TDateTimeParts d = DateOfDayNumber(n, year);
                QCOMPARE(d.Year, year);
                QCOMPARE(DayOfYear(d.Year, d.Month, d.Day), n);
            }
        }
        QCOMPARE(DateOfDayNumber(1).Year, QDate::currentDate().year());
    }

    void workedExample_data() {
        QTest::addColumn<double>("clock");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("declination") << 12.0 << "declination" << QByteArray("23.44978");
        QTest::newRow("equation of time") << 12.0 << "eot" << QByteArray("-1.60532");
        QTest::newRow("12: solar time") << 12.0 << "solar" << QByteArray("11.8552");
        QTest::newRow("12: hour angle") << 12.0 << "hour" << QByteArray("-2.171");
        QTest::newRow("12: altitude") << 12.0 << "altitude" << QByteArray("40.376");
        QTest::newRow("12: azimuth, almost due north") << 12.0 << "azimuth" << QByteArray("-177.385");
        QTest::newRow("16: altitude") << 16.0 << "altitude" << QByteArray("15.266");
        QTest::newRow("16: azimuth") << 16.0 << "azimuth" << QByteArray("126.394");
    }
    void workedExample() {
        QFETCH(double, clock);
        QFETCH(QString, quantity);
        QFETCH(QByteArray, expected);
        TSolar s = WorkedExample();
        s.SetClockTime(clock);
        const double value = quantity == "declination" ? s.Declination()
                             : quantity == "eot"       ? s.EquationOfTimeMinutes()
                             : quantity == "solar"     ? s.SolarTime()
                             : quantity == "hour"      ? s.HourAngle()
                             : quantity == "altitude"  ? s.SolarAltitude()
                                                       : s.SolarAzimuth();
        QCOMPARE_DIGITS(value, expected);
        QCOMPARE(s.ClockTime(), clock);
    }

    void sunriseSunset() {
        const TSolar s = WorkedExample();
        double sunrise = 0, sunset = 0;
        s.SunriseSunset(sunrise, sunset);
        QCOMPARE_DIGITS(sunrise, "6.96379");
        QCOMPARE_DIGITS(sunset, "17.32572");
        QCOMPARE(HoursToHMS(sunrise, ":"), std::string("06:57:50"));
        QCOMPARE(HoursToHMS(sunset, ":"), std::string("17:19:33"));
    }

    // Where the sun never sets the half day is 12 h; where it never rises both times are solar noon.
    void polarDays_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("day");
        QTest::addColumn<double>("solarSunrise");
        QTest::addColumn<double>("solarSunset");
        QTest::newRow("70 N midsummer: midnight sun") << 70.0 << 172.0 << 0.0 << 24.0;
        QTest::newRow("70 N midwinter: polar night") << 70.0 << 355.0 << 12.0 << 12.0;
        QTest::newRow("north pole, latitude limited") << 90.0 << 172.0 << 0.0 << 24.0;
        QTest::newRow("south pole in June") << -90.0 << 172.0 << 12.0 << 12.0;
        QTest::newRow("south pole in December") << -90.0 << 355.0 << 0.0 << 24.0;
        QTest::newRow("equinox at the equator") << 0.0 << 80.0 << 6.0 << 18.0;
        // Beyond 88.8 degrees the latitude is taken as 1.55 rad, which keeps an equinox day.
        QTest::newRow("north pole at equinox") << 90.0 << 80.0 << 7.3199 << 16.6801;
    }
    void polarDays() {
        QFETCH(double, latitude);
        QFETCH(double, day);
        QFETCH(double, solarSunrise);
        QFETCH(double, solarSunset);
        TSolar s;
        s.SetDay(day);
        s.SetLocation(latitude, 15, 30, 0);
        double sunrise = 0, sunset = 0;
        s.SunriseSunset(sunrise, sunset);
        QVERIFY(std::fabs(sunrise - ClockOf(solarSunrise, day, 15, 30)) <= 1e-4);
        QVERIFY(std::fabs(sunset - ClockOf(solarSunset, day, 15, 30)) <= 1e-4);
    }

    void noonAzimuth_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("day");
        QTest::addColumn<double>("expected");
        QTest::newRow("50 N, sun culminates south") << 50.0 << 172.0 << 0.0;
        QTest::newRow("equator at equinox, just south") << 0.0 << 80.0 << 0.0;
        QTest::newRow("10 N in June, north of the zenith") << 10.0 << 172.0 << 180.0;
        QTest::newRow("26 S in June") << -26.13 << 172.0 << 180.0;
        QTest::newRow("40 S in December") << -40.0 << 355.0 << 180.0;
    }
    void noonAzimuth() {
        QFETCH(double, latitude);
        QFETCH(double, day);
        QFETCH(double, expected);
        TSolar s;
        s.SetDay(day);
        s.SetLocation(latitude, 30, 30, 0);
        s.SetSolarTime(12);
        QCOMPARE(s.HourAngle(), 0.0);
        // The arc cosine is ill-conditioned next to +/-1, so allow a few micro-radians.
        QVERIFY2(std::fabs(s.SolarAzimuth() - expected) < 1e-3,
                 qPrintable(QString::number(s.SolarAzimuth(), 'g', 12)));
        // Morning sun is east (negative), afternoon sun west (positive).
        s.SetSolarTime(9);
        QVERIFY(s.SolarAzimuth() < 0);
        s.SetSolarTime(15);
        QVERIFY(s.SolarAzimuth() > 0);
    }

    void sunAtZenithHasDefinedAngles() {
        TSolar s;
        s.SetDay(172);
        s.SetLocation(SolarDeclination(172) * RadToDeg, 30, 30, 0);
        s.SetSurface(0, 90);
        s.SetSolarTime(12);
        QCOMPARE_DIGITS(s.SolarAltitude(), "90.000");
        QVERIFY(std::isfinite(s.SolarAzimuth()));
        QCOMPARE_DIGITS(s.IncidentAngle(), "90.000");
    }

    // Every input change must reach the next query, in whatever order the queries come.
    void changedInputsGiveFreshAngles() {
        TSolar reference;
        reference.SetDay(200);
        reference.SetLocation(45, 10, 15, 300);
        reference.SetSurface(-60, 75);
        reference.SetClockTime(10);

        TSolar s;
        s.SetClockTime(14);
        s.SurfaceSolarAzimuth();
        s.SetDay(200);
        s.IncidentAngle();
        s.SetLocation(45, 10, 15, 300);
        s.SetClockTime(10);
        s.SolarAltitude(); // altitude current, azimuth not yet
        QVERIFY(s.AltitudeValid());
        QVERIFY(!s.AzimuthValid());
        s.SurfaceSolarAzimuth(); // azimuth group current for the old surface
        QVERIFY(s.AzimuthValid());
        s.SetSurface(-60, 75);
        QVERIFY(s.AltitudeValid()); // the surface does not move the sun
        QVERIFY(!s.AzimuthValid());

        // Beam first: it must bring the incident angle up to date itself.
        QCOMPARE(s.DirectRadiation(), reference.DirectRadiation());
        QCOMPARE(s.IncidentAngle(), reference.IncidentAngle());
        QCOMPARE(s.SurfaceSolarAzimuth(), reference.SurfaceSolarAzimuth());
        QCOMPARE(s.SolarAzimuth(), reference.SolarAzimuth());
        QCOMPARE(s.SolarAltitude(), reference.SolarAltitude());

        for (auto change : {+[](TSolar& x) { x.SetDay(20); }, +[](TSolar& x) { x.SetLocation(-30, 0, 0, 0); },
                            +[](TSolar& x) { x.SetClockTime(8); }, +[](TSolar& x) { x.SetSolarTime(8); }}) {
            TSolar t = reference;
            t.IncidentAngle();
            change(t);
            QVERIFY(!t.AltitudeValid());
            QVERIFY(!t.AzimuthValid());
        }
    }

    // The radiation is kept with the angles: after any input change every quantity must equal that of
    // a fresh model given the same inputs, even when all of them were asked for before the change.
    void radiationFollowsEveryInput_data() {
        QTest::addColumn<int>("change");
        const char* const names[] = {"day",     "latitude",   "site altitude only",
                                     "surface", "clock time", "solar time"};
        for (int i = 0; i < int(std::size(names)); ++i)
            QTest::newRow(names[i]) << i;
    }
    void radiationFollowsEveryInput() {
        QFETCH(int, change);
        const auto setInputs = [change](TSolar& s, bool changed) {
            s.SetDay(changed && change == 0 ? 20 : 200);
            s.SetLocation(changed && change == 1 ? -30 : 45, 10, 15, changed && change == 2 ? 2500 : 300);
            s.SetSurface(changed && change == 3 ? 170 : -60, changed && change == 3 ? 20 : 75);
            if (changed && change == 5)
                s.SetSolarTime(13.5);
            else
                s.SetClockTime(changed && change == 4 ? 15 : 10);
        };
        const auto all = [](TSolar& s) {
            return QList<double>{s.SolarHeatGainFactor(), s.ReflectedRadiation(), s.DiffuseRadiation(),
                                 s.DirectRadiation(),     s.DirectNormal(),       s.DiffuseHorizontal(),
                                 s.TotalHorizontal(),     s.IncidentAngle(),      s.SurfaceSolarAzimuth(),
                                 s.SolarAzimuth(),        s.SolarAltitude()};
        };
        TSolar s;
        setInputs(s, false);
        const QList<double> before = all(s);
        setInputs(s, true);
        TSolar fresh;
        setInputs(fresh, true);
        const QList<double> expected = all(fresh);
        QVERIFY(expected != before); // the change moves the results at all
        QCOMPARE(all(s), expected);
    }

    void defaults() {
        TSolar s;
        QCOMPARE(s.DayNumber(), 80.0);
        QCOMPARE(s.Latitude(), -26.13);
        QCOMPARE(s.Longitude(), 28.24);
        QCOMPARE(s.TimeZone(), 30.0);
        QCOMPARE(s.Altitude(), 0.0);
        QCOMPARE(s.SurfaceAzimuth(), 15.0);
        QCOMPARE(s.Slope(), 36.0);
        QCOMPARE(s.ClockTime(), 11.0);
        QCOMPARE(s.GroundReflectance(), 0.2);
    }

    void hoursToHMS_data() {
        QTest::addColumn<double>("hours");
        QTest::addColumn<QString>("expected");
        QTest::newRow("half past six") << 6.5 << "06:30:00";
        QTest::newRow("midnight") << 0.0 << "00:00:00";
        QTest::newRow("seconds") << 13.0 + 5.0 / 60 + 7.0 / 3600 << "13:05:07";
        QTest::newRow("60 s carried into minutes") << 6.1 << "06:06:00";
        QTest::newRow("60 min carried into hours") << 23.99999 << "24:00:00";
        QTest::newRow("negative") << -0.5 << "-00:30:00";
        QTest::newRow("negative hours") << -1.25 << "-01:15:00";
        QTest::newRow("negative rounding to zero") << -1e-9 << "00:00:00";
        QTest::newRow("beyond the day") << 25.5 << "25:30:00";
        QTest::newRow("three-digit hours") << 100.0 << "100:00:00";
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "--:--:--";
        QTest::newRow("infinity") << -std::numeric_limits<double>::infinity() << "--:--:--";
        QTest::newRow("huge") << 1e300 << "--:--:--";
    }
    void hoursToHMS() {
        QFETCH(double, hours);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(HoursToHMS(hours, ":")), expected);
    }

    // Only northern latitudes are clamped (to 1.55 rad) before tan(L); southern ones are used as they
    // are. Day 80 (declination -0.40365 deg by Cooper's equation): at 89.5 S, tan(L) tan(decl) = 0.8072
    // gives a day of 2 acos(-0.8072) / 15 = 19.178 h; at 89.5 N the clamp gives 9.360 h.
    void dayLengthNearThePoles_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("hours");
        QTest::newRow("89.5 S, not clamped") << -89.5 << 19.178;
        QTest::newRow("89.5 N, clamped to 1.55 rad") << 89.5 << 9.360;
    }
    void dayLengthNearThePoles() {
        QFETCH(double, latitude);
        QFETCH(double, hours);
        TSolar s;
        s.SetDay(80);
        s.SetLocation(latitude, 30, 30, 0);
        double sunrise = 0, sunset = 0;
        s.SunriseSunset(sunrise, sunset);
        QVERIFY2(std::fabs(sunset - sunrise - hours) < 2e-3, qPrintable(QString::number(sunset - sunrise)));
    }

    void hoursToHMSJoinsWithTheGivenSeparator() {
        QCOMPARE(HoursToHMS(6.5, "."), std::string("06.30.00"));
        QCOMPARE(HoursToHMS(std::nan(""), "h"), std::string("--h--h--"));
    }
};

QTEST_GUILESS_MAIN(TestSolarTime)
#include "tst_solartime.moc"
