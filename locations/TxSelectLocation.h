#pragma once
// The location selection dialog "Select Location": a database, then a region, then a place, with a
// read-only summary of the place. Created once and shown modally; after OK the caller takes
// PickedName() and Record().
#include "LocationDb.h"
#include "LocationRecord.h"
#include "LocationSummary.h"

#include <QDialog>
#include <QSize>
#include <QString>

#include <functional>

class QComboBox;
class QLabel;
class QListView;
class QModelIndex;
class QPushButton;
class QToolButton;
class TPlaceListModel;
class TxStringGrid;

class TSelectLocationForm : public QDialog {
    Q_OBJECT
public:
    // databaseFolder holds "Regions.idx" and the record files; empty means DatabaseFolder().
    explicit TSelectLocationForm(QWidget* parent = nullptr, const QString& databaseFolder = QString());
    ~TSelectLocationForm() override;

    // Presets the name handed back and the place and region to re-select (the text's first and second
    // comma-separated tokens). Called before every showing.
    void PresetLocation(const QString& locationName);

    // The place name, a comma, a blank and its region label.
    const QString& PickedName() const { return pickedName_; }
    // The record of the place shown last (all zeros before any place was shown).
    const LocationRecord& Record() const { return record_; }

    // Shows a plain message with an OK button; replaceable so that tests can see the messages.
    std::function<void(const QString& text)> ShowMessage;

    // The controls, for the tests that drive the dialog.
    QComboBox* DatabaseBox() const { return databaseBox_; }
    QComboBox* RegionBox() const { return regionBox_; }
    QListView* PlaceList() const { return placeList_; }
    TxStringGrid* SummaryGrid() const { return summary_; }
    QString StatusText(int panel) const;
    QLabel* StatusPanel(int panel) const { return statusPanels_[panel]; }
    QToolButton* AcceptButton() const { return acceptButton_; }
    QToolButton* CancelButton() const { return cancelButton_; }

    void done(int result) override;

    // The size the dialog opens with when no placement was stored.
    static QSize DefaultSize();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void BuildSummaryGrid();
    void FitSummaryGrid();
    void ShowSummary(const TLocationSummary& rows);
    void Prepare();
    void OpenSelectedDatabase();
    void ListSelectedRegion();
    void ShowSelectedPlace();
    void ShowSkipped(int skipped);
    void SaveState();
    int SelectedRow() const;
    int RememberedPlaceRow();
    QString ListedDatabase() const;
    // Runs a step that reads database files; a read error is shown and the dialog stays open.
    void Guarded(const std::function<void()>& step);

    void DatabaseBoxChange();
    void RegionBoxChange();
    void AcceptClick();

    QString folder_;
    TLocationDatabase db_;
    TPlaceListModel* places_;
    QString rememberedDatabase_, rememberedRegion_, rememberedPlace_;
    // The region label of the place to re-select: the preset's region, then the label of the place
    // last shown. It tells apart places of the same name in different regions.
    QString rememberedLabel_;
    QString pickedName_;
    LocationRecord record_;
    bool placeShown_ = false; // a place was shown during this showing
    bool filling_ = false;    // the place list is being refilled

    QComboBox* databaseBox_ = nullptr;
    QComboBox* regionBox_ = nullptr;
    QListView* placeList_ = nullptr;
    TxStringGrid* summary_ = nullptr;
    // Record number, picked name, and the count of corrupt records skipped (shown only when there are).
    QLabel* statusPanels_[3] = {};
    QToolButton* acceptButton_ = nullptr;
    QToolButton* cancelButton_ = nullptr;
};
