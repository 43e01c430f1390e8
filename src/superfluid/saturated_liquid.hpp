// The saturated liquid of helium-4, 0 K to 5.15 K, He II included: every
// property of this folder as one function of T in the library's units, with
// the range of the fit it comes from and the flags of range_flags.hpp. Outside
// a fit's range, and where a property has no value (alpha and C_sat at
// T_lambda), the result is NaN and the flags say why; negative or non-finite T
// is bad input. Ranges, K (each the fit's own):
//
//   density, expansion, rho_s, rho_n, fraction  0 .. 4.9     (table's end)
//   first sound                                 0 .. 4.248035
//   second sound                                0.5517426 .. T_lambda
//   C_sat, entropy                              0.01 (entropy 0) .. 5.0614358
//   latent heat                                 0 .. 5.15
//   normal-fluid viscosity                      0.7913364 .. 4.406982
//   B, B'                                       1.2859, 1.2779 .. T_lambda (excluded)
//   vapour pressure                             0.5 .. 5.0
//   heat conductivity function (m = 3)          1.4 .. 4.9     (0 from T_lambda on)
#pragma once

#include <cmath>
#include <limits>

#include "superfluid/density.hpp"
#include "superfluid/entropy.hpp"
#include "superfluid/heat_capacity.hpp"
#include "superfluid/heat_conductivity_function.hpp"
#include "superfluid/lambda_point.hpp"
#include "superfluid/latent_heat.hpp"
#include "superfluid/mutual_friction.hpp"
#include "superfluid/range_flags.hpp"
#include "superfluid/sound.hpp"
#include "superfluid/superfluid_density.hpp"
#include "superfluid/vapour_pressure.hpp"
#include "superfluid/viscosity.hpp"

namespace vorn::superfluid {

enum class Property {
  density,              // kg/m^3
  thermal_expansion,    // 1/K
  superfluid_density,   // kg/m^3
  normal_density,       // kg/m^3
  superfluid_fraction,  // rho_s/rho
  first_sound,          // m/s
  second_sound,         // m/s
  heat_capacity,        // J/(kg K), along saturation
  entropy,              // J/(kg K), S(0) = 0
  latent_heat,          // J/kg
  normal_viscosity,     // Pa s
  mutual_friction_B,
  mutual_friction_B_prime,
  vapour_pressure,             // kPa
  heat_conductivity_function,  // f^-1 for m = 3, W^3 m^-5 K^-1
};

struct Range {
  double lowest;
  double highest;
  bool highest_excluded;
};

inline Range range_of(Property p) {
  switch (p) {
    case Property::density:
    case Property::thermal_expansion:
    case Property::superfluid_density:
    case Property::normal_density:
    case Property::superfluid_fraction:
      return {0.0, density_highest, false};
    case Property::first_sound:
      return {0.0, first_sound_spline.last_knot(), false};
    case Property::second_sound:
      return {second_sound_spline.first_knot(), lambda_temperature, false};
    case Property::heat_capacity:
      return {heat_capacity_lowest, heat_capacity_highest, false};
    case Property::entropy:
      return {0.0, heat_capacity_highest, false};
    case Property::latent_heat:
      return {0.0, latent_heat_highest, false};
    case Property::normal_viscosity:
      return {normal_viscosity_spline.first_knot(), normal_viscosity_spline.last_knot(), false};
    case Property::mutual_friction_B:
      return {mutual_friction_lowest(mutual_friction_B_spline.last_knot()), lambda_temperature, true};
    case Property::mutual_friction_B_prime:
      return {mutual_friction_lowest(mutual_friction_B_prime_spline.last_knot()), lambda_temperature, true};
    case Property::vapour_pressure:
      return {vapour_pressure_lowest, vapour_pressure_highest, false};
    case Property::heat_conductivity_function:
      return {heat_conductivity_lowest, density_highest, false};
  }
  return {0.0, -1.0, false};
}

// rho_s of its fit, but never above the density of the other fit: below about
// 0.9 K, where rho_n is below the two fits' resolution (1e-5 g/cm^3), the
// spline of rho_s runs up to 5e-7 g/cm^3 above rho (rho_s(0) = 0.14512754
// against rho(0) = 0.1451397 and the reverse in places), and rho - rho_s
// would be a negative normal-fluid density. So rho_n >= 0 and the fraction
// <= 1; rho_n there is a resolution, not a measurement (2.2e-5 of rho at 0 K
// by these fits, where it is 0).
inline double superfluid_density_within(double T, double rho) {
  return std::fmin(superfluid_density(T), rho);
}

struct Result {
  double value;
  unsigned flags;
};

// The value in range; the caller has checked T against range_of(p).
inline double value_in_range(Property p, double T) {
  constexpr double kg_m3 = gram_per_cm3_to_kg_per_m3;
  switch (p) {
    case Property::density:
      return kg_m3 * saturated_liquid_density(T).rho;
    case Property::thermal_expansion:
      return saturated_liquid_density(T).alpha;
    case Property::superfluid_density:
      return kg_m3 * superfluid_density_within(T, saturated_liquid_density(T).rho);
    case Property::normal_density: {
      const double rho = saturated_liquid_density(T).rho;
      return kg_m3 * (rho - superfluid_density_within(T, rho));
    }
    case Property::superfluid_fraction: {
      const double rho = saturated_liquid_density(T).rho;
      return superfluid_density_within(T, rho) / rho;
    }
    case Property::first_sound:
      return first_sound(T);
    case Property::second_sound:
      return second_sound(T);
    case Property::heat_capacity:
      return molar_heat_capacity(T) / molar_mass;
    case Property::entropy:
      return molar_entropy(T) / molar_mass;
    case Property::latent_heat:
      return molar_latent_heat(T) / molar_mass;
    case Property::normal_viscosity:
      return normal_viscosity(T);
    case Property::mutual_friction_B:
      return mutual_friction_B(T);
    case Property::mutual_friction_B_prime:
      return mutual_friction_B_prime(T);
    case Property::vapour_pressure:
      return 1e-3 * vapour_pressure(T).value;
    case Property::heat_conductivity_function:
      return heat_conductivity_function(T);
  }
  return std::numeric_limits<double>::quiet_NaN();
}

inline Result saturated_liquid(Property p, double T) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  if (!(T >= 0.0) || !std::isfinite(T)) return {nan, flag_bad_input};
  const Range r = range_of(p);
  if (T < r.lowest || T > r.highest || (r.highest_excluded && T == r.highest))
    return {nan, flag_out_of_range};
  const double value = value_in_range(p, T);
  // The only NaN left in range is the lambda point's (alpha, C_sat).
  if (std::isnan(value)) return {nan, flag_at_lambda};
  return {value, 0U};
}

}  // namespace vorn::superfluid
