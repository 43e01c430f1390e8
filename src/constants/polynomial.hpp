// Polynomials in T without nested (Horner) evaluation.
//
//   sum_{k=first}^{first+N-1} a[k-first] * T^k, summed from the highest power
//   down, the lowest term added last.
//
// Each power is formed by integer_power (T^1 = T, T^2 = T*T), each term is one
// product, and the running sum starts as the highest term. The order fixes the
// last bits: Horner's scheme or an ascending sum give other results.
//
// The terms are written out at compile time (no loop left once inlined), so
// that the array forms can evaluate several points at once.
#pragma once

#include <array>
#include <cstddef>

#include "constants/integer_power.hpp"

namespace vorn {

// sum + a[I-1] T^(First+I-1) + a[I-2] T^(First+I-2) + ... + a[0] T^First.
template <unsigned First, std::size_t I, std::size_t N>
constexpr double add_falling_terms(const std::array<double, N>& coefficients, double T, double sum) {
  if constexpr (I == 0) {
    return sum;
  } else {
    sum = sum + coefficients[I - 1] * integer_power<First + static_cast<unsigned>(I - 1)>(T);
    return add_falling_terms<First, I - 1>(coefficients, T, sum);
  }
}

template <unsigned First, std::size_t N>
constexpr double falling_power_sum(const std::array<double, N>& coefficients, double T) {
  static_assert(N > 0, "a polynomial has at least one term");
  const double sum = coefficients[N - 1] * integer_power<First + static_cast<unsigned>(N - 1)>(T);
  return add_falling_terms<First, N - 1>(coefficients, T, sum);
}

// coefficients[i] multiplies T^(lowest_power + i); lowest_power is 0 or 1.
template <std::size_t N>
constexpr double falling_power_sum(const std::array<double, N>& coefficients, unsigned lowest_power,
                                   double T) {
  return lowest_power == 0U ? falling_power_sum<0U>(coefficients, T) : falling_power_sum<1U>(coefficients, T);
}

}  // namespace vorn
