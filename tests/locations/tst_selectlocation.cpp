// The location dialog driven as a user would: databases, regions, places, messages and remembered choices.
#include "LocationFixture.h"
#include "controls/TxGrids.h"
#include "locations/LocationDb.h"
#include "locations/TxSelectLocation.h"
#include "storage/Settings.h"
#include "tests/common/TestPaths.h"

#include <sys/stat.h>

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <limits>
#include <memory>

namespace {

// The sample database with climate values on Ashford, and "Gone" listed in the index without a file.
void WriteDialogDatabase(const TLocationFixture& f) {
    WriteSampleDatabase(f);
    f.WriteIndex(QByteArray(SampleIndex()) + "[Gone]\r\n+All=0\r\nNowhere=1\r\n[Empty]\r\n+All=0\r\n");
    f.WriteRecords("Empty.qdb", {});
}

void Remember(const QString& database, const QString& region = {}, const QString& place = {}) {
    TSettingsStore s("SelectLocationForm");
    s.WriteString("Database", database);
    s.WriteString("Region", region);
    s.WriteString("Place", place);
}

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QStringList Places(const QListView* list) {
    QStringList items;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        items << list->model()->index(i, 0).data().toString();
    return items;
}

QString Selected(const QListView* list) {
    return list->currentIndex().data().toString();
}

// Chooses an entry from the box's drop-down list with the mouse, as a user does.
void Choose(QComboBox* box, const QString& text) {
    const int target = box->findText(text);
    QVERIFY2(target >= 0, qPrintable(text));
    box->showPopup();
    QAbstractItemView* view = box->view();
    QTRY_VERIFY(view->isVisible());
    const QRect rect = view->visualRect(view->model()->index(target, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(box->currentIndex(), target);
}

QRect PlaceRect(QListView* list, int row) {
    return list->visualRect(list->model()->index(row, 0));
}
void ClickPlace(QListView* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, PlaceRect(list, row).center());
}

// Shows the form and makes it the active window, so that its shortcuts and focus work.
void ShowActive(QWidget* form) {
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
}

// True when the panel shows its whole text, measured with the panel's own font.
bool TextFits(const QLabel* panel) {
    return panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width();
}

// Two places named Albany in different databases, a third in another region of the first, and
// duplicates of Ashford; "+All" holds them all, Lakes first.
void WriteDuplicateDatabase(const TLocationFixture& f) {
    f.WriteIndex(SampleIndex());
    const std::vector<LocationRecord> lakes = {Place(7, 4, "Albany", 1), Place(7, 3, "Albany", 3),
                                               Place(7, 3, "Ashford", 4)};
    const std::vector<LocationRecord> hills = {Place(2, 3, "Albany", 2), Place(2, 3, "Ashford", 5)};
    f.WriteRecords("Lakes.qdb", lakes);
    f.WriteRecords("Hills.qdb", hills);
    std::vector<LocationRecord> all = lakes;
    all.insert(all.end(), hills.begin(), hills.end());
    f.WriteRecords("+All.qdb", all);
}

// A dialog on the fixture's folder whose messages are collected.
struct Dialog {
    explicit Dialog(const TLocationFixture& f, QWidget* parent = nullptr) : form(parent, f.Folder()) {
        form.ShowMessage = [this](const QString& text) { messages << text; };
    }
    QString Value(int row) const { return form.SummaryGrid()->Cells(1, row); }
    TSelectLocationForm form;
    QStringList messages;
};

// The dialog on the dialog database, shown with a remembered database and a preset location.
struct ShownDialog {
    ShownDialog(const QString& database, const QString& preset) {
        WriteDialogDatabase(fixture);
        Remember(database);
        dialog = std::make_unique<Dialog>(fixture);
        dialog->form.PresetLocation(preset);
        dialog->form.show();
    }
    TLocationFixture fixture;
    std::unique_ptr<Dialog> dialog;
};

} // namespace

class TestSelectLocation : public QObject {
    Q_OBJECT
private slots:
    void init() { Remember({}); }

    void showingReselectsThePresetPlace() {
        ShownDialog shown("lakes", "Ashford, North");
        Dialog& d = *shown.dialog;
        QCOMPARE(d.form.windowTitle(), QString("Select Location"));
        QCOMPARE(Items(d.form.DatabaseBox()), QStringList({"+All", "Empty", "Gone", "Hills", "Lakes"}));
        QCOMPARE(d.form.DatabaseBox()->currentText(), QString("Lakes"));
        QCOMPARE(Items(d.form.RegionBox()), QStringList({"+All", "North", "South"}));
        QCOMPARE(d.form.RegionBox()->currentText(), QString("North"));
        QCOMPARE(Places(d.form.PlaceList()), QStringList({"Ashford", "Ashford"}));
        QCOMPARE(d.form.StatusText(0), QString("Record 1 of 5"));
        QCOMPARE(d.form.StatusText(1), QString("Ashford, North"));
        QCOMPARE(d.form.PickedName(), QString("Ashford, North"));
        QCOMPARE(d.form.SummaryGrid()->Cells(0, 0), QString("Latitude"));
        QCOMPARE(d.Value(0), QString("26.13S"));
        QCOMPARE(d.Value(1), QString("28.23E"));
        QCOMPARE(d.Value(2), QString("30E"));
        QVERIFY(d.messages.isEmpty());
    }

    void presetTokensChooseRegionAndPlace_data() {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("place");
        QTest::newRow("place and region") << "Cove, South"
                                          << "South"
                                          << "Cove";
        QTest::newRow("blank before the comma is not found") << "Cove , South"
                                                             << "South"
                                                             << "brook";
        QTest::newRow("place alone: first region") << "Cove"
                                                   << "+All"
                                                   << "Cove";
        QTest::newRow("unknown region: first region, all places") << "Unfiled, Nowhere"
                                                                  << "+All"
                                                                  << "Unfiled";
        QTest::newRow("found without regard to case") << "COVE, south"
                                                      << "South"
                                                      << "Cove";
    }
    void presetTokensChooseRegionAndPlace() {
        QFETCH(QString, preset);
        QFETCH(QString, region);
        QFETCH(QString, place);
        ShownDialog shown("Lakes", preset);
        Dialog& d = *shown.dialog;
        QCOMPARE(d.form.RegionBox()->currentText(), region);
        QCOMPARE(Selected(d.form.PlaceList()), place);
    }

    void userChoosesDatabaseRegionAndPlace() {
        ShownDialog shown("Lakes", "Cove, South");
        Dialog& d = *shown.dialog;

        Choose(d.form.DatabaseBox(), "+All");
        QCOMPARE(Items(d.form.RegionBox()), QStringList({"+All", "Hills", "Lakes"}));
        Choose(d.form.RegionBox(), "Hills");
        QCOMPARE(Places(d.form.PlaceList()), QStringList({"Base", "Summit"}));
        ClickPlace(d.form.PlaceList(), 1);
        QCOMPARE(d.form.StatusText(0), QString("Record 6 of 7"));
        QCOMPARE(d.form.PickedName(), QString("Summit, Hills"));

        Choose(d.form.RegionBox(), "+All");
        QCOMPARE(Places(d.form.PlaceList()).size(), 7);
        ClickPlace(d.form.PlaceList(), Places(d.form.PlaceList()).indexOf("Summit"));
        QCOMPARE(d.form.PickedName(), QString("Summit, Ridge")); // its region in its own database

        // A database without places leaves the list empty and the last place on show.
        Choose(d.form.DatabaseBox(), "Empty");
        QVERIFY(Places(d.form.PlaceList()).isEmpty());
        QCOMPARE(d.form.StatusText(1), QString("Summit, Ridge"));
        QCOMPARE(d.form.Record().PlaceName, QString("Summit"));
        QVERIFY(d.messages.isEmpty());
    }

    void missingDatabaseKeepsTheWorkingLists() {
        ShownDialog shown("Lakes", "Ashford, South");
        Dialog& d = *shown.dialog;
        const QStringList places = Places(d.form.PlaceList());

        Choose(d.form.DatabaseBox(), "Gone");
        QCOMPARE(d.messages, QStringList({"The Gone Database has not been installed...\r\n"
                                          "Please install the Varnholt Terralog Database."}));
        QCOMPARE(Items(d.form.RegionBox()), QStringList({"+All", "North", "South"}));
        QCOMPARE(Places(d.form.PlaceList()), places);

        Choose(d.form.RegionBox(), "North"); // still looked up in the working database
        QCOMPARE(Places(d.form.PlaceList()), QStringList({"Ashford", "Ashford"}));
        ClickPlace(d.form.PlaceList(), 1);
        QCOMPARE(d.form.StatusText(0), QString("Record 3 of 5"));
        QCOMPARE(d.messages.size(), 1);
    }

    void missingIndexReportsAnUnnamedDatabase() {
        TLocationFixture f;
        Dialog d(f);
        d.form.show();
        QCOMPARE(d.messages, QStringList({"The  Database has not been installed...\r\n"
                                          "Please install the Varnholt Terralog Database."}));
        QCOMPARE(d.form.DatabaseBox()->count(), 0);
        d.form.PresetLocation("Kept, Name");
        d.form.AcceptButton()->click();
        QCOMPARE(d.form.result(), int(QDialog::Rejected)); // nothing was shown, so nothing is handed back
    }

    void vanishedRememberedDatabaseSelectsNothing() {
        ShownDialog shown("Vanished", "Cove, South");
        Dialog& d = *shown.dialog;
        QCOMPARE(d.form.DatabaseBox()->currentIndex(), -1);
        QCOMPARE(d.messages, QStringList({"The  Database has not been installed...\r\n"
                                          "Please install the Varnholt Terralog Database."}));
        Choose(d.form.DatabaseBox(), "Hills"); // the user picks another one
        QCOMPARE(Places(d.form.PlaceList()), QStringList({"Base", "Summit"}));
        QCOMPARE(d.form.PickedName(), QString("Base, Hills"));
    }

    void badRecordFileIsReportedAndTheDialogStays() {
        TLocationFixture f;
        WriteDialogDatabase(f);
        QVERIFY(QDir(f.Folder()).mkdir("Broken.qdb")); // exists, but cannot be read as a file
        f.WriteIndex(QByteArray(SampleIndex()) + "[Broken]\r\n+All=0\r\n");
        Remember("Lakes");
        Dialog d(f);
        d.form.show();
        Choose(d.form.DatabaseBox(), "Broken");
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.form.isVisible());
        QVERIFY(Places(d.form.PlaceList()).isEmpty());
    }

    void closingHandsBackAndRemembers() {
        ShownDialog shown("Lakes", "Cove, South");
        Dialog& d = *shown.dialog;
        ClickPlace(d.form.PlaceList(), 0);
        QTest::mouseDClick(d.form.PlaceList()->viewport(), Qt::LeftButton, {},
                           PlaceRect(d.form.PlaceList(), 0).center());
        QVERIFY(!d.form.isVisible());
        QCOMPARE(d.form.result(), int(QDialog::Accepted));
        QCOMPARE(d.form.PickedName(), QString("brook, South"));
        QCOMPARE(d.form.Record(), LakesRecords()[1]);
        const TSettingsStore s("SelectLocationForm");
        QCOMPARE(s.ReadString("Database", ""), QString("Lakes"));
        QCOMPARE(s.ReadString("Region", ""), QString("South"));
        QCOMPARE(s.ReadString("Place", ""), QString("brook"));

        // Shown again: the same choices come back; Cancel closes with Cancel.
        d.form.show();
        QCOMPARE(Selected(d.form.PlaceList()), QString("brook"));
        d.form.CancelButton()->click();
        QCOMPARE(d.form.result(), int(QDialog::Rejected));

        d.form.show();
        ClickPlace(d.form.PlaceList(), 1);
        d.form.AcceptButton()->click();
        QCOMPARE(d.form.result(), int(QDialog::Accepted));
        QCOMPARE(d.form.PickedName(), QString("Cove, South"));
    }

    // Every command from the keyboard: Alt+A and Return accept, Alt+C and Escape cancel, Tab reaches
    // the buttons and Return or Space runs the focused one.
    void keyboardRunsEveryCommand_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("result");
        QTest::newRow("Alt+A") << "alt+a" << int(QDialog::Accepted);
        QTest::newRow("Alt+C") << "alt+c" << int(QDialog::Rejected);
        QTest::newRow("Return on the place") << "return" << int(QDialog::Accepted);
        QTest::newRow("Escape") << "escape" << int(QDialog::Rejected);
        QTest::newRow("Tab to Accept, Space") << "tab space" << int(QDialog::Accepted);
        QTest::newRow("Tab Tab to Cancel, Return") << "tab tab return" << int(QDialog::Rejected);
    }
    void keyboardRunsEveryCommand() {
        QFETCH(QString, keys);
        QFETCH(int, result);
        ShownDialog shown("Lakes", "Cove, South");
        Dialog& d = *shown.dialog;
        ShowActive(&d.form);
        d.form.PlaceList()->setFocus();
        QTest::keyClick(d.form.PlaceList(), Qt::Key_Up); // brook, above Cove
        for (const QString& key : keys.split(' ')) {
            QWidget* target = QApplication::focusWidget();
            if (key == "alt+a") QTest::keyClick(target, Qt::Key_A, Qt::AltModifier);
            if (key == "alt+c") QTest::keyClick(target, Qt::Key_C, Qt::AltModifier);
            if (key == "return") QTest::keyClick(target, Qt::Key_Return);
            if (key == "escape") QTest::keyClick(target, Qt::Key_Escape);
            if (key == "tab") QTest::keyClick(target, Qt::Key_Tab);
            if (key == "space") QTest::keyClick(target, Qt::Key_Space);
        }
        QVERIFY(!d.form.isVisible());
        QCOMPARE(d.form.result(), result);
        if (result == QDialog::Accepted) QCOMPARE(d.form.PickedName(), QString("brook, South"));
    }

    void tabOrderReachesTheButtons() {
        ShownDialog shown("Lakes", "Cove, South");
        Dialog& d = *shown.dialog;
        ShowActive(&d.form);
        d.form.DatabaseBox()->setFocus();
        const QList<QWidget*> order = {d.form.RegionBox(), d.form.PlaceList(), d.form.AcceptButton(),
                                       d.form.CancelButton(), d.form.DatabaseBox()};
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    // A place whose name has a duplicate in "+All" is re-selected by its region too.
    void samePlaceComesBackAmongDuplicates_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("region");
        QTest::addColumn<int>("row"); // of the place to pick among the sorted places
        QTest::addColumn<QString>("picked");
        QTest::addColumn<float>("latitude");
        QTest::newRow("+All, second Albany") << "+All"
                                             << "+All" << 1 << "Albany, North" << 3.0f;
        QTest::newRow("+All, third Albany") << "+All"
                                            << "+All" << 2 << "Albany, Ridge" << 2.0f;
        QTest::newRow("+All, second Ashford") << "+All"
                                              << "+All" << 4 << "Ashford, Ridge" << 5.0f;
        QTest::newRow("Lakes, second Albany") << "Lakes"
                                              << "+All" << 1 << "Albany, North" << 3.0f;
    }
    void samePlaceComesBackAmongDuplicates() {
        QFETCH(QString, database);
        QFETCH(QString, region);
        QFETCH(int, row);
        QFETCH(QString, picked);
        QFETCH(float, latitude);
        TLocationFixture f;
        WriteDuplicateDatabase(f);
        Remember(database, region);
        Dialog d(f);
        d.form.PresetLocation("");
        ShowActive(&d.form);
        QCOMPARE(d.form.RegionBox()->currentText(), region);
        d.form.PlaceList()->setFocus();
        for (int i = 0; i < row; ++i)
            QTest::keyClick(d.form.PlaceList(), Qt::Key_Down);
        QTest::keyClick(d.form.PlaceList(), Qt::Key_Return);
        QCOMPARE(d.form.result(), int(QDialog::Accepted));
        QCOMPARE(d.form.PickedName(), picked);
        QCOMPARE(d.form.Record().Latitude, latitude);

        // The main window presets the name it took; shown again, the same record is selected.
        d.form.PresetLocation(d.form.PickedName());
        ShowActive(&d.form);
        QCOMPARE(d.form.Record().Latitude, latitude);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(d.form.result(), int(QDialog::Accepted));
        QCOMPARE(d.form.PickedName(), picked);
        QCOMPARE(d.form.Record().Latitude, latitude);
    }

    // Of many places of one name, the remembered one is found in one pass over the file, not by
    // opening it again for each place of that name.
    void rememberedPlaceAmongManyOfItsNameInOnePass() {
        TLocationFixture f;
        f.WriteIndex(SampleIndex());
        std::vector<LocationRecord> all(500, Place(7, 3, "Albany", 1));
        all.push_back(Place(2, 3, "Albany", 9));
        f.WriteRecords("+All.qdb", all);
        Remember("+All", "+All");
        Dialog d(f);
        d.form.PresetLocation("Albany, Ridge");
        const int64_t opened = TQdbFile::Opens();
        ShowActive(&d.form);
        QCOMPARE(d.form.Record().Latitude, 9.0f);
        QCOMPARE(d.form.PickedName(), QString("Albany, Ridge"));
        QVERIFY2(TQdbFile::Opens() - opened < 10, qPrintable(QString::number(TQdbFile::Opens() - opened)));
    }

    // Records holding NaN or infinity are not listed, the status bar counts them, and Accept never
    // hands one back.
    void corruptRecordsAreSkippedAndCounted() {
        TLocationFixture f;
        WriteDialogDatabase(f);
        std::vector<LocationRecord> lakes = LakesRecords();
        lakes[1].Latitude = std::numeric_limits<float>::quiet_NaN();    // brook
        lakes[4].DryBulbRange = std::numeric_limits<float>::infinity(); // Cove
        f.WriteRecords("Lakes.qdb", lakes);
        Remember("Lakes");
        Dialog d(f);
        d.form.PresetLocation("Cove, South");
        ShowActive(&d.form);
        QCOMPARE(d.form.RegionBox()->currentText(), QString("South"));
        QVERIFY(Places(d.form.PlaceList()).isEmpty());
        QCOMPARE(d.form.StatusText(2), QString("2 corrupt records skipped"));
        QVERIFY(d.form.StatusPanel(2)->isVisible());
        QVERIFY(TextFits(d.form.StatusPanel(2)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(d.form.result(), int(QDialog::Rejected)); // nothing shown, nothing handed back

        d.form.PresetLocation("");
        ShowActive(&d.form);
        QCOMPARE(Places(d.form.PlaceList()), QStringList({"Ashford", "Ashford", "Unfiled"}));
        d.form.PlaceList()->setFocus();
        QTest::keyClick(d.form.PlaceList(), Qt::Key_End);
        QTest::keyClick(d.form.PlaceList(), Qt::Key_Return);
        QCOMPARE(d.form.result(), int(QDialog::Accepted));
        QCOMPARE(d.form.Record(), lakes[3]);
        QCOMPARE(d.form.StatusText(0), QString("Record 4 of 5"));

        // A sound file shows no count.
        d.form.PresetLocation("");
        ShowActive(&d.form);
        Choose(d.form.DatabaseBox(), "Hills");
        QVERIFY(!d.form.StatusPanel(2)->isVisible());
        d.form.reject();
    }

    void indexThatIsNotAFileIsReported() {
        TLocationFixture f;
        WriteDialogDatabase(f);
        QVERIFY(QFile::remove(f.Path("Regions.idx")));
        QCOMPARE(mkfifo(QFile::encodeName(f.Path("Regions.idx")).constData(), 0600), 0);
        Dialog d(f);
        d.form.show(); // returns: the FIFO is never read
        QCOMPARE(d.messages, QStringList({"Cannot open " + f.Path("Regions.idx") + ": not a regular file"}));
        QCOMPARE(d.form.DatabaseBox()->count(), 0);
        QVERIFY(Places(d.form.PlaceList()).isEmpty());
    }

    // The record panel fits "Record 109 of 196"; the name panel fits every picked name of the sample
    // database at the default size.
    void statusPanelsShowTheirWholeText() {
        TLocationFixture f;
        f.WriteIndex("[Many]\r\n+All=0\r\n");
        std::vector<LocationRecord> many;
        for (int i = 0; i < 196; ++i)
            many.push_back(Place(1, 0, QString("P%1").arg(i, 3, 10, QChar('0'))));
        f.WriteRecords("Many.qdb", many);
        Remember("Many");
        Dialog d(f);
        d.form.PresetLocation("P108");
        d.form.show();
        QCOMPARE(d.form.StatusText(0), QString("Record 109 of 196"));
        QTRY_VERIFY(TextFits(d.form.StatusPanel(0)));
        d.form.reject();

        Remember("+All", "+All");
        TSelectLocationForm sample(nullptr, BinaryPath("/Varnholt/Common Files/"));
        sample.ShowMessage = [](const QString& text) { QFAIL(qPrintable(text)); };
        sample.show();
        QCOMPARE(sample.size(), TSelectLocationForm::DefaultSize());
        QVERIFY(QTest::qWaitForWindowExposed(&sample)); // laid out as the user sees it
        QVERIFY(sample.PlaceList()->model()->rowCount() >= 150);
        QStringList clipped;
        for (int row = 0; row < sample.PlaceList()->model()->rowCount(); ++row) {
            sample.PlaceList()->setCurrentIndex(sample.PlaceList()->model()->index(row, 0));
            if (!TextFits(sample.StatusPanel(0)) || !TextFits(sample.StatusPanel(1)))
                clipped << sample.PickedName();
        }
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
        sample.PlaceList()->setCurrentIndex(sample.PlaceList()->model()->index(0, 0));
        sample.reject();
    }

    // With nothing stored the dialog opens centred over the main window; a stored placement (position
    // and size) is restored.
    void placementIsCentredFirstThenRemembered() {
        TLocationFixture f;
        WriteDialogDatabase(f);
        TSettingsStore("SelectLocationForm").EraseSection();
        Remember("Lakes");
        QMainWindow main;
        main.setGeometry(150, 100, 640, 500); // inside the 800 x 600 offscreen screen
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        {
            Dialog d(f, &main);
            d.form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d.form));
            QVERIFY(qAbs(d.form.frameGeometry().center().x() - main.frameGeometry().center().x()) <= 2);
            QVERIFY(qAbs(d.form.frameGeometry().center().y() - main.frameGeometry().center().y()) <= 2);
            d.form.move(40, 60);
            d.form.resize(620, 480);
            QTest::keyClick(&d.form, Qt::Key_Escape);
        }
        Dialog next(f, &main);
        next.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next.form));
        QCOMPARE(next.form.pos(), QPoint(40, 60));
        QCOMPARE(next.form.size(), QSize(620, 480));
        next.form.reject();
    }
};

QTEST_MAIN(TestSelectLocation)
#include "tst_selectlocation.moc"
