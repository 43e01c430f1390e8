// Temperature from a thermometer ratio: the root T of
//
//   F(x) = x/T0 - (phi Za(T0, P0)) / Za(x, P)
//
// by Newton's method from x = T0 phi, the derivative a central difference of
// half-width dt: x_new = x - (dt (F0 + F0)) / (F+ - F-). Stops when
// ep >= |x_new - x| (ep = 1e-10 K, absolute), or after 30 iterations, when the
// last iterate is returned all the same.
//
// Za is the acoustic factor, so the relation is exact for an acoustic
// thermometer with phi the ratio of squared sound speeds (w/w0 at T over T0),
// not for a ratio of gas pressures. It does not converge when the root lies
// within about dt of a threshold of Za (1.95 K, 2.6 K, 20 K), where the central
// difference spans the jump.
#pragma once

#include <cmath>

#include "correlation/acoustic_factor.hpp"
#include "correlation/thermometer_solution.hpp"

namespace vorn {

// The iteration's constants as published with this library: dt is a
// single-precision literal widened, 0.0010000000474974513 K.
inline constexpr double thermometer_half_step = static_cast<double>(0.001F);
inline constexpr double thermometer_tolerance = 1e-10;
inline constexpr int thermometer_iteration_limit = 30;

// F(x) with phi Za(T0, P0) already formed: x/T0 first (a division, not a
// product with a reciprocal), then target / Za(x, P), then the difference.
inline double thermometer_residual(double x, double target, double P, double T0) {
  const double ratio = x / T0;
  const double Za = acoustic_factor(x, P);
  return ratio - target / Za;
}

// Za(T0, P0) and phi Za(T0, P0) are formed once per call: Za is a pure
// function of its arguments and r, so forming them again in each of the three
// residuals of an iteration would give the same doubles. One Za per residual,
// three per iteration, plus this one.
inline ThermometerSolution solve_thermometer(double phi, double P, double T0, double P0) {
  const double Za0 = acoustic_factor(T0, P0);
  const double target = phi * Za0;
  double x = T0 * phi;
  double x_new = x;
  for (int k = 1; k <= thermometer_iteration_limit; ++k) {
    const double F0 = thermometer_residual(x, target, P, T0);
    const double x_plus = x + thermometer_half_step;
    const double F_plus = thermometer_residual(x_plus, target, P, T0);
    const double x_minus = x - thermometer_half_step;
    const double F_minus = thermometer_residual(x_minus, target, P, T0);
    x_new = x - (thermometer_half_step * (F0 + F0)) / (F_plus - F_minus);
    if (thermometer_tolerance >= std::fabs(x_new - x)) {
      return {x_new, k, true};
    }
    x = x_new;
  }
  return {x_new, thermometer_iteration_limit, false};
}

// The temperature alone: temp_K, the function its row of the table of
// routines (export/routines.def) names, as every row names a function of
// doubles giving the result.
inline double thermometer_temperature(double phi, double P, double T0, double P0) {
  return solve_thermometer(phi, P, T0, P0).temperature;
}

}  // namespace vorn
