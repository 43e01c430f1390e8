// The virial coefficients in SI units, with the temperature factors the
// gas-state formulas need:
//
//   B   = 1e-06 * b(T)               m^3/mol
//   Bt  = T * (db(T) * 1e-06)        T dB/dT
//   Btt = (1e-06 * d2b(T)) * (T*T)   T^2 d2B/dT2
//
// and likewise C, Ct, Ctt with 1e-12 (m^6/mol^2) and D, Dt, Dtt with 1e-18
// (m^9/mol^3): _T_dT names T dX/dT, _T2_dT2 names T^2 d2X/dT2, both in the
// unit of X. The grouping of each product is part of the result.
//
// VirialTerms holds the nine (or the seven without D', D'') for one T, filled
// once per call by routines that need several of them: each member is the
// same double as the function of the same name would return, formed by the
// same operations on the same polynomial values (virial_family).
#pragma once

#include <limits>

#include "constants/units.hpp"
#include "virial/fourth.hpp"
#include "virial/paired_families.hpp"
#include "virial/second.hpp"
#include "virial/third.hpp"

namespace vorn {

inline double si_second_virial(double T) { return cm3_to_m3 * second_virial(T); }
inline double si_second_virial_T_dT(double T) { return T * (second_virial_dT(T) * cm3_to_m3); }
inline double si_second_virial_T2_dT2(double T) { return (cm3_to_m3 * second_virial_dT2(T)) * (T * T); }

inline double si_third_virial(double T) { return cm6_to_m6 * third_virial(T); }
inline double si_third_virial_T_dT(double T) { return T * (third_virial_dT(T) * cm6_to_m6); }
inline double si_third_virial_T2_dT2(double T) { return (cm6_to_m6 * third_virial_dT2(T)) * (T * T); }

inline double si_fourth_virial(double T) { return cm9_to_m9 * fourth_virial(T); }
inline double si_fourth_virial_T_dT(double T) { return T * (fourth_virial_dT(T) * cm9_to_m9); }
inline double si_fourth_virial_T2_dT2(double T) { return (cm9_to_m9 * fourth_virial_dT2(T)) * (T * T); }

struct VirialTerms {
  double B, Bt, Btt;  // m^3/mol
  double C, Ct, Ctt;  // m^6/mol^2
  double D, Dt, Dtt;  // m^9/mol^3; Dt, Dtt NaN unless filled
};

// X, T X' and T^2 X'' in SI from one family, with the products of the si_
// functions above.
struct SiFamily {
  double value, T_dT, T2_dT2;
};
inline SiFamily si_family(const VirialFamily& f, double unit, double T) {
  return {unit * f.value, T * (f.first_derivative * unit), (unit * f.second_derivative) * (T * T)};
}

template <FamilyLayout Layout>
inline VirialFamilyPair second_and_third_families(double T) {
  if constexpr (Layout == FamilyLayout::paired) {
    return virial_family_pair(second_virial_tables, third_virial_tables, T);
  } else {
    return {virial_family(second_virial_tables, T), virial_family(third_virial_tables, T)};
  }
}

// B, C with their derivatives and D alone (what density and the heat
// capacities need): 14 polynomials; D', D'' are left NaN.
template <FamilyLayout Layout>
inline VirialTerms virial_terms_without_D_derivatives(double T) {
  const VirialFamilyPair bc = second_and_third_families<Layout>(T);
  const SiFamily b = si_family(bc.first, cm3_to_m3, T);
  const SiFamily c = si_family(bc.second, cm6_to_m6, T);
  constexpr double not_formed = std::numeric_limits<double>::quiet_NaN();
  return {b.value, b.T_dT, b.T2_dT2, c.value, c.T_dT, c.T2_dT2, si_fourth_virial(T), not_formed, not_formed};
}

// The same seven terms in two steps, for one point (the paired layout): B, C
// and D from the value polynomials of the three side by side, then B's and
// C's derivatives from the same N, Q and powers of T. A routine forms its
// molar volume between the two, so that the long chain of the call, D to the
// density to V, starts from the first division and is ahead of the
// derivatives' work in the order the processor takes it up.
struct VirialValuesFirst {
  VirialValueTriple triple;
  double B, C, D;  // m^3/mol, m^6/mol^2, m^9/mol^3
};

template <ValueLanes Lanes>
inline void virial_values_first(VirialValuesFirst& v, double T) {
  virial_value_triple<Lanes>(v.triple, second_virial_tables, third_virial_tables, fourth_virial_tables, T);
  v.B = cm3_to_m3 * v.triple.value[0];
  v.C = cm6_to_m6 * v.triple.value[1];
  v.D = cm9_to_m9 * v.triple.third_value;
}

inline VirialTerms virial_terms_after_values(const VirialValuesFirst& v, double T) {
  const VirialFamilyPair bc =
      virial_family_pair_from_values(v.triple, second_virial_tables, third_virial_tables);
  const SiFamily b = si_family(bc.first, cm3_to_m3, T);
  const SiFamily c = si_family(bc.second, cm6_to_m6, T);
  constexpr double not_formed = std::numeric_limits<double>::quiet_NaN();
  return {v.B, b.T_dT, b.T2_dT2, v.C, c.T_dT, c.T2_dT2, v.D, not_formed, not_formed};
}

// All nine: 18 polynomials.
template <FamilyLayout Layout>
inline VirialTerms virial_terms(double T) {
  VirialFamilyTriple f{};
  if constexpr (Layout == FamilyLayout::paired) {
    f = virial_family_triple(second_virial_tables, third_virial_tables, fourth_virial_tables, T);
  } else {
    f = {virial_family(second_virial_tables, T), virial_family(third_virial_tables, T),
         virial_family(fourth_virial_tables, T)};
  }
  const SiFamily b = si_family(f.first, cm3_to_m3, T);
  const SiFamily c = si_family(f.second, cm6_to_m6, T);
  const SiFamily d = si_family(f.third, cm9_to_m9, T);
  return {b.value, b.T_dT, b.T2_dT2, c.value, c.T_dT, c.T2_dT2, d.value, d.T_dT, d.T2_dT2};
}

}  // namespace vorn
