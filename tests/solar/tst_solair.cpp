// Sol-air temperature, worked by hand: 600 W/m2 on a surface in 30 degC air.
#include "solar/SolAir.h"

#include <QTest>

#include <cmath>

class TestSolAir : public QObject {
    Q_OBJECT
private slots:
    void solAirTemperature_data() {
        QTest::addColumn<double>("slope");
        QTest::addColumn<int>("colour");
        QTest::addColumn<double>("expected");
        // light: 30 + 0.026 * 600 = 45.6; dark: 30 + 0.052 * 600 = 61.2; below 30 deg less 3.9 K.
        QTest::newRow("vertical light") << 90.0 << int(scLight) << 45.6;
        QTest::newRow("vertical dark") << 90.0 << int(scDark) << 61.2;
        QTest::newRow("30 deg sees no sky loss") << 30.0 << int(scLight) << 45.6;
        QTest::newRow("29.9 deg loses 3.9 K") << 29.9 << int(scLight) << 41.7;
        QTest::newRow("horizontal dark") << 0.0 << int(scDark) << 57.3;
    }
    void solAirTemperature() {
        QFETCH(double, slope);
        QFETCH(int, colour);
        QFETCH(double, expected);
        QCOMPARE(std::round(SolAirTemperature(600, 30, slope, TSurfaceColour(colour)) * 1000) / 1000,
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestSolAir)
#include "tst_solair.moc"
