// The He II bath: saturated He II liquid with its vapour, 1.25 K to the lambda
// point, on the reference equation's energy and entropy zero. Molar SI units.
//
// Vapour pressure: one relation below T_lambda, he_ii_vapour_pressure of
// boundaries.hpp, the ITS-90 helium-4 relation scaled by 0.99951 so that it
// meets the equation's saturation pressure at the lambda point: the saturation
// curve is then one continuous, rising curve through T_lambda, and the bath
// ends exactly where the equation's dome begins. Its temperatures are ITS-90's
// within 0.21 mK (at T_lambda; 0.14 mK at 1.6 kPa, 0.07 mK at 1.25 K), the
// equation's own disagreement with ITS-90 at the lambda point, which its
// saturation above T_lambda carries as well.
//
// Liquid: from the saturated-liquid fits (superfluid/), joined to the
// equation's saturated liquid at T_lambda in h and s (not in cp, which the
// lambda peak takes to infinity, nor exactly in density: the fits give
// 146.109 kg/m3 there, the equation 146.016, 0.06 % apart):
//   s(T) = s_eq(T_lambda) - integral_T^T_lambda C_sat/T' dT'
//   h(T) = h_eq(T_lambda) - integral_T^T_lambda (C_sat + v dp_sat/dT') dT'
//   u = h - p v,  g = h - T s,  v = M/rho_fit
// the integrals from the table of he_ii_liquid_data.hpp (cubic Hermite between
// its nodes, within 2.3e-6 J/mol of quadrature), linear across the last
// 35 nK below T_lambda where the heat capacity's spline ends. cp is C_sat, the
// heat capacity along saturation (cp within about 0.1 % at these pressures),
// w the first sound; cv, the compressibility, expansivity and pressure
// derivatives have no value from the fits: NaN.
// Vapour: the equation at (T, p_sat), below T_lambda extrapolated (flagged).
#pragma once

#include <limits>

#include "reference_eos/boundaries.hpp"
#include "reference_eos/fluid_state.hpp"
#include "reference_eos/properties.hpp"

namespace vorn::reference_eos {

// The equation's saturated liquid at the lambda point (its density in
// boundaries.hpp): h in J/mol, s in J/(mol K) (the internal tests recompute them).
inline constexpr double lambda_saturation_liquid_enthalpy = -27.453949214171953;
inline constexpr double lambda_saturation_liquid_entropy = -7.70718290260466;
// Bounds of the bath's states, which the searches on (rho, u), (rho, h),
// (rho, s) and (h, s) test first: no bath state has more u or h than the
// saturated vapour at T_lambda (the equation's, J/mol), nor more s than the
// vapour at 1.25 K (J/(mol K), rounded up).
inline constexpr double lambda_saturation_vapour_energy = 46.31788075021981;
inline constexpr double lambda_saturation_vapour_enthalpy = 63.49300552397453;
inline constexpr double bath_highest_entropy = 54.4437;

// The slope of the vapour pressure of He II, dp/dT in Pa/K (NaN outside
// 1.25 K to T_lambda).
inline double he_ii_vapour_pressure_slope(double T) {
  if (!(T >= lowest_vapour_temperature && T <= lambda_saturation_temperature))
    return std::numeric_limits<double>::quiet_NaN();
  return he_ii_vapour_scale / its90_from_temperature(T).dTdp;
}

// The bath's temperatures, [1.25 K, T_lambda), and pressures, [p_sat(1.25 K), p_sat(T_lambda)).
bool in_bath_temperatures(double T);
bool in_bath_pressures(double p);

// The saturated He II liquid at T in [1.25 K, T_lambda] (p the vapour
// pressure); NaN outside. Its state (phase HE_II, with cp and w) is
// bath_state(sat, 0).
struct HeIILiquid {
  double T, p, rho, u, h, s, g;  // K, Pa, mol/m3, J/mol, J/mol, J/(mol K), J/mol
};
HeIILiquid he_ii_liquid(double T);

// The two saturated phases at T (or at p, T from the vapour pressure).
struct BathSaturation {
  double T;
  double p;
  HeIILiquid liquid;
  FluidProperties vapour;
  int evaluations;
  bool converged;
};
BathSaturation bath_at_temperature(double T);
BathSaturation bath_at_pressure(double p);

// The state of quality q in [0, 1]: the He II liquid at 0, the saturated
// vapour at 1, the mixture between.
FluidState bath_state(const BathSaturation& sat, double q);

// The flash's branch for the bath: true when the pair lands in it (out is the
// state) or is refused there (out carries the flag); false when it is the
// equation's (a vapour, He I, or below 1.25 K).
bool bath_flash(InputPair pair, double x1, double x2, FluidState& out);
// The same for the pairs at a held T, (T, rho), (T, s), (T, h), (T, u), asked
// after the equation's flash found no fluid for the pair (He II, solid, no
// solution): He I above the lambda line shares their values with the bath, and
// its state goes first.
bool bath_flash_after(InputPair pair, double x1, double x2, FluidState& out);

}  // namespace vorn::reference_eos
