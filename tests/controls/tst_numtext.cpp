// The formatting helper and the number reader: printf rounding, literal text, locale separators.
#include "controls/TxNumText.h"

#include <QLocale>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

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
        QTest::newRow("upper-case integer letter") << "%D" << 41.9 << "41";
        QTest::newRow("upper-case text letter") << "%S" << 0.25 << "0.25";
        QTest::newRow("upper-case exponent") << "%0.2E" << 1234.5 << "1.23E+03";
        QTest::newRow("letter d in the text after a float") << "%0.1f d" << 2.5 << "2.5 d";
        QTest::newRow("letter f in the text after an integer") << "%d ft" << 12.0 << "12 ft";
        QTest::newRow("length modifier dropped") << "%5.1lf" << 2.25 << "  2.2";
        QTest::newRow("incomplete conversion kept as text") << "%0.1" << 1.0 << "%0.1";
        // A value that rounds to zero prints without a sign, whatever the width, flags or form.
        QTest::newRow("rounds to zero, no sign") << "%0.0f" << -0.157 << "0";
        QTest::newRow("rounds to zero, decimals") << "%0.2f" << -0.004 << "0.00";
        QTest::newRow("rounds to zero, width kept") << "%8.3f" << -0.0001 << "   0.000";
        QTest::newRow("rounds to zero, plus flag") << "%+0.1f" << -0.01 << "+0.0";
        QTest::newRow("negative zero, exponent") << "%0.2e" << -0.0 << "0.00e+00";
        QTest::newRow("negative zero, general") << "%g" << -0.0 << "0";
        QTest::newRow("tie to even zero") << "%0.0f" << -0.5 << "0";
        QTest::newRow("rounds away from zero keeps its sign") << "%0.0f" << -0.6 << "-1";
        QTest::newRow("small but not zero keeps its sign") << "%0.4g" << -1e-9 << "-1e-09";
    }

    void formatText_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "%S"
                               << "free text"
                               << "free text";
        QTest::newRow("width, left") << "%-6s|"
                                     << "ab"
                                     << "ab    |";
        QTest::newRow("width, right") << "%6s"
                                      << "ab"
                                      << "    ab";
        QTest::newRow("precision cuts") << "Name: %.3s"
                                        << "abcdef"
                                        << "Name: abc";
        QTest::newRow("percent sign") << "%s %%"
                                      << "5"
                                      << "5 %";
    }
    void formatText() {
        QFETCH(QString, format);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(FormatText(format, text), expected);
    }

    void formatTextRefusesNumberConversions() {
        QVERIFY_THROWS_EXCEPTION(EConvertError, FormatText("%d", "x"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, FormatText("%s and %s", "x"));
    }
    void formatFloat() {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FormatFloat(format, value), expected);
    }

    // Every number of a solve is formatted without printf; the text must still be printf's, digit for
    // digit: each format against the C library's own printing of the same value.
    void formatsAsPrintfDoes_data() {
        QTest::addColumn<QString>("format");
        for (const char* f : {"%0.0f", "%0.1f", "%0.2f", "%8.3f", "%-8.3f|", "%08.2f", "%0.4g", "%g", "%.3e",
                              "%0.12f", "%3d", "%.2d", "%05d", "%-4d|", "%.0d", "%+0.2f", "%#0.0f", "%x"})
            QTest::newRow(f) << QString(f);
    }
    void formatsAsPrintfDoes() {
        QFETCH(QString, format);
        const bool integer = format.contains('d') || format.contains('x');
        std::mt19937_64 rng(11);
        std::vector<double> values{0.0,   -0.0, 0.5,        1.5,     2.5,  -2.5,  2.675,
                                   0.125, 1e-7, 123456.789, -99.995, 1e21, -1e300};
        for (int i = 0; i < 2000; ++i) {
            const double magnitude = std::pow(10.0, std::uniform_real_distribution<double>(-8, 12)(rng));
            values.push_back((i % 2 ? -1 : 1) * magnitude);
            values.push_back(std::round(magnitude * 1000) / 1000 + 0.0005); // near decimal ties
        }
        const QByteArray spec = format.toLatin1().replace("d", "lld").replace("x", "llx");
        for (double v : values) {
            char expected[512];
            if (integer) {
                if (std::fabs(v) > 9e18) continue;
                std::snprintf(expected, sizeof expected, spec.constData(),
                              static_cast<long long>(std::trunc(v)));
            } else {
                std::snprintf(expected, sizeof expected, spec.constData(), v);
                // printf's "-0.00" for a value that rounds to zero is the one text that differs: "0.00".
                const QByteArray text(expected);
                const QByteArray mantissa = text.contains('e') ? text.left(text.indexOf('e')) : text;
                const bool digit = std::any_of(mantissa.begin(), mantissa.end(),
                                               [](char c) { return c >= '1' && c <= '9'; });
                if (mantissa.contains('-') && !digit)
                    std::snprintf(expected, sizeof expected, spec.constData(), 0.0);
            }
            QCOMPARE(FormatFloat(format, v), QString::fromLatin1(expected));
        }
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

    void formatPair() {
        QCOMPARE(FormatPair("%0.1f/%0.1f", 1.25, -3.0), QString("1.2/-3.0"));
        QCOMPARE(FormatPair("%d/%d", 2.9, -3.9), QString("2/-3"));
        QCOMPARE(FormatFloat("%0.1f/%0.1f", 0.0), QString("0.0/0.0"));
    }

    void formatClasses_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("classes"); // S string, I integer, G general, F float, P pair
        QTest::newRow("fixed") << "%0.2f"
                               << "F";
        QTest::newRow("general") << "%0.4G"
                                 << "GF";
        QTest::newRow("integer") << "%3d"
                                 << "I";
        QTest::newRow("text") << "%S"
                              << "S";
        QTest::newRow("pair") << "%0.1f/%0.1f"
                              << "FP";
        QTest::newRow("letter in a trailing word") << "%0.1f mins"
                                                   << "SF";
        QTest::newRow("upper-case D") << "%D"
                                      << "I";
        QTest::newRow("empty") << ""
                               << "";
    }
    void formatClasses() {
        QFETCH(QString, format);
        QFETCH(QString, classes);
        QCOMPARE(IsStringFormat(format), classes.contains('S'));
        QCOMPARE(IsIntegerFormat(format), classes.contains('I'));
        QCOMPARE(IsGeneralFormat(format), classes.contains('G'));
        QCOMPARE(IsFloatFormat(format), classes.contains('F'));
        QCOMPARE(IsPairFormat(format), classes.contains('P'));
    }

    void decimalsForSigDigs_data() {
        QTest::addColumn<int>("sigDigs");
        QTest::addColumn<int>("maxDecimals");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0.00123") << 5 << 12 << 0.00123 << 5 << "0.00123";
        QTest::newRow("0.5") << 5 << 12 << 0.5 << 3 << "0.500";
        QTest::newRow("7.25") << 5 << 12 << 7.25 << 3 << "7.250";
        QTest::newRow("99.95") << 5 << 12 << 99.95 << 3 << "99.950";
        QTest::newRow("12.5") << 5 << 12 << 12.5 << 3 << "12.500";
        QTest::newRow("1234.5678") << 5 << 12 << 1234.5678 << 1 << "1234.6";
        QTest::newRow("123456.7") << 5 << 12 << 123456.7 << 0 << "123457";
        QTest::newRow("-0.5, sign counts") << 5 << 12 << -0.5 << 3 << "-0.500";
        QTest::newRow("-12.34") << 5 << 12 << -12.34 << 2 << "-12.34";
        QTest::newRow("0") << 5 << 12 << 0.0 << 3 << "0.000";
        QTest::newRow("1e-15 prints as zero") << 5 << 12 << 1e-15 << 3 << "0.000";
        QTest::newRow("one digit ignores sigDigs") << 1 << 12 << 0.0005 << 6 << "0.000500";
        QTest::newRow("capped by maxDecimals") << 5 << 4 << 0.00012 << 4 << "0.0001";
        QTest::newRow("fraction hidden by maxDecimals") << 5 << 4 << 0.00000123 << 3 << "0.000";
        QTest::newRow("no decimals asked") << 5 << 0 << 7.6 << 0 << "8";
        QTest::newRow("huge") << 5 << 12 << 1e300 << 0 << FormatFloat("%0.0f", 1e300);
    }
    void decimalsForSigDigs() {
        QFETCH(int, sigDigs);
        QFETCH(int, maxDecimals);
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, shown);
        QCOMPARE(DecimalsForSigDigs(sigDigs, maxDecimals, value), decimals);
        const QString format = SigDigsFormat(sigDigs, maxDecimals, value);
        QCOMPARE(format, "%0." + QString::number(decimals) + "f");
        QCOMPARE(FormatFloat(format, value), shown);
    }

    void decimalsForSigDigsUnderCommaLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(DecimalsForSigDigs(5, 12, 0.00123), 5);
        QCOMPARE(DecimalsForSigDigs(5, 12, 1234.5678), 1);
    }

    void formatDecimals_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("decimals");
        QTest::newRow("fixed") << "%0.1f" << 1;
        QTest::newRow("general") << "%0.4g" << 4;
        QTest::newRow("integer") << "%d" << 0;
        QTest::newRow("text") << "%S" << 0;
        QTest::newRow("twelve reads one digit") << "%0.12f" << 1;
        QTest::newRow("dot at the end") << "%0." << 0;
        QTest::newRow("no digit after dot") << "%.f" << 0;
        QTest::newRow("first dot wins") << "x.%0.3f" << 0;
    }
    void formatDecimals() {
        QFETCH(QString, format);
        QFETCH(int, decimals);
        QCOMPARE(FormatDecimals(format), decimals);
    }

    void normalizeNumberText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("spaces") << "1 234.5"
                                << "1234.5";
        QTest::newRow("inner minus") << "12-3"
                                     << "123";
        QTest::newRow("double minus") << "--5"
                                      << "-5";
        QTest::newRow("trailing minus") << "5-"
                                        << "5";
        QTest::newRow("small e") << "1e-3"
                                 << "1E-3";
        QTest::newRow("bare exponent") << "e5"
                                       << "1E5";
        QTest::newRow("bare negative exponent keeps its sign") << "e-5"
                                                               << "1E-5";
        QTest::newRow("minus before bare exponent") << "-e5"
                                                    << "-E5";
        QTest::newRow("second point") << "1.2.3"
                                      << "1.23";
        QTest::newRow("empty") << ""
                               << "0";
        QTest::newRow("lone minus") << "-"
                                    << "0";
        QTest::newRow("minus with blanks") << " - "
                                           << "0";
        QTest::newRow("exponent over 300") << "2E400"
                                           << "2E40";
        QTest::newRow("negative exponent over 300") << "2E-999"
                                                    << "2E-9";
        QTest::newRow("exponent of many digits") << "1E000000000000000000009"
                                                 << "1E000000000000000000009";
        QTest::newRow("exponent too long for an int") << "1E12345678901234567890"
                                                      << "1E12";
        QTest::newRow("exactly 300 stays") << "1E300"
                                           << "1E300";
        QTest::newRow("point in exponent") << "1E-2.5"
                                           << "1E-25";
        QTest::newRow("plus in exponent") << "1e+5"
                                          << "1E+5";
        QTest::newRow("second exponent letter") << "1e2e3"
                                                << "1E23";
        QTest::newRow("minus after exponent minus") << "1E--5"
                                                    << "1E-5";
        QTest::newRow("empty exponent kept") << "5E"
                                             << "5E";
        QTest::newRow("tab stays") << "1\t2"
                                   << "1\t2";
        QTest::newRow("pair with spaces") << "3 / -4e1"
                                          << "3/-4E1";
        QTest::newRow("second slash") << "1/2/3"
                                      << "1/23";
        QTest::newRow("empty halves") << "/"
                                      << "0/0";
    }
    void normalizeNumberText() {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        QCOMPARE(NormalizeNumberText(typed), cleaned);
    }

    void normalizeRejectsNonIntegerExponent_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("sign only") << "1E-";
        QTest::newRow("plus only") << "1e+";
        QTest::newRow("letters") << "1Ex";
        QTest::newRow("in second half") << "2/1E-";
    }
    void normalizeRejectsNonIntegerExponent() {
        QFETCH(QString, typed);
        QVERIFY_THROWS_EXCEPTION(EConvertError, NormalizeNumberText(typed));
    }

    void cleanedTextReadsBack() {
        QCOMPARE(ReadNumberText(" 1 234.5 "), 1234.5);
        QCOMPARE(ReadNumberText("2E400"), 2e40);
        QCOMPARE(ReadNumberText("-"), 0.0);
        QVERIFY_THROWS_EXCEPTION(EConvertError, ReadNumberText("abc"));
        // Beyond the double range: the largest double of the sign, so range checks clamp it.
        QCOMPARE(ReadNumberText("1" + QString(309, '0')), std::numeric_limits<double>::max());
        QCOMPARE(ReadNumberText("-" + QString(400, '9') + ".5"), -std::numeric_limits<double>::max());
        QVERIFY_THROWS_EXCEPTION(EConvertError, ReadNumberText("inf"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, ReadNumberText("-infinity"));
    }

    // Under a comma locale the typed "." and the locale's "," both act as the decimal point, and the
    // cleaned text is in the locale's form, which the reader accepts.
    void commaLocaleCleanUp_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        QTest::addColumn<double>("value");
        QTest::newRow("comma") << "3,5"
                               << "3,5" << 3.5;
        QTest::newRow("point") << "3.5"
                               << "3,5" << 3.5;
        QTest::newRow("second separator") << "1,2.3"
                                          << "1,23" << 1.23;
        QTest::newRow("exponent with separator") << "1E-2,5"
                                                 << "1E-25" << 1e-25;
        QTest::newRow("formatted text") << FormatFloat("%0.2f", -0.25) << "-0,25" << -0.25;
    }
    void commaLocaleCleanUp() {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        QFETCH(double, value);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(NormalizeNumberText(typed), cleaned);
        QCOMPARE(ReadNumberText(typed), value);
    }

    void parseNumberPair() {
        double a = -1, b = -1;
        QVERIFY(ParseNumberPair("1.5/ -2", a, b));
        QCOMPARE(a, 1.5);
        QCOMPARE(b, -2.0);
        a = b = -1;
        QVERIFY(!ParseNumberPair("7", a, b));
        QCOMPARE(a, 7.0);
        QCOMPARE(b, -1.0); // left as it was
        QVERIFY_THROWS_EXCEPTION(EConvertError, ParseNumberPair("1/x", a, b));
        QVERIFY_THROWS_EXCEPTION(EConvertError, ParseNumberPair("/2", a, b));
        QVERIFY_THROWS_EXCEPTION(EConvertError, ParseNumberPair("", a, b));
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
