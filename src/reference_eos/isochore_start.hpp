// Where to start Newton's method in T along an isochore for a given internal
// energy (the (rho, u) flash).
//
// Start: u = R (a2 Tc + 1.5 T) + R Tc alpha_r_tau(delta, tau) (the model's
// ideal part, cv0 = 3/2 R, and the residual energy). The ideal gas's
//   T0 = (u/R - a2 Tc) / 1.5
// corrected once by the residual energy at T0:
//   T1 = (u/R - a2 Tc - Tc alpha_r_tau(delta, Tc/T0)) / 1.5,
// one evaluation. The residual energy varies slowly with T wherever the fluid is
// gas-like, so T1 lies within a few per cent of the root there; in the dense
// liquid it may not, and the caller's bracket keeps the iteration safe.
// u in J/mol, rho in mol/m3; NaN where T0 or T1 is not positive.
#pragma once

#include <limits>

#include "reference_eos/model.hpp"

namespace vorn::reference_eos {

inline double isochore_start(const HelmholtzModel& m, double rho, double u) {
  const double ideal_T = m.ideal_gas_temperature_at_energy(u);
  if (!(ideal_T > 0.0)) return std::numeric_limits<double>::quiet_NaN();
  const double tau = m.critical_temperature / ideal_T;
  const double residual_energy = m.residual(rho / m.critical_density, tau).t / tau;  // alpha_r_tau
  const double T = m.ideal_gas_temperature_at_energy(u, residual_energy);
  return T > 0.0 ? T : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace vorn::reference_eos
