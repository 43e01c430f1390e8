// What every flash builds its result with: the state at (T, rho) and its
// phase, the flags of the limits at (T, p) and the check of a solved state
// (finish: the one check every result passes), the lever rule between two
// saturated states. Molar SI units.
#include "reference_eos/flash_common.hpp"

namespace vorn::reference_eos::flash_detail {

// No state: every value NaN, named one by one.
FluidState empty(unsigned flags) {
  FluidState s{};
  s.flags = flags;
  s.phase = Phase::none;
  s.T = s.p = s.rho = s.Z = nan;
  s.u = s.h = s.s = s.g = nan;
  s.cv = s.cp = s.w = s.jt = s.kappa = s.alpha = s.dpdT = s.dpdrho = nan;
  s.B = nan;
  s.q = nan;
  s.evaluations = 0;
  return s;
}

// The cold end of a search along the isobar p: the coldest fluid
// temperature, a rounding margin beyond it (the line is checked on the result).
double coldest_bracket_temperature(const HelmholtzModel& m, double p) {
  return m.coldest_fluid_temperature(p) * (1.0 - edge_margin);
}

// The tolerance of a solved state against the lines (limit_flags).
constexpr double solved_tolerance = 1e-11;

// `solved`: p is the iteration's, not the caller's input.
FluidState finish(const HelmholtzModel& m, FluidState s, bool solved) {
  s.flags |= m.limit_flags(s.T, s.p, solved ? solved_tolerance : 0.0);
  // Densities far beyond the fluid's overflow the terms: no state there.
  if (s.phase != Phase::none && !(std::isfinite(s.p) && std::isfinite(s.rho) && std::isfinite(s.h)))
    s.flags |= flag_no_solution;
  // A liquid stretched to a negative pressure is no state of the fluid (a
  // search can end on one where its pair lies in compressed He II, which the
  // equation does not describe): He II below T_lambda, no state above.
  if (s.phase != Phase::none && s.phase != Phase::two_phase && s.p < 0.0)
    s.flags |= s.T < lambda_temperature ? flag_he_ii : flag_no_solution;
  // Every one-phase root is mechanically stable: one that is not is the
  // solver's failure, never a state.
  if (s.phase != Phase::none && s.phase != Phase::two_phase &&
      !(s.dpdrho > -critical_stiffness * m.gas_constant * s.T) && s.rho > 0.0)
    s.flags |= flag_not_converged;
  if ((s.flags & flags_without_result) != 0U) {
    const unsigned flags = s.flags;
    const int evaluations = s.evaluations;
    s = empty(flags);
    s.evaluations = evaluations;
  }
  return s;
}

Phase single_phase(const HelmholtzModel& m, double T, double rho, double rho_critical_side) {
  if (T >= m.critical_temperature) return Phase::supercritical;
  return rho >= rho_critical_side ? Phase::liquid : Phase::vapour;
}

// The state of properties already evaluated; `evaluations` counts them.
FluidState from_properties(const HelmholtzModel& m, const FluidProperties& f, Phase phase, int evaluations) {
  const double T = f.T;
  const double rho = f.rho;
  FluidState state{};
  state.flags = 0U;
  state.phase = phase;
  state.T = T;
  state.p = f.p;
  state.rho = rho;
  state.Z = f.Z;
  state.u = f.u;
  state.h = f.h;
  state.s = f.s;
  state.g = f.g;
  state.cv = f.cv;
  state.cp = f.cp;
  state.w = f.w;
  state.jt = f.jt;
  state.kappa = f.kappa;
  state.alpha = f.alpha;
  state.dpdT = f.dpdT;
  state.dpdrho = f.dpdrho;
  state.B = second_virial(m, T);
  state.q = nan;
  state.evaluations = evaluations;
  // At zero density s and g go to +-inf: undefined, and flagged so; so too
  // where the reduced density underflows to a subnormal number (its
  // logarithm then keeps few digits, or none) or s overflows.
  if (!(rho / m.critical_density >= std::numeric_limits<double>::min()) ||
      !(std::isfinite(state.s) && std::isfinite(state.g))) {
    state.s = state.g = nan;
    state.flags |= flag_undefined;
  }
  return state;
}

FluidState single(const HelmholtzModel& m, double T, double rho, Phase phase, int evaluations) {
  return from_properties(m, properties_at(m, T, rho), phase, evaluations + 1);
}

// The lever rule between the two saturated states l and v of sat, already
// evaluated: the split is computed once and handed on. `evaluations` counts
// every evaluation made for it, the saturation's and l's and v's included.
FluidState mixture(const HelmholtzModel& m, const Saturation& sat, const FluidProperties& l,
                   const FluidProperties& v, double q, int evaluations) {
  if (!sat.converged) return empty(flag_not_converged);
  // q = 0 or 1: that saturated phase, one phase with q as given, at the
  // saturation's T and p (the liquid's p from the equation differs from
  // p_sat by the rounding of its stiff isotherm).
  if (q == 0.0 || q == 1.0) {
    FluidState s =
        from_properties(m, q == 0.0 ? l : v, q == 0.0 ? Phase::liquid : Phase::vapour, evaluations);
    s.p = sat.p;
    s.q = q;
    return s;
  }
  FluidState s = empty(0U);
  s.phase = Phase::two_phase;
  s.T = sat.T;
  s.p = sat.p;
  const double volume = (1.0 - q) / sat.rho_liquid + q / sat.rho_vapour;
  s.rho = 1.0 / volume;
  s.Z = sat.p / (s.rho * m.gas_constant * sat.T);
  s.u = l.u + q * (v.u - l.u);
  s.h = l.h + q * (v.h - l.h);
  s.s = l.s + q * (v.s - l.s);
  s.g = l.g + q * (v.g - l.g);
  s.B = second_virial(m, sat.T);
  s.q = q;
  s.evaluations = evaluations;
  return s;
}

// The same from the saturation alone; `evaluations` counts those made before
// it, not the saturation's own.
FluidState mixture(const HelmholtzModel& m, const Saturation& sat, double q, int evaluations) {
  if (!sat.converged) return empty(flag_not_converged);
  return mixture(m, sat, properties_at(m, sat.T, sat.rho_liquid), properties_at(m, sat.T, sat.rho_vapour), q,
                 evaluations + sat.evaluations + 2);
}

// A saturation whose evaluations the caller has counted already.
Saturation counted(Saturation sat) {
  sat.evaluations = 0;
  return sat;
}

double quality_from_volume(const Saturation& sat, double rho) {
  return (1.0 / rho - 1.0 / sat.rho_liquid) / (1.0 / sat.rho_vapour - 1.0 / sat.rho_liquid);
}

}  // namespace vorn::reference_eos::flash_detail
