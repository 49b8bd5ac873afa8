// The letterhead and logo of the first page: how their files are found and read (UTF-8 or
// Windows-1252, any letter case, regular files only, size caps), and how they are laid out (clear of
// the logo and the margins, within the top third, a logo at most 4 cm high).
#include "ReportFixture.h"

#include "report/ImageFiles.h"
#include "report/LetterheadFile.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include <gif_lib.h>
#include <sys/stat.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// An interlaced GIF of h rows, row y filled with colour index y % 2 (black, white).
QByteArray InterlacedGif(int w, int h) {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("i.gif"));
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.constData(), false, &error);
    GifColorType colours[2] = {{0, 0, 0}, {255, 255, 255}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    EGifPutScreenDesc(gif, w, h, 1, 0, map);
    EGifPutImageDesc(gif, 0, 0, w, h, true, nullptr);
    std::vector<GifPixelType> line(static_cast<size_t>(w));
    for (int pass = 0, starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2}; pass < 4; ++pass)
        for (int y = starts[pass]; y < h; y += steps[pass]) {
            std::fill(line.begin(), line.end(), GifPixelType(y % 2));
            EGifPutLine(gif, line.data(), w);
        }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    QFile file(QString::fromLocal8Bit(path));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// The bytes of a picture w x h pixels in a format ("GIF", "JPG", "BMP").
QByteArray PictureBytes(int w, int h, const char* format, QColor colour = QColor(200, 0, 0)) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    if (QByteArray(format) == "GIF") return EncodeGif(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The x of the rightmost dark pixel in the rows from y1 to y2, or -1.
int RightmostInk(const QImage& page, int y1, int y2) {
    for (int x = page.width() - 1; x >= 0; --x)
        for (int y = y1; y <= y2; ++y)
            if (qGray(page.pixel(x, y)) < 160) return x;
    return -1;
}

} // namespace

class TestLetterhead : public QObject {
    Q_OBJECT

private slots:
    void decodesTheText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("UTF-8, as Linux editors save")
            << QByteArray("M\xc3\xbcller & S\xc3\xb6hne\n25 \xc2\xb0"
                          "C\n")
            << QStringList{QString::fromUtf8("Müller & Söhne"), QString::fromUtf8("25 °C")};
        QTest::newRow("Windows-1252, as older files hold")
            << QByteArray("M\xfcller\r\n25 \xb0"
                          "C\r\n\x80 100\r\n")
            << QStringList{QString::fromUtf8("Müller"), QString::fromUtf8("25 °C"),
                           QString::fromUtf8("€ 100")};
        QTest::newRow("byte-order mark dropped")
            << QByteArray("\xef\xbb\xbfKestrel\n") << QStringList{"Kestrel"};
        QTest::newRow("empty lines kept, no final line end")
            << QByteArray("Firm\r\n\r\nCity") << QStringList{"Firm", "", "City"};
    }
    void decodesTheText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        bool cut = true;
        QCOMPARE(DecodeLetterhead(bytes, &cut), lines);
        QVERIFY(!cut);
    }

    void longLetterheadsAreCut() {
        bool cut = false;
        QByteArray many;
        for (int i = 0; i < 500; ++i)
            many += "line " + QByteArray::number(i) + "\n";
        QStringList lines = DecodeLetterhead(many, &cut);
        QCOMPARE(lines.size(), MaxLetterheadLines);
        QCOMPARE(lines.last(), QString("line 199"));
        QVERIFY(cut);

        // 64 KB of one line whose cap falls inside a two-byte character: still read as UTF-8.
        const QByteArray wide = QByteArray("a") + QByteArray("\xc3\xa9").repeated(40000);
        lines = DecodeLetterhead(wide, &cut);
        QVERIFY(cut);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines.first().size(), 1 + (MaxLetterheadBytes - 1) / 2);
        QVERIFY(lines.first().endsWith(QString::fromUtf8("é")));

        QByteArray exact = QByteArray("x").repeated(MaxLetterheadBytes);
        DecodeLetterhead(exact, &cut);
        QVERIFY(!cut);
    }

    // LetterHead.txt in any letter case, in the folder given, else in the database folder; logos as
    // .gif, then .jpg, then .bmp.
    void filesFoundInAnyLetterCase() {
        QTemporaryDir dir;
        WriteFile(dir.filePath("LETTERHEAD.TXT"), "Kestrel & Moyo\n");
        WriteFile(dir.filePath("reportlogo.BMP"), PictureBytes(40, 20, "BMP"));
        WriteFile(dir.filePath("ReportLogo.Jpg"), PictureBytes(40, 20, "JPG"));
        TReportFixture f;
        f.Report.SetLetterhead(dir.filePath("LetterHead.txt"), dir.filePath("ReportLogo.gif"), 4);
        QCOMPARE(f.Report.LetterheadLines, QStringList{"Kestrel & Moyo"});
        QCOMPARE(f.Report.LogoFile, dir.filePath("ReportLogo.Jpg"));
        WriteFile(dir.filePath("REPORTLOGO.gif"), PictureBytes(40, 20, "GIF"));
        f.Report.SetLetterhead(dir.filePath("LetterHead.txt"), dir.filePath("ReportLogo.gif"), 4);
        QCOMPARE(f.Report.LogoFile, dir.filePath("REPORTLOGO.gif"));
        QVERIFY2(f.Messages.isEmpty(), qPrintable(f.Messages.join('\n')));
    }

    // A FIFO or a device in place of the files returns at once with a message instead of blocking the
    // report or reading without end.
    void filesThatAreNotRegularAreRefused() {
        QTemporaryDir dir;
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("LetterHead.txt")).constData(), 0600) == 0);
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("ReportLogo.gif")).constData(), 0600) == 0);
        TReportFixture f;
        f.Report.SetLetterhead(dir.filePath("LetterHead.txt"), dir.filePath("ReportLogo.gif"), 4);
        QCOMPARE(f.Report.LetterheadLines, QStringList{" "});
        QCOMPARE(f.Messages.size(), 2);
        QVERIFY2(f.Messages[0].contains("LetterHead.txt was not read: not a regular file"),
                 qPrintable(f.Messages[0]));
        QVERIFY2(f.Messages[1].contains("ReportLogo.gif is left out: not a regular file"),
                 qPrintable(f.Messages[1]));
        f.Engine.DoReport();
        QCOMPARE(f.Engine.PageCount(), 1);

        QTemporaryDir links;
        QVERIFY(QFile::link("/dev/zero", links.filePath("letterhead.txt")));
        f.Messages.clear();
        f.Report.SetLetterhead(links.filePath("LetterHead.txt"), links.filePath("ReportLogo.gif"), 4);
        QCOMPARE(f.Report.LetterheadLines, QStringList{" "});
        QCOMPARE(f.Messages.size(), 1);
        QVERIFY(f.Messages[0].contains("not a regular file"));
    }

    void longLetterheadFileIsCutWithANote() {
        QTemporaryDir dir;
        WriteFile(dir.filePath("LetterHead.txt"), QByteArray("Firm\n").repeated(300));
        TReportFixture f;
        f.Report.SetLetterhead(dir.filePath("LetterHead.txt"), dir.filePath("ReportLogo.gif"), 4);
        QCOMPARE(f.Report.LetterheadLines.size(), MaxLetterheadLines);
        QCOMPARE(f.Messages.size(), 1);
        QVERIFY2(f.Messages[0].contains("longer than 200 lines or 64 KB"), qPrintable(f.Messages[0]));
    }

    void logoDecoders_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("refusedForSize");
        QTest::newRow("gif") << PictureBytes(40, 20, "GIF") << "gif" << QSize(40, 20) << false;
        QTest::newRow("jpg") << PictureBytes(40, 20, "JPG") << "jpg" << QSize(40, 20) << false;
        QTest::newRow("bmp") << PictureBytes(40, 20, "BMP") << "bmp" << QSize(40, 20) << false;
        QTest::newRow("interlaced gif") << InterlacedGif(3, 19) << "gif" << QSize(3, 19) << false;
        QTest::newRow("gif too wide")
            << PictureBytes(MaxLogoSide + 1, 2, "GIF") << "gif" << QSize(0, 0) << true;
        QTest::newRow("jpg too high")
            << PictureBytes(2, MaxLogoSide + 1, "JPG") << "jpg" << QSize(0, 0) << true;
        QTest::newRow("bmp too wide")
            << PictureBytes(MaxLogoSide + 1, 1, "BMP") << "bmp" << QSize(0, 0) << true;
        QTest::newRow("gif cut short")
            << PictureBytes(40, 20, "GIF").left(40) << "gif" << QSize(0, 0) << false;
        QTest::newRow("jpg that is text") << QByteArray("not a picture") << "jpg" << QSize(0, 0) << false;
    }
    void logoDecoders() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, extension);
        QFETCH(QSize, size);
        QFETCH(bool, refusedForSize);
        QTemporaryDir dir;
        const QString path = dir.filePath("ReportLogo." + extension);
        WriteFile(path, bytes);
        QString reason;
        const QImage image = ReadLogoFile(path, &reason);
        QCOMPARE(image.size(), size);
        QCOMPARE(reason.contains("more than 4000 a side"), refusedForSize);
        if (image.isNull()) return;
        if (QTest::currentDataTag() == QLatin1String("interlaced gif")) {
            for (int y = 0; y < size.height(); ++y)
                QCOMPARE(qGray(image.pixel(1, y)), y % 2 ? 255 : 0);
            return;
        }
        QVERIFY(qRed(image.pixel(20, 10)) > 180 && qGreen(image.pixel(20, 10)) < 30);
    }

    void logoFileTooLargeIsSkipped() {
        QTemporaryDir dir;
        QByteArray bytes = PictureBytes(40, 20, "BMP");
        bytes.append(QByteArray(MaxLogoFileBytes, '\0'));
        WriteFile(dir.filePath("ReportLogo.bmp"), bytes);
        QString reason;
        QVERIFY(ReadLogoFile(dir.filePath("ReportLogo.bmp"), &reason).isNull());
        QCOMPARE(reason, QString("it is larger than 4 MB"));
    }

    // A 20 x 400 pixel logo is drawn 4 cm high, its width following, beside the letterhead.
    void logoHeightIsCapped() {
        QTemporaryDir dir;
        WriteFile(dir.filePath("ReportLogo.gif"), PictureBytes(20, 400, "GIF"));
        TReportFixture f;
        f.Report.BeginReport([] {}, {"Quorvane Report"}, {});
        f.Report.SetLetterhead(dir.filePath("LetterHead.txt"), dir.filePath("ReportLogo.gif"), 4);
        f.Engine.DoReport();
        QCOMPARE(f.Report.LogoPixels(), QSize(8, 4 * 38));
        const QImage& page = f.Engine.Pages[0];
        const int top = f.Engine.Layout[mTop], right = f.Engine.Layout[mRight];
        QVERIFY(qRed(page.pixel(right - 4, top + 4 * 38 - 3)) > 150);
        QCOMPARE(qRed(page.pixel(right - 4, top + 4 * 38 + 3)), 255);
        QCOMPARE(qGreen(page.pixel(right - 4, top + 4 * 38 + 3)), 255);
    }

    // An 80-character line stays left of the logo; 500 lines stay in the top third and the date and
    // title still follow on page 1.
    void letterheadKeepsToItsPlace_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("long line") << QStringList{
            "Kestrel & Moyo Consulting Engineers",
            "14 Jacaranda Street, Arcadia, Pretoria 0002, South Africa; Tel +27 12 555 0142 X"};
        QStringList many;
        for (int i = 0; i < 200; ++i)
            many << QStringLiteral("Line %1 of a letterhead that is far too long").arg(i);
        QTest::newRow("two hundred lines") << many;
        QTest::newRow("one long word") << QStringList{"Firm", QString(120, 'W')};
    }
    void letterheadKeepsToItsPlace() {
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        WriteFile(dir.filePath("ReportLogo.gif"), PictureBytes(400, 200, "GIF", Qt::white));
        TReportFixture f;
        int titleY = 0, pagesAtContent = 0;
        f.Report.BeginReport(
            [&] {
                titleY = f.Engine.Pen.y();
                pagesAtContent = f.Engine.PageCount();
            },
            {"Quorvane Report"}, {});
        f.Report.SetLetterhead(dir.filePath("LetterHead.txt"), dir.filePath("ReportLogo.gif"), 4);
        f.Report.LetterheadLines = lines;
        f.Engine.DoReport();
        const QImage& page = f.Engine.Pages[0];
        const int top = f.Engine.Layout[mTop], third = page.height() / 3;
        const int logoLeft = f.Engine.Layout[mRight] - f.Report.LogoPixels().width();
        // The logo is white: any ink right of its left edge in the letterhead's rows is letterhead text.
        QVERIFY2(RightmostInk(page, top, top + f.Report.LogoPixels().height()) < logoLeft,
                 qPrintable(QString::number(RightmostInk(page, top, top + 80))));
        QVERIFY(RightmostInk(page, top, third) <= f.Engine.Layout[mRight]);
        QCOMPARE(pagesAtContent, 1);
        QVERIFY(titleY < third + 8 * f.Engine.LineHeight);
        QVERIFY2(f.Messages.isEmpty(), qPrintable(f.Messages.join('\n')));
    }
};

QTEST_MAIN(TestLetterhead)
#include "tst_letterhead.moc"
