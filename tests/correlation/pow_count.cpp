// Counts the real powers the correlation takes, by interposing pow: this
// executable defines pow itself, so libvorn's calls through its PLT bind here
// (the executable comes first in the lookup order) and are counted, then
// forwarded to the C library's pow. A separate executable, since the
// interposition would count every pow of the other tests as well.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "vorn.h"

namespace {

using PowFunction = double (*)(double, double);

long pow_calls = 0;

PowFunction library_pow() {
  static const auto next = reinterpret_cast<PowFunction>(dlsym(RTLD_NEXT, "pow"));
  return next;
}

template <typename Call>
long pows_taken_by(Call call) {
  pow_calls = 0;
  call();
  return pow_calls;
}

}  // namespace

// Default visibility: the build hides everything else, and a hidden pow would
// not be seen by the dynamic linker.
extern "C" __attribute__((visibility("default"))) double pow(double base, double exponent) {
  ++pow_calls;
  return library_pow()(base, exponent);
}

namespace {

// Without this the counts below would pass vacuously if pow were not
// interposed (calls bound inside libvorn, or pow inlined).
TEST(PowCount, InterpositionReachesTheLibrary) {
  ASSERT_NE(library_pow(), nullptr);
  const double T = 300.0;
  const double P = 100.0;
  EXPECT_GT(pows_taken_by([&] { vorn_Za_gk(&T, &P); }), 0);
}

// One real power per non-zero table entry beyond the first of each order in
// use (orders 1 to 6 have 8, 9, 10, 11, 7 and 8 leading non-zero entries),
// less one: order 2 takes T^(3 c2) = T^(5 c1) from order 1.

TEST(PowCount, AcousticFactorByRegion) {
  struct Row {
    double T;
    long pows;
  };
  const std::array<Row, 12> rows{{
      {-5.0, 0},
      {1.5, 0},
      {1.95, 0},
      {std::nextafter(1.95, 3.0), 7},
      {2.3, 7},
      {2.6, 7},
      {std::nextafter(2.6, 3.0), 34},
      {10.0, 34},
      {20.0, 34},
      {std::nextafter(20.0, 30.0), 47},
      {300.0, 47},
      {1e300, 47},
  }};
  const double P = 50.0;
  for (const Row& row : rows) {
    EXPECT_EQ(pows_taken_by([&] { vorn_Za_gk(&row.T, &P); }), row.pows) << "T = " << row.T;
  }
  const double nan = std::nan("");
  EXPECT_EQ(pows_taken_by([&] { vorn_Za_gk(&nan, &P); }), 0);
}

TEST(PowCount, SoundSpeedTakesOneAcousticFactor) {
  const double T = 300.0;
  const double P = 100.0;
  EXPECT_EQ(pows_taken_by([&] { vorn_w_gk(&T, &P); }), 47);
}

// Za(T0, P0) once per call, then one Za per residual, three per iteration.
// In each row every iterate and its neighbours x +- dt stay in one region of
// Za, whose cost per evaluation is given, and the iteration count is known.
TEST(PowCount, ThermometerTakesThreeAcousticFactorsPerIterationPlusOne) {
  struct Row {
    double phi, P, T0, P0;
    long reference_pows, pows_per_za, iterations;
  };
  const std::array<Row, 5> rows{{
      {1.0, 100.0, 273.16, 100.0, 47, 47, 1},
      {1.1, 110.0, 273.16, 100.0, 47, 47, 2},
      {0.1, 10.0, 273.16, 100.0, 47, 47, 3},
      {0.01, 0.1, 273.16, 10.0, 47, 34, 3},
      {0.005, 0.025, 1.5, 5.0, 0, 0, 1},
  }};
  for (const Row& row : rows) {
    const long expected = row.reference_pows + 3 * row.iterations * row.pows_per_za;
    EXPECT_EQ(pows_taken_by([&] { temp_K(&row.phi, &row.P, &row.T0, &row.P0); }), expected)
        << "phi = " << row.phi;
  }
}

// At most 30 iterations: a bound that holds whatever the inputs.
TEST(PowCount, ThermometerNeverExceedsNinetyOneAcousticFactors) {
  const std::array<std::array<double, 4>, 3> rows{{
      {0.009745, 0.0357, 200.0, 5.0},
      {1e13, 100.0, 273.16, 100.0},
      {0.5, 50.0, 400.0, 100.0},
  }};
  for (const auto& row : rows) {
    EXPECT_LE(pows_taken_by([&] { temp_K(&row[0], &row[1], &row[2], &row[3]); }), (1 + 3 * 30) * 47);
  }
}

}  // namespace
