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
inline bool he_ii_in_range(double T, double p) { return he_ii_in_range(T, p, saturation_pressure(T).value); }

inline HeIIState he_ii_state(double T, double p, const SaturatedLine& sat) {
  HeIIState st = no_he_ii_state(T, p);
  const superfluid::SplineValue ps = saturation_pressure(T);
  if (!he_ii_in_range(T, p, ps.value)) return st;
  const ClosureDerivatives closure = saturation_closure(T);
  const VolumeDerivatives v = specific_volume(T, p, closure);
  const PressurePart part = pressure_part(T, p, closure, ps);
  st.in_range = true;
  st.rho = 1.0 / v.v;
  st.ds = part.ds;
  st.s = sat.s + part.ds;
  st.g = sat.h - T * sat.s + part.dg;
  st.h = st.g + T * st.s;
  st.u = st.h - p * v.v;
  st.cp = sat.c + part.dcp;
  st.cp_s = sat.c + part.dcp_s;
  st.alpha = v.dT / v.v;
  st.kappa = -v.dp / v.v;
  st.cv = st.cp - T * v.v * st.alpha * st.alpha / st.kappa;
  st.w = std::sqrt(st.cp / st.cv * v.v / st.kappa);
  st.jt = v.v * (T * st.alpha - 1.0) / st.cp;
  return st;
}

}  // namespace vorn::superfluid_pressure
