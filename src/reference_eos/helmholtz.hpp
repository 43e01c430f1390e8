// Reduced Helmholtz energy of the reference equation, alpha = a/(RT) =
// alpha_0 + alpha_r, and the derivatives every property is made of.
//
//   alpha_0 = ln delta + a1 + a2 tau + 1.5 ln tau        (so cp0 = 5/2 R)
//   alpha_r = the 23 terms of residual_coefficients.hpp
//
// Derivatives are returned multiplied by the matching powers of delta and
// tau (delta alpha_delta, delta^2 alpha_deltadelta, ...): those are what the
// property formulas use, they stay finite at delta = 0, and no division is
// needed to form them. Dimensionless; delta >= 0, tau > 0.
#pragma once

#include <array>

#include "reference_eos/residual_coefficients.hpp"

namespace vorn::reference_eos {

// The ideal part as distributed with the equation.
inline constexpr double distributed_a1 = 0.1871304489697973;
inline constexpr double distributed_a2 = 0.4848903984696551;

// Offsets to a1 and a2 that put h = 0 and s = 0 at the saturated liquid at
// 101.325 kPa (the normal-boiling-point convention), computed once from this
// equation: delta_a1 = s/R and delta_a2 = -h/(R Tc) of that state with the
// distributed a1 and a2 (s does not depend on a2, nor h on a1). The test of
// the reference state recomputes them.
inline constexpr double nbp_offset_a1 = -0.013781655686216;
inline constexpr double nbp_offset_a2 = -0.017438178314556;

inline constexpr double ideal_a1 = distributed_a1 + nbp_offset_a1;
inline constexpr double ideal_a2 = distributed_a2 + nbp_offset_a2;

// alpha and its scaled derivatives: d = delta alpha_delta, dd = delta^2
// alpha_deltadelta, t = tau alpha_tau, tt = tau^2 alpha_tautau, dt = delta tau
// alpha_deltatau.
struct HelmholtzDerivatives {
  double a;
  double d;
  double dd;
  double t;
  double tt;
  double dt;
};

// What the residual part takes from tau alone: ln tau and tau^t of the power
// and exponential terms (residual_coefficients.hpp), in table order.
struct TauFactors {
  double tau;
  double ln_tau;
  std::array<double, power_terms.size()> power;
  std::array<double, exponential_terms.size()> exponential;
};
TauFactors tau_factors(double tau);

// The residual part and its five scaled derivatives, in one pass over the
// terms. The form with tau keeps the factors of the last tau per thread.
HelmholtzDerivatives residual(double delta, double tau);
HelmholtzDerivatives residual(double delta, const TauFactors& factors);

// The zero-density limit of alpha_r_delta (so that B = that / rho_c).
double residual_zero_density_slope(double tau);

// ln tau, from the factors of the last tau this thread saw when they are of
// this tau (the same bits as std::log(tau)).
double log_tau(double tau);

// The ideal part (alpha_0, tau alpha_0_tau, tau^2 alpha_0_tautau; the delta
// derivatives are 1 and -1 by construction and left to the formulas).
// ln delta and ln tau are passed in: the callers that need alpha_0 itself
// have the one, and the residual part's factors the other.
struct IdealPart {
  double a;
  double t;
  double tt;
};

inline IdealPart ideal(double ln_delta, double ln_tau, double tau, double a1, double a2) {
  return {ln_delta + a1 + a2 * tau + 1.5 * ln_tau, a2 * tau + 1.5, -1.5};
}

}  // namespace vorn::reference_eos
