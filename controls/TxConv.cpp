#include "TxConv.h"

#include "storage/Win1252.h"

#include <algorithm>
#include <iterator>

namespace {

// One unit. Labels are Windows-1252 bytes (0xB0 degree, 0xB2 and 0xB3 superscripts, 0xB7 middle dot,
// 0xB5 micro) and are decoded when they leave this file.
struct TUnitDef {
    const char* Label;
    const char* Ident;
    double Factor;
    const char* Format;
};

struct TKindDef {
    const char* Ident;
    const char* Name;
    const TUnitDef* Units; // shared between kinds that use the same units
    int Count;
};

// Factors are display units per base unit, written with the fewest digits that read back exactly.
// clang-format off
const TUnitDef kAirFlowPrim[] = {
    {"m\xB3/s", "cms", 1.0, "%0.3f"},
    {"m\xB3/min", "cmm", 60.0, "%0.2f"},
    {"m\xB3/hr", "cmh", 3600.0, "%0.0f"},
    {"l/s", "lpers", 1000.0, "%0.0f"},
    {"cfm", "ft3permin", 2118.8800032893155, "%0.2f"},
};
const TUnitDef kAirFlowSmall[] = {
    {"l/s", "l/s", 1.0, "%0.1f"},
    {"m\xB3/min", "m3/min", 0.06, "%0.2f"},
    {"cfm", "cfm", 2.1188800032893154, "%0.3f"},
};
const TUnitDef kAirFlowRate[] = {
    {"m\xB3/s/m\xB2", "m3/s/sqm", 1.0, "%0.3f"},
    {"m\xB3/min/m\xB2", "m3/min/sqm", 60.0, "%0.2f"},
    {"m\xB3/hr/m\xB2", "m3/hr/sqm", 3600.0, "%0.0f"},
    {"l/s/m\xB2", "l/s/sqm", 1000.0, "%0.0f"},
    {"cfm/ft\xB2", "cfm/sqft", 196.8503937007874, "%0.2f"},
};
const TUnitDef kAirPressDrop[] = {
    {"kPa", "kPa", 1.0, "%0.3f"},
    {"Pa", "Pa", 1000.0, "%0.0f"},
    {"Psi", "Psi", 0.1450376807894691, "%0.4f"},
    {"Bar", "Bar", 0.01, "%0.5f"},
    {"Atm", "Atm", 0.00986923, "%0.5f"},
    {"InchWg", "InchWg", 4.014630759755623, "%0.4f"},
    {"InchHg", "InchHg", 0.295, "%0.4f"},
    {"mHead", "mHead", 0.10197162129779283, "%0.4f"},
};
const TUnitDef kAltitude[] = {
    {"m", "metres", 1.0, "%0.1f"},
    {"ft", "feet", 3.2808398950131235, "%0.1f"},
};
const TUnitDef kAngularSpeed[] = {
    {"rpm", "revpermin", 1.0, "%0.0f"},
    {"Rad/s", "Radpers", 0.10471975511965978, "%0.3f"},
    {"Rev/s", "revps", 0.016666666666666666, "%0.0f"},
};
const TUnitDef kArea[] = {
    {"m\xB2", "sqm", 1.0, "%0.1f"},
    {"cm\xB2", "sqcm", 10000.0, "%0.1f"},
    {"mm\xB2", "sqmm", 1000000.0, "%0.0f"},
    {"inch\xB2", "sqinch", 1550.0031000062, "%0.2f"},
    {"ft\xB2", "sqft", 10.763910416709722, "%0.1f"},
};
const TUnitDef kCondensateRate[] = {
    {"g/s", "GramPerSec", 1.0, "%0.1f"},
    {"kg/s", "KGperSec", 0.001, "%0.4f"},
    {"kg/min", "kgpermin", 0.06, "%0.3f"},
    {"lb/hr", "lbperhr", 0.002204622621848776, "%0.3f"},
};
const TUnitDef kConductance[] = {
    {"kW/\xB0" "C", "kWperdegC", 1.0, "%0.3f"},
    {"W/\xB0" "C", "WperdegC", 1000.0, "%0.0f"},
    {"MBH/\xB0" "F", "MBHperdegF", 1.8956339758268757, "%0.3f"},
    {"Btu/h\xB0" "F", "BtuperhrdegF", 1895.6339758268755, "%0.0f"},
};
const TUnitDef kConductivity[] = {
    {"kW/mK", "kWpermK", 1.0, "%0.6g"},
    {"W/mK", "WpermK", 1000.0, "%0.6g"},
    {"mW/mK", "mWpermK", 1000000.0, "%0.6g"},
    {"Btu/hr\xB7" "ft\xB0" "F", "BtuperhrftdegF", 577.7, "%0.6g"},
};
const TUnitDef kDensity[] = {
    {"kg/m\xB3", "kgperm3", 1.0, "%0.5g"},
    {"mg/L", "mgperl", 1000.0, "%0.1g"},
    {"lb/ft\xB3", "lbperft3", 0.06242796057614461, "%0.4g"},
};
const TUnitDef kDiameter[] = {
    {"m", "metres", 1.0, "%0.3f"},
    {"mm", "millimetres", 1000.0, "%0.0f"},
    {"inch", "inches", 39.37007874015748, "%0.2f"},
    {"1/8\"", "eighthsOfAnInch", 314.96062992125985, "%0.0f"},
    {"ft", "feet", 3.2808398950131235, "%0.3f"},
};
const TUnitDef kDutyPrim[] = {
    {"kW", "kiloWatts", 1.0, "%0.3f"},
    {"W", "Watts", 1000.0, "%0.0f"},
    {"Btu/hr", "Btuperhr", 3412.141156488376, "%0.0f"},
    {"MBh", "Mega Btuperhr", 3.412141156488376, "%0.3f"},
    {"kcal/hr", "kcalperhr", 859.184, "%0.1f"},
};
const TUnitDef kDutyRate[] = {
    {"W/m\xB2", "W/sqm", 1.0, "%0.1f"},
    {"kW/m\xB2", "kW/sqm", 0.001, "%0.3f"},
    {"Btu/hr\xB7" "ft\xB2", "Btu/hrsqft", 0.31699828634688587, "%0.1f"},
    {"MBh/ft\xB2", "MBh/sqft", 0.00031699828634688585, "%0.3f"},
    {"kcal/hr\xB7" "ft\xB2", "kcal/hrsqft", 0.07982080551936, "%0.1f"},
};
const TUnitDef kEnergy[] = {
    {"kJ", "kJ", 1.0, "%0.3f"},
    {"J", "J", 1000.0, "%0.0f"},
    {"kW-hr", "kWhr", 0.0002777777777777778, "%0.5g"},
    {"W-hr", "Whr", 0.2777777777777778, "%0.5g"},
    {"Btu", "Btu", 0.9478169879134378, "%0.5g"},
};
const TUnitDef kEnthalpy[] = {
    {"kJ/kg", "kJperkg", 1.0, "%0.1f"},
    {"Btu/lb", "Btuperlb", 0.4299226139294927, "%0.1f"},
};
const TUnitDef kFinDensity[] = {
    {"fpi", "fpi", 1.0, "%0.4f"},
    {"fin/mm", "fin/mm", 0.03937007874015748, "%0.5f"},
    {"fins/m", "fins/m", 39.37007874015748, "%0.3f"},
    {"fins/ft", "fins/ft", 12.0, "%0.3f"},
};
const TUnitDef kHeatOfRespir[] = {
    {"kJ/kg/day", "kJperkgperday", 1.0, "%0.2f"},
    {"Btu/lb/day", "Btuperlbperday", 0.4299226139294927, "%0.2f"},
};
const TUnitDef kHeatTransCoeff[] = {
    {"W/m\xB2\xB0" "C", "W/sqmdegC", 1.0, "%0.5g"},
    {"Btu/hr\xB7" "ft\xB2\xB0" "F", "Btu/hrsqftdegF", 0.17611835153222966, "%0.5g"},
};
const TUnitDef kHumidity[] = {
    {"kg/kg", "kgperkg", 1.0, "%0.4f"},
    {"g/kg", "gperkg", 1000.0, "%0.2f"},
    {"gr/lb", "grperlb", 7000.0, "%0.1f"},
};
const TUnitDef kLengthBig[] = {
    {"m", "metres", 1.0, "%0.2f"},
    {"ft", "feet", 3.2808398950131235, "%0.1f"},
};
const TUnitDef kLengthMeasure[] = {
    {"m", "metres", 1.0, "%0.3f"},
    {"cm", "centimetres", 100.0, "%0.2f"},
    {"mm", "millimetres", 1000.0, "%0.1f"},
    {"inch", "inches", 39.37007874015748, "%0.2f"},
    {"ft", "feet", 3.2808398950131235, "%0.3f"},
};
const TUnitDef kLengthSmall[] = {
    {"mm", "millimetres", 1.0, "%0.4f"},
    {"um", "micrometres", 1000.0, "%0.1f"},
    {"Thou\"", "Thousandths", 39.37007874015748, "%0.3f"},
};
const TUnitDef kMass[] = {
    {"kg", "kg", 1.0, "%0.0f"},
    {"ton SI", "tonSI", 0.001, "%0.3f"},
    {"lb", "lb", 2.2046226218487757, "%0.1f"},
};
const TUnitDef kMassFlow[] = {
    {"kg/s", "kgpers", 1.0, "%0.3f"},
    {"g/s", "gpers", 1000.0, "%0.0f"},
    {"kg/hr", "kgperhr", 3600.0, "%0.1f"},
    {"lb/s", "lbpers", 2.2046226218487757, "%0.4f"},
    {"lb/min", "lbpermin", 132.27735731092656, "%0.2f"},
    {"lb/hr", "lbperhr", 7936.6414386555925, "%0.0f"},
};
const TUnitDef kMassFlux[] = {
    {"kg/m\xB2s", "kg/sqms", 1.0, "%0.3f"},
    {"g/m\xB2s", "g/sqms", 1000.0, "%0.0f"},
    {"kg/m\xB2hr", "kg/sqmhr", 3600.0, "%0.1f"},
    {"lb/ft\xB2s", "lb/sqfts", 0.20481614362252168, "%0.4f"},
    {"lb/ft\xB2min", "lb/sqftmin", 12.288968617351301, "%0.2f"},
    {"lb/ft\xB2hr", "lb/sqfthr", 737.3381170410781, "%0.0f"},
};
const TUnitDef kMetRate[] = {
    {"W/P", "W/P", 1.0, "%0.1f"},
    {"Btu/hr/P", "Btu/hr/P", 3.412141156488376, "%0.0f"},
};
const TUnitDef kPeopleDensity[] = {
    {"m\xB2/P", "sqm/P", 1.0, "%0.1f"},
    {"ft\xB2/P", "sqft/P", 10.763910416709722, "%0.2f"},
};
const TUnitDef kPower[] = {
    {"kW", "kW", 1.0, "%0.3f"},
    {"W", "W", 1000.0, "%0.0f"},
    {"HP", "HP", 1.341021858656296, "%0.2f"},
};
const TUnitDef kPressureBar[] = {
    {"kPa", "kPa", 1.0, "%0.3f"},
    {"Psi", "Psi", 0.1450376807894691, "%0.4f"},
    {"Bar", "Bar", 0.01, "%0.5f"},
    {"Atm", "Atm", 0.00986923, "%0.5f"},
    {"InchHg", "InchHg", 0.295, "%0.4f"},
    {"mHead", "mHead", 0.10197162129779283, "%0.4f"},
};
const TUnitDef kPressureRateGas[] = {
    {"Pa/m", "Pa/m", 1.0, "%0.2f"},
    {"kPa/m", "kPa/m", 0.001, "%0.5f"},
    {"iwg/100'", "iwg/100'", 0.12236594555735139, "%0.4f"},
    {"Psi/ft", "Psi/ft", 4.4207485104630184e-05, "%0.6f"},
};
const TUnitDef kProportion[] = {
    {"fraction", "fraction", 1.0, "%0.3f"},
    {"%", "percent", 100.0, "%0.1f"},
    {"ratio", "ratio", 1.0, "%0.3f"},
};
const TUnitDef kSpecificHeat[] = {
    {"kJ/kg\xB7K", "kJperkgK", 1.0, "%0.4g"},
    {"Btu/lb\xB0" "F", "BtuperlbdegF", 0.23883448770002388, "%0.4g"},
};
const TUnitDef kSpecificVol[] = {
    {"m\xB3/kg", "m3perkg", 1.0, "%0.3f"},
    {"ft\xB3/lb", "ft3perlb", 16.018463373960138, "%0.3f"},
};
const TUnitDef kTemperature[] = {
    {"\xB0" "C", "degC", 1.0, "%0.1f"},
    {"\xB0" "F", "degF", 1.8, "%0.1f"},
    {"K", "degK", 1.0, "%0.2f"},
};
const TUnitDef kThermalCapacity[] = {
    {"W-hr/m\xB2\xB0" "C", "W-hr/sqmdegC", 1.0, "%0.1f"},
    {"Btu/ft\xB2\xB0" "F", "Btu/sqftdegF", 0.5705969154243945, "%0.1f"},
};
const TUnitDef kThermalResist[] = {
    {"m\xB2\xB0" "C/W", "sqmdegCperW", 1.0, "%0.4f"},
    {"ft\xB2\xB7hr\xB7\xB0" "F/Btu", "sqfthrdegFperBtu", 5.678264134306047, "%0.3f"},
};
const TUnitDef kTime[] = {
    {"sec", "sec", 1.0, "%0.0f"},
    {"min", "min", 0.016666666666666666, "%0.2f"},
    {"hr", "hr", 0.0002777777777777778, "%0.4f"},
};
const TUnitDef kVelocity[] = {
    {"m/s", "mpers", 1.0, "%0.2f"},
    {"fpm", "ftpm", 196.8503937007874, "%0.1f"},
};
const TUnitDef kViscosity[] = {
    {"kg/m\xB7s", "kg/ms", 1.0, "%0.6g"},
    {"N\xB7s/m\xB2", "Ns/sqm", 1.0, "%0.6g"},
    {"\xB5Pa\xB7s", "uPas", 1000000.0, "%0.6g"},
    {"cP", "cP", 1000.0, "%0.6g"},
    {"lbm/ft\xB7s", "lbm/fts", 0.0671955, "%0.6g"},
    {"lbf\xB7s/ft\xB2", "lbfs/sqft", 0.020885, "%0.6g"},
    {"lbf\xB7hr/ft\xB2", "lbfhr/sqft", 5.8014e-06, "%0.6g"},
};
const TUnitDef kVolume[] = {
    {"m\xB3", "m3", 1.0, "%0.4f"},
    {"litre", "l", 1000.0, "%0.2f"},
    {"cc", "cc", 1000000.0, "%0.0f"},
    {"ft\xB3", "ft3", 35.32, "%0.4f"},
    {"inch\xB3", "inch3", 61023.0, "%0.1f"},
};
const TUnitDef kVolumeFluid[] = {
    {"kl", "kilolitre", 1.0, "%0.3f"},
    {"litre", "litre", 1000.0, "%0.5g"},
    {"IP Gal", "imperialgallon", 220.0, "%0.5g"},
    {"US Gal", "usgallon", 264.1720523581484, "%0.5g"},
};
const TUnitDef kWaterFlow[] = {
    {"l/s", "lps", 1.0, "%0.3f"},
    {"l/min", "lpm", 60.0, "%0.2f"},
    {"dm\xB3/hr", "dm3phr", 3600.0, "%0.2f"},
    {"m\xB3/hr", "cmh", 3.6, "%0.2f"},
    {"m\xB3/s", "cms", 0.001, "%0.4f"},
    {"usgpm", "usgpm", 15.850323141488905, "%0.1f"},
};

const TKindDef kKinds[] = {
    {"utNone", "None", nullptr, 0},
    {"utAirFlowPrim", "Air Flow - Primary", kAirFlowPrim, int(std::size(kAirFlowPrim))},
    {"utAirFlowSec", "Air Flow - Secondary", kAirFlowPrim, int(std::size(kAirFlowPrim))},
    {"utAirFlowSmall", "Air Flow - Small", kAirFlowSmall, int(std::size(kAirFlowSmall))},
    {"utAirFlowRate", "Air Flow Rate", kAirFlowRate, int(std::size(kAirFlowRate))},
    {"utAirPressDrop", "Air Pressure Drop", kAirPressDrop, int(std::size(kAirPressDrop))},
    {"utAltitude", "Altitude", kAltitude, int(std::size(kAltitude))},
    {"utAngularSpeed", "Angular Speed", kAngularSpeed, int(std::size(kAngularSpeed))},
    {"utArea", "Area", kArea, int(std::size(kArea))},
    {"utCondensateRate", "Condensate Rate", kCondensateRate, int(std::size(kCondensateRate))},
    {"utConductance", "Conductance", kConductance, int(std::size(kConductance))},
    {"utConductivity", "Conductivity", kConductivity, int(std::size(kConductivity))},
    {"utDensity", "Density", kDensity, int(std::size(kDensity))},
    {"utDiameter", "Diameter", kDiameter, int(std::size(kDiameter))},
    {"utDutyPrim", "Duty - Primary", kDutyPrim, int(std::size(kDutyPrim))},
    {"utDutySec", "Duty - Secondary", kDutyPrim, int(std::size(kDutyPrim))},
    {"utDutyRate", "Duty Rate", kDutyRate, int(std::size(kDutyRate))},
    {"utEnergy", "Energy", kEnergy, int(std::size(kEnergy))},
    {"utEnthalpy", "Enthalpy", kEnthalpy, int(std::size(kEnthalpy))},
    {"utFinDensity", "Fin Density", kFinDensity, int(std::size(kFinDensity))},
    {"utHeatOfRespir", "Heat of Respiration", kHeatOfRespir, int(std::size(kHeatOfRespir))},
    {"utHeatTransCoeff", "Heat Transfer Coefficient", kHeatTransCoeff, int(std::size(kHeatTransCoeff))},
    {"utHumidity", "Humidity", kHumidity, int(std::size(kHumidity))},
    {"utLengthBig", "Length - Big", kLengthBig, int(std::size(kLengthBig))},
    {"utLengthMeasure", "Length - Measurement", kLengthMeasure, int(std::size(kLengthMeasure))},
    {"utLengthPrim", "Length - Primary", kLengthMeasure, int(std::size(kLengthMeasure))},
    {"utLengthSec", "Length - Secondary", kLengthMeasure, int(std::size(kLengthMeasure))},
    {"utLengthSmall", "Length - Small", kLengthSmall, int(std::size(kLengthSmall))},
    {"utMass", "Mass", kMass, int(std::size(kMass))},
    {"utMassFlow", "MassFlow", kMassFlow, int(std::size(kMassFlow))},
    {"utMassFlowGas", "MassFlow - Refrig./Steam", kMassFlow, int(std::size(kMassFlow))},
    {"utMassFlux", "MassFlux", kMassFlux, int(std::size(kMassFlux))},
    {"utMetRate", "Metabolic Rate", kMetRate, int(std::size(kMetRate))},
    {"utPeopleDensity", "People Density", kPeopleDensity, int(std::size(kPeopleDensity))},
    {"utPower", "Power", kPower, int(std::size(kPower))},
    {"utPressure", "Pressure - Absolute or Gauge", kAirPressDrop, int(std::size(kAirPressDrop))},
    {"utPressureBar", "Pressure - Barometric", kPressureBar, int(std::size(kPressureBar))},
    {"utPressureSteam", "Pressure - Steam", kAirPressDrop, int(std::size(kAirPressDrop))},
    {"utPressureRateGas", "Pressure Rate - Gas", kPressureRateGas, int(std::size(kPressureRateGas))},
    {"utPressureRateLiquid", "Pressure Rate - Liquid", kPressureRateGas, int(std::size(kPressureRateGas))},
    {"utProportion", "Proportion", kProportion, int(std::size(kProportion))},
    {"utSpecificHeat", "Specific Heat", kSpecificHeat, int(std::size(kSpecificHeat))},
    {"utSpecificVol", "Specific Volume", kSpecificVol, int(std::size(kSpecificVol))},
    {"utTemperature", "Temperature", kTemperature, int(std::size(kTemperature))},
    {"utTemperatureChange", "Temperature Change", kTemperature, int(std::size(kTemperature))},
    {"utThermalCapacity", "Thermal Capacity", kThermalCapacity, int(std::size(kThermalCapacity))},
    {"utThermalResist", "Thermal Resistance", kThermalResist, int(std::size(kThermalResist))},
    {"utTime", "Time", kTime, int(std::size(kTime))},
    {"utVelocity", "Velocity", kVelocity, int(std::size(kVelocity))},
    {"utViscosity", "Viscosity", kViscosity, int(std::size(kViscosity))},
    {"utVolume", "Volume", kVolume, int(std::size(kVolume))},
    {"utVolumeFluid", "Fluid Volume", kVolumeFluid, int(std::size(kVolumeFluid))},
    {"utWaterFlow", "Water Flow", kWaterFlow, int(std::size(kWaterFlow))},
    {"utWaterPressDrop", "Water Pressure Drop", kAirPressDrop, int(std::size(kAirPressDrop))},
};
// clang-format on

// Only absolute temperature carries offsets; utTemperatureChange shares the table without them.
const double kTemperatureOffsets[] = {0.0, 32.0, 273.15};

static_assert(std::size(kKinds) == UnitsTypeCount, "one table entry per quantity kind");
static_assert(std::size(kTemperatureOffsets) == std::size(kTemperature), "one offset per unit");

const TKindDef& Kind(TUnitsType kind) {
    return kKinds[unsigned(kind) < unsigned(UnitsTypeCount) ? kind : utNone];
}

// The unit at a clamped index, or nullptr for a kind without units.
const TUnitDef* Unit(TUnitsType kind, int index) {
    const TKindDef& k = Kind(kind);
    if (k.Count == 0) return nullptr;
    return &k.Units[std::clamp(index, 0, k.Count - 1)];
}

} // namespace

QString UnitLabel(TUnitsType kind, int index) {
    const TUnitDef* u = Unit(kind, index);
    return u ? DecodeWin1252(u->Label) : QString();
}

QString UnitFormat(TUnitsType kind, int index) {
    const TUnitDef* u = Unit(kind, index);
    return u ? QString::fromLatin1(u->Format) : QStringLiteral("%0.1f");
}

QString UnitIdent(TUnitsType kind, int index) {
    const TUnitDef* u = Unit(kind, index);
    return u ? QString::fromLatin1(u->Ident) : QString();
}

double UnitFactor(TUnitsType kind, int index) {
    const TUnitDef* u = Unit(kind, index);
    return u ? u->Factor : 1.0;
}

double UnitOffset(TUnitsType kind, int index) {
    if (kind != utTemperature) return 0.0;
    return kTemperatureOffsets[ClampUnitIndex(kind, index)];
}

void UnitsInfo(TUnitsType kind, int displayIndex, int baseIndex, QString& label, double& factor,
               double& offset, QString& format) {
    label = UnitLabel(kind, displayIndex);
    format = UnitFormat(kind, displayIndex);
    if (Kind(kind).Count == 0) return;
    factor = UnitFactor(kind, displayIndex) / UnitFactor(kind, baseIndex);
    // display = (base − baseOffset) × factor + displayOffset; the base offset is 0 for °C.
    offset = UnitOffset(kind, displayIndex) - UnitOffset(kind, baseIndex) * factor;
}

int ClampUnitIndex(TUnitsType kind, int index) {
    const int count = Kind(kind).Count;
    if (count == 0) return index;
    return std::clamp(index, 0, count - 1);
}

long double ToDisplay(long double value, long double factor, long double offset) {
    return value * factor + offset;
}

long double FromDisplay(long double display, long double factor, long double offset) {
    return (display - offset) / factor;
}

int UnitCount(TUnitsType kind) {
    return Kind(kind).Count;
}

QString UnitsKindName(TUnitsType kind) {
    return QString::fromLatin1(Kind(kind).Name);
}

QString UnitsTypeIdent(TUnitsType kind) {
    return QString::fromLatin1(Kind(kind).Ident);
}

bool UnitsTypeFromIdent(const QString& ident, TUnitsType& kind) {
    for (int i = 0; i < UnitsTypeCount; ++i) {
        if (ident == QLatin1String(kKinds[i].Ident)) {
            kind = TUnitsType(i);
            return true;
        }
    }
    return false;
}
