// Speed of sound from the acoustic virial series in pressure, m/s:
//
//   w^2 = w0^2 (1 + beta_a y + (gamma_a - beta_a B) y^2
//                 + (delta_a - beta_a C - 2B (gamma_a - beta_a B)) y^3)
//
// with y = p/(rT), w0^2 = g0 r T/m0, and k = g0 - 1:
//
//   beta_a  = 2B + 2k T B' + (k^2/g0) T^2 B''
//   gamma_a = [k qb^2 + (1 + 2g0) C + (g0^2 - 1) T C' + (k^2/2) T^2 C''] / g0
//   delta_a = [k^2 qb^2 (2T B' + T^2 B'') + k qb qc + 2(1 + g0) D
//              + (2/3) k (2 + g0) T D' + (k^2/3) T^2 D''] / g0
//   qb = B + (2g0 - 1) T B' + k T^2 B'',   qc = 2C + 2g0 T C' + k T^2 C''
//
// The k^2 of beta_a is a real power (pow(k, 2.0)); the others are products.
// NaN where the bracket turns negative (4.2 K, 250 kPa, for one).
#pragma once

#include <cmath>

#include "constants/integer_power.hpp"
#include "constants/module_constants.hpp"
#include "constants/real_power.hpp"
#include "gas_state/virial_terms.hpp"

namespace vorn {

// The bracket of the pressure series, 1 + linear + quadratic + cubic, kept as
// its four summands (the state flags weigh the cubic one), and w0^2.
struct SoundSpeedSeries {
  double linear, quadratic, cubic;  // the terms in y, y^2 and y^3
  double ideal_square;              // w0^2, m^2/s^2
  double bracket() const { return ((1.0 + linear) + quadratic) + cubic; }
};

inline SoundSpeedSeries speed_of_sound_series(double T, double P) {
  const double p = 1000.0 * P;
  const double B = si_second_virial(T);
  const double Bt = si_second_virial_T_dT(T);
  const double Btt = si_second_virial_T2_dT2(T);
  const double C = si_third_virial(T);
  const double Ct = si_third_virial_T_dT(T);
  const double Ctt = si_third_virial_T2_dT2(T);
  const double D = si_fourth_virial(T);
  const double Dt = si_fourth_virial_T_dT(T);
  const double Dtt = si_fourth_virial_T2_dT2(T);
  const double g0 = heat_capacity_ratio_ideal;
  const double r = gas_constant;
  const double m0 = molar_mass;

  const double k = g0 - 1.0;
  const double qc = ((C + C) + (g0 + g0) * Ct) + k * Ctt;
  const double qb = ((((g0 + g0) - 1.0) * Bt) + B) + k * Btt;
  const double k2 = real_power(k, 2.0);  // a real power, as published: not k * k
  const double beta_a = ((B + B) + (k + k) * Bt) + (k2 / g0) * Btt;
  const double gamma_a =
      ((((qb * qb) * k + (1.0 + (g0 + g0)) * C) + ((g0 * g0) - 1.0) * Ct) + ((k * k) / 2.0) * Ctt) / g0;
  const double e1 = ((qb * qb) * (k * k)) * ((Bt + Bt) + Btt);
  const double e2 = (k * qb) * qc;
  const double e3 = ((1.0 + g0) + (1.0 + g0)) * D;
  const double e4 = ((0.6666666666666666 * k) * (2.0 + g0)) * Dt;
  const double e5 = ((k * k) / 3.0) * Dtt;
  const double delta_a = ((((e1 + e2) + e3) + e4) + e5) / g0;
  const double a2 = (gamma_a - beta_a * B) / (r * T);
  const double a3 = ((delta_a - beta_a * C) - ((T * (r + r)) * a2) * B) / ((r * T) * (r * T));
  const double w0sq = (T * (g0 * r)) / m0;
  return {(beta_a * p) / (r * T), ((p * p) * a2) / (r * T), (integer_power<3>(p) * a3) / (r * T), w0sq};
}

inline double speed_of_sound(double T, double P) {
  const SoundSpeedSeries s = speed_of_sound_series(T, P);
  return std::sqrt(s.bracket() * s.ideal_square);
}

}  // namespace vorn
