// The reference equation's whole state and saturation as a host asks for
// them, for the tests that call them many times.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "vorn.h"

namespace vorn_test {

inline vorn_eos_state state(int pair, double x1, double x2) {
  vorn_eos_state s{};
  s.size = sizeof s;
  EXPECT_EQ(vorn_eos_state_at(&pair, &x1, &x2, &s), 0);
  return s;
}

inline vorn_eos_saturation saturation_T(double T) {
  vorn_eos_saturation s{};
  s.size = sizeof s;
  EXPECT_EQ(vorn_eos_saturation_T(&T, &s), 0);
  return s;
}

inline vorn_eos_saturation saturation_P(double P) {
  vorn_eos_saturation s{};
  s.size = sizeof s;
  EXPECT_EQ(vorn_eos_saturation_P(&P, &s), 0);
  return s;
}

// The state without the transport (the first version of the struct), whose
// flags are the equation's alone.
inline vorn_eos_state equation_state(int pair, double x1, double x2) {
  vorn_eos_state s{};
  s.size = VORN_EOS_STATE_SIZE_V1;
  EXPECT_EQ(vorn_eos_state_at(&pair, &x1, &x2, &s), 0);
  return s;
}

// Every pair's inputs read off the state a, flashed back: a state (no flag
// beyond `allowed` and not-unique), mechanically stable where one-phase, in
// a's phase, with a's T and P (and q) within `tolerance`. (T, P) does not fix
// a two-phase state, nor (T, q) and (p, q) a one-phase one: those are left
// out. (T, h) and (T, u) give the less dense of two states where there are
// two: a's twin, with a's T and h (u).
inline void round_trip(const vorn_eos_state& a, unsigned allowed, double tolerance) {
  const bool mixed = !std::isnan(a.q);
  const struct {
    int pair;
    double x1, x2;
  } pairs[] = {{VORN_EOS_TP, a.T, a.P},     {VORN_EOS_TRHO, a.T, a.rho}, {VORN_EOS_PRHO, a.P, a.rho},
               {VORN_EOS_PH, a.P, a.h},     {VORN_EOS_PS, a.P, a.s},     {VORN_EOS_TS, a.T, a.s},
               {VORN_EOS_RHOU, a.rho, a.u}, {VORN_EOS_TQ, a.T, a.q},     {VORN_EOS_PQ, a.P, a.q},
               {VORN_EOS_PU, a.P, a.u},     {VORN_EOS_TH, a.T, a.h},     {VORN_EOS_TU, a.T, a.u},
               {VORN_EOS_RHOH, a.rho, a.h}, {VORN_EOS_RHOS, a.rho, a.s}, {VORN_EOS_HS, a.h, a.s}};
  auto relative = [](double x, double y) { return std::fabs(x - y) / std::fabs(y); };
  for (const auto& p : pairs) {
    if (p.pair == VORN_EOS_TP ? mixed : (p.pair == VORN_EOS_TQ || p.pair == VORN_EOS_PQ) && !mixed) continue;
    const vorn_eos_state b = equation_state(p.pair, p.x1, p.x2);
    SCOPED_TRACE(testing::Message() << "pair " << p.pair << " at " << a.T << " K " << a.P << " kPa");
    EXPECT_EQ(b.flags & ~(allowed | VORN_EOS_FLAG_NOT_UNIQUE), 0u);
    if ((p.pair == VORN_EOS_TH || p.pair == VORN_EOS_TU) && (b.flags & VORN_EOS_FLAG_NOT_UNIQUE) != 0u &&
        b.rho < a.rho * (1.0 - 1e-6)) {
      EXPECT_EQ(b.T, a.T);
      EXPECT_LE(relative(p.pair == VORN_EOS_TH ? b.h : b.u, p.x2), 1e-12);
      continue;
    }
    EXPECT_LE(relative(b.T, a.T), tolerance);
    EXPECT_LE(relative(b.P, a.P), tolerance);
    EXPECT_EQ(b.phase, a.phase);
    if (a.phase == VORN_EOS_PHASE_TWO_PHASE) {
      EXPECT_NEAR(b.q, a.q, tolerance);
    } else {
      EXPECT_GT(b.dpdrho, 0.0);
    }
  }
}

}  // namespace vorn_test
