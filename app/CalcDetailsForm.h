#pragma once
// The Calculation Details window: the working behind one solved clock hour, read-only, one row a step
// (quantity, symbol, formula, the formula with the values put in, value, unit) under a row for each
// part of the calculation. Copy puts the same text on the clipboard as the command line's --explain.
#include <QDialog>

class QLabel;
class QTreeWidget;
class TCalcDocument;

class TCalcDetailsForm : public QDialog {
    Q_OBJECT
public:
    explicit TCalcDetailsForm(QWidget* parent = nullptr);

    // Shows the steps of `hour` of the solved document (nothing when the solve did not compute it).
    void SetDetails(const TCalcDocument& doc, int hour);
    QTreeWidget* List() const { return FList; }
    // The text that Copy puts on the clipboard.
    const QString& Text() const { return FText; }
    // Puts the text on the clipboard ("&Copy", Ctrl+C).
    void CopyText();

private:
    void FitWidth();

    QLabel* FTitle = nullptr;
    QTreeWidget* FList = nullptr;
    QString FText;
};
