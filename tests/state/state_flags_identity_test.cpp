// vorn_state decides its flags from the cheapest quantity that decides them (a
// bound on Za, a bracket around the gas root, the virial terms formed once);
// it must give, bit for bit, the flags as their definitions read
// (state_flags_reference.hpp), at random states, random bit patterns, special
// values and on both sides of each threshold the shortcuts skip, and its array
// form must give the scalar's.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "state/state_flags_reference.hpp"
#include "vorn.h"

namespace {

unsigned flags(double T, double P) { return vorn_state(&T, &P); }
double from_bits(std::uint64_t bits) {
  double x = 0.0;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

struct Sample {
  const char* name;
  double log_T_low, log_T_high;  // natural logarithms of K
  double log_P_low, log_P_high;  // natural logarithms of kPa
  int points;
};

TEST(StateFlagsIdentity, RandomStatesGiveTheReferenceFlags) {
  const Sample samples[] = {
      {"gas side of the benchmark", std::log(1.5), std::log(400.0), std::log(1e-3), std::log(100.0), 100000},
      {"dilute to dense, cold to hot", std::log(0.5), std::log(1e5), std::log(1e-4), std::log(1e7), 100000},
      {"around saturation and the pole of D", std::log(1.9), std::log(6.0), std::log(1.0), std::log(400.0),
       50000},
  };
  std::mt19937_64 rng(20261209);
  for (const Sample& s : samples) {
    std::uniform_real_distribution<double> log_T(s.log_T_low, s.log_T_high);
    std::uniform_real_distribution<double> log_P(s.log_P_low, s.log_P_high);
    unsigned seen = 0;
    for (int i = 0; i < s.points; ++i) {
      const double T = std::exp(log_T(rng));
      const double P = std::exp(log_P(rng));
      const unsigned expected = vorn_test::reference_state_flags(T, P);
      ASSERT_EQ(flags(T, P), expected) << s.name << ": T " << T << " P " << P;
      seen |= expected;
    }
    // Each sample reaches flags whose shortcut could go wrong.
    if (s.log_P_high > std::log(1e6)) {
      EXPECT_NE(seen & VORN_STATE_ZA_NONPOSITIVE, 0U) << s.name;
      EXPECT_NE(seen & VORN_STATE_VIRIAL_DIVERGENT, 0U) << s.name;
      EXPECT_NE(seen & VORN_STATE_DENSITY_UNCONVERGED, 0U) << s.name;
    }
  }
}

TEST(StateFlagsIdentity, RandomBitPatternsGiveTheReferenceFlags) {
  std::mt19937_64 rng(7);
  for (int i = 0; i < 100000; ++i) {
    const double T = from_bits(rng());
    const double P = from_bits(rng());
    ASSERT_EQ(flags(T, P), vorn_test::reference_state_flags(T, P)) << "T " << T << " P " << P;
  }
}

TEST(StateFlagsIdentity, SpecialValuesAndTheirNeighbours) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr double tiny = std::numeric_limits<double>::denorm_min();
  // Region thresholds of Za and of the validated range, the lambda and
  // critical temperatures, the pole of D, the bins of the Za bound (1.9375 K,
  // 2 K, 65536 K), extremes.
  const double temperatures[] = {0.0,    -0.0,     tiny,  0.05,  1.25,   1.9375, 1.95,   2.0,
                                 2.1768, 2.180066, 2.2,   2.6,   4.2,    5.0,    5.1953, 20.0,
                                 300,    1500,     65536, 1e300, -300.0, inf,    nan,    -inf};
  const double pressures[] = {0.0,   -0.0, tiny, 1e-6, 1.0,   66.55, 66.6, 99.0, 101.325, 227.46,
                              267.8, 1e3,  1e5,  1e7,  1e300, -1.0,  inf,  nan,  -inf};
  for (double T0 : temperatures) {
    for (double T : {std::nextafter(T0, -inf), T0, std::nextafter(T0, inf)}) {
      for (double P0 : pressures) {
        for (double P : {std::nextafter(P0, -inf), P0, std::nextafter(P0, inf)}) {
          ASSERT_EQ(flags(T, P), vorn_test::reference_state_flags(T, P)) << "T " << T << " P " << P;
        }
      }
    }
  }
}

// The pressure on an isotherm where a flag switches, to the last bit, and the
// flags on each side: the direct vapour-pressure test, the bracket around the
// gas root and the bound on Za decide only away from their thresholds, so here the full computation must
// have taken over.
TEST(StateFlagsIdentity, BothSidesOfEachSwitchOnIsotherms) {
  const unsigned switching[] = {VORN_STATE_LIQUID, VORN_STATE_DENSITY_UNCONVERGED,
                                VORN_STATE_VIRIAL_DIVERGENT, VORN_STATE_ZA_NONPOSITIVE};
  int found = 0;
  for (unsigned bit : switching) {
    for (double T :
         {1.3, 1.8, 2.1768, 2.19, 2.3, 2.7, 3.0, 4.2, 5.0, 5.1, 6.0, 10.0, 19.9, 20.5, 50.0, 300.0}) {
      double lo = 1e-3;  // flag clear
      double hi = 1e7;
      if ((vorn_test::reference_state_flags(T, lo) & bit) != 0U) continue;
      if ((vorn_test::reference_state_flags(T, hi) & bit) == 0U) continue;
      for (int i = 0; i < 2000 && std::nextafter(lo, hi) < hi; ++i) {
        const double mid = 0.5 * (lo + hi);
        ((vorn_test::reference_state_flags(T, mid) & bit) != 0U ? hi : lo) = mid;
      }
      ++found;
      for (double P : {std::nextafter(lo, 0.0), lo, hi, std::nextafter(hi, 1e9)}) {
        EXPECT_EQ(flags(T, P), vorn_test::reference_state_flags(T, P)) << "T " << T << " P " << P;
      }
    }
  }
  EXPECT_GT(found, 15);
}

TEST(StateFlagsIdentity, ArrayFormGivesTheScalarFlags) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> log_T(std::log(1.5), std::log(2000.0));
  std::uniform_real_distribution<double> log_P(std::log(1e-3), std::log(1e6));
  std::vector<double> T(4099);
  std::vector<double> P(T.size());
  for (std::size_t i = 0; i < T.size(); ++i) {
    T[i] = std::exp(log_T(rng));
    P[i] = i % 7 == 0 ? 0.0 : std::exp(log_P(rng));
  }
  std::vector<unsigned> out(T.size());
  vorn_state_n(T.size(), T.data(), P.data(), out.data());
  for (std::size_t i = 0; i < T.size(); ++i) ASSERT_EQ(out[i], flags(T[i], P[i])) << i;
}

}  // namespace
