// The properties the tool knows: each readable name (and its aliases) bound to
// the exported routine that computes it, with the unit of its result and the
// state flags under which that result means nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "units.hpp"

namespace vorn_cli {

using TemperatureRoutine = double (*)(const double*);
using StateRoutine = double (*)(const double*, const double*);
using StateArrayRoutine = void (*)(size_t, const double*, const double*, double*);

struct Property {
  std::string_view name;      // shown in tables: "cp", "dB/dT"
  std::string_view aliases;   // also accepted on the command line, comma-separated
  std::string_view exported;  // the library's exported name
  std::string_view unit;      // unit of the result, "1" if none
  std::string_view description;
  TemperatureRoutine of_T = nullptr;    // set for routines of T alone
  StateRoutine of_TP = nullptr;         // set for routines of T and P
  StateArrayRoutine of_TP_n = nullptr;  // its array form
  unsigned flags = 0;                   // VORN_STATE_* bits that spoil the result (vorn_state_mask)

  bool needs_pressure() const { return of_TP != nullptr; }
  double operator()(const double& T, const double& P) const { return of_TP ? of_TP(&T, &P) : of_T(&T); }
};

// Every property, in the order the tables list them.
const std::vector<Property>& properties();

// By readable name, alias or exported name; an exact match first, then one
// ignoring case; a space, '-' and '_' are one ("speed of sound" is
// speed-of-sound). Null when nothing matches.
const Property* find_property(std::string_view name);

// The unit of a result in `units`, and the factor to it from the library's.
Converted output_units(const Property& p, const OutputUnits& units);

// "B, dB/dT, ..., viscosity": for the message naming what was expected.
std::string property_names();

}  // namespace vorn_cli
