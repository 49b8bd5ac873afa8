#pragma once
// The profile editor: a modal editor of a 24-value hourly profile with an hour/value grid, a chart,
// whole-profile clipboard commands and an adjuster that offsets, scales and time-shifts the profile.
// The caller fills it before each showing and takes Values() back only after Accept.
#include "solar/Profile24.h"

#include <QDialog>

class QAction;
class QBarSet;
class QBarSeries;
class QLabel;
class QLineSeries;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QValueAxis;
class TxCustomGrid;
class TxFEdit;
class TxStringGrid;

class TProfileEdForm : public QDialog {
    Q_OBJECT
public:
    explicit TProfileEdForm(QWidget* parent = nullptr);

    const TProfile24& Values() const { return FValues; }
    void SetValues(const TProfile24& values) { FValues = values; }
    // Format of the value cells ("%0.2f" at the start).
    void SetValueFormat(const QString& format) { FValueFormat = format; }
    QString ValueFormat() const { return FValueFormat; }
    // The heading above the value column.
    void SetValueCaption(const QString& caption) { FValueCaption = caption; }
    // Typed values are clamped into lower..upper; equal limits mean no clamping.
    void SetLimits(double lower, double upper);
    // Whether the value cells may be edited (not at the start).
    void SetEditable(bool on) { FEditable = on; }
    bool Editable() const { return FEditable; }
    // Line chart (true) or bar chart.
    void SetLineChart(bool on);
    bool LineChart() const;

    // The commands.
    void CutProfile();
    void CopyProfile();
    // Reads 24 numbers from the clipboard; on failure nothing changes and the status bar says why. True
    // when they were taken.
    bool PasteProfile();
    void DeleteProfile();
    void ApplyAdjustment();
    void AcceptProfile();

    // Grid, chart and value axis fill from the values.
    void Refresh();

    TxStringGrid* Grid() const { return FHrsGrid; }
    TxFEdit* OffsetEdit() const { return FOffsetEdit; }
    TxFEdit* MultiplierEdit() const { return FMultiplierEdit; }
    TxFEdit* TimeShiftEdit() const { return FTimeShiftEdit; }
    QValueAxis* ValueAxis() const { return FValueAxis; }
    QBarSeries* Bars() const { return FBars; }
    QLineSeries* Line() const { return FLine; }
    QLabel* ValueCaptionLabel() const { return FCaptionLabel; }

    // Cancel: a value still being typed is dropped with the rest.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void HrsGridDoSetData(int col, int row);
    void HrsGridCanEditShow(int col, bool& canEdit) const;
    void ShowValue(int hour);
    void RescaleValueAxis();
    void UpdateSeriesVisibility();
    double AdjusterValue(TxFEdit* box) const;

    TProfile24 FValues{};
    QString FValueFormat = QStringLiteral("%0.2f");
    QString FValueCaption;
    double FLowerLimit = 0;
    double FUpperLimit = 0;
    bool FEditable = false;

    QLabel* FCaptionLabel;
    TxStringGrid* FHrsGrid;
    QBarSeries* FBars;
    QBarSet* FBarSet;
    QLineSeries* FLine;
    QValueAxis* FValueAxis;
    QRadioButton* FLineRadio;
    QRadioButton* FBarRadio;
    TxFEdit* FOffsetEdit;
    TxFEdit* FMultiplierEdit;
    TxFEdit* FTimeShiftEdit;
    QStatusBar* FStatusBar;
};

// The adjuster's arithmetic: each value becomes offset + value x multiplier, then the value of hour j
// moves to hour j + shift, wrapped once into 0..23.
void AdjustProfile(TProfile24& values, double offset, double multiplier, int shift);
// The editor's value axis for a profile: min - 0.1 |min| to max x 1.1. False when that range is empty
// or reversed (all values 0): the axis then keeps its range.
bool ProfileEditRange(const TProfile24& values, double& bottom, double& top);
