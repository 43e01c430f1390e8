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

// One loop for every array form: out[i] = F(in[i]...) for i < n, each point
// read before its result is stored (so out may be one of the inputs). It is
// stamped once per instruction set below; only the attributes differ.
// NOLINTBEGIN(bugprone-macro-parentheses): attributes and a name, not an expression
#define VORN_STAMP_POINT_LOOP(name, attributes)                    \
  template <auto F, typename Out, typename... In>                  \
  attributes void name(std::size_t n, Out* out, const In*... in) { \
    for (std::size_t i = 0; i < n; ++i) {                          \
      out[i] = F(in[i]...);                                        \
    }                                                              \
  }
// NOLINTEND(bugprone-macro-parentheses)

// point_map: the plain loop, for formulas with a real power or an iteration
// (a library call per point leaves nothing to vectorise).
VORN_STAMP_POINT_LOOP(point_map, )
// The instruction-set variants of vector_map, everything they call inlined.
VORN_STAMP_POINT_LOOP(map_baseline, VORN_LOOP_BASELINE)
VORN_STAMP_POINT_LOOP(map_avx2, VORN_LOOP_AVX2)
VORN_STAMP_POINT_LOOP(map_avx512f, VORN_LOOP_AVX512F)

// The widest variant the processor runs, for formulas of plain arithmetic.
template <auto F, typename Out, typename... In>
void vector_map(std::size_t n, Out* out, const In*... in) {
  switch (vector_isa()) {
    case VectorIsa::avx512f:
      map_avx512f<F>(n, out, in...);
      return;
    case VectorIsa::avx2:
      map_avx2<F>(n, out, in...);
      return;
    case VectorIsa::baseline:
      break;
  }
  map_baseline<F>(n, out, in...);
}

// One point of a formula too branchy to vectorise (the scalar exports, the
// state flags), flattened and compiled for the baseline and for AVX2, whose
// three-operand instructions save the register copies of the two-operand
// ones; the AVX2 one runs wherever the processor has it. F is one point, or a
// loop over points (the choice is then made once).
template <auto F, typename... Arguments>
VORN_LOOP_BASELINE auto flattened_on_baseline(Arguments... a) {
  return F(a...);
}
template <auto F, typename... Arguments>
VORN_LOOP_AVX2 auto flattened_on_avx2(Arguments... a) {
  return F(a...);
}
template <auto F, typename... Arguments>
auto flattened_call(Arguments... a) {
  if (vector_isa() != VectorIsa::baseline) return flattened_on_avx2<F>(a...);
  return flattened_on_baseline<F>(a...);
}
#undef VORN_STAMP_POINT_LOOP

}  // namespace vorn
