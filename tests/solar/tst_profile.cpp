// Hourly profiles: the ambient shape, joining the texts of a profile, filling one from a number source
// and the largest and smallest value.
#include "solar/Profile24.h"

#include <QTest>

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

// A profile printed with a C-locale printf format.
QString Text(const TProfile24& p, const char* format = "%g") {
    return QString::fromStdString(FormatProfile(p, [format](double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, format, v);
        return std::string(buf);
    }));
}

// A number source that hands out the given values, then reports a missing token.
std::function<bool(double&)> Source(std::vector<double> values) {
    return [values, i = std::size_t(0)](double& v) mutable {
        if (i >= values.size()) return false;
        v = values[i++];
        return true;
    };
}

} // namespace

class TestProfile : public QObject {
    Q_OBJECT
private slots:
    void startUpAmbientProfile() {
        TProfile24 p{};
        MakeAmbientProfile(p, 30, 20);
        QCOMPARE(Text(p, "%0.1f"), QString("21.3,20.8,20.4,20.1,20.0,20.2,20.7,21.6,22.9,24.4,26.1,27.7,"
                                           "28.9,29.7,30.0,29.7,29.0,27.9,26.6,25.3,24.2,23.2,22.4,21.8"));
    }

    void ambientRange() {
        TProfile24 p{};
        MakeAmbientProfile(p, 30, 30); // no daily range: flat at the maximum
        for (double v : p)
            QCOMPARE(v, 30.0);
        MakeAmbientProfile(p, 30, 40); // negative range: the shape turns upside down
        QCOMPARE(p[4], 40.0);
        QCOMPARE(p[14], 30.0);
    }

    void formatJoinsTheFormattersTexts() {
        TProfile24 p{};
        FillProfile(p, 7);
        const std::string text = FormatProfile(p, [](double v) { return std::to_string(int(v)) + "d5"; });
        QCOMPARE(QString::fromStdString(text), QStringList(24, "7d5").join(","));
    }

    // Slots start at 7 so that the untouched ones show.
    void parseProfile() {
        TProfile24 p{};
        FillProfile(p, 7);
        std::vector<double> counted(24);
        for (int i = 0; i < 24; ++i)
            counted[i] = i + 1;
        QVERIFY(ParseProfile(p, Source(counted)));
        QCOMPARE(p[0], 1.0);
        QCOMPARE(p[23], 24.0);
        FillProfile(p, 7);
        QVERIFY(!ParseProfile(p, Source({1, 2, 3})));
        QCOMPARE(Text(p), "1,2,3,0" + QString(",7").repeated(20));
    }

    // A NaN is never the largest after slot 0, but the smallest whenever it comes last; one in slot 0
    // is the largest for good and is replaced as the smallest by the next value.
    void profileMaxMinWithNaN() {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        TProfile24 p{};
        for (int i = 0; i < 24; ++i)
            p[i] = i + 1;
        p[23] = nan;
        double hi = 0, lo = 0;
        ProfileMaxMin(p, hi, lo);
        QCOMPARE(hi, 23.0);
        QVERIFY(std::isnan(lo));
        p[23] = 24;
        p[10] = nan; // in the middle: replaced as the smallest by the next value, 12
        ProfileMaxMin(p, hi, lo);
        QCOMPARE(hi, 24.0);
        QCOMPARE(lo, 12.0);
        p[10] = 11;
        p[0] = nan;
        ProfileMaxMin(p, hi, lo);
        QVERIFY(std::isnan(hi));
        QCOMPARE(lo, 2.0);
    }

    void profileMaxMin_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<double>("largest");
        QTest::addColumn<double>("smallest");
        QTest::newRow("constant") << QStringList(24, "4.5").join(" ") << 4.5 << 4.5;
        QTest::newRow("extremes at both ends") << "9" + QString(" 0").repeated(22) + " -3" << 9.0 << -3.0;
        QTest::newRow("negative values") << "-2 -8" + QString(" -5").repeated(21) + " -1" << -1.0 << -8.0;
    }
    void profileMaxMin() {
        QFETCH(QString, values);
        QFETCH(double, largest);
        QFETCH(double, smallest);
        TProfile24 p{};
        const QStringList parts = values.split(' ');
        for (int i = 0; i < 24; ++i)
            p[i] = parts[i].toDouble();
        double hi = 0, lo = 0;
        ProfileMaxMin(p, hi, lo);
        QCOMPARE(hi, largest);
        QCOMPARE(lo, smallest);
    }
};

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
