// Array forms against the scalar exports, bit for bit, at random points and
// at the awkward ones (NaN, infinities, zeros of both signs, thresholds).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "array_pairs.hpp"
#include "vorn.h"

namespace {

using array_pairs::One;
using array_pairs::same_result;
using array_pairs::Two;

std::vector<double> temperatures(std::size_t n, unsigned seed) {
  const double special[] = {0.0,
                            -0.0,
                            1.95,
                            std::nextafter(1.95, 3.0),
                            2.6,
                            std::nextafter(2.6, 3.0),
                            20.0,
                            std::nextafter(20.0, 30.0),
                            2.180066,
                            36.3759531,
                            184.4868237,
                            -5.0,
                            std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::denorm_min(),
                            1e300};
  std::vector<double> T(std::begin(special), std::end(special));
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> logT(std::log(0.05), std::log(2000.0));
  while (T.size() < n) T.push_back(std::exp(logT(rng)));
  T.resize(n);
  return T;
}

std::vector<double> pressures(std::size_t n, unsigned seed) {
  const double special[] = {0.0, -0.0, 100.0, -1.0, std::numeric_limits<double>::quiet_NaN(), 1e5};
  std::vector<double> P(std::begin(special), std::end(special));
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> logP(std::log(1e-3), std::log(2e4));
  while (P.size() < n) P.push_back(std::exp(logP(rng)));
  P.resize(n);
  return P;
}

const std::vector<One> kOne = array_pairs::one_argument();
const std::vector<Two> kTwo = array_pairs::two_arguments();

TEST(ArrayForms, OneArgumentRoutinesMatchTheScalarExportsBitForBit) {
  for (std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{4099}}) {
    const std::vector<double> T = temperatures(n, 1);
    for (const One& f : kOne) {
      SCOPED_TRACE(std::string(f.name) + ", n = " + std::to_string(n));
      std::vector<double> out(n + 1, 12345.0);
      f.array(n, T.data(), out.data());
      for (std::size_t i = 0; i < n; ++i) ASSERT_TRUE(same_result(out[i], f.scalar(&T[i]))) << "T = " << T[i];
      EXPECT_EQ(out[n], 12345.0) << "wrote past the end";
    }
  }
}

TEST(ArrayForms, TwoArgumentRoutinesMatchTheScalarExportsBitForBit) {
  for (std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{2053}}) {
    const std::vector<double> T = temperatures(n, 2);
    const std::vector<double> P = pressures(n, 3);
    for (const Two& f : kTwo) {
      SCOPED_TRACE(std::string(f.name) + ", n = " + std::to_string(n));
      std::vector<double> out(n + 1, 12345.0);
      f.array(n, T.data(), P.data(), out.data());
      for (std::size_t i = 0; i < n; ++i) {
        ASSERT_TRUE(same_result(out[i], f.scalar(&T[i], &P[i]))) << "T = " << T[i] << ", P = " << P[i];
      }
      EXPECT_EQ(out[n], 12345.0) << "wrote past the end";
    }
  }
}

TEST(ArrayForms, NullPointersAreNotTouchedForZeroPoints) {
  for (const One& f : kOne) f.array(0, nullptr, nullptr);
  for (const Two& f : kTwo) f.array(0, nullptr, nullptr, nullptr);
  vorn_temp_K_n(0, nullptr, nullptr, nullptr, nullptr, nullptr);
  vorn_state_n(0, nullptr, nullptr, nullptr);
}

TEST(ArrayForms, ThermometerAndStateMatchTheScalarForms) {
  const std::vector<double> phi = {1.0, 0.01, 0.1, 1.1, 0.005, 0.009745, 0.0, -1.0};
  const std::vector<double> P = {100.0, 0.1, 10.0, 110.0, 0.025, 0.0357, 100.0, 100.0};
  const std::vector<double> T0 = {273.16, 273.16, 273.16, 273.16, 1.5, 200.0, 273.16, 273.16};
  const std::vector<double> P0 = {100.0, 10.0, 100.0, 100.0, 5.0, 5.0, 100.0, 100.0};
  std::vector<double> out(phi.size());
  vorn_temp_K_n(phi.size(), phi.data(), P.data(), T0.data(), P0.data(), out.data());
  for (std::size_t i = 0; i < phi.size(); ++i) {
    EXPECT_TRUE(same_result(out[i], temp_K(&phi[i], &P[i], &T0[i], &P0[i]))) << i;
  }

  const std::vector<double> T = temperatures(997, 4);
  const std::vector<double> Ps = pressures(997, 5);
  std::vector<unsigned> flags(T.size());
  vorn_state_n(T.size(), T.data(), Ps.data(), flags.data());
  for (std::size_t i = 0; i < T.size(); ++i) EXPECT_EQ(flags[i], vorn_state(&T[i], &Ps[i])) << i;
}

TEST(ArrayForms, OutputMayBeTheInputArray) {
  std::vector<double> T = temperatures(257, 6);
  const std::vector<double> original = T;
  vorn_cp_n(T.size(), T.data(), original.data(), T.data());
  for (std::size_t i = 0; i < T.size(); ++i) {
    ASSERT_TRUE(same_result(T[i], vorn_cp(&original[i], &original[i]))) << i;
  }
}

}  // namespace
