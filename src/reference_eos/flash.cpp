// The flashes: every input pair to a state of the fluid; here the checks of
// the input, the dispatch to each pair's flash, and (T, p) itself.
//
// Each is a bounded Newton iteration inside a bracket (bracketed_newton.hpp)
// from a good start, the saturation curve deciding the phase below Tc; the
// pairs are grouped by what they hold fixed (flash_common.hpp):
//   (T, rho)   one evaluation; below Tc the saturation at T (from its series,
//              no evaluation) decides whether it is two-phase
//   (T, p)     Newton in ln rho on the branch p says, from the second virial
//              density or a compressed-liquid estimate: 4 to 8 evaluations
//   (p, rho)   Newton in T; below pc where the isochore meets the dome first
//   (p, h), (p, s), (p, u)  Newton in (T, ln rho) from a solved state on the
//              isobar, else Newton in T along it, each step a (T, p) flash
//   (T, s)     Newton in ln rho along the isotherm, after a saturation at T
//   (T, h), (T, u)  along the isotherm in order of density, Newton in ln rho
//              on each stretch where h (u) falls or rises; the less dense of
//              two states
//   (rho, u), (rho, h), (rho, s)  Newton in T along the isochore; inside the
//              dome Newton in T on the mixture's value, each step a
//              saturation (from its series) and its two states: 9 to 15
//   (h, s)     Newton in (T, ln rho); on an isentrope that crosses the dome
//              first one Newton in (delta', delta'', tau) on equal J, K and
//              g' + T s = h
//   (T, q), (p, q)  a saturation and the lever rule
// Below T_lambda, from 1.25 K, the He II bath and its vapour answer first
// (he_ii_bath.cpp); He II above its vapour pressure, from 0.8 K, where the
// bath or the equation finds He II (superfluid_pressure/flash.cpp).
// Two-phase states have the mixture's rho, u, h, s, g, Z and q; the properties
// that have no two-phase meaning are NaN. Flags come from the final (T, p).
#include "superfluid_pressure/flash.hpp"

#include <cmath>
#include <limits>

#include "reference_eos/flash_common.hpp"
#include "reference_eos/he_ii_bath.hpp"

namespace vorn::reference_eos {
namespace flash_detail {
namespace {

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

}  // namespace

// The vapour below the lambda temperature at (T, p), p below the vapour
// pressure of He II: Z stays within a few per cent of 1 there, so the
// bracket up to 1.5 times the ideal gas's density holds it.
RootResult cold_vapour_density(double T, double p) {
  const double ideal = p / (gas_constant * T);
  return density_in(T, p, 0.5 * ideal, 1.5 * ideal, virial_start(ideal, second_virial(T)));
}

// The stable density at (T, p), p > 0, and its phase.
DensitySolution density_at(double T, double p, Phase branch) {
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
  const bool liquid = branch == Phase::liquid   ? true
                      : branch == Phase::vapour ? false
                      : T < lambda_temperature  ? p > sat.p
                                                : p >= sat.p;
  const bool on_saturation = p == sat.p && T >= lambda_temperature && branch == Phase::none;
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

FluidState flash_Tp(double T, double p, Phase branch) {
  if (p == 0.0) return single(T, 0.0, single_phase(T, 0.0, critical_density), 0);
  const DensitySolution d = density_at(T, p, branch);
  if (d.flags != 0U) {
    FluidState s = empty(d.flags);
    s.T = T;
    s.p = p;
    return s;
  }
  FluidState s = single(T, d.rho, d.phase, d.evaluations);
  s.p = p;  // the input, not its rounding through the density
  // Exactly on the saturation curve (T, P) fixes no quality: the saturated
  // liquid is returned, q 0 as every saturated phase has it, and said to be
  // one of many.
  if (d.on_saturation) {
    s.flags |= flag_not_unique;
    s.q = 0.0;
  }
  return s;
}

}  // namespace flash_detail

namespace {

bool finite(double x) { return std::isfinite(x); }
}  // namespace

namespace {

FluidState equation_flash(InputPair pair, double x1, double x2) {
  using namespace flash_detail;
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
      // T = p/(rho R Z): a subnormal p or rho keeps too few digits to fix it.
      if (!(x1 >= std::numeric_limits<double>::min() && x2 >= std::numeric_limits<double>::min()))
        return empty(flag_bad_input);
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
      return flash_rho_caloric(x1, x2, Caloric::energy);
    case InputPair::rhoh:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_rho_caloric(x1, x2, Caloric::enthalpy);
    case InputPair::rhos:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_rho_caloric(x1, x2, Caloric::entropy);
    case InputPair::Th:
      if (x1 <= 0.0) return empty(flag_bad_input);
      if (x1 > extrapolation_temperature) return empty(flag_out_of_range);
      return flash_T_caloric(x1, x2, Caloric::enthalpy);
    case InputPair::Tu:
      if (x1 <= 0.0) return empty(flag_bad_input);
      if (x1 > extrapolation_temperature) return empty(flag_out_of_range);
      return flash_T_caloric(x1, x2, Caloric::energy);
    case InputPair::hs:
      return flash_hs(x1, x2);
    case InputPair::Tq:
      if (x1 <= 0.0 || x2 < 0.0 || x2 > 1.0) return empty(flag_bad_input);
      return finish(flash_Tq(x1, x2));
    case InputPair::Pq:
      if (x1 <= 0.0 || x2 < 0.0 || x2 > 1.0) return empty(flag_bad_input);
      return finish(flash_pq(x1, x2));
  }
  return flash_detail::empty(flag_bad_input);
}

}  // namespace

// How far below T_lambda a bath state defers to the equation (K): the bath's
// searches in T settle to about a microkelvin next to the join.
constexpr double lambda_join_band = 1e-5;

// He II under pressure (superfluid_pressure/flash.hpp) where the bath or the
// equation found He II, no fluid or a solid for the pair: its state if the
// pair has one there, the refusal otherwise.
namespace {
FluidState he_ii_plane_or(const FluidState& refused, InputPair pair, double x1, double x2) {
  constexpr unsigned no_fluid = flag_he_ii | flag_solid | flag_no_solution;
  FluidState plane{};
  if ((refused.flags & no_fluid) != 0U && superfluid_pressure::he_ii_plane_flash(pair, x1, x2, plane))
    return plane;
  return refused;
}
// A state of the bath or of the equation at a pair that He II under pressure
// holds as well (He I's (P, rho): the isobar's density peaks at the lambda
// line, and below 3.5 K He I's falls through all of He II's; the bath's
// (T, s), (T, h), (T, u) beside He II pressed at that T; He I within 0.3 K
// of the line for the other pairs): flagged NOT_UNIQUE, the state kept.
constexpr double density_twin_limit = 3.5;  // K
constexpr double twin_reach = 0.3;          // K above the lambda line
FluidState with_he_ii_twin(FluidState s, InputPair pair, double x1, double x2) {
  const double reach = pair == InputPair::Prho
                           ? density_twin_limit
                           : lambda_line_temperature(std::fmax(s.p, lambda_saturation_pressure)) + twin_reach;
  if ((s.flags & flags_without_result) != 0U || !(s.T < reach) || pair == InputPair::TP ||
      (s.phase == Phase::he_ii && std::isnan(s.q)))
    return s;
  FluidState twin{};
  if (superfluid_pressure::he_ii_plane_flash(pair, x1, x2, twin) &&
      (std::fabs(twin.T - s.T) > 1e-6 || std::fabs(twin.p - s.p) > 1e-6 * s.p))
    s.flags |= flag_not_unique;
  return s;
}

FluidState flash_regions(InputPair pair, double x1, double x2);
}  // namespace

FluidState flash(InputPair pair, double x1, double x2) {
  return with_he_ii_twin(flash_regions(pair, x1, x2), pair, x1, x2);
}

namespace {
FluidState flash_regions(InputPair pair, double x1, double x2) {
  if (!finite(x1) || !finite(x2)) return flash_detail::empty(flag_bad_input);
  // The He II bath, 1.25 K to T_lambda, around the equation's own flashes (he_ii_bath.hpp).
  FluidState bath{};
  if (bath_flash(pair, x1, x2, bath)) {
    if ((bath.flags & flag_he_ii) != 0U) return he_ii_plane_or(bath, pair, x1, x2);
    if (!(bath.T > lambda_temperature - lambda_join_band)) return bath;
    // Just below T_lambda the bath and the equation's saturated states at
    // T_lambda itself can both hold a pair (the fits' liquid is 0.06 %
    // denser than the equation's there, and the bath's searches end a few uK
    // below the join): the equation's state where it lies at T_lambda, so
    // that the states the library reports at the lambda point flash back to
    // themselves; the bath's otherwise.
    const FluidState s = equation_flash(pair, x1, x2);
    return (s.flags & flags_without_result) == 0U && s.T <= lambda_temperature ? s : bath;
  }
  const FluidState s = equation_flash(pair, x1, x2);
  if ((s.flags & (flag_he_ii | flag_solid | flag_no_solution)) != 0U && bath_flash_after(pair, x1, x2, bath))
    return bath;
  return he_ii_plane_or(s, pair, x1, x2);
}
}  // namespace

}  // namespace vorn::reference_eos
