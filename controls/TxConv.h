#pragma once
// Units of physical quantities: for each quantity kind a fixed table of units with a display label, an
// identifier, a conversion factor from the kind's base unit (index 0) and a default format. Free
// functions over constant tables; nothing here keeps state.
#include <QString>

// The quantity kinds. Published properties store a kind by its identifier (UnitsTypeIdent), so the
// order and the names are fixed.
enum TUnitsType : unsigned char {
    utNone,
    utAirFlowPrim,
    utAirFlowSec,
    utAirFlowSmall,
    utAirFlowRate,
    utAirPressDrop,
    utAltitude,
    utAngularSpeed,
    utArea,
    utCondensateRate,
    utConductance,
    utConductivity,
    utDensity,
    utDiameter,
    utDutyPrim,
    utDutySec,
    utDutyRate,
    utEnergy,
    utEnthalpy,
    utFinDensity,
    utHeatOfRespir,
    utHeatTransCoeff,
    utHumidity,
    utLengthBig,
    utLengthMeasure,
    utLengthPrim,
    utLengthSec,
    utLengthSmall,
    utMass,
    utMassFlow,
    utMassFlowGas,
    utMassFlux,
    utMetRate,
    utPeopleDensity,
    utPower,
    utPressure,
    utPressureBar,
    utPressureSteam,
    utPressureRateGas,
    utPressureRateLiquid,
    utProportion,
    utSpecificHeat,
    utSpecificVol,
    utTemperature,
    utTemperatureChange,
    utThermalCapacity,
    utThermalResist,
    utTime,
    utVelocity,
    utViscosity,
    utVolume,
    utVolumeFluid,
    utWaterFlow,
    utWaterPressDrop,
};
constexpr int UnitsTypeCount = utWaterPressDrop + 1;

// The display label of a unit ("m³/s", "°F"), decoded from the table's Windows-1252 bytes; empty for
// utNone. An index outside the kind's table is clamped to it.
QString UnitLabel(TUnitsType kind, int index);
// The unit's default format ("%0.3f"), or "%0.1f" for utNone. An index outside the table is clamped.
QString UnitFormat(TUnitsType kind, int index);

// Label, factor, offset and format that show a value held in unit baseIndex in unit displayIndex:
// display = value × factor + offset. For utNone only label ("") and format ("%0.1f") are set; factor
// and offset keep what the caller passed in. Only utTemperature has an offset; with base °C (index 0)
// it is the display unit's offset, and for any other base the base unit's offset is taken out first,
// so every pair of temperature units converts exactly. Indices outside the table are clamped.
void UnitsInfo(TUnitsType kind, int displayIndex, int baseIndex, QString& label, double& factor,
               double& offset, QString& format);

// index unchanged for utNone; otherwise clamped to 0 .. UnitCount(kind) - 1.
int ClampUnitIndex(TUnitsType kind, int index);

// value × factor + offset, in extended precision.
long double ToDisplay(long double value, long double factor, long double offset);
// (display − offset) ÷ factor, in extended precision.
long double FromDisplay(long double display, long double factor, long double offset);

// Number of units of a kind (0 for utNone).
int UnitCount(TUnitsType kind);
// The unit's ASCII identifier ("degC", "Mega Btuperhr"); empty for utNone.
QString UnitIdent(TUnitsType kind, int index);
// Display units in one base unit; 1 for utNone.
double UnitFactor(TUnitsType kind, int index);
// The unit's offset: 0, 32 or 273.15 for utTemperature, 0 for every other kind.
double UnitOffset(TUnitsType kind, int index);

// The kind's display name ("Temperature Change").
QString UnitsKindName(TUnitsType kind);
// The kind's identifier as stored by published properties ("utTemperature").
QString UnitsTypeIdent(TUnitsType kind);
// The kind for an identifier; false, with kind unchanged, for an unknown one.
bool UnitsTypeFromIdent(const QString& ident, TUnitsType& kind);
