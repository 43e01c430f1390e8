// Heat carried through a channel of He II by turbulent counterflow, from a
// saturated bath at T_b to a warm end at T_h, length L (m), heat flux q
// (W/m^2), exponent m (3 classically):
//
//   dT/dx = -f_m(T) q^m   so   q^m L = integral from T_b to T_h of f_m^-1 dT,
//
// f_m^-1 of heat_conductivity_function.hpp. Three questions: the warm end T_h
// of a channel carrying q; the q of a channel whose warm end is at T_h; the
// peak heat flux, the q at which the warm end reaches T_lambda (past it the
// warm end goes normal, He I, and the channel no longer carries the heat by
// counterflow). Bath from 1.4 K (the form's lower end) to below T_lambda.
//
// The integral: 8-point Gauss-Legendre on 8 equal panels of [T_b, T_h] (64
// values of f_m^-1). f_m^-1 is smooth on the interval, the (1 - t^5.7)^m
// factor included (m >= 2), and the rule reproduces the closed form of the
// cubic law within 1e-13 relative. The warm end: Newton's method on
// integral(T_b, T_h) = q^m L with the slope f_m^-1(T_h), inside a bracket
// that every step shrinks, bisecting where Newton would leave it; at most 100
// steps, done when the bracket is 4 ulp of T_lambda wide or a step moves T_h
// by less than that.
//
// Flags: bad input (T_b, T_h, q negative or not finite; L not positive and
// finite; m outside 2 to 4; T_h below T_b); out of range (T_b below 1.4 K or
// at or above T_lambda); past lambda (q above the peak heat flux, or T_h above
// T_lambda). NaN with each.
#pragma once

#include <cmath>
#include <limits>

#include "constants/gauss_legendre.hpp"
#include "superfluid/heat_conductivity_function.hpp"
#include "superfluid/range_flags.hpp"
#include "superfluid/saturated_liquid.hpp"

namespace vorn::superfluid {

inline constexpr int channel_quadrature_panels = 8;
inline constexpr int channel_search_steps = 100;

// integral from `from` to `to` of f_m^-1 dT, W^m m^(1-2m), both within
// [1.4 K, T_lambda], from <= to.
inline double heat_conductivity_integral(double from, double to, double m) {
  const double width = (to - from) / channel_quadrature_panels;
  double total = 0.0;
  for (int i = 0; i < channel_quadrature_panels; ++i) {
    const double a = from + i * width;
    const double b = i + 1 == channel_quadrature_panels ? to : from + (i + 1) * width;
    total += gauss_legendre_8([m](double T) { return heat_conductivity_function(T, m); }, a, b);
  }
  return total;
}

// The flags of a channel's bath, length and exponent, 0 if it can be worked out.
inline unsigned channel_flags(double T_bath, double L, double m) {
  if (!(T_bath >= 0.0) || !std::isfinite(T_bath) || !(L > 0.0) || !std::isfinite(L) ||
      !(m >= counterflow_exponent_lowest && m <= counterflow_exponent_highest))
    return flag_bad_input;
  if (!within_heat_conductivity_range(T_bath)) return flag_out_of_range;
  return 0U;
}

inline Result no_channel(unsigned flags) { return {std::numeric_limits<double>::quiet_NaN(), flags}; }

// q (W/m^2) of a channel of length L (m) from a bath at T_bath to a warm end
// at T_warm (K), T_bath <= T_warm <= T_lambda.
inline Result channel_heat_flux(double T_bath, double T_warm, double L, double m) {
  const unsigned flags = channel_flags(T_bath, L, m);
  if (flags != 0U) return no_channel(flags);
  if (!(T_warm >= T_bath) || !std::isfinite(T_warm)) return no_channel(flag_bad_input);
  if (T_warm > lambda_temperature) return no_channel(flag_past_lambda);
  return {real_power(heat_conductivity_integral(T_bath, T_warm, m) / L, 1.0 / m), 0U};
}

// The peak heat flux (W/m^2): the warm end at T_lambda.
inline Result channel_peak_heat_flux(double T_bath, double L, double m) {
  return channel_heat_flux(T_bath, lambda_temperature, L, m);
}

// The warm end (K) of a channel of length L (m) carrying q (W/m^2) from a
// bath at T_bath (K).
inline Result channel_warm_end(double T_bath, double L, double q, double m) {
  const unsigned flags = channel_flags(T_bath, L, m);
  if (flags != 0U) return no_channel(flags);
  if (!(q >= 0.0) || !std::isfinite(q)) return no_channel(flag_bad_input);
  const double target = real_power(q, m) * L;
  const double whole = heat_conductivity_integral(T_bath, lambda_temperature, m);
  if (target == 0.0) return {T_bath, 0U};
  // Within rounding of the peak flux (the root and the power that take q to
  // q^m L and back round apart by a few ulp) the warm end is T_lambda: the
  // integral is so flat there (f^-1 ~ (T_lambda - T)^3) that 1e-15 of it
  // spans 40 uK.
  constexpr double rounding = 16.0 * std::numeric_limits<double>::epsilon();
  if (target > whole * (1.0 + rounding)) return no_channel(flag_past_lambda);
  if (target >= whole * (1.0 - rounding)) return {lambda_temperature, 0U};
  double low = T_bath;
  double high = lambda_temperature;
  const double resolution = 4.0 * std::numeric_limits<double>::epsilon() * lambda_temperature;
  // Start where a constant f_m^-1 at the bath would put the warm end.
  double T = T_bath + target / heat_conductivity_function(T_bath, m);
  if (!(T > low && T < high)) T = 0.5 * (low + high);
  for (int step = 0; step < channel_search_steps && high - low > resolution; ++step) {
    const double residual = heat_conductivity_integral(T_bath, T, m) - target;
    if (residual == 0.0) break;
    (residual < 0.0 ? low : high) = T;
    const double next = T - residual / heat_conductivity_function(T, m);
    if (std::fabs(next - T) < resolution) return {next, 0U};
    T = next > low && next < high ? next : 0.5 * (low + high);
  }
  return {T, 0U};
}

}  // namespace vorn::superfluid
