// Flashes at a held density: (p, rho), (rho, u), (rho, h), (rho, s).
// Molar SI units.
#include "reference_eos/flash_common.hpp"
#include "reference_eos/isochore_start.hpp"

namespace vorn::reference_eos::flash_detail {
namespace {

// The coldest temperature of a dilute isochore (rho at most the saturated
// vapour's at the lambda point): the lambda temperature if the target u (h,
// s) is above its value there, else where the isochore meets the vapour
// pressure of He II (1.25 K if below it there), by bisection, 50 halvings.
double cold_vapour_edge(const HelmholtzModel& m, double rho, double target, Caloric c, int& evaluations) {
  ++evaluations;
  if (target >= caloric(properties_at(m, m.dome_bottom.T, rho), c)) return m.dome_bottom.T;
  auto inside = [&](double T) {
    ++evaluations;
    return pressure_and_slope(m, T, rho).p < he_ii_vapour_pressure(T);
  };
  if (inside(lowest_vapour_temperature)) return lowest_vapour_temperature;
  double a = lowest_vapour_temperature;
  double b = m.dome_bottom.T;
  for (int i = 0; i < 50; ++i) {
    const double mid = 0.5 * (a + b);
    (inside(mid) ? b : a) = mid;
  }
  return a * (1.0 - edge_margin);  // the line itself is checked on the result
}

// The ideal gas's T on the isochore rho at u, h or s (model.hpp); for u
// corrected once by the residual energy (isochore_start.hpp).
double isochore_guess(const HelmholtzModel& m, double rho, double target, Caloric c) {
  if (c == Caloric::energy) return isochore_start(m, rho, target);
  if (c == Caloric::enthalpy) return m.ideal_gas_temperature_at_enthalpy(target);
  return m.ideal_gas_temperature_on_isochore(rho, target);
}

// The scale of u, h (R T) or s (R) for a first look at the edge.
double caloric_scale(const HelmholtzModel& m, Caloric c, double T) {
  return c == Caloric::entropy ? m.gas_constant : m.gas_constant * T;
}

// The saturated edge's rule (flash_common.hpp) on an isochore: where rho
// meets the dome (`edge`), a value x of q (p, u, h or s) within rounding of
// that saturated phase's is that phase; so is one between p_sat and the
// equation's own p there, which differ by the rounding of the stiff liquid.
// `first_look` is the value at the edge the caller has (p_sat, or the value
// at the edge's T and rho): the states at the edge cost two evaluations,
// spent only within 1e-9 of it.
bool at_saturated_edge(const HelmholtzModel& m, const Saturation& edge, double rho, Quantity q, double x,
                       double first_look, double scale, FluidState& out, int& evaluations) {
  // At Tc the two states are one, the critical point: no edge.
  if (!(edge.rho_liquid > edge.rho_vapour) || !near_edge(x, first_look, scale)) return false;
  const SaturationSlopes a =
      slopes_of(edge, properties_at(m, edge.T, edge.rho_liquid), properties_at(m, edge.T, edge.rho_vapour));
  evaluations += 2;
  const Phase side = rho > m.critical_density ? Phase::liquid : Phase::vapour;
  const double rho_edge = side == Phase::liquid ? edge.rho_liquid : edge.rho_vapour;
  if (std::fabs(rho - rho_edge) > edge_tolerance(a, Quantity::density, side)) return false;
  const double own = partials(side == Phase::liquid ? a.liquid : a.vapour, q).value;
  const double tolerance = edge_tolerance(a, q, side);
  const bool between = x >= std::fmin(own, first_look) && x <= std::fmax(own, first_look);
  if (!between && std::fabs(x - own) > tolerance && std::fabs(x - first_look) > tolerance) return false;
  out = finish(m, saturated_state(m, a, side, evaluations), true);
  return true;
}

}  // namespace

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
FluidState flash_prho(const HelmholtzModel& m, double p, double rho) {
  // Widened by a rounding margin: the line itself is checked on the result.
  double T_lo = coldest_bracket_temperature(m, p);
  double T_hi = m.extrapolation_temperature;
  int evaluations = 0;
  const Saturation at_lambda = m.dome_bottom;
  if (!at_lambda.converged) return empty(flag_not_converged);
  if (rho > at_lambda.rho_vapour && rho < at_lambda.rho_liquid) {
    const Saturation edge = dome_edge(m, rho, at_lambda, evaluations);
    if (!edge.converged) return empty(flag_not_converged);
    FluidState saturated{};
    if (at_saturated_edge(m, edge, rho, Quantity::pressure, p, edge.p, 0.0, saturated, evaluations))
      return saturated;
    if (p < edge.p) {
      if (p < m.dome_bottom.p) return empty(flag_he_ii);
      const Saturation sat = m.saturation_at_pressure(p);
      evaluations += sat.evaluations;
      if (!sat.converged) return empty(flag_not_converged);
      // Within rounding of the critical pressure, the critical point itself.
      if (!(sat.rho_liquid > sat.rho_vapour)) {
        FluidState s = single(m, sat.T, rho, Phase::supercritical, evaluations);
        s.p = p;
        return finish(m, s, true);
      }
      const double q = std::fmin(1.0, std::fmax(0.0, quality_from_volume(sat, rho)));
      return finish(m, mixture(m, counted(sat), q, evaluations));
    }
    T_lo = std::fmax(T_lo, edge.T);
  }
  // The saturated states at the lambda point, the dome's bottom corners.
  FluidState saturated{};
  if ((near_edge(rho, at_lambda.rho_liquid, 0.0) || near_edge(rho, at_lambda.rho_vapour, 0.0)) &&
      at_saturated_edge(m, at_lambda, rho, Quantity::pressure, p, at_lambda.p, 0.0, saturated, evaluations))
    return saturated;
  unsigned flags = 0U;
  const FluidProperties lo = properties_at(m, T_lo, rho);
  ++evaluations;
  if (lo.dpdT < 0.0) {
    // Bisect for the sign change of (dp/dT)_rho, 50 halvings.
    double a = T_lo;
    double b = T_hi;
    for (int i = 0; i < 50; ++i) {
      const double mid = 0.5 * (a + b);
      (properties_at(m, mid, rho).dpdT < 0.0 ? a : b) = mid;
    }
    evaluations += 50;
    if (lo.p >= p && properties_at(m, b, rho).p <= p) flags |= flag_not_unique;
    T_lo = b;
  }
  const double p_lo = properties_at(m, T_lo, rho).p;
  const double p_hi = pressure_and_slope(m, T_hi, rho).p;
  evaluations += 2;
  if (!(p >= p_lo)) return empty(p < p_lo ? m.colder_than_fluid(p) : flag_not_converged);
  if (!(p <= p_hi)) return empty(flag_out_of_range);
  auto f = [&](double T) -> ValueSlope {
    ++evaluations;
    const Partials a = partials(properties_at(m, T, rho), Quantity::pressure);
    return {(a.value - p) / p, a.dT / p};
  };
  const double ideal = p / (rho * m.gas_constant);
  const double guess = ideal > T_lo && ideal < T_hi ? ideal : 0.5 * (T_lo + T_hi);
  const RootResult r = bracketed_newton(f, T_lo, T_hi, guess, temperature_tolerance, 0.0, 100);
  if (!r.converged) return empty(flag_not_converged);
  FluidState s = single(m, r.x, rho, single_phase(m, r.x, rho, m.critical_density), evaluations);
  s.p = p;
  s.flags |= flags;
  return finish(m, s, true);
}

// (rho, u), (rho, h), (rho, s): a closed vessel. Single phase: Newton in T,
// with (du/dT)_rho = cv, (dh/dT)_rho = cv + (dp/dT)_rho/rho, (ds/dT)_rho =
// cv/T. Inside the dome (each rises with T there too): Newton in T on the
// mixture's value at fixed overall density, its slope from the saturated
// states' slopes (saturation_slopes), else one Newton in (delta', delta'',
// tau) from the edge. h can fall with T on a dense isochore near the lambda
// line, where (dp/dT)_rho < 0: two states then, flagged not unique.
FluidState flash_rho_caloric(const HelmholtzModel& m, double rho, double target, Caloric c) {
  int evaluations = 0;
  double T_lo = 0.0;  // every branch below sets it
  const Saturation at_lambda = m.dome_bottom;
  // At or above the value the isochore has at Tc the state is one phase, no
  // colder than Tc: no dome to meet.
  const FluidProperties at_tc = properties_at(m, m.critical_temperature, rho);
  ++evaluations;
  if (target >= caloric(at_tc, c)) {
    T_lo = m.critical_temperature;
  } else if (rho > at_lambda.rho_vapour && rho < at_lambda.rho_liquid) {
    const Saturation edge = dome_edge(m, rho, at_lambda, evaluations);
    if (!edge.converged) return empty(flag_not_converged);
    const RootResult dome{edge.T, 0, true};
    const double x_dome = caloric(properties_at(m, dome.x, rho), c);
    FluidState saturated{};
    if (at_saturated_edge(m, edge, rho, quantity(c), target, x_dome, caloric_scale(m, c, edge.T), saturated,
                          evaluations))
      return saturated;
    if (target < x_dome) {
      // The mixture's value at the lambda point: below it, He II. Start
      // where the value, linear in T from there to the edge, is the target.
      const FluidProperties l_lambda = properties_at(m, m.dome_bottom.T, at_lambda.rho_liquid);
      const FluidProperties v_lambda = properties_at(m, m.dome_bottom.T, at_lambda.rho_vapour);
      evaluations += 2;
      const double x_lambda = caloric(l_lambda, c) + quality_from_volume(at_lambda, rho) *
                                                         (caloric(v_lambda, c) - caloric(l_lambda, c));
      if (target < x_lambda) return empty(flag_he_ii);
      // Newton in T on the mixture's value at fixed overall density, its
      // slope from the saturated states' slopes (saturation_slopes): the
      // saturation at T costs no evaluation (its series reach to 52 nK below
      // Tc), so a step is the two saturated states. Started where the value,
      // linear in T from the lambda point to the edge, is the target.
      const double v = 1.0 / rho;
      Saturation last{};
      FluidProperties last_l{};
      FluidProperties last_v{};
      auto f = [&](double T) -> ValueSlope {
        const SaturationSlopes a = saturation_slopes(m, T, evaluations);
        if (!a.sat.converged) return {nan, nan};
        last = a.sat;
        last_l = a.liquid;
        last_v = a.vapour;
        const double vl = 1.0 / a.sat.rho_liquid;
        const double vv = 1.0 / a.sat.rho_vapour;
        const double dvl = -a.drho_liquid * vl * vl;
        const double dvv = -a.drho_vapour * vv * vv;
        const double q = (v - vl) / (vv - vl);
        const double dq = (-dvl * (vv - vl) - (v - vl) * (dvv - dvl)) / ((vv - vl) * (vv - vl));
        const Partials l = partials(a.liquid, c);
        const Partials vap = partials(a.vapour, c);
        const double dxl = along_curve(l, a.sat.rho_liquid, a.drho_liquid);
        const double dxv = along_curve(vap, a.sat.rho_vapour, a.drho_vapour);
        const double xl = l.value;
        const double xv = vap.value;
        return {xl + q * (xv - xl) - target, dxl + dq * (xv - xl) + q * (dxv - dxl)};
      };
      const double guess =
          m.dome_bottom.T + (dome.x - m.dome_bottom.T) * (target - x_lambda) / (x_dome - x_lambda);
      const RootResult r = bracketed_newton(f, m.dome_bottom.T, dome.x, guess, 1e-13, 0.0, 100);
      if (r.converged && last.converged && last.T == r.x)
        return finish(m,
                      mixture(m, counted(last), last_l, last_v, quality_from_volume(last, rho), evaluations));
      if (r.converged) {
        const Saturation sat = m.saturation_at_temperature(r.x);
        return finish(m, mixture(m, sat, quality_from_volume(sat, rho), evaluations));
      }
      // Else one Newton in (delta', delta'', tau) from the edge.
      Saturation direct = two_phase_at_density(m, rho, target, c, edge, edge);
      evaluations += direct.evaluations;
      if (!direct.converged) return empty(flag_not_converged);
      const FluidProperties l = properties_at(m, direct.T, direct.rho_liquid);
      const FluidProperties vap = properties_at(m, direct.T, direct.rho_vapour);
      direct.p = vap.p;
      return finish(m, mixture(m, direct, l, vap, quality_from_volume(direct, rho), evaluations + 2));
    }
    T_lo = dome.x;
  } else if (rho >= at_lambda.rho_liquid) {
    T_lo = lambda_melting_temperature;
  } else {
    T_lo = cold_vapour_edge(m, rho, target, c, evaluations);
  }
  const FluidProperties lo = T_lo == m.critical_temperature ? at_tc : properties_at(m, T_lo, rho);
  const double x_lo = caloric(lo, c);
  FluidState saturated{};
  if ((near_edge(rho, at_lambda.rho_liquid, 0.0) || near_edge(rho, at_lambda.rho_vapour, 0.0)) &&
      T_lo < m.critical_temperature &&
      at_saturated_edge(m, at_lambda, rho, quantity(c), target,
                        caloric(properties_at(m, m.dome_bottom.T, rho), c),
                        caloric_scale(m, c, m.dome_bottom.T), saturated, evaluations))
    return saturated;
  if (!(target >= x_lo)) return empty(target < x_lo ? m.colder_than_fluid(lo.p) : flag_not_converged);
  const FluidProperties hi = properties_at(m, m.extrapolation_temperature, rho);
  const double x_hi = caloric(hi, c);
  if (!(target <= x_hi)) return empty(flag_out_of_range);
  auto f = [&](double T) -> ValueSlope {
    ++evaluations;
    const Partials a = partials(properties_at(m, T, rho), c);
    return {a.value - target, a.dT};
  };
  const double fraction = (target - x_lo) / (x_hi - x_lo);
  const double start = isochore_guess(m, rho, target, c);
  if (c == Caloric::energy) ++evaluations;
  const double guess = start > T_lo && start < m.extrapolation_temperature
                           ? start
                           : T_lo + fraction * (m.extrapolation_temperature - T_lo);
  const RootResult r =
      bracketed_newton(f, T_lo, m.extrapolation_temperature, guess, temperature_tolerance, 0.0, 100);
  if (!r.converged) return empty(flag_not_converged);
  FluidState s = single(m, r.x, rho, single_phase(m, r.x, rho, m.critical_density), evaluations);
  if (partials(lo, c).dT < 0.0 || partials(s, c).dT < 0.0) s.flags |= flag_not_unique;
  return finish(m, s, true);
}

}  // namespace vorn::reference_eos::flash_detail
