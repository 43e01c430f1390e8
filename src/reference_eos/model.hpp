// A description of the fluid as a value: a reduced Helmholtz energy
//
//   alpha(delta, tau) = a/(RT) = alpha_0 + alpha_r,  delta = rho/rho_c, tau = Tc/T
//   alpha_0 = ln delta + a1 + a2 tau + 1.5 ln tau   (a monatomic ideal gas, cp0 = 5/2 R)
//
// with its constants, its two-phase region (if it has one) and the lines and
// range that bound it. Every flash, the saturation and the transport take
// the model they work on as an argument; the reference equation of He I is
// he_i_equation() (he_i_equation.cpp), and a test passes an ideal gas
// through the same flashes.
//
// The residual part is a function pointer: one indirect call per evaluation
// (a few hundred ns each) is lost in the evaluation itself, and a model keeps
// whatever it caches per thread (the equation keeps its tau factors) to
// itself. Molar SI units: K, Pa, mol/m3, J/mol.
#pragma once

#include <cmath>

#include "reference_eos/helmholtz.hpp"
#include "reference_eos/saturation.hpp"

namespace vorn::reference_eos {

struct HelmholtzModel {
  // Constants: R in J/(mol K), M in kg/mol, and the reducing point (Tc, rho_c),
  // which for the equation is its critical point.
  double gas_constant;
  double molar_mass;
  double critical_temperature;
  double critical_density;

  // The ideal part's two constants (they fix the zero of h and s).
  double ideal_a1;
  double ideal_a2;

  // The residual part and its scaled derivatives (helmholtz.hpp), and its
  // zero-density slope lim alpha_r_delta (B = that / rho_c).
  HelmholtzDerivatives (*residual)(double delta, double tau);
  double (*residual_zero_density_slope)(double tau);
  // ln tau, taken from what the residual part keeps of the last tau where it
  // can (the same bits as std::log).
  double (*log_tau)(double tau);

  // The two-phase region, below critical_temperature (a model without one
  // puts that below every state it has): its saturation at T, at p and
  // where an isochore meets it (saturation.hpp), and the pressure of its top.
  // The bottom of the dome, its coldest saturation (a model without a
  // dome: T at critical_temperature, both densities 0, enclosing none).
  Saturation dome_bottom;
  Saturation (*saturation_at_temperature)(double T);
  Saturation (*saturation_at_pressure)(double p);
  Saturation (*saturation_at_density)(double rho);
  double (*critical_pressure)();

  // The lines that bound it: the flags of a state at (T, p) (He II, solid,
  // extrapolated, out of range; `tolerance` is the relative margin a solved
  // state gets on the fluid's side), the coldest fluid temperature at p, and
  // the flag of a state colder than that.
  unsigned (*limit_flags)(double T, double p, double tolerance);
  double (*coldest_fluid_temperature)(double p);
  unsigned (*colder_than_fluid)(double p);
  // Above this T no result (out of range).
  double extrapolation_temperature;

  // The ideal part (alpha_0, tau alpha_0_tau, tau^2 alpha_0_tautau; the
  // delta derivatives are 1 and -1 by construction).
  IdealPart ideal(double ln_delta, double tau) const {
    return reference_eos::ideal(ln_delta, log_tau(tau), tau, ideal_a1, ideal_a2);
  }
  // The ideal part inverted, where the flashes start: the ideal gas's
  //   u = R (a2 Tc + 3/2 T),  h = R (a2 Tc + 5/2 T),
  //   s/R = 1.5 - ln delta - a1 - 1.5 ln(Tc/T),  p = rho R T.
  // T at u (less R Tc times a residual energy alpha_r_tau, if one is given)
  // and at h; ln delta at (T, s); T at (rho, s) and at (p, s).
  double ideal_gas_temperature_at_energy(double u, double residual_energy = 0.0) const {
    return (u / gas_constant - ideal_a2 * critical_temperature - critical_temperature * residual_energy) /
           1.5;
  }
  double ideal_gas_temperature_at_enthalpy(double h) const {
    return (h / gas_constant - ideal_a2 * critical_temperature) / 2.5;
  }
  double ideal_gas_log_delta(double T, double s) const {
    return 1.5 - ideal_a1 - 1.5 * std::log(critical_temperature / T) - s / gas_constant;
  }
  double ideal_gas_temperature_on_isochore(double rho, double s) const {
    return critical_temperature *
           std::exp((s / gas_constant - 1.5 + std::log(rho / critical_density) + ideal_a1) / 1.5);
  }
  double ideal_gas_temperature_on_isobar(double p, double s) const {
    return std::exp((s / gas_constant - 1.5 + ideal_a1 + std::log(p / (gas_constant * critical_density)) +
                     1.5 * std::log(critical_temperature)) /
                    2.5);
  }
};

// The reference equation of state of He I, its saturation from its series,
// bounded by the lambda and melting lines.
const HelmholtzModel& he_i_equation();

// The states of the model at (T, rho): properties.hpp; its flashes:
// flash_common.hpp.

}  // namespace vorn::reference_eos
