// The two-fluid properties of He II under pressure.
//
// Superfluid fraction: the saturated fit's (Donnelly and Barenghi 1998,
// superfluid_density.hpp) at the same reduced temperature,
//   rho_s/rho (T, p) = f_sat(T T_lambda(p0)/T_lambda(p))
// (T_lambda(p0) from the vapour pressure to p0: the saturated fit there).
// Against Brooks and Donnelly's (1977) 2.5 and 5 atm tables (a calculation
// from the Landau model) this is within 0.02 to 1.80 K and 0.05 at 2.05 K,
// most of it the difference between their table and the measured fit at the
// vapour pressure (up to 0.036 there): their change with pressure at a given
// T is this one's within 0.018.
// Second sound (the common approximation, s from absolute zero):
//   u2^2 = (rho_s/rho_n) s_abs^2 T / cp,  s_abs = S_sat(T) + ds(T, p)
// with S_sat the saturated fit's entropy from 0 K (saturated_entropy.hpp).
// Fourth sound: u4^2 = (rho_s/rho) w^2 + (rho_n/rho) u2^2.
// The heat conductivity function in its engineering form (turbulent
// counterflow, m = 3), W^3/(m^5 K):
//   f^-1 = rho^2 s_l^4 T_l^3 / A_l [t^5.7 (1 - t^5.7)]^3,  t = T/T_lambda(p),
// s_l = 1559 J/(kg K), A_l = 1450 m s/kg (their values at the vapour
// pressure), rho the density at (T, p): under pressure it changes only
// through rho and T_lambda(p). NaN outside the state's range.
#pragma once

#include <cmath>
#include <limits>

#include "constants/integer_power.hpp"
#include "reference_eos/boundaries.hpp"
#include "superfluid/density.hpp"
#include "superfluid/entropy.hpp"
#include "superfluid/lambda_point.hpp"
#include "superfluid/saturated_liquid.hpp"
#include "superfluid/superfluid_density.hpp"
#include "superfluid_pressure/properties.hpp"
#include "superfluid_pressure/saturated_entropy.hpp"

namespace vorn::superfluid_pressure {

inline constexpr double conductivity_entropy = 1559.0;         // J/(kg K), s_lambda
inline constexpr double conductivity_gorter_mellink = 1450.0;  // m s/kg, A_lambda
inline constexpr double conductivity_exponent = 5.7;

struct TwoFluid {
  double fraction;               // rho_s/rho
  double second_sound;           // m/s
  double fourth_sound;           // m/s
  double conductivity_function;  // f^-1, W^3/(m^5 K)
};

// T_lambda at p, and at the lambda point's own pressure below it (between
// the vapour pressure and p0 the saturated values hold).
inline double lambda_temperature_above(double p) {
  return reference_eos::lambda_line_temperature(std::fmax(p, reference_eos::lambda_saturation_pressure));
}

inline double superfluid_fraction(double T, double p) {
  const double reduced = T * reference_eos::lambda_saturation_temperature / lambda_temperature_above(p);
  const double rho = superfluid::saturated_liquid_density(reduced).rho;
  return superfluid::superfluid_density_within(reduced, rho) / rho;
}

// Fourth sound from the superfluid fraction f and the first and second
// sounds, m/s.
inline double fourth_sound(double f, double first, double second) {
  return std::sqrt(f * first * first + (1.0 - f) * second * second);
}

inline TwoFluid two_fluid(const HeIIState& st) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  if (!st.in_range) return {nan, nan, nan, nan};
  const double f = superfluid_fraction(st.T, st.p);
  const double s_abs = saturated_molar_entropy(st.T) / superfluid::molar_mass + st.ds;
  const double u2 = std::sqrt(f / (1.0 - f) * s_abs * s_abs * st.T / st.cp);
  const double u4 = fourth_sound(f, st.w, u2);
  const double T_l = lambda_temperature_above(st.p);
  const double t = std::pow(st.T / T_l, conductivity_exponent);
  const double s_l2 = conductivity_entropy * conductivity_entropy;
  const double g = st.rho * st.rho * s_l2 * s_l2 * integer_power<3>(T_l) / conductivity_gorter_mellink;
  return {f, u2, u4, g * integer_power<3>(t * (1.0 - t))};
}

}  // namespace vorn::superfluid_pressure
