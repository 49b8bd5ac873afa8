#pragma once
// The working behind one solved clock hour: every input, then each step of the calculation in the
// order the solve takes it, each with its name, symbol, formula, the formula with the inputs put in,
// value and unit. The values are read from the document after its solve (the hour's intermediates,
// the profiles); nothing here works a value out again. The Calculation Details window, the command
// line's --explain and the design report's appendix show these steps.
#include "TCalcDocument.h"

#include <QList>
#include <QString>

#include <optional>

struct TCalcStep {
    QString Section; // the part of the calculation: "Inputs", "Day", "Sun position", ...
    QString Key;     // a name for scripts; the CSV column's name where the CSV has the value
    QString Name;
    QString Symbol;
    QString Formula;    // "DN = A · exp(−P · B / sin β)"; empty for an input
    QString WithValues; // the formula's right side with the inputs put in, as shown
    double Value = 0;
    QString Format; // printf format of the value as shown
    QString Unit;   // empty for a ratio

    // The value as shown, with the locale's decimal separator.
    QString ValueText() const;
};

// The steps of clock hour `hour` of a solved document; empty when the solve did not compute that hour.
QList<TCalcStep> CalcDetails(const TCalcDocument& doc, int hour);

// The hour the details show: `selected` when the solve computed it, else the computed hour nearest
// solar noon (the smallest hour angle); nullopt when the solve computed none.
std::optional<int> DetailsHour(const TCalcDocument& doc, std::optional<int> selected = std::nullopt);

// The heading of the details: "Calculation details, clock hour 12:00" and the sun position method.
QString DetailsTitle(const TCalcDocument& doc, int hour);

// The details as text in aligned columns (name, symbol, formula, with the values, value, unit), one
// line a step under a line for each section, after the title; lines end in CR LF as clipboard text
// does. The Copy command, --explain and the design report print it.
QString CalcDetailsText(const TCalcDocument& doc, int hour);

// The design report's appendix: CalcDetailsText of DetailsHour(doc, selected), empty when the solve
// computed no hour.
QString CalcDetailsAppendix(const TCalcDocument& doc, std::optional<int> selected = std::nullopt);

// The steps as a JSON array of objects (section, key, name, symbol, formula, with_values, value,
// unit); each value is the double itself, written so that it reads back to the same number.
QByteArray CalcDetailsJson(const QList<TCalcStep>& steps);
