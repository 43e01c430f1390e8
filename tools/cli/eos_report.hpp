// The reference equation of state in the tool: its properties (names, units
// per kilogram or per mole, the pressure unit of --units) and its input pairs,
// both from the library's table of its facts (vorn_eos_facts.def), and
// `vorn eos` and `vorn saturation`.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input.hpp"
#include "table.hpp"
#include "vorn.h"

namespace vorn_cli {

// A property of the equation, from the library's table of its facts
// (vorn_eos_facts.def) with the tool's names.
struct EosProperty {
  std::string_view name;     // shown in tables
  std::string_view aliases;  // also accepted, comma-separated
  std::string_view input;    // the option naming it as an input (T, rho), or empty
  std::string_view key;      // the library's name (the field of vorn_eos_state), also accepted
  int code;                  // VORN_EOS_*
  std::string_view unit;     // the library's
  std::string_view description;
  bool he_ii;  // He II's own (superfluid fraction, sounds ...): NaN in every other phase
};

// Every property, in the order `vorn eos` lists them.
const std::vector<EosProperty>& eos_properties();
// Its value at a state, in the library's units (one flash a state: the library keeps the last).
double eos_value(const EosProperty& p, int pair, double x1, double x2);
// By name, alias or input name, as find_property matches; null when none does.
const EosProperty* find_eos_property(std::string_view name);
std::string eos_property_names();

// A property in the user's units, and back.
Converted eos_units(const EosProperty& p, const OutputUnits& units);
double eos_out(const EosProperty& p, double library_value, const OutputUnits& units);
double eos_in(const EosProperty& p, double value, const OutputUnits& units);
std::string eos_unit(const EosProperty& p, const OutputUnits& units);

// An input pair of the library: the input names of its two properties, in
// the order of the library's x1 and x2.
struct EosPair {
  std::string_view first, second;
  int code;
};
const std::vector<EosPair>& eos_pairs();
// The pair of two input names, in either order; UsageError where they form none.
const EosPair& input_pair(std::string_view a, std::string_view b);
std::string pair_names();  // "T P, T rho, ...": for messages

// A value given for an input: T and P with an optional unit (bare P in the
// pressure unit of --units, with a warning when implausible), the others
// bare numbers in the units of --units. In the library's units.
double read_input(const EosProperty& input, std::string_view argument, std::string_view text,
                  const OutputUnits& units);

std::string eos_phase_name(int phase);
// The equation's flags on stderr, with a hint where one is He II.
void warn_eos_flags(unsigned flags);
void he_ii_hint(unsigned flags);  // where He II is described

// Every property of the equation at the state a pair gives.
vorn_eos_state eos_state_at(int pair, double x1, double x2);

// Every property at the state of a pair, its inputs as typed (`first` the
// pair's first); bad input throws UsageError. The exit status: kExitNoAnswer
// where the equation has no state.
int print_eos_state(const EosPair& pair, std::string_view first, std::string_view second,
                    const Options& options);

// The saturated liquid and vapour at every T (or every P) of `points`.
int print_saturation(bool at_temperature, const Values& points, const Options& options);

}  // namespace vorn_cli
