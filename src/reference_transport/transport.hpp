// Transport properties of helium-4 over the whole He I fluid, from the
// dense-fluid correlations (viscosity.hpp, conductivity_background.hpp,
// critical_enhancement.hpp) evaluated with the density, compressibility and
// (dp/dT)_rho of the reference equation of state. Molar SI in, as the rest of
// reference_eos: T in K, rho in mol/m3; out in Pa s, W/(m K), m2/s.
//
//   lambda = lambda0 + lambda_e + lambda_c
//   nu = eta/rho,  a = lambda/(rho cp),  Pr = eta cp/lambda   (rho, cp per kg)
//
// Where it means anything: the one-phase fluid states of the equation and
// each saturated phase. Two-phase mixtures have no single value (NaN, from the
// callers). Above 1500 K or 2000 MPa the correlations are extrapolated as the
// equation is.
#pragma once

#include "reference_eos/properties.hpp"

namespace vorn::reference_transport {

struct TransportProperties {
  double viscosity;            // Pa s
  double conductivity;         // W/(m K)
  double kinematic_viscosity;  // m2/s
  double thermal_diffusivity;  // m2/s
  double prandtl;              // 1
};

// All of them at a state whose properties are already computed (no further
// evaluation of the equation): T in K, rho in mol/m3, cp in J/(mol K),
// kappa_T in 1/Pa, (dp/dT)_rho in Pa/K.
TransportProperties transport_at(double T, double rho, double cp, double kappa_T, double dpdT);
inline TransportProperties transport_at(const reference_eos::FluidProperties& state) {
  return transport_at(state.T, state.rho, state.cp, state.kappa, state.dpdT);
}

// Functions of (T, rho) alone: each evaluates the equation where it needs it.
double viscosity(double T, double rho);
double conductivity(double T, double rho);
// Their zero-density limits ref(T, 0): the dilute parts of the correlations.
double viscosity_dilute(double T);
double conductivity_dilute(double T);

}  // namespace vorn::reference_transport
