// The state flags as their definitions read, with no shortcut: each from the
// quantity it is defined on, formed by its own call (the exported routine
// where there is one), Za always evaluated, the gas root always solved to
// convergence. vorn_state decides several flags more cheaply (a bound on Za, a
// bracket around the gas root); it must give these bits at every state.
#pragma once

#include <cmath>

#include "gas_state/compressibility.hpp"
#include "gas_state/density.hpp"
#include "gas_state/speed_of_sound.hpp"
#include "gas_state/virial_terms.hpp"
#include "state/pressure_term_limit.hpp"
#include "state/saturation_pressure.hpp"
#include "state/virial_convergence.hpp"
#include "transport/conductivity_pole.hpp"
#include "vorn.h"

namespace vorn_test {

inline unsigned reference_state_flags(double T, double P) {
  using namespace vorn;
  if (!std::isfinite(T) || !std::isfinite(P) || !(T > 0.0) || P < 0.0) return VORN_STATE_INVALID;
  unsigned flags = 0;
  if (T <= helium_critical_temperature && P > saturation_pressure(T)) flags |= VORN_STATE_LIQUID;

  const DensityNewtonStep step = density_newton_step(T, P);
  const double rho = vorn_rho(&T, &P);
  if (!(step.denominator > 0.0) || !std::isfinite(rho) || !(rho > 0.0 || P == 0.0)) {
    flags |= VORN_STATE_DENSITY_TURNED;
  }
  if (P != 0.0) {
    const double root = gas_root_molar_density(T, P);
    if (!(root > 0.0)) {
      flags |= VORN_STATE_VIRIAL_DIVERGENT | VORN_STATE_DENSITY_UNCONVERGED;
    } else {
      const double B = si_second_virial(T);
      const double C = si_third_virial(T);
      const double D = si_fourth_virial(T);
      const double Z = 1.0 + root * (B + root * (C + root * D));
      if (!(std::fabs(D * (root * root * root)) <= 0.01 * Z)) flags |= VORN_STATE_VIRIAL_DIVERGENT;
      if (!(std::fabs(rho / molar_mass - root) <= 0.0025 * root)) flags |= VORN_STATE_DENSITY_UNCONVERGED;
    }
  }

  const double cv = vorn_cv(&T, &P);
  const double cp = vorn_cp(&T, &P);
  if (!(cv > 0.0) || !(cp > 0.0)) flags |= VORN_STATE_HEAT_CAPACITY_NONPOSITIVE;
  const double V = vorn_vol(&T, &P);
  const double third = (2.0 * si_fourth_virial_T_dT(T) + si_fourth_virial_T2_dT2(T)) / (3.0 * (V * V * V));
  const double ideal = 2.5 * vorn_get_constant("r") / vorn_get_constant("m0");
  if (!(std::fabs(cp / ideal - 1.0) <= 0.10) || !(std::fabs(third) <= 1e-4 * 2.5)) {
    flags |= VORN_STATE_HEAT_CAPACITY_TRUNCATED;
  }
  if (T < 2.2 || T > 1500.0 || P > 1e5) flags |= VORN_STATE_OUT_OF_RANGE;

  const SoundSpeedSeries sound = speed_of_sound_series(T, P);
  if (std::isnan(vorn_w(&T, &P))) flags |= VORN_STATE_SOUND_UNDEFINED;
  if (!(std::fabs(sound.cubic) <= 0.01 * sound.bracket())) flags |= VORN_STATE_SOUND_DIVERGENT;

  if (T > 1.95 && !(vorn_Za_gk(&T, &P) > 0.0)) flags |= VORN_STATE_ZA_NONPOSITIVE;
  if (T <= 1.95 && P > 0.0) flags |= VORN_STATE_ZA_PRESSURE_FREE;

  if (conductivity_meaningless(T, vorn_k0(&T))) flags |= VORN_STATE_K_POLE;
  if (!(vorn_nu0(&T) > 0.0)) flags |= VORN_STATE_NU_NEGATIVE;
  if (!(pressure_term(conductivity_pressure_constants, T, P) <=
        pressure_term_limit(conductivity_pressure_term_limits, T))) {
    flags |= VORN_STATE_K_DENSE;
  }
  if (!(pressure_term(viscosity_pressure_constants, T, P) <=
        pressure_term_limit(viscosity_pressure_term_limits, T))) {
    flags |= VORN_STATE_NU_DENSE;
  }
  return flags;
}

}  // namespace vorn_test
