// The flashes: every input pair to a state of the fluid.
//
// Each is a bounded Newton iteration inside a bracket (bracketed_newton.hpp)
// from a good start, the saturation curve deciding the phase below Tc:
//   (T, rho)   one evaluation; below Tc the saturation at T (from its series,
//              none; near Tc about 10) decides whether it is two-phase
//   (T, p)     Newton in ln rho on the branch p says, from the ideal gas or the
//              saturated liquid: 4 to 8 evaluations, below Tc after the
//              saturation at T
//   (p, rho)   Newton in T; below pc a saturation at p first (about 40)
//   (p, h), (p, s)  Newton in T along the isobar, each step a (T, p) flash:
//              a saturation at p plus 20 to 50 evaluations
//   (T, s)     Newton in ln rho along the isotherm, after a saturation at T
//   (rho, u)   Newton in T along the isochore; inside the dome Newton in T
//              on the mixture's u, each step a saturation
//   (T, q), (p, q)  a saturation and the lever rule
// Two-phase states have the mixture's rho, u, h, s, g, Z and q; the properties
// that have no two-phase meaning are NaN. Flags come from the final (T, p).
#include <array>
#include <cmath>
#include <limits>

#include "constants/floating_point_guards.hpp"
#include "reference_eos/boundaries.hpp"
#include "reference_eos/bracketed_newton.hpp"
#include "reference_eos/constants.hpp"
#include "reference_eos/fluid_state.hpp"
#include "reference_eos/helmholtz.hpp"
#include "reference_eos/isochore_start.hpp"
#include "reference_eos/newton_step3.hpp"
#include "reference_eos/properties.hpp"
#include "reference_eos/saturation.hpp"

namespace vorn::reference_eos {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double density_tolerance = 1e-14;      // relative step in ln rho
constexpr double temperature_tolerance = 1e-14;  // relative step in T
constexpr double smallest_density = 1e-290;      // mol/m3, the low end of the (T, s) bracket
constexpr double highest_density = 4e6;          // mol/m3, beyond anything the equation means
// Brackets that start on the melting or lambda line are widened by this
// (relative): the line itself is checked on the result.
constexpr double edge_margin = 1e-12;
// Below this |B rho| the second virial term is lost in rounding: the ideal gas.
constexpr double ideal_gas_limit = 1e-17;

FluidState empty(unsigned flags) {
  return {flags, Phase::none, nan, nan, nan, nan, nan, nan, nan, nan, nan,
          nan,   nan,         nan, nan, nan, nan, nan, nan, nan, 0};
}

// Flags of the limits at (T, p). A solved state's T and p carry the
// iteration's tolerance (relative): against the melting and lambda lines and
// the vapour pressure of He II the state then counts as fluid if it is within
// that of the fluid's side (warmer always is; p either way), so that a state
// just inside a line, given by any pair, comes back.
unsigned limit_flags(double T, double p, double tolerance = 0.0) {
  const double T_fluid = T * (1.0 + tolerance);
  const double p_lo = p * (1.0 - tolerance);
  const double p_hi = p * (1.0 + tolerance);
  unsigned flags = 0U;
  if (T > extrapolation_temperature) flags |= flag_out_of_range;
  if (T > validity_temperature || p > validity_pressure || vapour_below_lambda(T_fluid, p_lo))
    flags |= flag_extrapolated;
  if (below_lambda_line(T_fluid, p_lo) && below_lambda_line(T_fluid, p_hi)) flags |= flag_he_ii;
  if (above_melting_line(T_fluid, p_lo)) flags |= flag_solid;
  return flags;
}

// The flag of a state colder than the coldest fluid at p: solid where the
// melting line bounds the fluid, He II where the lambda line or the vapour
// pressure of He II does.
unsigned colder_than_fluid(double p) {
  return p >= lambda_melting_pressure || melting_temperature(p) >= lambda_line_temperature(p) ? flag_solid
                                                                                              : flag_he_ii;
}

// The cold end of a search along the isobar p: the coldest fluid
// temperature, a rounding margin beyond it (the line is checked on the result).
double coldest_bracket_temperature(double p) { return coldest_fluid_temperature(p) * (1.0 - edge_margin); }

// The tolerance of a solved state against the lines (limit_flags).
constexpr double solved_tolerance = 1e-11;

// The equation's own critical point lies within rounding of its reducing
// point, not on it: (dp/drho)_T / (RT) is -1.2e-9 at (Tc, rho_c). A state
// whose stiffness is above -critical_stiffness is that critical point (cp
// and w NaN there, as at the point itself), not an unstable root.
constexpr double critical_stiffness = 1e-8;

// `solved`: p is the iteration's, not the caller's input.
FluidState finish(FluidState s, bool solved = false) {
  s.flags |= limit_flags(s.T, s.p, solved ? solved_tolerance : 0.0);
  // Densities far beyond the fluid's overflow the terms: no state there.
  if (s.phase != Phase::none && !(std::isfinite(s.p) && std::isfinite(s.rho) && std::isfinite(s.h)))
    s.flags |= flag_no_solution;
  // Every one-phase root is mechanically stable: one that is not is the
  // solver's failure, never a state.
  if (s.phase != Phase::none && s.phase != Phase::two_phase &&
      !(s.dpdrho > -critical_stiffness * gas_constant * s.T) && s.rho > 0.0)
    s.flags |= flag_not_converged;
  if ((s.flags & flags_without_result) != 0U) {
    const unsigned flags = s.flags;
    const int evaluations = s.evaluations;
    s = empty(flags);
    s.evaluations = evaluations;
  }
  return s;
}

Phase single_phase(double T, double rho, double rho_critical_side) {
  if (T >= critical_temperature) return Phase::supercritical;
  return rho >= rho_critical_side ? Phase::liquid : Phase::vapour;
}

FluidState single(double T, double rho, Phase phase, int evaluations) {
  const FluidProperties f = properties_at(T, rho);
  FluidState state{0U,
                   phase,
                   T,
                   f.p,
                   rho,
                   f.Z,
                   f.u,
                   f.h,
                   f.s,
                   f.g,
                   f.cv,
                   f.cp,
                   f.w,
                   f.jt,
                   f.kappa,
                   f.alpha,
                   f.dpdT,
                   f.dpdrho,
                   second_virial(T),
                   nan,
                   evaluations + 1};
  // At zero density (or a density that rounds to it) s and g go to +-inf:
  // undefined, and flagged so.
  if (rho == 0.0) {
    state.s = state.g = nan;
    state.flags |= flag_undefined;
  }
  return state;
}

// The lever rule between the two saturated states.
FluidState mixture(const Saturation& sat, double q, int evaluations) {
  if (!sat.converged) return empty(flag_not_converged);
  if (q == 0.0) {
    FluidState s = single(sat.T, sat.rho_liquid, Phase::liquid, evaluations + sat.evaluations);
    s.q = 0.0;
    return s;
  }
  if (q == 1.0) {
    FluidState s = single(sat.T, sat.rho_vapour, Phase::vapour, evaluations + sat.evaluations);
    s.q = 1.0;
    return s;
  }
  const FluidProperties l = properties_at(sat.T, sat.rho_liquid);
  const FluidProperties v = properties_at(sat.T, sat.rho_vapour);
  FluidState s = empty(0U);
  s.phase = Phase::two_phase;
  s.T = sat.T;
  s.p = sat.p;
  const double volume = (1.0 - q) / sat.rho_liquid + q / sat.rho_vapour;
  s.rho = 1.0 / volume;
  s.Z = sat.p / (s.rho * gas_constant * sat.T);
  s.u = l.u + q * (v.u - l.u);
  s.h = l.h + q * (v.h - l.h);
  s.s = l.s + q * (v.s - l.s);
  s.g = l.g + q * (v.g - l.g);
  s.B = second_virial(sat.T);
  s.q = q;
  s.evaluations = evaluations + sat.evaluations + 2;
  return s;
}

// The saturation at the lambda point, the bottom of the dome (boundaries.hpp).
Saturation lambda_point_saturation() {
  return {lambda_temperature,
          lambda_saturation_pressure,
          lambda_saturation_liquid_density,
          lambda_saturation_vapour_density,
          0,
          true};
}

double quality_from_volume(const Saturation& sat, double rho) {
  return (1.0 / rho - 1.0 / sat.rho_liquid) / (1.0 / sat.rho_vapour - 1.0 / sat.rho_liquid);
}

// Density at (T, p) in [lo, hi] (mol/m3), the pressure rising through the
// bracket: Newton in ln rho. Neither end need hold the root: the iteration
// says so (no_bracket), and root_above says on which side it lies.
RootResult density_in(double T, double p, double lo, double hi, double guess) {
  auto f = [T, p](double x) -> ValueSlope {
    const double rho = std::exp(x);
    const PressureSlope ps = pressure_and_slope(T, rho);
    return {(ps.p - p) / p, rho * ps.dpdrho / p};
  };
  RootResult r = bracketed_newton(f, std::log(lo), std::log(hi), std::log(guess), density_tolerance, 1e-15);
  r.x = std::exp(r.x);
  return r;
}

// A search that found no root in [lo, hi] ended at the end the root lies
// beyond (bracketed_newton): the upper one if it ended above their geometric
// mean.
bool root_above(const RootResult& r, double lo, double hi) { return r.no_bracket && r.x * r.x > lo * hi; }

// Grow hi until p(T, hi) >= p (at most 30 doublings); false if it never does.
bool raise_to(double T, double p, double& hi, int& evaluations) {
  for (int i = 0; i < 30; ++i) {
    ++evaluations;
    if (pressure_and_slope(T, hi).p >= p) return true;
    if (hi >= highest_density) return false;
    hi = std::fmin(2.0 * hi, highest_density);
  }
  return false;
}

// The start of the dilute branch at (T, p): the root of p = rho R T (1 + B rho)
// on the ideal gas's side, where B rho is small enough for that to be near the
// equation's root; the ideal gas otherwise.
double virial_start(double ideal, double B) {
  const double b = B * ideal;
  if (!(std::fabs(b) <= 0.1)) return ideal;
  return 2.0 * ideal / (1.0 + std::sqrt(1.0 + 4.0 * b));
}

// The density of the dilute branch at (T, p) below hi. Where |B rho| is below
// rounding, the ideal gas, with no iteration (so every positive pressure has
// its density, down to the smallest double). Otherwise Newton in ln rho from
// the second virial coefficient's density, the bracket's low end a quarter of
// the ideal gas's density (less for a dense fluid) and lowered a
// thousandfold when the root lies below it. `hi` is proven (p(T, hi) >= p)
// only if the iteration ends against it: then it is raised (raise_to) and the
// search repeated, unless `hi_is_a_limit` (the saturated vapour), where the
// root above it is not the dilute branch's: no bracket.
RootResult dilute_density(double T, double p, double hi, bool hi_is_a_limit) {
  const double ideal = p / (gas_constant * T);
  const double B = second_virial(T);
  if (std::fabs(B * ideal) < ideal_gas_limit) return {ideal, 0, true};
  // A dense fluid (the ideal gas's density above rho_c) has Z well above 1:
  // there the low end tends to rho_c/4, below which no dense root lies.
  double lo = std::fmin(0.25 * ideal / (1.0 + ideal / critical_density), 0.5 * hi);
  double guess = std::fmin(virial_start(ideal, B), 0.9 * hi);
  int evaluations = 0;
  bool raised = hi_is_a_limit;
  for (int widening = 0; widening < 8; ++widening) {
    RootResult r = density_in(T, p, lo, hi, guess);
    evaluations += r.evaluations;
    r.evaluations = evaluations;
    if (!r.no_bracket) return r;
    if (root_above(r, lo, hi)) {
      if (raised) return r;
      raised = true;
      lo = hi;
      if (!raise_to(T, p, hi, evaluations)) return {nan, evaluations, false, true};
      guess = 0.5 * (lo + hi);
      continue;
    }
    hi = lo;
    lo *= 1e-3;
    guess = std::fmin(ideal, 0.9 * hi);
  }
  return {nan, evaluations, false};
}

// The vapour below the lambda temperature at (T, p), p below the vapour
// pressure of He II: Z stays within a few per cent of 1 there, so the
// bracket up to 1.5 times the ideal gas's density holds it.
RootResult cold_vapour_density(double T, double p) {
  const double ideal = p / (gas_constant * T);
  return density_in(T, p, 0.5 * ideal, 1.5 * ideal, virial_start(ideal, second_virial(T)));
}

// The start for the liquid compressed above its saturation at T, from the
// saturated liquid's density and (p, dp/drho) there: the bulk modulus
// K = rho dp/drho taken to grow linearly with p, K = K0 + K1 (p - p0), whose
// isotherm is rho = rho0 (1 + K1 (p - p0)/K0)^(1/K1). K1 of the equation's
// liquid runs from about 7 at the lambda point to 12 near 5 K (more near Tc,
// less at high pressure): a straight line in T, good to about 1e-3 in rho up
// to 1 MPa.
double compressed_liquid_start(double T, double p, double rho_l, const PressureSlope& at_l) {
  const double K0 = rho_l * at_l.dpdrho;
  const double K1 = 7.4 + 1.6 * (T - 2.2);
  const double base = 1.0 + K1 * (p - at_l.p) / K0;
  if (!(K0 > 0.0 && base > 0.0)) return 1.25 * rho_l;
  const double start = rho_l * std::pow(base, 1.0 / K1);
  // At p_sat itself (to rounding) the saturated liquid.
  return std::isfinite(start) ? std::fmax(start, rho_l) : 1.25 * rho_l;
}

struct DensitySolution {
  double rho;
  Phase phase;
  unsigned flags;
  int evaluations;
  bool on_saturation = false;  // p is the saturation pressure at T exactly: any quality fits
};

// The stable density at (T, p), p > 0, and its phase.
// How far past each saturated density a one-phase search may look, relative:
// the saturation's densities and pressure agree with the equation only to
// rounding (the stiff liquid's pressure to about 1e-12), so at p within that of
// p_sat the root can lie a hair inside the metastable branch, which reaches much
// further (to the spinodal) even a microkelvin below Tc.
constexpr double saturation_bracket_margin = 1e-9;

DensitySolution density_at(double T, double p) {
  int evaluations = 0;
  if (T >= critical_temperature) {
    // The top of the bracket is checked only if the search ends against it.
    const double hi = std::fmax(4.0 * critical_density, 2.0 * p / (gas_constant * T));
    const RootResult r = dilute_density(T, p, hi, false);
    if (r.no_bracket && std::isnan(r.x)) return {nan, Phase::none, flag_no_solution, r.evaluations};
    return {r.x, Phase::supercritical, r.converged ? 0U : flag_not_converged, r.evaluations};
  }
  if (vapour_below_lambda(T, p)) {
    const RootResult r = cold_vapour_density(T, p);
    return {r.x, Phase::vapour, r.converged ? 0U : flag_not_converged, r.evaluations};
  }
  // The saturation at T decides the phase: from its series, cheaper than any
  // test on the ancillaries, and exact.
  const Saturation sat = saturation_at_temperature(T < lambda_temperature ? lambda_temperature : T);
  evaluations += sat.evaluations;
  if (!sat.converged) return {nan, Phase::none, flag_not_converged, evaluations};
  // Below the lambda point (He II unless compressed above the lambda line):
  // the liquid at the lambda point's density starts the search.
  const bool liquid = T < lambda_temperature ? p > sat.p : p >= sat.p;
  const bool on_saturation = p == sat.p && T >= lambda_temperature;
  const double rho_l = sat.rho_liquid;
  const double rho_v = sat.rho_vapour;
  if (liquid) {
    const PressureSlope at_l = pressure_and_slope(T, rho_l);
    ++evaluations;
    const double guess = compressed_liquid_start(T, p, rho_l, at_l);
    // The top of the bracket is checked only if the search ends against it.
    const double lo = rho_l * (1.0 - saturation_bracket_margin);
    double hi = std::fmin(std::fmax(1.5 * rho_l, 2.0 * guess), highest_density);
    RootResult r = density_in(T, p, lo, hi, guess);
    if (root_above(r, lo, hi)) {
      evaluations += r.evaluations;
      const double checked = hi;
      if (!raise_to(T, p, hi, evaluations)) return {nan, Phase::none, flag_no_solution, evaluations};
      r = density_in(T, p, checked, hi, 0.5 * (checked + hi));
    }
    return {r.x, Phase::liquid, r.converged ? 0U : flag_not_converged, evaluations + r.evaluations,
            on_saturation};
  }
  const RootResult r = dilute_density(T, p, rho_v * (1.0 + saturation_bracket_margin), true);
  return {r.x, Phase::vapour, r.converged ? 0U : flag_not_converged, evaluations + r.evaluations};
}

FluidState flash_Tp(double T, double p) {
  if (p == 0.0) return single(T, 0.0, single_phase(T, 0.0, critical_density), 0);
  const DensitySolution d = density_at(T, p);
  if (d.flags != 0U) {
    FluidState s = empty(d.flags);
    s.T = T;
    s.p = p;
    return s;
  }
  FluidState s = single(T, d.rho, d.phase, d.evaluations);
  s.p = p;  // the input, not its rounding through the density
  // Exactly on the saturation curve (T, P) fixes no quality: the saturated
  // liquid is returned, and said to be one of many.
  if (d.on_saturation) s.flags |= flag_not_unique;
  return s;
}

FluidState flash_Trho(double T, double rho) {
  int evaluations = 0;
  if (T < critical_temperature && T >= lambda_temperature) {
    const Saturation sat = saturation_at_temperature(T);
    if (!sat.converged) return empty(flag_not_converged);
    if (rho > sat.rho_vapour && rho < sat.rho_liquid) return mixture(sat, quality_from_volume(sat, rho), 0);
    evaluations += sat.evaluations;
  }
  return single(T, rho, single_phase(T, rho, critical_density), evaluations);
}

FluidState flash_Tq(double T, double q) {
  if (T < lambda_temperature) return empty(flag_he_ii);
  if (T > critical_temperature) return empty(flag_no_solution);
  return mixture(saturation_at_temperature(T), q, 0);
}

FluidState flash_pq(double p, double q) {
  const Saturation sat = saturation_at_pressure(p);
  if (!sat.converged) {
    FluidState s = empty(p < critical_pressure() ? flag_he_ii : flag_no_solution);
    return s;
  }
  return mixture(sat, q, 0);
}

enum class Caloric { enthalpy, entropy, energy };

template <typename State>
double caloric(const State& s, Caloric c) {
  return c == Caloric::enthalpy ? s.h : c == Caloric::entropy ? s.s : s.u;
}

// Newton in (T, ln rho) on p and h (or s) together, one evaluation a step,
// steps limited to 30 % in T and a factor 2 in rho and kept inside (T_lo,
// T_hi). Succeeds only on a mechanically stable state on the expected side of
// rho_c below Tc (dense for the liquid branch); the caller falls back to the
// bracketed search along the isobar otherwise.
bool newton_p_caloric(double p, double target, Caloric c, double T, double rho, double T_lo, double T_hi,
                      int side, FluidState& out, int& evaluations) {
  for (int i = 0; i < 40; ++i) {
    const FluidProperties a = properties_at(T, rho);
    ++evaluations;
    if (!(a.dpdrho > 0.0) || !std::isfinite(a.p)) return false;
    const double F1 = (a.p - p) / p;
    const double J11 = a.dpdT / p;
    const double J12 = rho * a.dpdrho / p;
    double F2;
    double J21;
    double J22;
    if (c == Caloric::enthalpy) {
      const double scale = gas_constant * T;
      F2 = (a.h - target) / scale;
      J21 = (a.cv + a.dpdT / rho) / scale;
      J22 = (a.dpdrho - T * a.dpdT / rho) / scale;
    } else if (c == Caloric::energy) {
      // (du/dT)_rho = cv, (du/d ln rho)_T = (p - T (dp/dT)_rho)/rho.
      const double scale = gas_constant * T;
      F2 = (a.u - target) / scale;
      J21 = a.cv / scale;
      J22 = (a.p - T * a.dpdT) / (rho * scale);
    } else {
      F2 = (a.s - target) / gas_constant;
      J21 = a.cv / (T * gas_constant);
      J22 = -a.dpdT / (rho * gas_constant);
    }
    const double det = J11 * J22 - J12 * J21;
    double dT = -(F1 * J22 - J12 * F2) / det;
    double dx = -(J11 * F2 - F1 * J21) / det;
    if (!std::isfinite(dT) || !std::isfinite(dx)) return false;
    const double limit = std::fmax(std::fabs(dT) / (0.3 * T), std::fabs(dx) / 0.7);
    if (limit > 1.0) {
      dT /= limit;
      dx /= limit;
    }
    int halvings = 0;
    for (; halvings < 20 && !(T + dT > T_lo && T + dT < T_hi); ++halvings) {
      dT *= 0.5;
      dx *= 0.5;
    }
    // Pressed against a bound of the bracket: the root is not inside it from here.
    if (halvings >= 3) return false;
    T += dT;
    rho *= std::exp(dx);
    if (std::fabs(dT) <= 1e-14 * T && std::fabs(dx) <= 1e-14) {
      if (!(T > T_lo && T < T_hi)) return false;
      if (T < critical_temperature && side != 0 && (rho > critical_density ? 1 : -1) != side) return false;
      out = single(T, rho, single_phase(T, rho, critical_density), evaluations);
      out.p = p;
      return true;
    }
  }
  return false;
}

// The ideal gas's T at (p, h), (p, u) or (p, s) with this ideal part: h = R (a2 Tc +
// 5/2 T), u = R (a2 Tc + 3/2 T), s/R = 5/2 ln T + 1.5 - a1 - ln(p/(R rho_c)) - 1.5 ln Tc.
double ideal_gas_temperature(double p, double target, Caloric c) {
  if (c == Caloric::enthalpy) return (target / gas_constant - ideal_a2 * critical_temperature) / 2.5;
  if (c == Caloric::energy) return (target / gas_constant - ideal_a2 * critical_temperature) / 1.5;
  return std::exp((target / gas_constant - 1.5 + ideal_a1 + std::log(p / (gas_constant * critical_density)) +
                   1.5 * std::log(critical_temperature)) /
                  2.5);
}

// (p, h) and (p, s): Newton in (T, rho) from the saturated state or the ideal
// gas; failing that, Newton in T along the isobar inside a bracket, each step
// a (T, p) flash, with (dh/dT)_p = cp and (ds/dT)_p = cp/T.
FluidState flash_p_caloric(double p, double target, Caloric c) {
  double T_lo = coldest_bracket_temperature(p);
  double T_hi = extrapolation_temperature;
  int evaluations = 0;
  const double pc = critical_pressure();
  // A gas well above Tc needs no saturation: there is no dome to land in.
  const double T_ideal = ideal_gas_temperature(p, target, c);
  if (T_ideal > 2.0 * critical_temperature && T_ideal < T_hi) {
    FluidState s{};
    const DensitySolution start = density_at(T_ideal, p);
    evaluations += start.evaluations;
    if (start.flags == 0U &&
        newton_p_caloric(p, target, c, T_ideal, start.rho, critical_temperature, T_hi, 0, s, evaluations))
      return finish(s, true);
  }
  if (p < pc && p >= lambda_saturation_pressure) {
    const Saturation sat = saturation_at_pressure(p);
    if (!sat.converged) return empty(flag_not_converged);
    evaluations += sat.evaluations;
    const FluidProperties l = properties_at(sat.T, sat.rho_liquid);
    const FluidProperties v = properties_at(sat.T, sat.rho_vapour);
    const double cl = caloric(l, c);
    const double cv = caloric(v, c);
    if (target >= cl && target <= cv) return finish(mixture(sat, (target - cl) / (cv - cl), evaluations));
    (target < cl ? T_hi : T_lo) = sat.T;
    FluidState s{};
    if (target < cl) {
      if (newton_p_caloric(p, target, c, sat.T, sat.rho_liquid, T_lo, T_hi, 1, s, evaluations))
        return finish(s, true);
    } else {
      const double T0 = ideal_gas_temperature(p, target, c);
      const bool ideal_start = T0 > 1.2 * sat.T && T0 < T_hi;
      if (newton_p_caloric(p, target, c, ideal_start ? T0 : sat.T,
                           ideal_start ? p / (gas_constant * T0) : sat.rho_vapour, T_lo, T_hi, -1, s,
                           evaluations))
        return finish(s, true);
    }
  } else {
    const double T0 = ideal_gas_temperature(p, target, c);
    FluidState s{};
    if (T0 > T_lo && T0 < T_hi && T0 <= 2.0 * critical_temperature) {
      const DensitySolution start = density_at(T0, p);
      evaluations += start.evaluations;
      if (start.flags == 0U &&
          newton_p_caloric(p, target, c, T0, start.rho, T_lo, T_hi, p < pc ? -1 : 0, s, evaluations))
        return finish(s, true);
    }
    if (p >= pc) {
      // A dense fluid above pc: start from the isobar below or above Tc,
      // whichever side of h(Tc, p) (or s) the target lies.
      const DensitySolution at_tc = density_at(critical_temperature, p);
      evaluations += at_tc.evaluations;
      if (at_tc.flags == 0U) {
        const bool colder = target < caloric(properties_at(critical_temperature, at_tc.rho), c);
        const double T1 = colder ? T_lo + 0.7 * (critical_temperature - T_lo) : 1.5 * critical_temperature;
        const DensitySolution start = density_at(T1, p);
        evaluations += start.evaluations + 1;
        if (T1 > T_lo && start.flags == 0U &&
            newton_p_caloric(p, target, c, T1, start.rho, T_lo, T_hi, 0, s, evaluations))
          return finish(s, true);
      }
    }
  }
  const FluidState lo = flash_Tp(T_lo, p);
  const FluidState hi = flash_Tp(T_hi, p);
  evaluations += lo.evaluations + hi.evaluations;
  if (!(target >= caloric(lo, c))) {
    FluidState s = empty(colder_than_fluid(p));
    s.evaluations = evaluations;
    return target < caloric(lo, c) ? s : empty(flag_not_converged);
  }
  if (!(target <= caloric(hi, c))) return empty(flag_out_of_range);
  // Start by interpolating in ln T between the ends.
  const double fraction = (target - caloric(lo, c)) / (caloric(hi, c) - caloric(lo, c));
  const double guess = T_lo * std::pow(T_hi / T_lo, fraction);
  FluidState last = lo;
  auto f = [&](double T) -> ValueSlope {
    last = flash_Tp(T, p);
    evaluations += last.evaluations;
    // Along the isobar: (dh/dT)_p = cp, (ds/dT)_p = cp/T, (du/dT)_p = cp - p alpha/rho.
    const double slope = c == Caloric::enthalpy  ? last.cp
                         : c == Caloric::entropy ? last.cp / T
                                                 : last.cp - p * last.alpha / last.rho;
    return {caloric(last, c) - target, slope};
  };
  const RootResult r = bracketed_newton(f, T_lo, T_hi, guess, temperature_tolerance, 0.0, 100);
  if (!r.converged) return empty(flag_not_converged);
  FluidState s = flash_Tp(r.x, p);
  s.evaluations += evaluations;
  return finish(s, true);
}

// (T, s) below the lambda temperature, above the lambda line: He I liquid
// between the lambda line and the melting line (p_top).
FluidState flash_Ts_cold_liquid(double T, double target, double p_top, int evaluations) {
  if (T < lambda_melting_temperature) return empty(flag_he_ii);
  const DensitySolution bottom = density_at(T, lambda_line_pressure(T));
  const DensitySolution top = density_at(T, p_top);
  evaluations += bottom.evaluations + top.evaluations;
  if (bottom.flags != 0U || top.flags != 0U) return empty(flag_not_converged);
  const FluidProperties at_bottom = properties_at(T, bottom.rho);
  const FluidProperties at_top = properties_at(T, top.rho);
  evaluations += 2;
  // s along this isotherm falls and rises again where He I expands on
  // cooling: both ends bound it only where it falls throughout.
  if (target > at_bottom.s) return empty(flag_he_ii);
  if (target < at_top.s) return empty(flag_solid);
  auto f = [&](double x) -> ValueSlope {
    const FluidProperties a = properties_at(T, std::exp(x));
    ++evaluations;
    return {target - a.s, a.dpdT / a.rho};
  };
  const RootResult r = bracketed_newton(f, std::log(bottom.rho), std::log(top.rho), std::log(bottom.rho),
                                        density_tolerance, 1e-15);
  if (!r.converged) return empty(r.no_bracket ? flag_not_unique | flag_no_solution : flag_not_converged);
  FluidState s = single(T, std::exp(r.x), Phase::liquid, evaluations);
  if (at_bottom.dpdT < 0.0 || s.dpdT < 0.0) s.flags |= flag_not_unique;
  return finish(s, true);
}

// (T, s): Newton in ln rho along the isotherm; (ds/d ln rho)_T = -(dp/dT)_rho / rho.
FluidState flash_Ts(double T, double target) {
  if (T < lambda_melting_temperature && !(T >= lowest_vapour_temperature)) return empty(flag_he_ii);
  if (T > extrapolation_temperature) return empty(flag_out_of_range);
  int evaluations = 0;
  // The melting line, widened by a rounding margin (checked on the result).
  const double p_top = melting_pressure(T) * (1.0 + edge_margin);
  // The ideal gas's ln rho at (T, s): s/R = 1.5 - ln delta - a1 - 1.5 ln tau.
  const double ideal_ln_rho =
      std::log(critical_density) +
      (1.5 - ideal_a1 - 1.5 * std::log(critical_temperature / T) - target / gas_constant);
  if (T < lambda_temperature && T < lowest_vapour_temperature)
    return flash_Ts_cold_liquid(T, target, p_top, evaluations);
  if (T < lambda_temperature) {
    // Vapour below the lambda temperature, up to the vapour pressure of He II.
    const RootResult edge = cold_vapour_density(T, he_ii_vapour_pressure(T) * (1.0 + edge_margin));
    evaluations += edge.evaluations;
    if (!edge.converged) return empty(flag_not_converged);
    if (!(target > properties_at(T, edge.x).s)) return flash_Ts_cold_liquid(T, target, p_top, evaluations);
    FluidProperties last{};
    auto f = [&](double x) -> ValueSlope {
      last = properties_at(T, std::exp(x));
      ++evaluations;
      return {target - last.s, last.dpdT / last.rho};
    };
    const RootResult r =
        bracketed_newton(f, std::log(smallest_density), std::log(edge.x),
                         std::fmin(ideal_ln_rho, std::log(edge.x)), density_tolerance, 1e-15);
    if (!r.converged) return empty(r.no_bracket ? flag_no_solution : flag_not_converged);
    return finish(single(T, std::exp(r.x), Phase::vapour, evaluations), true);
  }
  if (T > 2.0 * critical_temperature) {
    // No dome to land in: Newton in ln rho from the ideal gas, s/R = 1.5 -
    // ln delta - a1 - 1.5 ln tau, up to 30 steps of at most a factor e; the
    // bracketed search below if it does not settle.
    double x = ideal_ln_rho;
    for (int i = 0; i < 30; ++i) {
      const FluidProperties a = properties_at(T, std::exp(x));
      ++evaluations;
      if (!(a.dpdT > 0.0) || !(a.dpdrho > 0.0)) break;
      double dx = -(target - a.s) / (a.dpdT / a.rho);
      dx = std::fmax(-1.0, std::fmin(1.0, dx));
      x += dx;
      if (std::fabs(dx) <= density_tolerance) {
        if (!(pressure_and_slope(T, std::exp(x)).p <= p_top)) break;
        return finish(single(T, std::exp(x), Phase::supercritical, evaluations + 1));
      }
    }
  }
  const DensitySolution top = density_at(T, p_top);
  if (top.flags != 0U) return empty(top.flags);
  evaluations += top.evaluations;
  double rho_lo = smallest_density;
  double rho_hi = top.rho;
  Phase phase = Phase::supercritical;
  bool check_unique = false;
  if (T < critical_temperature) {
    const Saturation sat = saturation_at_temperature(T);
    if (!sat.converged) return empty(flag_not_converged);
    evaluations += sat.evaluations;
    const double sl = properties_at(T, sat.rho_liquid).s;
    const double sv = properties_at(T, sat.rho_vapour).s;
    if (target >= sl && target <= sv) return finish(mixture(sat, (target - sl) / (sv - sl), evaluations));
    if (target < sl) {
      rho_lo = sat.rho_liquid;
      phase = Phase::liquid;
      check_unique = true;
    } else {
      rho_hi = sat.rho_vapour;
      phase = Phase::vapour;
    }
  }
  const FluidProperties top_state = properties_at(T, rho_hi);
  if (target < top_state.s) return empty(flag_solid);
  if (target > properties_at(T, rho_lo).s) return empty(flag_no_solution);
  FluidProperties last{};
  auto f = [&](double x) -> ValueSlope {
    last = properties_at(T, std::exp(x));
    ++evaluations;
    return {target - last.s, last.dpdT / last.rho};
  };
  const double guess = phase == Phase::liquid ? std::log(rho_lo) : std::fmin(ideal_ln_rho, std::log(rho_hi));
  const RootResult r =
      bracketed_newton(f, std::log(rho_lo), std::log(rho_hi), guess, density_tolerance, 1e-15);
  if (!r.converged) return empty(flag_not_converged);
  FluidState s = single(T, std::exp(r.x), phase, evaluations);
  // Where He I expands on cooling (near the lambda line) s falls and rises
  // again along the isotherm, and the pair has two liquid states.
  if (check_unique && (properties_at(T, rho_lo).dpdT < 0.0 || s.dpdT < 0.0)) s.flags |= flag_not_unique;
  return finish(s, true);
}

// The saturated states at T and their slopes along the curve: dp_sat/dT by
// Clausius-Clapeyron, and d rho/dT on each side from dp_sat/dT = (dp/dT)_rho
// + (dp/drho)_T drho/dT.
struct SaturationSlopes {
  Saturation sat;
  FluidProperties liquid;
  FluidProperties vapour;
  double drho_liquid;  // mol/(m3 K)
  double drho_vapour;
};

SaturationSlopes saturation_slopes(double T, int& evaluations) {
  SaturationSlopes r{};
  r.sat = saturation_at_temperature(T);
  evaluations += r.sat.evaluations;
  if (!r.sat.converged) return r;
  r.liquid = properties_at(T, r.sat.rho_liquid);
  r.vapour = properties_at(T, r.sat.rho_vapour);
  evaluations += 2;
  const double dp_sat = (r.vapour.s - r.liquid.s) / (1.0 / r.sat.rho_vapour - 1.0 / r.sat.rho_liquid);
  r.drho_liquid = (dp_sat - r.liquid.dpdT) / r.liquid.dpdrho;
  r.drho_vapour = (dp_sat - r.vapour.dpdT) / r.vapour.dpdrho;
  return r;
}

// du/dT along the saturation curve on one side: cv + (du/drho)_T drho/dT,
// (du/drho)_T = (p - T (dp/dT)_rho) / rho^2.
double saturated_energy_slope(const FluidProperties& a, double drho) {
  return a.cv + (a.p - a.T * a.dpdT) / (a.rho * a.rho) * drho;
}

// Temperature at which rho lies on the saturation curve (the isochore meets
// the dome): Newton in T over saturations, rho between rho'' and rho' at the
// lambda point.
RootResult dome_temperature(double rho, double rho_lambda_vapour, double rho_lambda_liquid,
                            int& evaluations) {
  if (rho == critical_density) return {critical_temperature, 0, true};
  const bool vapour_side = rho < critical_density;
  auto g = [&](double T) -> ValueSlope {
    const SaturationSlopes a = saturation_slopes(T, evaluations);
    if (!a.sat.converged) return {nan, nan};
    return vapour_side ? ValueSlope{a.sat.rho_vapour - rho, a.drho_vapour}
                       : ValueSlope{rho - a.sat.rho_liquid, -a.drho_liquid};
  };
  const double fraction = vapour_side ? (rho - rho_lambda_vapour) / (critical_density - rho_lambda_vapour)
                                      : (rho_lambda_liquid - rho) / (rho_lambda_liquid - critical_density);
  const double guess = lambda_temperature + fraction * (critical_temperature - lambda_temperature);
  return bracketed_newton(g, lambda_temperature, critical_temperature, guess, 1e-12, 0.0, 100);
}

// The saturation where the isochore rho meets the dome (rho between the
// lambda point's saturated densities): directly (saturation_at_density),
// else by Newton in T over saturations at T.
Saturation dome_edge(double rho, const Saturation& at_lambda, int& evaluations) {
  const Saturation direct = saturation_at_density(rho);
  evaluations += direct.evaluations;
  if (direct.converged) return direct;
  const RootResult dome = dome_temperature(rho, at_lambda.rho_vapour, at_lambda.rho_liquid, evaluations);
  if (!dome.converged) return {nan, nan, nan, nan, 0, false};
  const Saturation edge = saturation_at_temperature(dome.x);
  evaluations += edge.evaluations;
  return edge;
}

// (p, rho): Newton in T along the isochore, from the coldest fluid
// temperature at p. An isochore between the saturated densities at the
// lambda point crosses the dome: below the temperature where it meets the
// saturation curve its states are two-phase, and the equation's p there (its
// van der Waals loop, unstable or metastable) is no state's. So there the
// search starts at that temperature, and a pressure below its saturation
// pressure is two-phase. Outside that range every isochore stays one-phase
// down to the lambda line. Where He I expands on cooling (near the lambda
// line) p falls before it rises along a dense isochore: the search then
// starts at the isochore's pressure minimum, and a second root below it makes
// the pair not unique.
FluidState flash_prho(double p, double rho) {
  // Widened by a rounding margin: the line itself is checked on the result.
  double T_lo = coldest_bracket_temperature(p);
  double T_hi = extrapolation_temperature;
  int evaluations = 0;
  const Saturation at_lambda = lambda_point_saturation();
  if (!at_lambda.converged) return empty(flag_not_converged);
  if (rho > at_lambda.rho_vapour && rho < at_lambda.rho_liquid) {
    const Saturation edge = dome_edge(rho, at_lambda, evaluations);
    if (!edge.converged) return empty(flag_not_converged);
    if (p < edge.p) {
      if (p < lambda_saturation_pressure) return empty(flag_he_ii);
      const Saturation sat = saturation_at_pressure(p);
      evaluations += sat.evaluations;
      if (!sat.converged) return empty(flag_not_converged);
      // Within rounding of the critical pressure, the critical point itself.
      if (!(sat.rho_liquid > sat.rho_vapour)) {
        FluidState s = single(sat.T, rho, Phase::supercritical, evaluations);
        s.p = p;
        return finish(s, true);
      }
      const double q = std::fmin(1.0, std::fmax(0.0, quality_from_volume(sat, rho)));
      return finish(mixture(sat, q, evaluations));
    }
    T_lo = std::fmax(T_lo, edge.T);
  }
  unsigned flags = 0U;
  const FluidProperties lo = properties_at(T_lo, rho);
  ++evaluations;
  if (lo.dpdT < 0.0) {
    // Bisect for the sign change of (dp/dT)_rho, 50 halvings.
    double a = T_lo;
    double b = T_hi;
    for (int i = 0; i < 50; ++i) {
      const double mid = 0.5 * (a + b);
      (properties_at(mid, rho).dpdT < 0.0 ? a : b) = mid;
    }
    evaluations += 50;
    if (lo.p >= p && properties_at(b, rho).p <= p) flags |= flag_not_unique;
    T_lo = b;
  }
  const double p_lo = properties_at(T_lo, rho).p;
  const double p_hi = pressure_and_slope(T_hi, rho).p;
  evaluations += 2;
  if (!(p >= p_lo)) return empty(p < p_lo ? colder_than_fluid(p) : flag_not_converged);
  if (!(p <= p_hi)) return empty(flag_out_of_range);
  auto f = [&](double T) -> ValueSlope {
    ++evaluations;
    const FluidProperties a = properties_at(T, rho);
    return {(a.p - p) / p, a.dpdT / p};
  };
  const double ideal = p / (rho * gas_constant);
  const double guess = ideal > T_lo && ideal < T_hi ? ideal : 0.5 * (T_lo + T_hi);
  const RootResult r = bracketed_newton(f, T_lo, T_hi, guess, temperature_tolerance, 0.0, 100);
  if (!r.converged) return empty(flag_not_converged);
  FluidState s = single(r.x, rho, single_phase(r.x, rho, critical_density), evaluations);
  s.p = p;
  s.flags |= flags;
  return finish(s, true);
}

// The coldest temperature of a dilute isochore (rho at most the saturated
// vapour's at the lambda point): the lambda temperature if u is above its u
// there, else where the isochore meets the vapour pressure of He II (1.25 K
// if below it there), by bisection, 50 halvings.
double cold_vapour_edge(double rho, double target, int& evaluations) {
  ++evaluations;
  if (target >= properties_at(lambda_temperature, rho).u) return lambda_temperature;
  auto inside = [&](double T) {
    ++evaluations;
    return pressure_and_slope(T, rho).p < he_ii_vapour_pressure(T);
  };
  if (inside(lowest_vapour_temperature)) return lowest_vapour_temperature;
  double a = lowest_vapour_temperature;
  double b = lambda_temperature;
  for (int i = 0; i < 50; ++i) {
    const double mid = 0.5 * (a + b);
    (inside(mid) ? b : a) = mid;
  }
  return a * (1.0 - edge_margin);  // the line itself is checked on the result
}

// The two-phase state of overall density rho and internal energy u, as one
// Newton iteration in (delta', delta'', tau): equal J and K on both sides
// (saturation.hpp) and the mixture's u, with the quality from the volumes,
// q = (1/delta - 1/delta')/(1/delta'' - 1/delta'). Two evaluations a step,
// from the saturation where the isochore meets the dome (edge). With
// u~ = u/(R Tc) = a2 + (1.5 + t)/tau on each side: du~/ddelta = dt/(delta tau),
// du~/dtau = (tt - 1.5)/tau^2. Steps keep delta'' < delta < delta' and tau > 1.
Saturation two_phase_at_density_energy(double rho, double target, const Saturation& edge) {
  const double delta = rho / critical_density;
  double dl = edge.rho_liquid / critical_density;
  double dv = edge.rho_vapour / critical_density;
  double tau = critical_temperature / edge.T;
  const double gap = dl - dv;
  // Off the edge by a hundredth of the gap, so that the first step may go
  // either way without leaving delta'' < delta < delta'.
  if (dl <= delta) dl = delta + 0.01 * gap;
  if (dv >= delta) dv = std::fmax(0.5 * dv, delta - 0.01 * gap);
  const double u_target = target / (gas_constant * critical_temperature) - ideal_a2;
  const double w = 1.0 / delta;
  const double eps = std::numeric_limits<double>::epsilon();
  double previous_step = std::numeric_limits<double>::infinity();
  int evaluations = 0;
  for (int iteration = 0; iteration < 40; ++iteration) {
    const HelmholtzDerivatives l = residual(dl, tau);
    const HelmholtzDerivatives v = residual(dv, tau);
    evaluations += 2;
    const double Jl = dl * (1.0 + l.d);
    const double Jv = dv * (1.0 + v.d);
    const double Kl = l.d + l.a + std::log(dl);
    const double Kv = v.d + v.a + std::log(dv);
    const double ul = (1.5 + l.t) / tau;
    const double uv = (1.5 + v.t) / tau;
    const double wl = 1.0 / dl;
    const double wv = 1.0 / dv;
    const double q = (w - wl) / (wv - wl);
    const double F[3] = {Jv - Jl, Kv - Kl, ul + q * (uv - ul) - u_target};
    // At the rounding level of J, K and u: this step is the last.
    const bool at_rounding =
        std::fabs(F[0]) <= 16.0 * eps * std::fmax(Jl, Jv) &&
        std::fabs(F[1]) <= 16.0 * eps * std::fmax(1.0, std::fmax(std::fabs(Kl), std::fabs(Kv))) &&
        std::fabs(F[2]) <= 16.0 * eps * std::fmax(1.0, std::fabs(u_target));
    const double Jdl = 1.0 + 2.0 * l.d + l.dd;
    const double Jdv = 1.0 + 2.0 * v.d + v.dd;
    const double dq_dwl = (w - wv) / ((wv - wl) * (wv - wl));
    const double dq_dwv = -(w - wl) / ((wv - wl) * (wv - wl));
    const double A[3][3] = {{-Jdl, Jdv, (dv * v.dt - dl * l.dt) / tau},
                            {-Jdl / dl, Jdv / dv, ((v.dt + v.t) - (l.dt + l.t)) / tau},
                            {(1.0 - q) * l.dt / (dl * tau) - (uv - ul) * dq_dwl / (dl * dl),
                             q * v.dt / (dv * tau) - (uv - ul) * dq_dwv / (dv * dv),
                             ((1.0 - q) * (l.tt - 1.5) + q * (v.tt - 1.5)) / (tau * tau)}};
    const std::array<double, 3> step_of = newton_step3(A, F);
    double ddl = step_of[0];
    double ddv = step_of[1];
    double dtau = step_of[2];
    if (!std::isfinite(ddl) || !std::isfinite(ddv) || !std::isfinite(dtau)) break;
    for (int halving = 0; halving < 30; ++halving) {
      if (dv + ddv > 0.0 && dv + ddv < delta && dl + ddl > delta && tau + dtau > 1.0) break;
      ddl *= 0.5;
      ddv *= 0.5;
      dtau *= 0.5;
    }
    dl += ddl;
    dv += ddv;
    tau += dtau;
    const double step = std::fmax(std::fmax(std::fabs(ddl) / dl, std::fabs(ddv) / dv), std::fabs(dtau) / tau);
    const bool quadratic = step <= 1e-8 && step <= 1e-3 * previous_step;
    previous_step = step;
    if (step <= 1e-14 || quadratic || at_rounding) {
      const double T = critical_temperature / tau;
      if (!(T >= lambda_temperature && dl - dv > 0.25 * gap && dv < delta && delta < dl)) break;
      const double rho_v = dv * critical_density;
      return {T, pressure_and_slope(T, rho_v).p, dl * critical_density, rho_v, evaluations + 1, true};
    }
  }
  return {nan, nan, nan, nan, evaluations, false};
}

// (rho, u): a closed vessel. Single phase: Newton in T, (du/dT)_rho = cv.
// Inside the dome: Newton in T on the mixture's u at fixed overall density,
// its slope from the saturated states' slopes (saturation_slopes).
FluidState flash_rhou(double rho, double target) {
  int evaluations = 0;
  double T_lo = lambda_temperature;
  const Saturation at_lambda = lambda_point_saturation();
  // At or above the energy the isochore has at Tc the state is one phase, no
  // colder than Tc: no dome to meet.
  const FluidProperties at_tc = properties_at(critical_temperature, rho);
  ++evaluations;
  if (target >= at_tc.u) {
    T_lo = critical_temperature;
  } else if (rho > at_lambda.rho_vapour && rho < at_lambda.rho_liquid) {
    const Saturation edge = dome_edge(rho, at_lambda, evaluations);
    if (!edge.converged) return empty(flag_not_converged);
    const RootResult dome{edge.T, 0, true};
    const double u_dome = properties_at(dome.x, rho).u;
    if (target < u_dome) {
      const Saturation direct = two_phase_at_density_energy(rho, target, edge);
      evaluations += direct.evaluations;
      if (direct.converged) return finish(mixture(direct, quality_from_volume(direct, rho), evaluations));
      const double v = 1.0 / rho;
      auto f = [&](double T) -> ValueSlope {
        const SaturationSlopes a = saturation_slopes(T, evaluations);
        if (!a.sat.converged) return {nan, nan};
        const double vl = 1.0 / a.sat.rho_liquid;
        const double vv = 1.0 / a.sat.rho_vapour;
        const double dvl = -a.drho_liquid * vl * vl;
        const double dvv = -a.drho_vapour * vv * vv;
        const double q = (v - vl) / (vv - vl);
        const double dq = (-dvl * (vv - vl) - (v - vl) * (dvv - dvl)) / ((vv - vl) * (vv - vl));
        const double dul = saturated_energy_slope(a.liquid, a.drho_liquid);
        const double duv = saturated_energy_slope(a.vapour, a.drho_vapour);
        const double u = a.liquid.u + q * (a.vapour.u - a.liquid.u);
        return {u - target, dul + dq * (a.vapour.u - a.liquid.u) + q * (duv - dul)};
      };
      const ValueSlope at_lo = f(lambda_temperature);
      if (!(at_lo.f <= 0.0)) return empty(at_lo.f > 0.0 ? flag_he_ii : flag_not_converged);
      const double fraction = -at_lo.f / (u_dome - target - at_lo.f);
      const double guess = lambda_temperature + fraction * (dome.x - lambda_temperature);
      const RootResult r = bracketed_newton(f, lambda_temperature, dome.x, guess, 1e-12, 0.0, 100);
      if (!r.converged) return empty(flag_not_converged);
      const Saturation sat = saturation_at_temperature(r.x);
      return finish(mixture(sat, quality_from_volume(sat, rho), evaluations));
    }
    T_lo = dome.x;
  } else if (rho >= at_lambda.rho_liquid) {
    T_lo = lambda_melting_temperature;
  } else {
    T_lo = cold_vapour_edge(rho, target, evaluations);
  }
  const FluidProperties lo = T_lo == critical_temperature ? at_tc : properties_at(T_lo, rho);
  if (!(target >= lo.u)) return empty(target < lo.u ? colder_than_fluid(lo.p) : flag_not_converged);
  const FluidProperties hi = properties_at(extrapolation_temperature, rho);
  if (!(target <= hi.u)) return empty(flag_out_of_range);
  auto f = [&](double T) -> ValueSlope {
    ++evaluations;
    const FluidProperties a = properties_at(T, rho);
    return {a.u - target, a.cv};
  };
  const double fraction = (target - lo.u) / (hi.u - lo.u);
  const double start = isochore_start(rho, target);
  ++evaluations;
  const double guess = start > T_lo && start < extrapolation_temperature
                           ? start
                           : T_lo + fraction * (extrapolation_temperature - T_lo);
  const RootResult r =
      bracketed_newton(f, T_lo, extrapolation_temperature, guess, temperature_tolerance, 0.0, 100);
  if (!r.converged) return empty(flag_not_converged);
  return finish(single(r.x, rho, single_phase(r.x, rho, critical_density), evaluations), true);
}

bool finite(double x) { return std::isfinite(x); }

}  // namespace

FluidState flash(InputPair pair, double x1, double x2) {
  if (!finite(x1) || !finite(x2)) return empty(flag_bad_input);
  switch (pair) {
    case InputPair::TP:
      if (x1 <= 0.0 || x2 < 0.0) return empty(flag_bad_input);
      if (x1 > extrapolation_temperature) return empty(flag_out_of_range);
      if ((limit_flags(x1, x2) & (flag_he_ii | flag_solid)) != 0U)
        return empty(limit_flags(x1, x2) & (flag_he_ii | flag_solid));
      return finish(flash_Tp(x1, x2));
    case InputPair::Trho:
      if (x1 <= 0.0 || x2 <= 0.0) return empty(flag_bad_input);
      if (x1 > extrapolation_temperature) return empty(flag_out_of_range);
      return finish(flash_Trho(x1, x2), true);
    case InputPair::Prho:
      if (x1 <= 0.0 || x2 <= 0.0) return empty(flag_bad_input);
      return flash_prho(x1, x2);
    case InputPair::Ph:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_p_caloric(x1, x2, Caloric::enthalpy);
    case InputPair::Ps:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_p_caloric(x1, x2, Caloric::entropy);
    case InputPair::Pu:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_p_caloric(x1, x2, Caloric::energy);
    case InputPair::Ts:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_Ts(x1, x2);
    case InputPair::rhou:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_rhou(x1, x2);
    case InputPair::Tq:
      if (x1 <= 0.0 || x2 < 0.0 || x2 > 1.0) return empty(flag_bad_input);
      return finish(flash_Tq(x1, x2));
    case InputPair::Pq:
      if (x1 <= 0.0 || x2 < 0.0 || x2 > 1.0) return empty(flag_bad_input);
      return finish(flash_pq(x1, x2));
  }
  return empty(flag_bad_input);
}

}  // namespace vorn::reference_eos
