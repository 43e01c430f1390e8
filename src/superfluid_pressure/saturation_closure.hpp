// Where the model meets the saturated liquid. The density of He II is
//
//   rho(T, p) = rho_bg(T, p) [1 + R(T) + psi(t, p)]
//
// (background_volume.hpp, lambda_anomaly.hpp), and R(T) is what makes it the
// saturated fit's density (Donnelly and Barenghi 1998, density.hpp) exactly
// at the saturated vapour pressure p_s(T) (saturation_pressure.hpp):
//
//   R(T) = rho_DB(T)/rho_bg(T, p_s) - 1 - psi(T_lambda(p_s) - T, p_s)
//
// Within 7e-4 of 0 from 0.5 K to T_lambda (the background and the anomaly
// carry nearly all of it). R' and R'' analytic along saturation (d/dT at
// p = p_s(T)): with G = d ln(rho_DB/rho_bg)/dT = -alpha_DB - d ln rho_bg/dT,
//   R'  = (1 + R + psi) G - dpsi/dT,
//   R'' = (1 + R + psi) (G^2 + G') - d2psi/dT2,
// from the fits' alpha and alpha', the background's second derivatives in T
// and p, the anomaly's in t and p, p_s'' and the lambda line's slope and
// curvature. The density is the fit's two forms joined at 1.334 K
// (superfluid/density.hpp's saturated_liquid_density_joined, as the bath's
// liquid reads it): the bare fit's alpha' steps by 18 % there, which stepped
// He II's cp by 2 % at 2.5 MPa; joined, R'' and cp are continuous. The vapour pressure's change
// of relation at 1.25 K (its slope steps by 0.34 %) is left as it is: it
// moves s by 0.005 J/(kg K) at 2.5 MPa. 0.5 K to 2.1768 K (the
// vapour-pressure spline starts at 0.5 K); NaN outside.
#pragma once

#include <array>
#include <cmath>
#include <limits>

#include "constants/kept_at.hpp"
#include "reference_eos/boundaries.hpp"
#include "superfluid/density.hpp"
#include "superfluid/lambda_point.hpp"
#include "superfluid_pressure/background_volume.hpp"
#include "superfluid_pressure/lambda_anomaly.hpp"
#include "superfluid_pressure/saturation_pressure.hpp"

namespace vorn::superfluid_pressure {

inline constexpr double lowest_temperature = superfluid::vapour_pressure_lowest;  // K

struct ClosureDerivatives {
  double R;
  double dR;   // 1/K
  double dRR;  // 1/K^2
};

// ps: the vapour pressure at T and its slope, ps_curvature its second derivative.
inline ClosureDerivatives closure_derivatives(double T, const superfluid::SplineValue& ps,
                                              double ps_curvature) {
  const double P = ps.value;
  const double P_T = ps.derivative;
  const double P_TT = ps_curvature;
  const superfluid::JoinedDensity fit = superfluid::saturated_liquid_density_joined(T);
  const ZeroTemperatureVolume v0 = zero_temperature_volume(P);
  const VolumeDerivatives bg = background_volume(T, P, v0);
  const BackgroundCurvature bg2 = background_curvature(T, P, v0, bg);
  const reference_eos::LambdaLinePoint line = reference_eos::lambda_line(P);
  const double t = line.T - T;
  const Anomaly an = lambda_anomaly(t, P, line, v0);
  const AnomalyCurvature an2 = lambda_anomaly_curvature(t, P, line, v0);
  const double rho_bg = superfluid::molar_mass / bg.v;  // kg/m3
  const double ratio = superfluid::gram_per_cm3_to_kg_per_m3 * fit.rho / rho_bg;
  // d ln rho_bg/dT along saturation and its slope.
  const double v_T = (bg.dT + bg.dp * P_T) / bg.v;
  const double dln_bg = -v_T;
  const double dln_bg_T =
      -(bg.dTT + 2.0 * bg2.dTp * P_T + bg2.dpp * P_T * P_T + bg.dp * P_TT) / bg.v + v_T * v_T;
  const double G = -fit.alpha - dln_bg;
  const double G_T = -fit.dalpha - dln_bg_T;
  // psi along saturation: t moves as k = T_l'(p) p_s' - 1.
  const double k = line.dTdp * P_T - 1.0;
  const double k_T = line.d2Tdp2 * P_T * P_T + line.dTdp * P_TT;
  const double dpsi = an.t * k + an.p * P_T;
  const double dpsi_T =
      an.tt * k * k + 2.0 * an2.tp * k * P_T + an2.pp * P_T * P_T + an.t * k_T + an.p * P_TT;
  return {ratio - 1.0 - an.psi, ratio * G - dpsi, ratio * (G * G + G_T) - dpsi_T};
}

inline ClosureDerivatives closure_at(double T);

// The closure at T, kept for the next call at the same T (a flash along an
// isotherm asks for it at every step; each thread keeps its own).
inline ClosureDerivatives saturation_closure(double T) { return kept_at<closure_at>(T); }

inline ClosureDerivatives closure_at(double T) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  if (!(T >= lowest_temperature && T < superfluid::lambda_temperature)) return {nan, nan, nan};
  return closure_derivatives(T, saturation_pressure(T), saturation_pressure_curvature(T));
}

}  // namespace vorn::superfluid_pressure
