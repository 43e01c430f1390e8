// Phase equilibrium with one more condition, the one Newton iteration every
// two-phase search shares: in (delta', delta'', tau),
//   J(delta'') - J(delta') = 0,  K(delta'') - K(delta') = 0,  third = 0,
//   J = delta (1 + delta alpha_r_delta), K = delta alpha_r_delta + alpha_r + ln delta
// (equal p and g at T = Tc/tau; dJ/ddelta = 1 + 2 d + dd, dK/ddelta = that
// / delta, d/dtau from the mixed derivative), two evaluations a step.
// third(l, v, dl, dv, tau) gives the condition's value and its derivatives
// in (delta', delta'', tau), scaled to order one; `valid` keeps each step
// inside the region the caller allows (damped_step3, newton_step3.hpp).
// Dimensionless.
#pragma once

#include <cmath>
#include <limits>

#include "reference_eos/model.hpp"
#include "reference_eos/newton_step3.hpp"

namespace vorn::reference_eos {

struct Condition {
  double f;
  double d_dl;
  double d_dv;
  double d_tau;
};

// At most this many steps: from a saturation next to the answer, the
// iterations settle in 3 to 6.
inline constexpr int equilibrium_steps = 16;
// Settled when a step is below 1e-14 (relative), or below 1e-8 and a
// thousandth of the one before (quadratic convergence: what is left is of
// order its square), or when J, K and the third condition are all within
// 16 ulps of their scale before the step (near Tc, where the Jacobian is
// nearly singular, the steps never get small, but this does).
inline constexpr double equilibrium_step_tolerance = 1e-14;
inline constexpr double equilibrium_quadratic_step = 1e-8;
inline constexpr double equilibrium_rounding_ulps = 16.0;

// True when settled (dl, dv and tau the solution); false when a step is not
// finite or the steps run out. `third_scale` is the scale of third's value.
// `evaluations` counts the model's.
template <typename Third, typename Valid>
bool settle_phase_equilibrium(const HelmholtzModel& m, double& dl, double& dv, double& tau, Third third,
                              double third_scale, Valid valid, int& evaluations) {
  const double rounding = equilibrium_rounding_ulps * std::numeric_limits<double>::epsilon();
  double previous_step = std::numeric_limits<double>::infinity();
  for (int iteration = 0; iteration < equilibrium_steps; ++iteration) {
    const HelmholtzDerivatives l = m.residual(dl, tau);
    const HelmholtzDerivatives v = m.residual(dv, tau);
    evaluations += 2;
    const double Jl = dl * (1.0 + l.d);
    const double Jv = dv * (1.0 + v.d);
    const double Kl = l.d + l.a + std::log(dl);
    const double Kv = v.d + v.a + std::log(dv);
    const Condition c = third(l, v, dl, dv, tau);
    const double F[3] = {Jv - Jl, Kv - Kl, c.f};
    const bool at_rounding =
        std::fabs(F[0]) <= rounding * std::fmax(Jl, Jv) &&
        std::fabs(F[1]) <= rounding * std::fmax(1.0, std::fmax(std::fabs(Kl), std::fabs(Kv))) &&
        std::fabs(F[2]) <= rounding * third_scale;
    const double Jdl = 1.0 + 2.0 * l.d + l.dd;
    const double Jdv = 1.0 + 2.0 * v.d + v.dd;
    const double A[3][3] = {{-Jdl, Jdv, (dv * v.dt - dl * l.dt) / tau},
                            {-Jdl / dl, Jdv / dv, ((v.dt + v.t) - (l.dt + l.t)) / tau},
                            {c.d_dl, c.d_dv, c.d_tau}};
    const double step = damped_step3(A, F, dl, dv, tau, valid);
    if (std::isnan(step)) return false;
    const bool quadratic = step <= equilibrium_quadratic_step && step <= 1e-3 * previous_step;
    previous_step = step;
    if (step <= equilibrium_step_tolerance || quadratic || at_rounding) return true;
  }
  return false;
}

}  // namespace vorn::reference_eos
