// Hourly profiles: the ambient shape, the clipboard text of a profile and reading one back.
#include "solar/Profile24.h"
#include "solar/TextHooks.h"

#include <QTest>

namespace {

QString Text(const TProfile24& p) {
    return QString::fromStdString(FormatProfile(p, "%g"));
}

// The numbers 1 to 24 joined by a separator.
QString Counting(const QString& separator) {
    QStringList parts;
    for (int i = 1; i <= 24; ++i)
        parts << QString::number(i);
    return parts.join(separator);
}

} // namespace

class TestProfile : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { solartext::ResetTextHooks(); }

    void startUpAmbientProfile() {
        TProfile24 p{};
        MakeAmbientProfile(p, 30, 20);
        QCOMPARE(QString::fromStdString(FormatProfile(p, "%0.1f")),
                 QString("21.3,20.8,20.4,20.1,20.0,20.2,20.7,21.6,22.9,24.4,26.1,27.7,"
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

    void formatGoesThroughTheNumberHook() {
        solartext::SetNumberFormatter([](const std::string& format, double v) {
            return format == "%0.1f" ? std::to_string(static_cast<int>(v)) + "d5" : std::string("?");
        });
        TProfile24 p{};
        FillProfile(p, 7);
        QCOMPARE(QString::fromStdString(FormatProfile(p, "%0.1f")), QStringList(24, "7d5").join(","));
    }

    // Slots start at 7 so that the untouched ones show.
    void parseProfile_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("expected");
        const QString counted = Counting(",");
        QTest::newRow("tabs") << Counting("\t") << true << counted;
        QTest::newRow("blanks") << Counting(" ") << true << counted;
        QTest::newRow("runs of mixed separators")
            << "\t, 1,, 2 \t3 ,\r" + Counting(",").mid(6) + ",\t " << true << counted;
        QTest::newRow("spreadsheet column, CR LF") << Counting("\r\n") << true << counted;
        QTest::newRow("text after the 24th ignored") << Counting(" ") + " 25 junk" << true << counted;
        QTest::newRow("decimals and signs")
            << "-1.5 2e1" + QString(" 0").repeated(22) << true << "-1.5,20" + QString(",0").repeated(22);
        QTest::newRow("quoted token") << "\"1\"" + Counting(",").mid(1) << true << counted;
        QTest::newRow("23 numbers") << Counting(" ").section(' ', 0, 22) << false
                                    << Counting(",").section(',', 0, 22) + ",0";
        QTest::newRow("not a number stops")
            << "1 2 3 x 5 6" << false << "1,2,3,0" + QString(",7").repeated(20);
        QTest::newRow("line feed is not a separator")
            << "1\n2 3" << false << "0" + QString(",7").repeated(23);
        QTest::newRow("quoted blanks are one token")
            << "\"1 2\" 3" << false << "0" + QString(",7").repeated(23);
        QTest::newRow("empty text") << "" << false << "0" + QString(",7").repeated(23);
    }
    void parseProfile() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QString, expected);
        TProfile24 p{};
        FillProfile(p, 7);
        QCOMPARE(ParseProfile(text.toStdString(), p), ok);
        QCOMPARE(Text(p), expected);
    }

    void parseGoesThroughTheNumberReader() {
        solartext::SetNumberReader([](const std::string& text, double& v) {
            if (text != "one") return false;
            v = 1;
            return true;
        });
        TProfile24 p{};
        QVERIFY(ParseProfile(QStringList(24, "one").join(",").toStdString(), p));
        QCOMPARE(Text(p), QStringList(24, "1").join(","));
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
        QVERIFY(ParseProfile(values.toStdString(), p));
        double hi = 0, lo = 0;
        ProfileMaxMin(p, hi, lo);
        QCOMPARE(hi, largest);
        QCOMPARE(lo, smallest);
    }
};

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
