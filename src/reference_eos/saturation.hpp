// Vapour-liquid equilibrium of the reference equation, from the lambda point
// (2.1768 K) to Tc: from its Chebyshev series (saturation_expansion.hpp) up to
// 21 mK below Tc, solved as follows closer to Tc or when asked.
//
// At T: equal pressure and equal Gibbs energy on both sides, as
//   J(delta') = J(delta''), K(delta') = K(delta''),
//   J = delta (1 + delta alpha_r_delta), K = delta alpha_r_delta + alpha_r + ln delta,
// solved by Newton's method in (delta', delta'') (dK/ddelta = J'/delta, so the
// Jacobian needs only 1 + 2 d + dd on each side), started from the
// ancillaries; two evaluations of the equation per step, 3 to 6 steps. Near
// Tc the start comes from the square-root law instead, the ancillaries'
// critical point not being the equation's; at Tc itself both densities are
// rho_c. At p: Newton in T on ln p_sat(T), with dp_sat/dT = (s'' - s')/(v'' -
// v') (Clausius-Clapeyron), each step a saturation at T started from the last.
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
// From the series of saturation_expansion.hpp where they reach (to 21 mK
// below Tc, and no evaluation of the equation), from the solved equations
// closer to Tc.
Saturation saturation_at_temperature(double T);

// p from the saturation pressure at the lambda point to the critical
// pressure; the series up to 224.67 kPa, the solved equations above.
Saturation saturation_at_pressure(double p);

// The saturation whose liquid (rho > rho_c) or vapour (rho < rho_c) has the
// density rho: where an isochore meets the dome. Newton's method in (T, the
// other density), two evaluations a step, from the ancillaries (the square-
// root law near Tc); rho between the saturated densities at the lambda point,
// otherwise not converged.
Saturation saturation_at_density(double rho);

// The equations above solved in doubles, at any T or p of the range: what
// the series stand in for, and what they are checked against.
Saturation solved_saturation_at_temperature(double T);
Saturation solved_saturation_at_pressure(double p);

// The pressure the equation gives at (Tc, rho_c), Pa.
double critical_pressure();

}  // namespace vorn::reference_eos
