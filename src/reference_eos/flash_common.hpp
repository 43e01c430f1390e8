// What the flashes share: the state they build and the flags they set, the
// table of what they hold fixed with its derivatives in (T, rho), the lever
// rule, the density at (T, p), the saturated states' slopes, the two-phase
// Newton iterations, and each pair's flash, every one on the model it is
// given (model.hpp). Layers, each calling only those below it:
//   flash.cpp           the checks of the input and the dispatch
//   flash_isotherm.cpp  (T, rho), (T, q), (T, s), (T, h), (T, u)
//   flash_isochore.cpp  (p, rho), (rho, u), (rho, h), (rho, s)
//   flash_isobar.cpp    (p, q), (p, h), (p, s), (p, u)
//   flash_isentrope.cpp (h, s)
//   flash_two_phase.cpp the saturated edges and the two-phase iterations
//   flash_one_phase.cpp the density at (T, p), (T, p) itself
//   flash_common.cpp    the state, its check (finish), the lever rule
// Molar SI units.
#pragma once

#include <array>
#include <cmath>
#include <limits>

#include "reference_eos/boundaries.hpp"
#include "reference_eos/bracketed_newton.hpp"
#include "reference_eos/constants.hpp"
#include "reference_eos/fluid_state.hpp"
#include "reference_eos/helmholtz.hpp"
#include "reference_eos/model.hpp"
#include "reference_eos/phase_equilibrium.hpp"
#include "reference_eos/properties.hpp"
#include "reference_eos/saturation.hpp"

namespace vorn::reference_eos::flash_detail {

inline constexpr double nan = std::numeric_limits<double>::quiet_NaN();

inline constexpr double density_tolerance = 1e-14;      // relative step in ln rho
inline constexpr double temperature_tolerance = 1e-14;  // relative step in T
inline constexpr double smallest_density = 1e-290;      // mol/m3, the dilute end of an isotherm's brackets
inline constexpr double highest_density = 4e6;          // mol/m3, beyond anything the equation means
// Brackets that start on the melting or lambda line are widened by this
// (relative): the line itself is checked on the result.
inline constexpr double edge_margin = 1e-12;

// Below this |B rho| the second virial term is lost in rounding: the ideal gas.
inline constexpr double ideal_gas_limit = 1e-17;

// The equation's own critical point lies within rounding of its reducing
// point, not on it: (dp/drho)_T / (RT) is -1.2e-9 at (Tc, rho_c). A state
// whose stiffness is above -critical_stiffness is that critical point (cp
// and w NaN there, as at the point itself), not an unstable root.
inline constexpr double critical_stiffness = 1e-8;

// How far past each saturated density a one-phase search may look, relative:
// the saturation's densities and pressure agree with the equation only to
// rounding (the stiff liquid's pressure to about 1e-12), so at p within that of
// p_sat the root can lie a hair inside the metastable branch, which reaches much
// further (to the spinodal) even a microkelvin below Tc.
inline constexpr double saturation_bracket_margin = 1e-9;

// The state, its flags and the limits (flash_common.cpp).
FluidState empty(unsigned flags);
double coldest_bracket_temperature(const HelmholtzModel& m, double p);
FluidState finish(const HelmholtzModel& m, FluidState s, bool solved = false);
Phase single_phase(const HelmholtzModel& m, double T, double rho, double rho_critical_side);
FluidState from_properties(const HelmholtzModel& m, const FluidProperties& f, Phase phase, int evaluations);
FluidState single(const HelmholtzModel& m, double T, double rho, Phase phase, int evaluations);
FluidState mixture(const HelmholtzModel& m, const Saturation& sat, const FluidProperties& l,
                   const FluidProperties& v, double q, int evaluations);
FluidState mixture(const HelmholtzModel& m, const Saturation& sat, double q, int evaluations);
Saturation counted(Saturation sat);
double quality_from_volume(const Saturation& sat, double rho);

// The density at (T, p) and the (T, p) flash (flash.cpp).
struct DensitySolution {
  double rho;
  Phase phase;
  unsigned flags;
  int evaluations;
  bool on_saturation = false;  // p is the saturation pressure at T exactly: any quality fits
};
RootResult cold_vapour_density(const HelmholtzModel& m, double T, double p);
// `branch` (liquid or vapour) takes that side of the saturation at T below
// Tc whatever p says: a search along an isobar that knows its side of the
// dome, near the edge, where p and the saturation at T agree only to rounding.
DensitySolution density_at(const HelmholtzModel& m, double T, double p, Phase branch = Phase::none);
// The state at (T, p) unchecked against the lines (a step of a search along
// an isobar); flash_TP is the pair's flash.
FluidState flash_Tp(const HelmholtzModel& m, double T, double p, Phase branch = Phase::none);
FluidState flash_TP(const HelmholtzModel& m, double T, double p);

// What a flash holds fixed or seeks, read off one evaluation at (T, rho) (a
// FluidProperties, or a FluidState built from one) with its derivatives in T
// at constant rho and in ln rho at constant T (rho times d/drho):
//   quantity  value  d/dT at constant rho      d/d ln rho at constant T
//   p         p      (dp/dT)_rho               rho (dp/drho)_T
//   rho       rho    0                         rho
//   u         u      cv                        (p - T (dp/dT)_rho)/rho
//   h         h      cv + (dp/dT)_rho/rho      (dp/drho)_T - T (dp/dT)_rho/rho
//   s         s      cv/T                      -(dp/dT)_rho/rho
// The slope in T along a path follows from the two, for every quantity alike:
// an isochore d/dT; an isotherm d/d ln rho; the saturation curve on one side
// d/dT + d/d ln rho times (d rho/dT)/rho; and where another quantity y is held
// (an isobar, an isentrope) d/dT - d/d ln rho times (dy/dT)/(dy/d ln rho)
// (along an isobar cp for h, cp/T for s). The isotherm's h and u in the
// dilute gas are the exception: the two terms of d/d ln rho cancel there to
// rounding, and flash_isotherm.cpp writes it from the Helmholtz energy.
enum class Quantity { pressure, density, energy, enthalpy, entropy };
enum class Caloric { enthalpy, entropy, energy };  // the quantities a caloric pair holds
inline Quantity quantity(Caloric c) {
  return c == Caloric::enthalpy  ? Quantity::enthalpy
         : c == Caloric::entropy ? Quantity::entropy
                                 : Quantity::energy;
}
struct Partials {
  double value;
  double dT;      // at constant rho
  double dlnrho;  // at constant T
};
template <typename State>
Partials partials(const State& a, Quantity q) {
  switch (q) {
    case Quantity::pressure:
      return {a.p, a.dpdT, a.rho * a.dpdrho};
    case Quantity::density:
      return {a.rho, 0.0, a.rho};
    case Quantity::energy:
      return {a.u, a.cv, (a.p - a.T * a.dpdT) / a.rho};
    case Quantity::enthalpy:
      return {a.h, a.cv + a.dpdT / a.rho, a.dpdrho - a.T * a.dpdT / a.rho};
    case Quantity::entropy:
      break;
  }
  return {a.s, a.cv / a.T, -a.dpdT / a.rho};
}
template <typename State>
Partials partials(const State& a, Caloric c) {
  return partials(a, quantity(c));
}
template <typename State>
double caloric(const State& s, Caloric c) {
  return c == Caloric::enthalpy ? s.h : c == Caloric::entropy ? s.s : s.u;
}
// d(x)/dT with y held, and along the saturation curve.
inline double along(const Partials& x, const Partials& y) { return x.dT - x.dlnrho * (y.dT / y.dlnrho); }
inline double along_curve(const Partials& x, double rho, double drho_dT) {
  return x.dT + x.dlnrho * (drho_dT / rho);
}

// The step policy of the Newton iterations in (T, ln rho) on two held
// quantities ((p, h), (p, s), (p, u), (h, s)): a full step is scaled down
// to at most 30 % of T and 0.7 in ln rho (a factor 2 in rho), the reach of a
// linearisation of h, s or p across the liquid's stiff isotherms, then
// halved, at most 20 times, until T stays inside the search's (T_lo, T_hi).
inline constexpr double step_limit_temperature = 0.3;  // relative
inline constexpr double step_limit_log_density = 0.7;
inline constexpr int step_halvings = 20;
// An iteration that has a fallback (the search along the isobar) hands over
// once a step had to be halved this often: it is pressed against an end of
// its bracket, where the root is not from there. One without (h, s) goes on
// until halving no longer brings it inside (step_halvings).
inline constexpr int halvings_against_the_bracket = 3;

// One Newton step in (T, ln rho) on two held quantities, each residual and
// its partials divided by its scale, under that policy.
struct TemperatureDensityStep {
  double dT;
  double dlnrho;
  int halvings;  // how often it was halved to stay inside; step_halvings means it never did
  bool finite;
};
inline TemperatureDensityStep temperature_density_step(const Partials& f, double f_target, double f_scale,
                                                       const Partials& g, double g_target, double g_scale,
                                                       double T, double T_lo, double T_hi) {
  const double F1 = (f.value - f_target) / f_scale;
  const double J11 = f.dT / f_scale;
  const double J12 = f.dlnrho / f_scale;
  const double F2 = (g.value - g_target) / g_scale;
  const double J21 = g.dT / g_scale;
  const double J22 = g.dlnrho / g_scale;
  const double det = J11 * J22 - J12 * J21;
  double dT = -(F1 * J22 - J12 * F2) / det;
  double dx = -(J11 * F2 - F1 * J21) / det;
  if (!std::isfinite(dT) || !std::isfinite(dx)) return {dT, dx, 0, false};
  const double limit =
      std::fmax(std::fabs(dT) / (step_limit_temperature * T), std::fabs(dx) / step_limit_log_density);
  if (limit > 1.0) {
    dT /= limit;
    dx /= limit;
  }
  int halvings = 0;
  for (; halvings < step_halvings && !(T + dT > T_lo && T + dT < T_hi); ++halvings) {
    dT *= 0.5;
    dx *= 0.5;
  }
  return {dT, dx, halvings, true};
}

// The two-phase iterations (flash_two_phase.cpp).
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
SaturationSlopes saturation_slopes(const HelmholtzModel& m, double T, int& evaluations);
SaturationSlopes slopes_of(const Saturation& sat, const FluidProperties& liquid,
                           const FluidProperties& vapour);

// The saturated edge, one rule for every pair: a value within rounding of a
// saturated phase's (the saturation's own numbers, as a host gets them back
// through its units, or from the saturation at p rather than at T) is that
// saturated phase, never the other one and never a refusal. Rounding here is
// edge_ulps ulps of the value and of its change over as many ulps of T, on
// the isochore and along the curve: |x| + T |dx/dT|_rho + |dx/d ln rho|_T
// |d ln rho/d ln T| along the curve. The phase and the state returned come
// from the same saturated states (saturated_state: q 0 or 1, the
// saturation's T and p).
inline constexpr double edge_ulps = 64.0;
// A first look, before any evaluation is spent on the slopes: x within 1e-9
// of the saturated value (relative to |value| + scale).
inline bool near_edge(double x, double value, double scale) {
  return std::fabs(x - value) <= 1e-9 * (std::fabs(value) + scale);
}
double edge_tolerance(const SaturationSlopes& a, Quantity q, Phase side);
// The same without the slope along the curve: the value's own rounding and
// that of ulps of T and of rho at the state.
double rounding_tolerance(const SaturationSlopes& a, Quantity q, Phase side);
// The saturated phase whose value of q is x to rounding, else Phase::none.
Phase saturated_phase(const SaturationSlopes& a, Quantity q, double x);
FluidState saturated_state(const HelmholtzModel& m, const SaturationSlopes& a, Phase side, int evaluations);
Saturation dome_edge(const HelmholtzModel& m, double rho, const Saturation& at_lambda, int& evaluations);
// One side's u, h or s in reduced form and its derivatives in delta and tau
// (at that side's delta), for the two-phase iteration below. With the ideal
// part's constants left out (they cancel between target and mixture):
//   u~ = u/(R Tc) - a2 = (1.5 + t)/tau
//   h~ = h/(R Tc) - a2 = (2.5 + t + d)/tau
//   s~ = s/R + a1 = 1.5 + t - ln delta - 1.5 ln tau - a
// using d(t)/d(delta) = dt/delta, d(d)/d(delta) = (d + dd)/delta,
// d(t)/d(tau) = (t + tt)/tau, d(d)/d(tau) = dt/tau, d(a)/d(tau) = t/tau.
struct ReducedCaloric {
  double x;
  double ddelta;
  double dtau;
};
ReducedCaloric reduced_caloric(const HelmholtzDerivatives& r, double delta, double tau, Caloric c);
double reduced_target(const HelmholtzModel& m, double target, Caloric c);
Saturation two_phase_at_density(const HelmholtzModel& m, double rho, double target, Caloric c,
                                const Saturation& start, const Saturation& edge);
// A saturation with a third condition besides equal J and K
// (phase_equilibrium.hpp), from the saturation at T0. Steps keep 0 <
// delta'' < delta' and tau > 1; a result is the dome's (delta' - delta'' at
// least a quarter of the start's), not the trivial root delta' = delta''.
template <typename Third>
Saturation saturation_with(const HelmholtzModel& m, double T0, Third third, int& evaluations) {
  const Saturation start = m.saturation_at_temperature(T0);
  evaluations += start.evaluations;
  if (!start.converged) return {nan, nan, nan, nan, 0, false};
  double dl = start.rho_liquid / m.critical_density;
  double dv = start.rho_vapour / m.critical_density;
  double tau = m.critical_temperature / start.T;
  const double gap = dl - dv;
  if (!(gap > 0.0)) return {nan, nan, nan, nan, 0, false};
  const bool settled = settle_phase_equilibrium(
      m, dl, dv, tau, third, 1.0, [](double l, double v, double t) { return v > 0.0 && v < l && t > 1.0; },
      evaluations);
  const double T = m.critical_temperature / tau;
  if (!(settled && T >= m.dome_bottom.T * (1.0 - 1e-12) && dl - dv > 0.25 * gap))
    return {nan, nan, nan, nan, 0, false};
  // p is the caller's to take from the saturated states it evaluates.
  return {std::fmax(T, m.dome_bottom.T), nan, dl * m.critical_density, dv * m.critical_density, 0, true};
}

// The flash of each pair, by what it holds fixed.
FluidState flash_Trho(const HelmholtzModel& m, double T, double rho);
FluidState flash_Tq(const HelmholtzModel& m, double T, double q);
FluidState flash_Ts(const HelmholtzModel& m, double T, double target);
FluidState flash_T_caloric(const HelmholtzModel& m, double T, double target, Caloric c);
FluidState flash_prho(const HelmholtzModel& m, double p, double rho);
FluidState flash_rho_caloric(const HelmholtzModel& m, double rho, double target, Caloric c);
FluidState flash_pq(const HelmholtzModel& m, double p, double q);
FluidState flash_p_caloric(const HelmholtzModel& m, double p, double target, Caloric c);
FluidState flash_hs(const HelmholtzModel& m, double h, double s);

}  // namespace vorn::reference_eos::flash_detail
