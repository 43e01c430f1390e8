// What the tool prints of the correlations, beside the reference equation:
// one state, tables of any property of either family, the thermometers and
// the reference states of `vorn` alone. Every table goes through table.hpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "input.hpp"
#include "properties.hpp"
#include "quantity.hpp"
#include "table.hpp"
#include "units.hpp"

namespace vorn_cli {

// Every property at (T, P). Where a correlation's result is flagged as
// meaningless and the reference equation gives the property, the equation's
// value leads and the row says so; where the two families disagree on the
// phase, a note says which relation each uses. Returns kExitNoAnswer when the
// density shown first is NaN or flagged.
// `P_bare`: P as typed where it was written without its unit (the P line then says in which it was read).
int print_state(double T, double P, const Options& options, std::string_view P_bare = {});

// The inputs of a table: one or two, each a name (T, P, rho, ...) with its
// points: T and P (read with their units) in the library's units, the others
// as typed, in the units of --units.
struct TableInput {
  const EosProperty* input;
  Values points;
};

// One property over every point of its inputs (the second input outer), a
// row per point; one warning per flag met and a count of the rows without
// an answer on stderr.
int print_table(const Quantity& quantity, int pair, const std::vector<TableInput>& inputs,
                const Options& options);

struct ThermometerResult {
  double T;
  int iterations;
  bool converged;
  unsigned flags;  // the state flags of the result (the library's *_state report)
};
// The result of a thermometer with the flags of its state, a warning on
// stderr for each flag, and one when the iteration stopped short of its
// tolerance.
void print_thermometer(const char* method, const ThermometerResult& result, const Options& options);

// Every property at a few reference states: what `vorn` alone prints.
void print_reference_states(const Options& options);

}  // namespace vorn_cli
