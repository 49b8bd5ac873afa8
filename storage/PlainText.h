#pragma once
// Labels and message boxes that show their text as it is. Left to guess, Qt renders a text that looks
// like HTML as rich text, and rich text loads the images it names (a FIFO blocks, /dev/zero exhausts
// memory) and lays out nested tables in exponential time. Every label and message box of the program
// is made here, whether its text is fixed or comes from a file, the clipboard or the user.
#include <QMessageBox>
#include <QString>

class QFormLayout;
class QLabel;
class QWidget;

// A label that shows text literally.
QLabel* PlainLabel(const QString& text = QString(), QWidget* parent = nullptr);
// A row of a form: a plain label (its Alt+letter moves to field) and the field.
void AddPlainRow(QFormLayout* form, const QString& label, QWidget* field);
// A modal message box with one OK button that shows text literally; a CR LF ends a line.
void ShowPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text);
