// The specific volume of He II, m3/kg, and the derivatives the Gibbs energy's
// pressure part needs, at T (K) below the lambda line and p (Pa):
//
//   V(T, p) = V_bg(T, p) / F / M,   F = 1 + R(T) + psi(T_lambda(p) - T, p)
//
// (background_volume.hpp, saturation_closure.hpp, lambda_anomaly.hpp).
//   V_T  = (V_bg,T - V_bg F_T / F) / (F M),          F_T  = R' - psi_t
//   V_TT = (V_bg,TT - 2 V_bg,T F_T/F - V_bg F_TT/F + 2 V_bg F_T^2/F^2) / (F M),
//                                                    F_TT = R'' + psi_tt
//   V_p  = (V_bg,p - V_bg F_p / F) / (F M),          F_p  = psi_t T_l'(p) + psi_p
// The saturation closure R is taken by the caller (it depends on T only, and
// the pressure integrals evaluate V at one T and many p). Meaningless at and
// above the lambda line (t <= 0); t is taken as at least 1e-12 K, so that a
// quadrature node a rounding away from a state one ulp below the line (where
// T_lambda(p') - T can round to 0 or below) stays finite.
#pragma once

#include <cmath>

#include "reference_eos/boundaries.hpp"
#include "superfluid/lambda_point.hpp"
#include "superfluid_pressure/background_volume.hpp"
#include "superfluid_pressure/lambda_anomaly.hpp"
#include "superfluid_pressure/saturation_closure.hpp"

namespace vorn::superfluid_pressure {

inline constexpr double closest_to_line = 1e-12;  // K

inline VolumeDerivatives specific_volume(double T, double p, const ClosureDerivatives& closure) {
  const ZeroTemperatureVolume v0 = zero_temperature_volume(p);
  const VolumeDerivatives bg = background_volume(T, p, v0);
  const reference_eos::LambdaLinePoint line = reference_eos::lambda_line(p);
  const Anomaly an = lambda_anomaly(std::fmax(line.T - T, closest_to_line), p, line, v0);
  const double F = 1.0 + closure.R + an.psi;
  const double F_T = closure.dR - an.t;
  const double F_TT = closure.dRR + an.tt;
  const double F_p = an.t * line.dTdp + an.p;
  const double g = F_T / F;
  const double scale = 1.0 / (F * superfluid::molar_mass);
  return {bg.v * scale, (bg.dT - bg.v * g) * scale,
          (bg.dTT - 2.0 * bg.dT * g - bg.v * F_TT / F + 2.0 * bg.v * g * g) * scale,
          (bg.dp - bg.v * F_p / F) * scale};
}

}  // namespace vorn::superfluid_pressure
