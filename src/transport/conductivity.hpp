// Thermal conductivity of helium-4 gas, W/(m K):
//
//   k0(T)   = (Nk(T) / Qk(T)) * 0.001     Nk, Qk of degree 13, no constant term
//   k(T, P) = F(T, P) * k0(T)             F of pressure_factor.hpp, P in kPa
//
// Both polynomials summed from T^13 down to T^1. The numbers: the tables of
// the correlation as published with this library (each the double its
// shortest decimal denotes; b1, b0 and c1 single-precision literals).
//
// How right (docs/accuracy.md): k0 within 0.0013 % of Chapman-Enskog values
// from the ab initio potential, 4.2 K to 300 K. Where it means nothing: Qk
// vanishes near 36.3759531 K and 184.4868237 K, each time beside a zero of Nk
// (36.3759521 K, 184.4868356 K): k0 is negative between each pole and its zero
// and distorted within about 1 mK of it (flag VORN_STATE_K_POLE). k0(0) is
// NaN; k is NaN for T < 0 (real powers of a negative base).
#pragma once

#include <array>

#include "constants/polynomial.hpp"
#include "transport/pressure_factor.hpp"

namespace vorn {

// Coefficients of T^1 .. T^13.
inline constexpr std::array<double, 13> conductivity_numerator{
    8.518649683578233e-07,  4.459358254538284e-06,  -4.796039670225791e-06, 3.079893028154437e-06,
    -5.793797097253945e-07, 1.2301254563781076e-07, 2.9885977031774976e-09, -1.3983331550568984e-10,
    -8.922798036525371e-13, 5.076634596891796e-15,  1.6351561730129888e-17, 7.884459500991523e-21,
    6.157401002866048e-25,
};
inline constexpr std::array<double, 13> conductivity_denominator{
    1.3148419201015958e-06, -1.0603025103965978e-06, 1.070657373705501e-06,  -1.6776319287460702e-07,
    3.217906893817479e-08,  5.109536194415355e-09,   -9.309284078834326e-11, -2.113231515315876e-12,
    4.5389503328493325e-15, 4.17101421274771e-17,    3.208528594074001e-20,  3.6808482549324184e-24,
    -3.847143644690503e-30,
};

// The poles of k0 and the band flagged around each: conductivity_pole.hpp.

// b1, b0, c1 are single-precision literals widened to double; c0 is a double.
inline constexpr PressureFactorConstants conductivity_pressure_constants{
    static_cast<double>(0.03386742F),
    static_cast<double>(-2.13362F),
    1.078325e-06,
    static_cast<double>(-0.9536593F),
};

// The quotient is in milliwatts per metre kelvin.
inline constexpr double conductivity_quotient_unit = 0.001;  // W/(m K)

inline double thermal_conductivity_dilute(double T) {
  const double N = falling_power_sum<1>(conductivity_numerator, T);
  const double Q = falling_power_sum<1>(conductivity_denominator, T);
  return (N / Q) * conductivity_quotient_unit;
}

// What depends on T alone: the dilute value and the pressure factor's terms.
struct ConductivityTemperatureTerms {
  double dilute;
  PressureFactorTerms pressure;
};

inline ConductivityTemperatureTerms thermal_conductivity_temperature_terms(double T) {
  const double k0 = thermal_conductivity_dilute(T);
  return {k0, pressure_factor_terms(conductivity_pressure_constants, T)};
}

inline double thermal_conductivity_from_terms(const ConductivityTemperatureTerms& t, double P) {
  return pressure_factor_from_terms(t.pressure, P) * t.dilute;
}

inline double thermal_conductivity(double T, double P) {
  return thermal_conductivity_from_terms(thermal_conductivity_temperature_terms(T), P);
}

}  // namespace vorn
