#include "ResultPages.h"

namespace {

template <class Page, class... Args> std::function<TResultPageWidget*(TCalcDocument&)> Builder(Args... args) {
    return [=](TCalcDocument& doc) { return new Page(doc, args...); };
}

} // namespace

const QList<TPageSpec>& ResultPageTable() {
    static const QList<TPageSpec> table{
        {pgAngles, "Angles", "Angles", Builder<TResultListPage>(pgAngles)},
        {pgSolar, "Solar", "Solar Tables", Builder<TResultListPage>(pgSolar)},
        {pgPlot, "Plot", "Solar Plot", Builder<TPlotPage>()},
        {pgWindow, "Window", "Window Shading", Builder<TWindowPage>()},
        {pgLocal, "Local", "Solar Times", Builder<TLocalPage>()},
        {pgSolAir, "SolAir", "Sol-Air Temperature", Builder<TSolAirPage>()},
    };
    return table;
}
