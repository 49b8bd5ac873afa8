// The stacked bar plot: its value scale from the stacks shown, and a picture of it.
#include "controls/TxBarPlot.h"

#include <QTest>

#include <limits>

class TestBarPlot : public QObject {
    Q_OBJECT

private slots:
    void scaleIsRoundAndCoversTheTop_data() {
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("max");
        QTest::addColumn<int>("ticks");
        QTest::newRow("summer noon") << 820.0 << 1000.0 << 6;
        QTest::newRow("facing away") << 116.0 << 150.0 << 4;
        QTest::newRow("a round top") << 800.0 << 800.0 << 5;
        QTest::newRow("small") << 7.0 << 8.0 << 5;
        QTest::newRow("nothing") << 0.0 << 1.0 << 6;
        QTest::newRow("no number") << std::numeric_limits<double>::quiet_NaN() << 1.0 << 6;
        QTest::newRow("unbounded") << std::numeric_limits<double>::infinity() << 1.0 << 6;
        QTest::newRow("largest double") << std::numeric_limits<double>::max() << 1e15 << 6;
        QTest::newRow("too large to read") << 3e17 << 1e15 << 6;
        QTest::newRow("smallest double") << std::numeric_limits<double>::denorm_min() << 1.0 << 6;
        QTest::newRow("rounding noise") << 1e-17 << 1.0 << 6;
    }
    void scaleIsRoundAndCoversTheTop() {
        QFETCH(double, top);
        QFETCH(double, max);
        QFETCH(int, ticks);
        QCOMPARE(NiceAxisScale(top), (TAxisScale{max, ticks}));
    }

    // Stacks add what is above zero; a missing number adds nothing.
    void stacksSetTheScale() {
        TStackedBarPlot plot({{"A", Qt::red}, {"B", Qt::blue}});
        plot.SetBars({"1", "2"}, {{1, std::numeric_limits<double>::quiet_NaN()}, {-3, 7}});
        QCOMPARE(plot.Scale(), NiceAxisScale(7));
        QCOMPARE(plot.Value(1, 1), 7.0);
        QCOMPARE(plot.Value(2, 0), 0.0); // no such series
    }

    // Bars and texts stay inside the chart whatever the values: an infinite one adds nothing to its
    // stack, and stacks too large for a readable scale are cut at its top. The panel margin and
    // padding above the chart stay free of bar colours.
    void barsStayInsideTheChart_data() {
        QTest::addColumn<QList<double>>("low");
        QTest::addColumn<QList<double>>("high");
        const double inf = std::numeric_limits<double>::infinity();
        const double max = std::numeric_limits<double>::max();
        QTest::newRow("infinite") << QList<double>{inf, 50} << QList<double>{50, inf};
        QTest::newRow("largest doubles") << QList<double>{max, 50} << QList<double>{max, 1};
        QTest::newRow("above a readable scale") << QList<double>{1e300, 50} << QList<double>{1e300, 1};
    }
    void barsStayInsideTheChart() {
        QFETCH(QList<double>, low);
        QFETCH(QList<double>, high);
        const QColor red(255, 0, 0), blue(0, 0, 255);
        TStackedBarPlot plot({{"Low", red}, {"High", blue}});
        plot.SetTitles(QStringLiteral("Time, Hr"), QStringLiteral("W/m2"));
        plot.resize(300, 200);
        plot.SetBars({"6", "7"}, {low, high});
        const QImage picture = plot.Picture();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                QVERIFY2(c != red && c != blue, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        for (const QRectF& text : plot.TextRects())
            QVERIFY(QRectF(plot.rect()).contains(text));
    }

    // At its smallest the chart still reads: every text inside it and clear of the others, value
    // labels thinned out where the axis is short, the legend's row whole.
    void textsStayApartAtTheSmallestSize() {
        TStackedBarPlot plot({{"Reflected", Qt::red}, {"Diffuse", Qt::green}, {"Direct", Qt::blue}});
        plot.SetTitles(QStringLiteral("Time, Hr"), QStringLiteral("W/m2"));
        QStringList hours;
        QList<double> values;
        for (int h = 0; h < 24; ++h) {
            hours << QString::number(h);
            values << 40.0 * h;
        }
        plot.SetBars(hours, {values, values, values});
        plot.resize(plot.minimumSizeHint());
        const QList<QRectF> texts = plot.TextRects();
        for (int i = 0; i < texts.size(); ++i) {
            QVERIFY2(QRectF(plot.rect()).contains(texts[i]), qPrintable(QString::number(i)));
            for (int j = i + 1; j < texts.size(); ++j)
                QVERIFY2(!texts[i].intersects(texts[j]), qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
        }
    }

    // The picture is the chart on white at the widget's size, the bars in their series' colours from
    // the bottom up.
    void pictureShowsTheStacks() {
        TStackedBarPlot plot({{"Low", QColor(255, 0, 0)}, {"High", QColor(0, 0, 255)}});
        plot.resize(300, 200);
        plot.SetBackground(QBrush(QColor(250, 250, 240)), QColor(128, 128, 128));
        plot.SetBars({"6"}, {{50}, {50}});
        const QImage picture = plot.Picture();
        QCOMPARE(picture.size(), QSize(300, 200));
        QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::white));
        const QList<QRectF> texts = plot.TextRects();
        // The single bar's label stands under the middle of the bar; sample just above the axis
        // and just under the middle of the stack.
        const QRectF label = texts[plot.Scale().Ticks];
        const int x = int(label.center().x());
        int y = int(label.top()) - 6;
        QCOMPARE(picture.pixelColor(x, y), QColor(255, 0, 0));
        while (y > 0 && picture.pixelColor(x, y) == QColor(255, 0, 0))
            --y;
        QCOMPARE(picture.pixelColor(x, y - 3), QColor(0, 0, 255));
    }
};

QTEST_MAIN(TestBarPlot)
#include "tst_barplot.moc"
