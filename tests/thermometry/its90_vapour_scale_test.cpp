// The ITS-90 helium-4 vapour-pressure scale through its exports: the values
// the scale is known by, the round trip, dT/dP against a finite difference,
// the ends of the scale and of its extension from both sides.
#include "thermometry/its90_vapour_scale.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "vorn.h"

namespace {

double T_at(double P, unsigned* flags = nullptr, double* dTdP = nullptr) {
  return vorn_its90_T(&P, dTdP, flags);
}
double P_at(double T, unsigned* flags = nullptr, double* dTdP = nullptr) {
  return vorn_its90_P(&T, dTdP, flags);
}

TEST(Its90VapourScale, KnownPointsFromBothRanges) {
  EXPECT_NEAR(T_at(101.325), 4.222099, 5e-7);
  // 5041.8 Pa lies in both ranges: each gives 2.176799 K to the printed digits.
  for (const vorn::VapourPressureRange* r : {&vorn::its90_below_lambda, &vorn::its90_above_lambda}) {
    EXPECT_NEAR(vorn::its90_temperature(*r, (std::log(5041.8) - r->B) / r->C), 2.176799, 5e-7);
  }
  EXPECT_NEAR(T_at(5.0418), 2.176799, 5e-7);
}

TEST(Its90VapourScale, RoundTripAndSlope) {
  for (double T = 0.51; T <= 4.99; T += 0.0137) {
    unsigned flags = 99;
    double dTdP = 0.0;
    const double P = P_at(T, &flags, &dTdP);
    const bool in_scale = T >= 1.25;
    ASSERT_EQ(flags, in_scale ? 0U : VORN_SVP_FLAG_OUTSIDE_SCALE) << T;
    EXPECT_NEAR(T_at(P), T, in_scale ? 1e-12 : 1e-12 * 50) << T;
    // dT/dP of both directions, and against the relation itself.
    const double h = 1e-6 * P;
    const double fd = (T_at(P + h) - T_at(P - h)) / (2.0 * h);
    double dTdP_back = 0.0;
    T_at(P, nullptr, &dTdP_back);
    EXPECT_NEAR(dTdP / fd, 1.0, 1e-6) << T;
    EXPECT_NEAR(dTdP_back / dTdP, 1.0, 1e-9) << T;
  }
}

TEST(Its90VapourScale, EndsFromBothSides) {
  struct Edge {
    double T;
    unsigned below, at;  // flags just below T and at T
    unsigned above;
  };
  const Edge edges[] = {
      {0.5, VORN_SVP_FLAG_OUT_OF_RANGE, VORN_SVP_FLAG_OUTSIDE_SCALE, VORN_SVP_FLAG_OUTSIDE_SCALE},
      {1.25, VORN_SVP_FLAG_OUTSIDE_SCALE, 0U, 0U},
      {5.0, 0U, 0U, VORN_SVP_FLAG_OUT_OF_RANGE},
  };
  for (const Edge& e : edges) {
    unsigned f = 0;
    P_at(std::nextafter(e.T, 0.0), &f);
    EXPECT_EQ(f, e.below) << e.T;
    P_at(e.T, &f);
    EXPECT_EQ(f, e.at) << e.T;
    P_at(std::nextafter(e.T, 10.0), &f);
    EXPECT_EQ(f, e.above) << e.T;
  }
  // The same ends in pressure, kPa.
  unsigned f = 0;
  EXPECT_TRUE(std::isnan(T_at(std::nextafter(vorn::its90_highest_pressure / 1000.0, 1e3), &f)));
  EXPECT_EQ(f, VORN_SVP_FLAG_OUT_OF_RANGE);
  EXPECT_NEAR(T_at(vorn::its90_highest_pressure / 1000.0, &f), 5.0, 1e-12);
  EXPECT_EQ(f, 0U);
  EXPECT_NEAR(T_at(vorn::its90_lowest_pressure / 1000.0, &f), 1.25, 1e-12);
  EXPECT_EQ(f, 0U);
  T_at(vorn::its90_lowest_pressure / 1000.0 * (1.0 - 1e-9), &f);
  EXPECT_EQ(f, VORN_SVP_FLAG_OUTSIDE_SCALE);
}

TEST(Its90VapourScale, BadInputAndArrays) {
  const double bad[] = {0.0, -1.0, std::nan(""), HUGE_VAL};
  for (double x : bad) {
    unsigned f = 0;
    EXPECT_TRUE(std::isnan(T_at(x, &f)));
    EXPECT_EQ(f, VORN_SVP_FLAG_BAD_INPUT);
    EXPECT_TRUE(std::isnan(P_at(x, &f)));
    EXPECT_EQ(f, VORN_SVP_FLAG_BAD_INPUT);
  }
  const std::vector<double> T{0.4, 0.8, 1.25, 1.8, 2.1768, 4.2, 5.0, 5.1};
  std::vector<double> P(T.size()), dTdP(T.size()), back(T.size());
  std::vector<unsigned> flags(T.size());
  vorn_its90_P_n(T.size(), T.data(), P.data(), dTdP.data(), flags.data());
  vorn_its90_T_n(P.size(), P.data(), back.data(), nullptr, nullptr);
  for (std::size_t i = 0; i < T.size(); ++i) {
    unsigned f = 0;
    double d = 0.0;
    const double p = P_at(T[i], &f, &d);
    EXPECT_TRUE(std::isnan(p) ? std::isnan(P[i]) : p == P[i] && d == dTdP[i] && f == flags[i]) << T[i];
    if (!std::isnan(p)) {
      EXPECT_NEAR(back[i], T[i], 1e-11);
    }
  }
}

// The liquid flag of the state flags compares with the same relation: a
// pressure a part in 1e9 above the scale's vapour pressure is liquid, below
// it gas.
TEST(Its90VapourScale, LiquidFlagUsesTheScale) {
  for (double T : {1.3, 1.9, 2.5, 4.2, 4.9}) {
    const double P = P_at(T);
    double above = P * (1.0 + 1e-8);
    double below = P * (1.0 - 1e-8);
    EXPECT_NE(vorn_state(&T, &above) & VORN_STATE_LIQUID, 0U) << T;
    EXPECT_EQ(vorn_state(&T, &below) & VORN_STATE_LIQUID, 0U) << T;
  }
}

}  // namespace
