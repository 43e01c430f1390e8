// The three forms shared by B, C and D, each X = N/Q with N of degree 7 and Q of
// degree 9 in T (no constant terms, the common factor T not cancelled, so
// X(0) is NaN), N', N'', Q', Q'' the derivative polynomials with stored
// coefficients of their own.
//
//   X   = N / Q
//   X'  = N'/Q - (Q'*N)/(Q*Q)
//   X'' = E0 + ((E1 - E2) - E3),  E0 = ((2N)*(Q'*Q'))/Q^3,  E1 = N''/Q,
//                                 E2 = (Q'*(2N'))/(Q*Q),    E3 = (Q''*N)/(Q*Q)
//
// 2N and 2N' are exact doublings, Q*Q a plain product, Q^3 = Q*(Q*Q). The
// grouping is the one that fixes the last bits; nothing here is simplified.
#pragma once

#include <array>

#include "constants/integer_power.hpp"
#include "constants/polynomial.hpp"

namespace vorn {

// Coefficient tables of one virial coefficient; element i of each table
// multiplies the power of T given in the comment of its declaration.
struct VirialTables {
  std::array<double, 7> numerator;       // T^1 .. T^7
  std::array<double, 7> numerator_d1;    // T^0 .. T^6
  std::array<double, 6> numerator_d2;    // T^0 .. T^5
  std::array<double, 9> denominator;     // T^1 .. T^9
  std::array<double, 9> denominator_d1;  // T^0 .. T^8
  std::array<double, 8> denominator_d2;  // T^0 .. T^7
};

// X' and X'' from the polynomial values, the expressions above: for doubles
// and for vectors of them alike (paired_families.hpp), each lane the double.
template <typename V>
inline V quotient_rule_first_derivative(V N, V Q, V N1, V Q1) {
  return N1 / Q - (Q1 * N) / (Q * Q);
}

template <typename V>
inline V quotient_rule_second_derivative(V N, V Q, V N1, V Q1, V N2, V Q2) {
  const V E0 = ((N + N) * (Q1 * Q1)) / integer_power<3>(Q);
  const V E1 = N2 / Q;
  const V E2 = (Q1 * (N1 + N1)) / (Q * Q);
  const V E3 = (Q2 * N) / (Q * Q);
  return E0 + ((E1 - E2) - E3);
}

inline double virial_value(const VirialTables& t, double T) {
  const double N = falling_power_sum<1>(t.numerator, T);
  const double Q = falling_power_sum<1>(t.denominator, T);
  return N / Q;
}

inline double virial_first_derivative(const VirialTables& t, double T) {
  const double N = falling_power_sum<1>(t.numerator, T);
  const double Q = falling_power_sum<1>(t.denominator, T);
  const double N1 = falling_power_sum<0>(t.numerator_d1, T);
  const double Q1 = falling_power_sum<0>(t.denominator_d1, T);
  return quotient_rule_first_derivative(N, Q, N1, Q1);
}

inline double virial_second_derivative(const VirialTables& t, double T) {
  const double N = falling_power_sum<1>(t.numerator, T);
  const double Q = falling_power_sum<1>(t.denominator, T);
  const double N1 = falling_power_sum<0>(t.numerator_d1, T);
  const double Q1 = falling_power_sum<0>(t.denominator_d1, T);
  const double N2 = falling_power_sum<0>(t.numerator_d2, T);
  const double Q2 = falling_power_sum<0>(t.denominator_d2, T);
  return quotient_rule_second_derivative(N, Q, N1, Q1, N2, Q2);
}

// X, X' and X'' together, each of the six polynomials evaluated once: for the
// routines that need all three. Each result is the same expression of the
// same polynomial values as the function above that returns it alone, so the
// same double: the polynomials are pure functions of T, and evaluating one
// once or three times gives the same bits.
struct VirialFamily {
  double value;
  double first_derivative;
  double second_derivative;
};

inline VirialFamily virial_family(const VirialTables& t, double T) {
  const double N = falling_power_sum<1>(t.numerator, T);
  const double Q = falling_power_sum<1>(t.denominator, T);
  const double N1 = falling_power_sum<0>(t.numerator_d1, T);
  const double Q1 = falling_power_sum<0>(t.denominator_d1, T);
  const double N2 = falling_power_sum<0>(t.numerator_d2, T);
  const double Q2 = falling_power_sum<0>(t.denominator_d2, T);
  return {N / Q, quotient_rule_first_derivative(N, Q, N1, Q1),
          quotient_rule_second_derivative(N, Q, N1, Q1, N2, Q2)};
}

}  // namespace vorn
