// 8-point Gauss-Legendre rule on [-1, 1]: nodes and weights of the positive
// half (Abramowitz and Stegun, Table 25.4), and the rule on [a, b]:
//
//   integral_a^b f dx ~ (b - a)/2 sum_i w_i [f(m - h x_i) + f(m + h x_i)],
//   m = (a + b)/2, h = (b - a)/2,
//
// exact for polynomials of degree 15.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>

namespace vorn {

inline constexpr std::array<double, 4> gauss_legendre_8_nodes{
    0.183434642495649804939476142360, 0.525532409916328985817739049189, 0.796666477413626739591553936476,
    0.960289856497536231683560868569};
inline constexpr std::array<double, 4> gauss_legendre_8_weights{
    0.362683783378361982965150449277, 0.313706645877887287337962201987, 0.222381034453374470544355994426,
    0.101228536290376259152011654482};

// The 3-point rule's nodes and weights on [-1, 1] (the same table): sqrt(3/5)
// either side of 0, weights 5/9 there and 8/9 at 0; exact to degree 5, for
// rough estimates (a flash's starts).
inline constexpr double gauss_legendre_3_node = 0.774596669241483377035853079956;
inline constexpr std::array<double, 3> gauss_legendre_3_nodes{-gauss_legendre_3_node, 0.0,
                                                              gauss_legendre_3_node};
inline constexpr std::array<double, 3> gauss_legendre_3_weights{5.0 / 9.0, 8.0 / 9.0, 5.0 / 9.0};

// The 8-point rule for f over [from, to].
template <typename F>
double gauss_legendre_8(const F& f, double from, double to) {
  const double half = 0.5 * (to - from);
  const double middle = 0.5 * (to + from);
  double sum = 0.0;
  for (std::size_t i = 0; i < 4; ++i) {
    for (const double sign : {-1.0, 1.0})
      sum += gauss_legendre_8_weights[i] * f(middle + sign * half * gauss_legendre_8_nodes[i]);
  }
  return half * sum;
}

}  // namespace vorn
