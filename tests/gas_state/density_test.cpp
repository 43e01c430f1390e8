// Density and molar volume from one Newton step on the virial equation.
#include <cmath>
#include <iterator>
#include <limits>

#include "test_support.hpp"

namespace {

using vorn_test::call;
using vorn_test::Printed;

TEST(Density, ReferenceValues) {
  struct Row {
    double T, P;
    Printed rho, vol;
  };
  const Row rows[] = {
      {4.2, 100, {"15.888455"}, {"2.5191898e-04"}},
      {20, 1000, {"24.185122"}, {"1.6549858e-04"}},
      {300, 101.325, {"0.16251574"}, {"0.024629019"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "T = " << row.T << " K, P = " << row.P << " kPa");
    EXPECT_PRINTED(call(vorn_rho, row.T, row.P), row.rho);
    EXPECT_PRINTED(call(vorn_vol, row.T, row.P), row.vol);
  }
}

// A positive B lowers the density below the ideal-gas value, a negative B
// raises it.
TEST(Density, SideOfTheIdealGas) {
  const double ideal_300 = __vorn_MOD_m0 * 101325.0 / (__vorn_MOD_r * 300.0);
  const double ideal_4_2 = __vorn_MOD_m0 * 100000.0 / (__vorn_MOD_r * 4.2);
  EXPECT_PRINTED(ideal_300, Printed{"0.16259376"});
  EXPECT_PRINTED(ideal_4_2, Printed{"11.461969"});
  EXPECT_LT(call(vorn_rho, 300, 101.325), ideal_300);
  EXPECT_GT(call(vorn_rho, 4.2, 100), ideal_4_2);
}

TEST(Density, ZeroPressure) {
  for (const double T : {1.0, 4.2, 20.0, 300.0, 1e4}) {
    SCOPED_TRACE(testing::Message() << "T = " << T);
    EXPECT_SAME_BITS(call(vorn_rho, T, 0.0), 0.0);
    EXPECT_SAME_BITS(call(vorn_vol, T, 0.0), std::numeric_limits<double>::infinity());
  }
}

TEST(Density, MolarVolumeIsMolarMassOverDensity) {
  const double states[][2] = {{4.2, 100}, {20, 1000}, {300, 101.325}, {2.5, 66.6}, {1.0, 1.0}, {77, 5000}};
  for (const auto& s : states) {
    SCOPED_TRACE(testing::Message() << "T = " << s[0] << " K, P = " << s[1] << " kPa");
    EXPECT_SAME_BITS(call(vorn_vol, s[0], s[1]), __vorn_MOD_m0 / call(vorn_rho, s[0], s[1]));
  }
}

// Where B < 0 the slope of the isotherm reaches zero at a high enough
// pressure: the Newton step then overshoots to an infinite, then negative,
// density. Nothing in the library guards this.
TEST(Density, TurnsOverOnLowIsotherms) {
  struct Row {
    double T, last_positive, first_negative;
  };
  const Row rows[] = {{2.5, 66.55, 66.6}, {4.2, 267.8, 267.85}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "T = " << row.T);
    const double before = call(vorn_rho, row.T, row.last_positive);
    EXPECT_TRUE(std::isfinite(before));
    EXPECT_GT(before, 0.0);
    EXPECT_LT(call(vorn_rho, row.T, row.first_negative), 0.0);
  }
  // At 10 K the isotherm keeps its slope up to 20 MPa.
  for (double P = 100; P <= 20000; P += 100) {
    SCOPED_TRACE(testing::Message() << "T = 10 K, P = " << P);
    EXPECT_GT(call(vorn_rho, 10, P), 0.0);
  }
}

}  // namespace
