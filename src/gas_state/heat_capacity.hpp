// Isochoric and isobaric specific heat capacities, J/(kg K), and their ratio:
// the ideal monatomic values plus the second-order residual of the virial
// equation in 1/V (B, C and their derivatives; D acts only through V):
//
//   cv = [ 3/2 r - r ( (2T B' + T^2 B'')/V + (2T C' + T^2 C'')/(2V^2) ) ] / m0
//   cp = [ 5/2 r - r ( T^2 B''/V - ((B - T B')^2 - C + T C' - T^2 C''/2)/V^2 ) ] / m0
//
// with V the molar volume of density.hpp. At P = 0, V = +inf and the results
// are the ideal 1.5 r/m0 and 2.5 r/m0. Meaningless where the density is.
#pragma once

#include "constants/module_constants.hpp"
#include "gas_state/density.hpp"
#include "gas_state/virial_terms.hpp"

namespace vorn {

inline double isochoric_heat_capacity(double T, double P) {
  const double Bt = si_second_virial_T_dT(T);
  const double Btt = si_second_virial_T2_dT2(T);
  const double Ct = si_third_virial_T_dT(T);
  const double Ctt = si_third_virial_T2_dT2(T);
  const double V = molar_volume(T, P);

  const double Sv = (((2.0 / V) * Bt + (1.0 / V) * Btt) + (1.0 / (V * V)) * Ct) + (1.0 / (2.0 * V * V)) * Ctt;
  return (1.5 * gas_constant - Sv * gas_constant) / molar_mass;
}

inline double isobaric_heat_capacity(double T, double P) {
  const double B = si_second_virial(T);
  const double Bt = si_second_virial_T_dT(T);
  const double Btt = si_second_virial_T2_dT2(T);
  const double C = si_third_virial(T);
  const double Ct = si_third_virial_T_dT(T);
  const double Ctt = si_third_virial_T2_dT2(T);
  const double V = molar_volume(T, P);

  const double Qp = ((((B - Bt) * (B - Bt)) - C) + Ct) - Ctt / 2.0;
  return (2.5 * gas_constant - gas_constant * (Btt / V - Qp / (V * V))) / molar_mass;
}

// Both routines are evaluated in full; nothing is shared between them.
inline double heat_capacity_ratio(double T, double P) {
  const double cp = isobaric_heat_capacity(T, P);
  const double cv = isochoric_heat_capacity(T, P);
  return cp / cv;
}

}  // namespace vorn
