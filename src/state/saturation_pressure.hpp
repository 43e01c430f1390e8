// Saturation (vapour) pressure of helium-4, kPa, from the ITS-90 relation
//
//   T = A0 + sum_{i=1}^{9} A_i ((ln(p/Pa) - B)/C)^i
//
// inverted for p: 1.25 K to 2.1768 K with (A, B = 5.6, C = 2.9), 2.1768 K to
// 5.0 K with (A, B = 10.3, C = 1.9). Between 5.0 K and the critical point
// (5.1953 K, 227.46 kPa) ln p is taken linear in 1/T between the two ends;
// below 1.25 K ln p is extrapolated linearly in 1/T along the tangent at
// 1.25 K. Above the critical temperature there is no liquid: +inf.
//
// The relation and its inversion are the vapour-pressure scale's
// (thermometry/its90_vapour_scale.hpp); only the continuations past its ends
// are this file's. Used to tell a gas state from a liquid one (the flags) and
// as the saturation line below the lambda temperature; no result of the 22
// routines depends on it.
#pragma once

#include <cmath>
#include <limits>

#include "thermometry/its90_vapour_scale.hpp"

namespace vorn {

// The critical point of helium-4: 5.1953 K (the critical temperature of the
// reference equation of state, its reducing temperature) and 227.46 kPa, the
// measured critical pressure at that temperature. The ITS-90 relation above,
// carried on past 5.0 K to 5.1953 K, gives 227.22 kPa; the 227.6 kPa once used
// here is the reducing pressure of the vapour-pressure ancillary of the 2023
// reference equation of state, not a critical pressure (that equation itself
// gives 228.32 kPa at its critical temperature and density).
inline constexpr double helium_critical_temperature = 5.1953;  // K
inline constexpr double helium_critical_pressure = 227.46;     // kPa

inline double saturation_pressure(double T) {
  if (!(T > 0.0)) return std::numeric_limits<double>::quiet_NaN();
  if (T > helium_critical_temperature) return std::numeric_limits<double>::infinity();
  // The scale's own routine, the one vorn_its90_P exports: the same bits.
  if (T >= its90_lowest && T <= its90_highest) return 1e-3 * its90_from_temperature(T).p;
  if (T > its90_highest) {
    const double ln_p5 = its90_log_pressure(its90_above_lambda, its90_highest);
    const double ln_pc = std::log(helium_critical_pressure * 1e3);
    const double s =
        (1.0 / T - 1.0 / its90_highest) / (1.0 / helium_critical_temperature - 1.0 / its90_highest);
    return 1e-3 * std::exp(ln_p5 + s * (ln_pc - ln_p5));
  }
  // Below 1.25 K: the tangent of ln p against 1/T at 1.25 K.
  const VapourPressureRange& r = its90_below_lambda;
  const double ln_p = its90_log_pressure(r, its90_lowest);
  const double u = (ln_p - r.B) / r.C;
  const double dlnp_dT = r.C / its90_temperature_slope(r, u);
  const double dlnp_dinvT = -its90_lowest * its90_lowest * dlnp_dT;
  return 1e-3 * std::exp(ln_p + dlnp_dinvT * (1.0 / T - 1.0 / its90_lowest));
}

// P > saturation_pressure(T), for P in kPa, without inverting the relation
// where it need not be: between 1.25 K and 5.0 K the relation gives T90 at
// P's own u = (ln p - B)/C directly (one logarithm and a polynomial), and since
// T(u) rises on the bracket of the inversion, P lies above the saturation
// pressure at T exactly when u lies above the root, that is when T(u) lies
// above T. Outside (-1.1, 1.1) u is compared through the end it lies beyond:
// T(1.1) above T puts the root below 1.1, and T(-1.1) below T puts it above
// -1.1. Where the temperatures compared are within 1e-9 of T (a million times
// the rounding of either side), the inversion decides as before: the same
// answer at every state.
inline bool above_saturation_pressure(double T, double P) {
  if (T >= its90_lowest && T <= its90_highest && P > 0.0 && P < std::numeric_limits<double>::infinity()) {
    const VapourPressureRange& r = T <= its90_lambda_split ? its90_below_lambda : its90_above_lambda;
    const double u = (std::log(1000.0 * P) - r.B) / r.C;
    const double u_compared = std::fmin(std::fmax(u, -1.1), 1.1);
    const double T_of_u = its90_temperature(r, u_compared);
    const double margin = 1e-9 * T;
    if (u > -1.1 && T_of_u > T + margin) return true;
    if (u < 1.1 && T_of_u < T - margin) return false;
  }
  return P > saturation_pressure(T);
}

}  // namespace vorn
