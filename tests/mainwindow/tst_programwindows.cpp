// The program's windows as the program creates them: the caption carries the executable's version, and
// Help, About opens the about box from the keyboard.
#include "app/ProgramWindows.h"
#include "report/TxAbout.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

class TestProgramWindows : public QObject {
    Q_OBJECT

private slots:
    void captionCarriesTheVersion_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("caption");
        QTest::newRow("version") << "2.1.0.15" << "Quorvane - Version 2.1.0.15";
        QTest::newRow("no version block") << "" << "Quorvane";
    }
    void captionCarriesTheVersion() {
        QFETCH(QString, version);
        QFETCH(QString, caption);
        TProgramWindows windows(version);
        QCOMPARE(windows.MainForm.windowTitle(), caption);
    }

    // Alt+H opens the Help menu, A its About command: the about box shows the version, Escape closes it.
    void aboutFromTheKeyboard() {
        TProgramWindows windows(QStringLiteral("2.1.0.15"));
        windows.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&windows.MainForm));
        QString shownVersion;
        bool shown = false;
        QTimer::singleShot(0, this, [&] {
            QTimer::singleShot(200, this, [&] {
                auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
                if (!box) return;
                shown = true;
                shownVersion = box->Version->text();
                QTest::keyClick(box, Qt::Key_Escape);
            });
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
        });
        QTest::keyClick(&windows.MainForm, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(shown);
        QVERIFY2(shownVersion.contains("2.1.0.15"), qPrintable(shownVersion));
    }
};

QTEST_MAIN(TestProgramWindows)
#include "tst_programwindows.moc"
