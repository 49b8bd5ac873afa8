#include "PlotPage.h"

#include "controls/TxBarPlot.h"
#include "dialogs/TxChartColorForm.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QVBoxLayout>

TPlotPage::TPlotPage(TCalcDocument& doc) : TResultPageWidget(doc) {}

TPlotPage::~TPlotPage() = default;

void TPlotPage::Build() {
    FPlot = new TStackedBarPlot({{QStringLiteral("Reflected"), QColor(255, 128, 128)},
                                 {QStringLiteral("Diffuse"), QColor(0, 128, 255)},
                                 {QStringLiteral("Beam"), QColor(255, 255, 128)}});
    FPlot->SetTitles(QStringLiteral("Clock hour"), QStringLiteral("W/m²"));
    FPlot->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* colors = new QAction(QStringLiteral("Color Settings"), FPlot);
    connect(colors, &QAction::triggered, this, [this] {
        if (OnColorSettings) OnColorSettings();
    });
    auto* copy = new QAction(QStringLiteral("Copy to clipboard"), FPlot);
    connect(copy, &QAction::triggered, this, &TPlotPage::CopyChart);
    FPlot->addActions({colors, copy});
    FPlot->installEventFilter(this);
    AddResultControl(FPlot);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FPlot);
    // Colours applied before the chart was built, else those of the settings.
    ApplyColors(FColors ? TChartColors(*FColors) : StoredChartColors());
}

void TPlotPage::SolveFinished() {
    if (FPlot) FillPlot();
}

void TPlotPage::FillPlot() {
    const TProfile24* profiles[] = {&FDoc.ReflectedProfile(), &FDoc.DiffuseProfile(), &FDoc.DirectProfile()};
    QStringList hours;
    QList<QList<double>> values(std::size(profiles));
    for (const int hour : FDoc.SolvedHours()) {
        hours << QString::number(hour);
        for (size_t s = 0; s < std::size(profiles); ++s)
            values[s] << (*profiles[s])[hour];
    }
    FPlot->SetBars(hours, values);
}

void TPlotPage::CopyChart() {
    if (!FPlot) return; // never shown: there is no picture
    QGuiApplication::clipboard()->setImage(FPlot->Picture());
}

// A left click on the chart copies it.
bool TPlotPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FPlot && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && FPlot->rect().contains(mouse->position().toPoint()))
            CopyChart();
    }
    return TResultPageWidget::eventFilter(watched, event);
}

void TPlotPage::ApplyColors(const TChartColors& colors) {
    if (!FColors || *FColors != colors) FColors = std::make_unique<TChartColors>(colors);
    if (FPlot) FPlot->SetBackground(ChartBackground(colors), colors.Panel);
}
