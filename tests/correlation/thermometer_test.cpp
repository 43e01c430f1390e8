// temp_K: the Newton iteration on T/T0 = phi Za(T0, P0) / Za(T, P), and its
// report (vorn_temp_K_report): iterations used and whether it converged.
#include <cmath>
#include <cstring>

#include "test_support.hpp"

namespace {

using vorn_test::call;
using vorn_test::call_temp_K;
using vorn_test::Printed;

struct Case {
  double phi, P, T0, P0;
  double solve() const { return call_temp_K(phi, P, T0, P0); }
};

// The relation solved, evaluated at a candidate temperature.
double fixed_point(const Case& c, double T) {
  return c.T0 * c.phi * call(vorn_Za_gk, c.T0, c.P0) / call(vorn_Za_gk, T, c.P);
}

TEST(Thermometer, ConvergedReferenceValues) {
  struct Row {
    Case in;
    Printed T;
  };
  const Row rows[] = {
      {{0.01, 0.1, 273.16, 10}, {"2.73362211653"}},
      {{0.1, 10, 273.16, 100}, {"27.3233161208"}},
      {{1.1, 110, 273.16, 100}, {"300.480632583"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "phi = " << row.in.phi << ", P = " << row.in.P);
    const double T = row.in.solve();
    EXPECT_PRINTED(T, row.T);
    EXPECT_NEAR(fixed_point(row.in, T), T, 1e-10);
  }
}

// phi = 1 at P = P0: the first residual is exactly 0 and T0 comes back
// untouched. At or below 1.95 K both factors are 1 and the first step lands
// on T0 phi.
TEST(Thermometer, ExactResults) {
  for (const double T0 : {0.5, 4.2, 20.0, 273.16, 1e4}) {
    SCOPED_TRACE(testing::Message() << "T0 = " << T0);
    EXPECT_SAME_BITS((Case{1, 100, T0, 100}.solve()), T0);
  }
  EXPECT_SAME_BITS((Case{0.005, 0.025, 1.5, 5}.solve()), 1.5 * 0.005);
}

// The root, about 1.9491361 K, lies less than the difference half-step below
// the 1.95 K threshold: the central difference spans the jump of Za, the
// iterates alternate about the root, and the 30th is returned as it is.
TEST(Thermometer, RootNextToAThresholdDoesNotConverge) {
  const Case c{0.009745, 0.0357, 200, 5};
  const double T = c.solve();
  EXPECT_PRINTED(T, Printed{"1.9491305"});
  EXPECT_GT(std::fabs(T - 1.9491361), 1e-6);
  EXPECT_GT(std::fabs(fixed_point(c, T) - T), 1e-6);
}

TEST(Thermometer, DegenerateRatios) {
  // phi = 0: the start 0 is a root; the step is exactly 0.
  EXPECT_SAME_BITS((Case{0, 100, 273.16, 100}.solve()), 0.0);
  // phi = -1: Za is 1 at negative temperatures, so T = -T0 Za(T0, P0).
  EXPECT_PRINTED((Case{-1, 100, 273.16, 100}.solve()), Printed{"-273.4272554"});
  // phi = 1e13: x + dt and x - dt are both x, the step is 0/0.
  EXPECT_TRUE(std::isnan(Case{1e13, 100, 273.16, 100}.solve()));
  // T0 = 0: every residual is NaN.
  EXPECT_TRUE(std::isnan(Case{1, 100, 0, 100}.solve()));
}

struct ReportRow {
  double phi, P, T0, P0;
  double T;
  int iterations;
  int converged;
};

TEST(ThermometerReport, SameBitsAsTempKWithIterationsAndConvergence) {
  const ReportRow rows[] = {
      {1.0, 100.0, 273.16, 100.0, 273.16, 1, 1},       {0.01, 0.1, 273.16, 10.0, 2.73362211653, 3, 1},
      {0.1, 10.0, 273.16, 100.0, 27.3233161208, 3, 1}, {1.1, 110.0, 273.16, 100.0, 300.480632583, 2, 1},
      {0.005, 0.025, 1.5, 5.0, 0.0075, 1, 1},          {0.009745, 0.0357, 200.0, 5.0, 1.9491305, 30, 0},
  };
  for (const ReportRow& r : rows) {
    int iterations = -1, converged = -1;
    const double T = vorn_temp_K_report(&r.phi, &r.P, &r.T0, &r.P0, &iterations, &converged);
    const double plain = temp_K(&r.phi, &r.P, &r.T0, &r.P0);
    EXPECT_EQ(std::memcmp(&T, &plain, sizeof T), 0) << r.phi;
    EXPECT_NEAR(T, r.T, 1e-7 * r.T) << r.phi;
    EXPECT_EQ(iterations, r.iterations) << r.phi;
    EXPECT_EQ(converged, r.converged) << r.phi;
  }
  // The report pointers may be null.
  const ReportRow& r = rows[2];
  EXPECT_EQ(vorn_temp_K_report(&r.phi, &r.P, &r.T0, &r.P0, nullptr, nullptr),
            temp_K(&r.phi, &r.P, &r.T0, &r.P0));
}

}  // namespace
