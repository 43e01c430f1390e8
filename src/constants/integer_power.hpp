// Whole-number powers by repeated squaring, right to left over the bits of N:
//
//   y = x if N is odd, else 1; then while n > 1: n >>= 1, x = x*x, and if the
//   halved n is odd, y = y*x.
//
// So x^3 = x*(x*x), x^4 = (x*x)*(x*x), x^5 = x*x^4, x^6 = (x*x)*x^4,
// x^7 = x^3*x^4, x^9 = x*x^8. Every whole-number power in the library goes
// through this one helper: another order of products can round differently.
// Every exponent is a constant, a template argument, so that no loop is left
// behind and a loop over many points can be vectorised. X is double, or a
// vector of doubles whose lanes each take the same products.
#pragma once

namespace vorn {

// The squaring steps still to do for exponent bits N, y the product so far:
// the loop above, one step per instantiation, so that nothing is left to
// unroll.
template <unsigned N, typename X>
constexpr X repeated_squaring_steps(X y, X x) {
  if constexpr (N > 1U) {
    constexpr unsigned half = N >> 1U;
    const X square = x * x;
    if constexpr ((half & 1U) != 0U) {
      return repeated_squaring_steps<half>(y * square, square);
    } else {
      return repeated_squaring_steps<half>(y, square);
    }
  } else {
    return y;
  }
}

// 1 in every lane of X (X{} + 1.0 broadcasts for a vector).
template <typename X>
constexpr X multiplicative_unit() {
  return X{} + 1.0;
}

template <unsigned N, typename X = double>
constexpr X integer_power(X x) {
  return repeated_squaring_steps<N>((N & 1U) != 0U ? x : multiplicative_unit<X>(), x);
}

}  // namespace vorn
