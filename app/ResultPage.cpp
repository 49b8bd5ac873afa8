#include "ResultPage.h"

#include "ResultColumns.h"
#include "ResultList.h"
#include "controls/TxBarPlot.h"

#include <QApplication>
#include <QGraphicsColorizeEffect>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

QPushButton* LinkButton(const QString& text) {
    auto* button = new QPushButton(text);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { color: palette(link); text-decoration: underline;"
                                         " border: none; text-align: left; padding: 2px; }"));
    return button;
}

TResultPageWidget::TResultPageWidget(TCalcDocument& doc, QWidget* parent) : QWidget(parent), FDoc(doc) {}

void TResultPageWidget::EnsureBuilt() {
    if (!FBuilt) {
        FBuilt = true;
        FStale = true;
        Build();
        ShowOutOfDate();
        // Controls added to a page that shows would show only when the event loop next runs; the page
        // is whole now, like one built at start.
        if (isVisible())
            for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (!(child->isHidden() && child->testAttribute(Qt::WA_WState_ExplicitShowHide)))
                    child->show();
    }
    if (!FStale) return;
    FStale = false;
    // Each event shows the whole of its part of the document, so together they catch the page up.
    SolveFinished();
    SolAirChanged();
    LocalChanged();
    AreaFactorsChanged();
}

void TResultPageWidget::SetOutOfDate(bool outOfDate) {
    if (outOfDate == FOutOfDate) return;
    FOutOfDate = outOfDate;
    if (FBuilt) ShowOutOfDate();
}

void TResultPageWidget::AddResultControl(QWidget* control) {
    FResultControls << control;
}

// Text in the disabled colour; a chart drawn in greys.
void TResultPageWidget::ShowOutOfDate() {
    for (QWidget* control : FResultControls) {
        if (qobject_cast<TStackedBarPlot*>(control)) {
            QGraphicsColorizeEffect* grey = nullptr;
            if (FOutOfDate) {
                grey = new QGraphicsColorizeEffect;
                grey->setColor(QColor(160, 160, 160));
            }
            control->setGraphicsEffect(grey); // the control owns it, and drops the one it had
            continue;
        }
        QPalette palette = control->palette();
        const QColor text = QApplication::palette(control).color(
            FOutOfDate ? QPalette::Disabled : QPalette::Active, QPalette::Text);
        palette.setColor(QPalette::Active, QPalette::Text, text);
        palette.setColor(QPalette::Inactive, QPalette::Text, text);
        control->setPalette(palette);
    }
}

void TResultPageWidget::Changed(void (TResultPageWidget::*event)()) {
    if (!FBuilt) return;
    // A page out of sight catches up when it shows or its controls are asked for.
    if (isVisible())
        (this->*event)();
    else
        FStale = true;
}

void TResultPageWidget::showEvent(QShowEvent* event) {
    EnsureBuilt();
    QWidget::showEvent(event);
}

void TResultPageWidget::ConnectColumnClicks(QTreeWidget* list, TResultPage page) {
    FColumnList = list;
    FColumnPage = page;
    list->header()->setSectionsClickable(true);
    // The headings come before the rows in the tab order, as they do on the screen.
    setTabOrder(list->header(), list);
    connect(list->header(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (const TResultColumn* column = ColumnAt(section); column && OnColumnClick) OnColumnClick(*column);
    });
}

const TResultColumn* TResultPageWidget::ColumnAt(int section) const {
    const QList<const TResultColumn*> columns = Columns(FColumnPage);
    return section >= 1 && section <= columns.size() ? columns[section - 1] : nullptr;
}

const TResultColumn* TResultPageWidget::CurrentColumn() {
    EnsureBuilt();
    if (!FColumnList) return nullptr;
    return ColumnAt(CurrentHeading(FColumnList));
}
