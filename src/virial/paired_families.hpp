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

#include "constants/double_pair.hpp"
#include "constants/integer_power.hpp"
#include "virial/quotient_rule.hpp"

namespace vorn {

// How independent operations of one point are laid out: side by side in the
// lanes of a pair (for one point at a time: a division of a pair costs what
// one of a double does), or one after the other (for the loops over many
// points, which the compiler vectorises across points instead). The same
// doubles either way.
enum class FamilyLayout { paired, one_by_one };

struct TwoQuotients {
  double first, second;
};

// a/b and c/d.
template <FamilyLayout Layout>
inline TwoQuotients two_quotients(double a, double b, double c, double d) {
  if constexpr (Layout == FamilyLayout::paired) {
    const DoublePair q = DoublePair{a, c} / DoublePair{b, d};
    return {q[0], q[1]};
  } else {
    return {a / b, c / d};
  }
}

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

// The two families from their polynomials and values N/Q: the quotient rule's
// expressions of virial_family, lane by lane.
struct PolynomialPairs {
  DoublePair N, Q, N1, Q1, N2, Q2;
};
inline VirialFamilyPair virial_family_pair_from_polynomials(const PolynomialPairs& p, DoublePair value) {
  const DoublePair first_derivative = quotient_rule_first_derivative(p.N, p.Q, p.N1, p.Q1);
  const DoublePair second_derivative = quotient_rule_second_derivative(p.N, p.Q, p.N1, p.Q1, p.N2, p.Q2);
  return {{value[0], first_derivative[0], second_derivative[0]},
          {value[1], first_derivative[1], second_derivative[1]}};
}

inline VirialFamilyPair virial_family_pair(const VirialTables& a, const VirialTables& b, double T) {
  PolynomialPairs p;
  p.N = falling_power_sum_pair<1>(a.numerator, b.numerator, T);
  p.Q = falling_power_sum_pair<1>(a.denominator, b.denominator, T);
  p.N1 = falling_power_sum_pair<0>(a.numerator_d1, b.numerator_d1, T);
  p.Q1 = falling_power_sum_pair<0>(a.denominator_d1, b.denominator_d1, T);
  p.N2 = falling_power_sum_pair<0>(a.numerator_d2, b.numerator_d2, T);
  p.Q2 = falling_power_sum_pair<0>(a.denominator_d2, b.denominator_d2, T);
  return virial_family_pair_from_polynomials(p, p.N / p.Q);
}

// One family alone, its seven quotients in four divisions: the same
// operations as virial_family, two quotients to a pair.
inline VirialFamily virial_family_in_pairs(const VirialTables& t, double T) {
  constexpr FamilyLayout paired = FamilyLayout::paired;
  const double N = falling_power_sum<1>(t.numerator, T);
  const double Q = falling_power_sum<1>(t.denominator, T);
  const double N1 = falling_power_sum<0>(t.numerator_d1, T);
  const double Q1 = falling_power_sum<0>(t.denominator_d1, T);
  const double N2 = falling_power_sum<0>(t.numerator_d2, T);
  const double Q2 = falling_power_sum<0>(t.denominator_d2, T);
  const TwoQuotients value_and_n1 = two_quotients<paired>(N, Q, N1, Q);
  const TwoQuotients q1n_and_e2 = two_quotients<paired>(Q1 * N, Q * Q, Q1 * (N1 + N1), Q * Q);
  const TwoQuotients e1_and_e3 = two_quotients<paired>(N2, Q, Q2 * N, Q * Q);
  const double E0 = ((N + N) * (Q1 * Q1)) / integer_power<3>(Q);
  return {value_and_n1.first, value_and_n1.second - q1n_and_e2.first,
          E0 + ((e1_and_e3.first - q1n_and_e2.second) - e1_and_e3.second)};
}

// Four doubles: B, C and D side by side, and D again in the fourth lane,
// which costs nothing with 256-bit vectors (AVX2) and, split into two pairs,
// what D alone would cost without them. No function takes or returns one by
// value (results go through references, and Q^3 is formed lane by lane by
// the scalar integer_power): the calling convention of 256-bit vectors
// differs between instruction sets.
using DoubleQuad = double __attribute__((vector_size(4 * sizeof(double))));

template <unsigned Lowest, std::size_t N, std::size_t... K>
inline void falling_power_sum_quad(DoubleQuad& sum, const std::array<double, N>& a,
                                   const std::array<double, N>& b, const std::array<double, N>& c, double T,
                                   std::index_sequence<K...> /*k*/) {
  constexpr unsigned top = Lowest + static_cast<unsigned>(N - 1);
  const double x_top = integer_power<top>(T);
  sum = DoubleQuad{a[N - 1], b[N - 1], c[N - 1], c[N - 1]} * DoubleQuad{x_top, x_top, x_top, x_top};
  ((sum = sum + DoubleQuad{a[N - 2 - K], b[N - 2 - K], c[N - 2 - K], c[N - 2 - K]} *
                    DoubleQuad{integer_power<Lowest + static_cast<unsigned>(N - 2 - K)>(T),
                               integer_power<Lowest + static_cast<unsigned>(N - 2 - K)>(T),
                               integer_power<Lowest + static_cast<unsigned>(N - 2 - K)>(T),
                               integer_power<Lowest + static_cast<unsigned>(N - 2 - K)>(T)}),
   ...);
}

template <unsigned Lowest, std::size_t N>
inline void falling_power_sum_quad(DoubleQuad& sum, const std::array<double, N>& a,
                                   const std::array<double, N>& b, const std::array<double, N>& c, double T) {
  static_assert(N > 0, "a polynomial has at least one term");
  falling_power_sum_quad<Lowest>(sum, a, b, c, T, std::make_index_sequence<N - 1>{});
}

struct VirialFamilyTriple {
  VirialFamily first, second, third;
};

inline VirialFamilyTriple virial_family_triple(const VirialTables& a, const VirialTables& b,
                                               const VirialTables& c, double T) {
  DoubleQuad N;
  DoubleQuad Q;
  DoubleQuad N1;
  DoubleQuad Q1;
  DoubleQuad N2;
  DoubleQuad Q2;
  falling_power_sum_quad<1>(N, a.numerator, b.numerator, c.numerator, T);
  falling_power_sum_quad<1>(Q, a.denominator, b.denominator, c.denominator, T);
  falling_power_sum_quad<0>(N1, a.numerator_d1, b.numerator_d1, c.numerator_d1, T);
  falling_power_sum_quad<0>(Q1, a.denominator_d1, b.denominator_d1, c.denominator_d1, T);
  falling_power_sum_quad<0>(N2, a.numerator_d2, b.numerator_d2, c.numerator_d2, T);
  falling_power_sum_quad<0>(Q2, a.denominator_d2, b.denominator_d2, c.denominator_d2, T);
  const DoubleQuad Q3{integer_power<3>(Q[0]), integer_power<3>(Q[1]), integer_power<3>(Q[2]),
                      integer_power<3>(Q[3])};
  const DoubleQuad E0 = ((N + N) * (Q1 * Q1)) / Q3;
  const DoubleQuad E1 = N2 / Q;
  const DoubleQuad E2 = (Q1 * (N1 + N1)) / (Q * Q);
  const DoubleQuad E3 = (Q2 * N) / (Q * Q);
  const DoubleQuad value = N / Q;
  const DoubleQuad first_derivative = N1 / Q - (Q1 * N) / (Q * Q);
  const DoubleQuad second_derivative = E0 + ((E1 - E2) - E3);
  return {{value[0], first_derivative[0], second_derivative[0]},
          {value[1], first_derivative[1], second_derivative[1]},
          {value[2], first_derivative[2], second_derivative[2]}};
}

// Values first: for the routines whose molar volume (from B, C and D) is the
// long chain of the call. The value polynomials N, Q of B, C and D and their
// quotients, so that the chain starts from the first divisions; B's and C's
// derivative polynomials and quotients afterwards, in pairs, from the same N
// and Q. The powers of T are formed once, by the scalar integer_power, and
// broadcast where they are used. Every lane is the double virial_family
// gives (the same products and sums in the same order), and D's derivatives
// are not formed. The values go in four lanes (B, C, D, D: D's polynomials
// for nothing with AVX2), or in a pair and D alone: without AVX the compiler
// builds four-lane vectors through memory (cv took three times as long).
enum class ValueLanes { pair_and_one, four };

struct PowersOfT {
  double x[10];  // x[k] = T^k
};

template <std::size_t... K>
inline void fill_powers_of_T(PowersOfT& p, double T, std::index_sequence<K...> /*k*/) {
  ((p.x[K] = integer_power<static_cast<unsigned>(K)>(T)), ...);
}

template <unsigned Lowest, std::size_t N, std::size_t... K>
inline double falling_power_sum(const std::array<double, N>& a, const PowersOfT& p,
                                std::index_sequence<K...> /*k*/) {
  double sum = a[N - 1] * p.x[Lowest + N - 1];
  ((sum = sum + a[N - 2 - K] * p.x[Lowest + N - 2 - K]), ...);
  return sum;
}

template <unsigned Lowest, std::size_t N, std::size_t... K>
inline DoublePair falling_power_sum_pair(const std::array<double, N>& a, const std::array<double, N>& b,
                                         const PowersOfT& p, std::index_sequence<K...> /*k*/) {
  DoublePair sum = DoublePair{a[N - 1], b[N - 1]} * broadcast_pair(p.x[Lowest + N - 1]);
  ((sum = sum + DoublePair{a[N - 2 - K], b[N - 2 - K]} * broadcast_pair(p.x[Lowest + N - 2 - K])), ...);
  return sum;
}

template <unsigned Lowest, std::size_t N>
inline double falling_power_sum(const std::array<double, N>& a, const PowersOfT& p) {
  static_assert(N > 0 && Lowest + N <= 10, "a polynomial of the powers formed");
  return falling_power_sum<Lowest>(a, p, std::make_index_sequence<N - 1>{});
}

template <unsigned Lowest, std::size_t N>
inline DoublePair falling_power_sum_pair(const std::array<double, N>& a, const std::array<double, N>& b,
                                         const PowersOfT& p) {
  static_assert(N > 0 && Lowest + N <= 10, "a polynomial of the powers formed");
  return falling_power_sum_pair<Lowest>(a, b, p, std::make_index_sequence<N - 1>{});
}

template <unsigned Lowest, std::size_t N, std::size_t... K>
inline void falling_power_sum_quad(DoubleQuad& sum, const std::array<double, N>& a,
                                   const std::array<double, N>& b, const std::array<double, N>& c,
                                   const PowersOfT& p, std::index_sequence<K...> /*k*/) {
  constexpr std::size_t top = Lowest + N - 1;
  sum =
      DoubleQuad{a[N - 1], b[N - 1], c[N - 1], c[N - 1]} * DoubleQuad{p.x[top], p.x[top], p.x[top], p.x[top]};
  ((sum = sum + DoubleQuad{a[N - 2 - K], b[N - 2 - K], c[N - 2 - K], c[N - 2 - K]} *
                    DoubleQuad{p.x[top - 1 - K], p.x[top - 1 - K], p.x[top - 1 - K], p.x[top - 1 - K]}),
   ...);
}

template <unsigned Lowest, std::size_t N>
inline void falling_power_sum_quad(DoubleQuad& sum, const std::array<double, N>& a,
                                   const std::array<double, N>& b, const std::array<double, N>& c,
                                   const PowersOfT& p) {
  static_assert(N > 0 && Lowest + N <= 10, "a polynomial of the powers formed");
  falling_power_sum_quad<Lowest>(sum, a, b, c, p, std::make_index_sequence<N - 1>{});
}

inline DoublePair low_pair(const DoubleQuad& q) { return __builtin_shufflevector(q, q, 0, 1); }

struct VirialValueTriple {
  PowersOfT powers;
  DoublePair numerator, denominator;  // N and Q of the first two
  DoublePair value;                   // their N/Q
  double third_value;                 // N/Q of the third
};

template <ValueLanes Lanes>
inline void virial_value_triple(VirialValueTriple& v, const VirialTables& a, const VirialTables& b,
                                const VirialTables& c, double T) {
  fill_powers_of_T(v.powers, T, std::make_index_sequence<10>{});
  if constexpr (Lanes == ValueLanes::four) {
    DoubleQuad N;
    DoubleQuad Q;
    falling_power_sum_quad<1>(N, a.numerator, b.numerator, c.numerator, v.powers);
    falling_power_sum_quad<1>(Q, a.denominator, b.denominator, c.denominator, v.powers);
    const DoubleQuad value = N / Q;
    v.numerator = low_pair(N);
    v.denominator = low_pair(Q);
    v.value = low_pair(value);
    v.third_value = value[2];
  } else {
    v.numerator = falling_power_sum_pair<1>(a.numerator, b.numerator, v.powers);
    v.denominator = falling_power_sum_pair<1>(a.denominator, b.denominator, v.powers);
    const double third_numerator = falling_power_sum<1>(c.numerator, v.powers);
    const double third_denominator = falling_power_sum<1>(c.denominator, v.powers);
    v.value = v.numerator / v.denominator;
    v.third_value = third_numerator / third_denominator;
  }
}

// The first two of v's families in full: the expressions of
// virial_family_pair on v's N, Q and value.
inline VirialFamilyPair virial_family_pair_from_values(const VirialValueTriple& v, const VirialTables& a,
                                                       const VirialTables& b) {
  const PowersOfT& powers = v.powers;
  PolynomialPairs p;
  p.N = v.numerator;
  p.Q = v.denominator;
  p.N1 = falling_power_sum_pair<0>(a.numerator_d1, b.numerator_d1, powers);
  p.Q1 = falling_power_sum_pair<0>(a.denominator_d1, b.denominator_d1, powers);
  p.N2 = falling_power_sum_pair<0>(a.numerator_d2, b.numerator_d2, powers);
  p.Q2 = falling_power_sum_pair<0>(a.denominator_d2, b.denominator_d2, powers);
  return virial_family_pair_from_polynomials(p, v.value);
}

}  // namespace vorn
