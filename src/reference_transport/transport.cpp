#include "reference_transport/transport.hpp"

#include <cmath>
#include <limits>

#include "reference_eos/constants.hpp"
#include "reference_eos/fluid_state.hpp"
#include "reference_transport/cold_dilute.hpp"
#include "reference_transport/conductivity_background.hpp"
#include "reference_transport/critical_enhancement.hpp"
#include "reference_transport/viscosity.hpp"

namespace vorn::reference_transport {

namespace {

constexpr double M = reference_eos::molar_mass;  // kg/mol
constexpr double undefined = std::numeric_limits<double>::quiet_NaN();

// The viscosity at mass density rho (kg/m3) given ln T and the cold shift.
double viscosity_with(double T, double log_T, double rho, const ColdDiluteShift& shift) {
  return viscosity_whole_fluid(T, log_T, rho) + shift.viscosity;
}

// The conductivity at mass density rho (kg/m3) given ln T, the cold shift and
// the viscosity there.
double conductivity_with(double T, double log_T, double rho, const ColdDiluteShift& shift, double eta,
                         double kappa_T, double dpdT) {
  const double dilute = conductivity_dilute_gas(T, log_T) + shift.conductivity;
  if (rho == 0.0) return dilute;
  return dilute + conductivity_excess_part(T, rho) + critical_enhancement(T, rho, eta, kappa_T, dpdT);
}

}  // namespace

TransportProperties transport_at(double T, double rho_molar, double p, double cp_molar, double kappa_T,
                                 double dpdT) {
  const double rho = rho_molar * M;  // kg/m3
  const double cp = cp_molar / M;    // J/(kg K)
  TransportProperties t{};
  t.flags = p > highest_data_pressure ? reference_eos::flag_extrapolated : 0U;
  const double log_T = std::log(T);
  const ColdDiluteShift shift = cold_dilute_shift(T, rho);
  t.viscosity = viscosity_with(T, log_T, rho, shift);
  t.conductivity = conductivity_with(T, log_T, rho, shift, t.viscosity, kappa_T, dpdT);
  // Each value NaN where the form that gives it has stopped describing
  // helium, and the flag from the same test. (A NaN of the equation's, its
  // compressibility at the critical point, passes through as its cp does.)
  if (t.viscosity <= 0.0) {
    t.viscosity = undefined;
    t.flags |= reference_eos::flag_undefined;
  }
  if (t.conductivity <= 0.0 || conductivity_turned_over(T, rho)) {
    t.conductivity = undefined;
    t.flags |= reference_eos::flag_undefined;
  }
  t.kinematic_viscosity = t.viscosity / rho;
  t.thermal_diffusivity = t.conductivity / (rho * cp);
  t.prandtl = t.viscosity * cp / t.conductivity;
  return t;
}

}  // namespace vorn::reference_transport
