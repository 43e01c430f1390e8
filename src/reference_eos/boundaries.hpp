// Where the fluid of the reference equation ends, and the surface tension.
//
// Melting line: above it helium is solid. Two forms, joined:
//   below 4 K, the low-temperature form (Swenson), stated for 0.8 K to 4 K:
//     p_m = p_floor + 33046 Pa exp(15.901/T - 24.1085/T^2 + 0.820147 T)
//     with p_floor = 2.5077273 MPa, not the form's 2.5 MPa: the floor is
//     raised by 7.7 kPa so that the line passes through the upper lambda
//     point taken below (1.7673 K, 3.0134 MPa), where the form itself gives
//     3.0057 MPa (0.26 % low, 3.4 mK in T; the form is on an older
//     temperature scale and good to about 1 %). The shift is the smallest
//     change that does it: 0.06 % at 4 K, nothing above 5 K, and p_m(0 K)
//     moves from 2.500 to 2.508 MPa, towards the measured 2.53 MPa.
//     (3.674 MPa at 2 K; 12.87 MPa at 4 K.) It grows far too fast above
//     4.5 K.
//   above 5 K, the Simon form (Datchi et al., Phys. Rev. B 61, 6535 (2000)), a
//     high-temperature fit: p_m = 1606700 Pa ((T/K)^1.565 - 1).
//   from 4 K to 5 K, (1 - w) low + w Simon with w = 3x^2 - 2x^3, x = T - 4 K:
//     continuous with its slope, and rising (the two forms differ by 0.41 MPa,
//     3 %, at 4 K and 2.46 MPa, 13 %, at 5 K; the join is within that of
//     either). 14.08 MPa at 4.2 K, against about 14 MPa measured.
//   A limit for flags, good to a few per cent, not a property.
// Lambda line: He I above, He II below, from the lambda point on the
//   saturation line (2.1768 K, 5039.33 Pa: the equation's own p_sat there)
//   to the upper lambda point on the melting line (1.7673 K, 3.0134 MPa):
//     T_lambda(p) = 2.1768 K + [T_S(p) - T_S(p0)] + S_0 q exp(-q/P_1) + D_u x^6,
//     T_S(p) = 2.1862228445 - 0.0109123116 P - 0.0001037245 P^2 (P in bar;
//       Swenson 1952, on the 1958 scale: only differences of it are used,
//       which shifts it to ITS-90 at the lower end),
//     q = p - p0, x = q/(p_u - p0) (x 0 below p0), D_u = 12.822 mK.
//   The q term gives the line at p0 the slope Pippard's relation asks of the
//   saturated fits (Donnelly and Barenghi 1998): their C_sat and alpha
//   diverge as ln(T_lambda - T) with amplitudes 1267 J/(kg K) (averaged over
//   1e-2 K to 1e-6 K) and 7.575e-3 /K, so (dT/dp)_lambda = T V a1 / A =
//   -8.91 mK/bar (-112 bar/K), where the quadratic has -10.92 mK/bar; with
//   P_1 = 5 bar it lifts the line 1.6 mK at 1 bar, 3.7 mK at 5 bar, 2.7 mK at
//   10 bar, and dies away. The x^6 term bends the quadratic up to the upper
//   end (0.05 mK at 1 MPa, 1.1 mK at 2 MPa, 4.2 mK at 2.5 MPa): a quadratic
//   cannot follow the line's bend near the melting line, where the shifted
//   quadratic falls 13 mK below the upper-end readings. Upper end: three readings differ by
//   5 mK (1.762 K, 29.725 atm, older scale; 1.7673 K, 30.134 bar, ITS-90,
//   with the density 179.83 kg/m3; 1.7633 K, where the present melting line
//   met the straight line that preceded this curve, which lay up to 22 mK
//   below this one). This line takes
//   1.7673 K, 30.134 bar: it is on ITS-90, its density is the equation's
//   there within 0.04 % (179.89), and the older-scale reading moves to about
//   1.767 K on ITS-90 (the scales differ by about 5 mK here); the third is
//   not a measurement. Uncertainty: nil at p0 (the definition), within
//   5 mK of the shifted quadratic to 2.5 MPa (which is good to about 5 mK),
//   5 mK at the upper end. p_lambda(T) is its inverse. Beyond p_u the
//   formula is not a line of the fluid. Below 1.7673 K there is no He I
//   liquid.
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

#include "constants/integer_power.hpp"
#include "reference_eos/constants.hpp"
#include "thermometry/its90_vapour_scale.hpp"

namespace vorn::reference_eos {

// Simon form, high temperature.
inline constexpr double melting_scale = 1606700.0;  // Pa
inline constexpr double melting_exponent = 1.565;
// Low-temperature form.
inline constexpr double melting_floor =
    2507727.3006968405;                               // Pa: 2.5 MPa raised to meet the upper lambda point
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
inline constexpr double lambda_melting_temperature = 1.7673;  // K, the upper lambda point
inline constexpr double lambda_melting_pressure = 3.0134e6;   // Pa, the melting line there

// The lambda line's form (above).
inline constexpr std::array<double, 3> lambda_swenson{2.1862228445, -0.0109123116,
                                                      -0.0001037245};  // K, K/bar, K/bar^2
inline constexpr double lambda_swenson_bar = 1e5;                      // Pa
inline constexpr double lambda_upper_bend = 0.012821519201253297;      // K, D_u
// K/Pa, S_0: the slope -8.9078 mK/bar (T_lambda/(rho_lambda A) 7.57537e-3 /K,
// rho_lambda = 146.1087 kg/m3, A = 1267 J/(kg K)) less the quadratic's at p0.
inline constexpr double lambda_low_bend = 2.014981446731204e-08;
inline constexpr double lambda_low_bend_reach = 5e5;  // Pa, P_1
inline constexpr unsigned lambda_upper_bend_power = 6;

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

// The lambda line at p (Pa): T_lambda (K) and its first two derivatives in p.
// The form holds from 0 Pa (below p0 it continues the quadratic: the line of
// He II compressed above its own vapour pressure) to p_u.
struct LambdaLinePoint {
  double T;       // K
  double dTdp;    // K/Pa
  double d2Tdp2;  // K/Pa^2
};

inline LambdaLinePoint lambda_line(double p) {
  const auto& c = lambda_swenson;
  const double P = p / lambda_swenson_bar;
  const double P0 = lambda_saturation_pressure / lambda_swenson_bar;
  const double span = lambda_melting_pressure - lambda_saturation_pressure;
  const double x = std::fmax(p - lambda_saturation_pressure, 0.0) / span;
  constexpr unsigned n = lambda_upper_bend_power;
  const double x_n2 = integer_power<n - 2>(x);
  const double bar2 = lambda_swenson_bar * lambda_swenson_bar;
  const double q = p - lambda_saturation_pressure;  // the q term continues below p0, smoothly
  const double r = q / lambda_low_bend_reach;
  const double decay = lambda_low_bend * std::exp(-r);
  return {lambda_saturation_temperature + c[1] * (P - P0) + c[2] * (P * P - P0 * P0) + decay * q +
              lambda_upper_bend * x_n2 * x * x,
          (c[1] + 2.0 * c[2] * P) / lambda_swenson_bar + decay * (1.0 - r) +
              lambda_upper_bend * double{n} * x_n2 * x / span,
          2.0 * c[2] / bar2 + decay * (r - 2.0) / lambda_low_bend_reach +
              lambda_upper_bend * double{n * (n - 1)} * x_n2 / (span * span)};
}

// d3T_lambda/dp3 (K/Pa^3) of the same form: the quadratic has none, the q
// term L q exp(-q/P_1) gives L exp(-r) (3 - r)/P_1^2, the bend n(n-1)(n-2) D_u
// x^(n-3)/span^3.
inline double lambda_line_third_derivative(double p) {
  const double span = lambda_melting_pressure - lambda_saturation_pressure;
  const double x = std::fmax(p - lambda_saturation_pressure, 0.0) / span;
  constexpr unsigned n = lambda_upper_bend_power;
  const double r = (p - lambda_saturation_pressure) / lambda_low_bend_reach;
  const double decay = lambda_low_bend * std::exp(-r);
  return decay * (3.0 - r) / (lambda_low_bend_reach * lambda_low_bend_reach) +
         lambda_upper_bend * double{n * (n - 1) * (n - 2)} * integer_power<n - 3>(x) / (span * span * span);
}

// Temperature of the lambda line at p (Pa); meaningful from the saturation
// pressure at the lambda point to the melting line.
inline double lambda_line_temperature(double p) { return lambda_line(p).T; }

// T - T_lambda(p), K: on the line from the lambda point to its upper end;
// below the lambda point's pressure (where only He II lies, between its
// vapour pressure and p0) the distance to the lambda point itself. NaN above
// the upper end and for a NaN.
inline double lambda_line_distance(double T, double p) {
  if (!(p >= 0.0 && p <= lambda_melting_pressure)) return std::numeric_limits<double>::quiet_NaN();
  return T - lambda_line_temperature(std::fmax(p, lambda_saturation_pressure));
}

// Pressure of the lambda line at T (Pa): the inverse of lambda_line_temperature
// on p0..p_u (the line falls monotonically there), by Newton steps kept
// inside a bisection bracket (at most 60, quadratic once near), then moved up
// by ulps (at most 64) until T is not below the line there: the lowest
// pressure of He I at T, to rounding, so that a state built on it is He I.
// T above 2.1768 K gives p0, T below 1.7673 K gives p_u (the ends), NaN NaN.
inline double lambda_line_pressure(double T) {
  if (std::isnan(T)) return T;
  if (T >= lambda_saturation_temperature) return lambda_saturation_pressure;
  if (T <= lambda_melting_temperature) return lambda_melting_pressure;
  double lo = lambda_saturation_pressure;  // T_lambda(lo) > T
  double hi = lambda_melting_pressure;     // T_lambda(hi) <= T
  double p = lo + (hi - lo) * (lambda_saturation_temperature - T) /
                      (lambda_saturation_temperature - lambda_melting_temperature);
  for (int i = 0; i < 60; ++i) {
    const LambdaLinePoint l = lambda_line(p);
    const double f = l.T - T;
    (f > 0.0 ? lo : hi) = p;
    if (f == 0.0) break;
    double next = p - f / l.dTdp;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    const bool settled = std::fabs(next - p) <= 4e-16 * p;
    p = next;
    if (settled) break;
  }
  for (int k = 0; k < 64 && lambda_line_temperature(p) > T; ++k) p = std::nextafter(p, hi + hi);
  return p;
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
