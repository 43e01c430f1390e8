// He II's table against the model it stands for: the values over the plane,
// the cells' common edges (a ulp either side), the lambda line (where the
// model answers itself), flashes whose answer lies on an edge, and threads
// building the same cells at once.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <thread>
#include <tuple>
#include <vector>

#include "reference_eos/boundaries.hpp"
#include "reference_eos/fluid_state.hpp"
#include "superfluid_pressure/flash.hpp"
#include "superfluid_pressure/gibbs_table.hpp"

namespace {

namespace sp = vorn::superfluid_pressure;
namespace eos = vorn::reference_eos;

std::array<double, 8> fields(const sp::GibbsValues& g) {
  return {g.g, g.s, g.cp, g.v, g.v_T, g.v_p, g.ds, g.cp_s};
}
// A quantity's floor where it crosses zero (J/kg, J/(kg K), m3/(kg K)).
constexpr std::array<double, 8> floors{10.0, 1.0, 1.0, 0.0, 1e-5, 0.0, 1.0, 1.0};

double uniform(std::uint64_t& x) {
  x = x * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<double>(x >> 11) * 0x1.0p-53;
}

TEST(HeIITable, TheModelsValuesOverThePlane) {
  std::uint64_t seed = 7;
  int states = 0;
  int tabulated = 0;
  while (states < 3000) {
    const double T = 0.8 + 1.3768 * uniform(seed);
    const double p = 10.0 * std::pow(3e5, uniform(seed));
    if (!sp::he_ii_in_range(T, p)) continue;
    ++states;
    sp::GibbsValues table{};
    if (!sp::tabulated_gibbs(T, p, table)) continue;
    ++tabulated;
    const std::array<double, 8> got = fields(table);
    const std::array<double, 8> model = fields(sp::he_ii_gibbs(T, p, sp::saturated_line(T)));
    for (std::size_t q = 0; q < got.size(); ++q)
      EXPECT_LE(std::fabs(got[q] - model[q]), 4e-10 * (std::fabs(model[q]) + floors[q]))
          << "field " << q << " at " << T << " K, " << p << " Pa";
  }
  EXPECT_GT(tabulated, 0.97 * states);
}

// Either side of an edge (a joint of the model's functions of T, or a row's
// bound in p) the two cells agree as they agree with the model.
TEST(HeIITable, NeighboursMeetAtTheirEdges) {
  const struct {
    double T, p;
    bool along_T;  // the edge is in T (else in p)
  } edges[] = {{1.0, 1.5e6, true},
               {1.334, 2.0e6, true},
               {1.5, 5e5, true},
               {2.0, 1e5, true},
               {1.1, 3.0133e6 / 30 * 7, false},
               {1.9, 3.0133e6 / 30, false}};
  for (const auto& e : edges) {
    const double T0 = e.along_T ? std::nextafter(e.T, 0.0) : e.T;
    const double T1 = e.along_T ? e.T : e.T;
    const double p0 = e.along_T ? e.p : std::nextafter(e.p, 0.0);
    const double p1 = e.p;
    sp::GibbsValues a{}, b{};
    ASSERT_TRUE(sp::tabulated_gibbs(T0, p0, a)) << e.T << " K, " << e.p << " Pa";
    ASSERT_TRUE(sp::tabulated_gibbs(T1, p1, b)) << e.T << " K, " << e.p << " Pa";
    const std::array<double, 8> x = fields(a), y = fields(b);
    for (std::size_t q = 0; q < x.size(); ++q)
      EXPECT_LE(std::fabs(x[q] - y[q]), 8e-10 * (std::fabs(y[q]) + floors[q]))
          << "field " << q << " at " << e.T;
  }
}

// The last millikelvins below the lambda line are the model's; a tenth of a
// kelvin away, the table's.
TEST(HeIITable, TheModelAnswersAtTheLambdaLine) {
  for (const double p : {1e4, 1e5, 1e6, 2.5e6, 3.0e6}) {
    const double line = eos::lambda_line_temperature(p);
    sp::GibbsValues g{};
    EXPECT_FALSE(sp::tabulated_gibbs(line - 1e-3, p, g)) << p;
    EXPECT_FALSE(sp::tabulated_gibbs(std::nextafter(line, 0.0), p, g)) << p;
    EXPECT_TRUE(sp::tabulated_gibbs(line - 0.1, p, g)) << p;
  }
}

// Where the table hands over to the model near the line (found by
// bisection on each isobar), the two agree either side of it, and a state
// there flashes back to itself.
TEST(HeIITable, HandsOverToTheModelSmoothly) {
  for (const double p : {2e4, 1e6, 2.0e6}) {
    double in = eos::lambda_line_temperature(p) - 0.2;  // tabulated
    double out = std::nextafter(eos::lambda_line_temperature(p), 0.0);
    sp::GibbsValues g{};
    ASSERT_TRUE(sp::tabulated_gibbs(in, p, g));
    ASSERT_FALSE(sp::tabulated_gibbs(out, p, g));
    for (double mid = 0.5 * (in + out); mid != in && mid != out; mid = 0.5 * (in + out))
      (sp::tabulated_gibbs(mid, p, g) ? in : out) = mid;
    sp::GibbsValues table{};
    ASSERT_TRUE(sp::tabulated_gibbs(in, p, table));
    const std::array<double, 8> a = fields(table);
    const std::array<double, 8> b = fields(sp::he_ii_gibbs(out, p, sp::saturated_line(out)));
    for (std::size_t q = 0; q < a.size(); ++q)
      EXPECT_LE(std::fabs(a[q] - b[q]), 4e-10 * (std::fabs(b[q]) + floors[q]))
          << "field " << q << " at " << p;
    const eos::FluidState s = eos::flash(eos::InputPair::TP, in, p);
    for (const auto& [pair, x1, x2] :
         {std::tuple{eos::InputPair::Ph, s.p, s.h}, std::tuple{eos::InputPair::Ps, s.p, s.s}}) {
      const eos::FluidState back = eos::flash(pair, x1, x2);
      EXPECT_NEAR(back.T, in, 1e-9) << static_cast<int>(pair) << " at " << p;
    }
  }
}

// States on an edge flash back to themselves through the pairs that search
// along an isobar or an isotherm (where the quantity may step by the fits'
// rounding at the edge).
TEST(HeIITable, FlashesLandOnAnEdge) {
  for (const auto& [T, p] :
       std::array<std::array<double, 2>, 3>{{{1.5, 1e6}, {1.0, 3.0133e6 / 30 * 12}, {1.334, 2e5}}}) {
    const eos::FluidState s = eos::flash(eos::InputPair::TP, T, p);
    ASSERT_EQ(s.phase, eos::Phase::he_ii);
    for (const auto& [pair, x1, x2] :
         {std::tuple{eos::InputPair::Ph, s.p, s.h}, std::tuple{eos::InputPair::Ps, s.p, s.s},
          std::tuple{eos::InputPair::Trho, s.T, s.rho}, std::tuple{eos::InputPair::hs, s.h, s.s}}) {
      const eos::FluidState back = eos::flash(pair, x1, x2);
      EXPECT_NEAR(back.T, T, 1e-9 * T) << static_cast<int>(pair) << " at " << T << " K";
      EXPECT_NEAR(back.p, p, 1e-7 * p) << static_cast<int>(pair) << " at " << T << " K";
    }
  }
}

// Threads that build the same cells at once read the same values (the first
// cell stored wins, and a cell is the same bits whoever builds it).
TEST(HeIITable, ThreadsShareTheCells) {
  std::vector<std::array<double, 2>> at;
  for (int i = 0; i < 200; ++i) at.push_back({0.95 + 0.004 * i, 2.0e6 - 5e3 * i});
  std::vector<std::vector<double>> seen(2);
  std::vector<std::thread> threads;
  for (int t = 0; t < 2; ++t)
    threads.emplace_back([&, t] {
      for (const auto& x : at) {
        sp::GibbsValues g{};
        seen[t].push_back(sp::tabulated_gibbs(x[0], x[1], g) ? g.s : std::nan(""));
      }
    });
  for (auto& th : threads) th.join();
  for (std::size_t i = 0; i < at.size(); ++i)
    EXPECT_TRUE(seen[0][i] == seen[1][i] || (std::isnan(seen[0][i]) && std::isnan(seen[1][i]))) << i;
}

}  // namespace
