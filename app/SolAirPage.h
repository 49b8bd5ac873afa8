#pragma once
// The SolAir page: the surface colour, "Auto Ambient" and the 24-hour sol-air list.
#include "app/ResultPage.h"

class QComboBox;
class QTreeWidget;

// "SolAir": surface colour, "Auto Ambient" and the 24-hour sol-air list.
class TSolAirPage : public TResultPageWidget {
    Q_OBJECT
public:
    explicit TSolAirPage(TCalcDocument& doc);
    QTreeWidget* List();
    void SolAirChanged() override;

protected:
    void Build() override;

private:
    QComboBox* FSurfaceColourBox = nullptr;
    QTreeWidget* FList = nullptr;
};
