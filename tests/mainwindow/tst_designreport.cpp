// File > Design Report... as the user meets it: Alt+F, D opens the dialog with the last project block;
// the block is typed, the boxes reached with Tab and their Alt+letters; Return previews the design
// report, numbered "Page n of N"; the block is the document's afterwards and Escape in the dialog keeps
// it as it was. A picture of the dialog.
#include "app/DesignReportDlg.h"
#include "app/ProgramWindows.h"
#include "report/TxfReport.h"
#include "tests/common/TestPaths.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace {

TDesignReportDlg* OpenDialog() {
    return qobject_cast<TDesignReportDlg*>(QApplication::activeModalWidget());
}

// Alt+F, then D: the File menu's "&Design Report...".
void OpenByKeys(TMainForm& form) {
    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_D);
}

} // namespace

class TestDesignReportCommand : public QObject {
    Q_OBJECT
private slots:
    void typedThenPreviewed() {
        TProgramWindows windows(QStringLiteral("2.1.0.15"));
        TMainForm& form = windows.MainForm;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        TProjectInfo last;
        last.Checker = "C. Checker";
        form.Document().SetProjectInfo(last);

        bool typed = false, previewed = false;
        int pages = 0, total = 0;
        QTimer::singleShot(0, &form, [&] {
            QTRY_VERIFY(OpenDialog());
            TDesignReportDlg* dialog = OpenDialog();
            QTRY_VERIFY(dialog->isActiveWindow());
            QCOMPARE(qobject_cast<QLineEdit*>(dialog->FieldBox("checker"))->text(), QString("C. Checker"));
            QVERIFY(form.geometry().contains(dialog->geometry().center()));
            QDir().mkpath(BinaryPath("/screens"));
            QVERIFY(dialog->grab().save(BinaryPath("/screens/designreport-dialog.png")));
            // The first box has the focus; Tab goes on to the next.
            QTest::keyClicks(QApplication::focusWidget(), "Riverside Offices");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), "P-17");
            // Alt and a box's letter: Designer, Revision, Notes (two lines), the design peaks.
            QTest::keyClick(dialog, Qt::Key_D, Qt::AltModifier);
            QTest::keyClicks(QApplication::focusWidget(), "A. Designer");
            QTest::keyClick(dialog, Qt::Key_R, Qt::AltModifier);
            QTest::keyClicks(QApplication::focusWidget(), "C2");
            QTest::keyClick(dialog, Qt::Key_E, Qt::AltModifier);
            QTest::keyClicks(QApplication::focusWidget(), "line one");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTest::keyClicks(QApplication::focusWidget(), "line two");
            QTest::keyClick(dialog, Qt::Key_P, Qt::AltModifier);
            auto* peaks = qobject_cast<QCheckBox*>(QApplication::focusWidget());
            QVERIFY(peaks);
            QTRY_VERIFY(peaks->isChecked()); // the box shows its press for a moment before it flips
            typed = true;
            // The preview comes up when Return has accepted the dialog.
            QTimer::singleShot(0, &form, [&] {
                QTRY_VERIFY(qobject_cast<TPreviewForm*>(QApplication::activeModalWidget()));
                auto* preview = qobject_cast<TPreviewForm*>(QApplication::activeModalWidget());
                pages = preview->Engine.PageCount();
                total = preview->Engine.PageTotal;
                // The pages as the preview shows them, the design peaks among them, for looking at.
                for (int i = 0; i < pages; ++i)
                    preview->Engine.Pages[size_t(i)].save(
                        BinaryPath("/screens/designreport-preview-%1.png").arg(i + 1));
                previewed = true;
                QTest::keyClick(preview, Qt::Key_Escape);
            });
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        OpenByKeys(form);
        QTRY_VERIFY(typed && previewed);
        QTRY_VERIFY(!QApplication::activeModalWidget());

        const TProjectInfo& p = form.Document().ProjectInfo();
        QCOMPARE(p.Title, QString("Riverside Offices"));
        QCOMPARE(p.Number, QString("P-17"));
        QCOMPARE(p.Designer, QString("A. Designer"));
        QCOMPARE(p.Checker, QString("C. Checker"));
        QCOMPARE(p.Revision, QString("C2"));
        QCOMPARE(p.Notes, QString("line one\nline two"));
        QVERIFY(ReadDesignPeaksSetting());
        QVERIFY(pages > 1);
        QCOMPARE(total, pages); // "Page n of N" counted the pages it drew

        // Escape leaves the block as it was, whatever was typed.
        // Back to the main window once the preview has gone.
        QTRY_VERIFY((form.activateWindow(), QApplication::activeWindow() == &form));
        bool cancelled = false;
        QTimer::singleShot(0, &form, [&] {
            QTRY_VERIFY(OpenDialog());
            QTest::keyClicks(QApplication::focusWidget(), " changed");
            QTest::keyClick(OpenDialog(), Qt::Key_Escape);
            cancelled = true;
        });
        OpenByKeys(form);
        QTRY_VERIFY(cancelled);
        QCOMPARE(form.Document().ProjectInfo().Title, QString("Riverside Offices"));
    }
};

QTEST_MAIN(TestDesignReportCommand)
#include "tst_designreport.moc"
