// Faults a user met in the main window: the results state lost on a hover, the caption, Open of a
// name typed without its extension, the Local page's double clicks and Angles row clicks, and the
// window-shading text broken inside numbers.
#include "../common/ModalAnswer.h"
#include "app/Main.h"
#include "app/ProjectFile.h"
#include "controls/TxNumText.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

class TestFaults : public QObject {
    Q_OBJECT

    static bool Show(TMainForm& form) {
        form.show();
        return QTest::qWaitForWindowExposed(&form);
    }

private slots:

    void captionIsExact() {
        TMainForm form;
        QCOMPARE(form.windowTitle(), QString("Quorvane - Version " QUORVANE_VERSION));
    }

    // A hint shown while the pointer passes a tool button or menu item, then cleared, must not take the
    // results state with it.
    void statusSurvivesHints() {
        TMainForm form;
        QVERIFY(Show(form));
        for (const QString& status : {QString("Solved..."), QString("Results are out of date...")}) {
            form.Document().SetSolved(status == "Solved...");
            auto* button = form.findChild<QToolBar*>("ToolBar")->findChildren<QToolButton*>().value(1);
            QVERIFY(button);
            for (const QString& tip : {QString("Load"), QString()}) {
                QStatusTipEvent event(tip);
                QApplication::sendEvent(button, &event);
                QCOMPARE(form.StatusText(), status);
            }
        }
    }

    // "projA" typed in the Open dialog opens projA.qvx.
    void openAddsTheExtension() {
        QTemporaryDir dir;
        TInputSet inputs;
        inputs.Latitude = 51.5;
        inputs.Longitude = -0.12;
        QVERIFY(SaveProjectFile(dir.filePath("projA.qvx"), inputs));
        TMainForm form;
        QVERIFY(Show(form));
        form.Document().SetFileName(dir.filePath("Noname.qvx"));
        form.activateWindow();
        QVERIFY(!AnswerFileDialog([&] { QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier); }, "projA")
                     .isEmpty());
        QCOMPARE(form.Document().Latitude(), 51.5);
        QCOMPARE(form.Document().FileName(), dir.filePath("projA.qvx"));
        QCOMPARE(form.StatusText(), QString("Results are out of date..."));
    }

    // Double clicks on sunrise and sunset fill the time box; a click on an Angles row takes its hour
    // and updates the local angles.
    void localPageClicks() {
        TMainForm form;
        QVERIFY(Show(form));
        form.Pages()->setCurrentIndex(pgLocal);
        QList<QLineEdit*> fields;
        for (QLineEdit* e : form.Pages()->widget(pgLocal)->findChildren<QLineEdit*>())
            if (e->isReadOnly()) fields << e;
        QVERIFY(fields.size() >= 2);
        QLineEdit* sunrise = fields[0];
        QLineEdit* sunset = fields[1];
        QLineEdit* time = nullptr;
        for (QLineEdit* e : form.Pages()->widget(pgLocal)->findChildren<QLineEdit*>())
            if (!e->isReadOnly()) time = e;
        QVERIFY(time);
        QTest::mouseDClick(sunrise, Qt::LeftButton);
        QCOMPARE(time->text(), FormatFloat("%0.6g", form.Document().Sunrise()));
        QTest::mouseDClick(sunset, Qt::LeftButton);
        QCOMPARE(time->text(), FormatFloat("%0.6g", form.Document().Sunset()));

        form.Pages()->setCurrentIndex(pgAngles);
        QTreeWidget* list = form.AnglesList();
        QTreeWidgetItem* row = list->topLevelItem(7); // 13:00
        QCOMPARE(row->text(0), QString(" 13"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
        form.Pages()->setCurrentIndex(pgLocal); // a page out of sight shows the change when it shows
        QCOMPARE(time->text(), QString("13"));
        QCOMPARE(form.Document().LocalLines().value(0), QString("Clock Time = 13:00:00 h:m:s"));
    }

    // The 24 fractions wrap only after a comma, and a copy of the box's text is the plain line.
    void windowShadingTextKeepsNumbersWhole() {
        TMainForm form;
        form.resize(520, 450);
        QVERIFY(Show(form));
        form.Pages()->setCurrentIndex(pgWindow);
        form.GenerateButtonClick();
        auto* memo = form.findChild<QPlainTextEdit*>("AreaFactorMemo");
        QVERIFY(memo);
        QTest::qWait(20);
        const QTextBlock block = memo->document()->firstBlock();
        QTextLayout* layout = block.layout();
        QVERIFY(layout->lineCount() > 1); // the box is too narrow for one line here
        const QString text = block.text();
        for (int i = 1; i < layout->lineCount(); ++i) {
            const int start = layout->lineAt(i).textStart();
            QVERIFY2(text.left(start).remove(QChar(0x200B)).endsWith(','), qPrintable(text.mid(start, 6)));
        }
        memo->setFocus();
        memo->selectAll();
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), form.Document().AreaFactorText());
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
