// Isochoric and isobaric heat capacities and their ratio.
#include "test_support.hpp"

namespace {

using vorn_test::call;
using vorn_test::Printed;

TEST(HeatCapacity, ReferenceValues) {
  struct Row {
    double T, P;
    Printed cv, cp, gamma;
  };
  const Row rows[] = {
      {4.2, 100, {"3212.9164"}, {"7918.9205"}, {"2.4647142"}},
      {20, 1000, {"3129.1324"}, {"5697.8757"}, {"1.8209123"}},
      {300, 101.325, {"3116.1381"}, {"5193.1921"}, {"1.6665475"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "T = " << row.T << " K, P = " << row.P << " kPa");
    EXPECT_PRINTED(call(vorn_cv, row.T, row.P), row.cv);
    EXPECT_PRINTED(call(vorn_cp, row.T, row.P), row.cp);
    EXPECT_PRINTED(call(vorn_gamma, row.T, row.P), row.gamma);
  }
}

// At P = 0 the molar volume is infinite and every residual term is exactly 0:
// the ideal monatomic values, the same at every temperature.
TEST(HeatCapacity, IdealValuesAtZeroPressure) {
  for (const double T : {1.0, 2.5, 4.2, 20.0, 300.0, 1e4}) {
    SCOPED_TRACE(testing::Message() << "T = " << T);
    EXPECT_SAME_BITS(call(vorn_cv, T, 0.0), 3115.894558655384);
    EXPECT_SAME_BITS(call(vorn_cp, T, 0.0), 5193.157597758974);
    EXPECT_SAME_BITS(call(vorn_gamma, T, 0.0), 1.6666666666666667);
  }
  // The ideal ratio is cp/cv as computed, the double nearest 5/3: not the
  // module constant g0, one ulp above it.
  EXPECT_NE(call(vorn_gamma, 300.0, 0.0), __vorn_MOD_g0);
}

TEST(HeatCapacity, RatioIsQuotientOfTheTwo) {
  const double states[][2] = {{4.2, 100}, {20, 1000}, {300, 101.325}, {2.2, 10}, {77, 5000}, {1000, 1e4}};
  for (const auto& s : states) {
    SCOPED_TRACE(testing::Message() << "T = " << s[0] << " K, P = " << s[1] << " kPa");
    EXPECT_SAME_BITS(call(vorn_gamma, s[0], s[1]), call(vorn_cp, s[0], s[1]) / call(vorn_cv, s[0], s[1]));
  }
}

}  // namespace
