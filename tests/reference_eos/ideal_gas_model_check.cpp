// A second model through the same flashes: a monatomic ideal gas (no
// residual part, no two-phase region, no lines), passed as a value where the
// reference equation goes. Every pair that fixes a state of it returns the
// closed forms
//   p = rho R T,  u = 3/2 R T,  h = 5/2 R T,  s = R (1.5 - ln(rho/rho_c) + 1.5 ln(T/Tc)),
//   cv = 3/2 R,  cp = 5/2 R,  w^2 = 5/3 RT/M,  kappa = 1/p,  alpha = 1/T,  B = 0,
// to the iterations' tolerance; the quality pairs have no state. From 10 K:
// the searches on an isotherm (T, s) and an isentrope (h, s) still stop at
// helium's melting pressure, which they take from boundaries.hpp, not from
// the model.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "reference_eos/fluid_state.hpp"
#include "reference_eos/model.hpp"

namespace {

namespace eos = vorn::reference_eos;
using eos::InputPair;

constexpr double kR = 8.3144598;
constexpr double kM = 0.004002602;
constexpr double kTc = 0.5;      // K: below every state the flashes look at, so no dome
constexpr double kRhoc = 100.0;  // mol/m3

eos::HelmholtzDerivatives no_residual(double, double) { return {0.0, 0.0, 0.0, 0.0, 0.0, 0.0}; }
double zero(double) { return 0.0; }
double log_of(double tau) { return std::log(tau); }
eos::Saturation no_saturation(double) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  return {nan, nan, nan, nan, 0, false};
}
double no_pressure() { return std::numeric_limits<double>::quiet_NaN(); }
unsigned range_only(double T, double, double) { return T > 2000.0 ? eos::flag_out_of_range : 0U; }
double coldest(double) { return 1.0; }
unsigned solid_below(double) { return eos::flag_solid; }

eos::HelmholtzModel ideal_gas() {
  eos::HelmholtzModel m{};
  m.gas_constant = kR;
  m.molar_mass = kM;
  m.critical_temperature = kTc;
  m.critical_density = kRhoc;
  m.ideal_a1 = 0.0;
  m.ideal_a2 = 0.0;
  m.residual = no_residual;
  m.residual_zero_density_slope = zero;
  m.log_tau = log_of;
  m.dome_bottom = {kTc, 0.0, 0.0, 0.0, 0, true};
  m.saturation_at_temperature = no_saturation;
  m.saturation_at_pressure = no_saturation;
  m.saturation_at_density = no_saturation;
  m.critical_pressure = no_pressure;
  m.limit_flags = range_only;
  m.coldest_fluid_temperature = coldest;
  m.colder_than_fluid = solid_below;
  m.extrapolation_temperature = 2000.0;
  return m;
}

struct Closed {
  double T, p, rho, u, h, s;
};

Closed closed_form(double T, double p) {
  const double rho = p / (kR * T);
  return {
      T, p, rho, 1.5 * kR * T, 2.5 * kR * T, kR * (1.5 - std::log(rho / kRhoc) + 1.5 * std::log(T / kTc))};
}

TEST(IdealGasModel, EveryPairReturnsTheClosedForms) {
  const eos::HelmholtzModel m = ideal_gas();
  for (double T : {10.0, 30.0, 300.0, 1700.0}) {
    for (double p : {10.0, 1e5, 3e7}) {
      const Closed c = closed_form(T, p);
      const struct {
        InputPair pair;
        double x1, x2;
      } inputs[] = {
          {InputPair::TP, T, p},         {InputPair::Trho, T, c.rho},   {InputPair::Prho, p, c.rho},
          {InputPair::Ph, p, c.h},       {InputPair::Ps, p, c.s},       {InputPair::Pu, p, c.u},
          {InputPair::Ts, T, c.s},       {InputPair::rhou, c.rho, c.u}, {InputPair::rhoh, c.rho, c.h},
          {InputPair::rhos, c.rho, c.s}, {InputPair::hs, c.h, c.s}};
      for (const auto& in : inputs) {
        SCOPED_TRACE(testing::Message()
                     << "pair " << static_cast<int>(in.pair) << " at " << T << " K, " << p << " Pa");
        const eos::FluidState s = eos::flash(m, in.pair, in.x1, in.x2);
        ASSERT_EQ(s.flags, 0U);
        EXPECT_EQ(s.phase, eos::Phase::supercritical);
        EXPECT_NEAR(s.T / T, 1.0, 1e-12);
        EXPECT_NEAR(s.p / p, 1.0, 1e-12);
        EXPECT_NEAR(s.rho / c.rho, 1.0, 1e-12);
        EXPECT_NEAR(s.h / c.h, 1.0, 1e-12);
        EXPECT_NEAR(s.s - c.s, 0.0, 1e-12 * kR * (1.0 + std::fabs(c.s / kR)));
        EXPECT_DOUBLE_EQ(s.Z, 1.0);
        EXPECT_DOUBLE_EQ(s.cv, 1.5 * kR);
        EXPECT_DOUBLE_EQ(s.cp, 2.5 * kR);
        EXPECT_NEAR(s.w / std::sqrt(5.0 / 3.0 * kR * s.T / kM), 1.0, 1e-15);
        EXPECT_NEAR(s.kappa * s.p, 1.0, 1e-12);
        EXPECT_NEAR(s.alpha * s.T, 1.0, 1e-15);
        EXPECT_EQ(s.jt, 0.0);
        EXPECT_EQ(s.B, 0.0);
      }
      // (T, p) and (T, rho) take no iteration: exactly the ideal gas.
      EXPECT_EQ(eos::flash(m, InputPair::TP, T, p).rho, c.rho);
      EXPECT_EQ(eos::flash(m, InputPair::Trho, T, c.rho).p, c.rho * (kR * T));
    }
  }
}

TEST(IdealGasModel, NoDomeNoQualityAndTheModelsRange) {
  const eos::HelmholtzModel m = ideal_gas();
  for (const auto pair : {InputPair::Tq, InputPair::Pq})
    EXPECT_NE(eos::flash(m, pair, 300.0, 0.5).flags & eos::flags_without_result, 0U);
  EXPECT_EQ(eos::flash(m, InputPair::TP, 2000.0, 1e5).flags, 0U);
  EXPECT_EQ(eos::flash(m, InputPair::TP, std::nextafter(2000.0, 3000.0), 1e5).flags, eos::flag_out_of_range);
  // The He I equation's lines are not this model's: below the lambda line of
  // helium, a state of the ideal gas.
  EXPECT_EQ(eos::flash(m, InputPair::TP, 1.5, 1e6).flags, 0U);
}

}  // namespace
