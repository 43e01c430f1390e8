// The He II bath through vorn_eos_*, as a host calls it: the Joule-Thomson
// stage of a 2 K plant against an independent evaluation, the saturated He II
// liquid on the equation's zero against the published table, the latent heat
// against the recommended one, the joints at T_lambda and 1.25 K on each side,
// every pair's round trip at q = 0, between, and 1, and the refusals.
#include <gtest/gtest.h>

#include <cmath>

#include "reference_eos/eos_calls.hpp"
#include "test_support.hpp"
#include "vorn.h"

namespace {

constexpr double M = 0.004002602;  // kg/mol
constexpr double T_lambda = 2.1768;

using vorn_test::saturation_P;
using vorn_test::saturation_T;
using vorn_test::state;

double svp(double (*routine)(const double*, unsigned*), double T) {
  unsigned flags = 0;
  return routine(&T, &flags);
}

// 4.5 K and 300 kPa expanded to 1.6 kPa at constant h. Independently: T from
// ITS-90 at 1.6 kPa scaled as the library's vapour pressure of He II, the
// vapour's h from the equation at (T, P) a hair below saturation, the liquid's
// as h'' - L with L of the latent-heat fit.
TEST(HeIIBath, JouleThomsonStageOfA2KPlant) {
  const double h = state(VORN_EOS_TP, 4.5, 300.0).h;
  const vorn_eos_state bath = state(VORN_EOS_PH, 1.6, h);
  ASSERT_EQ(bath.phase, VORN_EOS_PHASE_TWO_PHASE);
  EXPECT_EQ(bath.flags, VORN_EOS_FLAG_EXTRAPOLATED);
  const double scale = 5.039330380576782 / 5.041815157598338;
  const double P = 1.6 / scale;
  const double T = vorn_its90_T(&P, nullptr, nullptr);
  EXPECT_NEAR(bath.T, T, 1e-9);
  const double h_vapour = state(VORN_EOS_TP, T, 1.6 * (1.0 - 1e-9)).h;
  const double L = svp(vorn_svp_L, T);
  const double q = 1.0 - (h_vapour - h) / L;
  EXPECT_NEAR(bath.q, q, 0.005);
  EXPECT_NEAR(bath.q, 0.4627, 5e-4);
  EXPECT_NEAR(bath.T, 1.79352, 1e-5);
}

// Section 7 of the pressure data: h and s of the saturated He II liquid on the
// equation's zero at the lambda-line temperatures of several pressures.
TEST(HeIIBath, SaturatedLiquidOnTheEquationsZero) {
  struct Row {
    double T, s, h;
  };
  const Row rows[] = {{2.1663, -1982.8, -6984.2}, {2.1490, -2061.2, -7154.8}, {2.1194, -2177.5, -7405.5},
                      {2.0579, -2381.5, -7836.5}, {1.9903, -2571.9, -8226.5}, {1.9176, -2745.3, -8569.5},
                      {1.8397, -2900.2, -8864.6}};
  for (const Row& r : rows) {
    const vorn_eos_state l = state(VORN_EOS_TQ, r.T, 0.0);
    EXPECT_EQ(l.phase, VORN_EOS_PHASE_HE_II);
    EXPECT_NEAR(l.s, r.s, 0.5) << r.T;
    EXPECT_NEAR(l.h, r.h, 2.0) << r.T;
  }
}

// The recommended latent heat (J/mol) against h'' - h' at 1.25 K to 2.1 K.
TEST(HeIIBath, LatentHeatAgainstTheRecommendedTable) {
  struct Row {
    double T, L;
  };
  const Row rows[] = {{1.25, 85.06}, {1.50, 89.35}, {1.80, 92.72}, {1.95, 93.16}, {2.10, 92.27}};
  for (const Row& r : rows) {
    const vorn_eos_saturation s = saturation_T(r.T);
    EXPECT_NEAR(s.latent_heat * M / r.L, 1.0, 0.003) << r.T;
  }
}

// At T_lambda the bath meets the equation's saturation: T, P, h and s of both
// phases continuous (the liquid's density is the fits' below, 0.06 % denser).
TEST(HeIIBath, JointAtTheLambdaPoint) {
  const vorn_eos_saturation above = saturation_T(T_lambda);
  const vorn_eos_saturation below = saturation_T(std::nextafter(T_lambda, 0.0));
  EXPECT_EQ(above.flags, 0U);
  EXPECT_EQ(below.flags, VORN_EOS_FLAG_EXTRAPOLATED);
  EXPECT_NEAR(below.P, above.P, 1e-9 * above.P);
  EXPECT_NEAR(below.h_liquid, above.h_liquid, 1e-6);
  EXPECT_NEAR(below.s_liquid, above.s_liquid, 1e-6);
  EXPECT_NEAR(below.h_vapour, above.h_vapour, 1e-6);
  EXPECT_NEAR(below.s_vapour, above.s_vapour, 1e-6);
  EXPECT_NEAR(below.rho_liquid / above.rho_liquid, 1.0006, 1e-4);
  // By pressure, the same joint (one rounding of each side in he_ii_bath_check.cpp; kPa to Pa rounds).
  const double P_lambda = 5.039330380576782;
  EXPECT_EQ(saturation_P(P_lambda * (1.0 + 1e-12)).flags, 0U);
  const vorn_eos_saturation just_below = saturation_P(P_lambda * (1.0 - 1e-12));
  EXPECT_EQ(just_below.flags, VORN_EOS_FLAG_EXTRAPOLATED);
  EXPECT_NEAR(just_below.T, T_lambda, 1e-9);
  // The saturated liquid is He II below, He I from T_lambda.
  EXPECT_EQ(state(VORN_EOS_TQ, std::nextafter(T_lambda, 0.0), 0.0).phase, VORN_EOS_PHASE_HE_II);
  EXPECT_EQ(state(VORN_EOS_TQ, T_lambda, 0.0).phase, VORN_EOS_PHASE_LIQUID);
}

// 1.25 K, where the equation's vapour begins: the bath there, He II below.
TEST(HeIIBath, LowestTemperature) {
  const double T = 1.25;
  EXPECT_EQ(state(VORN_EOS_TQ, T, 0.5).phase, VORN_EOS_PHASE_TWO_PHASE);
  EXPECT_EQ(state(VORN_EOS_TQ, std::nextafter(T, 0.0), 0.5).flags, VORN_EOS_FLAG_HE_II);
  const vorn_eos_saturation s = saturation_T(T);
  EXPECT_NEAR(s.P, 0.114678, 1e-6);
  EXPECT_EQ(saturation_T(std::nextafter(T, 0.0)).flags, VORN_EOS_FLAG_HE_II);
  EXPECT_EQ(saturation_P(s.P * (1.0 + 1e-12)).flags, VORN_EOS_FLAG_EXTRAPOLATED);
  EXPECT_EQ(saturation_P(s.P * (1.0 - 1e-12)).flags, VORN_EOS_FLAG_HE_II);
}

// Every pair given the state of (T, q) returns it, at q = 0, between, and 1,
// at 1.25 K, in the middle, and one rounding below T_lambda.
TEST(HeIIBath, RoundTripsOfEveryPair) {
  for (const double T : {1.25, 1.8, std::nextafter(T_lambda, 0.0)}) {
    for (const double q : {0.0, 0.3, 1.0}) {
      const vorn_eos_state b = state(VORN_EOS_TQ, T, q);
      const struct {
        int pair;
        double x1, x2;
      } pairs[] = {{VORN_EOS_PH, b.P, b.h},     {VORN_EOS_PS, b.P, b.s},     {VORN_EOS_PU, b.P, b.u},
                   {VORN_EOS_HS, b.h, b.s},     {VORN_EOS_RHOU, b.rho, b.u}, {VORN_EOS_RHOH, b.rho, b.h},
                   {VORN_EOS_RHOS, b.rho, b.s}, {VORN_EOS_TRHO, T, b.rho},   {VORN_EOS_TS, T, b.s},
                   {VORN_EOS_TH, T, b.h},       {VORN_EOS_PRHO, b.P, b.rho}, {VORN_EOS_PQ, b.P, q}};
      for (const auto& p : pairs) {
        // At a held T the equation's He I goes first (he_ii_bath.hpp): one rounding below T_lambda it
        // answers these, as it does at T_lambda.
        const bool held_T = p.pair == VORN_EOS_TRHO || p.pair == VORN_EOS_TS || p.pair == VORN_EOS_TH;
        if (held_T && T > 2.0) continue;
        const vorn_eos_state r = state(p.pair, p.x1, p.x2);
        EXPECT_NEAR(r.T, T, 1e-12) << "pair " << p.pair << " T " << T << " q " << q;
        // At q = 1 the equation's vapour flash may answer, and one rounding below T_lambda its state at
        // the lambda point (flash.cpp): q NaN.
        if (!(std::isnan(r.q) && (q == 1.0 || (q == 0.0 && T > 2.0)))) {
          EXPECT_NEAR(r.q, q, 1e-9) << "pair " << p.pair << " T " << T;
        }
      }
    }
  }
}

// The saturated liquid's He II quantities are the saturated-liquid routines';
// NaN in the mixture and the vapour.
TEST(HeIIBath, HeIIPropertiesAndTheLiquidItself) {
  const double T = 1.8;
  const vorn_eos_state l = state(VORN_EOS_TQ, T, 0.0);
  EXPECT_EQ(l.superfluid_fraction, svp(vorn_svp_fraction_s, T));
  EXPECT_EQ(l.second_sound, svp(vorn_svp_u2, T));
  EXPECT_GT(l.heat_conductivity_function, 9e12);
  EXPECT_EQ(l.viscosity, svp(vorn_svp_eta_n, T));
  EXPECT_EQ(l.rho, svp(vorn_svp_rho, T));
  EXPECT_TRUE(std::isnan(state(VORN_EOS_TQ, T, 0.5).superfluid_fraction));
  EXPECT_TRUE(std::isnan(state(VORN_EOS_TQ, T, 1.0).second_sound));
  const int property = VORN_EOS_SECOND_SOUND;
  const int pair = VORN_EOS_TQ;
  const double q = 0.0;
  EXPECT_EQ(vorn_eos_value(&property, &pair, &T, &q), l.second_sound);
}

// Past the bath's liquid, at a held T or P, lies He II pressed above its
// vapour pressure: a He II state on the liquid's side, never the equation's.
TEST(HeIIBath, CompressedHeIIBeyondTheLiquid) {
  const vorn_eos_state l = state(VORN_EOS_TQ, 1.8, 0.0);
  const vorn_eos_state cooled = state(VORN_EOS_PH, l.P, l.h - 100.0);
  EXPECT_EQ(cooled.phase, VORN_EOS_PHASE_HE_II);
  EXPECT_LT(cooled.T, 1.8);
  EXPECT_GT(state(VORN_EOS_TRHO, 1.8, l.rho * 1.001).P, l.P);
  EXPECT_EQ(state(VORN_EOS_TP, 1.8, l.P * 1.001).phase, VORN_EOS_PHASE_HE_II);
  // (h, s) of He II squeezed isentropically: its search ended on the equation's liquid stretched to a
  // negative pressure (-1.7 kPa at 1.78 K), flagged only extrapolated. Now He II above p_s, where
  // V dp = dh: the pressure rises by dh rho.
  for (const double T : {1.3, 1.5, 2.0}) {
    const vorn_eos_state b = state(VORN_EOS_TQ, T, 0.0);
    for (const double dh : {1.0, 10.0, 100.0}) {
      const vorn_eos_state r = state(VORN_EOS_HS, b.h + dh, b.s);
      EXPECT_EQ(r.phase, VORN_EOS_PHASE_HE_II) << T << " K, h + " << dh;
      EXPECT_NEAR((r.P - b.P) / (dh * b.rho * 1e-3), 1.0, 0.02) << T << " K, h + " << dh;
    }
  }
}

}  // namespace
