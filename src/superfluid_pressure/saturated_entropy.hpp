// The saturated liquid's molar entropy from 0 K, J/(mol K), as
// superfluid/entropy.hpp defines it (S = integral_0^T C_sat/T' dT', 8-point
// Gauss-Legendre on every knot interval of the heat capacity's spline), to
// the bit: the same sums in the same order, with the integral over every
// whole knot interval below T taken once per thread, so that a call
// integrates only the interval holding T (8 spline evaluations instead of up
// to 152). 0.01 K to the spline's end 35 nK below T_lambda; elsewhere the
// full computation.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "constants/kept_at.hpp"
#include "superfluid/entropy.hpp"
#include "superfluid/heat_capacity.hpp"

namespace vorn::superfluid_pressure {

inline double saturated_molar_entropy_at(double T) {
  using superfluid::heat_capacity_lowest;
  const auto& spline = superfluid::heat_capacity_below_spline;
  constexpr std::size_t last = superfluid::CubicBSpline<26>::coefficients;
  if (!(T > heat_capacity_lowest && T <= superfluid::heat_capacity_below_end))
    return superfluid::molar_entropy(T);
  // whole[k]: the running sum over the intervals before the k-th, taken
  // once per thread (no guarded static: no tie to the C++ runtime).
  thread_local bool taken = false;
  thread_local std::array<double, last + 1> whole{};
  if (!taken) {
    double total = 0.0;
    for (std::size_t k = 3; k < last; ++k) {
      whole[k] = total;
      const double a = std::fmax(spline.t[k], heat_capacity_lowest);
      if (a < spline.t[k + 1]) total += superfluid::integral_of_c_over_t(spline, a, spline.t[k + 1]);
    }
    whole[last] = total;
    taken = true;
  }
  std::size_t k = 3;
  while (k < last && !(spline.t[k + 1] > T)) ++k;
  double total = whole[k];
  if (k < last) {
    const double a = std::fmax(spline.t[k], heat_capacity_lowest);
    if (a < T) total += superfluid::integral_of_c_over_t(spline, a, T);
  }
  return std::pow(10.0, spline.c[0]) / 3.0 + total;
}

// Kept for the next call at the same T, per thread: below 1.25 K a He II
// state asks for it twice (its saturated line and its second sound).
inline double saturated_molar_entropy(double T) { return kept_at<saturated_molar_entropy_at>(T); }

}  // namespace vorn::superfluid_pressure
