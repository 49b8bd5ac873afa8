// Entry lines and row fields: splitting, the field built for each kind of line, the initial cell texts,
// the error path for bad limits, and printing a number by format type.
#include "controls/TxFields.h"
#include "controls/TxNumText.h"

#include <QLocale>
#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(TFormatType)

class TestFields : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void splitLine_data() {
        QTest::addColumn<QString>("delim");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("empty pieces stay, last delimiter adds none") << ";"
                                                                     << "a;;b;" << QStringList{"a", "", "b"};
        QTest::newRow("empty text") << ";"
                                    << "" << QStringList{};
        QTest::newRow("blanks trimmed") << ";"
                                        << "  a ;  b c  " << QStringList{"a", "b c"};
        QTest::newRow("control characters trimmed") << ";"
                                                    << "\ta\x01;\r\nb\n"
                                                    << QStringList{"a", "b"};
        QTest::newRow("blank after last delimiter") << ";"
                                                    << "a; " << QStringList{"a", ""};
        QTest::newRow("other delimiter") << ","
                                         << "x, y;z" << QStringList{"x", "y;z"};
        QTest::newRow("only delimiters") << ";"
                                         << ";;" << QStringList{"", ""};
    }
    void splitLine() {
        QFETCH(QString, delim);
        QFETCH(QString, text);
        QFETCH(QStringList, pieces);
        QCOMPARE(SplitLine(delim[0], text), pieces);
    }

    // Class letters: T text field, N number, P pair, E enum.
    void createRowField_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("fieldClass");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QList<double>>("loHiStep");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<bool>("error");
        const QList<double> none;
        QTest::newRow("day number") << "Day Number; %0.1f; ; PE; 0; 0"
                                    << "N" << int(fk_PropEd) << "%0.1f" << QList<double>{0, 0, 1}
                                    << QStringList{"Day Number", "0.0", ""} << false;
        QTest::newRow("latitude") << "Latitude; %0.2f; deg; NPE; 0; 0"
                                  << "N" << int(fk_None) << "%0.2f" << QList<double>{0, 0, 1}
                                  << QStringList{"Latitude", "0.00", "deg"} << false;
        QTest::newRow("spin in other case, step, negative limit")
            << "Tilt; %0.1f; deg; sPIN; -90; 90; 2.5"
            << "N" << int(fk_Spin) << "%0.1f" << QList<double>{-90, 90, 2.5}
            << QStringList{"Tilt", "0.0", "deg"} << false;
        QTest::newRow("pe in lower case") << "Count; %3d; ; pe; 1; 10"
                                          << "N" << int(fk_PropEd) << "%3d" << QList<double>{1, 10, 1}
                                          << QStringList{"Count", "  0", ""} << false;
        QTest::newRow("general format")
            << "G; %0.4g; ; ; 0; 1"
            << "N" << int(fk_None) << "%0.4g" << QList<double>{0, 1, 1} << QStringList{"G", "0", ""} << false;
        QTest::newRow("pair") << "Size; %0.1f/%0.1f; m; Spin; 0; 5; 0.5"
                              << "P" << int(fk_Spin) << "%0.1f/%0.1f" << QList<double>{0, 5, 0.5}
                              << QStringList{"Size", "0.0/0.0", "m"} << false;
        QTest::newRow("integer pair") << "N; %d/%d; ; NPE; 0; 9"
                                      << "P" << int(fk_None) << "%d/%d" << QList<double>{0, 9, 1}
                                      << QStringList{"N", "0/0", ""} << false;
        QTest::newRow("enum") << "Mode; enum; ; Low; Medium; High"
                              << "E" << int(fk_Enum) << "" << none << QStringList{"Mode", "Low", ""} << false;
        QTest::newRow("enum in capitals with units")
            << "Mode; ENUM; u; only"
            << "E" << int(fk_Enum) << "" << none << QStringList{"Mode", "only", "u"} << false;
        QTest::newRow("enum of two pieces")
            << "Mode; enum"
            << "E" << int(fk_Enum) << "" << none << QStringList{"Mode", "", ""} << false;
        QTest::newRow("text") << "Note; %S; ; NPE"
                              << "T" << int(fk_None) << "%S" << none << QStringList{"Note", "", ""} << false;
        QTest::newRow("name only") << "Lonely"
                                   << "T" << int(fk_None) << "" << none << QStringList{"Lonely", "", ""}
                                   << false;
        QTest::newRow("only three cells kept")
            << "A; %S; u; PE; x; y; z; w"
            << "T" << int(fk_PropEd) << "%S" << none << QStringList{"A", "", "u"} << false;
        QTest::newRow("no limits") << "Height; %0.2f; m; PE"
                                   << "T" << int(fk_PropEd) << "%S" << none
                                   << QStringList{"Height", "0.00", "m"} << true;
        QTest::newRow("no upper limit")
            << "X; %0.1f; ; Spin; 0"
            << "T" << int(fk_Spin) << "%S" << none << QStringList{"X", "0.0", ""} << true;
        QTest::newRow("letters in a limit")
            << "X; %0.1f; ; NPE; 0; ten"
            << "T" << int(fk_None) << "%S" << none << QStringList{"X", "0.0", ""} << true;
        QTest::newRow("bad step") << "X; %3d; ; Spin; 0; 1; y"
                                  << "T" << int(fk_Spin) << "%S" << none << QStringList{"X", "  0", ""}
                                  << true;
        QTest::newRow("bad pair limits")
            << "P; %0.1f/%0.1f; ; NPE"
            << "T" << int(fk_None) << "%S" << none << QStringList{"P", "0.0/0.0", ""} << true;
    }
    void createRowField() {
        QFETCH(QString, line);
        QFETCH(QString, fieldClass);
        QFETCH(int, kind);
        QFETCH(QString, format);
        QFETCH(QList<double>, loHiStep);
        QFETCH(QStringList, cells);
        QFETCH(bool, error);

        const TRowField row = CreateRowField(line);
        QVERIFY(row.Field);
        const TField& f = *row.Field;
        QCOMPARE(int(f.Kind), kind);
        QCOMPARE(f.FormatStr, format);
        QCOMPARE(row.Cells, cells);
        QCOMPARE(row.Error, error ? "Error initialising " + cells[0] : QString());
        QVERIFY(f.Enabled && f.Editable && !f.PropertyEditor);

        auto num = dynamic_cast<const TNumField*>(&f);
        auto pair = dynamic_cast<const TDelimNumField*>(&f);
        auto choice = dynamic_cast<const TEnumField*>(&f);
        QCOMPARE(fieldClass == "N" || fieldClass == "P", num != nullptr);
        QCOMPARE(fieldClass == "P", pair != nullptr);
        QCOMPARE(fieldClass == "E", choice != nullptr);
        if (num) {
            QCOMPARE((QList<double>{num->RangeLo, num->RangeHi, num->Increment}), loHiStep);
            QCOMPARE(num->Decimals, FormatDecimals(format));
            QCOMPARE(num->FormatType, ft_Fixed);
            QCOMPARE(num->SigDigs, 5);
            QCOMPARE(num->Factor, 1.0);
            QCOMPARE(num->Offset, 0.0);
            QVERIFY(!num->SpinUp && !num->SpinDown);
        }
    }

    void enumItems() {
        auto row = CreateRowField("Mode; enum; ; Low; Medium; High");
        QCOMPARE(dynamic_cast<TEnumField&>(*row.Field).Items, (QStringList{"Low", "Medium", "High"}));
        row = CreateRowField("Mode; enum");
        QCOMPARE(dynamic_cast<TEnumField&>(*row.Field).Items, (QStringList{"", "", ""}));
        row = CreateRowField("Mode|enum|x|A|B", QLatin1Char('|'));
        QCOMPARE(dynamic_cast<TEnumField&>(*row.Field).Items, (QStringList{"A", "B"}));
        QCOMPARE(row.Cells, (QStringList{"Mode", "A", "x"}));
    }

    // Entry lines are program text with "." in their numbers; a comma locale must still read them, and
    // the value cell follows the locale.
    void commaLocaleLines() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const TRowField row = CreateRowField("H; %0.2f; m; Spin; 0.5; 2,5; 0.25");
        auto num = dynamic_cast<const TNumField*>(row.Field.get());
        QVERIFY(num);
        QCOMPARE(num->RangeLo, 0.5);
        QCOMPARE(num->RangeHi, 2.5);
        QCOMPARE(num->Increment, 0.25);
        QCOMPARE(row.Cells[1], QString("0,00"));
        QVERIFY(row.Error.isEmpty());
    }

    // Each field class is the value format of its rows: value to text and back.
    void pairValues() {
        TDelimNumField f(fk_None, "%0.1f/%0.1f", 0, 0, 1);
        QCOMPARE(f.ValueOf(" 1.25 / 3 "), QVariant("1.2/3.0"));
        QCOMPARE(f.ValueOf(""), QVariant("0.0/0.0")); // an empty pair is 0 and 0, not a single 0
        QCOMPARE(f.ValueOf("12.3456"), QVariant("12.35"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, f.ValueOf("1/x"));
        QCOMPARE(f.TextOf("2.5"), QString("2.5/0.0"));
        QCOMPARE(f.TextOf(4.0), QString("4.0/0.0"));
        f.Factor = 1.8; // degrees Fahrenheit shown for Celsius values
        f.Offset = 32;
        QCOMPARE(f.ValueOf("68/212"), QVariant("20.0/100.0"));
        QCOMPARE(f.TextOf("20/100"), QString("68.0/212.0"));
    }

    void numberAndTextValues() {
        TNumField n(fk_None, "%0.2f", 0, 0, 1);
        QCOMPARE(n.TextOf(12.346), QString("12.35"));
        QCOMPARE(n.ValueOf(" 1 234.5 "), QVariant(1234.5));
        QVERIFY_THROWS_EXCEPTION(EConvertError, n.TextOf(std::numeric_limits<double>::infinity()));
        TNumField i(fk_None, "%d", 0, 0, 1);
        QCOMPARE(i.ValueOf("2.5"), QVariant(qlonglong(2)));
        TField text(fk_None, "%-5s|");
        QCOMPARE(text.TextOf("ab"), QString("ab   |"));
        TField exponent(fk_None, "%0.2E");
        QCOMPARE(exponent.TextOf(1234.5), QString("1.23E+03"));
        TField literal(fk_None, "none");
        QCOMPARE(literal.TextOf(5), QString("none"));
        QCOMPARE(literal.ValueOf("typed"), QVariant("typed"));
        TEnumField choice({"Low", "High"});
        QCOMPARE(choice.TextOf(1), QString("High"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, choice.TextOf(2));
        QCOMPARE(choice.ValueOf("Other"), QVariant(-1));
    }

    void formatNumberByType_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<TFormatType>("type");
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("text"); // "-" for none
        QTest::newRow("fixed") << "%0.2f" << ft_Fixed << 12.346 << "12.35";
        QTest::newRow("manual") << "%0.2f" << ft_Manual << 12.346 << "12.35";
        QTest::newRow("auto") << "%0.2f" << ft_Auto << 1234.5678 << "1234.6";
        QTest::newRow("auto small") << "%0.2f" << ft_Auto << 0.00123 << "0.00123";
        QTest::newRow("override below 10^(2-1)") << "%0.1f" << ft_AutoOverride << 9.5 << "9.500";
        QTest::newRow("override at 10^(2-1)") << "%0.1f" << ft_AutoOverride << 10.0 << "10.0";
        QTest::newRow("override negative takes digits") << "%0.2f" << ft_AutoOverride << -1234.56 << "-1235";
        QTest::newRow("override large negative decimals") << "%0.0f" << ft_AutoOverride << 99.5 << "99.500";
        QTest::newRow("general fixed") << "%0.4g" << ft_Fixed << 1234.5678 << "1235";
        QTest::newRow("integer ties to even down") << "%d" << ft_Auto << 2.5 << "2";
        QTest::newRow("integer ties to even up") << "%d" << ft_Fixed << 3.5 << "4";
        QTest::newRow("integer negative") << "%3d" << ft_Fixed << -2.5 << " -2";
        QTest::newRow("integer huge") << "%d" << ft_Fixed << 1e300 << "9200000000000000000";
        QTest::newRow("text format") << "%S" << ft_Fixed << 1.0 << "-";
        QTest::newRow("empty format") << "" << ft_Auto << 1.0 << "-";
    }
    void formatNumberByType() {
        QFETCH(QString, format);
        QFETCH(TFormatType, type);
        QFETCH(double, x);
        QFETCH(QString, text);
        const auto result = FormatNumberByType(format, type, FormatDecimals(format), 5, x);
        QCOMPARE(result.has_value(), text != "-");
        if (result) QCOMPARE(*result, text);
    }
};

QTEST_GUILESS_MAIN(TestFields)
#include "tst_fields.moc"
