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
// Used only to tell a gas state from a liquid one; no result of the 22
// routines depends on it.
#pragma once

#include <array>
#include <cmath>
#include <limits>

namespace vorn {

struct VapourPressureRange {
  std::array<double, 10> A;  // A0 .. A9
  double B;
  double C;
};

inline constexpr VapourPressureRange its90_below_lambda{
    {1.392408, 0.527153, 0.166756, 0.050988, 0.026514, 0.001975, -0.017976, 0.005409, 0.013259, 0.0},
    5.6,
    2.9};
inline constexpr VapourPressureRange its90_above_lambda{
    {3.146631, 1.357655, 0.413923, 0.091159, 0.016349, 0.001826, -0.004325, -0.004973, 0.0, 0.0}, 10.3, 1.9};

inline constexpr double its90_lambda_split = 2.1768;  // K
inline constexpr double its90_lowest = 1.25;          // K
inline constexpr double its90_highest = 5.0;          // K
// The critical point of helium-4: 5.1953 K (the critical temperature of the
// reference equation of state, its reducing temperature) and 227.46 kPa, the
// measured critical pressure at that temperature. The ITS-90 relation above,
// carried on past 5.0 K to 5.1953 K, gives 227.22 kPa; the 227.6 kPa once used
// here is the reducing pressure of the vapour-pressure ancillary of the 2023
// reference equation of state, not a critical pressure (that equation itself
// gives 228.32 kPa at its critical temperature and density).
inline constexpr double helium_critical_temperature = 5.1953;  // K
inline constexpr double helium_critical_pressure = 227.46;     // kPa

// T(u) and dT/du of the relation in its reduced variable u = (ln p - B)/C.
inline double its90_temperature(const VapourPressureRange& r, double u) {
  double t = 0.0;
  for (int i = 9; i >= 1; --i) t = (t + r.A[i]) * u;
  return t + r.A[0];
}
inline double its90_temperature_slope(const VapourPressureRange& r, double u) {
  double s = 0.0;
  for (int i = 9; i >= 1; --i) s = s * u + i * r.A[i];
  return s;
}

// ln(p/Pa) on the relation at T: Newton's method in u, kept inside [-1.2, 1.2]
// (where T(u) rises in both ranges; their ends lie a little beyond +-1) by
// bisecting whenever a step would leave the bracket.
inline double its90_log_pressure(const VapourPressureRange& r, double T) {
  double lo = -1.2;
  double hi = 1.2;
  double u = 0.0;
  for (int i = 0; i < 100; ++i) {
    const double residual = its90_temperature(r, u) - T;
    if (residual == 0.0) break;
    (residual < 0.0 ? lo : hi) = u;
    double next = u - residual / its90_temperature_slope(r, u);
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::fabs(next - u) <= 1e-15) {
      u = next;
      break;
    }
    u = next;
  }
  return r.B + r.C * u;
}

inline double saturation_pressure(double T) {
  if (!(T > 0.0)) return std::numeric_limits<double>::quiet_NaN();
  if (T > helium_critical_temperature) return std::numeric_limits<double>::infinity();
  if (T >= its90_lowest && T <= its90_lambda_split) {
    return 1e-3 * std::exp(its90_log_pressure(its90_below_lambda, T));
  }
  if (T > its90_lambda_split && T <= its90_highest) {
    return 1e-3 * std::exp(its90_log_pressure(its90_above_lambda, T));
  }
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
