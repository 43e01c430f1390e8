// The 22 exported routines as one table, for the tests that run all of them
// alike: which module constants each one reads, and how to call it at a state.
#pragma once

#include <iterator>

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

inline const Routine kRoutines[] = {
    {"__vorn_MOD_b", __vorn_MOD_b, nullptr, false, false, false, false},
    {"__vorn_MOD_db", __vorn_MOD_db, nullptr, false, false, false, false},
    {"__vorn_MOD_d2b", __vorn_MOD_d2b, nullptr, false, false, false, false},
    {"__vorn_MOD_c", __vorn_MOD_c, nullptr, false, false, false, false},
    {"__vorn_MOD_dc", __vorn_MOD_dc, nullptr, false, false, false, false},
    {"__vorn_MOD_d2c", __vorn_MOD_d2c, nullptr, false, false, false, false},
    {"__vorn_MOD_d", __vorn_MOD_d, nullptr, false, false, false, false},
    {"__vorn_MOD_dd", __vorn_MOD_dd, nullptr, false, false, false, false},
    {"__vorn_MOD_d2d", __vorn_MOD_d2d, nullptr, false, false, false, false},
    // m0 cancels from vol and gamma, up to rounding.
    {"vorn_rho", nullptr, vorn_rho, false, true, true, false},
    {"vorn_vol", nullptr, vorn_vol, false, true, false, false},
    {"vorn_cv", nullptr, vorn_cv, false, true, true, false},
    {"vorn_cp", nullptr, vorn_cp, false, true, true, false},
    {"vorn_gamma", nullptr, vorn_gamma, false, true, false, false},
    {"vorn_w", nullptr, vorn_w, false, true, true, true},
    {"vorn_Za_gk", nullptr, vorn_Za_gk, false, true, false, false},
    {"vorn_w_gk", nullptr, vorn_w_gk, false, true, true, true},
    {"temp_K", nullptr, nullptr, true, true, false, false},
    {"vorn_k0", vorn_k0, nullptr, false, false, false, false},
    {"vorn_k", nullptr, vorn_k, false, false, false, false},
    {"vorn_nu0", vorn_nu0, nullptr, false, false, false, false},
    {"vorn_nu", nullptr, vorn_nu, false, false, false, false},
};

static_assert(std::size(kRoutines) == 22, "one row per exported routine");

// States where every routine gives a finite value that depends on P.
inline const double kStates[][2] = {{4.2, 100}, {20, 1000}, {77, 5000}, {300, 101.325}};

}  // namespace vorn_test
