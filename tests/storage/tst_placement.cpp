// Window placement and font attributes through the settings store, with real widgets offscreen.
#include "storage/FontSettings.h"
#include "storage/FormPlacement.h"
#include "storage/Settings.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <climits>

namespace {

QRect Desktop() {
    return QGuiApplication::primaryScreen()->virtualGeometry();
}

QRect Available() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

void Store(const QString& section, const QList<QPair<QString, int>>& values) {
    TSettingsStore s(section);
    s.EraseSection();
    for (const auto& [name, value] : values)
        s.WriteInteger(name, value);
}

// A window as a form designer would leave it: named, placed and sized, not yet shown.
std::unique_ptr<QWidget> DesignedForm(const QString& name) {
    auto form = std::make_unique<QWidget>();
    form->setObjectName(name);
    form->move(30, 40);
    form->resize(320, 240);
    return form;
}

} // namespace

class TestPlacement : public QObject {
    Q_OBJECT
private slots:
    void keepReachable_data() {
        QTest::addColumn<QPoint>("stored");
        QTest::addColumn<QRect>("desktop");
        QTest::addColumn<QPoint>("restored");
        const QRect fullHd(0, 0, 1920, 1080);
        QTest::newRow("inside") << QPoint(100, 200) << fullHd << QPoint(100, 200);
        QTest::newRow("left of the screen") << QPoint(-50, -1) << fullHd << QPoint(0, 0);
        QTest::newRow("far right and below") << QPoint(5000, 5000) << fullHd << QPoint(1720, 880);
        QTest::newRow("exactly width minus 100 stays") << QPoint(1820, 980) << fullHd << QPoint(1820, 980);
        QTest::newRow("one past it") << QPoint(1821, 981) << fullHd << QPoint(1720, 880);
        QTest::newRow("desktop not at the origin")
            << QPoint(-3000, 10) << QRect(-1280, 0, 3200, 1080) << QPoint(-1280, 10);
    }
    void keepReachable() {
        QFETCH(QPoint, stored);
        QFETCH(QRect, desktop);
        QFETCH(QPoint, restored);
        QCOMPARE(KeepReachable(stored, desktop), restored);
    }

    // Pulled back as KeepReachable does (to the height minus 200), then up until the whole window shows.
    void offScreenPositionPulledBack() {
        Store("OffScreenForm", {{"Left", -50}, {"Top", 5000}, {"Width", 400}, {"Height", 300}});
        auto form = DesignedForm("OffScreenForm");
        RestoreFormPlacement(form.get(), false, true);
        QCOMPARE(form->pos(), QPoint(Desktop().left(), Desktop().top() + Desktop().height() - 300));
        QCOMPARE(form->size(), QSize(400, 300));
        QVERIFY(!form->isVisible());
    }

    // Hostile or stale placements: the window still lands wholly inside the available desktop, at most
    // as large as it. Positions near the ends of int's range used to overflow the window's rectangle.
    void placementKeptInsideDesktop_data() {
        QTest::addColumn<QList<int>>("stored"); // Left, Top, Width, Height
        QTest::addColumn<bool>("restoreSize");
        const QRect area = Available();
        QTest::newRow("huge size") << QList<int>{0, 0, 100000, 100000} << true;
        QTest::newRow("larger than the screen")
            << QList<int>{area.left(), area.top(), area.width() + 500, area.height() + 400} << true;
        QTest::newRow("near INT_MAX") << QList<int>{INT_MAX - 5, INT_MAX - 5, 400, 300} << true;
        QTest::newRow("INT_MAX everything") << QList<int>{INT_MAX, INT_MAX, INT_MAX, INT_MAX} << true;
        QTest::newRow("INT_MIN position") << QList<int>{INT_MIN, INT_MIN, 400, 300} << true;
        QTest::newRow("position only, near INT_MAX") << QList<int>{INT_MAX, INT_MAX - 1, 1, 1} << false;
        QTest::newRow("right part off screen") << QList<int>{area.right() - 150, 10, 400, 300} << true;
    }
    void placementKeptInsideDesktop() {
        QFETCH(QList<int>, stored);
        QFETCH(bool, restoreSize);
        Store("HostileForm",
              {{"Left", stored[0]}, {"Top", stored[1]}, {"Width", stored[2]}, {"Height", stored[3]}});
        auto form = DesignedForm("HostileForm");
        RestoreFormPlacement(form.get(), false, restoreSize);
        const QRect placed(form->pos(), form->size());
        QVERIFY2(Available().contains(placed), qPrintable(QString("%1,%2 %3x%4")
                                                              .arg(placed.x())
                                                              .arg(placed.y())
                                                              .arg(placed.width())
                                                              .arg(placed.height())));
        if (restoreSize) QCOMPARE(form->size(), QSize(stored[2], stored[3]).boundedTo(Available().size()));
        // What is saved back is the clamped placement.
        SaveFormPlacement(form.get());
        TSettingsStore s("HostileForm");
        QCOMPARE(QRect(s.ReadInteger("Left", 0), s.ReadInteger("Top", 0), s.ReadInteger("Width", 0),
                       s.ReadInteger("Height", 0)),
                 placed);
    }

    void sizeOnlyWhenAsked() {
        Store("SizeForm", {{"Left", 10}, {"Top", 20}, {"Width", 400}, {"Height", 300}});
        auto form = DesignedForm("SizeForm");
        RestoreFormPlacement(form.get(), false, false);
        QCOMPARE(form->pos(), QPoint(10, 20));
        QCOMPARE(form->size(), QSize(320, 240));
    }

    void nothingStoredKeepsTheDesign() {
        auto form = DesignedForm("NeverSavedForm");
        RestoreFormPlacement(form.get(), true, true);
        QCOMPARE(form->pos(), QPoint(30, 40));
        QCOMPARE(form->size(), QSize(320, 240));
        QVERIFY(!form->isVisible()); // "Visible" defaults to false
        QCOMPARE(form->windowState(), Qt::WindowNoState);
    }

    void brokenSizeIgnored() {
        Store("BrokenForm", {{"Width", 0}, {"Height", -5}});
        auto form = DesignedForm("BrokenForm");
        RestoreFormPlacement(form.get(), false, true);
        QCOMPARE(form->size(), QSize(320, 240));
    }

    void savedAndRestoredVisibleWindow() {
        {
            auto form = DesignedForm("ShownForm");
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            form->move(60, 70);
            form->resize(350, 250);
            SaveFormPlacement(form.get());
        }
        TSettingsStore s("ShownForm");
        QCOMPARE(s.ReadInteger("Left", 0), 60);
        QCOMPARE(s.ReadInteger("Top", 0), 70);
        QCOMPARE(s.ReadInteger("Width", 0), 350);
        QCOMPARE(s.ReadInteger("Height", 0), 250);
        QCOMPARE(s.ReadString("Visible", ""), QString("1"));
        QCOMPARE(s.ReadInteger("WinState", -1), 0);

        auto again = DesignedForm("ShownForm");
        RestoreFormPlacement(again.get(), true, true);
        QVERIFY(again->isVisible());
        QCOMPARE(again->pos(), QPoint(60, 70));
        QCOMPARE(again->size(), QSize(350, 250));
    }

    // A maximised window stores the placement it returns to, and comes back at that placement and
    // then maximised.
    void maximisedWindowRoundTrip() {
        {
            auto form = DesignedForm("MaxForm");
            form->move(50, 60);
            form->resize(300, 200);
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            form->showMaximized();
            QTRY_VERIFY(form->isMaximized());
            SaveFormPlacement(form.get());
        }
        TSettingsStore s("MaxForm");
        QCOMPARE(s.ReadInteger("WinState", -1), 2);
        QCOMPARE(QRect(s.ReadInteger("Left", 0), s.ReadInteger("Top", 0), s.ReadInteger("Width", 0),
                       s.ReadInteger("Height", 0)),
                 QRect(50, 60, 300, 200));

        auto again = DesignedForm("MaxForm");
        RestoreFormPlacement(again.get(), false, true);
        QVERIFY(again->windowState() & Qt::WindowMaximized);
        again->show();
        QVERIFY(QTest::qWaitForWindowExposed(again.get()));
        QCOMPARE(again->normalGeometry().size(), QSize(300, 200));
        again->showNormal();
        QTRY_COMPARE(again->size(), QSize(300, 200));
    }

    void colourValues() {
        QCOMPARE(ColorToSetting(QColor(0x12, 0x34, 0x56)), 0x563412);
        QCOMPARE(ColorFromSetting(0x563412), QColor(0x12, 0x34, 0x56));
        QCOMPARE(ColorFromSetting(qint32(0x80000008u)),
                 QGuiApplication::palette().color(QPalette::WindowText));
        QCOMPARE(ColorFromSetting(qint32(0x80000005u)), QGuiApplication::palette().color(QPalette::Base));
    }

    void fontRoundTrip() {
        TFontAttributes font;
        font.Font = QFont("Serif", 13);
        font.Font.setBold(true);
        font.Font.setStrikeOut(true);
        font.Color = QColor(200, 10, 30);
        font.Charset = 238;
        SaveFontSettings(font, "Report");
        TSettingsStore s("Report");
        QCOMPARE(s.ReadString("Name", ""), QString("Serif"));
        QCOMPARE(s.ReadInteger("Style", -1), 1 | 8);
        QCOMPARE(s.ReadInteger("Size", -1), 13);
        QCOMPARE(s.ReadInteger("Color", -1), (30 << 16) | (10 << 8) | 200);
        QCOMPARE(s.ReadInteger("Charset", -1), 238);

        const TFontAttributes loaded = LoadFontSettings("Report");
        QCOMPARE(loaded.Font.family(), QString("Serif"));
        QCOMPARE(loaded.Font.pointSize(), 13);
        QVERIFY(loaded.Font.bold() && loaded.Font.strikeOut());
        QVERIFY(!loaded.Font.italic() && !loaded.Font.underline());
        QCOMPARE(loaded.Color, QColor(200, 10, 30));
        QCOMPARE(loaded.Charset, 238);
    }

    void fontDefaultsAndPartialValues() {
        TFontAttributes font;
        font.Font = QFont("Sans", 9);
        font.Font.setItalic(true);
        font.Color = Qt::blue;
        LoadFontSettings(font, "NoFontHere");
        QCOMPARE(font.Font.family(), QString("Sans"));
        QCOMPARE(font.Font.pointSize(), 9);
        QVERIFY(font.Font.italic());
        QCOMPARE(font.Color, QColor(Qt::blue));

        Store("PartialFont", {{"Style", 4}, {"Size", 0}, {"Charset", 300}});
        LoadFontSettings(font, "PartialFont");
        QVERIFY(font.Font.underline() && !font.Font.italic());
        QCOMPARE(font.Font.pointSize(), 9); // a size of 0 is no size
        QCOMPARE(font.Charset, 1);          // beyond a byte
    }
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
