// The main window laid out at its minimum size and at a large one: every tab and every list column
// readable, the lists using the room; and a picture of each page at both sizes.
#include "../common/SavePicture.h"
#include "app/Main.h"
#include "controls/TxBarPlot.h"

#include <QDir>
#include <QFontInfo>
#include <QHeaderView>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

class TestLayout : public QObject {
    Q_OBJECT

private slots:

    void pagesAtSize_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("minimum") << QSize(520, 450);
        QTest::newRow("large") << QSize(1280, 800);
    }
    void pagesAtSize() {
        QFETCH(QSize, size);
        TMainForm form;
        form.resize(size);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), size);

        for (int page = 0; page < form.Pages()->count(); ++page) {
            form.Pages()->setCurrentIndex(page);
            QTest::qWait(20); // let the page lay itself out before it is measured and pictured
            SavePicture(form, QStringLiteral("main-%1x%2-%3").arg(size.width()).arg(size.height()).arg(page));
        }
        QTabBar* tabs = form.Pages()->tabBar();
        for (QToolButton* scroll : tabs->findChildren<QToolButton*>())
            QVERIFY2(!scroll->isVisible(), "the tab bar scrolls");
        for (int i = 0; i < tabs->count(); ++i)
            QVERIFY2(tabs->rect().contains(tabs->tabRect(i)), qPrintable(tabs->tabText(i)));

        // The plot's texts read whole: each inside the chart and clear of every other.
        form.Pages()->setCurrentIndex(pgPlot);
        QTest::qWait(20);
        auto* plot = form.findChild<TStackedBarPlot*>();
        QVERIFY(plot);
        const QList<QRectF> texts = plot->TextRects();
        QVERIFY(texts.size() > 10);
        for (int i = 0; i < texts.size(); ++i) {
            QVERIFY2(QRectF(plot->rect()).contains(texts[i]), qPrintable(QString::number(i)));
            for (int j = i + 1; j < texts.size(); ++j)
                QVERIFY2(!texts[i].intersects(texts[j]), qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
        }

        for (QTreeWidget* list : {form.AnglesList(), form.SolarList(), form.SolAirList()}) {
            form.Pages()->setCurrentWidget(list->parentWidget());
            QTest::qWait(20);
            QHeaderView* header = list->header();
            int used = 0;
            for (int c = 0; c < header->count(); ++c) {
                const QString caption = list->headerItem()->text(c);
                QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c), qPrintable(caption));
                used += header->sectionSize(c);
            }
            QVERIFY2(header->length() <= list->viewport()->width(), "the list scrolls sideways");
            // The columns fill the list's width.
            QVERIFY(used >= list->viewport()->width() - header->count());
        }
    }

    // A larger font widens the headings: the columns fit them at once, without waiting for a resize,
    // and the list asks for the room they need.
    void listsRefitToANewFont() {
        TMainForm form;
        form.resize(form.minimumSize()); // no room to spare beyond the headings
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTreeWidget* list = form.AnglesList();
        const int minimumBefore = list->minimumSizeHint().width();
        QFont larger = list->font();
        larger.setPointSizeF(QFontInfo(larger).pointSizeF() * 1.6); // whether the font was set in points or pixels
        list->setFont(larger);
        QHeaderView* header = list->header();
        for (int c = 0; c < header->count(); ++c)
            QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c),
                     qPrintable(list->headerItem()->text(c)));
        QVERIFY(list->minimumSizeHint().width() > minimumBefore);
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
