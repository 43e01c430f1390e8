// Density of the saturated liquid, g/cm^3, and its thermal expansion
// alpha = -(1/rho) drho/dT, 1/K, from 0 K to 4.9 K (Donnelly and Barenghi
// 1998, their closed forms):
//
//   T < 1.334 K:   rho = rho_0 + m2 T^2 + m3 T^3 + m4 T^4 + m5 T^5
//   T >= 1.334 K:  rho = rho_lambda (1 + Delta),  t = T - T_lambda,
//                  Delta = (a1 t + a2 t^2) ln|t| + sum_{i=1}^{7} b_i t^i,
//
// with one (a, b) below T_lambda and one above. The density rises through
// T_lambda (0.1461087 g/cm^3) with a vertical tangent: alpha goes to -infinity
// logarithmically from both sides (as C_p goes to +infinity), so alpha at
// T_lambda itself is NaN; the maximum, 0.1461178 g/cm^3, lies at 2.1844 K. Checked against the
// recommended table: within 1e-4 relative to 4.65 K, 1.4e-4 to 4.90 K. Past
// 4.9 K the forms leave the liquid (0.0907 g/cm^3 at 5.19 K against the
// critical 0.0696): they end where the table does.
#pragma once

#include <array>
#include <cmath>

#include "constants/polynomial.hpp"
#include "superfluid/lambda_point.hpp"

namespace vorn::superfluid {

inline constexpr double density_at_zero = 0.1451397;     // g/cm^3
inline constexpr double density_at_lambda = 0.1461087;   // g/cm^3
inline constexpr double density_polynomial_end = 1.334;  // K
inline constexpr double density_highest = 4.9;           // K

// m2 .. m5 (the powers T^2 .. T^5) below 1.334 K.
inline constexpr std::array<double, 4> density_low_m{-1.26935e-5, 7.12413e-5, -16.7461e-5, 8.75342e-5};

struct DensityBranch {
  std::array<double, 2> a;  // a1, a2: the powers t, t^2 of the ln|t| factor
  std::array<double, 7> b;  // b1 .. b7: the powers t .. t^7
};
inline constexpr DensityBranch density_below_lambda{{-7.57537e-3, 6.87483e-3},
                                                    {3.79937e-3, 1.86557e-3, 4.88345e-3, 0.0, 0.0, 0.0, 0.0}};
inline constexpr DensityBranch density_above_lambda{
    {-7.94605e-3, 5.057051e-3},
    {-30.3511e-3, -10.2326e-3, -3.00636e-3, 0.24072e-3, -2.45749e-3, 1.53454e-3, -0.308182e-3}};

struct DensityValue {
  double rho;    // g/cm^3
  double alpha;  // 1/K
};

// The derivative of a polynomial sum_{i=1}^{N} c_i t^i: sum i c_i t^(i-1).
template <std::size_t N>
double polynomial_slope(const std::array<double, N>& c, double t) {
  std::array<double, N> d{};
  for (std::size_t i = 0; i < N; ++i) d[i] = static_cast<double>(i + 1) * c[i];
  return falling_power_sum<0>(d, t);
}

// One of the two forms at T, either side of 1.334 K (polynomial: the one
// below it): what a caller that joins them smoothly reads.
inline DensityValue saturated_liquid_density_form(double T, bool polynomial) {
  if (polynomial) {
    const double rho = density_at_zero + falling_power_sum<2>(density_low_m, T);
    const double slope =
        falling_power_sum<1>(std::array<double, 4>{2.0 * density_low_m[0], 3.0 * density_low_m[1],
                                                   4.0 * density_low_m[2], 5.0 * density_low_m[3]},
                             T);
    return {rho, -slope / rho};
  }
  const double t = T - lambda_temperature;
  // At T_lambda itself t ln|t| is 0 in the limit (0 times -inf in doubles).
  if (t == 0.0) return {density_at_lambda, std::nan("")};
  const DensityBranch& branch = t < 0.0 ? density_below_lambda : density_above_lambda;
  const double ln_t = std::log(std::fabs(t));
  const double delta = falling_power_sum<1>(branch.a, t) * ln_t + falling_power_sum<1>(branch.b, t);
  // d/dt [(a1 t + a2 t^2) ln|t|] = (a1 + 2 a2 t) ln|t| + a1 + a2 t: the
  // logarithm's divergence at t = 0 is the alpha of the lambda point.
  const double d_delta = polynomial_slope(branch.a, t) * ln_t + falling_power_sum<0>(branch.a, t) +
                         polynomial_slope(branch.b, t);
  const double rho = density_at_lambda * (1.0 + delta);
  return {rho, -density_at_lambda * d_delta / rho};
}

inline DensityValue saturated_liquid_density(double T) {
  return saturated_liquid_density_form(T, T < density_polynomial_end);
}

// d alpha/dT, 1/K^2, from the same forms: alpha' = alpha^2 - rho''/rho, with
// d2/dt2 [(a1 t + a2 t^2) ln|t|] = 2 a2 ln|t| + a1/t + 3 a2 (NaN at T_lambda).
inline double saturated_liquid_expansion_slope_form(double T, bool polynomial) {
  const DensityValue d = saturated_liquid_density_form(T, polynomial);
  if (polynomial) {
    const auto& m = density_low_m;
    const double curvature =
        falling_power_sum<0>(std::array<double, 4>{2.0 * m[0], 6.0 * m[1], 12.0 * m[2], 20.0 * m[3]}, T);
    return d.alpha * d.alpha - curvature / d.rho;
  }
  const double t = T - lambda_temperature;
  const DensityBranch& branch = t < 0.0 ? density_below_lambda : density_above_lambda;
  const auto& a = branch.a;
  const auto& b = branch.b;
  const double curvature = 2.0 * a[1] * std::log(std::fabs(t)) + a[0] / t + 3.0 * a[1] +
                           falling_power_sum<0>(std::array<double, 6>{2.0 * b[1], 6.0 * b[2], 12.0 * b[3],
                                                                      20.0 * b[4], 30.0 * b[5], 42.0 * b[6]},
                                                t);
  return d.alpha * d.alpha - density_at_lambda * curvature / d.rho;
}

// The two forms joined: density (g/cm3), alpha (1/K) and alpha' (1/K^2) of
// the fit itself but over [1.334 K - density_join, 1.334 K), where the
// polynomial form takes c(T) = D0 H0(s) + D1 w H1(s) + D2 w^2 H2(s),
// s = (T - 1.334 K + w)/w, w = density_join, D_k the forms' difference in
// rho, rho' and rho'' at 1.334 K, H the quintic Hermite basis at s = 1 (zero
// to the second derivative at s = 0). The bare fit steps there by 3e-7 in
// rho, 0.5 % in alpha and 18 % in alpha'; joined, all three are continuous,
// off the fit by at most 6e-7 relative in rho and 1.7e-5 /K in alpha within
// those 0.2 K (a narrower join, 0.05 K, bent alpha' by percents to take up
// the forms' small offsets). The He II bath's liquid and the model of He II
// under pressure read it; the fit's own values (vorn_svp_rho) stay the bare
// forms.
inline constexpr double density_join = 0.2;  // K
struct JoinedDensity {
  double rho;     // g/cm3
  double alpha;   // 1/K
  double dalpha;  // 1/K^2
};
inline JoinedDensity form_density(double T, bool polynomial) {
  const DensityValue d = saturated_liquid_density_form(T, polynomial);
  return {d.rho, d.alpha, saturated_liquid_expansion_slope_form(T, polynomial)};
}
inline JoinedDensity saturated_liquid_density_joined(double T) {
  const double end = density_polynomial_end;
  if (!(T >= end - density_join && T < end)) return form_density(T, T < end);
  // rho, rho', rho'' of a form: rho' = -alpha rho, rho'' = rho (alpha^2 - alpha').
  const auto derivatives = [](const JoinedDensity& f) {
    return std::array<double, 3>{f.rho, -f.alpha * f.rho, f.rho * (f.alpha * f.alpha - f.dalpha)};
  };
  const std::array<double, 3> below = derivatives(form_density(end, true));
  const std::array<double, 3> above = derivatives(form_density(end, false));
  const std::array<double, 3> fit = derivatives(form_density(T, true));
  const double w = density_join;
  const double D0 = above[0] - below[0];
  const double D1 = (above[1] - below[1]) * w;
  const double D2 = (above[2] - below[2]) * w * w;
  const double s = (T - end + w) / w;
  const double s2 = s * s;
  const double s3 = s2 * s;
  // H0 = 10 s^3 - 15 s^4 + 6 s^5, H1 = -4 s^3 + 7 s^4 - 3 s^5, H2 = (s^3 - 2 s^4 + s^5)/2.
  const double c = D0 * s3 * (10.0 - 15.0 * s + 6.0 * s2) + D1 * s3 * (-4.0 + 7.0 * s - 3.0 * s2) +
                   D2 * 0.5 * s3 * (1.0 - 2.0 * s + s2);
  const double c_s = D0 * s2 * (30.0 - 60.0 * s + 30.0 * s2) + D1 * s2 * (-12.0 + 28.0 * s - 15.0 * s2) +
                     D2 * 0.5 * s2 * (3.0 - 8.0 * s + 5.0 * s2);
  const double c_ss = D0 * s * (60.0 - 180.0 * s + 120.0 * s2) + D1 * s * (-24.0 + 84.0 * s - 60.0 * s2) +
                      D2 * 0.5 * s * (6.0 - 24.0 * s + 20.0 * s2);
  const double rho = fit[0] + c;
  const double rho_T = fit[1] + c_s / w;
  const double rho_TT = fit[2] + c_ss / (w * w);
  const double alpha = -rho_T / rho;
  return {rho, alpha, alpha * alpha - rho_TT / rho};
}

}  // namespace vorn::superfluid
