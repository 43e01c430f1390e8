// (T, P) from its starts: the gas from the second virial coefficient, the
// compressed liquid from the saturated liquid's bulk modulus, the top of the
// density bracket checked only when the search ends against it. Across each
// region the root is the equation's (its (T, rho) gives P back), stable, and
// found without falling back to halving: a start that misses shows as many
// more evaluations, not as a wrong state.
#include <gtest/gtest.h>

#include <cmath>

#include "vorn.h"

namespace {

constexpr unsigned withheld = VORN_EOS_FLAG_BAD_INPUT | VORN_EOS_FLAG_HE_II | VORN_EOS_FLAG_SOLID |
                              VORN_EOS_FLAG_OUT_OF_RANGE | VORN_EOS_FLAG_NO_SOLUTION |
                              VORN_EOS_FLAG_NOT_CONVERGED;

vorn_eos_state state(int pair, double x1, double x2) {
  vorn_eos_state s{};
  s.size = sizeof s;
  EXPECT_EQ(vorn_eos_state_at(&pair, &x1, &x2, &s), 0);
  return s;
}

double saturation_pressure(double T) {
  vorn_eos_saturation sat{};
  sat.size = sizeof sat;
  EXPECT_EQ(vorn_eos_saturation_T(&T, &sat), 0);
  return sat.P;
}

TEST(TpStart, EveryRegionFromItsStart) {
  // P from lo to hi (kPa, log-spaced), below Tc as factors of the saturation
  // pressure at T; never above the melting line. The most evaluations a state
  // of the row took when written, a little over.
  const struct {
    const char* region;
    double T_lo, T_hi, P_lo, P_hi;
    bool liquid;
    int most_evaluations;
  } rows[] = {
      {"liquid, just above p_sat", 2.18, 5.0, 1.0 + 1e-12, 1.001, true, 7},
      {"compressed liquid", 2.18, 5.0, 2.0, 1e3, true, 10},
      {"liquid near Tc", 5.0, 5.19, 1.0 + 1e-9, 50.0, true, 12},
      {"vapour just below p_sat", 2.18, 5.19, 0.999, 1.0 - 1e-12, false, 18},
      {"dilute vapour", 2.18, 5.0, 1e-6, 0.5, false, 6},
      {"gas", 5.2, 1500.0, 1.0, 1e4, false, 8},
      {"dense supercritical", 5.2, 300.0, 1e4, 1e6, false, 22},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.region);
    int most = 0;
    for (int i = 0; i <= 40; ++i) {
      const double T = row.T_lo * std::pow(row.T_hi / row.T_lo, i / 40.0);
      const double p_sat = T < 5.1953 ? saturation_pressure(T) : 1.0;
      double P = (row.liquid || T < 5.1953 ? p_sat : 1.0) * row.P_lo *
                 std::pow(row.P_hi / row.P_lo, ((i * 17) % 41) / 40.0);
      P = std::fmin(P, 0.99 * vorn_eos_melting_pressure(&T));
      const vorn_eos_state s = state(VORN_EOS_TP, T, P);
      ASSERT_EQ(s.flags & withheld, 0u) << T << " K " << P << " kPa";
      EXPECT_GT(s.dpdrho, 0.0) << T << " K " << P << " kPa";
      EXPECT_EQ(s.phase == 1, row.liquid) << T << " K " << P << " kPa";
      const vorn_eos_state back = state(VORN_EOS_TRHO, T, s.rho);
      EXPECT_NEAR(back.P, P, 1e-11 * P) << T << " K " << P << " kPa";
      most = s.evaluations > most ? s.evaluations : most;
    }
    EXPECT_LE(most, row.most_evaluations);
  }
}

}  // namespace
