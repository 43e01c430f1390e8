// The vapour pressure of He II on which the model stands, p_s(T) in Pa and
// dp_s/dT in Pa/K, 0.5 K to T_lambda:
//   1.25 K to T_lambda: the bath's (reference_eos/boundaries.hpp: ITS-90's
//     helium-4 relation scaled by 0.99951 to meet the reference equation's
//     saturation pressure at the lambda point), so that at p_s the model is
//     the bath's saturated liquid itself (same rho, h, s);
//   0.5 K to 1.25 K, below ITS-90's relation: the saturated fit's spline
//     (Donnelly and Barenghi 1998, superfluid/vapour_pressure.hpp) times
//     their ratio at 1.25 K, 0.99893006, so that the curve is continuous
//     there (its slope steps by 0.34 %, the two relations' own difference).
// NaN outside.
#pragma once

#include <limits>

#include "constants/kept_at.hpp"
#include "reference_eos/boundaries.hpp"
#include "superfluid/vapour_pressure.hpp"

namespace vorn::superfluid_pressure {

// Where the two pieces meet, K.
inline constexpr double saturation_junction = reference_eos::lowest_vapour_temperature;

// The spline's factor below the junction, once per thread (no guarded
// static: no tie to the C++ runtime).
inline double below_junction_ratio() {
  thread_local double ratio = 0.0;
  if (!(ratio > 0.0))
    ratio = reference_eos::he_ii_vapour_pressure(saturation_junction) /
            superfluid::vapour_pressure(saturation_junction).value;
  return ratio;
}

// relation: its90_from_temperature_at, or the per-thread kept
// its90_from_temperature (the state's own T, which the bath asks for too).
inline superfluid::SplineValue saturation_pressure_at(
    double T, VapourScalePoint (*relation)(double) = its90_from_temperature_at) {
  if (T >= saturation_junction && T <= reference_eos::lambda_saturation_temperature) {
    const VapourScalePoint at = relation(T);
    return {reference_eos::he_ii_vapour_scale * at.p, reference_eos::he_ii_vapour_scale / at.dTdp};
  }
  if (!(T >= superfluid::vapour_pressure_lowest && T < saturation_junction))
    return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
  const double ratio = below_junction_ratio();
  const superfluid::SplineValue fit = superfluid::vapour_pressure(T);
  return {ratio * fit.value, ratio * fit.derivative};
}

// Kept for the next call at the same T, per thread: a state asks for it in
// its range check, its closure and its pressure integrals, and the ITS-90
// relation is inverted each time.
inline superfluid::SplineValue saturation_pressure_on_kept_relation(double T) {
  return saturation_pressure_at(T, its90_from_temperature);
}
inline superfluid::SplineValue saturation_pressure(double T) {
  return kept_at<saturation_pressure_on_kept_relation>(T);
}

// d2p_s/dT2, Pa/K^2, on the same pieces (each its own side of the junction).
inline double saturation_pressure_curvature(double T) {
  if (T >= saturation_junction && T <= reference_eos::lambda_saturation_temperature)
    return reference_eos::he_ii_vapour_scale * its90_pressure_curvature(T);
  if (!(T >= superfluid::vapour_pressure_lowest && T < saturation_junction))
    return std::numeric_limits<double>::quiet_NaN();
  return below_junction_ratio() * superfluid::second_derivative(superfluid::vapour_pressure_spline, T);
}

// The temperature at which p_s is p (Pa): bisection, 60 halvings; 0.5 K
// below p_s(0.5 K), T_lambda above p_s(T_lambda).
inline double saturation_temperature(double p) {
  double lo = superfluid::vapour_pressure_lowest;
  double hi = reference_eos::lambda_saturation_temperature;
  if (!(p > saturation_pressure(lo).value)) return lo;
  if (p >= saturation_pressure(hi).value) return hi;
  for (int i = 0; i < 60; ++i) {
    const double mid = 0.5 * (lo + hi);
    (saturation_pressure(mid).value < p ? lo : hi) = mid;
  }
  return lo;
}

}  // namespace vorn::superfluid_pressure
