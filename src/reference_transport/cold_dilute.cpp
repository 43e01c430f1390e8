#include "reference_transport/cold_dilute.hpp"

#include "constants/integer_power.hpp"
#include "reference_eos/constants.hpp"
#include "reference_transport/conductivity_background.hpp"
#include "reference_transport/viscosity.hpp"
#include "transport/conductivity.hpp"
#include "transport/viscosity.hpp"

namespace vorn::reference_transport {

namespace {

constexpr double critical_mass_density =
    reference_eos::critical_density * reference_eos::molar_mass;  // kg/m3

// w(T): 1, a smoothstep down, 0.
double temperature_weight(double T) {
  if (T <= cold_shift_whole_below) return 1.0;
  const double s = (T - cold_shift_whole_below) / (cold_shift_gone_above - cold_shift_whole_below);
  return 1.0 - integer_power<2>(s) * (3.0 - 2.0 * s);
}

// f(rho): 1 - O(rho^2), 0 from the critical density up.
double density_weight(double rho) {
  if (!(rho < critical_mass_density)) return 0.0;
  return integer_power<2>(1.0 - integer_power<2>(rho / critical_mass_density));
}

}  // namespace

ColdDiluteShift cold_dilute_shift(double T, double rho) {
  if (!(T < cold_shift_gone_above && rho < critical_mass_density)) return {0.0, 0.0};
  const double weight = temperature_weight(T) * density_weight(rho);
  return {weight * (::vorn::viscosity_dilute(T) - viscosity_zero_density(T)),
          weight * (::vorn::thermal_conductivity_dilute(T) - conductivity_dilute_gas(T))};
}

}  // namespace vorn::reference_transport
