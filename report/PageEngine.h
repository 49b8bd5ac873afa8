#pragma once
// The page engine: lays report text out on a fixed line grid inside margins given in centimetres,
// breaks and numbers pages, and draws either on page images (preview, GIF export, e-mail) or on a
// printer (print, PDF). The engine knows nothing of what is drawn: its callbacks, set by the composer,
// produce the content each time the pages are made.
#include "report/ReportSettings.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

// The screen's size in pixels and millimetres, from which the page images take their resolution.
struct TScreenMetrics {
    int WidthPixels = 1024;
    double WidthMM = 320;
    int HeightPixels = 1024;
    double HeightMM = 320;
};

class TPageEngine {
public:
    TPageEngine();
    ~TPageEngine();
    TPageEngine(const TPageEngine&) = delete;
    TPageEngine& operator=(const TPageEngine&) = delete;

    // ---- Settings copied from the report layout settings (LoadPreviewSettings) ----
    TMargins Margins = DefaultMargins();
    QFont ReportFont;
    int ZoomMode = 0;

    // ---- Surface ----
    bool Printing = false;     // pages go to the printer, else to page images
    std::vector<QImage> Pages; // page images, all of the first page's size
    int PageCount() const { return int(Pages.size()); }
    double PixelsPerCmXExact = 32, PixelsPerCmYExact = 32;
    int PixelsPerCmX = 32, PixelsPerCmY = 32; // rounded
    int PageWidth = 0, PageHeight = 0;        // [surface pixels]
    std::array<int, MarginCount> Layout{};    // LeftX, RightX, TopY, BottomY, Stop1..Stop8 [pixels]
    int TextBottom = 0;                       // lowest pen y at which a line may begin
    double LineHeight = 16;                   // one report line [pixels]
    int LineTop = 0;                          // pen y at which the page's text began
    int LineCount = 0;                        // lines advanced since LineTop
    int HalfLine = 8;                         // round(LineHeight / 2)
    QPoint Pen;                               // where the next text goes
    QPainter* ReportCanvas = nullptr;         // the last page image's painter, or the printer's
    std::array<bool, MarginCount> GuideEnabled{};
    int PrinterPageNumber = 0; // pages started on the printer in the current job
    bool FontChanged = false;  // set by the preview's font command, cleared when the pages are made
    QString PrinterText;       // "Printer not found", the printer's name, or "Print to " + name
    QString DocumentTitle;     // the report's first title: the print job's and the PDF's name
    QString DocumentAuthor;    // the PDF's author and subject; empty for none
    QString DocumentSubject;
    bool MailAsPdf = false; // the preview mails the report as one PDF file, not as page images
    // Pages numbered "Page n of N" on every page. N comes from a first composition that only counts
    // the pages, on the same kind of surface (a PDF of the printer's page and resolution when
    // printing), so it breaks the pages as the real one does.
    bool NumberOfTotal = false;
    int PageTotal = 0; // the pages the last count found

    // The printer the pages are laid out for; null for none. Not owned.
    void SetPrinter(QPrinter* printer) { printer_ = printer; }
    QPrinter* Printer() const { return printer_; }
    // The screen query; tests replace it. The default reads the primary screen and throws when there
    // is none.
    std::function<TScreenMetrics()> ScreenMetrics;

    // ---- Callbacks (BeginReport sets them) ----
    std::function<void()> OnReportContent;
    std::function<void(bool firstPage)> OnPageHeader;
    std::function<void()> OnPageFooter;
    std::function<void()> OnLoadSettings;
    std::function<void()> OnSaveSettings;
    std::function<void()> OnPrint;
    // Called after a screen composition so the preview shows the current page.
    std::function<void()> OnShowPage;

    // ---- Operations ----
    // Produces all pages on the current surface. On the printer it draws into the job that
    // BeginPrintJob started.
    void DoReport();
    // LineCount += n; the pen moves to y = LineTop + round(LineCount * LineHeight), x unchanged.
    void NewLine(int n);
    // A new page when fewer than n lines are left above TextBottom; true when it started one.
    bool CheckSpace(int n);
    // Footer and page number of the page, a fresh page, its header.
    void NewPage();

    // Starts and ends one print job on the printer; BeginPrintJob throws when the job cannot start.
    void BeginPrintJob();
    void EndPrintJob();
    // One whole print job on the printer: settings loaded (OnLoadSettings), every page composed and the
    // job ended. Throws when the job cannot start or the printer refuses a page.
    void PrintJob();

    // ReportFont as every canvas draws with it: without ligatures, so the words of a PDF can be found.
    QFont CanvasFont() const;
    // Text helpers on ReportCanvas: the height of "X", a text's width, text with its top at y.
    int TextHeight() const;
    int TextWidth(const QString& text) const;
    void TextOut(int x, int y, const QString& text);

    // The page number text "- N -" and its left edge for a text width.
    static QString PageNumberText(int n) { return QStringLiteral("- %1 -").arg(n); }
    // The page number as this report prints it: PageNumberText, or "Page n of N".
    QString PageNumberOf(int n) const;
    int PageNumberLeft(int textWidth) const;

private:
    void SetupSurface();
    void ComposePages();
    int CountPages();
    int CountPrintedPages();
    QPagedPaintDevice* PrintSurface() const;
    void SetupScreenPage();
    void SetupPrinterPage();
    void ComputeLayout();
    void StartPageImage();
    void PrintPageNumber();
    void EndScreenPainter();
    TScreenMetrics QueryScreen() const;

    QPrinter* printer_ = nullptr;
    QPagedPaintDevice* countSurface_ = nullptr; // the counting PDF while pages are counted for print
    std::unique_ptr<QPainter> painter_;
    double bottomExact_ = 0;
};
