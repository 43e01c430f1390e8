// The correlation Za(T, P), a power series in the ideal-gas molar density
// x = 1000 P/(rT) (mol/m^3):
//
//   Za = 1 + S1 x + S2 x^2 + ... + S6 x^6,
//   Sn(T) = s_n * sum_{j=1}^{11} coef(n, j) / T^((j-1) c_n)
//
// with s_n = (1e-6)^n bringing cm^3/mol to m^3/mol. The orders switch on by
// strict comparisons on T: order 1 above 1.95 K, orders 2-4 above 2.6 K,
// orders 5-6 above 20 K; at or below 1.95 K (and for NaN T) Za is exactly 1.
// Za jumps at each threshold: nothing blends the regions.
//
// Cost: no real power at or below 1.95 K, 7 up to 2.6 K, 34 up to 20 K and 47
// above (the sums as written take 11 per order, 66 in all); see
// acoustic_factor_order_sum for why the dropped ones change no bit.
//
// The numbers: the exponent steps and the coefficient table of the
// correlation as published with this library (c_n single-precision literals,
// coef each the double its shortest decimal denotes).
//
// What it measures: S1 is the second acoustic virial coefficient beta_a, not
// B (21.876 against beta_a = 21.877 and B = 11.819 cm^3/mol at 300 K), so Za is
// the acoustic factor (w/w0)^2, not pV/(nRT). How right (docs/accuracy.md):
// its speed of sound is within 1.6 ppm of the reference equation of state at
// 273.16 K and 300 K, 101.325 kPa, and 0.12 % off at 20 K, 1 MPa. Where it
// means nothing: it jumps at each threshold, and turns negative at high
// pressure on low isotherms (3 K, 100 kPa: flag VORN_STATE_ZA_NONPOSITIVE).
#pragma once

#include <array>
#include <cstddef>

#include "constants/integer_power.hpp"
#include "constants/module_constants.hpp"
#include "constants/real_power.hpp"
#include "constants/units.hpp"

namespace vorn {

// Exponent steps c_n: single-precision literals; the widened single is the
// value used, not the double nearest the decimal.
inline constexpr std::array<double, 6> acoustic_factor_exponent_steps{
    static_cast<double>(0.18F), static_cast<double>(0.3F),  static_cast<double>(0.39F),
    static_cast<double>(0.49F), static_cast<double>(0.56F), static_cast<double>(0.62F),
};

// coef(n, j) in (cm^3/mol)^n, one row per order n, j = 1 .. 11. The trailing
// zeros take part in the sums like the other entries.
inline constexpr std::array<std::array<double, 11>, 6> acoustic_factor_coefficients{{
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

// s_1 = cm3_to_m3, s_2 = s_1*s_1, s_3..s_6 by repeated squaring: s_3 and s_5
// come out one ulp below the doubles nearest 1e-18 and 1e-30, and that is
// what is used.
inline constexpr std::array<double, 6> acoustic_factor_unit_scales{
    cm3_to_m3,
    cm3_to_m3* cm3_to_m3,
    integer_power<3>(cm3_to_m3),
    integer_power<4>(cm3_to_m3),
    integer_power<5>(cm3_to_m3),
    integer_power<6>(cm3_to_m3),
};

// w(n, j) = coef(n, j) * s_n, each product rounded to double; formed once, at
// compile time (the same doubles as forming them on every call).
inline constexpr std::array<std::array<double, 11>, 6> acoustic_factor_scaled_coefficients = [] {
  std::array<std::array<double, 11>, 6> scaled{};
  for (std::size_t n = 0; n < 6; ++n) {
    for (std::size_t j = 0; j < 11; ++j) {
      scaled[n][j] = acoustic_factor_coefficients[n][j] * acoustic_factor_unit_scales[n];
    }
  }
  return scaled;
}();

// Exponents e(n, j) = (j-1) c_n, the whole number times the widened single
// rounded to double; formed once, at compile time (the same doubles).
inline constexpr std::array<std::array<double, 11>, 6> acoustic_factor_exponents = [] {
  std::array<std::array<double, 11>, 6> exponents{};
  for (std::size_t n = 0; n < 6; ++n) {
    for (std::size_t j = 0; j < 11; ++j) {
      exponents[n][j] = static_cast<double>(j) * acoustic_factor_exponent_steps[n];
    }
  }
  return exponents;
}();

// Entries of each row up to and including its last non-zero one: 8, 9, 10,
// 11, 7 and 8.
inline constexpr std::array<std::size_t, 6> acoustic_factor_terms_in_use = [] {
  std::array<std::size_t, 6> terms{};
  for (std::size_t n = 0; n < 6; ++n) {
    terms[n] = 11;
    while (terms[n] > 0 && acoustic_factor_coefficients[n][terms[n] - 1] == 0.0) {
      --terms[n];
    }
  }
  return terms;
}();

// Every zero of the table is trailing (so every row starts non-zero): what
// acoustic_factor_order_sum relies on to drop terms.
constexpr bool acoustic_factor_zeros_only_trailing() {
  for (std::size_t n = 0; n < 6; ++n) {
    for (std::size_t j = 0; j < acoustic_factor_terms_in_use[n]; ++j) {
      if (acoustic_factor_scaled_coefficients[n][j] == 0.0) {
        return false;
      }
    }
  }
  return true;
}
static_assert(acoustic_factor_zeros_only_trailing(), "terms are dropped only for trailing zeros");

// S_n = (((0 + t_1) + t_2) + ...) + t_11, t_j = w(n, j) / T^((j-1) c_n), with
// the terms whose quotient is known without a power left out. Only ever called
// with T > 1.95 (never NaN), so every T^e below is >= 1 or +inf:
//  - t_1 = w(n, 1) / T^0 = w(n, 1) / 1 = w(n, 1) exactly, and 0 + t_1 = t_1
//    because t_1 is not zero (so never -0): the sum starts at w(n, 1);
//  - a zero entry gives 0 / T^e = +0, and s + (+0) = s for every s the sum can
//    hold (it is never -0: the first term is finite and non-zero, and an exact
//    cancellation rounds to +0): the trailing zero terms are left out.
// The same doubles as all 11 terms with a real power each: 7, 8, 9, 10, 6 and
// 7 powers for the six orders instead of 11.
inline double acoustic_factor_order_sum(std::size_t order, double T) {
  const std::array<double, 11>& w = acoustic_factor_scaled_coefficients[order - 1];
  const std::array<double, 11>& e = acoustic_factor_exponents[order - 1];
  double S = w[0];
  for (std::size_t j = 1; j < acoustic_factor_terms_in_use[order - 1]; ++j) {
    S = S + w[j] / real_power(T, e[j]);
  }
  return S;
}

// The order sums T's region needs (the others left 0): what depends on T
// alone, so that an array form can keep them over a run of equal
// temperatures.
struct AcousticFactorSums {
  std::array<double, 6> S;
};

inline AcousticFactorSums acoustic_factor_sums(double T) {
  AcousticFactorSums sums{};
  if (T > 1.95) {
    sums.S[0] = acoustic_factor_order_sum(1, T);
    if (T > 2.6) {
      for (std::size_t n = 2; n <= 4; ++n) sums.S[n - 1] = acoustic_factor_order_sum(n, T);
      if (T > 20.0) {
        for (std::size_t n = 5; n <= 6; ++n) sums.S[n - 1] = acoustic_factor_order_sum(n, T);
      }
    }
  }
  return sums;
}

// The regions nest (T > 20 implies T > 2.6 implies T > 1.95, and NaN passes
// none), so each test sits inside the one before; the terms are added in the
// same order as three tests one after the other would add them. The sums
// are pure functions of T, formed before the series rather than within it:
// the same doubles.
inline double acoustic_factor_from_sums(const AcousticFactorSums& sums, double T, double P) {
  const std::array<double, 6>& S = sums.S;
  const double Pa = 1000.0 * P;
  double Za = 1.0;
  if (T > 1.95) {
    Za = (S[0] * Pa) / (gas_constant * T) + Za;
    if (T > 2.6) {
      const double x = Pa / (gas_constant * T);
      Za = S[1] * (x * x) + Za;
      Za = S[2] * integer_power<3>(x) + Za;
      Za = S[3] * integer_power<4>(x) + Za;
      if (T > 20.0) {
        Za = S[4] * integer_power<5>(x) + Za;
        Za = S[5] * integer_power<6>(x) + Za;
      }
    }
  }
  return Za;
}

inline double acoustic_factor(double T, double P) {
  return acoustic_factor_from_sums(acoustic_factor_sums(T), T, P);
}

}  // namespace vorn
