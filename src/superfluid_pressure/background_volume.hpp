// The molar volume of He II away from the lambda line: the form of Tanaka et
// al. (2000), "Molar volume of pure liquid 4He: dependence on temperature
// (50-1000 mK) and pressure (0-1.57 MPa)", eqs. (23)-(25), p in Pa, T in K:
//
//   V_bg(T, p) = V0(p) [1 + A(p) T^4/4 - B(p) erfc(sqrt(D(p)/T))]   m3/mol
//   A(p) = A1/(p - pc)^2 + A2/(p - pc)^(5/3),  B = B0 + B1 p,  D = D0 + D1 p + D2 p^2
//
// (the A term the phonons' expansion, the B term the rotons' contraction),
// with their V0 polynomial replaced by a Tait form fitted to it on their range
// (coefficients.hpp: within 4e-6 of it to 1.57 MPa; the polynomial itself turns
// over above 2.6 MPa, where this form keeps rising gently to the melting line).
// It has no lambda anomaly (lambda_anomaly.hpp adds it); it is checked
// against their tables within 0.1 % to 1.8 K, which is as far as their users
// hold it. Returned with its derivatives dV/dT, d2V/dT2, dV/dp.
#pragma once

#include <array>
#include <cmath>

#include "superfluid_pressure/coefficients.hpp"

namespace vorn::superfluid_pressure {

// Tanaka et al. (2000), Table of eqs. (23)-(25).
inline constexpr double phonon_a1 = 1.863e8;                                  // Pa^2
inline constexpr double phonon_a2 = 7.664e6;                                  // Pa^(5/3)
inline constexpr double phonon_pc = -1.00170e6;                               // Pa
inline constexpr std::array<double, 2> roton_b{2.191, -1.702e-7};             // 1, 1/Pa
inline constexpr std::array<double, 3> roton_d{8.618, -7.487e-7, 5.308e-14};  // K, K/Pa, K/Pa^2

struct VolumeDerivatives {
  double v;    // m3/mol (or m3/kg)
  double dT;   // per K
  double dTT;  // per K^2
  double dp;   // per Pa
};

struct ZeroTemperatureVolume {
  double v;   // m3/mol
  double dp;  // m3/(mol Pa)
};

inline ZeroTemperatureVolume zero_temperature_volume(double p) {
  const auto& c = tait_volume;  // V00, C, B, E
  return {c[0] * (1.0 - c[1] * std::log1p(p / c[2]) + c[3] * p), c[0] * (c[3] - c[1] / (c[2] + p))};
}

// d2V0/dp2, m3/(mol Pa^2).
inline double zero_temperature_volume_curvature(double p) {
  const auto& c = tait_volume;
  return c[0] * c[1] / ((c[2] + p) * (c[2] + p));
}

// v0: zero_temperature_volume(p), which the caller may already hold.
inline VolumeDerivatives background_volume(double T, double p, const ZeroTemperatureVolume& v0) {
  constexpr double two_over_sqrt_pi = 1.1283791670955126;
  const double q = p - phonon_pc;
  const double q_53 = std::pow(q, -5.0 / 3.0);
  const double A = phonon_a1 / (q * q) + phonon_a2 * q_53;
  const double dA = -2.0 * phonon_a1 / (q * q * q) - 5.0 / 3.0 * phonon_a2 * q_53 / q;
  const double B = roton_b[0] + roton_b[1] * p;
  const double Dr = roton_d[0] + (roton_d[1] + roton_d[2] * p) * p;
  const double dD = roton_d[1] + 2.0 * roton_d[2] * p;
  const double y = std::sqrt(Dr / T);
  const double E = std::erfc(y);
  const double E_y = -two_over_sqrt_pi * std::exp(-y * y);
  const double E_yy = -2.0 * y * E_y;
  const double y_T = -0.5 * y / T;
  const double y_TT = 0.75 * y / (T * T);
  const double y_p = 0.5 * dD / (y * T);
  const double T2 = T * T;
  const double Q = 1.0 + 0.25 * A * T2 * T2 - B * E;
  const double Q_T = A * T2 * T - B * E_y * y_T;
  const double Q_TT = 3.0 * A * T2 - B * (E_yy * y_T * y_T + E_y * y_TT);
  const double Q_p = 0.25 * dA * T2 * T2 - roton_b[1] * E - B * E_y * y_p;
  return {v0.v * Q, v0.v * Q_T, v0.v * Q_TT, v0.dp * Q + v0.v * Q_p};
}

// The mixed and second pressure derivatives d2V/dT dp (m3/(mol K Pa)) and
// d2V/dp2 (m3/(mol Pa^2)), which only the saturation closure's curvature
// needs (bg: background_volume(T, p, v0)). With Q = V/V0:
//   Q_Tp = A' T^3 - B' E_y y_T - B (E_yy y_p y_T + E_y y_Tp)
//   Q_pp = A'' T^4/4 - 2 B' E_y y_p - B (E_yy y_p^2 + E_y y_pp)
struct BackgroundCurvature {
  double dTp;
  double dpp;
};
inline BackgroundCurvature background_curvature(double T, double p, const ZeroTemperatureVolume& v0,
                                                const VolumeDerivatives& bg) {
  constexpr double two_over_sqrt_pi = 1.1283791670955126;
  const double q = p - phonon_pc;
  const double q_53 = std::pow(q, -5.0 / 3.0);
  const double dA = -2.0 * phonon_a1 / (q * q * q) - 5.0 / 3.0 * phonon_a2 * q_53 / q;
  const double ddA = 6.0 * phonon_a1 / (q * q * q * q) + 40.0 / 9.0 * phonon_a2 * q_53 / (q * q);
  const double B = roton_b[0] + roton_b[1] * p;
  const double Dr = roton_d[0] + (roton_d[1] + roton_d[2] * p) * p;
  const double dD = roton_d[1] + 2.0 * roton_d[2] * p;
  const double y = std::sqrt(Dr / T);
  const double E_y = -two_over_sqrt_pi * std::exp(-y * y);
  const double E_yy = -2.0 * y * E_y;
  const double y_T = -0.5 * y / T;
  const double y_p = 0.5 * dD / (y * T);
  const double y_Tp = -0.5 * y_p / T;
  const double y_pp = roton_d[2] / (y * T) - dD * dD / (4.0 * y * y * y * T * T);
  const double T2 = T * T;
  const double Q = bg.v / v0.v;
  const double Q_T = bg.dT / v0.v;
  const double Q_p = (bg.dp - v0.dp * Q) / v0.v;
  const double Q_Tp = dA * T2 * T - roton_b[1] * E_y * y_T - B * (E_yy * y_p * y_T + E_y * y_Tp);
  const double Q_pp =
      0.25 * ddA * T2 * T2 - 2.0 * roton_b[1] * E_y * y_p - B * (E_yy * y_p * y_p + E_y * y_pp);
  return {v0.dp * Q_T + v0.v * Q_Tp,
          zero_temperature_volume_curvature(p) * Q + 2.0 * v0.dp * Q_p + v0.v * Q_pp};
}

}  // namespace vorn::superfluid_pressure
