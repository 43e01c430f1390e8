// Every routine from many threads at once gives the bits it gives alone (and
// two array forms, whose first calls choose an instruction set). Run
// under ThreadSanitizer too: the library has no state, so there must be
// nothing to report while the threads share their input arrays.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "export/routine_table.hpp"
#include "vorn.h"

namespace {

constexpr auto kOneArgument = vorn_routines::rows_of_arity<1>();
constexpr auto kTwoArguments = vorn_routines::rows_of_arity<2>();
constexpr auto kFourArguments = vorn_routines::rows_of_arity<4>();
constexpr std::size_t kResultsPerPoint = vorn_routines::kRoutineCount;

struct Point {
  double T, P, T0, P0, phi;
};

std::vector<Point> points() {
  std::mt19937_64 engine{42};
  std::uniform_real_distribution<double> T(1.0, 400.0);
  std::uniform_real_distribution<double> P(0.0, 1000.0);
  std::uniform_real_distribution<double> phi(0.05, 2.0);
  std::vector<Point> out(600);
  for (Point& p : out) {
    p = {T(engine), P(engine), T(engine), P(engine), phi(engine)};
  }
  return out;
}

// The bits of every routine at every point, in one flat vector.
std::vector<std::uint64_t> evaluate(const std::vector<Point>& pts) {
  std::vector<std::uint64_t> out;
  out.reserve(pts.size() * kResultsPerPoint);
  const auto push = [&out](double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    out.push_back(bits);
  };
  for (const Point& p : pts) {
    for (const auto* row : kOneArgument) {
      push(row->scalar1(&p.T));
    }
    for (const auto* row : kTwoArguments) {
      push(row->scalar2(&p.T, &p.P));
    }
    for (const auto* row : kFourArguments) {
      push(row->scalar4(&p.phi, &p.P, &p.T0, &p.P0));
    }
  }
  // The array forms too: the first calls pick their instruction set.
  std::vector<double> T(pts.size());
  std::vector<double> P(pts.size());
  for (std::size_t i = 0; i < pts.size(); ++i) {
    T[i] = pts[i].T;
    P[i] = pts[i].P;
  }
  std::vector<double> array_out(pts.size());
  vorn_b_n(T.size(), T.data(), array_out.data());
  for (double value : array_out) {
    push(value);
  }
  vorn_cp_n(T.size(), T.data(), P.data(), array_out.data());
  for (double value : array_out) {
    push(value);
  }
  return out;
}

TEST(ThreadedIdentity, EveryRoutineOnEightThreadsGivesTheSameBits) {
  const std::vector<Point> shared = points();
  std::vector<std::vector<std::uint64_t>> results(8);
  std::vector<std::thread> threads;
  for (auto& result : results) {
    threads.emplace_back([&shared, &result] { result = evaluate(shared); });
  }
  for (std::thread& t : threads) {
    t.join();
  }
  const std::vector<std::uint64_t> alone = evaluate(shared);
  for (const auto& result : results) {
    EXPECT_EQ(result, alone);
  }
}

}  // namespace
