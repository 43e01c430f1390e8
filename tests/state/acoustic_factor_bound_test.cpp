// vorn_state evaluates Za only where a bound cannot prove it positive: the
// flag za-nonpositive must still be exactly "vorn_Za_gk <= 0" at every valid
// state, on both sides of the zero of Za (found by bisection) and over random
// states from the dilute gas to far beyond the correlation's range.
#include "correlation/acoustic_factor_bound.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "correlation/acoustic_factor.hpp"
#include "vorn.h"

namespace {

bool flagged(double T, double P) { return (vorn_state(&T, &P) & VORN_STATE_ZA_NONPOSITIVE) != 0; }
bool za_nonpositive(double T, double P) { return !(vorn_Za_gk(&T, &P) > 0.0); }

TEST(AcousticFactorBound, FlagIsZaNonPositiveAtRandomStates) {
  std::mt19937_64 rng(1209);
  std::uniform_real_distribution<double> log_T(std::log(1.9), std::log(1e5));
  std::uniform_real_distribution<double> log_P(std::log(1e-3), std::log(1e6));
  int nonpositive = 0;
  for (int i = 0; i < 100000; ++i) {
    const double T = std::exp(log_T(rng));
    const double P = std::exp(log_P(rng));
    ASSERT_EQ(flagged(T, P), za_nonpositive(T, P)) << "T " << T << " P " << P;
    nonpositive += za_nonpositive(T, P) ? 1 : 0;
  }
  EXPECT_GT(nonpositive, 1000);  // the sample reaches the states where the flag is set
}

// The pressure where Za crosses zero on an isotherm, to the last bit, and the
// flag on each side of it.
TEST(AcousticFactorBound, FlagOnBothSidesOfTheZeroOfZa) {
  for (const double T : {2.7, 3.0, 4.2, 10.0, 19.9, 20.5}) {
    double lo = 0.0;  // Za(lo) > 0
    double hi = 1e7;  // Za(hi) <= 0, where the isotherm has one
    if (!za_nonpositive(T, hi)) continue;
    for (int i = 0; i < 2000 && std::nextafter(lo, hi) < hi; ++i) {
      const double mid = 0.5 * (lo + hi);
      (za_nonpositive(T, mid) ? hi : lo) = mid;
    }
    EXPECT_FALSE(flagged(T, lo)) << T;
    EXPECT_TRUE(flagged(T, hi)) << T;
  }
}

// Each bin's bounds hold for the order sums at its lower edge, just below its
// upper edge and inside it, and T finds its own bin.
TEST(AcousticFactorBound, OrderBoundsHoldAcrossEveryBin) {
  const vorn::AcousticFactorBoundTable* table = vorn::acoustic_factor_bound_table();
  ASSERT_NE(table, nullptr);
  for (std::size_t k = vorn::acoustic_factor_bound_first_bin; k <= vorn::acoustic_factor_bound_last_bin;
       ++k) {
    const double t0 = vorn::acoustic_factor_bound_edge(k);
    const double t1 =
        k < vorn::acoustic_factor_bound_last_bin ? vorn::acoustic_factor_bound_edge(k + 1) : 1e9;
    const double below_t1 = std::nextafter(t1, 0.0);
    ASSERT_EQ(vorn::acoustic_factor_bound_bin(t0), k);
    ASSERT_EQ(vorn::acoustic_factor_bound_bin(below_t1), k);
    const vorn::AcousticFactorOrderBounds& b = (*table)[k - vorn::acoustic_factor_bound_first_bin];
    for (const double T : {t0, std::sqrt(t0 * t1), below_t1}) {
      if (!(T > 1.95)) continue;
      for (std::size_t n = 1; n <= 6; ++n) {
        const double S = vorn::acoustic_factor_order_sum(n, T);
        ASSERT_LE(b.lower[n - 1], S) << "order " << n << " T " << T;
        ASSERT_LE(std::fabs(S), b.magnitude[n - 1]) << "order " << n << " T " << T;
      }
    }
  }
}

}  // namespace
