// The working behind one hour: the worked example's steps at noon carry the published figures and
// are the very values the solve stored; every formula puts in the figures shown above it; the text
// keeps its columns; the JSON reads back to the same numbers; the hour angle's reduction shows where it
// applies.
#include "app/CalcDetails.h"
#include "tests/solar/Digits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

// The worked example: the Reset inputs face the glass north, vertical, at 1700 m on day 172.5.
void SetUp(TCalcDocument& doc) {
    doc.ApplyInputs(ResetInputSet());
    QVERIFY(doc.Solve());
}

const TCalcStep* Step(const QList<TCalcStep>& steps, const QString& key) {
    for (const TCalcStep& step : steps)
        if (step.Key == key) return &step;
    return nullptr;
}

} // namespace

class TestCalcDetails : public QObject {
    Q_OBJECT
private slots:
    void workedExampleAtNoon_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("published");
        QTest::newRow("declination") << "declination" << QByteArray("23.44978");
        QTest::newRow("equation of time") << "equation_of_time" << QByteArray("-1.60532");
        QTest::newRow("solar time") << "solar_time" << QByteArray("11.8552");
        QTest::newRow("hour angle") << "hour_angle" << QByteArray("-2.171");
        QTest::newRow("altitude") << "altitude" << QByteArray("40.376");
        QTest::newRow("azimuth") << "azimuth" << QByteArray("-177.385");
        QTest::newRow("incident") << "incident" << QByteArray("40.45");
        QTest::newRow("A") << "a" << QByteArray("1083.30");
        QTest::newRow("B") << "b" << QByteArray("0.207133");
        QTest::newRow("Cd") << "cd" << QByteArray("0.135092");
        QTest::newRow("P") << "p" << QByteArray("0.817683");
        QTest::newRow("DN") << "normal" << QByteArray("834.07");
        QTest::newRow("direct") << "direct" << QByteArray("634.74");
        QTest::newRow("diffuse") << "diffuse" << QByteArray("119.87");
        QTest::newRow("reflected") << "reflected" << QByteArray("65.30");
        QTest::newRow("total") << "total" << QByteArray("819.91");
        QTest::newRow("t") << "transmission" << QByteArray("0.85229");
        QTest::newRow("SHGF") << "shgf" << QByteArray("698.80");
        QTest::newRow("ambient") << "ambient" << QByteArray("28.9");
        QTest::newRow("sol-air light") << "solair_light" << QByteArray("50.2");
        QTest::newRow("sol-air dark") << "solair_dark" << QByteArray("71.5");
        QTest::newRow("sunlit fraction") << "sunlit" << QByteArray("0.90");
    }
    void workedExampleAtNoon() {
        QFETCH(QString, key);
        QFETCH(QByteArray, published);
        TCalcDocument doc;
        SetUp(doc);
        const QList<TCalcStep> steps = CalcDetails(doc, 12);
        const TCalcStep* step = Step(steps, key);
        QVERIFY2(step, qPrintable(key));
        QCOMPARE_DIGITS(step->Value, published);
    }

    // The values are the solve's own, bit for bit: its stored intermediates and profiles, and the
    // sol-air of the document's colour.
    void valuesAreTheSolves() {
        TCalcDocument doc;
        doc.SetSurfaceColour(scDark);
        SetUp(doc);
        for (int hour = 7; hour <= 17; hour += 5) {
            const QList<TCalcStep> steps = CalcDetails(doc, hour);
            const TSolarSteps& solve = doc.HourSteps(hour);
            QCOMPARE(Step(steps, "declination")->Value, solve.Declination);
            QCOMPARE(Step(steps, "hour_angle")->Value, solve.RawHourAngle);
            QCOMPARE(Step(steps, "a")->Value, solve.Sky.A);
            QCOMPARE(Step(steps, "sky_factor")->Value, solve.DiffuseFactor);
            QCOMPARE(Step(steps, "normal")->Value, doc.NormalProfile()[hour]);
            QCOMPARE(Step(steps, "total")->Value, doc.TotalProfile()[hour]);
            QCOMPARE(Step(steps, "shgf")->Value, doc.SHGFProfile()[hour]);
            QCOMPARE(Step(steps, "solair_dark")->Value, doc.SolAirProfile()[hour]);
        }
    }

    // Each formula puts in the figures exactly as the steps above it show them, so a checker with a
    // calculator starts from what he reads.
    void formulasPutInTheShownValues_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("withValues");
        QTest::newRow("solar time") << "solar_time"
                                    << "AST = CT + E / 60 + (λ − λz) / 15"
                                    << "12 + (-1.60532) / 60 + (28.23 − 30) / 15";
        QTest::newRow("altitude")
            << "altitude"
            << "sin β = cos L · cos δ · cos H + sin L · sin δ"
            << "cos(-26.13°) · cos(23.44978°) · cos(-2.1713°) + sin(-26.13°) · sin(23.44978°)";
        QTest::newRow("DN") << "normal"
                            << "DN = A · exp(−P · B / sin β), 0 unless β > 0.001 rad"
                            << "1083.30 · exp(−0.817683 · 0.207133 / sin(40.3757°))";
        QTest::newRow("Y") << "sky_factor"
                           << "Y = 0.55 + 0.437 · cos θ + 0.313 · cos² θ"
                           << "0.55 + 0.437 · cos(40.4458°) + 0.313 · cos²(40.4458°)";
        QTest::newRow("total") << "total"
                               << "It = ID + Ids + Ir"
                               << "634.74 + 119.87 + 65.30";
        QTest::newRow("SHGF") << "shgf"
                              << "SHGF = It · t"
                              << "819.91 · 0.85229";
        QTest::newRow("sol-air light") << "solair_light"
                                       << "TSA = 0.026 · It + Ta + ΔR"
                                       << "0.026 · 819.91 + 28.90 + 0.0";
    }
    void formulasPutInTheShownValues() {
        QFETCH(QString, key);
        QFETCH(QString, formula);
        QFETCH(QString, withValues);
        TCalcDocument doc;
        SetUp(doc);
        const QList<TCalcStep> steps = CalcDetails(doc, 12); // kept: Step points into it
        const TCalcStep* step = Step(steps, key);
        QVERIFY(step);
        QCOMPARE(step->Formula, formula);
        QCOMPARE(step->WithValues, withValues);
    }

    // The steps come in the order of the calculation, each part once.
    void sectionsInOrder() {
        TCalcDocument doc;
        SetUp(doc);
        QStringList sections;
        for (const TCalcStep& step : CalcDetails(doc, 12))
            if (sections.isEmpty() || sections.last() != step.Section) sections << step.Section;
        QCOMPARE(sections, (QStringList{"Inputs", "Day", "Solar time", "Sun position",
                                        "Clear sky (cosines of radians)", "Radiation", "Glass",
                                        "Sol-air temperature", "Window recess (vertical glass)"}));
    }

    // The recess's geometry is that of the Window page's fractions, bit for bit: at noon the sun stands
    // round the far side of the normal (gamma 357.4 degrees), so only the head casts a shadow; at 13:00
    // both do.
    void recessAsTheWindowPage() {
        TCalcDocument doc;
        SetUp(doc);
        QVERIFY(doc.GenerateAreaFactors());
        for (int hour = 7; hour <= 17; ++hour)
            QCOMPARE(Step(CalcDetails(doc, hour), "sunlit")->Value, doc.AreaFactorProfile()[hour]);
        const QList<TCalcStep> noon = CalcDetails(doc, 12), one = CalcDetails(doc, 13);
        QCOMPARE(Step(noon, "side_shadow")->Value, 0.0);
        QVERIFY(Step(noon, "head_shadow")->Value > 0);
        QVERIFY(Step(one, "side_shadow")->Value > 0);
        QCOMPARE(Step(noon, "sunlit")->WithValues, QString("(2.5 − 0.0000) · (1.25 − %1) / (2.5 · 1.25)")
                                                       .arg(Step(noon, "head_shadow")->ValueText()));
        // Glass that does not stand in the surface: no recess steps.
        doc.SetSlope(45);
        QVERIFY(doc.Solve());
        QVERIFY(!Step(CalcDetails(doc, 12), "sunlit"));
    }

    // A surface facing away from the sun: no beam, the floor of the vertical sky factor.
    void sunBehindTheSurface() {
        TCalcDocument doc;
        doc.ApplyInputs(ResetInputSet());
        doc.SetAzimuth(0);
        QVERIFY(doc.Solve());
        const QList<TCalcStep> steps = CalcDetails(doc, 12);
        QCOMPARE(Step(steps, "direct")->Value, 0.0);
        QCOMPARE_DIGITS(Step(steps, "sky_factor")->Value, "0.45");
        QCOMPARE(Step(steps, "sky_factor")->Formula, QString("Y = 0.45 where cos θ < −0.2"));
        QCOMPARE_DIGITS(Step(steps, "diffuse")->Value, "50.70");
    }

    // Nothing for an hour the solve did not compute; the default hour is the selected one when computed,
    // else the one nearest solar noon, else none.
    void hours() {
        TCalcDocument doc;
        SetUp(doc);
        QVERIFY(CalcDetails(doc, 3).isEmpty());
        QVERIFY(CalcDetailsText(doc, 3).isEmpty());
        QCOMPARE(DetailsHour(doc, 15), std::optional<int>(15));
        QCOMPARE(DetailsHour(doc, 3), std::optional<int>(12));
        QCOMPARE(DetailsHour(doc), std::optional<int>(12));
        QCOMPARE(CalcDetailsAppendix(doc), CalcDetailsText(doc, 12));
        QCOMPARE(CalcDetailsAppendix(doc, 9), CalcDetailsText(doc, 9));
        // Solar noon at 11:12 clock time, nearer 11 than 12.
        doc.SetLongitude(40);
        QVERIFY(doc.Solve());
        QCOMPARE(DetailsHour(doc), std::optional<int>(11));
        // Polar night, solar noon two hours after clock noon: no hour is computed.
        doc.SetLatitude(-89);
        doc.SetLongitude(0);
        doc.SetTimeZone(30);
        QVERIFY(doc.Solve());
        QCOMPARE(DetailsHour(doc), std::nullopt);
        QVERIFY(CalcDetailsAppendix(doc).isEmpty());
    }

    // The text's columns line up under their headings, the value column on its right edge.
    void textColumnsAlign() {
        TCalcDocument doc;
        SetUp(doc);
        const QStringList lines = CalcDetailsText(doc, 12).split("\r\n");
        QCOMPARE(
            lines[0],
            QString("Calculation details at clock hour 12:00 (sun position: %1)").arg(doc.SunMethodText()));
        const QString header = lines[2];
        const qsizetype formulaAt = header.indexOf("Formula"), valueEnd = header.indexOf("Value") + 5;
        int checked = 0;
        for (const TCalcStep& step : CalcDetails(doc, 12)) {
            const QString line = *std::find_if(lines.begin(), lines.end(), [&](const QString& l) {
                return l.startsWith("  " + step.Name + "  ") || l == "  " + step.Name;
            });
            if (!step.Formula.isEmpty()) QCOMPARE(line.indexOf(step.Formula), formulaAt);
            QCOMPARE(line.indexOf(step.ValueText() + (step.Unit.isEmpty() ? "" : "  ")),
                     valueEnd - step.ValueText().size());
            ++checked;
        }
        QVERIFY(checked > 40);
    }

    void jsonReadsBack() {
        TCalcDocument doc;
        SetUp(doc);
        const QList<TCalcStep> steps = CalcDetails(doc, 9);
        const QJsonDocument json = QJsonDocument::fromJson(CalcDetailsJson(steps));
        QVERIFY(json.isArray());
        const QJsonArray array = json.array();
        QCOMPARE(array.size(), steps.size());
        for (qsizetype i = 0; i < steps.size(); ++i) {
            const QJsonObject o = array[i].toObject();
            QCOMPARE(o["key"].toString(), steps[i].Key);
            QCOMPARE(o["symbol"].toString(), steps[i].Symbol);
            QCOMPARE(o["formula"].toString(), steps[i].Formula);
            QCOMPARE(o["unit"].toString(), steps[i].Unit);
            QCOMPARE(o["value"].toDouble(), steps[i].Value);
        }
    }

    // Where the solar time's hour angle lies a day away, the reduction to -180..180 is a step of its
    // own and the sun position works from the reduced angle.
    void hourAngleReduction_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<double>("zone");
        QTest::addColumn<double>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<double>("reduced");
        // Wallis, across the 180th meridian from its zone: noon's solar time is the day before's.
        QTest::newRow("Wallis at noon") << -13.28 << -176.17 << 180.0 << 172.0 << 12 << 3.5;
        // McMurdo in midnight sun: the sun at midnight stands west of north, not east.
        QTest::newRow("McMurdo at midnight") << -77.85 << 166.67 << 180.0 << 355.0 << 0 << 166.9;
    }
    void hourAngleReduction() {
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(double, zone);
        QFETCH(double, day);
        QFETCH(int, hour);
        QFETCH(double, reduced);
        TCalcDocument doc;
        doc.ApplyInputs(ResetInputSet());
        doc.SetLatitude(latitude);
        doc.SetLongitude(longitude);
        doc.SetTimeZone(zone);
        doc.SetDayNumber(day);
        QVERIFY(doc.Solve());
        const QList<TCalcStep> steps = CalcDetails(doc, hour);
        const TCalcStep* raw = Step(steps, "hour_angle");
        const TCalcStep* step = Step(steps, "hour_angle_reduced");
        QVERIFY(raw && step);
        QVERIFY(std::fabs(raw->Value) > 180);
        QCOMPARE(step->Value, doc.HourSteps(hour).HourAngle);
        QVERIFY2(std::fabs(step->Value - reduced) < 1, qPrintable(QString::number(step->Value)));
        QVERIFY(step->WithValues.startsWith("(" + raw->ValueText() + ") − "));
        // The altitude's formula puts in the reduced angle, and the sun is up, on the side it says.
        QVERIFY(Step(steps, "altitude")->WithValues.contains("cos(" + step->ValueText() + "°)"));
        QVERIFY(Step(steps, "altitude")->Value > 0);
        QCOMPARE(Step(steps, "azimuth")->Value > 0, step->Value > 0);
        QCOMPARE(Step(steps, "azimuth")->Value, doc.AzimuthProfile()[hour]);
    }

    // The worked example's hour angle lies within -180..180: no reduction step, also with the precise
    // method, whose hour angle differs from the solar time's by rounding alone.
    void noReductionWhereNoneApplies_data() {
        QTest::addColumn<int>("method");
        QTest::newRow("published") << int(smPublished);
        QTest::newRow("precise") << int(smPrecise);
    }
    void noReductionWhereNoneApplies() {
        QFETCH(int, method);
        TCalcDocument doc;
        doc.SetSunMethod(TSunMethod(method));
        SetUp(doc);
        const QList<TCalcStep> steps = CalcDetails(doc, 12);
        QVERIFY(!Step(steps, "hour_angle_reduced"));
        QCOMPARE(Step(steps, "declination")->Formula.contains("precise"), method == smPrecise);
        QCOMPARE(Step(steps, "altitude")->Value, doc.AltitudeProfile()[12]);
    }
};

QTEST_GUILESS_MAIN(TestCalcDetails)
#include "tst_calcdetails.moc"
