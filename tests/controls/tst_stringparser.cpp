// The tokenizer for pasted number lists: delimiter runs, quoted pieces, the end of the text, and the
// error codes of NextFloat.
#include "controls/TxStringParser.h"

#include <QTest>

class TestStringParser : public QObject {
    Q_OBJECT

    static QStringList Tokens(TStringParser& p, int count, QList<int>* errors = nullptr) {
        QStringList out;
        for (int i = 0; i < count; ++i) {
            out << p.NextToken();
            if (errors) errors->append(p.Error());
        }
        return out;
    }

private slots:
    void tokens_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("tokens");
        QTest::addColumn<QList<int>>("errors");
        QTest::newRow("delimiter runs and closing tab")
            << "1, 2,,3\t" << QStringList{"1", "2", "3", ""} << QList<int>{0, 0, 0, 2};
        QTest::newRow("quoted piece keeps commas and spaces")
            << "\"a, b c\",4 " << QStringList{"a, b c", "4", ""} << QList<int>{0, 0, 2};
        QTest::newRow("token ends at the end of the text")
            << "1,22" << QStringList{"1", "22", ""} << QList<int>{0, 2, 2};
        QTest::newRow("unclosed quote") << "x \"ab" << QStringList{"x", "ab"} << QList<int>{0, 2};
        QTest::newRow("empty text") << "" << QStringList{"", ""} << QList<int>{2, 2};
        QTest::newRow("carriage returns") << "5\r\n6\r" << QStringList{"5", "\n6", ""} << QList<int>{0, 0, 2};
        QTest::newRow("wide character is no delimiter")
            << QString::fromUtf8("\u20ac,1") << QStringList{QString::fromUtf8("\u20ac"), "1"}
            << QList<int>{0, 2};
    }
    void tokens() {
        QFETCH(QString, text);
        QFETCH(QStringList, tokens);
        QFETCH(QList<int>, errors);
        TStringParser p(text);
        QList<int> seen;
        QCOMPARE(Tokens(p, int(tokens.size()), &seen), tokens);
        QCOMPARE(seen, errors);
    }

    void nextCharPastTheEnd() {
        TStringParser p("ab");
        QCOMPARE(p.NextChar(), QChar('a'));
        QCOMPARE(p.NextChar(), QChar('b'));
        QCOMPARE(p.Error(), int(spe_None));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(p.NextChar(), QChar(0));
            QCOMPARE(p.Error(), int(spe_EndOfText));
        }
        p.SetText("c");
        QCOMPARE(p.Error(), int(spe_None));
        QCOMPARE(p.NextChar(), QChar('c'));
    }

    void nextFloat() {
        TStringParser p("1.5 -2e3, x 4");
        QCOMPARE(p.NextFloat(), 1.5);
        QCOMPARE(p.NextFloat(), -2000.0);
        QCOMPARE(p.Error(), int(spe_None));
        QCOMPARE(p.NextFloat(), 0.0);
        QCOMPARE(p.Error(), int(spe_NotANumber));
        // The error stays until a new text is loaded, even though a number follows.
        QCOMPARE(p.NextFloat(), 0.0);
        QCOMPARE(p.Error(), int(spe_NotANumber));
        p.SetText("7");
        QCOMPARE(p.NextFloat(), 7.0); // read at the end of the text: a value, with Error 2
        QCOMPARE(p.Error(), int(spe_EndOfText));
        QCOMPARE(p.NextFloat(), 0.0); // the empty token after the end
        QCOMPARE(p.Error(), int(spe_NotANumber));
    }

    void customDelimiters() {
        TStringParser p("a b;c");
        TStringParser::TCharSet semicolon;
        semicolon.set(';');
        p.SetDelimiters(semicolon);
        QCOMPARE(Tokens(p, 2), (QStringList{"a b", "c"}));
    }
};

QTEST_GUILESS_MAIN(TestStringParser)
#include "tst_stringparser.moc"
