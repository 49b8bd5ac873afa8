// The page engine and the composer: surface sizes, line grid, page breaks and numbers, the page
// header's letterhead, logo and titles, and the two tables.
#include "ReportFixture.h"

#include "controls/TxGrids.h"
#include "report/ImageFiles.h"
#include "storage/Folders.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

class TestPageEngine : public QObject {
    Q_OBJECT
private slots:
    void noPrinterGivesA4AtScreenResolution() {
        TReportFixture f;
        f.Compose([] {});
        QCOMPARE(f.Engine.PageCount(), 1);
        QCOMPARE(f.Engine.Pages[0].size(), QSize(798, 1129));
        QCOMPARE(f.Engine.PrinterText, QStringLiteral("Printer not found"));
        // 2.5 cm margins at 38 (x) and 38.013 (y) pixels per cm, stop 1 at 3.5 cm on the rounded 38.
        QCOMPARE(f.Engine.Layout[mLeft], 95);
        QCOMPARE(f.Engine.Layout[mRight], 703);
        QCOMPARE(f.Engine.Layout[mTop], 95);
        QCOMPARE(f.Engine.Layout[mBottom], 1034);
        QCOMPARE(f.Engine.Layout[mStop1], 133);
        QCOMPARE(f.Engine.TextBottom, int(std::lround(1129 - 2.5 * 1129 / 29.7 - 2 * f.Engine.LineHeight)));
        QVERIFY(f.Messages.isEmpty());
    }

    void printerPageIsWholeCentimetres() {
        TReportFixture f;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageLayout(QPageLayout(QPageSize(QSizeF(203, 280), QPageSize::Millimeter),
                                          QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                          QPageLayout::Millimeter));
        f.Engine.SetPrinter(&printer);
        f.Compose([] {});
        // 20.3 cm printable gives 20 cm, 28 cm stays 28 cm.
        QCOMPARE(f.Engine.Pages[0].size(), QSize(20 * 38, 28 * 38));
        QVERIFY(f.Engine.PrinterText != QStringLiteral("Printer not found"));
    }

    void screenQueryFailureAssumes32PixelsPerCm() {
        TReportFixture f;
        f.Engine.ScreenMetrics = []() -> TScreenMetrics { throw std::runtime_error("no screen"); };
        f.Compose([] {});
        QCOMPARE(f.Engine.PixelsPerCmX, 32);
        QCOMPARE(f.Engine.Pages[0].size(), QSize(672, 950));
        QCOMPARE(f.Messages, QStringList{QStringLiteral("Bitmap Device Error... \r\nno screen")});
    }

    void newLineStaysOnTheGrid() {
        TReportFixture f;
        QList<int> ys;
        f.Compose([&] {
            f.Engine.LineHeight = 15.4;
            f.Engine.LineTop = 100;
            f.Engine.LineCount = 0;
            for (int i = 0; i < 3; ++i) {
                f.Engine.NewLine(1);
                ys << f.Engine.Pen.y();
            }
            f.Engine.NewLine(7);
            ys << f.Engine.Pen.y();
        });
        QCOMPARE(ys, (QList<int>{115, 131, 146, 254}));
    }

    void pageNumbersOnlyWithMoreThanOnePage_data() {
        QTest::addColumn<int>("pages");
        QTest::newRow("one page") << 1;
        QTest::newRow("three pages") << 3;
    }
    void pageNumbersOnlyWithMoreThanOnePage() {
        QFETCH(int, pages);
        TReportFixture f;
        f.Compose([&] {
            while (f.Engine.PageCount() < pages)
                f.Report.PrintRow({QStringLiteral("row")}, fsNone);
            for (int i = 0; i < 5; ++i)
                f.Report.PrintRow({QStringLiteral("row")}, fsNone);
        });
        QCOMPARE(f.Engine.PageCount(), pages);
        const int mid = (f.Engine.Layout[mLeft] + f.Engine.Layout[mRight]) / 2;
        const QRect band(mid - 30, f.Engine.Layout[mBottom], 60, 14);
        for (const QImage& page : f.Engine.Pages)
            QCOMPARE(HasInk(page, band), pages > 1);
        // Nothing is written below the last line of text but the number.
        const QRect belowText(f.Engine.Layout[mLeft], f.Engine.TextBottom + int(f.Engine.LineHeight) + 1,
                              mid - 40 - f.Engine.Layout[mLeft], 40);
        QVERIFY(!HasInk(f.Engine.Pages[0], belowText));
    }

    void headingNeverEndsAPage() {
        TReportFixture f;
        int pageBefore = 0, pageAfter = 0, headingY = 0, rowsLeft = 0;
        f.Compose([&] {
            while (f.Engine.Pen.y() + 4 * f.Engine.LineHeight <= f.Engine.TextBottom)
                f.Report.PrintRow({QStringLiteral("row")}, fsNone);
            rowsLeft = int((f.Engine.TextBottom - f.Engine.Pen.y()) / f.Engine.LineHeight);
            pageBefore = f.Engine.PageCount();
            headingY = -1;
            f.Report.PrintHeading(QStringLiteral("Heading"), fsBold | fsUnderline, 0);
            pageAfter = f.Engine.PageCount();
            headingY = f.Engine.Pen.y() - int(std::lround(f.Engine.LineHeight));
        });
        QVERIFY(rowsLeft >= 1 && rowsLeft < 4);
        QCOMPARE(pageBefore, 1);
        QCOMPARE(pageAfter, 2);
        // The new page starts with the blank line of the page header, then the heading.
        QVERIFY(std::abs(headingY - (f.Engine.Layout[mTop] + int(std::lround(f.Engine.LineHeight)))) <= 1);
    }

    void titleBlockAdvances_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("advance");
        QTest::newRow("one line: the gap") << QStringList{"Title"} << 2;
        QTest::newRow("two lines: gap + 1 + 1") << QStringList{"Title", "Sub"} << 4;
        QTest::newRow("three lines") << QStringList{"Title", "A", "B"} << 5;
        QTest::newRow("empty first line") << QStringList{"", "A"} << 2;
        QTest::newRow("none") << QStringList{} << 0;
    }
    void titleBlockAdvances() {
        QFETCH(QStringList, lines);
        QFETCH(int, advance);
        TReportFixture f;
        int moved = -1;
        f.Compose([&] {
            const int before = f.Engine.LineCount;
            f.Report.PrintTitleBlock(lines, 3, 2);
            moved = f.Engine.LineCount - before;
        });
        QCOMPARE(moved, advance);
    }

    void letterheadAdvancesByTextHeights_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("tenPointLines");
        QTest::addColumn<int>("eightPointLines");
        QTest::newRow("single blank line") << QStringList{" "} << 1 << 0;
        QTest::newRow("empty first line") << QStringList{"", "Street", "City"} << 0 << 2;
        QTest::newRow("three lines") << QStringList{"Firm", "Street", "City"} << 1 << 2;
    }
    void letterheadAdvancesByTextHeights() {
        QFETCH(QStringList, lines);
        QFETCH(int, tenPointLines);
        QFETCH(int, eightPointLines);
        TReportFixture f;
        int moved = 0, counted = 0;
        f.Compose([&] {
            const int y = f.Engine.Pen.y(), count = f.Engine.LineCount;
            f.Report.PrintLetterhead(lines, f.Report.LeftX, 10, 8);
            moved = f.Engine.Pen.y() - y;
            counted = f.Engine.LineCount - count;
        });
        QFont font = f.Engine.ReportFont;
        font.setBold(true);
        font.setPointSize(10);
        const int h10 = QFontMetrics(font, &f.Engine.Pages[0]).height();
        font.setPointSize(8);
        const int h8 = QFontMetrics(font, &f.Engine.Pages[0]).height();
        const int expected = tenPointLines * int(1.25 * h10) + eightPointLines * h8;
        QCOMPARE(moved, expected);
        QCOMPARE(counted, int(std::lround(expected / f.Engine.LineHeight)));
    }

    void logoBesideLetterhead_data() {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<int>("heightRatioPercent");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("short gif") << "gif" << 25 << true;
        QTest::newRow("tall gif") << "gif" << 100 << true;
        QTest::newRow("short jpg") << "jpg" << 25 << true;
        QTest::newRow("tall bmp, upper-case extension") << "BMP" << 100 << true;
        QTest::newRow("png is read as a bitmap and left out") << "png" << 100 << false;
    }
    void logoBesideLetterhead() {
        QFETCH(QString, extension);
        QFETCH(int, heightRatioPercent);
        QFETCH(bool, drawn);
        QTemporaryDir dir;
        const QString path = dir.filePath("logo." + extension);
        QImage logo(400, 4 * heightRatioPercent, QImage::Format_RGB32);
        logo.fill(QColor(200, 0, 0));
        if (extension == "gif")
            QVERIFY(WriteGifFile(logo, path));
        else
            QVERIFY(logo.save(path, extension == "jpg" ? "JPG" : extension.toUpper().toLatin1().constData()));

        // The same letterhead without and with the logo: the difference is the logo's advance.
        auto headerLines = [&](const QString& logoFile) {
            TReportFixture f;
            int lines = 0;
            f.Report.BeginReport([&] { lines = f.Engine.LineCount; }, {}, {});
            f.Report.LetterheadLines = QStringList{"Firm", "Street", "City"};
            f.Report.LogoFile = logoFile;
            f.Report.LogoWidth = 4;
            f.Engine.DoReport();
            if (!logoFile.isEmpty()) {
                const QImage& page = f.Engine.Pages[0];
                const QRgb right = page.pixel(f.Engine.Layout[mRight] - 3, f.Engine.Layout[mTop] + 3);
                const QRgb beyond = page.pixel(f.Engine.Layout[mRight] + 3, f.Engine.Layout[mTop] + 3);
                const bool red = qRed(right) > 150 && qGreen(right) < 80;
                if (red != drawn) qWarning() << "logo pixel" << Qt::hex << right;
                [&] { QCOMPARE(red, drawn); }();
                [&] { QCOMPARE(qRed(beyond) > 150 && qGreen(beyond) < 80, false); }();
                [&] { QVERIFY(f.Messages.isEmpty()); }();
            }
            return std::make_pair(lines, f.Engine.LineHeight);
        };
        const auto [plain, lineHeight] = headerLines(QString());
        const int withLogo = headerLines(path).first;
        if (!drawn) {
            QCOMPARE(withLogo, plain);
            return;
        }
        const int logoPixels = int(std::lround(38 * 4 * heightRatioPercent / 100.0));
        const int logoLines = int(std::lround(logoPixels / lineHeight));
        TReportFixture probe;
        int letterheadLines = 0;
        probe.Compose([&] {
            const int count = probe.Engine.LineCount;
            probe.Report.PrintLetterhead({"Firm", "Street", "City"}, probe.Report.LeftX, 10, 8);
            letterheadLines = probe.Engine.LineCount - count;
        });
        QVERIFY(heightRatioPercent == 100 ? logoLines > letterheadLines : logoLines <= letterheadLines);
        QCOMPARE(withLogo - plain, std::max(0, logoLines - letterheadLines) + 1);
    }

    void missingLetterheadFallsBackToOneBlankLine() {
        TReportFixture f;
        f.Report.SetLetterhead("/nonexistent/LetterHead.txt", "/nonexistent/ReportLogo.gif", 4);
        QCOMPARE(f.Report.LetterheadLines, QStringList{" "});
        QCOMPARE(f.Report.LogoFile, DatabaseFolder() + "ReportLogo.gif");
        QCOMPARE(f.Report.LogoWidth, 4);

        QTemporaryDir dir;
        QFile file(dir.filePath("LetterHead.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Caf\xe9 Engineers\r\n\r\nPretoria\r\n");
        file.close();
        f.Report.SetLetterhead(file.fileName(), file.fileName(), 3);
        QCOMPARE(f.Report.LetterheadLines,
                 (QStringList{QString::fromUtf8("Café Engineers"), "", "Pretoria"}));
        QCOMPARE(f.Report.LogoFile, file.fileName());
    }

    void widestColumnsNarrowInFifths() {
        std::vector<int> widths{100, 60, 60};
        const std::vector<int> steps = NarrowWidestColumns(widths, 190);
        QVERIFY(steps.size() >= 2);
        QCOMPARE(steps[0], 8);
        QCOMPARE(steps[1], 6);
        QVERIFY(widths[0] + widths[1] + widths[2] <= 190);
        QCOMPARE(widths[1], 60);

        std::vector<int> equal{80, 80, 80};
        QVERIFY(NarrowWidestColumns(equal, 100).empty()); // all equal: nothing to narrow
    }

    void listViewCellsStartAtTheStops() {
        TReportFixture f;
        f.Compose([&] { f.Report.PrintListView({"A", "B", "C", "D", "E"}, {{"1", "2", "3", "4", "5"}}, 5); });
        const auto& L = f.Engine.Layout;
        QCOMPARE(f.Report.Columns[0], L[mLeft]);
        for (int i = 1; i < 5; ++i)
            QCOMPARE(f.Report.Columns[i], L[mStop1 + i - 1]);
    }

    // Wherever a heading falls, it shares its page with its notes, the table's captions and at least
    // three rows (or all of a shorter table).
    void headingStaysWithItsTable_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("notes");
        QTest::newRow("three rows, two notes and a blank") << 3 << 3;
        QTest::newRow("long table, no notes") << 30 << 0;
        QTest::newRow("one row") << 1 << 0;
    }
    void headingStaysWithItsTable() {
        QFETCH(int, rows);
        QFETCH(int, notes);
        QList<QStringList> table;
        for (int i = 0; i < rows; ++i)
            table << QStringList{QString::number(i), QStringLiteral("x")};
        for (int filler = 30; filler < 70; ++filler) {
            TReportFixture f;
            int headingPage = 0, thirdRowPage = 0;
            f.Compose([&] {
                for (int i = 0; i < filler; ++i)
                    f.Report.PrintRow({QStringLiteral("row")}, fsNone);
                f.Report.PrintHeading(QStringLiteral("Heading"), fsBold | fsUnderline, 0,
                                      notes + TStdReport::TableLines(rows));
                headingPage = f.Engine.PageCount();
                for (int i = 0; i < notes; ++i)
                    f.Report.PrintRow({QStringLiteral("note")}, fsNone);
                f.Report.PrintListView({QStringLiteral("Caption"), QStringLiteral("B")},
                                       table.mid(0, std::min(3, rows)), 2);
                thirdRowPage = f.Engine.PageCount();
            });
            QVERIFY2(headingPage == thirdRowPage, qPrintable(QStringLiteral("after %1 rows").arg(filler)));
        }
    }

    // At 20 points the captions of a list table would run into each other at the stops: the columns
    // move right to make room, and a table then wider than the page loses type size, with the message
    // the input table gives after a font change.
    void listColumnsMakeRoomForTheirTexts() {
        TReportFixture f;
        f.Engine.ReportFont.setPointSize(20);
        f.Engine.FontChanged = true;
        const QStringList angles{"CT", "Altitude", "Azimuth", "SSA", "Incident"},
            solar{"CT", "Normal", "Direct", "Diffuse", "Reflect", "Total"};
        const QList<QStringList> angleRows{{" 12", "40", "-177", "357", "40"}},
            solarRows{{" 12", "834", "635", "120", "65", "820"}};
        int captionsY = 0, gap = 0, solarSize = 0;
        std::array<int, 9> angleColumns{};
        f.Compose([&] {
            gap = f.Engine.TextWidth(QStringLiteral(" "));
            captionsY = f.Engine.Pen.y();
            f.Report.PrintListView(angles, angleRows, 5);
            angleColumns = f.Report.Columns;
            f.Report.PrintListView(solar, solarRows, 6);
            solarSize = f.Report.Canvas->font().pointSize();
        });
        const QImage& page = f.Engine.Pages[0];
        for (int i = 1; i < 5; ++i) {
            QVERIFY(angleColumns[i] >= f.Engine.Layout[mStop1 + i - 1]);
            // A blank strip before each column's start on the captions' row.
            const QRect before(angleColumns[i] - gap, captionsY, gap - 1, int(f.Engine.LineHeight) - 2);
            QVERIFY2(!HasInk(page, before), qPrintable(angles[i]));
        }
        QCOMPARE(f.Messages.size(), 1);
        const QRegularExpressionMatch reduced =
            QRegularExpression("^Font size in table reduced to (\\d+) to fit all columns$")
                .match(f.Messages[0]);
        QVERIFY2(reduced.hasMatch(), qPrintable(f.Messages[0]));
        QVERIFY(reduced.captured(1).toInt() >= 10 && reduced.captured(1).toInt() < 20);
        QVERIFY(f.Report.Columns[5] + 10 < f.Engine.Layout[mRight]);
        QCOMPARE(solarSize, 20); // the font is the report's again after the table
    }

    void listViewRepeatsItsCaptionsOnEachPage() {
        TReportFixture f;
        QList<QStringList> rows;
        for (int i = 0; i < 100; ++i)
            rows << QStringList{QString::number(i), QStringLiteral("x")};
        int captionWidth = 0;
        f.Compose([&] {
            captionWidth = f.Engine.TextWidth(QStringLiteral("Caption"));
            f.Report.PrintListView({QStringLiteral("Caption"), QStringLiteral("B")}, rows, 2);
        });
        QCOMPARE(f.Engine.PageCount(), 2);
        const int x = f.Report.Columns[0];
        for (const QImage& page : f.Engine.Pages) // the caption's underline
            QCOMPARE(RuleRows(page, x + 1, x + captionWidth - 2).size(), 1);
    }

    void entryGridTableFitsItsFont_data() {
        QTest::addColumn<int>("cellLength");
        QTest::addColumn<bool>("fontChanged");
        QTest::addColumn<int>("tableSize");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("fits, after a font change") << 8 << true << 12 << QStringList{};
        QTest::newRow("too wide, no font change") << 200 << false << 10 << QStringList{};
        QTest::newRow("too wide after a font change")
            << 200 << true << 10 << QStringList{"Font size in table reduced to 10 to fit all columns"};
    }
    void entryGridTableFitsItsFont() {
        QFETCH(int, cellLength);
        QFETCH(bool, fontChanged);
        QFETCH(int, tableSize);
        QFETCH(QStringList, messages);
        TReportFixture f;
        f.Engine.ReportFont.setPointSize(12);
        f.Engine.FontChanged = fontChanged;
        TxStringGrid grid;
        grid.SetColCount(3);
        grid.SetRowCount(4);
        for (int c = 0; c < 3; ++c)
            grid.SetCells(c, 0, QStringLiteral("Head%1").arg(c));
        for (int r = 1; r < 4; ++r)
            grid.SetCells(1, r, QString(cellLength, QLatin1Char('w')));
        f.Compose([&] { f.Report.PrintEntryGrid(grid, {0, 1, 2, 3}); });
        QCOMPARE(f.Report.TableFontSize(), tableSize);
        QCOMPARE(f.Messages, messages);
        QVERIFY(!f.Engine.FontChanged);
        QVERIFY(!f.Report.GridMode);
        QVERIFY(f.Report.ColumnX().back() <= f.Engine.Layout[mRight]);
        // A second composition after the same font change says nothing more.
        f.Messages.clear();
        f.Engine.DoReport();
        QVERIFY(f.Messages.isEmpty());
    }

    void entryGridTableIsBoxedOnEveryPage() {
        TReportFixture f;
        TxStringGrid grid;
        grid.SetColCount(3);
        grid.SetRowCount(90);
        for (int r = 0; r < 90; ++r)
            for (int c = 0; c < 3; ++c)
                grid.SetCells(
                    c, r, r == 0 ? QStringLiteral("Head%1").arg(c) : QStringLiteral("r%1c%2").arg(r).arg(c));
        f.Compose([&] { f.Report.PrintEntryGrid(grid, {0, 1, 2, 89}); });
        QCOMPARE(f.Engine.PageCount(), 2);
        const std::vector<int>& x = f.Report.ColumnX();
        for (const QImage& page : f.Engine.Pages) {
            const QList<int> rules = RuleRows(page, x.front() + 1, x.back() - 1);
            QCOMPARE(rules.size(), 3); // above and below the header, under the page's last row
            // Vertical lines at every boundary from the top rule to the bottom rule.
            for (int bx : x)
                for (int y = rules.first(); y <= rules.last(); ++y)
                    QVERIFY2(qGray(page.pixel(bx, y)) < 128,
                             qPrintable(QStringLiteral("x %1 y %2").arg(bx).arg(y)));
        }
    }
};

QTEST_MAIN(TestPageEngine)
#include "tst_pageengine.moc"
