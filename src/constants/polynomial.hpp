// Polynomials in T without nested (Horner) evaluation.
//
//   sum_{k=first}^{first+N-1} a[k-first] * T^k, summed from the highest power
//   down, the lowest term added last.
//
// Each power is formed by integer_power (T^1 = T, T^2 = T*T), each term is one
// product, and the running sum starts as the highest term. The order fixes the
// last bits: Horner's scheme or an ascending sum give other results.
#pragma once

#include <array>
#include <cstddef>

#include "constants/integer_power.hpp"

namespace vorn {

// coefficients[i] multiplies T^(lowest_power + i).
template <std::size_t N>
constexpr double falling_power_sum(const std::array<double, N>& coefficients, unsigned lowest_power,
                                   double T) {
  static_assert(N > 0, "a polynomial has at least one term");
  double sum = coefficients[N - 1] * integer_power(T, lowest_power + static_cast<unsigned>(N - 1));
  for (std::size_t i = N - 1; i-- > 0;) {
    sum = sum + coefficients[i] * integer_power(T, lowest_power + static_cast<unsigned>(i));
  }
  return sum;
}

}  // namespace vorn
