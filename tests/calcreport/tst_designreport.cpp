// The design report on the worked example at a picked place, read back from its PDF with pdftotext: the
// project block, the site, the day, the surface in words, every table with its units and the legend,
// totals and peaks, method and assumptions, "Page n of N" with the running header and the version on
// every page, the PDF's title, author and subject; numbers right-aligned on the decimal point; and the
// pages rendered to pictures, with and without a letterhead and a logo, for looking at.
#include "app/DesignReport.h"
#include "app/TCalcDocument.h"
#include "report/ReportExport.h"
#include "report/ReportMessages.h"
#include "report/ReportSettings.h"
#include "report/TxStdReport.h"
#include "tests/common/TestPaths.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TProjectInfo Project() {
    TProjectInfo p;
    p.Title = "Riverside Offices";
    p.Number = "P-2026-017";
    p.Client = QString::fromUtf8("M\u00fcller Holdings");
    p.Building = QString::fromUtf8("Block B, north fa\u00e7ade");
    p.Designer = "A. Designer";
    p.Checker = "C. Checker";
    p.Revision = "C2";
    p.Notes = "Peak cooling check.\nSecond line of notes.";
    return p;
}

// The worked example (the Reset inputs) at Johannesburg, with the project block.
void WorkedExample(TCalcDocument& doc) {
    doc.ApplyInputs(ResetInputSet());
    doc.PickLocation("Johannesburg, Gauteng", 1700, -26.13, 28.23, 30, 29, 12);
    doc.SetProjectInfo(Project());
}

// The design report of doc as a PDF, as the command line writes it.
bool WritePdf(TCalcDocument& doc, const QString& path, const QString& letterheadFolder = "/nonexistent/") {
    TPageEngine engine;
    TStdReport report(engine);
    BeginDesignReport(report, doc, false, letterheadFolder);
    QString error;
    const bool ok = ExportReportPdf(
        engine, path, nullptr,
        {engine.DocumentTitle, "Quorvane", engine.DocumentAuthor, engine.DocumentSubject}, &error);
    if (!ok) qWarning() << error;
    return ok;
}

} // namespace

class TestDesignReport : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString pdf, text, info;
    QStringList pages; // pdftotext's pages

private slots:
    void initTestCase() {
        QApplication::setApplicationDisplayName("Quorvane");
        SetReportMessageHook([](const QString& m) { qWarning() << m; });
        TCalcDocument doc;
        WorkedExample(doc);
        pdf = dir.filePath("design.pdf");
        QVERIFY(WritePdf(doc, pdf));
        text = Run("pdftotext", {"-layout", pdf, "-"});
        info = Run("pdfinfo", {pdf});
        pages = text.split('\f', Qt::SkipEmptyParts);
        while (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        QVERIFY2(pages.size() >= 3, qPrintable(text));
    }

    // What a client reads, section by section: each row a pattern the PDF's text must hold.
    void content_data() {
        QTest::addColumn<QString>("pattern");
        const QStringList rows{
            // project block, as typed
            "Project title\\s+Riverside Offices",
            "Project number\\s+P-2026-017",
            "Client\\s+Müller Holdings",
            "Building and façade\\s+Block B, north façade",
            "Designer\\s+A. Designer",
            "Checker\\s+C. Checker",
            "Revision\\s+C2",
            "Notes\\s+Peak cooling check.\\s+Second line of notes.",
            // site
            "Place\\s+Johannesburg, Gauteng",
            "Position\\s+26.13°S 28.23°E",
            "Altitude\\s+1700 m",
            "Time zone\\s+UTC\\+2 \\(zone meridian 30°E\\)",
            "maximum dry bulb 29.0 °C, daily range 12.0 K",
            // day
            "Date\\s+21 June \\(day number 172.5\\)",
            "Sunrise\\s+06:57:50",
            "Sunset\\s+17:19:33",
            "Declination\\s+23.450°",
            "Equation of time\\s+-1.605 min",
            // surface
            "vertical wall facing north \\(azimuth 180° from south, west positive\\)",
            // legend
            "CT\\s+clock time",
            "SSA\\s+surface-solar azimuth",
            "Incident\\s+the angle between the sun's rays",
            "Normal\\s+direct \\(beam\\) irradiance on a plane normal",
            "Direct\\s+direct \\(beam\\) irradiance on the surface",
            "Diffuse\\s+sky diffuse",
            "Reflect\\s+Reflected: irradiance reflected",
            "SHGF\\s+solar heat gain factor",
            "Hours with the sun below the horizon are left out",
            // every table, with units under its captions, and the noon rows
            "Sun position \\(angles in degrees\\)",
            "CT\\s+Altitude\\s+Azimuth\\s+SSA\\s+Incident\\s*\\n\\s*\\[h\\]\\s+\\[°\\]",
            "\\n\\s*12\\s+40\\s+-177\\s+357\\s+40\\s*\\n",
            "Irradiance on the surface \\(W/m²\\)",
            "\\[h\\]\\s+\\[W/m²\\]\\s+\\[W/m²\\]",
            "\\n\\s*12\\s+834\\s+635\\s+120\\s+65\\s+820\\s*\\n",
            "Sol-air temperature and solar heat gain factor \\(light surface\\)",
            "\\[W/m²\\]\\s+\\[°C\\]\\s+\\[°C\\]",
            "\\n\\s*2\\s+0\\s+\\d+\\.\\d\\s+\\d+\\.\\d\\s+0.0\\s+sun down",
            "Irradiance on the surface through the day",
            "Daily totals and peaks",
            "kWh/m² per day",
            "Total\\s+5.84\\s+820\\s+W/m²\\s+12:00",
            "Window recess shading",
            "Glass\\s+1.25 m high, 2.50 m wide, set back 0.15 m",
            "Sunlit fraction of the glass",
            "\\[fraction\\]",
            // method and assumptions
            "published method",
            "ASHRAE clear-day model",
            "Ground reflectance 0.2",
            "0.30°",
            "0.0021°",
            "Design calculations remain the responsibility of the engineer who signs them",
            "Appendix: calculation details",
        };
        for (const QString& row : rows)
            QTest::newRow(qPrintable(row.left(40))) << row;
    }
    void content() {
        QFETCH(QString, pattern);
        QVERIFY2(text.contains(QRegularExpression(pattern)), qPrintable(pattern));
    }

    // Every page: its number of the total, the running header (project, site, date) and the version.
    void everyPage() {
        const int total = QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt();
        QCOMPARE(pages.size(), total);
        for (int i = 0; i < total; ++i) {
            const QString& page = pages[i];
            QVERIFY2(page.contains(QString("Page %1 of %2").arg(i + 1).arg(total)),
                     qPrintable(page.left(300)));
            QVERIFY2(page.contains(QRegularExpression("Riverside Offices \\(P-2026-017\\)\\s+Johannesburg, "
                                                      "Gauteng, 21 June")),
                     qPrintable(page.left(300)));
            QVERIFY2(page.contains("Quorvane Version 2.1.0.15"), qPrintable(page.right(300)));
        }
    }

    void documentInfo() {
        QVERIFY2(info.contains(QRegularExpression("Title:\\s+Solar Design Report - Riverside Offices\\n")),
                 qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Author:\\s+A. Designer\\n")), qPrintable(info));
        QVERIFY2(
            info.contains(QRegularExpression("Subject:\\s+Solar design calculation: Johannesburg, Gauteng, "
                                             "21 June\\n")),
            qPrintable(info));
        QVERIFY(info.contains(QRegularExpression("Creator:\\s+Quorvane\\n")));
    }

    // The sol-air table's numbers stand right-aligned on their decimal point: the right edges of one
    // column's words line up, "0.0" and "698.8" alike.
    void numbersAlignOnTheDecimalPoint() {
        const QString boxes = Run("pdftotext", {"-bbox", pdf, "-"});
        // The SHGF column: every word of one decimal in the table after its caption and unit.
        QMap<QString, QList<double>> rightEdges;
        const QRegularExpression word("<word xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\" "
                                      "yMax=\"[\\d.]+\">(\\d+\\.\\d)</word>");
        for (auto it = word.globalMatch(boxes); it.hasNext();) {
            const auto m = it.next();
            rightEdges[m.captured(3)] << m.captured(2).toDouble();
        }
        // 0.0 (night) and 698.8 (noon) are SHGF cells; 270.5 and 41.9 too.
        QVERIFY(rightEdges.contains("698.8") && rightEdges.contains("0.0") && rightEdges.contains("41.9"));
        const double edge = rightEdges["698.8"].first();
        QVERIFY(std::any_of(rightEdges["0.0"].begin(), rightEdges["0.0"].end(),
                            [&](double x) { return std::abs(x - edge) < 0.3; }));
        QVERIFY(std::abs(rightEdges["41.9"].first() - edge) < 0.3);
    }

    // The texts of the site and the surface across the cases that read differently.
    void wordings_data() {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zone east") << ZoneText(30) << "UTC+2";
        QTest::newRow("zone quarter hour") << ZoneText(86.25) << "UTC+5:45";
        QTest::newRow("zone west") << ZoneText(-150) << "UTC-10";
        QTest::newRow("zone Greenwich") << ZoneText(0) << "UTC";
        QTest::newRow("zone past the date line") << ZoneText(195) << "UTC+13";
        QTest::newRow("position north west") << PositionText(51.5, -0.12) << "51.50°N 0.12°W";
        QTest::newRow("wall north") << SurfaceText(180, 90)
                                    << "vertical wall facing north (azimuth 180° from south, west positive)";
        QTest::newRow("wall east") << SurfaceText(-90, 90)
                                   << "vertical wall facing east (azimuth -90° from south, west positive)";
        QTest::newRow("between points") << SurfaceText(15, 90)
                                        << "vertical wall facing about south-south-west (azimuth 15° from "
                                           "south, west positive)";
        QTest::newRow("roof") << SurfaceText(-45, 30)
                              << "roof sloping 30° from horizontal, facing south-east (azimuth -45° from "
                                 "south, west positive)";
        QTest::newRow("flat") << SurfaceText(180, 0) << "horizontal surface (roof) facing the sky";
        QTest::newRow("overhang")
            << SurfaceText(0, 120)
            << "overhanging surface tilted 120° from horizontal, facing south (azimuth 0° "
               "from south, west positive)";
        TCalcDocument doc;
        doc.SetDayNumber(172.5);
        QTest::newRow("published day") << DayDateText(doc) << "21 June";
        doc.SetSunMethod(smPrecise);
        doc.SetSunYear(2028); // a leap year: day 172 is 20 June
        QTest::newRow("precise day, leap year") << DayDateText(doc) << "20 June 2028";
    }
    void wordings() {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    // The report's accuracy statement gives the figures of the help page's Accuracy section, so the two
    // cannot drift apart.
    void accuracyAsTheHelpPageStatesIt() {
        QFile page(SourcePath("/data/help/Quorvane.htm"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        const QString section = html.mid(html.indexOf("<h2 id=\"accuracy\">"));
        int figures = 0;
        for (auto it = QRegularExpression("(\\d+\\.\\d+)\u00B0").globalMatch(AccuracyText()); it.hasNext();
             ++figures) {
            const QString figure = it.next().captured(1);
            QVERIFY2(section.left(section.indexOf("<h2", 5)).contains(figure + "&deg;"), qPrintable(figure));
        }
        QCOMPARE(figures, 4);
        QVERIFY(text.contains("0.0021°"));
    }

    // The pages as a client sees them, with and without a letterhead and a logo, saved for looking at.
    void pictures() {
        QTemporaryDir head;
        QFile letterhead(head.filePath("LetterHead.txt"));
        QVERIFY(letterhead.open(QIODevice::WriteOnly));
        letterhead.write("Brandt Consulting Engineers\nM\xc3\xbcllerstra\xc3\x9f"
                         "e 4, Pretoria\nTel 012 345 6789\n");
        letterhead.close();
        QImage logo(300, 120, QImage::Format_RGB32);
        logo.fill(QColor(30, 90, 160));
        QPainter(&logo).fillRect(40, 30, 220, 60, Qt::white);
        QVERIFY(logo.save(head.filePath("ReportLogo.bmp"), "BMP"));
        TCalcDocument doc;
        WorkedExample(doc);
        QDir().mkpath(BinaryPath("/screens"));
        for (const bool withHead : {false, true}) {
            const QString path = dir.filePath(withHead ? "head.pdf" : "plain.pdf");
            QVERIFY(WritePdf(doc, path, withHead ? head.path() + "/" : QString("/nonexistent/")));
            const QString prefix =
                BinaryPath("/screens/designreport-") + QString(withHead ? "letterhead" : "plain");
            QProcess render;
            render.start("pdftoppm", {"-r", "70", "-png", path, prefix});
            QVERIFY(render.waitForFinished(60000));
            QCOMPARE(render.exitCode(), 0);
            QVERIFY(QFileInfo::exists(prefix + "-1.png"));
            if (withHead) QVERIFY(Run("pdftotext", {path, "-"}).contains("Müllerstraße 4, Pretoria"));
        }
    }
};

QTEST_MAIN(TestDesignReport)
#include "tst_designreport.moc"
