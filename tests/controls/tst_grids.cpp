// The string grid driven by real mouse and key events: select-then-edit, the commit event on every
// closing of the editor, Enter/F2/typing, the editor's key routing, storage, counts and drawing.
#include "controls/TxGrids.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

struct Commit {
    int col, row;
    bool operator==(const Commit&) const = default;
};

// A window with a 5x5 string grid (one fixed row and column) and a second focusable box.
template <typename Grid = TxStringGrid> struct FixtureOf {
    QWidget window;
    Grid* grid;
    QLineEdit* other;
    QList<Commit> commits;
    int beeps = 0;
    std::function<void()> oldBeep;

    FixtureOf() {
        auto* layout = new QVBoxLayout(&window);
        grid = new Grid();
        grid->setParent(&window);
        other = new QLineEdit(&window);
        layout->addWidget(grid);
        layout->addWidget(other);
        window.resize(400, 200);
        grid->OnDoSetData = [this](TxCustomGrid*, int c, int r) { commits << Commit{c, r}; };
        oldBeep = SetBeepHook([this] { ++beeps; });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
    }
    ~FixtureOf() { SetBeepHook(oldBeep); }

    QPoint Center(int c, int r) const { return grid->CellRect(c, r).center(); }
    void Click(int c, int r) { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Center(c, r)); }
    TxInplaceEdit* Editor() const { return grid->InplaceEditor(); }
    bool Editing() const { return Editor() && Editor()->isVisible(); }
    QWidget* Focus() const { return QApplication::focusWidget(); }
};

using Fixture = FixtureOf<>;

struct Picky : TxStringGrid {
    bool CanEditAcceptKey(QChar c) override { return c != 'q'; }
};

} // namespace

class TestGrids : public QObject {
    Q_OBJECT
private slots:
    void constructorDefaults() {
        TxStringGrid g;
        QCOMPARE(g.ColCount(), 5);
        QCOMPARE(g.RowCount(), 5);
        QCOMPARE(g.FixedCols(), 1);
        QCOMPARE(g.FixedRows(), 1);
        QCOMPARE(g.DefaultColWidth(), 64);
        QCOMPARE(g.DefaultRowHeight(), 16);
        QCOMPARE(g.DefaultColFormatStr(), QString("%S"));
        QVERIFY(g.DefaultDrawing());
        QCOMPARE(g.GridLineWidth(), 1);
        QVERIFY(g.ScrollBars() == TScrollStyle::ssBoth);
        QVERIFY(g.BorderStyle() == TBorderStyle::bsSingle);
        QVERIFY((g.Options() == TxGridOptions{xgoFixedVertLine, xgoFixedHorzLine, xgoVertLine, xgoHorzLine,
                                              xgoRangeSelect, xgoEditing}));
        QVERIFY(!g.AlwaysShowCell());
        QVERIFY(g.TabStop());
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(1, 1));
    }

    void clickSelectsThenEdits() {
        Fixture f;
        f.grid->SetCells(2, 3, "abc");
        f.Click(2, 3);
        QCOMPARE(QPoint(f.grid->Col(), f.grid->Row()), QPoint(2, 3));
        QVERIFY(!f.Editing());
        f.Click(2, 3);
        QVERIFY(f.Editing());
        QCOMPARE(f.Editor()->text(), QString("abc"));
        QCOMPARE(f.Editor()->selectedText(), QString("abc"));
        QCOMPARE(f.Focus(), f.Editor());
        QVERIFY(f.commits.isEmpty());
    }

    void clickOnEditedCellCommitsAndReopens() {
        Fixture f;
        f.Click(2, 2);
        f.Click(2, 2);
        QTest::keyClicks(f.Editor(), "xy");
        f.Click(2, 2);
        QCOMPARE(f.commits, (QList<Commit>{{2, 2}}));
        QCOMPARE(f.grid->Cells(2, 2), QString("xy"));
        QVERIFY(f.Editing());
        QCOMPARE(f.Editor()->selectedText(), QString("xy"));
    }

    void clickElsewhereClosesEditorWithOneCommit() {
        Fixture f;
        f.Click(2, 2);
        f.Click(2, 2);
        f.Click(3, 3); // unchanged text still commits
        QCOMPARE(f.commits, (QList<Commit>{{2, 2}}));
        QVERIFY(!f.Editing());
        QCOMPARE(QPoint(f.grid->Col(), f.grid->Row()), QPoint(3, 3));
        QCOMPARE(f.Focus(), f.grid);
    }

    void reselectSwitchMakesNextPressSelect() {
        Fixture f;
        f.Click(2, 2);
        int selects = 0;
        f.grid->OnSelectCell = [&](TxCustomGrid*, int, int, bool&) { ++selects; };
        TxCustomGrid::Reselect = true;
        f.Click(2, 2);
        QCOMPARE(selects, 1);
        QVERIFY(!f.Editing());
        QVERIFY(!TxCustomGrid::Reselect);
        f.Click(2, 2);
        QVERIFY(f.Editing());
    }

    void enterTogglesEditorAndF2PutsCaretAtEnd() {
        Fixture f;
        f.grid->SetCells(1, 1, "12.5");
        int selects = 0;
        f.grid->OnSelectCell = [&](TxCustomGrid*, int c, int r, bool&) {
            QCOMPARE(QPoint(c, r), QPoint(1, 1));
            ++selects;
        };
        QTest::keyClick(f.grid, Qt::Key_Return);
        QVERIFY(f.Editing());
        QCOMPARE(f.Editor()->selectedText(), QString("12.5"));
        QTest::keyClick(f.Editor(), Qt::Key_Return);
        QVERIFY(!f.Editing());
        QCOMPARE(f.commits, (QList<Commit>{{1, 1}}));
        QCOMPARE(selects, 1); // Enter selects the cell again after closing
        QCOMPARE(f.Focus(), f.grid);

        QTest::keyClick(f.grid, Qt::Key_F2);
        QVERIFY(f.Editing());
        QVERIFY(!f.Editor()->hasSelectedText());
        QCOMPARE(f.Editor()->cursorPosition(), 4);
    }

    void typingOpensEditorWithTheCharacter() {
        Fixture f;
        f.grid->SetCells(1, 1, "old");
        QTest::keyClicks(f.grid, "n");
        QVERIFY(f.Editing());
        QTest::keyClicks(f.Editor(), "ew");
        QTest::keyClick(f.Editor(), Qt::Key_Down); // goes to the grid: moves and commits
        QCOMPARE(f.grid->Cells(1, 1), QString("new"));
        QCOMPARE(f.commits, (QList<Commit>{{1, 1}}));
        QCOMPARE(f.grid->Row(), 2);
        QVERIFY(!f.Editing());
    }

    void columnFormatValidatesAndRefusesLetters() {
        Fixture f;
        f.grid->SetColFormatStr(1, "%0.3f");
        QTest::keyClicks(f.grid, "2.5");
        QTest::keyClicks(f.Editor(), "x");
        QCOMPARE(f.beeps, 1);
        QCOMPARE(f.Editor()->text(), QString("2.5"));
        QTest::keyClick(f.Editor(), Qt::Key_Return);
        QCOMPARE(f.grid->Cells(1, 1), QString("2.500"));
        QCOMPARE(f.commits, (QList<Commit>{{1, 1}}));
    }

    void refusedCharacterHookBeeps() {
        FixtureOf<Picky> f;
        QTest::keyClicks(f.grid, "aq");
        QCOMPARE(f.beeps, 1);
        QCOMPARE(f.Editor()->text(), QString("a"));
    }

    void escapeInEditorIsSwallowed() {
        Fixture f;
        f.grid->SetCells(1, 1, "keep");
        QTest::keyClicks(f.grid, "12");
        QTest::keyClick(f.Editor(), Qt::Key_Escape);
        QVERIFY(f.Editing());
        QCOMPARE(f.Editor()->text(), QString("12"));
        QVERIFY(f.commits.isEmpty());
    }

    void canEditShowVetoKeepsColumnReadOnly() {
        Fixture f;
        f.grid->SetFixedCols(0);
        f.grid->OnCanEditShow = [](TxCustomGrid*, int c, int, bool& can) {
            if (c == 0) can = false;
        };
        f.grid->FocusCell(0, 1);
        QTest::keyClick(f.grid, Qt::Key_Return);
        QVERIFY(!f.Editing());
        QTest::keyClick(f.grid, Qt::Key_F2);
        QVERIFY(!f.Editing());
        QTest::keyClicks(f.grid, "a");
        QVERIFY(!f.Editing());
        QCOMPARE(f.grid->Cells(0, 1), QString());

        QTest::keyClick(f.grid, Qt::Key_Right);
        QTest::keyClick(f.grid, Qt::Key_F2);
        QVERIFY(f.Editing());
        QCOMPARE(f.grid->Col(), 1);
    }

    void leavingTheGridCommits() {
        Fixture f;
        QTest::keyClicks(f.grid, "7");
        f.other->setFocus();
        QCOMPARE(f.commits, (QList<Commit>{{1, 1}}));
        QCOMPARE(f.grid->Cells(1, 1), QString("7"));
        QVERIFY(!f.Editing());
        QVERIFY(!f.grid->EditorMode());
        QCOMPARE(f.Focus(), f.other);
    }

    void commitErrorStillClosesEditor() {
        Fixture f;
        f.grid->OnDoSetData = [](TxCustomGrid*, int, int) { throw std::runtime_error("handler failed"); };
        QTest::keyClicks(f.grid, "5");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, f.grid->HideEditor());
        QVERIFY(!f.Editing());
        QCOMPARE(f.grid->Cells(1, 1), QString("5"));
        QCOMPARE(f.Focus(), f.grid);
        f.grid->OnDoSetData = nullptr;
        QTest::keyClick(f.grid, Qt::Key_Return); // the grid still works
        QVERIFY(f.Editing());
    }

    void alwaysShowEditorFollowsTheCurrentCell() {
        Fixture f;
        f.grid->SetCells(1, 1, "ab");
        f.other->setFocus();
        f.grid->SetOptions(f.grid->Options().Include(xgoAlwaysShowEditor));
        f.grid->setFocus();
        QVERIFY(f.Editing());
        QTest::keyClick(f.Editor(), Qt::Key_Return); // Enter does not close it: all selected, so caret to end
        QVERIFY(f.Editing());
        QCOMPARE(f.Editor()->cursorPosition(), 2);
        QTest::keyClick(f.Editor(), Qt::Key_Right); // at the end of the text: next cell
        QCOMPARE(f.grid->Col(), 2);
        QVERIFY(f.Editing());
        QCOMPARE(f.commits, (QList<Commit>{{1, 1}}));
        f.grid->SetOptions(f.grid->Options().Include(xgoRowSelect)); // row selection drops it
        QVERIFY(!f.grid->Options().Contains(xgoAlwaysShowEditor));
    }

    void mouseSelectionAndColumnMoving() {
        Fixture f;
        f.grid->SetOptions(f.grid->Options().Exclude(xgoEditing).Include(xgoColMoving));
        QWidget* vp = f.grid->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, f.Center(1, 1));
        QMouseEvent drag(QEvent::MouseMove, QPointF(f.Center(3, 2)), vp->mapToGlobal(QPointF(f.Center(3, 2))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(vp, &drag);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, f.Center(3, 2));
        QCOMPARE(f.grid->Selection(), (TGridRect{1, 1, 3, 2}));

        f.grid->SetCells(1, 3, "moved");
        QList<QPoint> moves;
        f.grid->OnColumnMoved = [&](TxCustomGrid*, int from, int to) { moves << QPoint(from, to); };
        QTest::mousePress(vp, Qt::LeftButton, {}, f.Center(1, 0));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, f.Center(3, 0));
        QCOMPARE(moves, QList<QPoint>{QPoint(1, 3)});
        QCOMPARE(f.grid->Cells(3, 3), QString("moved"));
        QCOMPARE(f.grid->Cells(1, 3), QString());
    }

    void navigationKeys_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QPoint>("cell");
        QTest::newRow("right, down") << QList<int>{Qt::Key_Right, Qt::Key_Down} << QPoint(2, 2);
        QTest::newRow("stops at the fixed column") << QList<int>{Qt::Key_Left, Qt::Key_Up} << QPoint(1, 1);
        QTest::newRow("end") << QList<int>{Qt::Key_End} << QPoint(4, 1);
        QTest::newRow("page down clamps") << QList<int>{Qt::Key_PageDown, Qt::Key_PageDown} << QPoint(1, 4);
        QTest::newRow("tab wraps to next row") << QList<int>{Qt::Key_End, Qt::Key_Tab} << QPoint(1, 2);
    }
    void navigationKeys() {
        QFETCH(QList<int>, keys);
        QFETCH(QPoint, cell);
        Fixture f;
        f.grid->SetOptions(f.grid->Options().Include(xgoTabs));
        for (int k : keys)
            QTest::keyClick(f.grid, Qt::Key(k));
        QCOMPARE(QPoint(f.grid->Col(), f.grid->Row()), cell);
    }

    void rightToLeftReversesHorizontalKeys() {
        Fixture f;
        f.grid->setLayoutDirection(Qt::RightToLeft);
        QTest::keyClick(f.grid, Qt::Key_Left);
        QCOMPARE(f.grid->Col(), 2);
        QTest::keyClick(f.grid, Qt::Key_Right);
        QCOMPARE(f.grid->Col(), 1);
    }

    void scrollingKeepsCurrentCellInView() {
        Fixture f;
        f.grid->SetRowCount(100);
        f.grid->SetColCount(30);
        for (int i = 0; i < 40; ++i)
            QTest::keyClick(f.grid, Qt::Key_Down);
        QCOMPARE(f.grid->Row(), 41);
        QVERIFY(f.grid->TopRow() > 1);
        QVERIFY(!f.grid->CellRect(1, 41).isEmpty());
        QVERIFY(f.grid->viewport()->rect().contains(f.grid->CellRect(1, 41)));
        QTest::keyClick(f.grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.grid->TopRow(), 1);
        QWheelEvent wheel(QPointF(10, 10), f.grid->viewport()->mapToGlobal(QPointF(10, 10)), {},
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(f.grid->viewport(), &wheel);
        QCOMPARE(f.grid->TopRow(), 4);
        QCOMPARE(f.grid->verticalScrollBar()->value(), 3);
        QCOMPARE(f.grid->Row(), 1); // the wheel scrolls the view, not the current cell
        QTest::keyClick(f.grid, Qt::Key_End);
        QVERIFY(f.grid->LeftCol() > 1);
        QVERIFY(f.grid->viewport()->rect().contains(f.grid->CellRect(29, 1)));
        QCOMPARE(f.grid->MouseToCell(f.Center(29, 1).x(), f.Center(29, 1).y()), QPoint(29, 1));
    }

    void columnSizingByDraggingTheHeaderLine() {
        Fixture f;
        f.grid->SetOptions(f.grid->Options().Include(xgoColSizing));
        int changes = 0;
        f.grid->OnColWidthsChanged = [&](TxCustomGrid*) { ++changes; };
        const QRect cell = f.grid->CellRect(1, 0);
        const QPoint edge(cell.right() + 1, cell.center().y());
        QWidget* vp = f.grid->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, edge);
        QMouseEvent move(QEvent::MouseMove, QPointF(edge + QPoint(30, 0)),
                         vp->mapToGlobal(QPointF(edge + QPoint(30, 0))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(vp, &move);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, edge + QPoint(30, 0));
        QCOMPARE(f.grid->ColWidths(1), 64 + 30);
        QVERIFY(changes > 0);
        QCOMPARE(QPoint(f.grid->Col(), f.grid->Row()), QPoint(1, 1));
    }

    void unfocusedSelectionIsNotHighlighted() {
        Fixture f;
        f.grid->SetCells(1, 1, "a");
        QTest::keyClick(f.grid, Qt::Key_Down, Qt::ShiftModifier); // selection rows 1..2, current (1,2)
        QCOMPARE(f.grid->Selection(), (TGridRect{1, 1, 1, 2}));
        const QPoint anchor = f.grid->CellRect(1, 1).bottomRight() - QPoint(2, 2);
        const QColor highlight = f.grid->palette().color(QPalette::Highlight);
        QCOMPARE(f.grid->viewport()->grab().toImage().pixelColor(anchor), highlight);
        f.other->setFocus();
        QCOMPARE(f.grid->viewport()->grab().toImage().pixelColor(anchor), f.grid->Color());
        f.grid->SetAlwaysShowCell(true);
        QCOMPARE(f.grid->viewport()->grab().toImage().pixelColor(anchor), highlight);
    }

    void rowsAndColsAssignment() {
        TxStringGrid g;
        g.SetColCount(3);
        g.SetCells(2, 4, "stays");
        g.SetRows(1, {"a", "b", "c", "d", "e"});
        QCOMPARE(g.Rows(1), (QStringList{"a", "b", "c"}));
        g.SetRows(4, {"x"});
        QCOMPARE(g.Rows(4), (QStringList{"x", "", "stays"}));
        g.SetCols(0, {"0", "1"});
        QCOMPARE(g.Cols(0), (QStringList{"0", "1", "", "", "x"}));
        QObject o;
        g.SetObjects(2, 2, &o);
        QCOMPARE(g.Objects(2, 2), &o);
        QCOMPARE(g.Objects(1, 2), nullptr);
    }

    void columnFormatTable() {
        TxStringGrid g;
        QCOMPARE(g.ColFormatStr(3), QString("%S"));
        g.SetColFormatStr(1, "%0.3f|abcdefghij"); // 15 characters
        QCOMPARE(g.ColFormatStr(1), QString("%0.3f|abcdef"));
        QCOMPARE(g.ColFormatStr(0), QString("%S"));
        QVERIFY_THROWS_EXCEPTION(EInvalidGridOperation, g.SetColFormatStr(5, "%d"));
        try {
            g.SetColFormatStr(5, "%d");
        } catch (const EInvalidGridOperation& e) {
            QCOMPARE(e.Message(), QString("Grid index out of range"));
        }
        g.SetDefaultColFormatStr("%0.1f");
        QCOMPARE(g.ColFormatStr(1), QString("%0.1f")); // stored values discarded
        g.SetColWidths(2, 10);
        g.SetDefaultColWidth(30);
        QCOMPARE(g.ColWidths(2), 30);
    }

    void countsAndFixedCounts() {
        TxStringGrid g;
        auto message = [](auto op) {
            try {
                op();
            } catch (const EInvalidGridOperation& e) {
                return e.Message();
            }
            return QString();
        };
        QCOMPARE(message([&] { g.SetFixedRows(5); }), QString("Fixed row count must be less than row count"));
        QCOMPARE(message([&] { g.SetFixedCols(7); }),
                 QString("Fixed column count must be less than column count"));
        QCOMPARE(message([&] { g.SetFixedCols(-1); }), QString("Grid index out of range"));
        QCOMPARE(message([&] { g.FocusCell(5, 1); }), QString("Grid index out of range"));
        g.SetRowCount(0);
        QCOMPARE(g.RowCount(), 1);
        QCOMPARE(g.FixedRows(), 0);
        g.SetColCount(1);
        QCOMPARE(g.FixedCols(), 0);
    }

    void deleteRowMovesRowsUp() {
        TxStringGrid g;
        for (int r = 0; r < 5; ++r)
            g.SetCells(1, r, QString::number(r));
        g.SetRowHeights(2, 30);
        g.DeleteRow(2);
        QCOMPARE(g.RowCount(), 4);
        QCOMPARE(g.Cols(1), (QStringList{"0", "1", "3", "4"}));
        QCOMPARE(g.RowHeights(2), 16);
        g.SetRowCount(5);
        QCOMPARE(g.Cells(1, 4), QString()); // no stale text comes back
    }
};

QTEST_MAIN(TestGrids)
#include "tst_grids.moc"
