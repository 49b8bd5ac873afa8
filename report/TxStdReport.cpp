// The composer: report description, page header, print procedure and settings hand-over. The drawing
// primitives and the two tables are in ReportPrims.cpp.
#include "report/TxStdReport.h"

#include "report/ImageFiles.h"
#include "report/LetterheadFile.h"
#include "report/ReportMessages.h"
#include "storage/Folders.h"

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
    engine_.DocumentTitle = titles.value(0);
    // What one report asks of the engine beyond its pages; a report that wants more sets it after this.
    engine_.DocumentAuthor.clear();
    engine_.DocumentSubject.clear();
    engine_.MailAsPdf = false;
    engine_.NumberOfTotal = false;
    for (int i = 0; i < MarginCount; ++i)
        engine_.GuideEnabled[i] = i <= mStop2;
    GridMode = false;
}

namespace {

// The letterhead file of that name in folder, else in the database folder, in any letter case.
QString FindLetterhead(const QString& folder, const QString& name) {
    const QString found = FindFileAnyCase(folder, name);
    return found.isEmpty() ? FindFileAnyCase(DatabaseFolder(), name) : found;
}

} // namespace

void TStdReport::SetLetterhead(const QString& letterheadFile, const QString& logoFile, int logoWidth) {
    const QFileInfo letterhead(letterheadFile), logo(logoFile);
    LetterheadLines = QStringList{QStringLiteral(" ")};
    const QString path = FindLetterhead(letterhead.path(), letterhead.fileName());
    QStringList lines;
    bool cut = false;
    QString reason;
    if (path.isEmpty()) {
    } else if (!ReadLetterheadFile(path, lines, &cut, &reason)) {
        ReportMessage(QStringLiteral("The letterhead %1 was not read: %2").arg(path, reason));
    } else {
        LetterheadLines = lines;
        if (cut)
            ReportMessage(QStringLiteral("The letterhead %1 is longer than %2 lines or %3 KB; only its "
                                         "beginning is printed.")
                              .arg(path, QString::number(MaxLetterheadLines),
                                   QString::number(MaxLetterheadBytes / 1024)));
    }
    LogoFile = logo.exists() ? logoFile : FindLogoFile(logo.path(), logo.completeBaseName());
    if (LogoFile.isEmpty()) LogoFile = FindLogoFile(DatabaseFolder(), logo.completeBaseName());
    if (LogoFile.isEmpty()) LogoFile = DatabaseFolder() + logo.fileName();
    LogoWidth = logoWidth;
    LoadLogo(true);
}

// The logo picture of LogoFile, read when the file named changed (or on request), so the pages of one
// report, composed again and again, read it once.
void TStdReport::LoadLogo(bool tell) {
    if (LogoFile == logoPath_ && !tell) return;
    logoPath_ = LogoFile;
    logo_ = QImage();
    if (LogoFile.isEmpty() || !QFileInfo::exists(LogoFile)) return;
    QString reason;
    logo_ = ReadLogoFile(LogoFile, &reason);
    // A picture that merely does not decode is left out quietly, as it always was.
    if (logo_.isNull() && tell && !reason.isEmpty())
        ReportMessage(QStringLiteral("The logo %1 is left out: %2").arg(LogoFile, reason));
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
        for (int copy = 0; copy < copies; ++copy)
            engine_.PrintJob();
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
    Canvas->setFont(engine_.CanvasFont());
    SetCanvasPointSize(ReportPointSize());
    engine_.Pen = QPoint(LeftX, TopY);
    engine_.LineCount = 0;
    engine_.LineTop = TopY;

    if (firstPage) {
        fontReductionTold_ = false;
        // Rows written before any list view use the left margin and the stops.
        SetColumnsFromLayout();
        const int blockTop = engine_.Pen.y();
        LoadLogo(false);
        const QSize logo = LogoPixels();
        // The letterhead keeps clear of the logo and, with it, to the top third of the page, so the date
        // and the titles always print on page 1.
        const int letterheadRight = logo.isEmpty() ? RightX : RightX - logo.width() - LogoGap();
        if (!LetterheadLines.isEmpty())
            PrintLetterhead(LetterheadLines, LeftX, 10, 8, letterheadRight, engine_.PageHeight / 3);
        const int letterheadLines = int(std::lround((engine_.Pen.y() - blockTop) / engine_.LineHeight));
        if (!logo.isEmpty())
            DrawPicture(logo_, logo.width(), logo.height(), letterheadLines, RightX - logo.width(), blockTop);
        PrintDateLine(QDate::currentDate());
        PrintTitleBlock(Titles, 3, 2);
    }
    if (!Subtitles.isEmpty() && !Subtitles.first().isEmpty())
        PrintTitleBlock(Subtitles, 2, 2);
    else
        engine_.NewLine(1);
    if (GridMode) PrintTableHeader();
}

int TStdReport::LogoGap() const {
    return int(std::lround(engine_.PixelsPerCmX * 0.5));
}

QSize TStdReport::LogoPixels() const {
    if (logo_.isNull() || logo_.width() <= 0 || LogoWidth <= 0) return {};
    double width = double(engine_.PixelsPerCmX) * LogoWidth;
    double height = double(engine_.PixelsPerCmY) * LogoWidth * logo_.height() / logo_.width();
    // A tall, narrow logo would fill the page: its height is capped, its width follows the aspect.
    const double maxHeight = double(engine_.PixelsPerCmY) * MaxLogoHeightCm;
    if (height > maxHeight) {
        width *= maxHeight / height;
        height = maxHeight;
    }
    return {std::max(1, int(std::lround(width))), std::max(1, int(std::lround(height)))};
}
