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

// A row with a text value, and the base of every field. A field is also the value format of its row: it
// turns a value into the text shown and a text back into the value, so the entry grid and the edit box
// share one set of rules. Conversions raise EConvertError; callers decide what a failure shows.
class TField {
public:
    TField(TFieldKind kind, const QString& formatStr);
    virtual ~TField() = default;

    // The text that shows a value (numbers in base units, pair texts, enum indices, texts).
    virtual QString TextOf(const QVariant& value) const;
    // The value a shown text stands for: the counterpart of TextOf.
    virtual QVariant ValueOf(const QString& text) const;
    // A typed text (display units) cleaned up, range-checked and reformatted. inRange becomes false when
    // a number was out of range and was replaced by the nearest limit.
    virtual QString Tidy(const QString& text, bool& inRange) const;
    // Whether the spin buttons can step this value.
    virtual bool CanSpin() const { return false; }

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

    QString TextOf(const QVariant& value) const override;
    QVariant ValueOf(const QString& text) const override;
    QString Tidy(const QString& text, bool& inRange) const override;
    bool CanSpin() const override { return true; }

    // The built-in spin step from value v: the next multiple of Increment above (up) or below the value
    // as the format shows it. A value within 1e-5 of a multiple counts as on it (in binary, 0.3 / 0.1 is
    // just below 3). nullopt for an increment of 0 or one that is not finite: there is no step.
    std::optional<double> NextMultiple(double v, bool up) const;

    // The display limits (the range through ToDisplay).
    double DisplayLo() const;
    double DisplayHi() const;

protected:
    // A display value against the display limits. An overshoot of up to 0.5 % of a non-zero limit passes;
    // beyond it the value becomes the limit and the check fails. Limits both 0, or equal, mean no check.
    bool ClampToRange(double& v) const;
    // Base value to display value and back; raise EConvertError for a result that is not finite.
    double ToShown(double base) const;
    double FromShown(double shown) const;
    // A display value printed by the format and FormatType.
    QString NumberText(double x) const;
};

// A row with two numbers written "a/b" (format such as "%0.1f/%0.1f"); both share limits and step.
class TDelimNumField : public TNumField {
public:
    using TNumField::TNumField;

    // A single number shows as that number and 0.
    QString TextOf(const QVariant& value) const override;
    // Two numbers give the format applied to both in base units; one number gives it printed with
    // "%0.4g"; an empty text counts as "0.0/0.0".
    QVariant ValueOf(const QString& text) const override;
    // One number typed is shown with the part of the format before its "/".
    QString Tidy(const QString& text, bool& inRange) const override;
    bool CanSpin() const override { return false; }
};

// A row with a choice from Items; its value is the index of the chosen item.
class TEnumField : public TField {
public:
    explicit TEnumField(const QStringList& items);

    QStringList Items;

    // An index outside Items raises; a text that is no item reads as -1.
    QString TextOf(const QVariant& value) const override;
    QVariant ValueOf(const QString& text) const override;
};

// The trimmed pieces of text between delimiters (blanks and control characters trimmed). Empty pieces
// between delimiters stay; a final delimiter adds no empty piece; an empty text gives an empty list.
QStringList SplitLine(QChar delim, const QString& text);

// What CreateRowField builds for one line.
struct TRowField {
    std::unique_ptr<TField> Field;
    QStringList Cells; // texts of cells 0, 1 and 2: name, initial value text, units
    QString Error;     // "Error initialising <name>" when the line's limits or step did not read
};

// Builds the field of one entry line and the initial texts of the row's cells. A numeric line (integer
// or fixed/general format) whose limit or step does not read as a number becomes a text field with
// format "%S" and reports "Error initialising <name>" in Error; its value cell still shows the format
// applied to 0. Limits and step are read in the C form ("0.5") or the locale's form.
TRowField CreateRowField(const QString& line, QChar delim = QLatin1Char(';'));

// The field class a format selects, with no button and no range: a pair, a number (integer, fixed or
// general format) or a text field. The edit box formats its value through one.
std::unique_ptr<TField> MakeValueField(const QString& format);

// The text of number x (display units) under a numeric format: an integer format prints x rounded to
// the nearest integer (ties to even); a fixed or general format prints by formatType (decimals is the
// format's FormatDecimals, sigDigs the significant digits of ft_Auto and ft_AutoOverride). nullopt for
// any other format.
std::optional<QString> FormatNumberByType(const QString& format, TFormatType formatType, int decimals,
                                          int sigDigs, double x);
