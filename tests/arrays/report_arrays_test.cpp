// The array forms of the thermometer reports against the scalar reports:
// temperature bits, iterations and convergence at every point (converged
// rows, the 30-iteration row, invalid inputs, NaN), with and without the
// optional outputs, and in place of an input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "arrays/array_pairs.hpp"
#include "vorn.h"

namespace {

using array_pairs::same_result;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ReportArrays, AcousticThermometerIsTheScalarReport) {
  const std::vector<double> phi{0.1, 0.009745, 0.5, 1.0, -1.0, kNaN, 0.2};
  const std::vector<double> P{10.0, 0.0357, 50.0, 100.0, 10.0, 10.0, 0.0};
  const std::vector<double> T0{273.16, 200.0, 300.0, 273.16, 273.16, 273.16, 4.2};
  const std::vector<double> P0{100.0, 5.0, 100.0, 100.0, 100.0, 100.0, 100.0};
  const std::size_t n = phi.size();
  std::vector<double> out(n);
  std::vector<int> iterations(n), converged(n);
  vorn_temp_K_report_n(n, phi.data(), P.data(), T0.data(), P0.data(), out.data(), iterations.data(),
                       converged.data());
  std::vector<double> bare(n);
  vorn_temp_K_report_n(n, phi.data(), P.data(), T0.data(), P0.data(), bare.data(), nullptr, nullptr);
  std::vector<double> in_place = phi;
  vorn_temp_K_report_n(n, in_place.data(), P.data(), T0.data(), P0.data(), in_place.data(), nullptr, nullptr);
  for (std::size_t i = 0; i < n; ++i) {
    int its = -1, ok = -1;
    const double T = vorn_temp_K_report(&phi[i], &P[i], &T0[i], &P0[i], &its, &ok);
    EXPECT_TRUE(same_result(out[i], T)) << i;
    EXPECT_TRUE(same_result(bare[i], T)) << i;
    EXPECT_TRUE(same_result(in_place[i], T)) << i;
    EXPECT_EQ(iterations[i], its) << i;
    EXPECT_EQ(converged[i], ok) << i;
  }
  EXPECT_EQ(iterations[1], 30);  // the row that runs all its iterations
  EXPECT_EQ(converged[1], 0);
}

TEST(ReportArrays, GasThermometerIsTheScalarReport) {
  const std::vector<double> P{30.0, 100.0, 5.0, 0.0, -1.0, kNaN, 200.0};
  const std::vector<double> T0{273.16, 273.16, 20.0, 273.16, 273.16, 273.16, 4.2};
  const std::vector<double> P0{100.0, 100.0, 10.0, 100.0, 100.0, 100.0, 100.0};
  const std::size_t n = P.size();
  std::vector<double> out(n);
  std::vector<int> iterations(n), converged(n);
  vorn_cvgt_temperature_n(n, P.data(), T0.data(), P0.data(), out.data(), iterations.data(), converged.data());
  std::vector<double> in_place = P;
  vorn_cvgt_temperature_n(n, in_place.data(), T0.data(), P0.data(), in_place.data(), nullptr, nullptr);
  for (std::size_t i = 0; i < n; ++i) {
    int its = -1, ok = -1;
    const double T = vorn_cvgt_temperature(&P[i], &T0[i], &P0[i], &its, &ok);
    EXPECT_TRUE(same_result(out[i], T)) << i;
    EXPECT_TRUE(same_result(in_place[i], T)) << i;
    EXPECT_EQ(iterations[i], its) << i;
    EXPECT_EQ(converged[i], ok) << i;
  }
}

TEST(ReportArrays, NoPointsTouchesNothing) {
  vorn_temp_K_report_n(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  vorn_cvgt_temperature_n(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
