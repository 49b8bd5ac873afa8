// The about box: the main window's values on the form, the stored "Show this form on program bootup"
// check box, and the start-up display.
#include "../common/SavePicture.h"
#include "UrlCatcher.h"
#include "about/TxAbout.h"
#include "about/TxAboutDlg.h"
#include "about/URLLabel.h"
#include "storage/Settings.h"
#include "version/ProgramVersion.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>

namespace {

// Runs the action on the about form once it is shown modally.
void WhenShown(std::function<void(TAboutBox*)> action) {
    QTimer::singleShot(0, [action] {
        auto* form = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        action(form);
        if (form->isVisible()) // a failed check above must not leave the form waiting
            form->reject();
    });
}

bool StoredSplash() {
    return TSettingsStore("Settings").ReadBool("SplashScreen", false);
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
    QMainWindow window;

private slots:
    void initTestCase() {
        QApplication::setApplicationName("Quorvane");
        window.resize(700, 500);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    void init() { TSettingsStore("Settings").EraseSection(); }

    void showsTheMainWindowValues() {
        TAboutBoxDlg about(&window);
        ApplyMainWindowValues(about, "2.1.0.15");
        WhenShown([](TAboutBox* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("About Quorvane"));
            QCOMPARE(form->DeveloperName->text(), QStringLiteral("Varnholt"));
            QCOMPARE(form->ProductName->text(), QStringLiteral("Quorvane"));
            QCOMPARE(form->ProductName->font().pixelSize(), 29);
            QCOMPARE(form->Version->text(), QStringLiteral("Version 2.1.0.15"));
            QCOMPARE(form->EMailLabel->URL(), QStringLiteral("mailto:quorvane@varnholt.example"));
            QCOMPARE(form->EMailLabel->Caption(), QStringLiteral("quorvane@varnholt.example"));
            QCOMPARE(form->WebLabel->URL(), QStringLiteral("http://www.varnholt.example/quorvane"));
            QVERIFY(form->WebLabel->isVisible() && form->WebCaption->isVisible());
            QCOMPARE(form->CBSplash->text().remove('&'), QStringLiteral("Show this form on program bootup"));
            QVERIFY(!form->Splash->pixmap().isNull());
            QVERIFY(form->width() >= 284 && form->height() >= 298);
            // Over the main window, every label whole.
            QVERIFY(form->frameGeometry().intersects(form->parentWidget()->frameGeometry()));
            for (QLabel* label : form->findChildren<QLabel*>())
                if (label->isVisible() && !label->wordWrap())
                    QVERIFY2(label->width() >= label->sizeHint().width(),
                             qPrintable(QString("%1: %2 < %3")
                                            .arg(label->text())
                                            .arg(label->width())
                                            .arg(label->sizeHint().width())));
            SavePicture(*form, QStringLiteral("about"));
            QTest::keyClick(form, Qt::Key_Return);
        });
        QVERIFY(about.Execute());
    }

    void checkBoxIsStoredAndComesBackTicked() {
        TAboutBoxDlg about(&window);
        QVERIFY(!about.SplashScreen());
        WhenShown([](TAboutBox* form) {
            QVERIFY(!form->CBSplash->isChecked());
            QTest::keyClick(form, Qt::Key_S, Qt::AltModifier);
            QTRY_VERIFY(form->CBSplash->isChecked()); // a mnemonic clicks after a short delay
            QTest::keyClick(form, Qt::Key_Return);
        });
        QVERIFY(about.Execute());
        QVERIFY(StoredSplash());
        QVERIFY(about.SplashScreen());

        WhenShown([](TAboutBox* form) {
            QVERIFY(form->CBSplash->isChecked());
            QTest::keyClick(form, Qt::Key_S, Qt::AltModifier);
            QTRY_VERIFY(!form->CBSplash->isChecked());
            QTest::keyClick(form, Qt::Key_Escape);
        });
        // Closed without OK, the box is still stored.
        QVERIFY(!about.Execute());
        QVERIFY(!StoredSplash());
    }

    void settingIsReadOnceAtCreation() {
        TSettingsStore("Settings").WriteBool("SplashScreen", true);
        TAboutBoxDlg about(&window);
        TSettingsStore("Settings").WriteBool("SplashScreen", false);
        QVERIFY(about.SplashScreen());
        WhenShown([](TAboutBox* form) {
            QVERIFY(form->CBSplash->isChecked());
            QTest::keyClick(form, Qt::Key_Return);
        });
        about.Execute();
        QVERIFY(StoredSplash());
    }

    void emptyValuesFallBack() {
        TAboutBoxDlg about(&window);
        QCOMPARE(about.Version, QStringLiteral("1.0.0.0"));
        QCOMPARE(about.ProductFont.pointSize(), 22);
        about.ShowWebb = false;
        about.Version.clear();
        WhenShown([](TAboutBox* form) {
            QCOMPARE(form->ProductName->text(), QStringLiteral("Quorvane")); // the application name
            QVERIFY(!form->Version->isVisible());
            QVERIFY(!form->WebLabel->isVisible() && !form->WebCaption->isVisible());
            QVERIFY(form->EMailCaption->isVisible());
            QTest::keyClick(form, Qt::Key_Return);
        });
        about.Execute();
    }

    void emailLinkOpensMailFromTheForm() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("mailto", &catcher, "open");
        TAboutBoxDlg about(&window);
        ApplyMainWindowValues(about, "1.0.0.0");
        WhenShown([](TAboutBox* form) {
            // Tab order: OK, the check box, the e-mail link.
            QVERIFY(form->OKButton->hasFocus());
            QTest::keyClick(form, Qt::Key_Tab);
            QTest::keyClick(form, Qt::Key_Tab);
            QVERIFY(form->EMailLabel->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            QTest::keyClick(form, Qt::Key_Escape);
        });
        about.Execute();
        QDesktopServices::unsetUrlHandler("mailto");
        QCOMPARE(catcher.opened, QStringList({"mailto:quorvane@varnholt.example"}));
    }

    void splashClosesByItselfAndStoresTheBox() {
        TSettingsStore("Settings").WriteBool("SplashScreen", true);
        TAboutBoxDlg about;
        ApplyMainWindowValues(about, "1.0.0.0");
        QPointer<TAboutBox> form = about.ShowSplash(200);
        QVERIFY(form && form->isVisible());
        QVERIFY(!form->isModal());
        QVERIFY(form->CBSplash->isChecked());
        form->CBSplash->setChecked(false); // the user unticks it while it shows
        QTRY_VERIFY(form.isNull());
        QVERIFY(!StoredSplash());
        QVERIFY(!about.SplashScreen());
    }

    void captionWithAndWithoutVersion() {
        QCOMPARE(MainCaption("1.0.0.0"), QStringLiteral("Quorvane - Version 1.0.0.0"));
        QCOMPARE(MainCaption(QString()), QStringLiteral("Quorvane"));
    }
};

QTEST_MAIN(TestAbout)
#include "moc_UrlCatcher.cpp"
#include "tst_about.moc"
