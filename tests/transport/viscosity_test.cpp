// Viscosity: the dilute-gas rational function and its pressure factor.
#include <cmath>
#include <limits>

#include "test_support.hpp"

namespace {

using vorn_test::call;
using vorn_test::Printed;

TEST(Viscosity, ZeroPressureReferenceValues) {
  struct Row {
    double T;
    Printed nu0;
  };
  const Row rows[] = {
      {2, {"4.583128372e-07"}},
      {4.2, {"1.033711243e-06"}},
      {20, {"3.354752153e-06"}},
      {77, {"8.052524013e-06"}},
      {300, {"1.990926460e-05"}},
      // Towards T = 0 the numerator's negative T^1 term wins.
      {1e-6, {"-8.862526139e-8"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "T = " << row.T);
    EXPECT_PRINTED(call(vorn_nu0, row.T), row.nu0);
  }
}

TEST(Viscosity, PressureReferenceValues) {
  struct Row {
    double T, P;
    Printed factor, nu;
  };
  const Row rows[] = {
      {4.2, 100, {"1.179032238"}, {"1.218778880e-06"}}, {4.2, 1000, {"2.822629702"}, {"2.917784058e-06"}},
      {20, 100, {"1.010466795"}, {"3.389865657e-06"}},  {77, 1000, {"1.016838431"}, {"8.188115887e-06"}},
      {300, 100, {"1.000113148"}, {"1.991151729e-05"}}, {300, 1000, {"1.004747007"}, {"2.000377403e-05"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "T = " << row.T << " K, P = " << row.P << " kPa");
    const double nu = call(vorn_nu, row.T, row.P);
    EXPECT_PRINTED(nu, row.nu);
    EXPECT_PRINTED(nu / call(vorn_nu0, row.T), row.factor);
  }
}

TEST(Viscosity, ZeroPressureIsTheDiluteValue) {
  for (const double T : {1e-160, 1e-6, 0.0960915, 0.5, 2.0, 4.2, 77.0, 300.0, 1e5}) {
    SCOPED_TRACE(testing::Message() << "T = " << T);
    EXPECT_SAME_BITS(call(vorn_nu, T, 0.0), call(vorn_nu0, T));
  }
}

TEST(Viscosity, OutsideTheRange) {
  const double inf = std::numeric_limits<double>::infinity();
  // The numerator's one zero, near 0.0960915 K: negative viscosity below.
  EXPECT_LT(call(vorn_nu0, 0.0960914), 0.0);
  EXPECT_GT(call(vorn_nu0, 0.0960916), 0.0);
  EXPECT_TRUE(std::isnan(call(vorn_nu0, 0.0)));
  EXPECT_TRUE(std::isnan(call(vorn_nu, 0.0, 100)));
  EXPECT_TRUE(std::isfinite(call(vorn_nu0, -1.0)));
  EXPECT_TRUE(std::isnan(call(vorn_nu, -1.0, 100)));
  // Below about 2.35e-169 K T^b1 overflows and the factor is an infinity of
  // the sign of P; nu0 is negative there, so the product has the opposite sign.
  ASSERT_LT(call(vorn_nu0, 1e-170), 0.0);
  EXPECT_SAME_BITS(call(vorn_nu, 1e-170, 1), -inf);
  EXPECT_SAME_BITS(call(vorn_nu, 1e-170, -1), inf);
  EXPECT_TRUE(std::isnan(call(vorn_nu, 1e-170, 0)));
  EXPECT_TRUE(std::isfinite(call(vorn_nu, 1e-160, 1)));
}

}  // namespace
