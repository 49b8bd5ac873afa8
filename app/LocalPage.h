#pragma once
// The Local page: sunrise, sunset, declination, equation of time, and the sun at a typed time.
#include "app/ResultPage.h"

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// "Local": sunrise, sunset, declination, equation of time, and the sun at a typed time.
class TLocalPage : public TResultPageWidget {
    Q_OBJECT
public:
    explicit TLocalPage(TCalcDocument& doc);
    void LocalChanged() override;
    // The typed time and its kind reach the document.
    void CommitTime();
    // "Update Local Angles".
    void Label9Click();

protected:
    void Build() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* FSunriseEdit = nullptr;
    QLineEdit* FSunsetEdit = nullptr;
    QLineEdit* FSolDecEdit = nullptr;
    QLineEdit* FEqnTimeEdit = nullptr;
    QLineEdit* FClockTimeEdit = nullptr;
    QRadioButton* FClockTimeRadio = nullptr;
    QRadioButton* FSolarTimeRadio = nullptr;
    QPlainTextEdit* FLocalMemo = nullptr;
};
