// The location dialog driven as a user would: databases, regions, places, messages and remembered choices.
#include "LocationFixture.h"
#include "controls/TxGrids.h"
#include "locations/TxSelectLocation.h"
#include "storage/Settings.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QComboBox>
#include <QListView>
#include <QTest>
#include <QToolButton>

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

// A dialog on the fixture's folder whose messages are collected.
struct Dialog {
    explicit Dialog(const TLocationFixture& f) : form(nullptr, f.Folder()) {
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
};

QTEST_MAIN(TestSelectLocation)
#include "tst_selectlocation.moc"
