// Whole-number powers by repeated squaring, right to left over the bits of n.
//
//   y = x if n is odd, else 1; then while n > 1: n >>= 1, x = x*x, and if the
//   halved n is odd, y = y*x.
//
// So x^3 = x*(x*x), x^4 = (x*x)*(x*x), x^5 = x*x^4, x^6 = (x*x)*x^4,
// x^7 = x^3*x^4, x^9 = x*x^8. Every whole-number power in the library goes
// through this one helper: another order of products can round differently.
#pragma once

namespace vorn {

constexpr double integer_power(double x, unsigned n) {
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
