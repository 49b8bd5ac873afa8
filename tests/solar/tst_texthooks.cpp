// The solar model's own number formatting when no program hooks are installed.
#include "solar/TextHooks.h"

#include <QTest>

class TestTextHooks : public QObject {
    Q_OBJECT
private slots:
    void init() { solartext::ResetTextHooks(); }

    void defaultFormat_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fixed") << "%0.2f" << 2.675 << "2.67";
        QTest::newRow("two-digit integer") << "%.2d" << 5.0 << "05";
        QTest::newRow("integer truncates") << "%3d" << 7.9 << "  7";
        QTest::newRow("letter d in the text after a float") << "%0.1f d" << 2.5 << "2.5 d";
        QTest::newRow("letter f in the text after an integer") << "%d ft" << 12.0 << "12 ft";
        QTest::newRow("huge value in an integer conversion") << "%d" << 1e300 << "2147483647";
        QTest::newRow("text conversion prints no number") << "%s" << 1.0 << "%s";
    }
    void defaultFormat() {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(solartext::FormatNumber(format.toStdString(), value)), expected);
    }
};

QTEST_GUILESS_MAIN(TestTextHooks)
#include "tst_texthooks.moc"
