#pragma once
// The six result pages of the main window and the page table that gives their order, tab captions,
// View-menu captions and builders. Each page is a unit of its own on the base in ResultPage.h; the
// lists they share are in ResultList.h.
#include "app/ListPage.h"
#include "app/LocalPage.h"
#include "app/PlotPage.h"
#include "app/ResultPage.h"
#include "app/SolAirPage.h"
#include "app/WindowPage.h"

#include <QList>

#include <functional>

// One row of the page table, in the page control's order.
struct TPageSpec {
    TResultPage Page;
    const char* Tab;         // tab caption
    const char* ViewCaption; // item of the View menu
    std::function<TResultPageWidget*(TCalcDocument&)> Build;
};
const QList<TPageSpec>& ResultPageTable();
