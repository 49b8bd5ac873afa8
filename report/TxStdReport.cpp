// The composer: report description, page header, print procedure and settings hand-over. The drawing
// primitives and the two tables are in ReportPrims.cpp.
#include "report/TxStdReport.h"

#include "report/ImageFiles.h"
#include "report/ReportMessages.h"
#include "storage/Folders.h"
#include "storage/Win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include <cmath>

TStdReport::TStdReport(TPageEngine& engine) : engine_(engine) {}

void TStdReport::BeginReport(std::function<void()> content, const QStringList& titles,
                             const QStringList& subtitles) {
    engine_.OnReportContent = std::move(content);
    engine_.OnPageHeader = [this](bool first) { PageHeader(first); };
    engine_.OnPageFooter = nullptr;
    engine_.OnLoadSettings = [this] { LoadPreviewSettings(); };
    engine_.OnSaveSettings = [this] { StorePreviewSettings(); };
    engine_.OnPrint = [this] { PrintReport(); };
    Titles = titles;
    Subtitles = subtitles;
    for (int i = 0; i < MarginCount; ++i)
        engine_.GuideEnabled[i] = i <= mStop2;
    GridMode = false;
}

namespace {

// The lines of a Windows-1252 text file, empty ones included; false when it cannot be read.
bool ReadTextLines(const QString& path, QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QString text = DecodeWin1252(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast(); // the final line end
    return true;
}

} // namespace

void TStdReport::SetLetterhead(const QString& letterheadFile, const QString& logoFile, int logoWidth) {
    const QString letterhead = QFileInfo::exists(letterheadFile)
                                   ? letterheadFile
                                   : DatabaseFolder() + QStringLiteral("Letterhead.txt");
    if (!ReadTextLines(letterhead, LetterheadLines)) LetterheadLines = QStringList{QStringLiteral(" ")};
    LogoFile = QFileInfo::exists(logoFile) ? logoFile : DatabaseFolder() + QStringLiteral("ReportLogo.gif");
    LogoWidth = logoWidth;
}

void TStdReport::Execute() {
    if (OnExecute) OnExecute();
    if (QPrinter* printer = engine_.Printer()) printer->setPageOrientation(QPageLayout::Portrait);
}

void TStdReport::LoadPreviewSettings() {
    const TReportSettings& s = ReportSettings();
    engine_.Margins = s.Margins;
    engine_.ReportFont = s.ReportFont.Font;
    engine_.ZoomMode = s.ZoomMode;
}

void TStdReport::StorePreviewSettings() {
    TReportSettings& s = ReportSettings();
    s.Margins = engine_.Margins;
    s.ReportFont.Font = engine_.ReportFont;
    s.ZoomMode = engine_.ZoomMode;
}

void TStdReport::PrintReport() {
    QPrinter* printer = engine_.Printer();
    try {
        if (!printer) throw std::runtime_error("no printer");
        // Each copy is a job of its own, so the printer must not multiply it again.
        const int copies = std::max(1, printer->copyCount());
        printer->setCopyCount(1);
        for (int copy = 0; copy < copies; ++copy) {
            if (!Titles.isEmpty()) printer->setDocName(Titles.first());
            engine_.BeginPrintJob();
            LoadPreviewSettings();
            engine_.Printing = true;
            engine_.DoReport();
            engine_.EndPrintJob();
        }
        printer->setCopyCount(copies);
    } catch (const std::exception&) {
        engine_.EndPrintJob();
        ReportMessage(QStringLiteral("Printer error."));
    }
}

int TStdReport::ReportPointSize() const {
    const int size = engine_.ReportFont.pointSize();
    return size > 0 ? size : 10;
}

void TStdReport::PageHeader(bool firstPage) {
    Canvas = engine_.ReportCanvas;
    LeftX = engine_.Layout[mLeft];
    TopY = engine_.Layout[mTop];
    RightX = engine_.Layout[mRight];
    engine_.HalfLine = int(std::lround(engine_.LineHeight / 2));
    Canvas->setFont(engine_.ReportFont);
    SetCanvasPointSize(ReportPointSize());
    engine_.Pen = QPoint(LeftX, TopY);
    engine_.LineCount = 0;
    engine_.LineTop = TopY;

    if (firstPage) {
        // Rows written before any list view use the left margin and the stops.
        SetColumnsFromLayout();
        const int blockTop = engine_.Pen.y();
        if (!LetterheadLines.isEmpty()) PrintLetterhead(LetterheadLines, LeftX, 10, 8);
        const int letterheadLines = int(std::lround((engine_.Pen.y() - blockTop) / engine_.LineHeight));
        PrintLogo(blockTop, letterheadLines);
        PrintDateLine(QDate::currentDate());
        PrintTitleBlock(Titles, 3, 2);
    }
    if (!Subtitles.isEmpty() && !Subtitles.first().isEmpty())
        PrintTitleBlock(Subtitles, 2, 2);
    else
        engine_.NewLine(1);
    if (GridMode) PrintTableHeader();
}

// The logo LogoWidth cm wide at the right of the letterhead block; a file that does not load is left out.
void TStdReport::PrintLogo(int blockTop, int letterheadLines) {
    if (LogoFile.isEmpty() || !QFileInfo::exists(LogoFile)) return;
    const QImage logo = ReadLogoFile(LogoFile);
    if (logo.isNull() || logo.width() <= 0) return;
    const int width = int(std::lround(double(engine_.PixelsPerCmX) * LogoWidth));
    const int height =
        int(std::lround(double(engine_.PixelsPerCmY) * LogoWidth * logo.height() / logo.width()));
    DrawPicture(logo, width, height, letterheadLines, RightX - width, blockTop);
}
