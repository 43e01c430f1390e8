// A bound that proves Za > 0 without evaluating Za. On a bin of temperatures
// [t0, t1) every term w(n,j) T^-e(n,j) of the order sum S_n is monotonic in T
// (e >= 0), so on the bin
//
//   S_n(T) >= L_n = w(n,1) + sum_{w>0} w t1^-e + sum_{w<0} w t0^-e
//   |S_n(T)| <= U_n = |w(n,1)| + sum_j |w(n,j)| t0^-e
//
// and, with x = 1000 P/(rT) >= 0 and only the orders T's region uses,
//
//   Za = 1 + sum_n S_n x^n >= 1 + sum_n L_n x^n.
//
// Za as computed differs from the exact series by the rounding of its terms,
// each under 1e-14 of the sum of their magnitudes, 1 + sum_n U_n x^n; so
// where 1 + sum L_n x^n exceeds 1e-12 of that sum (both formed in double, with
// their own rounding far below the margin) the computed Za is positive. The
// state flags test Za itself only where the bound does not decide: near the
// zero of Za, where the bound is tight only if the bins are narrow.
//
// The bins come from the bits of T: the exponent and the top five bits of the
// significand, 32 bins an octave (t1/t0 <= 1.0323), from 1.9375 K (the bin of
// 1.95 K) to 65536 K, and one bin above. Formed with the C library's pow on
// first use (not at load: loading the library does no work of its own), each
// L_n lowered and each U_n raised by 1e-12 of U_n, far more than the rounding
// of the sums that form them.
#pragma once

#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "constants/integer_power.hpp"
#include "constants/module_constants.hpp"
#include "correlation/acoustic_factor.hpp"

namespace vorn {

inline constexpr int acoustic_factor_bound_bins_per_octave_bits = 5;  // 32 bins an octave
inline constexpr std::size_t acoustic_factor_bound_per_octave = std::size_t{1}
                                                                << acoustic_factor_bound_bins_per_octave_bits;
inline constexpr std::size_t acoustic_factor_bound_first_bin = 30;  // [1.9375, 1.96875) K
inline constexpr std::size_t acoustic_factor_bound_last_bin =
    std::size_t{16} * acoustic_factor_bound_per_octave;  // [65536 K, +inf)
inline constexpr std::size_t acoustic_factor_bound_bins =
    acoustic_factor_bound_last_bin - acoustic_factor_bound_first_bin + 1;
inline constexpr double acoustic_factor_bound_slack = 1e-12;  // of U_n, and of the sum of magnitudes

// The bin of T: T's bits shifted so that the exponent and the top five bits of
// the significand remain, counted from 1.0. T > 1.95 and finite.
inline std::size_t acoustic_factor_bound_bin(double T) {
  constexpr int shift = 52 - acoustic_factor_bound_bins_per_octave_bits;
  constexpr std::uint64_t one = std::uint64_t{0x3FF0000000000000} >> shift;  // the bits of 1.0
  std::uint64_t bits = 0;
  std::memcpy(&bits, &T, sizeof bits);
  const std::uint64_t k = (bits >> shift) - one;
  return k < acoustic_factor_bound_last_bin ? static_cast<std::size_t>(k) : acoustic_factor_bound_last_bin;
}

// The lowest temperature of bin k (k <= the last bin): 2^(k/32) (1 + (k%32)/32), exact.
inline double acoustic_factor_bound_edge(std::size_t k) {
  constexpr std::size_t per_octave = acoustic_factor_bound_per_octave;
  return std::ldexp(1.0 + static_cast<double>(k % per_octave) / static_cast<double>(per_octave),
                    static_cast<int>(k / per_octave));
}

struct AcousticFactorOrderBounds {
  std::array<double, 6> lower;      // L_n
  std::array<double, 6> magnitude;  // U_n
};

using AcousticFactorBoundTable = std::array<AcousticFactorOrderBounds, acoustic_factor_bound_bins>;

inline AcousticFactorOrderBounds acoustic_factor_order_bounds(double t0, double t1) {
  AcousticFactorOrderBounds b{};
  for (std::size_t n = 0; n < 6; ++n) {
    const std::array<double, 11>& w = acoustic_factor_scaled_coefficients[n];
    const std::array<double, 11>& e = acoustic_factor_exponents[n];
    double L = w[0];
    double U = std::fabs(w[0]);
    for (std::size_t j = 1; j < acoustic_factor_terms_in_use[n]; ++j) {
      const double at_t0 = w[j] / std::pow(t0, e[j]);
      const double at_t1 = std::isfinite(t1) ? w[j] / std::pow(t1, e[j]) : 0.0;
      L += std::fmin(at_t0, at_t1);
      U += std::fabs(at_t0);
    }
    b.lower[n] = L - acoustic_factor_bound_slack * U;
    b.magnitude[n] = U + acoustic_factor_bound_slack * U;
  }
  return b;
}

inline void make_acoustic_factor_bound_table(AcousticFactorBoundTable& t) {
  for (std::size_t i = 0; i < acoustic_factor_bound_bins; ++i) {
    const std::size_t k = acoustic_factor_bound_first_bin + i;
    const double t0 = acoustic_factor_bound_edge(k);
    const double t1 = k < acoustic_factor_bound_last_bin ? acoustic_factor_bound_edge(k + 1)
                                                         : std::numeric_limits<double>::infinity();
    t[i] = acoustic_factor_order_bounds(t0, t1);
  }
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
    make_acoustic_factor_bound_table(s.table);
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
  const AcousticFactorOrderBounds& b =
      (*table)[acoustic_factor_bound_bin(T) - acoustic_factor_bound_first_bin];
  const double x = (1000.0 * P) / (gas_constant * T);
  // The orders Za uses at T (acoustic_factor.hpp): 1 above 1.95 K, 2-4 above
  // 2.6 K, 5-6 above 20 K.
  const std::size_t orders = T > 20.0 ? 6 : T > 2.6 ? 4 : 1;
  double lower = 1.0;
  double magnitude = 1.0;
  double xn = 1.0;
  for (std::size_t n = 0; n < orders; ++n) {
    xn *= x;
    lower += b.lower[n] * xn;
    magnitude += b.magnitude[n] * xn;
  }
  return lower > acoustic_factor_bound_slack * magnitude;
}

}  // namespace vorn
