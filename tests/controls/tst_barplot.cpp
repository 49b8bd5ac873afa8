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
