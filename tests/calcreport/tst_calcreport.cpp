// The calculation report on the worked example: what it prints, that it solves only when out of date,
// and a real print through the system's printer read back with pdftotext.
#include "app/CalcReport.h"
#include "app/DesignPeaks.h"
#include "app/ResultColumns.h"
#include "app/TCalcDocument.h"
#include "controls/TxEntryGrid.h"
#include "report/ImageFiles.h"
#include "report/ReportMessages.h"
#include "report/ReportSettings.h"
#include "report/TxStdReport.h"
#include "report/TxfReport.h"
#include "storage/Folders.h"
#include "tests/common/TestPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString PdfText(const QString& path) {
    QProcess text;
    text.start("pdftotext", {"-layout", path, "-"});
    text.waitForFinished();
    return QString::fromUtf8(text.readAllStandardOutput());
}

QString PdfInfo(const QString& path) {
    QProcess info;
    info.start("pdfinfo", {path});
    info.waitForFinished();
    return QString::fromUtf8(info.readAllStandardOutput());
}

// The report's lines that pdftotext gives, checked against the document's rows.
void CheckReportText(const QString& text) {
    for (const char* heading :
         {"Quorvane Report", "Location Data", "Angles (Sunrise to Sunset)", "Solar Insolation"})
        QVERIFY2(text.contains(heading), qPrintable(heading + QStringLiteral(" in:\n") + text.left(1500)));
    QVERIFY(text.contains("Latitude"));
    QVERIFY(text.contains("-26.13"));
    QVERIFY2(text.contains("Sun position: published method"), qPrintable(text.left(1500)));
    // The noon rows of both tables, with their cells in column order.
    const QRegularExpression noon(QStringLiteral("\\n\\s*12\\s+40\\s+-177\\s+357\\s+40\\s*\\n"));
    QVERIFY2(text.contains(noon), qPrintable(text));
    QVERIFY2(text.contains(
                 QRegularExpression(QStringLiteral("\\n\\s*12\\s+834\\s+635\\s+120\\s+65\\s+820\\s*\\n"))),
             qPrintable(text));
    QVERIFY(text.contains("Quorvane Version 2.1.0.15"));
    // Whole words, as a reader searching the PDF types them (ligature glyphs would hide them).
    for (const char* word : {"Diffuse", "Reflect", "Altitude", "Incident"})
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(word))), word);
    QVERIFY(!text.contains("Sol-Air") && !text.contains("Glass"));
}

} // namespace

class TestCalcReport : public QObject {
    Q_OBJECT

    TCalcDocument doc;
    TEntryGrid grid;
    QStringList messages;

private slots:
    void initTestCase() {
        // The column stops the main window sets when it first shows.
        SetColumnStops({5, 7, 9, 11, 13});
        QApplication::setApplicationDisplayName("Quorvane");
        SetReportMessageHook([this](const QString& m) { messages << m; });
        doc.ApplyInputs(TInputSet{1700, -26.13, 28.23, 30, 180, 90, 172.5, 1.25, 2.5, 0.15});
        FillInputGrid(grid, doc);
    }

    // Each table prints every column of its page in the result-column table: one at the left margin and
    // one at each stop, so a page with more columns than stops would lose its last ones.
    void everyResultColumnHasAStop() {
        QVERIFY(!CalcReportTables().isEmpty());
        for (const TReportTable& table : CalcReportTables()) {
            const QStringList captions = ColumnCaptions(table.Page);
            QVERIFY2(captions.size() <= 1 + CalcReportColumnStops().size(), table.Heading);
            QCOMPARE(captions.size(), Columns(table.Page).size() + 1);
        }
        // And the report shows them: every caption of both tables in the PDF's text.
        TPreviewForm preview;
        preview.SelectPrinter(QString());
        TStdReport report(preview.Engine);
        BeginCalcReport(report, doc, grid);
        QTemporaryDir dir;
        QVERIFY(preview.ExportPdf(dir.filePath("columns.pdf")));
        const QString text = PdfText(dir.filePath("columns.pdf"));
        for (const TReportTable& table : CalcReportTables()) {
            const QString captions = ColumnCaptions(table.Page).join("\\s+");
            QVERIFY2(text.contains(QRegularExpression(captions)), qPrintable(captions));
        }
    }

    void solvesOnlyWhenOutOfDate() {
        TPageEngine engine;
        engine.SetPrinter(nullptr);
        TStdReport report(engine);
        int solves = 0;
        doc.OnSolveFinished = [&] { ++solves; };
        doc.SetSolved(false);
        BeginCalcReport(report, doc, grid);
        QCOMPARE(solves, 1);
        BeginCalcReport(report, doc, grid);
        QCOMPARE(solves, 1);
        QCOMPARE(report.Titles, QStringList{"Quorvane Report"});
        QVERIFY(report.Subtitles.isEmpty());
        QCOMPARE(report.LogoWidth, 4);
        doc.OnSolveFinished = nullptr;
    }

    void pdfHoldsInputsTablesAndFooter() {
        TPreviewForm preview;
        preview.SelectPrinter(QString());
        TStdReport report(preview.Engine);
        BeginCalcReport(report, doc, grid);
        QTemporaryDir dir;
        QVERIFY(preview.ExportPdf(dir.filePath("report.pdf")));
        CheckReportText(PdfText(dir.filePath("report.pdf")));
        QVERIFY(messages.isEmpty());
    }

    // The optional Design Peaks section: the nine facades' peaks over the design days, each with its
    // month and hour, after the tables.
    void designPeaksSection() {
        TPreviewForm preview;
        preview.SelectPrinter(QString());
        TStdReport report(preview.Engine);
        BeginCalcReport(report, doc, grid, true);
        QDir().mkpath(BinaryPath("/screens"));
        const QString pdf =
            BinaryPath("/screens/calc-report-peaks.pdf"); // kept to look at
        QVERIFY(preview.ExportPdf(pdf));
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains("Design Peaks (21st of each month)"), qPrintable(text));
        QVERIFY(text.indexOf("Design Peaks") > text.indexOf("Solar Insolation"));
        const QList<TSurfacePeaks> peaks = OrientationPeaks(doc, true);
        for (const TSurfacePeaks& s : peaks) {
            const QString row =
                QStringLiteral("\\n\\s*%1\\s+%2\\s+%3\\s+%4\\s+%5\\s*\\n")
                    .arg(s.Name, PeakValueText(DesignQuantities()[0], s.Peaks[0]), PeakWhenText(s.Peaks[0]),
                         PeakValueText(DesignQuantities()[1], s.Peaks[1]), PeakWhenText(s.Peaks[1]));
            QVERIFY2(text.contains(QRegularExpression(row)), qPrintable(row + "\n" + text));
        }

        QTemporaryDir dir;
        TStdReport plain(preview.Engine);
        BeginCalcReport(plain, doc, grid);
        QVERIFY(preview.ExportPdf(dir.filePath("plain.pdf")));
        QVERIFY(!PdfText(dir.filePath("plain.pdf")).contains("Design Peaks"));
        QVERIFY(messages.isEmpty());
    }

    // With a three-line letterhead the Design Peaks heading used to end page 1 with its notes while its
    // table began on page 2. For letterheads of 0 to 6 lines, which move the section down line by line,
    // the page that holds the heading holds the captions and three rows too.
    void designPeaksHeadingKeepsItsTable() {
        const QString letterhead = ProgramFolder() + "LetterHead.txt";
        for (int lines = 0; lines <= 6; ++lines) {
            QFile file(letterhead);
            QVERIFY(file.open(QIODevice::WriteOnly));
            for (int i = 0; i < lines; ++i)
                file.write("Kestrel & Moyo Consulting Engineers\n");
            file.close();
            TPreviewForm preview;
            preview.SelectPrinter(QString());
            TStdReport report(preview.Engine);
            BeginCalcReport(report, doc, grid, true);
            QTemporaryDir dir;
            QVERIFY(preview.ExportPdf(dir.filePath("peaks.pdf")));
            const QStringList pages = PdfText(dir.filePath("peaks.pdf")).split('\f');
            const auto heading = std::find_if(pages.begin(), pages.end(), [](const QString& p) {
                return p.contains("Design Peaks (21st");
            });
            QVERIFY(heading != pages.end());
            const QString after = heading->mid(heading->indexOf("Design Peaks (21st"));
            const QRegularExpression threeRows(
                "\\n\\s*Facade\\s[^\\n]*\\n\\s*N\\s[^\\n]*\\n\\s*NE\\s[^\\n]*\\n\\s*E\\s");
            QVERIFY2(after.contains(threeRows),
                     qPrintable(QStringLiteral("%1 letterhead lines:\n").arg(lines) + after));
        }
        QFile::remove(letterhead);
        QVERIFY(messages.isEmpty());
    }

    // Letterhead and logo of a firm in the program folder, and the preview pages as pictures.
    void renderWithLetterheadAndLogo() {
        const QString letterhead = ProgramFolder() + "LetterHead.txt",
                      logo = ProgramFolder() + "ReportLogo.gif";
        QFile file(letterhead);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // Saved as a Linux editor saves it: UTF-8.
        file.write("M\xc3\xbcller & Kestrel Consulting Engineers\n14 Jacaranda Street, Pretoria 0002\n"
                   "Tel +27 12 555 0142   Design 25 \xc2\xb0"
                   "C\n");
        file.close();
        QImage picture(400, 200, QImage::Format_RGB32);
        picture.fill(Qt::white);
        {
            QPainter p(&picture);
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(QColor(30, 90, 160));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPoint(100, 100), 80, 80);
            p.setBrush(QColor(240, 170, 30));
            p.drawEllipse(QPoint(100, 100), 40, 40);
            p.setPen(QColor(30, 90, 160));
            p.setFont(QFont("DejaVu Sans", 48, QFont::Bold));
            p.drawText(QRect(190, 40, 210, 120), Qt::AlignCenter, "K&M");
        }
        QVERIFY(WriteGifFile(picture, logo));

        TPreviewForm preview;
        preview.SelectPrinter(QString());
        TStdReport report(preview.Engine);
        preview.Attach(report);
        doc.SetDayNumber(172.5);
        doc.SetSolved(false);
        BeginCalcReport(report, doc, grid);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        for (int i = 0; i < preview.Engine.PageCount(); ++i)
            preview.Engine.Pages[i].save(BinaryPath("/calc-report-page%1.png").arg(i + 1));
        QTemporaryDir dir;
        QVERIFY(preview.ExportPdf(dir.filePath("letterhead.pdf")));
        const QString text = PdfText(dir.filePath("letterhead.pdf"));
        QVERIFY2(text.contains(QString::fromUtf8("Müller & Kestrel")) &&
                     text.contains(QString::fromUtf8("25 °C")),
                 qPrintable(text.left(600)));
        QVERIFY(messages.isEmpty());
        QFile::remove(letterhead);
        QFile::remove(logo);
    }

    void printsOnTheSystemPrinter() {
        const QString wanted = qEnvironmentVariable("QUORVANE_TEST_PRINTER");
        const QPrinterInfo info =
            wanted.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(wanted);
        if (info.isNull()) {
            if (!wanted.isEmpty()) QFAIL(qPrintable("printer not found: " + wanted));
            QSKIP("no printer on this machine; set QUORVANE_TEST_PRINTER to require one");
        }
        const QString output =
            qEnvironmentVariable("QUORVANE_TEST_PRINTER_OUTPUT", "/var/spool/cups-pdf/out");
        QSet<QString> before;
        for (QDirIterator it(output, {"*.pdf"}, QDir::Files); it.hasNext();)
            before << it.next();

        TPreviewForm preview;
        preview.SelectPrinter(info.printerName());
        TStdReport report(preview.Engine);
        BeginCalcReport(report, doc, grid);
        preview.PrintBtnClick();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));

        // cups-pdf writes the file in place: wait until it carries the job's title and all its pages,
        // then read the printed text back.
        const int pages = preview.Engine.PrinterPageNumber;
        QString printed;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (QDirIterator it(output, {"*.pdf"}, QDir::Files); it.hasNext();) {
                    const QString path = it.next();
                    const QString info = PdfInfo(path);
                    if (!before.contains(path) &&
                        info.contains(QRegularExpression("Title:\\s+\\(?Quorvane Report")) &&
                        info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))))
                        printed = path;
                }
                return !printed.isEmpty();
            }(),
            30000);
        CheckReportText(PdfText(printed));
        QFile::remove(printed);
    }
};

QTEST_MAIN(TestCalcReport)
#include "tst_calcreport.moc"
