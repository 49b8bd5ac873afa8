#include "TxProfileView.h"

#include "ProfileChart.h"
#include "controls/ProfileText.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <utility>

void ProfileViewRange(const TProfile24& values, bool lineMode, double& bottom, double& top) {
    double largest = 0, smallest = 0;
    ProfileMaxMin(values, largest, smallest);
    top = largest > 0 ? largest * 1.1 : largest * 0.9;
    bottom = smallest >= 0 ? smallest * 0.9 : smallest * 1.1;
    if (!lineMode) {
        top = std::max(top, 0.0);
        bottom = std::min(bottom, 0.0);
    }
    if (bottom > top) std::swap(bottom, top);
}

TProfileViewForm::TProfileViewForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ProfileViewForm"));
    setWindowTitle(QStringLiteral("Profile"));
    resize(520, 360);

    FBarSet = new QBarSet(QString());
    FBarSet->setColor(QColor(0, 128, 192));
    FBarSet->setBorderColor(Qt::transparent);
    FBars = new QBarSeries;
    FBars->setBarWidth(0.9);
    FBars->append(FBarSet);
    FLine = new QLineSeries;
    FLine->setPen(QPen(Qt::red, 2));

    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->addSeries(FBars);
    chart->addSeries(FLine);
    FHourAxis = ::HourAxis(QStringLiteral("Hour"), 1);
    FHourAxis->setMinorTickCount(4);
    FHourAxis->setMinorGridLineVisible(false);
    FValueAxis = new QValueAxis;
    chart->addAxis(FHourAxis, Qt::AlignBottom);
    chart->addAxis(FValueAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(FHourAxis);
        series->attachAxis(FValueAxis);
    }
    FChartView = new QChartView(chart);
    FChartView->setRenderHint(QPainter::Antialiasing);
    FChartView->setFrameShape(QFrame::NoFrame);
    FChartView->setBackgroundBrush(Qt::white);

    auto* copy = new QAction(QStringLiteral("&Copy"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, this, &TProfileViewForm::CopyProfile);
    FChartView->setContextMenuPolicy(Qt::ActionsContextMenu);
    FChartView->addAction(copy);
    addAction(copy);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FChartView);
}

QChart* TProfileViewForm::Chart() const {
    return FChartView->chart();
}

void TProfileViewForm::SetTitle(const QString& title) {
    setWindowTitle(title);
}

void TProfileViewForm::SetHours(int first, int last) {
    FFirstHour = std::clamp(first, 0, 23);
    FLastHour = std::clamp(last, 0, 23);
    if (FFirstHour > FLastHour) std::swap(FFirstHour, FLastHour);
}

void TProfileViewForm::Refresh() {
    FBars->setVisible(!FLineMode);
    FLine->setVisible(FLineMode);
    FillProfileSeries(FValues, FFirstHour, FLastHour, FBarSet, FLine);
    SetHourRange(FHourAxis, FFirstHour, FLastHour);
    // Whole-hour labels, as many as fit a label each.
    const int span = FLastHour - FFirstHour;
    FHourAxis->setTickInterval(span <= 10 ? 1 : span <= 16 ? 2 : 3);
    double bottom = 0, top = 0;
    ProfileViewRange(FValues, FLineMode, bottom, top);
    SetValueRange(FValueAxis, bottom, top);
}

void TProfileViewForm::CopyProfile() {
    QGuiApplication::clipboard()->setText(ProfileText(FValues, QStringLiteral("%0.1f")));
}

void TProfileViewForm::showEvent(QShowEvent* event) {
    Refresh();
    QDialog::showEvent(event);
}
