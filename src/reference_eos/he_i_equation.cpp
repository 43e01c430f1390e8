// The reference equation of state of He I as a model value (model.hpp): its
// constants (constants.hpp), its residual part (helmholtz.cpp), its
// saturation from the Chebyshev series (saturation_expansion.hpp), and the
// lines that bound it (boundaries.hpp): the lambda line and the vapour
// pressure of He II below, the melting line above; extrapolated above
// 1500 K or 2000 MPa, no result above 2000 K.
#include <cmath>

#include "reference_eos/boundaries.hpp"
#include "reference_eos/constants.hpp"
#include "reference_eos/fluid_state.hpp"
#include "reference_eos/model.hpp"
#include "reference_eos/properties.hpp"
#include "reference_eos/saturation_expansion.hpp"

namespace vorn::reference_eos {
namespace {

// Flags of the limits at (T, p). A solved state's T and p carry the
// iteration's tolerance (relative): against the melting and lambda lines and
// the vapour pressure of He II the state then counts as fluid if it is within
// that of the fluid's side (warmer always is; p either way), so that a state
// just inside a line, given by any pair, comes back.
unsigned he_i_limit_flags(double T, double p, double tolerance) {
  const double T_fluid = T * (1.0 + tolerance);
  const double p_lo = p * (1.0 - tolerance);
  const double p_hi = p * (1.0 + tolerance);
  unsigned flags = 0U;
  if (T > extrapolation_temperature) flags |= flag_out_of_range;
  if (T > validity_temperature || p > validity_pressure || vapour_below_lambda(T_fluid, p_lo))
    flags |= flag_extrapolated;
  // Beyond the melting line the state is solid, on either side of where the
  // lambda line ends on it: one reason, not two.
  if (above_melting_line(T_fluid, p_lo)) {
    flags |= flag_solid;
  } else if (below_lambda_line(T_fluid, p_lo) && below_lambda_line(T_fluid, p_hi)) {
    flags |= flag_he_ii;
  }
  return flags;
}

// The flag of a state colder than the coldest fluid at p: solid where the
// melting line bounds the fluid, He II where the lambda line or the vapour
// pressure of He II does.
unsigned he_i_colder_than_fluid(double p) {
  return p >= lambda_melting_pressure || melting_temperature(p) >= lambda_line_temperature(p) ? flag_solid
                                                                                              : flag_he_ii;
}

// The form of residual() that keeps the tau factors per thread.
constexpr HelmholtzDerivatives (*he_i_residual)(double, double) = residual;

// Filled by name; constexpr, so that the model is constant-initialized (no
// guard, no order of initialization).
constexpr HelmholtzModel make_he_i_equation() {
  HelmholtzModel m{};
  m.gas_constant = gas_constant;
  m.molar_mass = molar_mass;
  m.critical_temperature = critical_temperature;
  m.critical_density = critical_density;
  m.ideal_a1 = ideal_a1;
  m.ideal_a2 = ideal_a2;
  m.residual = he_i_residual;
  m.residual_zero_density_slope = residual_zero_density_slope;
  m.log_tau = log_tau;
  // The lambda point (boundaries.hpp): below it the liquid is He II.
  m.dome_bottom = {lambda_temperature,
                   lambda_saturation_pressure,
                   lambda_saturation_liquid_density,
                   lambda_saturation_vapour_density,
                   0,
                   true};
  m.saturation_at_temperature = expanded_saturation_at_temperature;
  m.saturation_at_pressure = expanded_saturation_at_pressure;
  m.saturation_at_density = expanded_saturation_at_density;
  m.critical_pressure = critical_pressure;
  m.limit_flags = he_i_limit_flags;
  m.coldest_fluid_temperature = coldest_fluid_temperature;
  m.colder_than_fluid = he_i_colder_than_fluid;
  m.extrapolation_temperature = extrapolation_temperature;
  return m;
}

constexpr HelmholtzModel equation = make_he_i_equation();

}  // namespace

const HelmholtzModel& he_i_equation() { return equation; }

double critical_pressure() {
  return pressure_and_slope(he_i_equation(), critical_temperature, critical_density).p;
}

}  // namespace vorn::reference_eos
