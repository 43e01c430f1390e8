// The saturated He II liquid below the exported interface: the equation's
// saturated liquid at T_lambda recomputed for the stored h and s, the joint
// there on each side, the tabulated s against the fits' own entropy integral,
// h against an independent Simpson integration of C_sat + v dp/dT, and the
// slopes of the interpolation against C_sat/T and C_sat + v dp/dT.
#include <gtest/gtest.h>

#include <cmath>

#include "reference_eos/he_ii_bath.hpp"
#include "superfluid/density.hpp"
#include "superfluid/entropy.hpp"
#include "superfluid/heat_capacity.hpp"

namespace {

namespace eos = vorn::reference_eos;
namespace sf = vorn::superfluid;

double molar_volume(double T) {
  return eos::molar_mass / (sf::gram_per_cm3_to_kg_per_m3 * sf::saturated_liquid_density(T).rho);
}
double enthalpy_slope(double T) {
  return sf::molar_heat_capacity(T) + molar_volume(T) * eos::he_ii_vapour_pressure_slope(T);
}

TEST(HeIILiquid, AnchoredOnTheEquationsSaturatedLiquidAtTheLambdaPoint) {
  const eos::FluidProperties l = eos::properties_at(eos::he_i_equation(), eos::lambda_temperature,
                                                    eos::lambda_saturation_liquid_density);
  EXPECT_NEAR(l.h, eos::lambda_saturation_liquid_enthalpy, 1e-12);
  EXPECT_NEAR(l.s, eos::lambda_saturation_liquid_entropy, 1e-13);
  const eos::FluidProperties v = eos::properties_at(eos::he_i_equation(), eos::lambda_temperature,
                                                    eos::lambda_saturation_vapour_density);
  EXPECT_NEAR(v.u, eos::lambda_saturation_vapour_energy, 1e-12);
  EXPECT_NEAR(v.h, eos::lambda_saturation_vapour_enthalpy, 1e-12);
  const double s_lowest = eos::bath_at_temperature(1.25).vapour.s;
  EXPECT_TRUE(s_lowest < eos::bath_highest_entropy && s_lowest > eos::bath_highest_entropy - 1e-4);
  EXPECT_NEAR(eos::he_ii_vapour_pressure(eos::lambda_temperature), eos::lambda_saturation_pressure, 1e-9);
  const eos::HeIILiquid at = eos::he_ii_liquid(eos::lambda_temperature);
  EXPECT_EQ(at.h, l.h);
  EXPECT_EQ(at.s, l.s);
  // One rounding below: the last 35 nK are linear, so h and s move by rounding.
  const eos::HeIILiquid below = eos::he_ii_liquid(std::nextafter(eos::lambda_temperature, 0.0));
  EXPECT_NEAR(below.h, l.h, 1e-12);
  EXPECT_NEAR(below.s, l.s, 1e-12);
  EXPECT_TRUE(std::isnan(eos::he_ii_liquid(std::nextafter(eos::lambda_temperature, 3.0)).h));
  EXPECT_TRUE(std::isnan(eos::he_ii_liquid(std::nextafter(1.25, 0.0)).h));
}

// The bath's ends, one rounding on each side.
TEST(HeIILiquid, BathEnds) {
  const double p_lambda = eos::lambda_saturation_pressure;
  EXPECT_FALSE(eos::in_bath_pressures(p_lambda));
  EXPECT_TRUE(eos::in_bath_pressures(std::nextafter(p_lambda, 0.0)));
  const double p_lowest = eos::he_ii_vapour_pressure(1.25);
  EXPECT_TRUE(eos::in_bath_pressures(p_lowest));
  EXPECT_FALSE(eos::in_bath_pressures(std::nextafter(p_lowest * (1.0 - 1e-15), 0.0)));
  EXPECT_TRUE(eos::in_bath_temperatures(std::nextafter(eos::lambda_temperature, 0.0)));
  EXPECT_FALSE(eos::in_bath_temperatures(eos::lambda_temperature));
  EXPECT_TRUE(eos::bath_at_pressure(p_lowest).T >= 1.25);
  EXPECT_NEAR(eos::bath_at_pressure(std::nextafter(p_lambda, 0.0)).T, eos::lambda_temperature, 1e-12);
}

TEST(HeIILiquid, EntropyIsTheFitsIntegral) {
  const double S_lambda = sf::molar_entropy(eos::lambda_temperature);
  for (const double T : {1.25, 1.5, 1.8, 2.0, 2.15, 2.176, 2.17679}) {
    const double expected = eos::lambda_saturation_liquid_entropy - (S_lambda - sf::molar_entropy(T));
    EXPECT_NEAR(eos::he_ii_liquid(T).s, expected, 2e-6) << T;  // J/(mol K): 5e-4 J/(kg K)
  }
}

// Simpson's rule on 2000 intervals between T and 2.16 K, where C_sat is smooth.
TEST(HeIILiquid, EnthalpyAgainstAnIndependentIntegration) {
  const double top = 2.16;
  for (const double T : {1.25, 1.6, 1.9, 2.1}) {
    const int n = 2000;
    const double width = (top - T) / n;
    double sum = enthalpy_slope(T) + enthalpy_slope(top);
    for (int i = 1; i < n; ++i) sum += (i % 2 == 1 ? 4.0 : 2.0) * enthalpy_slope(T + i * width);
    const double rise = sum * width / 3.0;
    EXPECT_NEAR(eos::he_ii_liquid(top).h - eos::he_ii_liquid(T).h, rise, 1e-5) << T;  // J/mol
  }
}

TEST(HeIILiquid, SlopesAreTheHeatCapacityAlongSaturation) {
  for (const double T : {1.3, 1.77, 2.05, 2.17, 2.1767}) {
    const double dT = 1e-6 * (eos::lambda_temperature - T);
    const eos::HeIILiquid a = eos::he_ii_liquid(T - dT);
    const eos::HeIILiquid b = eos::he_ii_liquid(T + dT);
    EXPECT_NEAR((b.s - a.s) / (2.0 * dT) * T / sf::molar_heat_capacity(T), 1.0, 1e-5) << T;
    EXPECT_NEAR((b.h - a.h) / (2.0 * dT) / enthalpy_slope(T), 1.0, 1e-5) << T;
  }
}

}  // namespace
