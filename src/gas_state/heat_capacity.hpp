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

// The formulas on terms filled once (virial_terms.hpp) and the molar volume
// from the same terms: each operation is the one the formula above names, on
// the same doubles as when every term was formed by its own call, so every
// result keeps its bits; only the repeated evaluation of the polynomials is
// gone.
inline double isochoric_heat_capacity_from_terms(const VirialTerms& v, double V) {
  const double Sv =
      (((2.0 / V) * v.Bt + (1.0 / V) * v.Btt) + (1.0 / (V * V)) * v.Ct) + (1.0 / (2.0 * V * V)) * v.Ctt;
  return (1.5 * gas_constant - Sv * gas_constant) / molar_mass;
}

inline double isobaric_heat_capacity_from_terms(const VirialTerms& v, double V) {
  const double Qp = ((((v.B - v.Bt) * (v.B - v.Bt)) - v.C) + v.Ct) - v.Ctt / 2.0;
  return (2.5 * gas_constant - gas_constant * (v.Btt / V - Qp / (V * V))) / molar_mass;
}

inline double molar_volume_from_terms(const VirialTerms& v, double T, double P) {
  return molar_volume_from_virials(T, P, v.B, v.C, v.D);
}

template <FamilyLayout Layout>
inline double isochoric_heat_capacity_laid_out(double T, double P) {
  const VirialTerms v = virial_terms_without_D_derivatives<Layout>(T);
  return isochoric_heat_capacity_from_terms(v, molar_volume_from_terms(v, T, P));
}

template <FamilyLayout Layout>
inline double isobaric_heat_capacity_laid_out(double T, double P) {
  const VirialTerms v = virial_terms_without_D_derivatives<Layout>(T);
  return isobaric_heat_capacity_from_terms(v, molar_volume_from_terms(v, T, P));
}

// cp/cv, both from the one set of terms and the one molar volume.
template <FamilyLayout Layout>
inline double heat_capacity_ratio_laid_out(double T, double P) {
  const VirialTerms v = virial_terms_without_D_derivatives<Layout>(T);
  const double V = molar_volume_from_terms(v, T, P);
  const double cp = isobaric_heat_capacity_from_terms(v, V);
  const double cv = isochoric_heat_capacity_from_terms(v, V);
  return cp / cv;
}

// One point: B and C side by side. The array forms use the one_by_one
// layout (array_forms.cpp).
inline double isochoric_heat_capacity(double T, double P) {
  return isochoric_heat_capacity_laid_out<FamilyLayout::paired>(T, P);
}
inline double isobaric_heat_capacity(double T, double P) {
  return isobaric_heat_capacity_laid_out<FamilyLayout::paired>(T, P);
}
inline double heat_capacity_ratio(double T, double P) {
  return heat_capacity_ratio_laid_out<FamilyLayout::paired>(T, P);
}

}  // namespace vorn
