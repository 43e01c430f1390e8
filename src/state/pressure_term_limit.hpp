// Where the pressure term of vorn_k and vorn_nu stops holding. Each is its
// zero-pressure value times F = 1 + b0 T^b1 P + c0 T^c1 P^2
// (transport/pressure_factor.hpp), a low-density form: in the dense gas it
// runs far above the dense-fluid correlations of the whole fluid (eleven times
// the viscosity at 300 K and 50 MPa). Their flags (k-dense, nu-dense) are set
// where the pressure term F - 1, as the routine forms it, is above a limit
// t(T), or is NaN:
//
//   t(T) linear in T between knots 2, 3, 4, 6, 8, 12, ... 1536, 2048 K (2^n
//   and 1.5 2^n), the end value below 2 K and above 2048 K.
//
// The limits come from comparing the pressure term x - x0 of each routine with
// that of the dense-fluid correlations, ref(T, rho) - ref(T, 0), over the gas
// side of the plane (vapour and supercritical states of the reference equation,
// 2.2 K to 1500 K, 0.1 kPa to 100 MPa, finely along each isotherm): at each
// knot, 0.9 of the least F - 1 at which the difference is more than 2 % of
// ref(T, rho) anywhere within a knot on either side, lowered where the line
// between two knots would cross 0.9 of that curve. So the flags are set
// wherever the difference is above 2 %, and at about 1 % of the states where
// both routines are within 1 % (docs/accuracy.md; tests/state). The dilute
// values themselves differ by design (k0 and nu0 follow the ab initio values,
// up to 5 % from the dense-fluid correlations' dilute parts at 4 K to 50 K),
// which is why the pressure term is what is compared. Outside 2.2 K to 1500 K
// the limits are extrapolated, not checked.
//
// Cheaply: on a segment between two knots both terms of F - 1 fall with T
// (b1, c1 < 0; b0, c0 > 0), so F - 1 lies between its value with the terms at
// the segment's upper knot and at its lower knot (each formed once, on first
// use, with the C library's pow), and t(T) between the two knots' limits.
// Where that decides with a margin of 1e-9 of the limit, far above the
// rounding of F (a few parts in 1e16 of 1), it is taken; elsewhere F is formed
// as the routine forms it.
#pragma once

#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>

#include "transport/conductivity.hpp"
#include "transport/pressure_factor.hpp"
#include "transport/viscosity.hpp"

namespace vorn {

inline constexpr std::size_t pressure_term_knot_count = 21;
inline constexpr std::array<double, pressure_term_knot_count> pressure_term_knots{
    2, 3, 4, 6, 8, 12, 16, 24, 32, 48, 64, 96, 128, 192, 256, 384, 512, 768, 1024, 1536, 2048};  // K

// t at each knot (fraction of the zero-pressure value), from the comparison above.
inline constexpr std::array<double, pressure_term_knot_count> viscosity_pressure_term_limits{
    0.0185, 0.0185, 0.0342, 0.0589, 0.206,  0.227,  0.164,  0.122,  0.0839, 0.0665, 0.0486,
    0.0391, 0.0299, 0.0243, 0.0212, 0.0207, 0.0201, 0.0197, 0.0192, 0.0192, 0.0192};
inline constexpr std::array<double, pressure_term_knot_count> conductivity_pressure_term_limits{
    0.0327, 0.0307, 0.0307, 0.0307, 0.0347, 0.0547, 0.137,  0.0992, 0.0655, 0.0527, 0.0416,
    0.0368, 0.0322, 0.0303, 0.0277, 0.0265, 0.0249, 0.0238, 0.0224, 0.0224, 0.0224};

inline constexpr double pressure_term_bound_margin = 1e-9;  // of the limit

// The segment [knot i, knot i + 1) holding T, 2 <= T < 2048: from T's exponent
// and the top bit of its significand (T = m 2^e, m in [0.5, 1)).
inline std::size_t pressure_term_segment(double T) {
  int e = 0;
  const double m = std::frexp(T, &e);
  const int segment = 2 * (e - 2) + (m >= 0.75 ? 1 : 0);
  return static_cast<std::size_t>(segment);
}

inline double pressure_term_limit(const std::array<double, pressure_term_knot_count>& limits, double T) {
  if (!(T > pressure_term_knots.front())) return limits.front();
  if (!(T < pressure_term_knots.back())) return limits.back();
  const std::size_t i = pressure_term_segment(T);
  const double t0 = pressure_term_knots[i];
  const double t1 = pressure_term_knots[i + 1];
  return limits[i] + (limits[i + 1] - limits[i]) * ((T - t0) / (t1 - t0));
}

// F - 1 as the routine forms it (F from the same terms, the same doubles).
inline double pressure_term(const PressureFactorConstants& k, double T, double P) {
  return pressure_factor(k, T, P) - 1.0;
}

// The definition: the pressure term above the limit, or NaN.
inline bool pressure_term_above_limit(const PressureFactorConstants& k,
                                      const std::array<double, pressure_term_knot_count>& limits, double T,
                                      double P) {
  return !(pressure_term(k, T, P) <= pressure_term_limit(limits, T));
}

// The terms of F at each knot, for both routines, formed on first use.
struct PressureTermKnotTerms {
  std::array<PressureFactorTerms, pressure_term_knot_count> viscosity;
  std::array<PressureFactorTerms, pressure_term_knot_count> conductivity;
};

struct PressureTermBoundStorage {
  std::atomic<int> state{0};  // 0 not formed, 1 being formed, 2 ready
  PressureTermKnotTerms terms{};
};
inline PressureTermBoundStorage pressure_term_bound_storage;

// Null while another thread forms them: the caller then decides by F itself.
inline const PressureTermKnotTerms* pressure_term_knot_terms() {
  PressureTermBoundStorage& s = pressure_term_bound_storage;
  int state = s.state.load(std::memory_order_acquire);
  if (state == 2) return &s.terms;
  if (state == 0 && s.state.compare_exchange_strong(state, 1, std::memory_order_acq_rel)) {
    for (std::size_t i = 0; i < pressure_term_knot_count; ++i) {
      s.terms.viscosity[i] = pressure_factor_terms(viscosity_pressure_constants, pressure_term_knots[i]);
      s.terms.conductivity[i] =
          pressure_factor_terms(conductivity_pressure_constants, pressure_term_knots[i]);
    }
    s.state.store(2, std::memory_order_release);
    return &s.terms;
  }
  return nullptr;
}

// The same answer as pressure_term_above_limit, deciding from the knots' terms
// where they decide. T > 0 and finite, P >= 0 finite.
inline bool pressure_term_above_limit_fast(
    const PressureFactorConstants& k, const std::array<double, pressure_term_knot_count>& limits,
    const std::array<PressureFactorTerms, pressure_term_knot_count>* knot_terms, double T, double P) {
  if (knot_terms != nullptr && T >= pressure_term_knots.front()) {
    const bool inside = T < pressure_term_knots.back();
    const std::size_t i = inside ? pressure_term_segment(T) : pressure_term_knot_count - 1;
    const std::size_t j = inside ? i + 1 : i;
    const double low_limit = std::fmin(limits[i], limits[j]) * (1.0 - pressure_term_bound_margin);
    const PressureFactorTerms& cold = (*knot_terms)[i];
    if (cold.linear * P + cold.quadratic * (P * P) <= low_limit) return false;
    if (inside) {
      const double high_limit = std::fmax(limits[i], limits[j]) * (1.0 + pressure_term_bound_margin);
      const PressureFactorTerms& warm = (*knot_terms)[j];
      if (warm.linear * P + warm.quadratic * (P * P) >= high_limit) return true;
    }
  }
  return pressure_term_above_limit(k, limits, T, P);
}

}  // namespace vorn
