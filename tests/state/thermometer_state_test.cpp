// The flag sets the two thermometer reports return beside converged: the
// result's state, the reference's, and arguments that are no measurement.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "vorn.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct Acoustic {
  double T;
  int iterations, converged;
  unsigned state;
};

Acoustic acoustic(double phi, double P, double T0, double P0) {
  Acoustic a{0.0, -1, -1, 0xdeadU};
  a.T = vorn_temp_K_report_state(&phi, &P, &T0, &P0, &a.iterations, &a.converged, &a.state);
  return a;
}

struct AcousticCase {
  double phi, P, T0, P0;
  unsigned set, clear;
};

TEST(ThermometerState, AcousticResultFlags) {
  const unsigned any = ~0U;
  const AcousticCase cases[] = {
      {0.1, 10.0, 273.16, 100.0, 0, any},   // 27.32 K, 10 kPa: a plain gas state
      {1.1, 110.0, 273.16, 100.0, 0, any},  // 300.48 K
      // P = NaN used to give 1.36714 K, converged, with no word.
      {0.005, nan, 273.16, 100.0, VORN_STATE_INVALID, 0},
      {-0.1, 10.0, 273.16, 100.0, VORN_STATE_INVALID, 0},
      {0.0, 10.0, 273.16, 100.0, VORN_STATE_INVALID, 0},
      {0.1, 0.0, 273.16, 100.0, VORN_STATE_INVALID, 0},
      {0.1, 10.0, 0.0, 100.0, VORN_STATE_INVALID, 0},
      {0.1, 10.0, 273.16, -100.0, VORN_STATE_INVALID, 0},
      {0.1, 10.0, 273.16, std::numeric_limits<double>::infinity(), VORN_STATE_INVALID, 0},
      // A result in the liquid: 2.567 K at 20 kPa (saturation there is 11 kPa).
      {0.008, 20.0, 273.16, 100.0, VORN_STATE_LIQUID, VORN_STATE_INVALID},
      // At or below 1.95 K the result does not depend on P.
      {0.009745, 0.0357, 200.0, 5.0, VORN_STATE_ZA_PRESSURE_FREE, VORN_STATE_INVALID},
      {0.005, 0.025, 1.5, 5.0, VORN_STATE_ZA_PRESSURE_FREE, VORN_STATE_INVALID},
      // A reference in the liquid spoils the result as much as a result there.
      {10.0, 1.0, 4.2, 150.0, VORN_STATE_LIQUID, 0},
  };
  for (const AcousticCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.phi << " " << c.P << " " << c.T0 << " " << c.P0);
    const Acoustic a = acoustic(c.phi, c.P, c.T0, c.P0);
    EXPECT_EQ(a.state & c.set, c.set) << a.state;
    EXPECT_EQ(a.state & c.clear & ~c.set, 0U) << a.state;
    // The same result and report as vorn_temp_K_report.
    int iterations = -1, converged = -1;
    const double T = vorn_temp_K_report(&c.phi, &c.P, &c.T0, &c.P0, &iterations, &converged);
    EXPECT_EQ(std::memcmp(&T, &a.T, sizeof T), 0);
    EXPECT_EQ(iterations, a.iterations);
    EXPECT_EQ(converged, a.converged);
  }
  // The state of a result is the library's state there, at least.
  const Acoustic liquid = acoustic(0.008, 20.0, 273.16, 100.0);
  const double P = 20.0;
  EXPECT_EQ(liquid.state & vorn_state(&liquid.T, &P), vorn_state(&liquid.T, &P));
  EXPECT_NEAR(liquid.T, 2.567, 1e-3);
  EXPECT_EQ(liquid.converged, 1);
  // Every report pointer may be NULL.
  const double phi = 0.1, P10 = 10.0, T0 = 273.16, P0 = 100.0;
  EXPECT_EQ(vorn_temp_K_report_state(&phi, &P10, &T0, &P0, nullptr, nullptr, nullptr),
            temp_K(&phi, &P10, &T0, &P0));
}

struct GasCase {
  double P, T0, P0;
  unsigned set, clear;
};

TEST(ThermometerState, GasThermometerResultFlags) {
  const unsigned any = ~0U;
  const GasCase cases[] = {
      {10.0, 273.16, 100.0, 0, any},
      {nan, 273.16, 100.0, VORN_STATE_INVALID, 0},
      {10.0, -1.0, 100.0, VORN_STATE_INVALID, 0},
      {10.0, 273.16, 0.0, VORN_STATE_INVALID, 0},
      {0.0, 273.16, 100.0, VORN_STATE_INVALID, 0},
      // A reference past the turning point of its isotherm: no gas root there.
      {10.0, 4.2, 200.0, VORN_STATE_VIRIAL_DIVERGENT | VORN_STATE_LIQUID, 0},
  };
  for (const GasCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.P << " " << c.T0 << " " << c.P0);
    int iterations = -1, converged = -1;
    unsigned state = 0xdeadU;
    const double T = vorn_cvgt_temperature_state(&c.P, &c.T0, &c.P0, &iterations, &converged, &state);
    EXPECT_EQ(state & c.set, c.set) << state;
    EXPECT_EQ(state & c.clear & ~c.set, 0U) << state;
    int plain_iterations = -1, plain_converged = -1;
    const double plain = vorn_cvgt_temperature(&c.P, &c.T0, &c.P0, &plain_iterations, &plain_converged);
    EXPECT_EQ(std::memcmp(&T, &plain, sizeof T), 0);
    EXPECT_EQ(iterations, plain_iterations);
    EXPECT_EQ(converged, plain_converged);
  }
}

}  // namespace
