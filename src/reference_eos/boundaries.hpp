// Where the fluid of the reference equation ends, and the surface tension.
//
// Melting line: above it helium is solid. Two forms, joined:
//   below 4 K, the low-temperature form (Swenson), stated for 0.8 K to 4 K:
//     p_m = 2.5 MPa + 33046 Pa exp(15.901/T - 24.1085/T^2 + 0.820147 T)
//     (2.997 MPa at 1.7633 K, where the lambda line ends on it; 3.666 MPa at
//     2 K; 12.87 MPa at 4 K; 2.5 MPa as T -> 0). It grows far too fast above
//     4.5 K.
//   above 5 K, the Simon form (Datchi et al., Phys. Rev. B 61, 6535 (2000)), a
//     high-temperature fit: p_m = 1606700 Pa ((T/K)^1.565 - 1).
//   from 4 K to 5 K, (1 - w) low + w Simon with w = 3x^2 - 2x^3, x = T - 4 K:
//     continuous with its slope, and rising (the two forms differ by 0.41 MPa,
//     3 %, at 4 K and 2.46 MPa, 13 %, at 5 K; the join is within that of
//     either). 14.08 MPa at 4.2 K, against about 14 MPa measured.
//   A limit for flags, good to a few per cent, not a property.
// Lambda line: He I above, He II below. Only its two ends are used, from
//   (2.1768 K, 5039.33 Pa) on the saturation line to (1.7633 K, 2.997 MPa) on
//   the melting line, joined by a straight line in (T, p): a limit for flags,
//   good to a few mK, not a property. Below 1.7633 K there is no He I liquid.
// Vapour below the lambda temperature: a dilute gas, which the equation
//   describes as well as any gas (flagged extrapolated, outside its stated
//   range), from 1.25 K up, at pressures below the saturation pressure of
//   He II: the ITS-90 helium-4 vapour-pressure relation (thermometry/), scaled
//   by 0.99951 so that it meets the equation's own saturation pressure at the
//   lambda point (the two differ there by 2.5 Pa).
// Surface tension (Mulero, Cachadina and Parra, J. Phys. Chem. Ref. Data 41,
//   043105 (2012)): sigma = sum a (1 - T/Tc)^n N/m, from the lambda point to Tc.
#pragma once

#include <array>
#include <cmath>
#include <limits>

#include "reference_eos/constants.hpp"
#include "thermometry/its90_vapour_scale.hpp"

namespace vorn::reference_eos {

// Simon form, high temperature.
inline constexpr double melting_scale = 1606700.0;  // Pa
inline constexpr double melting_exponent = 1.565;
// Low-temperature form.
inline constexpr double melting_floor = 2.5e6;        // Pa
inline constexpr double melting_low_scale = 33046.0;  // Pa
inline constexpr double melting_low_a = 15.901;       // K
inline constexpr double melting_low_b = -24.1085;     // K^2
inline constexpr double melting_low_c = 0.820147;     // 1/K
// The join.
inline constexpr double melting_join_start = 4.0;  // K
inline constexpr double melting_join_end = 5.0;    // K

inline constexpr double lambda_saturation_temperature = lambda_temperature;  // K
inline constexpr double lambda_saturation_pressure = 5039.330380576782;      // Pa, the equation's p_sat there
// The equation's saturated densities there, mol/m3 (the internal tests
// recompute them): the bottom of the dome.
inline constexpr double lambda_saturation_liquid_density = 36480.345279536916;
inline constexpr double lambda_saturation_vapour_density = 293.40866205976454;
inline constexpr double lambda_melting_temperature = 1.7633;          // K
inline constexpr double lambda_melting_pressure = 2996686.858420198;  // Pa, the melting line there

// Vapour below the lambda temperature.
inline constexpr double lowest_vapour_temperature = its90_lowest;  // K
inline constexpr double he_ii_vapour_scale = lambda_saturation_pressure / its90_split_pressure;

inline double melting_pressure_simon(double T) {
  return melting_scale * (std::pow(T, melting_exponent) - 1.0);
}

inline double melting_pressure_low(double T) {
  return melting_floor +
         melting_low_scale * std::exp(melting_low_a / T + melting_low_b / (T * T) + melting_low_c * T);
}

// Melting pressure at T (Pa); 2.5 MPa at 0 K, NaN below 0 K or for NaN.
inline double melting_pressure(double T) {
  if (!(T >= 0.0)) return std::numeric_limits<double>::quiet_NaN();
  if (T == 0.0) return melting_floor;
  if (T <= melting_join_start) return melting_pressure_low(T);
  if (T >= melting_join_end) return melting_pressure_simon(T);
  const double x = (T - melting_join_start) / (melting_join_end - melting_join_start);
  const double w = x * x * (3.0 - 2.0 * x);
  return (1.0 - w) * melting_pressure_low(T) + w * melting_pressure_simon(T);
}

// Melting temperature at p (Pa): 0 below 2.5 MPa (no solid at any T there);
// the Simon form inverted above the join, bisection in the join and below it
// (the line rises, so 64 halvings reach rounding).
inline double melting_temperature(double p) {
  if (!(p > melting_floor)) return 0.0;
  if (p >= melting_pressure_simon(melting_join_end))
    return std::pow(p / melting_scale + 1.0, 1.0 / melting_exponent);
  double lo = 0.0;
  double hi = melting_join_end;
  for (int i = 0; i < 64; ++i) {
    const double mid = 0.5 * (lo + hi);
    (melting_pressure(mid) < p ? lo : hi) = mid;
  }
  return hi;
}

// Saturation pressure of He II (Pa) from 1.25 K to the lambda point: the
// bound below which the vapour is in the fluid (NaN outside).
inline double he_ii_vapour_pressure(double T) {
  if (!(T >= lowest_vapour_temperature && T <= lambda_saturation_temperature))
    return std::numeric_limits<double>::quiet_NaN();
  return he_ii_vapour_scale * its90_from_temperature(T).p;
}

// The temperature of that curve at p, and 1.25 K below its pressure there.
inline double he_ii_vapour_temperature(double p) {
  const double its90_p = p / he_ii_vapour_scale;
  if (!(its90_p > its90_lowest_pressure)) return lowest_vapour_temperature;
  return std::fmin(its90_from_pressure(its90_p).T, lambda_saturation_temperature);
}

// Temperature of the lambda line at p (Pa); meaningful from the saturation
// pressure at the lambda point to the melting line.
inline double lambda_line_temperature(double p) {
  const double fraction =
      (p - lambda_saturation_pressure) / (lambda_melting_pressure - lambda_saturation_pressure);
  return lambda_saturation_temperature +
         fraction * (lambda_melting_temperature - lambda_saturation_temperature);
}

// Pressure of the lambda line at T (Pa), from 1.7633 K to the lambda point.
inline double lambda_line_pressure(double T) {
  const double fraction =
      (T - lambda_saturation_temperature) / (lambda_melting_temperature - lambda_saturation_temperature);
  return lambda_saturation_pressure + fraction * (lambda_melting_pressure - lambda_saturation_pressure);
}

// Vapour colder than the lambda point, which the equation describes.
inline bool vapour_below_lambda(double T, double p) {
  return T < lambda_saturation_temperature && T >= lowest_vapour_temperature && p < he_ii_vapour_pressure(T);
}

// Is (T, p) He II: below the lambda line, or colder than its lower end, and
// not the vapour.
inline bool below_lambda_line(double T, double p) {
  if (T >= lambda_saturation_temperature) return false;
  if (vapour_below_lambda(T, p)) return false;
  if (T < lambda_melting_temperature) return true;
  if (p > lambda_melting_pressure) return false;  // solid there, flagged as such
  return T < lambda_line_temperature(std::fmax(p, lambda_saturation_pressure));
}

// No melting pressure is below melting_floor (either form, and the join of
// the two, stay above it): below that p the line need not be evaluated.
inline bool above_melting_line(double T, double p) { return p > melting_floor && p > melting_pressure(T); }

// The coldest fluid temperature at p (He I or its vapour, not solid), K.
inline double coldest_fluid_temperature(double p) {
  const double melting = melting_temperature(p);
  if (p >= lambda_melting_pressure) return melting;
  if (p < lambda_saturation_pressure) return he_ii_vapour_temperature(p);
  return std::fmax(melting, lambda_line_temperature(p));
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
