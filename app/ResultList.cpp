#include "ResultList.h"

#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStaticText>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <algorithm>

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

int CurrentHeading(const QTreeWidget* list) {
    return static_cast<const TResultHeader*>(list->header())->Current();
}
