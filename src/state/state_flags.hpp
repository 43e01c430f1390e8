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
//   density-unconverged  the one-step density is more than 0.25 % from the gas root
//   sound-divergent    the acoustic series of vorn_w has stopped converging
//   za-pressure-free   T <= 1.95 K and P > 0: the correlation has no pressure term
//                      there, Za = 1 and vorn_w_gk is the ideal-gas value
//   out-of-range       T < 2.2 K, T > 1500 K or P > 100 MPa: outside the (T, P)
//                      range over which density, cp, the speeds of sound and Z have
//                      been compared with the reference equation of state
//   k-dense, nu-dense  the pressure term F - 1 of vorn_k, of vorn_nu, above the
//                      limit where it leaves the dense-fluid correlations by 2 %
//                      of the result (pressure_term_limit.hpp), or NaN
//   heat-capacity-truncated  vorn_cp more than 10 % from the ideal 5/2 r/m0, or
//                      the third-order term the heat capacities leave out above
//                      0.01 % of it: cut after the second order in 1/V they may
//                      miss by more than 1 % (up to 3.6 % next to saturation at 4.2 K)
//
// Five flags are decided from a cheaper quantity wherever it decides by a wide
// margin, and from the quantity they are defined on everywhere else, so their
// bits are those of the definitions: liquid from the vapour-pressure relation
// at P (saturation_pressure.hpp), density-unconverged and virial-divergent
// from a bracket around the gas root (virial_convergence.hpp), za-nonpositive
// from a bound on Za (acoustic_factor_bound.hpp), k-dense and nu-dense from
// the pressure terms at the knots of their limits (pressure_term_limit.hpp).
//
// The last two and the 0.25 % of density-unconverged were set by comparing the
// correlations with the reference equation on a fine log grid of the gas side
// (2.2 K to 1500 K, 0.1 kPa to 100 MPa, vapour and supercritical): with them no
// unflagged state has a density, cp, speed of sound or Z more than 1 % off.
#pragma once

#include <cmath>
#include <cstddef>

#include "correlation/acoustic_factor.hpp"
#include "correlation/acoustic_factor_bound.hpp"
#include "gas_state/density.hpp"
#include "gas_state/heat_capacity.hpp"
#include "gas_state/speed_of_sound.hpp"
#include "gas_state/virial_terms.hpp"
#include "state/pressure_term_limit.hpp"
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

// The range of the comparison with the reference equation of state. Its lower
// temperature is where that equation stops (He II below 2.1768 K); below 0.1 kPa
// the gas only comes closer to ideal, so there is no lower pressure limit.
inline constexpr double validated_lowest_temperature = 2.2;    // K
inline constexpr double validated_highest_temperature = 1500;  // K
inline constexpr double validated_highest_pressure = 1e5;      // kPa (100 MPa)

// The heat capacities are cut after the second order in 1/V. They stay within
// 1 % of the reference equation while cp is within 10 % of the ideal monatomic
// 5/2 r/m0 and the first term they leave out, the third-order one of cv,
// (2T D' + T^2 D'')/(3 V^3) (r/m0 units), is within 0.01 % of 5/2 (it is not
// near the pole of D at 2.18 K). At 0.03 % cv was still 1.2 % off at 2.5 K and
// 7 kPa with no flag of its own set.
inline constexpr double heat_capacity_departure_limit = 0.10;    // of 5/2 r/m0
inline constexpr double heat_capacity_third_order_limit = 1e-4;  // of 5/2

inline bool out_of_validated_range(double T, double P) {
  return T < validated_lowest_temperature || T > validated_highest_temperature ||
         P > validated_highest_pressure;
}

// cp in J/(kg K) as vorn_cp gives it (NaN counts as truncated), V the molar
// volume the heat capacities use (m^3/mol), v the virial terms of T (all nine).
inline bool heat_capacity_truncated(const VirialTerms& v, double V, double cp) {
  const double ideal = 2.5 * gas_constant / molar_mass;
  const double third = (2.0 * v.Dt + v.Dtt) / (3.0 * (V * V * V));
  return !(std::fabs(cp / ideal - 1.0) <= heat_capacity_departure_limit) ||
         !(std::fabs(third) <= heat_capacity_third_order_limit * 2.5);
}

inline bool state_is_invalid(double T, double P) {
  return !std::isfinite(T) || !std::isfinite(P) || !(T > 0.0) || P < 0.0;
}

inline bool density_turned(double P, const DensityNewtonStep& step) {
  const double rho = step.numerator / step.denominator;
  return !(step.denominator > 0.0) || !std::isfinite(rho) || !(rho > 0.0 || P == 0.0);
}

// k2 = acoustic_k_squared(), the one real power of the module constants the
// flags need: an array form forms it once for all its points.
inline unsigned state_flags_given_k2(double T, double P, double k2) {
  if (state_is_invalid(T, P)) return VORN_STATE_INVALID;
  unsigned flags = 0;
  if (T <= helium_critical_temperature && above_saturation_pressure(T, P)) flags |= VORN_STATE_LIQUID;

  // Every virial term once, for the density step, cv, cp and the sound
  // series alike: the same doubles as each routine forms on its own.
  const VirialTerms v = virial_terms<FamilyLayout::paired>(T);
  const DensityNewtonStep step = density_newton_step_from_virials(T, P, v.B, v.C, v.D);
  if (density_turned(P, step)) flags |= VORN_STATE_DENSITY_TURNED;
  const double rho = step.numerator / step.denominator;
  const DensitySeriesTest series = density_series_test(T, P, rho, v.B, v.C, v.D);
  if (series.divergent) flags |= VORN_STATE_VIRIAL_DIVERGENT;
  if (series.unconverged) flags |= VORN_STATE_DENSITY_UNCONVERGED;

  const double V = molar_mass / rho;  // molar_volume_from_virials: the same division
  const double cv = isochoric_molar_heat_capacity_from_terms<FamilyLayout::paired>(v, V) / molar_mass;
  const double cp = isobaric_molar_heat_capacity_from_terms<FamilyLayout::paired>(v, V) / molar_mass;
  if (!(cv > 0.0) || !(cp > 0.0)) flags |= VORN_STATE_HEAT_CAPACITY_NONPOSITIVE;
  if (heat_capacity_truncated(v, V, cp)) flags |= VORN_STATE_HEAT_CAPACITY_TRUNCATED;
  if (out_of_validated_range(T, P)) flags |= VORN_STATE_OUT_OF_RANGE;

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

  const PressureTermKnotTerms* knots = pressure_term_knot_terms();
  if (pressure_term_above_limit_fast(conductivity_pressure_constants, conductivity_pressure_term_limits,
                                     knots != nullptr ? &knots->conductivity : nullptr, T, P)) {
    flags |= VORN_STATE_K_DENSE;
  }
  if (pressure_term_above_limit_fast(viscosity_pressure_constants, viscosity_pressure_term_limits,
                                     knots != nullptr ? &knots->viscosity : nullptr, T, P)) {
    flags |= VORN_STATE_NU_DENSE;
  }
  return flags;
}

inline unsigned state_flags(double T, double P) { return state_flags_given_k2(T, P, acoustic_k_squared()); }

// n points; out may not alias T or P (it holds unsigned, they double).
inline void state_flags_n(std::size_t n, const double* T, const double* P, unsigned* out) {
  const double k2 = acoustic_k_squared();
  for (std::size_t i = 0; i < n; ++i) out[i] = state_flags_given_k2(T[i], P[i], k2);
}

}  // namespace vorn
