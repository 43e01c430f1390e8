// The loop of the array forms whose formulas split into a part of T alone
// (real powers, the virial terms) and a cheap part of T and P: over a run of
// points with the same temperature, the part of T alone is formed once, at
// the first point of the run, and kept for the others.
//
// "The same temperature" is the same bit pattern, not the same value: +0 and
// -0 start different runs (they may give different results), and a NaN
// continues a run only of the very same NaN (a value comparison would never
// find a NaN equal, nor would it tell the zeros apart). Since the part of T
// alone is a pure function of the bits of T, keeping it gives every point the
// doubles it would get on its own: each point is bit for bit the scalar
// routine. The row-major broadcast of T[:, None] against P[None, :] and the
// tool's tables give runs as long as the row of pressures.
//
// out may be one of the inputs: each point is read before its result is
// stored, and the run is recognised from a copy of the previous temperature.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "export/vector_loops.hpp"

namespace vorn {

inline std::uint64_t bits_of(double x) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

// out[i] = FromTerms(Terms(T[i]), T[i], P[i]) for i < n, Terms formed anew
// only where the bits of T[i] differ from those of T[i-1]. Stamped like the
// loops of vector_loops.hpp, everything inlined, for the baseline and AVX2
// (the three-operand forms save register copies, as in the scalar exports).
// NOLINTBEGIN(bugprone-macro-parentheses): attributes and a name, not an expression
#define VORN_STAMP_RUN_LOOP(name, attributes)                                          \
  template <auto Terms, auto FromTerms>                                                \
  attributes void name(std::size_t n, double* out, const double* T, const double* P) { \
    if (n == 0) return;                                                                \
    std::uint64_t run = bits_of(T[0]);                                                 \
    auto terms = Terms(T[0]);                                                          \
    for (std::size_t i = 0; i < n; ++i) {                                              \
      const double t = T[i];                                                           \
      const double p = P[i];                                                           \
      const std::uint64_t bits = bits_of(t);                                           \
      if (bits != run) {                                                               \
        run = bits;                                                                    \
        terms = Terms(t);                                                              \
      }                                                                                \
      out[i] = FromTerms(terms, t, p);                                                 \
    }                                                                                  \
  }
// NOLINTEND(bugprone-macro-parentheses)

VORN_STAMP_RUN_LOOP(run_map_baseline, VORN_LOOP_BASELINE)
VORN_STAMP_RUN_LOOP(run_map_avx2, VORN_LOOP_AVX2)

#undef VORN_STAMP_RUN_LOOP

template <auto Terms, auto FromTerms>
void temperature_run_map(std::size_t n, double* out, const double* T, const double* P) {
  if (vector_isa() != VectorIsa::baseline) {
    run_map_avx2<Terms, FromTerms>(n, out, T, P);
  } else {
    run_map_baseline<Terms, FromTerms>(n, out, T, P);
  }
}

}  // namespace vorn
