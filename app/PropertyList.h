#pragma once
// The main window's input property list: an entry grid with one row per site and surface input
// (Barometer to Day Number) and the precise sun position's Year, showing the document's values and
// storing what the user commits, and the row actions that pick a value in a dialog.
#include "app/TCalcDocument.h"
#include "app/WindowRef.h"
#include "controls/TxEntryGrid.h"

class TAnglesForm;
class TCalendarForm;
class TSelectAzimuthForm;
class TSelectLocationForm;

// The dialogs of the row actions, each made once by the program when first used; not owned. A row
// whose dialog is missing does nothing.
struct TRowDialogs {
    TWindowRef<TSelectLocationForm> Location{}; // row 1, Barometer
    TWindowRef<TSelectAzimuthForm> Azimuth{};   // row 5
    TWindowRef<TAnglesForm> Angles{};           // row 6, Slope
    TWindowRef<TCalendarForm> Calendar{};       // row 7, Day Number
};

class TPropertyList : public TEntryGrid {
    Q_OBJECT
public:
    explicit TPropertyList(TCalcDocument& doc, QWidget* parent = nullptr);

    void SetRowDialogs(const TRowDialogs& dialogs) { FDialogs = dialogs; }
    const TRowDialogs& RowDialogs() const { return FDialogs; }

    // Shows an input of rows 1 to 7, or the year of row 8, greyed unless the precise method is chosen;
    // other inputs are not in the list.
    void ShowInput(TInputId id, double value);
    // The commit event: stores the row's value in the document and marks the results out of date. An
    // empty text, one that is no number or a number outside the input's range is refused with a beep
    // and a message, and the cell shows the document's value again.
    void GridDoSetData(int ACol, int ARow);
    // Shows a message with one OK button (a refused value); set by the window.
    std::function<void(const QString& text)> OnMessage;
    // The location pick of the Barometer row and of the Location command.
    void PickLocation();
    // The azimuth picker: OK sets the azimuth; OK and Cancel both mark the results out of date.
    void PickAzimuth();
    // The angle illustration: OK sets the whole-degree slope; OK and Cancel both mark out of date.
    void PickSlope();
    // The calendar at the mouse pointer on the day's date: OK sets the whole day number of the picked
    // date and marks out of date; Cancel changes nothing.
    void PickDay();

private:
    void ShowYearApplies();

    TCalcDocument& FDoc;
    TRowDialogs FDialogs;
};
