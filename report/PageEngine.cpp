#include "report/PageEngine.h"

#include "report/ReportMessages.h"

#include <QApplication>
#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QScreen>

#include <cmath>
#include <stdexcept>

namespace {

int Round(double v) {
    return int(std::lround(v));
}

// The resolution a paged device lays its pages out at [dots per inch].
int Resolution(const QPagedPaintDevice* device) {
    if (const auto* printer = dynamic_cast<const QPrinter*>(device)) return printer->resolution();
    if (const auto* pdf = dynamic_cast<const QPdfWriter*>(device)) return pdf->resolution();
    return device->logicalDpiY();
}

QString ErrorText(const std::exception& e) {
    return QString::fromLocal8Bit(e.what());
}

// Holds the hourglass cursor for the lifetime of a composition.
class TBusyCursor {
public:
    TBusyCursor() {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            QApplication::setOverrideCursor(Qt::WaitCursor), active_ = true;
    }
    ~TBusyCursor() {
        if (active_) QApplication::restoreOverrideCursor();
    }

private:
    bool active_ = false;
};

} // namespace

TPageEngine::TPageEngine() : ReportFont(QGuiApplication::font()) {
    GuideEnabled.fill(false);
}

TPageEngine::~TPageEngine() {
    EndScreenPainter();
}

TScreenMetrics TPageEngine::QueryScreen() const {
    if (ScreenMetrics) return ScreenMetrics();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) throw std::runtime_error("no screen");
    const QSizeF mm = screen->physicalSize();
    const QSize px = screen->geometry().size();
    if (mm.width() <= 0 || mm.height() <= 0 || px.isEmpty()) throw std::runtime_error("screen has no size");
    return {px.width(), mm.width(), px.height(), mm.height()};
}

QFont TPageEngine::CanvasFont() const {
    QFont font = ReportFont;
    // Latin text set glyph by glyph: shaped text stores "ffu" of "Diffuse" and "fl" of "Reflect" as
    // ligature glyphs, and a search of the PDF for those words then finds nothing.
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    return font;
}

int TPageEngine::TextHeight() const {
    return ReportCanvas ? ReportCanvas->fontMetrics().height() : 0;
}

int TPageEngine::TextWidth(const QString& text) const {
    return ReportCanvas ? ReportCanvas->fontMetrics().horizontalAdvance(text) : 0;
}

void TPageEngine::TextOut(int x, int y, const QString& text) {
    if (ReportCanvas) ReportCanvas->drawText(QPoint(x, y + ReportCanvas->fontMetrics().ascent()), text);
}

void TPageEngine::EndScreenPainter() {
    if (painter_ && !Printing && painter_->isActive()) painter_->end();
    if (!Printing) {
        painter_.reset();
        ReportCanvas = nullptr;
    }
}

// A page image of the first page's size at the screen resolution, white, its painter the canvas.
void TPageEngine::StartPageImage() {
    if (painter_) painter_->end();
    QImage page(PageWidth, PageHeight, QImage::Format_RGB32);
    if (page.isNull()) throw std::runtime_error("page image could not be created");
    page.setDotsPerMeterX(Round(PixelsPerCmXExact * 100));
    page.setDotsPerMeterY(Round(PixelsPerCmYExact * 100));
    page.fill(Qt::white);
    Pages.push_back(page);
    if (!painter_) painter_ = std::make_unique<QPainter>();
    painter_->begin(&Pages.back());
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    painter_->setFont(CanvasFont());
    ReportCanvas = painter_.get();
}

void TPageEngine::SetupScreenPage() {
    EndScreenPainter();
    Pages.clear();
    try {
        const TScreenMetrics s = QueryScreen();
        PixelsPerCmXExact = s.WidthPixels / (s.WidthMM / 10);
        PixelsPerCmYExact = s.HeightPixels / (s.HeightMM / 10);
    } catch (const std::exception& e) {
        ReportMessage(QStringLiteral("Bitmap Device Error... \r\n") + ErrorText(e));
        PixelsPerCmXExact = PixelsPerCmYExact = 1024 / 32.0;
    }
    PixelsPerCmX = Round(PixelsPerCmXExact);
    PixelsPerCmY = Round(PixelsPerCmYExact);
    const int a4Width = Round(PixelsPerCmX * 21.0);
    const int a4Height = Round(PixelsPerCmY * 29.7);

    // The printable area in whole centimetres at the screen's resolution.
    QPrinter* printer = printer_;
    if (printer) {
        const QRect printable = printer->pageLayout().paintRectPixels(printer->resolution());
        if (printable.isEmpty()) {
            ReportMessage(QStringLiteral("Printer Device Error..."));
            printer = nullptr;
        } else {
            PageWidth = Round(printable.width() / double(printer->resolution()) * 2.54) * PixelsPerCmX;
            PageHeight = Round(printable.height() / double(printer->resolution()) * 2.54) * PixelsPerCmY;
        }
    }
    if (!printer || PageWidth < 0.2 * a4Width || PageHeight < 0.2 * a4Height) {
        PageWidth = a4Width;
        PageHeight = a4Height;
        printer = nullptr;
    }

    try {
        StartPageImage();
    } catch (const std::exception&) {
        ReportMessage(QStringLiteral("Failed to create Bitmap...\r\n Pages = %1").arg(PageCount()));
        return;
    }
    LineHeight = ReportCanvas->fontMetrics().height();
    if (printer) {
        // The printer's line height, scaled to the preview page, so lines break where they will on paper.
        const QRect printable = printer->pageLayout().paintRectPixels(printer->resolution());
        QFont font = CanvasFont();
        const QFontMetricsF metrics(font, printer);
        if (metrics.height() > 0 && printable.height() > 0)
            LineHeight = metrics.height() * PageHeight / printable.height();
        else
            ReportMessage(QStringLiteral("Failure reading printer font..."));
    }
    PrinterText = printer ? printer->printerName() : QStringLiteral("Printer not found");
    if (printer && PrinterText.isEmpty()) PrinterText = QStringLiteral("PDF");
}

QPagedPaintDevice* TPageEngine::PrintSurface() const {
    return countSurface_ ? countSurface_ : printer_;
}

void TPageEngine::SetupPrinterPage() {
    QPagedPaintDevice* device = PrintSurface();
    if (!device || !painter_ || !painter_->isActive()) throw std::runtime_error("no print job");
    const QRect printable = device->pageLayout().paintRectPixels(Resolution(device));
    PixelsPerCmXExact = device->width() / (device->widthMM() / 10.0);
    PixelsPerCmYExact = device->height() / (device->heightMM() / 10.0);
    PixelsPerCmX = Round(PixelsPerCmXExact);
    PixelsPerCmY = Round(PixelsPerCmYExact);
    PageWidth = printable.width();
    PageHeight = printable.height();
    painter_->setFont(CanvasFont());
    ReportCanvas = painter_.get();
    LineHeight = ReportCanvas->fontMetrics().height();
    if (printer_) PrinterText = QStringLiteral("Print to ") + printer_->printerName();
}

void TPageEngine::SetupSurface() {
    try {
        if (Printing)
            SetupPrinterPage();
        else
            SetupScreenPage();
    } catch (const std::exception&) {
        ReportMessage(QStringLiteral("Setup error..."));
    }
}

void TPageEngine::ComputeLayout() {
    Layout[mLeft] = Round(Margins[mLeft] * PixelsPerCmXExact);
    Layout[mRight] = Round(PageWidth - Margins[mRight] * PixelsPerCmXExact);
    Layout[mTop] = Round(Margins[mTop] * PixelsPerCmYExact);
    bottomExact_ = PageHeight - Margins[mBottom] * PixelsPerCmYExact;
    Layout[mBottom] = Round(bottomExact_);
    for (int i = mStop1; i < MarginCount; ++i)
        Layout[i] = Round(PixelsPerCmX * Margins[i]);
    TextBottom = Round(bottomExact_ - 2 * LineHeight);
}

void TPageEngine::ComposePages() {
    ComputeLayout();
    // Copies: the content may swap the slots while it runs (the entry-grid table does).
    if (auto header = OnPageHeader) header(true);
    if (auto content = OnReportContent) content();
}

// The pages of one composition that draws nothing anyone sees.
int TPageEngine::CountPages() {
    // A table's message about a font too large for it belongs to the composition that follows.
    const bool fontChanged = std::exchange(FontChanged, false);
    int pages = 0;
    if (Printing) {
        pages = CountPrintedPages();
    } else {
        SetupSurface();
        try {
            if (ReportCanvas) ComposePages();
        } catch (const std::exception&) {
        }
        pages = PageCount();
        EndScreenPainter();
    }
    FontChanged = fontChanged;
    return pages;
}

// Printed pages are counted on a PDF in memory with the printer's page layout and resolution: the
// same text metrics, so the same page breaks, and nothing reaches the printer.
int TPageEngine::CountPrintedPages() {
    QPagedPaintDevice* device = PrintSurface();
    if (!device) return 0;
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter counter(&sink);
    counter.setResolution(Resolution(device));
    counter.setPageLayout(device->pageLayout());
    std::unique_ptr<QPainter> job = std::move(painter_);
    const int jobPage = PrinterPageNumber;
    countSurface_ = &counter;
    painter_ = std::make_unique<QPainter>();
    int pages = 0;
    if (painter_->begin(&counter)) {
        PrinterPageNumber = 1;
        try {
            SetupPrinterPage();
            ComposePages();
        } catch (const std::exception&) {
        }
        pages = PrinterPageNumber;
        painter_->end();
    }
    countSurface_ = nullptr;
    painter_ = std::move(job);
    PrinterPageNumber = jobPage;
    return pages;
}

void TPageEngine::DoReport() {
    TBusyCursor busy;
    if (NumberOfTotal) PageTotal = CountPages();
    SetupSurface();
    if (!ReportCanvas) return;
    try {
        ComposePages();
        if (NumberOfTotal || (Printing ? PrinterPageNumber > 1 : PageCount() > 1)) PrintPageNumber();
        // The tables have told of a font too large for them; the next composition is not a font change.
        FontChanged = false;
        if (!Printing) {
            EndScreenPainter();
            if (OnShowPage) OnShowPage();
        }
    } catch (const std::exception&) {
        if (!Printing) EndScreenPainter();
        ReportMessage(QStringLiteral("Report write error..."));
    }
}

void TPageEngine::NewLine(int n) {
    LineCount += n;
    Pen.setY(LineTop + Round(LineCount * LineHeight));
}

bool TPageEngine::CheckSpace(int n) {
    if (TextBottom >= Pen.y() + n * LineHeight) return false;
    NewPage();
    return true;
}

int TPageEngine::PageNumberLeft(int textWidth) const {
    return Layout[mLeft] + (Layout[mRight] - Layout[mLeft] - textWidth) / 2;
}

QString TPageEngine::PageNumberOf(int n) const {
    return NumberOfTotal ? QStringLiteral("Page %1 of %2").arg(n).arg(PageTotal) : PageNumberText(n);
}

void TPageEngine::PrintPageNumber() {
    const QString text = PageNumberOf(Printing ? PrinterPageNumber : PageCount());
    // In the report font, whatever the text before it was set in.
    const QFont saved = ReportCanvas->font();
    ReportCanvas->setFont(CanvasFont());
    TextOut(PageNumberLeft(TextWidth(text)), Layout[mBottom], text);
    ReportCanvas->setFont(saved);
}

void TPageEngine::NewPage() {
    if (auto footer = OnPageFooter) footer();
    PrintPageNumber();
    if (Printing) {
        if (!PrintSurface()->newPage()) throw std::runtime_error("printer refused a new page");
        ++PrinterPageNumber;
        painter_->setFont(CanvasFont());
    } else {
        StartPageImage();
    }
    if (auto header = OnPageHeader) header(false);
}

void TPageEngine::BeginPrintJob() {
    if (!printer_) throw std::runtime_error("no printer");
    EndScreenPainter();
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_)) {
        painter_.reset();
        throw std::runtime_error("print job could not start");
    }
    PrinterPageNumber = 1;
}

void TPageEngine::EndPrintJob() {
    if (painter_ && painter_->isActive()) painter_->end();
    painter_.reset();
    ReportCanvas = nullptr;
    Printing = false;
}

void TPageEngine::PrintJob() {
    if (printer_ && !DocumentTitle.isEmpty()) printer_->setDocName(DocumentTitle);
    BeginPrintJob();
    try {
        if (OnLoadSettings) OnLoadSettings();
        Printing = true;
        DoReport();
    } catch (...) {
        EndPrintJob();
        throw;
    }
    EndPrintJob();
}
