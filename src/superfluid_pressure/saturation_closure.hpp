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
// carry nearly all of it). R' analytic from the fit's expansion and the
// vapour pressure's slope; R'' a central difference of R' (step 1e-5 K,
// one-sided within a step of 1.334 K, where the density fit changes form with
// a step of 3e-7, of 1.25 K, where the vapour pressure changes relation, and
// of T_lambda): smooth there, within 1e-7 relative. 0.5 K to 2.1768 K (the
// vapour-pressure spline starts at 0.5 K); NaN outside.
#pragma once

#include <cmath>
#include <limits>

#include "reference_eos/boundaries.hpp"
#include "superfluid/density.hpp"
#include "superfluid/lambda_point.hpp"
#include "superfluid_pressure/background_volume.hpp"
#include "superfluid_pressure/lambda_anomaly.hpp"
#include "superfluid_pressure/saturation_pressure.hpp"

namespace vorn::superfluid_pressure {

inline constexpr double lowest_temperature = superfluid::vapour_pressure_lowest;  // K
inline constexpr double closure_step = 1e-5;                                      // K

struct Closure {
  double R;
  double dR;  // 1/K
};

// ps: the vapour pressure at T.
inline Closure closure_value(double T, const superfluid::SplineValue& ps) {
  const superfluid::DensityValue fit = superfluid::saturated_liquid_density(T);
  const ZeroTemperatureVolume v0 = zero_temperature_volume(ps.value);
  const VolumeDerivatives bg = background_volume(T, ps.value, v0);
  const reference_eos::LambdaLinePoint line = reference_eos::lambda_line(ps.value);
  const Anomaly an = lambda_anomaly(line.T - T, ps.value, line, v0);
  const double rho_bg = superfluid::molar_mass / bg.v;  // kg/m3
  const double ratio = superfluid::gram_per_cm3_to_kg_per_m3 * fit.rho / rho_bg;
  // d ln rho_bg/dT along saturation, and d psi/dT along it.
  const double dln_bg = -(bg.dT + bg.dp * ps.derivative) / bg.v;
  const double dpsi = an.t * (line.dTdp * ps.derivative - 1.0) + an.p * ps.derivative;
  return {ratio - 1.0 - an.psi, ratio * (-fit.alpha - dln_bg) - dpsi};
}

struct ClosureDerivatives {
  double R;
  double dR;   // 1/K
  double dRR;  // 1/K^2
};

inline ClosureDerivatives closure_at(double T);

// The closure at T, kept for the next call at the same T (a flash along an
// isotherm asks for it at every step; each thread keeps its own).
inline ClosureDerivatives saturation_closure(double T) {
  thread_local double kept_T = std::numeric_limits<double>::quiet_NaN();
  thread_local ClosureDerivatives kept{};
  if (!(T == kept_T)) {
    kept = closure_at(T);
    kept_T = T;
  }
  return kept;
}

inline ClosureDerivatives closure_at(double T) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  if (!(T >= lowest_temperature && T < superfluid::lambda_temperature)) return {nan, nan, nan};
  const Closure c = closure_value(T, saturation_pressure(T));
  // The neighbours' vapour pressures uncached: the one at T stays kept.
  const auto slope_at = [](double at) { return closure_value(at, saturation_pressure_at(at)).dR; };
  const double h = closure_step;
  // A step across a junction is not taken: T + h or T - h on its other side.
  const auto crosses = [](double a, double b) {
    return (a < superfluid::density_polynomial_end) != (b < superfluid::density_polynomial_end) ||
           (a < saturation_junction) != (b < saturation_junction);
  };
  double dRR = 0.0;
  if (T + h >= superfluid::lambda_temperature || crosses(T, T + h)) {
    dRR = (c.dR - slope_at(T - h)) / h;
  } else if (T - h < lowest_temperature || crosses(T - h, T)) {
    dRR = (slope_at(T + h) - c.dR) / h;
  } else {
    dRR = (slope_at(T + h) - slope_at(T - h)) / (2.0 * h);
  }
  return {c.R, c.dR, dRR};
}

}  // namespace vorn::superfluid_pressure
