// The sun position method from the main window, with the keys a user presses: Calculate, Sun Position...
// switches to the precise method and the solved results follow it; the Year row beside Day Number is
// the precise method's year, greyed with the published method, range-checked, the same year the dialog
// shows, and kept for the next run.
#include "app/Main.h"
#include "controls/TxEntryGrid.h"
#include "controls/TxFields.h"
#include "controls/TxNumText.h"
#include "dialogs/SunPositionDlg.h"
#include "storage/Settings.h"
#include "tests/common/ModalAnswer.h"
#include "tests/common/TestPaths.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>

namespace {

constexpr int YearRow = 8;
constexpr int Noon = 12;

// A desktop's window manager gives the main window the keys back when a dialog or message box closes;
// the offscreen platform does not.
bool Activate(TMainForm& form) {
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

// Opens Calculate > Sun Position... with Alt+C and its mnemonic S, runs `act` on the dialog once it
// shows (act ends it with a key); true when the dialog showed and closed again.
bool WithSunPositionDialog(TMainForm& form, const std::function<void(TSunPositionForm*)>& act) {
    const auto open = [&form] {
        QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier);
        if (QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }))
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_S);
    };
    return WhileModalShown<TSunPositionForm>(open, act) && Activate(form);
}

// The method picked with the keys: Alt+M to the method box, Down or Up to the entry, Return for OK.
bool ChooseMethod(TMainForm& form, Qt::Key arrow) {
    return WithSunPositionDialog(form, [arrow](TSunPositionForm* dialog) {
        QTest::keyClick(dialog, Qt::Key_M, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), arrow);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
}

// Opens the year cell's editor with F2 (the cell picked with the mouse, as the other list tests do);
// nullptr when the row takes no typing.
QWidget* EditYearCell(TMainForm& form) {
    TEntryGrid* grid = form.Grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(1, YearRow).center());
    QTest::keyClick(grid->viewport(), Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    return editor && editor != grid && editor != grid->viewport() ? editor : nullptr;
}

void TypeYear(TMainForm& form, const QString& text) {
    QWidget* editor = EditYearCell(form);
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

struct TProgram {
    TMainForm form;
    TProgram() {
        form.Document().ApplyInputs(ResetInputSet()); // the worked example, north wall
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
    bool YearApplies() const { return form.Grid()->Field(YearRow)->Enabled; }
};

} // namespace

class TestSunPositionCommand : public QObject {
    Q_OBJECT
private slots:
    // Each case starts from the start values and the published method.
    void init() { TSettingsStore("Settings").EraseSection(); }
    void cleanup() { TSettingsStore("Settings").EraseSection(); }

    // Published to precise and back from the menu: the results change with the method, by hundredths
    // of a degree, and come back exactly; the Year row applies only with the precise method.
    void methodFromTheMenuChangesTheResults() {
        TProgram p;
        TCalcDocument& doc = p.form.Document();
        QCOMPARE(doc.SunMethod(), smPublished);
        QVERIFY(!p.YearApplies());
        QTest::keyClick(&p.form, Qt::Key_F9);
        const double published = doc.AzimuthProfile()[Noon];
        const QString publishedTable = doc.PageTableText(pgAngles);

        QVERIFY(ChooseMethod(p.form, Qt::Key_Down));
        QCOMPARE(doc.SunMethod(), smPrecise);
        QCOMPARE(p.form.StatusText(), QString("Results are out of date..."));
        QVERIFY(p.YearApplies());
        QTest::keyClick(&p.form, Qt::Key_F9);
        QVERIFY(p.form.StatusText().startsWith("Solved... (sun position: precise method, year "));
        const double precise = doc.AzimuthProfile()[Noon];
        // The published fits err by up to a degree or so; the two differ well before the 4th decimal.
        QVERIFY2(std::fabs(precise - published) > 1e-3 && std::fabs(precise - published) < 2,
                 qPrintable(QString("%1 %2").arg(precise).arg(published)));

        QVERIFY(ChooseMethod(p.form, Qt::Key_Up));
        QVERIFY(!p.YearApplies());
        QTest::keyClick(&p.form, Qt::Key_F9);
        QCOMPARE(doc.AzimuthProfile()[Noon], published);
        QCOMPARE(doc.PageTableText(pgAngles), publishedTable);
    }

    // The Year row: greyed and closed to typing with the published method; with the precise one a
    // typed year is the method's year (the dialog shows it, the results follow it), a year out of range
    // is refused naming the range, and a year set in the dialog shows in the row.
    void yearRowIsTheOneYear() {
        TProgram p;
        TCalcDocument& doc = p.form.Document();
        QCOMPARE(p.form.Grid()->Cells(0, YearRow), QString("Year"));
        QCOMPARE(p.form.Grid()->Cells(1, YearRow), QString::number(doc.SunYear()));
        QVERIFY(!EditYearCell(p.form));
        QDir().mkpath(BinaryPath("/screens"));
        p.form.grab().save(BinaryPath("/screens/mainform-year-greyed.png"));

        QVERIFY(ChooseMethod(p.form, Qt::Key_Down));
        QTest::keyClick(&p.form, Qt::Key_F9);
        const double before = doc.AltitudeProfile()[Noon];
        TypeYear(p.form, "2031");
        QCOMPARE(doc.SunYear(), 2031);
        QCOMPARE(p.form.StatusText(), QString("Results are out of date..."));
        p.form.grab().save(BinaryPath("/screens/mainform-year-precise.png"));
        QTest::keyClick(&p.form, Qt::Key_F9);
        QVERIFY(doc.AltitudeProfile()[Noon] != before); // another year, another sun at that clock hour

        const TAnsweredMessage refused = AnswerMessage([&] { TypeYear(p.form, "1800"); });
        QVERIFY(refused.Answered);
        QVERIFY(Activate(p.form));
        QCOMPARE(refused.Text, QString("Year 1800 lies outside 1900 to 2100"));
        QCOMPARE(doc.SunYear(), 2031);
        QCOMPARE(p.form.Grid()->Cells(1, YearRow), QString("2031"));

        QVERIFY(WithSunPositionDialog(p.form, [](TSunPositionForm* dialog) {
            QCOMPARE(dialog->Method(), smPrecise);
            QCOMPARE(dialog->Year(), 2031);
            QTest::keyClick(dialog, Qt::Key_Y, Qt::AltModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }));
        QCOMPARE(doc.SunYear(), 2032);
        QCOMPARE(p.form.Grid()->Cells(1, YearRow), QString("2032"));
    }

    // The method and year are kept as the SunMethod and SunYear settings for the next run.
    void yearCarriesToTheNextRun() {
        {
            TProgram p;
            QVERIFY(ChooseMethod(p.form, Qt::Key_Down));
            TypeYear(p.form, "2044");
            p.form.close();
            QCOMPARE(TSettingsStore("Settings").ReadInteger("SunYear", 0), 2044);
        }
        TMainForm next;
        next.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        QCOMPARE(next.Document().SunYear(), 2044);
        QCOMPARE(next.Grid()->Cells(1, YearRow), QString("2044"));
        QVERIFY(next.Grid()->Field(YearRow)->Enabled);
    }
};

QTEST_MAIN(TestSunPositionCommand)
#include "tst_sunposition.moc"
