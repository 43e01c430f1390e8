// Constant-volume gas thermometer: a fixed amount of gas in a fixed volume
// shows P0 at the reference T0 and P at the unknown T, so P/(T Z(T, P)) is the
// same at both and
//
//   T = T0 (P/P0) Z(T0, P0) / Z(T, P)
//
// with Z the true compressibility factor of compressibility.hpp. Solved by
// Newton's method on G(T) = T Z(T, P) - T0 (P/P0) Z(T0, P0) from the ideal-gas
// T0 P/P0, the derivative a central difference, to |dT| <= 1e-12 T. Where the
// isotherm through P has turned over before P (Z is NaN: no gas at that T
// shows P) the iteration moves warmer and stays there; where the root lies
// below the coldest T with a gas root at P there is no solution: NaN. At most
// 100 steps.
// Not accounted for: thermal expansion of the bulb, dead volume at other
// temperatures, thermomolecular pressure differences in the capillary.
#pragma once

#include <cmath>
#include <limits>

#include "correlation/thermometer.hpp"
#include "gas_state/compressibility.hpp"

namespace vorn {

inline ThermometerSolution solve_gas_thermometer(double P, double T0, double P0) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr int iteration_limit = 100;
  if (!(T0 > 0.0) || !(P0 > 0.0) || !(P > 0.0) || !std::isfinite(T0) || !std::isfinite(P0) ||
      !std::isfinite(P)) {
    return {nan, 0, false};
  }
  const double target = T0 * (P / P0) * compressibility_factor(T0, P0);
  if (!std::isfinite(target)) return {nan, 1, false};
  double T = T0 * (P / P0);
  double cold = 0.0;  // the warmest T tried at which P has no gas root (at T or T +- h)
  double warm = std::numeric_limits<double>::infinity();  // the coldest T tried with one
  for (int k = 1; k <= iteration_limit; ++k) {
    const double h = 1e-6 * T;
    const double G = T * compressibility_factor(T, P) - target;
    const double G_plus = (T + h) * compressibility_factor(T + h, P);
    const double G_minus = (T - h) * compressibility_factor(T - h, P);
    if (!std::isfinite(G) || !std::isfinite(G_plus) || !std::isfinite(G_minus)) {
      // Colder than the turning point of the isotherm through P: the gas that
      // shows P is warmer. Double T, or halve the gap to a T known to have a
      // gas root; a gap closed to 1e-9 leaves the root where no gas shows P.
      cold = T;
      if (std::isfinite(warm) && warm - cold <= 1e-9 * warm) return {nan, k, false};
      T = std::isfinite(warm) ? 0.5 * (cold + warm) : T + T;
      continue;
    }
    warm = std::fmin(warm, T);
    double next = T - G * (2.0 * h) / (G_plus - G_minus);
    if (!(next > cold)) {
      if (T - cold <= 1e-9 * T) return {nan, k, false};
      next = 0.5 * (cold + T);
    }
    if (!std::isfinite(next) || !(next > 0.0)) return {nan, k, false};
    if (std::fabs(next - T) <= 1e-12 * next) return {next, k, true};
    T = next;
  }
  return {T, iteration_limit, false};
}

}  // namespace vorn
