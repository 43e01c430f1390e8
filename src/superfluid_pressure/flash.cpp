// He II under pressure as a region of the flashes (flash.hpp). Every pair is
// one Newton iteration in (T, p) on the two held quantities, whose partials
// come from the state itself:
//   rho: d/dT = -rho alpha,     d/dp = rho kappa_T
//   h:   d/dT = cp,             d/dp = V (1 - T alpha)
//   s:   d/dT = cp/T,           d/dp = -V alpha
//   u:   d/dT = cp - p V alpha, d/dp = V (p kappa_T - T alpha)
// A pair holding T or p runs along its isotherm or isobar, within the
// region's bounds there (the vapour pressure, the melting line, the lambda
// line). An isotherm starts where the saturated line and the volume alone
// (a 3-point pressure integral, no state) put the target: for the density
// exactly, so that one state is the answer. An isobar starts and steps on
// the saturated line's shape in T (tabulated once per thread), fitted to
// each state's value and slope: it follows the phonons' and rotons' steep
// rise where a step in T overshoots. Where the quantity rises along the path
// (h and s on an isobar, rho and h on an isotherm) the states bracket the
// root (a step out of it takes the bracket's chord), and a path end met with
// the target still beyond has no state here.
// The other pairs, and a path that stalls, start from the best point of a
// small grid over the region (of rough states, the pressure part by a
// 3-point rule on the volume, but along an isobar and for (rho, h)),
// halving a step until the residual falls.
// Done when the step a state gives moves T and p by less than 1e-12
// relative with its residual tiny (that state is the answer to rounding);
// at most 40 steps. A pair whose iteration ends away from a root (pressed
// against a bound) has no state here: false, and the caller's answer
// stands. Where a path holds two He II states (the isobar's density has a
// minimum near 1.1 K) the one nearer the grid's best point is returned,
// flagged NOT_UNIQUE, as are the twins of s and u on a cold isotherm and of
// h on a dense isochore (path_twin, isochore_twin);
// (P, rho) runs its grid and steps on the density alone (the volume, no
// pressure integral) and evaluates one state, at the answer.
#include "superfluid_pressure/flash.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

#include "constants/gauss_legendre.hpp"
#include "constants/kept_at.hpp"
#include "reference_eos/flash_common.hpp"
#include "reference_eos/he_ii_bath.hpp"
#include "reference_eos/properties.hpp"
#include "superfluid/density.hpp"
#include "superfluid/heat_capacity.hpp"
#include "superfluid_pressure/gibbs_table.hpp"
#include "superfluid_pressure/saturated_entropy.hpp"
#include "superfluid_pressure/saturation_closure.hpp"
#include "superfluid_pressure/volume.hpp"

namespace vorn::superfluid_pressure {
namespace {

namespace eos = reference_eos;
using eos::FluidState;
using eos::InputPair;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double M = eos::molar_mass;

// The saturated fits' C_sat, J/(kg K), up to the end of its spline 35 nK
// below T_lambda (the peak's value across that gap).
double saturated_heat_capacity(double T) {
  return superfluid::molar_heat_capacity(std::fmin(T, superfluid::heat_capacity_below_end)) / M;
}

// dh/dT along saturation, J/(kg K): C_sat + V dp_s/dT.
double enthalpy_slope(double T) {
  const double rho = superfluid::gram_per_cm3_to_kg_per_m3 * superfluid::saturated_liquid_density(T).rho;
  return saturated_heat_capacity(T) + saturation_pressure(T).derivative / rho;
}

// The region's pressures at T: from p_s(T) to the melting line below the
// upper lambda point, to the lambda line above it (its last pressure below
// the line). Empty (lo > hi) outside the region's temperatures.
struct Span {
  double lo;
  double hi;
};
Span pressure_span(double T) {
  if (!(T >= plane_lowest_temperature && T < eos::lambda_saturation_temperature)) return {1.0, 0.0};
  const double lo = saturation_pressure(T).value;
  if (T < eos::lambda_melting_temperature) return {lo, eos::melting_pressure(T)};
  // The line is flat in p (a ulp of T spans thousands of ulps of p): down
  // from it by steps doubling from a ulp until T is below it.
  double hi = std::nextafter(eos::lambda_line_pressure(T), 0.0);
  double down = hi - std::nextafter(hi, 0.0);
  for (int k = 0; k < 64 && !(T < eos::lambda_line_temperature(hi)); ++k) {
    hi -= down;
    down *= 2.0;
  }
  return {lo, std::fmin(hi, eos::lambda_melting_pressure)};
}

// The region's temperatures at p: from 0.8 K or the melting line to the
// vapour pressure's temperature or the lambda line, whichever is colder.
Span temperature_span(double p) {
  if (!(p > 0.0 && p <= eos::lambda_melting_pressure)) return {1.0, 0.0};
  const double lo = std::fmax(plane_lowest_temperature, eos::melting_temperature(p));
  const double line = eos::lambda_line_temperature(p);
  double hi = std::fmin(std::fmin(saturation_temperature(p), line), eos::lambda_saturation_temperature);
  for (int k = 0; k < 64 && !(hi < line && hi < eos::lambda_saturation_temperature); ++k)
    hi = std::nextafter(hi, 0.0);
  return {lo, hi};
}

// What a pair holds, per kilogram, and its partials at a state.
enum class Held { temperature, pressure, density, enthalpy, entropy, energy };
struct Partial {
  double value;
  double dT;
  double dp;
};
// The value alone.
double held_value(const HeIIState& st, Held q) {
  switch (q) {
    case Held::temperature:
      return st.T;
    case Held::pressure:
      return st.p;
    case Held::density:
      return st.rho;
    case Held::enthalpy:
      return st.h;
    case Held::entropy:
      return st.s;
    case Held::energy:
      break;
  }
  return st.u;
}
Partial partial(const HeIIState& st, Held q) {
  const double v = 1.0 / st.rho;
  const double value = held_value(st, q);
  switch (q) {
    case Held::temperature:
      return {value, 1.0, 0.0};
    case Held::pressure:
      return {value, 0.0, 1.0};
    case Held::density:
      return {value, -st.rho * st.alpha, st.rho * st.kappa};
    case Held::enthalpy:
      return {value, st.cp, v * (1.0 - st.T * st.alpha)};
    case Held::entropy:
      return {value, st.cp / st.T, -v * st.alpha};
    case Held::energy:
      break;
  }
  return {value, st.cp - st.p * v * st.alpha, v * (st.p * st.kappa - st.T * st.alpha)};
}

// The scale of each quantity's residual (typical of He II's span of it).
double scale(Held q) {
  switch (q) {
    case Held::temperature:
      return 1.0;  // K
    case Held::pressure:
      return 1e6;  // Pa
    case Held::density:
      return 150.0;  // kg/m3
    case Held::entropy:
      return 1e3;  // J/(kg K)
    case Held::enthalpy:
    case Held::energy:
      break;
  }
  return 1e4;  // J/kg
}

struct Target {
  Held a;
  double x;
  Held b;
  double y;
};

double residual(const HeIIState& st, const Target& t) {
  const double fa = (held_value(st, t.a) - t.x) / scale(t.a);
  const double fb = (held_value(st, t.b) - t.y) / scale(t.b);
  return std::hypot(fa, fb);
}

// (T, p) moved into the region: p into its span at T (T held), T into its
// span at p (p held), else T into [0.8 K, T_lambda) and p into its span.
bool clamp(const Target& t, double& T, double& p) {
  if (t.b == Held::pressure) {
    const Span s = temperature_span(p);
    if (!(s.lo <= s.hi)) return false;
    T = std::fmin(std::fmax(T, s.lo), s.hi);
    return true;
  }
  if (t.a != Held::temperature)
    T = std::fmin(std::fmax(T, plane_lowest_temperature),
                  std::nextafter(eos::lambda_saturation_temperature, 0.0));
  // Clear of every bound of the span at T (above the lambda point's
  // pressure, so above p_s; a nanokelvin below the lambda line at p, so well
  // below the span's top; under the melting line): p stays, without the
  // vapour pressure's inversion and the line's search in p.
  if (T >= plane_lowest_temperature && T < eos::lambda_saturation_temperature &&
      p > 1.01 * eos::lambda_saturation_pressure && p < eos::lambda_melting_pressure &&
      T < eos::lambda_line_temperature(p) - 1e-9 &&
      (T >= eos::lambda_melting_temperature || p <= eos::melting_pressure(T)))
    return true;
  const Span s = pressure_span(T);
  if (!(s.lo <= s.hi)) return false;
  p = std::fmin(std::fmax(p, s.lo), s.hi);
  return true;
}

constexpr int grid_points = 6;
constexpr int most_steps = 40;
constexpr int most_halvings = 12;
constexpr double step_tolerance = 1e-12;
// A solved state's scaled residual is at most this: above it the iteration
// stopped against a bound, short of a root.
constexpr double residual_tolerance = 1e-8;

// A Newton step from st this small leaves it where it is, to rounding.
bool settled(const HeIIState& st, double dT, double dp) {
  return std::fabs(dT) <= step_tolerance * st.T && std::fabs(dp) <= step_tolerance * std::fmax(st.p, 1e3);
}

struct Solution {
  HeIIState state;
  int evaluations;
  bool found;
};

// The pressure part at T from p_s to p by the 3-point rule on the volume
// alone (pressure_part.hpp's integrals, without its pieces towards the
// lambda line): close to a state's away from the line, for starts only.
struct RoughPart {
  double dg;  // J/kg
  double ds;  // J/(kg K)
  double dcp;
};
RoughPart rough_part(double T, double ps, double p, const ClosureDerivatives& closure) {
  RoughPart part{0.0, 0.0, 0.0};
  const double half = 0.5 * (p - ps);
  for (std::size_t i = 0; i < gauss_legendre_3_nodes.size(); ++i) {
    const VolumeDerivatives v = specific_volume(T, ps + half * (1.0 + gauss_legendre_3_nodes[i]), closure);
    part.dg += half * gauss_legendre_3_weights[i] * v.v;
    part.ds -= half * gauss_legendre_3_weights[i] * v.dT;
    part.dcp -= T * half * gauss_legendre_3_weights[i] * v.dTT;
  }
  return part;
}

// A state at (T, p) for choosing starts by, never an answer: the table's
// where it has a cell (cheaper, and the state itself), else one with its
// pressure part rough (the fields the flashes' partials take: rho, h, s, u,
// cp, alpha, kappa), at a fraction of the model's cost.
HeIIState rough_state(double T, double p) {
  HeIIState st = no_he_ii_state(T, p);
  if (!(T >= plane_lowest_temperature) || !he_ii_in_range(T, p)) return st;
  // Where the table has a cell its state costs less than the rough one.
  GibbsValues g{};
  if (tabulated_gibbs(T, p, g)) return he_ii_state_of(T, p, g);
  const superfluid::SplineValue ps = saturation_pressure(T);
  const ClosureDerivatives closure = saturation_closure(T);
  const SaturatedLine sat = saturated_line(T);
  const RoughPart part = rough_part(T, ps.value, p, closure);
  const VolumeDerivatives v = specific_volume(T, p, closure);
  st.in_range = true;
  st.rho = 1.0 / v.v;
  st.s = sat.s + part.ds;
  st.h = sat.h + part.dg + T * part.ds;
  st.u = st.h - p * v.v;
  st.cp = sat.c + part.dcp + T * volume_slope_at_saturation(T, closure, ps) * ps.derivative;
  st.alpha = v.dT / v.v;
  st.kappa = -v.dp / v.v;
  return st;
}

// The density and its partials in T and p from the volume alone (with the
// closure, kept per T for the state that follows at the answer): the
// state's own rho, alpha and kappa_T, bit for bit, all a (P, rho) search
// reads. Elsewhere NaN.
HeIIState density_state(double T, double p) {
  HeIIState st = no_he_ii_state(T, p);
  if (!(T >= plane_lowest_temperature) || !he_ii_in_range(T, p)) return st;
  GibbsValues g{};
  if (!tabulated_gibbs(T, p, g)) {
    const VolumeDerivatives v = specific_volume(T, p, saturation_closure(T));
    g.v = v.v;
    g.v_T = v.dT;
    g.v_p = v.dp;
  }
  st.in_range = true;
  st.rho = 1.0 / g.v;
  st.alpha = g.v_T / g.v;
  st.kappa = -g.v_p / g.v;
  return st;
}

// How a search takes a state at (T, p): the model's, or a part of it.
using StateAt = HeIIState (*)(double T, double p);

// The grid's best starts, best first: along T (p held) or p (T held) at
// grid_points points, or over grid_points temperatures times grid_points
// fractions of their pressure span.
constexpr std::size_t most_starts = 4;
struct Starts {
  std::array<HeIIState, most_starts> state;
  std::array<double, most_starts> residual;
  std::size_t count = 0;
  int evaluations = 0;
  double first = nan;  // the held quantity a at the path's ends (one held T or p)
  double last = nan;
};
// Along a path where the sought quantity is monotonic (h and s on an
// isobar; rho and h on an isotherm) the ends and the point between them
// where the quantity would be the target if it were linear are start
// enough; elsewhere the grid.
bool monotonic(const Target& t) {
  return (t.b == Held::pressure && (t.a == Held::enthalpy || t.a == Held::entropy)) ||
         (t.a == Held::temperature && (t.b == Held::density || t.b == Held::enthalpy));
}

// The whole plane's grid: grid_points temperatures from 0.8 K to T_lambda
// times grid_points fractions of their pressure span, the same for every
// pair, so kept per thread: rough states, or the model's (the pairs that
// run the whole grid hold neither T nor p, so never the density alone),
// each taken once: a pair on the whole grid then costs its Newton steps.
struct PlaneGrid {
  std::array<HeIIState, std::size_t{grid_points} * grid_points> state;
  int count;
};
const PlaneGrid& plane_grid(bool rough) {
  thread_local PlaneGrid kept[2] = {};
  thread_local bool taken[2] = {false, false};
  PlaneGrid& grid = kept[rough ? 0 : 1];
  if (!taken[rough ? 0 : 1]) {
    grid.count = 0;
    const double top = std::nextafter(eos::lambda_saturation_temperature, 0.0);
    for (int i = 0; i < grid_points; ++i) {
      const double T = plane_lowest_temperature +
                       static_cast<double>(i) / (grid_points - 1) * (top - plane_lowest_temperature);
      const Span s = pressure_span(T);
      for (int j = 0; j < grid_points && s.lo <= s.hi; ++j) {
        const double p = s.lo + static_cast<double>(j) / (grid_points - 1) * (s.hi - s.lo);
        grid.state[grid.count++] = rough ? rough_state(T, p) : plane_state(T, p);
      }
    }
    taken[rough ? 0 : 1] = true;
  }
  return grid;
}

Starts grid_starts(const Target& t, double T_held, double p_held, bool quick, StateAt state_at) {
  Starts best;
  // Rough states but along an isobar (whose ends' values decide that it
  // holds no root) and for (rho, h), whose twins in He II (h falls along an
  // isochore where alpha < 0 outweighs cv) the states' own residuals tell
  // apart.
  const bool rough = t.b != Held::pressure && t.b != Held::enthalpy;
  const auto take = [&](const HeIIState& st) {
    best.last = held_value(st, t.a);
    if (std::isnan(best.first)) best.first = best.last;
    const double r = residual(st, t);
    if (!st.in_range || !(r < best.residual[most_starts - 1] || best.count < most_starts)) return st;
    std::size_t i = best.count < most_starts ? best.count++ : most_starts - 1;
    for (; i > 0 && best.residual[i - 1] > r; --i) {
      best.state[i] = best.state[i - 1];
      best.residual[i] = best.residual[i - 1];
    }
    best.state[i] = st;
    best.residual[i] = r;
    return st;
  };
  const auto consider = [&](double T, double p) {
    if (!rough) ++best.evaluations;
    return take(rough ? rough_state(T, p) : state_at(T, p));
  };
  const auto fraction = [](int i) { return static_cast<double>(i) / (grid_points - 1); };
  if (quick) {
    const bool isobar = t.b == Held::pressure;
    const Span s = isobar ? temperature_span(p_held) : pressure_span(T_held);
    if (!(s.lo <= s.hi)) return best;
    const auto at = [&](double x) { return isobar ? std::pair{x, p_held} : std::pair{T_held, x}; };
    const Held sought = isobar ? t.a : t.b;
    const double target = isobar ? t.x : t.y;
    double ends[2] = {nan, nan};
    for (int k = 0; k < 2; ++k) {
      const auto [T, p] = at(k == 0 ? s.lo : s.hi);
      ends[k] = held_value(consider(T, p), sought);
    }
    const double f = (target - ends[0]) / (ends[1] - ends[0]);
    if (f > 0.0 && f < 1.0) {
      const auto [T, p] = at(s.lo + f * (s.hi - s.lo));
      consider(T, p);
    }
    best.first = ends[0];
    best.last = ends[1];
    return best;
  }
  if (t.b == Held::pressure) {
    const Span s = temperature_span(p_held);
    for (int i = 0; i < grid_points && s.lo <= s.hi; ++i)
      consider(s.lo + fraction(i) * (s.hi - s.lo), p_held);
  } else if (t.a == Held::temperature) {
    const Span s = pressure_span(T_held);
    for (int i = 0; i < grid_points && s.lo <= s.hi; ++i)
      consider(T_held, s.lo + fraction(i) * (s.hi - s.lo));
  } else {
    const PlaneGrid& grid = plane_grid(rough);
    for (int i = 0; i < grid.count; ++i) {
      if (!rough) ++best.evaluations;
      take(grid.state[i]);
    }
  }
  return best;
}

// Newton from one start.
Solution newton(const Target& t, HeIIState st, StateAt state_at) {
  Solution sol{st, 0, false};
  double r = residual(st, t);
  for (int step = 0; step < most_steps; ++step) {
    const Partial a = partial(st, t.a);
    const Partial b = partial(st, t.b);
    const double det = a.dT * b.dp - a.dp * b.dT;
    double dT = -((a.value - t.x) * b.dp - a.dp * (b.value - t.y)) / det;
    double dp = -(a.dT * (b.value - t.y) - (a.value - t.x) * b.dT) / det;
    if (!std::isfinite(dT) || !std::isfinite(dp)) break;
    if (settled(st, dT, dp) && r <= residual_tolerance) break;
    HeIIState next = st;
    double next_r = r;
    bool moved = false;
    for (int k = 0; k < most_halvings; ++k) {
      if (k > 0) {
        dT *= 0.5;
        dp *= 0.5;
      }
      double T = st.T + dT;
      double p = st.p + dp;
      if (!clamp(t, T, p)) break;
      next = state_at(T, p);
      ++sol.evaluations;
      next_r = residual(next, t);
      if (next.in_range && next_r < r) {
        moved = true;
        break;
      }
    }
    if (!moved) break;
    const bool small = settled(st, next.T - st.T, next.p - st.p);
    st = next;
    r = next_r;
    if (small || r == 0.0) break;
  }
  sol.state = st;
  sol.found = r <= residual_tolerance;
  return sol;
}

// A path with T or p held: the other, x, runs over its span; the quantity
// sought along it and its target.
struct Path {
  bool isobar;  // x is T (p held), else p (T held)
  double held;  // Pa or K
  Held sought;
  double target;
  Span span;  // of x
};

HeIIState state_on(const Path& path, double x) {
  return path.isobar ? plane_state(x, path.held) : plane_state(path.held, x);
}

// Newton along a path from x, kept inside the span and, where the quantity
// rises along the path (rising), inside the bracket the points seen so far
// make: a step out of it goes to the span's end not yet seen, else to where
// the chord through the bracket's ends (Illinois' weights) meets the target
// (halfway if the chord fails); an end met with the target still beyond it
// ends the search with no root (refused). Where the quantity need not rise,
// a point no nearer the target than the last halves the step back to it, and
// a search that stalls or presses against an end is not a refusal. Done when
// the step a point gives is below tolerance and its residual tiny: that
// point is the answer to rounding. probe(x) gives the residual at x and the
// next x it proposes.
struct Probed {
  bool in_range;
  double f;     // the sought quantity less the target
  double next;  // the step's end
};
struct Search {
  int probes;
  bool found;
  bool refused;
  double x;
};
template <typename Probe>
Search search(const Path& path, double x, bool rising, const Probe& probe) {
  Search out{0, false, false, x};
  double lo = path.span.lo;
  double hi = path.span.hi;
  const double floor = path.isobar ? 0.0 : 1e3;
  double f_lo = nan;  // the residual at the bracket's ends, once seen there
  double f_hi = nan;
  int kept = 0;         // the end the last point left in place: -1 lo, 1 hi
  double last_x = nan;  // the last point's x and residual where a step must lower it
  double last_f = nan;
  int halvings = 0;
  for (int step = 0; step < most_steps; ++step) {
    if (!std::isfinite(x)) x = 0.5 * (lo + hi);
    x = std::fmin(std::fmax(x, lo), hi);
    const Probed at = probe(x);
    ++out.probes;
    out.x = x;
    const double f = at.f;
    if (!rising && !(std::fabs(f) < std::fabs(last_f)) && std::isfinite(last_f)) {
      // No better than the last point: halve the step back towards it.
      if (++halvings > most_halvings) break;
      x = 0.5 * (x + last_x);
      continue;
    }
    if (!at.in_range) break;
    halvings = 0;
    double next = at.next;
    const bool small = std::fabs(next - x) <= step_tolerance * std::fmax(x, floor);
    if (f == 0.0 || (small && std::fabs(f) <= residual_tolerance * scale(path.sought))) {
      out.found = true;
      return out;
    }
    if (!rising) {
      last_x = x;
      last_f = f;
      // Pressed against an end: stalled.
      if (std::fmin(std::fmax(next, lo), hi) == x) break;
      x = next;
      continue;
    }
    // The root is below x where the quantity is above the target.
    if (f > 0.0 ? x == path.span.lo : x == path.span.hi) {
      out.refused = true;
      break;
    }
    // An end kept from the last fallback's bracket weighs half (Illinois).
    if (f > 0.0) {
      hi = x;
      f_hi = f;
      if (kept == -1) f_lo *= 0.5;
      kept = kept == -1 ? 0 : -1;
    } else {
      lo = x;
      f_lo = f;
      if (kept == 1) f_hi *= 0.5;
      kept = kept == 1 ? 0 : 1;
    }
    // A bracket closed to the step tolerance around a tiny residual: the
    // root, where the quantity steps across it by a rounding's worth (two
    // of the table's cells meet there, or the table and the model).
    if (!std::isnan(f_lo) && !std::isnan(f_hi) && hi - lo <= step_tolerance * std::fmax(x, floor) &&
        std::fabs(f) <= residual_tolerance * scale(path.sought)) {
      out.found = true;
      return out;
    }
    if (next > lo && next < hi) {
      kept = 0;
    } else {
      // Out of the bracket: to the span's end not yet seen, else where the
      // chord through the bracket's ends meets the target.
      const bool up = next >= hi;
      next = up ? hi : lo;
      if (!std::isnan(f_lo) && !std::isnan(f_hi)) next = lo - f_lo * (hi - lo) / (f_hi - f_lo);
      if (!(next > lo && next < hi) && !std::isnan(up ? f_hi : f_lo)) next = 0.5 * (lo + hi);
    }
    if (next == x) break;
    x = next;
  }
  return out;
}

// The saturated line's s and h at line_nodes + 1 temperatures from 0.8 K to
// T_lambda, per thread, and cubic Hermite between them on their slopes (c/T
// and C_sat + V dp_s/dT): the shape of an isobar's s and h in T (they rise
// as T^3 with the phonons, much faster with the rotons), for its steps.
constexpr int line_nodes = 28;
constexpr double line_step = (eos::lambda_saturation_temperature - plane_lowest_temperature) / line_nodes;
struct LineNode {
  double s;
  double h;
  double ds;  // per K
  double dh;
};
struct LinePoint {
  double value;
  double slope;
};
LinePoint saturated_shape(bool entropy, double T) {
  thread_local bool taken = false;
  thread_local LineNode node[line_nodes + 1] = {};
  if (!taken) {
    for (int i = 0; i <= line_nodes; ++i) {
      const double at =
          i == line_nodes ? eos::lambda_saturation_temperature : plane_lowest_temperature + line_step * i;
      const SaturatedLine line = saturated_line(at);
      node[i] = {line.s, line.h, line.c / at, enthalpy_slope(at)};
    }
    taken = true;
  }
  const double x = std::fmin(std::fmax((T - plane_lowest_temperature) / line_step, 0.0), double{line_nodes});
  const int i = std::min(static_cast<int>(x), line_nodes - 1);
  const double t = x - i;
  const LineNode& a = node[i];
  const LineNode& b = node[i + 1];
  const double y0 = entropy ? a.s : a.h;
  const double y1 = entropy ? b.s : b.h;
  const double m0 = line_step * (entropy ? a.ds : a.dh);
  const double m1 = line_step * (entropy ? b.ds : b.dh);
  const double u = 1.0 - t;
  return {(1.0 + 2.0 * t) * u * u * y0 + t * u * u * m0 + t * t * (3.0 - 2.0 * t) * y1 - t * t * u * m1,
          (6.0 * t * (t - 1.0) * (y0 - y1) + (3.0 * t - 1.0) * (t - 1.0) * m0 + t * (3.0 * t - 2.0) * m1) /
              line_step};
}

// Where offset + stretch * shape(T) meets the target on the span: Newton
// on it within a bisection bracket, from T (arithmetic alone), to a tenth of
// the steps' tolerance.
constexpr double shape_tolerance = 0.1 * step_tolerance;
double shape_root(const Path& path, double offset, double stretch, double T) {
  const bool entropy = path.sought == Held::entropy;
  double lo = path.span.lo;
  double hi = path.span.hi;
  for (int k = 0; k < 2 * most_steps; ++k) {
    const LinePoint at = saturated_shape(entropy, T);
    const double f = offset + stretch * at.value - path.target;
    (f > 0.0 ? hi : lo) = T;
    double next = T - f / (stretch * at.slope);
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::fabs(next - T) <= shape_tolerance * T || hi - lo <= shape_tolerance * T) return next;
    T = next;
  }
  return T;
}

// The next T along an isobar towards the target: the saturated line's shape
// stretched and moved onto the isobar to the state's value and slope at its
// T (the phonons' T^3 scales with their speed, which pressure raises), and
// solved for the target. At the state's T it is Newton's step, on a model
// that follows the rise far beyond where a step in T overshoots. u is taken
// on h's shape.
double isobar_step(const HeIIState& st, const Path& path) {
  const Partial q = partial(st, path.sought);
  const LinePoint here = saturated_shape(path.sought == Held::entropy, st.T);
  const double stretch = q.dT / here.slope;
  return shape_root(path, q.value - stretch * here.value, stretch, st.T);
}

// The first T along an isobar: on the saturated line's shape, moved by the
// pressure part at 0 K for h (integral_0^p V0 dp', background_volume.hpp,
// by the 3-point rule) and for u (less p V0).
double isobar_start(const Path& path) {
  const double p = path.held;
  double offset = 0.0;
  if (path.sought != Held::entropy) {
    const double half = 0.5 * p;
    for (std::size_t i = 0; i < gauss_legendre_3_nodes.size(); ++i)
      offset += half * gauss_legendre_3_weights[i] *
                zero_temperature_volume(half * (1.0 + gauss_legendre_3_nodes[i])).v / M;
  }
  if (path.sought == Held::energy) offset -= p * zero_temperature_volume(p).v / M;
  return shape_root(path, offset, 1.0, 0.5 * (path.span.lo + path.span.hi));
}

// Where an isotherm reaches the target, as a start: its state at p rough,
// the pressure part over [p_s, p] by the 3-point rule on the volume alone
// (volume.hpp: a few hundred ns against a state's microseconds; close to
// the state's away from the lambda line), and the saturated
// line's s and h at p_s. The density needs no integral: its start is its
// root, to rounding, and the one state evaluated there is the answer.
double isotherm_start(const Path& path, bool rising) {
  const double T = path.held;
  const double ps = path.span.lo;
  // The table's values where it has a cell (the state's own); else the
  // rough ones, with the closure and the saturated line taken once.
  bool rough_ready = false;
  ClosureDerivatives closure{};
  SaturatedLine sat{};
  const auto probe = [&](double p) {
    GibbsValues g{};
    if (!tabulated_gibbs(T, p, g)) {
      if (!rough_ready) {
        closure = saturation_closure(T);
        sat = saturated_line(T);
        rough_ready = true;
      }
      const VolumeDerivatives v = specific_volume(T, p, closure);
      g.v = v.v;
      g.v_T = v.dT;
      g.v_p = v.dp;
      if (path.sought != Held::density) {
        const RoughPart part = rough_part(T, ps, p, closure);
        g.g = sat.h - T * sat.s + part.dg;
        g.s = sat.s + part.ds;
      }
    }
    double value = 1.0 / g.v;
    double next = p - (g.v - 1.0 / path.target) / g.v_p;  // Newton on V: nearer linear in p
    if (path.sought != Held::density) {
      const double h = g.g + T * g.s;
      value = path.sought == Held::entropy ? g.s : h;
      double slope = path.sought == Held::entropy ? -g.v_T : g.v - T * g.v_T;
      if (path.sought == Held::energy) {
        value = h - p * g.v;
        slope = -T * g.v_T - p * g.v_p;
      }
      next = p - (value - path.target) / slope;
    }
    const double f = value - path.target;
    return Probed{std::isfinite(f), f, next};
  };
  return search(path, ps, rising, probe).x;
}

// A search along the path with the model's states.
struct PathSolution {
  Solution solution;
  bool refused;
};
PathSolution follow(const Path& path, double x, bool rising) {
  HeIIState st = plane_state(nan, nan);
  const auto probe = [&](double at) {
    st = state_on(path, at);
    const Partial q = partial(st, path.sought);
    double next = path.isobar && path.sought != Held::density ? isobar_step(st, path) : nan;
    if (!std::isfinite(next)) next = at - (q.value - path.target) / (path.isobar ? q.dT : q.dp);
    return Probed{st.in_range, q.value - path.target, next};
  };
  const Search found = search(path, x, rising, probe);
  return {{st, found.probes, found.found}, found.refused};
}

// The path a pair holds, if it holds T or p (other than the density on an
// isobar, whose minimum near 1.1 K makes two states: the grid's).
bool path_of(const Target& t, Path& path) {
  if (t.b == Held::pressure && t.a != Held::density) {
    path = {true, t.y, t.a, t.x, temperature_span(t.y)};
  } else if (t.a == Held::temperature) {
    path = {false, t.x, t.b, t.y, pressure_span(t.x)};
  } else {
    return false;
  }
  return path.span.lo <= path.span.hi;
}

double path_start(const Path& path, bool rising) {
  if (!path.isobar) return isotherm_start(path, rising);
  return isobar_start(path);
}

// h and s rise along an isobar (cp > 0): a value outside theirs at the ends
// of its span has no state here. So for the density, which rises to the
// lambda line from a shallow minimum near 1.1 K (0.02 % below its value at
// 0.8 K; 0.1 % allowed).
constexpr double density_dip = 1e-3;
bool beyond_isobar(const Target& t, const Starts& s) {
  if (t.b != Held::pressure || t.a == Held::energy) return false;
  const double lo = std::fmin(s.first, s.last);
  const double hi = std::fmax(s.first, s.last);
  if (!std::isfinite(lo) || !std::isfinite(hi)) return false;  // an end out of range: no verdict
  if (t.a == Held::density) return !(t.x >= lo * (1.0 - density_dip) && t.x <= hi);
  return !(t.x >= lo && t.x <= hi);
}

// Newton from each of the best starts until one reaches a root: the quick
// starts on a monotonic path first, the grid's if none does.
Solution solve(const Target& t, double T_held, double p_held) {
  int evaluations = 0;
  Path path{};
  if (path_of(t, path)) {
    const PathSolution along = follow(path, path_start(path, monotonic(t)), monotonic(t));
    if (along.solution.found || along.refused) return along.solution;
    evaluations = along.solution.evaluations;
  }
  // (P, rho) searches on the density alone, then takes the one state.
  const bool density_only = t.a == Held::density && t.b == Held::pressure;
  const StateAt state_at = density_only ? density_state : plane_state;
  for (const bool quick : {true, false}) {
    if (quick && !monotonic(t)) continue;
    const Starts starts = grid_starts(t, T_held, p_held, quick, state_at);
    evaluations += starts.evaluations;
    if (beyond_isobar(t, starts)) break;
    for (std::size_t i = 0; i < starts.count; ++i) {
      Solution sol = newton(t, starts.state[i], state_at);
      evaluations += sol.evaluations;
      sol.evaluations = evaluations;
      if (sol.found && density_only) {
        sol.state = plane_state(sol.state.T, sol.state.p);
        return {sol.state, 1, sol.state.in_range};
      }
      if (sol.found) return sol;
    }
  }
  return {plane_state(nan, nan), density_only ? 0 : evaluations, false};
}

FluidState fluid_state(const HeIIState& st, int evaluations) {
  FluidState f{};
  f.flags = eos::lambda_line_distance(st.T, st.p) > -near_lambda_distance ? eos::flag_near_lambda : 0U;
  f.phase = eos::Phase::he_ii;
  f.T = st.T;
  f.p = st.p;
  f.rho = st.rho / M;
  f.Z = st.p / (f.rho * eos::gas_constant * st.T);
  f.u = st.u * M;
  f.h = st.h * M;
  f.s = st.s * M;
  f.g = st.g * M;
  f.cv = st.cv * M;
  f.cp = st.cp * M;
  f.w = st.w;
  f.jt = st.jt;
  f.kappa = st.kappa;
  f.alpha = st.alpha;
  f.dpdT = st.alpha / st.kappa;
  f.dpdrho = 1.0 / (f.rho * st.kappa);
  f.B = eos::second_virial(eos::he_i_equation(), st.T);
  f.q = nan;
  f.evaluations = evaluations;
  return f;
}

// The sign of the slope of s or u along an isotherm at a state: ds/dp =
// -V alpha, du/dp = V (p kappa_T - T alpha), from its alpha and kappa_T
// (the volume's, so the same at a state as from the volume alone).
double isotherm_slope(Held q, const HeIIState& st) {
  return q == Held::entropy ? -st.alpha : st.p * st.kappa - st.T * st.alpha;
}

// Along an isotherm h rises (dh/dp = V (1 - T alpha), T alpha below 0.1)
// and rho rises; s and u have at most one extremum, a minimum where alpha
// (for u, T alpha - p kappa_T) turns from positive to negative: below about
// 1.17 K, at 6 kPa to 0.6 MPa for s (the expansivity's change of sign),
// at 0.2 to 2.7 kPa for u (an isotherm scanned every
// 0.02 K from 0.8 K finds one change of sign or none). So the answer has a
// twin on the other side of the minimum when the slope changes sign between
// it and the end of the span beyond the minimum, and the value there is
// back at the target or past it: one state, at that end, paid only where
// the slope does change sign (the volume alone tells).
//
// So is the density along an isobar (d rho/dT = -rho alpha): it falls from
// 0.8 K while alpha > 0 and rises to the lambda line, its one minimum near
// 1.1 K. There the value at the end is the volume's (no state at all).
bool path_twin(const Target& t, const HeIIState& st, int& evaluations) {
  const bool isobar = t.a == Held::density && t.b == Held::pressure;
  if (!isobar && (t.a != Held::temperature || (t.b != Held::entropy && t.b != Held::energy))) return false;
  const Held q = isobar ? Held::density : t.b;
  const double target = isobar ? t.x : t.y;
  const auto slope = [&](const HeIIState& at) { return isobar ? -at.alpha : isotherm_slope(q, at); };
  const auto state_at = [&](double x) { return isobar ? density_state(x, st.p) : density_state(st.T, x); };
  const double here = slope(st);
  const Span span = isobar ? temperature_span(st.p) : pressure_span(st.T);
  const double end_x = here < 0.0 ? span.hi : span.lo;  // falling here: the minimum lies beyond, up the path
  HeIIState end = state_at(end_x);
  if (!(here * slope(end) < 0.0)) return false;
  if (!isobar) {
    end = plane_state(st.T, end_x);
    ++evaluations;
  }
  // Towards that end the value leaves the target downwards (to the minimum).
  return end.in_range && held_value(end, q) >= target;
}

// The pressure where the isotherm at T has the density rho (volume alone:
// V falls along it; Newton on V, nearly linear in p, inside the bracket the
// span's ends make), NaN where its span does not hold rho. For the twins'
// check only: to 1e-12 of p, not to the bit a (T, rho) answer takes.
double isochore_pressure(double T, double rho, const ClosureDerivatives& closure) {
  const Span span = pressure_span(T);
  if (!(span.lo <= span.hi)) return nan;
  const double v = 1.0 / rho;
  const VolumeDerivatives at_lo = specific_volume(T, span.lo, closure);
  const VolumeDerivatives at_hi = specific_volume(T, span.hi, closure);
  if (!(v <= at_lo.v && v >= at_hi.v)) return nan;
  double lo = span.lo;
  double hi = span.hi;
  double p = lo + (hi - lo) * (at_lo.v - v) / (at_lo.v - at_hi.v);
  for (int k = 0; k < most_steps; ++k) {
    const VolumeDerivatives at = specific_volume(T, p, closure);
    (at.v > v ? lo : hi) = p;
    double next = p - (at.v - v) / at.dp;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::fabs(next - p) <= step_tolerance * p) return next;
    p = next;
  }
  return p;
}
double isochore_pressure(double T, double rho) { return isochore_pressure(T, rho, saturation_closure(T)); }

constexpr double rising_margin = 0.2;  // of cv, the screen's

// dh/dT along an isochore from the volume alone and cp by the 3-point rule
// (rough_state's, without the saturated line's h and s), less a margin of
// cv: positive where the screen takes the isochore as rising.
double rough_isochore_enthalpy_slope(double T, double p, const ClosureDerivatives& closure) {
  const superfluid::SplineValue ps = saturation_pressure(T);
  const VolumeDerivatives v = specific_volume(T, p, closure);
  const double cp = saturated_heat_capacity(T) + rough_part(T, ps.value, p, closure).dcp +
                    T * volume_slope_at_saturation(T, closure, ps) * ps.derivative;
  const double alpha = v.dT / v.v;
  const double kappa = -v.dp / v.v;
  const double cv = cp - T * v.v * alpha * alpha / kappa;
  return cv + v.v * alpha / kappa - rising_margin * cv;
}

// dh/dT along an isochore, J/(kg K): cv + V alpha / kappa_T.
double isochore_enthalpy_slope(const HeIIState& st) { return st.cv + st.alpha / (st.rho * st.kappa); }

// Along an isochore h need not rise: where alpha < 0 outweighs cv (denser
// than about 164 kg/m3) it falls from 0.8 K to a minimum and rises to the
// lambda line, and near 165 kg/m3 it has three extrema a few J/kg deep
// (isochores scanned every 2 mK). So (rho, h) can have two or three He II
// states. The isochore is sampled at isochore_nodes temperatures across He
// II's, first with rough states (the volume's alpha and kappa_T exact, cp
// by the 3-point rule, no evaluation): where the slope is positive at every
// node with a margin the isochore is taken as rising, one state for each h,
// and nothing more is paid. Else the nodes and the isochore's ends (found
// on the volume alone) take states, and h less the target, interpolated by
// cubic Hermite on each state's h and slope, changing sign more than once
// along the isochore is a twin.
constexpr int isochore_nodes = 12;
constexpr int isochore_subdivisions = 16;
bool isochore_twin(const Target& t, const HeIIState& st, int& evaluations) {
  if (t.a != Held::density || t.b != Held::enthalpy) return false;
  const double rho = t.x;
  const double top = std::nextafter(eos::lambda_saturation_temperature, 0.0);
  const auto node_T = [&](int i) {
    return plane_lowest_temperature + (top - plane_lowest_temperature) * i / (isochore_nodes - 1);
  };
  double node_p[isochore_nodes];
  bool rising = true;
  for (int i = 0; i < isochore_nodes; ++i) {
    const ClosureDerivatives closure = saturation_closure(node_T(i));
    node_p[i] = isochore_pressure(node_T(i), rho, closure);
    if (std::isfinite(node_p[i]) && rising)
      rising = rough_isochore_enthalpy_slope(node_T(i), node_p[i], closure) > 0.0;
  }
  if (rising) return false;
  // The states along the isochore, in T: each run of nodes it holds, with
  // its ends bisected to where the isochore leaves the region (to within
  // 1e-6 K: the tail, signed towards the region's edge, that the end's state
  // leaves unsampled).
  double tail_width = 0.0;
  const auto edge = [&](double in, double out) {
    for (int k = 0; k < 40 && std::fabs(out - in) > 1e-6; ++k) {
      const double mid = 0.5 * (in + out);
      (std::isfinite(isochore_pressure(mid, rho)) ? in : out) = mid;
    }
    tail_width = out - in;
    return in;
  };
  HeIIState states[3 * isochore_nodes + 1];
  bool starts_run[3 * isochore_nodes + 1];
  double tail[3 * isochore_nodes + 1];
  int n = 0;
  bool fresh = true;
  const auto take = [&](double T, double beyond) {
    const double p = isochore_pressure(T, rho);
    if (!std::isfinite(p)) return;
    const HeIIState at = plane_state(T, p);
    ++evaluations;
    if (!at.in_range) return;
    starts_run[n] = fresh;
    tail[n] = beyond;
    states[n++] = at;
    fresh = false;
  };
  for (int i = 0; i < isochore_nodes; ++i) {
    if (!std::isfinite(node_p[i])) continue;
    if (i > 0 && !std::isfinite(node_p[i - 1])) {
      fresh = true;
      const double T = edge(node_T(i), node_T(i - 1));
      take(T, tail_width);
    }
    take(node_T(i), 0.0);
    if (i + 1 < isochore_nodes && !std::isfinite(node_p[i + 1])) {
      const double T = edge(node_T(i), node_T(i + 1));
      take(T, tail_width);
    }
  }
  // The answer among them, in T, as a root (its h the target exactly): a
  // twin a few mK away, near an extremum, shows on the cubics either side.
  HeIIState root = st;
  root.h = t.y;
  int at = 0;
  while (at < n && states[at].T < st.T) ++at;
  for (int k = n; k > at; --k) {
    states[k] = states[k - 1];
    starts_run[k] = starts_run[k - 1];
    tail[k] = tail[k - 1];
  }
  states[at] = root;
  tail[at] = 0.0;
  starts_run[at] = at == 0 || (at < n && starts_run[at + 1]);
  if (at < n) starts_run[at + 1] = false;
  ++n;
  // The roots of h - target on the Hermite cubics through the states, and
  // on an end's unsampled tail, its line at twice the end's slope (h's
  // slope near the lambda line grows as ln t: over a tail its mean is well
  // within twice its value at the tail's inner end). A state within the
  // tail (1 nK below the line, say) is then seen as the answer's twin.
  int roots = 0;
  double last = nan;
  const auto count = [&](double f) {
    if (f == 0.0 || (std::isfinite(last) && (f > 0.0) != (last > 0.0))) ++roots;
    last = f == 0.0 ? nan : f;
  };
  const auto beyond = [&](const HeIIState& a, double width) {
    return a.h - t.y + 2.0 * width * isochore_enthalpy_slope(a);
  };
  for (int k = 0; k < n; ++k) {
    const HeIIState& a = states[k];
    if (starts_run[k]) {
      last = nan;
      if (tail[k] < 0.0) count(beyond(a, tail[k]));
      count(a.h - t.y);
      if (tail[k] > 0.0) count(beyond(a, tail[k]));
      continue;
    }
    const HeIIState& b = states[k - 1];
    const double dT = a.T - b.T;
    const double m0 = dT * isochore_enthalpy_slope(b);
    const double m1 = dT * isochore_enthalpy_slope(a);
    for (int j = 1; j <= isochore_subdivisions; ++j) {
      const double x = static_cast<double>(j) / isochore_subdivisions;
      const double u = 1.0 - x;
      count((1.0 + 2.0 * x) * u * u * (b.h - t.y) + x * u * u * m0 + x * x * (3.0 - 2.0 * x) * (a.h - t.y) -
            x * x * u * m1);
    }
    if (tail[k] > 0.0) count(beyond(a, tail[k]));
  }
  return roots > 1;
}

bool answer(const Target& t, double T_held, double p_held, FluidState& out) {
  Solution sol = solve(t, T_held, p_held);
  if (!sol.found) return false;
  // The twin's check after the answer: which of the two is returned is
  // what the search meets first from its start (the saturated line and the
  // volume), as before; neither is the better state.
  const bool twin = path_twin(t, sol.state, sol.evaluations) || isochore_twin(t, sol.state, sol.evaluations);
  out = fluid_state(sol.state, sol.evaluations);
  if (twin) out.flags |= eos::flag_not_unique;
  return true;
}

}  // namespace

namespace {
// integral_T^top of dh/dT along saturation (top 1.25 K), J/kg: over fixed
// pieces of 0.05 K from 0.8 K, each by the 8-point rule and summed once per
// thread (no guarded static: no tie to the C++ runtime), and over the part
// of the piece holding T.
constexpr int enthalpy_pieces = 9;
double enthalpy_edge(int j) {
  return j == enthalpy_pieces
             ? eos::lowest_vapour_temperature
             : plane_lowest_temperature +
                   (eos::lowest_vapour_temperature - plane_lowest_temperature) * j / enthalpy_pieces;
}
double enthalpy_drop(double T) {
  thread_local bool taken = false;
  thread_local double above[enthalpy_pieces + 1] = {};
  if (!taken) {
    for (int j = enthalpy_pieces - 1; j >= 0; --j)
      above[j] = above[j + 1] + gauss_legendre_8(enthalpy_slope, enthalpy_edge(j), enthalpy_edge(j + 1));
    taken = true;
  }
  int j = 0;
  while (j + 1 < enthalpy_pieces && enthalpy_edge(j + 1) <= T) ++j;
  return above[j + 1] + gauss_legendre_8(enthalpy_slope, T, enthalpy_edge(j + 1));
}

SaturatedLine saturated_line_at(double T) {
  if (!(T >= plane_lowest_temperature && T <= eos::lambda_saturation_temperature)) return {nan, nan, nan};
  const double c = saturated_heat_capacity(T);  // T ds/dT along saturation
  if (T >= eos::lowest_vapour_temperature) {
    const eos::HeIILiquid l = eos::he_ii_liquid(T);
    return {l.s / M, l.h / M, c};
  }
  // Down from the bath's liquid at 1.25 K: s by the fits' C_sat/T (the
  // entropy's own quadrature), h by C_sat + V dp_s/dT.
  const double top = eos::lowest_vapour_temperature;
  thread_local bool taken = false;
  thread_local eos::HeIILiquid l{};
  thread_local double s_top = 0.0;
  if (!taken) {
    l = eos::he_ii_liquid(top);
    s_top = saturated_molar_entropy(top);
    taken = true;
  }
  const double ds = (s_top - saturated_molar_entropy(T)) / M;
  return {l.s / M - ds, l.h / M - enthalpy_drop(T), c};
}
}  // namespace

// Kept for the next call at the same T, per thread, as the closure is.
SaturatedLine saturated_line(double T) { return kept_at<saturated_line_at>(T); }

// The tabulated values where the table has a cell, else the model's own.
GibbsValues gibbs_values(double T, double p) {
  GibbsValues g{};
  if (!tabulated_gibbs(T, p, g)) g = he_ii_gibbs(T, p, saturated_line(T));
  return g;
}

HeIIState plane_state(double T, double p) {
  if (!(T >= plane_lowest_temperature)) return no_he_ii_state(nan, nan);
  if (!he_ii_in_range(T, p)) return no_he_ii_state(T, p);
  return he_ii_state_of(T, p, gibbs_values(T, p));
}

namespace {
// (T, rho) denser than He II on the melting line at T (the isotherm's
// density rises with p up to it): solid, not a He II the model lacks.
// Where the isotherm ends on the lambda line instead (above 1.7673 K) the
// equation's He I lies beyond, and its own answer stands.
bool denser_than_melting(double T, double rho, FluidState& out) {
  if (!(T >= plane_lowest_temperature && T < eos::lambda_melting_temperature)) return false;
  const HeIIState top = plane_state(T, pressure_span(T).hi);
  if (!(top.in_range && rho * M > top.rho)) return false;
  out = eos::flash_detail::empty(eos::flag_solid);
  return true;
}
}  // namespace

bool he_ii_plane_flash(InputPair pair, double x1, double x2, FluidState& out) {
  switch (pair) {
    case InputPair::TP: {
      const HeIIState st = plane_state(x1, x2);
      if (!st.in_range) return false;
      out = fluid_state(st, 1);
      // At the vapour pressure itself (T, P) fixes no quality: the saturated
      // liquid, q 0, one of many (as the equation's saturation answers).
      if (x2 == saturation_pressure(x1).value) {
        out.flags |= eos::flag_not_unique;
        out.q = 0.0;
      }
      return true;
    }
    case InputPair::Trho:
      return answer({Held::temperature, x1, Held::density, x2 * M}, x1, nan, out) ||
             denser_than_melting(x1, x2, out);
    case InputPair::Ts:
      return answer({Held::temperature, x1, Held::entropy, x2 / M}, x1, nan, out);
    case InputPair::Th:
      return answer({Held::temperature, x1, Held::enthalpy, x2 / M}, x1, nan, out);
    case InputPair::Tu:
      return answer({Held::temperature, x1, Held::energy, x2 / M}, x1, nan, out);
    case InputPair::Prho:
      return answer({Held::density, x2 * M, Held::pressure, x1}, nan, x1, out);
    case InputPair::Ph:
      return answer({Held::enthalpy, x2 / M, Held::pressure, x1}, nan, x1, out);
    case InputPair::Ps:
      return answer({Held::entropy, x2 / M, Held::pressure, x1}, nan, x1, out);
    case InputPair::Pu:
      return answer({Held::energy, x2 / M, Held::pressure, x1}, nan, x1, out);
    case InputPair::rhou:
      return answer({Held::density, x1 * M, Held::energy, x2 / M}, nan, nan, out);
    case InputPair::rhoh:
      return answer({Held::density, x1 * M, Held::enthalpy, x2 / M}, nan, nan, out);
    case InputPair::rhos:
      return answer({Held::density, x1 * M, Held::entropy, x2 / M}, nan, nan, out);
    case InputPair::hs:
      return answer({Held::enthalpy, x1 / M, Held::entropy, x2 / M}, nan, nan, out);
    case InputPair::Tq:
    case InputPair::Pq:
      break;  // the bath's: saturated He II
  }
  return false;
}

bool he_ii_isotherm_holds(InputPair pair, double T, double value) {
  const Held q = pair == InputPair::Ts   ? Held::entropy
                 : pair == InputPair::Th ? Held::enthalpy
                                         : Held::energy;
  const Span span = pressure_span(T);
  if (!(span.lo <= span.hi)) return false;
  // At the vapour pressure the pressure part is nil: the saturated line's
  // values, no state; the slope at the top from the volume alone.
  const HeIIState lo = rough_state(T, span.lo);
  if (!lo.in_range) return false;
  const double v = value / M;
  // A minimum inside (path_twin; below about 1.17 K, where neither the
  // bath nor He I answers), or s or u falling all along: the flash decides.
  const bool rising = q == Held::enthalpy ||
                      (isotherm_slope(q, lo) > 0.0 && isotherm_slope(q, density_state(T, span.hi)) > 0.0);
  if (!rising) {
    FluidState twin{};
    return he_ii_plane_flash(pair, T, value, twin);
  }
  // Below the vapour pressure's value: none, and no state paid. Else the
  // isotherm's bracketed search (as for h and rho), which refuses at the
  // top a value beyond it.
  if (v < held_value(lo, q)) return false;
  const Path path{false, T, q, v, span};
  return follow(path, path_start(path, true), true).solution.found;
}

namespace {
// He I's h and s on the lambda line (the equation's state at (T_lambda(p),
// p), molar): He I's rise along an isobar from there (cp > 0), so a value
// below it has no He I state at p. As a table in p over the line (from just
// above p0, where the equation's state at T_lambda is the liquid), linear
// between nodes, with twice the largest difference from the equation at an
// interval's midpoint as that interval's margin: a value below the table by
// more than the margin lies below the line for certain (anything nearer is
// asked of the equation first, as before). Built once per thread (129
// (T, p) states of the equation, about 0.2 ms).
constexpr int lambda_line_nodes = 64;
struct LambdaLineTable {
  double h[lambda_line_nodes + 1];
  double s[lambda_line_nodes + 1];
  double h_margin[lambda_line_nodes];
  double s_margin[lambda_line_nodes];
  bool ok;
};
constexpr double lambda_line_first = eos::lambda_saturation_pressure * (1.0 + 1e-9);  // Pa
double lambda_line_node(double k) {
  return lambda_line_first + (eos::lambda_melting_pressure - lambda_line_first) * k / lambda_line_nodes;
}
bool he_i_on_the_line(double p, double& h, double& s) {
  const FluidState f = eos::flash_detail::flash_TP(eos::he_i_equation(), eos::lambda_line_temperature(p), p);
  h = f.h;
  s = f.s;
  return (f.flags & eos::flags_without_result) == 0U && f.phase == eos::Phase::liquid;
}
const LambdaLineTable& lambda_line_table() {
  thread_local bool taken = false;
  thread_local LambdaLineTable t{};
  if (taken) return t;
  taken = true;
  t.ok = true;
  for (int k = 0; k <= lambda_line_nodes && t.ok; ++k)
    t.ok = he_i_on_the_line(lambda_line_node(k), t.h[k], t.s[k]);
  for (int k = 0; k < lambda_line_nodes && t.ok; ++k) {
    double h = nan;
    double s = nan;
    t.ok = he_i_on_the_line(lambda_line_node(k + 0.5), h, s);
    t.h_margin[k] = 2.0 * std::fabs(h - 0.5 * (t.h[k] + t.h[k + 1]));
    t.s_margin[k] = 2.0 * std::fabs(s - 0.5 * (t.s[k] + t.s[k + 1]));
  }
  return t;
}
// True when v (h or s, molar) lies below He I's on the line at p for certain
// (false for a p off the line, or a NaN).
bool below_he_i_on_the_line(InputPair pair, double p, double v) {
  if (!(p >= lambda_line_first && p <= eos::lambda_melting_pressure)) return false;
  const LambdaLineTable& t = lambda_line_table();
  if (!t.ok) return false;
  const double x =
      (p - lambda_line_first) / (eos::lambda_melting_pressure - lambda_line_first) * lambda_line_nodes;
  const int k = std::min(static_cast<int>(x), lambda_line_nodes - 1);
  const double f = x - k;
  const bool h = pair == InputPair::Ph;
  const double* y = h ? t.h : t.s;
  return v < (1.0 - f) * y[k] + f * y[k + 1] - (h ? t.h_margin[k] : t.s_margin[k]);
}
// True when no He I state has this h and s (molar): along every isobar
// from p0 to the upper lambda point He I's h and s rise from their values on
// the line (cp > 0, through the dome too), so on each of the table's
// intervals one of the two below the line's there by more than the margin
// rules the interval out; above p_u He I's h is above the line's there (it
// rises along the melting line), below p0 He I is vapour, whose s is far
// above the liquid's at the lambda point. Conservative: false where unsure.
bool no_he_i_state(double h, double s) {
  const LambdaLineTable& t = lambda_line_table();
  if (!t.ok || !(h < t.h[lambda_line_nodes] - t.h_margin[lambda_line_nodes - 1]) || !(s < t.s[0]))
    return false;
  for (int k = 0; k < lambda_line_nodes; ++k) {
    // (The table's values are finite: t.ok.)
    const bool below_s = s < (t.s[k] < t.s[k + 1] ? t.s[k] : t.s[k + 1]) - t.s_margin[k];
    const bool below_h = h < (t.h[k] < t.h[k + 1] ? t.h[k] : t.h[k + 1]) - t.h_margin[k];
    if (!below_s && !below_h) return false;
  }
  return true;
}
}  // namespace

bool he_ii_plane_ahead(InputPair pair, double x1, double x2, FluidState& out) {
  if (pair != InputPair::hs || !no_he_i_state(x1, x2)) return false;
  FluidState st{};
  if (!he_ii_plane_flash(pair, x1, x2, st) || st.phase != eos::Phase::he_ii) return false;
  // Above the vapour pressure by a margin: the bath's liquid and its
  // mixtures lie below the saturated liquid's h at each s (h_l(s) is convex,
  // a mixture's h rises with its T along the tie line, less steeply), He II
  // pressed above it (h rises by the integral of V dp along the isentrope).
  if (!(st.p > saturation_pressure(st.T).value * (1.0 + 1e-6) + 1.0)) return false;
  out = st;
  return true;
}

bool he_ii_plane_first(InputPair pair, double x1, double x2, FluidState& out) {
  if (pair == InputPair::TP) {
    if (!(x1 >= plane_lowest_temperature) || !he_ii_in_range(x1, x2) || !(x2 > saturation_pressure(x1).value))
      return false;
    return he_ii_plane_flash(pair, x1, x2, out);
  }
  // (P, h) and (P, s) below He I's value on the lambda line at P: the
  // equation has no state there (it would search and refuse), so He II is
  // asked first; what it answers is what it answered after that refusal.
  if ((pair != InputPair::Ph && pair != InputPair::Ps) || !below_he_i_on_the_line(pair, x1, x2)) return false;
  return he_ii_plane_flash(pair, x1, x2, out);
}

TwoFluid plane_two_fluid(const FluidState& f) {
  HeIIState st = plane_state(nan, nan);
  st.in_range = f.phase == eos::Phase::he_ii && std::isfinite(f.s);
  st.T = f.T;
  st.p = f.p;
  st.rho = f.rho * M;
  st.cp = f.cp / M;
  st.w = f.w;
  // The pressure part of s and cp at p_s: the table's where it has a cell
  // (as the state's own values came from it), else from the saturated line.
  GibbsValues g{};
  if (tabulated_gibbs(f.T, f.p, g)) {
    st.ds = g.ds;
    st.cp_s = g.cp_s;
  } else {
    const SaturatedLine sat = saturated_line(f.T);
    st.in_range = st.in_range && std::isfinite(sat.s);
    st.ds = f.s / M - sat.s;
    st.cp_s = cp_at_vapour_pressure(f.T, sat.c);
  }
  return two_fluid(st);
}

}  // namespace vorn::superfluid_pressure
