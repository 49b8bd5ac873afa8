#pragma once
// Entry lines and row fields. An entry grid is configured by text lines, one per row:
//   name; format; units; mode; lower limit; upper limit; increment
// (an enum line: name; enum; units; choice; choice; ...). Each row gets a field object that holds the
// format, the button kind and, for numbers, the limits and the spin step. No widgets here: the grid
// owns the fields and calls CreateRowField for every line after the header.
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

// The button a row gets.
enum TFieldKind : unsigned char {
    fk_None,   // no button
    fk_PropEd, // property-editor button
    fk_Enum,   // pick list
    fk_Spin,   // spin buttons
};

// How a number is printed; shared by the entry grid and the formatted edit box.
enum TFormatType : unsigned char {
    ft_Auto,         // significant digits: SigDigsFormat(SigDigs, 12, value)
    ft_Fixed,        // the field's own format
    ft_AutoOverride, // significant digits below 10^(2 - Decimals) (so every negative value), else the format
    ft_Manual,       // the field's own format, kept when the edit box changes units
};

// A row's property editor: takes the row value in and out, returns 1 (store and commit), 2 (refocus
// only) or anything else (nothing).
using TPropertyEditorFunc = std::function<int(QVariant& value)>;
// Replaces the built-in spin stepping: takes the current value and returns the new one.
using TSpinFunc = std::function<double(double value)>;

// A row with a text value, and the base of every field. The virtual destructor lets the grid own rows
// through TField pointers and tell the classes apart with dynamic_cast.
class TField {
public:
    TField(TFieldKind kind, const QString& formatStr);
    virtual ~TField() = default;

    QString FormatStr;
    TFieldKind Kind;
    bool Enabled = true;  // false: grey text, no button, no pick list, no editor
    bool Editable = true; // false: no in-place editor, buttons still work
    TPropertyEditorFunc PropertyEditor;
};

// A row with one number. Limits are in base units; limits 0 and 0 mean no range check.
class TNumField : public TField {
public:
    TNumField(TFieldKind kind, const QString& formatStr, double rangeLo, double rangeHi, double increment);

    double RangeLo;
    double RangeHi;
    double Increment;
    TSpinFunc SpinUp;
    TSpinFunc SpinDown;
    double Factor = 1.0; // shown = ToDisplay(value, Factor, Offset)
    double Offset = 0.0;
    int Decimals; // FormatDecimals(FormatStr) at construction
    TFormatType FormatType = ft_Fixed;
    int SigDigs = 5;
};

// A row with two numbers written "a/b" (format such as "%0.1f/%0.1f"); both share limits and step.
class TDelimNumField : public TNumField {
public:
    using TNumField::TNumField;
};

// A row with a choice from Items; its value is the index of the chosen item.
class TEnumField : public TField {
public:
    explicit TEnumField(const QStringList& items);

    QStringList Items;
};

// The trimmed pieces of text between delimiters (blanks and control characters trimmed). Empty pieces
// between delimiters stay; a final delimiter adds no empty piece; an empty text gives an empty list.
QStringList SplitLine(QChar delim, const QString& text);

// What CreateRowField builds for one line.
struct TRowField {
    std::unique_ptr<TField> Field;
    QStringList Cells; // texts of cells 0, 1 and 2: name, initial value text, units
};

// Builds the field of one entry line and the initial texts of the row's cells. A numeric line (integer
// or fixed/general format) whose limit or step does not read as a number becomes a text field with
// format "%S" after the message "Error initialising <name>" goes to the error hook; its value cell still
// shows the format applied to 0. Limits and step are read in the C form ("0.5") or the locale's form.
TRowField CreateRowField(const QString& line, QChar delim = QLatin1Char(';'));

// Where CreateRowField sends its error message. The widget layer points it at an error dialog with one
// OK button; tests replace it. Unset, messages go to qWarning. Returns the previous hook.
using TFieldErrorHook = std::function<void(const QString& message)>;
TFieldErrorHook SetFieldErrorHook(TFieldErrorHook hook);

// The text of number x (display units) under a numeric format: an integer format prints x rounded to
// the nearest integer (ties to even); a fixed or general format prints by formatType (decimals is the
// format's FormatDecimals, sigDigs the significant digits of ft_Auto and ft_AutoOverride). nullopt for
// any other format, where callers leave their text as it is.
std::optional<QString> FormatNumberByType(const QString& format, TFormatType formatType, int decimals,
                                          int sigDigs, double x);

// The value of a pair row or box from its shown text (cleaned with NormalizeNumberText): two numbers
// give format applied to both taken back with FromDisplay; a single number gives it taken back and
// printed with "%0.4g". Raises EConvertError.
QString PairValueFromText(const QString& format, const QString& text, double factor, double offset);
// The shown text of a pair value "a/b": format applied to both numbers put through ToDisplay. A value
// with a single number counts as that number and 0. Raises EConvertError.
QString PairTextFromValue(const QString& format, const QString& value, double factor, double offset);
