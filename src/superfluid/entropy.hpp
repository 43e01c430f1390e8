// Molar entropy of the saturated liquid, J/(mol K), with S(0) = 0:
//
//   S(T) = integral_0^T C_sat(T')/T' dT',
//
// C_sat of heat_capacity.hpp (T dS/dT along saturation, so this is the
// entropy along the saturation line itself). How: below 0.01 K, where the
// spline starts, C_sat is the phonon T^3 law through C_sat(0.01 K) (the
// spline's 8.3e-8 J/(mol K) there is that law: 0.083 T^3), so S = C_sat/3;
// from 0.01 K on, 8-point Gauss-Legendre on every knot interval of the
// splines up to T (log10 C is a cubic on each, so C/T is smooth there; the
// intervals shrink into T_lambda with the lambda peak's logarithm, which is
// what keeps the rule within 1e-10 of adaptive quadrature), and the trapezoid
// across the 0.17 uK between the two splines (8e-6 J/(mol K) of the 6.3 at
// T_lambda). 0.01 K to 5.0614 K, the heat capacity's range; about 260
// evaluations of a spline above T_lambda.
#pragma once

#include <cstddef>

#include "constants/gauss_legendre.hpp"
#include "superfluid/heat_capacity.hpp"

namespace vorn::superfluid {

template <std::size_t Knots>
double integral_of_c_over_t(const CubicBSpline<Knots>& s, double from, double to) {
  return gauss_legendre_8([&s](double x) { return std::pow(10.0, evaluate(s, x).value) / x; }, from, to);
}

// integral of C/T over [from, to] within one spline's range, knot interval by
// knot interval.
template <std::size_t Knots>
double integral_over_knots(const CubicBSpline<Knots>& s, double from, double to) {
  double total = 0.0;
  for (std::size_t k = 3; k < CubicBSpline<Knots>::coefficients; ++k) {
    const double a = std::fmax(s.t[k], from);
    const double b = std::fmin(s.t[k + 1], to);
    if (a < b) total += integral_of_c_over_t(s, a, b);
  }
  return total;
}

inline double molar_entropy(double T) {
  const double c_lowest = std::pow(10.0, heat_capacity_below_spline.c[0]);
  if (T <= heat_capacity_lowest) {
    const double r = T / heat_capacity_lowest;
    return c_lowest / 3.0 * (r * r * r);
  }
  double S = c_lowest / 3.0;
  S += integral_over_knots(heat_capacity_below_spline, heat_capacity_lowest,
                           std::fmin(T, heat_capacity_below_end));
  if (T <= heat_capacity_below_end) return S;
  // The peak: C/T linear between the two splines' ends.
  const double c_end = molar_heat_capacity(heat_capacity_below_end) / heat_capacity_below_end;
  const double c_start = molar_heat_capacity(heat_capacity_above_start) / heat_capacity_above_start;
  if (T < heat_capacity_above_start) {
    const double f = (T - heat_capacity_below_end) / (heat_capacity_above_start - heat_capacity_below_end);
    return S + 0.5 * (T - heat_capacity_below_end) * (2.0 * c_end + f * (c_start - c_end));
  }
  S += 0.5 * (heat_capacity_above_start - heat_capacity_below_end) * (c_end + c_start);
  return S + integral_over_knots(heat_capacity_above_spline, heat_capacity_above_start, T);
}

}  // namespace vorn::superfluid
