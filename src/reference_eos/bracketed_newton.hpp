// Bounded Newton iteration on an increasing function, with a bracket to fall
// back on.
//
// f(x) returns {f, df/dx}; the root lies in [lo, hi] with f(lo) <= 0 <= f(hi)
// (the caller checks the ends or knows their signs). Every evaluation narrows
// the bracket; a Newton step that leaves it, or a slope that is not positive,
// is replaced by bisection, as is one after a step that did not halve |f|.
// A value that is not finite ends the iteration, not converged. Done when a step is below tolerance relative
// to |x| (plus an absolute floor) or f is exactly zero; at most max_evaluations.
#pragma once

#include <cmath>
#include <limits>

namespace vorn::reference_eos {

struct ValueSlope {
  double f;
  double df;
};

struct RootResult {
  double x;
  int evaluations;
  bool converged;
};

inline constexpr int default_max_evaluations = 200;

template <typename Function>
RootResult bracketed_newton(Function&& f, double lo, double hi, double x, double tolerance,
                            double absolute_floor = 0.0, int max_evaluations = default_max_evaluations) {
  if (!(x > lo && x < hi)) x = 0.5 * (lo + hi);
  double previous_residual = std::numeric_limits<double>::infinity();
  for (int n = 1; n <= max_evaluations; ++n) {
    const ValueSlope v = f(x);
    if (v.f == 0.0) return {x, n, true};
    if (!std::isfinite(v.f)) return {x, n, false};
    if (v.f < 0.0) {
      lo = x;
    } else {
      hi = x;
    }
    double next = x - v.f / v.df;
    const double limit = tolerance * std::fabs(x) + absolute_floor;
    // A step below tolerance ends the iteration whatever the residual did
    // (at convergence it only rounds, and the step may round to x itself);
    // a larger Newton step that follows one which did not halve the residual
    // is not trusted.
    if (v.df > 0.0 && next >= lo && next <= hi && std::fabs(next - x) <= limit) return {next, n, true};
    const bool inside = v.df > 0.0 && next > lo && next < hi;
    const bool shrinking = std::fabs(v.f) <= 0.5 * previous_residual;
    previous_residual = std::fabs(v.f);
    const bool newton_ok = shrinking && inside;
    if (!newton_ok) next = 0.5 * (lo + hi);
    if (hi - lo <= limit) return {0.5 * (lo + hi), n, true};
    if (!std::isfinite(next)) return {x, n, false};
    x = next;
  }
  return {x, max_evaluations, false};
}

// Regula falsi with the Illinois modification, for functions without a
// cheap derivative: g increasing, g(lo) <= 0 <= g(hi) given; at most
// max_evaluations, done when the bracket is within tolerance of |x|.
template <typename Function>
RootResult regula_falsi(Function&& g, double lo, double g_lo, double hi, double g_hi, double tolerance,
                        int max_evaluations) {
  if (g_lo == 0.0) return {lo, 0, true};
  if (g_hi == 0.0) return {hi, 0, true};
  if (!(g_lo < 0.0 && g_hi > 0.0)) return {lo, 0, false};
  int side = 0;
  for (int n = 1; n <= max_evaluations; ++n) {
    double x = (lo * g_hi - hi * g_lo) / (g_hi - g_lo);
    if (!(x > lo && x < hi)) x = 0.5 * (lo + hi);
    const double v = g(x);
    if (!std::isfinite(v)) return {x, n, false};
    if (v == 0.0) return {x, n, true};
    if (v < 0.0) {
      lo = x;
      g_lo = v;
      if (side == -1) g_hi *= 0.5;
      side = -1;
    } else {
      hi = x;
      g_hi = v;
      if (side == 1) g_lo *= 0.5;
      side = 1;
    }
    if (hi - lo <= tolerance * std::fabs(x)) return {0.5 * (lo + hi), n, true};
  }
  return {0.5 * (lo + hi), max_evaluations, false};
}

}  // namespace vorn::reference_eos
