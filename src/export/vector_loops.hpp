// Loops of the array forms over many points, compiled once per instruction
// set (x86-64 baseline, AVX2, AVX-512F) and dispatched at run time to the
// widest one the processor and the operating system support.
//
// Everything a loop calls is inlined into it (flatten), so the compiler sees
// the whole formula and evaluates several points per vector instruction. A
// vector lane does each operation of the scalar formula in the same order
// with the same IEEE rounding: no contraction into fused multiply-adds
// (-ffp-contract=off holds in every variant, and AVX2 alone does not even
// enable FMA), no reassociation, no vector maths library. Each point keeps
// the scalar bits whichever variant runs. (Where two NaN operands of
// different sign or payload meet, IEEE 754 leaves open which one an
// operation returns, and a compiler may order the operands of a commutative
// operation either way; such results are NaN in every variant.)
#pragma once

#include <cstddef>

namespace vorn {

enum class VectorIsa { baseline, avx2, avx512f };

#if defined(__x86_64__) && defined(__GNUC__)
#define VORN_LOOP_BASELINE __attribute__((flatten))
#define VORN_LOOP_AVX2 __attribute__((flatten, target("avx2")))
#define VORN_LOOP_AVX512F __attribute__((flatten, target("avx512f")))

// Asked afresh at each call, with no cached copy of our own: the processor's
// features live in the compiler runtime's table, filled once when the library
// is loaded, so a call costs a few loads and needs neither a guarded static
// nor the C++ runtime's locks.
inline VectorIsa best_vector_isa() {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f")) {
    return VectorIsa::avx512f;
  }
  if (__builtin_cpu_supports("avx2")) {
    return VectorIsa::avx2;
  }
  return VectorIsa::baseline;
}
#else
#define VORN_LOOP_BASELINE
#define VORN_LOOP_AVX2
#define VORN_LOOP_AVX512F
inline VectorIsa best_vector_isa() { return VectorIsa::baseline; }
#endif

#if defined(VORN_VECTOR_ISA_UNDER_TEST)
// Test builds only: the test picks the variant, to check each against the
// scalar routines on one machine.
extern VectorIsa vector_isa_under_test;
inline VectorIsa vector_isa() { return vector_isa_under_test; }
#else
inline VectorIsa vector_isa() { return best_vector_isa(); }
#endif

// The same loops three times; only the instruction set differs.
template <double (*F)(double)>
VORN_LOOP_BASELINE void map_baseline(std::size_t n, const double* x, double* out) {
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = F(x[i]);
  }
}
template <double (*F)(double, double)>
VORN_LOOP_BASELINE void map_baseline(std::size_t n, const double* T, const double* P, double* out) {
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = F(T[i], P[i]);
  }
}

template <double (*F)(double)>
VORN_LOOP_AVX2 void map_avx2(std::size_t n, const double* x, double* out) {
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = F(x[i]);
  }
}
template <double (*F)(double, double)>
VORN_LOOP_AVX2 void map_avx2(std::size_t n, const double* T, const double* P, double* out) {
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = F(T[i], P[i]);
  }
}

template <double (*F)(double)>
VORN_LOOP_AVX512F void map_avx512f(std::size_t n, const double* x, double* out) {
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = F(x[i]);
  }
}
template <double (*F)(double, double)>
VORN_LOOP_AVX512F void map_avx512f(std::size_t n, const double* T, const double* P, double* out) {
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = F(T[i], P[i]);
  }
}

template <double (*F)(double)>
void vector_map(std::size_t n, const double* x, double* out) {
  switch (vector_isa()) {
    case VectorIsa::avx512f:
      map_avx512f<F>(n, x, out);
      return;
    case VectorIsa::avx2:
      map_avx2<F>(n, x, out);
      return;
    case VectorIsa::baseline:
      break;
  }
  map_baseline<F>(n, x, out);
}

template <double (*F)(double, double)>
void vector_map(std::size_t n, const double* T, const double* P, double* out) {
  switch (vector_isa()) {
    case VectorIsa::avx512f:
      map_avx512f<F>(n, T, P, out);
      return;
    case VectorIsa::avx2:
      map_avx2<F>(n, T, P, out);
      return;
    case VectorIsa::baseline:
      break;
  }
  map_baseline<F>(n, T, P, out);
}

}  // namespace vorn
