// The mutual-friction coefficients B and B' of He II (dimensionless), from
// the fits of Donnelly and Barenghi (1998) in x = log10(1 - T/T_lambda):
//
//   B  = 10^s_B(x)             for T <= 2.167 K,  0.47 (1 - T/T_lambda)^-0.33         above;
//   B' = 10^s_B'(x) - 15       for T <= 2.134 K,  -0.34 (1 - T/T_lambda)^-0.33 + 1.01 above,
//
// s_B and s_B' cubic B-splines. The splines' last knots (x = -0.388 and
// -0.384) put the lower ends at 1.2859 K and 1.2779 K; both diverge at
// T_lambda, and neither exists above it: NaN at T >= T_lambda.
#pragma once

#include <cmath>

#include "superfluid/cubic_b_spline.hpp"
#include "superfluid/lambda_point.hpp"

namespace vorn::superfluid {

inline constexpr CubicBSpline<11> mutual_friction_B_spline{
    {-5.0, -5.0, -5.0, -5.0, -2.5, -2.0, -0.8, -0.387958059947, -0.387958059947, -0.387958059947,
     -0.387958059947},
    {1.31928144433, 1.12452707801, 0.639314792565, 0.313383532495, -0.162687403543, 0.092047691284,
     0.188452616588}};
inline constexpr CubicBSpline<12> mutual_friction_B_prime_spline{
    {-5.0, -5.0, -5.0, -5.0, -3.55, -3.2, -2.5, -1.0, -0.384067377871, -0.384067377871, -0.384067377871,
     -0.384067377871},
    {-0.0847218032526, 0.931621715174, 0.973263359433, 1.10543591819, 1.15904485127, 1.18311634566,
     1.17480594214, 1.19458392766}};

inline constexpr double mutual_friction_B_switch = 2.167;        // K
inline constexpr double mutual_friction_B_prime_switch = 2.134;  // K
inline constexpr double mutual_friction_exponent = -0.33;

inline double reduced_log_distance(double T) { return std::log10(1.0 - T / lambda_temperature); }
// The lowest T of each spline: x at its last knot.
inline double mutual_friction_lowest(double last_knot) {
  return lambda_temperature * (1.0 - std::pow(10.0, last_knot));
}

inline double mutual_friction_B(double T) {
  if (T <= mutual_friction_B_switch) {
    return std::pow(10.0, evaluate(mutual_friction_B_spline, reduced_log_distance(T)).value);
  }
  return 0.47 * std::pow(1.0 - T / lambda_temperature, mutual_friction_exponent);
}

inline double mutual_friction_B_prime(double T) {
  if (T <= mutual_friction_B_prime_switch) {
    return std::pow(10.0, evaluate(mutual_friction_B_prime_spline, reduced_log_distance(T)).value) - 15.0;
  }
  return -0.34 * std::pow(1.0 - T / lambda_temperature, mutual_friction_exponent) + 1.01;
}

}  // namespace vorn::superfluid
