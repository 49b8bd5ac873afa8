// The preview window driven by its keys and mouse: zoom, page navigation, margin dragging, GIF and
// PDF export, and mailing the pages through a recording mail launcher.
#include "../common/SavePicture.h"
#include "ReportFixture.h"
#include "tests/common/TestPaths.h"

#include "report/ImageFiles.h"
#include "report/MailFolder.h"
#include "report/MapiControl.h"
#include "report/TxfReport.h"
#include "storage/Folders.h"
#include "storage/Settings.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <gif_lib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Width, height and image count of a GIF file, read with giflib.
struct TGifSize {
    int Width = 0, Height = 0, Images = 0;
};
TGifSize ReadGifSize(const QString& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif) return {};
    TGifSize size;
    if (DGifSlurp(gif) == GIF_OK) size = {gif->SWidth, gif->SHeight, gif->ImageCount};
    DGifCloseFile(gif, &error);
    return size;
}

void PressReturn(QFileDialog* dialog, QLineEdit* edit, int tries = 50);

// A mail launcher "xdg-email" that runs a shell script in its own folder, first on PATH while it
// lives; with no script, PATH holds only the given folder, where no launcher is.
class TLauncher {
public:
    explicit TLauncher(const QString& script, const QString& onlyPath = QString()) : path_(qgetenv("PATH")) {
        if (!script.isEmpty()) {
            QFile file(dir_.filePath("xdg-email"));
            if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write the launcher");
            file.write(QStringLiteral("#!/bin/sh\ncd '%1'\n").arg(dir_.path()).toUtf8() + script.toUtf8());
            file.close();
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        }
        qputenv("PATH", onlyPath.isEmpty() ? dir_.path().toUtf8() + ":" + path_ : onlyPath.toUtf8());
    }
    ~TLauncher() { qputenv("PATH", path_); }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QStringList Arguments() const {
        QFile args(Path("args.txt"));
        if (!args.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(args.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir dir_;
    QByteArray path_;
};

// A launcher script that writes its arguments to args.txt, one a line.
const QString RecordingLauncher = "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > args.txt\n";

// Answers the next file dialog, once it is shown, by typing the name and pressing Return. A dialog that
// cannot be answered within about 20 s is cancelled, so the test fails instead of hanging.
void AnswerFileDialog(const QString& path, int tries = 1000) {
    QTimer::singleShot(20, [path, tries] {
        QFileDialog* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) dialog = d;
        auto* edit = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!edit || !dialog->isVisible()) {
            if (tries > 0)
                AnswerFileDialog(path, tries - 1);
            else if (dialog)
                dialog->reject();
            return;
        }
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, path);
        PressReturn(dialog, edit);
    });
}

// Return in the name box; the path completer's list, when it has popped up (it fills from the file
// system in the background, so later on a loaded machine), takes the first Return, so the key is pressed
// again while the dialog stays open.
void PressReturn(QFileDialog* dialog, QLineEdit* edit, int tries) {
    if (QCompleter* completer = edit->completer(); completer && completer->popup()->isVisible())
        completer->popup()->hide();
    QTest::keyClick(edit, Qt::Key_Return);
    QPointer<QFileDialog> guard(dialog);
    QTimer::singleShot(200, [guard, edit, tries] {
        if (!guard || !guard->isVisible()) return;
        if (tries > 0)
            PressReturn(guard, edit, tries - 1);
        else
            guard->reject();
    });
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT

    std::unique_ptr<TReportFixture> f;
    std::unique_ptr<TPreviewForm> preview;
    std::unique_ptr<TStdReport> report;
    int rows = 10;

    // A preview of a report of `rows` numbered rows, shown (which composes it) with no printer.
    void Open(int rowCount) {
        rows = rowCount;
        preview = std::make_unique<TPreviewForm>();
        preview->SelectPrinter(QString());
        preview->Engine.ScreenMetrics = [] { return TScreenMetrics{798, 210, 1129, 297}; };
        report = std::make_unique<TStdReport>(preview->Engine);
        report->BeginReport(
            [this] {
                report->PrintHeading("Numbers", fsBold | fsUnderline, 0);
                for (int i = 0; i < rows; ++i)
                    report->PrintRow({QString::number(i), QStringLiteral("value %1").arg(i)}, fsNone);
                report->PrintFooterLine(true, "Version test");
            },
            {"Test Report"}, {});
        report->LetterheadLines = {"Firm"};
        report->LogoFile.clear();
        preview->show();
        QVERIFY(QTest::qWaitForWindowExposed(preview.get()));
    }
    // Ctrl+Shift+E with the mail folders under base, until the launcher has run.
    void MailByKeys(const QString& base) {
        preview->MailFolders().SetBase(base);
        int outcome = -1;
        preview->Mapi()->OnSuccess = [&](TMapiControl*) { outcome = 0; };
        Key(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(outcome, 0);
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(preview.get(), Qt::Key(key), mods);
    }

private slots:
    void init() {
        f = std::make_unique<TReportFixture>(); // collects the messages
        QApplication::setApplicationDisplayName("Quorvane");
    }
    void cleanup() {
        preview.reset();
        report.reset();
        f.reset();
    }

    void fullPageFitsTheClientHeight() {
        QCOMPARE(FullPageSize(QSize(798, 1129), 402), QSize(284, 402));
        Open(10);
        QCOMPARE(preview->RepImage()->size(), QSize(798, 1129));
        QVERIFY(!preview->Action("Zoom100Btn")->isEnabled());
        Key(Qt::Key_Minus, Qt::ControlModifier);
        // The page fits the client height: no scroll bars.
        QTRY_VERIFY(!preview->ScrollBox()->verticalScrollBar()->isVisible() &&
                    !preview->ScrollBox()->horizontalScrollBar()->isVisible());
        const int client = preview->ScrollBox()->viewport()->height();
        QCOMPARE(preview->RepImage()->height(), client);
        QCOMPARE(preview->RepImage()->width(), int(std::lround(798.0 / 1129 * client)));
        QCOMPARE(preview->ZoomX, preview->RepImage()->width() / 798.0);
        QVERIFY(preview->Action("Zoom100Btn")->isEnabled());
        QVERIFY(!preview->Action("ZoomFullPageBtn")->isEnabled());
        Key(Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(preview->RepImage()->size(), QSize(798, 1129));
    }

    void pageKeysStopAtTheEnds() {
        Open(150);
        QCOMPARE(preview->Engine.PageCount(), 3);
        Key(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(preview->PageIndex, 0);
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(preview->PageIndex, 2);
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(preview->PageIndex, 2);
        // Plain Page Down, End and Home move the scroll bar of the page.
        QScrollBar* bar = preview->ScrollBox()->verticalScrollBar();
        Key(Qt::Key_PageDown);
        QCOMPARE(bar->value(), std::min(bar->maximum(), preview->ScrollBox()->viewport()->height()));
        Key(Qt::Key_End);
        QCOMPARE(bar->value(), bar->maximum());
        Key(Qt::Key_Home);
        QCOMPARE(bar->value(), 0);
    }

    void guideLimits_data() {
        QTest::addColumn<int>("guide");
        QTest::addColumn<int>("coordinate");
        QTest::addColumn<int>("expected");
        // Displayed positions: left 95, right 703, stop1 133, stop2 418, image 798 x 1129, max stop 418.
        QTest::newRow("left within") << int(mLeft) << 120 << 120;
        QTest::newRow("left past stop 2") << int(mLeft) << 500 << 413;
        QTest::newRow("right cannot pass the last stop") << int(mRight) << 300 << 423;
        QTest::newRow("right at the image edge") << int(mRight) << 798 << 793;
        QTest::newRow("top past the middle") << int(mTop) << 700 << 559;
        QTest::newRow("bottom above the middle") << int(mBottom) << 400 << 569;
        QTest::newRow("stop 2 below stop 1") << int(mStop2) << 100 << 138;
        QTest::newRow("stop 2 right of the right margin") << int(mStop2) << 750 << 698;
    }
    void guideLimits() {
        QFETCH(int, guide);
        QFETCH(int, coordinate);
        QFETCH(int, expected);
        std::array<int, MarginCount> pos{95, 703, 95, 1034, 133, 418, 456, 494, 532, 570, 608, 646};
        std::array<bool, MarginCount> enabled{true, true, true, true, true, true};
        QCOMPARE(LimitGuide(coordinate, GuideLimits(guide, pos, enabled, 418, QSize(798, 1129))), expected);
    }

    void draggingTheLeftMarginComposesAgain() {
        Open(10);
        Key(Qt::Key_M, Qt::ControlModifier);
        QVERIFY(preview->ShowMargins);
        QLabel* image = preview->RepImage();
        const int left = preview->Engine.Layout[mLeft];
        QTest::mousePress(image, Qt::LeftButton, {}, QPoint(left + 3, 300));
        QVERIFY(preview->Dragging[mLeft]);
        QMouseEvent move(QEvent::MouseMove, QPointF(114, 300), image->mapToGlobal(QPointF(114, 300)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(image, &move);
        QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(114, 300));
        QCOMPARE(preview->StatusPanel(0), QStringLiteral("3.0"));
        QCOMPARE(preview->Engine.Margins[mLeft], 3.0);
        QCOMPARE(preview->Engine.Layout[mLeft], 114); // composed again with the new margin
        // The top margin stops short of the middle of the page.
        Key(Qt::Key_M, Qt::ControlModifier);
        Key(Qt::Key_M, Qt::ControlModifier);
        const int top = preview->Engine.Layout[mTop];
        QTest::mousePress(image, Qt::LeftButton, {}, QPoint(400, top - 2));
        QMouseEvent down(QEvent::MouseMove, QPointF(400, 1000), image->mapToGlobal(QPointF(400, 1000)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(image, &down);
        QCOMPARE(preview->Engine.Layout[mTop], 1129 / 2 - 5);
        QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(400, 559));
        // Reset margins brings the defaults back.
        Key(Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(preview->Engine.Layout[mLeft], 95);
        QCOMPARE(preview->Engine.Layout[mTop], 95);
    }

    void gifExportStacksAllPages() {
        Open(150);
        QTemporaryDir dir;
        const QString path = dir.filePath("Report.gif");
        QVERIFY(preview->ExportGif(path));
        const TGifSize size = ReadGifSize(path);
        QCOMPARE(size.Images, 1);
        QCOMPARE(size.Width, 798);
        QCOMPARE(size.Height, 3 * 1129);
    }

    // Exported pages are white, not the quantizer's #F8F8F8, and the file gets the usual mode.
    void gifExportIsWhiteWithTheUsualMode() {
        Open(10);
        QTemporaryDir dir;
        const QString path = dir.filePath("Report.gif");
        const mode_t saved = ::umask(022);
        const bool written = preview->ExportGif(path);
        ::umask(saved);
        QVERIFY(written);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QImage image = DecodeGif(file.readAll());
        QCOMPARE(image.pixel(5, 5), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(image.width() - 5, image.height() - 5), qRgb(255, 255, 255));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0644));
    }

    // Printer Setup opens the page setup, which closes with OK and lays the pages out again; it used to
    // open a print dialog whose "Print" printed nothing.
    void printerSetupClosesWithOk() {
        Open(10);
        auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
        pdf->setOutputFormat(QPrinter::PdfFormat);
        preview->UsePrinter(std::move(pdf));
        QString dialogClass;
        QStringList buttons;
        QTimer::singleShot(100, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || dialog == preview.get()) return;
            dialogClass = QString::fromLatin1(dialog->metaObject()->className());
            for (const QPushButton* b : dialog->findChildren<QPushButton*>())
                if (b->isVisible()) buttons << b->text().remove('&');
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        const QSize portrait = preview->Engine.Pages[0].size();
        Key(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(buttons.contains("OK") && !buttons.contains("Print"),
                 qPrintable(dialogClass + ": " + buttons.join(',')));
        // OK composed the pages again, now for the printer's printable width in whole centimetres
        // (20 cm of the PDF printer's A4) instead of the A4 page used without a printer.
        QCOMPARE(portrait.width(), 21 * 38);
        QCOMPARE(preview->Engine.Pages[0].width(), 20 * 38);
    }

    void gifExportRefusesTheLogoName() {
        Open(10);
        QTemporaryDir dir;
        preview->SavePictureDialog()->setDirectory(dir.path());
        AnswerFileDialog(dir.filePath("rEpOrTlOgO.png"));
        // After the refusal the dialog asks again; this time a good name.
        f->Messages.clear();
        SetReportMessageHook([&](const QString& m) {
            f->Messages << m;
            AnswerFileDialog(dir.filePath("Report.gif"));
        });
        Key(Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(f->Messages, QStringList{"Sorry, rEpOrTlOgO is a reserved filename"});
        QVERIFY(!QFile::exists(dir.filePath("rEpOrTlOgO.png")));
        QCOMPARE(ReadGifSize(dir.filePath("Report.gif")).Height, 1129);
    }

    void pdfExportHoldsTheText() {
        Open(150);
        QTemporaryDir dir;
        preview->SavePdfDialog()->setDirectory(dir.path());
        AnswerFileDialog(dir.filePath("out.pdf"));
        Key(Qt::Key_E, Qt::ControlModifier);
        QVERIFY(f->Messages.isEmpty());
        QProcess text;
        text.start("pdftotext", {"-layout", dir.filePath("out.pdf"), "-"});
        QVERIFY(text.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(out.contains("Test Report") && out.contains("Numbers") && out.contains("value 149"),
                 qPrintable(out));
        const QRegularExpression pageNumber(QStringLiteral("-\\s*(\\d+)\\s*-"));
        QStringList numbers;
        for (auto it = pageNumber.globalMatch(out); it.hasNext();)
            numbers << it.next().captured(1);
        QVERIFY2(numbers.size() >= 2 && numbers.first() == "1", qPrintable(numbers.join(',')));
        QVERIFY(out.contains("Quorvane Version test"));
        QProcess::execute("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", dir.filePath("out.pdf"),
                                       BinaryPath("/report-pdf")});
        // The preview shows screen pages again.
        QCOMPARE(preview->Engine.Pages[0].size(), QSize(798, 1129));
    }

    // Each mail writes its pages as new files into a new folder that only the user can enter, and
    // hands them to the launcher; the pages outlive the window, since the mail program may read them
    // only when the mail is sent.
    void emailHandsThePagesToTheLauncher() {
        Open(60);
        QCOMPARE(preview->Engine.PageCount(), 2);
        QTemporaryDir base;
        TLauncher launcher(RecordingLauncher);
        MailByKeys(base.path());

        const QStringList folders = QDir(base.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(folders.size(), 1);
        const QString folder = base.filePath(folders.first()) + '/';
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0700));
        QCOMPARE(launcher.Arguments(),
                 (QStringList{"--subject", "Report...", "--body", "Please find our report attached.",
                              "--attach", folder + "page0.gif", "--attach", folder + "page1.gif"}));
        QCOMPARE(preview->Mapi()->DisplayFileName(), (QStringList{"page0.gif", "page1.gif"}));
        for (int i = 0; i < 2; ++i)
            QCOMPARE(ReadGifSize(folder + QStringLiteral("page%1.gif").arg(i)).Height, 1129);
        preview.reset();
        QVERIFY(QFileInfo::exists(folder + "page1.gif"));
    }

    // A report that asks to travel as a PDF (the design report) attaches one searchable PDF file, its
    // pages numbered of their total, with the author and subject it carries.
    void emailAttachesThePdfWhenAsked() {
        Open(60);
        preview->Engine.MailAsPdf = true;
        preview->Engine.NumberOfTotal = true;
        preview->Engine.DocumentAuthor = "A. Designer";
        preview->Engine.DocumentSubject = "Solar design calculation";
        QTemporaryDir base;
        TLauncher launcher(RecordingLauncher);
        MailByKeys(base.path());
        const QStringList args = launcher.Arguments();
        QCOMPARE(args.size(), 6);
        QCOMPARE(args[4], QString("--attach"));
        QVERIFY2(args[5].endsWith("/report.pdf"), qPrintable(args[5]));
        QProcess text, info;
        text.start("pdftotext", {"-layout", args[5], "-"});
        info.start("pdfinfo", {args[5]});
        QVERIFY(text.waitForFinished() && info.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(out.contains("value 59") && out.contains("Page 1 of 2") && out.contains("Page 2 of 2"),
                 qPrintable(out));
        const QString meta = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(meta.contains(QRegularExpression("Author:\\s+A. Designer\\n")) &&
                     meta.contains(QRegularExpression("Subject:\\s+Solar design calculation\\n")) &&
                     meta.contains(QRegularExpression("Pages:\\s+2\\n")),
                 qPrintable(meta));
    }

    // A link planted where pages used to go, or where a page is to be written, is never written through.
    void mailPageNeverWritesThroughALink() {
        QTemporaryDir dir;
        const QString victim = dir.filePath("victim");
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep");
        file.close();
        QVERIFY(QFile::link(victim, dir.filePath("page0.gif")));
        QImage page(20, 20, QImage::Format_RGB32);
        page.fill(Qt::white);
        QString error;
        QVERIFY(!WriteGifFile(page, dir.filePath("page0.gif"), &error, TGifCreate::NewFileOnly));
        QVERIFY(!error.isEmpty());

        const QString planted = ProgramFolder() + "page0.gif";
        QFile::remove(planted);
        QVERIFY(QFile::link(victim, planted));
        Open(60);
        QTemporaryDir base;
        preview->MailFolders().SetBase(base.path());
        TLauncher launcher("exit 0\n");
        int outcome = -1;
        preview->Mapi()->OnSuccess = [&](TMapiControl*) { outcome = 0; };
        Key(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(outcome, 0);
        QFile::remove(planted);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep"));
    }

    // A launcher that fails, crashes or is missing is reported, naming the folder that holds the pages.
    void failedMailIsReported_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no mail client") << "exit 3\n"
                                        << "failed with exit code 3";
        QTest::newRow("crash") << "kill -SEGV $$\n"
                               << "stopped unexpectedly";
        QTest::newRow("missing") << QString() << "xdg-email was not found";
    }
    void failedMailIsReported() {
        QFETCH(QString, script);
        QFETCH(QString, reason);
        Open(60);
        QTemporaryDir base;
        preview->MailFolders().SetBase(base.path());
        std::unique_ptr<TLauncher> launcher;
        if (!script.isEmpty())
            launcher = std::make_unique<TLauncher>(script);
        else
            launcher = std::make_unique<TLauncher>(QString(), QStringLiteral("/nonexistent"));
        const QStringList& messages = f->Messages;
        Key(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(messages.size(), 1);
        const QString folder =
            base.filePath(QDir(base.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).value(0));
        QVERIFY2(messages[0].contains(reason) && messages[0].contains("\r\n" + folder + "\r\n") &&
                     messages[0].contains("page0.gif, page1.gif"),
                 qPrintable(messages[0]));
        QVERIFY(QFileInfo::exists(folder + "/page1.gif"));
    }

    // The launcher runs beside the window: while it waits, the window goes on answering keys.
    void windowAnswersWhileTheLauncherRuns() {
        Open(60);
        QTemporaryDir base;
        preview->MailFolders().SetBase(base.path());
        TLauncher launcher("sleep 3; touch done\n");
        int outcome = -1;
        preview->Mapi()->OnSuccess = [&](TMapiControl*) { outcome = 0; };
        QElapsedTimer timer;
        timer.start();
        Key(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(preview->PageIndex, 1);
        QVERIFY(!QFileInfo::exists(launcher.Path("done")));
        QCOMPARE(outcome, -1);
        QTRY_COMPARE_WITH_TIMEOUT(outcome, 0, 20000);
        QVERIFY(QFileInfo::exists(launcher.Path("done")));
    }

    // Mail folders of runs that ended are removed at the next start; those of a running program stay.
    void staleMailFoldersGoAtTheNextStart() {
        QTemporaryDir base;
        QProcess ended;
        ended.start("true");
        QVERIFY(ended.waitForStarted());
        const qint64 dead = ended.processId();
        QVERIFY(ended.waitForFinished());
        const QString stale = base.filePath(QStringLiteral("quorvane-mail-%1-abcdef").arg(dead));
        QVERIFY(QDir().mkpath(stale + "/inner"));
        TMailFolders mine(base.path());
        const QString live = mine.NewFolder();
        QVERIFY(!live.isEmpty());
        TMailFolders::RemoveStale(base.path());
        QVERIFY(!QFileInfo::exists(stale));
        QVERIFY(QFileInfo::exists(live));
    }

    void placementOverTheOwner_data() {
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QRect>("expected");
        const QRect screen(0, 0, 1920, 1040);
        QTest::newRow("centred") << QSize(850, 900) << QRect(100, 100, 1000, 800) << QRect(175, 50, 850, 900);
        QTest::newRow("owner near the right edge")
            << QSize(850, 900) << QRect(1500, 600, 400, 300) << QRect(1070, 140, 850, 900);
        QTest::newRow("owner above the top")
            << QSize(850, 900) << QRect(300, -400, 400, 300) << QRect(75, 0, 850, 900);
        QTest::newRow("larger than the screen") << QSize(2500, 1200) << QRect(100, 100, 400, 300) << screen;
    }
    void placementOverTheOwner() {
        QFETCH(QSize, wanted);
        QFETCH(QRect, owner);
        QFETCH(QRect, expected);
        QCOMPARE(PreviewPlacement(wanted, owner, QRect(0, 0, 1920, 1040)), expected);
    }

    // With nothing stored the window opens a page wide (as far as the screen allows), on the screen.
    void opensPageWideWhenNothingIsStored() {
        TSettingsStore(QStringLiteral("PreviewForm")).EraseSection();
        QWidget owner;
        owner.setGeometry(100, 80, 300, 200);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        TPreviewForm form(&owner);
        form.SelectPrinter(QString());
        form.Engine.ScreenMetrics = [] { return TScreenMetrics{798, 210, 1129, 297}; };
        TStdReport report(form.Engine);
        report.BeginReport([&] { report.PrintRow({QStringLiteral("row")}, fsNone); }, {"Test Report"}, {});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect area = owner.screen()->availableGeometry();
        QVERIFY2(form.width() >= std::min(798, area.width() - 50) && form.height() > 449,
                 qPrintable(QStringLiteral("%1 x %2").arg(form.width()).arg(form.height())));
        QVERIFY(area.contains(form.frameGeometry()));
    }

    void renderTwoPages() {
        Open(70);
        QCOMPARE(preview->Engine.PageCount(), 2);
        // Each picture once the scroll area has laid out its scroll bars, as the user sees it; each key
        // changes what the window shows.
        QImage before;
        auto save = [&](const char* name) {
            QTest::qWait(50);
            const QImage picture = SavePicture(*preview, QStringLiteral("report-preview-") + name);
            QVERIFY2(picture != before, name);
            before = picture;
        };
        save("window");
        Key(Qt::Key_Minus, Qt::ControlModifier);
        save("fullpage");
        Key(Qt::Key_M, Qt::ControlModifier);
        save("margins");
        Key(Qt::Key_M, Qt::ControlModifier);
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        save("page2");
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
