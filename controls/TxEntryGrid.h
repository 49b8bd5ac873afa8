#pragma once
// The property-list control: a three-column grid of name, value and units configured by entry lines
// (one per row, line 0 the header). Values are edited in place or through small buttons that float over
// the value cell: a property-editor button, a pull-down button with a pick list, and spin buttons. The
// grid converts between the shown text and typed values, and reports every committed change through
// OnDoSetData.
#include "controls/TxFields.h"
#include "controls/TxGrids.h"

#include <QEvent>
#include <QListWidget>
#include <QPointer>
#include <QToolButton>
#include <QVariant>

#include <memory>
#include <vector>

class TEntryGrid;

// Where the entry grid's messages go ("Error initialising Height", "Error setting property editor, row 3").
// isError marks a faulty entry line, shown as an error dialog; unset, every message shows in a message
// box with one OK button. Tests replace it. Returns the previous hook.
using TEntryMessageHook = std::function<void(const QString& message, bool isError)>;
TEntryMessageHook SetEntryMessageHook(TEntryMessageHook hook);

using TAfterRightClickEvent = std::function<void(TxCustomGrid* Sender, int ARow)>;
// A handler for presses in the units column: grid, row, screen position of the mouse, and the row's
// field, which it may change in place (factor, offset, format).
using TUnitsClickProc = std::function<void(TEntryGrid* grid, int row, int x, int y, TField& field)>;

// The pick list of enum rows: a bordered popup list with a vertical scroll bar. As a popup it may reach
// past the edge of the window; it hides itself when it loses the focus or a press lands outside it.
class TMyListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TMyListBox(QWidget* parent = nullptr);

    std::function<void()> OnApply; // the selection is to be taken over
    std::function<void()> OnClose; // hide and give the focus back to the grid
    // The mouse moved or was released outside the list (screen position): the grid decides.
    std::function<void(QEvent::Type type, QPoint screen)> OnMouseOutside;
    // The focus left the list for a widget other than its grid.
    std::function<void()> OnFocusLeft;
    // Whether a press at a screen position toggles the list itself (the pull-down button): such a press
    // only closes the list and is not passed on.
    std::function<bool(QPoint screen)> TogglesAt;
    QPointer<QWidget> Owner; // the grid, which closes the list itself

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

class TEntryGrid : public TxStringGrid {
    Q_OBJECT
public:
    explicit TEntryGrid(QWidget* parent = nullptr);
    ~TEntryGrid() override;

    // The configuration lines; setting them rebuilds the rows and their fields.
    QStringList Lines() const { return lines_; }
    void SetLines(const QStringList& lines);
    void SetLinesArray(const QStringList& lines) { SetLines(lines); }
    QChar Delim() const { return delim_; }
    void SetDelim(QChar delim) { delim_ = delim; }

    // The value of a cell: for column 1 a number in base units (double, or qlonglong for integer
    // formats), a formatted pair text, or an enum index (-1 when the text is not an item); otherwise
    // the cell text. Text that does not convert comes back as it is. Never raises.
    QVariant GetCellValue(int ACol, int ARow);
    // Shows a value (base units, enum index, text) through the row's format; a value that cannot be
    // shown empties the cell. Fires no OnDoSetData. Never raises.
    void SetCellValue(int ACol, int ARow, const QVariant& value);
    // Gives a row a property-editor button that runs func.
    void SetPropertyEditor(int ARow, TPropertyEditorFunc func);

    // The field of a row, or null.
    TField* Field(int ARow) const;
    int FieldCount() const { return int(fields_.size()); }

    QColor ColorEditCol() const { return colorEditCol_; }
    void SetColorEditCol(const QColor& c);
    QColor ColorEditMode() const { return colorEditMode_; }
    void SetColorEditMode(const QColor& c) { colorEditMode_ = c; }
    QColor ColorEditModeText() const { return colorEditModeText_; }
    void SetColorEditModeText(const QColor& c) { colorEditModeText_ = c; }

    TAfterRightClickEvent OnAfterRightClick;
    TUnitsClickProc UnitsClick; // unset: a press in the units column only selects

    // The button actions on the current row. The spin steps raise EConvertError when the cell does not
    // read as a number; the button clicks show that message instead.
    void RunPropertyEditor();
    void SpinUp() { Spin(true); }
    void SpinDown() { Spin(false); }
    void TogglePickList();

    QToolButton* PropEdButton() const { return buttons_[PropEd]; }
    QToolButton* PullDownButton() const { return buttons_[PullDown]; }
    QToolButton* SpinUpButton() const { return buttons_[SpinUpBtn]; }
    QToolButton* SpinDownButton() const { return buttons_[SpinDownBtn]; }
    TMyListBox* PickList() const { return pickList_; }

    void UpdateEdit() override;
    void CommitEditor() override;
    bool CanEditShow() override;

protected:
    void DrawCell(int ACol, int ARow, const QRect& rect, TGridDrawState state) override;
    bool SelectCell(int ACol, int ARow) override;
    void SetUpEditor() override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    bool RunRowButton(int key, Qt::KeyboardModifiers shift);
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void DblClick() override;
    void DoEnter() override;
    void TopLeftChanged() override;
    void ColWidthsChanged() override;
    bool OwnsFocusWidget(const QWidget* w) const override;
    bool event(QEvent* e) override;

private:
    enum ButtonIndex { PropEd, PullDown, SpinUpBtn, SpinDownBtn, ButtonCount };
    void Rebuild();
    void CreateButtons();
    void ConnectButton(ButtonIndex b);
    void HideButtons();
    void ShowButton(ButtonIndex b);
    void PlaceButtons();
    void HidePickList();
    void ClosePickList();
    void PickListMouseOutside(QEvent::Type type, QPoint screen);
    void DropPickList();
    void ApplyPickList();
    void Spin(bool up);
    void CycleEnum(int step);
    void ClearCurrentRow();
    void ApplyRowState(int ACol, int ARow);
    bool IsEnumValueCell(int c, int r) const;
    // Shows the value of a spin step through a button click, reporting a conversion error.
    void SpinClicked(bool up);

    QStringList lines_;
    QChar delim_ = QLatin1Char(';');
    std::vector<std::unique_ptr<TField>> fields_;
    QColor colorEditCol_, colorEditMode_, colorEditModeText_;

    // The state of the current row, set on every selection of a value cell.
    TField* curField_ = nullptr;
    TNumField* curNumField_ = nullptr;
    TEnumField* curEnumField_ = nullptr;
    QString curFormat_ = QStringLiteral("%S");
    TFormatType curFormatType_ = ft_Fixed;
    double curLo_ = 0, curHi_ = 0;

    QPointer<QToolButton> buttons_[ButtonCount];
    bool buttonShown_[ButtonCount] = {};
    int buttonRow_ = -1;
    QPointer<TMyListBox> pickList_;
    const int unitsCol_ = 2;
};
