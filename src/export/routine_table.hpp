// The 22 exported routines as a host sees them (the tests, the fuzzer, the
// benchmark, the command-line tool): one row per row of routines.def, each
// with its scalar routine and its array form as exported (pointers of the one
// arity the row has, null for the others). Not part of the library: it needs
// nothing but vorn.h and the exported names, and compiles in any C++17 host
// that has src/ on its include path.
#pragma once

#include <array>
#include <cstddef>
#include <type_traits>

#include "vorn.h"

namespace vorn_routines {

using Scalar1 = double (*)(const double*);
using Scalar2 = double (*)(const double*, const double*);
using Scalar4 = double (*)(const double*, const double*, const double*, const double*);
using Array1 = void (*)(size_t, const double*, double*);
using Array2 = void (*)(size_t, const double*, const double*, double*);
using Array4 = void (*)(size_t, const double*, const double*, const double*, const double*, double*);

// f where it has the type Want, null otherwise.
template <typename Want, typename Got>
constexpr Want if_of_type(Got f) {
  if constexpr (std::is_same_v<Want, Got>) {
    return f;
  } else {
    return nullptr;
  }
}

struct Row {
  const char* short_name;  // b, rho, Za_gk, temp_K
  const char* symbol;
  const char* array_symbol;
  int arity;  // 1: (T), 2: (T, P), 4: (phi, P, T0, P0)
  const char* arguments;
  bool vectorised;
  const char* unit;
  bool reads_r, reads_m0, reads_g0;
  const char* description;
  Scalar1 scalar1;
  Scalar2 scalar2;
  Scalar4 scalar4;
  Array1 array1;
  Array2 array2;
  Array4 array4;
};

inline constexpr Row kRows[] = {
#define VORN_ROUTINE(short_name, symbol, array_form, function, arity, arguments, vectorised, unit, reads_r, \
                     reads_m0, reads_g0, description)                                                       \
  {#short_name,                                                                                             \
   #symbol,                                                                                                 \
   #array_form,                                                                                             \
   arity,                                                                                                   \
   arguments,                                                                                               \
   (vectorised) != 0,                                                                                       \
   unit,                                                                                                    \
   (reads_r) != 0,                                                                                          \
   (reads_m0) != 0,                                                                                         \
   (reads_g0) != 0,                                                                                         \
   description,                                                                                             \
   if_of_type<Scalar1>(symbol),                                                                             \
   if_of_type<Scalar2>(symbol),                                                                             \
   if_of_type<Scalar4>(symbol),                                                                             \
   if_of_type<Array1>(array_form),                                                                          \
   if_of_type<Array2>(array_form),                                                                          \
   if_of_type<Array4>(array_form)},
#include "export/routines.def"
#undef VORN_ROUTINE
};

inline constexpr std::size_t kRoutineCount = std::size(kRows);
static_assert(kRoutineCount == 22, "the 22 routines of the contract");

constexpr std::size_t count_of_arity(int arity) {
  std::size_t n = 0;
  for (const Row& row : kRows) n += row.arity == arity ? 1 : 0;
  return n;
}

// The rows of one arity, in table order.
template <int Arity>
constexpr std::array<const Row*, count_of_arity(Arity)> rows_of_arity() {
  std::array<const Row*, count_of_arity(Arity)> out{};
  std::size_t k = 0;
  for (const Row& row : kRows) {
    if (row.arity == Arity) out[k++] = &row;
  }
  return out;
}

}  // namespace vorn_routines
