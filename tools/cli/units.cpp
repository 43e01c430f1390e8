#include "units.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "input.hpp"
#include "names.hpp"

namespace vorn_cli {
namespace {

// numerator * 10^exponent / divisor base units; the sources of the factors:
// SI prefixes; 1 bar = 100 kPa and 1 atm = 101.325 kPa exactly (by definition);
// 1 torr = 1/760 atm; 1 mmHg = 13.5951 kg/m^3 * 9.80665 m/s^2 * 1 mm
// = 133.322387415 Pa (the conventional value); 1 psi = 0.45359237 kg *
// 9.80665 m/s^2 / (0.0254 m)^2 = 4.4482216152605 N / 0.00064516 m^2;
// 0 degrees Celsius = 273.15 K; 1 W/cm^2 = 10^4 W/m^2.
constexpr std::array<Unit, 29> kUnits{{
    {"K", Dimension::temperature, 1, 0, 1, 0, true},
    {"mK", Dimension::temperature, 1, -3, 1, 0, false},
    {"uK", Dimension::temperature, 1, -6, 1, 0, false},
    {"µK", Dimension::temperature, 1, -6, 1, 0, false},
    {"C", Dimension::temperature, 1, 0, 1, 27315, true},
    {"°C", Dimension::temperature, 1, 0, 1, 27315, true},
    {"kPa", Dimension::pressure, 1, 0, 1, 0, true},
    {"Pa", Dimension::pressure, 1, -3, 1, 0, true},
    {"hPa", Dimension::pressure, 1, -1, 1, 0, true},
    {"MPa", Dimension::pressure, 1, 3, 1, 0, false},
    {"GPa", Dimension::pressure, 1, 6, 1, 0, false},
    {"bar", Dimension::pressure, 1, 2, 1, 0, true},
    {"mbar", Dimension::pressure, 1, -1, 1, 0, false},
    {"atm", Dimension::pressure, 101325, -3, 1, 0, true},
    {"torr", Dimension::pressure, 101325, -3, 760, 0, true},
    {"mmHg", Dimension::pressure, 133322387415, -12, 1, 0, true},
    {"psi", Dimension::pressure, 44482216152605, -8, 64516, 0, true},
    {"m", Dimension::length, 1, 0, 1, 0, false},
    {"cm", Dimension::length, 1, -2, 1, 0, false},
    {"mm", Dimension::length, 1, -3, 1, 0, false},
    {"km", Dimension::length, 1, 3, 1, 0, false},
    {"W/m2", Dimension::heat_flux, 1, 0, 1, 0, false},
    {"W/m^2", Dimension::heat_flux, 1, 0, 1, 0, false},
    {"kW/m2", Dimension::heat_flux, 1, 3, 1, 0, false},
    {"kW/m^2", Dimension::heat_flux, 1, 3, 1, 0, false},
    {"W/cm2", Dimension::heat_flux, 1, 4, 1, 0, false},
    {"W/cm^2", Dimension::heat_flux, 1, 4, 1, 0, false},
    {"mW/cm2", Dimension::heat_flux, 1, 1, 1, 0, false},
    {"mW/cm^2", Dimension::heat_flux, 1, 1, 1, 0, false},
}};

struct PressureUnit {
  std::string_view symbol;
  double kpa;
};
constexpr std::array<PressureUnit, 4> kOutputPressures{
    {{"kPa", 1.0}, {"Pa", 1e-3}, {"bar", 100.0}, {"MPa", 1e3}}};

}  // namespace

const Unit* find_unit(std::string_view symbol, Dimension dimension) {
  const auto matches = [&](const Unit& u, bool exact) {
    return u.dimension == dimension &&
           (exact ? u.symbol == symbol : u.any_case && equal_names_ignoring_case(u.symbol, symbol));
  };
  for (const bool exact : {true, false}) {
    for (const Unit& u : kUnits) {
      if (matches(u, exact)) return &u;
    }
  }
  return nullptr;
}

std::string unit_symbols(Dimension dimension) {
  std::string symbols;
  for (const Unit& u : kUnits) {
    if (u.dimension != dimension || static_cast<unsigned char>(u.symbol[0]) >= 0x80) continue;
    if (!symbols.empty()) symbols += ", ";
    symbols += u.symbol;
  }
  return symbols;
}

std::string_view dimension_name(Dimension dimension) {
  switch (dimension) {
    case Dimension::temperature:
      return "temperature";
    case Dimension::pressure:
      return "pressure";
    case Dimension::length:
      return "length";
    case Dimension::heat_flux:
      return "heat flux";
    case Dimension::none:
      break;
  }
  return "number";
}

Converted convert(std::string_view unit, const OutputUnits& units, double molar_mass) {
  Converted c{std::string(unit), 1.0};
  const auto replace = [&](std::string_view from, std::string_view to) {
    const auto at = c.unit.find(from);
    if (at != std::string::npos) c.unit.replace(at, from.size(), to);
    return at != std::string::npos;
  };
  int molar_power = 0;
  if (units.basis == Basis::molar) {
    if (replace("kg/m^3", "mol/m^3")) {
      molar_power = -1;
    } else if (replace("/kg", "/mol") || replace("(kg", "(mol")) {
      molar_power = 1;
    }
  }
  if (units.basis == Basis::mass && unit == "m^3/mol" && replace("m^3/mol", "m^3/kg")) molar_power = -1;
  const int pressure_power = unit.rfind("kPa", 0) == 0                     ? 1
                             : unit.find("/kPa") != std::string_view::npos ? -1
                                                                           : 0;
  if (pressure_power != 0) replace("kPa", units.pressure);
  // One factor, computed as the Python package computes it: both give the same double.
  c.factor = std::pow(molar_mass, molar_power) * std::pow(units.kpa_per_pressure_unit, -pressure_power);
  return c;
}

OutputUnits parse_output_units(std::string_view argument, std::string_view text) {
  OutputUnits units;
  bool basis_given = false, pressure_given = false;
  std::size_t from = 0;
  for (;;) {
    const auto at = text.find(',', from);
    const std::string_view word = text.substr(from, at == std::string_view::npos ? at : at - from);
    const auto pressure =
        std::find_if(kOutputPressures.begin(), kOutputPressures.end(),
                     [&](const PressureUnit& p) { return equal_names_ignoring_case(p.symbol, word); });
    if (pressure != kOutputPressures.end() && !pressure_given) {
      units.pressure = pressure->symbol;
      units.kpa_per_pressure_unit = pressure->kpa;
      pressure_given = true;
    } else if ((equal_names_ignoring_case(word, "kg") || equal_names_ignoring_case(word, "mol")) &&
               !basis_given) {
      units.basis = equal_names_ignoring_case(word, "kg") ? Basis::mass : Basis::molar;
      basis_given = true;
    } else {
      throw UsageError(fmt::format(
          "{}: '{}' is not an output unit; expected a comma-separated list of one basis (kg or mol) and "
          "one pressure unit (kPa, Pa, bar or MPa), such as mol,bar",
          argument, word));
    }
    if (at == std::string_view::npos) return units;
    from = at + 1;
  }
}

}  // namespace vorn_cli
