#include "InputCheck.h"

#include "TCalcDocument.h"
#include "controls/TxFields.h"
#include "controls/TxNumText.h"

namespace {

QString Number(double value) {
    return FormatFloat(QStringLiteral("%g"), value);
}

// The name of an input as its row of the property list shows it ("Barometer", "Day Number", "Year");
// the settings key for the glass dimensions, which have no row.
QString InputName(TInputId id) {
    const int row = TCalcDocument::PropertyRow(id);
    if (row > 0) return SplitLine(QLatin1Char(';'), TCalcDocument::PropertyLines()[row]).value(0);
    return QString::fromLatin1(InputKeyName(id));
}

} // namespace

QString RangeText(const TInputRange& range) {
    return QStringLiteral("%1 to %2%3")
        .arg(Number(range.Lo), range.HiExcluded ? QStringLiteral("under ") : QString(), Number(range.Hi));
}

QString OutOfRangeMessage(TInputId id, const QString& valueText) {
    return QStringLiteral("%1 %2 lies outside %3").arg(InputName(id), valueText, RangeText(InputRange(id)));
}

bool ReadInputText(TInputId id, const QString& text, double& value, QString& message) {
    // An empty text is no number here, though the number clean-up would read it as 0.
    double read = 0;
    bool isNumber = !text.trimmed().isEmpty();
    try {
        if (isNumber) read = ReadNumberText(text);
    } catch (const EConvertError&) {
        isNumber = false;
    }
    if (!isNumber) {
        message = ConvertErrorMessage(text);
        return false;
    }
    if (!InputRange(id).Contains(read)) {
        message = OutOfRangeMessage(id, text.trimmed());
        return false;
    }
    value = NormalisedInput(id, read);
    return true;
}

QString CheckProjectInputs(TInputSet& inputs) {
    for (TInputId id : {inAltitude, inLatitude, inLongitude, inTimeZone, inAzimuth, inSlope, inDayNumber}) {
        const double value = InputValue(inputs, id);
        if (!InputRange(id).Contains(value)) return OutOfRangeMessage(id, Number(value));
        SetInputValue(inputs, id, NormalisedInput(id, value));
    }
    return {};
}
