// The flash at a held entropy and enthalpy: (h, s), expansion and turbine
// work. Molar SI units.
#include "reference_eos/flash_common.hpp"
#include "reference_eos/saturation_expansion.hpp"

namespace vorn::reference_eos::flash_detail {
namespace {

// The one-phase start above the mixture's h at Tc: 20 % warmer than Tc, on
// the side of rho_c that s says (the dense side below the critical point's
// s), 20 % off it, clear of the critical point's flat isotherm.
constexpr double warmer_than_tc = 1.2;
constexpr double denser_than_critical = 1.2;
constexpr double thinner_than_critical = 0.8;

// Newton in (T, ln rho) on h and s together, one evaluation a step, with
// (dh/dT)_rho = cv + (dp/dT)_rho/rho, (dh/d ln rho)_T = (dp/drho)_T - T
// (dp/dT)_rho/rho, (ds/dT)_rho = cv/T, (ds/d ln rho)_T = -(dp/dT)_rho/rho: the
// Jacobian's determinant is -((dp/dT)_rho^2/rho^2 + (dp/drho)_T cv/T), never
// zero at a stable state. Steps limited to 30 % in T and a factor 2 in rho
// and kept inside (T_lo, T_hi); succeeds only on a mechanically stable state.
bool newton_hs(const HelmholtzModel& m, double h, double s, double T, double rho, double T_lo, double T_hi,
               FluidState& out, int& evaluations) {
  for (int i = 0; i < 50; ++i) {
    const FluidProperties a = properties_at(m, T, rho);
    ++evaluations;
    if (!(a.dpdrho > 0.0) || !std::isfinite(a.h)) return false;
    const TemperatureDensityStep step =
        temperature_density_step(partials(a, Quantity::enthalpy), h, m.gas_constant * T,
                                 partials(a, Quantity::entropy), s, m.gas_constant, T, T_lo, T_hi);
    if (!step.finite || step.halvings >= step_halvings) return false;
    const double dT = step.dT;
    const double dx = step.dlnrho;
    T += dT;
    rho *= std::exp(dx);
    if (std::fabs(dT) <= 1e-14 * T && std::fabs(dx) <= 1e-14) {
      out = single(m, T, rho, single_phase(m, T, rho, m.critical_density), evaluations);
      return out.dpdrho > 0.0;
    }
  }
  return false;
}

// Is (T, rho) inside the dome (below Tc, between the saturated densities,
// each widened by the rounding of the saturation's own densities)?
bool inside_dome(const HelmholtzModel& m, double T, double rho, int& evaluations) {
  if (!(T >= m.dome_bottom.T && T < m.critical_temperature)) return false;
  const Saturation sat = m.saturation_at_temperature(T);
  evaluations += sat.evaluations;
  return sat.converged && rho > sat.rho_vapour * (1.0 + saturation_bracket_margin) &&
         rho < sat.rho_liquid * (1.0 - saturation_bracket_margin);
}

// Does the (T, s) flash give a state (one phase or two)?
bool is_state(const FluidState& x) { return (x.flags & flags_without_result) == 0U; }

// Where the isentrope s leaves the fluid between a state at T_in and a
// refusal at T_out: 30 halvings in ln T (about 1e-9 of the span). The state
// on the near side, its evaluations added to the caller's.
FluidState isentrope_end(const HelmholtzModel& m, double s, double T_in, double T_out, FluidState in,
                         int& evaluations) {
  for (int i = 0; i < 30; ++i) {
    const double T = std::sqrt(T_in * T_out);
    const FluidState x = flash_Ts(m, T, s);
    evaluations += x.evaluations;
    if (is_state(x)) {
      T_in = T;
      in = x;
    } else {
      T_out = T;
    }
  }
  return in;
}

// The saturated state on the dome's edge where the isentrope s meets it on
// `side`, near T0 (that side's s equal to s: Newton in T over saturations,
// at most 8 steps of two evaluations), if h is its h to rounding: the
// saturated edge's rule (flash_common.hpp) for (h, s).
bool saturated_edge_hs(const HelmholtzModel& m, double h, double s, double T0, Phase side, FluidState& out,
                       int& evaluations) {
  double T = T0;
  const double eps = std::numeric_limits<double>::epsilon();
  for (int i = 0; i < 8; ++i) {
    const SaturationSlopes a = saturation_slopes(m, T, evaluations);
    if (!a.sat.converged) return false;
    const bool liquid = side == Phase::liquid;
    const FluidProperties& f = liquid ? a.liquid : a.vapour;
    const double ds =
        along_curve(partials(f, Quantity::entropy), f.rho, liquid ? a.drho_liquid : a.drho_vapour);
    const double next = std::fmin(m.critical_temperature, std::fmax(m.dome_bottom.T, T - (f.s - s) / ds));
    if (f.s == s || !(std::fabs(next - T) > 4.0 * eps * T) || i == 7) {
      // h within rounding of the edge's at s (carried the last ulps of T
      // along the curve), rounding here without the slope along the curve
      // (the isentrope crosses the edge, it does not run along it), and no
      // more than 1e-6 in q: next to Tc a mixture's h at given s moves by
      // little more than rounding over a quality of 1e-6, (dh/dq)_s = v
      // dp_sat/dT (s'' - s')/|ds/dT| along the edge.
      const FluidProperties& other = liquid ? a.vapour : a.liquid;
      const double dh_dq = (1.0 / f.rho) * std::fabs((other.s - f.s) / (1.0 / other.rho - 1.0 / f.rho)) *
                           std::fabs(other.s - f.s) / std::fabs(ds);
      const double tolerance = std::fmin(rounding_tolerance(a, Quantity::enthalpy, side), 1e-6 * dh_dq);
      const double h_at_s =
          f.h + along_curve(partials(f, Quantity::enthalpy), f.rho, liquid ? a.drho_liquid : a.drho_vapour) *
                    (next - T);
      if (!(saturated_phase(a, Quantity::entropy, s) == side && std::fabs(h - h_at_s) <= tolerance))
        return false;
      out = finish(m, saturated_state(m, a, side, evaluations));
      return true;
    }
    if (!std::isfinite(next)) return false;
    T = next;
  }
  return false;
}

// A one-phase state Newton in (T, ln rho) settled on: within rounding of the
// dome's edge, the saturated state there.
FluidState one_phase_result(const HelmholtzModel& m, double h, double s, FluidState out, int evaluations) {
  if (out.T >= m.dome_bottom.T && out.T < m.critical_temperature) {
    const Saturation sat = m.saturation_at_temperature(out.T);
    const Phase side = out.rho > m.critical_density ? Phase::liquid : Phase::vapour;
    FluidState at_edge{};
    if (sat.converged && near_edge(out.rho, side == Phase::liquid ? sat.rho_liquid : sat.rho_vapour, 0.0) &&
        saturated_edge_hs(m, h, s, out.T, side, at_edge, evaluations))
      return at_edge;
  }
  out.evaluations = evaluations;
  return finish(m, out, true);
}

// (h, s) when Newton in (T, ln rho) did not settle, or no fluid state has the
// pair: along the isentrope over T, each step a (T, s) flash (one phase or
// two), on which h rises with T wherever the fluid expands on heating (dh = v
// dp, (dp/dT)_s = cp/(T v alpha)). First Newton in (T, ln rho) again from a
// state on the isentrope, at the ideal gas's T for h (h = R (a2 Tc + 5/2 T))
// within its ends: it has only to move along it. Its ends: the extrapolation
// limit or, if that is refused, where the isentrope meets the melting line
// (or leaves the fluid otherwise); the coldest vapour temperature, or where
// the isentrope enters the fluid above it, from a first state among 12
// temperatures spread evenly in ln T. An h above the upper end's gets the
// reason that end gives (OUT_OF_RANGE past the extrapolation limit), below
// the lower end's that end's (HE_II beneath the coldest vapour); in between,
// bracketed Newton in T with the slope (dh/dT)_s from the table of partials.
FluidState flash_hs_along_isentrope(const HelmholtzModel& m, double h, double s, int evaluations) {
  const double T_lo = lowest_vapour_temperature;
  const double T_hi = m.extrapolation_temperature;
  FluidState top = flash_Ts(m, T_hi, s);
  FluidState bottom = flash_Ts(m, T_lo, s);
  evaluations += top.evaluations + bottom.evaluations;
  const unsigned above = is_state(top) ? flag_out_of_range : top.flags & flags_without_result;
  const unsigned below = is_state(bottom) ? flag_he_ii : bottom.flags & flags_without_result;
  if (is_state(top) && h > top.h) return empty(above);
  if (is_state(bottom) && h < bottom.h) return empty(below);
  FluidState out{};
  const double T_ideal = m.ideal_gas_temperature_at_enthalpy(h);
  FluidState near = T_ideal >= T_hi ? top : bottom;
  if (T_ideal > T_lo && T_ideal < T_hi) {
    near = flash_Ts(m, T_ideal, s);
    evaluations += near.evaluations;
  }
  if (is_state(near) && near.phase != Phase::two_phase &&
      newton_hs(m, h, s, near.T, near.rho, T_lo * (1.0 - edge_margin), T_hi, out, evaluations) &&
      !inside_dome(m, out.T, out.rho, evaluations))
    return one_phase_result(m, h, s, out, evaluations);
  if (!is_state(top) || !is_state(bottom)) {
    FluidState inside = is_state(near) ? near : is_state(top) ? top : bottom;
    for (int k = 1; k < 12 && !is_state(inside); ++k) {
      inside = flash_Ts(m, T_lo * std::pow(T_hi / T_lo, k / 12.0), s);
      evaluations += inside.evaluations;
    }
    // No temperature of the fluid has this entropy.
    if (!is_state(inside)) return empty((top.flags & flag_no_solution) != 0U ? flag_no_solution : above);
    // An end is sought only on the side of h it bounds; on the other side
    // the state found is the bracket's end.
    if (!is_state(top))
      top = h > inside.h ? isentrope_end(m, s, inside.T, T_hi, inside, evaluations) : inside;
    if (!is_state(bottom))
      bottom = h < inside.h ? isentrope_end(m, s, inside.T, T_lo, inside, evaluations) : inside;
  }
  if (h > top.h) return empty(above);
  if (h < bottom.h) return empty(below);
  const double T_top = top.T;
  const double T_bottom = bottom.T;
  FluidState last{};
  auto f = [&](double T) -> ValueSlope {
    last = flash_Ts(m, T, s);
    evaluations += last.evaluations;
    if (!is_state(last)) return {nan, nan};
    // A mixture carries no derivatives: its step is a bisection.
    const double slope = last.phase == Phase::two_phase
                             ? 0.0
                             : along(partials(last, Quantity::enthalpy), partials(last, Quantity::entropy));
    return {last.h - h, slope};
  };
  const double guess = T_bottom + (h - bottom.h) / (top.h - bottom.h) * (T_top - T_bottom);
  const RootResult r = bracketed_newton(f, T_bottom, T_top, guess, temperature_tolerance, 0.0, 100);
  if (!r.converged) return empty(flag_not_converged);
  out = last.T == r.x ? last : flash_Ts(m, r.x, s);
  if (last.T != r.x) evaluations += out.evaluations;
  // The (T, s) flash's own ambiguity is not this pair's: h picks one state.
  out.flags &= ~flag_not_unique;
  out.evaluations = evaluations;
  return out;
}

// (h, s) on an isentrope that crosses the dome, over saturations: its edge on
// the dome by Newton in T over saturations (with the slopes of the saturated
// states), then below the edge's h Newton in T on g_sat(T) + T s = h, its
// slope v dp_sat/dT (v the mixture's volume), each step a saturation at T;
// above it Newton in (T, ln rho) from the edge's saturated state.
FluidState flash_hs_by_edge(const HelmholtzModel& m, double h, double s, const FluidProperties& l_lambda,
                            const FluidProperties& v_lambda, int evaluations) {
  const FluidProperties critical = properties_at(m, m.critical_temperature, m.critical_density);
  ++evaluations;
  const bool vapour_side = s > critical.s;
  const double s_lambda = vapour_side ? v_lambda.s : l_lambda.s;
  const double fraction = (s - s_lambda) / (critical.s - s_lambda);
  const double T_guess = m.dome_bottom.T + fraction * (m.critical_temperature - m.dome_bottom.T);
  auto edge = [&](double T) -> ValueSlope {
    const SaturationSlopes a = saturation_slopes(m, T, evaluations);
    if (!a.sat.converged) return {nan, nan};
    const FluidProperties& side = vapour_side ? a.vapour : a.liquid;
    const double ds =
        along_curve(partials(side, Quantity::entropy), side.rho, vapour_side ? a.drho_vapour : a.drho_liquid);
    return vapour_side ? ValueSlope{s - side.s, -ds} : ValueSlope{side.s - s, ds};
  };
  const RootResult e =
      bracketed_newton(edge, m.dome_bottom.T, m.critical_temperature, T_guess, 1e-13, 0.0, 100);
  if (!e.converged) return flash_hs_along_isentrope(m, h, s, evaluations);
  const Saturation sat_e = m.saturation_at_temperature(e.x);
  evaluations += sat_e.evaluations;
  const double rho_e = vapour_side ? sat_e.rho_vapour : sat_e.rho_liquid;
  const FluidProperties at_e = properties_at(m, e.x, rho_e);
  ++evaluations;
  FluidState at_edge{};
  if (near_edge(h, at_e.h, m.gas_constant * e.x) &&
      saturated_edge_hs(m, h, s, e.x, vapour_side ? Phase::vapour : Phase::liquid, at_edge, evaluations))
    return at_edge;
  if (h >= at_e.h) {
    FluidState out{};
    if (!newton_hs(m, h, s, e.x, rho_e, lowest_vapour_temperature, m.extrapolation_temperature, out,
                   evaluations) ||
        inside_dome(m, out.T, out.rho, evaluations))
      return flash_hs_along_isentrope(m, h, s, evaluations);
    return one_phase_result(m, h, s, out, evaluations);
  }
  auto f = [&](double T) -> ValueSlope {
    const Saturation sat = m.saturation_at_temperature(T);
    evaluations += sat.evaluations + 2;
    if (!sat.converged) return {nan, nan};
    const FluidProperties l = properties_at(m, T, sat.rho_liquid);
    const FluidProperties v = properties_at(m, T, sat.rho_vapour);
    const double vl = 1.0 / sat.rho_liquid;
    const double dp_sat = (v.s - l.s) / (1.0 / sat.rho_vapour - vl);
    // g' + T s - h = T (s - s') - (h - h'), with h'' - h' = T (s'' - s')
    // taken from the states themselves: at the root q from h and q from s
    // agree even where g' and g'' differ by rounding (next to Tc, where q
    // moves by 1e6 per kelvin: hence the tolerance in T of a few ulps).
    const double ratio = v.h > l.h ? T * (v.s - l.s) / (v.h - l.h) : 1.0;
    return {T * (s - l.s) - (h - l.h) * ratio, (s - l.s) + vl * dp_sat};
  };
  const double at_lo = l_lambda.g + m.dome_bottom.T * s - h;
  const double guess = m.dome_bottom.T - at_lo / (at_e.h - h - at_lo) * (e.x - m.dome_bottom.T);
  const RootResult r = bracketed_newton(f, m.dome_bottom.T, e.x, guess, 1e-15, 0.0, 100);
  if (!r.converged) return flash_hs_along_isentrope(m, h, s, evaluations);
  const Saturation sat = m.saturation_at_temperature(r.x);
  const FluidProperties l = properties_at(m, r.x, sat.rho_liquid);
  const FluidProperties v = properties_at(m, r.x, sat.rho_vapour);
  evaluations += sat.evaluations + 2;
  const double q = std::fmin(1.0, std::fmax(0.0, (s - l.s) / (v.s - l.s)));
  // Next to Tc q at given s moves with T without bound: where 16 ulps of T
  // (the root's rounding, g' + T s and h cancelling) move it by more than
  // 1e-6, the pair does not fix it in doubles. Measured, two evaluations:
  // the curve's slopes there are the join's (saturation_expansion.cpp).
  const double T_next = r.x * (1.0 + 16.0 * std::numeric_limits<double>::epsilon());
  const Saturation beside = m.saturation_at_temperature(T_next);
  const double s_l = properties_at(m, T_next, beside.rho_liquid).s;
  const double s_v = properties_at(m, T_next, beside.rho_vapour).s;
  evaluations += 2;
  if (!(std::fabs((s - s_l) / (s_v - s_l) - (s - l.s) / (v.s - l.s)) <= 1e-6))
    return empty(flag_not_converged);
  return finish(m, mixture(m, sat, l, v, q, evaluations));
}

}  // namespace

// (h, s): expansion and turbine work. Along an isentrope h rises with p
// (dh = v dp), so a pair has one state at most, and any state found is it.
// The isentropes with s between the saturated liquid's and vapour's at the
// lambda point cross the dome. There, with h'' - h' = T (s'' - s'), the
// mixture of entropy s at T has h = g_sat(T) + T s: one Newton in (delta',
// delta'', tau) on equal J, K and g' + T s = h, from the lambda point, gives
// the two-phase state if its quality (s - s')/(s'' - s') lies in [0, 1], and
// otherwise the saturated state on the side of the one-phase state.
// Elsewhere, or from there, Newton in (T, ln rho) from the ideal gas (a
// vapour) or the saturated liquid at the lambda point (a liquid). Within
// 1e-4 Tc of Tc, or should those fail, the isentrope's edge on the dome
// (where the saturated liquid's, below the critical point's s, or vapour's s
// is s) and a search over saturations below it.
FluidState flash_hs(const HelmholtzModel& m, double h, double s) {
  int evaluations = 0;
  const Saturation at_lambda = m.dome_bottom;
  const FluidProperties l_lambda = properties_at(m, m.dome_bottom.T, at_lambda.rho_liquid);
  const FluidProperties v_lambda = properties_at(m, m.dome_bottom.T, at_lambda.rho_vapour);
  evaluations += 2;
  FluidState out{};
  const double T_lo = lowest_vapour_temperature * (1.0 - edge_margin);
  auto one_phase = [&](double T0, double rho0) {
    return newton_hs(m, h, s, T0, rho0, T_lo, m.extrapolation_temperature, out, evaluations) &&
           !inside_dome(m, out.T, out.rho, evaluations);
  };
  auto solved = [&]() { return one_phase_result(m, h, s, out, evaluations); };
  if (s > l_lambda.s && s < v_lambda.s) {
    // Below the two-phase state at the lambda point on this isentrope: He II.
    if (l_lambda.g + m.dome_bottom.T * s - h > 0.0) return empty(flag_he_ii);
    const double h_reduced = h / (m.gas_constant * m.critical_temperature);
    auto mixed = [&](const HelmholtzDerivatives& l, const HelmholtzDerivatives&, double dl, double,
                     double tau) -> Condition {
      return {1.0 + (l.d + l.a + std::log(dl)) + m.ideal_a1 + m.ideal_a2 * tau + 1.5 * std::log(tau) +
                  s / m.gas_constant - h_reduced * tau,
              (1.0 + 2.0 * l.d + l.dd) / dl, 0.0, m.ideal_a2 + (1.5 + l.t + l.dt) / tau - h_reduced};
    };
    // From where h_mix(T) - h, linear between the lambda point and Tc, is zero.
    const FluidProperties critical = properties_at(m, m.critical_temperature, m.critical_density);
    ++evaluations;
    const double at_lambda_point = l_lambda.g + m.dome_bottom.T * s - h;
    const double at_critical = critical.g + m.critical_temperature * s - h;
    const double start = at_critical > 0.0
                             ? m.dome_bottom.T + (m.critical_temperature - m.dome_bottom.T) *
                                                     (-at_lambda_point / (at_critical - at_lambda_point))
                             : m.dome_bottom.T;
    // Above the mixture's h at Tc the state is most likely one phase: from
    // the critical isotherm's side of s first.
    if (!(at_critical > 0.0) &&
        one_phase(m.critical_temperature * warmer_than_tc,
                  m.critical_density * (s < critical.s ? denser_than_critical : thinner_than_critical)))
      return solved();
    Saturation sat = saturation_with(m, start, mixed, evaluations);
    // Within 1e-4 Tc of Tc equal J and K solved in doubles fix the dome only
    // to about 1e-13/theta, and the quality with it: there the search over the
    // saturation curve (its series) below.
    if (sat.converged && sat.T < m.critical_temperature * (1.0 - 1e-4)) {
      const FluidProperties l = properties_at(m, sat.T, sat.rho_liquid);
      const FluidProperties v = properties_at(m, sat.T, sat.rho_vapour);
      evaluations += 2;
      sat.p = v.p;
      const double q = (s - l.s) / (v.s - l.s);
      // Next to an edge, the saturated state there if h and s are its own:
      // the saturation solved here in doubles fixes q only to about
      // 1e-13/theta (a compressed liquid's q here is rarely that small).
      FluidState at_edge{};
      const double q_rounding = 1e-12 / (1.0 - sat.T / m.critical_temperature);
      if (std::fabs(q) <= q_rounding || std::fabs(1.0 - q) <= q_rounding) {
        const Phase side = q < 0.5 ? Phase::liquid : Phase::vapour;
        if (saturated_edge_hs(m, h, s, sat.T, side, at_edge, evaluations)) return at_edge;
      }
      if (q >= -1e-12 && q <= 1.0 + 1e-12)
        return finish(m, mixture(m, sat, l, v, std::fmin(1.0, std::fmax(0.0, q)), evaluations));
      if (one_phase(sat.T, q < 0.0 ? sat.rho_liquid : sat.rho_vapour)) return solved();
    }
    return flash_hs_by_edge(m, h, s, l_lambda, v_lambda, evaluations);
  }
  double T0 = m.dome_bottom.T;
  double rho0 = at_lambda.rho_liquid;
  if (s >= v_lambda.s) {
    // The ideal gas at (h, s).
    const double T_ideal = m.ideal_gas_temperature_at_enthalpy(h);
    T0 = std::fmin(std::fmax(T_ideal, m.dome_bottom.T), 0.5 * m.extrapolation_temperature);
    rho0 = std::fmin(m.critical_density * std::exp(m.ideal_gas_log_delta(T0, s)), at_lambda.rho_vapour);
    if (T_ideal <= m.dome_bottom.T) rho0 = at_lambda.rho_vapour * 0.5;
  }
  if (!one_phase(T0, rho0)) return flash_hs_along_isentrope(m, h, s, evaluations);
  return solved();
}

}  // namespace vorn::reference_eos::flash_detail
