#pragma once
// The Plot page: the solved hours' beam, diffuse and reflected radiation as stacked bars.
#include "app/ResultPage.h"

#include <functional>
#include <memory>

struct TChartColors;
class TStackedBarPlot;

// "Plot": the three stacked bar series of the solved hours. The chart is built when the page is first
// shown and filled only while it shows, so a solve with another page in front leaves it alone.
class TPlotPage : public TResultPageWidget {
    Q_OBJECT
public:
    explicit TPlotPage(TCalcDocument& doc);
    ~TPlotPage() override;
    void SolveFinished() override;
    // A bitmap of the whole chart at its current size, on white, to the clipboard. A click on the chart
    // does this too.
    void CopyChart();
    // Panel colour and background gradient, applied now or when the chart is built; a chart built
    // before any were applied takes the colours of the settings.
    void ApplyColors(const TChartColors& colors);
    // The chart; null until the page is first shown.
    TStackedBarPlot* Plot() const { return FPlot; }
    // The context menu's "Color Settings".
    std::function<void()> OnColorSettings;

protected:
    void Build() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Gives the chart the solved hours and their values; it repaints only when they differ.
    void FillPlot();

    TStackedBarPlot* FPlot = nullptr;
    std::unique_ptr<TChartColors> FColors; // the colours to apply, kept for a chart not built yet
};
