#include "report/TxfReport.h"

#include "controls/TxNumText.h"
#include "report/MailFolder.h"
#include "report/MapiControl.h"
#include "report/ReportExport.h"
#include "report/ReportMessages.h"
#include "report/TxStdReport.h"
#include "storage/Folders.h"
#include "storage/FormPlacement.h"
#include "storage/PlainText.h"
#include "storage/Settings.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int GuideHitDistance = 5;
constexpr int GuideBackOff = 5;

bool IsHorizontalGuide(int index) {
    return index == mTop || index == mBottom;
}

std::unique_ptr<QPrinter> PrinterFor(const QPrinterInfo& info) {
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

// A printer on the system's default destination, or null when there is none.
std::unique_ptr<QPrinter> DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    return PrinterFor(info);
}

} // namespace

QSize FullPageSize(QSize page, int clientHeight) {
    if (page.height() <= 0) return page;
    return {int(std::lround(double(page.width()) / page.height() * clientHeight)), clientHeight};
}

TGuideLimits GuideLimits(int index, const std::array<int, MarginCount>& pos,
                         const std::array<bool, MarginCount>& enabled, int maxStop, QSize image) {
    // The next stop to the right, or the right margin when that stop is not draggable.
    auto nextStop = [&](int i) { return i < MarginCount && enabled[i] ? pos[i] : pos[mRight]; };
    switch (index) {
    case mLeft:
        return {0, nextStop(mStop2)};
    case mRight:
        return {maxStop, image.width()};
    case mTop:
        return {0, image.height() / 2};
    case mBottom:
        return {image.height() / 2, image.height()};
    case mStop1:
        return {0, nextStop(mStop2)};
    default:
        return {pos[index - 1], nextStop(index + 1)};
    }
}

int LimitGuide(int coordinate, const TGuideLimits& limits, bool* clamped) {
    bool hit = true;
    if (coordinate >= limits.Upper)
        coordinate = limits.Upper - GuideBackOff;
    else if (coordinate < limits.Lower)
        coordinate = limits.Lower + GuideBackOff;
    else
        hit = false;
    if (clamped) *clamped = hit;
    return coordinate;
}

QRect PreviewPlacement(QSize wanted, const QRect& owner, const QRect& area) {
    QRect placement(QPoint(), wanted.boundedTo(area.size()));
    placement.moveCenter(owner.center());
    placement.moveLeft(std::clamp(placement.left(), area.left(), area.right() + 1 - placement.width()));
    placement.moveTop(std::clamp(placement.top(), area.top(), area.bottom() + 1 - placement.height()));
    return placement;
}

bool IsReservedReportName(const QString& path) {
    return QFileInfo(path).completeBaseName().compare(QLatin1String("ReportLogo"), Qt::CaseInsensitive) == 0;
}

TPreviewForm::TPreviewForm(QWidget* parent)
    : QDialog(parent), printer_(DefaultPrinter()), mailFolders_(std::make_unique<TMailFolders>()) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Report Preview"));
    setMinimumSize(347, 385);
    resize(536, 449);
    Engine.SetPrinter(printer_.get());
    Engine.OnShowPage = [this] { ShowPage(); };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateToolBar();
    layout->addWidget(toolBar_);

    scrollBox_ = new QScrollArea;
    scrollBox_->setFrameShape(QFrame::NoFrame);
    scrollBox_->setFocusPolicy(Qt::NoFocus);
    scrollBox_->setBackgroundRole(QPalette::Dark);
    scrollBox_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    repImage_ = PlainLabel();
    repImage_->setObjectName(QStringLiteral("RepImage"));
    repImage_->setMouseTracking(true);
    repImage_->installEventFilter(this);
    scrollBox_->setWidget(repImage_);
    layout->addWidget(scrollBox_, 1);

    auto* status = new QStatusBar;
    status->setSizeGripEnabled(true);
    for (int i = 0; i < 2; ++i) {
        panels_[i] = PlainLabel();
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->setMinimumWidth(i == 0 ? 70 : 50);
        status->addWidget(panels_[i], i);
    }
    layout->addWidget(status);

    mapi_ = new TMapiControl(this);
    mapi_->ShowDialog = true;
    mapi_->UseAppHandle = true;
    mapi_->OnUserAbort = [this](TMapiControl* mapi) { MailFailed(mapi); };
    mapi_->OnMapiError = [this](TMapiControl* mapi, int) { MailFailed(mapi); };
    try {
        placed_ = TSettingsStore(objectName()).ValueExists(QStringLiteral("Width"));
        RestoreFormPlacement(this, false, true);
    } catch (const std::exception& e) {
        ReportMessage(QStringLiteral("Error on Report FormCreate... \r\n") +
                      QString::fromLocal8Bit(e.what()));
    }
}

TPreviewForm::~TPreviewForm() = default;

void TPreviewForm::Attach(TStdReport& report) {
    report.OnExecute = [this] { exec(); };
}

QPrinter* TPreviewForm::Printer() const {
    return printer_.get();
}

void TPreviewForm::SelectPrinter(const QString& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    UsePrinter(name.isEmpty() || info.isNull() ? nullptr : PrinterFor(info));
}

void TPreviewForm::UsePrinter(std::unique_ptr<QPrinter> printer) {
    printer_ = std::move(printer);
    Engine.SetPrinter(printer_.get());
}

QAction* TPreviewForm::AddAction(const QString& name, const QString& hint, const QIcon& icon,
                                 const QKeySequence& key, void (TPreviewForm::*slot)()) {
    auto* action = new QAction(icon, hint, this);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setToolTip(
        key.isEmpty() ? hint : hint + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + ')');
    connect(action, &QAction::triggered, this, slot);
    toolBar_->addAction(action);
    addAction(action);
    return action;
}

void TPreviewForm::CreateToolBar() {
    toolBar_ = new QToolBar;
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setFocusPolicy(Qt::NoFocus);
    QStyle* s = style();
    auto icon = [s](const char* theme, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(QLatin1String(theme), s->standardIcon(fallback));
    };
    AddAction("PrintBtn", "Print", icon("document-print", QStyle::SP_DialogSaveButton), QKeySequence::Print,
              &TPreviewForm::PrintBtnClick);
    AddAction("PrintSetupBtn", "Printer Setup", icon("document-print-preview", QStyle::SP_ComputerIcon),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), &TPreviewForm::PrintSetupBtnClick);
    AddAction("GIFBtn", "Write report to a GIF file.", icon("image-x-generic", QStyle::SP_DriveFDIcon),
              QKeySequence(Qt::CTRL | Qt::Key_G), &TPreviewForm::GIFBtnClick);
    AddAction("PDFBtn", "Export PDF", icon("application-pdf", QStyle::SP_FileIcon),
              QKeySequence(Qt::CTRL | Qt::Key_E), &TPreviewForm::PDFBtnClick);
    AddAction("EMailBtn", "Send report as email attachment", icon("mail-send", QStyle::SP_DirLinkIcon),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), &TPreviewForm::EMailBtnClick);
    toolBar_->addSeparator();
    AddAction("PrevPageBtn", "Previous page", icon("go-previous", QStyle::SP_ArrowLeft),
              QKeySequence(Qt::CTRL | Qt::Key_PageUp), &TPreviewForm::PrevPageBtnClick);
    AddAction("NextPageBtn", "Next page", icon("go-next", QStyle::SP_ArrowRight),
              QKeySequence(Qt::CTRL | Qt::Key_PageDown), &TPreviewForm::NextPageBtnClick);
    toolBar_->addSeparator();
    AddAction("ZoomFullPageBtn", "View Full Page", icon("zoom-fit-best", QStyle::SP_TitleBarNormalButton),
              QKeySequence::ZoomOut, &TPreviewForm::ZoomFullPageBtnClick);
    AddAction("Zoom100Btn", "100%", icon("zoom-original", QStyle::SP_TitleBarMaxButton), QKeySequence::ZoomIn,
              &TPreviewForm::Zoom100BtnClick);
    toolBar_->addSeparator();
    AddAction("FontBtn", "Change font", icon("preferences-desktop-font", QStyle::SP_FileDialogDetailedView),
              QKeySequence(Qt::CTRL | Qt::Key_T), &TPreviewForm::FontBtnClick);
    toolBar_->addSeparator();
    AddAction("MarginsBtn", "Margins on/off", icon("format-justify-fill", QStyle::SP_FileDialogListView),
              QKeySequence(Qt::CTRL | Qt::Key_M), &TPreviewForm::MarginsBtnClick);
    AddAction("DefaultMarginsBtn", "Reset margins", icon("edit-undo", QStyle::SP_BrowserReload),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), &TPreviewForm::DefaultMarginsBtnClick);
    toolBar_->addSeparator();
    AddAction("CloseBtn", "Close", icon("window-close", QStyle::SP_DialogCloseButton), QKeySequence::Close,
              &TPreviewForm::reject);
    for (QAction* a : toolBar_->actions())
        if (QWidget* w = toolBar_->widgetForAction(a)) w->setFocusPolicy(Qt::NoFocus);
}

QAction* TPreviewForm::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

QString TPreviewForm::StatusPanel(int index) const {
    return panels_[index]->text();
}

// ---- Opening and closing ----

void TPreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (Engine.OnLoadSettings) Engine.OnLoadSettings();
    savedCursor_ = cursor();
    Engine.Printing = false;
    PageIndex = 0;
    ShowMargins = false;
    Dragging.fill(false);
    Compose();
    if (!placed_) PlaceOverOwner();
}

// A page at actual size beside the scroll bar, nearly as high as the screen, over the main window.
void TPreviewForm::PlaceOverOwner() {
    placed_ = true;
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = owner ? owner->screen() : this->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    // The frame is not known before the window is first shown: leave room for borders and a title bar.
    const QRect inside = area.adjusted(0, 0, -16, -40);
    const int gutter = 2 * style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize wanted(Engine.PageWidth + gutter, int(inside.height() * 0.9));
    const QRect placement =
        PreviewPlacement(wanted, owner && owner->isVisible() ? owner->frameGeometry() : area, inside);
    resize(placement.size().expandedTo(minimumSize()));
    move(placement.topLeft());
}

void TPreviewForm::done(int result) {
    if (Engine.OnSaveSettings) Engine.OnSaveSettings();
    SaveFormPlacement(this);
    Engine.Pages.clear();
    QDialog::done(result);
}

void TPreviewForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (Engine.PageCount() > 0) ShowPage();
}

// Composes the pages for the screen again, keeping the page shown where it still exists.
void TPreviewForm::Compose() {
    Engine.Printing = false;
    Engine.DoReport();
    panels_[1]->setText(Engine.PrinterText);
}

// ---- Showing a page ----

void TPreviewForm::ShowPage() {
    if (Engine.PageCount() == 0) return;
    PageIndex = std::clamp(PageIndex, 0, Engine.PageCount() - 1);
    scrollBox_->verticalScrollBar()->setValue(0);
    const QImage& page = Engine.Pages[PageIndex];
    const QSize shown =
        // The height without scroll bars: a fitted page needs none.
        Engine.ZoomMode == 1 ? FullPageSize(page.size(), scrollBox_->maximumViewportSize().height())
                             : page.size();
    displayed_ = QImage(shown, QImage::Format_RGB32);
    displayed_.fill(Qt::white);
    {
        QPainter p(&displayed_);
        TStdReport::StretchBitmap(QRect(QPoint(0, 0), shown), page, p);
    }
    repImage_->resize(shown);
    ZoomX = double(shown.width()) / page.width();
    ZoomY = double(shown.height()) / page.height();
    Action("Zoom100Btn")->setEnabled(Engine.ZoomMode == 1);
    Action("ZoomFullPageBtn")->setEnabled(Engine.ZoomMode == 0);
    if (ShowMargins) DrawGuides();
    repImage_->setPixmap(QPixmap::fromImage(displayed_));
}

void TPreviewForm::PrevPageBtnClick() {
    if (PageIndex <= 0) return;
    --PageIndex;
    ShowPage();
}

void TPreviewForm::NextPageBtnClick() {
    if (PageIndex >= Engine.PageCount() - 1) return;
    ++PageIndex;
    ShowPage();
}

void TPreviewForm::ZoomFullPageBtnClick() {
    Engine.ZoomMode = 1;
    ShowPage();
}

void TPreviewForm::Zoom100BtnClick() {
    Engine.ZoomMode = 0;
    ShowPage();
}

void TPreviewForm::keyPressEvent(QKeyEvent* event) {
    QScrollBar* bar = scrollBox_->verticalScrollBar();
    const int page = scrollBox_->viewport()->height();
    switch (event->key()) {
    case Qt::Key_PageUp:
        bar->setValue(bar->value() - page);
        break;
    case Qt::Key_PageDown:
        bar->setValue(bar->value() + page);
        break;
    case Qt::Key_Home:
        bar->setValue(0);
        break;
    case Qt::Key_End:
        bar->setValue(bar->maximum());
        break;
    case Qt::Key_Up:
        bar->setValue(bar->value() - bar->singleStep());
        break;
    case Qt::Key_Down:
        bar->setValue(bar->value() + bar->singleStep());
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

// ---- Margin guides ----

int TPreviewForm::GuideScreenPos(int index) const {
    return int(Engine.Layout[index] * (IsHorizontalGuide(index) ? ZoomY : ZoomX));
}

// Dashed lines drawn by inverting the image, so drawing them again erases them.
void TPreviewForm::DrawGuides() {
    QPainter p(&displayed_);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen(Qt::white, 1, Qt::DashLine);
    p.setPen(pen);
    for (int i = 0; i < MarginCount; ++i) {
        if (!Engine.GuideEnabled[i]) continue;
        const int at = GuideScreenPos(i);
        if (IsHorizontalGuide(i))
            p.drawLine(0, at, displayed_.width() - 1, at);
        else
            p.drawLine(at, 0, at, displayed_.height() - 1);
    }
}

void TPreviewForm::HideGuides() {
    if (ShowMargins) {
        DrawGuides();
        repImage_->setPixmap(QPixmap::fromImage(displayed_));
    }
    ShowMargins = false;
    Dragging.fill(false);
}

void TPreviewForm::MarginsBtnClick() {
    ShowMargins = !ShowMargins;
    DrawGuides();
    repImage_->setPixmap(QPixmap::fromImage(displayed_));
    Dragging.fill(false);
}

void TPreviewForm::DefaultMarginsBtnClick() {
    Engine.Margins = DefaultMargins();
    Compose();
}

bool TPreviewForm::GuideHit(int index, QPoint p) const {
    const int across = IsHorizontalGuide(index) ? p.y() : p.x();
    return std::abs(across - GuideScreenPos(index)) <= GuideHitDistance;
}

void TPreviewForm::ImageMouseDown(QPoint p) {
    if (!ShowMargins) return;
    MaxStop = 0;
    for (int i = mStop1; i < MarginCount; ++i)
        if (Engine.GuideEnabled[i]) MaxStop = std::max(MaxStop, Engine.Layout[i]);
    for (int i = 0; i < MarginCount && Engine.GuideEnabled[i]; ++i)
        if (GuideHit(i, p)) {
            Dragging[i] = true;
            break;
        }
}

void TPreviewForm::ImageMouseMove(QPoint p, Qt::MouseButtons buttons) {
    if (!ShowMargins) return;
    if (!(buttons & Qt::LeftButton)) {
        Qt::CursorShape shape = savedCursor_.shape();
        for (int i = 0; i < MarginCount; ++i)
            if (Engine.GuideEnabled[i] && GuideHit(i, p)) {
                shape = IsHorizontalGuide(i) ? Qt::SplitVCursor : Qt::SplitHCursor;
                break;
            }
        repImage_->setCursor(shape);
        return;
    }
    const auto dragged = std::find(Dragging.begin(), Dragging.end(), true);
    if (dragged == Dragging.end()) return;
    const int i = int(dragged - Dragging.begin());
    std::array<int, MarginCount> positions{};
    for (int k = 0; k < MarginCount; ++k)
        positions[k] = GuideScreenPos(k);
    const TGuideLimits limits =
        GuideLimits(i, positions, Engine.GuideEnabled, int(MaxStop * ZoomX), displayed_.size());
    bool clamped = false;
    const int at = LimitGuide(IsHorizontalGuide(i) ? p.y() : p.x(), limits, &clamped);
    if (clamped) repImage_->setCursor(savedCursor_);
    DrawGuides();
    Engine.Layout[i] = int(at / (IsHorizontalGuide(i) ? ZoomY : ZoomX));
    DrawGuides();
    repImage_->setPixmap(QPixmap::fromImage(displayed_));
}

void TPreviewForm::ImageMouseUp() {
    const auto dragged = std::find(Dragging.begin(), Dragging.end(), true);
    if (dragged == Dragging.end()) return;
    *dragged = false;
    const int i = int(dragged - Dragging.begin());
    const double cmX = Engine.PixelsPerCmX, cmY = Engine.PixelsPerCmY;
    double value = 0;
    switch (i) {
    case mRight:
        value = (Engine.PageWidth - Engine.Layout[mRight]) / cmX;
        break;
    case mBottom:
        value = (Engine.PageHeight - Engine.Layout[mBottom]) / cmY;
        break;
    case mTop:
        value = Engine.Layout[mTop] / cmY;
        break;
    default:
        value = Engine.Layout[i] / cmX;
    }
    Engine.Margins[i] = value;
    repImage_->setCursor(savedCursor_);
    Compose();
    panels_[0]->setText(FormatFloat(QStringLiteral("%0.1f"), value));
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == repImage_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            ImageMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(event);
            ImageMouseMove(e->position().toPoint(), e->buttons());
            return true;
        }
        case QEvent::MouseButtonRelease:
            ImageMouseUp();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Printing, font, printer ----

void TPreviewForm::PrintBtnClick() {
    if (isVisible()) {
        if (Engine.OnSaveSettings) Engine.OnSaveSettings();
        HideGuides();
    }
    if (Engine.OnPrint) Engine.OnPrint();
    // Printing laid the pages out for the printer; lay them out for the screen again.
    if (isVisible()) Compose();
}

void TPreviewForm::PrintSetupBtnClick() {
    if (!printer_) {
        ReportMessage(QStringLiteral("Printer not found"));
        return;
    }
    // The page setup (paper, orientation, margins of the printer) closes with OK: a print dialog here
    // offered "Print" and then printed nothing.
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.setObjectName(QStringLiteral("PageSetupDialog"));
    if (dialog.exec() != QDialog::Accepted) return;
    Compose();
}

void TPreviewForm::FontBtnClick() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, Engine.ReportFont, this, QStringLiteral("Report Font"));
    if (!ok) return;
    Engine.ReportFont = font;
    Engine.FontChanged = true;
    Compose();
    if (Engine.OnSaveSettings) Engine.OnSaveSettings();
}

// ---- Export ----

QString TPreviewForm::AskFileName(QFileDialog* dialog) {
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return dialog->selectedFiles().first();
}

// A save dialog made once and kept, so it remembers its folder: the program folder, then the last used.
QFileDialog* TPreviewForm::SaveDialog(QFileDialog*& dialog, const QString& name, const QString& title,
                                      const QString& filter, const QString& suffix) {
    if (!dialog) {
        dialog = new QFileDialog(this, title, ProgramFolder(), filter);
        dialog->setObjectName(name);
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setDefaultSuffix(suffix);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->selectFile(QStringLiteral("Report.") + suffix);
    }
    return dialog;
}

QFileDialog* TPreviewForm::SavePictureDialog() {
    return SaveDialog(savePictureDialog_, QStringLiteral("SavePictureDialog"),
                      QStringLiteral("Save Report Image"), QStringLiteral("GIF Image File (*.gif)"),
                      QStringLiteral("gif"));
}

QFileDialog* TPreviewForm::SavePdfDialog() {
    return SaveDialog(savePdfDialog_, QStringLiteral("SavePdfDialog"), QStringLiteral("Export PDF"),
                      QStringLiteral("PDF File (*.pdf)"), QStringLiteral("pdf"));
}

void TPreviewForm::GIFBtnClick() {
    if (Engine.PageCount() == 0) return;
    QFileDialog* dialog = SavePictureDialog();
    for (;;) {
        const QString path = AskFileName(dialog);
        if (path.isEmpty()) return;
        if (!IsReservedReportName(path)) {
            ExportGif(path);
            return;
        }
        ReportMessage(QStringLiteral("Sorry, ") + QFileInfo(path).completeBaseName() +
                      QStringLiteral(" is a reserved filename"));
        dialog->selectFile(QString());
    }
}

// The export's failure as the user sees it.
static bool Exported(bool ok, const QString& path, const QString& error) {
    if (!ok) ReportMessage(QStringLiteral("Error writing ") + path + QStringLiteral(": ") + error);
    return ok;
}

bool TPreviewForm::ExportGif(const QString& path) {
    if (Engine.PageCount() == 0) return false;
    QString error;
    return Exported(ExportReportGif(Engine, path, &error), path, error);
}

void TPreviewForm::PDFBtnClick() {
    if (Engine.PageCount() == 0) return;
    const QString path = AskFileName(SavePdfDialog());
    if (!path.isEmpty()) ExportPdf(path);
}

bool TPreviewForm::ExportPdf(const QString& path) {
    if (Engine.OnSaveSettings) Engine.OnSaveSettings();
    HideGuides();
    QString error;
    const QPageLayout layout = printer_ ? printer_->pageLayout() : QPageLayout();
    const bool ok = ExportReportPdf(Engine, path, printer_ ? &layout : nullptr,
                                    {Engine.DocumentTitle, QApplication::applicationDisplayName(),
                                     Engine.DocumentAuthor, Engine.DocumentSubject},
                                    &error);
    if (isVisible()) Compose();
    return Exported(ok, path, error);
}

QStringList TPreviewForm::WritePageFiles(const QString& folder) {
    QString error;
    const QStringList paths = WriteReportPageFiles(Engine, folder, &error);
    if (paths.isEmpty() && Engine.PageCount() > 0) Exported(false, folder, error);
    return paths;
}

void TPreviewForm::EMailBtnClick() {
    QString error;
    const QString folder = mailFolders_->NewFolder(&error);
    if (folder.isEmpty()) {
        ReportMessage(QStringLiteral("Error making a folder for the mail pages: ") + error);
        return;
    }
    // A report for a client travels as one searchable PDF; the others as their page images.
    const QString pdf = folder + QStringLiteral("report.pdf");
    const QStringList paths =
        Engine.MailAsPdf ? (ExportPdf(pdf) ? QStringList{pdf} : QStringList{}) : WritePageFiles(folder);
    if (paths.isEmpty()) return;
    mapi_->Recipients.clear();
    mapi_->Subject = QStringLiteral("Report...");
    mapi_->Body = QStringLiteral("Please find our report attached.");
    mapi_->AttachedFiles = paths;
    mapi_->Send();
}

// A report that did not reach a mail program must not pass for sent; its pages stay where the user can
// attach them by hand.
void TPreviewForm::MailFailed(TMapiControl* mapi) {
    const QStringList& files = mapi->SentFiles();
    QStringList names;
    for (const QString& file : files)
        names << QFileInfo(file).fileName();
    const QString folder = files.isEmpty() ? QString() : QFileInfo(files.first()).absolutePath();
    ReportMessage(QStringLiteral("The report was not sent: %1.\r\nIts pages (%2) are in the folder\r\n%3\r\n"
                                 "Attach them to a message by hand; the folder is removed when the program "
                                 "ends.")
                      .arg(mapi->FailureText(), names.join(QStringLiteral(", ")), folder));
}
