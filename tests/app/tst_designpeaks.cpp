// Design days and orientations: the year tables and peaks against separate solves of the document, the
// azimuth convention seen in where the peaks fall, and peaks that do not exist.
#include "app/DesignPeaks.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <utility>

namespace {

struct TSite {
    double Latitude, Longitude, TimeZone;
};

void SetSite(TCalcDocument& doc, const TSite& site, double azimuth, double slope) {
    doc.ApplyInputs(ResetInputSet());
    doc.SetLatitude(site.Latitude);
    doc.SetLongitude(site.Longitude);
    doc.SetTimeZone(site.TimeZone);
    doc.SetAzimuth(azimuth);
    doc.SetSlope(slope);
}

// The peak found by looking through separately solved documents, one per day.
TPeak PeakOfSolves(const TSite& site, double azimuth, double slope, const QList<double>& days,
                   const TProfile24& (TCalcDocument::*profile)() const) {
    TPeak peak;
    for (double day : days) {
        TCalcDocument doc;
        SetSite(doc, site, azimuth, slope);
        doc.SetDayNumber(day);
        doc.Solve();
        for (int h = 0; h < 24; ++h)
            if (!peak.Found() || (doc.*profile)()[h] > peak.Value)
                peak = {(doc.*profile)()[h], MonthOfDay(day), h};
    }
    return peak;
}

QList<double> DesignDayList() {
    return {21, 52, 80, 111, 141, 172, 202, 233, 264, 294, 325, 355};
}

const TSite Johannesburg{-26.13, 28.23, 30};
const TSite London{51.5, -0.12, 0};
const TSite FarWest{40, -30, 0}; // solar noon near 14:00 clock time

int Quantity(const char* csvName) {
    for (int q = 0; q < DesignQuantities().size(); ++q)
        if (qstrcmp(DesignQuantities()[q].CsvName, csvName) == 0) return q;
    return -1;
}

} // namespace

Q_DECLARE_METATYPE(TSite)

class TestDesignPeaks : public QObject {
    Q_OBJECT
private slots:
    void designDaysAndMonths() {
        const QList<double> expected = DesignDayList();
        for (int m = 0; m < DesignMonths; ++m) {
            QCOMPARE(DesignDays()[m], expected[m]);
            QCOMPARE(MonthOfDay(DesignDays()[m]), m + 1);
        }
        QCOMPARE(MonthOfDay(31.9), 1);
        QCOMPARE(MonthOfDay(32), 2);
        QCOMPARE(MonthOfDay(366), 12);
        QCOMPARE(MonthOfDay(0.5), 1);
        QCOMPARE(MonthName(6), QString("Jun"));
        QCOMPARE(MonthName(13), QString());
    }

    // The year tables are the profiles of twelve separate solves, and each peak is their largest value
    // at the month and hour where it lies.
    void yearTablesAndPeaks_data() {
        QTest::addColumn<TSite>("site");
        QTest::addColumn<double>("azimuth");
        QTest::addColumn<double>("slope");
        QTest::addColumn<int>("colour");
        QTest::newRow("Johannesburg north wall, light") << Johannesburg << 180.0 << 90.0 << int(scLight);
        QTest::newRow("London west wall, dark") << London << 90.0 << 90.0 << int(scDark);
        QTest::newRow("far west of zone, roof 20 deg") << FarWest << 30.0 << 20.0 << int(scLight);
    }
    void yearTablesAndPeaks() {
        QFETCH(TSite, site);
        QFETCH(double, azimuth);
        QFETCH(double, slope);
        QFETCH(int, colour);
        TCalcDocument source;
        SetSite(source, site, azimuth, slope);
        source.SetSurfaceColour(TSurfaceColour(colour));
        const QList<TYearTable> tables = YearTables(source);
        QCOMPARE(tables.size(), DesignQuantities().size());

        const int solair = Quantity(colour == scDark ? "solair_dark" : "solair_light");
        for (int m = 0; m < DesignMonths; ++m) {
            TCalcDocument doc;
            SetSite(doc, site, azimuth, slope);
            doc.SetSurfaceColour(TSurfaceColour(colour));
            doc.SetDayNumber(DesignDayList()[m]);
            doc.Solve();
            QCOMPARE(tables[Quantity("total")][m], doc.TotalProfile());
            QCOMPARE(tables[Quantity("shgf")][m], doc.SHGFProfile());
            QCOMPARE(tables[Quantity("diffuse")][m], doc.DiffuseProfile());
            QCOMPARE(tables[solair][m], doc.SolAirProfile());
        }

        const std::pair<const char*, const TProfile24& (TCalcDocument::*)() const> peaks[] = {
            {"total", &TCalcDocument::TotalProfile}, {"shgf", &TCalcDocument::SHGFProfile}};
        for (const auto& [name, profile] : peaks) {
            const TPeak peak = YearPeak(tables[Quantity(name)], true);
            const TPeak expected = PeakOfSolves(site, azimuth, slope, DesignDayList(), profile);
            QCOMPARE(peak.Value, expected.Value);
            QCOMPARE(peak.Month, expected.Month);
            QCOMPARE(peak.Hour, expected.Hour);
        }
    }

    // Where the peaks fall shows the azimuth convention: east walls peak in the morning, west walls in
    // the afternoon, a roof in its hemisphere's summer, a wall facing the equator in winter.
    void orientationsFollowTheSun_data() {
        QTest::addColumn<TSite>("site");
        QTest::addColumn<QString>("facade");
        QTest::addColumn<QList<int>>("months");
        QTest::addColumn<int>("firstHour");
        QTest::addColumn<int>("lastHour");
        const QList<int> any{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        QTest::newRow("Johannesburg E morning") << Johannesburg << "E" << any << 5 << 10;
        QTest::newRow("Johannesburg W afternoon") << Johannesburg << "W" << any << 13 << 18;
        QTest::newRow("Johannesburg N winter noon")
            << Johannesburg << "N" << QList<int>{5, 6, 7, 8} << 11 << 13;
        QTest::newRow("Johannesburg roof December")
            << Johannesburg << "H" << QList<int>{11, 12, 1} << 11 << 13;
        QTest::newRow("London S not summer")
            << London << "S" << QList<int>{1, 2, 3, 4, 9, 10, 11, 12} << 11 << 13;
        QTest::newRow("London roof June") << London << "H" << QList<int>{5, 6, 7} << 11 << 13;
        QTest::newRow("London NE summer morning") << London << "NE" << QList<int>{5, 6, 7} << 4 << 9;
        QTest::newRow("far west of zone, roof after 13:00")
            << FarWest << "H" << QList<int>{5, 6, 7} << 13 << 15;
    }
    void orientationsFollowTheSun() {
        QFETCH(TSite, site);
        QFETCH(QString, facade);
        QFETCH(QList<int>, months);
        QFETCH(int, firstHour);
        QFETCH(int, lastHour);
        TCalcDocument source;
        SetSite(source, site, 0, 0);
        const QList<TSurfacePeaks> peaks = OrientationPeaks(source, true);
        QCOMPARE(peaks.size(), OrientationCount);
        auto it = std::find_if(peaks.begin(), peaks.end(),
                               [&](const TSurfacePeaks& p) { return p.Name == facade; });
        QVERIFY(it != peaks.end());
        const TPeak& total = it->Peaks[Quantity("total")];
        QVERIFY2(months.contains(total.Month), qPrintable(QString::number(total.Month)));
        QVERIFY2(total.Hour >= firstHour && total.Hour <= lastHour, qPrintable(QString::number(total.Hour)));
    }

    // The orientation table's row for a facade is the peak of that facade solved on its own, over the
    // year or on the document's day.
    void orientationRowIsItsOwnSolve_data() {
        QTest::addColumn<bool>("wholeYear");
        QTest::newRow("design days") << true;
        QTest::newRow("current day") << false;
    }
    void orientationRowIsItsOwnSolve() {
        QFETCH(bool, wholeYear);
        TCalcDocument source;
        SetSite(source, London, 0, 90);
        source.SetDayNumber(100.5);
        const QList<TSurfacePeaks> peaks = OrientationPeaks(source, wholeYear);
        const QList<double> days = wholeYear ? DesignDayList() : QList<double>{100.5};
        for (int i : {1, 8}) { // NE and the horizontal
            const TOrientation& o = Orientations()[i];
            QCOMPARE(peaks[i].Name, QString(o.Name));
            const TPeak expected =
                PeakOfSolves(London, o.Azimuth, o.Slope, days, &TCalcDocument::SHGFProfile);
            const TPeak& shgf = peaks[i].Peaks[Quantity("shgf")];
            QCOMPARE(shgf.Value, expected.Value);
            QCOMPARE(shgf.Month, wholeYear ? expected.Month : 4);
            QCOMPARE(shgf.Hour, expected.Hour);
        }
    }

    // In polar night no radiation peak exists, but the sol-air temperature still has one; NaN never
    // wins and ties keep the earliest hour.
    void peaksThatDoNotExist() {
        TCalcDocument source;
        SetSite(source, {-80, 0, 0}, 180, 90);
        source.SetDayNumber(172);
        const TSurfacePeaks north = OrientationPeaks(source, false)[0];
        QVERIFY(!north.Peaks[Quantity("total")].Found());
        QVERIFY(!north.Peaks[Quantity("shgf")].Found());
        const TPeak solair = north.Peaks[Quantity("solair_light")];
        QVERIFY(solair.Found());
        QCOMPARE(solair.Hour, 14); // the ambient profile's warmest hour
        QCOMPARE(solair.Month, 6);

        TProfile24 profile{};
        profile.fill(std::numeric_limits<double>::quiet_NaN());
        TPeak peak;
        AddToPeak(peak, profile, 3, false);
        QVERIFY(!peak.Found());
        profile[7] = 5;
        profile[9] = 5;
        AddToPeak(peak, profile, 3, false);
        QCOMPARE(peak.Hour, 7);
        QCOMPARE(peak.Month, 3);
        AddToPeak(peak, profile, 4, false); // an equal value later in the year does not replace it
        QCOMPARE(peak.Month, 3);
    }
};

QTEST_GUILESS_MAIN(TestDesignPeaks)
#include "tst_designpeaks.moc"
