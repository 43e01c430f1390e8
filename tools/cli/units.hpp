// Units the tool reads on input and writes on output.
//
// Input: a number may carry a unit, with or without a space between them
// ("300K", "4.2 K", "-196.15C", "1bar", "101.325kPa", "760torr"); a bare
// number is in K for temperatures and kPa for pressures; lengths ("1m",
// "10 cm") and heat fluxes ("10kW/m2", "1 W/cm^2") of the He II channels in
// m and W/m^2. Every factor is held
// as an exact decimal (an integer times a power of ten) over an integer
// divisor, so that a conversion whose factor is a decimal (Pa, MPa, bar, atm,
// mK, degrees Celsius) is exact before the one rounding to a double; torr and
// psi divide by an integer after it, a second rounding.
//
// Output: --units picks the basis of the specific quantities (per kilogram,
// per gram or per mole; by default the library's own: density per kg, volume
// per mole) and the unit of pressure (kPa, Pa, mbar, bar, MPa, atm, psi,
// torr). The table of units is units.def, shared with the Python package.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn_cli {

enum class Dimension { temperature, pressure, length, heat_flux, none };

struct Unit {
  std::string_view symbol;
  Dimension dimension;
  std::int64_t numerator;  // one unit is numerator * 10^exponent / divisor base units (K, kPa, m, W/m^2)
  int exponent;
  std::int64_t divisor;
  std::int64_t offset_hundredths;  // added after scaling, in hundredths of a base unit: degrees Celsius
  bool any_case;                   // no other unit differs from it in case alone (mPa is not MPa)
  bool output;                     // --units may name it
};

// The unit spelt `symbol` for `dimension`, or null: exactly, or in any case
// where that cannot mistake one prefix for another ("kpa", "BAR"; not "mpa").
const Unit* find_unit(std::string_view symbol, Dimension dimension);

// "K, mK, uK, C" or "kPa, Pa, hPa, MPa, GPa, bar, mbar, atm, torr, mmHg, psi": for messages.
std::string unit_symbols(Dimension dimension);

// "temperature", "pressure", "length", "heat flux": for messages.
std::string_view dimension_name(Dimension dimension);
// What a value of the dimension is, for an error message: "a pressure: a number in kPa, or ...".
std::string_view what_is_expected(Dimension dimension);

// How properties and pressures are written.
enum class Basis { library, mass, molar, gram };
struct OutputUnits {
  Basis basis = Basis::library;
  std::string_view pressure = "kPa";
  double kpa_per_pressure_unit = 1.0;  // what one output pressure unit is in kPa
};

// A unit of the library in the unit system of `units`, and the factor from a
// value in the one to the other: "kPa" in it is the pressure unit; on the
// molar basis per kilogram becomes per mole (kg/m^3 mol/m^3, J/(kg K)
// J/(mol K)), on the mass basis the molar volume m^3/mol becomes m^3/kg.
struct Converted {
  std::string unit;
  double factor;
  double operator()(double library_value) const { return library_value * factor; }
  double back(double value) const { return value / factor; }
};
Converted convert(std::string_view unit, const OutputUnits& units, double molar_mass);

// "--units g,mbar": a comma-separated list of one basis (kg, g, mol) and one output pressure unit (kPa, Pa,
// mbar, bar, MPa, atm, psi, torr), from units.def.
OutputUnits parse_output_units(std::string_view argument, std::string_view text);

}  // namespace vorn_cli
