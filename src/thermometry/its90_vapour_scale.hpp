// The helium-4 vapour-pressure scale of ITS-90:
//
//   T90 = A0 + sum_{i=1}^{9} A_i u^i,   u = (ln(p/Pa) - B)/C,
//
// 1.25 K to 2.1768 K with (A, B = 5.6, C = 2.9) and 2.1768 K to 5.0 K with
// (A, B = 10.3, C = 1.9), the coefficients as printed in Table 17.1 of
// Donnelly and Barenghi (1998). T90 from p is the relation itself (one
// logarithm, one polynomial); p from T90 inverts it by Newton's method in u.
// Both give dT90/dp = (dT/du)/(C p).
//
// Where the ranges meet: T from p takes the lower range while it gives at most
// 2.1768 K (up to 5041.8152 Pa), the upper one above; p from T the lower range
// up to 2.1768 K. The two ranges disagree there by 0.3 uK (at
// 5041.8 Pa they give 2.1767988 K and 2.1767991 K, both 2.176799 K to the
// printed digits), so between 2.1768 K and 2.1768003 K the round trip
// T(p(T)) returns within 0.3 uK, elsewhere to rounding.
//
// Below 1.25 K ITS-90 has no relation. The lower range's polynomial cannot be
// carried there, whatever the source says of 0.5 K: T(u) turns at u = -1.33
// (about 0.9 K) and gives 1.44 K at the 1.48 Pa of 0.8 K. So from 0.5 K to
// 1.25 K this scale takes the saturated-vapour-pressure spline of the same
// authors (superfluid/vapour_pressure.hpp), flagged outside the scale; it
// meets the relation at 1.25 K within 0.09 mK (114.80 Pa against 114.73 Pa),
// so for the last 0.09 mK below 1.25 K the round trip returns the scale's
// temperature of the spline's pressure, up to 0.09 mK warmer.
// Below 0.5 K and above 5.0 K: NaN, out of range.
#pragma once

#include <array>
#include <cmath>
#include <limits>

#include "constants/kept_at.hpp"
#include "superfluid/range_flags.hpp"
#include "superfluid/vapour_pressure.hpp"

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
// The pressures of those temperatures on the relation (40-digit inversions):
// the lower range at 1.25 K and at 2.1768 K, the upper one at 5.0 K.
inline constexpr double its90_lowest_pressure = 114.73433963428183;   // Pa
inline constexpr double its90_split_pressure = 5041.815157598338;     // Pa
inline constexpr double its90_highest_pressure = 196016.53287485127;  // Pa

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
// bisecting whenever a step would leave the bracket; at most 100 steps.
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

// A point of the scale: T90 in K, p in Pa, dT90/dp in K/Pa, and the flags of
// superfluid/range_flags.hpp (NaN in all three where bad input or out of range).
struct VapourScalePoint {
  double T;
  double p;
  double dTdp;
  unsigned flags;
};

inline VapourScalePoint vapour_scale_failure(unsigned flag) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  return {nan, nan, nan, flag};
}

// T90 at the pressure p (Pa).
inline VapourScalePoint its90_from_pressure(double p) {
  using namespace superfluid;
  if (!(p > 0.0) || !std::isfinite(p)) return vapour_scale_failure(flag_bad_input);
  if (p > its90_highest_pressure) return vapour_scale_failure(flag_out_of_range);
  // The range is chosen by the temperature the lower one gives, not by p
  // against the constants above: the pressure p(T) returns at 1.25 K or at
  // 2.1768 K may round to either side of them, and its temperature must come
  // back. So the lower range holds while it gives 1.25 K to 2.1768 K, each end
  // widened by 1e-12 K (half a pascal below 57 Pa it still rises, so nothing
  // colder passes for 1.25 K).
  constexpr double rounding = 1e-12;  // K
  if (p >= 0.5 * its90_lowest_pressure) {
    const double ln_p = std::log(p);
    const VapourPressureRange* r = &its90_below_lambda;
    double u = (ln_p - r->B) / r->C;
    double T = its90_temperature(*r, u);
    if (T > its90_lambda_split + rounding) {
      r = &its90_above_lambda;
      u = (ln_p - r->B) / r->C;
      T = its90_temperature(*r, u);
    }
    if (T >= its90_lowest - rounding) return {T, p, its90_temperature_slope(*r, u) / (r->C * p), 0U};
  }
  // Below 1.25 K: the spline inverted, Newton in T on a bracket that shrinks
  // at every step (the spline rises: its coefficients do), bisecting where a
  // step would leave it; at most 100 steps.
  if (p < vapour_pressure_spline.c[0]) return vapour_scale_failure(flag_out_of_range);
  double lo = vapour_pressure_lowest;
  double hi = its90_lowest;
  double T = 0.5 * (lo + hi);
  SplineValue s = vapour_pressure(T);
  for (int i = 0; i < 100; ++i) {
    const double residual = s.value - p;
    if (residual == 0.0) break;
    (residual < 0.0 ? lo : hi) = T;
    double next = T - residual / s.derivative;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    const bool settled = std::fabs(next - T) <= 1e-15 * T;
    T = next;
    s = vapour_pressure(T);
    if (settled) break;
  }
  return {T, p, 1.0 / s.derivative, flag_outside_scale};
}

// p (Pa) at T90.
inline VapourScalePoint its90_from_temperature_at(double T) {
  using namespace superfluid;
  if (!(T > 0.0) || !std::isfinite(T)) return vapour_scale_failure(flag_bad_input);
  if (T < vapour_pressure_lowest || T > its90_highest) return vapour_scale_failure(flag_out_of_range);
  if (T >= its90_lowest) {
    const VapourPressureRange& r = T <= its90_lambda_split ? its90_below_lambda : its90_above_lambda;
    const double ln_p = its90_log_pressure(r, T);
    const double p = std::exp(ln_p);
    return {T, p, its90_temperature_slope(r, (ln_p - r.B) / r.C) / (r.C * p), 0U};
  }
  const SplineValue s = vapour_pressure(T);
  return {T, s.value, 1.0 / s.derivative, flag_outside_scale};
}

// The same, kept for the next call at the same T, per thread: one He II state
// asks for its vapour pressure in the range check, the bath's liquid, the
// limit flags and the pressure integrals, and each asked the relation to be
// inverted again. Bit for bit the value above (a NaN T is never kept).
inline VapourScalePoint its90_from_temperature(double T) { return kept_at<its90_from_temperature_at>(T); }

// d2p/dT2 (Pa/K^2) on the relation at T90, 1.25 K to 5.0 K (NaN outside):
// with p = exp(B + C u) and T(u), p' = C p/T_u and p'' = C p (C T_u - T_uu)/T_u^3.
inline double its90_pressure_curvature(double T) {
  if (!(T >= its90_lowest && T <= its90_highest)) return std::numeric_limits<double>::quiet_NaN();
  const VapourPressureRange& r = T <= its90_lambda_split ? its90_below_lambda : its90_above_lambda;
  const double p = its90_from_temperature(T).p;
  const double u = (std::log(p) - r.B) / r.C;
  double T_uu = 0.0;
  for (int i = 9; i >= 2; --i) T_uu = T_uu * u + i * (i - 1) * r.A[i];
  const double T_u = its90_temperature_slope(r, u);
  return r.C * p * (r.C * T_u - T_uu) / (T_u * T_u * T_u);
}

}  // namespace vorn
