// The row dialogs on their own: the calendar's season entries and OK, the azimuth picker's labels, the
// angle illustration's two click areas, and a picture of each.
#include "../common/SavePicture.h"
#include "dialogs/SelectAngleDlg.h"
#include "dialogs/SelectAzimuthDlg.h"
#include "dialogs/TxCalendar.h"
#include "solar/TSolar.h"

#include <QCalendarWidget>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTest>

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    // "Seasons..." opens its menu; an entry keeps the year shown, so the day number depends on it.
    void seasonsKeepTheYearShown_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("dayNumber");
        const int common[] = {80, 172, 266, 356};
        const int leap[] = {81, 173, 267, 357};
        for (int i = 0; i < 4; ++i) {
            QTest::addRow("2023 entry %d", i) << 2023 << i << common[i];
            QTest::addRow("2024 entry %d", i) << 2024 << i << leap[i];
        }
    }
    void seasonsKeepTheYearShown() {
        QFETCH(int, year);
        QFETCH(int, entry);
        QFETCH(int, dayNumber);
        TCalendarForm form;
        form.SetDate(QDate(year, 1, 15));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.SeasonsButton()->setFocus();
        QTest::keyClick(form.SeasonsButton(), Qt::Key_Space);
        QTRY_VERIFY(form.SeasonsMenu()->isVisible());
        for (int i = 0; i <= entry; ++i)
            QTest::keyClick(form.SeasonsMenu(), Qt::Key_Down);
        QTest::keyClick(form.SeasonsMenu(), Qt::Key_Return);
        const QDate d = form.Date();
        QCOMPARE(d.year(), year);
        QCOMPARE(DayOfYear(d.year(), d.month(), d.day()), dayNumber);
        QTest::keyClick(&form, Qt::Key_Return); // OK is the default button
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }

    void calendarEscapeClosesWithoutOk() {
        TCalendarForm form;
        form.SetDate(QDate(2023, 6, 21));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(form.Date(), QDate(2023, 6, 21));
        SavePicture(form, "calendar");
    }

    void azimuthLabels_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("azimuth");
        QTest::newRow("S") << "S" << 0.0;
        QTest::newRow("SW") << "SW" << 45.0;
        QTest::newRow("W") << "W" << 90.0;
        QTest::newRow("NW") << "NW" << 135.0;
        QTest::newRow("N") << "N" << 180.0;
        QTest::newRow("NE, not -135") << "NE" << 225.0;
        QTest::newRow("E") << "E" << -90.0;
        QTest::newRow("SE") << "SE" << -45.0;
    }
    void azimuthLabels() {
        QFETCH(QString, label);
        QFETCH(double, azimuth);
        // A click, or Return, Enter or Space on the focused point.
        for (int key : {0, int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Space)}) {
            TSelectAzimuthForm form;
            form.SetAzimuth(12.5);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QPushButton* link = form.Link(label);
            QVERIFY(link && link->isVisible());
            QVERIFY(form.rect().contains(link->geometry()));
            if (key == 0) {
                QTest::mouseClick(link, Qt::LeftButton);
            } else {
                link->setFocus(Qt::TabFocusReason);
                QTest::keyClick(link, Qt::Key(key));
            }
            QCOMPARE(form.result(), int(QDialog::Accepted));
            QCOMPARE(form.Azimuth(), azimuth);
        }
    }

    void azimuthEscapeKeepsTheValue() {
        TSelectAzimuthForm form;
        form.SetAzimuth(12.5);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        SavePicture(form, "azimuth");
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(form.Azimuth(), 12.5);
    }

    // A click inside an area sets its tilt; a click elsewhere on the drawing does nothing.
    void angleAreas_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("tilt");
        QTest::newRow("vertical, top-left corner") << QPoint(291, 133) << true << 90;
        QTest::newRow("vertical, bottom-right corner") << QPoint(400, 167) << true << 90;
        QTest::newRow("horizontal") << QPoint(450, 272) << true << 0;
        QTest::newRow("beside the vertical area") << QPoint(289, 150) << false << -1;
        QTest::newRow("the drawing") << QPoint(100, 100) << false << -1;
    }
    void angleAreas() {
        QFETCH(QPoint, at);
        QFETCH(bool, accepted);
        QFETCH(int, tilt);
        TAnglesForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), QSize(560, 396));
        if (tilt == 0) { // start from 90 so that the horizontal area shows a change
            QTest::mouseClick(form.VerticalArea(), Qt::LeftButton);
            form.show();
        }
        QWidget* target = form.childAt(at);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&form, at));
        QCOMPARE(form.isVisible(), !accepted);
        if (accepted)
            QCOMPARE(form.Tilt(), tilt);
        else
            QCOMPARE(form.Tilt(), 0);
    }

    void anglePicture() {
        TAnglesForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        SavePicture(form, "angles");
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
