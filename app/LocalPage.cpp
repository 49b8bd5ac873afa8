#include "LocalPage.h"

#include "storage/PlainText.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A read-only field of the Local page.
QLineEdit* ReadOnlyField() {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

} // namespace

TLocalPage::TLocalPage(TCalcDocument& doc) : TResultPageWidget(doc) {}

void TLocalPage::Build() {
    FSunriseEdit = ReadOnlyField();
    FSunsetEdit = ReadOnlyField();
    FSolDecEdit = ReadOnlyField();
    FEqnTimeEdit = ReadOnlyField();
    // A double click on sunrise or sunset puts that time into the time box.
    FSunriseEdit->installEventFilter(this);
    FSunsetEdit->installEventFilter(this);
    FClockTimeEdit = new QLineEdit(FDoc.LocalTimeText());
    FClockTimeEdit->setAlignment(Qt::AlignRight);
    auto* fields = new QFormLayout;
    AddPlainRow(fields, QStringLiteral("Sunrise, Hour:Min"), FSunriseEdit);
    AddPlainRow(fields, QStringLiteral("Sunset, Hour:Min"), FSunsetEdit);
    AddPlainRow(fields, QStringLiteral("Solar Declination, Deg"), FSolDecEdit);
    AddPlainRow(fields, QStringLiteral("Equation of Time, min"), FEqnTimeEdit);
    AddPlainRow(fields, QStringLiteral("Time, Hours"), FClockTimeEdit);

    FClockTimeRadio = new QRadioButton(QStringLiteral("Clock Time"));
    FSolarTimeRadio = new QRadioButton(QStringLiteral("Solar Time"));
    (FDoc.LocalTimeIsSolar() ? FSolarTimeRadio : FClockTimeRadio)->setChecked(true);
    // The document always knows the time and its kind, for the Angles list's row clicks too.
    connect(FClockTimeEdit, &QLineEdit::textEdited, this, &TLocalPage::CommitTime);
    connect(FSolarTimeRadio, &QRadioButton::toggled, this, &TLocalPage::CommitTime);
    auto* update = LinkButton(QStringLiteral("Update Local Angles"));
    connect(update, &QPushButton::clicked, this, &TLocalPage::Label9Click);
    auto* kind = new QHBoxLayout;
    kind->addWidget(FClockTimeRadio);
    kind->addWidget(FSolarTimeRadio);
    kind->addStretch();

    FLocalMemo = new QPlainTextEdit;
    FLocalMemo->setReadOnly(true);
    for (QWidget* result : {static_cast<QWidget*>(FSunriseEdit), static_cast<QWidget*>(FSunsetEdit),
                            static_cast<QWidget*>(FSolDecEdit), static_cast<QWidget*>(FEqnTimeEdit),
                            static_cast<QWidget*>(FLocalMemo)})
        AddResultControl(result);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(kind);
    layout->addWidget(update);
    layout->addWidget(FLocalMemo, 1);
}

bool TLocalPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        CommitTime(); // the radio buttons stay as they are
        if (watched == FSunriseEdit) FDoc.LocalTimeFromSunrise();
        if (watched == FSunsetEdit) FDoc.LocalTimeFromSunset();
        return true;
    }
    return TResultPageWidget::eventFilter(watched, event);
}

void TLocalPage::LocalChanged() {
    if (!FLocalMemo) return;
    const TLocalFields& f = FDoc.LocalFields();
    FSunriseEdit->setText(f.Sunrise);
    FSunsetEdit->setText(f.Sunset);
    FSolDecEdit->setText(f.Declination);
    FEqnTimeEdit->setText(f.EquationOfTime);
    FClockTimeEdit->setText(FDoc.LocalTimeText());
    FLocalMemo->setPlainText(FDoc.LocalLines().join(QLatin1Char('\n')));
}

void TLocalPage::CommitTime() {
    if (FClockTimeEdit) FDoc.SetLocalTime(FClockTimeEdit->text(), FSolarTimeRadio->isChecked());
}

void TLocalPage::Label9Click() {
    CommitTime();
    FDoc.RefreshLocalAngles();
}
