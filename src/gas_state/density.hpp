// Density and molar volume from the virial equation of state
//
//   p = rho_n r T (1 + B rho_n + C rho_n^2 + D rho_n^3),   p = 1000 P (Pa)
//
// by exactly one Newton step from the ideal-gas molar density y = p/(rT):
//
//   rho = m0 y (1 + B y + 2C y^2 + 3D y^3) / (1 + 2B y + 3C y^2 + 4D y^3)   kg/m^3
//
// evaluated multiplied through by (rT)^3, so that the only division is the
// last one. V = m0/rho, m^3/mol.
//
// Meaningless where the bracket of the denominator (the slope of the isotherm)
// reaches zero: between 66.55 and 66.6 kPa at 2.5 K, between 267.8 and
// 267.85 kPa at 4.2 K. There rho becomes infinite, then negative (the state
// flag density-turned tests the same denominator). P = 0 gives
// rho = 0 exactly and V = +inf.
#pragma once

#include "constants/integer_power.hpp"
#include "constants/module_constants.hpp"
#include "gas_state/virial_terms.hpp"

namespace vorn {

// The one Newton step as numerator and denominator, both multiplied through by
// (rT)^3 (and by rT, m0 p): the density is their quotient, and the sign of the
// denominator is the sign of the slope of the isotherm at the ideal-gas
// density. The state flags test this same denominator. From B, C, D in SI
// (virial_terms.hpp), for routines that have them already.
struct DensityNewtonStep {
  double numerator;
  double denominator;
};

inline DensityNewtonStep density_newton_step_from_virials(double T, double P, double B, double C, double D) {
  const double p = 1000.0 * P;
  const double r = gas_constant;

  const double N3 = (D * 3.0) * integer_power<3>(p);
  const double N2 = (T * ((C + C) * r)) * (p * p);
  const double N1 = ((T * T) * ((r * r) * B)) * p;
  const double M3 = (D * 4.0) * integer_power<3>(p);
  const double M2 = (T * ((C * 3.0) * r)) * (p * p);
  const double M1 = ((T * T) * ((B + B) * (r * r))) * p;

  const double rT3 = integer_power<3>(r) * integer_power<3>(T);
  const double num = (rT3 + ((N3 + N2) + N1)) * (molar_mass * p);
  const double den = (rT3 + ((M3 + M2) + M1)) * (T * r);
  return {num, den};
}

inline DensityNewtonStep density_newton_step(double T, double P) {
  return density_newton_step_from_virials(T, P, si_second_virial(T), si_third_virial(T), si_fourth_virial(T));
}

inline double density_from_virials(double T, double P, double B, double C, double D) {
  const DensityNewtonStep step = density_newton_step_from_virials(T, P, B, C, D);
  return step.numerator / step.denominator;
}

inline double density(double T, double P) {
  const DensityNewtonStep step = density_newton_step(T, P);
  return step.numerator / step.denominator;
}

inline double molar_volume_from_virials(double T, double P, double B, double C, double D) {
  const double m0 = molar_mass;
  return m0 / density_from_virials(T, P, B, C, D);
}

inline double molar_volume(double T, double P) {
  return molar_volume_from_virials(T, P, si_second_virial(T), si_third_virial(T), si_fourth_virial(T));
}

}  // namespace vorn
