#include "PropertyList.h"

#include "InputCheck.h"

#include "dialogs/SelectAngleDlg.h"
#include "dialogs/SelectAzimuthDlg.h"
#include "dialogs/TxCalendar.h"
#include "locations/TxSelectLocation.h"

#include <QCursor>

TPropertyList::TPropertyList(TCalcDocument& doc, QWidget* parent) : TEntryGrid(parent), FDoc(doc) {
    setObjectName(QStringLiteral("Grid"));
    SetDelim(QLatin1Char(';'));
    SetFixedCols(0);
    SetDefaultRowHeight(16);
    SetScrollBars(TScrollStyle::ssNone);
    SetOptions({xgoFixedVertLine, xgoFixedHorzLine, xgoVertLine, xgoHorzLine, xgoColSizing, xgoEditing});
    SetLinesArray(TCalcDocument::PropertyLines());
    ShowInput(inSunYear, FDoc.SunYear());
    const int widths[] = {90, 60, 50};
    for (int c = 0; c < 3; ++c)
        SetColWidths(c, widths[c]);
    setMinimumWidth(90 + 60 + 50 + 8);
    // The values stand out white on the grey list.
    SetColor(palette().color(QPalette::Button));
    SetColorEditCol(palette().color(QPalette::Base));
    SetColorEditMode(palette().color(QPalette::Base));
    SetColorEditModeText(palette().color(QPalette::Text));
    // Each action shows its result through the document's setters, so the grid takes no step (0).
    const std::pair<int, void (TPropertyList::*)()> actions[] = {
        {1, &TPropertyList::PickLocation},
        {5, &TPropertyList::PickAzimuth},
        {6, &TPropertyList::PickSlope},
        {7, &TPropertyList::PickDay},
    };
    for (const auto& [row, pick] : actions)
        SetPropertyEditor(row, [this, pick](QVariant&) {
            (this->*pick)();
            return 0;
        });
    OnDoSetData = [this](TxCustomGrid*, int c, int r) { GridDoSetData(c, r); };
}

void TPropertyList::ShowInput(TInputId id, double value) {
    const int row = TCalcDocument::PropertyRow(id);
    if (row < 0) return;
    SetCellValue(1, row, value);
    if (id == inSunYear) ShowYearApplies();
}

void TPropertyList::ShowYearApplies() {
    TField* field = Field(TCalcDocument::PropertyRow(inSunYear));
    const bool applies = FDoc.SunMethod() == smPrecise;
    if (!field || field->Enabled == applies) return;
    // The published method has no year: the row is greyed and takes no typing until the precise
    // method is chosen (Calculate, Sun Position...).
    field->Enabled = applies;
    viewport()->update();
}

void TPropertyList::GridDoSetData(int, int ARow) {
    const TInputId id = TCalcDocument::PropertyInput(ARow);
    if (id != InputCount) {
        double value = 0;
        QString message;
        if (!ReadInputText(id, Cells(1, ARow), value, message)) {
            // The cell goes back to what the document holds, which the results still match.
            ShowInput(id, FDoc.Input(id));
            RefuseValue(this, message, [this](const QString& text) {
                if (OnMessage) OnMessage(text);
            });
            return;
        }
        FDoc.SetInput(id, value);
    }
    FDoc.SetSolved(false);
}

void TPropertyList::PickLocation() {
    TSelectLocationForm* dialog = FDialogs.Location();
    if (!dialog) return;
    dialog->PresetLocation(FDoc.LocationName());
    if (dialog->exec() != QDialog::Accepted) return;
    const LocationRecord& r = dialog->Record();
    FDoc.PickLocation(dialog->PickedName(), r.Altitude, r.Latitude, r.Longitude, r.TimeZone, r.MaxDryBulb,
                      r.DryBulbRange);
}

void TPropertyList::PickAzimuth() {
    TSelectAzimuthForm* dialog = FDialogs.Azimuth();
    if (!dialog) return;
    dialog->SetAzimuth(FDoc.Azimuth());
    if (dialog->exec() == QDialog::Accepted) FDoc.SetAzimuth(NormalisedInput(inAzimuth, dialog->Azimuth()));
    FDoc.SetSolved(false);
}

void TPropertyList::PickSlope() {
    TAnglesForm* dialog = FDialogs.Angles();
    if (!dialog) return;
    if (dialog->exec() == QDialog::Accepted) FDoc.SetSlope(dialog->Tilt());
    FDoc.SetSolved(false);
}

void TPropertyList::PickDay() {
    TCalendarForm* dialog = FDialogs.Calendar();
    if (!dialog) return;
    dialog->move(QCursor::pos());
    const TDateTimeParts shown = DateOfDayNumber(FDoc.DayNumber());
    dialog->SetDate(QDate(shown.Year, shown.Month, shown.Day));
    if (dialog->exec() != QDialog::Accepted) return;
    const QDate picked = dialog->Date();
    FDoc.SetDayNumber(DayOfYear(picked.year(), picked.month(), picked.day()));
    FDoc.SetSolved(false);
}
