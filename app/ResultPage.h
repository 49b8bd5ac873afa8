#pragma once
// The base of the main window's result pages: a widget over the calculation document that shows what
// the document holds when told that a part of it changed, and passes the user's page-local choices back
// to the document. A page makes its controls when it first shows (or when one is asked for), so
// start-up builds only the page in front and a solve fills only pages that were built.
#include "app/TCalcDocument.h"

#include <QWidget>

#include <functional>

struct TResultColumn;
class QPushButton;
class QTreeWidget;

// A result page; the document changes each reacts to once its controls are built.
class TResultPageWidget : public QWidget {
    Q_OBJECT
public:
    explicit TResultPageWidget(TCalcDocument& doc, QWidget* parent = nullptr);

    virtual void SolveFinished() {}      // profiles, Angles and Solar rows
    virtual void SolAirChanged() {}      // sol-air profile and rows
    virtual void LocalChanged() {}       // Local page fields, time text, lines
    virtual void AreaFactorsChanged() {} // window-shading fractions

    // Makes the controls, once, and shows in them what the document holds.
    void EnsureBuilt();
    // Passes a change of the document on to the page: at once while it shows, else when it next does.
    void Changed(void (TResultPageWidget::*event)());
    bool IsBuilt() const { return FBuilt; }
    // Results out of date: the page's result controls are greyed until the next solve.
    void SetOutOfDate(bool outOfDate);
    bool OutOfDate() const { return FOutOfDate; }

    // A click on a value column's heading of one of the page's lists (or Return on the focused heading).
    std::function<void(const TResultColumn& column)> OnColumnClick;
    // The column of the heading last clicked or moved to on the page's list; null on a page without a
    // list, or when that heading is "CT".
    const TResultColumn* CurrentColumn();

protected:
    // Makes the page's controls; the document's state follows through the change events above.
    virtual void Build() = 0;
    void showEvent(QShowEvent* event) override;
    // Clicks on the list's value headings fire OnColumnClick with the page's columns; "CT" does nothing.
    void ConnectColumnClicks(QTreeWidget* list, TResultPage page);
    // A control that shows results of the solve, greyed while they are out of date.
    void AddResultControl(QWidget* control);

    TCalcDocument& FDoc;

private:
    const TResultColumn* ColumnAt(int section) const;

    QTreeWidget* FColumnList = nullptr; // the list whose headings show column profiles
    TResultPage FColumnPage = pgAngles;
    void ShowOutOfDate();

    QList<QWidget*> FResultControls;
    bool FOutOfDate = false;
    bool FBuilt = false;
    bool FStale = false; // a change reached the page while it was out of sight
};

// A flat button that reads like a link and runs an action when clicked (Window and Local pages).
QPushButton* LinkButton(const QString& text);
