// The solar model's values as the program shows and reads them: hh:mm:ss with the locale's separator,
// a profile's clipboard text and a pasted profile read back with the pasted-list tokenizer.
#include "app/SolarText.h"

#include <QLocale>
#include <QTest>

namespace {

// The numbers 1 to 24 joined by a separator.
QString Counting(const QString& separator) {
    QStringList parts;
    for (int i = 1; i <= 24; ++i)
        parts << QString::number(i);
    return parts.join(separator);
}

} // namespace

class TestSolarText : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Slots start at 7 so that the untouched ones show.
    void readProfileText_data() {
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
    void readProfileText() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QString, expected);
        TProfile24 p{};
        FillProfile(p, 7);
        QCOMPARE(ReadProfileText(text, p), ok);
        QCOMPARE(ProfileText(p, "%g"), expected);
    }

    // Under a decimal-comma locale the values print with decimal commas joined by tabs, and read back
    // as the same 24 numbers: tabs, blanks and line ends separate, the comma stays inside a number.
    void commaLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TProfile24 p{};
        FillProfile(p, 2.5);
        p[23] = -12.75;
        const QString text = ProfileText(p, "%0.2f");
        QCOMPARE(text, QStringList(23, "2,50").join("\t") + "\t-12,75");
        for (const char* separator : {"\t", " ", "\n", "\r\n"}) {
            TProfile24 q{};
            QVERIFY(ReadProfileText(text.split('\t').join(separator), q));
            QCOMPARE(q, p);
        }
        TProfile24 q{};
        QVERIFY(!ReadProfileText(QStringList(24, "2,5").join(",") + ",", q) && q[0] == 0);
    }

    void hoursText() {
        QCOMPARE(HoursText(6.1), QString("06:06:00"));
        QCOMPARE(HoursText(-0.5), QString("-00:30:00"));
    }
};

QTEST_GUILESS_MAIN(TestSolarText)
#include "tst_solartext.moc"
