// The report layout settings in the section "Report": defaults, round trip, column stops.
#include "report/ReportSettings.h"
#include "storage/Settings.h"

#include <QtTest>

class TestReportSettings : public QObject {
    Q_OBJECT
private slots:
    void init() {
        DefaultMargins() = {2.5, 2.5, 2.5, 2.5, 3.5, 11, 12, 13, 14, 15, 16, 17};
        TSettingsStore s(QStringLiteral("Report"));
        s.EraseSection();
    }

    void missingKeysGiveDefaultsWithStopOffsets() {
        TReportSettings s;
        s.ZoomMode = 7;
        LoadReportSettings(s);
        const TMargins expected = {2.5, 2.5, 2.5, 2.5, 5.5, 13, 13.5, 14.5, 15, 16, 16, 17};
        QCOMPARE(s.Margins, expected);
        QCOMPARE(s.ZoomMode, 0);
    }

    void savedSettingsReadBack() {
        TReportSettings s;
        s.Margins = {3.25, 2, 1.5, 2.75, 4, 6.5, 9, 11, 13, 15, 16, 17.5};
        s.ZoomMode = 1;
        s.ReportFont.Font = QFont(QStringLiteral("DejaVu Serif"), 12);
        s.ReportFont.Font.setBold(true);
        SaveReportSettings(s);

        TSettingsStore store(QStringLiteral("Report"));
        QCOMPARE(store.ReadString(QStringLiteral("Left margin"), QString()), QStringLiteral("3.25"));
        QCOMPARE(store.ReadString(QStringLiteral("mX2"), QString()), QStringLiteral("6.5"));

        TReportSettings back;
        LoadReportSettings(back);
        QCOMPARE(back.Margins, s.Margins);
        QCOMPARE(back.ZoomMode, 1);
        QCOMPARE(back.ReportFont.Font.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(back.ReportFont.Font.pointSize(), 12);
        QVERIFY(back.ReportFont.Font.bold());
    }

    void unreadableMarginTakesItsDefault() {
        TSettingsStore store(QStringLiteral("Report"));
        store.WriteString(QStringLiteral("Top margin"), QStringLiteral("2,5cm"));
        store.WriteString(QStringLiteral("mX1"), QStringLiteral("abc"));
        store.Flush();
        TReportSettings s;
        LoadReportSettings(s);
        QCOMPARE(s.Margins[mTop], 2.5);
        QCOMPARE(s.Margins[mStop1], 5.5);
    }

    // A first run's report uses the stops the caller sets; stored stops stay the user's.
    void columnStopsReachStopsNotStored() {
        TSettingsStore store(QStringLiteral("Report"));
        store.WriteString(QStringLiteral("mX1"), QStringLiteral("4.5"));
        store.Flush();
        LoadReportSettings(ReportSettings());
        SetColumnStops({5, 7, 9, 11, 13});
        QCOMPARE(ReportSettings().Margins[mStop1], 4.5);
        QCOMPARE(ReportSettings().Margins[mStop2], 7.0);
        QCOMPARE(ReportSettings().Margins[mStop5], 13.0);
        QCOMPARE(ReportSettings().Margins[mStop6], 16.0); // not given: the load default
    }

    void columnStopsBeyondEightAreIgnored() {
        SetColumnStops({5, 7, 9, 11, 13, 14, 15, 16, 30, 40});
        const TMargins expected = {2.5, 2.5, 2.5, 2.5, 5, 7, 9, 11, 13, 14, 15, 16};
        QCOMPARE(DefaultMargins(), expected);
        SetColumnStops({6});
        QCOMPARE(DefaultMargins()[mStop1], 6.0);
        QCOMPARE(DefaultMargins()[mStop2], 7.0);
    }
};

QTEST_MAIN(TestReportSettings)
#include "tst_reportsettings.moc"
