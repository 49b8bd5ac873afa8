#include "SunPositionDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

TSunPositionForm::TSunPositionForm(QWidget* parent)
    : QDialog(parent), FMethod(new QComboBox(this)), FYear(new QSpinBox(this)) {
    setWindowTitle(QStringLiteral("Sun Position"));
    setObjectName(QStringLiteral("SunPositionForm"));
    FMethod->addItem(QStringLiteral("Published (fits of the day number)"));
    FMethod->addItem(QStringLiteral("Precise (astronomical, within 0.01\u00B0)"));
    FYear->setRange(PreciseFirstYear, PreciseLastYear);
    auto* note = new QLabel(QStringLiteral("The worked examples use the published method. The precise one "
                                           "reads the day number as a date of that year."),
                            this);
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(FMethod, &QComboBox::currentIndexChanged, this, [this](int i) { FYear->setEnabled(i == 1); });

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Method:"), FMethod);
    form->addRow(QStringLiteral("&Year:"), FYear);
    form->addRow(note);
    form->addRow(buttons);
    // The size its rows need, the wrapped note's lines included: made smaller, the note ran over the
    // Year row and lost its last line.
    form->setSizeConstraint(QLayout::SetFixedSize);
    SetMethod(smPublished, 2000);
}

void TSunPositionForm::SetMethod(TSunMethod method, int year) {
    FMethod->setCurrentIndex(method == smPrecise ? 1 : 0);
    FYear->setEnabled(method == smPrecise);
    FYear->setValue(year);
}

TSunMethod TSunPositionForm::Method() const {
    return FMethod->currentIndex() == 1 ? smPrecise : smPublished;
}

int TSunPositionForm::Year() const {
    return FYear->value();
}
