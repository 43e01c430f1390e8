// Where the fluid of the reference equation ends, and the surface tension.
//
// Melting line (Datchi et al., Phys. Rev. B 61, 6535 (2000), Simon form):
//   p_m = 1606700 Pa ((T/K)^1.565 - 1); above it helium is solid. Below about
//   15 K an extrapolation (13.6 MPa at 4.2 K, 3.1 MPa at 2 K against measured
//   14 and 3.3 MPa).
// Lambda line: He I above, He II below. Only its two ends are used, from
//   (2.1768 K, 5039.33 Pa) on the saturation line to (1.7633 K, 3.0 MPa) on
//   the melting line, joined by a straight line in (T, p): a limit for flags,
//   good to a few mK, not a property. Below 1.7633 K there is no He I at all.
// Surface tension (Mulero, Cachadina and Parra, J. Phys. Chem. Ref. Data 41,
//   043105 (2012)): sigma = sum a (1 - T/Tc)^n N/m, from the lambda point to Tc.
#pragma once

#include <array>
#include <cmath>

#include "reference_eos/constants.hpp"

namespace vorn::reference_eos {

inline constexpr double melting_scale = 1606700.0;  // Pa
inline constexpr double melting_exponent = 1.565;

inline constexpr double lambda_saturation_temperature = lambda_temperature;  // K
inline constexpr double lambda_saturation_pressure = 5039.330380576782;      // Pa, the equation's p_sat there
inline constexpr double lambda_melting_temperature = 1.7633;                 // K
inline constexpr double lambda_melting_pressure = 3.0e6;                     // Pa

inline double melting_pressure(double T) { return melting_scale * (std::pow(T, melting_exponent) - 1.0); }

inline double melting_temperature(double p) {
  return std::pow(p / melting_scale + 1.0, 1.0 / melting_exponent);
}

// Temperature of the lambda line at p (Pa); meaningful from the saturation
// pressure at the lambda point to 3.0 MPa.
inline double lambda_line_temperature(double p) {
  const double fraction =
      (p - lambda_saturation_pressure) / (lambda_melting_pressure - lambda_saturation_pressure);
  return lambda_saturation_temperature +
         fraction * (lambda_melting_temperature - lambda_saturation_temperature);
}

// Is (T, p) He II: below the lambda line, or colder than its lower end.
inline bool below_lambda_line(double T, double p) {
  if (T < lambda_melting_temperature) return true;
  if (T >= lambda_saturation_temperature) return false;
  if (p > lambda_melting_pressure) return false;  // solid there, flagged as such
  return T < lambda_line_temperature(std::fmax(p, lambda_saturation_pressure));
}

inline bool above_melting_line(double T, double p) { return p > melting_pressure(T); }

// The coldest fluid temperature at p (He I, not solid), K.
inline double coldest_fluid_temperature(double p) {
  const double melting = melting_temperature(p);
  if (p >= lambda_melting_pressure) return melting;
  return std::fmax(melting, lambda_line_temperature(std::fmax(p, lambda_saturation_pressure)));
}

struct SurfaceTensionTerm {
  double a;  // N/m
  double n;
};

inline constexpr std::array<SurfaceTensionTerm, 3> surface_tension_terms{{
    {0.0004656, 1.04},
    {0.001889, 2.468},
    {-0.002006, 2.661},
}};

inline double surface_tension(double T) {
  const double theta = 1.0 - T / critical_temperature;
  double sigma = 0.0;
  for (const auto& term : surface_tension_terms) sigma += term.a * std::pow(theta, term.n);
  return sigma;
}

}  // namespace vorn::reference_eos
