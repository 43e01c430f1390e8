// The flashes where they can fail: near the critical point, on the melting
// and lambda lines and the vapour pressure of He II, at vanishing pressure,
// and the exact inputs that once gave a wrong state without a flag.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

#include "reference_eos/eos_calls.hpp"
#include "vorn.h"

namespace {

constexpr double M = 0.004002602;  // kg/mol
constexpr double R = 8.3144598;    // J/(mol K)
constexpr double Tc = 5.1953;
constexpr double rho_c = 17383.7 * M;      // kg/m3
constexpr double pc = 228.32278679097944;  // kPa
constexpr unsigned withheld = VORN_EOS_FLAG_BAD_INPUT | VORN_EOS_FLAG_HE_II | VORN_EOS_FLAG_SOLID |
                              VORN_EOS_FLAG_OUT_OF_RANGE | VORN_EOS_FLAG_NO_SOLUTION |
                              VORN_EOS_FLAG_NOT_CONVERGED;

// The equation's state: the first version of the struct, without the
// transport and the transport's flags (extrapolated above 100 MPa).
vorn_eos_state state(int pair, double x1, double x2) {
  vorn_eos_state s{};
  s.size = VORN_EOS_STATE_SIZE_V1;
  EXPECT_EQ(vorn_eos_state_at(&pair, &x1, &x2, &s), 0);
  return s;
}

double relative(double a, double b) { return std::fabs(a - b) / std::fabs(b); }

// From the (T, P) state, every other pair back to T and P (eos_calls.hpp).
void round_trip(double T, double P, unsigned allowed, double tolerance) {
  const vorn_eos_state a = state(VORN_EOS_TP, T, P);
  ASSERT_EQ(a.flags & ~allowed, 0u) << T << " K " << P << " kPa";
  vorn_test::round_trip(a, allowed, tolerance);
}

TEST(FlashEdges, InputsThatOnceGaveAWrongState) {
  // (P, rho) on the equation's van der Waals loop, reported as a clean liquid.
  // The state lies a few ulps of T above Tc, within the rounding of p: liquid
  // is the same state, labelled across Tc.
  const vorn_eos_state a = state(VORN_EOS_PRHO, 228.5, 79.00540586606122);
  EXPECT_TRUE(a.phase == VORN_EOS_PHASE_SUPERCRITICAL ||
              (a.phase == VORN_EOS_PHASE_LIQUID && relative(a.T, 5.1953) < 1e-14));
  EXPECT_LE(relative(a.T, 5.1953), 1e-9);
  EXPECT_GT(a.dpdrho, 0.0);
  const vorn_eos_state b = state(VORN_EOS_PRHO, 225.735216760205, 80.82792047041649);
  EXPECT_LE(relative(b.T, 5.180585443203809), 1e-9);
  EXPECT_GT(b.dpdrho, 0.0);
  const vorn_eos_state c = state(VORN_EOS_PRHO, std::nextafter(pc, 0.0), rho_c);
  EXPECT_EQ(c.flags, 0u);
  EXPECT_LE(relative(c.T, Tc), 1e-9);
  EXPECT_FALSE(c.cp < 0.0);
  // The dilute gas down to the smallest pressure: its ideal-gas density.
  for (const double P : {1e-13, 1e-100, 1e-300}) {
    const vorn_eos_state s = state(VORN_EOS_TP, 300.0, P);
    EXPECT_EQ(s.flags, 0u) << P;
    EXPECT_LE(relative(s.rho, P * 1000.0 * M / (R * 300.0)), 1e-14) << P;
  }
  const vorn_eos_state tiny = state(VORN_EOS_TP, 300.0, 5e-324);
  EXPECT_EQ(tiny.flags, unsigned{VORN_EOS_FLAG_UNDEFINED});  // its density rounds to zero
  EXPECT_EQ(tiny.rho, 0.0);
  // Zero pressure: the zero-density state from (T, P), s and g undefined and
  // flagged; no other pair takes it.
  const vorn_eos_state zero = state(VORN_EOS_TP, 300.0, 0.0);
  EXPECT_EQ(zero.flags, unsigned{VORN_EOS_FLAG_UNDEFINED});
  EXPECT_TRUE(std::isnan(zero.s) && std::isnan(zero.g) && std::isfinite(zero.h));
  for (const int pair : {VORN_EOS_PRHO, VORN_EOS_PH, VORN_EOS_PS, VORN_EOS_PQ})
    EXPECT_EQ(state(pair, 0.0, 0.5).flags, unsigned{VORN_EOS_FLAG_BAD_INPUT}) << pair;
  // The vapour of a 1.9 K plant's pumping line; He I at 1.8 K and 2.9 MPa.
  const vorn_eos_state pump = state(VORN_EOS_TP, 1.9, 1.0);
  EXPECT_EQ(pump.flags, unsigned{VORN_EOS_FLAG_EXTRAPOLATED});
  EXPECT_EQ(pump.phase, VORN_EOS_PHASE_VAPOUR);
  EXPECT_EQ(state(VORN_EOS_TP, 1.8, 2900.0).flags, 0u);
  // (T, s) of a state above 2000 MPa: extrapolated, as from (T, P).
  const vorn_eos_state dense = state(VORN_EOS_TP, 1000.0, 3e6);
  const vorn_eos_state dense_ts = state(VORN_EOS_TS, 1000.0, dense.s);
  EXPECT_EQ(dense_ts.flags, unsigned{VORN_EOS_FLAG_EXTRAPOLATED});
  EXPECT_LE(relative(dense_ts.P, 3e6), 1e-9);
  // Every pair far above 2000 MPa, where Newton in (T, rho) on (h, s) once
  // stalled against its temperature bound and said not converged.
  for (const double T : {900.0, 1500.0}) round_trip(T, T * 1.6e4, VORN_EOS_FLAG_EXTRAPOLATED, 1e-9);
  // The reason of a refusal: solid by the melting line, not He II.
  EXPECT_EQ(state(VORN_EOS_PRHO, 20000.0, 240.0).flags, unsigned{VORN_EOS_FLAG_SOLID});
}

TEST(FlashEdges, BoundaryLines) {
  const double zero = 0.0, lambda_end = 1.7673, T4 = 4.2;
  // The low-temperature form's 2.5 MPa floor raised by 7.7 kPa to meet the
  // upper lambda point (1.7673 K, 3.0134 MPa).
  EXPECT_DOUBLE_EQ(vorn_eos_melting_pressure(&zero), 2507.7273006968405);
  // The melting line meets the lambda line at its upper end.
  const double P_end = vorn_eos_melting_pressure(&lambda_end);
  EXPECT_NEAR(P_end, 3013.4, 1e-9);
  EXPECT_NEAR(vorn_eos_lambda_temperature(&P_end), lambda_end, 1e-12);
  EXPECT_NEAR(vorn_eos_melting_pressure(&T4), 14084.0, 1.0);
  // Beyond their ranges, nothing: not a Simon form carried to 1e6 K.
  for (const double T : {-1e-300, std::nextafter(2000.0, 3000.0), double{INFINITY}, double{NAN}})
    EXPECT_TRUE(std::isnan(vorn_eos_melting_pressure(&T))) << T;
  for (const double P : {5.039, 3013.41, double{INFINITY}, double{NAN}})
    EXPECT_TRUE(std::isnan(vorn_eos_lambda_temperature(&P))) << P;
  // Rising, with no step, through the join of its two forms (4 K to 5 K).
  double last = 0.0;
  for (double T = 3.9; T <= 5.1; T += 0.001) {
    const double P = vorn_eos_melting_pressure(&T);
    EXPECT_GT(P, last) << T;
    if (last > 0.0) {
      EXPECT_LT(P - last, 30.0) << T;
    }
    last = P;
  }
  // dP/dT of saturation at Tc: finite, the critical isochore's slope.
  vorn_eos_saturation sat{};
  sat.size = sizeof sat;
  const double T = Tc;
  ASSERT_EQ(vorn_eos_saturation_T(&T, &sat), 0);
  EXPECT_NEAR(sat.dPdT, state(VORN_EOS_TRHO, Tc, rho_c).dpdT, 1e-9);
}

TEST(FlashEdges, EachSideOfEveryLine) {
  // One ulp inside the line: a state from every pair; one ulp outside: the
  // flag, or He II's state with its flags (at its vapour pressure exactly the
  // saturated liquid, NOT_UNIQUE; below the lambda line NEAR_LAMBDA).
  const struct {
    double T, P_line;
    unsigned outside;  // the flag beyond the line
    bool above;        // the line bounds the fluid from above in P
    unsigned inside;   // flags of the state inside
  } rows[] = {
      {2.0, 0.0, VORN_EOS_FLAG_SOLID, true, 0u},   // melting line, low-temperature form
      {4.2, 0.0, VORN_EOS_FLAG_SOLID, true, 0u},   // in the join
      {10.0, 0.0, VORN_EOS_FLAG_SOLID, true, 0u},  // Simon form
      {1.5, 0.47155, VORN_EOS_FLAG_NOT_UNIQUE, false, VORN_EOS_FLAG_EXTRAPOLATED},  // He II vapour pressure
      {2.1, 0.0, VORN_EOS_FLAG_NEAR_LAMBDA, false, 0u},                             // lambda line
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.T);
    double P_line = row.P_line;
    if (row.outside == VORN_EOS_FLAG_SOLID) {
      P_line = vorn_eos_melting_pressure(&row.T);
    } else if (P_line == 0.0) {
      // The lambda line's pressure at T, by bisection on its temperature.
      double lo = 5.04, hi = 2996.0;
      for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (vorn_eos_lambda_temperature(&mid) > row.T ? lo : hi) = mid;
      }
      P_line = hi;
    } else {
      // The vapour pressure of He II: where (T, P) turns from vapour to He II.
      double lo = 0.3, hi = 0.6;
      for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (state(VORN_EOS_TP, row.T, mid).flags == row.inside ? lo : hi) = mid;
      }
      P_line = lo;
    }
    const double P_in = row.above ? std::nextafter(P_line, 0.0) : std::nextafter(P_line, 1e9);
    const double P_out = row.above ? std::nextafter(P_line, 1e9) : std::nextafter(P_line, 0.0);
    if (row.outside == VORN_EOS_FLAG_NOT_UNIQUE) {
      // The vapour edge: P_line is the last vapour pressure found.
      EXPECT_EQ(state(VORN_EOS_TP, row.T, P_line).flags, row.inside);
      EXPECT_EQ(state(VORN_EOS_TP, row.T, std::nextafter(P_line, 1.0)).flags, row.outside);
      round_trip(row.T, P_line, row.inside, 1e-9);
      continue;
    }
    EXPECT_EQ(state(VORN_EOS_TP, row.T, P_out).flags, row.outside);
    round_trip(row.T, P_in, row.inside, 1e-9);
  }
}

TEST(FlashEdges, NearTheCriticalPointOnBothSides) {
  // Every pair round-trips one-phase states within 1e-6 K of Tc, a hair off
  // the saturation pressure on either side, and a band below Tc.
  vorn_eos_saturation sat{};
  sat.size = sizeof sat;
  for (const double dT : {-0.5, -0.1, -0.01, -1e-3, -1e-5, -1e-6, 1e-6, 1e-3}) {
    const double T = Tc + dT;
    double P_ref = pc;
    if (dT < 0.0) {
      ASSERT_EQ(vorn_eos_saturation_T(&T, &sat), 0);
      P_ref = sat.P;
    }
    for (const double f : {0.97, 0.999, 1.001, 1.03}) {
      SCOPED_TRACE(testing::Message() << dT << " K from Tc, P " << f << " p_sat");
      round_trip(T, P_ref * f, 0u, dT > -1e-4 && dT < 1e-4 ? 1e-7 : 1e-9);
    }
  }
}

TEST(FlashEdges, VapourBelowTheLambdaTemperature) {
  for (const double T : {1.25, 1.6, 1.9, 2.17}) {
    for (const double P : {1e-3, 0.1}) {
      SCOPED_TRACE(T);
      round_trip(T, P, VORN_EOS_FLAG_EXTRAPOLATED, 1e-9);
    }
  }
  EXPECT_EQ(state(VORN_EOS_TP, 1.2, 0.01).flags, unsigned{VORN_EOS_FLAG_HE_II});  // below 1.25 K
}

TEST(FlashEdges, OnTheSaturationLineItself) {
  // (T, P) exactly at the saturation's own T (from P) or P (from T): the
  // saturated densities agree with the equation only to rounding, so the root
  // may lie a hair past them; it must still be found, stable. (P, h) of a
  // compressed liquid far below its boiling point brackets on that state.
  for (int i = 0; i <= 400; ++i) {
    const double P = 5.06 * std::pow(228.3 / 5.06, i / 400.0);
    const vorn_eos_state sat = state(VORN_EOS_PQ, P, 0.0);
    const vorn_eos_state at_T = state(VORN_EOS_TP, sat.T, P);
    EXPECT_EQ(at_T.flags & withheld, 0u) << P << " kPa";
    EXPECT_GT(at_T.dpdrho, 0.0) << P << " kPa";
    const double T = 2.1768 + (5.1953 - 2.1768) * i / 400.0;
    const vorn_eos_state at_P = state(VORN_EOS_TP, T, state(VORN_EOS_TQ, T, 1.0).P);
    EXPECT_EQ(at_P.flags & withheld, 0u) << T << " K";
  }
  for (const auto& c : {std::array<double, 3>{2.3022523373593353, 195.94075248579, -5274.638924639673},
                        std::array<double, 3>{2.170262287424657, 207.50470417067544, -5533.827342586773}}) {
    const vorn_eos_state s = state(VORN_EOS_PH, c[1], c[2]);
    EXPECT_EQ(s.flags, 0u);
    EXPECT_LE(relative(s.T, c[0]), 1e-9);
  }
}

TEST(FlashEdges, SweepsFindNoUnstableOrWithheldRoot) {
  // One-phase (T, P) states across the fluid, near Tc, beside both lines:
  // every pair round-trips them to 1e-9.
  for (const double T : {2.2, 2.6, 3.5, 4.5, 5.0, 5.3, 7.0, 20.0, 300.0, 1400.0}) {
    for (const double P : {0.5, 3.0, 30.0, 150.0, 240.0, 1000.0, 1e4, 1e5, 1e6}) {
      const vorn_eos_state a = state(VORN_EOS_TP, T, P);
      if ((a.flags & withheld) != 0u || a.flags == VORN_EOS_FLAG_NOT_UNIQUE) continue;
      round_trip(T, P, a.flags, 1e-9);
    }
  }
}

TEST(FlashEdges, TwoPhaseStatesFromEveryCaloricPair) {
  // Back to T and q from the mixture's rho, u, h, s, down to 100 nK below Tc
  // (where the pairs fix q only to about 1e-5: the dome is that thin); (rho, u),
  // (rho, h) and (P, h) in 30 evaluations at most.
  for (const double T : {2.1769, 3.0, 4.2, 5.0, 5.19, Tc - 1e-5, Tc - 1e-7}) {
    for (const double q : {0.02, 0.5, 0.98}) {
      const vorn_eos_state a = state(VORN_EOS_TQ, T, q);
      const struct {
        int pair;
        double x1, x2;
      } pairs[] = {{VORN_EOS_RHOU, a.rho, a.u}, {VORN_EOS_RHOH, a.rho, a.h}, {VORN_EOS_RHOS, a.rho, a.s},
                   {VORN_EOS_TH, T, a.h},       {VORN_EOS_TU, T, a.u},       {VORN_EOS_HS, a.h, a.s},
                   {VORN_EOS_PH, a.P, a.h}};
      for (const auto& p : pairs) {
        SCOPED_TRACE(testing::Message() << "pair " << p.pair << " at " << T << " K, q " << q);
        const vorn_eos_state b = state(p.pair, p.x1, p.x2);
        EXPECT_EQ(b.phase, VORN_EOS_PHASE_TWO_PHASE);
        EXPECT_LE(relative(b.T, T), 1e-9);
        EXPECT_NEAR(b.q, q, T > 5.1 ? 1e-5 : 1e-9);
        if (p.pair == VORN_EOS_RHOU || p.pair == VORN_EOS_RHOH || p.pair == VORN_EOS_PH) {
          EXPECT_LE(b.evaluations, 30);
        }
      }
    }
  }
}

// A saturated phase as the library reports it, and what each pair is given.
struct Saturated {
  double T, P, rho, u, h, s;
  int phase;  // VORN_EOS_PHASE_LIQUID or _VAPOUR
};

std::array<Saturated, 2> saturated_phases(const vorn_eos_saturation& a) {
  const auto one = [&a](double rho, double h, double s, int phase) {
    return Saturated{a.T, a.P, rho, h - a.P * 1000.0 / rho, h, s, phase};
  };
  return {one(a.rho_liquid, a.h_liquid, a.s_liquid, VORN_EOS_PHASE_LIQUID),
          one(a.rho_vapour, a.h_vapour, a.s_vapour, VORN_EOS_PHASE_VAPOUR)};
}

struct PairInput {
  int pair;
  double x1, x2;
};

std::array<PairInput, 14> pair_inputs(const Saturated& a) {
  const double q = a.phase == VORN_EOS_PHASE_LIQUID ? 0.0 : 1.0;
  return {{{VORN_EOS_TRHO, a.T, a.rho},
           {VORN_EOS_PRHO, a.P, a.rho},
           {VORN_EOS_PH, a.P, a.h},
           {VORN_EOS_PS, a.P, a.s},
           {VORN_EOS_PU, a.P, a.u},
           {VORN_EOS_TS, a.T, a.s},
           {VORN_EOS_TH, a.T, a.h},
           {VORN_EOS_TU, a.T, a.u},
           {VORN_EOS_RHOU, a.rho, a.u},
           {VORN_EOS_RHOH, a.rho, a.h},
           {VORN_EOS_RHOS, a.rho, a.s},
           {VORN_EOS_HS, a.h, a.s},
           {VORN_EOS_TQ, a.T, q},
           {VORN_EOS_PQ, a.P, q}}};
}

TEST(FlashEdges, EverySaturatedStateComesBackThroughEveryPair) {
  // The library's own saturated states (saturation by T and by P, (T, q) and
  // (P, q) at 0 and 1) from the lambda point to 0.1 mK below Tc: every pair
  // returns that saturated phase, q 0 or 1, T to 1e-9; their values moved by
  // 1e-16 to 1e-13 either way never give the other phase, and are refused
  // only where no state has them (He II past the lambda point, an (T, h)
  // below the least h of its isotherm).
  int checked = 0;
  for (int i = 0; i <= 48; ++i) {
    const double T = i % 2 == 0 ? 2.1768 + (Tc - 1e-4 - 2.1768) * i / 48.0
                                : Tc - std::pow(10.0, -4.0 + 3.0 * i / 48.0) + 1e-7 * std::sin(i);
    vorn_eos_saturation by_T{}, by_P{};
    by_T.size = by_P.size = sizeof by_T;
    ASSERT_EQ(vorn_eos_saturation_T(&T, &by_T), 0);
    ASSERT_EQ(vorn_eos_saturation_P(&by_T.P, &by_P), 0);
    std::array<Saturated, 8> states{};
    int n = 0;
    for (const vorn_eos_saturation* sat : {&by_T, &by_P})
      for (const Saturated& a : saturated_phases(*sat)) states[n++] = a;
    for (const double q : {0.0, 1.0}) {
      const vorn_eos_state tq = state(VORN_EOS_TQ, T, q);
      const vorn_eos_state pq = state(VORN_EOS_PQ, by_T.P, q);
      EXPECT_EQ(tq.T, T);
      EXPECT_EQ(pq.P, by_T.P);
      for (const vorn_eos_state& x : {tq, pq})
        states[n++] = {
            x.T, x.P, x.rho, x.u, x.h, x.s, q == 0.0 ? VORN_EOS_PHASE_LIQUID : VORN_EOS_PHASE_VAPOUR};
    }
    for (int k = 0; k < n; ++k) {
      const Saturated& a = states[k];
      for (const PairInput& p : pair_inputs(a)) {
        SCOPED_TRACE(testing::Message() << "pair " << p.pair << " at " << T << " K, source " << k);
        const vorn_eos_state b = state(p.pair, p.x1, p.x2);
        ++checked;
        EXPECT_EQ(b.flags & withheld, 0u);
        EXPECT_EQ(b.phase, a.phase);
        EXPECT_EQ(b.q, a.phase == VORN_EOS_PHASE_LIQUID ? 0.0 : 1.0);
        EXPECT_NEAR(b.T, a.T, 1e-9);
        if (k >= 4 || p.pair == VORN_EOS_TQ || p.pair == VORN_EOS_PQ) continue;
        for (const double step : {1e-16, 1e-15, 1e-14, 1e-13}) {
          for (const double sign : {-1.0, 1.0}) {
            const vorn_eos_state c = state(p.pair, p.x1, p.x2 + sign * step * std::fabs(p.x2));
            EXPECT_NE(c.phase, VORN_EOS_PHASE_LIQUID + VORN_EOS_PHASE_VAPOUR - a.phase) << sign * step;
            EXPECT_EQ(c.flags & withheld & ~(VORN_EOS_FLAG_HE_II | VORN_EOS_FLAG_NO_SOLUTION), 0u)
                << sign * step;
          }
        }
      }
    }
  }
  EXPECT_EQ(checked, 49 * 8 * 14);
}

TEST(FlashEdges, InputsThatOnceGaveTheOtherPhaseOrARefusal) {
  vorn_eos_saturation sat{};
  sat.size = sizeof sat;
  const double P_refused = 132.88527995830273;
  ASSERT_EQ(vorn_eos_saturation_P(&P_refused, &sat), 0);
  const struct {
    int pair;
    double x1, x2;
    int phase;
  } rows[] = {
      {VORN_EOS_PH, 122.40204429764732, 1170.8454370525533, VORN_EOS_PHASE_LIQUID},    // was the vapour
      {VORN_EOS_PS, 178.25107885049297, 848.9000941779751, VORN_EOS_PHASE_LIQUID},     // was the vapour
      {VORN_EOS_PH, 223.12384873708655, 14512.429105446481, VORN_EOS_PHASE_VAPOUR},    // was the liquid
      {VORN_EOS_PH, P_refused, sat.h_liquid, VORN_EOS_PHASE_LIQUID},                   // was OUT_OF_RANGE
      {VORN_EOS_PRHO, 26.063061603173274, 140.70380316749032, VORN_EOS_PHASE_LIQUID},  // was HE_II
      {VORN_EOS_TS, 4.552403761956852, 377.59790179074685, VORN_EOS_PHASE_LIQUID},     // was NOT_CONVERGED
  };
  for (const auto& row : rows) {
    const vorn_eos_state s = state(row.pair, row.x1, row.x2);
    EXPECT_EQ(s.flags & withheld, 0u) << row.pair << " " << row.x1;
    EXPECT_EQ(s.phase, row.phase) << row.pair << " " << row.x1;
  }
  // (T, P) at the saturation pressure itself: the saturated liquid, q 0, and
  // any other quality would do.
  for (const double T : {2.5, 4.2, 5.1}) {
    const vorn_eos_state s = state(VORN_EOS_TP, T, state(VORN_EOS_TQ, T, 0.0).P);
    EXPECT_EQ(s.flags, unsigned{VORN_EOS_FLAG_NOT_UNIQUE}) << T;
    EXPECT_EQ(s.phase, VORN_EOS_PHASE_LIQUID) << T;
    EXPECT_EQ(s.q, 0.0) << T;
  }
}

TEST(FlashEdges, ZeroAndSubnormalDensity) {
  // (T, h), (T, u) at the ideal gas's value (and an ulp off): the limit of
  // zero density, not the compressed state that shares it (89 MPa at 78.5 K).
  for (const double T : {10.0, 78.5}) {
    const vorn_eos_state zero = state(VORN_EOS_TP, T, 0.0);
    for (const auto& [pair, x] : {std::pair{VORN_EOS_TH, zero.h}, std::pair{VORN_EOS_TU, zero.u},
                                  std::pair{VORN_EOS_TH, std::nextafter(zero.h, 1e300)},
                                  std::pair{VORN_EOS_TU, std::nextafter(zero.u, -1e300)}}) {
      const vorn_eos_state s = state(pair, T, x);
      EXPECT_EQ(s.flags, VORN_EOS_FLAG_UNDEFINED | VORN_EOS_FLAG_NOT_UNIQUE) << T << " " << pair;
      EXPECT_EQ(s.rho, 0.0);
      EXPECT_EQ(s.P, 0.0);
    }
  }
  // A density that underflows to a subnormal number: s and g undefined, not
  // infinite; (P, rho) refuses subnormal inputs rather than a T 8 % off.
  for (const auto& [pair, x1, x2] :
       {std::tuple{VORN_EOS_TP, 300.0, 1e-320}, std::tuple{VORN_EOS_TP, 300.0, 1e-306},
        std::tuple{VORN_EOS_TRHO, 300.0, 1e-312}}) {
    const vorn_eos_state s = state(pair, x1, x2);
    EXPECT_EQ(s.flags, unsigned{VORN_EOS_FLAG_UNDEFINED}) << x2;
    EXPECT_TRUE(std::isnan(s.s) && std::isnan(s.g)) << x2;
  }
  EXPECT_EQ(state(VORN_EOS_TP, 300.0, 1e-300).flags, 0u);
  EXPECT_EQ(state(VORN_EOS_PRHO, 1e-320, 1.5e-323).flags, unsigned{VORN_EOS_FLAG_BAD_INPUT});
  EXPECT_LE(relative(state(VORN_EOS_PRHO, 1e-300, 1e-300 * 1000.0 * M / (R * 300.0)).T, 300.0), 1e-12);
}

TEST(FlashEdges, HsInTwoPhasesNextToTc) {
  // Within 0.1 mK of Tc: the quality within 1e-6, or NOT_CONVERGED (only
  // within 50 nK, where 16 ulps of T move q by more).
  for (const double dT : {1e-4, 1e-5, 1e-6, 1e-7, 6e-8, 3e-8, 1e-8, 1e-9}) {
    for (const double q : {1e-3, 0.3, 0.7, 0.999}) {
      const vorn_eos_state a = state(VORN_EOS_TQ, Tc - dT, q);
      const vorn_eos_state b = state(VORN_EOS_HS, a.h, a.s);
      SCOPED_TRACE(testing::Message() << dT << " K below Tc, q " << q);
      if (b.flags == VORN_EOS_FLAG_NOT_CONVERGED && dT < 5e-8) continue;
      EXPECT_EQ(b.flags, 0u);
      EXPECT_EQ(b.phase, VORN_EOS_PHASE_TWO_PHASE);
      EXPECT_NEAR(b.q, q, 1e-6);
    }
  }
}

TEST(FlashEdges, IsothermPairsSayWhichOfTwoStates) {
  // (T, h) and (T, u): the less dense state, flagged when a denser one has the pair.
  const struct {
    int pair;
    double T, P;
    int phase;  // of the state returned
    bool same;  // it is the (T, P) state itself
    unsigned flags;
  } rows[] = {
      {VORN_EOS_TH, 4.2, 1000.0, VORN_EOS_PHASE_TWO_PHASE, false,
       VORN_EOS_FLAG_NOT_UNIQUE},  // compressed liquid
      {VORN_EOS_TH, 10.0, 5000.0, VORN_EOS_PHASE_SUPERCRITICAL, false, VORN_EOS_FLAG_NOT_UNIQUE},
      {VORN_EOS_TH, 10.0, 100.0, VORN_EOS_PHASE_SUPERCRITICAL, true, VORN_EOS_FLAG_NOT_UNIQUE},
      {VORN_EOS_TU, 4.2, 1000.0, VORN_EOS_PHASE_LIQUID, true, VORN_EOS_FLAG_NOT_UNIQUE},
      {VORN_EOS_TH, 300.0, 100.0, VORN_EOS_PHASE_SUPERCRITICAL, true,
       0u},  // above the inversion: h rises with P
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "pair " << row.pair << " at " << row.T << " K " << row.P << " kPa");
    const vorn_eos_state a = state(VORN_EOS_TP, row.T, row.P);
    const vorn_eos_state b = state(row.pair, row.T, row.pair == VORN_EOS_TH ? a.h : a.u);
    EXPECT_EQ(b.phase, row.phase);
    EXPECT_EQ(b.flags, row.flags);
    if (row.same) {
      EXPECT_LE(relative(b.P, row.P), 1e-9);
    } else {
      EXPECT_LT(b.rho, a.rho);
    }
  }
}

TEST(FlashEdges, NewPairsRefuseWithTheRightReason) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    int pair;
    double x1, x2;
    unsigned flags;
  } rows[] = {
      {VORN_EOS_TH, 4.2, 1e9, VORN_EOS_FLAG_SOLID},          // more than the melting line's h
      {VORN_EOS_TH, 10.0, -1e9, VORN_EOS_FLAG_NO_SOLUTION},  // below the isotherm's least h
      {VORN_EOS_TU, 1.9, -1e4, VORN_EOS_FLAG_HE_II},         // below the He II bath, no He I there
      {VORN_EOS_TH, 0.0, 1e4, VORN_EOS_FLAG_BAD_INPUT},
      {VORN_EOS_TU, 2500.0, 1e4, VORN_EOS_FLAG_OUT_OF_RANGE},
      {VORN_EOS_RHOH, -1.0, 1e4, VORN_EOS_FLAG_BAD_INPUT},
      {VORN_EOS_RHOS, 100.0, -1e5, VORN_EOS_FLAG_HE_II},
      {VORN_EOS_RHOH, 100.0, 1e12, VORN_EOS_FLAG_OUT_OF_RANGE},
      {VORN_EOS_HS, nan, 1e3, VORN_EOS_FLAG_BAD_INPUT},
      {VORN_EOS_HS, -1e9, 0.0, VORN_EOS_FLAG_HE_II},
      // (h, s) far outside the fluid, by where its isentrope leaves it: the
      // melting line, 2000 K, below the coldest vapour; no entropy that high.
      {VORN_EOS_HS, 1e9, 0.0, VORN_EOS_FLAG_SOLID},
      {VORN_EOS_HS, 1e9, 1e4, VORN_EOS_FLAG_OUT_OF_RANGE},
      {VORN_EOS_HS, 1e3, 1e5, VORN_EOS_FLAG_HE_II},
      {VORN_EOS_HS, 1e5, 1e9, VORN_EOS_FLAG_NO_SOLUTION},
  };
  for (const auto& row : rows)
    EXPECT_EQ(state(row.pair, row.x1, row.x2).flags, row.flags) << row.pair << " " << row.x1 << " " << row.x2;
  // Below the lambda point's temperature the melting line parts He II from
  // the solid: He II's state on one side, the flag on the other.
  for (const double T : {1.0, 1.5}) {
    const double P_m = vorn_eos_melting_pressure(&T);
    EXPECT_EQ(state(VORN_EOS_TP, T, std::nextafter(P_m, 0.0)).phase, VORN_EOS_PHASE_HE_II) << T;
    EXPECT_EQ(state(VORN_EOS_TP, T, std::nextafter(P_m, 1e9)).flags, unsigned{VORN_EOS_FLAG_SOLID}) << T;
  }
}

}  // namespace
