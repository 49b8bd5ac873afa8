// The Design Peaks window on its own: the keyboard reaches both lists and both views, Copy puts the shown
// table (tab-separated, CR LF) or the heat map (bitmap and numbers) on the clipboard, the colour scale
// darkens steadily, the peak cell is framed; and a picture of each view.
#include "../common/SavePicture.h"
#include "dialogs/DesignPeaksDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QMimeData>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QtNumeric>

#include <cmath>

namespace {

QStringList Months() {
    return {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}

// A day-shaped map: 0 at night, largest in month peakMonth at hour 13.
THeatMapData Map(const QString& title, int peakMonth) {
    THeatMapData map{title,   "W/m2",    "test site; azimuth 180.0 deg, slope 90.0 deg",
                     "%0.0f", Months(),  {},
                     true,    peakMonth, 13};
    for (int m = 0; m < 12; ++m)
        for (int h = 6; h <= 18; ++h)
            map.Values[m][h] =
                (h == 13 ? 700.0 : 600.0 - 40 * std::abs(h - 12)) - 30 * std::abs(m + 1 - peakMonth);
    return map;
}

TTextTable Table(const QString& caption, const QString& firstCell) {
    return {caption,
            {"Facade", "Azimuth", "Slope", "Total\nW/m2", "When"},
            {{firstCell, "180", "90", "612", "Jun 12:00"}, {"NE", "-135", "90", "550", "Jul 09:00"}}};
}

struct TFixture {
    TDesignPeaksForm Form;
    TFixture() {
        Form.SetSubject("test site; surface azimuth 180.0 deg, slope 90.0 deg");
        Form.SetHeatMaps({Map("Total irradiance", 6), Map("Solar heat gain factor", 7)});
        Form.SetPeakTables({Table("Design days", "N"), Table("Current day (172.5)", "N day")}, "A note.");
        Form.resize(900, 560);
    }
    bool Show() {
        Form.show();
        Form.activateWindow();
        return QTest::qWaitForWindowActive(&Form);
    }
};

} // namespace

class TestDesignPeaksDlg : public QObject {
    Q_OBJECT
private slots:
    // Alt+Q picks the quantity; Alt+O shows the orientations, Alt+D picks the days; Alt+C copies what
    // is shown as tab-separated text with CR LF line ends.
    void keyboardAndCopy() {
        TFixture f;
        QVERIFY(f.Show());
        QCOMPARE(f.Form.HeatMap()->Data().Title, QString("Total irradiance"));
        QTest::keyClick(&f.Form, Qt::Key_Q, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), f.Form.QuantityList());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(f.Form.HeatMap()->Data().Title, QString("Solar heat gain factor"));
        QCOMPARE(f.Form.HeatMap()->Data().PeakMonth, 7);

        QApplication::clipboard()->clear();
        QTest::keyClick(&f.Form, Qt::Key_C, Qt::AltModifier); // a mnemonic clicks after a short delay
        QTRY_VERIFY(QApplication::clipboard()->mimeData() &&
                    QApplication::clipboard()->mimeData()->hasImage());
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        const QStringList lines = mime->text().split("\r\n");
        QCOMPARE(lines.size(), 14); // heading, 12 months, the empty piece after the last CR LF
        QCOMPARE(lines[0].split('\t').size(), 25);
        QCOMPARE(lines[7].split('\t').value(0), QString("Jul"));
        QCOMPARE(lines[7].split('\t').value(14), QString("700"));
        QVERIFY(lines[13].isEmpty());

        QTest::keyClick(&f.Form, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(f.Form.Views()->currentIndex(), 1);
        QTest::keyClick(&f.Form, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), f.Form.DaysList());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(f.Form.Table()->item(0, 0)->text(), QString("N day"));
        QApplication::clipboard()->clear();
        QTest::keyClick(&f.Form, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(QApplication::clipboard()->text(), QString("Facade\tAzimuth\tSlope\tTotal W/m2\tWhen\r\n"
                                                                "N day\t180\t90\t612\tJun 12:00\r\n"
                                                                "NE\t-135\t90\t550\tJul 09:00\r\n"));
        QVERIFY(!QApplication::clipboard()->mimeData()->hasImage());

        QTest::keyClick(&f.Form, Qt::Key_Escape);
        QVERIFY(!f.Form.isVisible());
    }

    // The scale's lightness falls from one end to the other, so its order survives a grey print.
    void scaleDarkensSteadily() {
        int previous = 256;
        for (int i = 0; i <= 100; ++i) {
            const int grey = qGray(HeatColour(i / 100.0).rgb());
            QVERIFY2(grey < previous, qPrintable(QString::number(i)));
            previous = grey;
        }
        QCOMPARE(HeatColour(-1), HeatColour(0));
        QCOMPARE(HeatColour(qQNaN()), HeatColour(0));
    }

    // The peak cell has a black frame: the bitmap with a peak holds many more black pixels than without.
    void peakCellIsFramed() {
        TFixture f;
        const QImage image = f.Form.HeatMap()->Render(QSize(960, 420));
        int black = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == Qt::black) ++black;
        QVERIFY(black > 0);

        THeatMapData none = Map("Total irradiance", 6);
        none.PeakMonth = 0;
        f.Form.HeatMap()->SetData(none);
        const QImage plain = f.Form.HeatMap()->Render(QSize(960, 420));
        int plainBlack = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                if (plain.pixelColor(x, y) == Qt::black) ++plainBlack;
        QVERIFY2(black - plainBlack > 50, qPrintable(QString("%1 %2").arg(black).arg(plainBlack)));
    }

    void pictures() {
        TFixture f;
        QVERIFY(f.Show());
        const QImage map = SavePicture(f.Form, "designpeaks-heatmap");
        f.Form.Views()->setCurrentIndex(1);
        // The table replaces the map in the same window.
        const QImage table = SavePicture(f.Form, "designpeaks-table");
        QCOMPARE(table.size(), map.size());
        QVERIFY(table != map);
        f.Form.resize(f.Form.minimumSizeHint());
        f.Form.Views()->setCurrentIndex(0);
        // At its smallest the map still fills the view: it is drawn, not left blank.
        SavePicture(f.Form, "designpeaks-smallest");
        const QImage smallest = f.Form.HeatMap()->grab().toImage();
        QVERIFY(smallest.pixelColor(smallest.rect().center()) != f.Form.palette().color(QPalette::Window));
    }
};

QTEST_MAIN(TestDesignPeaksDlg)
#include "tst_designpeaks.moc"
