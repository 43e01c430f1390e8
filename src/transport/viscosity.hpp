// Dynamic viscosity of helium-4 gas, Pa s:
//
//   nu0(T)   = (Nnu(T) / Qnu(T)) * 1e-6    Nnu, Qnu of degree 11, no constant term
//   nu(T, P) = F(T, P) * nu0(T)            F of pressure_factor.hpp, P in kPa
//
// Both polynomials summed from T^11 down to T^1. The numbers: the tables of
// the correlation as published with this library (each the double its
// shortest decimal denotes; b1, b0 and c1 single-precision literals).
//
// How right (docs/accuracy.md): nu0 within 0.0013 % of Chapman-Enskog values
// from the ab initio potential, 4.2 K to 300 K. Where it means nothing: Qnu
// has no zero up to 9.9e5 K; Nnu has one near 0.0960915 K, below which nu0 is
// negative (flag VORN_STATE_NU_NEGATIVE). nu0(0) is NaN; nu is NaN for T < 0.
#pragma once

#include <array>

#include "constants/polynomial.hpp"
#include "transport/pressure_factor.hpp"

namespace vorn {

// Coefficients of T^1 .. T^11.
inline constexpr std::array<double, 11> viscosity_numerator{
    -3.449384975880488e-08, 3.912572655384928e-07, -3.5734574317375284e-07, 2.2542246059794308e-07,
    -3.683264178994823e-08, 7.955621124853692e-09, 5.354763958796417e-10,   5.191660750971449e-12,
    1.0821047653974203e-14, 4.927336502697491e-18, 3.864427541449549e-22,
};
inline constexpr std::array<double, 11> viscosity_denominator{
    3.892059923529162e-07,  -2.742331012461456e-07, 5.292584197671103e-07,   -6.498807457735742e-08,
    1.44747423451323e-08,   3.756687618138336e-09,  6.705162546284578e-11,   2.2620488100456447e-13,
    1.5683336480467142e-16, 1.7957687633079962e-20, -1.8196147059846663e-26,
};

// b1, b0, c1 are single-precision literals widened to double; c0 is a double.
inline constexpr PressureFactorConstants viscosity_pressure_constants{
    static_cast<double>(0.02462418F),
    static_cast<double>(-1.828004F),
    7.495773e-08,
    static_cast<double>(-0.5130499F),
};

// The quotient is in micro-pascal seconds.
inline constexpr double viscosity_quotient_unit = 1e-6;  // Pa s

inline double viscosity_dilute(double T) {
  const double N = falling_power_sum<1>(viscosity_numerator, T);
  const double Q = falling_power_sum<1>(viscosity_denominator, T);
  return (N / Q) * viscosity_quotient_unit;
}

// What depends on T alone: the dilute value and the pressure factor's terms.
struct ViscosityTemperatureTerms {
  double dilute;
  PressureFactorTerms pressure;
};

inline ViscosityTemperatureTerms viscosity_temperature_terms(double T) {
  const double nu0 = viscosity_dilute(T);
  return {nu0, pressure_factor_terms(viscosity_pressure_constants, T)};
}

inline double viscosity_from_terms(const ViscosityTemperatureTerms& t, double P) {
  return pressure_factor_from_terms(t.pressure, P) * t.dilute;
}

inline double viscosity(double T, double P) {
  return viscosity_from_terms(viscosity_temperature_terms(T), P);
}

}  // namespace vorn
