// The property list's row dialogs as the user meets them (the "..." buttons of rows 5, 6 and 7), and
// the commands in their menus and tool bar.
#include "app/Main.h"
#include "controls/TxEntryGrid.h"
#include "dialogs/SelectAngleDlg.h"
#include "dialogs/SelectAzimuthDlg.h"
#include "dialogs/TxCalendar.h"
#include "solar/TSolar.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

// A shown, solved main window with its row dialogs.
struct TFixture {
    TMainForm Form;
    TCalendarForm Calendar{&Form};
    TSelectAzimuthForm Azimuth{&Form};
    TAnglesForm Angles{&Form};

    TFixture() { Form.SetRowDialogs({nullptr, &Azimuth, &Angles, &Calendar}); }
    bool Show() {
        Form.show();
        return QTest::qWaitForWindowExposed(&Form) && Form.StatusText() == "Solved...";
    }
};

// Clicks a row's value cell, then its "..." button; `answer` runs once the dialog is up.
void PressRowButton(TMainForm& form, int row, QDialog& dialog, std::function<void()> answer) {
    TEntryGrid* grid = form.Grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(1, row).center());
    QVERIFY(grid->PropEdButton()->isVisible());
    bool answered = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTRY_VERIFY(dialog.isVisible());
        answer();
        answered = true;
    });
    QTest::mouseClick(grid->PropEdButton(), Qt::LeftButton);
    QVERIFY(answered);
    QVERIFY(!dialog.isVisible());
}

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* a : actions)
        texts << (a->isSeparator() ? QString("|") : a->text());
    return texts;
}

} // namespace

class TestRowDialogs : public QObject {
    Q_OBJECT

private slots:

    // Row 7 opens the calendar at the mouse pointer on the day's date; OK stores the whole day number
    // of the date shown, Cancel leaves the day and the results state alone.
    void calendarRow_data() {
        QTest::addColumn<QDate>("pick"); // null: confirm the date as opened
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("dayNumber");
        QTest::newRow("172.5 confirmed unchanged") << QDate() << true << 172.0;
        QTest::newRow("1 March, common year") << QDate(2023, 3, 1) << true << 60.0;
        QTest::newRow("1 March, leap year: one more") << QDate(2024, 3, 1) << true << 61.0;
        QTest::newRow("Cancel") << QDate(2023, 3, 1) << false << 172.5;
    }
    void calendarRow() {
        QFETCH(QDate, pick);
        QFETCH(bool, ok);
        QFETCH(double, dayNumber);
        TFixture f;
        QVERIFY(f.Show());
        QCursor::setPos(f.Form.mapToGlobal(QPoint(150, 200)));
        const TDateTimeParts opened = DateOfDayNumber(172.5);
        PressRowButton(f.Form, 7, f.Calendar, [&] {
            QCOMPARE(f.Calendar.pos(), QCursor::pos());
            QCOMPARE(f.Calendar.Date(), QDate(opened.Year, opened.Month, opened.Day));
            if (pick.isValid()) f.Calendar.SetDate(pick);
            QTest::keyClick(&f.Calendar, ok ? Qt::Key_Return : Qt::Key_Escape);
        });
        QCOMPARE(f.Form.Document().DayNumber(), dayNumber);
        QCOMPARE(f.Form.StatusText(), ok ? QString("Results are out of date...") : QString("Solved..."));
    }

    // Rows 5 and 6: OK sets the value; OK and Cancel both mark the results out of date.
    void pictureRows_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        // The picker gives 225; the list holds every azimuth in -180..180.
        QTest::newRow("azimuth NE") << 5 << true << -135.0;
        QTest::newRow("azimuth Cancel") << 5 << false << 0.0;
        QTest::newRow("slope vertical") << 6 << true << 90.0;
        QTest::newRow("slope Cancel") << 6 << false << 0.0;
    }
    void pictureRows() {
        QFETCH(int, row);
        QFETCH(bool, ok);
        QFETCH(double, value);
        TFixture f;
        QVERIFY(f.Show());
        QDialog& dialog = row == 5 ? static_cast<QDialog&>(f.Azimuth) : f.Angles;
        PressRowButton(f.Form, row, dialog, [&] {
            if (!ok)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else if (row == 5)
                QTest::mouseClick(f.Azimuth.Link("NE"), Qt::LeftButton);
            else
                QTest::mouseClick(f.Angles.VerticalArea(), Qt::LeftButton);
        });
        QCOMPARE(row == 5 ? f.Form.Document().Azimuth() : f.Form.Document().Slope(), value);
        QCOMPARE(f.Form.Grid()->Cells(1, row), QString::number(value, 'f', 2));
        QCOMPARE(f.Form.StatusText(), QString("Results are out of date..."));
    }

    // The same dialogs without the mouse: Alt+Down or F4 on the value cell does what the "..." button does,
    // whether the grid or its open editor has the focus.
    void rowButtonsFromTheKeyboard_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("typeFirst");
        QTest::newRow("azimuth, Alt+Down") << 5 << int(Qt::Key_Down) << int(Qt::AltModifier) << false;
        QTest::newRow("slope, F4 while typing") << 6 << int(Qt::Key_F4) << 0 << true;
        QTest::newRow("day, Alt+Down while typing") << 7 << int(Qt::Key_Down) << int(Qt::AltModifier) << true;
    }
    void rowButtonsFromTheKeyboard() {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, typeFirst);
        TFixture f;
        QVERIFY(f.Show());
        TEntryGrid* grid = f.Form.Grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(1, row).center());
        if (typeFirst) QTest::keyClick(grid, Qt::Key_F2);
        QDialog* dialogs[] = {&f.Azimuth, &f.Angles, &f.Calendar};
        QDialog* dialog = dialogs[row - 5];
        bool shown = false;
        QTimer::singleShot(0, dialog, [&] {
            QTRY_VERIFY(dialog->isVisible());
            shown = true;
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(shown);
    }

    void commandsInTheirOrder() {
        TMainForm form;
        const QList<QAction*> menus = form.menuBar()->actions();
        QCOMPARE(Texts(menus), QStringList({"&File", "&Edit", "&View", "&Calculate", "&Help"}));
        QCOMPARE(Texts(menus[0]->menu()->actions()),
                 QStringList({"&Open", "&Save", "Save &As...", "|", "&Reset", "|", "&Report",
                              "Report with Design &Peaks", "&Design Report...", "|", "&Exit"}));
        QCOMPARE(Texts(menus[1]->menu()->actions()), QStringList({"&Location", "|", "&Copy"}));
        QCOMPARE(Texts(menus[2]->menu()->actions()),
                 QStringList({"Angles", "Solar Tables", "Solar Plot", "Window Shading", "Solar Times",
                              "Sol-Air Temperature", "|", "Total Solar &Profile", "|", "Column &Chart",
                              "&Ambient Profile..."}));
        QCOMPARE(Texts(menus[3]->menu()->actions()),
                 QStringList({"&Update", "Design &Peaks...", "Calculation &Details...", "|", "&Sun Position..."}));
        QCOMPARE(Texts(menus[4]->menu()->actions()), QStringList({"&Documentation", "|", "&About"}));
        auto* bar = form.findChild<QToolBar*>("ToolBar");
        QCOMPARE(Texts(bar->actions()), QStringList({"&Open", "&Save", "&Reset", "|", "&Update", "&Location",
                                                     "|", "&Report", "&Copy", "|", "&Documentation"}));

        // Commands whose target is not built yet are there, disabled, until given a handler.
        for (const char* name : {"ActionReport", "ActionAbout", "ActionProfile"})
            QVERIFY2(!form.Action(name)->isEnabled(), name);
        int runs = 0;
        form.WireCommand("ActionReport", [&] { ++runs; });
        QVERIFY(form.Action("ActionReport")->isEnabled());
        form.Action("ActionReport")->trigger();
        QCOMPARE(runs, 1);
    }
};

QTEST_MAIN(TestRowDialogs)
#include "tst_rowdialogs.moc"
