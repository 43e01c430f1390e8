// Every thermodynamic property of He II at (T, p) from one Gibbs energy:
//
//   g(T, p) = g_s(T) + integral_{p_s(T)}^{p} V(T, p') dp'
//
// g_s = h_s - T s_s the saturated liquid's (passed in: the saturated line's
// s_s, h_s and C_s = T ds_s/dT at T, on the reference equation's zero), the
// integral pressure_part.hpp's. Then, per kilogram:
//   s = s_s + ds,  h = g + T s,  u = h - p V,  cp = C_s + dcp,
//   alpha = V_T/V,  kappa_T = -V_p/V,  cv = cp - T V alpha^2/kappa_T,
//   w^2 = (cp/cv) V/kappa_T,  mu_JT = V (T alpha - 1)/cp.
// At p = p_s(T) it is the saturated liquid (its density that of the fit) and
// it is consistent by construction (Maxwell's relations hold to the
// quadrature's rounding). Range: 0.5 K <= T < T_lambda(p), p_s(T) <= p <=
// the melting pressure; outside it every field is NaN and in_range false.
#pragma once

#include <cmath>
#include <limits>

#include "reference_eos/boundaries.hpp"
#include "superfluid_pressure/pressure_part.hpp"
#include "superfluid_pressure/saturation_closure.hpp"
#include "superfluid_pressure/saturation_pressure.hpp"
#include "superfluid_pressure/volume.hpp"

namespace vorn::superfluid_pressure {

// The saturated He II liquid at T, on the reference equation's zero (h = s = 0
// for the saturated liquid at the normal boiling point).
struct SaturatedLine {
  double s;  // J/(kg K)
  double h;  // J/kg
  double c;  // J/(kg K), T ds/dT along saturation
};

struct HeIIState {
  bool in_range;
  double T;      // K
  double p;      // Pa
  double rho;    // kg/m3
  double s;      // J/(kg K)
  double h;      // J/kg
  double u;      // J/kg
  double g;      // J/kg
  double cp;     // J/(kg K)
  double cv;     // J/(kg K)
  double w;      // m/s
  double kappa;  // 1/Pa
  double alpha;  // 1/K
  double jt;     // K/Pa
  double ds;     // J/(kg K): s - s_s(T), the pressure part
  double cp_s;   // J/(kg K): cp at the vapour pressure at T
};

// Out of range at (T, p): every field NaN.
inline HeIIState no_he_ii_state(double T, double p) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  return {false, T, p, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan};
}

// cp at the vapour pressure at T (C_s: the saturated line's T ds/dT there),
// bit for bit the state's cp at p = p_s.
inline double cp_at_vapour_pressure(double T, double C_s) {
  const superfluid::SplineValue ps = saturation_pressure(T);
  return C_s + T * (volume_slope_at_saturation(T, saturation_closure(T), ps) * ps.derivative);
}

// Is (T, p) He II in the model's range (p_s the vapour pressure at T).
inline bool he_ii_in_range(double T, double p, double p_s) {
  if (!(T >= lowest_temperature && T < reference_eos::lambda_saturation_temperature)) return false;
  if (!(p >= p_s && p <= reference_eos::lambda_melting_pressure)) return false;
  if (reference_eos::above_melting_line(T, p)) return false;
  return T < reference_eos::lambda_line_temperature(p);
}
// Above the lambda point's pressure (with a margin) p is above p_s(T) at
// every T of the region, and p_s need not be taken.
inline bool he_ii_in_range(double T, double p) {
  if (p > 1.01 * reference_eos::lambda_saturation_pressure) return he_ii_in_range(T, p, 0.0);
  return he_ii_in_range(T, p, saturation_pressure(T).value);
}

// The Gibbs energy's values at (T, p) from which the state follows, per
// kilogram: g, s, cp and the volume with its slopes, with the pressure part
// of s and cp at the vapour pressure. Exact (he_ii_gibbs) or tabulated
// (gibbs_table.hpp); he_ii_state_of derives the rest the same way from either.
struct GibbsValues {
  double g;     // J/kg
  double s;     // J/(kg K)
  double cp;    // J/(kg K)
  double v;     // m3/kg
  double v_T;   // m3/(kg K)
  double v_p;   // m3/(kg Pa)
  double ds;    // J/(kg K): s - s_s(T)
  double cp_s;  // J/(kg K)
};

// The model's own values, without a range check: the formulas hold a little
// beyond the region too (below p_s, above the melting line), where only the
// table's fitting reads them. Not at or above the lambda line.
inline GibbsValues he_ii_gibbs(double T, double p, const SaturatedLine& sat) {
  const superfluid::SplineValue ps = saturation_pressure(T);
  const ClosureDerivatives closure = saturation_closure(T);
  const VolumeDerivatives v = specific_volume(T, p, closure);
  const PressurePart part = pressure_part(T, p, closure, ps);
  return {sat.h - T * sat.s + part.dg, sat.s + part.ds, sat.c + part.dcp, v.v, v.dT, v.dp, part.ds,
          sat.c + part.dcp_s};
}

inline HeIIState he_ii_state_of(double T, double p, const GibbsValues& gv) {
  HeIIState st = no_he_ii_state(T, p);
  st.in_range = true;
  st.rho = 1.0 / gv.v;
  st.ds = gv.ds;
  st.s = gv.s;
  st.g = gv.g;
  st.h = st.g + T * st.s;
  st.u = st.h - p * gv.v;
  st.cp = gv.cp;
  st.cp_s = gv.cp_s;
  st.alpha = gv.v_T / gv.v;
  st.kappa = -gv.v_p / gv.v;
  st.cv = st.cp - T * gv.v * st.alpha * st.alpha / st.kappa;
  st.w = std::sqrt(st.cp / st.cv * gv.v / st.kappa);
  st.jt = gv.v * (T * st.alpha - 1.0) / st.cp;
  return st;
}

inline HeIIState he_ii_state(double T, double p, const SaturatedLine& sat) {
  if (!he_ii_in_range(T, p)) return no_he_ii_state(T, p);
  return he_ii_state_of(T, p, he_ii_gibbs(T, p, sat));
}

}  // namespace vorn::superfluid_pressure
