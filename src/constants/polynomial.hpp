// Polynomials in T without nested (Horner) evaluation:
//
//   p(T) = sum_{i=0}^{N-1} a[i] T^(Lowest + i)
//
// summed from the highest power down, the lowest term added last: the running
// sum starts as the highest term, each power is formed by integer_power
// (T^1 = T, T^2 = T*T), each term is one product. The order fixes the last
// bits: Horner's scheme or an ascending sum give other results.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "constants/integer_power.hpp"

namespace vorn {

// sum = a[N-1] T^(Lowest+N-1), then sum = sum + a[i] T^(Lowest+i) for
// i = N-2 down to 0, one statement per term (a fold over the terms, so that
// no loop is left for the compiler to unroll).
template <unsigned Lowest, std::size_t N, std::size_t... K>
constexpr double falling_power_sum(const std::array<double, N>& a, double T,
                                   std::index_sequence<K...> /*k*/) {
  double sum = a[N - 1] * integer_power<Lowest + static_cast<unsigned>(N - 1)>(T);
  ((sum = sum + a[N - 2 - K] * integer_power<Lowest + static_cast<unsigned>(N - 2 - K)>(T)), ...);
  return sum;
}

// Lowest is the power of T that a[0] multiplies.
template <unsigned Lowest, std::size_t N>
constexpr double falling_power_sum(const std::array<double, N>& a, double T) {
  static_assert(N > 0, "a polynomial has at least one term");
  return falling_power_sum<Lowest>(a, T, std::make_index_sequence<N - 1>{});
}

}  // namespace vorn
