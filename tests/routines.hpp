// The 22 exported routines, for the tests that run all of them alike: which
// module constants each one reads, and how to call it at a state.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>

#include "export/routine_table.hpp"
#include "test_support.hpp"

namespace vorn_test {

struct Routine {
  const char* name;
  Fn1 f1;  // routines of T alone
  Fn2 f2;  // routines of T and P
  bool thermometer;
  bool reads_r, reads_m0, reads_g0;

  // temp_K takes the state as (phi, P) against a fixed reference point.
  double at(double T, double P) const {
    if (f1 != nullptr) return call(f1, T);
    if (f2 != nullptr) return call(f2, T, P);
    return call_temp_K(T / 273.16, P, 273.16, 100);
  }
};

// Made from the table of routines (src/export/routines.def).
inline const std::array<Routine, vorn_routines::kRoutineCount> kRoutines = [] {
  std::array<Routine, vorn_routines::kRoutineCount> out{};
  for (std::size_t i = 0; i < out.size(); ++i) {
    const vorn_routines::Row& row = vorn_routines::kRows[i];
    out[i] = {row.symbol, row.scalar1, row.scalar2, row.arity == 4, row.reads_r, row.reads_m0, row.reads_g0};
  }
  return out;
}();

static_assert(std::size(kRoutines) == 22, "one row per exported routine");

// States where every routine gives a finite value that depends on P.
inline const double kStates[][2] = {{4.2, 100}, {20, 1000}, {77, 5000}, {300, 101.325}};

}  // namespace vorn_test
