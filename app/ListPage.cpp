#include "ListPage.h"

#include "ResultColumns.h"
#include "ResultList.h"

#include <QAction>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The clock hour of a row of the list: the document's solved hours give the rows' hours in order. -1
// for no row.
int HourOfRow(const TCalcDocument& doc, const QTreeWidget* list, QTreeWidgetItem* item) {
    const int row = item ? list->indexOfTopLevelItem(item) : -1;
    return row >= 0 && row < doc.SolvedHours().size() ? doc.SolvedHours()[row] : -1;
}

} // namespace

TResultListPage::TResultListPage(TCalcDocument& doc, TResultPage page)
    : TResultPageWidget(doc), FPage(page) {}

QTreeWidget* TResultListPage::List() {
    EnsureBuilt();
    return FList;
}

void TResultListPage::Build() {
    const TResultPage page = FPage;
    // "Normal" is left-aligned like "CT" on the Solar list.
    FList = CreateResultList(ColumnCaptions(page), page == pgAngles ? 1 : 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FList);
    ConnectColumnClicks(FList, page);
    auto* details = new QAction(QStringLiteral("Calculation &Details..."), FList);
    connect(details, &QAction::triggered, this, [this] {
        const int hour = HourOfRow(FDoc, FList, FList->currentItem());
        if (hour >= 0 && OnRowDetails) OnRowDetails(hour);
    });
    FList->addAction(details);
    FList->setContextMenuPolicy(Qt::ActionsContextMenu);
    AddResultControl(FList);
    // A row of the Angles list gives its clock hour to the Local page and updates the local angles.
    if (page == pgAngles)
        connect(FList, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
            const int hour = HourOfRow(FDoc, FList, item);
            if (hour < 0) return;
            FDoc.SetLocalTime(QString::number(hour), FDoc.LocalTimeIsSolar());
            FDoc.RefreshLocalAngles();
        });
}

void TResultListPage::SolveFinished() {
    if (FList) FillResultList(FList, FPage == pgAngles ? FDoc.AnglesRows() : FDoc.SolarRows());
}
