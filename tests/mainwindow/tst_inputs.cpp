// What the main window shows is what it uses: the glass boxes, the property list's cells (keys held
// with Alt, emptied and unreadable values, physical ranges) and project files with values no site can
// have. Everything is typed on the window as a user types it.
#include "../common/ModalAnswer.h"
#include "../common/ProjectBytes.h"
#include "app/Main.h"
#include "controls/TxFmtEdit.h"
#include "controls/TxGrids.h"
#include "storage/Folders.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

struct Window {
    TMainForm form;
    Window() {
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
    TxStringGrid* Grid() { return form.Grid(); }
    // The property list with its current cell on the value of a row, the editor closed.
    void GoToRow(int row) {
        Grid()->setFocus();
        QTest::keyClick(Grid(), Qt::Key_PageUp);
        for (int r = 1; r < row; ++r)
            QTest::keyClick(Grid(), Qt::Key_Down);
        QCOMPARE(Grid()->Row(), row);
        QCOMPARE(Grid()->Col(), 1);
    }
    QString Cell(int row) { return Grid()->Cells(1, row); }
};

// The text of the message box that act leads to; empty when none showed.
QString MessageOf(const std::function<void()>& act) {
    return AnswerMessage(act, 200).Text;
}

int CountBeeps(const std::function<void()>& act) {
    int beeps = 0;
    const auto old = SetBeepHook([&] { ++beeps; });
    act();
    SetBeepHook(old);
    return beeps;
}

} // namespace

class TestInputs : public QObject {
    Q_OBJECT
private slots:
    // The boxes show centimetres, and the value used is always the value shown: the start values, a
    // typed depth of 0.15 m, and a height typed after a clamp.
    void glassBoxesUseWhatTheyShow() {
        Window w;
        w.form.Pages()->setCurrentIndex(pgWindow);
        auto* height = w.form.findChild<QLineEdit*>("GlassHeightEdit");
        auto* depth = w.form.findChild<QLineEdit*>("GlassDepthEdit");
        QVERIFY(height && depth);
        QCOMPARE(height->text(), QString("1.25"));
        QCOMPARE(depth->text(), QString("0.15"));

        depth->setFocus(Qt::TabFocusReason);
        QTest::keyClick(depth, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(depth, "0.3");
        QTest::keyClick(depth, Qt::Key_Tab);
        QCOMPARE(w.form.Document().GlassDepth(), 0.3);
        depth->setFocus(Qt::TabFocusReason);
        QTest::keyClick(depth, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(depth, "0.15");
        QTest::keyClick(depth, Qt::Key_Tab);
        QCOMPARE(depth->text(), QString("0.15"));
        QCOMPARE(w.form.Document().GlassDepth(), 0.15);
        // A letter held with Alt is not typed.
        depth->setFocus(Qt::TabFocusReason);
        depth->deselect();
        QTest::keyClick(depth, Qt::Key_X, Qt::AltModifier);
        QCOMPARE(depth->text(), QString("0.15"));

        height->setFocus(Qt::TabFocusReason);
        QTest::keyClick(height, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(height, "101");
        QCOMPARE(CountBeeps([&] { QTest::keyClick(height, Qt::Key_Tab); }), 1);
        QCOMPARE(height->text(), QString("100.00")); // clamped, and the focus stays
        QTRY_COMPARE(QApplication::focusWidget(), height);
        QTest::keyClick(height, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(height, "1.25");
        QTest::keyClick(height, Qt::Key_Tab);
        QCOMPARE(height->text(), QString("1.25"));
        QCOMPARE(w.form.Document().GlassHeight(), 1.25);
        QCOMPARE(w.form.StatusText(), QString("Solved...")); // glass edits leave the state alone
    }

    // An emptied box or one holding no number is refused with the message the property list gives,
    // whether Return or Tab ends the edit, and shows the value the document holds, which is unchanged.
    void refusedGlassValueKeepsTheDocumentsValue_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");
        QTest::newRow("depth emptied, Return") << "GlassDepthEdit"
                                               << "" << int(Qt::Key_Return) << "0.15";
        QTest::newRow("depth emptied, Tab") << "GlassDepthEdit"
                                            << "" << int(Qt::Key_Tab) << "0.15";
        QTest::newRow("height pasted text, Return") << "GlassHeightEdit"
                                                    << "1,2,5" << int(Qt::Key_Return) << "1.25";
    }
    void refusedGlassValueKeepsTheDocumentsValue() {
        QFETCH(QString, box);
        QFETCH(QString, pasted);
        QFETCH(int, key);
        QFETCH(QString, shown);
        Window w;
        w.form.Pages()->setCurrentIndex(pgWindow);
        auto* edit = w.form.findChild<QLineEdit*>(box);
        QVERIFY(edit);
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QString());
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), pasted);
        TAnsweredMessage seen;
        QCOMPARE(CountBeeps([&] { seen = AnswerMessage([&] { QTest::keyClick(edit, Qt::Key(key)); }); }), 1);
        QVERIFY(seen.Answered);
        QCOMPARE(seen.Text, QStringLiteral("'%1' is not a valid floating point value").arg(pasted));
        QCOMPARE(edit->text(), shown);
        QCOMPARE(w.form.Document().GlassHeight(), 1.25);
        QCOMPARE(w.form.Document().GlassDepth(), 0.15);
        QCOMPARE(w.form.StatusText(), QString("Solved..."));
    }

    // A value with finer digits than the box shows (from the settings) is used as shown.
    void glassValueTakesItsShownDigits() {
        Window w;
        w.form.Document().SetGlassWidth(2.345);
        w.form.Pages()->setCurrentIndex(pgWindow);
        auto* width = w.form.findChild<QLineEdit*>("GlassWidthEdit");
        QCOMPARE(width->text(), QString("2.35"));
        QCOMPARE(w.form.Document().GlassWidth(), width->text().toDouble());
    }

    // A key held with Alt is never typed into a cell, whether the cell's editor is open or not, and the
    // menus still open by their letters while a cell is edited.
    void altLettersAreNotTyped() {
        Window w;
        w.GoToRow(2);
        QTest::keyClicks(w.Grid(), "28.2");
        QLineEdit* editor = w.Grid()->InplaceEditor();
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->text(), QString("28.2"));
        for (Qt::Key key : {Qt::Key_X, Qt::Key_Z, Qt::Key_4})
            QTest::keyClick(editor, key, Qt::AltModifier);
        QCOMPARE(editor->text(), QString("28.2"));

        QTest::keyClick(editor, Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QCOMPARE(static_cast<QMenu*>(QApplication::activePopupWidget())->title(), QString("&Edit"));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(editor->text(), QString("28.2"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(w.form.Document().Latitude(), 28.2);

        // With the editor closed an Alt letter opens nothing.
        QTest::keyClick(w.Grid(), Qt::Key_X, Qt::AltModifier);
        QVERIFY(!editor->isVisible());
        QCOMPARE(w.Cell(2), QString("28.20"));
    }

    // A cell committed empty, unreadable or outside its input's range is refused with a message; the
    // cell shows the document's value again, which is unchanged, and the results stay current.
    void refusedValuesKeepTheDocumentsValue_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("emptied latitude") << 2 << ""
                                          << "'' is not a valid floating point value";
        QTest::newRow("latitude 999") << 2 << "999"
                                      << "Latitude 999.00 lies outside -90 to 90";
        QTest::newRow("latitude -90.5") << 2 << "-90.5"
                                        << "Latitude -90.50 lies outside -90 to 90";
        QTest::newRow("longitude 181") << 3 << "181"
                                       << "Longitude 181.00 lies outside -180 to 180";
        QTest::newRow("zone 211") << 4 << "211"
                                  << "Time Zone 211.00 lies outside -180 to 210";
        QTest::newRow("slope 181") << 6 << "181"
                                   << "Slope 181.00 lies outside 0 to 180";
        // Pasted, as the box takes no exponent from the keys.
        QTest::newRow("day 1e20 pasted") << 7 << "1e20"
                                         << "Day Number 100000000000000000000.0 lies outside 1 to under 367";
        QTest::newRow("day 367") << 7 << "367"
                                 << "Day Number 367.0 lies outside 1 to under 367";
        QTest::newRow("day 0") << 7 << "0"
                               << "Day Number 0.0 lies outside 1 to under 367";
        QTest::newRow("altitude 9001") << 1 << "9001"
                                       << "Barometer 9001 lies outside -500 to 9000";
    }
    void refusedValuesKeepTheDocumentsValue() {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Window w;
        const TInputId id = TInputId(row - 1);
        const double before = w.form.Document().Input(id);
        const QString shown = w.Cell(row);
        w.GoToRow(row);
        QTest::keyClick(w.Grid(), Qt::Key_F2);
        QLineEdit* editor = w.Grid()->InplaceEditor();
        QVERIFY(editor && editor->isVisible());
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        if (typed.contains('e')) {
            QGuiApplication::clipboard()->setText(typed);
            QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        } else if (!typed.isEmpty()) {
            QTest::keyClicks(editor, typed);
        }
        QCOMPARE(MessageOf([&] { QTest::keyClick(editor, Qt::Key_Return); }), message);
        QCOMPARE(w.form.Document().Input(id), before);
        QCOMPARE(w.Cell(row), shown);
        QCOMPARE(w.form.StatusText(), QString("Solved..."));
        QTest::keyClick(&w.form, Qt::Key_F9);
        QCOMPARE(w.form.Document().Input(id), before);
    }

    // Values at the ends of the ranges are taken; the azimuth is brought into -180..180.
    void valuesWithinTheirRanges_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        QTest::newRow("latitude -90") << 2 << "-90" << -90.0;
        QTest::newRow("zone 210") << 4 << "210" << 210.0;
        QTest::newRow("day 366.9") << 7 << "366.9" << 366.9;
        QTest::newRow("altitude -500") << 1 << "-500" << -500.0;
        QTest::newRow("azimuth 225") << 5 << "225" << -135.0;
        QTest::newRow("azimuth -540") << 5 << "-540" << 180.0;
    }
    void valuesWithinTheirRanges() {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        Window w;
        w.GoToRow(row);
        QCOMPARE(MessageOf([&] {
                     QTest::keyClicks(w.Grid(), typed);
                     QTest::keyClick(w.Grid()->InplaceEditor(), Qt::Key_Return);
                 }),
                 QString());
        QCOMPARE(w.form.Document().Input(TInputId(row - 1)), stored);
        QCOMPARE(w.Cell(row).toDouble(), stored);
        QCOMPARE(w.form.StatusText(), QString("Results are out of date..."));
    }

    // A file whose bytes give a value no site can have opens with a message naming it and changes
    // nothing; a good file's azimuth is brought into -180..180.
    void projectFileValuesChecked_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("azimuth");
        QTest::addColumn<QString>("message");
        QTest::newRow("latitude 999")
            << 999.0 << 0.0 << "Error loading file...\nLatitude 999 lies outside -90 to 90";
        QTest::newRow("good, azimuth 270") << 51.5 << 270.0 << "";
    }
    void projectFileValuesChecked() {
        QFETCH(double, latitude);
        QFETCH(double, azimuth);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QFile file(dir.filePath("site.qvx"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ProjectFileBytes({1700, latitude, 28.23, 30, azimuth, 90, 172.5}));
        file.close();
        Window w;
        const TInputSet before = w.form.Document().CopyInputs();
        w.form.Document().SetFileName(dir.filePath("Noname.qvx"));
        const QString shown = MessageOf([&] {
            AnswerFileDialog([&] { QTest::keyClick(&w.form, Qt::Key_O, Qt::ControlModifier); }, "site.qvx");
        });
        QCOMPARE(shown, message);
        if (message.isEmpty()) {
            QCOMPARE(w.form.Document().Latitude(), latitude);
            QCOMPARE(w.form.Document().Azimuth(), -90.0);
            QCOMPARE(w.form.PlaceText(), QString("site.qvx"));
        } else {
            QCOMPARE(w.form.Document().Latitude(), before.Latitude);
            QCOMPARE(w.form.Document().Azimuth(), before.Azimuth);
            QCOMPARE(w.form.StatusText(), QString("Solved..."));
        }
    }

    // Ctrl+C in a page's box copies the page when the box has no text selected, else the selection.
    void copyKeyInPageBoxes() {
        Window w;
        w.form.Pages()->setCurrentIndex(pgLocal);
        QLineEdit* time = nullptr;
        for (QLineEdit* e : w.form.Pages()->widget(pgLocal)->findChildren<QLineEdit*>())
            if (!e->isReadOnly()) time = e;
        QVERIFY(time);
        time->setFocus(Qt::TabFocusReason);
        time->deselect();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(time, Qt::Key_C, Qt::ControlModifier);
        QVERIFY2(QGuiApplication::clipboard()->text().startsWith("Sunrise "),
                 qPrintable(QGuiApplication::clipboard()->text()));
        time->selectAll();
        QTest::keyClick(time, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), time->text());

        w.form.Pages()->setCurrentIndex(pgWindow);
        auto* depth = w.form.findChild<QLineEdit*>("GlassDepthEdit");
        depth->setFocus(Qt::TabFocusReason);
        depth->deselect();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(depth, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text().count(','), 23); // the 24 sunlit fractions
    }

    // After an edit the lists and the plot are greyed until the next solve.
    void outOfDateResultsGreyed() {
        Window w;
        auto greyed = [&](QWidget* widget) {
            return widget->palette().color(QPalette::Active, QPalette::Text) ==
                   QApplication::palette(widget).color(QPalette::Disabled, QPalette::Text);
        };
        w.form.Pages()->setCurrentIndex(pgPlot);
        QWidget* plot = w.form.Pages()->currentWidget()->findChild<QWidget*>();
        w.form.Pages()->setCurrentIndex(pgAngles);
        QVERIFY(!greyed(w.form.AnglesList()));
        QVERIFY(!plot->graphicsEffect());
        w.GoToRow(2);
        QTest::keyClicks(w.Grid(), "10");
        QTest::keyClick(w.Grid()->InplaceEditor(), Qt::Key_Return);
        QCOMPARE(w.form.StatusText(), QString("Results are out of date..."));
        for (QWidget* list : {w.form.AnglesList(), w.form.SolarList(), w.form.SolAirList()})
            QVERIFY(greyed(list));
        QVERIFY(plot->graphicsEffect());
        QTest::keyClick(&w.form, Qt::Key_F9);
        QVERIFY(!greyed(w.form.AnglesList()));
        QVERIFY(!plot->graphicsEffect());
    }

    // Save and Open start in the documents folder, not the program's; Save As (Ctrl+Shift+S) names a
    // file, after which Ctrl+S writes it without asking and Open starts in its folder.
    void saveAsThenSave() {
        QTemporaryDir dir;
        Window w;
        QCOMPARE(QFileInfo(w.form.Document().FileName()).absolutePath() + "/", MyDocumentsFolder());
        // The documents folder of the test run may not exist; the dialogs start in the temporary one.
        w.form.Document().SetFileName(dir.filePath("Noname.qvx"));
        const QString path = dir.filePath("job.qvx");
        const auto saveAs = [&] {
            QTest::keyClick(&w.form, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        };
        QCOMPARE(AnswerFileDialog(saveAs, "job.qvx"), QFileInfo(dir.path()).absoluteFilePath());
        QVERIFY(QFile::exists(path));
        QCOMPARE(w.form.PlaceText(), QString("job.qvx"));
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));

        w.GoToRow(2);
        QTest::keyClicks(w.Grid(), "12");
        QTest::keyClick(w.Grid()->InplaceEditor(), Qt::Key_Return);
        QCOMPARE(w.form.Document().Latitude(), 12.0);
        QTest::keyClick(&w.form, Qt::Key_S, Qt::ControlModifier); // no dialog
        QVERIFY(!QApplication::activeModalWidget());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), ProjectFileBytes({1700, 12, 28.23, 30, 0, 0, 172.5}));

        const auto open = [&] { QTest::keyClick(&w.form, Qt::Key_O, Qt::ControlModifier); };
        QCOMPARE(AnswerFileDialog(open, "job.qvx"), QFileInfo(dir.path()).absoluteFilePath());
    }

    // The folder of the last project read or written is kept in the settings: a program started later,
    // while the first still runs or after it closed, opens and saves there; once that folder is gone,
    // the documents folder again.
    void projectFolderKeptForTheNextRun() {
        auto dir = std::make_unique<QTemporaryDir>();
        const QString folder = QFileInfo(dir->path()).absoluteFilePath();
        const auto open = [](Window& w) { QTest::keyClick(&w.form, Qt::Key_O, Qt::ControlModifier); };
        const auto saveAs = [](Window& w) {
            QTest::keyClick(&w.form, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        };
        {
            Window first;
            first.form.Document().SetFileName(dir->filePath("Noname.qvx")); // as if browsed to
            AnswerFileDialog([&] { saveAs(first); }, "job.qvx");
            QVERIFY(QFile::exists(dir->filePath("job.qvx")));
            Window second;
            QCOMPARE(AnswerFileDialog([&] { open(second); }, "job.qvx"), folder);
            QCOMPARE(second.form.PlaceText(), QString("job.qvx"));
        }
        {
            Window third;
            QCOMPARE(AnswerFileDialog([&] { saveAs(third); }, "other.qvx"), folder);
            QVERIFY(QFile::exists(dir->filePath("other.qvx")));
        }
        dir.reset();
        Window fourth;
        QCOMPARE(QFileInfo(fourth.form.Document().FileName()).absolutePath() + "/", MyDocumentsFolder());
    }
};

QTEST_MAIN(TestInputs)
#include "tst_inputs.moc"
