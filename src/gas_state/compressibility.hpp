// The true compressibility factor Z = pV/(nRT) of the truncated virial
// equation, its gas root solved to convergence:
//
//   f(rho) = rho (1 + B rho + C rho^2 + D rho^3) - y = 0,   y = 1000 P/(rT)
//   Z = y / rho
//
// The gas root is the root that the isotherm reaches from rho = 0 while it
// still rises: f' = 1 + 2B rho + 3C rho^2 + 4D rho^3 > 0 on all of (0, rho].
// f' is a cubic whose turning points are the roots of the quadratic f'', so
// on each piece between them f' is monotonic: its first zero (the first
// turning point of the isotherm, rho_t) is found by bisection on the first
// piece whose end has f' <= 0. If f(rho_t) <= 0 the isotherm turns over
// before it reaches y: there is no gas root at this pressure and Z is NaN, for
// every higher pressure too (y rises with P, f(rho_t) + y does not). Otherwise
// the root lies in (0, rho_t), where f is monotonic: Newton's method from the
// ideal gas (rho = y) kept inside a bracket with f(lo) < 0 < f(hi), falling
// back to bisection, to a relative change of 1e-15. Unlike the density
// routine (one Newton step), this is converged. Every loop is bounded.
#pragma once

#include <array>
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

// The positive roots of f'' = 2B + 6C rho + 12D rho^2, ascending; absent ones
// are +inf. Solved by the cancellation-free form of the quadratic formula.
inline std::array<double, 2> isotherm_inflections(const VirialIsotherm& iso) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const double a = 12.0 * iso.D;
  const double b = 6.0 * iso.C;
  const double c = 2.0 * iso.B;
  std::array<double, 2> roots{inf, inf};
  if (a == 0.0) {
    if (b != 0.0 && -c / b > 0.0) roots[0] = -c / b;
    return roots;
  }
  const double disc = b * b - 4.0 * a * c;
  if (!(disc >= 0.0)) return roots;
  const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
  const double r1 = q / a;
  const double r2 = q != 0.0 ? c / q : 0.0;
  int n = 0;
  for (double r : {std::fmin(r1, r2), std::fmax(r1, r2)}) {
    if (r > 0.0 && std::isfinite(r)) roots[n++] = r;
  }
  return roots;
}

// The last density before the first turning point of the isotherm in
// (0, limit] (the last one with f' > 0), or +inf if f' stays positive there.
// On each piece between inflections f' is monotonic, so its first zero lies on
// the first piece whose end has f' <= 0; bisection finds it, at most 2100
// halvings (enough to reach adjacent doubles from any finite pair).
inline double last_rising_density(const VirialIsotherm& iso, const std::array<double, 2>& inflections,
                                  double limit) {
  double a = 0.0;
  for (double end : {inflections[0], inflections[1], limit}) {
    double b = std::fmin(end, limit);
    if (!(b > a)) continue;
    if (!(iso.slope(b) > 0.0)) {
      for (int k = 0; k < 2100; ++k) {
        const double m = 0.5 * (a + b);
        if (!(m > a && m < b)) break;
        (iso.slope(m) > 0.0 ? a : b) = m;
      }
      return a;
    }
    a = b;
  }
  return std::numeric_limits<double>::infinity();
}

// The molar density of the gas root at (T, P), mol/m^3, or NaN if there is none.
inline double gas_root_molar_density(double T, double P) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  const double y = 1000.0 * P / (gas_constant * T);
  if (!std::isfinite(y) || y < 0.0 || !(T > 0.0)) return nan;
  if (y == 0.0) return 0.0;
  const VirialIsotherm iso{si_second_virial(T), si_third_virial(T), si_fourth_virial(T)};
  if (!std::isfinite(iso.B) || !std::isfinite(iso.C) || !std::isfinite(iso.D)) return nan;
  const std::array<double, 2> inflections = isotherm_inflections(iso);
  const double last_inflection = std::isfinite(inflections[1])   ? inflections[1]
                                 : std::isfinite(inflections[0]) ? inflections[0]
                                                                 : 0.0;

  // An upper end with f > 0, walking out from the ideal-gas density; or one
  // past the last inflection where the slope is <= 0, beyond which f falls for
  // ever (so a gas root, if any, lies below it).
  double lo = 0.0;
  double hi = y;
  for (int i = 0; i < 2100 && !(iso.f(hi, y) > 0.0); ++i) {
    if (hi >= last_inflection && !(iso.slope(hi) > 0.0)) break;
    lo = hi;
    hi = hi + hi;
  }

  // A turning point below hi: the root is the gas root only if f is already
  // positive where the isotherm last rises.
  const double top = last_rising_density(iso, inflections, hi);
  if (top < hi) {
    if (!(iso.f(top, y) > 0.0)) return nan;
    hi = top;
    if (!(lo < hi)) lo = 0.0;
  } else if (!(iso.f(hi, y) > 0.0)) {
    return nan;
  }

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
