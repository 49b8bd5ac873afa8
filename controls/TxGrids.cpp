#include "controls/TxGrids.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

const int kMaxFormatLength = 12;
const int kSizingSlop = 2;     // pixels either side of a line that start a sizing drag
const int kScrollTimerMs = 60; // scroll rate while a mouse selection is dragged outside

[[noreturn]] void IndexOutOfRange() {
    throw EInvalidGridOperation("Grid index out of range");
}

// Moves the entry at `from` to `to` in a sparse map, shifting the keys in between by one.
template <typename Map> void MoveSparseKey(Map& map, int from, int to) {
    if (from == to) return;
    Map moved;
    const int step = from < to ? -1 : 1;
    const int lo = std::min(from, to), hi = std::max(from, to);
    for (auto it = map.begin(); it != map.end(); ++it) {
        int key = it.key();
        if (key == from)
            key = to;
        else if (key >= lo && key <= hi)
            key += step;
        moved.insert(key, it.value());
    }
    map = moved;
}

template <typename T> void MoveVectorItem(std::vector<T>& v, int from, int to) {
    if (from == to || from >= int(v.size()) || to >= int(v.size())) return;
    T item = v[from];
    v.erase(v.begin() + from);
    v.insert(v.begin() + to, item);
}

// Stores one per-column or per-row value; the table is created on the first assignment, filled with
// the default. Returns whether the value changed.
template <typename T>
bool StoreInTable(std::vector<T>& table, int count, const T& fallback, int i, const T& value) {
    if (i < 0 || i >= count) IndexOutOfRange();
    if (table.empty()) table.assign(count, fallback);
    if (table[i] == value) return false;
    table[i] = value;
    return true;
}

bool HasFocusWithin(const QWidget* w) {
    const QWidget* fw = QApplication::focusWidget();
    return fw && (fw == w || w->isAncestorOf(fw));
}

} // namespace

// One direction of the grid, columns or rows: the sizes, the fixed count, the first scrolled index and
// the grid line after each cell. Both directions share the same arithmetic through it.
struct TxCustomGrid::Axis {
    const std::vector<int>& sizes;
    int defaultSize, count, fixed, first, fixedLine, line;

    int Size(int i) const { return i >= 0 && i < int(sizes.size()) ? sizes[i] : defaultSize; }
    int Extent(int i) const { return Size(i) + (i < fixed ? fixedLine : line); }
    int FixedExtent() const {
        int e = 0;
        for (int i = 0; i < fixed; ++i)
            e += Extent(i);
        return e;
    }
    // Client position of a cell's start, -1 when scrolled out (before the first index).
    int Start(int i) const {
        if (i < 0 || i >= count || (i >= fixed && i < first)) return -1;
        int pos = i < fixed ? 0 : FixedExtent();
        for (int k = i < fixed ? 0 : first; k < i; ++k)
            pos += Extent(k);
        return pos;
    }
    // The index at a client position, or -1.
    int Find(int pos) const {
        if (pos < 0) return -1;
        int edge = 0;
        for (int i = 0; i < fixed; ++i)
            if (pos < (edge += Extent(i))) return i;
        for (int i = first; i < count; ++i)
            if (pos < (edge += Extent(i))) return i;
        return -1;
    }
    // Whole cells that fit in the room after the fixed cells (at least 1).
    int VisibleCount(int room) const {
        room -= FixedExtent();
        int n = 0;
        for (int i = first; i < count && room >= Extent(i); ++i, ++n)
            room -= Extent(i);
        return std::max(n, 1);
    }
    // The largest first index that still fills the room down to the last cell.
    int MaxFirst(int room) const {
        room -= FixedExtent();
        int top = count - 1;
        while (top > fixed && room - Extent(top) >= Extent(top - 1))
            room -= Extent(top--);
        return std::max(top, fixed);
    }
    // The first index that brings cell i wholly into view.
    int FirstShowing(int i, int room) const {
        if (i < fixed) return first;
        if (i < first) return i;
        room -= FixedExtent();
        int need = 0, f = first;
        for (int k = f; k <= i; ++k)
            need += Extent(k);
        while (need > room && f < i)
            need -= Extent(f++);
        return f;
    }
    // The cell whose far edge lies within the sizing slop of a position, or -1.
    int EdgeAt(int pos, int slop) const {
        for (int i = 0; i < count; ++i) {
            const int start = Start(i);
            if (start < 0) continue;
            if (start > pos) break;
            if (std::abs(pos - (start + Size(i))) <= slop) return i;
        }
        return -1;
    }
};

TxCustomGrid::Axis TxCustomGrid::ColAxis() const {
    return {colWidths_,
            defaultColWidth_,
            colCount_,
            fixedCols_,
            topLeft_.x(),
            options_.Contains(xgoFixedVertLine) ? gridLineWidth_ : 0,
            options_.Contains(xgoVertLine) ? gridLineWidth_ : 0};
}

TxCustomGrid::Axis TxCustomGrid::RowAxis() const {
    return {rowHeights_,
            defaultRowHeight_,
            rowCount_,
            fixedRows_,
            topLeft_.y(),
            options_.Contains(xgoFixedHorzLine) ? gridLineWidth_ : 0,
            options_.Contains(xgoHorzLine) ? gridLineWidth_ : 0};
}

// ---- TxInplaceEdit -----------------------------------------------------------------------------------

TxInplaceEdit::TxInplaceEdit(TxCustomGrid* grid) : TxCustomEdit(grid->viewport()), grid_(grid) {
    setFrame(false);
    setTextMargins(0, 0, 0, 0);
    setFont(grid->font());
    hide();
}

void TxInplaceEdit::MoveTo(const QRect& cellRect) {
    if (cellRect.isEmpty()) {
        hide();
        return;
    }
    setGeometry(cellRect);
    // The text sits 2 pixels in from each side of the cell.
    setContentsMargins(1, 1, 1, 1);
    show();
    raise();
    // The grid holding the focus of its window (active or not) hands it to the editor.
    if (grid_->hasFocus() || grid_->window()->focusWidget() == grid_) setFocus(Qt::OtherFocusReason);
}

void TxInplaceEdit::CaretToEnd() {
    deselect();
    setCursorPosition(text().length());
}

bool TxInplaceEdit::EditCanModify() {
    return grid_->CanEditModify();
}

void TxInplaceEdit::DoExit() {
    // The grid validates and commits the text when it closes the editor.
}

bool TxInplaceEdit::KeyGoesToGrid(QKeyEvent* e) const {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool follow = grid_->Options().Contains(xgoAlwaysShowEditor);
    const bool atStart = !hasSelectedText() && cursorPosition() == 0;
    const bool atEnd = !hasSelectedText() && cursorPosition() == text().length();
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
    case Qt::Key_F4:
        return true;
    case Qt::Key_Left:
    case Qt::Key_Home:
        return follow && (ctrl || atStart);
    case Qt::Key_Right:
    case Qt::Key_End:
        return follow && (ctrl || atEnd);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return !(mods & Qt::AltModifier);
    case Qt::Key_Insert:
        return mods == Qt::NoModifier;
    case Qt::Key_Delete:
        return ctrl;
    default:
        return false;
    }
}

void TxInplaceEdit::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    int key = e->key();
    if (KeyGoesToGrid(e)) {
        grid_->KeyDown(key, mods);
        return;
    }
    const bool modifyKey = (key == Qt::Key_Delete) || (key == Qt::Key_Insert && mods == Qt::ShiftModifier);
    if (modifyKey && !grid_->CanEditModify()) return;
    if (grid_->OnKeyDown) {
        grid_->OnKeyDown(grid_, key, mods);
        if (key == 0) return;
    }
    if (key == Qt::Key_F2) {
        CaretToEnd();
        return;
    }
    if (IsCommandLetter(e)) {
        e->ignore(); // a menu's key: the grid passes it on too
        return;
    }
    const QString text = e->text();
    if (!text.isEmpty()) {
        QChar ch = text.at(0);
        grid_->KeyPress(ch);
        if (ch.isNull() || !isVisible()) return;
        const bool printable = ch.isPrint();
        if (printable && !grid_->CanEditAcceptKey(ch)) {
            SystemBeep();
            return;
        }
        const bool clipboardChange = e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut);
        if ((printable || ch == QChar('\b') || clipboardChange) && !grid_->CanEditModify()) return;
        if (ch == QChar('\r')) {
            if (selectedText() == this->text())
                CaretToEnd();
            else
                selectAll();
            return;
        }
        if (ch == QChar('\t') || ch == QChar(0x1b)) return;
    }
    TxCustomEdit::keyPressEvent(e);
}

bool TxInplaceEdit::event(QEvent* e) {
    // Tab must reach keyPressEvent instead of moving the focus.
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
            keyPressEvent(ke);
            return true;
        }
    }
    return TxCustomEdit::event(e);
}

void TxInplaceEdit::mouseDoubleClickEvent(QMouseEvent* e) {
    const QPoint p = mapTo(grid_->viewport(), e->position().toPoint());
    grid_->MouseDouble(e->button(), e->modifiers(), p.x(), p.y());
}

void TxInplaceEdit::wheelEvent(QWheelEvent* e) {
    QCoreApplication::sendEvent(grid_->viewport(), e);
}

void TxInplaceEdit::focusOutEvent(QFocusEvent* e) {
    TxCustomEdit::focusOutEvent(e);
    grid_->FocusLeft(e->reason());
}

void TxInplaceEdit::focusInEvent(QFocusEvent* e) {
    TxCustomEdit::focusInEvent(e);
    grid_->FocusArrived();
}

// ---- TxCustomGrid ------------------------------------------------------------------------------------

bool TxCustomGrid::Reselect = false;

TxCustomGrid::TxCustomGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    fixedColor_ = palette().color(QPalette::Button);
    color_ = palette().color(QPalette::Base);
    options_ = {xgoFixedVertLine, xgoFixedHorzLine, xgoVertLine, xgoHorzLine, xgoRangeSelect, xgoEditing};
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    viewport()->setMouseTracking(true);
    scrollTimer_.setInterval(kScrollTimerMs);
    connect(&scrollTimer_, &QTimer::timeout, this, [this] { OnScrollTimer(); });
    colCount_ = 5;
    rowCount_ = 5;
    fixedCols_ = 1;
    fixedRows_ = 1;
    current_ = anchor_ = topLeft_ = QPoint(1, 1);
    SetScrollBars(TScrollStyle::ssBoth);
}

// The editor goes first, while the grid it reports to is still whole.
TxCustomGrid::~TxCustomGrid() {
    delete editor_;
    editor_ = nullptr;
}

// ---- sizes and counts ----

void TxCustomGrid::CheckIndex(int c, int r) const {
    if (c < 0 || r < 0 || c >= colCount_ || r >= rowCount_) IndexOutOfRange();
}

void TxCustomGrid::SetColCount(int n) {
    n = std::max(n, 1);
    if (n == colCount_) return;
    if (EditorSetUp() && editCell_.x() >= n) HideEdit(); // commits while the cell still exists
    if (fixedCols_ >= n) fixedCols_ = n - 1;
    colCount_ = n;
    if (!colWidths_.empty()) colWidths_.resize(n, defaultColWidth_);
    if (!colFormats_.empty()) colFormats_.resize(n, defaultColFormatStr_);
    SizeChanged();
}

void TxCustomGrid::SetRowCount(int n) {
    n = std::max(n, 1);
    if (n == rowCount_) return;
    if (EditorSetUp() && editCell_.y() >= n) HideEdit(); // commits while the cell still exists
    if (fixedRows_ >= n) fixedRows_ = n - 1;
    rowCount_ = n;
    if (!rowHeights_.empty()) rowHeights_.resize(n, defaultRowHeight_);
    SizeChanged();
}

// Keeps the current cell, the anchor, the view and the editor inside the grid after a count change.
void TxCustomGrid::SizeChanged() {
    auto clampPoint = [this](QPoint p) {
        return QPoint(std::clamp(p.x(), fixedCols_, colCount_ - 1),
                      std::clamp(p.y(), fixedRows_, rowCount_ - 1));
    };
    current_ = clampPoint(current_);
    anchor_ = clampPoint(anchor_);
    topLeft_ = clampPoint(topLeft_);
    UpdateScrollBars();
    ApplyTopLeft(QPoint(std::min(topLeft_.x(), MaxLeftCol()), std::min(topLeft_.y(), MaxTopRow())));
    viewport()->update();
}

void TxCustomGrid::SetFixedCols(int n) {
    if (n < 0) IndexOutOfRange();
    if (n >= colCount_) throw EInvalidGridOperation("Fixed column count must be less than column count");
    fixedCols_ = n;
    ResetPosition();
}

void TxCustomGrid::SetFixedRows(int n) {
    if (n < 0) IndexOutOfRange();
    if (n >= rowCount_) throw EInvalidGridOperation("Fixed row count must be less than row count");
    fixedRows_ = n;
    ResetPosition();
}

// A new fixed count keeps the view, the current cell and the anchor among the movable cells.
void TxCustomGrid::ResetPosition() {
    topLeft_ = QPoint(fixedCols_, fixedRows_);
    current_ = QPoint(std::max(current_.x(), fixedCols_), std::max(current_.y(), fixedRows_));
    anchor_ = current_;
    UpdateScrollBars();
    viewport()->update();
}

void TxCustomGrid::SetDefaultColWidth(int w) {
    defaultColWidth_ = w;
    colWidths_.clear();
    ColWidthsChanged();
}

void TxCustomGrid::SetDefaultRowHeight(int h) {
    defaultRowHeight_ = h;
    rowHeights_.clear();
    RowHeightsChanged();
}

void TxCustomGrid::SetDefaultColFormatStr(const QString& fmt) {
    defaultColFormatStr_ = fmt.left(kMaxFormatLength);
    colFormats_.clear();
}

void TxCustomGrid::SetDefaultDrawing(bool on) {
    defaultDrawing_ = on;
    viewport()->update();
}

void TxCustomGrid::SetGridLineWidth(int w) {
    gridLineWidth_ = std::max(w, 0);
    Relayout();
}

void TxCustomGrid::SetScrollBars(TScrollStyle s) {
    scrollBars_ = s;
    const bool h = s == TScrollStyle::ssHorizontal || s == TScrollStyle::ssBoth;
    const bool v = s == TScrollStyle::ssVertical || s == TScrollStyle::ssBoth;
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    UpdateScrollBars();
}

void TxCustomGrid::SetBorderStyle(TBorderStyle s) {
    borderStyle_ = s;
    setFrameStyle(s == TBorderStyle::bsSingle ? (QFrame::WinPanel | QFrame::Sunken) : QFrame::NoFrame);
}

void TxCustomGrid::SetOptions(TxGridOptions options) {
    if (options.Contains(xgoRowSelect)) options.Exclude(xgoAlwaysShowEditor);
    if (options == options_) return;
    options_ = options;
    if (!editorMode_) {
        if (options_.Contains(xgoAlwaysShowEditor))
            ShowEditor();
        else
            HideEdit();
    }
    if (options_.Contains(xgoRowSelect)) MoveCurrent(current_.x(), current_.y(), true, false);
    Relayout();
}

void TxCustomGrid::SetFixedColor(const QColor& c) {
    fixedColor_ = c;
    viewport()->update();
}

void TxCustomGrid::SetColor(const QColor& c) {
    color_ = c;
    viewport()->update();
}

QColor TxCustomGrid::FontColor() const {
    return palette().color(QPalette::Text);
}

void TxCustomGrid::SetTabStop(bool on) {
    setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

int TxCustomGrid::ColWidths(int c) const {
    return ColAxis().Size(c);
}

void TxCustomGrid::SetColWidths(int c, int w) {
    if (StoreInTable(colWidths_, colCount_, defaultColWidth_, c, w)) ColWidthsChanged();
}

int TxCustomGrid::RowHeights(int r) const {
    return RowAxis().Size(r);
}

void TxCustomGrid::SetRowHeights(int r, int h) {
    if (StoreInTable(rowHeights_, rowCount_, defaultRowHeight_, r, h)) RowHeightsChanged();
}

QString TxCustomGrid::ColFormatStr(int c) const {
    return c >= 0 && c < int(colFormats_.size()) ? colFormats_[c] : defaultColFormatStr_;
}

void TxCustomGrid::SetColFormatStr(int c, const QString& fmt) {
    StoreInTable(colFormats_, colCount_, defaultColFormatStr_, c, fmt.left(kMaxFormatLength));
}

// ---- geometry ----

QRect TxCustomGrid::CellRect(int c, int r) const {
    const int x = ColAxis().Start(c), y = RowAxis().Start(r);
    if (x < 0 || y < 0) return {};
    const QSize client = viewport()->size();
    if (x >= client.width() || y >= client.height()) return {};
    return QRect(x, y, ColWidths(c), RowHeights(r));
}

QPoint TxCustomGrid::MouseToCell(int x, int y) const {
    const int c = ColAxis().Find(x), r = RowAxis().Find(y);
    if (c < 0 || r < 0) return {-1, -1};
    return {c, r};
}

int TxCustomGrid::VisibleRowCount() const {
    return RowAxis().VisibleCount(viewport()->height());
}

int TxCustomGrid::VisibleColCount() const {
    return ColAxis().VisibleCount(viewport()->width());
}

int TxCustomGrid::MaxTopRow() const {
    return RowAxis().MaxFirst(viewport()->height());
}

int TxCustomGrid::MaxLeftCol() const {
    return ColAxis().MaxFirst(viewport()->width());
}

void TxCustomGrid::UpdateScrollBars() {
    const bool was = updatingBars_;
    updatingBars_ = true;
    auto setBar = [this](QScrollBar* bar, int maxFirst, int fixed, int page, int first) {
        bar->setRange(0, maxFirst - fixed);
        bar->setPageStep(page);
        bar->setValue(first - fixed);
        bar->setTracking(options_.Contains(xgoThumbTracking));
    };
    setBar(verticalScrollBar(), MaxTopRow(), fixedRows_, VisibleRowCount(), topLeft_.y());
    setBar(horizontalScrollBar(), MaxLeftCol(), fixedCols_, VisibleColCount(), topLeft_.x());
    updatingBars_ = was;
}

void TxCustomGrid::ApplyTopLeft(QPoint topLeft) {
    topLeft.setX(std::clamp(topLeft.x(), fixedCols_, std::max(fixedCols_, colCount_ - 1)));
    topLeft.setY(std::clamp(topLeft.y(), fixedRows_, std::max(fixedRows_, rowCount_ - 1)));
    if (topLeft == topLeft_) return;
    topLeft_ = topLeft;
    UpdateScrollBars();
    viewport()->update();
    TopLeftChanged();
}

void TxCustomGrid::SetTopRow(int r) {
    ApplyTopLeft(QPoint(topLeft_.x(), std::min(r, MaxTopRow())));
}

void TxCustomGrid::SetLeftCol(int c) {
    ApplyTopLeft(QPoint(std::min(c, MaxLeftCol()), topLeft_.y()));
}

void TxCustomGrid::scrollContentsBy(int, int) {
    if (updatingBars_) return;
    ApplyTopLeft(
        QPoint(horizontalScrollBar()->value() + fixedCols_, verticalScrollBar()->value() + fixedRows_));
}

// Scrolls so that the whole cell is in view.
void TxCustomGrid::ClampInView(int c, int r) {
    ApplyTopLeft(QPoint(ColAxis().FirstShowing(c, viewport()->width()),
                        RowAxis().FirstShowing(r, viewport()->height())));
}

void TxCustomGrid::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollBars();
    ApplyTopLeft(QPoint(std::min(topLeft_.x(), MaxLeftCol()), std::min(topLeft_.y(), MaxTopRow())));
    if (EditorSetUp()) InvalidateEditor();
}

// ---- current cell and selection ----

TGridRect TxCustomGrid::Selection() const {
    return {std::min(current_.x(), anchor_.x()), std::min(current_.y(), anchor_.y()),
            std::max(current_.x(), anchor_.x()), std::max(current_.y(), anchor_.y())};
}

bool TxCustomGrid::MoveCurrent(int c, int r, bool moveAnchor, bool show) {
    CheckIndex(c, r);
    if (!SelectCell(c, r)) return false;
    const TGridRect oldSel = Selection();
    current_ = QPoint(c, r);
    if (!options_.Contains(xgoAlwaysShowEditor)) HideEditor();
    if (moveAnchor || !options_.Contains(xgoRangeSelect)) {
        anchor_ = current_;
        if (options_.Contains(xgoRowSelect)) anchor_.setX(colCount_ - 1);
    }
    if (options_.Contains(xgoRowSelect)) current_.setX(fixedCols_);
    if (show) ClampInView(current_.x(), current_.y());
    if (!(oldSel == Selection())) viewport()->update();
    InvalidateCell(c, r);
    return true;
}

void TxCustomGrid::FocusCell(int c, int r) {
    if (MoveCurrent(c, r, true, true)) UpdateEdit();
}

void TxCustomGrid::SetCol(int c) {
    if (c != current_.x()) FocusCell(c, current_.y());
}

void TxCustomGrid::SetRow(int r) {
    if (r != current_.y()) FocusCell(current_.x(), r);
}

void TxCustomGrid::SelectTo(int c, int r) {
    c = std::clamp(c, fixedCols_, colCount_ - 1);
    r = std::clamp(r, fixedRows_, rowCount_ - 1);
    if (QPoint(c, r) != current_) MoveCurrent(c, r, !options_.Contains(xgoRangeSelect), true);
}

bool TxCustomGrid::SelectCell(int, int) {
    return true;
}

void TxCustomGrid::InvalidateCell(int c, int r) {
    const QRect rect = CellRect(c, r);
    if (!rect.isEmpty()) viewport()->update(rect.adjusted(0, 0, gridLineWidth_, gridLineWidth_));
}

// ---- the editor ----

bool TxCustomGrid::IsActiveControl() const {
    const QWidget* fw = window()->focusWidget();
    return fw && (fw == this || isAncestorOf(fw));
}

bool TxCustomGrid::FocusIsWithin() const {
    return HasFocusWithin(this);
}

bool TxCustomGrid::CanEditShow() {
    return options_.Contains(xgoEditing) && !options_.Contains(xgoRowSelect) && editorMode_ && isVisible() &&
           (options_.Contains(xgoAlwaysShowEditor) || IsActiveControl());
}

TxInplaceEdit* TxCustomGrid::CreateEditor() {
    return new TxInplaceEdit(this);
}

void TxCustomGrid::SetEditorMode(bool on) {
    if (on)
        ShowEditor();
    else
        HideEditor();
}

void TxCustomGrid::ShowEditor() {
    editorMode_ = true;
    UpdateEdit();
}

void TxCustomGrid::ShowEditorChar(QChar ch) {
    // The grid has the key, so nobody is typing in the editor (it may show, unfocused): the character
    // starts a new edit and replaces the cell's text, whatever the editor last had selected.
    const bool opening = !editor_ || window()->focusWidget() != editor_;
    ShowEditor();
    if (!editor_ || !editor_->isVisible()) return;
    if (opening) editor_->selectAll();
    const int key = ch == QChar('\b') ? int(Qt::Key_Backspace) : int(ch.toUpper().unicode());
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(editor_, &press);
}

void TxCustomGrid::HideEditor() {
    editorMode_ = false;
    HideEdit();
}

void TxCustomGrid::DiscardEditor() {
    editorMode_ = false;
    if (!EditorSetUp() || inHideEdit_) return;
    // Forgotten first, so the focus leaving the editor commits nothing.
    editCell_ = QPoint(-1, -1);
    const bool hadFocus = editor_->hasFocus();
    editor_->hide();
    if (hadFocus) setFocus(Qt::OtherFocusReason);
    InvalidateCell(current_.x(), current_.y());
}

void TxCustomGrid::UpdateEdit() {
    if (!CanEditShow()) return;
    if (!editor_) editor_ = CreateEditor();
    if (editCell_ != current_) {
        HideEdit();
        editCell_ = current_;
        SetUpEditor();
    }
    if (CanEditShow()) editor_->MoveTo(CellRect(current_.x(), current_.y()));
}

void TxCustomGrid::SetUpEditor() {
    editor_->SetFormatStr(ColFormatStr(editCell_.x()));
    LoadEditor();
}

void TxCustomGrid::LoadEditor() {
    editor_->setText(GetEditText(editCell_.x(), editCell_.y()));
    editor_->SetMaxLength(std::max(GetEditLimit(), 0));
    editor_->DoEnter();
    editor_->selectAll();
}

void TxCustomGrid::InvalidateEditor() {
    if (EditorSetUp() && editCell_ == current_) editor_->MoveTo(CellRect(current_.x(), current_.y()));
}

void TxCustomGrid::CommitEditor() {
    editor_->SetFormatStr(ColFormatStr(editCell_.x()));
    editor_->ValidateEdit();
    SetEditText(editCell_.x(), editCell_.y(), editor_->text());
}

void TxCustomGrid::HideEdit() {
    if (!EditorSetUp() || inHideEdit_) return;
    inHideEdit_ = true;
    const QPoint cell = editCell_;
    // Whatever the commit does, the editor is closed afterwards and the focus comes back to the grid.
    struct Close {
        TxCustomGrid* grid;
        ~Close() {
            TxInplaceEdit* ed = grid->editor_;
            grid->editCell_ = QPoint(-1, -1);
            const bool hadFocus = QApplication::focusWidget() == ed || grid->window()->focusWidget() == ed;
            if (hadFocus) grid->setFocus(Qt::OtherFocusReason);
            ed->setUpdatesEnabled(false);
            ed->hide();
            ed->setUpdatesEnabled(true);
            grid->inHideEdit_ = false;
            grid->InvalidateCell(grid->current_.x(), grid->current_.y());
        }
    } close{this};
    CommitEditor();
    DoSetData(cell.x(), cell.y());
}

void TxCustomGrid::DoSetData(int ACol, int ARow) {
    if (OnDoSetData) OnDoSetData(this, ACol, ARow);
}

bool TxCustomGrid::CanEditAcceptKey(QChar) {
    return true;
}
bool TxCustomGrid::CanGridAcceptKey(int, Qt::KeyboardModifiers) {
    return true;
}
bool TxCustomGrid::CanEditModify() {
    return GetEditLimit() != -1;
}
QString TxCustomGrid::GetEditText(int, int) {
    return {};
}
void TxCustomGrid::SetEditText(int, int, const QString&) {}
int TxCustomGrid::GetEditLimit() {
    return 0;
}
void TxCustomGrid::ColumnMoved(int, int) {}
void TxCustomGrid::RowMoved(int, int) {}

void TxCustomGrid::TopLeftChanged() {
    InvalidateEditor();
}

void TxCustomGrid::ColWidthsChanged() {
    Relayout();
}

void TxCustomGrid::RowHeightsChanged() {
    Relayout();
}

// After a change of sizes, lines or options: scroll ranges, a repaint and the editor's place.
void TxCustomGrid::Relayout() {
    UpdateScrollBars();
    viewport()->update();
    InvalidateEditor();
}

void TxCustomGrid::TimedScroll(int dx, int dy) {
    SelectTo(current_.x() + dx, current_.y() + dy);
}

// ---- rows and columns ----

void TxCustomGrid::MoveColumn(int from, int to) {
    CheckIndex(from, 0);
    CheckIndex(to, 0);
    if (from == to) return;
    HideEdit();
    MoveVectorItem(colWidths_, from, to);
    MoveVectorItem(colFormats_, from, to);
    ColumnMoved(from, to);
    viewport()->update();
}

void TxCustomGrid::MoveRow(int from, int to) {
    CheckIndex(0, from);
    CheckIndex(0, to);
    if (from == to) return;
    HideEdit();
    MoveVectorItem(rowHeights_, from, to);
    RowMoved(from, to);
    viewport()->update();
}

void TxCustomGrid::DeleteRow(int r) {
    MoveRow(r, rowCount_ - 1);
    SetRowCount(rowCount_ - 1);
}

void TxCustomGrid::DeleteColumn(int c) {
    MoveColumn(c, colCount_ - 1);
    SetColCount(colCount_ - 1);
}

// ---- keyboard ----

bool TxCustomGrid::event(QEvent* e) {
    if (e->type() == QEvent::KeyPress && options_.Contains(xgoTabs)) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void TxCustomGrid::keyPressEvent(QKeyEvent* e) {
    int key = e->key();
    KeyDown(key, e->modifiers() & ~Qt::KeypadModifier);
    if (key == 0) return;
    const QString text = e->text();
    if (text.isEmpty() || IsCommandLetter(e)) return;
    QChar ch = text.at(0);
    if (options_.Contains(xgoEditing) && (ch == QChar('\b') || ch.isPrint()))
        ShowEditorChar(ch);
    else
        KeyPress(ch);
}

void TxCustomGrid::KeyDown(int& key, Qt::KeyboardModifiers shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
    if (key == 0) return;
    if (!CanGridAcceptKey(key, shift)) {
        key = 0;
        return;
    }
    if (key == Qt::Key_F2) {
        ShowEditor();
        if (EditorSetUp()) editor_->CaretToEnd();
        key = 0;
        return;
    }
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !options_.Contains(xgoTabs)) {
        HideEditor();
        focusNextPrevChild(key == Qt::Key_Tab && !(shift & Qt::ShiftModifier));
        key = 0;
        return;
    }
    if (Navigate(key, shift)) key = 0;
}

// Moves the current cell as a standard grid does; returns whether the key was a navigation key.
bool TxCustomGrid::Navigate(int key, Qt::KeyboardModifiers shift) {
    if (layoutDirection() == Qt::RightToLeft) {
        if (key == Qt::Key_Left)
            key = Qt::Key_Right;
        else if (key == Qt::Key_Right)
            key = Qt::Key_Left;
    }
    const bool ctrl = shift & Qt::ControlModifier;
    const int page = VisibleRowCount();
    QPoint p = current_;
    const int firstCol = fixedCols_, lastCol = colCount_ - 1, firstRow = fixedRows_, lastRow = rowCount_ - 1;
    bool tab = false;
    switch (key) {
    case Qt::Key_Up:
        if (ctrl) return SetTopRow(topLeft_.y() - 1), true;
        p.ry() -= 1;
        break;
    case Qt::Key_Down:
        if (ctrl) return SetTopRow(topLeft_.y() + 1), true;
        p.ry() += 1;
        break;
    case Qt::Key_Left:
        p.rx() -= ctrl ? VisibleColCount() : 1;
        break;
    case Qt::Key_Right:
        p.rx() += ctrl ? VisibleColCount() : 1;
        break;
    case Qt::Key_PageUp:
        p.setY(ctrl ? topLeft_.y() : p.y() - page);
        break;
    case Qt::Key_PageDown:
        p.setY(ctrl ? topLeft_.y() + page - 1 : p.y() + page);
        break;
    case Qt::Key_Home:
        p.setX(firstCol);
        if (ctrl || options_.Contains(xgoRowSelect)) p.setY(firstRow);
        break;
    case Qt::Key_End:
        p.setX(lastCol);
        if (ctrl || options_.Contains(xgoRowSelect)) p.setY(lastRow);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        tab = true;
        if (key == Qt::Key_Backtab || (shift & Qt::ShiftModifier)) {
            if (p.x() > firstCol)
                p.rx() -= 1;
            else if (p.y() > firstRow)
                p = QPoint(lastCol, p.y() - 1);
        } else {
            if (p.x() < lastCol)
                p.rx() += 1;
            else if (p.y() < lastRow)
                p = QPoint(firstCol, p.y() + 1);
        }
        break;
    default:
        return false;
    }
    p.setX(std::clamp(p.x(), firstCol, lastCol));
    p.setY(std::clamp(p.y(), firstRow, lastRow));
    if (p != current_) {
        const bool extend = !tab && (shift & Qt::ShiftModifier) && options_.Contains(xgoRangeSelect);
        if (MoveCurrent(p.x(), p.y(), !extend, true)) {
            UpdateEdit();
            if (OnClick) OnClick(this);
        }
    }
    return true;
}

void TxCustomGrid::KeyPress(QChar& key) {
    if (OnKeyPress) OnKeyPress(this, key);
    if (key == QChar('\r') && !options_.Contains(xgoAlwaysShowEditor)) {
        if (editorMode_) {
            HideEditor();
            SelectCell(current_.x(), current_.y());
        } else {
            ShowEditor();
        }
        key = QChar();
    }
}

// ---- focus ----

void TxCustomGrid::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    FocusArrived();
    // A grid that always shows its editor opens it again when it gets the focus back.
    if (options_.Contains(xgoAlwaysShowEditor) && !inHideEdit_) UpdateEdit();
    viewport()->update();
}

void TxCustomGrid::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    if (QApplication::focusWidget() != editor_ || !editor_) HideEdit();
    FocusLeft(e->reason());
    viewport()->update();
}

void TxCustomGrid::FocusArrived() {
    if (focusWithin_) return;
    focusWithin_ = true;
    DoEnter();
}

void TxCustomGrid::FocusLeft(Qt::FocusReason reason) {
    if (!focusWithin_ || HasFocusWithin(this) || OwnsFocusWidget(QApplication::focusWidget())) return;
    // A popup, a menu bar or another window taking the keyboard does not mean the user left the grid.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason ||
        reason == Qt::MenuBarFocusReason)
        return;
    focusWithin_ = false;
    DoExit();
}

void TxCustomGrid::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TxCustomGrid::DoExit() {
    if (editorMode_ && !options_.Contains(xgoAlwaysShowEditor)) HideEditor();
    if (OnExit) OnExit(this);
}

void TxCustomGrid::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::EnabledChange || e->type() == QEvent::FontChange) {
        if (editor_) editor_->setFont(font());
        viewport()->update();
    }
}

// ---- mouse ----

TxCustomGrid::GridState TxCustomGrid::CalcSizingState(int x, int y, int& index) {
    index = -1;
    if (options_.Contains(xgoColSizing) && y >= 0 && y < RowAxis().FixedExtent()) {
        index = ColAxis().EdgeAt(x, kSizingSlop);
        if (index >= 0) return GridState::ColSizing;
    }
    if (options_.Contains(xgoRowSizing) && x >= 0 && x < ColAxis().FixedExtent()) {
        index = RowAxis().EdgeAt(y, kSizingSlop);
        if (index >= 0) return GridState::RowSizing;
    }
    return GridState::Normal;
}

void TxCustomGrid::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseDown(e->button(), e->modifiers(), p.x(), p.y());
}

void TxCustomGrid::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseMove(e->buttons(), e->modifiers(), p.x(), p.y());
}

void TxCustomGrid::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseUp(e->button(), e->modifiers(), p.x(), p.y());
}

void TxCustomGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseDouble(e->button(), e->modifiers(), p.x(), p.y());
}

// Takes the focus for a press; false when the grid cannot become its window's active control.
bool TxCustomGrid::TakeFocusForPress() {
    if (focusPolicy() == Qt::NoFocus) return true;
    setFocus(Qt::MouseFocusReason);
    return IsActiveControl();
}

void TxCustomGrid::MouseDouble(Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
    HideEdit();
    if (TakeFocusForPress() && button == Qt::LeftButton) DblClick();
    Reselect = false;
}

void TxCustomGrid::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TxCustomGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    HideEdit();
    if (!TakeFocusForPress()) {
        Reselect = false;
        return;
    }
    if (button == Qt::LeftButton) PressLeft(shift, x, y);
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
    Reselect = false;
}

void TxCustomGrid::PressLeft(Qt::KeyboardModifiers shift, int x, int y) {
    int index = -1;
    const GridState sizing = CalcSizingState(x, y, index);
    if (sizing != GridState::Normal) {
        state_ = sizing;
        sizingIndex_ = index;
        sizingOrigin_ = sizing == GridState::ColSizing ? ColAxis().Start(index) : RowAxis().Start(index);
        return;
    }
    const QPoint hit = MouseToCell(x, y);
    if (hit.x() < 0) return;
    if (hit.x() >= fixedCols_ && hit.y() >= fixedRows_) {
        if (options_.Contains(xgoEditing)) {
            if (hit != current_ || Reselect) {
                if (MoveCurrent(hit.x(), hit.y(), true, true)) UpdateEdit();
            } else {
                ShowEditor();
            }
            if (OnClick) OnClick(this);
        } else {
            const bool extend = (shift & Qt::ShiftModifier) && options_.Contains(xgoRangeSelect);
            MoveCurrent(hit.x(), hit.y(), !extend, true);
            state_ = GridState::Selecting;
            lastMouse_ = QPoint(x, y);
            scrollTimer_.start();
        }
        return;
    }
    if (hit.y() < fixedRows_ && hit.x() >= fixedCols_ && options_.Contains(xgoColMoving)) {
        state_ = GridState::ColMoving;
        moveIndex_ = hit.x();
    } else if (hit.x() < fixedCols_ && hit.y() >= fixedRows_ && options_.Contains(xgoRowMoving)) {
        state_ = GridState::RowMoving;
        moveIndex_ = hit.y();
    }
}

void TxCustomGrid::MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
    lastMouse_ = QPoint(x, y);
    switch (state_) {
    case GridState::ColSizing:
        SetColWidths(sizingIndex_, std::max(0, x - sizingOrigin_));
        return;
    case GridState::RowSizing:
        SetRowHeights(sizingIndex_, std::max(0, y - sizingOrigin_));
        return;
    case GridState::Selecting: {
        const QPoint hit = MouseToCell(x, y);
        if (hit.x() >= 0 && viewport()->rect().contains(x, y)) SelectTo(hit.x(), hit.y());
        return;
    }
    case GridState::Normal: {
        int index = -1;
        const GridState s = CalcSizingState(x, y, index);
        viewport()->setCursor(s == GridState::ColSizing   ? Qt::SplitHCursor
                              : s == GridState::RowSizing ? Qt::SplitVCursor
                                                          : Qt::ArrowCursor);
        return;
    }
    default:
        return;
    }
}

void TxCustomGrid::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    const GridState was = state_;
    state_ = GridState::Normal;
    scrollTimer_.stop();
    if (was == GridState::ColMoving || was == GridState::RowMoving) {
        const QPoint hit = MouseToCell(x, y);
        if (was == GridState::ColMoving && hit.x() >= fixedCols_) MoveColumn(moveIndex_, hit.x());
        if (was == GridState::RowMoving && hit.y() >= fixedRows_) MoveRow(moveIndex_, hit.y());
    }
    if (was == GridState::Selecting && OnClick) OnClick(this);
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TxCustomGrid::OnScrollTimer() {
    if (state_ != GridState::Selecting) {
        scrollTimer_.stop();
        return;
    }
    const QRect r = viewport()->rect();
    const int dx = lastMouse_.x() < 0 ? -1 : lastMouse_.x() >= r.width() ? 1 : 0;
    const int dy = lastMouse_.y() < 0 ? -1 : lastMouse_.y() >= r.height() ? 1 : 0;
    if (dx || dy) TimedScroll(dx, dy);
}

void TxCustomGrid::wheelEvent(QWheelEvent* e) {
    const int steps = e->angleDelta().y() / 120;
    if (steps) SetTopRow(topLeft_.y() - 3 * steps);
    e->accept();
}

// ---- painting ----

void TxCustomGrid::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    canvas_ = &p;
    p.setFont(font());
    p.fillRect(viewport()->rect(), color_);
    const QSize client = viewport()->size();
    const bool focused = HasFocusWithin(this) && isEnabled();
    const TGridRect sel = Selection();
    // The cells in view along one axis with their client positions: the fixed ones, then from the
    // first scrolled index until the room is used up.
    auto forEachInView = [](const Axis& axis, int room, auto each) {
        int pos = 0;
        auto run = [&](int from, int to) {
            for (int i = from; i < to && pos < room; ++i) {
                each(i, pos);
                pos += axis.Extent(i);
            }
        };
        run(0, axis.fixed);
        run(axis.first, axis.count);
    };
    const Axis cols = ColAxis();
    forEachInView(RowAxis(), client.height(), [&](int r, int y) {
        forEachInView(cols, client.width(), [&](int c, int x) {
            PaintCell(p, c, r, QRect(x, y, cols.Size(c), RowHeights(r)), focused, sel);
        });
    });
    canvas_ = nullptr;
}

void TxCustomGrid::PaintCell(QPainter& p, int c, int r, const QRect& rect, bool focused,
                             const TGridRect& sel) {
    TGridDrawState state = 0;
    const bool fixed = c < fixedCols_ || r < fixedRows_;
    QColor fill = color_, text = FontColor();
    if (fixed) {
        state |= gdFixed;
        fill = fixedColor_;
    } else {
        if (focused && QPoint(c, r) == current_) state |= gdFocused;
        if (sel.Contains(c, r)) state |= gdSelected;
        const bool highlight =
            (state & gdSelected) && (!(state & gdFocused) || options_.Contains(xgoDrawFocusSelected) ||
                                     options_.Contains(xgoRowSelect));
        if (highlight) {
            fill = palette().color(QPalette::Highlight);
            text = palette().color(QPalette::HighlightedText);
        }
    }
    if (!isEnabled()) text = palette().color(QPalette::Disabled, QPalette::Text);
    p.save();
    p.setClipRect(rect);
    p.setBrush(fill);
    p.setPen(text);
    if (!defaultDrawing_) p.fillRect(rect, fill);
    DrawCell(c, r, rect, state);
    p.restore();
    if (fixed) {
        // A raised look for header cells.
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(rect.topLeft(), rect.topRight());
        p.drawLine(rect.topLeft(), rect.bottomLeft());
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(rect.bottomLeft(), rect.bottomRight());
        p.drawLine(rect.topRight(), rect.bottomRight());
    } else if ((state & gdFocused) && !options_.Contains(xgoDrawFocusSelected) &&
               !options_.Contains(xgoRowSelect) && !(EditorSetUp() && editor_->isVisible())) {
        QPen dots(FontColor(), 1, Qt::DotLine);
        p.setPen(dots);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    DrawLines(p, c, r, rect);
}

void TxCustomGrid::DrawLines(QPainter& p, int c, int r, const QRect& rect) {
    if (gridLineWidth_ <= 0) return;
    const bool fixed = c < fixedCols_ || r < fixedRows_;
    const QColor lineColor = fixed ? palette().color(QPalette::Dark) : QColor(192, 192, 192);
    const bool vert = options_.Contains(c < fixedCols_ ? xgoFixedVertLine : xgoVertLine);
    const bool horz = options_.Contains(r < fixedRows_ ? xgoFixedHorzLine : xgoHorzLine);
    if (vert)
        p.fillRect(QRect(rect.right() + 1, rect.top(), gridLineWidth_, rect.height() + gridLineWidth_),
                   lineColor);
    if (horz)
        p.fillRect(QRect(rect.left(), rect.bottom() + 1, rect.width() + gridLineWidth_, gridLineWidth_),
                   lineColor);
}

// ---- TxDrawGrid --------------------------------------------------------------------------------------

TxDrawGrid::TxDrawGrid(QWidget* parent) : TxCustomGrid(parent) {}

bool TxDrawGrid::CanEditShow() {
    bool can = TxCustomGrid::CanEditShow();
    if (OnCanEditShow) OnCanEditShow(this, Col(), Row(), can);
    return can;
}

void TxDrawGrid::DrawCell(int ACol, int ARow, const QRect& rect, TGridDrawState state) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, rect, state);
}

bool TxDrawGrid::SelectCell(int ACol, int ARow) {
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

QString TxDrawGrid::GetEditText(int ACol, int ARow) {
    QString value;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TxDrawGrid::SetEditText(int ACol, int ARow, const QString& value) {
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, value);
}

void TxDrawGrid::ColumnMoved(int from, int to) {
    if (OnColumnMoved) OnColumnMoved(this, from, to);
}

void TxDrawGrid::RowMoved(int from, int to) {
    if (OnRowMoved) OnRowMoved(this, from, to);
}

void TxDrawGrid::TopLeftChanged() {
    TxCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TxDrawGrid::ColWidthsChanged() {
    TxCustomGrid::ColWidthsChanged();
    if (OnColWidthsChanged) OnColWidthsChanged(this);
}

// ---- TxStringGrid ------------------------------------------------------------------------------------

TxStringGrid::TxStringGrid(QWidget* parent) : TxDrawGrid(parent) {}

QString TxStringGrid::Cells(int c, int r) const {
    const auto row = rows_.constFind(r);
    if (row == rows_.constEnd()) return {};
    const auto cell = row->constFind(c);
    return cell == row->constEnd() ? QString() : cell->text;
}

void TxStringGrid::SetCells(int c, int r, const QString& text) {
    if (Cells(c, r) == text) return;
    RowCells& row = rows_[r];
    Cell& cell = row[c];
    cell.text = text;
    if (text.isEmpty() && !cell.object) {
        row.remove(c);
        if (row.isEmpty()) rows_.remove(r);
    }
    InvalidateCell(c, r);
}

QObject* TxStringGrid::Objects(int c, int r) const {
    const auto row = rows_.constFind(r);
    if (row == rows_.constEnd()) return nullptr;
    const auto cell = row->constFind(c);
    return cell == row->constEnd() ? nullptr : cell->object;
}

void TxStringGrid::SetObjects(int c, int r, QObject* object) {
    RowCells& row = rows_[r];
    Cell& cell = row[c];
    cell.object = object;
    if (cell.text.isEmpty() && !object) {
        row.remove(c);
        if (row.isEmpty()) rows_.remove(r);
    }
}

QStringList TxStringGrid::Rows(int r) const {
    QStringList list;
    for (int c = 0; c < ColCount(); ++c)
        list << Cells(c, r);
    return list;
}

QStringList TxStringGrid::Cols(int c) const {
    QStringList list;
    for (int r = 0; r < RowCount(); ++r)
        list << Cells(c, r);
    return list;
}

void TxStringGrid::SetRows(int r, const QStringList& items) {
    const int n = std::min<int>(items.size(), ColCount());
    for (int c = 0; c < n; ++c)
        SetCells(c, r, items.at(c));
}

void TxStringGrid::SetCols(int c, const QStringList& items) {
    const int n = std::min<int>(items.size(), RowCount());
    for (int r = 0; r < n; ++r)
        SetCells(c, r, items.at(r));
}

void TxStringGrid::SetAlwaysShowCell(bool on) {
    alwaysShowCell_ = on;
    viewport()->update();
}

void TxStringGrid::SetColCount(int n) {
    TxDrawGrid::SetColCount(n);
    for (auto row = rows_.begin(); row != rows_.end();) {
        while (!row->isEmpty() && row->lastKey() >= ColCount())
            row->erase(std::prev(row->end()));
        row = row->isEmpty() ? rows_.erase(row) : std::next(row);
    }
}

void TxStringGrid::SetRowCount(int n) {
    TxDrawGrid::SetRowCount(n);
    while (!rows_.isEmpty() && rows_.lastKey() >= RowCount())
        rows_.erase(std::prev(rows_.end()));
}

void TxStringGrid::DeleteRow(int r) {
    TxDrawGrid::DeleteRow(r);
}

void TxStringGrid::DeleteColumn(int c) {
    TxDrawGrid::DeleteColumn(c);
}

void TxStringGrid::ColumnMoved(int from, int to) {
    for (RowCells& row : rows_)
        MoveSparseKey(row, from, to);
    TxDrawGrid::ColumnMoved(from, to);
}

void TxStringGrid::RowMoved(int from, int to) {
    MoveSparseKey(rows_, from, to);
    TxDrawGrid::RowMoved(from, to);
}

QString TxStringGrid::GetEditText(int ACol, int ARow) {
    QString value = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TxStringGrid::SetEditText(int ACol, int ARow, const QString& value) {
    if (Cells(ACol, ARow) != value) SetCells(ACol, ARow, value);
    TxDrawGrid::SetEditText(ACol, ARow, value);
}

void TxStringGrid::DrawCellText(const QRect& rect, const QString& text) {
    QPainter* p = Canvas();
    p->fillRect(rect, p->brush());
    p->drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void TxStringGrid::DrawCell(int ACol, int ARow, const QRect& rect, TGridDrawState state) {
    if (DefaultDrawing()) DrawCellText(rect, Cells(ACol, ARow));
    TxDrawGrid::DrawCell(ACol, ARow, rect, state);
    // The selection is shown only while the grid has the focus.
    if (!alwaysShowCell_ && (state & gdSelected) && (!isEnabled() || !HasFocusWithin(this))) {
        Canvas()->setBrush(Color());
        Canvas()->setPen(FontColor());
        DrawCellText(rect, Cells(ACol, ARow));
    }
}
