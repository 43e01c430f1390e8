// The reference equation of state from the command line: every property at a
// state given by any input pair, saturation tables, and the equation's value
// of each correlation property beside the correlation's own.
//
// Inputs other than T and P are bare SI numbers per kilogram (rho kg/m^3,
// h and u J/kg, s J/(kg K), q the vapour quality, 0 to 1); results are SI per
// kilogram with P in the pressure unit of --units.
#pragma once

#include <optional>
#include <string>

#include "input.hpp"
#include "properties.hpp"
#include "report.hpp"
#include "vorn.h"

namespace vorn_cli {

// "he-ii+extrapolated", or "-" when no flag is set.
std::string eos_flag_names(unsigned flags);
// The same names as a JSON array: ["he-ii", "extrapolated"].
std::string eos_flag_list(unsigned flags);
// "liquid", "vapour", "supercritical", "two-phase" or "none".
std::string eos_phase_name(int phase);

// Every property of the equation at (T, P).
vorn_eos_state eos_state_at(int pair, double x1, double x2);

// The equation's value of a correlation property, in the correlation's unit;
// nothing for properties the equation does not give (C, D, transport, ...).
std::optional<double> reference_value(const Property& property, const vorn_eos_state& state);

// (correlation - reference) / |reference| in percent; NaN where either is not finite or reference is 0.
double relative_difference_percent(double correlation, double reference);

// An input of `vorn eos`: its option name (--T) and the text given.
struct EosInput {
  std::string name;
  std::string text;
};

// Every property at the state the two given inputs name; bad input throws UsageError.
void print_eos_state(const EosInput& first, const EosInput& second, const Options& options);

// The saturated liquid and vapour at every T (or every P) of `points`.
void print_saturation(bool at_temperature, const Values& points, const Options& options);

}  // namespace vorn_cli
