// Whole-number powers by repeated squaring, right to left over the bits of n.
//
//   y = x if n is odd, else 1; then while n > 1: n >>= 1, x = x*x, and if the
//   halved n is odd, y = y*x.
//
// So x^3 = x*(x*x), x^4 = (x*x)*(x*x), x^5 = x*x^4, x^6 = (x*x)*x^4,
// x^7 = x^3*x^4, x^9 = x*x^8. Every whole-number power in the library goes
// through this one helper: another order of products can round differently.
//
// integer_power<n>(x) is the same sequence of products written out at compile
// time; integer_power(x, n) takes it for every n up to 15, so that a power
// with a constant exponent leaves no loop behind once inlined and a loop over
// many points can be vectorised.
#pragma once

namespace vorn {

// The squaring steps still to do for exponent bits N, y the product so far.
template <unsigned N>
constexpr double repeated_squaring_steps(double y, double x) {
  if constexpr (N > 1U) {
    constexpr unsigned half = N >> 1U;
    const double square = x * x;
    if constexpr ((half & 1U) != 0U) {
      return repeated_squaring_steps<half>(y * square, square);
    } else {
      return repeated_squaring_steps<half>(y, square);
    }
  } else {
    return y;
  }
}

template <unsigned N>
constexpr double integer_power(double x) {
  return repeated_squaring_steps<N>((N & 1U) != 0U ? x : 1.0, x);
}

constexpr double integer_power(double x, unsigned n) {
  switch (n) {
    case 0U:
      return integer_power<0U>(x);
    case 1U:
      return integer_power<1U>(x);
    case 2U:
      return integer_power<2U>(x);
    case 3U:
      return integer_power<3U>(x);
    case 4U:
      return integer_power<4U>(x);
    case 5U:
      return integer_power<5U>(x);
    case 6U:
      return integer_power<6U>(x);
    case 7U:
      return integer_power<7U>(x);
    case 8U:
      return integer_power<8U>(x);
    case 9U:
      return integer_power<9U>(x);
    case 10U:
      return integer_power<10U>(x);
    case 11U:
      return integer_power<11U>(x);
    case 12U:
      return integer_power<12U>(x);
    case 13U:
      return integer_power<13U>(x);
    case 14U:
      return integer_power<14U>(x);
    case 15U:
      return integer_power<15U>(x);
    default:
      break;
  }
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

}  // namespace vorn
