#pragma once
// The Angles and Solar pages: one list of result rows each, refilled by every solve.
#include "app/ResultPage.h"

#include <functional>

// "Angles" or "Solar": one list refilled by every solve.
class TResultListPage : public TResultPageWidget {
    Q_OBJECT
public:
    TResultListPage(TCalcDocument& doc, TResultPage page);
    QTreeWidget* List();
    void SolveFinished() override;
    // A row's menu item "Calculation &Details...", with the row's clock hour.
    std::function<void(int hour)> OnRowDetails;

protected:
    void Build() override;

private:
    TResultPage FPage;
    QTreeWidget* FList = nullptr;
};
