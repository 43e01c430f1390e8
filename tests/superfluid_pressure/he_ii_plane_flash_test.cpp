// He II under pressure through vorn_eos_*, as a host calls it: a magnet's
// bath at 1.9 K and 1 bar; every pair's round trip from states at the edges
// of the region (the vapour pressure, 0.8 K, the lambda line, the melting
// line); stability; the bath's liquid met exactly at the vapour pressure;
// paths across the lambda line landing on the right side; the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>

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

// The pair's two values read off a state, by the fields that hold them.
vorn_eos_state by_pair(int pair, const vorn_eos_state& a) {
  using F = double vorn_eos_state::*;
  struct Fields {
    int pair;
    F x1, x2;
  };
  static const Fields fields[] = {{VORN_EOS_TRHO, &vorn_eos_state::T, &vorn_eos_state::rho},
                                  {VORN_EOS_PRHO, &vorn_eos_state::P, &vorn_eos_state::rho},
                                  {VORN_EOS_PH, &vorn_eos_state::P, &vorn_eos_state::h},
                                  {VORN_EOS_PS, &vorn_eos_state::P, &vorn_eos_state::s},
                                  {VORN_EOS_PU, &vorn_eos_state::P, &vorn_eos_state::u},
                                  {VORN_EOS_TS, &vorn_eos_state::T, &vorn_eos_state::s},
                                  {VORN_EOS_TH, &vorn_eos_state::T, &vorn_eos_state::h},
                                  {VORN_EOS_TU, &vorn_eos_state::T, &vorn_eos_state::u},
                                  {VORN_EOS_RHOU, &vorn_eos_state::rho, &vorn_eos_state::u},
                                  {VORN_EOS_RHOH, &vorn_eos_state::rho, &vorn_eos_state::h},
                                  {VORN_EOS_RHOS, &vorn_eos_state::rho, &vorn_eos_state::s},
                                  {VORN_EOS_HS, &vorn_eos_state::h, &vorn_eos_state::s}};
  for (const Fields& f : fields)
    if (f.pair == pair) return state(pair, a.*f.x1, a.*f.x2);
  return state(pair, a.h, a.s);
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

// States where a flash's search is hardest, through the pairs with one
// state there: back to T within 1e-10 K (the twins of s and u on a cold
// isotherm, of rho and u on an isobar, to their pair's values), in few
// states: one for (T, rho) and (P, rho), whose searches read the volume
// alone, at most 6 along the other isotherms and isobars, 20 for the pairs
// holding neither (30 where a cold isotherm's twins send it to the grid).
TEST(HeIIPlane, HardStatesRoundTripInFewStates) {
  struct Hard {
    double T, P;  // K, kPa
  };
  const double lambda_1bar = 100.0;
  const double lambda_20bar = 2000.0;
  const double lambda_29bar = 2900.0;
  const double cold = 0.8 + 1e-12;
  const Hard hard[] = {
      {vorn_eos_lambda_temperature(&lambda_1bar) - 1e-9, lambda_1bar},
      {vorn_eos_lambda_temperature(&lambda_20bar) - 1e-9, lambda_20bar},
      {vorn_eos_lambda_temperature(&lambda_29bar) - 1e-9, lambda_29bar},
      {1.0, lowest_P(1.0) + 1e-3},  // p_s + 1 Pa
      {1.6, lowest_P(1.6) + 1e-3},
      {2.1, lowest_P(2.1) + 1e-3},
      {cold, 100.0},
      {cold, 2400.0},
      {1.0, std::nextafter(highest_P(1.0), 0.0)},  // the melting line
      {1.5, std::nextafter(highest_P(1.5), 0.0)},
      {1.1, 100.0},  // the isobar's density minimum, s falling then rising on the isotherm
      {1.1, 1000.0},
  };
  const struct {
    int pair;
    double vorn_eos_state::*x1;
    double vorn_eos_state::*x2;
    bool unique;
    int most;
  } pairs[] = {{VORN_EOS_TRHO, &vorn_eos_state::T, &vorn_eos_state::rho, true, 1},
               {VORN_EOS_PRHO, &vorn_eos_state::P, &vorn_eos_state::rho, false, 1},
               {VORN_EOS_TH, &vorn_eos_state::T, &vorn_eos_state::h, true, 6},
               {VORN_EOS_TS, &vorn_eos_state::T, &vorn_eos_state::s, false, 30},
               {VORN_EOS_TU, &vorn_eos_state::T, &vorn_eos_state::u, false, 30},
               {VORN_EOS_PH, &vorn_eos_state::P, &vorn_eos_state::h, true, 6},
               {VORN_EOS_PS, &vorn_eos_state::P, &vorn_eos_state::s, true, 6},
               {VORN_EOS_PU, &vorn_eos_state::P, &vorn_eos_state::u, false, 6},
               {VORN_EOS_HS, &vorn_eos_state::h, &vorn_eos_state::s, true, 20},
               {VORN_EOS_RHOS, &vorn_eos_state::rho, &vorn_eos_state::s, true, 20},
               {VORN_EOS_RHOU, &vorn_eos_state::rho, &vorn_eos_state::u, true, 20}};
  for (const Hard& w : hard) {
    const vorn_eos_state s = state(VORN_EOS_TP, w.T, w.P);
    SCOPED_TRACE(testing::Message() << std::setprecision(17) << w.T << " K " << w.P << " kPa");
    ASSERT_EQ(s.phase, VORN_EOS_PHASE_HE_II);
    for (const auto& p : pairs) {
      SCOPED_TRACE(p.pair);
      const vorn_eos_state r = state(p.pair, s.*p.x1, s.*p.x2);
      if ((r.flags & VORN_EOS_FLAG_NOT_UNIQUE) != 0u) continue;  // the bath's or He I's twin
      ASSERT_EQ(r.phase, VORN_EOS_PHASE_HE_II);
      if (p.unique || std::fabs(r.T - s.T) + std::fabs(r.P / s.P - 1.0) < 1e-6) {
        EXPECT_NEAR(r.T, s.T, 1e-10);
        EXPECT_NEAR(r.P / s.P, 1.0, p.unique ? 1e-9 : 1e-7);  // s, u hardly move with P when cold
      }
      EXPECT_NEAR(r.*p.x2, s.*p.x2, 1e-9 * std::fabs(s.*p.x2));
      EXPECT_LE(r.evaluations, p.most);
    }
  }
}

}  // namespace

// The edges: at the vapour pressure the bath's liquid itself; 0.8 K, below
// which no model holds; the lambda line, met by He I within 25 J/(kg K),
// 0.2 % and 25 J/kg; stable everywhere between.
TEST(HeIIPlane, Edges) {
  for (const double T : {1.25, 1.6, 2.0, 2.17}) {
    const vorn_eos_state bath = state(VORN_EOS_TQ, T, 0.0);
    const vorn_eos_state s = state(VORN_EOS_TP, T, bath.P);
    EXPECT_EQ(s.flags & ~unsigned{VORN_EOS_FLAG_NEAR_LAMBDA}, unsigned{VORN_EOS_FLAG_NOT_UNIQUE}) << T;
    EXPECT_NEAR(s.rho / bath.rho, 1.0, 1e-12) << T;
    EXPECT_NEAR(s.h, bath.h, 1e-9) << T;
    EXPECT_NEAR(s.s, bath.s, 1e-9) << T;
  }
  EXPECT_EQ(state(VORN_EOS_TP, std::nextafter(0.8, 0.0), 100.0).flags, unsigned{VORN_EOS_FLAG_HE_II});
  EXPECT_EQ(state(VORN_EOS_TP, 0.8, 100.0).phase, VORN_EOS_PHASE_HE_II);
  for (const double P : {100.0, 1000.0, 2500.0}) {
    const double T = vorn_eos_lambda_temperature(&P);
    const vorn_eos_state he1 = state(VORN_EOS_TP, T, P);
    const vorn_eos_state he2 = state(VORN_EOS_TP, std::nextafter(T, 0.0), P);
    EXPECT_EQ(he1.phase, VORN_EOS_PHASE_LIQUID) << P;
    EXPECT_EQ(he2.flags, unsigned{VORN_EOS_FLAG_NEAR_LAMBDA}) << P;
    EXPECT_NEAR(he2.s, he1.s, 25.0) << P;
    EXPECT_NEAR(he2.h, he1.h, 25.0) << P;
    EXPECT_NEAR(he2.rho / he1.rho, 1.0, 2e-3) << P;
    // NEAR_LAMBDA ends 0.1 K from the line.
    EXPECT_EQ(state(VORN_EOS_TP, T - 0.1001, P).flags, 0u) << P;
  }
  // Near the upper lambda point too, where quadrature nodes a rounding from the line once gave NaN.
  for (const double P : {2711.6, 2900.0, 3013.0}) {
    const double T = vorn_eos_lambda_temperature(&P);
    EXPECT_TRUE(std::isfinite(state(VORN_EOS_TP, std::nextafter(T, 0.0), P).cp)) << P;
  }
  for (double T = 0.8; T < 2.1768; T += 0.0457) {
    for (double f = 0.0; f <= 1.0; f += 0.125) {
      const double P = lowest_P(T) + f * (highest_P(T) - lowest_P(T));
      const vorn_eos_state s = state(VORN_EOS_TP, T, P);
      if (s.phase != VORN_EOS_PHASE_HE_II) continue;  // the top of the span: on the line
      EXPECT_TRUE(s.cp > 0.0 && s.cv > 0.0 && s.w > 0.0 && s.kappa_T > 0.0) << T << " K " << P << " kPa";
      EXPECT_TRUE(s.superfluid_fraction > 0.0 && s.superfluid_fraction < 1.0 && s.second_sound > 0.0);
    }
  }
}

// Fourth sound lies between second and first sound, meets the bath's at the
// vapour pressure within the difference of the two first sounds (the fits'
// for the bath, the model's under pressure: 0.2 % at 1.5 K, 2.7 % at
// 2.17 K), and is NaN outside He II.
TEST(HeIIPlane, FourthSound) {
  for (const double T : {1.3, 1.5, 2.0, 2.17}) {
    const vorn_eos_state bath = state(VORN_EOS_TQ, T, 0.0);
    const vorn_eos_state pressed = state(VORN_EOS_TP, T, bath.P * (1.0 + 1e-6));
    for (const vorn_eos_state& s : {bath, pressed})
      EXPECT_TRUE(s.fourth_sound > s.second_sound && s.fourth_sound < s.w) << T << " K at " << s.P << " kPa";
    EXPECT_NEAR(pressed.fourth_sound / bath.fourth_sound, 1.0, T < 1.6 ? 3e-3 : 3e-2) << T;
  }
  EXPECT_TRUE(std::isnan(state(VORN_EOS_TP, 2.5, 100.0).fourth_sound));
}

// (T, rho) either side of He II's density on the melting line: He II just
// below it, solid (not "no model") just above (1e-6 is 100 Pa either side;
// the iteration holds a density to 1e-8).
TEST(HeIIPlane, DensityAtTheMeltingLine) {
  for (const double T : {0.85, 1.5, 1.76}) {
    const vorn_eos_state top = state(VORN_EOS_TP, T, std::nextafter(highest_P(T), 0.0));
    ASSERT_EQ(top.phase, VORN_EOS_PHASE_HE_II) << T;
    const vorn_eos_state below = state(VORN_EOS_TRHO, T, top.rho * (1.0 - 1e-6));
    EXPECT_EQ(below.phase, VORN_EOS_PHASE_HE_II) << T;
    EXPECT_NEAR(below.P, top.P, 1e-3 * top.P) << T;
    EXPECT_EQ(state(VORN_EOS_TRHO, T, top.rho * (1.0 + 1e-6)).flags, unsigned{VORN_EOS_FLAG_SOLID}) << T;
  }
}

// Paths across the lambda line land on its right side: an isenthalp from He I
// at 2.2 K and 1 bar into He II at 3 bar (it cools 0.17 K a bar, the line 9 mK); an isentrope from the bath
// compressed to 1 MPa, which cools (alpha < 0); an isobar's enthalpy either side of the line.
TEST(HeIIPlane, PathsAcrossTheLambdaLine) {
  const vorn_eos_state he1 = state(VORN_EOS_TP, 2.2, 100.0);
  ASSERT_EQ(he1.phase, VORN_EOS_PHASE_LIQUID);
  const vorn_eos_state expanded = state(VORN_EOS_PH, 300.0, he1.h);
  EXPECT_EQ(expanded.phase, VORN_EOS_PHASE_HE_II);
  EXPECT_LT(expanded.T, vorn_eos_lambda_temperature(&expanded.P));
  EXPECT_NEAR(expanded.h, he1.h, 1e-9 * std::fabs(he1.h));
  const vorn_eos_state bath = state(VORN_EOS_TQ, 1.8, 0.0);
  const vorn_eos_state squeezed = state(VORN_EOS_PS, 1000.0, bath.s);
  EXPECT_EQ(squeezed.phase, VORN_EOS_PHASE_HE_II);
  EXPECT_LT(squeezed.T, 1.8);
  EXPECT_GT(squeezed.T, 1.7);
  for (const double P : {100.0, 1000.0, 2000.0}) {
    const double T = vorn_eos_lambda_temperature(&P);
    const double below = state(VORN_EOS_TP, T - 0.01, P).h;
    const double above = state(VORN_EOS_TP, T + 0.01, P).h;
    EXPECT_EQ(state(VORN_EOS_PH, P, below).phase, VORN_EOS_PHASE_HE_II) << P;
    EXPECT_EQ(state(VORN_EOS_PH, P, above).phase, VORN_EOS_PHASE_LIQUID) << P;
  }
  // The isobar's h and s a microkelvin either side of the line, from just
  // above the lambda point to the upper lambda point: each on its own side
  // (He II is asked first only well below He I's value on the line), or,
  // where the model's value at the line lies above He I's (the continuity
  // miss: 1.5 MPa, above 2.6 MPa), He I flagged as one of two.
  for (const double P : {5.0394, 52.0, 1500.0, 2990.0, 3013.3}) {
    const double T = vorn_eos_lambda_temperature(&P);
    for (const double dT : {-1e-6, 1e-6}) {
      const vorn_eos_state at = state(VORN_EOS_TP, T + dT, P);
      const int side = dT < 0.0 ? VORN_EOS_PHASE_HE_II : VORN_EOS_PHASE_LIQUID;
      ASSERT_EQ(at.phase, side) << P;
      for (const vorn_eos_state& back : {state(VORN_EOS_PH, P, at.h), state(VORN_EOS_PS, P, at.s)}) {
        if (back.phase != side) {
          EXPECT_EQ(back.phase, VORN_EOS_PHASE_LIQUID) << P << " kPa, " << dT << " K";
          EXPECT_NE(back.flags & VORN_EOS_FLAG_NOT_UNIQUE, 0u) << P << " kPa, " << dT << " K";
          continue;
        }
        EXPECT_NEAR(back.T, at.T, 1e-7) << P << " kPa, " << dT << " K";
      }
    }
  }
  // Past the melting line at a held T: no state (the equation names it He II).
  const double T = 1.2;
  const double P_m = vorn_eos_melting_pressure(&T);
  const vorn_eos_state top = state(VORN_EOS_TP, T, std::nextafter(P_m, 0.0));
  EXPECT_EQ(top.phase, VORN_EOS_PHASE_HE_II);
  const vorn_eos_state denser = state(VORN_EOS_TRHO, T, top.rho * 1.001);
  EXPECT_EQ(denser.phase, VORN_EOS_PHASE_NONE);
  EXPECT_TRUE(std::isnan(denser.P));
}

// Twins: a pair two fluid states share is answered flagged NOT_UNIQUE, the
// state returned one of them; a pair with one state stays unflagged. From
// (T, P) states, the pair read off them, or moved by ds from there: He I's
// (T, s) falling along its isotherm through He II's range; the minimum of
// s and of u on a cold isotherm (the value either side of the vapour
// pressure's, by ten times the flashes' tolerance: below it the isotherm
// meets it twice); h returning along a dense isochore; the density's
// minimum along an isobar below the liquid He I's pressures.
TEST(HeIIPlane, TwinsAreFlagged) {
  struct Twin {
    int pair;
    double T, P;   // K, kPa; P <= 0: the vapour pressure at T
    double shift;  // added to the pair's second value
    bool twin;
    int phase;
  };
  const Twin twins[] = {
      {VORN_EOS_TS, 2.117, 100.0, 0.0, true, VORN_EOS_PHASE_LIQUID},    // He I at 3.29 MPa
      {VORN_EOS_TS, 2.117, 3600.0, 0.0, false, VORN_EOS_PHASE_LIQUID},  // He I below He II's s at 2.117 K
      {VORN_EOS_TS, 1.08, 100.0, 0.0, true, VORN_EOS_PHASE_HE_II},      // s's minimum at 87 kPa
      {VORN_EOS_TS, 1.08, 20.0, 0.0, true, VORN_EOS_PHASE_HE_II},       // the other side of it
      {VORN_EOS_TS, 1.08, 0.0, -1e-4, true, VORN_EOS_PHASE_HE_II},      // just below s at p_s
      {VORN_EOS_TS, 1.08, 0.0, 1e-4, false, VORN_EOS_PHASE_HE_II},      // just above: one state
      {VORN_EOS_TS, 1.2, 1000.0, 0.0, false, VORN_EOS_PHASE_HE_II},     // alpha < 0 all the way
      {VORN_EOS_TU, 0.9, 0.0, -1e-3, true, VORN_EOS_PHASE_HE_II},       // u's minimum at 2.6 kPa
      {VORN_EOS_TU, 0.9, 0.0, 1e-3, false, VORN_EOS_PHASE_HE_II},
      {VORN_EOS_TU, 1.2, 1000.0, 0.0, false, VORN_EOS_PHASE_HE_II},
      {VORN_EOS_RHOH, 1.9, 2000.0, 0.0, true, VORN_EOS_PHASE_HE_II},  // the other at 1.5166 K
      {VORN_EOS_RHOH, 1.5166, 2201.0, 0.0, true, VORN_EOS_PHASE_HE_II},
      {VORN_EOS_RHOH, 1.4, 1459.65, 0.0, true, VORN_EOS_PHASE_HE_II},  // 6 mK from its twin
      {VORN_EOS_RHOH, 1.9, 100.0, 0.0, false, VORN_EOS_PHASE_HE_II},   // h rises along the isochore
      // 1 nK below the line, within the isochore's unsampled last microkelvin:
      // the answer is its twin at 1.4626 K.
      {VORN_EOS_RHOH, eos::lambda_line_temperature(1936.1e3) - 1e-9, 1936.1, 0.0, true, VORN_EOS_PHASE_HE_II},
      {VORN_EOS_PRHO, 1.15, 0.1, 0.0, true, VORN_EOS_PHASE_HE_II},     // the isobar's density minimum
      {VORN_EOS_PRHO, 1.0, 0.1, 0.0, false, VORN_EOS_PHASE_HE_II},     // denser than at its warm end
      {VORN_EOS_RHOS, 1.9, 2000.0, 0.0, false, VORN_EOS_PHASE_HE_II},  // s does (cv > 0)
      {VORN_EOS_RHOU, 1.9, 2000.0, 0.0, false, VORN_EOS_PHASE_HE_II},
      // He II's own (h, s), not the equation's liquid continued below the
      // vapour pressure and T_lambda (a metastable root, extrapolated).
      {VORN_EOS_HS, 1.9, 8.0, 0.0, false, VORN_EOS_PHASE_HE_II},
      {VORN_EOS_HS, 1.76, 10.4, 0.0, false, VORN_EOS_PHASE_HE_II},
      {VORN_EOS_HS, 1.7641, 2790.4543, 0.0, true, VORN_EOS_PHASE_LIQUID},  // He I at 1.8165 K
  };
  for (const Twin& w : twins) {
    const double P = w.P > 0.0 ? w.P : lowest_P(w.T);
    const vorn_eos_state s = state(VORN_EOS_TP, w.T, P);
    vorn_eos_state from = s;
    (w.pair == VORN_EOS_TS || w.pair == VORN_EOS_RHOS ? from.s
     : w.pair == VORN_EOS_TU                          ? from.u
                                                      : from.h) += w.shift;
    const vorn_eos_state r = by_pair(w.pair, from);
    SCOPED_TRACE(testing::Message() << std::setprecision(17) << w.pair << " from " << w.T << " K " << P
                                    << " kPa");
    EXPECT_EQ(r.phase, w.phase);
    EXPECT_EQ((r.flags & VORN_EOS_FLAG_NOT_UNIQUE) != 0u, w.twin) << r.T << " K " << r.P << " kPa";
    if (!w.twin && w.shift == 0.0) {
      EXPECT_NEAR(r.T, s.T, 1e-9);
    }
  }
}
