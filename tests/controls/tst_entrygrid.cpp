// The entry grid: rebuild from lines, value conversion both ways, the floating buttons, spin stepping,
// the pick list, enum cycling, the units-column hook and the drawing of the value column.
#include "../common/SavePicture.h"
#include "controls/TxEntryGrid.h"
#include "controls/TxNumText.h"

#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QSplitter>
#include <QStyle>
#include <QTest>

#include <limits>

namespace {

const QStringList kInputLines = {"Property; Value; Units",           "Barometer; %0.0f; m; PE; 0; 0",
                                 "Latitude; %0.2f; deg; NPE; 0; 0",  "Longitude; %0.2f; deg; NPE; 0; 0",
                                 "Time Zone; %0.2f; deg; NPE; 0; 0", "Azimuth; %0.2f; deg; PE; 0; 0",
                                 "Slope; %0.2f; deg; PE; 0; 0",      "Day Number; %0.1f; ; PE; 0; 0"};

struct Commit {
    int col, row;
    bool operator==(const Commit&) const = default;
};

// A window holding an entry grid set up as the main window sets up its input list, and a second box.
struct Fixture {
    QWidget window;
    TEntryGrid* grid;
    QLineEdit* other;
    QList<Commit> commits;
    QStringList messages;
    int beeps = 0;
    std::function<void()> oldBeep;
    TEntryMessageHook oldMessage;

    explicit Fixture(const QStringList& lines = kInputLines) {
        oldBeep = SetBeepHook([this] { ++beeps; });
        oldMessage = SetEntryMessageHook([this](const QString& m, bool) { messages << m; });
        grid = new TEntryGrid(&window);
        grid->move(10, 10);
        grid->SetColorEditCol(grid->palette().color(QPalette::Base));
        grid->SetColor(grid->palette().color(QPalette::Button));
        grid->SetLinesArray(lines);
        grid->resize(207, 4 + 17 * grid->RowCount());
        other = new QLineEdit(&window);
        other->setGeometry(10, grid->geometry().bottom() + 10, 100, 20);
        window.resize(260, other->geometry().bottom() + 10);
        grid->OnDoSetData = [this](TxCustomGrid*, int c, int r) { commits << Commit{c, r}; };
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
    }
    ~Fixture() {
        SetBeepHook(oldBeep);
        SetEntryMessageHook(oldMessage);
    }

    QPoint Center(int c, int r) const { return grid->CellRect(c, r).center(); }
    void Press(int c, int r) { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Center(c, r)); }
    // The value cell's rectangle in the coordinates of the grid (buttons) or the window (pick list).
    QRect ValueCellIn(const QWidget* w, int r) const {
        const QRect cell = grid->CellRect(1, r);
        return QRect(grid->viewport()->mapTo(w, cell.topLeft()), cell.size());
    }
    bool Editing() const { return grid->InplaceEditor() && grid->InplaceEditor()->isVisible(); }
};

} // namespace

class TestEntryGrid : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void constructorSettings() {
        QWidget host;
        TEntryGrid g(&host);
        QCOMPARE(g.ColCount(), 3);
        QCOMPARE(g.RowCount(), 4);
        QCOMPARE(g.FixedCols(), 0);
        QCOMPARE(g.FixedRows(), 1);
        QCOMPARE(g.Col(), 1);
        QCOMPARE((QList<int>{g.ColWidths(0), g.ColWidths(1), g.ColWidths(2)}), (QList<int>{90, 60, 50}));
        QCOMPARE(g.DefaultColWidth(), 60);
        QCOMPARE(g.DefaultRowHeight(), 16);
        QVERIFY(g.ScrollBars() == TScrollStyle::ssNone);
        QCOMPARE(g.size(), QSize(206, 72));
        QCOMPARE(g.Delim(), QChar(';'));
        QVERIFY((g.Options() == TxGridOptions{xgoFixedVertLine, xgoFixedHorzLine, xgoVertLine, xgoHorzLine,
                                              xgoRangeSelect, xgoColSizing, xgoEditing}));
        QCOMPARE(g.ColorEditCol(), g.Color());
        QVERIFY(g.PropEdButton() && g.PullDownButton() && g.SpinUpButton() && g.SpinDownButton());
        QCOMPARE(g.PropEdButton()->parentWidget(), &g);
        QCOMPARE(g.PropEdButton()->icon().availableSizes().value(0), QSize(10, 10));
        QCOMPARE(g.SpinUpButton()->icon().availableSizes().value(0), QSize(6, 4));

        QSplitter splitter; // the floating buttons and the list never become sections of a splitter
        splitter.addWidget(new TEntryGrid);
        QCOMPARE(splitter.count(), 1);
    }

    void rebuildFromLines() {
        Fixture f;
        QCOMPARE(f.grid->RowCount(), 8);
        QCOMPARE(f.grid->FieldCount(), 8);
        QCOMPARE(f.grid->Rows(0), (QStringList{"Property", "Value", "Units"}));
        QCOMPARE(f.grid->Rows(2), (QStringList{"Latitude", "0.00", "deg"}));
        QCOMPARE(f.grid->Rows(7), (QStringList{"Day Number", "0.0", ""}));
        QCOMPARE(f.grid->Field(1)->Kind, fk_PropEd);

        f.grid->SetLines({});
        QCOMPARE(f.grid->RowCount(), 2);
        QCOMPARE(f.grid->FieldCount(), 0);
        f.grid->SetLines({"Name; Value; Units; extra"});
        QCOMPARE(f.grid->RowCount(), 1);
        QCOMPARE(f.grid->FixedRows(), 0);
        QCOMPARE(f.grid->FieldCount(), 1);
        f.grid->SetLines(kInputLines); // the header is fixed again
        QCOMPARE(f.grid->FixedRows(), 1);

        f.grid->SetLines({"H", "Height; %0.2f; m; PE"}); // no limits: a text field after a message
        QCOMPARE(f.messages, QStringList{"Error initialising Height"});
        QCOMPARE(f.grid->Cells(1, 1), QString("0.00"));
        QVERIFY(f.commits.isEmpty());
    }

    void cellValues_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("rounds to the format")
            << "A; %0.2f; m; NPE; 0; 0" << QVariant(12.346) << "12.35" << QVariant(12.35);
        QTest::newRow("integer format")
            << "N; %d; ; NPE; 0; 0" << QVariant(12.6) << "13" << QVariant(qlonglong(13));
        QTest::newRow("number as text")
            << "A; %0.1f; ; NPE; 0; 0" << QVariant("2.25") << "2.2" << QVariant(2.2);
        QTest::newRow("not a number empties, empty reads as 0")
            << "A; %0.1f; ; NPE; 0; 0" << QVariant("abc") << "" << QVariant(0.0);
        QTest::newRow("pair") << "P; %0.1f/%0.1f; ; NPE; 0; 0" << QVariant("1.26/3") << "1.3/3.0"
                              << QVariant("1.3/3.0");
        QTest::newRow("pair from one number")
            << "P; %0.1f/%0.1f; ; NPE; 0; 0" << QVariant("4") << "4.0/0.0" << QVariant("4.0/0.0");
        QTest::newRow("enum") << "M; enum; ; Low; Medium; High" << QVariant(1) << "Medium" << QVariant(1);
        QTest::newRow("enum out of range")
            << "M; enum; ; Low; Medium; High" << QVariant(3) << "" << QVariant(-1);
        QTest::newRow("text") << "T; %S; ; NPE" << QVariant("free text") << "free text"
                              << QVariant("free text");
        // Formats with no f, g or s letter format their own value (the grid kept a hidden edit box for
        // them once, which showed the previous text row's value).
        QTest::newRow("exponent format")
            << "E; %0.2E; ; NPE" << QVariant(1234.5) << "1.23E+03" << QVariant(1230.0);
        QTest::newRow("hexadecimal format") << "X; %x; ; NPE" << QVariant(255) << "ff" << QVariant("ff");
        QTest::newRow("upper-case integer format")
            << "D; %D; ; NPE; 0; 0" << QVariant(41.6) << "42" << QVariant(qlonglong(42));
        QTest::newRow("infinity empties")
            << "A; %0.1f; ; NPE; 0; 0" << QVariant(std::numeric_limits<double>::infinity()) << ""
            << QVariant(0.0);
        QTest::newRow("NaN empties") << "A; %0.1f; ; NPE; 0; 0"
                                     << QVariant(std::numeric_limits<double>::quiet_NaN()) << ""
                                     << QVariant(0.0);
        QTest::newRow("pair with infinity empties")
            << "P; %0.1f/%0.1f; ; NPE; 0; 0" << QVariant("inf/1") << "" << QVariant("0.0/0.0");
    }
    void cellValues() {
        QFETCH(QString, line);
        QFETCH(QVariant, stored);
        QFETCH(QString, text);
        QFETCH(QVariant, value);
        Fixture f({"Header", line});
        f.grid->SetCellValue(1, 1, stored);
        QCOMPARE(f.grid->Cells(1, 1), text);
        QCOMPARE(f.grid->GetCellValue(1, 1), value);
        QVERIFY(f.commits.isEmpty());
    }

    void readingTypedText() {
        Fixture f({"H", "A; %0.1f; ; NPE; 0; 0", "P; %0.1f/%0.1f; ; NPE; 0; 0", "M; enum; ; Low; High"});
        f.grid->SetCells(1, 1, " 1 234.5 ");
        QCOMPARE(f.grid->GetCellValue(1, 1), QVariant(1234.5));
        f.grid->SetCells(1, 2, "");
        QCOMPARE(f.grid->GetCellValue(1, 2), QVariant("0.0/0.0"));
        f.grid->SetCells(1, 2, "7");
        QCOMPARE(f.grid->GetCellValue(1, 2), QVariant("7"));
        f.grid->SetCells(1, 3, "Other");
        QCOMPARE(f.grid->GetCellValue(1, 3), QVariant(-1));
        QCOMPARE(f.grid->GetCellValue(0, 3), QVariant("M"));
    }

    // Integer rows read back rounded to the nearest integer (ties to even), not truncated.
    void integerRowsReadRounded_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qlonglong>("value");
        QTest::newRow("2.6") << "2.6" << qlonglong(3);
        QTest::newRow("-2.6") << "-2.6" << qlonglong(-3);
        QTest::newRow("tie to even down") << "2.5" << qlonglong(2);
        QTest::newRow("tie to even up") << "3.5" << qlonglong(4);
    }
    void integerRowsReadRounded() {
        QFETCH(QString, text);
        QFETCH(qlonglong, value);
        Fixture f({"H", "N; %d; ; NPE; 0; 0"});
        f.grid->SetCells(1, 1, text);
        QCOMPARE(f.grid->GetCellValue(1, 1), QVariant(value));
    }

    // A key the row refuses, typed on the grid itself, opens the editor over the selected value and must
    // leave that value alone: Enter then commits it unchanged.
    void strayKeyAtGridLevel_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("letter") << int(Qt::Key_X);
        QTest::newRow("space") << int(Qt::Key_Space);
    }
    void strayKeyAtGridLevel() {
        QFETCH(int, key);
        Fixture f;
        f.grid->SetCellValue(1, 2, -26.13);
        f.Press(1, 2);
        QTest::keyClick(f.grid, Qt::Key(key));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.grid->Cells(1, 2), QString("-26.13"));
        QCOMPARE(f.grid->GetCellValue(1, 2), QVariant(-26.13));
        QCOMPARE(f.beeps, 1);
    }

    // The row's format type governs the cell and the editor alike.
    void formatTypeInCellAndEditor() {
        Fixture f({"H", "A; %0.2f; ; NPE; 0; 0"});
        auto& num = dynamic_cast<TNumField&>(*f.grid->Field(1));
        num.FormatType = ft_Auto;
        f.grid->SetCellValue(1, 1, 1234.5678);
        QCOMPARE(f.grid->Cells(1, 1), QString("1234.6"));
        f.Press(1, 1);
        QTest::keyClicks(f.grid, "0.00123");
        QCOMPARE(f.grid->InplaceEditor()->FormatType(), ft_Auto);
        QTest::keyClick(f.grid->InplaceEditor(), Qt::Key_Return);
        QCOMPARE(f.grid->Cells(1, 1), QString("0.00123")); // "%0.2f" would show 0.00
    }

    // Each number of a pair is checked against the row's limits, the first one too.
    void pairRangeCheck_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("beeps");
        QTest::newRow("first out of range") << "20/5"
                                            << "10.0/5.0" << 1;
        QTest::newRow("second out of range") << "5/20"
                                             << "5.0/10.0" << 1;
        QTest::newRow("both in range") << "5/6"
                                       << "5.0/6.0" << 0;
        QTest::newRow("single number out of range") << "20"
                                                    << "10.0" << 1;
    }
    void pairRangeCheck() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, beeps);
        Fixture f({"H", "P; %0.1f/%0.1f; m; NPE; 0; 10"});
        f.Press(1, 1);
        QTest::keyClicks(f.grid, typed);
        QTest::keyClick(f.grid->InplaceEditor(), Qt::Key_Return);
        QCOMPARE(f.grid->Cells(1, 1), shown);
        QCOMPARE(f.beeps, beeps);
    }

    // A pasted number too long for a double is clamped to the row's limit like any other overshoot.
    void pastedHugeNumberIsClamped() {
        Fixture f({"H", "A; %0.1f; ; NPE; 0; 100"});
        f.Press(1, 1);
        QTest::keyClick(f.grid, Qt::Key_F2);
        QVERIFY(f.Editing());
        QApplication::clipboard()->setText("1" + QString(309, '0'));
        QTest::keyClick(f.grid->InplaceEditor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(f.grid->InplaceEditor(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(f.grid->InplaceEditor(), Qt::Key_Return);
        QCOMPARE(f.grid->Cells(1, 1), QString("100.0"));
        QCOMPARE(f.beeps, 1);
        QCOMPARE(f.grid->GetCellValue(1, 1), QVariant(100.0));
    }

    // Rows dropping away under the open editor commit what was typed first.
    void shrinkingWhileEditingCommits() {
        Fixture f({"H", "A; %0.1f; ; NPE; 0; 0", "B; %0.1f; ; NPE; 0; 0"});
        QString committed;
        f.grid->OnDoSetData = [&](TxCustomGrid*, int c, int r) {
            f.commits << Commit{c, r};
            committed = f.grid->Cells(c, r);
        };
        f.Press(1, 2);
        QTest::keyClicks(f.grid, "7");
        QVERIFY(f.Editing());
        f.grid->SetRowCount(2);
        QVERIFY(!f.Editing());
        QCOMPARE(f.commits, (QList<Commit>{{1, 2}}));
        QCOMPARE(committed, QString("7.0"));
        QCOMPARE(QApplication::focusWidget(), f.grid);
    }

    // Under a comma locale cells show commas, typed commas and points both read, and spinning works.
    void commaLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Fixture f({"H", "A; %0.2f; ; Spin; 0; 10; 0.5", "P; %0.1f/%0.1f; ; NPE; 0; 0"});
        f.grid->SetCellValue(1, 1, 2.346);
        QCOMPARE(f.grid->Cells(1, 1), QString("2,35"));
        QCOMPARE(f.grid->GetCellValue(1, 1), QVariant(2.35));
        f.Press(1, 1);
        QTest::mouseClick(f.grid->SpinUpButton(), Qt::LeftButton);
        QCOMPARE(f.grid->Cells(1, 1), QString("2,50"));
        f.Press(1, 1);
        QTest::keyClicks(f.grid, "1,5");
        QTest::keyClick(f.grid->InplaceEditor(), Qt::Key_Return);
        QCOMPARE(f.grid->Cells(1, 1), QString("1,50"));
        QCOMPARE(f.grid->GetCellValue(1, 1), QVariant(1.5));
        f.grid->SetCellValue(1, 2, "1.25/3");
        QCOMPARE(f.grid->Cells(1, 2), QString("1,2/3,0"));
        QCOMPARE(f.grid->GetCellValue(1, 2), QVariant("1,2/3,0"));
    }

    void spinSteps_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<double>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("shown");
        QTest::newRow("up from 2.5") << "1" << 2.5 << true << "3.00";
        QTest::newRow("up from 2") << "1" << 2.0 << true << "3.00";
        QTest::newRow("down from 2.5") << "1" << 2.5 << false << "2.00";
        QTest::newRow("down from -2.5") << "1" << -2.5 << false << "-3.00";
        QTest::newRow("up from -2.5") << "1" << -2.5 << true << "-2.00";
        QTest::newRow("up clamps to the upper limit") << "1" << 9.5 << true << "10.00";
        QTest::newRow("down clamps to the lower limit") << "1" << -9.9 << false << "-10.00";
        // Decimal steps: 0.3 / 0.1 is just below 3 in binary, which must not hold the value where it is.
        for (const char* start : {"0.3", "0.6", "0.7", "1.2", "2.3"}) {
            const double v = QString(start).toDouble();
            QTest::newRow(qPrintable(QString("0.1 up from %1").arg(start)))
                << "0.1" << v << true << QString::number(v + 0.1, 'f', 2);
            QTest::newRow(qPrintable(QString("0.1 down from %1").arg(start)))
                << "0.1" << v << false << QString::number(v - 0.1, 'f', 2);
        }
        QTest::newRow("0.1 up between multiples") << "0.1" << 0.25 << true << "0.30";
        QTest::newRow("0.05 up from 0.15") << "0.05" << 0.15 << true << "0.20";
        QTest::newRow("step 0 leaves the value") << "0" << 2.5 << true << "2.50";
    }
    void spinSteps() {
        QFETCH(QString, step);
        QFETCH(double, start);
        QFETCH(bool, up);
        QFETCH(QString, shown);
        Fixture f({"H", "S; %0.2f; ; Spin; -10; 10; " + step});
        f.grid->SetCellValue(1, 1, start);
        f.grid->FocusCell(1, 1);
        QTest::mouseClick(up ? f.grid->SpinUpButton() : f.grid->SpinDownButton(), Qt::LeftButton);
        QCOMPARE(f.grid->Cells(1, 1), shown);
        QCOMPARE(f.commits, step == "0" ? QList<Commit>{} : (QList<Commit>{{1, 1}}));
    }

    // From 0, ten steps of 0.1 reach 1: binary rounding must not stop the climb at 0.3.
    void spinClimbsInDecimalSteps() {
        Fixture f({"H", "S; %0.1f; ; Spin; 0; 5; 0.1"});
        f.grid->SetCellValue(1, 1, 0.0);
        f.grid->FocusCell(1, 1);
        for (int i = 0; i < 10; ++i)
            QTest::mouseClick(f.grid->SpinUpButton(), Qt::LeftButton);
        QCOMPARE(f.grid->Cells(1, 1), QString("1.0"));
        QCOMPARE(f.grid->GetCellValue(1, 1).toDouble(), 1.0);
    }

    void spinAtLimitAndOnText() {
        Fixture f({"H", "S; %0.1f; ; Spin; 0; 5; 0.5", "T; %0.1f; ; Spin; 0; 5"});
        f.grid->SetCellValue(1, 1, 5.0);
        f.grid->FocusCell(1, 1);
        f.grid->SpinUp();
        QCOMPARE(f.grid->Cells(1, 1), QString("5.0"));
        QVERIFY(f.commits.isEmpty());
        f.grid->SpinDown();
        QCOMPARE(f.grid->Cells(1, 1), QString("4.5"));

        f.grid->FocusCell(1, 2);
        f.grid->SetCells(1, 2, "x");
        QVERIFY_THROWS_EXCEPTION(EConvertError, f.grid->SpinUp());
        QTest::mouseClick(f.grid->SpinUpButton(), Qt::LeftButton); // the click reports it instead
        QCOMPARE(f.messages, QStringList{"'x' is not a valid floating point value"});
    }

    void buttonsFollowTheCurrentRow() {
        Fixture f({"H", "A; %0.2f; deg; PE; 0; 0", "S; %0.1f; ; Spin; 0; 9", "M; enum; ; a; b",
                   "N; %0.1f; ; NPE; 0; 0"});
        f.Press(1, 1);
        QVERIFY(f.grid->PropEdButton()->isVisible());
        const QRect cell = f.ValueCellIn(f.grid, 1);
        QCOMPARE(f.grid->PropEdButton()->geometry(), QRect(cell.right() + 1 - 16, cell.top(), 16, 16));

        f.Press(1, 2);
        QVERIFY(!f.grid->PropEdButton()->isVisible());
        const QRect spinCell = f.ValueCellIn(f.grid, 2);
        QCOMPARE(f.grid->SpinUpButton()->geometry(), QRect(spinCell.right() + 1 - 16, spinCell.top(), 16, 8));
        QCOMPARE(f.grid->SpinDownButton()->geometry(),
                 QRect(spinCell.right() + 1 - 16, spinCell.top() + 8, 16, 8));

        f.Press(1, 3);
        QVERIFY(f.grid->PullDownButton()->isVisible());
        QVERIFY(!f.grid->SpinUpButton()->isVisible());
        f.Press(0, 3);
        QVERIFY(!f.grid->PullDownButton()->isVisible());
        QVERIFY(!f.grid->PullDownButton()->isEnabled());
        f.Press(1, 4);
        QVERIFY(!f.grid->PullDownButton()->isVisible());

        f.Press(1, 2); // moved again after column sizing
        f.grid->SetColWidths(1, 100);
        const QRect wider = f.ValueCellIn(f.grid, 2);
        QCOMPARE(f.grid->SpinUpButton()->geometry().right(), wider.right());
        f.grid->SetColWidths(0, 20);
        QCOMPARE(f.grid->SpinUpButton()->geometry().right(), f.ValueCellIn(f.grid, 2).right());

        // Opening the editor hides the spin buttons; Enter closes it and selects the cell again.
        QTest::keyClick(f.grid, Qt::Key_Return);
        QVERIFY(f.Editing());
        QVERIFY(!f.grid->SpinUpButton()->isVisible());
        f.grid->SetColWidths(1, 90); // sizing a column while editing leaves them hidden
        QVERIFY(!f.grid->SpinUpButton()->isVisible());
        QTest::keyClick(f.grid->InplaceEditor(), Qt::Key_Return);
        QVERIFY(f.grid->SpinUpButton()->isVisible());
    }

    void buttonsFollowScrollingAndHiding() {
        Fixture f;
        f.grid->resize(207, 4 + 17 * 4); // header and three rows in view
        f.Press(1, 1);
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(f.grid, Qt::Key_Down);
        QCOMPARE(f.grid->Row(), 7);
        QVERIFY(f.grid->TopRow() > 1);
        QVERIFY(f.grid->PropEdButton()->isVisible());
        QCOMPARE(f.grid->PropEdButton()->geometry().top(), f.ValueCellIn(f.grid, 7).top());
        f.grid->SetTopRow(1); // row 7 scrolled out of view: no stray button
        QVERIFY(!f.grid->PropEdButton()->isVisible());
        f.grid->SetTopRow(5);
        QCOMPARE(f.grid->PropEdButton()->geometry().top(), f.ValueCellIn(f.grid, 7).top());
        f.grid->hide();
        QVERIFY(!f.grid->PropEdButton()->isVisible());
        f.grid->show();
        QVERIFY(f.grid->PropEdButton()->isVisible());
    }

    void refusedMoveKeepsButtonsWithCurrentRow() {
        Fixture f;
        f.grid->OnSelectCell = [](TxCustomGrid*, int, int r, bool& can) { can = r != 3; };
        QVariant seen;
        f.grid->SetPropertyEditor(1, [&](QVariant& v) {
            seen = v;
            return 0;
        });
        f.grid->SetCellValue(1, 1, 1665);
        f.Press(1, 1);
        f.Press(1, 3); // refused: row 1 stays current with its button
        QCOMPARE(f.grid->Row(), 1);
        QVERIFY(f.grid->PropEdButton()->isVisible());
        QCOMPARE(f.grid->PropEdButton()->geometry().top(), f.ValueCellIn(f.grid, 1).top());
        QTest::mouseClick(f.grid->PropEdButton(), Qt::LeftButton);
        QCOMPARE(seen, QVariant(1665.0));
    }

    void disabledRowGetsNoButtonNorEditor() {
        Fixture f({"H", "A; %0.2f; deg; PE; 0; 0"});
        f.grid->Field(1)->Enabled = false;
        f.Press(1, 1);
        f.Press(1, 1);
        QVERIFY(!f.grid->PropEdButton()->isVisible());
        QVERIFY(!f.Editing());
    }

    void propertyEditorResults_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("commits");
        QTest::addColumn<bool>("refocused");
        QTest::newRow("1 stores and commits") << 1 << "181.3" << 1 << true;
        QTest::newRow("2 only refocuses") << 2 << "172.5" << 0 << true;
        QTest::newRow("0 does nothing") << 0 << "172.5" << 0 << false;
    }
    void propertyEditorResults() {
        QFETCH(int, result);
        QFETCH(QString, shown);
        QFETCH(int, commits);
        QFETCH(bool, refocused);
        Fixture f;
        QVariant seen;
        f.grid->SetCellValue(1, 7, 172.5);
        f.grid->SetPropertyEditor(7, [&](QVariant& value) {
            seen = value;
            value = 181.26;
            f.other->setFocus();
            return result;
        });
        f.Press(1, 7);
        QTest::mouseClick(f.grid->PropEdButton(), Qt::LeftButton);
        QCOMPARE(seen, QVariant(172.5));
        QCOMPARE(f.grid->Cells(1, 7), shown);
        QCOMPARE(f.commits.size(), commits);
        QCOMPARE(QApplication::focusWidget() == f.grid, refocused);
    }

    void propertyEditorOnMissingRow() {
        Fixture f;
        f.grid->SetPropertyEditor(12, [](QVariant&) { return 1; });
        QCOMPARE(f.messages, QStringList{"Error setting property editor, row 12"});
    }

    void editorUsesRowFormatAndLimits() {
        Fixture f({"H", "A; %0.1f; ; NPE; 0.01; 100", "B; %0.2f; ; NPE; 0; 0"});
        f.Press(1, 1);
        QTest::keyClicks(f.grid, "250");
        QCOMPARE(f.grid->InplaceEditor()->FormatStr(), QString("%0.1f"));
        QTest::keyClick(f.grid->InplaceEditor(), Qt::Key_Down);
        QCOMPARE(f.grid->Cells(1, 1), QString("100.0"));
        QCOMPARE(f.beeps, 1);
        QCOMPARE(f.commits, (QList<Commit>{{1, 1}}));
        QCOMPARE(f.grid->Row(), 2);

        QTest::keyClicks(f.grid, "-5e"); // no range on limits 0 and 0; letters refused
        QCOMPARE(f.beeps, 2);
        f.other->setFocus(); // leaving commits, unchanged or not
        QCOMPARE(f.grid->Cells(1, 2), QString("-5.00"));
        QCOMPARE(f.commits, (QList<Commit>{{1, 1}, {1, 2}}));
    }

    void editorNotInNameUnitsOrEnumCells() {
        Fixture f({"H", "A; %0.1f; m; NPE; 0; 0", "M; enum; ; a; b"});
        for (QPoint cell : {QPoint(0, 1), QPoint(2, 1), QPoint(1, 2)}) {
            f.Press(cell.x(), cell.y());
            f.Press(cell.x(), cell.y());
            QTest::keyClick(f.grid, Qt::Key_F2);
            QVERIFY2(!f.Editing(), qPrintable(QString("cell %1,%2").arg(cell.x()).arg(cell.y())));
        }
        f.Press(1, 1);
        f.Press(1, 1);
        QVERIFY(f.Editing());
    }

    void focusEntryMakesNextPressSelect() {
        Fixture f;
        f.Press(1, 3);
        f.other->setFocus();
        f.Press(1, 3); // the grid gains the focus: select again, show the button
        QVERIFY(!f.Editing());
        f.Press(1, 3);
        QVERIFY(f.Editing());
    }

    void enumCycling() {
        Fixture f({"H", "M; enum; ; Low; Medium; High"});
        f.Press(1, 1);
        QTest::keyClick(f.grid, Qt::Key_Left);
        QCOMPARE(f.grid->Cells(1, 1), QString("High"));
        QTest::keyClick(f.grid, Qt::Key_Right);
        QCOMPARE(f.grid->Cells(1, 1), QString("Low"));
        QTest::mouseDClick(f.grid->viewport(), Qt::LeftButton, {}, f.Center(1, 1));
        QCOMPARE(f.grid->Cells(1, 1), QString("Medium"));
        QCOMPARE(f.commits.size(), 3);
        QCOMPARE(f.grid->Col(), 1);
    }

    void pickListSizeAndPlace_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("itemsHigh");
        QTest::newRow("six items") << "M; enum; ; a; b; c; d; e; f" << 6;
        QTest::newRow("five items") << "M; enum; ; a; b; c; d; e" << 6;
        QTest::newRow("two items") << "M; enum; ; a; b" << 3;
    }
    void pickListSizeAndPlace() {
        QFETCH(QString, line);
        QFETCH(int, itemsHigh);
        Fixture f({"H", line});
        f.Press(1, 1);
        QTest::mouseClick(f.grid->PullDownButton(), Qt::LeftButton);
        TMyListBox* list = f.grid->PickList();
        QVERIFY(list->isVisible());
        QCOMPARE(list->height(), 16 * itemsHigh);
        const int scrollBar = list->count() > 5 ? list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
        QCOMPARE(list->width(), 61 + scrollBar);
        // A popup of its own, placed in screen coordinates: it may reach past the window's edge.
        QVERIFY(list->isWindow());
        const QRect cell = f.ValueCellIn(&f.window, 1);
        QCOMPARE(list->pos(), f.window.mapToGlobal(QPoint(cell.left() + 1, cell.top() + 1 + 16)));
        if (itemsHigh == 6) QVERIFY(list->geometry().bottom() > f.window.geometry().bottom());
        QCOMPARE(QApplication::focusWidget(), list);
        QTest::mouseClick(f.grid->PullDownButton(), Qt::LeftButton); // toggles it away
        QVERIFY(!list->isVisible());
        QCOMPARE(QApplication::focusWidget(), f.grid);
    }

    void pickListGrowsForLongItems() {
        Fixture f({"H", "M; enum; ; short; a rather long choice text; " + QString(60, 'w')});
        f.Press(1, 1);
        f.grid->TogglePickList();
        TMyListBox* list = f.grid->PickList();
        const int chrome =
            2 * list->frameWidth() + 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        const int wide = list->fontMetrics().horizontalAdvance("a rather long choice text") + 8 + chrome;
        QCOMPARE(list->width(), std::max(61, wide)); // the 60-letter item is too wide to count
    }

    void pickListKeyboardAndMouse() {
        Fixture f({"H", "M; enum; ; Low; Medium; High"});
        f.Press(1, 1);
        f.grid->TogglePickList();
        TMyListBox* list = f.grid->PickList();
        QCOMPARE(list->currentRow(), 0);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(f.grid->Cells(1, 1), QString("Medium"));
        QCOMPARE(f.commits, (QList<Commit>{{1, 1}}));
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!list->isVisible());
        QCOMPARE(QApplication::focusWidget(), f.grid);

        f.grid->TogglePickList();
        QCOMPARE(list->currentRow(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(f.grid->Cells(1, 1), QString("High"));
        QVERIFY(!list->isVisible());
        QCOMPARE(QApplication::focusWidget(), f.grid);

        f.grid->TogglePickList(); // Enter closes it and keeps the choice
        QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!list->isVisible());
        QCOMPARE(f.grid->Cells(1, 1), QString("Medium"));
        QCOMPARE(QApplication::focusWidget(), f.grid);

        f.grid->TogglePickList(); // moving the mouse over another cell closes it
        QTest::mouseMove(f.grid->viewport(), f.Center(0, 1));
        QVERIFY(!list->isVisible());
        f.grid->TogglePickList(); // moving over the choice cell keeps it; releasing there closes it
        QTest::mouseMove(f.grid->viewport(), f.Center(1, 1));
        QVERIFY(list->isVisible());
        QTest::mouseRelease(f.grid->viewport(), Qt::LeftButton, {}, f.Center(1, 1));
        QVERIFY(!list->isVisible());
        f.grid->TogglePickList(); // a press on the grid closes it
        f.Press(0, 1);
        QVERIFY(!list->isVisible());
    }

    // The grid hands its focus to the list; focus leaving through the list leaves the grid.
    void pickListFocusLeavingFiresExit() {
        Fixture f({"H", "M; enum; ; Low; Medium; High"});
        int exits = 0;
        f.grid->OnExit = [&](TxCustomGrid*) { ++exits; };
        f.Press(1, 1);
        QTest::mouseClick(f.grid->PullDownButton(), Qt::LeftButton);
        TMyListBox* list = f.grid->PickList();
        QVERIFY(list->isVisible());
        QCOMPARE(exits, 0);
        f.other->setFocus();
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(exits, 1);
    }

    void unitsColumnHook() {
        Fixture f({"H", "L; %0.2f; m; NPE; 0; 0"});
        f.grid->SetCellValue(1, 1, 2.0);
        QList<int> afterRows;
        f.grid->UnitsClick = [](TEntryGrid*, int, int, int, TField& field) {
            auto& num = dynamic_cast<TNumField&>(field);
            num.Factor = 100; // show centimetres
            num.FormatStr = "%0.0f";
        };
        f.grid->OnAfterRightClick = [&](TxCustomGrid*, int row) { afterRows << row; };
        QTest::mouseClick(f.grid->viewport(), Qt::RightButton, {}, f.Center(2, 1));
        QCOMPARE(afterRows, QList<int>{1});
        // The shown number is re-read and re-stored under the changed field: reformatted, not rescaled.
        QCOMPARE(f.grid->Cells(1, 1), QString("2"));
        QCOMPARE(f.grid->GetCellValue(1, 1), QVariant(0.02));
        QCOMPARE(QPoint(f.grid->Col(), f.grid->Row()), QPoint(2, 1));
        QVERIFY(TxCustomGrid::Reselect);
        QVERIFY(f.commits.isEmpty());
        TxCustomGrid::Reselect = false;
    }

    void valueColumnDrawing() {
        Fixture f({"H", "A; %0.1f; m; NPE; 0; 0", "B; %0.1f; m; NPE; 0; 0"});
        f.grid->Field(2)->Enabled = false;
        f.other->setFocus();
        const QImage image = f.grid->viewport()->grab().toImage();
        const QColor white = f.grid->ColorEditCol(), grey = f.grid->Color();
        QCOMPARE(image.pixelColor(f.grid->CellRect(1, 1).bottomRight() - QPoint(1, 1)), white);
        QCOMPARE(image.pixelColor(f.grid->CellRect(0, 1).bottomRight() - QPoint(1, 1)), grey);
        // The current cell (1,1) of an unfocused grid is white, not highlighted; a disabled row is grey text.
        const QColor disabledText = f.grid->palette().color(QPalette::Disabled, QPalette::Text);
        bool greyText = false, blackText = false;
        for (int x = f.grid->CellRect(1, 2).left(); x < f.grid->CellRect(1, 2).right(); ++x)
            for (int y = f.grid->CellRect(1, 2).top(); y < f.grid->CellRect(1, 2).bottom(); ++y) {
                greyText |= image.pixelColor(x, y) == disabledText;
                blackText |= image.pixelColor(x, y) == f.grid->FontColor();
            }
        QVERIFY(greyText);
        QVERIFY(!blackText);
    }

    void renderPropertyList() {
        Fixture f;
        const double values[] = {1665, -26.13, 28.23, 30, 0, 90, 172.5};
        for (int r = 1; r <= 7; ++r)
            f.grid->SetCellValue(1, r, values[r - 1]);
        f.Press(1, 5);
        const QImage picture = f.window.grab().toImage();
        SaveImage(picture, QStringLiteral("entrygrid-property-list"));
        f.Press(1, 2);
        f.Press(1, 2);
        QVERIFY(f.Editing());
        QImage editing = f.window.grab().toImage();
        SaveImage(editing.scaled(editing.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation),
                  QStringLiteral("entrygrid-editing-x3"));
        // An enlarged copy for looking at single pixels.
        SaveImage(picture.scaled(picture.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation),
                  QStringLiteral("entrygrid-property-list-x3"));
        f.grid->TogglePickList(); // no pick list on a numeric row
        QVERIFY(!f.grid->PickList()->isVisible());
    }

    void renderButtonsAndPickList() {
        Fixture f({"Property; Value; Units", "Colour; enum; ; Light; Medium; Dark; Very dark; Black; White",
                   "Count; %0.0f; ; Spin; 0; 10", "Ratio; %0.2f; ; NPE; 0; 0"});
        f.window.resize(260, 160);
        f.Press(1, 2);
        QImage spin = f.window.grab().toImage();
        SaveImage(spin.scaled(spin.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation),
                  QStringLiteral("entrygrid-spin-x3"));
        f.Press(1, 1);
        QTest::mouseClick(f.grid->PullDownButton(), Qt::LeftButton);
        TMyListBox* pick = f.grid->PickList();
        QVERIFY(pick->isVisible());
        // The list is a popup window of its own: draw it over the window where the screen shows it.
        const QRect listRect(f.window.mapFromGlobal(pick->pos()), pick->size());
        const QRect all = f.window.rect().united(listRect);
        QImage list(all.size(), QImage::Format_ARGB32);
        list.fill(Qt::darkGray);
        QPainter painter(&list);
        painter.drawPixmap(-all.topLeft(), f.window.grab());
        painter.drawPixmap(listRect.topLeft() - all.topLeft(), pick->grab());
        painter.end();
        SaveImage(list.scaled(list.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation),
                  QStringLiteral("entrygrid-picklist-x3"));
    }
};

QTEST_MAIN(TestEntryGrid)
#include "tst_entrygrid.moc"
