// The correlation Za(T, P): its reference values, the three temperatures where
// whole orders of the series switch on, and what its first-order coefficient
// is measured against the virial coefficients.
#include <cmath>
#include <limits>

#include "test_support.hpp"

namespace {

using vorn_test::call;
using vorn_test::Printed;

constexpr double kInf = std::numeric_limits<double>::infinity();

double above(double T) { return std::nextafter(T, kInf); }
double below(double T) { return std::nextafter(T, 0.0); }

TEST(AcousticFactor, ReferenceValues) {
  struct Row {
    double T, P;
    Printed Za;
  };
  const Row rows[] = {
      {1.5, 100, {"1.000000000"}},
      {1.95, 1, {"1.000000000"}},
      {above(1.95), 1, {"0.9863983063"}},
      {2.0, 1, {"0.9871330862"}},
      {2.0, 3, {"0.9613992586"}},
      {2.6, 10, {"0.9281516767"}},
      {above(2.6), 10, {"0.9233025342"}},
      // The exponent steps are single-precision literals widened: with the
      // doubles nearest the decimals this row comes out as 0.9457804993.
      {3.0, 10, {"0.9457805024"}},
      {4.2, 50, {"0.8717811961"}},
      {10, 100, {"0.9849728727"}},
      {20, 100, {"1.00643872480"}},
      {above(20), 100, {"1.00643872395"}},
      {25, 100, {"1.007211468"}},
      {77, 100, {"1.003754837"}},
      {273.16, 100, {"1.000978384"}},
      {300, 100, {"1.000877053"}},
      {300, 1000, {"1.008771834"}},
      {300, 10000, {"1.087816188"}},
      {300, 0, {"1.000000000"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "T = " << row.T << " K, P = " << row.P << " kPa");
    EXPECT_PRINTED(call(vorn_Za_gk, row.T, row.P), row.Za);
  }
}

// Each threshold belongs to the region below it: at the threshold and one
// double below, the orders above are off; one double above, they are on in
// full.
TEST(AcousticFactor, ThresholdsOnBothSides) {
  struct Row {
    double threshold, P;
    Printed at, just_above;
  };
  const Row rows[] = {
      {1.95, 1, {"1.000000000"}, {"0.9863983063"}},
      {1.95, 10, {"1.000000000"}, {"0.8639830627"}},
      {2.6, 10, {"0.9281516767"}, {"0.9233025342"}},
      {20, 100, {"1.00643872480"}, {"1.00643872395"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "threshold " << row.threshold << " K, P = " << row.P << " kPa");
    const double at = call(vorn_Za_gk, row.threshold, row.P);
    const double just_below = call(vorn_Za_gk, below(row.threshold), row.P);
    EXPECT_PRINTED(at, row.at);
    EXPECT_PRINTED(call(vorn_Za_gk, above(row.threshold), row.P), row.just_above);
    // One double lower, the same region: no jump, only the smooth change.
    EXPECT_NEAR(just_below, at, 1e-13);
  }
  EXPECT_SAME_BITS(call(vorn_Za_gk, 1.95, 10), 1.0);
  EXPECT_SAME_BITS(call(vorn_Za_gk, below(1.95), 10), 1.0);
}

// Exactly 1 at or below 1.95 K (negative and NaN temperatures included, since
// every comparison with NaN is false) and at P = 0.
TEST(AcousticFactor, ExactlyOne) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double states[][2] = {{1.5, 100}, {1.95, 1}, {1.95, 1e4}, {1.0, 100}, {0.0, 100}, {-5, 100},
                              {nan, 100}, {2.0, 0},  {3.0, 0},    {20, 0},    {300, 0}};
  for (const auto& s : states) {
    SCOPED_TRACE(testing::Message() << "T = " << s[0] << " K, P = " << s[1] << " kPa");
    EXPECT_SAME_BITS(call(vorn_Za_gk, s[0], s[1]), 1.0);
  }
}

// Measured against the virial coefficients, the first-order coefficient of Za
// is the second acoustic virial coefficient
//   beta_a = 2B + 2k T B' + (k^2/g0) T^2 B'',  k = g0 - 1,
// not B: Za is the acoustic factor (w/w0)^2, not the compressibility factor.
TEST(AcousticFactor, FirstOrderCoefficientIsTheAcousticOne) {
  const double P = 1;  // kPa: the higher orders move it by less than 1e-4
  for (const double T : {25.0, 30.0, 40.0, 50.0, 77.0, 100.0, 150.0, 200.0, 273.16, 300.0}) {
    SCOPED_TRACE(testing::Message() << "T = " << T);
    const double per_density = (call(vorn_Za_gk, T, P) - 1) * (__vorn_MOD_r * T / (1000 * P)) * 1e6;
    const double B = call(__vorn_MOD_b, T);
    const double k = __vorn_MOD_g0 - 1;
    const double beta_a = 2 * B + 2 * k * T * call(__vorn_MOD_db, T) +
                          (k * k / __vorn_MOD_g0) * T * T * call(__vorn_MOD_d2b, T);
    EXPECT_NEAR(per_density, beta_a, 1e-3 * std::fabs(beta_a));
    EXPECT_GT(std::fabs(per_density - B), 0.4 * std::fabs(per_density));
  }
  const auto per_density_at = [](double T) {
    return (call(vorn_Za_gk, T, 1) - 1) * (__vorn_MOD_r * T) * 1e3;
  };
  EXPECT_PRINTED(per_density_at(300), Printed{"21.876"});
  EXPECT_PRINTED(per_density_at(100), Printed{"24.271"});
  EXPECT_PRINTED(call(__vorn_MOD_b, 300), Printed{"11.819"});
}

}  // namespace
