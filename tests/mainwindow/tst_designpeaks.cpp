// The Design Peaks command as the user meets it: Calculate > Design Peaks... from the keyboard opens the
// window over the main window, filled from the document: its heat map holds the twelve design-day solves
// of the current surface, its table the nine facades; and a picture of it.
#include "../common/SavePicture.h"
#include "app/DesignPeaks.h"
#include "app/Main.h"
#include "dialogs/DesignPeaksDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

class TestDesignPeaksCommand : public QObject {
    Q_OBJECT
private slots:
    void opensFilledFromTheKeyboard() {
        TMainForm form;
        form.Document().SetLatitude(51.5);
        form.Document().SetAzimuth(90);
        form.Document().SetSlope(90);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        bool answered = false;
        QTimer::singleShot(0, &form, [&] {
            QTRY_VERIFY(qobject_cast<TDesignPeaksForm*>(QApplication::activeModalWidget()));
            auto* peaks = qobject_cast<TDesignPeaksForm*>(QApplication::activeModalWidget());
            QVERIFY(form.geometry().contains(peaks->geometry().center()));

            const THeatMapData& map = peaks->HeatMap()->Data();
            QCOMPARE(map.Title, QString("Total irradiance"));
            QCOMPARE(peaks->QuantityList()->count(), DesignQuantities().size());
            TCalcDocument doc;
            doc.ApplyInputs(form.Document().CopyInputs());
            for (int m = 0; m < DesignMonths; ++m) {
                doc.SetDayNumber(DesignDays()[m]);
                doc.Solve();
                QCOMPARE(map.Values[m], doc.TotalProfile());
            }

            QTableWidget* table = peaks->Table();
            QCOMPARE(table->rowCount(), OrientationCount);
            QCOMPARE(table->item(0, 0)->text(), QString("N"));
            QCOMPARE(table->item(8, 0)->text(), QString("H"));
            QCOMPARE(table->item(6, 1)->text(), QString("90")); // west in the program's convention

            SavePicture(*peaks, QStringLiteral("designpeaks-command"));
            QTRY_VERIFY(peaks->isActiveWindow());
            QTest::keyClick(peaks, Qt::Key_O, Qt::AltModifier);
            QCOMPARE(peaks->Views()->currentIndex(), 1);
            SavePicture(*peaks, QStringLiteral("designpeaks-command-table"));
            QTest::keyClick(peaks, Qt::Key_Escape);
            answered = true;
        });
        QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
        QTRY_VERIFY(answered);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestDesignPeaksCommand)
#include "tst_designpeaks.moc"
