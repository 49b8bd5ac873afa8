// The main window over the document: start-up state, typing into the property list, the solve key,
// the result pages, Copy, and the inputs kept for the next run.
#include "app/Main.h"
#include "controls/TxEntryGrid.h"
#include "controls/TxNumText.h"
#include "locations/TxSelectLocation.h"
#include "storage/Settings.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <climits>
#include <cmath>
#include <limits>

class TestMainForm : public QObject {
    Q_OBJECT

    // Types a value into the property list's value cell of a row and commits it with Enter.
    static void TypeIntoRow(TMainForm& form, int row, const QString& text) {
        TEntryGrid* grid = form.Grid();
        const QRect cell = grid->CellRect(1, row);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::keyClick(grid->viewport(), Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

private slots:

    void startsSolvedWithStartValues() {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.windowTitle().startsWith("Quorvane - Version "));
        QCOMPARE(form.StatusText(), QString("Solved..."));
        QCOMPARE(form.Grid()->Cells(1, 1), QString("1700"));
        QCOMPARE(form.Grid()->Cells(1, 2), QString("-26.13"));
        QCOMPARE(form.Grid()->Cells(1, 7), QString("172.5"));
        QCOMPARE(form.Pages()->currentIndex(), 0);
        QCOMPARE(form.AnglesList()->topLevelItemCount(), 13); // hours 6 to 18
        QCOMPARE(form.AnglesList()->topLevelItem(0)->text(0), QString("  6"));
        QDir().mkpath(QV_BINARY_ROOT "/screens");
        for (int page = 0; page < form.Pages()->count(); ++page) {
            form.Pages()->setCurrentIndex(page);
            QTest::qWait(20); // let a page lay itself out before the picture
            form.grab().save(QStringLiteral(QV_BINARY_ROOT "/screens/mainform-%1.png").arg(page));
        }
    }

    void typedInputMarksOutOfDateAndF9Solves() {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        TypeIntoRow(form, 5, "180");
        QCOMPARE(form.Document().Azimuth(), 180.0);
        QCOMPARE(form.StatusText(), QString("Results are out of date..."));
        QTest::keyClick(&form, Qt::Key_F9);
        QCOMPARE(form.StatusText(), QString("Solved..."));
        form.Pages()->setCurrentIndex(pgAngles);
        form.ActionCopyExecute();
        QVERIFY(QGuiApplication::clipboard()->text().startsWith("Quorvane Calculator\r\n"));
        QVERIFY(QGuiApplication::clipboard()->text().contains("Azimuth,180.00,deg\r\n"));
    }

    // The glass boxes show one decimal: passing through a box keeps the exact value, typing stores.
    void glassBoxesKeepExactValuesUntilTyped() {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        form.Pages()->setCurrentIndex(pgWindow);
        auto* height = form.findChild<QLineEdit*>("GlassHeightEdit");
        auto* depth = form.findChild<QLineEdit*>("GlassDepthEdit");
        QVERIFY(height && depth);
        QCOMPARE(height->text(), QString("1.2"));
        height->setFocus();
        depth->setFocus(); // leaves the height box untouched
        QCOMPARE(form.Document().GlassHeight(), 1.25);
        height->setFocus();
        height->selectAll();
        QTest::keyClicks(height, "2");
        depth->setFocus();
        QCOMPARE(form.Document().GlassHeight(), 2.0);
        QCOMPARE(form.StatusText(), QString("Solved...")); // glass edits leave the state alone
    }

    // The Barometer row's button opens the location dialog on the sample database; OK takes the place.
    void locationPickFillsSiteRows() {
        TMainForm form;
        TSelectLocationForm locations(&form, QStringLiteral(QV_BINARY_ROOT "/Varnholt/Common Files/"));
        locations.ShowMessage = [](const QString& text) { QFAIL(qPrintable(text)); };
        form.SetRowDialogs({&locations});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const double azimuth = form.Document().Azimuth();
        QTimer::singleShot(0, &locations, [&] {
            QTRY_VERIFY(locations.isVisible());
            QTest::mouseClick(locations.AcceptButton(), Qt::LeftButton);
        });
        form.ActionLocationExecute();
        const LocationRecord& r = locations.Record();
        QVERIFY(!locations.PickedName().isEmpty());
        QCOMPARE(form.Document().LocationName(), locations.PickedName());
        QCOMPARE(form.Document().Latitude(), double(r.Latitude));
        QCOMPARE(form.Document().DesignMaxTemp(), double(r.MaxDryBulb));
        QCOMPARE(form.Document().Azimuth(), azimuth);
        QCOMPARE(form.Grid()->Cells(1, 2), FormatFloat("%0.2f", r.Latitude));
        QCOMPARE(form.Grid()->Cells(1, 1), FormatFloat("%0.0f", r.Altitude));
        QCOMPARE(form.StatusText(), QString("Results are out of date..."));
    }

    // Settings an attacker or a broken disk left behind: NaN and infinite inputs and a window far
    // larger than the screen, placed near the end of int's range. The program starts with the start
    // values, solved, inside the desktop, and writes nothing non-finite back.
    void hostileSettingsStartWithStartValues() {
        {
            TSettingsStore store("Settings");
            for (int i = 0; i < InputCount; ++i)
                store.WriteFloat(QString::fromLatin1(InputKeyName(TInputId(i))),
                                 i % 2 ? std::numeric_limits<double>::quiet_NaN()
                                       : -std::numeric_limits<double>::infinity());
            TSettingsStore placement("MainForm");
            placement.WriteInteger("Left", INT_MAX - 10);
            placement.WriteInteger("Top", INT_MAX - 10);
            placement.WriteInteger("Width", 100000);
            placement.WriteInteger("Height", 100000);
        }
        {
            TMainForm form;
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QCOMPARE(form.StatusText(), QString("Solved..."));
            QCOMPARE(form.Grid()->Cells(1, 1), QString("1700"));
            QCOMPARE(form.Grid()->Cells(1, 2), QString("-26.13"));
            QCOMPARE(form.AnglesList()->topLevelItemCount(), 13);
            const QRect available = form.screen()->availableGeometry();
            // The placement restored (outer position, inner size); the decoration a window manager adds
            // at show is not known before it.
            QVERIFY(available.contains(QRect(form.pos(), form.size())));
            QDir().mkpath(QV_BINARY_ROOT "/screens");
            form.grab().save(QStringLiteral(QV_BINARY_ROOT "/screens/mainform-hostile-settings.png"));
            form.close();
        }
        TSettingsStore store("Settings");
        for (int i = 0; i < InputCount; ++i)
            QVERIFY(std::isfinite(store.ReadFloat(QString::fromLatin1(InputKeyName(TInputId(i))),
                                                  std::numeric_limits<double>::quiet_NaN())));
        store.EraseSection();
        TSettingsStore("MainForm").EraseSection();
    }

    void resetAndSettingsCarryToTheNextRun() {
        {
            TMainForm form;
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            form.ActionResetExecute();
            QCOMPARE(form.Grid()->Cells(1, 5), QString("180.00"));
            QCOMPARE(form.Grid()->Cells(1, 6), QString("90.00"));
            form.close();
        }
        TMainForm next;
        QCOMPARE(next.Document().Azimuth(), 180.0);
        QCOMPARE(next.Document().Slope(), 90.0);
        QCOMPARE(next.Grid()->Cells(1, 6), QString("90.00"));
        QCOMPARE(next.StatusText(), QString("Results are out of date..."));
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
