#pragma once
// The formatted one-line edit box: one number, a pair of numbers "a/b" or free text, shown through a
// printf-style format, filtered key by key, checked against a range and reformatted when the user
// leaves the box or presses Enter. TxCustomEdit holds the behaviour (the grid's in-place editor
// derives from it); TxFEdit publishes it as properties for forms.
#include "controls/TxConv.h"
#include "controls/TxFields.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>

#include <functional>
#include <memory>

class QKeyEvent;

// The default system beep of the input controls. Tests replace the hook to count beeps; an empty
// hook restores QApplication::beep(). SetBeepHook returns the hook it replaced.
void SystemBeep();
std::function<void()> SetBeepHook(std::function<void()> hook);

// Refuses a typed value: beeps at once, and hands the message to show on from the event loop, once the
// editor that held the value has finished closing or losing the focus (a modal box inside that step
// would run while the editor is still being taken down). Nothing follows if context is gone by then.
void RefuseValue(QObject* context, const QString& message, std::function<void(const QString&)> show);

// Whether a key is a letter, digit or sign held with Alt or Meta: a command's key, which no edit box
// types.
bool IsCommandLetter(const QKeyEvent* e);

class TxCustomEdit : public QLineEdit {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(QObject* sender)>;

    explicit TxCustomEdit(QWidget* parent = nullptr);
    ~TxCustomEdit() override;

    // ---- Behaviour that subclasses may change -----------------------------------------------------
    // Whether typing may change the text; the grid's editor asks its grid instead.
    virtual bool EditCanModify();
    // Back to the text the box had when it was entered, if it was modified.
    virtual void Reset();
    // Reads, range-checks, reformats and shows a text. False only when a number was out of range and
    // was replaced by the nearest limit; text that is no number (an empty one too) stays as it is and
    // counts as valid.
    virtual bool ValidateText(const QString& text);
    // Sounds the beep of a failed validation.
    virtual void ValidateError();
    // Validates the shown text if it was modified; on failure the box takes the focus back, stays
    // modified and beeps.
    virtual void ValidateEdit();

    // Entering the box: remembers the text for Escape and clears Modified. Focus-in calls it; the
    // grid calls it when it sets its editor up for a cell.
    void DoEnter();

    // ---- Value and units --------------------------------------------------------------------------
    // The value in base units: a double (integer formats: a rounded qlonglong), or a QString for text
    // and pair formats. Text that is no number comes back as it is.
    QVariant Value() const;
    // Shows a value given in base units through the format; a value that cannot be shown empties the
    // text.
    void SetValue(const QVariant& value);
    // Re-reads the value, takes the factor, offset, label and (unless ft_Manual) format of the current
    // units, and shows the value again in the new display unit.
    void ApplyUnits();
    // Copies format, units, factor, offset, decimals, format type, significant digits and text; the
    // range is left alone.
    void Assign(const TxCustomEdit& source);

    // ---- Properties -------------------------------------------------------------------------------
    QString FormatStr() const { return FFormatStr; }
    void SetFormatStr(const QString& format);
    TFormatType FormatType() const { return FFormatType; }
    void SetFormatType(TFormatType type) { FFormatType = type; }
    int SigDigs() const { return FSigDigs; }
    void SetSigDigs(int digits) { FSigDigs = digits; }
    int Decimals() const { return FDecimals; }
    TUnitsType UnitsType() const { return FUnitsType; }
    void SetUnitsType(TUnitsType type);
    int UnitsValue() const { return FUnitsValue; }
    void SetUnitsValue(int index);
    int UnitsBase() const { return FUnitsBase; }
    void SetUnitsBase(int index);
    double Factor() const { return FFactor; }
    double Offset() const { return FOffset; }
    // Limits in base units; both 0 (or equal) means no check.
    double RangeLo() const { return FRangeLo; }
    void SetRangeLo(double lo) { FRangeLo = lo; }
    double RangeHi() const { return FRangeHi; }
    void SetRangeHi(double hi) { FRangeHi = hi; }
    // A label (not owned) that shows the display unit; cleared by itself when the label is destroyed.
    QLabel* UnitsLabel() const;
    void SetUnitsLabel(QLabel* label);
    QString SavedText() const { return FSavedText; }
    bool Modified() const { return isModified(); }
    void SetModified(bool modified) { setModified(modified); }
    // The longest text the user may type; 0 or less means no limit.
    int MaxLength() const;
    void SetMaxLength(int length);

    // ---- Events -----------------------------------------------------------------------------------
    TNotifyEvent OnEnter;       // after the box was entered
    TNotifyEvent OnExit;        // after the box was left (and validated), and from CommitEdit
    TNotifyEvent OnUnitsEdited; // for a units selector; nothing in the program fires it

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

    // Leaving the box: validates, and fires OnExit. Focus-out calls it.
    virtual void DoExit();
    // Removes the character before the caret (before a selection), keeping the selected text.
    void DeleteCharBeforeCaret();
    // Whether a typed character fits the kind of format; marks the box modified either way.
    virtual bool IsValidChar(QChar c);

private:
    // The field that formats, reads and checks the box's value with its current settings.
    std::unique_ptr<TField> ValueFormat() const;
    bool ReadValue(QVariant& value) const;
    void ShowText(const QString& text);
    void TakeFocusBack();
    void TypeText(const QString& typed);
    bool IsAnyTextFormat() const;

    QString FFormatStr;
    TFormatType FFormatType = ft_Fixed;
    int FSigDigs = 5;
    int FDecimals = 0;
    TUnitsType FUnitsType = utNone;
    int FUnitsValue = 0;
    int FUnitsBase = 0;
    double FFactor = 1.0;
    double FOffset = 0.0;
    double FRangeLo = 0.0;
    double FRangeHi = 0.0;
    QPointer<QLabel> FUnitsLabel;
    QString FSavedText;
    bool FRefocusing = false; // taking the focus back after a failed validation
};

// Validates the box, fires its OnExit and clears Modified; the main window calls it before it reads
// the boxes for a calculation. A null box is ignored.
void CommitEdit(TxCustomEdit* box);

// The edit box of forms: TxCustomEdit with its settings published as properties.
class TxFEdit : public TxCustomEdit {
    Q_OBJECT
    Q_PROPERTY(QString FormatStr READ FormatStr WRITE SetFormatStr)
    Q_PROPERTY(TFormatType FormatType READ FormatType WRITE SetFormatType)
    Q_PROPERTY(int SigDigs READ SigDigs WRITE SetSigDigs)
    Q_PROPERTY(TUnitsType UnitsType READ UnitsType WRITE SetUnitsType)
    Q_PROPERTY(int UnitsBase READ UnitsBase WRITE SetUnitsBase)
    Q_PROPERTY(int UnitsValue READ UnitsValue WRITE SetUnitsValue)
    Q_PROPERTY(QLabel* UnitsLabel READ UnitsLabel WRITE SetUnitsLabel)
    Q_PROPERTY(double RangeHi READ RangeHi WRITE SetRangeHi)
    Q_PROPERTY(double RangeLo READ RangeLo WRITE SetRangeLo)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
public:
    explicit TxFEdit(QWidget* parent = nullptr);
};
