#include "PropertyList.h"

#include "locations/TxSelectLocation.h"

namespace {

// Rows 1 to 7 hold the inputs Altitude to DayNumber.
constexpr int FirstInputRow = 1;
constexpr int LastInputRow = 7;

bool IsInputRow(int row) {
    return row >= FirstInputRow && row <= LastInputRow;
}
TInputId InputOfRow(int row) {
    return static_cast<TInputId>(row - FirstInputRow);
}

} // namespace

TPropertyList::TPropertyList(TCalcDocument& doc, QWidget* parent) : TEntryGrid(parent), FDoc(doc) {
    setObjectName(QStringLiteral("Grid"));
    SetDelim(QLatin1Char(';'));
    SetFixedCols(0);
    SetDefaultRowHeight(16);
    SetScrollBars(TScrollStyle::ssNone);
    SetOptions({xgoFixedVertLine, xgoFixedHorzLine, xgoVertLine, xgoHorzLine, xgoColSizing, xgoEditing});
    SetLinesArray(TCalcDocument::PropertyLines());
    const int widths[] = {90, 60, 50};
    for (int c = 0; c < 3; ++c)
        SetColWidths(c, widths[c]);
    setMinimumWidth(90 + 60 + 50 + 8);
    SetPropertyEditor(1, [this](QVariant&) {
        PickLocation();
        return 0;
    });
    OnDoSetData = [this](TxCustomGrid*, int c, int r) { GridDoSetData(c, r); };
}

void TPropertyList::ShowInput(TInputId id, double value) {
    const int row = int(id) + FirstInputRow;
    if (IsInputRow(row)) SetCellValue(1, row, value);
}

void TPropertyList::GridDoSetData(int, int ARow) {
    if (IsInputRow(ARow)) {
        bool ok = false;
        const double v = GetCellValue(1, ARow).toDouble(&ok);
        if (ok) FDoc.SetInput(InputOfRow(ARow), v);
    }
    FDoc.SetSolved(false);
}

void TPropertyList::PickLocation() {
    if (!FLocationDialog) return;
    FLocationDialog->PresetLocation(FDoc.LocationName());
    if (FLocationDialog->exec() != QDialog::Accepted) return;
    const LocationRecord& r = FLocationDialog->Record();
    FDoc.PickLocation(FLocationDialog->PickedName(), r.Altitude, r.Latitude, r.Longitude, r.TimeZone,
                      r.MaxDryBulb, r.DryBulbRange);
}
