// The Calculation Details command: the working behind one solved hour in its window.
#include "CalcDetails.h"
#include "CalcDetailsForm.h"
#include "Main.h"

#include <QTreeWidget>

void TMainForm::ActionCalcDetailsExecute() {
    std::optional<int> selected;
    if (const QTreeWidgetItem* row = AnglesList()->currentItem(); row && row->isSelected())
        selected = row->text(0).trimmed().toInt();
    ShowCalcDetails(selected);
}

void TMainForm::ShowCalcDetails(std::optional<int> hour) {
    CommitFocusedEdit();
    if (!FDoc.EnsureSolved()) return;
    hour = DetailsHour(FDoc, hour);
    if (!hour) {
        ShowMessage(QStringLiteral("No hour was computed: the sun does not rise on this day."));
        return;
    }
    TCalcDetailsForm form(this);
    form.SetDetails(FDoc, *hour);
    form.exec();
}
