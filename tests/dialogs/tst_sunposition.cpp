// The Sun Position dialog driven from the keyboard: Alt+M and Alt+Y reach the method and the year,
// the year is only open for the precise method, Return takes the choice and Escape leaves it.
#include "../common/SavePicture.h"
#include "dialogs/SunPositionDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

class TestSunPosition : public QObject {
    Q_OBJECT
private slots:
    void chosenFromTheKeyboard() {
        TSunPositionForm form;
        form.SetMethod(smPublished, 2026);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!form.YearBox()->isEnabled());
        QTest::keyClick(&form, Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(form.MethodBox()->hasFocus());
        QTest::keyClick(form.MethodBox(), Qt::Key_Down);
        QCOMPARE(form.Method(), smPrecise);
        QVERIFY(form.YearBox()->isEnabled());
        QTest::keyClick(&form, Qt::Key_Y, Qt::AltModifier);
        QTRY_VERIFY(form.YearBox()->hasFocus());
        QTest::keyClick(form.YearBox(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(form.YearBox(), "2030");
        QTest::keyClick(form.YearBox(), Qt::Key_Return);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.Year(), 2030);
        QCOMPARE(form.Method(), smPrecise);
        SavePicture(form, QStringLiteral("sunposition"));
    }

    // Made as small as the window manager allows, the dialog keeps every row whole: the wrapped note
    // sits below the Year row with all its lines.
    void smallestSizeKeepsTheNoteWhole() {
        TSunPositionForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.resize(50, 50);
        QTest::qWait(20);
        auto* year = form.findChild<QSpinBox*>();
        QLabel* note = nullptr;
        for (QLabel* label : form.findChildren<QLabel*>())
            if (label->wordWrap()) note = label;
        QVERIFY(year && note);
        QVERIFY(note->geometry().top() >= year->geometry().bottom());
        QVERIFY(note->height() >= note->heightForWidth(note->width()));
        SavePicture(form, "sunposition-smallest");
    }

    void escapeLeavesIt() {
        TSunPositionForm form;
        form.SetMethod(smPrecise, 2000);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestSunPosition)
#include "tst_sunposition.moc"
