// Comma text and the table text layout of the Copy command.
#include "app/TableText.h"
#include "storage/TextRules.h"

#include <QTest>

class TestTableText : public QObject {
    Q_OBJECT
private slots:
    void commaText_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QStringList{"CT", "12", "-3"} << "CT,12,-3";
        QTest::newRow("blank quotes") << QStringList{"Time Zone", "30.00"} << "\"Time Zone\",30.00";
        QTest::newRow("comma quotes") << QStringList{"-26,13"} << "\"-26,13\"";
        QTest::newRow("quote doubled") << QStringList{"5\" pane"} << "\"5\"\" pane\"";
        QTest::newRow("control character quotes") << QStringList{"a\tb"} << "\"a\tb\"";
        QTest::newRow("empty item stays empty")
            << QStringList{"Day Number", "172.5", ""} << "\"Day Number\",172.5,";
        QTest::newRow("no items") << QStringList{} << "";
        QTest::newRow("other letters unquoted") << QStringList{"°C;x"} << "°C;x";
    }
    void commaText() {
        QFETCH(QStringList, items);
        QFETCH(QString, expected);
        QCOMPARE(CommaText(items), expected);
    }

    void tableLayout() {
        const QList<QStringList> cells{{"Property", "Value", "Units"}, {"Day Number", "172.5", ""}};
        const QList<TResultRow> rows{{"  6", {"-12", "a b"}}, {" 12", {"40", "x"}}};
        QCOMPARE(TableText(cells, "Angles", {"CT", "Altitude", "Other"}, rows),
                 QString("Quorvane Calculator\r\n\r\nProperty,Value,Units\r\n\"Day Number\",172.5,\r\n\r\n"
                         "Angles\r\n\r\nCT,Altitude,Other\r\n  6,-12,\"a b\"\r\n 12,40,x\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestTableText)
#include "tst_tabletext.moc"
