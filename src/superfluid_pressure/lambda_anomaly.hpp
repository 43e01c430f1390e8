// The lambda anomaly of He II's density, as a relative excess over the
// background volume (background_volume.hpp), a function of the distance to
// the lambda line t = T_lambda(p) - T (K, > 0 in He II) and of p (Pa):
//
//   psi(t, p) = w(t) [c0(p) + a(p) L(t) + c2(p) t],   w = (1 - t/t_c)^3 (0 beyond t_c)
//   L(t) = (-a1 t + a2 t^2) ln t
//
// a1, a2: the ln terms of the saturated liquid's density below T_lambda
// (Donnelly and Barenghi 1998, density.hpp), which make alpha -> -infinity as
// ln t; a(p) scales them along the line as Pippard's relation does when cp's
// logarithmic amplitude is held: a = [T_l'(p)/T_l'(p0)] [T_l(p0)/T_l(p)]
// [V0(p)/V0(p0)] (so alpha's divergence is tied to cp's by the line's slope).
// c0(p): the excess at the line itself, which brings the density to the
// reference equation's there; c2(p): a slope fitted so that the entropy is
// continuous across the line (coefficients.hpp says how). Both are
// polynomials in x = (p - p0)/(p_u - p0). t_c = 0.8 K: further from the line
// the background alone. Meaningless for t <= 0 (He I) and above p_u.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

#include "reference_eos/boundaries.hpp"
#include "superfluid/density.hpp"
#include "superfluid_pressure/background_volume.hpp"
#include "superfluid_pressure/coefficients.hpp"

namespace vorn::superfluid_pressure {

// The polynomial sum c[0] x^(N-1) + ... + c[N-1] (highest power first, as
// the generator writes it) and its derivative in x.
struct PolynomialValue {
  double value;
  double slope;
};
template <std::size_t N>
PolynomialValue horner(const std::array<double, N>& c, double x) {
  double v = c[0];
  double d = 0.0;
  for (std::size_t i = 1; i < N; ++i) {
    d = d * x + v;
    v = v * x + c[i];
  }
  return {v, d};
}

inline double line_fraction(double p) {
  return (p - reference_eos::lambda_saturation_pressure) /
         (reference_eos::lambda_melting_pressure - reference_eos::lambda_saturation_pressure);
}
inline constexpr double line_span =
    reference_eos::lambda_melting_pressure - reference_eos::lambda_saturation_pressure;

struct Anomaly {
  double psi;
  double t;   // d psi/dt at constant p
  double tt;  // d2 psi/dt2
  double p;   // d psi/dp at constant t
};

// The amplitude a(p) and its slope.
struct Amplitude {
  double a;
  double da;  // 1/Pa
};
// v0: zero_temperature_volume(p); the values at p0 are taken once.
inline Amplitude log_amplitude(const reference_eos::LambdaLinePoint& line, const ZeroTemperatureVolume& v0) {
  // Per thread, without a guarded static (which would tie the library to the
  // C++ runtime's guard functions).
  thread_local bool taken = false;
  thread_local reference_eos::LambdaLinePoint at_p0{};
  thread_local ZeroTemperatureVolume v00{};
  if (!taken) {
    at_p0 = reference_eos::lambda_line(reference_eos::lambda_saturation_pressure);
    v00 = zero_temperature_volume(reference_eos::lambda_saturation_pressure);
    taken = true;
  }
  const double a =
      line.dTdp / at_p0.dTdp * reference_eos::lambda_saturation_temperature / line.T * v0.v / v00.v;
  return {a, a * (line.d2Tdp2 / line.dTdp - line.dTdp / line.T + v0.dp / v0.v)};
}

// v0: zero_temperature_volume(p) (background_volume.hpp).
inline Anomaly lambda_anomaly(double t, double p, const reference_eos::LambdaLinePoint& line,
                              const ZeroTemperatureVolume& v0) {
  if (!(t < anomaly_reach)) return {0.0, 0.0, 0.0, 0.0};
  const double a1 = superfluid::density_below_lambda.a[0];
  const double a2 = superfluid::density_below_lambda.a[1];
  const double r = 1.0 - t / anomaly_reach;
  const double w = r * r * r;
  const double w_t = -3.0 * r * r / anomaly_reach;
  const double w_tt = 6.0 * r / (anomaly_reach * anomaly_reach);
  const double ln_t = std::log(t);
  const double L = (-a1 * t + a2 * t * t) * ln_t;
  const double L_t = (-a1 + 2.0 * a2 * t) * ln_t - a1 + a2 * t;
  const double L_tt = 2.0 * a2 * ln_t - a1 / t + 3.0 * a2;
  const double x = line_fraction(p);
  const PolynomialValue c0 = horner(lambda_excess, x);
  const PolynomialValue c2 = horner(anomaly_slope, x);
  const Amplitude amp = log_amplitude(line, v0);
  const double phi = c0.value + amp.a * L + c2.value * t;
  const double phi_t = amp.a * L_t + c2.value;
  const double phi_tt = amp.a * L_tt;
  const double phi_p = (c0.slope + c2.slope * t) / line_span + amp.da * L;
  return {w * phi, w_t * phi + w * phi_t, w_tt * phi + 2.0 * w_t * phi_t + w * phi_tt, w * phi_p};
}

// The polynomial's second derivative in x (same order of coefficients).
template <std::size_t N>
double horner_curvature(const std::array<double, N>& c, double x) {
  double v = c[0];
  double d = 0.0;
  double dd = 0.0;
  for (std::size_t i = 1; i < N; ++i) {
    dd = dd * x + 2.0 * d;
    d = d * x + v;
    v = v * x + c[i];
  }
  return dd;
}

// d2 psi/dt dp (1/(K Pa)) and d2 psi/dp2 (1/Pa^2) at constant t, which only
// the saturation closure's curvature needs. With phi = c0 + a L + c2 t:
//   phi_p  = (c0' + c2' t)/span + a' L,    phi_tp = c2'/span + a' L_t,
//   phi_pp = (c0'' + c2'' t)/span^2 + a'' L,
// a' = a g, a'' = a (g^2 + g'), g = T_l''/T_l' - T_l'/T_l + V0'/V0 (ln a's
// slope), so a'' takes the line's third derivative.
struct AnomalyCurvature {
  double tp;
  double pp;
};
inline AnomalyCurvature lambda_anomaly_curvature(double t, double p,
                                                 const reference_eos::LambdaLinePoint& line,
                                                 const ZeroTemperatureVolume& v0) {
  if (!(t < anomaly_reach)) return {0.0, 0.0};
  const double a1 = superfluid::density_below_lambda.a[0];
  const double a2 = superfluid::density_below_lambda.a[1];
  const double r = 1.0 - t / anomaly_reach;
  const double w = r * r * r;
  const double w_t = -3.0 * r * r / anomaly_reach;
  const double ln_t = std::log(t);
  const double L = (-a1 * t + a2 * t * t) * ln_t;
  const double L_t = (-a1 + 2.0 * a2 * t) * ln_t - a1 + a2 * t;
  const double x = line_fraction(p);
  const PolynomialValue c0 = horner(lambda_excess, x);
  const PolynomialValue c2 = horner(anomaly_slope, x);
  const double c0_xx = horner_curvature(lambda_excess, x);
  const double c2_xx = horner_curvature(anomaly_slope, x);
  const Amplitude amp = log_amplitude(line, v0);
  const double g = amp.da / amp.a;
  const double k1 = line.d2Tdp2 / line.dTdp;
  const double k2 = line.dTdp / line.T;
  const double k3 = v0.dp / v0.v;
  const double g_p = reference_eos::lambda_line_third_derivative(p) / line.dTdp - k1 * k1 -
                     line.d2Tdp2 / line.T + k2 * k2 + zero_temperature_volume_curvature(p) / v0.v - k3 * k3;
  const double a_pp = amp.a * (g * g + g_p);
  const double phi_p = (c0.slope + c2.slope * t) / line_span + amp.da * L;
  const double phi_tp = c2.slope / line_span + amp.da * L_t;
  const double phi_pp = (c0_xx + c2_xx * t) / (line_span * line_span) + a_pp * L;
  return {w_t * phi_p + w * phi_tp, w * phi_pp};
}

}  // namespace vorn::superfluid_pressure
