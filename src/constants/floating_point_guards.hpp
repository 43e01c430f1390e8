// Refuses, at compile time, the builds that would change result bits
// silently. Every result is fixed by its order of IEEE-754 double operations,
// each rounded to nearest; a build that keeps intermediates in wider
// precision, reorders sums, replaces divisions or assumes away NaN,
// infinities and the sign of zero gives other results from the same source.
// Included by every translation unit of the library.
//
// What the preprocessor cannot see: contraction of a multiply and an add
// into one fused operation (-ffp-contract=fast, clang's default "on"). The
// build passes -ffp-contract=off; tests/constants/contraction_test.cpp checks
// that it took effect.
#pragma once

#include <cfloat>

#if defined(__FAST_MATH__)
#error "vorn: drop -ffast-math (or -Ofast): it reorders and fuses operations, changing every result"
#elif defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__
#error "vorn: drop -ffinite-math-only: the routines return infinities and NaN out of range"
#elif defined(__ASSOCIATIVE_MATH__)
#error "vorn: drop -fassociative-math: it reorders the sums whose order fixes the last bits"
#elif defined(__RECIPROCAL_MATH__)
#error "vorn: drop -freciprocal-math: it replaces divisions by products with a rounded reciprocal"
#elif defined(__NO_SIGNED_ZEROS__)
#error "vorn: drop -fno-signed-zeros: the sign of a zero result is part of the result"
#endif

// x87 arithmetic (32-bit x86 by default, or -mfpmath=387) keeps intermediates
// in 80 bits and rounds twice.
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error "vorn: FLT_EVAL_METHOD is not 0: drop -mfpmath=387 (x87 excess precision); use -msse2 -mfpmath=sse"
#endif
