// Real powers through the C library's pow, with that library's rounding.
//
// g++ and clang++ rewrite pow(x, 2.0) as x*x (and fold other constant
// exponents) on their own; the two can differ in the last bit. Passing the
// exponent through a volatile keeps the call a real call whatever exponent a
// caller writes.
#pragma once

#include <cmath>

namespace vorn {

inline double real_power(double base, double exponent) {
  volatile double opaque_exponent = exponent;
  return std::pow(base, opaque_exponent);
}

}  // namespace vorn
