// What the tool prints: readable tables for people, CSV and JSON for
// programs. Numbers for programs are written with the fewest digits that read
// back to the same double; readable tables show ten significant digits.
#pragma once

#include <cstdio>
#include <vector>

#include "properties.hpp"

namespace vorn_cli {

// Every property at (T, P), and a warning on stderr for each state flag set.
void print_state(double T, double P, bool json);

// One property over every T (and every P, for routines of T and P), a row
// per point; a warning on stderr for each relevant state flag met anywhere.
void print_table(const Property& property, const std::vector<double>& T, const std::vector<double>& P,
                 bool csv);

struct ThermometerResult {
  double T;
  int iterations;
  bool converged;
};
// The result of a thermometer, and a warning on stderr when the iteration
// stopped short of its tolerance.
void print_thermometer(const char* method, const ThermometerResult& result, bool json);

// Every property at a few reference states, in one table: what `vorn` alone prints.
void print_reference_states();

// One warning line on stderr for each flag set in `flags`.
void warn_state_flags(unsigned flags);

}  // namespace vorn_cli
