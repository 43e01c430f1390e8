// A scalar routine beside its array form, for the tests that compare them.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstring>

#include "vorn.h"

namespace array_pairs {

using Scalar1 = double (*)(const double*);
using Scalar2 = double (*)(const double*, const double*);
using Array1 = void (*)(size_t, const double*, double*);
using Array2 = void (*)(size_t, const double*, const double*, double*);

struct One {
  const char* name;
  Scalar1 scalar;
  Array1 array;
};
struct Two {
  const char* name;
  Scalar2 scalar;
  Array2 array;
};

// Equal bits, or NaN on both sides: which NaN an operation on two NaNs
// returns depends on the order of its operands, which the compiler may choose.
inline bool same_result(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

}  // namespace array_pairs
