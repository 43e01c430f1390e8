// A bound that proves Za > 0 without evaluating Za: for T > 1.95 K,
//
//   |S_n(T)| <= U_n(T_k) = |w(n,1)| + sum_{j>1} |w(n,j)| T_k^-((j-1) c_n)
//
// for every T >= T_k (each T^-e falls as T rises, e >= 0, T_k > 1), and
// Za = 1 + sum_n S_n x^n, x = 1000 P/(rT). Where sum_n U_n x^n <= 1/2 (all six
// orders counted, whichever the region uses), the series cannot bring Za to 0:
// the rounding of its dozen operations is below 1e-15 of terms that sum to at
// most 1/2, so the computed Za is above 0.49. The state flags test Za itself
// only where the bound does not decide (dense or cold states), so that a gas
// state need not pay Za's 47 real powers to learn that Za is positive.
//
// T_k: 1.95 K times 1.05^k, k = 0 .. 199 (1.95 K to about 3.3e4 K); the bound
// of the last holds above it. Formed with the C library's pow on first use
// (not at load: loading the library does no work of its own); each U_n is rounded up by a factor (1 + 1e-12),
// far more than the rounding of its sum.
#pragma once

#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>

#include "constants/integer_power.hpp"
#include "constants/module_constants.hpp"
#include "correlation/acoustic_factor.hpp"

namespace vorn {

inline constexpr std::size_t acoustic_factor_bound_bins = 200;
inline constexpr double acoustic_factor_bound_start = 1.95;  // K
inline constexpr double acoustic_factor_bound_ratio = 1.05;

struct AcousticFactorBoundTable {
  std::array<double, acoustic_factor_bound_bins> lower_edge;                  // T_k, K
  std::array<std::array<double, 6>, acoustic_factor_bound_bins> order_bound;  // U_n(T_k)
};

inline AcousticFactorBoundTable make_acoustic_factor_bound_table() {
  AcousticFactorBoundTable t{};
  double edge = acoustic_factor_bound_start;
  for (std::size_t k = 0; k < acoustic_factor_bound_bins; ++k) {
    t.lower_edge[k] = edge;
    for (std::size_t n = 0; n < 6; ++n) {
      double U = std::fabs(acoustic_factor_scaled_coefficients[n][0]);
      for (std::size_t j = 1; j < 11; ++j) {
        U += std::fabs(acoustic_factor_scaled_coefficients[n][j]) /
             std::pow(edge, acoustic_factor_exponents[n][j]);
      }
      t.order_bound[k][n] = U * (1.0 + 1e-12);
    }
    edge *= acoustic_factor_bound_ratio;
  }
  return t;
}

// Formed on first use by the one thread that claims it, without a lock or a
// guarded static: a thread that finds it still being formed decides by Za
// itself meanwhile, which gives the same flag. Constant-initialised, so that
// loading the library runs nothing.
struct AcousticFactorBoundStorage {
  std::atomic<int> state{0};  // 0 not formed, 1 being formed, 2 ready
  AcousticFactorBoundTable table{};
};
inline AcousticFactorBoundStorage acoustic_factor_bound_storage;

inline const AcousticFactorBoundTable* acoustic_factor_bound_table() {
  AcousticFactorBoundStorage& s = acoustic_factor_bound_storage;
  int state = s.state.load(std::memory_order_acquire);
  if (state == 2) return &s.table;
  if (state == 0 && s.state.compare_exchange_strong(state, 1, std::memory_order_acq_rel)) {
    s.table = make_acoustic_factor_bound_table();
    s.state.store(2, std::memory_order_release);
    return &s.table;
  }
  return nullptr;
}

// True where Za(T, P) > 0 is proven by the bound; false where it is not
// decided (then Za must be evaluated). T > 1.95 and finite, P >= 0 finite.
inline bool acoustic_factor_surely_positive(double T, double P) {
  const AcousticFactorBoundTable* table = acoustic_factor_bound_table();
  if (table == nullptr) return false;
  const AcousticFactorBoundTable& t = *table;
  // The last edge at or below T (T > 1.95 = the first edge).
  std::size_t lo = 0;
  std::size_t hi = acoustic_factor_bound_bins;
  while (hi - lo > 1) {
    const std::size_t mid = (lo + hi) / 2;
    if (t.lower_edge[mid] <= T) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  const std::array<double, 6>& U = t.order_bound[lo];
  const double x = (1000.0 * P) / (gas_constant * T);
  const double bound = U[0] * x + U[1] * (x * x) + U[2] * integer_power<3>(x) + U[3] * integer_power<4>(x) +
                       U[4] * integer_power<5>(x) + U[5] * integer_power<6>(x);
  return bound <= 0.5;
}

}  // namespace vorn
