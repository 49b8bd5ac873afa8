// The formatting helper and the number reader: printf rounding, literal text, locale separators.
#include "controls/TxNumText.h"

#include <QLocale>
#include <QTest>

class TestNumText : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void formatFloat_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ties to even 0.5") << "%0.0f" << 0.5 << "0";
        QTest::newRow("ties to even 2.5") << "%0.0f" << 2.5 << "2";
        QTest::newRow("ties to even 3.5") << "%0.0f" << 3.5 << "4";
        QTest::newRow("binary value of 2.675") << "%0.2f" << 2.675 << "2.67";
        QTest::newRow("general") << "%0.4g" << 1234.5678 << "1235";
        QTest::newRow("width") << "%8.3f" << -1.5 << "  -1.500";
        QTest::newRow("literal text kept") << "Angle = %0.2f." << 40.376 << "Angle = 40.38.";
        QTest::newRow("integer conversion truncates") << "%3d" << 7.9 << "  7";
        QTest::newRow("two digits") << "%.2d" << 5.0 << "05";
        QTest::newRow("percent sign") << "%0.1f %%" << 12.25 << "12.2 %";
        QTest::newRow("huge value in %d stays defined") << "%d" << 1e300 << "9200000000000000000";
        QTest::newRow("text conversion") << "%s" << 0.25 << "0.25";
    }
    void formatFloat() {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FormatFloat(format, value), expected);
    }

    void commaLocaleSwapsOnlyNumbers() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(FormatFloat("v. %0.2f", 3.14159), QString("v. 3,14"));
        QCOMPARE(FormatInt("%3d", 12), QString(" 12"));
        QCOMPARE(StrToFloat("3,5"), 3.5);
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloat("1.234,5"));
    }

    void readNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12.5" << true << 12.5;
        QTest::newRow("blanks around") << "  -3 " << true << -3.0;
        QTest::newRow("exponent with sign") << "1E+5" << true << 1e5;
        QTest::newRow("negative exponent") << "2.5e-3" << true << 2.5e-3;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("group separator") << "1,234" << false << 0.0;
        QTest::newRow("infinity") << "inf" << false << 0.0;
        QTest::newRow("overflow") << "1e999" << false << 0.0;
    }
    void readNumbers() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        double v = 0;
        QCOMPARE(TryStrToFloat(text, v), ok);
        if (ok) QCOMPARE(v, value);
    }

    void conversionErrorMessage() {
        try {
            StrToFloat("12x");
            QFAIL("no error raised");
        } catch (const EConvertError& e) {
            QCOMPARE(e.Message(), QString("'12x' is not a valid floating point value"));
        }
    }
};

QTEST_GUILESS_MAIN(TestNumText)
#include "tst_numtext.moc"
