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
// Second sound: the saturated fit's u2_s(T) (Donnelly and Barenghi 1998)
// carried to p by the common two-fluid approximation's change,
//   u2(T, p) = u2_s(T) sqrt[F(T, p)/F(T, p_s)],
//   F = (rho_s/rho_n) s_abs^2 T/cp,  s_abs = S_sat(T) + ds(T, p)
// (S_sat the saturated fit's entropy from 0 K, saturated_entropy.hpp), so
// that at the vapour pressure it is the bath's own u2: the approximation
// alone misses the fit there by -9 % at 0.8 K to +5 % at 1.1 K.
// Fourth sound: u4^2 = (rho_s/rho) w^2 + (rho_n/rho) u2^2.
// The heat conductivity function: the saturated engineering form
// (superfluid/heat_conductivity_function.hpp) at the same reduced
// temperature, with its density and T_lambda those at p,
//   f^-1(T, p) = f^-1_s(T T_lambda(p0)/T_lambda(p)) [rho(T, p)/rho_s(T)]^2
//                [T_lambda(p)/T_lambda(p0)]^3,
// which is the bath's at the vapour pressure and, like it, NaN where the
// reduced temperature is below 1.4 K (the form's lower end). Its pressure
// dependence is a model, not a measurement. NaN outside the state's range.
#pragma once

#include <cmath>
#include <limits>

#include "constants/integer_power.hpp"
#include "reference_eos/boundaries.hpp"
#include "superfluid/density.hpp"
#include "superfluid/entropy.hpp"
#include "superfluid/heat_conductivity_function.hpp"
#include "superfluid/lambda_point.hpp"
#include "superfluid/saturated_liquid.hpp"
#include "superfluid/superfluid_density.hpp"
#include "superfluid_pressure/properties.hpp"
#include "superfluid_pressure/saturated_entropy.hpp"

namespace vorn::superfluid_pressure {

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

// T T_lambda(p0)/T_lambda(p): where the saturated fits are read at p.
inline double reduced_temperature(double T, double p) {
  return T * reference_eos::lambda_saturation_temperature / lambda_temperature_above(p);
}

inline double superfluid_fraction(double T, double p) {
  const double reduced = reduced_temperature(T, p);
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
  const double T = st.T;
  const double p_s = saturation_pressure(T).value;
  const double f = superfluid_fraction(T, st.p);
  const double f_s = superfluid_fraction(T, p_s);
  const double S = saturated_molar_entropy(T) / superfluid::molar_mass;
  const double s_abs = S + st.ds;
  const double change = (f / (1.0 - f)) / (f_s / (1.0 - f_s)) * (s_abs / S) * (s_abs / S) * (st.cp_s / st.cp);
  const double u2 =
      superfluid::saturated_liquid(superfluid::Property::second_sound, T).value * std::sqrt(change);
  const double u4 = fourth_sound(f, st.w, u2);
  // The model's own density at p_s (the fit's forms joined at 1.334 K).
  const double rho_s =
      superfluid::gram_per_cm3_to_kg_per_m3 * superfluid::saturated_liquid_density_joined(T).rho;
  const double line_ratio = lambda_temperature_above(st.p) / reference_eos::lambda_saturation_temperature;
  const double conductivity = superfluid::heat_conductivity_function(reduced_temperature(T, st.p)) *
                              integer_power<2>(st.rho / rho_s) * integer_power<3>(line_ratio);
  return {f, u2, u4, conductivity};
}

}  // namespace vorn::superfluid_pressure
