// The last state each thread keeps: a call that hits it returns the bits of a
// new flash. Inputs in a random order with runs of repeats, over every pair,
// with -0/+0 and NaNs of two payloads beside each other (same results, other
// keys), and callers' struct sizes mixed; each result against the same state
// computed after another one (a miss).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "vorn.h"

namespace {

struct Input {
  int pair;
  double x1;
  double x2;
};

double with_payload(std::uint64_t payload) {
  const std::uint64_t bits = 0x7ff8000000000000ULL | payload;
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

// States in every region of every pair, and the inputs where keys differ
// but values may not.
std::vector<Input> inputs() {
  std::mt19937_64 rng(23);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  std::vector<Input> v;
  for (int i = 0; i < 40; ++i) {
    const double T = 2.2 + 300.0 * u(rng) * u(rng);
    const double P = 1.0 + 5000.0 * u(rng) * u(rng);
    v.push_back({VORN_EOS_TP, T, P});
    v.push_back({VORN_EOS_TRHO, T, 0.1 + 140.0 * u(rng)});
    v.push_back({VORN_EOS_PRHO, P, 0.1 + 140.0 * u(rng)});
    v.push_back({VORN_EOS_PH, P, -5000.0 + 2e5 * u(rng)});
    v.push_back({VORN_EOS_PS, P, -2000.0 + 3e4 * u(rng)});
    v.push_back({VORN_EOS_TS, T, -2000.0 + 3e4 * u(rng)});
    v.push_back({VORN_EOS_RHOU, 0.1 + 140.0 * u(rng), 1e5 * u(rng)});
    v.push_back({VORN_EOS_TQ, 2.2 + 2.9 * u(rng), u(rng)});
    v.push_back({VORN_EOS_PQ, 6.0 + 220.0 * u(rng), u(rng)});
  }
  const double nan_a = with_payload(0), nan_b = with_payload(1);
  const Input edges[] = {{VORN_EOS_TQ, 4.0, 0.0},
                         {VORN_EOS_TQ, 4.0, -0.0},
                         {VORN_EOS_TP, 300.0, 0.0},
                         {VORN_EOS_TP, 300.0, -0.0},
                         {VORN_EOS_TP, nan_a, 1.0},
                         {VORN_EOS_TP, nan_b, 1.0},
                         {VORN_EOS_TP, 10.0, nan_a},
                         {0, 10.0, 100.0},
                         {10, 10.0, 100.0},
                         {-1, 0.0, 0.0},
                         {0, 0.0, 0.0},
                         {VORN_EOS_PQ, 100.0, 1.0}};
  for (const Input& e : edges) v.push_back(e);
  std::shuffle(v.begin(), v.end(), rng);
  return v;
}

// The fields of the struct's first version, compared as bytes (padding aside).
void expect_same_state(const vorn_eos_state& a, const vorn_eos_state& b, const Input& in) {
  const std::size_t from = offsetof(vorn_eos_state, flags);
  const std::size_t to = offsetof(vorn_eos_state, evaluations) + sizeof(int);
  EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(&a) + from, reinterpret_cast<const char*>(&b) + from,
                        to - from),
            0)
      << "pair " << in.pair << " x1 " << in.x1 << " x2 " << in.x2;
}

vorn_eos_state state(const Input& in, std::size_t size = sizeof(vorn_eos_state)) {
  struct {
    vorn_eos_state s;
    double more[4];
  } out{};
  out.s.size = size;
  EXPECT_EQ(vorn_eos_state_at(&in.pair, &in.x1, &in.x2, &out.s), 0);
  return out.s;
}

// After a state no input above has: the next call is a miss.
vorn_eos_state cold(const Input& in) {
  state({VORN_EOS_TP, 77.0, 777.0});
  return state(in);
}

TEST(LastState, HitsGiveTheBitsOfANewFlash) {
  const std::vector<Input> all = inputs();
  std::mt19937 rng(4);
  for (const Input& in : all) {
    const vorn_eos_state expected = cold(in);
    // A run of repeats through every entry point and a larger caller struct.
    const int repeats = 1 + static_cast<int>(rng() % 3);
    for (int r = 0; r < repeats; ++r) expect_same_state(state(in, sizeof(vorn_eos_state) + 16), expected, in);
    // Every property one call at a time: after a miss, then as hits.
    for (int property = VORN_EOS_T; property <= VORN_EOS_FLAGS; ++property) {
      cold(in);
      const double first = vorn_eos_value(&property, &in.pair, &in.x1, &in.x2);
      const double again = vorn_eos_value(&property, &in.pair, &in.x1, &in.x2);
      EXPECT_EQ(std::memcmp(&first, &again, sizeof first), 0) << "property " << property;
    }
  }
  // The array forms over the whole list with each input twice in a row.
  std::vector<double> x1, x2;
  std::vector<int> pairs;
  for (const Input& in : all) {
    if (in.pair != VORN_EOS_TP) continue;
    for (int k = 0; k < 2; ++k) {
      x1.push_back(in.x1);
      x2.push_back(in.x2);
    }
  }
  const int pair = VORN_EOS_TP;
  std::vector<vorn_eos_state> states(x1.size());
  states[0].size = sizeof(vorn_eos_state);
  ASSERT_EQ(vorn_eos_state_n(x1.size(), &pair, x1.data(), x2.data(), states.data()), 0);
  for (std::size_t i = 0; i < x1.size(); ++i) {
    const Input in{pair, x1[i], x2[i]};
    expect_same_state(states[i], cold(in), in);
  }
}

}  // namespace
