// The saturation curve's series (saturation_expansion.hpp) against the
// equations they stand for, solved in doubles, over 10,000 temperatures and
// 10,000 pressures of their range; the phases they give in equilibrium (equal
// p and g); and their two ends, each from both sides.
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
// The series' end near Tc (theta = 4e-3).
const double kSwitchT = eos::critical_temperature * (1.0 - 4e-3);

double relative(double a, double b) { return std::fabs(a / b - 1.0); }

double worst_of(const eos::Saturation& a, const eos::Saturation& b) {
  return std::fmax(std::fmax(relative(a.T, b.T), relative(a.p, b.p)),
                   std::fmax(relative(a.rho_liquid, b.rho_liquid), relative(a.rho_vapour, b.rho_vapour)));
}

TEST(SaturationSeries, MatchTheSolvedEquationsAndGivePhasesInEquilibrium) {
  double at_T = 0.0;
  double at_p = 0.0;
  double round_trip = 0.0;
  double equal_g = 0.0;
  // A few units in the last place inside the series' own pressure at their
  // end: the solved one agrees with it only to rounding, on either side, and
  // the sweep's last step rounds too.
  const double p_top = eos::expanded_saturation_at_temperature(kSwitchT).p * (1.0 - 8.0 * kEps);
  for (int i = 0; i <= kPoints; ++i) {
    const double T = eos::lambda_temperature + (kSwitchT - eos::lambda_temperature) * i / kPoints;
    const eos::Saturation e = eos::expanded_saturation_at_temperature(T);
    ASSERT_TRUE(e.converged) << T;
    at_T = std::fmax(at_T, worst_of(e, eos::solved_saturation_at_temperature(T)));
    round_trip = std::fmax(round_trip, relative(eos::expanded_saturation_at_pressure(e.p).T, T));
    // Equal p on both sides. The liquid is stiff (rho dp/drho up to 900 p):
    // its p carries, beyond 1e-12, what a few units in the last place of rho'
    // move it by, the floor the solved equations sit on as well.
    const eos::FluidProperties l = eos::properties_at(T, e.rho_liquid);
    const eos::FluidProperties v = eos::properties_at(T, e.rho_vapour);
    ASSERT_LE(std::fabs(l.p - e.p), 1e-12 * e.p + 8.0 * kEps * e.rho_liquid * l.dpdrho) << T;
    ASSERT_LE(relative(v.p, e.p), 1e-12) << T;
    equal_g = std::fmax(equal_g, std::fabs(l.g - v.g) / (eos::gas_constant * T));

    const double p =
        eos::lambda_saturation_pressure + (p_top - eos::lambda_saturation_pressure) * i / kPoints;
    const eos::Saturation ep = eos::expanded_saturation_at_pressure(p);
    ASSERT_TRUE(ep.converged) << p;
    at_p = std::fmax(at_p, worst_of(ep, eos::solved_saturation_at_pressure(p)));
  }
  RecordProperty("largest_difference_at_T", std::to_string(at_T));
  RecordProperty("largest_difference_at_p", std::to_string(at_p));
  EXPECT_LE(at_T, 1e-12);
  EXPECT_LE(at_p, 1e-12);
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
  // Across the switch near Tc, from the series to the solved equations: the
  // last input the series take and the next double, continuous to the solved
  // equations' own accuracy there (they lose digits as Tc nears).
  auto last_of_series = [](auto at, double x) {
    constexpr double up = std::numeric_limits<double>::infinity();
    for (int i = 0; i < 64 && at(x).converged; ++i) x = std::nextafter(x, up);
    for (int i = 0; i < 64 && !at(x).converged; ++i) x = std::nextafter(x, -up);
    return x;
  };
  const double T_end = last_of_series(eos::expanded_saturation_at_temperature, kSwitchT);
  const double p_end =
      last_of_series(eos::expanded_saturation_at_pressure,
                     eos::saturation_data::critical_pressure * std::exp(eos::saturation_data::y_ends[0]));
  for (const auto& [below, above] : {std::pair{eos::saturation_at_temperature(T_end),
                                               eos::saturation_at_temperature(std::nextafter(T_end, 6.0))},
                                     std::pair{eos::saturation_at_pressure(p_end),
                                               eos::saturation_at_pressure(std::nextafter(p_end, 1e6))}}) {
    EXPECT_EQ(below.evaluations, 0);
    EXPECT_GT(above.evaluations, 0);
    EXPECT_LE(worst_of(below, above), 1e-12);
  }
  // Out of range or not a number: no series value.
  for (double T : {0.0, -1.0, eos::critical_temperature, std::nan("")})
    EXPECT_FALSE(eos::expanded_saturation_at_temperature(T).converged) << T;
  for (double p : {0.0, -1.0, 2.3e5, std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_FALSE(eos::expanded_saturation_at_pressure(p).converged) << p;
}

}  // namespace
