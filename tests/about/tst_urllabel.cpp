// The link label: how its caption follows the URL, and that a click or a key opens the URL through the
// desktop before the label's own click handling.
#include "UrlCatcher.h"
#include "about/URLLabel.h"

#include <QApplication>
#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

class TestUrlLabel : public QObject {
    Q_OBJECT
    UrlCatcher catcher;

private slots:
    void initTestCase() {
        for (const char* scheme : {"mailto", "http"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "open");
    }
    void init() { catcher.opened.clear(); }

    void captionFollowsUrl_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("oldUrl");
        QTest::addColumn<QString>("newUrl");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty caption") << ""
                                       << ""
                                       << "http://a.example"
                                       << "http://a.example";
        QTest::newRow("caption showed the old URL") << ""
                                                    << "http://a.example"
                                                    << "http://b.example"
                                                    << "http://b.example";
        QTest::newRow("own caption stays") << "Our site"
                                           << "http://a.example"
                                           << "http://b.example"
                                           << "Our site";
    }
    void captionFollowsUrl() {
        QFETCH(QString, caption);
        QFETCH(QString, oldUrl);
        QFETCH(QString, newUrl);
        QFETCH(QString, shown);
        TURLLabel label;
        label.SetURL(oldUrl);
        if (!caption.isEmpty()) label.SetCaption(caption);
        label.SetURL(newUrl);
        QCOMPARE(label.Caption(), shown);
        QCOMPARE(label.URL(), newUrl);
    }

    void clearedCaptionShowsUrl() {
        TURLLabel label;
        label.SetURL("http://www.varnholt.example");
        label.SetCaption("Web");
        QCOMPARE(label.Caption(), QStringLiteral("Web"));
        label.SetCaption(QString());
        QCOMPARE(label.Caption(), QStringLiteral("http://www.varnholt.example"));
    }

    void looksLikeALink() {
        TURLLabel label;
        QVERIFY(label.font().underline());
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
    }

    void clickOpensThenRunsClickHandling() {
        TURLLabel label;
        label.SetURL("mailto:quorvane@varnholt.example");
        QStringList order;
        label.OnClick = [&](TURLLabel*) { order << "click:" + catcher.opened.join(','); };
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(catcher.opened, QStringList({"mailto:quorvane@varnholt.example"}));
        QCOMPARE(order, QStringList({"click:mailto:quorvane@varnholt.example"}));
        // A right click is no link click.
        QTest::mouseClick(&label, Qt::RightButton);
        QCOMPARE(catcher.opened.size(), 1);
    }

    void keyboardOpensFocusedLink() {
        QWidget window;
        auto* first = new TURLLabel(&window);
        auto* second = new TURLLabel(&window);
        first->SetURL("http://a.example");
        second->SetURL("http://b.example");
        second->move(0, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        first->setFocus();
        QTest::keyClick(&window, Qt::Key_Tab);
        QVERIFY(second->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(catcher.opened, QStringList({"http://b.example", "http://b.example"}));
    }
};

QTEST_MAIN(TestUrlLabel)
#include "moc_UrlCatcher.cpp"
#include "tst_urllabel.moc"
