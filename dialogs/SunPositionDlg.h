#pragma once
// The Sun Position dialog: how the sun's position is worked out (the published method or the precise
// one) and the calendar year the precise method reads the day number in.
#include "solar/TSolar.h"

#include <QDialog>

class QComboBox;
class QSpinBox;

class TSunPositionForm : public QDialog {
    Q_OBJECT
public:
    explicit TSunPositionForm(QWidget* parent = nullptr);

    void SetMethod(TSunMethod method, int year);
    TSunMethod Method() const;
    int Year() const;

    QComboBox* MethodBox() const { return FMethod; }
    QSpinBox* YearBox() const { return FYear; }

private:
    QComboBox* FMethod;
    QSpinBox* FYear;
};
