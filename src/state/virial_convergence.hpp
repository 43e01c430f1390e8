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
// vorn_Z, which is the root): unconverged where it is more than 0.25 % from the
// gas root of the equation it steps on, or where there is no such root.
//
// Acoustic series (vorn_w): divergent where its cubic term, the one carrying
// D, T D' and T^2 D'', is more than 1 % of the bracket it is added to. Beside
// the pole of D that happens in the dilute gas (T^2 D'' grows as the cube of
// 1/(T - pole)): at 2.18 K from 5.1 Pa up, at 3 kPa from 2.139 K to 2.218 K.
#pragma once

#include <cmath>

#include "constants/integer_power.hpp"
#include "constants/module_constants.hpp"
#include "gas_state/compressibility.hpp"
#include "gas_state/density.hpp"
#include "gas_state/speed_of_sound.hpp"
#include "gas_state/virial_terms.hpp"

namespace vorn {

inline constexpr double virial_last_term_limit = 0.01;        // of Z, or of the bracket of w^2
inline constexpr double one_step_density_departure = 0.0025;  // relative to the converged root

struct DensitySeriesTest {
  bool divergent;    // no gas root, or D rho^3 above the limit
  bool unconverged;  // the one-step density too far from the root (or no root)
};

// The tests at the converged gas root. rho_one_step in kg/m^3, as vorn_rho
// gives it; B, C, D in SI, as si_second_virial etc. give them.
inline DensitySeriesTest density_series_test_at_root(double T, double P, double rho_one_step, double B,
                                                     double C, double D) {
  if (P == 0.0) return {false, false};
  const double rho = gas_root_molar_density(T, P);
  if (!(rho > 0.0)) return {true, true};
  const double Z = 1.0 + rho * (B + rho * (C + rho * D));
  const double last = D * (rho * rho * rho);
  const double one_step = rho_one_step / molar_mass;
  return {!(std::fabs(last) <= virial_last_term_limit * Z),
          !(std::fabs(one_step - rho) <= one_step_density_departure * rho)};
}

// The same two answers without solving for the root where a bracket decides
// them. If the isotherm rises all the way up to b = 1.002 rho1 (rho1 the
// one-step molar density) and f(a) < 0 < f(b) at a = 0.998 rho1, the gas root
// lies between a and b: within 0.21 % of rho1 (so not unconverged, whatever the
// last bits of the root), and D rho^3 / Z lies between D a^4/y and D b^4/y
// (Z = y/rho at the root), which decides divergence unless it is within 10 %
// of the limit. The isotherm rises on (0, b] where 2|B| b + 3|C| b^2 + 4|D| b^3
// < 1/2: its slope 1 + 2B rho + 3C rho^2 + 4D rho^3 stays above 1/2 there. The
// margins are many orders of magnitude above the rounding of these few
// operations and of the converged root, so a bracket never decides otherwise
// than the root would; every other state is decided at the root.
inline DensitySeriesTest density_series_test(double T, double P, double rho_one_step, double B, double C,
                                             double D) {
  if (P == 0.0) return {false, false};
  const double y = 1000.0 * P / (gas_constant * T);
  const double rho1 = rho_one_step / molar_mass;
  if (rho1 > 0.0 && y > 0.0 && std::isfinite(rho1) && std::isfinite(y)) {
    const double a = 0.998 * rho1;
    const double b = 1.002 * rho1;
    const VirialIsotherm iso{B, C, D};
    const double steepest_fall =
        b * (2.0 * std::fabs(B) + b * (3.0 * std::fabs(C) + b * (4.0 * std::fabs(D))));
    if (steepest_fall < 0.5 && iso.f(a, y) < 0.0 && iso.f(b, y) > 0.0) {
      const double last_over_Z_high = std::fabs(D) * integer_power<4>(b) / y;
      const double last_over_Z_low = std::fabs(D) * integer_power<4>(a) / y;
      if (last_over_Z_high <= 0.9 * virial_last_term_limit) return {false, false};
      if (last_over_Z_low >= 1.1 * virial_last_term_limit) return {true, false};
    }
  }
  return density_series_test_at_root(T, P, rho_one_step, B, C, D);
}

inline bool sound_series_divergent(const SoundSpeedSeries& s) {
  return !(std::fabs(s.cubic) <= virial_last_term_limit * s.bracket());
}

}  // namespace vorn
