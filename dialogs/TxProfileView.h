#pragma once
// The profile viewer: a modal chart of a 24-value hourly profile as bars or as a line, over a range of
// hours, with a copy of the profile's text. The caller sets the values, title, style and hours, then
// shows it; it changes nothing the caller holds.
#include "solar/Profile24.h"

#include <QDialog>

class QAction;
class QBarSeries;
class QBarSet;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

class TProfileViewForm : public QDialog {
    Q_OBJECT
public:
    explicit TProfileViewForm(QWidget* parent = nullptr);

    void SetValues(const TProfile24& values) { FValues = values; }
    const TProfile24& Values() const { return FValues; }
    // The window caption ("Profile" until set).
    void SetTitle(const QString& title);
    // Line (true) or bars (false, the start).
    void SetLineMode(bool on) { FLineMode = on; }
    bool LineMode() const { return FLineMode; }
    // The hours drawn, 0 and 23 until set. Values outside 0..23 (a last hour of 24 when the sun sets
    // after 23:00) are brought into the day, and a reversed pair is swapped.
    void SetHours(int first, int last);
    int FirstHour() const { return FFirstHour; }
    int LastHour() const { return FLastHour; }

    // Fills the chart from the values, style and hours; showing the window does this too.
    void Refresh();
    // "&Copy": the 24 values' text ("%0.1f") to the clipboard.
    void CopyProfile();

    QChart* Chart() const;
    QValueAxis* HourAxis() const { return FHourAxis; }
    QValueAxis* ValueAxis() const { return FValueAxis; }
    QBarSeries* Bars() const { return FBars; }
    QLineSeries* Line() const { return FLine; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TProfile24 FValues{};
    bool FLineMode = false;
    int FFirstHour = 0;
    int FLastHour = 23;

    QChartView* FChartView;
    QBarSeries* FBars;
    QBarSet* FBarSet;
    QLineSeries* FLine;
    QValueAxis* FHourAxis;
    QValueAxis* FValueAxis;
};

// The value axis of the viewer for a profile: max x 1.1 at the top (x 0.9 when not positive), min x 0.9
// at the bottom (x 1.1 when negative); bars always start from zero; never reversed.
void ProfileViewRange(const TProfile24& values, bool lineMode, double& bottom, double& top);
