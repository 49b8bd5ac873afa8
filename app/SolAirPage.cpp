#include "SolAirPage.h"

#include "ResultColumns.h"
#include "ResultList.h"
#include "storage/PlainText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TSolAirPage::TSolAirPage(TCalcDocument& doc) : TResultPageWidget(doc) {}

QTreeWidget* TSolAirPage::List() {
    EnsureBuilt();
    return FList;
}

void TSolAirPage::Build() {
    FSurfaceColourBox = new QComboBox;
    FSurfaceColourBox->addItems({QStringLiteral("Light"), QStringLiteral("Dark")});
    FSurfaceColourBox->setCurrentIndex(FDoc.SurfaceColour() == scDark ? 1 : 0);
    connect(FSurfaceColourBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { FDoc.SetSurfaceColour(index == 1 ? scDark : scLight); });
    auto* autoAmbient = new QPushButton(QStringLiteral("Auto Ambient"));
    autoAmbient->setToolTip(QStringLiteral("Make ambient profile from location"));
    connect(autoAmbient, &QPushButton::clicked, this, [this] { FDoc.AutoAmbient(); });
    auto* top = new QHBoxLayout;
    top->addWidget(PlainLabel(QStringLiteral("Surface Color")));
    top->addWidget(FSurfaceColourBox);
    top->addWidget(autoAmbient);
    top->addStretch();

    FList = CreateResultList(ColumnCaptions(pgSolAir), 1);
    ConnectColumnClicks(FList, pgSolAir);
    AddResultControl(FList);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addLayout(top);
    layout->addWidget(FList, 1);
}

void TSolAirPage::SolAirChanged() {
    if (FList) FillResultList(FList, FDoc.SolAirRows());
}
