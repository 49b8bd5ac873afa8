#include "storage/PlainText.h"

#include <QFormLayout>
#include <QLabel>

QLabel* PlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

void AddPlainRow(QFormLayout* form, const QString& label, QWidget* field) {
    QLabel* shown = PlainLabel(label);
    shown->setBuddy(field);
    form->addRow(shown, field);
}

void ShowPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, title, shown, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse); // a path or value can be copied
    box.exec();
}
