// State flags: each flag on a state that has it and on neighbours that do not.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "vorn.h"

namespace {

unsigned flags(double T, double P) { return vorn_state(&T, &P); }

// The pressure at which the liquid flag switches on at T, by bisection on the flag itself.
double liquid_onset(double T) {
  double lo = 1e-6;
  double hi = 300.0;
  for (int i = 0; i < 100; ++i) {
    const double mid = 0.5 * (lo + hi);
    ((flags(T, mid) & VORN_STATE_LIQUID) != 0U ? hi : lo) = mid;
  }
  return 0.5 * (lo + hi);
}

struct FlagCase {
  double T, P;
  unsigned set;    // flags that must be set
  unsigned clear;  // flags that must be clear
};

TEST(StateFlags, EachFlagOnItsStateAndOffItsNeighbours) {
  const double k_lower_pole = 36.3759531;
  const double k_upper_pole = 184.4868237;
  const FlagCase cases[] = {
      {300.0, 101.325, 0, ~0U},
      {4.2, 99.0, 0, VORN_STATE_LIQUID},  // ITS-90 saturation at 4.2 K is about 99.23 kPa
      {4.2, 101.0, VORN_STATE_LIQUID, VORN_STATE_DENSITY_TURNED | VORN_STATE_SOUND_UNDEFINED},
      {5.3, 1000.0, 0, VORN_STATE_LIQUID},  // above the critical point there is no liquid
      {2.5, 66.5, 0, VORN_STATE_DENSITY_TURNED},
      {2.5, 66.7, VORN_STATE_DENSITY_TURNED, 0},
      {4.2, 267.8, 0, VORN_STATE_DENSITY_TURNED},
      {4.2, 267.85, VORN_STATE_DENSITY_TURNED, 0},
      {4.2, 250.0, VORN_STATE_SOUND_UNDEFINED, 0},
      {4.2, 100.0, 0, VORN_STATE_SOUND_UNDEFINED},
      {3.0, 100.0, VORN_STATE_ZA_NONPOSITIVE, 0},
      {3.0, 10.0, 0, VORN_STATE_ZA_NONPOSITIVE},
      {k_lower_pole, 100.0, VORN_STATE_K_POLE, 0},
      {k_lower_pole - 0.9e-3, 100.0, VORN_STATE_K_POLE, 0},
      {k_lower_pole + 0.9e-3, 100.0, VORN_STATE_K_POLE, 0},
      {k_lower_pole - 1.1e-3, 100.0, 0, VORN_STATE_K_POLE},
      {k_lower_pole + 1.1e-3, 100.0, 0, VORN_STATE_K_POLE},
      {k_upper_pole, 100.0, VORN_STATE_K_POLE, 0},
      {k_upper_pole + 5e-6, 100.0, VORN_STATE_K_POLE, 0},  // between the pole and the zero of the numerator
      {k_upper_pole - 1.1e-3, 100.0, 0, VORN_STATE_K_POLE},
      {k_upper_pole + 1.1e-3, 100.0, 0, VORN_STATE_K_POLE},
      {0.05, 0.0, VORN_STATE_NU_NEGATIVE, 0},
      {0.2, 0.0, 0, VORN_STATE_NU_NEGATIVE},
  };
  for (const FlagCase& c : cases) {
    SCOPED_TRACE("T = " + std::to_string(c.T) + " K, P = " + std::to_string(c.P) + " kPa");
    const unsigned f = flags(c.T, c.P);
    EXPECT_EQ(f & c.set, c.set) << "flags " << f;
    EXPECT_EQ(f & c.clear & ~c.set, 0U) << "flags " << f;
  }
}

TEST(StateFlags, ConductivityFlagFollowsTheSignOfK0BesideThePoles) {
  // Between a pole and the zero of the numerator beside it k0 is negative: flagged.
  for (double T = 36.3759; T < 36.3761; T += 1e-7) {
    if (vorn_k0(&T) < 0.0) {
      EXPECT_NE(flags(T, 1.0) & VORN_STATE_K_POLE, 0U) << T;
    }
  }
  for (double T = 184.48680; T < 184.48686; T += 1e-7) {
    if (vorn_k0(&T) < 0.0) {
      EXPECT_NE(flags(T, 1.0) & VORN_STATE_K_POLE, 0U) << T;
    }
  }
}

TEST(StateFlags, ViscosityFlagAgreesWithTheSignOfNu0) {
  for (double T = 0.01; T < 0.3; T += 0.001) {
    EXPECT_EQ((flags(T, 1.0) & VORN_STATE_NU_NEGATIVE) != 0U, vorn_nu0(&T) < 0.0) << T;
  }
}

TEST(StateFlags, InvalidInputs) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double bad[][2] = {{0.0, 100.0}, {-0.0, 100.0},    {-5.0, 100.0}, {nan, 100.0},
                           {inf, 100.0}, {300.0, -1e-300}, {300.0, nan},  {300.0, inf}};
  for (const auto& s : bad) EXPECT_EQ(flags(s[0], s[1]), VORN_STATE_INVALID) << s[0] << " " << s[1];
  EXPECT_EQ(flags(std::numeric_limits<double>::denorm_min(), 0.0) & VORN_STATE_INVALID, 0U);
  EXPECT_EQ(flags(300.0, 0.0), 0U);
}

// The liquid flag switches on at the ITS-90 helium-4 vapour pressure.
TEST(StateFlags, LiquidOnsetIsTheIts90VapourPressure) {
  struct Point {
    double T_K, p_kPa, rel;
  };
  const Point published[] = {
      {4.2221, 101.325, 2e-5},  // normal boiling point on ITS-90
      {2.1768, 5.0418, 1e-4},   // lambda point
      {5.1953, 227.6, 1e-6},    // critical point (the end of the curve as used)
  };
  for (const Point& p : published) EXPECT_NEAR(liquid_onset(p.T_K), p.p_kPa, p.rel * p.p_kPa) << p.T_K;
  // The curve is continuous where the ranges meet and rises with T throughout.
  for (double T_join : {1.25, 2.1768, 5.0}) {
    const double below = liquid_onset(std::nextafter(T_join, 0.0));
    const double above = liquid_onset(std::nextafter(T_join, 10.0));
    EXPECT_NEAR(below, above, 1e-4 * above) << T_join;
  }
  double previous = 0.0;
  for (double T = 0.8; T < 5.19; T += 0.01) {
    const double p = liquid_onset(T);
    EXPECT_GT(p, previous) << T;
    previous = p;
  }
}

TEST(StateFlags, NamesOfEveryFlag) {
  const struct {
    unsigned bit;
    const char* name;
  } names[] = {{VORN_STATE_INVALID, "invalid"},
               {VORN_STATE_LIQUID, "liquid"},
               {VORN_STATE_DENSITY_TURNED, "density-turned"},
               {VORN_STATE_SOUND_UNDEFINED, "sound-undefined"},
               {VORN_STATE_ZA_NONPOSITIVE, "za-nonpositive"},
               {VORN_STATE_K_POLE, "k-pole"},
               {VORN_STATE_NU_NEGATIVE, "nu-negative"}};
  for (const auto& n : names) EXPECT_STREQ(vorn_state_name(n.bit), n.name);
  for (unsigned other : {0U, 3U, 128U, 0x80000000U}) EXPECT_STREQ(vorn_state_name(other), "unknown");
}

}  // namespace
