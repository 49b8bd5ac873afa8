// The program's windows as the program creates them: the caption carries the executable's version;
// Help, About and File, Report open their windows from the keyboard.
#include "about/ProductPicture.h"
#include "about/TxAbout.h"
#include "app/ProgramWindows.h"
#include "dialogs/SelectAngleDlg.h"
#include "dialogs/SelectAzimuthDlg.h"
#include "dialogs/TxCalendar.h"
#include "dialogs/TxChartColorForm.h"
#include "dialogs/TxProfileEd.h"
#include "dialogs/TxProfileView.h"
#include "locations/TxSelectLocation.h"
#include "report/TxfReport.h"
#include "storage/Folders.h"
#include "storage/Settings.h"
#include "tests/common/ModalAnswer.h"
#include "tests/common/TestPaths.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <algorithm>

class TestProgramWindows : public QObject {
    Q_OBJECT

    // Alt and the menu's letter, then the command's keys; checks the modal window that opens.
    static void ShowByKeys(TMainForm& form, int menuKey, const QString& commandKeys,
                           const QString& windowClass) {
        form.activateWindow(); // again after a modal window closed
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QObject context;
        QString shown;
        QTimer::singleShot(0, &context, [&] {
            QTimer::singleShot(300, &context, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal) return;
                shown = QString::fromLatin1(modal->metaObject()->className());
                if (auto* box = qobject_cast<TAboutBox*>(modal)) shown += " " + box->Version->text();
                QTest::keyClick(modal, Qt::Key_Escape);
            });
            if (!QApplication::activePopupWidget()) return; // no menu: nothing shows, the check fails
            for (QChar key : commandKeys)
                QTest::keyClick(QApplication::activePopupWidget(),
                                key == '\r' ? Qt::Key_Return : Qt::Key(key.unicode()));
        });
        QTest::keyClick(&form, Qt::Key(menuKey), Qt::AltModifier);
        QTRY_VERIFY(!shown.isEmpty());
        QVERIFY2(shown.startsWith(windowClass), qPrintable(shown));
        if (windowClass == "TAboutBox") QVERIFY2(shown.contains("2.1.0.15"), qPrintable(shown));
    }

private slots:
    void captionCarriesTheVersion_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("caption");
        QTest::newRow("version") << "2.1.0.15"
                                 << "Quorvane - Version 2.1.0.15";
        QTest::newRow("no version block") << ""
                                          << "Quorvane";
    }
    void captionCarriesTheVersion() {
        QFETCH(QString, version);
        QFETCH(QString, caption);
        TProgramWindows windows(version);
        QCOMPARE(windows.MainForm.windowTitle(), caption);
    }

    // The shown main window carries the program's picture, and so does every other window of the
    // program; the desktop is told the desktop entry that launches the program, the one the install
    // lays down, so it matches the windows to that entry's launcher and icon.
    void windowsKnownToTheDesktop() {
        TProgramWindows windows(QStringLiteral("2.1.0.15"));
        windows.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&windows.MainForm));
        const QImage picture = ProductPicture(QSize(32, 32), true);
        const auto pictureOf = [](const QIcon& icon) { return icon.pixmap(QSize(32, 32), 1.0).toImage(); };
        QWindow* shown = windows.MainForm.windowHandle();
        QVERIFY(shown);
        QCOMPARE(pictureOf(shown->icon()), picture);
        const QString entry = QGuiApplication::desktopFileName();
        QCOMPARE(entry, QStringLiteral("com.varnholt.quorvane"));
        QVERIFY(QFileInfo::exists(SourcePath("/data/desktop/") + entry + ".desktop.in"));

        const QList<QWidget*> others{&windows.CalendarForm(),  &windows.LocationForm(),
                                     &windows.AzimuthForm(),   &windows.PreviewForm(),
                                     &windows.ProfileEdForm(), &windows.ChartColorForm(),
                                     &windows.AnglesForm(),    &windows.ProfileViewForm()};
        for (QWidget* window : others)
            QVERIFY2(pictureOf(window->windowIcon()) == picture, window->metaObject()->className());
    }

    // F1 opens the help page beside the program through xdg-open (here a script first on PATH that
    // keeps its arguments and exits with the row's status). When the page cannot be shown, a message
    // says why and names the page; a status that is the browser's own says nothing.
    void f1OpensTheHelpPage_data() {
        QTest::addColumn<QString>("opener"); // the script's last line; empty: no xdg-open on PATH
        QTest::addColumn<bool>("pageThere");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("shown") << "exit 0" << true << "";
        QTest::newRow("no browser") << "exit 3" << true << "no program to show web pages is set up";
        QTest::newRow("browser failed") << "exit 4" << true << "the web browser could not open it";
        QTest::newRow("unreadable") << "exit 5" << true << "the file cannot be read";
        QTest::newRow("other failure") << "exit 1" << true << "xdg-open failed with exit status 1";
        QTest::newRow("crashed") << "kill -9 $$" << true << "xdg-open stopped unexpectedly";
        QTest::newRow("no xdg-open") << "" << true << "xdg-open could not be started";
        QTest::newRow("page missing") << "exit 0" << false << "the file is missing";
    }
    void f1OpensTheHelpPage() {
        QFETCH(QString, opener);
        QFETCH(bool, pageThere);
        QFETCH(QString, message);
        QTemporaryDir bin;
        const QString record = bin.filePath(QStringLiteral("opened"));
        if (!opener.isEmpty()) {
            QFile script(bin.filePath(QStringLiteral("xdg-open")));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n%2\n").arg(record, opener).toUtf8());
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8() + (opener.isEmpty() ? QByteArray() : ":" + path));
        const auto restorePath = qScopeGuard([&] { qputenv("PATH", path); });
        // The page beside this test program, as the build lays it beside the program.
        const QString page = ProgramFolder() + QStringLiteral("Help/Quorvane.htm");
        QDir().mkpath(QFileInfo(page).path());
        QFile::remove(page);
        if (pageThere) QVERIFY(QFile::copy(SourcePath("/data/help/Quorvane.htm"), page));
        const auto removePage = qScopeGuard([&] { QFile::remove(page); });

        TProgramWindows windows(QStringLiteral("2.1.0.15"));
        windows.MainForm.show();
        windows.MainForm.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&windows.MainForm));
        // With the page shown, no message: the script has run, and a moment more lets xdg-open's end
        // reach the program.
        const TAnsweredMessage seen = AnswerMessage(
            [&] {
                QTest::keyClick(&windows.MainForm, Qt::Key_F1);
                if (message.isEmpty()) // the record is checked below
                    static_cast<void>(QTest::qWaitFor([&] { return QFile::exists(record); }, 10000));
            },
            message.isEmpty() ? 1000 : 10000);
        if (message.isEmpty()) {
            QVERIFY2(!seen.Answered, qPrintable(seen.Text));
            QFile opened(record);
            QVERIFY(opened.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(opened.readAll()).trimmed(),
                     QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded));
        } else {
            QVERIFY(seen.Answered);
            QCOMPARE(seen.Format, Qt::PlainText);
            QVERIFY2(seen.Text.contains(message) && seen.Text.contains(page), qPrintable(seen.Text));
        }
    }

    // The help page's table of keys names every key of the main window's and the report preview's
    // commands, under that window, so the page stays true when a key is added or changed.
    void helpPageListsEveryKey() {
        QFile page(SourcePath("/data/help/Quorvane.htm"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        const qsizetype table = html.indexOf(QStringLiteral("<h2 id=\"keys\">"));
        QVERIFY(table > 0);
        QMultiHash<QString, QString> keysOf; // window -> each key its rows name
        static const QRegularExpression row(QStringLiteral("<tr><td>([^<]*)</td><td>([^<]*)</td>"));
        for (auto m = row.globalMatch(html, table); m.hasNext();) {
            const QRegularExpressionMatch match = m.next();
            for (const QString& key : match.captured(2).split(QStringLiteral(", ")))
                keysOf.insert(match.captured(1), key);
        }
        TProgramWindows windows(QStringLiteral("2.1.0.15"));
        const auto check = [&keysOf](const QWidget& window, const QString& where) {
            int keyed = 0;
            for (const QAction* action : window.findChildren<QAction*>()) {
                if (action->shortcuts().isEmpty()) continue;
                ++keyed;
                // Listed when one of the command's keys is: the platform may add others (Ctrl+F4 to Ctrl+W).
                QStringList texts;
                for (const QKeySequence& key : action->shortcuts())
                    texts << key.toString(QKeySequence::NativeText)
                                 .replace(QStringLiteral("PgUp"), QStringLiteral("PageUp"))
                                 .replace(QStringLiteral("PgDown"), QStringLiteral("PageDown"));
                const bool listed = std::any_of(texts.begin(), texts.end(),
                                                [&](const QString& t) { return keysOf.contains(where, t); });
                QVERIFY2(listed, qPrintable(where + ": " + action->text() + " " + texts.join(' ')));
            }
            QVERIFY(keyed > 3);
        };
        check(windows.MainForm, QStringLiteral("Main window"));
        check(windows.PreviewForm(), QStringLiteral("Report preview"));
    }

    // The splash shows at start only when the setting asks for it; without it no about box is made.
    void splashAtStartAsStored_data() {
        QTest::addColumn<bool>("stored");
        QTest::newRow("splash") << true;
        QTest::newRow("no splash") << false;
    }
    void splashAtStartAsStored() {
        QFETCH(bool, stored);
        TSettingsStore("Settings").WriteBool("SplashScreen", stored);
        TProgramWindows windows(QStringLiteral("2.1.0.15"));
        windows.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&windows.MainForm));
        const auto splash = [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<TAboutBox*>(w) && w->isVisible()) return true;
            return false;
        };
        if (stored) QTRY_VERIFY(splash());
        QTest::qWait(50);
        QCOMPARE(splash(), stored);
        QCOMPARE(windows.MainForm.findChildren<TAboutBox*>().isEmpty(), !stored);
        TSettingsStore("Settings").WriteBool("SplashScreen", false);
    }

    // Alt and the menu's letter, then the command's keys: the modal window it opens is seen, then closed
    // with Escape. "&Reset" and "&Report" share their letter, so R moves between them and Return runs
    // the one reached.
    void commandsFromTheKeyboard_data() {
        QTest::addColumn<int>("menuKey");
        QTest::addColumn<QString>("commandKeys");
        QTest::addColumn<QString>("windowClass");
        QTest::newRow("Help, About") << int(Qt::Key_H) << "A"
                                     << "TAboutBox";
        QTest::newRow("File, Report") << int(Qt::Key_F) << "RR\r"
                                      << "TPreviewForm";
    }
    void commandsFromTheKeyboard() {
        QFETCH(int, menuKey);
        QFETCH(QString, commandKeys);
        QFETCH(QString, windowClass);
        TProgramWindows windows(QStringLiteral("2.1.0.15"));
        windows.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&windows.MainForm));
        // Start-up built no dialog; the command makes its window, and the next showing reuses it.
        const auto made = [&] {
            QList<QObject*> found;
            for (QObject* child : windows.MainForm.children())
                if (windowClass == child->metaObject()->className()) found << child;
            return found;
        };
        QVERIFY(made().isEmpty());
        for (int showing = 0; showing < 2; ++showing) {
            const QList<QObject*> before = made();
            ShowByKeys(windows.MainForm, menuKey, commandKeys, windowClass);
            if (QTest::currentTestFailed()) return;
            QCOMPARE(made().size(), windowClass == "TAboutBox" ? 0 : 1); // the about form goes when closed
            if (showing == 1) QCOMPARE(made(), before);
        }
    }
};

QTEST_MAIN(TestProgramWindows)
#include "tst_programwindows.moc"
