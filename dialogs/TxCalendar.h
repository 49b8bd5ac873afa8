#pragma once
// The day-of-year calendar: a month calendar with "Today", "Seasons..." (the equinoxes and solstices
// of the year shown) and "OK". The caller sets the date, shows it modally and reads the date after OK.
#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QMenu;
class QPushButton;

class TCalendarForm : public QDialog {
    Q_OBJECT
public:
    explicit TCalendarForm(QWidget* parent = nullptr);

    QDate Date() const;
    void SetDate(const QDate& date);

    QCalendarWidget* Calendar() const { return FCalendar; }
    QMenu* SeasonsMenu() const { return FSeasons; }
    QPushButton* SeasonsButton() const { return FSeasonsButton; }

    // Shows 21 March, 21 June, 23 September or 22 December of the year shown.
    void ShowSeason(int month, int day);

private:
    void PopUpSeasons();

    QCalendarWidget* FCalendar;
    QMenu* FSeasons;
    QPushButton* FSeasonsButton;
};
