// A scalar routine beside its array form, for the tests that compare them:
// the rows of the table of routines, one- and two-argument ones apart, and the
// true compressibility factor beside them.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

#include "export/routine_table.hpp"
#include "vorn.h"

namespace array_pairs {

using Scalar1 = vorn_routines::Scalar1;
using Scalar2 = vorn_routines::Scalar2;
using Array1 = vorn_routines::Array1;
using Array2 = vorn_routines::Array2;

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

// The routines of T alone; with vectorised_only, those whose array forms are
// compiled per instruction set.
inline std::vector<One> one_argument(bool vectorised_only = false) {
  std::vector<One> out;
  for (const auto* row : vorn_routines::rows_of_arity<1>()) {
    if (!vectorised_only || row->vectorised) out.push_back({row->short_name, row->scalar1, row->array1});
  }
  return out;
}

// The routines of T and P, and vorn_Z unless vectorised_only.
inline std::vector<Two> two_arguments(bool vectorised_only = false) {
  std::vector<Two> out;
  for (const auto* row : vorn_routines::rows_of_arity<2>()) {
    if (!vectorised_only || row->vectorised) out.push_back({row->short_name, row->scalar2, row->array2});
  }
  if (!vectorised_only) out.push_back({"Z", vorn_Z, vorn_Z_n});
  return out;
}

// Equal bits, or NaN on both sides: which NaN an operation on two NaNs
// returns depends on the order of its operands, which the compiler may choose.
inline bool same_result(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

}  // namespace array_pairs
