// Vapour-liquid equilibrium of the reference equation, from the lambda point
// (2.1768 K) to Tc: from its Chebyshev series (saturation_expansion.hpp),
// generated from the equation's solution at 50 digits, up to 52 nK below Tc,
// and joined from there to the reducing point (Tc, rho_c, pc). Solved in
// doubles as follows where asked (the checks of the series, and where an
// isochore meets the dome); rounding costs such a solution digits near Tc,
// about 1e-13/theta in the densities.
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

// The equations above solved in doubles: what the series stand in for, and
// what they are checked against where rounding leaves the solution its
// digits (theta above about 1e-3); closer to Tc it loses them, and within
// 5 uK it may not converge.
Saturation solved_saturation_at_temperature(double T);
Saturation solved_saturation_at_pressure(double p);

// The pressure the equation gives at (Tc, rho_c), Pa.
double critical_pressure();

}  // namespace vorn::reference_eos
