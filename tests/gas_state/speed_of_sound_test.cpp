// Speed of sound from the acoustic virial series.
#include <cmath>

#include "test_support.hpp"

namespace {

using vorn_test::call;
using vorn_test::Printed;

TEST(SpeedOfSound, ReferenceValues) {
  struct Row {
    double T, P;
    Printed w;
  };
  const Row rows[] = {
      {4.2, 100, {"101.94538"}},
      {20, 1000, {"275.07690"}},
      {300, 101.325, {"1019.5855"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "T = " << row.T << " K, P = " << row.P << " kPa");
    EXPECT_PRINTED(call(vorn_w, row.T, row.P), row.w);
  }
}

// At P = 0 the bracket of the series is exactly 1: the ideal-gas value.
TEST(SpeedOfSound, IdealValueAtZeroPressure) {
  EXPECT_SAME_BITS(call(vorn_w, 4.2, 0.0), 120.58541070015531);
  EXPECT_SAME_BITS(call(vorn_w, 300, 0.0), 1019.1327291142184);
}

// The bracket goes negative at high pressure on low isotherms (about
// -428 m^2/s^2 at 4.2 K, 250 kPa): the square root is NaN.
TEST(SpeedOfSound, NaNWhereTheBracketIsNegative) {
  EXPECT_TRUE(std::isnan(call(vorn_w, 4.2, 250)));
  EXPECT_FALSE(std::isnan(call(vorn_w, 4.2, 200)));
}

}  // namespace
