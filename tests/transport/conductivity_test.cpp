// Thermal conductivity: the dilute-gas rational function and its pressure
// factor.
#include <cmath>
#include <limits>

#include "test_support.hpp"

namespace {

using vorn_test::call;
using vorn_test::Printed;

TEST(Conductivity, ZeroPressureReferenceValues) {
  struct Row {
    double T;
    Printed k0;
  };
  const Row rows[] = {
      {2, {"0.003585815336"}},
      {4.2, {"0.008058465582"}},
      {20, {"0.02624154772"}},
      {77, {"0.06300239474"}},
      {300, {"0.1556563621"}},
      // The limit 1e-3 n1/q1 as T tends to 0.
      {1e-6, {"6.478878576e-4"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "T = " << row.T);
    EXPECT_PRINTED(call(vorn_k0, row.T), row.k0);
  }
}

TEST(Conductivity, PressureReferenceValues) {
  struct Row {
    double T, P;
    Printed factor, k;
  };
  const Row rows[] = {
      {4.2, 100, {"1.161235107"}, {"0.009357773143"}}, {4.2, 1000, {"2.859309983"}, {"0.02304165108"}},
      {20, 100, {"1.006293314"}, {"0.02640669401"}},   {77, 1000, {"1.020323849"}, {"0.06428284590"}},
      {300, 100, {"1.000064380"}, {"0.1556663832"}},   {300, 1000, {"1.004857486"}, {"0.1564124606"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "T = " << row.T << " K, P = " << row.P << " kPa");
    const double k = call(vorn_k, row.T, row.P);
    EXPECT_PRINTED(k, row.k);
    EXPECT_PRINTED(k / call(vorn_k0, row.T), row.factor);
  }
}

TEST(Conductivity, ZeroPressureIsTheDiluteValue) {
  for (const double T : {1e-100, 1e-6, 0.5, 2.0, 4.2, 36.376, 77.0, 300.0, 1e5}) {
    SCOPED_TRACE(testing::Message() << "T = " << T);
    EXPECT_SAME_BITS(call(vorn_k, T, 0.0), call(vorn_k0, T));
  }
}

TEST(Conductivity, OutsideTheRange) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(std::isnan(call(vorn_k0, 0.0)));
  EXPECT_TRUE(std::isnan(call(vorn_k, 0.0, 100)));
  // Negative T: the rational function still evaluates; the real powers do not.
  EXPECT_TRUE(std::isfinite(call(vorn_k0, -1.0)));
  EXPECT_TRUE(std::isnan(call(vorn_k, -1.0, 100)));
  // Below about 3.35e-145 K the real power T^b1 overflows.
  EXPECT_SAME_BITS(call(vorn_k, 1e-150, 1), inf);
  EXPECT_SAME_BITS(call(vorn_k, 1e-150, -1), -inf);
  EXPECT_TRUE(std::isnan(call(vorn_k, 1e-150, 0)));
  EXPECT_TRUE(std::isfinite(call(vorn_k, 1e-140, 1)));
}

// The denominator vanishes twice, each time beside a zero of the numerator:
// k0 is negative between the two and jumps sign across the pole. Nothing
// guards these temperatures.
TEST(Conductivity, Poles) {
  struct Row {
    const char* what;
    double below_pole, above_pole, between;
  };
  const Row rows[] = {
      // numerator zero 36.3759521 K, pole 36.3759531 K
      {"lower pole", 36.3759530, 36.3759532, 36.3759526},
      // pole 184.4868237 K, numerator zero 184.4868356 K
      {"upper pole", 184.4868236, 184.4868238, 184.48683},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const double below = call(vorn_k0, row.below_pole);
    const double above = call(vorn_k0, row.above_pole);
    EXPECT_LT(below * above, 0.0);
    EXPECT_GT(std::fabs(below), 0.2);
    EXPECT_GT(std::fabs(above), 0.2);
    EXPECT_LT(call(vorn_k0, row.between), 0.0);
  }
  // Outside the band: the smooth neighbourhood values (about 0.03875 and
  // 0.1121) are pulled by 2.3 % and 6.7 % at a millikelvin.
  EXPECT_PRINTED(call(vorn_k0, 36.376), Printed{"0.03962388713"});
  EXPECT_PRINTED(call(vorn_k0, 184.487), Printed{"0.1045461008"});
  EXPECT_GT(call(vorn_k0, 36.3759520), 0.0);
  EXPECT_GT(call(vorn_k0, 184.4868357), 0.0);
}

}  // namespace
