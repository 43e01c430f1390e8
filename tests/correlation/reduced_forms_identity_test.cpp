// The library evaluates the correlation with fewer real powers than the
// formula as written and forms Za(T0, P0) once per thermometer call. Both
// shortcuts must give the same doubles: checked bit for bit against the
// straightforward forms on random inputs (random bit patterns, physical
// states, and NaN, infinities, signed zeros, subnormals and the thresholds).
// A NaN result need only be NaN on both sides: where two NaNs of different
// sign or payload meet, which one comes out depends on the order in which the
// compiler puts the operands, not on the formula.
#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "correlation/acoustic_factor_reference.hpp"
#include "vorn.h"

namespace {

constexpr int kSamples = 100000;

// The bits of x, every NaN counted as one value.
std::uint64_t bits_of(double x) {
  if (std::isnan(x)) {
    return 0x7ff8000000000000U;
  }
  std::uint64_t b = 0;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

const std::array<double, 30>& special_values() {
  static const std::array<double, 30> values{
      0.0,
      -0.0,
      std::numeric_limits<double>::denorm_min(),
      -std::numeric_limits<double>::denorm_min(),
      DBL_MIN - std::numeric_limits<double>::denorm_min(),  // largest subnormal
      DBL_MIN,
      std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity(),
      std::numeric_limits<double>::quiet_NaN(),
      -std::numeric_limits<double>::quiet_NaN(),
      DBL_MAX,
      -DBL_MAX,
      1.95,
      std::nextafter(1.95, 3.0),
      std::nextafter(1.95, 0.0),
      2.6,
      std::nextafter(2.6, 3.0),
      std::nextafter(2.6, 0.0),
      20.0,
      std::nextafter(20.0, 30.0),
      std::nextafter(20.0, 0.0),
      1.0,
      -1.0,
      100.0,
      273.16,
      1e-300,
      1e300,
      4.2,
      1e13,
      -273.16,
  };
  return values;
}

// Draws inputs from four families in turn, so every family gets a quarter of
// the samples.
class InputSource {
 public:
  double next(int family, double low, double high) {
    switch (family % 4) {
      case 0: {
        const std::uint64_t b = engine_();
        double x = 0;
        std::memcpy(&x, &b, sizeof x);
        return x;
      }
      case 1:
        return std::uniform_real_distribution<double>(low, high)(engine_);
      case 2:
        return special_values()[engine_() % special_values().size()];
      default: {
        const double magnitude = std::pow(10.0, std::uniform_real_distribution<double>(-6.0, 8.0)(engine_));
        return (engine_() & 1U) != 0U ? -magnitude : magnitude;
      }
    }
  }

 private:
  std::mt19937_64 engine_{20260814};
};

TEST(ReducedFormsIdentity, AcousticFactorMatchesTheFormulaAsWritten) {
  InputSource source;
  int compared = 0;
  for (int i = 0; i < kSamples; ++i) {
    // T and P from every pair of families in turn.
    const double T = source.next(i, 0.0, 400.0);
    const double P = source.next(i + i / 4, 0.0, 20000.0);
    const double expected = vorn_reference::Za(T, P);
    const double actual = vorn_Za_gk(&T, &P);
    ASSERT_EQ(bits_of(actual), bits_of(expected)) << "T = " << T << ", P = " << P;
    ++compared;
  }
  EXPECT_EQ(compared, kSamples);
}

TEST(ReducedFormsIdentity, AcousticFactorAtEveryPairOfSpecialValues) {
  for (double T : special_values()) {
    for (double P : special_values()) {
      EXPECT_EQ(bits_of(vorn_Za_gk(&T, &P)), bits_of(vorn_reference::Za(T, P)))
          << "T = " << T << ", P = " << P;
    }
  }
}

TEST(ReducedFormsIdentity, SoundSpeedMatchesTheFormulaAsWritten) {
  InputSource source;
  for (int i = 0; i < kSamples; ++i) {
    const double T = source.next(i, 0.0, 400.0);
    const double P = source.next(i + i / 4, 0.0, 20000.0);
    ASSERT_EQ(bits_of(vorn_w_gk(&T, &P)), bits_of(vorn_reference::w_gk(T, P)))
        << "T = " << T << ", P = " << P;
  }
}

// Most thermometer samples are physical: a reference state and a second
// pressure reading, so that the iteration does real work in every region of Za.
TEST(ReducedFormsIdentity, ThermometerMatchesTheIterationAsWritten) {
  InputSource source;
  std::mt19937_64 engine{7};
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < kSamples; ++i) {
    double phi = 0;
    double P = 0;
    double T0 = 0;
    double P0 = 0;
    if (i % 2 == 0) {
      T0 = 1.0 + 399.0 * unit(engine);
      P0 = 1000.0 * unit(engine);
      phi = 2.0 * unit(engine);
      P = phi * P0;
    } else {
      phi = source.next(i, 0.0, 2.0);
      P = source.next(i + 1, 0.0, 1000.0);
      T0 = source.next(i + 2, 0.0, 400.0);
      P0 = source.next(i + 3, 0.0, 1000.0);
    }
    const double expected = vorn_reference::temp_K(phi, P, T0, P0, vorn_reference::Za);
    ASSERT_EQ(bits_of(temp_K(&phi, &P, &T0, &P0)), bits_of(expected))
        << "phi = " << phi << ", P = " << P << ", T0 = " << T0 << ", P0 = " << P0;
  }
}

// The non-converging rows: the root within dt of a threshold, so the
// iteration runs all 30 steps with x +- dt on both sides of the jump.
TEST(ReducedFormsIdentity, ThermometerAcrossTheThresholds) {
  struct Row {
    double phi, P, T0, P0;
  };
  const std::array<Row, 5> rows{{
      {0.009745, 0.0357, 200.0, 5.0},
      {0.013, 1.3, 200.0, 100.0},
      {0.1, 10.0, 200.0, 100.0},
      {0.01, 0.1, 195.0, 10.0},
      {1e13, 100.0, 273.16, 100.0},
  }};
  for (const Row& row : rows) {
    const double expected = vorn_reference::temp_K(row.phi, row.P, row.T0, row.P0, vorn_reference::Za);
    EXPECT_EQ(bits_of(temp_K(&row.phi, &row.P, &row.T0, &row.P0)), bits_of(expected)) << "phi = " << row.phi;
  }
}

}  // namespace
