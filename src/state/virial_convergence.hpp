// Where the truncated virial series stop meaning anything, each test on a
// quantity the results themselves are made of.
//
// Density series (vorn_rho, vorn_vol, vorn_cv, vorn_cp, vorn_gamma, vorn_Z):
// divergent where the isotherm has no gas root at P (vorn_Z is NaN), where the
// last term of the series at the root, D rho^3, is more than 1 % of Z =
// 1 + B rho + C rho^2 + D rho^3 (so the truncation after D decides the result:
// near the pole of D at 2.180066 K, and in the dense fluid), or where the
// one-step density of vorn_rho is more than 1 % from that root (the one step
// no longer reaches the equation it steps on).
//
// Acoustic series (vorn_w): divergent where its cubic term, the one carrying
// D, T D' and T^2 D'', is more than 1 % of the bracket it is added to. Near the
// pole of D that happens at pressures of a few Pa (T D'' grows as the cube of
// 1/(T - pole)).
#pragma once

#include <cmath>

#include "constants/module_constants.hpp"
#include "gas_state/compressibility.hpp"
#include "gas_state/density.hpp"
#include "gas_state/speed_of_sound.hpp"
#include "gas_state/virial_terms.hpp"

namespace vorn {

inline constexpr double virial_last_term_limit = 0.01;      // of Z, or of the bracket of w^2
inline constexpr double one_step_density_departure = 0.01;  // relative to the converged root

inline bool density_series_divergent(double T, double P, double one_step_density) {
  if (P == 0.0) return false;
  const double rho = gas_root_molar_density(T, P);
  if (!(rho > 0.0)) return true;
  const double D = si_fourth_virial(T);
  const double Z = 1.0 + rho * (si_second_virial(T) + rho * (si_third_virial(T) + rho * D));
  const double last = D * (rho * rho * rho);
  const double one_step = one_step_density / molar_mass;
  return !(std::fabs(last) <= virial_last_term_limit * Z) ||
         !(std::fabs(one_step - rho) <= one_step_density_departure * rho);
}

inline bool sound_series_divergent(const SoundSpeedSeries& s) {
  return !(std::fabs(s.cubic) <= virial_last_term_limit * s.bracket());
}

}  // namespace vorn
