// Every instruction-set variant of the vectorised array forms against the
// scalar exports. The library runs only the widest variant the processor
// has; this executable compiles the array forms itself, with the variant
// chosen by the test, so that each one the processor can run is checked here.
// Its own vorn_*_n take precedence over the library's; the scalar routines
// and the module constants come from the library.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "array_pairs.hpp"
#include "export/vector_loops.hpp"
#include "vorn.h"

vorn::VectorIsa vorn::vector_isa_under_test = vorn::VectorIsa::baseline;

namespace {

using array_pairs::One;
using array_pairs::same_result;
using array_pairs::Two;

struct Variant {
  const char* name;
  vorn::VectorIsa isa;
  bool available;
};

std::vector<Variant> variants() {
  __builtin_cpu_init();
  return {{"baseline", vorn::VectorIsa::baseline, true},
          {"avx2", vorn::VectorIsa::avx2, __builtin_cpu_supports("avx2") != 0},
          {"avx512f", vorn::VectorIsa::avx512f, __builtin_cpu_supports("avx512f") != 0}};
}

// Random bit patterns, physical states and the awkward values, mixed so that
// every vector holds some of each.
std::vector<double> inputs(std::size_t n, double low, double high, std::uint64_t seed) {
  const double special[] = {0.0,
                            -0.0,
                            std::numeric_limits<double>::denorm_min(),
                            -std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::min(),
                            std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(),
                            -std::numeric_limits<double>::quiet_NaN(),
                            1.95,
                            2.6,
                            20.0,
                            2.180066};
  std::mt19937_64 engine{seed};
  std::vector<double> v(n);
  for (double& x : v) {
    switch (engine() % 3) {
      case 0: {
        const std::uint64_t bits = engine();
        std::memcpy(&x, &bits, sizeof x);
        break;
      }
      case 1:
        x = std::uniform_real_distribution<double>(low, high)(engine);
        break;
      default:
        x = special[engine() % (sizeof special / sizeof special[0])];
    }
  }
  return v;
}

const std::vector<One> kOne = array_pairs::one_argument(true);
const std::vector<Two> kTwo = array_pairs::two_arguments(true);

// Odd lengths and an odd start, so that the vector loops' remainders and
// unaligned loads are exercised too.
constexpr std::size_t kPoints = 20011;
constexpr std::size_t kOffset = 1;

TEST(VectorVariants, OneArgumentFormsMatchTheScalarRoutines) {
  const std::vector<double> T = inputs(kPoints + kOffset, 0.0, 400.0, 11);
  for (const Variant& variant : variants()) {
    if (!variant.available) {
      continue;
    }
    vorn::vector_isa_under_test = variant.isa;
    for (const One& f : kOne) {
      SCOPED_TRACE(std::string(variant.name) + " " + f.name);
      std::vector<double> out(kPoints + 1, 12345.0);
      f.array(kPoints, T.data() + kOffset, out.data());
      for (std::size_t i = 0; i < kPoints; ++i) {
        ASSERT_TRUE(same_result(out[i], f.scalar(&T[i + kOffset]))) << "T = " << T[i + kOffset];
      }
      EXPECT_EQ(out[kPoints], 12345.0) << "wrote past the end";
    }
  }
}

TEST(VectorVariants, TwoArgumentFormsMatchTheScalarRoutines) {
  const std::vector<double> T = inputs(kPoints + kOffset, 0.0, 400.0, 12);
  const std::vector<double> P = inputs(kPoints + kOffset, 0.0, 2000.0, 13);
  for (const Variant& variant : variants()) {
    if (!variant.available) {
      continue;
    }
    vorn::vector_isa_under_test = variant.isa;
    for (const Two& f : kTwo) {
      SCOPED_TRACE(std::string(variant.name) + " " + f.name);
      std::vector<double> out(kPoints + 1, 12345.0);
      f.array(kPoints, T.data() + kOffset, P.data() + kOffset, out.data());
      for (std::size_t i = 0; i < kPoints; ++i) {
        ASSERT_TRUE(same_result(out[i], f.scalar(&T[i + kOffset], &P[i + kOffset])))
            << "T = " << T[i + kOffset] << ", P = " << P[i + kOffset];
      }
      EXPECT_EQ(out[kPoints], 12345.0) << "wrote past the end";
    }
  }
}

// The state flags, flattened for the baseline and for AVX2 (AVX-512F runs the
// AVX2 one), against the library's scalar vorn_state.
TEST(VectorVariants, StateFlagsMatchTheScalarRoutine) {
  const std::vector<double> T = inputs(kPoints + kOffset, 0.0, 400.0, 15);
  const std::vector<double> P = inputs(kPoints + kOffset, 0.0, 2000.0, 16);
  for (const Variant& variant : variants()) {
    if (!variant.available) {
      continue;
    }
    vorn::vector_isa_under_test = variant.isa;
    std::vector<unsigned> out(kPoints + 1, 12345U);
    vorn_state_n(kPoints, T.data() + kOffset, P.data() + kOffset, out.data());
    for (std::size_t i = 0; i < kPoints; ++i) {
      ASSERT_EQ(out[i], vorn_state(&T[i + kOffset], &P[i + kOffset]))
          << variant.name << " T = " << T[i + kOffset] << ", P = " << P[i + kOffset];
    }
    EXPECT_EQ(out[kPoints], 12345U) << "wrote past the end";
  }
}

// In place: out is the temperature array itself.
TEST(VectorVariants, InPlaceOverTheInputArray) {
  const std::vector<double> original = inputs(kPoints, 0.0, 400.0, 14);
  for (const Variant& variant : variants()) {
    if (!variant.available) {
      continue;
    }
    vorn::vector_isa_under_test = variant.isa;
    std::vector<double> T = original;
    vorn_cp_n(T.size(), T.data(), original.data(), T.data());
    for (std::size_t i = 0; i < T.size(); ++i) {
      ASSERT_TRUE(same_result(T[i], vorn_cp(&original[i], &original[i]))) << variant.name << " " << i;
    }
  }
}

}  // namespace
