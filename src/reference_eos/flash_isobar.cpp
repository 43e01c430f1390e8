// Flashes at a held pressure: (p, q), (p, h), (p, s), (p, u). Molar SI
// units.
#include "reference_eos/flash_common.hpp"

namespace vorn::reference_eos::flash_detail {
namespace {

// Starts of the Newton iteration in (T, rho) on an isobar. Below pc, on the
// vapour's side: the ideal gas's T where it is at least 20 % warmer than the
// saturation (there Z is within a few per cent of 1), else the saturated
// vapour. Above pc: 70 % of the way from the coldest fluid to Tc for a target
// below its value at Tc, else 1.5 Tc; both well inside the one-phase fluid.
constexpr double ideal_start_above_saturation = 1.2;
constexpr double dense_start_below_tc = 0.7;
constexpr double dense_start_above_tc = 1.5;

// Newton in (T, ln rho) on p and h (or s) together, one evaluation a step,
// steps limited to 30 % in T and a factor 2 in rho and kept inside (T_lo,
// T_hi). Succeeds only on a mechanically stable state on the expected side of
// rho_c below Tc (dense for the liquid branch); the caller falls back to the
// bracketed search along the isobar otherwise.
bool newton_p_caloric(const HelmholtzModel& m, double p, double target, Caloric c, double T, double rho,
                      double T_lo, double T_hi, int side, FluidState& out, int& evaluations) {
  for (int i = 0; i < 40; ++i) {
    const FluidProperties a = properties_at(m, T, rho);
    ++evaluations;
    if (!(a.dpdrho > 0.0) || !std::isfinite(a.p)) return false;
    const double scale = c == Caloric::entropy ? m.gas_constant : m.gas_constant * T;
    const TemperatureDensityStep step = temperature_density_step(
        partials(a, Quantity::pressure), p, p, partials(a, c), target, scale, T, T_lo, T_hi);
    // Pressed against a bound of the bracket: the root is not inside it from here.
    if (!step.finite || step.halvings >= halvings_against_the_bracket) return false;
    const double dT = step.dT;
    const double dx = step.dlnrho;
    T += dT;
    rho *= std::exp(dx);
    if (std::fabs(dT) <= 1e-14 * T && std::fabs(dx) <= 1e-14) {
      if (!(T > T_lo && T < T_hi)) return false;
      if (T < m.critical_temperature && side != 0 && (rho > m.critical_density ? 1 : -1) != side)
        return false;
      out = single(m, T, rho, single_phase(m, T, rho, m.critical_density), evaluations);
      out.p = p;
      return true;
    }
  }
  return false;
}

// The ideal gas's T at (p, h), (p, u) or (p, s) with the model's ideal part.
double ideal_gas_temperature(const HelmholtzModel& m, double p, double target, Caloric c) {
  if (c == Caloric::enthalpy) return m.ideal_gas_temperature_at_enthalpy(target);
  if (c == Caloric::energy) return m.ideal_gas_temperature_at_energy(target);
  return m.ideal_gas_temperature_on_isobar(p, target);
}

}  // namespace

FluidState flash_pq(const HelmholtzModel& m, double p, double q) {
  const Saturation sat = m.saturation_at_pressure(p);
  if (!sat.converged) return empty(p < m.critical_pressure() ? flag_he_ii : flag_no_solution);
  return finish(m, mixture(m, sat, q, 0));
}

// (p, h) and (p, s): Newton in (T, rho) from the saturated state or the ideal
// gas; failing that, Newton in T along the isobar inside a bracket, each step
// a (T, p) flash, with (dh/dT)_p = cp and (ds/dT)_p = cp/T.
FluidState flash_p_caloric(const HelmholtzModel& m, double p, double target, Caloric c) {
  double T_lo = coldest_bracket_temperature(m, p);
  double T_hi = m.extrapolation_temperature;
  int evaluations = 0;
  // Below pc, the side of the dome the state lies on: the search along the
  // isobar stays on it, even where the saturation at T it meets near the
  // edge puts p a rounding on the other side.
  Phase branch = Phase::none;
  const double pc = m.critical_pressure();
  // A gas well above Tc needs no saturation: there is no dome to land in.
  const double T_ideal = ideal_gas_temperature(m, p, target, c);
  if (T_ideal > 2.0 * m.critical_temperature && T_ideal < T_hi) {
    FluidState s{};
    const DensitySolution start = density_at(m, T_ideal, p);
    evaluations += start.evaluations;
    if (start.flags == 0U && newton_p_caloric(m, p, target, c, T_ideal, start.rho, m.critical_temperature,
                                              T_hi, 0, s, evaluations))
      return finish(m, s, true);
  }
  if (p < pc && p >= m.dome_bottom.p) {
    const Saturation sat = m.saturation_at_pressure(p);
    if (!sat.converged) return empty(flag_not_converged);
    evaluations += sat.evaluations;
    const FluidProperties l = properties_at(m, sat.T, sat.rho_liquid);
    const FluidProperties v = properties_at(m, sat.T, sat.rho_vapour);
    evaluations += 2;
    const double cl = caloric(l, c);
    const double cv = caloric(v, c);
    const SaturationSlopes edge = slopes_of(sat, l, v);
    const Phase at_edge = saturated_phase(edge, quantity(c), target);
    if (at_edge != Phase::none) return finish(m, saturated_state(m, edge, at_edge, evaluations));
    if (target >= cl && target <= cv)
      return finish(m, mixture(m, sat, l, v, (target - cl) / (cv - cl), evaluations));
    (target < cl ? T_hi : T_lo) = sat.T;
    branch = target < cl ? Phase::liquid : Phase::vapour;
    FluidState s{};
    if (target < cl) {
      if (newton_p_caloric(m, p, target, c, sat.T, sat.rho_liquid, T_lo, T_hi, 1, s, evaluations))
        return finish(m, s, true);
    } else {
      const double T0 = ideal_gas_temperature(m, p, target, c);
      const bool ideal_start = T0 > ideal_start_above_saturation * sat.T && T0 < T_hi;
      if (newton_p_caloric(m, p, target, c, ideal_start ? T0 : sat.T,
                           ideal_start ? p / (m.gas_constant * T0) : sat.rho_vapour, T_lo, T_hi, -1, s,
                           evaluations))
        return finish(m, s, true);
    }
  } else {
    const double T0 = ideal_gas_temperature(m, p, target, c);
    FluidState s{};
    if (T0 > T_lo && T0 < T_hi && T0 <= 2.0 * m.critical_temperature) {
      const DensitySolution start = density_at(m, T0, p);
      evaluations += start.evaluations;
      if (start.flags == 0U &&
          newton_p_caloric(m, p, target, c, T0, start.rho, T_lo, T_hi, p < pc ? -1 : 0, s, evaluations))
        return finish(m, s, true);
    }
    if (p >= pc) {
      // A dense fluid above pc: start from the isobar below or above Tc,
      // whichever side of h(Tc, p) (or s) the target lies.
      const DensitySolution at_tc = density_at(m, m.critical_temperature, p);
      evaluations += at_tc.evaluations;
      if (at_tc.flags == 0U) {
        const bool colder = target < caloric(properties_at(m, m.critical_temperature, at_tc.rho), c);
        const double T1 = colder ? T_lo + dense_start_below_tc * (m.critical_temperature - T_lo)
                                 : dense_start_above_tc * m.critical_temperature;
        const DensitySolution start = density_at(m, T1, p);
        evaluations += start.evaluations + 1;
        if (T1 > T_lo && start.flags == 0U &&
            newton_p_caloric(m, p, target, c, T1, start.rho, T_lo, T_hi, 0, s, evaluations))
          return finish(m, s, true);
      }
    }
  }
  const FluidState lo = flash_Tp(m, T_lo, p, branch);
  const FluidState hi = flash_Tp(m, T_hi, p, branch);
  evaluations += lo.evaluations + hi.evaluations;
  if (!(target >= caloric(lo, c))) {
    FluidState s = empty(m.colder_than_fluid(p));
    s.evaluations = evaluations;
    return target < caloric(lo, c) ? s : empty(flag_not_converged);
  }
  if (!(target <= caloric(hi, c))) return empty(flag_out_of_range);
  // Start by interpolating in ln T between the ends.
  const double fraction = (target - caloric(lo, c)) / (caloric(hi, c) - caloric(lo, c));
  const double guess = T_lo * std::pow(T_hi / T_lo, fraction);
  FluidState last = lo;
  auto f = [&](double T) -> ValueSlope {
    last = flash_Tp(m, T, p, branch);
    evaluations += last.evaluations;
    const Partials x = partials(last, c);
    return {x.value - target, along(x, partials(last, Quantity::pressure))};
  };
  const RootResult r = bracketed_newton(f, T_lo, T_hi, guess, temperature_tolerance, 0.0, 100);
  if (!r.converged) return empty(flag_not_converged);
  FluidState s = flash_Tp(m, r.x, p, branch);
  s.evaluations += evaluations;
  return finish(m, s, true);
}

}  // namespace vorn::reference_eos::flash_detail
