// The (P, u) flash, which vorn.h does not export yet: back to T from states
// of (T, P) and (T, q), one-phase, two-phase near Tc and vapour below the
// lambda temperature (molar SI units, as the flash takes them).
#include <gtest/gtest.h>

#include <cmath>

#include "reference_eos/boundaries.hpp"
#include "reference_eos/fluid_state.hpp"
#include "reference_eos/saturation.hpp"

namespace {

using vorn::reference_eos::flash;
using vorn::reference_eos::FluidState;
using vorn::reference_eos::InputPair;

TEST(PressureEnergyFlash, BackToTheState) {
  const struct {
    InputPair pair;
    double x1, x2;  // (T, p) or (T, q)
  } rows[] = {
      {InputPair::TP, 4.0, 2e5},    {InputPair::TP, 3.0, 1e4},  {InputPair::TP, 5.2, 2.29e5},
      {InputPair::TP, 300.0, 1e5},  {InputPair::TP, 10.0, 5e7}, {InputPair::TP, 1.9, 1e3},
      {InputPair::Tq, 2.3, 0.05},   {InputPair::Tq, 4.2, 0.5},  {InputPair::Tq, 5.19, 0.95},
      {InputPair::Tq, 5.1952, 0.5},
  };
  for (const auto& row : rows) {
    const FluidState a = flash(row.pair, row.x1, row.x2);
    const FluidState b = flash(InputPair::Pu, a.p, a.u);
    EXPECT_EQ(b.flags, a.flags) << row.x1;
    EXPECT_EQ(b.phase, a.phase) << row.x1;
    EXPECT_LE(std::fabs(b.T - row.x1), 1e-9 * row.x1) << row.x1;
    if (row.pair == InputPair::Tq) {
      EXPECT_NEAR(b.q, row.x2, 1e-7) << row.x1;
    }
  }
  EXPECT_EQ(flash(InputPair::Pu, 0.0, 100.0).flags, vorn::reference_eos::flag_bad_input);
}

// The bottom of the dome as the flashes take it, recomputed.
TEST(PressureEnergyFlash, LambdaPointSaturationRecomputed) {
  namespace eos = vorn::reference_eos;
  const eos::Saturation s = eos::saturation_at_temperature(eos::lambda_temperature);
  EXPECT_NEAR(s.rho_liquid, eos::lambda_saturation_liquid_density, 1e-12 * s.rho_liquid);
  EXPECT_NEAR(s.rho_vapour, eos::lambda_saturation_vapour_density, 1e-12 * s.rho_vapour);
  EXPECT_NEAR(s.p, eos::lambda_saturation_pressure, 1e-12 * s.p);
}

}  // namespace
