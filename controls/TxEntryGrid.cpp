#include "controls/TxEntryGrid.h"

#include "controls/TxConv.h"
#include "controls/TxHook.h"
#include "controls/TxNumText.h"
#include "storage/PlainText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

#include <cmath>

// The glyphs live in the library's resources, which a static library must register itself.
static void InitControlsResources() {
    Q_INIT_RESOURCE(controls);
}

namespace {

const int kButtonSize = 15;
const int kPickListVisibleItems = 5;
const int kPickListMaxWidth = 200;

THook<const QString&, bool>& MessageHook() {
    static THook<const QString&, bool> hook([](const QString& message, bool isError) {
        ShowPlainMessage(nullptr, isError ? QMessageBox::Critical : QMessageBox::Information,
                         QApplication::applicationDisplayName(), message);
    });
    return hook;
}

void ShowEntryMessage(const QString& message, bool isError = false) {
    MessageHook()(message, isError);
}

} // namespace

TEntryMessageHook SetEntryMessageHook(TEntryMessageHook hook) {
    return MessageHook().Set(std::move(hook));
}

// ---- TMyListBox --------------------------------------------------------------------------------------

TMyListBox::TMyListBox(QWidget* parent) : QListWidget(parent) {
    setWindowFlags(Qt::Popup);
    setMouseTracking(true); // moves outside the list reach the grid's rule even with no button down
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setFocusPolicy(Qt::ClickFocus);
    hide();
}

// While the list is up it receives every mouse event; those outside it belong to the window below.
bool TMyListBox::event(QEvent* e) {
    const QEvent::Type type = e->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return QListWidget::event(e);
    auto* m = static_cast<QMouseEvent*>(e);
    if (rect().contains(m->position().toPoint())) return QListWidget::event(e);
    const QPoint screen = m->globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        // The press closes the list and goes on to the widget under it, except on the pull-down button,
        // whose release would drop the list again.
        setAttribute(Qt::WA_NoMouseReplay, TogglesAt && TogglesAt(screen));
        hide();
    } else if (OnMouseOutside) {
        OnMouseOutside(type, screen);
    }
    return true;
}

void TMyListBox::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (OnClose) OnClose();
        return;
    }
    QListWidget::keyPressEvent(e);
}

// Arrow keys in the list change the value at once.
void TMyListBox::keyReleaseEvent(QKeyEvent* e) {
    QListWidget::keyReleaseEvent(e);
    if (isVisible() && !e->isAutoRepeat() && OnApply) OnApply();
}

void TMyListBox::mousePressEvent(QMouseEvent* e) {
    QListWidget::mousePressEvent(e);
    if (OnApply) OnApply();
    if (OnClose) OnClose();
}

// Focus leaving the list for anything but its grid hides it and, as the grid had handed its focus to
// the list, counts as leaving the grid.
void TMyListBox::focusOutEvent(QFocusEvent* e) {
    QListWidget::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason) return;
    const QWidget* next = QApplication::focusWidget();
    if (next == this || (Owner && next == Owner)) return;
    hide();
    if (OnFocusLeft) OnFocusLeft();
}

// ---- TEntryGrid --------------------------------------------------------------------------------------

TEntryGrid::TEntryGrid(QWidget* parent) : TxStringGrid(parent) {
    InitControlsResources();
    colorEditCol_ = colorEditMode_ = Color();
    colorEditModeText_ = FontColor();
    SetColCount(3);
    SetRowCount(4);
    SetFixedCols(0);
    SetDefaultColWidth(60);
    SetDefaultRowHeight(16);
    SetScrollBars(TScrollStyle::ssNone);
    SetColWidths(0, 90);
    SetColWidths(1, 60);
    SetColWidths(2, 50);
    SetOptions({xgoFixedVertLine, xgoFixedHorzLine, xgoVertLine, xgoHorzLine, xgoRangeSelect, xgoColSizing,
                xgoEditing});
    resize(206, 72);
    FocusCell(1, Row());
    CreateButtons();
}

TEntryGrid::~TEntryGrid() {
    for (auto& b : buttons_)
        delete b.data();
    delete pickList_.data();
}

// ---- lines and fields ----

void TEntryGrid::SetLines(const QStringList& lines) {
    lines_ = lines;
    Rebuild();
}

void TEntryGrid::Rebuild() {
    HideEdit();
    HideButtons();
    HidePickList();
    ClearCurrentRow();
    curField_ = nullptr;
    fields_.clear();
    if (lines_.isEmpty()) {
        SetRowCount(2);
        return;
    }
    SetRowCount(lines_.size());
    // A list that shrank to its header lowered the fixed rows; a longer one has its header fixed again.
    if (RowCount() > 1 && FixedRows() == 0) SetFixedRows(1);
    SetRows(0, SplitLine(delim_, lines_.at(0)).mid(0, 3));
    fields_.push_back(std::make_unique<TField>(fk_None, QStringLiteral("%S")));
    for (int r = 1; r < lines_.size(); ++r) {
        TRowField row = CreateRowField(lines_.at(r), delim_);
        SetRows(r, row.Cells);
        fields_.push_back(std::move(row.Field));
        if (!row.Error.isEmpty()) ShowEntryMessage(row.Error, true);
    }
}

TField* TEntryGrid::Field(int ARow) const {
    return ARow >= 0 && ARow < int(fields_.size()) ? fields_[ARow].get() : nullptr;
}

void TEntryGrid::SetPropertyEditor(int ARow, TPropertyEditorFunc func) {
    TField* field = Field(ARow);
    if (!field) {
        ShowEntryMessage(QStringLiteral("Error setting property editor, row ") + QString::number(ARow));
        return;
    }
    field->Kind = fk_PropEd;
    field->PropertyEditor = std::move(func);
}

// ---- values ----

QVariant TEntryGrid::GetCellValue(int ACol, int ARow) {
    const QString text = Cells(ACol, ARow);
    const TField* field = Field(ARow);
    if (ACol != 1 || !field) return text;
    try {
        return field->ValueOf(text);
    } catch (const EConvertError&) {
        return text;
    }
}

void TEntryGrid::SetCellValue(int ACol, int ARow, const QVariant& value) {
    const TField* field = Field(ARow);
    if (ACol != 1 || !field) {
        SetCells(ACol, ARow, value.toString());
        return;
    }
    QString text;
    try {
        text = field->TextOf(value);
    } catch (const EConvertError&) {
        text.clear(); // a value that cannot be shown empties the cell
    }
    SetCells(1, ARow, text);
}

// ---- selection and the current row ----

void TEntryGrid::ClearCurrentRow() {
    curNumField_ = nullptr;
    curEnumField_ = nullptr;
    curFormat_ = QStringLiteral("%S");
    curFormatType_ = ft_Fixed;
    curLo_ = curHi_ = 0;
}

bool TEntryGrid::SelectCell(int ACol, int ARow) {
    ApplyRowState(ACol, ARow);
    if (TxStringGrid::SelectCell(ACol, ARow)) return true;
    // The move was refused: the buttons and the row state stay with the cell that remains current, so
    // a button never acts on one row with the field of another.
    if (QPoint(ACol, ARow) != QPoint(Col(), Row())) ApplyRowState(Col(), Row());
    return false;
}

// The buttons and the current-row state for a cell about to become current.
void TEntryGrid::ApplyRowState(int ACol, int ARow) {
    HideButtons();
    if (ACol == 1) {
        HidePickList();
        ClearCurrentRow();
        curField_ = Field(ARow);
        buttonRow_ = ARow;
        if (curField_) curFormat_ = curField_->FormatStr;
        if (curField_ && curField_->Enabled) {
            if (curField_->Kind == fk_PropEd) ShowButton(PropEd);
            if (curField_->Kind == fk_Spin) {
                ShowButton(SpinUpBtn);
                ShowButton(SpinDownBtn);
            }
            if (auto* num = dynamic_cast<TNumField*>(curField_)) {
                curNumField_ = num;
                curFormatType_ = num->FormatType;
                auto limit = [&](double v, const char* which) {
                    try {
                        return double(ToDisplay(v, num->Factor, num->Offset));
                    } catch (...) {
                        ShowEntryMessage(
                            QStringLiteral("Error getting range %1, row %2").arg(which).arg(ARow));
                        return 0.0;
                    }
                };
                curLo_ = limit(num->RangeLo, "lo");
                curHi_ = limit(num->RangeHi, "hi");
            }
            if (auto* choice = dynamic_cast<TEnumField*>(curField_)) {
                curEnumField_ = choice;
                ShowButton(PullDown);
            }
        }
    }
}

void TEntryGrid::DoEnter() {
    SelectCell(Col(), Row());
    TxCustomGrid::Reselect = true;
    TxStringGrid::DoEnter();
}

// ---- the in-place editor ----

bool TEntryGrid::CanEditShow() {
    if (Col() == 0 || Col() == unitsCol_) return false;
    if (TField* field = Field(Row())) {
        if (dynamic_cast<TEnumField*>(field) || !field->Enabled || !field->Editable) return false;
    }
    return TxStringGrid::CanEditShow();
}

void TEntryGrid::UpdateEdit() {
    if (CanEditShow()) {
        // Hidden for the editor's time, and no longer "shown", so scrolling or sizing a column does
        // not bring them back over the editor.
        for (ButtonIndex b : {PropEd, SpinUpBtn, SpinDownBtn}) {
            buttonShown_[b] = false;
            if (buttons_[b]) buttons_[b]->hide();
        }
    }
    TxStringGrid::UpdateEdit();
}

void TEntryGrid::SetUpEditor() {
    TxInplaceEdit* editor = InplaceEditor();
    editor->SetFormatStr(curFormat_);
    editor->SetFormatType(curFormatType_);
    editor->SetRangeLo(curLo_);
    editor->SetRangeHi(curHi_);
    QPalette pal = editor->palette();
    pal.setColor(QPalette::Base, colorEditMode_);
    pal.setColor(QPalette::Text, colorEditModeText_);
    editor->setPalette(pal);
    LoadEditor();
}

void TEntryGrid::CommitEditor() {
    TxInplaceEdit* editor = InplaceEditor();
    editor->ValidateEdit();
    SetEditText(EditCell().x(), EditCell().y(), editor->text());
}

// ---- buttons ----

// The buttons float over the grid's value column as children of the grid itself, so that they never
// join a layout or a splitter the grid sits in. The pick list floats over the whole window; it moves
// there when it drops.
void TEntryGrid::CreateButtons() {
    static const char* const glyphs[ButtonCount] = {":/glyphs/PROPEDPIC", ":/glyphs/PULLDNPIC",
                                                    ":/glyphs/SPINUPPIC", ":/glyphs/SPINDNPIC"};
    for (int b = 0; b < ButtonCount; ++b) {
        auto* button = new QToolButton(this);
        button->resize(kButtonSize, kButtonSize);
        button->setFocusPolicy(Qt::NoFocus);
        const QPixmap glyph(QString::fromLatin1(glyphs[b]));
        button->setIcon(QIcon(glyph));
        button->setIconSize(glyph.size());
        button->hide();
        buttons_[b] = button;
        ConnectButton(ButtonIndex(b));
    }
    pickList_ = new TMyListBox(this);
    pickList_->Owner = this;
    pickList_->OnApply = [this] { ApplyPickList(); };
    pickList_->OnClose = [this] { ClosePickList(); };
    pickList_->OnMouseOutside = [this](QEvent::Type type, QPoint screen) {
        PickListMouseOutside(type, screen);
    };
    pickList_->OnFocusLeft = [this] { FocusLeft(Qt::OtherFocusReason); };
    pickList_->TogglesAt = [this](QPoint screen) {
        QToolButton* b = buttons_[PullDown];
        return b && b->isVisible() && b->rect().contains(b->mapFromGlobal(screen));
    };
}

// The pull-down button acts on the mouse release, the others on a click.
void TEntryGrid::ConnectButton(ButtonIndex b) {
    QToolButton* button = buttons_[b];
    switch (b) {
    case PropEd:
        connect(button, &QToolButton::clicked, this, [this] { RunPropertyEditor(); });
        break;
    case PullDown:
        connect(button, &QToolButton::released, this, [this] { TogglePickList(); });
        break;
    case SpinUpBtn:
    case SpinDownBtn:
        connect(button, &QToolButton::clicked, this, [this, b] { SpinClicked(b == SpinUpBtn); });
        break;
    default:
        break;
    }
}

bool TEntryGrid::event(QEvent* e) {
    const bool result = TxStringGrid::event(e);
    if (e->type() == QEvent::Resize || e->type() == QEvent::Show) PlaceButtons();
    if (e->type() == QEvent::Hide) HidePickList();
    return result;
}

void TEntryGrid::HideButtons() {
    for (int b = 0; b < ButtonCount; ++b) {
        buttonShown_[b] = false;
        if (buttons_[b]) {
            buttons_[b]->hide();
            buttons_[b]->setEnabled(false);
        }
    }
}

void TEntryGrid::ShowButton(ButtonIndex b) {
    buttonShown_[b] = true;
    if (!buttons_[b]) return;
    buttons_[b]->setEnabled(true);
    PlaceButtons();
}

// Puts the shown buttons at the right end of the value cell of their row.
void TEntryGrid::PlaceButtons() {
    if (buttonRow_ < 0 || buttonRow_ >= RowCount()) return;
    const QRect cell = CellRect(1, buttonRow_);
    const int side = RowHeights(buttonRow_);
    const int half = (side + 1) / 2;
    for (int b = 0; b < ButtonCount; ++b) {
        QToolButton* button = buttons_[b];
        if (!button || !buttonShown_[b]) continue;
        if (cell.isEmpty()) {
            button->hide();
            continue;
        }
        const QPoint topRight = viewport()->mapTo(this, QPoint(cell.x() + cell.width(), cell.y()));
        QRect place(topRight.x() - side, topRight.y(), side, side);
        if (b == SpinUpBtn || b == SpinDownBtn) place.setHeight(half);
        if (b == SpinDownBtn) place.moveTop(topRight.y() + half);
        button->setGeometry(place);
        button->show();
        button->raise();
    }
}

void TEntryGrid::TopLeftChanged() {
    TxStringGrid::TopLeftChanged();
    PlaceButtons();
}

void TEntryGrid::ColWidthsChanged() {
    TxStringGrid::ColWidthsChanged();
    PlaceButtons();
}

// ---- property editor and spin ----

void TEntryGrid::RunPropertyEditor() {
    if (!curField_ || curField_->Kind != fk_PropEd || !curField_->PropertyEditor) return;
    const int row = Row();
    // A copy: the editor may rebuild the rows, which frees the field.
    const TPropertyEditorFunc editor = curField_->PropertyEditor;
    QVariant value = GetCellValue(1, row);
    const int result = editor(value);
    if (result == 1) {
        SetCellValue(1, row, value);
        DoSetData(1, row);
        setFocus();
    } else if (result == 2) {
        setFocus();
    }
}

void TEntryGrid::Spin(bool up) {
    TNumField* num = curNumField_;
    if (!num || !num->CanSpin()) return;
    const int row = Row();
    const QVariant cell = GetCellValue(1, row);
    if (cell.typeId() == QMetaType::QString) throw EConvertError(ConvertErrorMessage(cell.toString()));
    double v = cell.toDouble();
    if (v == (up ? num->RangeHi : num->RangeLo)) return;
    const TSpinFunc& step = up ? num->SpinUp : num->SpinDown;
    if (step) {
        v = step(v);
    } else if (const std::optional<double> next = num->NextMultiple(v, up)) {
        v = *next;
    } else {
        return; // an increment of 0 has no step
    }
    v = std::clamp(v, std::min(num->RangeLo, num->RangeHi), std::max(num->RangeLo, num->RangeHi));
    SetCellValue(1, row, v);
    DoSetData(1, row);
}

void TEntryGrid::SpinClicked(bool up) {
    try {
        Spin(up);
    } catch (const EConvertError& e) {
        ShowEntryMessage(e.Message());
    }
}

// ---- pick list and enum cycling ----

bool TEntryGrid::OwnsFocusWidget(const QWidget* w) const {
    return w && w == pickList_.data();
}

bool TEntryGrid::IsEnumValueCell(int c, int r) const {
    return c == 1 && dynamic_cast<TEnumField*>(Field(r));
}

void TEntryGrid::HidePickList() {
    if (pickList_) pickList_->hide();
}

void TEntryGrid::ClosePickList() {
    HidePickList();
    setFocus();
}

void TEntryGrid::TogglePickList() {
    if (pickList_ && pickList_->isVisible())
        ClosePickList();
    else
        DropPickList();
}

void TEntryGrid::DropPickList() {
    if (!pickList_ || !curEnumField_) return;
    TMyListBox* list = pickList_;
    const int row = Row();
    list->clear();
    list->addItems(curEnumField_->Items);
    const int itemHeight = DefaultRowHeight();
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setSizeHint(QSize(0, itemHeight));
    list->setCurrentRow(GetCellValue(1, row).toInt());

    const QRect cell = CellRect(1, row);
    const int line = GridLineWidth();
    const QPoint screen =
        viewport()->mapToGlobal(QPoint(cell.left() + line, cell.top() + line + DefaultRowHeight()));
    int width = line + cell.width();
    // What the list draws around an item's text: its frame and the item's text margins.
    const int chrome = 2 * list->frameWidth() +
                       2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    for (const QString& item : curEnumField_->Items) {
        const int w = list->fontMetrics().horizontalAdvance(item) + 8;
        if (w < kPickListMaxWidth && w + chrome > width) width = w + chrome;
    }
    // The width above is room for the texts; a scroll bar, when the items do not all fit, comes on top.
    if (list->count() > kPickListVisibleItems)
        width += list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    const int shown = std::min<int>(list->count(), kPickListVisibleItems) + 1;
    list->setGeometry(QRect(screen, QSize(width, itemHeight * shown)));
    list->show();
    list->setFocus(Qt::PopupFocusReason);
}

void TEntryGrid::ApplyPickList() {
    if (!pickList_ || !curEnumField_ || pickList_->currentRow() < 0) return;
    const int row = Row();
    SetCellValue(1, row, pickList_->currentRow());
    DoSetData(1, row);
}

void TEntryGrid::CycleEnum(int step) {
    const int row = Row();
    const int count = curEnumField_->Items.size();
    if (count == 0) return;
    const int index = GetCellValue(1, row).toInt();
    SetCellValue(1, row, ((index + step) % count + count) % count);
    DoSetData(1, row);
}

// Alt+Down or F4 on the value cell does what the row's button does, as in a drop-down box, so the
// property editors and pick lists are reached without the mouse.
bool TEntryGrid::RunRowButton(int key, Qt::KeyboardModifiers shift) {
    const bool opens = (key == Qt::Key_Down && shift == Qt::AltModifier) || (key == Qt::Key_F4 && !shift);
    if (!opens || Col() != 1 || !curField_ || !curField_->Enabled) return false;
    if (curField_->Kind == fk_PropEd) {
        RunPropertyEditor();
        return true;
    }
    if (curEnumField_) {
        TogglePickList();
        return true;
    }
    return false;
}

void TEntryGrid::KeyDown(int& key, Qt::KeyboardModifiers shift) {
    if (RunRowButton(key, shift)) {
        key = 0;
        return;
    }
    const bool cycling =
        curEnumField_ && curEnumField_->Enabled && Col() == 1 && Field(Row()) == curEnumField_;
    if (cycling && (key == Qt::Key_Right || key == Qt::Key_Left) && !(shift & Qt::ControlModifier)) {
        if (OnKeyDown) OnKeyDown(this, key, shift);
        if (key == 0) return;
        CycleEnum(key == Qt::Key_Right ? 1 : -1);
        key = 0;
        return;
    }
    TxStringGrid::KeyDown(key, shift);
}

void TEntryGrid::DblClick() {
    if (curEnumField_ && curEnumField_->Enabled && Col() == 1 && Field(Row()) == curEnumField_) CycleEnum(1);
    TxStringGrid::DblClick();
}

// ---- mouse ----

void TEntryGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    // The focus came to the grid with this press, which the list lets pass (it is the grid's own).
    HidePickList();
    const QPoint hit = MouseToCell(x, y);
    TField* field = hit.y() >= 0 ? Field(hit.y()) : nullptr;
    if (!UnitsClick || hit.x() != unitsCol_ || !field) {
        TxStringGrid::MouseDown(button, shift, x, y);
        return;
    }
    HideEdit();
    setFocus(Qt::MouseFocusReason);
    const QPoint screen = viewport()->mapToGlobal(QPoint(x, y));
    UnitsClick(this, hit.y(), screen.x(), screen.y(), *field);
    curFormat_ = field->FormatStr;
    if (OnAfterRightClick) OnAfterRightClick(this, hit.y());
    SetCellValue(1, hit.y(), GetCellValue(1, hit.y()));
    FocusCell(hit.x(), hit.y());
    TxCustomGrid::Reselect = true;
}

// The list holds the mouse while it is up: moves and releases over the grid come through it.
void TEntryGrid::PickListMouseOutside(QEvent::Type type, QPoint screen) {
    const QPoint at = viewport()->mapFromGlobal(screen);
    if (!viewport()->rect().contains(at)) return;
    const QPoint hit = MouseToCell(at.x(), at.y());
    const bool onChoice = IsEnumValueCell(hit.x(), hit.y());
    // Moving off the choice cell, or releasing on it, closes the list.
    if (type == QEvent::MouseMove ? !onChoice : onChoice) ClosePickList();
}

void TEntryGrid::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y) {
    if (pickList_ && pickList_->isVisible()) {
        const QPoint hit = MouseToCell(x, y);
        if (!IsEnumValueCell(hit.x(), hit.y())) ClosePickList();
    }
    TxStringGrid::MouseMove(buttons, shift, x, y);
}

void TEntryGrid::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    if (pickList_ && pickList_->isVisible()) {
        const QPoint hit = MouseToCell(x, y);
        if (IsEnumValueCell(hit.x(), hit.y())) ClosePickList();
    }
    TxStringGrid::MouseUp(button, shift, x, y);
}

// ---- drawing ----

void TEntryGrid::SetColorEditCol(const QColor& c) {
    colorEditCol_ = c;
    viewport()->update();
}

void TEntryGrid::DrawCell(int ACol, int ARow, const QRect& rect, TGridDrawState state) {
    QPainter* p = Canvas();
    const TField* field = Field(ARow);
    const QColor text = field && !field->Enabled ? palette().color(QPalette::Disabled, QPalette::Text)
                                                 : palette().color(QPalette::Active, QPalette::Text);
    const bool differs = colorEditCol_ != Color();
    if (ACol == 1 && ARow >= FixedRows() && differs) p->setBrush(colorEditCol_);
    p->setPen(text);
    TxStringGrid::DrawCell(ACol, ARow, rect, state);
    // The current cell is never shown highlighted while the focus is elsewhere.
    if (differs && (state & gdSelected) && (!isEnabled() || !FocusIsWithin())) {
        p->setBrush(colorEditCol_);
        p->setPen(text);
        DrawCellText(rect, Cells(ACol, ARow));
    }
}
