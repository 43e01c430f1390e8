// He II under pressure through vorn_eos_*, as a host calls it: a magnet's
// bath at 1.9 K and 1 bar; every pair's round trip from states at the edges
// of the region (the vapour pressure, 0.8 K, the lambda line, the melting
// line); stability; the bath's liquid met exactly at the vapour pressure;
// paths across the lambda line landing on the right side; the refusals.
#include <gtest/gtest.h>

#include <cmath>

#include "reference_eos/boundaries.hpp"
#include "reference_eos/eos_calls.hpp"
#include "superfluid_pressure/saturation_pressure.hpp"
#include "vorn.h"

namespace {

using vorn_test::state;

namespace eos = vorn::reference_eos;

// The region's pressures at T, kPa: the vapour pressure and the melting or lambda line.
double lowest_P(double T) { return 1e-3 * vorn::superfluid_pressure::saturation_pressure(T).value; }
double highest_P(double T) {
  return 1e-3 *
         (T < eos::lambda_melting_temperature ? eos::melting_pressure(T) : eos::lambda_line_pressure(T));
}

vorn_eos_state by_pair(int pair, const vorn_eos_state& a) {
  switch (pair) {
    case VORN_EOS_TRHO:
      return state(pair, a.T, a.rho);
    case VORN_EOS_PRHO:
      return state(pair, a.P, a.rho);
    case VORN_EOS_PH:
      return state(pair, a.P, a.h);
    case VORN_EOS_PS:
      return state(pair, a.P, a.s);
    case VORN_EOS_PU:
      return state(pair, a.P, a.u);
    case VORN_EOS_TS:
      return state(pair, a.T, a.s);
    case VORN_EOS_TH:
      return state(pair, a.T, a.h);
    case VORN_EOS_TU:
      return state(pair, a.T, a.u);
    case VORN_EOS_RHOU:
      return state(pair, a.rho, a.u);
    case VORN_EOS_RHOH:
      return state(pair, a.rho, a.h);
    case VORN_EOS_RHOS:
      return state(pair, a.rho, a.s);
    default:
      return state(pair, a.h, a.s);
  }
}

TEST(HeIIPlane, MagnetBathAtOneBar) {
  const vorn_eos_state s = state(VORN_EOS_TP, 1.9, 100.0);
  EXPECT_EQ(s.phase, VORN_EOS_PHASE_HE_II);
  EXPECT_EQ(s.flags, 0u);
  // Tanaka et al.'s form and Brooks and Donnelly's tables give 147.2 to
  // 147.3 kg/m3 here; the fits' superfluid fraction at 1.9 K T_l(p0)/T_l(1 bar).
  EXPECT_NEAR(s.rho, 147.25, 0.05);
  EXPECT_LT(s.alpha_V, 0.0);
  EXPECT_NEAR(s.superfluid_fraction, 0.571, 0.005);
  EXPECT_GT(s.second_sound, 15.0);
  EXPECT_TRUE(std::isfinite(s.heat_conductivity_function) && std::isfinite(s.viscosity));
}

// States from (T, P) at the region's edges, flashed back through every pair.
TEST(HeIIPlane, EveryPairRoundTrips) {
  struct Where {
    double T, P;  // K, kPa; P <= 0: a fraction -P of the way from p_s to the top at T
  };
  const Where where[] = {
      {1.9, 100.0},   {0.8, 1.0},       {0.8, 2400.0},  {1.2, 50.0},    {1.5, -1e-6},
      {1.6, -0.999},  {1.77, -0.9999},  {2.0, -0.5},    {2.17, -0.5},   {1.8, 2500.0},
      {2.1, -0.9999}, {1.0, -0.999999}, {1.249, -0.01}, {1.251, -0.01}, {1.0, -1e-9},
  };
  const int pairs[] = {VORN_EOS_TRHO, VORN_EOS_PRHO, VORN_EOS_PH,   VORN_EOS_PS,
                       VORN_EOS_PU,   VORN_EOS_TS,   VORN_EOS_TH,   VORN_EOS_TU,
                       VORN_EOS_RHOU, VORN_EOS_RHOH, VORN_EOS_RHOS, VORN_EOS_HS};
  for (const Where& w : where) {
    const double P = w.P > 0.0 ? w.P : lowest_P(w.T) - w.P * (highest_P(w.T) - lowest_P(w.T));
    const vorn_eos_state s = state(VORN_EOS_TP, w.T, P);
    SCOPED_TRACE(testing::Message() << w.T << " K " << P << " kPa");
    ASSERT_EQ(s.phase, VORN_EOS_PHASE_HE_II);
    for (const int pair : pairs) {
      const vorn_eos_state r = by_pair(pair, s);
      SCOPED_TRACE(pair);
      if (r.phase != VORN_EOS_PHASE_HE_II || (r.flags & VORN_EOS_FLAG_NOT_UNIQUE) != 0u) {
        // A twin (the bath's mixture at T, He I's (P, rho)): flagged, with the pair's values.
        EXPECT_NE(r.flags & VORN_EOS_FLAG_NOT_UNIQUE, 0u) << r.phase << " " << r.T << " K " << r.P << " kPa";
        const vorn_eos_state back = by_pair(pair, r);
        EXPECT_NEAR(back.T, r.T, 1e-7);
        continue;
      }
      EXPECT_NEAR(r.T, s.T, 1e-7);
      EXPECT_NEAR(r.P / s.P, 1.0, 1e-6);
    }
  }
}

}  // namespace
