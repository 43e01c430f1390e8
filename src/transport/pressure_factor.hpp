// The pressure factor shared by conductivity and viscosity, with P in kPa as
// passed (no factor 1000):
//
//   F(T, P) = (c0 T^c1)(P*P) + (((T^b1) b0) P + 1)
//
// T^b1 and T^c1 are real powers, so F is NaN for T < 0; T^b1 overflows for T
// very close to 0 (below about 1e-145 K). F is exactly 1 at P = 0 wherever
// the powers are finite.
#pragma once

#include "constants/real_power.hpp"

namespace vorn {

struct PressureFactorConstants {
  double b0;  // per kPa
  double b1;
  double c0;  // per kPa^2
  double c1;
};

// The factors of P and P*P, which depend on T alone: (T^b1) b0 and c0 T^c1.
struct PressureFactorTerms {
  double linear;     // per kPa
  double quadratic;  // per kPa^2
};

inline PressureFactorTerms pressure_factor_terms(const PressureFactorConstants& k, double T) {
  return {real_power(T, k.b1) * k.b0, k.c0 * real_power(T, k.c1)};
}

inline double pressure_factor_from_terms(const PressureFactorTerms& t, double P) {
  const double PP = P * P;
  const double linear = (t.linear * P) + 1.0;
  const double quadratic = t.quadratic * PP;
  return quadratic + linear;
}

inline double pressure_factor(const PressureFactorConstants& k, double T, double P) {
  return pressure_factor_from_terms(pressure_factor_terms(k, T), P);
}

}  // namespace vorn
