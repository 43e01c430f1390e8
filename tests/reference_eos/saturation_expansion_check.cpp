// The saturation curve's series (saturation_expansion.hpp) against the
// equations they stand for: the phases they give at 10,000 temperatures and
// 10,000 pressures up to 21 mK below Tc are in equilibrium (equal p and g);
// against the equation's solution at 50 digits nearer Tc; and their ends.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "reference_eos/boundaries.hpp"
#include "reference_eos/constants.hpp"
#include "reference_eos/properties.hpp"
#include "reference_eos/saturation.hpp"
#include "reference_eos/saturation_expansion.hpp"
#include "reference_eos/saturation_expansion_data.hpp"

namespace {

namespace eos = vorn::reference_eos;

constexpr int kPoints = 10000;
constexpr double kEps = std::numeric_limits<double>::epsilon();
// Where the solution in doubles still has its digits (theta = 4e-3).
const double kSwitchT = eos::critical_temperature * (1.0 - 4e-3);

double relative(double a, double b) { return std::fabs(a / b - 1.0); }

double worst_of(const eos::Saturation& a, const eos::Saturation& b) {
  return std::fmax(std::fmax(relative(a.T, b.T), relative(a.p, b.p)),
                   std::fmax(relative(a.rho_liquid, b.rho_liquid), relative(a.rho_vapour, b.rho_vapour)));
}

// Equal p on both sides, and equal g. The liquid is stiff (rho dp/drho up
// to 900 p): its p carries, beyond 1e-12, what a few units in the last place
// of rho' move it by.
double unequal_g(const eos::Saturation& e) {
  const eos::FluidProperties l = eos::properties_at(eos::he_i_equation(), e.T, e.rho_liquid);
  const eos::FluidProperties v = eos::properties_at(eos::he_i_equation(), e.T, e.rho_vapour);
  EXPECT_LE(std::fabs(l.p - e.p), 1e-12 * e.p + 8.0 * kEps * e.rho_liquid * l.dpdrho) << e.T;
  EXPECT_LE(relative(v.p, e.p), 1e-12) << e.T;
  return std::fabs(l.g - v.g) / (eos::gas_constant * e.T);
}

TEST(SaturationSeries, GivePhasesInEquilibrium) {
  double round_trip = 0.0;
  double equal_g = 0.0;
  const double p_top = eos::expanded_saturation_at_temperature(kSwitchT).p;
  for (int i = 0; i <= kPoints; ++i) {
    const double T = eos::lambda_temperature + (kSwitchT - eos::lambda_temperature) * i / kPoints;
    const eos::Saturation e = eos::expanded_saturation_at_temperature(T);
    ASSERT_TRUE(e.converged) << T;
    round_trip = std::fmax(round_trip, relative(eos::expanded_saturation_at_pressure(e.p).T, T));
    equal_g = std::fmax(equal_g, unequal_g(e));
    const double p =
        eos::lambda_saturation_pressure + (p_top - eos::lambda_saturation_pressure) * i / kPoints;
    const eos::Saturation ep = eos::expanded_saturation_at_pressure(p);
    ASSERT_TRUE(ep.converged) << p;
    equal_g = std::fmax(equal_g, unequal_g(ep));
  }
  RecordProperty("largest_unequal_g", std::to_string(equal_g));
  EXPECT_LE(round_trip, 4e-15);
  EXPECT_LE(equal_g, 1e-12);
}

TEST(SaturationSeries, EndsFromBothSides) {
  // The lambda point is the series' first state, and nothing colder is.
  EXPECT_TRUE(eos::expanded_saturation_at_temperature(eos::lambda_temperature).converged);
  EXPECT_FALSE(
      eos::expanded_saturation_at_temperature(std::nextafter(eos::lambda_temperature, 0.0)).converged);
  const eos::Saturation at_lambda = eos::expanded_saturation_at_pressure(eos::lambda_saturation_pressure);
  EXPECT_TRUE(at_lambda.converged);
  EXPECT_LE(relative(at_lambda.T, eos::lambda_temperature), 1e-14);
  EXPECT_FALSE(
      eos::expanded_saturation_at_pressure(eos::lambda_saturation_pressure * (1.0 - 1e-11)).converged);
  // Across the switch to the join, 52 nK below Tc: continuous (one ulp of T
  // moves the densities by 4e-12 this close to Tc).
  const double T_switch = eos::critical_temperature * (1.0 - eos::saturation_data::switch_theta);
  EXPECT_LE(worst_of(eos::saturation_at_temperature(std::nextafter(T_switch, 0.0)),
                     eos::saturation_at_temperature(std::nextafter(T_switch, 6.0))),
            2e-11);
  // Tc closes the dome on (Tc, rho_c, pc), from T and from p.
  for (const eos::Saturation& c : {eos::saturation_at_temperature(eos::critical_temperature),
                                   eos::saturation_at_pressure(eos::saturation_data::critical_pressure)}) {
    EXPECT_EQ(c.T, eos::critical_temperature);
    EXPECT_EQ(c.rho_liquid, eos::critical_density);
    EXPECT_EQ(c.rho_vapour, eos::critical_density);
  }
  // Out of range or not a number: no series value.
  for (double T : {0.0, -1.0, std::nextafter(eos::critical_temperature, 6.0), std::nan("")})
    EXPECT_FALSE(eos::expanded_saturation_at_temperature(T).converged) << T;
  for (double p : {0.0, -1.0, 2.3e5, std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_FALSE(eos::expanded_saturation_at_pressure(p).converged) << p;
}

// Where an isochore meets the dome, from either phase's density: back to the
// T and the other density the curve gives there, across the pieces, their
// narrow run near Tc and the join; outside the lambda point's densities none.
TEST(SaturationSeries, InvertedAtEitherDensity) {
  for (double theta : {0.58, 0.3, 0.05, 4e-3, 1e-3, 1e-5, 1e-7, 1.1e-8, 5e-9, 1e-12}) {
    const double T = eos::critical_temperature * (1.0 - theta);
    const eos::Saturation s = eos::saturation_at_temperature(T);
    for (const double rho : {s.rho_liquid, s.rho_vapour}) {
      const eos::Saturation back = eos::saturation_at_density(rho);
      ASSERT_TRUE(back.converged) << theta;
      // T from rho is well-conditioned near Tc (the curve is steep in T).
      EXPECT_LE(std::fabs(back.T - T), 1e-12 * T) << theta;
      EXPECT_LE(relative(back.rho_liquid, s.rho_liquid), 1e-11) << theta;
      EXPECT_LE(relative(back.rho_vapour, s.rho_vapour), 1e-11) << theta;
    }
  }
  const eos::Saturation lambda = eos::saturation_at_temperature(eos::lambda_temperature);
  EXPECT_FALSE(eos::saturation_at_density(lambda.rho_liquid * (1.0 + 1e-12)).converged);
  EXPECT_FALSE(eos::saturation_at_density(lambda.rho_vapour * (1.0 - 1e-12)).converged);
  EXPECT_EQ(eos::saturation_at_density(eos::critical_density).T, eos::critical_temperature);
}

// Near Tc, against the equation's solution at 50 digits
// (scripts/saturation_expansion.py's solve_theta): p, rho', rho'' (Pa, mol/m3).
// One ulp of T moves the densities by 3.85/(2 sqrt(theta)) * 1.1e-16 here,
// which the tolerances allow for; within 52 nK the join, which departs from the
// equation's own curve by 4e-13 in p and a few mol/m3 in the densities at Tc.
TEST(SaturationSeries, NearTcAgainstTheExactSolution) {
  struct Row {
    double theta, p, rho_liquid, rho_vapour, p_tolerance, density_tolerance;
  };
  constexpr Row kRows[] = {
      {1e-3, 227402.6411943666334, 19228.41375375578552, 15557.18889798964046, 1e-14, 1e-14},
      {1e-5, 228313.5521020845175, 17596.00894392471976, 17174.42249424745272, 1e-14, 5e-14},
      {1e-7, 228322.6944403253206, 17406.33205851693534, 17363.51990817631203, 1e-14, 5e-13},
      {2e-8, 228322.7683207693836, 17394.97462598153814, 17374.87254162072011, 1e-14, 2e-12},
      {0.0, 228322.7867908878309, 17388.34637829106543, 17381.49958923963741, 5e-13, 3e-4},
  };
  for (const Row& r : kRows) {
    const double T = eos::critical_temperature * (1.0 - r.theta);
    const eos::Saturation s = eos::saturation_at_temperature(T);
    EXPECT_LE(relative(s.p, r.p), r.p_tolerance) << r.theta;
    EXPECT_LE(relative(s.rho_liquid, r.rho_liquid), r.density_tolerance) << r.theta;
    EXPECT_LE(relative(s.rho_vapour, r.rho_vapour), r.density_tolerance) << r.theta;
    EXPECT_LE(relative(eos::saturation_at_pressure(r.p).T, T), r.theta == 0.0 ? 1e-12 : 1e-15) << r.theta;
  }
}

}  // namespace
