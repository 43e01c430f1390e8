// The array forms that keep the part of T alone over a run of equal
// temperatures: a run is the same bits (signed zeros and NaN payloads apart),
// and every point of a grid is the scalar routine's result, in place too.
#include "export/temperature_runs.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "array_pairs.hpp"
#include "vorn.h"

namespace {

using array_pairs::same_result;

double nan_with_payload(std::uint64_t payload, bool negative) {
  const std::uint64_t bits = (negative ? 0xfff8000000000000U : 0x7ff8000000000000U) | payload;
  double x = 0.0;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

// Counts the times the part of T alone is formed; the result of a point is
// that part's T plus P, so a part kept across a run it does not belong to
// shows in the results too.
int g_terms_formed = 0;
double count_terms(double T) {
  ++g_terms_formed;
  return T;
}
double terms_plus_pressure(const double& terms, double /*T*/, double P) { return terms + P; }

struct RunCase {
  const char* name;
  std::vector<double> T;
  int expected_runs;
};

TEST(TemperatureRuns, ARunIsTheSameBitPattern) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double x = 4.2;
  const std::vector<RunCase> cases{
      {"no points", {}, 0},
      {"one temperature", {x, x, x, x}, 1},
      {"neighbours by one ulp", {x, std::nextafter(x, 5.0), std::nextafter(x, 5.0), x}, 3},
      {"signed zeros", {0.0, 0.0, -0.0, -0.0, 0.0}, 3},
      {"one NaN repeated", {nan, nan, nan}, 1},
      {"NaNs of other payload or sign",
       {nan_with_payload(1, false), nan_with_payload(2, false), nan_with_payload(2, true),
        nan_with_payload(2, true)},
       3},
      {"alternating", {1.0, 2.0, 1.0, 2.0}, 4},
  };
  for (const RunCase& c : cases) {
    g_terms_formed = 0;
    std::vector<double> P(c.T.size(), 0.5);
    std::vector<double> out(c.T.size());
    vorn::temperature_run_map<count_terms, terms_plus_pressure>(c.T.size(), out.data(), c.T.data(), P.data());
    EXPECT_EQ(g_terms_formed, c.expected_runs) << c.name;
    for (std::size_t i = 0; i < c.T.size(); ++i) {
      EXPECT_TRUE(same_result(out[i], c.T[i] + 0.5)) << c.name << " at " << i;
    }
  }
}

TEST(TemperatureRuns, OutputMayBeTheTemperatures) {
  std::vector<double> T{3.0, 3.0, 3.0, 7.0, 7.0};
  const std::vector<double> P{1.0, 2.0, 3.0, 4.0, 5.0};
  g_terms_formed = 0;
  vorn::temperature_run_map<count_terms, terms_plus_pressure>(T.size(), T.data(), T.data(), P.data());
  EXPECT_EQ(T, (std::vector<double>{4.0, 5.0, 6.0, 11.0, 12.0}));
  EXPECT_EQ(g_terms_formed, 2);
}

// Temperatures with runs of every kind: the thresholds of the correlation and
// their neighbours, poles of the conductivity, physical states, and the
// values where bits and value part ways.
std::vector<double> run_temperatures() {
  std::vector<double> T{1.95, 2.6, 20.0, 36.3759531, 184.4868237, 4.2, 300.0, 1.0, -1.0, 1e-300};
  for (const double t : {1.95, 2.6, 20.0}) {
    T.push_back(std::nextafter(t, 0.0));
    T.push_back(std::nextafter(t, 100.0));
  }
  const double inf = std::numeric_limits<double>::infinity();
  for (const double t : {0.0, -0.0, inf, -inf, std::numeric_limits<double>::denorm_min()}) T.push_back(t);
  for (const bool negative : {false, true}) {
    for (const std::uint64_t payload : {0U, 1U, 12345U}) T.push_back(nan_with_payload(payload, negative));
  }
  return T;
}

// A grid in the row-major order of T[:, None] against P[None, :]; the
// temperatures are visited twice, in order and then with each next to its
// look-alike, so that every pair of look-alikes meets at a run boundary.
struct Grid {
  std::vector<double> T, P;
};
Grid run_grid() {
  std::vector<double> temperatures = run_temperatures();
  const std::vector<double> backwards(temperatures.rbegin(), temperatures.rend());
  temperatures.insert(temperatures.end(), backwards.begin(), backwards.end());
  const std::vector<double> pressures{
      0.0, -0.0, 1e-3, 1.0, 30.0, 101.325, 250.0, 1000.0, std::numeric_limits<double>::quiet_NaN()};
  Grid g;
  for (const double t : temperatures) {
    for (const double p : pressures) {
      g.T.push_back(t);
      g.P.push_back(p);
    }
  }
  return g;
}

TEST(TemperatureRuns, EveryArrayFormOnAGridIsTheScalarRoutine) {
  const Grid g = run_grid();
  for (const auto& r : array_pairs::two_arguments()) {
    std::vector<double> out(g.T.size());
    r.array(g.T.size(), g.T.data(), g.P.data(), out.data());
    std::vector<double> in_place_T = g.T;
    r.array(g.T.size(), in_place_T.data(), g.P.data(), in_place_T.data());
    std::vector<double> in_place_P = g.P;
    r.array(g.T.size(), g.T.data(), in_place_P.data(), in_place_P.data());
    for (std::size_t i = 0; i < g.T.size(); ++i) {
      const double expected = r.scalar(&g.T[i], &g.P[i]);
      ASSERT_TRUE(same_result(out[i], expected)) << r.name << " T " << g.T[i] << " P " << g.P[i];
      ASSERT_TRUE(same_result(in_place_T[i], expected)) << r.name << " in place of T, at " << i;
      ASSERT_TRUE(same_result(in_place_P[i], expected)) << r.name << " in place of P, at " << i;
    }
  }
}

}  // namespace
