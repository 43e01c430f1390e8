// The correlation Za(T, P), its speed of sound and the thermometer inversion
// written the straightforward way, kept only to check the library against:
// the scale factors and the 66 scaled coefficients formed on every call, a
// real power for every term (the exponent-0 terms and the zero entries
// included), each sum started at 0, and Za(T0, P0) formed afresh inside every
// residual, six Za per iteration. The library takes a shorter road that must
// give the same doubles, to the last bit.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

#include "vorn.h"

namespace vorn_reference {

inline double repeated_squaring(double x, unsigned n) {
  double y = (n & 1U) != 0U ? x : 1.0;
  while (n > 1U) {
    n >>= 1U;
    x = x * x;
    if ((n & 1U) != 0U) {
      y = y * x;
    }
  }
  return y;
}

// A real call of the C library's pow for every exponent, 0 included.
inline double real_pow(double base, double exponent) {
  volatile double opaque = exponent;
  return std::pow(base, opaque);
}

inline double order_sum(std::size_t n, double T) {
  static const std::array<std::array<double, 11>, 6> coef{{
      {0.959913724935642, -97.24366550722246, 1164.285214321719, -3433.891311063263, 5989.219041124705,
       -7426.004100852182, 5060.244258448764, -1735.646365147356, 0, 0, 0},
      {-13.21628045566834, 512.2143135362712, -14820.27766787993, 111276.4738887077, -351790.9467759898,
       943123.2905610101, -1670819.147625168, 1556359.376696419, -811927.9018787787, 0, 0},
      {220.6006219415493, -15537.31061744761, 573364.6324831021, -7733133.816453341, 40133888.17501967,
       -152841096.2173397, 545923791.8713652, -1163821595.184815, 1381097372.443864, -898220690.0121249, 0},
      {-1398.542826967191, 232660.3497149738, -19913844.55753846, 591403546.9845142, -5684743487.490929,
       23916475157.94902, -91160545310.82375, 385448925457.0964, -957740909230.3805, 1341102288038.551,
       -1070580180681.634},
      {37775.12583903844, -8403259.371226469, 907240713.0804918, -41558758059.37418, 705998361317.0466,
       -4479461241521.576, 9161853734114.748, 0, 0, 0, 0},
      {-897484.5903253069, 275868638.0637627, -38822309718.31876, 2573712151908.009, -77167581173597.69,
       972415981663958.6, -5192427006139256.0, 9698596121807848.0, 0, 0, 0},
  }};
  static const std::array<float, 6> c{0.18F, 0.3F, 0.39F, 0.49F, 0.56F, 0.62F};
  // The scale factors and the scaled table, formed on every call.
  volatile double cm3 = 1e-6;
  const double s1 = cm3;
  std::array<double, 6> s{s1,
                          s1 * s1,
                          repeated_squaring(s1, 3),
                          repeated_squaring(s1, 4),
                          repeated_squaring(s1, 5),
                          repeated_squaring(s1, 6)};
  std::array<std::array<double, 11>, 6> w{};
  for (std::size_t i = 0; i < 6; ++i) {
    for (std::size_t j = 0; j < 11; ++j) {
      w[i][j] = coef[i][j] * s[i];
    }
  }
  const double step = static_cast<double>(c[n - 1]);
  double sum = 0.0;
  for (std::size_t j = 1; j <= 11; ++j) {
    const double e = static_cast<double>(j - 1) * step;
    sum = sum + w[n - 1][j - 1] / real_pow(T, e);
  }
  return sum;
}

inline double Za(double T, double P) {
  const double Pa = 1000.0 * P;
  double Z = 1.0;
  if (T > 1.95) {
    Z = (order_sum(1, T) * Pa) / (__vorn_MOD_r * T) + Z;
  }
  if (T > 2.6) {
    const double x = Pa / (__vorn_MOD_r * T);
    Z = order_sum(2, T) * (x * x) + Z;
    Z = order_sum(3, T) * repeated_squaring(x, 3) + Z;
    Z = order_sum(4, T) * repeated_squaring(x, 4) + Z;
  }
  if (T > 20.0) {
    const double x = Pa / (__vorn_MOD_r * T);
    Z = order_sum(5, T) * repeated_squaring(x, 5) + Z;
    Z = order_sum(6, T) * repeated_squaring(x, 6) + Z;
  }
  return Z;
}

inline double w_gk(double T, double P) {
  double k = __vorn_MOD_g0 / __vorn_MOD_m0;
  k = k * __vorn_MOD_r;
  k = k * T;
  return std::sqrt(k * Za(T, P));
}

// The inner Za is a parameter so that the iteration itself can be checked
// against the library's Za as well as against the reference one.
template <typename ZaFunction>
double temp_K(double phi, double P, double T0, double P0, ZaFunction za) {
  const auto F = [&](double x) {
    const double ratio = x / T0;
    const double Z0 = za(T0, P0);
    const double target = phi * Z0;
    const double Z = za(x, P);
    return ratio - target / Z;
  };
  const double dt = static_cast<double>(0.001F);
  double x = T0 * phi;
  double x_new = x;
  for (int k = 1; k <= 30; ++k) {
    const double F0 = F(x);
    const double x_plus = x + dt;
    const double F_plus = F(x_plus);
    const double x_minus = x - dt;
    const double F_minus = F(x_minus);
    x_new = x - (dt * (F0 + F0)) / (F_plus - F_minus);
    if (1e-10 >= std::fabs(x_new - x)) {
      return x_new;
    }
    x = x_new;
  }
  return x_new;
}

}  // namespace vorn_reference
