// Where the truncated virial series stop meaning anything, each test on a
// quantity the results themselves are made of.
//
// Density series (vorn_rho, vorn_vol, vorn_cv, vorn_cp, vorn_gamma, vorn_Z):
// divergent where the isotherm has no gas root at P (vorn_Z is NaN), or where
// the last term of the series at the root, D rho^3, is more than 1 % of Z =
// 1 + B rho + C rho^2 + D rho^3 (so the truncation after D decides the result:
// near the pole of D at 2.180066 K, and in the dense fluid).
//
// One-step density (vorn_rho, vorn_vol, vorn_cv, vorn_cp, vorn_gamma; not
// vorn_Z, which is the root): unconverged where it is more than 1 % from the
// gas root of the equation it steps on, or where there is no such root.
//
// Acoustic series (vorn_w): divergent where its cubic term, the one carrying
// D, T D' and T^2 D'', is more than 1 % of the bracket it is added to. Beside
// the pole of D that happens in the dilute gas (T^2 D'' grows as the cube of
// 1/(T - pole)): at 2.18 K from 5.1 Pa up, at 3 kPa from 2.139 K to 2.218 K.
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

struct DensitySeriesTest {
  bool divergent;    // no gas root, or D rho^3 above the limit
  bool unconverged;  // the one-step density too far from the root (or no root)
};

// rho_one_step in kg/m^3, as vorn_rho gives it.
inline DensitySeriesTest density_series_test(double T, double P, double rho_one_step) {
  if (P == 0.0) return {false, false};
  const double rho = gas_root_molar_density(T, P);
  if (!(rho > 0.0)) return {true, true};
  const double D = si_fourth_virial(T);
  const double Z = 1.0 + rho * (si_second_virial(T) + rho * (si_third_virial(T) + rho * D));
  const double last = D * (rho * rho * rho);
  const double one_step = rho_one_step / molar_mass;
  return {!(std::fabs(last) <= virial_last_term_limit * Z),
          !(std::fabs(one_step - rho) <= one_step_density_departure * rho)};
}

inline bool sound_series_divergent(const SoundSpeedSeries& s) {
  return !(std::fabs(s.cubic) <= virial_last_term_limit * s.bracket());
}

}  // namespace vorn
