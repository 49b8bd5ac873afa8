// The main window over the document: start-up state, typing into the property list, the solve key,
// the result pages, Copy, and the inputs kept for the next run.
#include "../common/SavePicture.h"
#include "app/Main.h"
#include "app/ResultPages.h"
#include "controls/TxBarPlot.h"
#include "controls/TxEntryGrid.h"
#include "controls/TxNumText.h"
#include "locations/TxSelectLocation.h"
#include "storage/Settings.h"
#include "tests/common/TestPaths.h"

#include <QApplication>
#include <QClipboard>
#include <QColorSpace>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <malloc.h>

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
        for (int page = 0; page < form.Pages()->count(); ++page) {
            form.Pages()->setCurrentIndex(page);
            QTest::qWait(20); // let a page lay itself out before the picture
            SavePicture(form, QStringLiteral("mainform-%1").arg(page));
        }
    }

    // The lists grow and shrink with the hours of each solve and show every row as the document has it,
    // the cells of rows added later aligned like those of the first.
    void listsFollowSolvesOfChangingLength() {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const auto shows = [](QTreeWidget* list, const QList<TResultRow>& rows) {
            if (list->topLevelItemCount() != rows.size()) return false;
            for (int r = 0; r < rows.size(); ++r) {
                const QTreeWidgetItem* item = list->topLevelItem(r);
                if (item->text(0) != rows[r].Caption) return false;
                for (int c = 0; c < list->columnCount(); ++c)
                    if ((c > 0 && item->text(c) != rows[r].Cells.value(c - 1)) ||
                        item->textAlignment(c) != list->headerItem()->textAlignment(c))
                        return false;
            }
            return true;
        };
        for (const double latitude : {60.0, -26.13, 10.0, 75.0, -26.13}) {
            form.Document().SetLatitude(latitude); // a long summer day, a short one, the midnight sun
            QTest::keyClick(&form, Qt::Key_F9);
            form.Pages()->setCurrentIndex(latitude > 0 ? pgSolar : pgAngles);
            QVERIFY2(shows(form.AnglesList(), form.Document().AnglesRows()), qPrintable(QString::number(latitude)));
            QVERIFY2(shows(form.SolarList(), form.Document().SolarRows()), qPrintable(QString::number(latitude)));
        }
        QCOMPARE(form.AnglesList()->topLevelItemCount(), 13);
    }

    // A command's picture comes from the file drawn at the pixels it fills: 16 for a small picture on
    // an ordinary screen, 32 for a larger one or a small one on a high-density screen.
    void commandPicturesFromTheirFiles() {
        TMainForm form;
        const QIcon icon = form.Action(QStringLiteral("ActionSolve"))->icon();
        // The pixels alone, premultiplied as a pixmap holds them: a pixmap premultiplies its file's
        // pixels once, and turning them back is not exact for faint ones; neither the way back nor
        // what an image carries beside its pixels (colour space, text, resolution) is compared.
        const auto pixels = [](const QImage& image) {
            const QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QByteArray bytes;
            for (int y = 0; y < premultiplied.height(); ++y)
                bytes.append(reinterpret_cast<const char*>(premultiplied.constScanLine(y)),
                             premultiplied.width() * 4);
            return bytes.toHex();
        };
        // On a mismatch, what tells why: both pictures saved beside the screens, and how each is held.
        const auto drawnAsFile = [&](const QImage& drawn, int side, const char* what) {
            const QImage file(QStringLiteral(":/commands/solve-%1.png").arg(side));
            const QByteArray drawnPixels = pixels(drawn), filePixels = pixels(file);
            if (file.size() == QSize(side, side) && drawnPixels == filePixels) return true;
            int first = 0; // the first pixel that differs
            while (first * 8 < std::min(drawnPixels.size(), filePixels.size()) &&
                   drawnPixels.mid(first * 8, 8) == filePixels.mid(first * 8, 8))
                ++first;
            const QString base = BinaryPath("/screens/command-picture-%1").arg(what);
            QDir().mkpath(BinaryPath("/screens"));
            drawn.save(base + QStringLiteral("-drawn.png"));
            file.save(base + QStringLiteral("-file.png"));
            const auto held = [](const QImage& image) {
                return QStringLiteral("%1x%2 format %3 ratio %4 colour space %5")
                    .arg(image.width())
                    .arg(image.height())
                    .arg(int(image.format()))
                    .arg(image.devicePixelRatio())
                    .arg(image.colorSpace().isValid() ? image.colorSpace().description()
                                                      : QStringLiteral("none"));
            };
            qWarning("%s: drawn %s; file %s; first differing pixel %d (premultiplied hex, drawn %s, file %s);"
                     " platform %s, icon theme '%s', style %s; saved as %s-*.png",
                     what, qPrintable(held(drawn)), qPrintable(held(file)), first,
                     drawnPixels.mid(first * 8, 8).constData(), filePixels.mid(first * 8, 8).constData(),
                     qPrintable(QGuiApplication::platformName()), qPrintable(QIcon::themeName()),
                     qPrintable(QApplication::style()->name()), qPrintable(base));
            return false;
        };
        QVERIFY(drawnAsFile(icon.pixmap(QSize(16, 16), 1.0).toImage(), 16, "16"));
        QVERIFY(drawnAsFile(icon.pixmap(QSize(32, 32), 1.0).toImage(), 32, "32"));
        QVERIFY(drawnAsFile(icon.pixmap(QSize(16, 16), 2.0).toImage(), 32, "16-dense"));
        QImage dense(32, 32, QImage::Format_ARGB32_Premultiplied);
        dense.fill(Qt::transparent);
        dense.setDevicePixelRatio(2);
        QPainter painter(&dense);
        painter.setCompositionMode(QPainter::CompositionMode_Source); // the picture's pixels as they are
        icon.paint(&painter, QRect(0, 0, 16, 16));
        painter.end();
        QVERIFY(drawnAsFile(dense, 32, "16-painted-dense"));
    }

    // A row picked in the Angles list stays with its hour when a solve moves sunrise, and is let go
    // when the solve has no such hour.
    void pickedRowFollowsItsHour() {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTreeWidget* list = form.AnglesList();
        const auto row = [list](const QString& hour) -> QTreeWidgetItem* {
            for (int r = 0; r < list->topLevelItemCount(); ++r)
                if (list->topLevelItem(r)->text(0).trimmed() == hour) return list->topLevelItem(r);
            return nullptr;
        };
        const auto picked = [list] {
            const QList<QTreeWidgetItem*> selected = list->selectedItems();
            return selected.size() == 1 ? selected[0]->text(0).trimmed() : QString();
        };
        const auto solveAt = [&form](double latitude) {
            form.Document().SetLatitude(latitude);
            QTest::keyClick(&form, Qt::Key_F9);
        };
        const auto pick = [&](const QString& hour) {
            QTreeWidgetItem* item = row(hour);
            QVERIFY(item);
            list->scrollToItem(item); // as a user scrolls to a row below the list's end
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
            QCOMPARE(picked(), hour);
        };
        pick(QStringLiteral("12"));
        const int rowBefore = list->indexOfTopLevelItem(row(QStringLiteral("12")));
        const int column = list->currentColumn(); // the cell clicked, in the middle of the row
        QVERIFY(column > 0);
        solveAt(60); // a longer day: sunrise earlier, noon further down the list
        QVERIFY(list->indexOfTopLevelItem(row(QStringLiteral("12"))) != rowBefore);
        QCOMPARE(picked(), QStringLiteral("12"));
        QCOMPARE(list->currentColumn(), column);

        solveAt(75); // the midnight sun: every hour
        pick(QStringLiteral("23"));
        solveAt(-26.13); // no row for 23
        QCOMPARE(picked(), QString());
        QVERIFY(!list->currentItem());
    }

    // The plot is built when first shown and then only updated: over many solves, with the hours
    // changing in number, each bar holds its hour's values under its hour's label, and solves while
    // another page is in front reach the plot when it shows again.
    void plotFollowsSolves() {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* page = qobject_cast<TPlotPage*>(form.Pages()->widget(pgPlot));
        QVERIFY(page);
        QTest::keyClick(&form, Qt::Key_F9);
        QVERIFY(!page->Plot()); // a page never shown has no chart

        form.Pages()->setCurrentIndex(pgPlot);
        TStackedBarPlot* plot = page->Plot();
        QVERIFY(plot);
        const auto shows = [&](const TCalcDocument& doc) {
            QStringList hours;
            for (const TResultRow& row : doc.SolarRows())
                hours << row.Caption.trimmed();
            if (plot->Labels() != hours) return false;
            for (int i = 0; i < hours.size(); ++i)
                if (plot->Value(0, i) != doc.ReflectedProfile()[hours[i].toInt()] ||
                    plot->Value(1, i) != doc.DiffuseProfile()[hours[i].toInt()] ||
                    plot->Value(2, i) != doc.DirectProfile()[hours[i].toInt()])
                    return false;
            return true;
        };
        QVERIFY(shows(form.Document()));
        for (int solve = 0; solve < 50; ++solve) {
            form.Document().SetLatitude(solve % 2 ? 60 : -26.13); // a long summer day, then a short one
            QTest::keyClick(&form, Qt::Key_F9);
            QVERIFY(shows(form.Document()));
        }
        form.Pages()->setCurrentIndex(pgAngles);
        form.Document().SetLatitude(10);
        QTest::keyClick(&form, Qt::Key_F9);
        form.Pages()->setCurrentIndex(pgPlot);
        QVERIFY(shows(form.Document()));
    }

    // A long session holds no more memory than a short one: with every page built and the plot in
    // front, once the first 500 solves have filled the caches, 1,000 more solves (the hours changing in
    // number each time) leave the heap as it was, give or take the allocator's own bookkeeping. (Under
    // the address sanitizer the count reads zero and the check says nothing.)
    void longSessionDoesNotGrow() {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (int page = 0; page < form.Pages()->count(); ++page) {
            form.Pages()->setCurrentIndex(page);
            QCoreApplication::processEvents();
        }
        form.Pages()->setCurrentIndex(pgPlot);
        const auto solve = [&](int i) {
            form.Document().SetLatitude(i % 2 ? 60 : -26.13);
            QTest::keyClick(&form, Qt::Key_F9);
            QCoreApplication::processEvents(); // the repaint
        };
        for (int i = 0; i < 500; ++i)
            solve(i);
        const size_t early = mallinfo2().uordblks;
        for (int i = 500; i < 1500; ++i)
            solve(i);
        const size_t late = mallinfo2().uordblks;
        QVERIFY2(late <= early + 16 * 1024, qPrintable(QStringLiteral("%1 -> %2 bytes").arg(early).arg(late)));
    }

    // The value axis takes a round scale from the stacks shown, whatever was solved before: a surface
    // facing away from the sun (highest stack 116 W/m2) and back gives the scale it first had.
    void plotScaleDependsOnTheValuesAlone() {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Pages()->setCurrentIndex(pgPlot);
        auto* page = qobject_cast<TPlotPage*>(form.Pages()->widget(pgPlot));
        QVERIFY(page && page->Plot());
        const auto scale = [&] { return page->Plot()->Scale(); };
        form.ActionResetExecute(); // the start values, whatever an earlier test stored
        QTest::keyClick(&form, Qt::Key_F9);
        QCOMPARE(scale(), (TAxisScale{1000, 6})); // highest stack 820 W/m2
        form.Document().SetAzimuth(0);
        QTest::keyClick(&form, Qt::Key_F9);
        QCOMPARE(scale(), (TAxisScale{150, 4}));
        form.Document().SetAzimuth(180);
        QTest::keyClick(&form, Qt::Key_F9);
        QCOMPARE(scale(), (TAxisScale{1000, 6}));
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

    // Edit, Location (Alt+E, L) opens the location dialog on the sample database; a place moved to with
    // the arrows is taken with Return.
    void locationPickFillsSiteRows() {
        TMainForm form;
        TSelectLocationForm locations(&form, BinaryPath("/Varnholt/Common Files/"));
        locations.ShowMessage = [](const QString& text) { QFAIL(qPrintable(text)); };
        form.SetRowDialogs({&locations});
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const double azimuth = form.Document().Azimuth();
        QString moved; // the place the arrows moved to
        QTimer::singleShot(0, &locations, [&] {
            QTRY_VERIFY(locations.isActiveWindow());
            QListView* list = locations.PlaceList();
            const QString opened = list->currentIndex().data().toString();
            while (QApplication::focusWidget() != list)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(list, Qt::Key_Home);
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Down);
            moved = list->currentIndex().data().toString();
            QVERIFY(moved != opened);
            QTest::keyClick(list, Qt::Key_Return);
        });
        QTest::keyClick(&form, Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_L);
        QTRY_VERIFY(!moved.isEmpty());
        QVERIFY(!locations.isVisible());
        QCOMPARE(locations.PickedName().section(QLatin1Char(','), 0, 0), moved);
        const LocationRecord& r = locations.Record();
        QVERIFY(!locations.PickedName().isEmpty());
        QCOMPARE(form.Document().LocationName(), locations.PickedName());
        QCOMPARE(form.Document().Latitude(), double(r.Latitude));
        QCOMPARE(form.Document().DesignMaxTemp(), double(r.MaxDryBulb));
        QCOMPARE(form.Document().Azimuth(), azimuth);
        QCOMPARE(form.Grid()->Cells(1, 2), FormatFloat("%0.2f", r.Latitude));
        QCOMPARE(form.Grid()->Cells(1, 1), FormatFloat("%0.0f", r.Altitude));
        QCOMPARE(form.StatusText(), QString("Results are out of date..."));
        // The status bar names the place the numbers are for.
        QCOMPARE(form.PlaceText(), locations.PickedName());
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
            SavePicture(form, QStringLiteral("mainform-hostile-settings"));
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
