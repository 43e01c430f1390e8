// The dilute part of the cold gas's transport, below 6 K: a shift of the
// dense-fluid correlations' values onto the dilute-gas correlations
// (src/transport/: within 0.0013 % of Chapman-Enskog values from the ab initio
// pair potential at 4.2 K and above, the library's own dilute values below).
// T in K, rho in kg/m3, the shifts in Pa s and W/(m K):
//
//   eta    = eta_c(T, rho)    + w(T) f(rho) (eta_0(T)    - eta_c(T, 0))
//   lambda = lambda_c(T, rho) + w(T) f(rho) (lambda_0(T) - lambda_c(T, 0))
//   w = 1 up to 4.2 K; 1 - s^2 (3 - 2 s), s = (T - 4.2 K)/(6 K - 4.2 K), to 6 K; 0 above
//   f = (1 - (rho/rho_c)^2)^2 below the equation's critical density rho_c; 0 above
//
// Why: the correlations' dilute parts rest on few data below about 4 K and
// drift from the dilute gas there (viscosity 8-9 % high at 2.2-3 K and 16 %
// low at 1.5 K, conductivity 17 % low at 1.8 K and 60 % low at 1.5 K), so the
// Prandtl number of a pumping line at 1.8 K came out 0.81 where the dilute
// gas has 0.662. Why this fade:
// - in density, f = 1 - O(rho^2): the dilute vapour gets the dilute-gas value
//   to second order in density (f = 0.99996 in the saturated vapour at
//   1.8 K, 0.89 at 4.2 K), while the liquid and every state denser than the
//   critical density keep the published correlations untouched, with their
//   check values; f and its slope are continuous at rho_c;
// - in temperature, the shift is whole up to 4.2 K, where the ab initio values
//   begin, and gone at 6 K, near where the correlations' dilute parts come
//   closest to the dilute gas above 4.2 K (viscosity 1.9 % high, conductivity
//   0.5 %), so the fade bends the curves least; w and its slope are
//   continuous at both ends. Above 6 K the published forms stand as they are
//   (their dilute-gas check values at 20 K, 50 K and above).
// Where it means nothing: outside the fluid (He II, solid), as the
// correlations; the dilute-gas correlations are not evaluated above 6 K.
#pragma once

namespace vorn::reference_transport {

inline constexpr double cold_shift_whole_below = 4.2;  // K
inline constexpr double cold_shift_gone_above = 6.0;   // K

struct ColdDiluteShift {
  double viscosity;     // Pa s
  double conductivity;  // W/(m K)
};

// What to add to the correlations' values at T (K) and rho (kg/m3).
ColdDiluteShift cold_dilute_shift(double T, double rho);

}  // namespace vorn::reference_transport
