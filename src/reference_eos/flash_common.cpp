// What every flash builds its result with: the state at (T, rho) and its
// phase, the flags of the limits at (T, p) and the check of a solved state
// (finish), the lever rule between two saturated states, the lambda point's
// saturation. Molar SI units.
#include "reference_eos/flash_common.hpp"

namespace vorn::reference_eos::flash_detail {

FluidState empty(unsigned flags) {
  return {flags, Phase::none, nan, nan, nan, nan, nan, nan, nan, nan, nan,
          nan,   nan,         nan, nan, nan, nan, nan, nan, nan, 0};
}

// Flags of the limits at (T, p). A solved state's T and p carry the
// iteration's tolerance (relative): against the melting and lambda lines and
// the vapour pressure of He II the state then counts as fluid if it is within
// that of the fluid's side (warmer always is; p either way), so that a state
// just inside a line, given by any pair, comes back.
unsigned limit_flags(double T, double p, double tolerance) {
  const double T_fluid = T * (1.0 + tolerance);
  const double p_lo = p * (1.0 - tolerance);
  const double p_hi = p * (1.0 + tolerance);
  unsigned flags = 0U;
  if (T > extrapolation_temperature) flags |= flag_out_of_range;
  if (T > validity_temperature || p > validity_pressure || vapour_below_lambda(T_fluid, p_lo))
    flags |= flag_extrapolated;
  // Beyond the melting line the state is solid, on either side of where the
  // lambda line ends on it: one reason, not two.
  if (above_melting_line(T_fluid, p_lo)) {
    flags |= flag_solid;
  } else if (below_lambda_line(T_fluid, p_lo) && below_lambda_line(T_fluid, p_hi)) {
    flags |= flag_he_ii;
  }
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

// `solved`: p is the iteration's, not the caller's input.
FluidState finish(FluidState s, bool solved) {
  s.flags |= limit_flags(s.T, s.p, solved ? solved_tolerance : 0.0);
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

// The state of properties already evaluated; `evaluations` counts them.
FluidState from_properties(const FluidProperties& f, Phase phase, int evaluations) {
  const double T = f.T;
  const double rho = f.rho;
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
                   evaluations};
  // At zero density s and g go to +-inf: undefined, and flagged so; so too
  // where the reduced density underflows to a subnormal number (its
  // logarithm then keeps few digits, or none) or s overflows.
  if (!(rho / critical_density >= std::numeric_limits<double>::min()) ||
      !(std::isfinite(state.s) && std::isfinite(state.g))) {
    state.s = state.g = nan;
    state.flags |= flag_undefined;
  }
  return state;
}

FluidState single(double T, double rho, Phase phase, int evaluations) {
  return from_properties(properties_at(T, rho), phase, evaluations + 1);
}

// The lever rule between the two saturated states l and v of sat, already
// evaluated: the split is computed once and handed on. `evaluations` counts
// every evaluation made for it, the saturation's and l's and v's included.
FluidState mixture(const Saturation& sat, const FluidProperties& l, const FluidProperties& v, double q,
                   int evaluations) {
  if (!sat.converged) return empty(flag_not_converged);
  // q = 0 or 1: that saturated phase, one phase with q as given, at the
  // saturation's T and p (the liquid's p from the equation differs from
  // p_sat by the rounding of its stiff isotherm).
  if (q == 0.0 || q == 1.0) {
    FluidState s = from_properties(q == 0.0 ? l : v, q == 0.0 ? Phase::liquid : Phase::vapour, evaluations);
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
  s.Z = sat.p / (s.rho * gas_constant * sat.T);
  s.u = l.u + q * (v.u - l.u);
  s.h = l.h + q * (v.h - l.h);
  s.s = l.s + q * (v.s - l.s);
  s.g = l.g + q * (v.g - l.g);
  s.B = second_virial(sat.T);
  s.q = q;
  s.evaluations = evaluations;
  return s;
}

// The same from the saturation alone; `evaluations` counts those made before
// it, not the saturation's own.
FluidState mixture(const Saturation& sat, double q, int evaluations) {
  if (!sat.converged) return empty(flag_not_converged);
  return mixture(sat, properties_at(sat.T, sat.rho_liquid), properties_at(sat.T, sat.rho_vapour), q,
                 evaluations + sat.evaluations + 2);
}

// A saturation whose evaluations the caller has counted already.
Saturation counted(Saturation sat) {
  sat.evaluations = 0;
  return sat;
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

}  // namespace vorn::reference_eos::flash_detail
