// Transport properties of helium-4 over the whole He I fluid, from the
// dense-fluid correlations (viscosity.hpp, conductivity_background.hpp,
// critical_enhancement.hpp) evaluated with the density, compressibility and
// (dp/dT)_rho of the reference equation of state, the cold gas's dilute part
// from the dilute-gas correlations (cold_dilute.hpp). Molar SI in, as the rest
// of reference_eos: T in K, rho in mol/m3, p in Pa; out in Pa s, W/(m K), m2/s.
//
//   lambda = lambda0 + lambda_e + lambda_c
//   nu = eta/rho,  a = lambda/(rho cp),  Pr = eta cp/lambda   (rho, cp per kg)
//
// Where it means anything: the one-phase fluid states of the equation and
// each saturated phase. Two-phase mixtures have no single value (NaN, from the
// callers). The data behind both correlations reach 100 MPa: above it the
// values are flagged extrapolated, as they are above 1500 K with the
// equation. Where the forms stop describing helium (a viscosity or
// conductivity not positive, or the conductivity's excess turned over), the
// values that depend on it are NaN, flagged undefined: never zero or negative.
#pragma once

#include "reference_eos/properties.hpp"

namespace vorn::reference_transport {

// The highest pressure of the data behind the viscosity (to 1000 atm) and the
// conductivity correlations.
inline constexpr double highest_data_pressure = 100e6;  // Pa

struct TransportProperties {
  double viscosity;            // Pa s
  double conductivity;         // W/(m K)
  double kinematic_viscosity;  // m2/s
  double thermal_diffusivity;  // m2/s
  double prandtl;              // 1
  unsigned flags;              // reference_eos::flag_extrapolated, flag_undefined
};

// All of them at a state whose properties are already computed (no further
// evaluation of the equation): T in K, rho in mol/m3, p in Pa, cp in
// J/(mol K), kappa_T in 1/Pa, (dp/dT)_rho in Pa/K.
TransportProperties transport_at(double T, double rho, double p, double cp, double kappa_T, double dpdT);
inline TransportProperties transport_at(const reference_eos::FluidProperties& state) {
  return transport_at(state.T, state.rho, state.p, state.cp, state.kappa, state.dpdT);
}

}  // namespace vorn::reference_transport
