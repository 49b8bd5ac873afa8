// Every day of a year at sites from pole to pole: what must hold on every day and hour, whatever
// the sun does (no NaN, sunrise not after sunset, irradiance not negative, fractions within 0..1).
#include "solar/Profile24.h"
#include "solar/RecessShading.h"
#include "solar/TSolar.h"

#include <QTest>

#include <cmath>

namespace {

struct Surface {
    double azimuth, slope;
};
constexpr Surface Surfaces[] = {{0, 0}, {180, 90}, {0, 90}, {-90, 45}, {225, 90}, {30, 120}};

bool Within(double v, double lo, double hi) {
    return std::isfinite(v) && v >= lo && v <= hi;
}

} // namespace

class TestYearSweep : public QObject {
    Q_OBJECT
private slots:
    void everyDay_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<double>("zone");
        QTest::newRow("south pole") << -90.0 << 0.0 << 0.0;
        QTest::newRow("antarctic circle") << -66.6 << 140.0 << 150.0;
        QTest::newRow("worked-example site") << -26.13 << 28.23 << 30.0;
        QTest::newRow("equator, far west of its zone") << 0.0 << -80.0 << -60.0;
        QTest::newRow("45 N") << 45.0 << 7.0 << 15.0;
        QTest::newRow("arctic circle, far east of its zone") << 66.6 << 40.0 << 15.0;
        QTest::newRow("80 N") << 80.0 << 15.0 << 15.0;
        QTest::newRow("north pole") << 90.0 << 0.0 << 0.0;
    }
    void everyDay() {
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(double, zone);
        TSolar s;
        s.SetLocation(latitude, longitude, zone, 500);
        for (int day = 1; day <= 366; ++day) {
            s.SetDay(day);
            double sunrise = 0, sunset = 0;
            s.SunriseSunset(sunrise, sunset);
            QVERIFY(std::isfinite(sunrise) && std::isfinite(sunset));
            QVERIFY2(sunrise <= sunset, qPrintable(QString("day %1").arg(day)));
            QVERIFY(sunset - sunrise <= 24 + 1e-9);
            for (const Surface& surface : Surfaces) {
                s.SetSurface(surface.azimuth, surface.slope);
                for (int hour = 0; hour < 24; ++hour) {
                    s.SetClockTime(hour);
                    const double altitude = s.SolarAltitude();
                    QVERIFY(Within(altitude, -90, 90));
                    QVERIFY(Within(s.SolarAzimuth(), -180, 180));
                    QVERIFY(std::isfinite(s.SurfaceSolarAzimuth()));
                    QVERIFY(Within(s.IncidentAngle(), 0, 180));
                    const double dn = s.DirectNormal();
                    const double d = s.DirectRadiation();
                    const double df = s.DiffuseRadiation();
                    const double r = s.ReflectedRadiation();
                    QVERIFY(Within(dn, 0, 1400));
                    QVERIFY(Within(d, 0, dn));
                    QVERIFY(Within(df, 0, 1400) && Within(r, 0, 1400));
                    QVERIFY(Within(s.SolarHeatGainFactor(), 0, 0.86 * (d + df + r) + 1e-9));
                    if (altitude <= 0) QCOMPARE(d + df + r, 0.0);
                }
                if (surface.slope == 90) {
                    struct {
                        double before = -99;
                        TProfile24 values{};
                        double after = -99;
                    } p;
                    RecessAreaFactors(s, 1.25, 2.5, 0.15, p.values);
                    QVERIFY(p.before == -99 && p.after == -99);
                    for (double f : p.values)
                        QVERIFY(Within(f, 0, 1));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestYearSweep)
#include "tst_yearsweep.moc"
