// Transport of the reference family as a host reaches it: the value codes and
// the struct's appended fields at the states engineers ask about, NaN where a
// value means nothing, the saturated phases, and transport filled in on demand
// whatever order a host asks in (a first-version struct first, a transport code
// next, at the same state).
#include <gtest/gtest.h>

#include <cmath>

#include "vorn.h"

namespace {

double value(int property, int pair, double x1, double x2) {
  return vorn_eos_value(&property, &pair, &x1, &x2);
}

vorn_eos_state state(int pair, double x1, double x2, std::size_t size = sizeof(vorn_eos_state)) {
  vorn_eos_state s{};
  s.size = size;
  EXPECT_EQ(vorn_eos_state_at(&pair, &x1, &x2, &s), 0);
  return s;
}

struct Expected {
  const char* where;
  double T, P;       // K, kPa
  double eta, k;     // Pa s, W/(m K)
  double tolerance;  // relative
};

// Round values of the engineer's regions (the liquid's to two figures, hence
// its wider tolerance; the published check values are tested below the
// exports): compressed liquid, a gas cylinder, room temperature.
const Expected kStates[] = {
    {"liquid 4.5 K 3 bar", 4.5, 300.0, 3.5e-6, 0.019, 0.08},
    {"cylinder 300 K 20 MPa", 300.0, 20000.0, 20.4e-6, 0.170, 0.03},
    {"gas 300 K 1 bar", 300.0, 100.0, 19.9e-6, 0.156, 0.02},
};

TEST(ReferenceTransportExports, ValuesWhereEngineersNeedThem) {
  for (const Expected& e : kStates) {
    SCOPED_TRACE(e.where);
    const vorn_eos_state s = state(VORN_EOS_TP, e.T, e.P);
    EXPECT_NEAR(s.viscosity / e.eta, 1.0, e.tolerance);
    EXPECT_NEAR(s.conductivity / e.k, 1.0, e.tolerance);
    // The derived ones from the struct's own rho and cp (per kilogram).
    EXPECT_NEAR(s.kinematic_viscosity * s.rho / s.viscosity, 1.0, 1e-14);
    EXPECT_NEAR(s.thermal_diffusivity * s.rho * s.cp / s.conductivity, 1.0, 1e-14);
    EXPECT_NEAR(s.prandtl * s.conductivity / (s.viscosity * s.cp), 1.0, 1e-14);
  }
}

// Transport is added to the thread's kept state when first asked for: a host
// built against the first struct (no room for it) and a transport code at the
// same state, in either order, get the same bits as a fresh full struct.
TEST(ReferenceTransportExports, FilledOnDemandInAnyOrder) {
  const int pair = VORN_EOS_TRHO;
  const double T = 5.3, rho = 60.0;  // inside the critical region
  const vorn_eos_state full = state(pair, T, rho);
  ASSERT_TRUE(std::isfinite(full.conductivity));
  (void)state(VORN_EOS_TP, 300.0, 100.0);  // another state in between
  (void)state(pair, T, rho, VORN_EOS_STATE_SIZE_V1);
  EXPECT_EQ(value(VORN_EOS_CONDUCTIVITY, pair, T, rho), full.conductivity);
  EXPECT_EQ(value(VORN_EOS_PRANDTL, pair, T, rho), full.prandtl);
  (void)value(VORN_EOS_CP, VORN_EOS_TP, 300.0, 100.0);
  (void)value(VORN_EOS_CP, pair, T, rho);
  EXPECT_EQ(state(pair, T, rho).viscosity, full.viscosity);
  // The array form fills transport when its stride holds it.
  const double Ts[] = {T, 300.0}, rhos[] = {rho, 0.16};
  vorn_eos_state out[2]{};
  out[0].size = sizeof out[0];
  ASSERT_EQ(vorn_eos_state_n(2, &pair, Ts, rhos, out), 0);
  EXPECT_EQ(out[0].thermal_diffusivity, full.thermal_diffusivity);
  EXPECT_TRUE(std::isfinite(out[1].kinematic_viscosity));
}

// No value where none exists: a two-phase mixture (each saturated phase has
// its own, in the saturation struct), states the flags withhold, bad codes.
TEST(ReferenceTransportExports, NaNWhereMeaningless) {
  const int codes[] = {VORN_EOS_VISCOSITY, VORN_EOS_CONDUCTIVITY, VORN_EOS_KINEMATIC_VISCOSITY,
                       VORN_EOS_THERMAL_DIFFUSIVITY, VORN_EOS_PRANDTL};
  struct Withheld {
    int pair;
    double x1, x2;
    unsigned flag;  // 0: two-phase, told by the phase
  };
  const Withheld kWithheld[] = {
      {VORN_EOS_TQ, 4.2, 0.5, 0U},
      {VORN_EOS_TRHO, 4.2, 60.0, 0U},
      {VORN_EOS_TP, 0.7, 100.0, VORN_EOS_FLAG_HE_II},
      {VORN_EOS_TP, 3.0, 20000.0, VORN_EOS_FLAG_SOLID},
      {VORN_EOS_TP, -1.0, 100.0, VORN_EOS_FLAG_BAD_INPUT},
      {VORN_EOS_TP, 2500.0, 100.0, VORN_EOS_FLAG_OUT_OF_RANGE},
  };
  for (const Withheld& w : kWithheld) {
    SCOPED_TRACE(w.x1);
    const vorn_eos_state s = state(w.pair, w.x1, w.x2);
    if (w.flag == 0U)
      EXPECT_EQ(s.phase, VORN_EOS_PHASE_TWO_PHASE);
    else
      EXPECT_NE(s.flags & w.flag, 0U);
    for (const int code : codes) EXPECT_TRUE(std::isnan(value(code, w.pair, w.x1, w.x2))) << code;
    EXPECT_TRUE(std::isnan(s.viscosity) && std::isnan(s.conductivity) && std::isnan(s.prandtl));
  }
  // The codes on either side of the transport ones are unknown.
  EXPECT_TRUE(std::isnan(value(VORN_EOS_PRANDTL + 1, VORN_EOS_TP, 300.0, 100.0)));
  EXPECT_TRUE(std::isnan(value(0, VORN_EOS_TP, 300.0, 100.0)));
}

// Each saturated phase carries the transport of the one-phase state at its
// density; the liquid is the more viscous below Tc, the two meet towards it,
// and the conductivity grows without bound there (the critical enhancement).
TEST(ReferenceTransportExports, SaturatedPhases) {
  double previous_ratio = 1e9;
  for (const double T : {2.2, 3.0, 4.2, 5.0, 5.19}) {
    SCOPED_TRACE(T);
    vorn_eos_saturation sat{};
    sat.size = sizeof sat;
    ASSERT_EQ(vorn_eos_saturation_T(&T, &sat), 0);
    const vorn_eos_state l = state(VORN_EOS_TRHO, T, sat.rho_liquid);
    const vorn_eos_state v = state(VORN_EOS_TRHO, T, sat.rho_vapour);
    EXPECT_NEAR(sat.viscosity_liquid / l.viscosity, 1.0, 1e-9);
    EXPECT_NEAR(sat.viscosity_vapour / v.viscosity, 1.0, 1e-9);
    EXPECT_NEAR(sat.conductivity_liquid / l.conductivity, 1.0, 1e-9);
    EXPECT_NEAR(sat.conductivity_vapour / v.conductivity, 1.0, 1e-9);
    const double ratio = sat.viscosity_liquid / sat.viscosity_vapour;
    EXPECT_GT(ratio, 1.0);
    EXPECT_LT(ratio, previous_ratio);
    previous_ratio = ratio;
  }
  vorn_eos_saturation near_tc{};
  near_tc.size = sizeof near_tc;
  const double T = 5.195;
  ASSERT_EQ(vorn_eos_saturation_T(&T, &near_tc), 0);
  EXPECT_GT(near_tc.conductivity_vapour, 0.05);  // several times the background
  // Outside the saturation range: NaN with the flag, as every other field.
  vorn_eos_saturation he_ii{};
  he_ii.size = sizeof he_ii;
  const double cold = 1.2;  // below the He II bath
  ASSERT_EQ(vorn_eos_saturation_T(&cold, &he_ii), 0);
  EXPECT_EQ(he_ii.flags, VORN_EOS_FLAG_HE_II);
  EXPECT_TRUE(std::isnan(he_ii.viscosity_liquid) && std::isnan(he_ii.conductivity_vapour));
}

}  // namespace
