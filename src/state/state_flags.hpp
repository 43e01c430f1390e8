// Which results mean nothing at a state (T in K, P in kPa): a set of flags,
// each decided from the very quantity the result it guards is made of (the
// same functions, so the same doubles), or from a published relation.
//
//   invalid            T or P not finite, T <= 0 or P < 0 (nothing else is tested)
//   liquid             T <= 5.1953 K and P above the saturation pressure: every gas
//                      result is that of a metastable vapour
//   density-turned     the denominator of the one Newton step of vorn_rho (the slope
//                      of the isotherm at the ideal-gas density) is not positive, or
//                      the density it gives is not finite and positive (0 at P = 0)
//   sound-undefined    vorn_w is NaN: the bracket of its series is negative
//   za-nonpositive     the acoustic factor is <= 0: its speed of sound is NaN (Za is
//                      evaluated only where acoustic_factor_bound.hpp cannot prove it positive)
//   k-pole             T within the band of a pole of k0 (conductivity_pole.hpp), or
//                      k0 not positive
//   nu-negative        the zero-pressure viscosity is not positive
//   heat-capacity-nonpositive   vorn_cv or vorn_cp not positive (so neither is
//                      vorn_gamma, or it is meaningless)
//   virial-divergent   the density series has stopped converging (virial_convergence.hpp)
//   density-unconverged  the one-step density is more than 1 % from the gas root
//   sound-divergent    the acoustic series of vorn_w has stopped converging
//   za-pressure-free   T <= 1.95 K and P > 0: the correlation has no pressure term
//                      there, Za = 1 and vorn_w_gk is the ideal-gas value
#pragma once

#include <cmath>

#include "correlation/acoustic_factor.hpp"
#include "correlation/acoustic_factor_bound.hpp"
#include "gas_state/density.hpp"
#include "gas_state/heat_capacity.hpp"
#include "gas_state/speed_of_sound.hpp"
#include "state/saturation_pressure.hpp"
#include "state/virial_convergence.hpp"
#include "transport/conductivity.hpp"
#include "transport/conductivity_pole.hpp"
#include "transport/viscosity.hpp"
#include "vorn.h"

namespace vorn {

// At or below this temperature the acoustic factor is exactly 1 (its first
// order switches on strictly above it; acoustic_factor.hpp).
inline constexpr double acoustic_factor_first_threshold = 1.95;  // K

inline bool state_is_invalid(double T, double P) {
  return !std::isfinite(T) || !std::isfinite(P) || !(T > 0.0) || P < 0.0;
}

inline bool density_turned(double P, const DensityNewtonStep& step) {
  const double rho = step.numerator / step.denominator;
  return !(step.denominator > 0.0) || !std::isfinite(rho) || !(rho > 0.0 || P == 0.0);
}

inline unsigned state_flags(double T, double P) {
  if (state_is_invalid(T, P)) return VORN_STATE_INVALID;
  unsigned flags = 0;
  if (T <= helium_critical_temperature && P > saturation_pressure(T)) flags |= VORN_STATE_LIQUID;

  // Every virial term once, for the density step, cv, cp and the sound
  // series alike: the same doubles as each routine forms on its own.
  const double k2 = acoustic_k_squared();
  const VirialTerms v = virial_terms<FamilyLayout::paired>(T);
  const DensityNewtonStep step = density_newton_step_from_virials(T, P, v.B, v.C, v.D);
  if (density_turned(P, step)) flags |= VORN_STATE_DENSITY_TURNED;
  const DensitySeriesTest series = density_series_test(T, P, step.numerator / step.denominator);
  if (series.divergent) flags |= VORN_STATE_VIRIAL_DIVERGENT;
  if (series.unconverged) flags |= VORN_STATE_DENSITY_UNCONVERGED;

  const double V = molar_volume_from_virials(T, P, v.B, v.C, v.D);
  const double cv = isochoric_molar_heat_capacity_from_terms<FamilyLayout::paired>(v, V) / molar_mass;
  const double cp = isobaric_molar_heat_capacity_from_terms<FamilyLayout::paired>(v, V) / molar_mass;
  if (!(cv > 0.0) || !(cp > 0.0)) flags |= VORN_STATE_HEAT_CAPACITY_NONPOSITIVE;

  const SoundSpeedSeries sound =
      speed_of_sound_series_from_terms(sound_speed_temperature_terms_from(v, T, k2), T, P);
  if (std::isnan(std::sqrt(sound.bracket() * sound.ideal_square))) flags |= VORN_STATE_SOUND_UNDEFINED;
  if (sound_series_divergent(sound)) flags |= VORN_STATE_SOUND_DIVERGENT;

  // Za itself only where the bound does not prove it positive (T <= 1.95 K: Za = 1).
  if (T > acoustic_factor_first_threshold && !acoustic_factor_surely_positive(T, P) &&
      !(acoustic_factor(T, P) > 0.0)) {
    flags |= VORN_STATE_ZA_NONPOSITIVE;
  }
  if (T <= acoustic_factor_first_threshold && P > 0.0) flags |= VORN_STATE_ZA_PRESSURE_FREE;

  if (conductivity_meaningless(T, thermal_conductivity_dilute(T))) flags |= VORN_STATE_K_POLE;
  if (!(viscosity_dilute(T) > 0.0)) flags |= VORN_STATE_NU_NEGATIVE;
  return flags;
}

}  // namespace vorn
