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
// The heat capacities times m0 (molar, J/(mol K)): the brackets of the
// formulas before their last division.
template <FamilyLayout Layout>
inline double isochoric_molar_heat_capacity_from_terms(const VirialTerms& v, double V) {
  const TwoQuotients over_V = two_quotients<Layout>(2.0, V, 1.0, V);
  const TwoQuotients over_V2 = two_quotients<Layout>(1.0, V * V, 1.0, 2.0 * V * V);
  const double Sv =
      (((over_V.first * v.Bt + over_V.second * v.Btt) + over_V2.first * v.Ct) + over_V2.second * v.Ctt);
  return 1.5 * gas_constant - Sv * gas_constant;
}

template <FamilyLayout Layout>
inline double isobaric_molar_heat_capacity_from_terms(const VirialTerms& v, double V) {
  const double Qp = ((((v.B - v.Bt) * (v.B - v.Bt)) - v.C) + v.Ct) - v.Ctt / 2.0;
  const TwoQuotients q = two_quotients<Layout>(v.Btt, V, Qp, V * V);
  return 2.5 * gas_constant - gas_constant * (q.first - q.second);
}

inline double molar_volume_from_terms(const VirialTerms& v, double T, double P) {
  return molar_volume_from_virials(T, P, v.B, v.C, v.D);
}

// The terms and the molar volume of one call. For one point (paired), B, C
// and D come first and V is formed before the derivatives of B and C
// (virial_values_first): the chain D -> density -> V -> the brackets -> /m0
// is what a call waits for, and the derivatives' polynomials and divisions
// fit beside it; the same operations as one_by_one, so the same doubles.
struct TermsAndMolarVolume {
  VirialTerms v;
  double V;
};

template <FamilyLayout Layout, ValueLanes Lanes>
inline TermsAndMolarVolume terms_and_molar_volume(double T, double P) {
  if constexpr (Layout == FamilyLayout::paired) {
    VirialValuesFirst values;
    virial_values_first<Lanes>(values, T);
    const double V = molar_volume_from_virials(T, P, values.B, values.C, values.D);
    return {virial_terms_after_values(values, T), V};
  } else {
    TermsAndMolarVolume t;
    t.v = virial_terms_without_D_derivatives<Layout>(T);
    t.V = molar_volume_from_terms(t.v, T, P);
    return t;
  }
}

template <FamilyLayout Layout, ValueLanes Lanes = ValueLanes::pair_and_one>
inline double isochoric_heat_capacity_laid_out(double T, double P) {
  const TermsAndMolarVolume t = terms_and_molar_volume<Layout, Lanes>(T, P);
  return isochoric_molar_heat_capacity_from_terms<Layout>(t.v, t.V) / molar_mass;
}

template <FamilyLayout Layout, ValueLanes Lanes = ValueLanes::pair_and_one>
inline double isobaric_heat_capacity_laid_out(double T, double P) {
  const TermsAndMolarVolume t = terms_and_molar_volume<Layout, Lanes>(T, P);
  return isobaric_molar_heat_capacity_from_terms<Layout>(t.v, t.V) / molar_mass;
}

// cp/cv, both from the one set of terms and the one molar volume.
template <FamilyLayout Layout, ValueLanes Lanes = ValueLanes::pair_and_one>
inline double heat_capacity_ratio_laid_out(double T, double P) {
  const TermsAndMolarVolume t = terms_and_molar_volume<Layout, Lanes>(T, P);
  const double m0 = molar_mass;
  const TwoQuotients cp_cv =
      two_quotients<Layout>(isobaric_molar_heat_capacity_from_terms<Layout>(t.v, t.V), m0,
                            isochoric_molar_heat_capacity_from_terms<Layout>(t.v, t.V), m0);
  return cp_cv.first / cp_cv.second;
}

// One point: B and C side by side. The array forms use the one_by_one
// layout (array_forms.cpp). The _four_lanes forms are the scalar exports'
// AVX2 variants (exports.cpp).
inline double isochoric_heat_capacity(double T, double P) {
  return isochoric_heat_capacity_laid_out<FamilyLayout::paired>(T, P);
}
inline double isobaric_heat_capacity(double T, double P) {
  return isobaric_heat_capacity_laid_out<FamilyLayout::paired>(T, P);
}
inline double heat_capacity_ratio(double T, double P) {
  return heat_capacity_ratio_laid_out<FamilyLayout::paired>(T, P);
}
inline double isochoric_heat_capacity_four_lanes(double T, double P) {
  return isochoric_heat_capacity_laid_out<FamilyLayout::paired, ValueLanes::four>(T, P);
}
inline double isobaric_heat_capacity_four_lanes(double T, double P) {
  return isobaric_heat_capacity_laid_out<FamilyLayout::paired, ValueLanes::four>(T, P);
}
inline double heat_capacity_ratio_four_lanes(double T, double P) {
  return heat_capacity_ratio_laid_out<FamilyLayout::paired, ValueLanes::four>(T, P);
}

}  // namespace vorn
