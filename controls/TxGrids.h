#pragma once
// The spreadsheet-style grid of the program: fixed header rows and columns, a current cell with a range
// selection, column and row sizing and moving, keyboard navigation, scrolling by whole cells, and an
// in-place editor that is the formatted edit box. Every closing of the editor reports a commit through
// OnDoSetData; OnCanEditShow may veto the editor; a first click selects a cell and a second one edits it.
#include "storage/MessageError.h"

#include "controls/TxFmtEdit.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <vector>

class QPainter;
class TxCustomGrid;
class TxInplaceEdit;

// Raised for grid operations with a bad index or count; the message is the user-visible text.
class EInvalidGridOperation : public EMessageError {
public:
    using EMessageError::EMessageError;
};

enum TxGridOption {
    xgoFixedVertLine,
    xgoFixedHorzLine,
    xgoVertLine,
    xgoHorzLine,
    xgoRangeSelect,
    xgoDrawFocusSelected,
    xgoRowSizing,
    xgoColSizing,
    xgoRowMoving,
    xgoColMoving,
    xgoEditing,
    xgoTabs,
    xgoRowSelect,
    xgoAlwaysShowEditor,
    xgoThumbTracking
};

// A set of grid options.
class TxGridOptions {
public:
    TxGridOptions() = default;
    TxGridOptions(std::initializer_list<TxGridOption> options) {
        for (TxGridOption o : options)
            Include(o);
    }
    bool Contains(TxGridOption o) const { return bits_ & Bit(o); }
    TxGridOptions& Include(TxGridOption o) {
        bits_ |= Bit(o);
        return *this;
    }
    TxGridOptions& Exclude(TxGridOption o) {
        bits_ &= ~Bit(o);
        return *this;
    }
    bool operator==(const TxGridOptions&) const = default;

private:
    static unsigned Bit(TxGridOption o) { return 1u << unsigned(o); }
    unsigned bits_ = 0;
};

enum TGridDrawStateFlag { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = int;

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TBorderStyle { bsNone, bsSingle };

// A rectangle of cells, inclusive at both ends.
struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Contains(int c, int r) const { return c >= Left && c <= Right && r >= Top && r <= Bottom; }
    bool operator==(const TGridRect&) const = default;
};

using TDoSetDataEvent = std::function<void(TxCustomGrid* Sender, int ACol, int ARow)>;
using TCanEditShowEvent = std::function<void(TxCustomGrid* Sender, int ACol, int ARow, bool& CanEditShow)>;
using TSelectCellEvent = std::function<void(TxCustomGrid* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TxCustomGrid* Sender, int ACol, int ARow, QString& Value)>;
using TSetEditEvent = std::function<void(TxCustomGrid* Sender, int ACol, int ARow, const QString& Value)>;
// Drawing goes to Sender->Canvas(), which is valid while the grid paints.
using TDrawCellEvent =
    std::function<void(TxCustomGrid* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State)>;
using TMovedEvent = std::function<void(TxCustomGrid* Sender, int FromIndex, int ToIndex)>;
using TGridNotifyEvent = std::function<void(TxCustomGrid* Sender)>;
using TGridKeyEvent = std::function<void(TxCustomGrid* Sender, int& Key, Qt::KeyboardModifiers Shift)>;
using TGridKeyPressEvent = std::function<void(TxCustomGrid* Sender, QChar& Key)>;
using TGridMouseEvent = std::function<void(TxCustomGrid* Sender, Qt::MouseButton Button,
                                           Qt::KeyboardModifiers Shift, int X, int Y)>;

// The in-place editor: a formatted edit box that routes navigation keys to its grid and asks the grid
// whether its text may be modified.
class TxInplaceEdit : public TxCustomEdit {
    Q_OBJECT
public:
    explicit TxInplaceEdit(TxCustomGrid* grid);
    TxCustomGrid* Grid() const { return grid_; }
    // Puts the editor over a cell rectangle (viewport coordinates), shows it and focuses it when the
    // grid has the focus.
    void MoveTo(const QRect& cellRect);
    void CaretToEnd();
    bool EditCanModify() override;

protected:
    void DoExit() override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    bool KeyGoesToGrid(QKeyEvent* e) const;
    TxCustomGrid* grid_;
};

class TxCustomGrid : public QAbstractScrollArea {
    Q_OBJECT
    friend class TxInplaceEdit;

public:
    explicit TxCustomGrid(QWidget* parent = nullptr);
    ~TxCustomGrid() override;

    // The reselect switch, one for all grids: while set, the next press on the current cell selects it
    // again instead of opening the editor. Every mouse press clears it.
    static bool Reselect;

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    void SetFixedCols(int n);
    void SetFixedRows(int n);
    int DefaultColWidth() const { return defaultColWidth_; }
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int h);
    QString DefaultColFormatStr() const { return defaultColFormatStr_; }
    void SetDefaultColFormatStr(const QString& fmt);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool on);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int w);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle s);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle s);
    TxGridOptions Options() const { return options_; }
    void SetOptions(TxGridOptions options);
    QColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(const QColor& c);
    QColor Color() const { return color_; }
    void SetColor(const QColor& c);
    QColor FontColor() const;
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool on);

    int ColWidths(int c) const;
    void SetColWidths(int c, int w);
    int RowHeights(int r) const;
    void SetRowHeights(int r, int h);
    QString ColFormatStr(int c) const;
    void SetColFormatStr(int c, const QString& fmt);
    bool HasColWidthsTable() const { return !colWidths_.empty(); }
    bool HasRowHeightsTable() const { return !rowHeights_.empty(); }
    bool HasColFormatTable() const { return !colFormats_.empty(); }

    int Col() const { return current_.x(); }
    int Row() const { return current_.y(); }
    void SetCol(int c);
    void SetRow(int r);
    // Moves the current cell (and the anchor) to (c, r) when SelectCell agrees.
    void FocusCell(int c, int r);
    TGridRect Selection() const;
    int TopRow() const { return topLeft_.y(); }
    int LeftCol() const { return topLeft_.x(); }
    void SetTopRow(int r);
    void SetLeftCol(int c);
    int VisibleRowCount() const;
    int VisibleColCount() const;

    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool on);
    TxInplaceEdit* InplaceEditor() const { return editor_; }

    // The rectangle of a cell in client (viewport) coordinates; empty when the cell is not visible.
    QRect CellRect(int c, int r) const;
    // The cell under a client point, or (-1, -1).
    QPoint MouseToCell(int x, int y) const;

    void ShowEditor();
    void ShowEditorChar(QChar ch);
    void HideEditor();
    // Closes the editor without taking its text: the cell keeps what it holds and OnDoSetData does not
    // fire (a dialog cancelled while a value was being typed).
    void DiscardEditor();
    void InvalidateCell(int c, int r);
    // Moves a column or row with its sizes, formats and (in a string grid) its cells.
    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);

    // The painter of the paint in progress, for OnDrawCell handlers; null outside painting.
    QPainter* Canvas() const { return canvas_; }

    TDoSetDataEvent OnDoSetData;
    TCanEditShowEvent OnCanEditShow;
    TSelectCellEvent OnSelectCell;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TDrawCellEvent OnDrawCell;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TGridNotifyEvent OnColWidthsChanged;
    TGridNotifyEvent OnTopLeftChanged;
    TGridNotifyEvent OnClick;
    TGridNotifyEvent OnDblClick;
    TGridNotifyEvent OnEnter;
    TGridNotifyEvent OnExit;
    TGridKeyEvent OnKeyDown;
    TGridKeyPressEvent OnKeyPress;
    TGridMouseEvent OnMouseDown;
    TGridMouseEvent OnMouseUp;

    // The overridable operations of the grid.
    virtual void UpdateEdit();
    virtual void CommitEditor();
    virtual void SetDefaultColWidth(int w);
    virtual void SetColCount(int n);
    virtual void SetRowCount(int n);
    virtual bool CanEditShow();
    virtual void InvalidateEditor();
    virtual void DeleteRow(int r);
    virtual void DeleteColumn(int c);
    virtual void DoSetData(int ACol, int ARow);

protected:
    enum class GridState { Normal, Selecting, RowSizing, ColSizing, RowMoving, ColMoving };
    // Which sizing drag a press at (x, y) starts, with the index of the row or column being sized.
    virtual GridState CalcSizingState(int x, int y, int& index);
    virtual TxInplaceEdit* CreateEditor();
    virtual void DrawCell(int ACol, int ARow, const QRect& rect, TGridDrawState state) = 0;
    virtual bool SelectCell(int ACol, int ARow);

    virtual bool CanEditAcceptKey(QChar key);
    virtual bool CanGridAcceptKey(int key, Qt::KeyboardModifiers shift);
    virtual bool CanEditModify();
    virtual QString GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const QString& value);
    virtual int GetEditLimit();
    virtual void ColumnMoved(int from, int to);
    virtual void RowMoved(int from, int to);
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void TimedScroll(int dx, int dy);

    // Closes the editor when it is set up for a cell: commit, then OnDoSetData, then hide.
    void HideEdit();
    // Sets the editor up for the cell it is opened on (EditCell): format, then LoadEditor.
    virtual void SetUpEditor();
    // Loads the editor's text and length limit, enters it and selects all its text.
    void LoadEditor();
    // Moves the current cell; returns false when SelectCell refuses.
    bool MoveCurrent(int c, int r, bool moveAnchor, bool show);
    // Navigation, Enter, F2 and character handling, shared with the editor's key routing.
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar& key);
    virtual void DblClick();
    // A double-click on the grid or its editor (client coordinates).
    virtual void MouseDouble(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void DoEnter();
    virtual void DoExit();
    // Mouse handling in client coordinates.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // Whether the grid or its editor holds the keyboard focus of its window.
    bool IsActiveControl() const;
    // Whether the keyboard focus is on the grid or its editor (drawing uses it).
    bool FocusIsWithin() const;
    // Widgets outside the grid that count as part of it for focus (a drop-down list of its own).
    virtual bool OwnsFocusWidget(const QWidget*) const { return false; }
    // The focus went from the grid (or a widget it owns) to the given reason's target: fires the exit
    // event unless the focus is still within the grid.
    void FocusLeft(Qt::FocusReason reason);
    bool EditorSetUp() const { return editCell_.x() >= 0; }
    QPoint EditCell() const { return editCell_; }

    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* e) override;

private:
    struct Axis;
    Axis ColAxis() const;
    Axis RowAxis() const;
    void CheckIndex(int c, int r) const;
    int MaxTopRow() const;
    int MaxLeftCol() const;
    void ClampInView(int c, int r);
    void UpdateScrollBars();
    void Relayout();
    void ApplyTopLeft(QPoint topLeft);
    bool Navigate(int key, Qt::KeyboardModifiers shift);
    void SizeChanged();
    void ResetPosition();
    void FocusArrived();
    bool TakeFocusForPress();
    void PressLeft(Qt::KeyboardModifiers shift, int x, int y);
    void PaintCell(QPainter& p, int c, int r, const QRect& rect, bool focused, const TGridRect& sel);
    void DrawLines(QPainter& p, int c, int r, const QRect& rect);
    void FinishSizing(int pos);
    void OnScrollTimer();
    void SelectTo(int c, int r);

    int colCount_ = 0, rowCount_ = 0;
    int fixedCols_ = 0, fixedRows_ = 0;
    int defaultColWidth_ = 64, defaultRowHeight_ = 16;
    QString defaultColFormatStr_ = "%S";
    bool defaultDrawing_ = true;
    int gridLineWidth_ = 1;
    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    TxGridOptions options_;
    QColor fixedColor_, color_;
    std::vector<int> colWidths_, rowHeights_;
    std::vector<QString> colFormats_;

    QPoint current_{0, 0}, anchor_{0, 0}, topLeft_{0, 0};
    QPoint editCell_{-1, -1};
    bool editorMode_ = false;
    bool inHideEdit_ = false;
    bool updatingBars_ = false;
    bool focusWithin_ = false;
    TxInplaceEdit* editor_ = nullptr;
    QPainter* canvas_ = nullptr;

    GridState state_ = GridState::Normal;
    int sizingIndex_ = -1, sizingOrigin_ = 0, sizingPos_ = 0, moveIndex_ = -1;
    QTimer scrollTimer_;
    QPoint lastMouse_;
};

// Publishes the grid's properties and turns the grid's operations into its events.
class TxDrawGrid : public TxCustomGrid {
    Q_OBJECT
public:
    explicit TxDrawGrid(QWidget* parent = nullptr);
    bool CanEditShow() override;

protected:
    void DrawCell(int ACol, int ARow, const QRect& rect, TGridDrawState state) override;
    bool SelectCell(int ACol, int ARow) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& value) override;
    void ColumnMoved(int from, int to) override;
    void RowMoved(int from, int to) override;
    void TopLeftChanged() override;
    void ColWidthsChanged() override;
};

// A grid that stores a text and an object reference per cell, in sparse per-row storage.
class TxStringGrid : public TxDrawGrid {
    Q_OBJECT
public:
    explicit TxStringGrid(QWidget* parent = nullptr);

    QString Cells(int c, int r) const;
    void SetCells(int c, int r, const QString& text);
    QObject* Objects(int c, int r) const;
    void SetObjects(int c, int r, QObject* object);
    // The cells of one row or column as a list of ColCount (RowCount) texts.
    QStringList Rows(int r) const;
    QStringList Cols(int c) const;
    // Item i goes to cell i for every i below both the list's count and the column (row) count;
    // cells beyond the list keep their text.
    void SetRows(int r, const QStringList& items);
    void SetCols(int c, const QStringList& items);
    bool AlwaysShowCell() const { return alwaysShowCell_; }
    void SetAlwaysShowCell(bool on);

    void DeleteRow(int r) override;
    void DeleteColumn(int c) override;
    // Shrinking drops the cells beyond the new count.
    void SetColCount(int n) override;
    void SetRowCount(int n) override;

protected:
    void DrawCell(int ACol, int ARow, const QRect& rect, TGridDrawState state) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& value) override;
    void ColumnMoved(int from, int to) override;
    void RowMoved(int from, int to) override;
    // Writes a cell text 2 pixels in from the rectangle's left and top, clipped to it.
    void DrawCellText(const QRect& rect, const QString& text);

private:
    struct Cell {
        QString text;
        QObject* object = nullptr;
    };
    // One sparse list per row, each holding a sparse list of its cells.
    using RowCells = QMap<int, Cell>;
    QMap<int, RowCells> rows_;
    bool alwaysShowCell_ = false;
};
