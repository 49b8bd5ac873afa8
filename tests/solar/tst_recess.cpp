// Sunlit fraction of recessed vertical glass: the worked example, which shadows count when, the
// hours covered on short and long days, and safety on degenerate input.
#include "solar/Profile24.h"
#include "solar/RecessShading.h"
#include "solar/TSolar.h"

#include <QTest>

#include <cstdio>
#include <limits>

namespace {

std::string Fixed2(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0.2f", v);
    return buf;
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TSolar Site(double latitude, double longitude, double zone, double day, double glassAzimuth) {
    TSolar s;
    s.SetDay(day);
    s.SetLocation(latitude, longitude, zone, 0);
    s.SetSurface(glassAzimuth, 90);
    return s;
}

// North-facing glass at the worked-example site on a southern winter day.
TSolar WorkedExample() {
    return Site(-26.13, 28.23, 30, 172.5, 180);
}

// A profile between guard values, so that a write next to the 24 slots shows.
struct GuardedProfile {
    double before = -99;
    TProfile24 values{};
    double after = -99;
    bool GuardsIntact() const { return before == -99 && after == -99; }
};

} // namespace

class TestRecess : public QObject {
    Q_OBJECT
private slots:
    // North-facing glass 1.25 m x 2.5 m set back 0.15 m: the published fractions.
    void workedExample() {
        TSolar s = WorkedExample();
        TProfile24 p{};
        RecessAreaFactors(s, 1.25, 2.5, 0.15, p);
        QCOMPARE(QString::fromStdString(FormatProfile(p, Fixed2)),
                 QString("0.00,0.00,0.00,0.00,0.00,0.00,0.00,1.00,0.95,0.93,0.91,0.90,"
                         "0.90,0.89,0.87,0.87,0.87,0.87,0.00,0.00,0.00,0.00,0.00,0.00"));
    }

    // At noon gamma is 357.4 degrees: its sine is negative, so only the head shadow counts; at 13:00
    // (gamma 15.2 degrees) the side reveal shades the glass as well. Worked by hand with the sun's
    // altitude and azimuth of the published algorithm (noon 40.376 deg; 13:00 38.890 deg, azimuth
    // 164.829 deg): head shadow y = 0.15 tan(altitude) / cos(gamma), side shadow x = 0.15 tan(gamma),
    // fraction (2.5 - x)(1.25 - y) / (2.5 * 1.25): 0.8979 at noon, 0.8851 at 13:00.
    void whichShadowsCount_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<double>("gamma");
        QTest::addColumn<double>("fraction");
        QTest::newRow("noon, head only") << 12 << 357.4 << 0.8979;
        QTest::newRow("13:00, head and side") << 13 << 15.2 << 0.8851;
    }
    void whichShadowsCount() {
        QFETCH(int, hour);
        QFETCH(double, gamma);
        QFETCH(double, fraction);
        TSolar s = WorkedExample();
        s.SetClockTime(hour);
        QVERIFY(std::fabs(s.SurfaceSolarAzimuth() - gamma) < 0.05);
        QVERIFY(std::fabs(RecessSunlitFraction(s, hour, 1.25, 2.5, 0.15) - fraction) < 1e-4);
    }

    // Without a recess every hour with the sun up and in front is fully sunlit, every other hour dark.
    void noDepth_data() {
        QTest::addColumn<double>("glassAzimuth");
        QTest::newRow("facing the sun") << 180.0;
        QTest::newRow("facing east") << -90.0;
        QTest::newRow("facing away") << 0.0;
    }
    void noDepth() {
        QFETCH(double, glassAzimuth);
        TSolar s = Site(-26.13, 28.23, 30, 172.5, glassAzimuth);
        for (int hour = 0; hour < 24; ++hour) {
            const double fraction = RecessSunlitFraction(s, hour, 1.25, 2.5, 0);
            const bool sunlit = s.SolarAltitude() > 0 && s.IncidentAngle() < 90;
            QCOMPARE(fraction, sunlit ? 1.0 : 0.0);
        }
    }

    void shadowsLargerThanTheGlass_data() {
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("width");
        QTest::newRow("low glass, head shadow covers it") << 0.01 << 2.5;
        QTest::newRow("narrow glass, side shadow covers it") << 1.25 << 0.01;
    }
    void shadowsLargerThanTheGlass() {
        QFETCH(double, height);
        QFETCH(double, width);
        TSolar s = WorkedExample();
        for (int hour = 0; hour < 24; ++hour) {
            // Hours with gamma above 180 degrees get no side shadow at all (negative sine).
            s.SetClockTime(hour);
            if (width < 1 && s.SurfaceSolarAzimuth() > 180) continue;
            QCOMPARE(RecessSunlitFraction(s, hour, height, width, 20), 0.0);
        }
    }

    void degenerateGlass_data() {
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("depth");
        QTest::newRow("no width") << 1.25 << 0.0 << 0.15;
        QTest::newRow("no height") << 0.0 << 2.5 << 0.15;
        QTest::newRow("negative width") << 1.25 << -1.0 << 0.15;
        QTest::newRow("NaN height") << NaN << 2.5 << 0.15;
        QTest::newRow("infinite width") << 1.25 << Inf << 0.15;
        QTest::newRow("NaN depth") << 1.25 << 2.5 << NaN;
    }
    void degenerateGlass() {
        QFETCH(double, height);
        QFETCH(double, width);
        QFETCH(double, depth);
        TSolar s = WorkedExample();
        QCOMPARE(RecessSunlitFraction(s, 9, height, width, depth), 0.0);
    }

    // Every hour with the sun up and in front of the glass gets its fraction, and nothing is written
    // outside the 24 slots.
    void hoursCovered_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<double>("zone");
        QTest::addColumn<double>("day");
        QTest::addColumn<double>("glassAzimuth");
        QTest::addColumn<QString>("sunlitHours");
        QTest::newRow("long day, west glass keeps its evening sun")
            << 50.0 << 15.0 << 15.0 << 172.0 << 90.0 << "13,14,15,16,17,18,19,20";
        QTest::newRow("midnight sun")
            << 75.0 << 15.0 << 15.0 << 172.0 << 0.0 << "7,8,9,10,11,12,13,14,15,16,17";
        QTest::newRow("polar night") << 80.0 << 15.0 << 15.0 << 355.0 << 0.0 << "";
        // The sun dips below the horizon near solar midnight and is up again, in the north-east, at
        // 23:00: the east glass is sunlit then (0.87), where the fractions used to stop at 20:00.
        QTest::newRow("sun up again before midnight")
            << 64.0 << 103.5 << 60.0 << 169.25 << -90.0 << "0,1,2,3,4,5,6,7,8,23";
        // Wallis, zone 180 across the 180th meridian from it: the west glass gets the afternoon sun
        // (solar noon is at 11:46), where every fraction was 0.
        QTest::newRow("Wallis") << -13.28 << -176.17 << 180.0 << 172.0 << 90.0 << "13,14,15,16,17";
        QTest::newRow("Wallis, east glass") << -13.28 << -176.17 << 180.0 << 172.0 << -90.0 << "7,8,9,10,11";
        // Utqiagvik in midnight sun, solar midnight at 01:28: north-west glass before it and after it.
        QTest::newRow("Utqiagvik") << 71.29 << -156.79 << -135.0 << 172.0 << 135.0
                                   << "0,1,2,3,4,17,18,19,20,21,22,23";
    }
    void hoursCovered() {
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(double, zone);
        QFETCH(double, day);
        QFETCH(double, glassAzimuth);
        QFETCH(QString, sunlitHours);
        TSolar s = Site(latitude, longitude, zone, day, glassAzimuth);
        GuardedProfile p;
        p.values.fill(5);
        RecessAreaFactors(s, 1.25, 2.5, 0.15, p.values);
        QVERIFY(p.GuardsIntact());
        QStringList lit;
        for (int hour = 0; hour < 24; ++hour) {
            QVERIFY(p.values[hour] >= 0 && p.values[hour] <= 1);
            if (p.values[hour] > 0) lit << QString::number(hour);
        }
        QCOMPARE(lit.join(","), sunlitHours);
    }
};

QTEST_GUILESS_MAIN(TestRecess)
#include "tst_recess.moc"
