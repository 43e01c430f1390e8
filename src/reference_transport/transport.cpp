#include "reference_transport/transport.hpp"

#include <cmath>

#include "reference_eos/constants.hpp"
#include "reference_transport/conductivity_background.hpp"
#include "reference_transport/critical_enhancement.hpp"
#include "reference_transport/viscosity.hpp"

namespace vorn::reference_transport {

namespace {

constexpr double M = reference_eos::molar_mass;  // kg/mol

// The conductivity at mass density rho (kg/m3) given ln T and the viscosity there.
double conductivity_with(double T, double log_T, double rho, double eta, double kappa_T, double dpdT) {
  const double dilute = conductivity_dilute_gas(T, log_T);
  if (rho == 0.0) return dilute;
  return dilute + conductivity_excess_part(T, rho) + critical_enhancement(T, rho, eta, kappa_T, dpdT);
}

}  // namespace

TransportProperties transport_at(double T, double rho_molar, double cp_molar, double kappa_T, double dpdT) {
  const double rho = rho_molar * M;  // kg/m3
  const double cp = cp_molar / M;    // J/(kg K)
  TransportProperties t{};
  const double log_T = std::log(T);
  t.viscosity = viscosity_whole_fluid(T, log_T, rho);
  t.conductivity = conductivity_with(T, log_T, rho, t.viscosity, kappa_T, dpdT);
  t.kinematic_viscosity = t.viscosity / rho;
  t.thermal_diffusivity = t.conductivity / (rho * cp);
  t.prandtl = t.viscosity * cp / t.conductivity;
  return t;
}

double viscosity(double T, double rho) { return viscosity_whole_fluid(T, rho * M); }

double conductivity(double T, double rho) {
  if (rho == 0.0) return conductivity_dilute_gas(T);
  const reference_eos::FluidProperties p = reference_eos::properties_at(T, rho);
  const double mass_density = rho * M;
  const double log_T = std::log(T);
  return conductivity_with(T, log_T, mass_density, viscosity_whole_fluid(T, log_T, mass_density), p.kappa,
                           p.dpdT);
}

double viscosity_dilute(double T) { return viscosity_zero_density(T); }

double conductivity_dilute(double T) { return conductivity_dilute_gas(T); }

}  // namespace vorn::reference_transport
