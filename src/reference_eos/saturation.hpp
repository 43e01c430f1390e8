// Vapour-liquid equilibrium of the reference equation, from the lambda point
// (2.1768 K) to Tc: equal pressure and equal Gibbs energy on both sides,
//   J(delta') = J(delta''), K(delta') = K(delta''),
//   J = delta (1 + delta alpha_r_delta), K = delta alpha_r_delta + alpha_r + ln delta,
// from the Chebyshev series of saturation_expansion.hpp (generated from the
// equation's solution at 50 digits) up to 52 nK below Tc, and joined from
// there to the reducing point (Tc, rho_c, pc). No evaluation of the equation:
// the flashes that need a saturation with a further condition (a given
// density and u, h or s; a given h and s) solve it themselves from one of
// these (flash_two_phase.cpp).
#pragma once

namespace vorn::reference_eos {

struct Saturation {
  double T;           // K
  double p;           // Pa
  double rho_liquid;  // mol/m3
  double rho_vapour;  // mol/m3
  int evaluations;    // of the Helmholtz energy
  bool converged;
};

// T from lambda_temperature to critical_temperature; otherwise not converged and NaN.
// From the series of saturation_expansion.hpp, no evaluation of the equation.
Saturation saturation_at_temperature(double T);

// p from the saturation pressure at the lambda point to the critical
// pressure (each end within 1e-12); from the series likewise.
Saturation saturation_at_pressure(double p);

// The saturation whose liquid (rho > rho_c) or vapour (rho < rho_c) has the
// density rho: where an isochore meets the dome. The series inverted (no
// evaluation of the equation); rho between the saturated densities at the
// lambda point, otherwise not converged.
Saturation saturation_at_density(double rho);

// The pressure the equation gives at (Tc, rho_c), Pa.
double critical_pressure();

}  // namespace vorn::reference_eos
