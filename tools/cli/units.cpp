#include "units.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

#include "input.hpp"
#include "names.hpp"

namespace vorn_cli {
namespace {

// The table of units the tool and the Python package share (units.def: the factors and their sources).
constexpr Unit kUnits[] = {
#define VORN_UNIT_ROW(symbol, dimension, numerator, exponent, divisor, offset, any_case, output) \
  {symbol, Dimension::dimension, numerator, exponent, divisor, offset, (any_case) != 0, (output) != 0},
#define VORN_BASIS_ROW(symbol, kilograms)
#include "units.def"
};

struct BasisRow {
  std::string_view symbol;
  double kilograms;  // 0: the mole
};
constexpr BasisRow kBases[] = {
#define VORN_UNIT_ROW(symbol, dimension, numerator, exponent, divisor, offset, any_case, output)
#define VORN_BASIS_ROW(symbol, kilograms) {symbol, kilograms},
#include "units.def"
};

// What one output pressure unit is in kPa: the double nearest numerator 10^exponent, over the divisor (as
// the Python package computes it).
double kpa_of(const Unit& u) {
  return std::stod(fmt::format("{}e{}", u.numerator, u.exponent)) / static_cast<double>(u.divisor);
}

std::string output_symbols(Dimension dimension) {
  std::string symbols;
  for (const Unit& u : kUnits) {
    if (u.dimension == dimension && u.output)
      symbols += (symbols.empty() ? "" : ", ") + std::string(u.symbol);
  }
  return symbols;
}

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

namespace {

// Each dimension's name and what a value of it is, in the order of Dimension.
struct DimensionText {
  std::string_view name, expected;
};
constexpr DimensionText kDimensionTexts[] = {
    {"temperature",
     "a temperature: a number in K, or a number and a unit such as 300K, 4.2 K, 26.85C or 800mK"},
    {"pressure",
     "a pressure: a number in kPa, or a number and a unit such as 101.325kPa, 1 bar, 1e5Pa or 760torr"},
    {"length", "a length: a number in m, or a number and a unit such as 1m, 50 cm or 300mm"},
    {"heat flux",
     "a heat flux: a number in W/m^2, or a number and a unit such as 10kW/m2, 1 W/cm^2 or 5000W/m2"},
    {"number", "a plain number"},
};
static_assert(std::size(kDimensionTexts) == static_cast<std::size_t>(Dimension::none) + 1,
              "a text for every dimension");

}  // namespace

std::string_view dimension_name(Dimension dimension) {
  return kDimensionTexts[static_cast<std::size_t>(dimension)].name;
}

std::string_view what_is_expected(Dimension dimension) {
  return kDimensionTexts[static_cast<std::size_t>(dimension)].expected;
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
  double mass_factor = 1.0;  // per gram: a thousandth of per kilogram
  if (units.basis == Basis::gram && (replace("/kg", "/g") || replace("(kg", "(g"))) mass_factor = 1e-3;
  if ((units.basis == Basis::mass || units.basis == Basis::gram) && unit == "m^3/mol" &&
      replace("m^3/mol", "m^3/kg"))
    molar_power = -1;
  const int pressure_power = unit.rfind("kPa", 0) == 0                     ? 1
                             : unit.find("/kPa") != std::string_view::npos ? -1
                                                                           : 0;
  if (pressure_power != 0) replace("kPa", units.pressure);
  // One factor, computed as the Python package computes it: both give the same double.
  c.factor = std::pow(molar_mass, molar_power) * std::pow(units.kpa_per_pressure_unit, -pressure_power) *
             mass_factor;
  return c;
}

OutputUnits parse_output_units(std::string_view argument, std::string_view text) {
  OutputUnits units;
  bool basis_given = false;
  bool pressure_given = false;
  std::size_t from = 0;
  for (;;) {
    const auto at = text.find(',', from);
    const std::string_view word = trim(text.substr(from, at == std::string_view::npos ? at : at - from));
    const Unit* pressure = find_unit(word, Dimension::pressure);
    const auto* const basis = std::find_if(std::begin(kBases), std::end(kBases), [&](const BasisRow& b) {
      return equal_names_ignoring_case(b.symbol, word);
    });
    if (pressure != nullptr && pressure->output && !pressure_given) {
      units.pressure = pressure->symbol;
      units.kpa_per_pressure_unit = kpa_of(*pressure);
      pressure_given = true;
    } else if (basis != std::end(kBases) && !basis_given) {
      units.basis = basis->kilograms == 0.0   ? Basis::molar
                    : basis->kilograms == 1.0 ? Basis::mass
                                              : Basis::gram;
      basis_given = true;
    } else {
      throw UsageError(fmt::format(
          "{}: '{}' is not an output unit; expected a comma-separated list of one basis (kg, g or mol) and "
          "one pressure unit ({}), such as g,mbar",
          argument, word, output_symbols(Dimension::pressure)));
    }
    if (at == std::string_view::npos) return units;
    from = at + 1;
  }
}

}  // namespace vorn_cli
