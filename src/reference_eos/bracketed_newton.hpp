// Bounded Newton iteration on an increasing function inside a bracket.
//
// f(x) returns {f, df/dx}; the root is sought in [lo, hi]. Every evaluation
// narrows the bracket; a Newton step that leaves it, or a slope that is not
// positive, is replaced by bisection, as is one after a step that did not
// halve |f|. A value that is not finite ends the iteration, not converged.
// Done when a step is below tolerance relative to |x| (plus an absolute floor)
// or f is exactly zero; at most max_evaluations.
//
// The bracket is checked here, not by the caller: a result is converged only
// if f was seen on both sides of zero, or if the end of the bracket on the
// side never seen has the sign that side should have (one more evaluation,
// made only when the iteration ends within two tolerances of that end). So an
// iteration whose root lies outside [lo, hi] never converges onto an end: it
// returns no_bracket, and the caller widens the bracket or gives up.
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
  bool no_bracket = false;  // the root is not inside [lo, hi]
};

inline constexpr int default_max_evaluations = 200;

template <typename Function>
RootResult bracketed_newton(Function&& f, double lo, double hi, double x, double tolerance,
                            double absolute_floor = 0.0, int max_evaluations = default_max_evaluations) {
  const double lo_end = lo;
  const double hi_end = hi;
  bool seen_negative = false;
  bool seen_positive = false;
  int n = 0;
  // A converged x is accepted if the bracket held it: f seen on both sides,
  // or the unseen end of the bracket far from x, or that end's f of the sign
  // it needs.
  auto accept = [&](double root, double limit) -> RootResult {
    if (seen_negative && seen_positive) return {root, n, true};
    const double end = seen_negative ? hi_end : lo_end;
    if (std::fabs(root - end) > 2.0 * limit) return {root, n, true};
    ++n;
    const double at_end = f(end).f;
    const bool held = seen_negative ? at_end >= 0.0 : at_end <= 0.0;
    if (!held) return {root, n, false, true};
    return {at_end == 0.0 ? end : root, n, true};
  };
  if (!(x > lo && x < hi)) x = 0.5 * (lo + hi);
  double previous_residual = std::numeric_limits<double>::infinity();
  while (n < max_evaluations) {
    ++n;
    const ValueSlope v = f(x);
    if (v.f == 0.0) return {x, n, true};
    if (!std::isfinite(v.f)) return {x, n, false};
    if (v.f < 0.0) {
      lo = x;
      seen_negative = true;
    } else {
      hi = x;
      seen_positive = true;
    }
    double next = x - v.f / v.df;
    const double limit = tolerance * std::fabs(x) + absolute_floor;
    // A step below tolerance ends the iteration whatever the residual did
    // (at convergence it only rounds, and the step may round to x itself);
    // a larger Newton step that follows one which did not halve the residual
    // is not trusted.
    if (v.df > 0.0 && next >= lo && next <= hi && std::fabs(next - x) <= limit) return accept(next, limit);
    const bool inside = v.df > 0.0 && next > lo && next < hi;
    const bool shrinking = std::fabs(v.f) <= 0.5 * previous_residual;
    previous_residual = std::fabs(v.f);
    const bool newton_ok = shrinking && inside;
    if (!newton_ok) next = 0.5 * (lo + hi);
    if (hi - lo <= limit) return accept(0.5 * (lo + hi), limit);
    if (!std::isfinite(next)) return {x, n, false};
    x = next;
  }
  return {x, max_evaluations, false};
}

}  // namespace vorn::reference_eos
