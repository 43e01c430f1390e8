// Every routine from several threads at once gives, bit for bit, what it gives
// from one thread: the library keeps no state between or during calls.
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

#include "routines.hpp"
#include "test_support.hpp"

namespace {

using vorn_test::kRoutines;

// Ordinary states and the edges: thresholds of Za, the pole of D, the poles
// of k0, NaN-producing temperatures and pressures.
std::vector<double> Results() {
  const double inf = std::numeric_limits<double>::infinity();
  const double temperatures[] = {-5,  0,       1.5, 1.95, std::nextafter(1.95, inf), 2.18,
                                 2.5, 3,       4.2, 20,   std::nextafter(20.0, inf), 36.376,
                                 77,  184.487, 300, 1e4};
  const double pressures[] = {0, 1, 100, 250, 1000, 1e4};
  std::vector<double> out;
  for (const auto& routine : kRoutines)
    for (const double T : temperatures)
      for (const double P : pressures) out.push_back(routine.at(T, P));
  return out;
}

TEST(ConcurrentCalls, SameBitsAsOneThread) {
  const std::vector<double> expected = Results();
  constexpr int kThreads = 4, kRounds = 50;
  std::vector<int> mismatches(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&expected, &mismatches, t] {
      for (int round = 0; round < kRounds; ++round) {
        const std::vector<double> got = Results();
        if (got.size() != expected.size() ||
            std::memcmp(got.data(), expected.data(), got.size() * sizeof(double)) != 0)
          ++mismatches[t];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

}  // namespace
