#include "TxCalendar.h"

#include <QCalendarWidget>
#include <QCursor>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace {

QPushButton* FlatButton(const QString& text) {
    auto* button = new QPushButton(text);
    button->setFlat(true);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TCalendarForm::TCalendarForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("CalendarForm"));
    setWindowTitle(QStringLiteral("Calendar"));

    FCalendar = new QCalendarWidget;
    FCalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    FCalendar->setGridVisible(false);
    // Today is not marked: the date that counts is the one picked.
    FCalendar->setDateTextFormat(QDate::currentDate(), QTextCharFormat());
    FCalendar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FCalendar, &QWidget::customContextMenuRequested, this, &TCalendarForm::PopUpSeasons);

    FSeasons = new QMenu(this);
    const struct {
        const char* caption;
        int month, day;
    } seasons[] = {
        {"March, 21", 3, 21}, {"June, 21", 6, 21}, {"September, 23", 9, 23}, {"December, 22", 12, 22}};
    for (const auto& s : seasons)
        FSeasons->addAction(QString::fromLatin1(s.caption), this, [this, s] { ShowSeason(s.month, s.day); });

    auto* today = FlatButton(QStringLiteral("Today"));
    connect(today, &QPushButton::clicked, this, [this] { SetDate(QDate::currentDate()); });
    FSeasonsButton = FlatButton(QStringLiteral("Seasons..."));
    connect(FSeasonsButton, &QPushButton::clicked, this, &TCalendarForm::PopUpSeasons);
    auto* ok = FlatButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    // Return in the calendar confirms the date it shows.
    connect(FCalendar, &QCalendarWidget::activated, this, &QDialog::accept);

    auto* side = new QVBoxLayout;
    side->addWidget(today);
    side->addWidget(FSeasonsButton);
    side->addStretch();
    side->addWidget(ok);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(FCalendar);
    layout->addLayout(side);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QDate TCalendarForm::Date() const {
    return FCalendar->selectedDate();
}

void TCalendarForm::SetDate(const QDate& date) {
    FCalendar->setSelectedDate(date);
    FCalendar->setCurrentPage(date.year(), date.month());
}

void TCalendarForm::ShowSeason(int month, int day) {
    SetDate(QDate(FCalendar->yearShown(), month, day));
}

void TCalendarForm::PopUpSeasons() {
    FSeasons->popup(QCursor::pos());
}
