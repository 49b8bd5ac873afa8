#include "TxFmtEdit.h"

#include "controls/TxHook.h"
#include "controls/TxNumText.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>

#include <cmath>

namespace {

THook<>& BeepHook() {
    static THook<> hook([] { QApplication::beep(); });
    return hook;
}

// The text of a new box, "0.0" with the locale's decimal separator.
QString DefaultText() {
    return FormatFloat(QStringLiteral("%0.1f"), 0.0);
}

// QLineEdit's own "no limit".
constexpr int NoLengthLimit = 32767;

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsDecimalPoint(QChar c) {
    return c == QLatin1Char('.') || c == LocaleDecimalSeparator();
}

bool HasPrintableText(const QKeyEvent* e) {
    const QString t = e->text();
    if (t.isEmpty()) return false;
    for (QChar c : t)
        if (c.category() == QChar::Other_Control) return false;
    return true;
}

// A key that types text (as opposed to an editing or navigation key or a shortcut).
bool TypesText(const QKeyEvent* e) {
    return !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && HasPrintableText(e);
}

} // namespace

// A letter with Alt or Meta is a menu's or a button's key, never text: the line edit would type it.
bool IsCommandLetter(const QKeyEvent* e) {
    return (e->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) && HasPrintableText(e);
}

namespace {

// The focus going to another window, a menu or a popup and coming back: the user did not leave the box.
bool IsPassingFocus(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}

} // namespace

void SystemBeep() {
    BeepHook()();
}

std::function<void()> SetBeepHook(std::function<void()> hook) {
    return BeepHook().Set(std::move(hook));
}

void RefuseValue(QObject* context, const QString& message, std::function<void(const QString&)> show) {
    SystemBeep();
    QMetaObject::invokeMethod(
        context, [message, show = std::move(show)] { show(message); }, Qt::QueuedConnection);
}

// ---- TxCustomEdit ---------------------------------------------------------------------------------

TxCustomEdit::TxCustomEdit(QWidget* parent) : QLineEdit(parent), FFormatStr(QStringLiteral("%0.1f")) {
    setText(DefaultText());
    FSavedText = text();
}

TxCustomEdit::~TxCustomEdit() = default;

bool TxCustomEdit::EditCanModify() {
    return true;
}

void TxCustomEdit::Reset() {
    if (!Modified()) return;
    setText(FSavedText);
    setModified(false);
}

bool TxCustomEdit::ValidateText(const QString& text) {
    // An emptied number box is no number, though the number clean-up reads it as 0: it stays empty,
    // like any other text that is no number, for its reader to refuse.
    if (text.trimmed().isEmpty() && !IsStringFormat(FFormatStr)) return true;
    try {
        bool inRange = true;
        ShowText(ValueFormat()->Tidy(text, inRange));
        return inRange;
    } catch (const EConvertError&) {
        // Not a number, or a format that cannot take text: the text stays as typed.
        if (IsStringFormat(FFormatStr)) setModified(true);
        return true;
    }
}

void TxCustomEdit::ValidateError() {
    SystemBeep();
}

void TxCustomEdit::ValidateEdit() {
    if (Modified() && !ValidateText(text())) {
        TakeFocusBack();
        setModified(true);
        ValidateError();
    }
}

void TxCustomEdit::DoEnter() {
    FSavedText = text();
    setModified(false);
    if (OnEnter) OnEnter(this);
}

void TxCustomEdit::DoExit() {
    ValidateEdit();
    // A box that kept the focus after a failed validation stays modified; otherwise leaving ends the edit.
    if (!hasFocus()) setModified(false);
    if (OnExit) OnExit(this);
}

// Shows a validated text; the box counts as modified from then on, so Escape still returns to the
// text it was entered with.
void TxCustomEdit::ShowText(const QString& text) {
    if (text != this->text()) setText(text);
    setModified(true);
}

void TxCustomEdit::TakeFocusBack() {
    if (!isVisible() || hasFocus()) return;
    // The focus-in that follows must not take the clamped text as the text to return to on Escape.
    FRefocusing = true;
    setFocus(Qt::OtherFocusReason);
    FRefocusing = false;
}

// ---- Value and units ------------------------------------------------------------------------------

std::unique_ptr<TField> TxCustomEdit::ValueFormat() const {
    std::unique_ptr<TField> field = IsStringFormat(FFormatStr) ? std::make_unique<TField>(fk_None, FFormatStr)
                                                               : MakeValueField(FFormatStr);
    if (auto* num = dynamic_cast<TNumField*>(field.get())) {
        num->RangeLo = FRangeLo;
        num->RangeHi = FRangeHi;
        num->Factor = FFactor;
        num->Offset = FOffset;
        num->Decimals = FDecimals;
        num->FormatType = FFormatType;
        num->SigDigs = FSigDigs;
    }
    return field;
}

bool TxCustomEdit::ReadValue(QVariant& value) const {
    try {
        value = ValueFormat()->ValueOf(text());
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

QVariant TxCustomEdit::Value() const {
    QVariant value;
    return ReadValue(value) ? value : QVariant(text());
}

void TxCustomEdit::SetValue(const QVariant& value) {
    try {
        setText(ValueFormat()->TextOf(value));
    } catch (const EConvertError&) {
        clear();
    }
}

void TxCustomEdit::ApplyUnits() {
    if (FUnitsType == utNone && (IsStringFormat(FFormatStr) || IsIntegerFormat(FFormatStr))) return;
    // The value as the old factor and offset read it; a pair keeps its text. A text that is no number
    // is left as it is, but the new units still take effect.
    const bool pair = IsPairFormat(FFormatStr);
    QVariant value;
    bool haveValue = ReadValue(value);
    if (haveValue && !pair && value.typeId() == QMetaType::QString) haveValue = false;

    QString label, unitFormat;
    UnitsInfo(FUnitsType, FUnitsValue, FUnitsBase, label, FFactor, FOffset, unitFormat);
    if (FFormatType != ft_Manual && FUnitsType != utNone) FFormatStr = unitFormat;
    if (IsStringFormat(FFormatStr)) return;

    FDecimals = FormatDecimals(FFormatStr);
    if (FUnitsLabel) FUnitsLabel->setText(FUnitsType == utNone ? QString() : label);
    if (pair && !IsPairFormat(FFormatStr)) FFormatStr = FFormatStr + QLatin1Char('/') + FFormatStr;
    if (haveValue) SetValue(value);
}

void TxCustomEdit::Assign(const TxCustomEdit& source) {
    if (&source == this) return;
    FFormatStr = source.FFormatStr;
    FUnitsType = source.FUnitsType;
    FUnitsValue = source.FUnitsValue;
    FUnitsBase = source.FUnitsBase;
    FFactor = source.FFactor;
    FOffset = source.FOffset;
    FDecimals = source.FDecimals;
    FFormatType = source.FFormatType;
    FSigDigs = source.FSigDigs;
    setText(source.text());
}

// ---- Properties -----------------------------------------------------------------------------------

void TxCustomEdit::SetFormatStr(const QString& format) {
    FFormatStr = format;
    if (format == QLatin1String("%S") && text() == DefaultText()) clear();
}

void TxCustomEdit::SetUnitsType(TUnitsType type) {
    FUnitsType = type;
    FUnitsValue = ClampUnitIndex(type, FUnitsValue);
    FUnitsBase = ClampUnitIndex(type, FUnitsBase);
    FFactor = 1.0;
    FOffset = 0.0;
    ApplyUnits();
}

void TxCustomEdit::SetUnitsValue(int index) {
    FUnitsValue = ClampUnitIndex(FUnitsType, index);
    ApplyUnits();
}

void TxCustomEdit::SetUnitsBase(int index) {
    FUnitsBase = ClampUnitIndex(FUnitsType, index);
    ApplyUnits();
}

QLabel* TxCustomEdit::UnitsLabel() const {
    return FUnitsLabel.data();
}

void TxCustomEdit::SetUnitsLabel(QLabel* label) {
    if (IsStringFormat(FFormatStr)) FFormatStr = QStringLiteral("%0.1f");
    FUnitsLabel = label;
    // A label linked after the units were set shows them at once rather than on the next change.
    if (label && FUnitsType != utNone) label->setText(UnitLabel(FUnitsType, FUnitsValue));
}

int TxCustomEdit::MaxLength() const {
    return maxLength() >= NoLengthLimit ? 0 : maxLength();
}

void TxCustomEdit::SetMaxLength(int length) {
    setMaxLength(length > 0 ? length : NoLengthLimit);
}

// ---- Keys and focus -------------------------------------------------------------------------------

bool TxCustomEdit::event(QEvent* e) {
    // While modified the box keeps Escape from shortcuts and dialogs, so Escape undoes the typing
    // instead of cancelling the window.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Escape && Modified()) {
            e->accept();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void TxCustomEdit::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Copy) || e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut)) {
        QLineEdit::keyPressEvent(e); // pasting is not filtered; validation sorts it out
        return;
    }
    const bool canModify = EditCanModify() && !isReadOnly();
    switch (e->key()) {
    case Qt::Key_Escape:
        if (Modified()) {
            Reset();
            e->accept();
        } else {
            e->ignore(); // nothing to undo: the window's cancel gets the key
        }
        return;
    case Qt::Key_Backspace:
        if (canModify) {
            DeleteCharBeforeCaret();
            setModified(true);
        }
        e->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (canModify) ValidateEdit();
        e->accept();
        return;
    default:
        break;
    }
    if (IsCommandLetter(e)) {
        e->ignore(); // left to the window; refused here whatever it is
        return;
    }
    if (!TypesText(e)) {
        QLineEdit::keyPressEvent(e); // navigation, Delete, undo and other editing keys
        return;
    }
    if (canModify) TypeText(e->text());
    e->accept();
}

void TxCustomEdit::inputMethodEvent(QInputMethodEvent* e) {
    // Text committed by an input method is typed text and goes through the same filter.
    if (!e->commitString().isEmpty() && e->preeditString().isEmpty() && e->replacementLength() == 0) {
        if (EditCanModify() && !isReadOnly()) TypeText(e->commitString());
        e->accept();
        return;
    }
    QLineEdit::inputMethodEvent(e);
}

void TxCustomEdit::TypeText(const QString& typed) {
    // Every character is checked before anything changes: a refused key leaves the text and its
    // selection as they were.
    QString accepted;
    for (QChar c : typed) {
        if (!IsValidChar(c)) {
            SystemBeep();
            return;
        }
        // A typed "." is the decimal point, shown as the locale's separator.
        accepted += (c == QLatin1Char('.') && !IsAnyTextFormat()) ? LocaleDecimalSeparator() : c;
    }
    if (selectedText().size() > 1) {
        const int start = selectionStart();
        del();
        setCursorPosition(start);
        setModified(true);
    }
    insert(accepted);
}

bool TxCustomEdit::IsAnyTextFormat() const {
    return !IsPairFormat(FFormatStr) && !IsIntegerFormat(FFormatStr) && !IsFloatFormat(FFormatStr);
}

bool TxCustomEdit::IsValidChar(QChar c) {
    setModified(true);
    const bool digit = IsAsciiDigit(c);
    const bool minus = c == QLatin1Char('-');
    if (IsPairFormat(FFormatStr)) return digit || minus || IsDecimalPoint(c) || c == QLatin1Char('/');
    if (IsIntegerFormat(FFormatStr)) return digit || minus;
    if (IsFloatFormat(FFormatStr)) {
        const bool exponent = (c == QLatin1Char('e') || c == QLatin1Char('E')) && IsGeneralFormat(FFormatStr);
        return digit || minus || IsDecimalPoint(c) || exponent;
    }
    return true;
}

void TxCustomEdit::DeleteCharBeforeCaret() {
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    if (caret <= 0) return;
    const QString t = text();
    // A character outside the basic plane is two code units; remove both halves.
    const int n = (caret >= 2 && t[caret - 1].isLowSurrogate() && t[caret - 2].isHighSurrogate()) ? 2 : 1;
    setSelection(caret - n, n);
    del();
    setCursorPosition(caret - n);
}

void TxCustomEdit::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // Coming back from another window, a menu or a context menu continues the edit; only a real entry
    // starts a new one.
    if (FRefocusing || IsPassingFocus(e->reason())) return;
    DoEnter();
}

void TxCustomEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (IsPassingFocus(e->reason())) return;
    DoExit();
}

void CommitEdit(TxCustomEdit* box) {
    if (!box) return;
    box->ValidateEdit();
    if (box->OnExit) box->OnExit(box);
    box->SetModified(false);
}

// ---- TxFEdit --------------------------------------------------------------------------------------

TxFEdit::TxFEdit(QWidget* parent) : TxCustomEdit(parent) {}
