#include "ResultPages.h"

#include "InputCheck.h"
#include "ResultColumns.h"
#include "controls/TxBarPlot.h"
#include "controls/TxFmtEdit.h"
#include "dialogs/TxChartColorForm.h"
#include "storage/PlainText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGraphicsColorizeEffect>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStaticText>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// A read-only field of the Local page.
QLineEdit* ReadOnlyField() {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

// A label that reads like a link and runs an action when clicked.
QPushButton* LinkButton(const QString& text) {
    auto* button = new QPushButton(text);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { color: palette(link); text-decoration: underline;"
                                         " border: none; text-align: left; padding: 2px; }"));
    return button;
}

// Centimetres: two decimals show every start value (1.25 m, 0.15 m) as it is.
TxFEdit* GlassEdit(const char* name, TInputRange range) {
    auto* edit = new TxFEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetFormatStr(QStringLiteral("%0.2f"));
    edit->SetFormatType(ft_Fixed);
    edit->SetSigDigs(5);
    edit->SetRangeLo(range.Lo);
    edit->SetRangeHi(range.Hi);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(90);
    return edit;
}

template <class Page, class... Args> std::function<TResultPageWidget*(TCalcDocument&)> Builder(Args... args) {
    return [=](TCalcDocument& doc) { return new Page(doc, args...); };
}

} // namespace

const QList<TPageSpec>& ResultPageTable() {
    static const QList<TPageSpec> table{
        {pgAngles, "Angles", "Angles", Builder<TResultListPage>(pgAngles)},
        {pgSolar, "Solar", "Solar Tables", Builder<TResultListPage>(pgSolar)},
        {pgPlot, "Plot", "Solar Plot", Builder<TPlotPage>()},
        {pgWindow, "Window", "Window Shading", Builder<TWindowPage>()},
        {pgLocal, "Local", "Solar Times", Builder<TLocalPage>()},
        {pgSolAir, "SolAir", "Sol-Air Temperature", Builder<TSolAirPage>()},
    };
    return table;
}

TResultPageWidget::TResultPageWidget(TCalcDocument& doc, QWidget* parent) : QWidget(parent), FDoc(doc) {}

void TResultPageWidget::EnsureBuilt() {
    if (!FBuilt) {
        FBuilt = true;
        FStale = true;
        Build();
        ShowOutOfDate();
        // Controls added to a page that shows would show only when the event loop next runs; the page
        // is whole now, like one built at start.
        if (isVisible())
            for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (!(child->isHidden() && child->testAttribute(Qt::WA_WState_ExplicitShowHide)))
                    child->show();
    }
    if (!FStale) return;
    FStale = false;
    // Each event shows the whole of its part of the document, so together they catch the page up.
    SolveFinished();
    SolAirChanged();
    LocalChanged();
    AreaFactorsChanged();
}

void TResultPageWidget::SetOutOfDate(bool outOfDate) {
    if (outOfDate == FOutOfDate) return;
    FOutOfDate = outOfDate;
    if (FBuilt) ShowOutOfDate();
}

void TResultPageWidget::AddResultControl(QWidget* control) {
    FResultControls << control;
}

// Text in the disabled colour; a chart drawn in greys.
void TResultPageWidget::ShowOutOfDate() {
    for (QWidget* control : FResultControls) {
        if (qobject_cast<TStackedBarPlot*>(control)) {
            QGraphicsColorizeEffect* grey = nullptr;
            if (FOutOfDate) {
                grey = new QGraphicsColorizeEffect;
                grey->setColor(QColor(160, 160, 160));
            }
            control->setGraphicsEffect(grey); // the control owns it, and drops the one it had
            continue;
        }
        QPalette palette = control->palette();
        const QColor text = QApplication::palette(control).color(
            FOutOfDate ? QPalette::Disabled : QPalette::Active, QPalette::Text);
        palette.setColor(QPalette::Active, QPalette::Text, text);
        palette.setColor(QPalette::Inactive, QPalette::Text, text);
        control->setPalette(palette);
    }
}

void TResultPageWidget::Changed(void (TResultPageWidget::*event)()) {
    if (!FBuilt) return;
    // A page out of sight catches up when it shows or its controls are asked for.
    if (isVisible())
        (this->*event)();
    else
        FStale = true;
}

void TResultPageWidget::showEvent(QShowEvent* event) {
    EnsureBuilt();
    QWidget::showEvent(event);
}

// ---- Result lists --------------------------------------------------------------------------------

namespace {

// The cells of a result list with grid lines between them. A plain cell (no focus frame, a text that
// fits) draws its background through the style and its text from a laid-out copy kept per text, so a
// repaint does not lay out every number again; any other cell is drawn by the standard delegate.
class TGridLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        if (!PaintPlain(p, opt)) QStyledItemDelegate::paint(p, option, index);
        // The right and bottom edges, one pixel wide: filled, which costs a fraction of stroked lines.
        const QRect r = option.rect;
        const QColor line = option.palette.color(QPalette::Midlight);
        p->fillRect(QRect(r.right(), r.top(), 1, r.height()), line);
        p->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), line);
    }

private:
    bool PaintPlain(QPainter* p, const QStyleOptionViewItem& opt) const {
        if (opt.state & QStyle::State_HasFocus || opt.features & ~QStyleOptionViewItem::HasDisplay)
            return false;
        const QWidget* widget = opt.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        // The text's room as the style gives it: the focus frame's margin and one pixel on each side.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect room = opt.rect.adjusted(margin, 0, -margin, 0);
        const QStaticText& text = LaidOut(opt.text, opt.font);
        const QSizeF size = text.size();
        if (size.width() > room.width()) return false; // elided by the standard delegate
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, p, widget);
        QPalette::ColorGroup group =
            opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !(opt.state & QStyle::State_Active)) group = QPalette::Inactive;
        const bool selected = opt.state & QStyle::State_Selected;
        p->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        p->setFont(opt.font);
        const QRect at = QStyle::alignedRect(opt.direction, opt.displayAlignment, size.toSize(), room);
        p->drawStaticText(at.topLeft(), text);
        return true;
    }

    // The laid-out text, kept for the next repaint; the store starts afresh when the font changes or
    // it has grown past a few screens of distinct numbers, so it never grows over a long session.
    const QStaticText& LaidOut(const QString& text, const QFont& font) const {
        if (font != FFont || FTexts.size() > 4096) {
            FTexts.clear();
            FFont = font;
        }
        auto it = FTexts.find(text);
        if (it == FTexts.end()) {
            QStaticText laidOut(text);
            laidOut.setTextFormat(Qt::PlainText);
            laidOut.prepare(QTransform(), font);
            it = FTexts.insert(text, laidOut);
        }
        return *it;
    }

    mutable QHash<QString, QStaticText> FTexts;
    mutable QFont FFont;
};

// The heading row of a result list, measured in the font it is drawn in. Qt measures headings in bold,
// for lists that embolden the heading of a selected column; these lists never do, and the bold face
// would be loaded at start-up for that measure alone.
//
// The row takes the focus from the keyboard: Left and Right (Home, End) move along the headings, and
// Return, Enter or Space do what a click on the focused heading does.
class TResultHeader : public QHeaderView {
public:
    // As a tree view sets up its own heading row.
    TResultHeader() : QHeaderView(Qt::Horizontal) {
        setSectionsMovable(true);
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setFocusPolicy(Qt::TabFocus);
        connect(this, &QHeaderView::sectionClicked, this, [this](int section) { SetCurrent(section); });
    }
    // The heading last clicked or moved to; the first value column at the start.
    int Current() const { return FCurrent; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int at = visualIndex(FCurrent);
        switch (event->key()) {
        case Qt::Key_Left:
            return SetCurrent(logicalIndex(std::max(at - 1, 0)));
        case Qt::Key_Right:
            return SetCurrent(logicalIndex(std::min(at + 1, count() - 1)));
        case Qt::Key_Home:
            return SetCurrent(logicalIndex(0));
        case Qt::Key_End:
            return SetCurrent(logicalIndex(count() - 1));
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (event->modifiers() & ~(Qt::KeypadModifier)) break;
            emit sectionClicked(FCurrent);
            return;
        default:
            break;
        }
        QHeaderView::keyPressEvent(event);
    }
    // The focused heading carries the focus frame.
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        if (!hasFocus() || logicalIndex != FCurrent) return;
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect = rect.adjusted(2, 2, -2, -2);
        painter->save();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, this);
        painter->restore();
    }
    void focusInEvent(QFocusEvent* event) override {
        QHeaderView::focusInEvent(event);
        viewport()->update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QHeaderView::focusOutEvent(event);
        viewport()->update();
    }

private:
    void SetCurrent(int section) {
        if (section < 0 || section >= count()) return;
        FCurrent = section;
        viewport()->update();
    }

    int FCurrent = 1;

protected:
    // As Qt measures a heading, less the bold; the headings carry no pictures or size hints of their own.
    QSize sectionSizeFromContents(int logicalIndex) const override {
        ensurePolished();
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.section = logicalIndex;
        option.text = model()->headerData(logicalIndex, orientation()).toString();
        if (isSortIndicatorShown()) option.sortIndicator = QStyleOptionHeader::SortDown;
        return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
    }
};

// A result list whose columns share its width: each at least as wide as its heading, the room left
// over shared out evenly, so the list never scrolls sideways and never leaves half its page empty.
class TResultList : public QTreeWidget {
public:
    TResultList() {
        setHeader(new TResultHeader);
        header()->setSectionResizeMode(QHeaderView::Fixed);
        header()->setStretchLastSection(false);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    // The width the columns need: headings, or a four-digit value where that is wider. Measured once
    // (again after a change of font or style): the list is resized many times while a window settles.
    int ColumnHint(int c) const {
        if (FHints.size() != columnCount()) {
            FHints.clear();
            const int value = fontMetrics().horizontalAdvance(QStringLiteral("-0000")) + 12;
            for (int i = 0; i < columnCount(); ++i)
                FHints << std::max(header()->sectionSizeHint(i), value);
        }
        return FHints[c];
    }
    int ColumnsHint() const {
        int sum = 0;
        for (int c = 0; c < columnCount(); ++c)
            sum += ColumnHint(c);
        return sum;
    }
    QSize minimumSizeHint() const override {
        const int chrome = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        return {ColumnsHint() + chrome, QTreeWidget::minimumSizeHint().height()};
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QTreeWidget::resizeEvent(event);
        FitColumns();
    }
    // A new font or style changes the headings' widths: the columns are measured and fitted again at
    // once, not at the next resize (the base class tells the layout of the new minimum).
    void changeEvent(QEvent* event) override {
        QTreeWidget::changeEvent(event);
        if (event->type() != QEvent::FontChange && event->type() != QEvent::StyleChange) return;
        FHints.clear();
        FitColumns();
    }
    void FitColumns() {
        const int n = columnCount();
        if (n == 0) return;
        const int spare = std::max(0, viewport()->width() - ColumnsHint());
        for (int c = 0; c < n; ++c)
            setColumnWidth(c, ColumnHint(c) + spare / n + (c < spare % n ? 1 : 0));
    }

    mutable QList<int> FHints;
};

} // namespace

void TResultPageWidget::ConnectColumnClicks(QTreeWidget* list, TResultPage page) {
    FColumnList = list;
    FColumnPage = page;
    list->header()->setSectionsClickable(true);
    // The headings come before the rows in the tab order, as they do on the screen.
    setTabOrder(list->header(), list);
    connect(list->header(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (const TResultColumn* column = ColumnAt(section); column && OnColumnClick) OnColumnClick(*column);
    });
}

const TResultColumn* TResultPageWidget::ColumnAt(int section) const {
    const QList<const TResultColumn*> columns = ColumnsOf(FColumnPage);
    return section >= 1 && section <= columns.size() ? columns[section - 1] : nullptr;
}

const TResultColumn* TResultPageWidget::CurrentColumn() {
    EnsureBuilt();
    if (!FColumnList) return nullptr;
    return ColumnAt(static_cast<const TResultHeader*>(FColumnList->header())->Current());
}

QTreeWidget* CreateResultList(const QStringList& captions, int leftAligned) {
    auto* list = new TResultList;
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setItemDelegate(new TGridLineDelegate(list));
    list->setHeaderLabels(captions);
    for (int c = 0; c < captions.size(); ++c) {
        const Qt::Alignment align = c < leftAligned ? Qt::AlignLeft : Qt::AlignRight;
        list->headerItem()->setTextAlignment(c, align | Qt::AlignVCenter);
    }
    return list;
}

namespace {

// Makes the row of hour current again (selected when it was), or none when the solve dropped the hour.
void FollowHour(QTreeWidget* list, const QString& hour, bool selected) {
    const QList<QTreeWidgetItem*> same = list->findItems(hour, Qt::MatchExactly, 0);
    list->setCurrentItem(same.value(0), list->currentColumn());
    if (!selected) list->clearSelection();
}

} // namespace

void FillResultList(QTreeWidget* list, const QList<TResultRow>& rows) {
    // Rows are added or taken at the end to match the solve and their texts change in place; only the
    // cells whose text differs are touched, so the list alone repaints and not the page around it.
    const int columns = list->columnCount();
    // The row a user picked is known by its hour, which a solve that moves sunrise moves to another row.
    const QTreeWidgetItem* current = list->currentItem();
    const QString currentHour = current ? current->text(0) : QString();
    const bool currentSelected = current && current->isSelected();
    bool hoursMoved = list->topLevelItemCount() != rows.size();
    bool changed = hoursMoved;
    while (list->topLevelItemCount() > rows.size())
        delete list->takeTopLevelItem(list->topLevelItemCount() - 1);
    if (list->topLevelItemCount() < rows.size()) {
        QList<QTreeWidgetItem*> items;
        for (int r = list->topLevelItemCount(); r < rows.size(); ++r) {
            auto* item = new QTreeWidgetItem(QStringList{rows[r].Caption} + rows[r].Cells);
            for (int c = 0; c < columns; ++c)
                item->setTextAlignment(c, Qt::Alignment(list->headerItem()->textAlignment(c)));
            items.append(item);
        }
        list->addTopLevelItems(items);
    }
    for (int r = 0; r < rows.size(); ++r) {
        QTreeWidgetItem* item = list->topLevelItem(r);
        for (int c = 0; c < columns; ++c) {
            const QString& text = c == 0 ? rows[r].Caption : rows[r].Cells.value(c - 1);
            if (item->text(c) == text) continue;
            item->setText(c, text);
            changed = true;
            hoursMoved = hoursMoved || c == 0;
        }
    }
    if (hoursMoved && !currentHour.isNull()) FollowHour(list, currentHour, currentSelected);
    // Laid out now rather than from a timer, so the rows are painted once, in their new places.
    if (changed) list->doItemsLayout();
}

TResultListPage::TResultListPage(TCalcDocument& doc, TResultPage page)
    : TResultPageWidget(doc), FPage(page) {}

QTreeWidget* TResultListPage::List() {
    EnsureBuilt();
    return FList;
}

void TResultListPage::Build() {
    const TResultPage page = FPage;
    // "Normal" is left-aligned like "CT" on the Solar list.
    FList = page == pgAngles ? CreateResultList(TCalcDocument::AnglesColumns(), 1)
                             : CreateResultList(TCalcDocument::SolarColumns(), 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FList);
    ConnectColumnClicks(FList, page);
    auto* details = new QAction(QStringLiteral("Calculation &Details..."), FList);
    connect(details, &QAction::triggered, this, [this] {
        if (FList->currentItem() && OnRowDetails)
            OnRowDetails(FList->currentItem()->text(0).trimmed().toInt());
    });
    FList->addAction(details);
    FList->setContextMenuPolicy(Qt::ActionsContextMenu);
    AddResultControl(FList);
    // A row of the Angles list gives its clock hour to the Local page and updates the local angles.
    if (page == pgAngles)
        connect(FList, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
            FDoc.SetLocalTime(item->text(0).trimmed(), FDoc.LocalTimeIsSolar());
            FDoc.RefreshLocalAngles();
        });
}

void TResultListPage::SolveFinished() {
    if (FList) FillResultList(FList, FPage == pgAngles ? FDoc.AnglesRows() : FDoc.SolarRows());
}

// ---- Plot ----------------------------------------------------------------------------------------

TPlotPage::TPlotPage(TCalcDocument& doc) : TResultPageWidget(doc) {}

TPlotPage::~TPlotPage() = default;

void TPlotPage::Build() {
    FPlot = new TStackedBarPlot({{QStringLiteral("Reflected"), QColor(255, 128, 128)},
                                 {QStringLiteral("Diffuse"), QColor(0, 128, 255)},
                                 {QStringLiteral("Beam"), QColor(255, 255, 128)}});
    FPlot->SetTitles(QStringLiteral("Clock hour"), QStringLiteral("W/m²"));
    FPlot->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* colors = new QAction(QStringLiteral("Color Settings"), FPlot);
    connect(colors, &QAction::triggered, this, [this] {
        if (OnColorSettings) OnColorSettings();
    });
    auto* copy = new QAction(QStringLiteral("Copy to clipboard"), FPlot);
    connect(copy, &QAction::triggered, this, &TPlotPage::CopyChart);
    FPlot->addActions({colors, copy});
    FPlot->installEventFilter(this);
    AddResultControl(FPlot);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FPlot);
    // Colours applied before the chart was built, else those of the settings.
    ApplyColors(FColors ? TChartColors(*FColors) : StoredChartColors());
}

void TPlotPage::SolveFinished() {
    if (FPlot) FillPlot();
}

void TPlotPage::FillPlot() {
    const TProfile24* profiles[] = {&FDoc.ReflectedProfile(), &FDoc.DiffuseProfile(), &FDoc.DirectProfile()};
    QStringList hours;
    QList<QList<double>> values(std::size(profiles));
    for (const TResultRow& row : FDoc.SolarRows()) {
        const int hour = row.Caption.trimmed().toInt();
        hours << QString::number(hour);
        for (size_t s = 0; s < std::size(profiles); ++s)
            values[s] << (*profiles[s])[hour];
    }
    FPlot->SetBars(hours, values);
}

void TPlotPage::CopyChart() {
    if (!FPlot) return; // never shown: there is no picture
    QGuiApplication::clipboard()->setImage(FPlot->Picture());
}

// A left click on the chart copies it.
bool TPlotPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FPlot && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && FPlot->rect().contains(mouse->position().toPoint())) CopyChart();
    }
    return TResultPageWidget::eventFilter(watched, event);
}

void TPlotPage::ApplyColors(const TChartColors& colors) {
    if (!FColors || *FColors != colors) FColors = std::make_unique<TChartColors>(colors);
    if (FPlot) FPlot->SetBackground(ChartBackground(colors), colors.Panel);
}

// ---- Window --------------------------------------------------------------------------------------

namespace {
// Marks a place where a comma-separated line may wrap; never copied out.
const QChar WrapPoint(0x200B);
} // namespace

void TFractionMemo::SetLine(const QString& line) {
    QString shown = line;
    shown.replace(QLatin1Char(','), QString(QLatin1Char(',')) + WrapPoint);
    setPlainText(shown);
}

TFractionMemo::TFractionMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setObjectName(QStringLiteral("AreaFactorMemo"));
}

QMimeData* TFractionMemo::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(textCursor().selectedText().remove(WrapPoint));
    return data;
}

TRecessPicture::TRecessPicture(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Sunlit Area Fraction (vertical glass)"));
    setMinimumSize(120, 80);
    setMaximumHeight(220);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void TRecessPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick();
}

// A window in a recess, seen from outside and a little from the left and above: the wall face, the
// opening, and set back by the depth the glass, with the head and a reveal in shade.
void TRecessPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 245 x 140 plan, scaled to fit and centred.
    const double scale = std::min({width() / 245.0, height() / 140.0, 1.5});
    p.translate((width() - 245 * scale) / 2, (height() - 140 * scale) / 2);
    p.scale(scale, scale);
    const QRectF opening(40, 22, 120, 92);
    const QPointF back(16, 12); // the depth, as it shows in this view
    const QRectF glass = opening.translated(back).adjusted(0, 0, -back.x() * 0.2, -back.y() * 0.2);
    p.fillRect(QRectF(16, 6, 168, 128), QColor(215, 208, 195)); // wall face
    p.setPen(QPen(QColor(90, 90, 90), 1));
    const QPolygonF head{opening.topLeft(), opening.topRight(), glass.topRight(), glass.topLeft()};
    const QPolygonF reveal{opening.topLeft(), glass.topLeft(), glass.bottomLeft(), opening.bottomLeft()};
    const QPolygonF otherReveal{opening.topRight(), opening.bottomRight(), glass.bottomRight(),
                                glass.topRight()};
    const QPolygonF sill{opening.bottomLeft(), glass.bottomLeft(), glass.bottomRight(),
                         opening.bottomRight()};
    p.setBrush(QColor(150, 145, 135));
    p.drawPolygon(head);
    p.drawPolygon(reveal);
    p.setBrush(QColor(190, 184, 172));
    p.drawPolygon(otherReveal);
    p.drawPolygon(sill);
    p.setBrush(QColor(175, 210, 235));
    p.drawRect(glass);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(glass.topLeft() + QPointF(20, 30), glass.topLeft() + QPointF(45, 8));

    p.setPen(QColor(30, 30, 30));
    auto label = [&](QPointF at, QPointF text, const QString& caption) {
        p.drawLine(at, text);
        p.drawText(QRectF(text.x() + 2, text.y() - 8, 60, 16), Qt::AlignLeft | Qt::AlignVCenter, caption);
    };
    label(QPointF(120, 28), QPointF(190, 14), QStringLiteral("Head"));
    label(QPointF(48, 80), QPointF(190, 126), QString());
    p.drawText(QRectF(192, 118, 50, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Reveal"));
    label(QPointF(120, 70), QPointF(190, 64), QStringLiteral("Glass"));
    // The depth along the lower-left edge of the recess.
    p.setPen(QPen(QColor(180, 40, 40), 1.5));
    const QPointF a = opening.bottomLeft() + QPointF(-6, 8), b = a + back;
    p.drawLine(a, b);
    p.drawText(QRectF(0, 118, 40, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Depth"));
}

TWindowPage::TWindowPage(TCalcDocument& doc) : TResultPageWidget(doc) {}

void TWindowPage::Build() {
    FGlassHeightEdit = GlassEdit("GlassHeightEdit", InputRange(inGlassHeight));
    FGlassWidthEdit = GlassEdit("GlassWidthEdit", InputRange(inGlassWidth));
    FGlassDepthEdit = GlassEdit("GlassDepthEdit", InputRange(inGlassDepth));
    FGlassHeightEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassHeightEdit, inGlassHeight); };
    FGlassWidthEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassWidthEdit, inGlassWidth); };
    FGlassDepthEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassDepthEdit, inGlassDepth); };
    for (TxFEdit* box : {FGlassHeightEdit, FGlassWidthEdit, FGlassDepthEdit})
        box->installEventFilter(this);

    auto* form = new QFormLayout;
    AddPlainRow(form, QStringLiteral("Glass Height, m"), FGlassHeightEdit);
    AddPlainRow(form, QStringLiteral("Glass Width, m"), FGlassWidthEdit);
    AddPlainRow(form, QStringLiteral("Recess Depth, m"), FGlassDepthEdit);
    auto* generate = LinkButton(QStringLiteral("Sunlit Area Fraction (vertical glass)"));
    auto run = [this] {
        if (OnGenerate) OnGenerate();
    };
    connect(generate, &QPushButton::clicked, this, run);
    auto* picture = new TRecessPicture;
    picture->OnClick = run;
    FAreaFactorMemo = new TFractionMemo;

    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addWidget(picture, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(generate);
    layout->addWidget(FAreaFactorMemo, 1);
    for (TInputId id : {inGlassHeight, inGlassWidth, inGlassDepth})
        ShowGlass(id, FDoc.Input(id));
}

TxFEdit* TWindowPage::GlassEditOf(TInputId id) const {
    switch (id) {
    case inGlassHeight:
        return FGlassHeightEdit;
    case inGlassWidth:
        return FGlassWidthEdit;
    case inGlassDepth:
        return FGlassDepthEdit;
    default:
        return nullptr;
    }
}

void TWindowPage::ShowGlass(TInputId id, double value) {
    TxFEdit* box = GlassEditOf(id);
    if (!box) return;
    box->SetValue(value);
    // The value used is the value shown: one with finer digits than the box shows (from the settings)
    // takes the shown one.
    bool ok = false;
    const double shown = box->Value().toDouble(&ok);
    if (ok && shown != value) FDoc.SetInput(id, shown);
}

bool TWindowPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* box = qobject_cast<TxFEdit*>(watched);
        if (box && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            CommitEdit(box);
            return true;
        }
    }
    return TResultPageWidget::eventFilter(watched, event);
}

// Leaving a box stores what it shows; an emptied box or one holding no number (pasted) is refused as
// the property list refuses a cell, and shows the document's value again.
void TWindowPage::GlassEditExit(TxFEdit* box, TInputId id) {
    double value = 0;
    QString message;
    if (ReadInputText(id, box->text(), value, message)) return FDoc.SetInput(id, value);
    ShowGlass(id, FDoc.Input(id));
    RefuseValue(this, message, [this](const QString& text) {
        if (OnMessage) OnMessage(text);
    });
}

void TWindowPage::AreaFactorsChanged() {
    if (FAreaFactorMemo) FAreaFactorMemo->SetLine(FDoc.AreaFactorText());
}

// ---- Local ---------------------------------------------------------------------------------------

TLocalPage::TLocalPage(TCalcDocument& doc) : TResultPageWidget(doc) {}

void TLocalPage::Build() {
    FSunriseEdit = ReadOnlyField();
    FSunsetEdit = ReadOnlyField();
    FSolDecEdit = ReadOnlyField();
    FEqnTimeEdit = ReadOnlyField();
    // A double click on sunrise or sunset puts that time into the time box.
    FSunriseEdit->installEventFilter(this);
    FSunsetEdit->installEventFilter(this);
    FClockTimeEdit = new QLineEdit(FDoc.LocalTimeText());
    FClockTimeEdit->setAlignment(Qt::AlignRight);
    auto* fields = new QFormLayout;
    AddPlainRow(fields, QStringLiteral("Sunrise, Hour:Min"), FSunriseEdit);
    AddPlainRow(fields, QStringLiteral("Sunset, Hour:Min"), FSunsetEdit);
    AddPlainRow(fields, QStringLiteral("Solar Declination, Deg"), FSolDecEdit);
    AddPlainRow(fields, QStringLiteral("Equation of Time, min"), FEqnTimeEdit);
    AddPlainRow(fields, QStringLiteral("Time, Hours"), FClockTimeEdit);

    FClockTimeRadio = new QRadioButton(QStringLiteral("Clock Time"));
    FSolarTimeRadio = new QRadioButton(QStringLiteral("Solar Time"));
    (FDoc.LocalTimeIsSolar() ? FSolarTimeRadio : FClockTimeRadio)->setChecked(true);
    // The document always knows the time and its kind, for the Angles list's row clicks too.
    connect(FClockTimeEdit, &QLineEdit::textEdited, this, &TLocalPage::CommitTime);
    connect(FSolarTimeRadio, &QRadioButton::toggled, this, &TLocalPage::CommitTime);
    auto* update = LinkButton(QStringLiteral("Update Local Angles"));
    connect(update, &QPushButton::clicked, this, &TLocalPage::Label9Click);
    auto* kind = new QHBoxLayout;
    kind->addWidget(FClockTimeRadio);
    kind->addWidget(FSolarTimeRadio);
    kind->addStretch();

    FLocalMemo = new QPlainTextEdit;
    FLocalMemo->setReadOnly(true);
    for (QWidget* result : {static_cast<QWidget*>(FSunriseEdit), static_cast<QWidget*>(FSunsetEdit),
                            static_cast<QWidget*>(FSolDecEdit), static_cast<QWidget*>(FEqnTimeEdit),
                            static_cast<QWidget*>(FLocalMemo)})
        AddResultControl(result);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(kind);
    layout->addWidget(update);
    layout->addWidget(FLocalMemo, 1);
}

bool TLocalPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        CommitTime(); // the radio buttons stay as they are
        if (watched == FSunriseEdit) FDoc.LocalTimeFromSunrise();
        if (watched == FSunsetEdit) FDoc.LocalTimeFromSunset();
        return true;
    }
    return TResultPageWidget::eventFilter(watched, event);
}

void TLocalPage::LocalChanged() {
    if (!FLocalMemo) return;
    const TLocalFields& f = FDoc.LocalFields();
    FSunriseEdit->setText(f.Sunrise);
    FSunsetEdit->setText(f.Sunset);
    FSolDecEdit->setText(f.Declination);
    FEqnTimeEdit->setText(f.EquationOfTime);
    FClockTimeEdit->setText(FDoc.LocalTimeText());
    FLocalMemo->setPlainText(FDoc.LocalLines().join(QLatin1Char('\n')));
}

void TLocalPage::CommitTime() {
    if (FClockTimeEdit) FDoc.SetLocalTime(FClockTimeEdit->text(), FSolarTimeRadio->isChecked());
}

void TLocalPage::Label9Click() {
    CommitTime();
    FDoc.RefreshLocalAngles();
}

// ---- SolAir --------------------------------------------------------------------------------------

TSolAirPage::TSolAirPage(TCalcDocument& doc) : TResultPageWidget(doc) {}

QTreeWidget* TSolAirPage::List() {
    EnsureBuilt();
    return FList;
}

void TSolAirPage::Build() {
    FSurfaceColourBox = new QComboBox;
    FSurfaceColourBox->addItems({QStringLiteral("Light"), QStringLiteral("Dark")});
    FSurfaceColourBox->setCurrentIndex(FDoc.SurfaceColour() == scDark ? 1 : 0);
    connect(FSurfaceColourBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { FDoc.SetSurfaceColour(index == 1 ? scDark : scLight); });
    auto* autoAmbient = new QPushButton(QStringLiteral("Auto Ambient"));
    autoAmbient->setToolTip(QStringLiteral("Make ambient profile from location"));
    connect(autoAmbient, &QPushButton::clicked, this, [this] { FDoc.AutoAmbient(); });
    auto* top = new QHBoxLayout;
    top->addWidget(PlainLabel(QStringLiteral("Surface Color")));
    top->addWidget(FSurfaceColourBox);
    top->addWidget(autoAmbient);
    top->addStretch();

    FList = CreateResultList(TCalcDocument::SolAirColumns(), 1);
    ConnectColumnClicks(FList, pgSolAir);
    AddResultControl(FList);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addLayout(top);
    layout->addWidget(FList, 1);
}

void TSolAirPage::SolAirChanged() {
    if (FList) FillResultList(FList, FDoc.SolAirRows());
}
