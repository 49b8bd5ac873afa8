#include "TxFmtEdit.h"

#include "controls/TxNumText.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>

#include <cmath>

namespace {

std::function<void()>& BeepHook() {
    static std::function<void()> hook;
    return hook;
}

// The text of a new box, "0.0" with the locale's decimal separator.
QString DefaultText() {
    return FormatFloat(QStringLiteral("%0.1f"), 0.0);
}

// QLineEdit's own "no limit".
constexpr int NoLengthLimit = 32767;

// Applies a text format ("%S", "%-10s", "Name: %s") to a text. Any conversion other than one "s"
// cannot take a text and raises the conversion error, as a numeric conversion would for a string.
QString FormatText(const QString& format, const QString& value) {
    QString out;
    bool used = false;
    int i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c != QLatin1Char('%')) {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            i += 2;
            continue;
        }
        int j = i + 1;
        bool left = false;
        while (j < format.size() && QStringLiteral("-+ #0").contains(format[j]))
            left |= format[j++] == '-';
        int width = 0;
        while (j < format.size() && format[j].isDigit())
            width = qMin(width * 10 + format[j++].digitValue(), 1000);
        int precision = -1;
        if (j < format.size() && format[j] == QLatin1Char('.')) {
            ++j;
            precision = 0;
            while (j < format.size() && format[j].isDigit())
                precision = qMin(precision * 10 + format[j++].digitValue(), 100000);
        }
        if (j >= format.size() || format[j].toLower() != QLatin1Char('s') || used)
            throw EConvertError(
                QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
        used = true;
        const QString piece = precision >= 0 ? value.left(precision) : value;
        out += left ? piece.leftJustified(width) : piece.rightJustified(width);
        i = j + 1;
    }
    return out;
}

// Round to the nearest integer, ties to the even neighbour; raises the conversion error for a value
// that no integer holds.
long long RoundEven(double x) {
    if (!std::isfinite(x) || std::fabs(x) > 9.2e18)
        throw EConvertError(ConvertErrorMessage(FormatFloat(QStringLiteral("%g"), x)));
    return static_cast<long long>(std::nearbyint(x));
}

// A variant as a number: texts are read in the user's locale, numbers taken as they are.
double VariantNumber(const QVariant& v) {
    double x = 0;
    if (v.typeId() == QMetaType::QString) {
        x = StrToFloat(v.toString());
    } else {
        bool ok = false;
        x = v.toDouble(&ok);
        if (!ok) throw EConvertError(ConvertErrorMessage(v.toString()));
    }
    if (!std::isfinite(x)) throw EConvertError(ConvertErrorMessage(v.toString()));
    return x;
}

bool IsNumberVariant(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsDecimalPoint(QChar c) {
    return c == QLatin1Char('.') || c == LocaleDecimalSeparator();
}

// A key that types text (as opposed to an editing or navigation key or a shortcut).
bool TypesText(const QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString t = e->text();
    if (t.isEmpty()) return false;
    for (QChar c : t)
        if (c.category() == QChar::Other_Control) return false;
    return true;
}

} // namespace

void SystemBeep() {
    if (BeepHook())
        BeepHook()();
    else
        QApplication::beep();
}

std::function<void()> SetBeepHook(std::function<void()> hook) {
    std::function<void()> previous = std::move(BeepHook());
    BeepHook() = std::move(hook);
    return previous;
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
    if (IsStringFormat(FFormatStr)) {
        try {
            ShowText(FormatText(FFormatStr, text));
        } catch (const EConvertError&) {
            setModified(true); // a format that cannot take text: keep the text as typed
        }
        return true;
    }
    try {
        const QString clean = NormalizeNumberText(text);
        bool ok = true;
        QString shown = text;
        if (IsPairFormat(FFormatStr)) {
            double a = 0, b = 0;
            const bool two = ParseNumberPair(clean, a, b);
            ok = InRange(a);
            if (two) {
                ok = InRange(b) && ok;
                shown = FormatPair(FFormatStr, a, b);
            } else {
                shown = FormatFloat(FFormatStr.left(FFormatStr.indexOf(QLatin1Char('/'))), a);
            }
        } else {
            double v = StrToFloat(clean);
            ok = InRange(v);
            shown = FormatNumberByType(FFormatStr, FFormatType, FDecimals, FSigDigs, v).value_or(text);
        }
        ShowText(shown);
        return ok;
    } catch (const EConvertError&) {
        return true; // not a number: the text stays as typed
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

// Display value against the display limits. An overshoot of up to 0.5 % of a non-zero limit passes as
// typed; beyond it the value becomes the limit and the check fails. Limits both 0, or equal, mean no
// check.
bool TxCustomEdit::InRange(double& v) const {
    const double lo = static_cast<double>(ToDisplay(FRangeLo, FFactor, FOffset));
    const double hi = static_cast<double>(ToDisplay(FRangeHi, FFactor, FOffset));
    if (std::fabs(hi - lo) < 1e-5 || (lo == 0 && hi == 0)) return true;
    if (v < lo) {
        if (lo != 0 && std::fabs((lo - v) / lo) <= 0.005) return true;
        v = lo;
        return false;
    }
    if (v > hi) {
        if (hi != 0 && std::fabs((v - hi) / hi) <= 0.005) return true;
        v = hi;
        return false;
    }
    return true;
}

void TxCustomEdit::TakeFocusBack() {
    if (!isVisible() || hasFocus()) return;
    // The focus-in that follows must not take the clamped text as the text to return to on Escape.
    FRefocusing = true;
    setFocus(Qt::OtherFocusReason);
    FRefocusing = false;
}

// ---- Value and units ------------------------------------------------------------------------------

bool TxCustomEdit::ReadValue(QVariant& value) const {
    try {
        if (IsStringFormat(FFormatStr)) {
            value = FormatText(FFormatStr, text());
            return true;
        }
        const QString clean = NormalizeNumberText(text());
        if (IsPairFormat(FFormatStr)) {
            double a = 0, b = 0;
            if (ParseNumberPair(clean, a, b))
                value = FormatPair(FFormatStr, FromBox(a), FromBox(b));
            else
                value = FormatFloat(QStringLiteral("%0.4g"), FromBox(a));
            return true;
        }
        const double x = FromBox(StrToFloat(clean));
        if (IsIntegerFormat(FFormatStr))
            value = static_cast<qlonglong>(RoundEven(x));
        else
            value = x;
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
        if (IsStringFormat(FFormatStr)) {
            setText(FormatText(FFormatStr, value.toString()));
        } else if (IsPairFormat(FFormatStr)) {
            double a = 0, b = 0; // a single number counts as that number and 0
            if (IsNumberVariant(value))
                a = VariantNumber(value);
            else
                ParseNumberPair(value.toString(), a, b);
            setText(FormatPair(FFormatStr, ToBox(a), ToBox(b)));
        } else {
            const double x = ToBox(VariantNumber(value));
            if (auto shown = FormatNumberByType(FFormatStr, FFormatType, FDecimals, FSigDigs, x))
                setText(*shown);
        }
    } catch (const EConvertError&) {
        clear();
    }
}

double TxCustomEdit::ToBox(double base) const {
    const double x = static_cast<double>(ToDisplay(base, FFactor, FOffset));
    if (!std::isfinite(x)) throw EConvertError(ConvertErrorMessage(FormatFloat(QStringLiteral("%g"), x)));
    return x;
}

double TxCustomEdit::FromBox(double display) const {
    const double x = static_cast<double>(FromDisplay(display, FFactor, FOffset));
    if (!std::isfinite(x)) throw EConvertError(ConvertErrorMessage(FormatFloat(QStringLiteral("%g"), x)));
    return x;
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
    if (selectedText().size() > 1) {
        const int start = selectionStart();
        del();
        setCursorPosition(start);
        setModified(true);
    }
    QString accepted;
    for (QChar c : typed) {
        if (!IsValidChar(c)) {
            SystemBeep();
            return;
        }
        // A typed "." is the decimal point, shown as the locale's separator.
        accepted += (c == QLatin1Char('.') && !IsAnyTextFormat()) ? LocaleDecimalSeparator() : c;
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
    // Coming back from another window or a context menu continues the edit; only a real entry
    // starts a new one.
    if (FRefocusing || e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    DoEnter();
}

void TxCustomEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
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
