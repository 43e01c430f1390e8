// Which results mean nothing at a state (T in K, P in kPa): a set of flags,
// each decided by the formulas' own quantities or a published relation.
//
//   invalid           T or P not finite, T <= 0 or P < 0 (nothing else is tested)
//   liquid            P above the ITS-90 saturation pressure below the critical
//                     point: every gas result is that of a metastable vapour
//   density-turned    1 + 2By + 3Cy^2 + 4Dy^3 <= 0 (or not a number), y = p/(rT):
//                     the one-step density and all that uses it mean nothing
//   sound-undefined   the bracket of the virial speed of sound is negative: NaN
//   za-nonpositive    the acoustic factor is <= 0: its speed of sound is NaN
//   k-pole            T within 1 mK of a pole of k0, or between a pole and its zero
//   nu-negative       the zero-pressure viscosity is negative
#pragma once

#include <cmath>

#include "correlation/acoustic_factor.hpp"
#include "gas_state/saturation_pressure.hpp"
#include "gas_state/speed_of_sound.hpp"
#include "gas_state/virial_terms.hpp"
#include "transport/conductivity.hpp"
#include "transport/viscosity.hpp"
#include "vorn.h"

namespace vorn {

inline bool near_conductivity_pole(double T, double pole, double zero) {
  const bool within_margin = std::fabs(T - pole) <= conductivity_pole_margin;
  const bool between = T >= std::fmin(pole, zero) && T <= std::fmax(pole, zero);
  return within_margin || between;
}

inline double isotherm_slope(double T, double P) {
  const double y = (1000.0 * P) / (gas_constant * T);
  const double B = si_second_virial(T);
  const double C = si_third_virial(T);
  const double D = si_fourth_virial(T);
  return 1.0 + 2.0 * B * y + 3.0 * C * y * y + 4.0 * D * y * y * y;
}

inline unsigned state_flags(double T, double P) {
  if (!std::isfinite(T) || !std::isfinite(P) || !(T > 0.0) || P < 0.0) return VORN_STATE_INVALID;
  unsigned flags = 0;
  if (T <= helium_critical_temperature && P > saturation_pressure(T)) flags |= VORN_STATE_LIQUID;
  if (!(isotherm_slope(T, P) > 0.0)) flags |= VORN_STATE_DENSITY_TURNED;
  if (std::isnan(speed_of_sound(T, P))) flags |= VORN_STATE_SOUND_UNDEFINED;
  if (!(acoustic_factor(T, P) > 0.0)) flags |= VORN_STATE_ZA_NONPOSITIVE;
  if (near_conductivity_pole(T, conductivity_lower_pole, conductivity_lower_zero) ||
      near_conductivity_pole(T, conductivity_upper_pole, conductivity_upper_zero)) {
    flags |= VORN_STATE_K_POLE;
  }
  if (viscosity_dilute(T) < 0.0) flags |= VORN_STATE_NU_NEGATIVE;
  return flags;
}

inline const char* state_flag_name(unsigned bit) {
  switch (bit) {
    case VORN_STATE_INVALID:
      return "invalid";
    case VORN_STATE_LIQUID:
      return "liquid";
    case VORN_STATE_DENSITY_TURNED:
      return "density-turned";
    case VORN_STATE_SOUND_UNDEFINED:
      return "sound-undefined";
    case VORN_STATE_ZA_NONPOSITIVE:
      return "za-nonpositive";
    case VORN_STATE_K_POLE:
      return "k-pole";
    case VORN_STATE_NU_NEGATIVE:
      return "nu-negative";
    default:
      return "unknown";
  }
}

}  // namespace vorn
