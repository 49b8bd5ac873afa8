#pragma once
// The main window's input property list: an entry grid with one row per site and surface input
// (Barometer to Day Number), showing the document's values and storing what the user commits, and the
// row actions that pick a value in a dialog.
#include "app/TCalcDocument.h"
#include "controls/TxEntryGrid.h"

class TSelectLocationForm;

class TPropertyList : public TEntryGrid {
    Q_OBJECT
public:
    explicit TPropertyList(TCalcDocument& doc, QWidget* parent = nullptr);

    // The location dialog, created once by the program; not owned. Without it the pick does nothing.
    void SetLocationDialog(TSelectLocationForm* dialog) { FLocationDialog = dialog; }

    // Shows an input of rows 1 to 7; other inputs are not in the list.
    void ShowInput(TInputId id, double value);
    // The commit event: stores the row's value in the document and marks the results out of date.
    void GridDoSetData(int ACol, int ARow);
    // The location pick of the Barometer row and of the Location command.
    void PickLocation();

private:
    TCalcDocument& FDoc;
    TSelectLocationForm* FLocationDialog = nullptr;
};
