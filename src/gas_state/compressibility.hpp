// The true compressibility factor Z = pV/(nRT) of the truncated virial
// equation, its gas root solved to convergence:
//
//   f(rho) = rho (1 + B rho + C rho^2 + D rho^3) - y = 0,   y = 1000 P/(rT)
//   Z = y / rho
//
// The gas root is the smallest positive root, reached while f still rises
// (f' = 1 + 2B rho + 3C rho^2 + 4D rho^3 > 0). Newton's method from the ideal
// gas (rho = y), kept inside a bracket [lo, hi] with f(lo) < 0 < f(hi) and
// falling back to bisection, to a relative change of 1e-15. Where f turns
// over before it reaches y, the isotherm has no gas root at this pressure and
// Z is NaN. Unlike the density routine (one Newton step), this is converged.
#pragma once

#include <cmath>
#include <limits>

#include "constants/module_constants.hpp"
#include "gas_state/virial_terms.hpp"

namespace vorn {

struct VirialIsotherm {
  double B, C, D;  // SI units
  double f(double rho, double y) const { return rho * (1.0 + rho * (B + rho * (C + rho * D))) - y; }
  double slope(double rho) const { return 1.0 + rho * (2.0 * B + rho * (3.0 * C + rho * 4.0 * D)); }
};

// The molar density of the gas root at (T, P), mol/m^3, or NaN if there is none.
inline double gas_root_molar_density(double T, double P) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  const double y = 1000.0 * P / (gas_constant * T);
  if (!std::isfinite(y) || y < 0.0) return nan;
  if (y == 0.0) return 0.0;
  const VirialIsotherm iso{si_second_virial(T), si_third_virial(T), si_fourth_virial(T)};
  if (!std::isfinite(iso.B) || !std::isfinite(iso.C) || !std::isfinite(iso.D)) return nan;

  // Bracket the gas root: walk out from the ideal-gas density while f rises.
  double lo = 0.0;
  double hi = y;
  for (int i = 0; i < 200 && iso.f(hi, y) <= 0.0; ++i) {
    if (!(iso.slope(hi) > 0.0)) {
      // f turned over between lo and hi: find the turning point; the gas root
      // exists only if f is positive there.
      double a = lo;
      double b = hi;
      for (int k = 0; k < 200 && b - a > 1e-16 * b; ++k) {
        const double m = 0.5 * (a + b);
        (iso.slope(m) > 0.0 ? a : b) = m;
      }
      if (!(iso.f(a, y) > 0.0)) return nan;
      hi = a;
      break;
    }
    lo = hi;
    hi = hi + hi;
  }
  if (!(iso.f(hi, y) > 0.0)) return nan;

  double rho = (y > lo && y < hi) ? y : 0.5 * (lo + hi);
  for (int i = 0; i < 200; ++i) {
    const double fr = iso.f(rho, y);
    if (fr == 0.0) return rho;
    (fr < 0.0 ? lo : hi) = rho;
    double next = rho - fr / iso.slope(rho);
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::fabs(next - rho) <= 1e-15 * rho) return next;
    rho = next;
  }
  return rho;
}

inline double compressibility_factor(double T, double P) {
  const double y = 1000.0 * P / (gas_constant * T);
  if (y == 0.0 && T > 0.0) return 1.0;
  return y / gas_root_molar_density(T, P);
}

}  // namespace vorn
