// The two-phase iterations the flashes share: the saturated states' slopes
// along the curve, where an isochore meets the dome, and one Newton in
// (delta', delta'', tau) on equal J and K and the mixture's u, h or s at a
// given overall density. Molar SI units.
#include "reference_eos/flash_common.hpp"

namespace vorn::reference_eos::flash_detail {
namespace {

// Temperature at which rho lies on the saturation curve (the isochore meets
// the dome): Newton in T over saturations, rho between rho'' and rho' at the
// lambda point.
RootResult dome_temperature(const HelmholtzModel& m, double rho, double rho_lambda_vapour,
                            double rho_lambda_liquid, int& evaluations) {
  if (rho == m.critical_density) return {m.critical_temperature, 0, true};
  const bool vapour_side = rho < m.critical_density;
  auto g = [&](double T) -> ValueSlope {
    const SaturationSlopes a = saturation_slopes(m, T, evaluations);
    if (!a.sat.converged) return {nan, nan};
    return vapour_side ? ValueSlope{a.sat.rho_vapour - rho, a.drho_vapour}
                       : ValueSlope{rho - a.sat.rho_liquid, -a.drho_liquid};
  };
  const double fraction = vapour_side ? (rho - rho_lambda_vapour) / (m.critical_density - rho_lambda_vapour)
                                      : (rho_lambda_liquid - rho) / (rho_lambda_liquid - m.critical_density);
  const double guess = m.dome_bottom.T + fraction * (m.critical_temperature - m.dome_bottom.T);
  return bracketed_newton(g, m.dome_bottom.T, m.critical_temperature, guess, 1e-12, 0.0, 100);
}

}  // namespace

SaturationSlopes saturation_slopes(const HelmholtzModel& m, double T, int& evaluations) {
  const Saturation sat = m.saturation_at_temperature(T);
  evaluations += sat.evaluations;
  if (!sat.converged) {
    SaturationSlopes r{};
    r.sat = sat;
    return r;
  }
  evaluations += 2;
  return slopes_of(sat, properties_at(m, T, sat.rho_liquid), properties_at(m, T, sat.rho_vapour));
}

// The slopes of saturated states already evaluated. At Tc itself (the two
// states one) the slopes are infinite.
SaturationSlopes slopes_of(const Saturation& sat, const FluidProperties& liquid,
                           const FluidProperties& vapour) {
  SaturationSlopes r{sat, liquid, vapour, 0.0, 0.0};
  const double dp_sat = (vapour.s - liquid.s) / (1.0 / sat.rho_vapour - 1.0 / sat.rho_liquid);
  r.drho_liquid = (dp_sat - liquid.dpdT) / liquid.dpdrho;
  r.drho_vapour = (dp_sat - vapour.dpdT) / vapour.dpdrho;
  return r;
}

double edge_tolerance(const SaturationSlopes& a, Quantity q, Phase side) {
  const bool liquid = side == Phase::liquid;
  const FluidProperties& f = liquid ? a.liquid : a.vapour;
  const double curve = std::fabs(a.sat.T * (liquid ? a.drho_liquid : a.drho_vapour) / f.rho);
  return rounding_tolerance(a, q, side) +
         edge_ulps * std::numeric_limits<double>::epsilon() * std::fabs(partials(f, q).dlnrho) * curve;
}

double rounding_tolerance(const SaturationSlopes& a, Quantity q, Phase side) {
  const Partials x = partials(side == Phase::liquid ? a.liquid : a.vapour, q);
  const double spread = std::fabs(x.value) + a.sat.T * std::fabs(x.dT) + std::fabs(x.dlnrho);
  return edge_ulps * std::numeric_limits<double>::epsilon() * spread;
}

Phase saturated_phase(const SaturationSlopes& a, Quantity q, double x) {
  // At Tc the two states are one, the critical point: no edge.
  if (!(a.sat.converged && a.sat.rho_liquid > a.sat.rho_vapour)) return Phase::none;
  const double xl = partials(a.liquid, q).value;
  const double xv = partials(a.vapour, q).value;
  const double dl = std::fabs(x - xl);
  const double dv = std::fabs(x - xv);
  // The nearer of the two where both are within rounding (at Tc, say).
  if (dl <= dv && dl <= edge_tolerance(a, q, Phase::liquid)) return Phase::liquid;
  if (dv <= edge_tolerance(a, q, Phase::vapour)) return Phase::vapour;
  if (dl <= edge_tolerance(a, q, Phase::liquid)) return Phase::liquid;
  return Phase::none;
}

FluidState saturated_state(const HelmholtzModel& m, const SaturationSlopes& a, Phase side, int evaluations) {
  return mixture(m, a.sat, a.liquid, a.vapour, side == Phase::liquid ? 0.0 : 1.0, evaluations);
}

// The saturation where the isochore rho meets the dome (rho between the
// lambda point's saturated densities): directly (saturation_at_density),
// else by Newton in T over saturations at T.
Saturation dome_edge(const HelmholtzModel& m, double rho, const Saturation& at_lambda, int& evaluations) {
  const Saturation direct = m.saturation_at_density(rho);
  evaluations += direct.evaluations;
  if (direct.converged) return direct;
  const RootResult dome = dome_temperature(m, rho, at_lambda.rho_vapour, at_lambda.rho_liquid, evaluations);
  if (!dome.converged) return {nan, nan, nan, nan, 0, false};
  const Saturation edge = m.saturation_at_temperature(dome.x);
  evaluations += edge.evaluations;
  return edge;
}

ReducedCaloric reduced_caloric(const HelmholtzDerivatives& r, double delta, double tau, Caloric c) {
  if (c == Caloric::energy) return {(1.5 + r.t) / tau, r.dt / (delta * tau), (r.tt - 1.5) / (tau * tau)};
  if (c == Caloric::enthalpy)
    return {(2.5 + r.t + r.d) / tau, (r.dt + r.d + r.dd) / (delta * tau),
            (r.tt - 1.5 + r.dt - 1.0 - r.d) / (tau * tau)};
  return {1.5 + r.t - std::log(delta) - 1.5 * std::log(tau) - r.a, (r.dt - 1.0 - r.d) / delta,
          (r.tt - 1.5) / tau};
}

// The target in the same reduced form.
double reduced_target(const HelmholtzModel& m, double target, Caloric c) {
  if (c == Caloric::entropy) return target / m.gas_constant + m.ideal_a1;
  return target / (m.gas_constant * m.critical_temperature) - m.ideal_a2;
}

// The two-phase state of overall density rho and internal energy u (or h,
// or s), as one Newton iteration in (delta', delta'', tau): equal J and K on
// both sides (saturation.hpp) and the mixture's value, with the quality from
// the volumes, q = (1/delta - 1/delta')/(1/delta'' - 1/delta'). Two
// evaluations a step, from the saturation start (colder than the edge, where
// the isochore meets the dome, or the edge itself). Steps keep delta'' <
// delta < delta' and tau > 1.
Saturation two_phase_at_density(const HelmholtzModel& m, double rho, double target, Caloric c,
                                const Saturation& start, const Saturation& edge) {
  const double delta = rho / m.critical_density;
  double dl = start.rho_liquid / m.critical_density;
  double dv = start.rho_vapour / m.critical_density;
  double tau = m.critical_temperature / start.T;
  // The dome is narrowest at the edge: a result narrower than a quarter of
  // that is the trivial root delta' = delta''.
  const double gap = (edge.rho_liquid - edge.rho_vapour) / m.critical_density;
  // Off the edge by a hundredth of the gap, so that the first step may go
  // either way without leaving delta'' < delta < delta'.
  if (dl <= delta) dl = delta + 0.01 * gap;
  if (dv >= delta) dv = std::fmax(0.5 * dv, delta - 0.01 * gap);
  const double x_target = reduced_target(m, target, c);
  const double w = 1.0 / delta;
  // The mixture's value at the overall density, q = (w - w')/(w'' - w'), w = 1/delta.
  auto mixture_value = [&](const HelmholtzDerivatives& l, const HelmholtzDerivatives& v, double dl, double dv,
                           double tau) -> Condition {
    const ReducedCaloric xl = reduced_caloric(l, dl, tau, c);
    const ReducedCaloric xv = reduced_caloric(v, dv, tau, c);
    const double wl = 1.0 / dl;
    const double wv = 1.0 / dv;
    const double q = (w - wl) / (wv - wl);
    const double dq_dwl = (w - wv) / ((wv - wl) * (wv - wl));
    const double dq_dwv = -(w - wl) / ((wv - wl) * (wv - wl));
    return {xl.x + q * (xv.x - xl.x) - x_target, (1.0 - q) * xl.ddelta - (xv.x - xl.x) * dq_dwl / (dl * dl),
            q * xv.ddelta - (xv.x - xl.x) * dq_dwv / (dv * dv), (1.0 - q) * xl.dtau + q * xv.dtau};
  };
  int evaluations = 0;
  const bool settled = settle_phase_equilibrium(
      m, dl, dv, tau, mixture_value, std::fmax(1.0, std::fabs(x_target)),
      [delta](double l, double v, double t) { return v > 0.0 && v < delta && l > delta && t > 1.0; },
      evaluations);
  const double T = m.critical_temperature / tau;
  if (!(settled && T >= m.dome_bottom.T && dl - dv > 0.25 * gap && dv < delta && delta < dl))
    return {nan, nan, nan, nan, evaluations, false};
  // p is the caller's to take from the saturated states it evaluates.
  return {T, nan, dl * m.critical_density, dv * m.critical_density, evaluations, true};
}

}  // namespace vorn::reference_eos::flash_detail
