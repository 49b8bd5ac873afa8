// The main window with its profile dialogs: a click on each column heading (clipboard text, title,
// style, hours), "CT", "Total Solar Profile", the ambient profile edited from its heading, the area
// factor view, and the plot's colours, context menu and click-to-copy.
#include "../common/ModalAnswer.h"
#include "../common/SavePicture.h"
#include "app/Main.h"
#include "app/ResultColumns.h"
#include "app/ResultPages.h"
#include "app/SolarText.h"
#include "controls/TxBarPlot.h"
#include "controls/TxGrids.h"
#include "controls/TxNumText.h"
#include "dialogs/TxChartColorForm.h"
#include "dialogs/TxProfileEd.h"
#include "dialogs/TxProfileView.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

// The main window and its dialogs as the program creates them.
struct Program {
    TMainForm form;
    TProfileEdForm editor{&form};
    TChartColor colors{&form};
    TProfileViewForm view{&form};
    Program() {
        form.SetProfileDialogs({&editor, &colors, &view});
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
    // Runs act; when dialog shows, look runs on it and the dialog is closed with Escape.
    template <class Look> bool WhileShown(QDialog& dialog, const std::function<void()>& act, Look look) {
        bool shown = false;
        QTimer::singleShot(0, &dialog, [&] {
            shown = dialog.isVisible();
            look();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        act();
        return shown;
    }
    QTreeWidget* List(TResultPage page) const {
        return page == pgAngles ? form.AnglesList() : page == pgSolar ? form.SolarList() : form.SolAirList();
    }
    void ClickHeading(TResultPage page, int section) {
        form.Pages()->setCurrentIndex(page);
        QHeaderView* header = List(page)->header();
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
};

} // namespace

class TestProfiles : public QObject {
    Q_OBJECT
private slots:
    // Every value heading of the three lists shows its column's profile; the worked example's sun
    // rises at 6.96 h and sets before 18:00, so a sunrise range is 6..18.
    void columnHeadings_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("line");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("format");
        const struct {
            TResultPage page;
            int section;
            const char *title, *format;
            bool line, sunriseRange;
        } rows[] = {
            {pgAngles, 1, "Solar Altitude", "%0.0f", true, true},
            {pgAngles, 2, "Solar Azimuth", "%0.0f", true, true},
            {pgAngles, 3, "Solar-Surface Angle", "%0.0f", true, true},
            {pgAngles, 4, "Incident Angle", "%0.0f", true, true},
            {pgSolar, 1, "Direct-Normal Solar Radiation", "%0.0f", false, false},
            {pgSolar, 2, "Direct Solar Radiation", "%0.0f", false, false},
            {pgSolar, 3, "Diffuse Solar Radiation", "%0.0f", false, false},
            {pgSolar, 4, "Reflected Solar Radiation", "%0.0f", false, false},
            {pgSolar, 5, "Total Solar Radiation", "%0.0f", false, false},
            {pgSolAir, 1, "Total Solar Radiation", "%0.0f", false, true},
            {pgSolAir, 3, "Sol-Air Temperature", "%0.1f", true, false},
            {pgSolAir, 4, "Solar Heat Gain Factor", "%0.0f", false, false},
        };
        for (const auto& r : rows)
            QTest::addRow("%s %s",
                          r.page == pgAngles  ? "Angles"
                          : r.page == pgSolar ? "Solar"
                                              : "SolAir",
                          r.title)
                << int(r.page) << r.section << r.title << r.line << (r.sunriseRange ? 6 : 0)
                << (r.sunriseRange ? 18 : 23) << r.format;
    }
    void columnHeadings() {
        QFETCH(int, page);
        QFETCH(int, section);
        QFETCH(QString, title);
        QFETCH(bool, line);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, format);
        Program p;
        QGuiApplication::clipboard()->clear();
        const bool shown = p.WhileShown(
            p.view, [&] { p.ClickHeading(TResultPage(page), section); },
            [&] {
                QCOMPARE(p.view.windowTitle(), title);
                QCOMPARE(p.view.LineMode(), line);
                QCOMPARE(p.view.FirstHour(), first);
                QCOMPARE(p.view.LastHour(), last);
            });
        QVERIFY(shown);
        // The clipboard holds the column's 24 values in the column's format, in hour order.
        const QString text = QGuiApplication::clipboard()->text();
        QCOMPARE(text.count(','), 23);
        const QList<QTreeWidgetItem*> noon = p.List(TResultPage(page))->findItems(" 12", Qt::MatchExactly);
        QCOMPARE(noon.size(), 1);
        const QString cell = noon.first()->text(section);
        QCOMPARE(text.split(',').value(12), FormatFloat(format, cell.toDouble()));
        QCOMPARE(text, ProfileText(p.view.Values(), format));
    }

    // "CT" shows nothing; "Total Solar Profile" from the View menu by its keys shows the SolAir "Solar".
    void ctDoesNothingAndTotalSolarProfile() {
        Program p;
        bool shown = false;
        QTimer::singleShot(0, &p.view, [&] { shown = p.view.isVisible(); });
        p.ClickHeading(pgAngles, 0);
        QTest::qWait(20);
        QVERIFY(!shown);
        QVERIFY(p.form.Action("ActionProfile")->isEnabled());
        QVERIFY(p.WhileShown(
            p.view,
            [&] {
                QTest::keyClick(&p.form, Qt::Key_V, Qt::AltModifier);
                QTRY_VERIFY(QApplication::activePopupWidget());
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
            },
            [&] {
                QCOMPARE(p.view.windowTitle(), QString("Total Solar Radiation"));
                QCOMPARE(p.view.FirstHour(), 6);
                QVERIFY(!p.view.LineMode());
            }));
    }

    // The Angles list solves first when out of date; the SolAir list does not.
    void anglesSolveFirst() {
        Program p;
        p.form.Document().SetDayNumber(10);
        p.form.Document().SetSolved(false);
        QCOMPARE(p.form.StatusText(), QString("Results are out of date..."));
        p.WhileShown(
            p.view, [&] { p.ClickHeading(pgSolAir, 1); }, [] {});
        QCOMPARE(p.form.StatusText(), QString("Results are out of date..."));
        p.WhileShown(
            p.view, [&] { p.ClickHeading(pgAngles, 1); }, [] {});
        QCOMPARE(p.form.StatusText(), QString("Solved..."));
    }

    // "Ambient": its text on the clipboard, the editor with its caption; Accept replaces the profile
    // and rebuilds the sol-air list, Cancel changes nothing.
    void ambientHeadingEditsTheProfile() {
        Program p;
        const TProfile24 before = p.form.Document().AmbientProfile();
        QVERIFY(p.WhileShown(
            p.editor, [&] { p.ClickHeading(pgSolAir, 2); },
            [&] {
                QCOMPARE(p.editor.ValueCaptionLabel()->text(), QString::fromUtf8("Ambient, \u00b0C"));
                QCOMPARE(QGuiApplication::clipboard()->text(), ProfileText(before, "%0.1f"));
                QVERIFY(p.editor.LineChart());
                QCOMPARE(p.editor.Grid()->Cells(1, 14), QString("30.0"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ControlModifier); // all zero
            }));
        QCOMPARE(p.form.Document().AmbientProfile(), before); // closed with Escape: Cancel

        bool accepted = false;
        QTimer::singleShot(0, &p.editor, [&] {
            p.editor.Grid()->FocusCell(1, 14);
            QTest::keyClick(p.editor.Grid(), Qt::Key_F2);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), "35");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
            accepted = true;
        });
        p.ClickHeading(pgSolAir, 2);
        QVERIFY(accepted);
        QCOMPARE(p.form.Document().AmbientProfile()[14], 35.0);
        QCOMPARE(p.form.SolAirList()->topLevelItem(14)->text(2), QString("35.0"));
    }

    // The Window page's command shows the area factors in the view, titled "Area Factor", with the
    // style and hours the view last had.
    void areaFactorView() {
        Program p;
        p.view.SetLineMode(true);
        p.view.SetHours(3, 20);
        p.form.Pages()->setCurrentIndex(pgWindow);
        QVERIFY(p.WhileShown(
            p.view, [&] { QTest::keyClick(&p.form, Qt::Key_C, Qt::ControlModifier); },
            [&] {
                QCOMPARE(p.view.windowTitle(), QString("Area Factor"));
                QCOMPARE(p.view.Values(), p.form.Document().AreaFactorProfile());
                QVERIFY(p.view.LineMode());
                QCOMPARE(p.view.FirstHour(), 3);
            }));
        QCOMPARE(QGuiApplication::clipboard()->text(), p.form.Document().AreaFactorText());
    }

    // A click on the chart copies a bitmap on white with no grey margin; the context menu holds
    // "Color Settings" and "Copy to clipboard".
    void plotClickCopiesOnWhite() {
        Program p;
        p.form.Pages()->setCurrentIndex(pgPlot);
        auto* view = p.form.Pages()->findChild<TStackedBarPlot*>();
        QVERIFY(view);
        QTest::qWait(20);
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().center());
        const QImage image = QGuiApplication::clipboard()->image();
        QCOMPARE(image.size(), view->size());
        for (const QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, image.height() - 1)})
            QCOMPARE(image.pixelColor(corner), QColor(Qt::white));
        QStringList menu;
        for (QAction* a : view->actions())
            menu << a->text();
        QCOMPARE(menu, (QStringList{"Color Settings", "Copy to clipboard"}));
        SaveImage(image, QStringLiteral("plot-copy"));
    }

    // The chart's menu is reached from the keyboard: Tab from the page's tab to the chart, the menu key,
    // and its second item copies the chart.
    void plotMenuFromTheKeyboard() {
        Program p;
        p.form.Pages()->setCurrentIndex(pgPlot);
        auto* plot = p.form.Pages()->findChild<TStackedBarPlot*>();
        QVERIFY(plot);
        p.form.Pages()->tabBar()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), plot);
        QGuiApplication::clipboard()->clear();
        // The menu key reaches a widget as a keyboard context-menu event from the desktop's platform layer,
        // which the offscreen test platform does not make from the key.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, plot->rect().center(),
                                  plot->mapToGlobal(plot->rect().center()));
        QTimer::singleShot(50, [&] { // inside the menu's own loop
            QWidget* menu = QApplication::activePopupWidget();
            QVERIFY(menu);
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QApplication::sendEvent(plot, &menuKey);
        QTRY_COMPARE(QGuiApplication::clipboard()->image().size(), plot->size());
    }

    // Shift+F10 on the focused chart opens its menu too.
    void plotMenuByShiftF10() {
        Program p;
        p.form.Pages()->setCurrentIndex(pgPlot);
        auto* plot = p.form.Pages()->findChild<TStackedBarPlot*>();
        plot->setFocus(Qt::TabFocusReason);
        bool shown = false;
        QTimer::singleShot(50, [&] {
            QWidget* menu = QApplication::activePopupWidget();
            shown = menu;
            if (menu) QTest::keyClick(menu, Qt::Key_Escape);
        });
        QTest::keyClick(plot, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(shown);
    }

    // A list's headings are reached with Tab; the arrows move along them and Return or Space opens what
    // a click opens.
    void headingsFromTheKeyboard() {
        Program p;
        p.form.Pages()->setCurrentIndex(pgSolar);
        p.form.Pages()->tabBar()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QHeaderView* header = p.form.SolarList()->header();
        QCOMPARE(QApplication::focusWidget(), header);
        QTest::keyClick(header, Qt::Key_Right); // Normal to Direct
        QString title;
        QVERIFY(p.WhileShown(
            p.view, [&] { QTest::keyClick(header, Qt::Key_Return); }, [&] { title = p.view.windowTitle(); }));
        QCOMPARE(title, QString("Direct Solar Radiation"));
        QTest::keyClick(header, Qt::Key_End);
        QVERIFY(p.WhileShown(
            p.view, [&] { QTest::keyClick(header, Qt::Key_Space); }, [&] { title = p.view.windowTitle(); }));
        QCOMPARE(title, QString("Total Solar Radiation"));
    }

    // The View menu opens the chart of the current heading (Alt+V, C): the heading moved to on the
    // Angles list, then, after Alt+V and the arrows switched to the Solar page, that list's first value
    // heading; on a page without a list there is none. Alt+V, A opens the ambient profile in the editor,
    // and Accept there replaces the document's.
    void viewMenuOpensChartsAndAmbient() {
        // Alt+V: the View menu, open.
        const auto viewMenu = [](Program& p) -> QWidget* {
            // Back from a closed dialog, as the window manager does it (offscreen, no one does).
            QApplication::setActiveWindow(&p.form);
            if (!QTest::qWaitFor([&] { return QApplication::focusWidget()->window() == &p.form; }))
                return nullptr;
            QTest::keyClick(&p.form, Qt::Key_V, Qt::AltModifier);
            return QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; })
                       ? QApplication::activePopupWidget()
                       : nullptr;
        };
        Program p;
        const TCalcDocument& doc = p.form.Document();
        QHeaderView* header = p.form.AnglesList()->header();
        p.form.Pages()->tabBar()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), header);
        QTest::keyClick(header, Qt::Key_End); // Incident
        TProfile24 charted{};
        QString title;
        const auto look = [&] {
            title = p.view.windowTitle();
            charted = p.view.Values();
        };
        QWidget* menu = viewMenu(p);
        QVERIFY(p.WhileShown(
            p.view, [&] { QTest::keyClick(menu, Qt::Key_C); }, look));
        QCOMPARE(title, QString("Incident Angle"));
        QCOMPARE(charted, doc.IncidentProfile());

        menu = viewMenu(p);
        QTest::keyClick(menu, Qt::Key_Down); // Solar Tables
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(p.form.Pages()->currentIndex(), int(pgSolar));
        QTRY_VERIFY(p.form.SolarList()->isVisible());
        menu = viewMenu(p);
        QVERIFY(p.WhileShown(
            p.view, [&] { QTest::keyClick(menu, Qt::Key_C); }, look));
        QCOMPARE(title, QString("Direct-Normal Solar Radiation"));
        QCOMPARE(charted, doc.NormalProfile());

        p.form.Pages()->setCurrentIndex(pgWindow);
        menu = viewMenu(p);
        bool shown = false;
        QTimer::singleShot(0, &p.view, [&] { shown = p.view.isVisible(); });
        QTest::keyClick(menu, Qt::Key_C); // disabled: the menu stays open
        if (QWidget* open = QApplication::activePopupWidget()) QTest::keyClick(open, Qt::Key_Escape);
        QTest::qWait(20);
        QVERIFY(!shown);

        bool accepted = false;
        menu = viewMenu(p);
        QVERIFY(menu);
        QTimer watch; // the editor opens once the menu has closed
        QElapsedTimer sinceAccept;
        connect(&watch, &QTimer::timeout, &p.editor, [&] {
            CloseModalAfterFailure(); // a failed check below must end the editor's event loop
            if (accepted && p.editor.isVisible() && sinceAccept.hasExpired(5000)) {
                QTest::qFail("Alt+A left the editor open", __FILE__, __LINE__);
                return;
            }
            // Typed into once it is the active window, as a user types into what they see in front.
            if (accepted || QApplication::activeModalWidget() != &p.editor || !p.editor.isActiveWindow()) return;
            accepted = true;
            sinceAccept.start();
            QCOMPARE(p.editor.ValueCaptionLabel()->text(), QString::fromUtf8("Ambient, \u00b0C"));
            QVERIFY(p.editor.Editable());
            QCOMPARE(p.editor.Values(), doc.AmbientProfile());
            p.editor.Grid()->FocusCell(1, 3);
            QTest::keyClick(p.editor.Grid(), Qt::Key_F2);
            QWidget* cell = QApplication::focusWidget();
            QVERIFY(cell && cell->window() == &p.editor);
            QTest::keyClick(cell, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(cell, "12");
            QTest::keyClick(cell, Qt::Key_A, Qt::AltModifier);
        });
        watch.start(10);
        QTest::keyClick(menu, Qt::Key_A);
        QTRY_VERIFY(accepted);
        QTRY_VERIFY(!p.editor.isVisible());
        QCOMPARE(doc.AmbientProfile()[3], 12.0);
    }

    // The colours reach the plot from the first activation (the chart is built when its page is first
    // shown), after the dialog and after Reset.
    void chartColoursApplied() {
        Program p;
        p.form.Pages()->setCurrentIndex(pgPlot);
        auto* chart = p.form.Pages()->findChild<TStackedBarPlot*>();
        QCOMPARE(chart->Wall(), ChartBackground(p.colors.Colors()));
        QCOMPARE(chart->Panel(), p.colors.Colors().Panel);
        p.colors.SetColors({Qt::yellow, Qt::red, Qt::blue, false, gdTopBottom});
        auto* settings = chart->actions().value(0);
        QVERIFY(p.WhileShown(
            p.colors, [&] { settings->trigger(); }, [] {}));
        QCOMPARE(chart->Wall(), QBrush(Qt::yellow));
        QCOMPARE(chart->Panel(), QColor(Qt::yellow));
        // What shows, not only what is kept: the panel margin and the chart's background as painted.
        const auto shown = [chart](int x, int y) { return chart->grab().toImage().pixelColor(x, y); };
        QCOMPARE(shown(2, 2), QColor(Qt::yellow));
        QCOMPARE(shown(12, 12), QColor(Qt::yellow));
        p.form.ActionResetExecute();
        QCOMPARE(p.colors.Colors(), TChartColors());
        QCOMPARE(chart->Wall(), ChartBackground(TChartColors()));
        QCOMPARE(shown(2, 2), TChartColors().Panel);
    }

    // Each page entry of the View menu, reached with the arrows and taken with Return, shows its page.
    void viewMenuSwitchesPages_data() {
        QTest::addColumn<int>("page"); // the index of the page and of its entry
        const QList<TPageSpec>& pages = ResultPageTable();
        for (int i = 0; i < pages.size(); ++i)
            QTest::newRow(pages[i].ViewCaption) << i;
    }
    void viewMenuSwitchesPages() {
        QFETCH(int, page);
        Program p;
        p.form.Pages()->setCurrentIndex(page == 0 ? 1 : 0); // elsewhere first
        QTest::keyClick(&p.form, Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QWidget* menu = QApplication::activePopupWidget();
        for (int i = 0; i < page; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(p.form.Pages()->currentIndex(), page);
        QTRY_VERIFY(p.form.Pages()->widget(page)->isVisible());
    }
};

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
