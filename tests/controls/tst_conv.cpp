// Units tables and conversions: kinds and their order, unit counts, shared tables, labels decoded from
// Windows-1252, UnitsInfo factors and offsets, index clamping, extended-precision conversion.
#include "controls/TxConv.h"

#include <QTest>

Q_DECLARE_METATYPE(TUnitsType)

class TestConv : public QObject {
    Q_OBJECT
private slots:
    // Published properties store kinds by identifier, so order and names must not drift.
    void kindIdentifiersInOrder() {
        const QStringList expected =
            QString(
                "utNone utAirFlowPrim utAirFlowSec utAirFlowSmall utAirFlowRate utAirPressDrop utAltitude "
                "utAngularSpeed utArea utCondensateRate utConductance utConductivity utDensity utDiameter "
                "utDutyPrim utDutySec utDutyRate utEnergy utEnthalpy utFinDensity utHeatOfRespir "
                "utHeatTransCoeff utHumidity utLengthBig utLengthMeasure utLengthPrim utLengthSec "
                "utLengthSmall utMass utMassFlow utMassFlowGas utMassFlux utMetRate utPeopleDensity utPower "
                "utPressure utPressureBar utPressureSteam utPressureRateGas utPressureRateLiquid "
                "utProportion utSpecificHeat utSpecificVol utTemperature utTemperatureChange "
                "utThermalCapacity utThermalResist utTime utVelocity utViscosity utVolume utVolumeFluid "
                "utWaterFlow utWaterPressDrop")
                .split(' ');
        QCOMPARE(UnitsTypeCount, 54);
        QCOMPARE(expected.size(), UnitsTypeCount);
        for (int i = 0; i < UnitsTypeCount; ++i) {
            QCOMPARE(UnitsTypeIdent(TUnitsType(i)), expected[i]);
            TUnitsType kind = utNone;
            QVERIFY(UnitsTypeFromIdent(expected[i], kind));
            QCOMPARE(int(kind), i);
        }
        TUnitsType kind = utArea;
        QVERIFY(!UnitsTypeFromIdent("utBogus", kind));
        QCOMPARE(kind, utArea);
        QCOMPARE(int(utTemperature), 43);
        QCOMPARE(UnitsKindName(utMassFlowGas), QString("MassFlow - Refrig./Steam"));
        QCOMPARE(UnitsKindName(utPressure), QString("Pressure - Absolute or Gauge"));
        QCOMPARE(UnitsKindName(utNone), QString("None"));
    }

    void unitCounts() {
        const QList<QPair<int, QList<TUnitsType>>> byCount = {
            {5,
             {utAirFlowPrim, utAirFlowSec, utAirFlowRate, utArea, utDiameter, utDutyPrim, utDutySec,
              utDutyRate, utEnergy, utLengthMeasure, utLengthPrim, utLengthSec, utVolume}},
            {8, {utAirPressDrop, utPressure, utPressureSteam, utWaterPressDrop}},
            {6, {utMassFlow, utMassFlowGas, utMassFlux, utPressureBar, utWaterFlow}},
            {7, {utViscosity}},
            {4,
             {utCondensateRate, utConductance, utConductivity, utFinDensity, utPressureRateGas,
              utPressureRateLiquid, utVolumeFluid}},
            {3,
             {utAirFlowSmall, utAngularSpeed, utDensity, utHumidity, utLengthSmall, utMass, utPower,
              utProportion, utTemperature, utTemperatureChange, utTime}},
            {0, {utNone}},
        };
        QList<int> expected(UnitsTypeCount, 2); // every kind not listed has two units
        for (const auto& [count, kinds] : byCount)
            for (TUnitsType k : kinds)
                expected[k] = count;
        for (int i = 0; i < UnitsTypeCount; ++i) {
            const TUnitsType k = TUnitsType(i);
            QVERIFY2(UnitCount(k) == expected[i], qPrintable(UnitsTypeIdent(k)));
            if (k == utNone) continue;
            // Index 0 is the base unit: factor exactly 1, no offset.
            QCOMPARE(UnitFactor(k, 0), 1.0);
            QCOMPARE(UnitOffset(k, 0), 0.0);
        }
    }

    void sharedTables_data() {
        QTest::addColumn<TUnitsType>("kind");
        QTest::addColumn<TUnitsType>("source");
        QTest::newRow("air flow sec") << utAirFlowSec << utAirFlowPrim;
        QTest::newRow("duty sec") << utDutySec << utDutyPrim;
        QTest::newRow("length prim") << utLengthPrim << utLengthMeasure;
        QTest::newRow("length sec") << utLengthSec << utLengthMeasure;
        QTest::newRow("mass flow gas") << utMassFlowGas << utMassFlow;
        QTest::newRow("pressure") << utPressure << utAirPressDrop;
        QTest::newRow("pressure steam") << utPressureSteam << utAirPressDrop;
        QTest::newRow("water pressure drop") << utWaterPressDrop << utAirPressDrop;
        QTest::newRow("pressure rate liquid") << utPressureRateLiquid << utPressureRateGas;
        QTest::newRow("temperature change") << utTemperatureChange << utTemperature;
    }
    void sharedTables() {
        QFETCH(TUnitsType, kind);
        QFETCH(TUnitsType, source);
        QCOMPARE(UnitCount(kind), UnitCount(source));
        for (int i = 0; i < UnitCount(kind); ++i) {
            QCOMPARE(UnitLabel(kind, i), UnitLabel(source, i));
            QCOMPARE(UnitIdent(kind, i), UnitIdent(source, i));
            QCOMPARE(UnitFactor(kind, i), UnitFactor(source, i));
            QCOMPARE(UnitFormat(kind, i), UnitFormat(source, i));
        }
    }

    void units_data() {
        QTest::addColumn<TUnitsType>("kind");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("ident");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("format");
        QTest::newRow("long factor") << utAirFlowPrim << 4 << u8"cfm" << "ft3permin" << 2118.8800032893155
                                     << "%0.2f";
        QTest::newRow("cubic metres") << utAirFlowPrim << 0 << u8"m\u00b3/s" << "cms" << 1.0 << "%0.3f";
        QTest::newRow("superscript two")
            << utArea << 4 << u8"ft\u00b2" << "sqft" << 10.763910416709722 << "%0.1f";
        QTest::newRow("degree") << utTemperature << 1 << u8"\u00b0F" << "degF" << 1.8 << "%0.1f";
        QTest::newRow("degree before hex letter")
            << utConductance << 0 << u8"kW/\u00b0C" << "kWperdegC" << 1.0 << "%0.3f";
        QTest::newRow("middle dot and degree") << utHeatTransCoeff << 1 << u8"Btu/hr\u00b7ft\u00b2\u00b0F"
                                               << "Btu/hrsqftdegF" << 0.17611835153222966 << "%0.5g";
        QTest::newRow("micro sign") << utViscosity << 2 << u8"\u00b5Pa\u00b7s" << "uPas" << 1e6 << "%0.6g";
        QTest::newRow("three dots") << utThermalResist << 1 << u8"ft\u00b2\u00b7hr\u00b7\u00b0F/Btu"
                                    << "sqfthrdegFperBtu" << 5.678264134306047 << "%0.3f";
        QTest::newRow("eighths with quote") << utDiameter << 3 << "1/8\""
                                            << "eighthsOfAnInch" << 314.96062992125985 << "%0.0f";
        QTest::newRow("thou with quote") << utLengthSmall << 2 << "Thou\""
                                         << "Thousandths" << 39.37007874015748 << "%0.3f";
        QTest::newRow("identifier with space") << utDutyPrim << 3 << "MBh"
                                               << "Mega Btuperhr" << 3.412141156488376 << "%0.3f";
        QTest::newRow("small factor")
            << utDutyRate << 3 << u8"MBh/ft\u00b2" << "MBh/sqft" << 0.00031699828634688585 << "%0.3f";
        QTest::newRow("exponent factor") << utPressureRateGas << 3 << "Psi/ft"
                                         << "Psi/ft" << 4.4207485104630184e-05 << "%0.6f";
        QTest::newRow("last viscosity")
            << utViscosity << 6 << u8"lbf\u00b7hr/ft\u00b2" << "lbfhr/sqft" << 5.8014e-06 << "%0.6g";
        QTest::newRow("general format") << utDensity << 1 << "mg/L"
                                        << "mgperl" << 1000.0 << "%0.1g";
        QTest::newRow("last water flow") << utWaterFlow << 5 << "usgpm"
                                         << "usgpm" << 15.850323141488905 << "%0.1f";
        QTest::newRow("none") << utNone << 0 << ""
                              << "" << 1.0 << "%0.1f";
    }
    void units() {
        QFETCH(TUnitsType, kind);
        QFETCH(int, index);
        QFETCH(QString, label);
        QFETCH(QString, ident);
        QFETCH(double, factor);
        QFETCH(QString, format);
        QCOMPARE(UnitLabel(kind, index), label);
        QCOMPARE(UnitIdent(kind, index), ident);
        QCOMPARE(UnitFactor(kind, index), factor); // exact: the tables hold the exact doubles
        QCOMPARE(UnitFormat(kind, index), format);
    }

    void unitsInfo_data() {
        QTest::addColumn<TUnitsType>("kind");
        QTest::addColumn<int>("display");
        QTest::addColumn<int>("base");
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("factor");
        QTest::addColumn<double>("offset");
        QTest::addColumn<QString>("format");
        QTest::newRow("kelvin from celsius") << utTemperature << 2 << 0 << "K" << 1.0 << 273.15 << "%0.2f";
        QTest::newRow("fahrenheit from celsius")
            << utTemperature << 1 << 0 << u8"\u00b0F" << 1.8 << 32.0 << "%0.1f";
        QTest::newRow("change has no offset")
            << utTemperatureChange << 1 << 0 << u8"\u00b0F" << 1.8 << 0.0 << "%0.1f";
        QTest::newRow("m2 from ft2") << utArea << 0 << 4 << u8"m\u00b2" << 1 / 10.763910416709722 << 0.0
                                     << "%0.1f";
        QTest::newRow("Pa from kPa") << utPressure << 1 << 0 << "Pa" << 1000.0 << 0.0 << "%0.0f";
        QTest::newRow("kelvin base to celsius")
            << utTemperature << 0 << 2 << u8"\u00b0C" << 1.0 << -273.15 << "%0.1f";
    }
    void unitsInfo() {
        QFETCH(TUnitsType, kind);
        QFETCH(int, display);
        QFETCH(int, base);
        QFETCH(QString, label);
        QFETCH(double, factor);
        QFETCH(double, offset);
        QFETCH(QString, format);
        QString l, f;
        double fa = -7, off = -7;
        UnitsInfo(kind, display, base, l, fa, off, f);
        QCOMPARE(l, label);
        QCOMPARE(fa, factor);
        QCOMPARE(off, offset);
        QCOMPARE(f, format);
    }

    void unitsInfoNoneKeepsCallersFactor() {
        QString label = "old", format;
        double factor = 2.5, offset = 3.0;
        UnitsInfo(utNone, 0, 0, label, factor, offset, format);
        QCOMPARE(label, QString());
        QCOMPARE(format, QString("%0.1f"));
        QCOMPARE(factor, 2.5);
        QCOMPARE(offset, 3.0);
    }

    // Shown = ToDisplay(base value); typed = FromDisplay(shown). Every pair of temperature units must
    // round-trip, including bases with an offset of their own.
    void temperatureConversions_data() {
        QTest::addColumn<int>("display");
        QTest::addColumn<int>("base");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("shown");
        QTest::newRow("20 C is 68 F") << 1 << 0 << 20.0 << 68.0;
        QTest::newRow("0 C is 273.15 K") << 2 << 0 << 0.0 << 273.15;
        QTest::newRow("273.15 K is 32 F") << 1 << 2 << 273.15 << 32.0;
        QTest::newRow("212 F is 100 C") << 0 << 1 << 212.0 << 100.0;
        QTest::newRow("-40 F is -40 C") << 0 << 1 << -40.0 << -40.0;
        QTest::newRow("same unit") << 1 << 1 << 50.0 << 50.0;
    }
    void temperatureConversions() {
        QFETCH(int, display);
        QFETCH(int, base);
        QFETCH(double, value);
        QFETCH(double, shown);
        QString label, format;
        double factor = 0, offset = 0;
        UnitsInfo(utTemperature, display, base, label, factor, offset, format);
        const long double s = ToDisplay(value, factor, offset);
        QVERIFY2(qAbs(double(s) - shown) < 1e-9, qPrintable(QString::number(double(s), 'g', 17)));
        QVERIFY(qAbs(double(FromDisplay(s, factor, offset)) - value) < 1e-9);
    }

    void extendedPrecision() {
        // 1e18 + 1 needs more than a double's 53 bits; the conversions keep it.
        QCOMPARE(ToDisplay(1.0L, 1.0L, 1e18L) - 1e18L, 1.0L);
        QCOMPARE(FromDisplay(1e18L + 3.0L, 1.0L, 1e18L), 3.0L);
        QCOMPARE(FromDisplay(ToDisplay(20.0L, 1.8L, 32.0L), 1.8L, 32.0L), 20.0L);
    }

    void clampUnitIndex_data() {
        QTest::addColumn<TUnitsType>("kind");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("clamped");
        QTest::newRow("above") << utTemperature << 7 << 2;
        QTest::newRow("below") << utTemperature << -1 << 0;
        QTest::newRow("inside") << utTemperature << 1 << 1;
        QTest::newRow("highest") << utAirPressDrop << 7 << 7;
        QTest::newRow("none unchanged") << utNone << 7 << 7;
        QTest::newRow("none negative unchanged") << utNone << -3 << -3;
    }
    void clampUnitIndex() {
        QFETCH(TUnitsType, kind);
        QFETCH(int, index);
        QFETCH(int, clamped);
        QCOMPARE(ClampUnitIndex(kind, index), clamped);
    }

    // Lookups with an index or kind outside the tables stay inside them instead of reading past them.
    void outOfRangeLookupsAreSafe() {
        QCOMPARE(UnitLabel(utTemperature, 99), QString("K"));
        QCOMPARE(UnitFormat(utTemperature, -5), QString("%0.1f"));
        QCOMPARE(UnitOffset(utTemperature, 9), 273.15);
        QCOMPARE(UnitLabel(TUnitsType(200), 0), QString());
        QCOMPARE(UnitCount(TUnitsType(200)), 0);
    }
};

QTEST_GUILESS_MAIN(TestConv)
#include "tst_conv.moc"
