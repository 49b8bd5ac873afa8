#pragma once
// The report preview: shows the pages the page engine produced, one at a time at actual size or fitted
// to the window, and from there prints them (composed again on the printer), chooses the printer,
// changes the report font, drags margins and the first column stops, exports all pages as one GIF image
// or as a PDF file, and mails the pages as GIF attachments. Created once, shown modally by the composer.
#include "report/PageEngine.h"

#include <QCursor>
#include <QDialog>

#include <array>
#include <memory>

class QAction;
class QFileDialog;
class QLabel;
class QPrinter;
class QScrollArea;
class QToolBar;
class TMailFolders;
class TMapiControl;
class TStdReport;

// Displayed size of a page fitted to a client height: that height, and the width in proportion.
QSize FullPageSize(QSize page, int clientHeight);

// The range [displayed pixels] within which a dragged guide may move.
struct TGuideLimits {
    int Lower = 0;
    int Upper = 0;
};
// The limits of guide `index` given every guide's displayed position, which guides are enabled, the
// largest enabled stop (displayed) and the displayed image size.
TGuideLimits GuideLimits(int index, const std::array<int, MarginCount>& positions,
                         const std::array<bool, MarginCount>& enabled, int maxStop, QSize image);
// A coordinate at or beyond the upper limit becomes upper - 5, one below the lower limit lower + 5;
// clamped tells whether either happened.
int LimitGuide(int coordinate, const TGuideLimits& limits, bool* clamped = nullptr);
// The placement of a preview that has nothing stored: `wanted` cut to the screen's available area,
// centred over the owner window and moved wholly onto that area.
QRect PreviewPlacement(QSize wanted, const QRect& owner, const QRect& area);
// True for a file name whose base name is "ReportLogo" in any letter case, whatever its extension.
bool IsReservedReportName(const QString& path);

class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    explicit TPreviewForm(QWidget* parent = nullptr);
    ~TPreviewForm() override;

    TPageEngine Engine;
    // Makes the composer show this window on Execute and draw through this window's engine.
    void Attach(TStdReport& report);

    int PageIndex = 0;
    double ZoomX = 1, ZoomY = 1;
    bool ShowMargins = false;
    std::array<bool, MarginCount> Dragging{};
    int MaxStop = 0;

    // The printer pages are laid out for; null when there is none. The window owns it.
    QPrinter* Printer() const;
    // Uses a printer of that name, or none for an empty name (tests; the window starts with the
    // system's default destination).
    void SelectPrinter(const QString& name);
    // Uses that printer (a PDF printer stands in for a system printer where there is none).
    void UsePrinter(std::unique_ptr<QPrinter> printer);

    // ---- Commands ----
    void PrintBtnClick();
    void PrintSetupBtnClick();
    void GIFBtnClick();
    void PDFBtnClick();
    void EMailBtnClick();
    void PrevPageBtnClick();
    void NextPageBtnClick();
    void ZoomFullPageBtnClick();
    void Zoom100BtnClick();
    void FontBtnClick();
    void MarginsBtnClick();
    void DefaultMarginsBtnClick();

    // ---- The work behind the commands, without dialogs ----
    // All pages stacked top to bottom in one GIF image; false with a message when it cannot be written.
    bool ExportGif(const QString& path);
    // The report composed on a PDF surface of the printer's page size (A4 without a printer).
    bool ExportPdf(const QString& path);
    // Writes page0.gif, page1.gif ... to folder, each a new file (an existing file or link there is
    // an error, never written through); returns their paths, or an empty list after a message.
    QStringList WritePageFiles(const QString& folder);
    // The private folders of the mailed pages (tests point them elsewhere).
    TMailFolders& MailFolders() { return *mailFolders_; }

    // Shows PageIndex at the current zoom (and the guides when they are on).
    void ShowPage();
    QLabel* RepImage() const { return repImage_; }
    QScrollArea* ScrollBox() const { return scrollBox_; }
    QString StatusPanel(int index) const;
    QAction* Action(const QString& objectName) const;
    TMapiControl* Mapi() const { return mapi_; }
    QFileDialog* SavePictureDialog();
    QFileDialog* SavePdfDialog();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateToolBar();
    void MailFailed(TMapiControl* mapi);
    QAction* AddAction(const QString& name, const QString& hint, const QIcon& icon, const QKeySequence& key,
                       void (TPreviewForm::*slot)());
    void Compose();
    void PlaceOverOwner();
    void DrawGuides();
    void HideGuides();
    int GuideScreenPos(int index) const;
    bool GuideHit(int index, QPoint p) const;
    void ImageMouseDown(QPoint p);
    void ImageMouseMove(QPoint p, Qt::MouseButtons buttons);
    void ImageMouseUp();
    QString AskFileName(QFileDialog* dialog);
    QFileDialog* SaveDialog(QFileDialog*& dialog, const QString& name, const QString& title,
                            const QString& filter, const QString& suffix);

    QToolBar* toolBar_ = nullptr;
    QScrollArea* scrollBox_ = nullptr;
    QLabel* repImage_ = nullptr;
    QLabel* panels_[2] = {};
    QImage displayed_;
    QCursor savedCursor_;
    std::unique_ptr<QPrinter> printer_;
    bool placed_ = false; // a stored placement was restored, or the window was placed on first show
    TMapiControl* mapi_ = nullptr;
    std::unique_ptr<TMailFolders> mailFolders_;
    QFileDialog* savePictureDialog_ = nullptr;
    QFileDialog* savePdfDialog_ = nullptr;
};
