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

// What depends on T alone (and the module constants): the acoustic virial
// coefficients scaled for the series in p, and w0^2. Split from the pressure
// part so that an array form can keep them over a run of equal temperatures;
// both parts are the operations of the formula in their order, the terms
// filled once (virial_terms.hpp), so the result keeps its bits.
struct SoundSpeedTemperatureTerms {
  double beta_a;  // m^3/mol
  double a2;      // (gamma_a - beta_a B)/(rT)
  double a3;      // the cubic coefficient over (rT)^2
  double w0sq;    // m^2/s^2
};

// k^2 = (g0 - 1)^2 as a real power, as published: not k * k.
inline double acoustic_k_squared() { return real_power(heat_capacity_ratio_ideal - 1.0, 2.0); }

// From the virial terms of T (all nine) and k2 = acoustic_k_squared().
inline SoundSpeedTemperatureTerms sound_speed_temperature_terms_from(const VirialTerms& v, double T,
                                                                     double k2) {
  const double g0 = heat_capacity_ratio_ideal;
  const double k = g0 - 1.0;
  const double r = gas_constant;
  const double m0 = molar_mass;

  constexpr FamilyLayout paired = FamilyLayout::paired;
  const double qc = ((v.C + v.C) + (g0 + g0) * v.Ct) + k * v.Ctt;
  const double qb = ((((g0 + g0) - 1.0) * v.Bt) + v.B) + k * v.Btt;
  // k2/g0 beside w0^2, gamma_a beside delta_a: two quotients to a division.
  const TwoQuotients k2_over_g0_and_w0sq = two_quotients<paired>(k2, g0, T * (g0 * r), m0);
  const double beta_a = ((v.B + v.B) + (k + k) * v.Bt) + k2_over_g0_and_w0sq.first * v.Btt;
  const double gamma_a_g0 =
      (((qb * qb) * k + (1.0 + (g0 + g0)) * v.C) + ((g0 * g0) - 1.0) * v.Ct) + ((k * k) / 2.0) * v.Ctt;
  const double e1 = ((qb * qb) * (k * k)) * ((v.Bt + v.Bt) + v.Btt);
  const double e2 = (k * qb) * qc;
  const double e3 = ((1.0 + g0) + (1.0 + g0)) * v.D;
  const double e4 = ((0.6666666666666666 * k) * (2.0 + g0)) * v.Dt;
  const double e5 = ((k * k) / 3.0) * v.Dtt;
  const TwoQuotients gamma_a_and_delta_a =
      two_quotients<paired>(gamma_a_g0, g0, (((e1 + e2) + e3) + e4) + e5, g0);
  const double gamma_a = gamma_a_and_delta_a.first;
  const double delta_a = gamma_a_and_delta_a.second;
  const double a2 = (gamma_a - beta_a * v.B) / (r * T);
  const double a3 = ((delta_a - beta_a * v.C) - ((T * (r + r)) * a2) * v.B) / ((r * T) * (r * T));
  const double w0sq = k2_over_g0_and_w0sq.second;
  return {beta_a, a2, a3, w0sq};
}

inline SoundSpeedTemperatureTerms sound_speed_temperature_terms(double T) {
  // The one library call first: every vector register is the caller's to
  // save across it, so after it nothing of the virial terms needs saving.
  const double k2 = acoustic_k_squared();
  return sound_speed_temperature_terms_from(virial_terms<FamilyLayout::paired>(T), T, k2);
}

// The bracket of the pressure series, 1 + linear + quadratic + cubic, kept as
// its four summands (the state flags weigh the cubic one), and w0^2.
struct SoundSpeedSeries {
  double linear, quadratic, cubic;  // the terms in y, y^2 and y^3
  double ideal_square;              // w0^2, m^2/s^2
  double bracket() const { return ((1.0 + linear) + quadratic) + cubic; }
};

inline SoundSpeedSeries speed_of_sound_series_from_terms(const SoundSpeedTemperatureTerms& t, double T,
                                                         double P) {
  const double p = 1000.0 * P;
  const double r = gas_constant;
  return {(t.beta_a * p) / (r * T), ((p * p) * t.a2) / (r * T), (integer_power<3>(p) * t.a3) / (r * T),
          t.w0sq};
}

inline SoundSpeedSeries speed_of_sound_series(double T, double P) {
  return speed_of_sound_series_from_terms(sound_speed_temperature_terms(T), T, P);
}

inline double speed_of_sound_from_terms(const SoundSpeedTemperatureTerms& t, double T, double P) {
  const SoundSpeedSeries s = speed_of_sound_series_from_terms(t, T, P);
  return std::sqrt(s.bracket() * s.ideal_square);
}

inline double speed_of_sound(double T, double P) {
  return speed_of_sound_from_terms(sound_speed_temperature_terms(T), T, P);
}

}  // namespace vorn
