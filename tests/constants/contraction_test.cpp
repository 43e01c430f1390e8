// A multiply and an add stay two rounded operations in code built with the
// library's flags: -ffp-contract=off must reach the compiler, in every
// instruction-set variant the array forms are built for. (This file is
// compiled with the array forms' options too.)
//
// With a = b = 1 + 2^-30 and c = -(1 + 2^-29), a*b = 1 + 2^-29 + 2^-60
// rounds to 1 + 2^-29 and a*b + c is 0; fused into one operation the sum
// keeps the product's low part and is 2^-60. x86-64's baseline has no fused
// multiply-add, so the FMA and AVX-512F variants are checked where the
// processor has them; aarch64, ppc64el and s390x fuse in their baseline.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <vector>

namespace {

constexpr double kA = 1 + 0x1p-30;
constexpr double kC = -(1 + 0x1p-29);
constexpr std::size_t kLanes = 64;

// Read through volatile so that nothing is folded at compile time.
volatile double g_a = kA;
volatile double g_c = kC;

using ProductSum = double (*)(double, double, double);
using ProductSums = void (*)(std::size_t, const double*, const double*, const double*, double*);

// The same two formulas per instruction set: one scalar, one loop the
// vectoriser takes.
#define VORN_PRODUCT_SUM_VARIANT(suffix, attributes)                                                      \
  attributes double product_sum_##suffix(double a, double b, double c) { return a * b + c; }              \
  attributes void product_sums_##suffix(std::size_t n, const double* a, const double* b, const double* c, \
                                        double* out) {                                                    \
    for (std::size_t i = 0; i < n; ++i) out[i] = a[i] * b[i] + c[i];                                      \
  }

VORN_PRODUCT_SUM_VARIANT(baseline, )
#if defined(__x86_64__) && defined(__GNUC__)
VORN_PRODUCT_SUM_VARIANT(fma, __attribute__((target("fma"))))
VORN_PRODUCT_SUM_VARIANT(avx512f, __attribute__((target("avx512f"))))
#endif
#undef VORN_PRODUCT_SUM_VARIANT

struct Variant {
  const char* name;
  bool available;
  ProductSum scalar;
  ProductSums loop;
};

std::vector<Variant> variants() {
  std::vector<Variant> v = {{"baseline", true, product_sum_baseline, product_sums_baseline}};
#if defined(__x86_64__) && defined(__GNUC__)
  __builtin_cpu_init();
  v.push_back({"fma", __builtin_cpu_supports("fma") != 0, product_sum_fma, product_sums_fma});
  v.push_back({"avx512f", __builtin_cpu_supports("avx512f") != 0, product_sum_avx512f, product_sums_avx512f});
#endif
  return v;
}

TEST(Contraction, TheInputsTellAFusedProductSumFromARoundedOne) {
  // The exact product is 1 + 2^-29 + 2^-60: one rounding drops the last term.
  const double a = g_a;
  const double product = a * a;
  EXPECT_EQ(product, 1 + 0x1p-29);
  EXPECT_EQ(std::fma(a, a, g_c), 0x1p-60);
}

TEST(Contraction, ProductSumsAreRoundedTwiceInEveryVariant) {
  for (const Variant& v : variants()) {
    SCOPED_TRACE(v.name);
    if (!v.available) {
      std::printf("  %s: not on this processor, not checked\n", v.name);
      continue;
    }
    EXPECT_EQ(v.scalar(g_a, g_a, g_c), 0.0) << "a multiply and an add were fused (-ffp-contract=off missing)";

    double a[kLanes], c[kLanes], out[kLanes];
    for (std::size_t i = 0; i < kLanes; ++i) {
      a[i] = g_a;
      c[i] = g_c;
    }
    v.loop(kLanes, a, a, c, out);
    for (std::size_t i = 0; i < kLanes; ++i) {
      ASSERT_EQ(out[i], 0.0) << "lane " << i << ": a vectorised multiply and add were fused";
    }
  }
}

}  // namespace
