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

}  // namespace vorn::reference_eos
