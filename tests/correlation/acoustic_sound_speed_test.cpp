// Speed of sound w0 sqrt(Za) from the correlation.
#include <cmath>
#include <limits>

#include "test_support.hpp"

namespace {

using vorn_test::call;
using vorn_test::Printed;

TEST(AcousticSoundSpeed, ReferenceValues) {
  struct Row {
    double T, P;
    Printed w;
  };
  const double above_1_95 = std::nextafter(1.95, std::numeric_limits<double>::infinity());
  const Row rows[] = {
      {1.5, 100, {"72.06356637"}},    {1.95, 1, {"82.16510742"}}, {above_1_95, 1, {"81.60440194"}},
      {2.0, 3, {"81.59001462"}},      {2.6, 10, {"91.40422537"}}, {3.0, 10, {"99.11192867"}},
      {4.2, 50, {"112.589662"}},      {10, 100, {"184.6640076"}}, {25, 100, {"295.2571729"}},
      {273.16, 100, {"972.9511221"}}, {300, 0, {"1019.132729"}},  {300, 100, {"1019.579548"}},
      {300, 10000, {"1062.939406"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "T = " << row.T << " K, P = " << row.P << " kPa");
    EXPECT_PRINTED(call(vorn_w_gk, row.T, row.P), row.w);
  }
}

// A negative Za, or a negative temperature with Za = 1, gives the square root
// of a negative number.
TEST(AcousticSoundSpeed, NaNWhereTheProductIsNegative) {
  EXPECT_PRINTED(call(vorn_Za_gk, 3, 100), Printed{"-0.1571389248"});
  EXPECT_TRUE(std::isnan(call(vorn_w_gk, 3, 100)));
  EXPECT_SAME_BITS(call(vorn_Za_gk, -5, 100), 1.0);
  EXPECT_TRUE(std::isnan(call(vorn_w_gk, -5, 100)));
}

// Since Za is (w/w0)^2, this speed of sound and the one of the acoustic virial
// series agree closely wherever both correlations hold.
TEST(AcousticSoundSpeed, AgreesWithTheVirialSpeedOfSound) {
  for (const double T : {25.0, 30.0, 40.0, 50.0, 77.0, 100.0, 150.0, 200.0, 273.16, 300.0}) {
    SCOPED_TRACE(testing::Message() << "T = " << T);
    const double w = call(vorn_w, T, 100);
    EXPECT_NEAR(call(vorn_w_gk, T, 100), w, 2e-6 * w);
  }
}

}  // namespace
