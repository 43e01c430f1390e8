// Two virial families (X, X', X'' of quotient_rule.hpp) evaluated side by
// side, one in each lane of a pair of doubles: for routines that need B and C
// (or C and D) with their derivatives, so that each division does the work of
// two. A lane performs every operation of virial_family on its own tables, in
// the same order, each correctly rounded to double like the scalar operation
// (no fused multiply-adds: -ffp-contract=off), so each lane is the double
// virial_family returns. GCC and clang vector extensions: on a processor
// without vector registers the compiler splits a pair into two scalars.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "constants/integer_power.hpp"
#include "virial/quotient_rule.hpp"

namespace vorn {

using DoublePair = double __attribute__((vector_size(2 * sizeof(double))));

inline DoublePair broadcast_pair(double x) { return DoublePair{x, x}; }

// falling_power_sum of two tables of one shape at one T, lane by lane.
template <unsigned Lowest, std::size_t N, std::size_t... K>
inline DoublePair falling_power_sum_pair(const std::array<double, N>& a, const std::array<double, N>& b,
                                         double T, std::index_sequence<K...> /*k*/) {
  DoublePair sum = DoublePair{a[N - 1], b[N - 1]} *
                   broadcast_pair(integer_power<Lowest + static_cast<unsigned>(N - 1)>(T));
  ((sum = sum + DoublePair{a[N - 2 - K], b[N - 2 - K]} *
                    broadcast_pair(integer_power<Lowest + static_cast<unsigned>(N - 2 - K)>(T))),
   ...);
  return sum;
}

template <unsigned Lowest, std::size_t N>
inline DoublePair falling_power_sum_pair(const std::array<double, N>& a, const std::array<double, N>& b,
                                         double T) {
  static_assert(N > 0, "a polynomial has at least one term");
  return falling_power_sum_pair<Lowest>(a, b, T, std::make_index_sequence<N - 1>{});
}

struct VirialFamilyPair {
  VirialFamily first;   // of the tables passed first
  VirialFamily second;  // of the tables passed second
};

inline VirialFamilyPair virial_family_pair(const VirialTables& a, const VirialTables& b, double T) {
  const DoublePair N = falling_power_sum_pair<1>(a.numerator, b.numerator, T);
  const DoublePair Q = falling_power_sum_pair<1>(a.denominator, b.denominator, T);
  const DoublePair N1 = falling_power_sum_pair<0>(a.numerator_d1, b.numerator_d1, T);
  const DoublePair Q1 = falling_power_sum_pair<0>(a.denominator_d1, b.denominator_d1, T);
  const DoublePair N2 = falling_power_sum_pair<0>(a.numerator_d2, b.numerator_d2, T);
  const DoublePair Q2 = falling_power_sum_pair<0>(a.denominator_d2, b.denominator_d2, T);
  const DoublePair E0 = ((N + N) * (Q1 * Q1)) / integer_power<3>(Q);
  const DoublePair E1 = N2 / Q;
  const DoublePair E2 = (Q1 * (N1 + N1)) / (Q * Q);
  const DoublePair E3 = (Q2 * N) / (Q * Q);
  const DoublePair value = N / Q;
  const DoublePair first_derivative = N1 / Q - (Q1 * N) / (Q * Q);
  const DoublePair second_derivative = E0 + ((E1 - E2) - E3);
  return {{value[0], first_derivative[0], second_derivative[0]},
          {value[1], first_derivative[1], second_derivative[1]}};
}

}  // namespace vorn
