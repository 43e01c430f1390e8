#include "reference_eos/properties.hpp"

#include <cmath>
#include <limits>

#include "constants/floating_point_guards.hpp"

namespace vorn::reference_eos {

FluidProperties properties_at(const HelmholtzModel& m, double T, double rho) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  const double gas_constant = m.gas_constant;
  const double delta = rho / m.critical_density;
  const double tau = m.critical_temperature / T;
  const HelmholtzDerivatives r = m.residual(delta, tau);
  const IdealPart i = m.ideal(std::log(delta), tau);
  const double RT = gas_constant * T;

  const double stiffness = 1.0 + 2.0 * r.d + r.dd;  // (dp/drho)_T / (RT)
  const double thermal = 1.0 + r.d - r.dt;          // (dp/dT)_rho / (rho R)
  const double cv_R = -(i.tt + r.tt);
  const double stable = stiffness > 0.0 ? 1.0 : nan;

  FluidProperties p{};
  p.T = T;
  p.rho = rho;
  p.Z = 1.0 + r.d;
  p.p = rho * RT * p.Z;
  p.u = RT * (i.t + r.t);
  p.h = RT * ((i.t + r.t) + p.Z);
  p.s = gas_constant * ((i.t + r.t) - i.a - r.a);
  p.g = RT * ((1.0 + i.a + r.a) + r.d);
  p.cv = gas_constant * cv_R;
  const double cp_R = cv_R + (thermal * thermal) / stiffness;
  p.cp = gas_constant * cp_R * stable;
  p.w = std::sqrt(RT / m.molar_mass * (cp_R / cv_R) * stiffness) * stable;
  p.dpdrho = RT * stiffness;
  p.dpdT = rho * gas_constant * thermal;
  p.kappa = stable / (rho * p.dpdrho);
  p.alpha = p.dpdT * p.kappa;
  p.jt = -(r.d + r.dd + r.dt) / (rho * gas_constant * (thermal * thermal + cv_R * stiffness));
  p.jt *= stable;
  return p;
}

PressureSlope pressure_and_slope(const HelmholtzModel& m, double T, double rho) {
  const HelmholtzDerivatives r = m.residual(rho / m.critical_density, m.critical_temperature / T);
  const double RT = m.gas_constant * T;
  return {rho * RT * (1.0 + r.d), RT * (1.0 + 2.0 * r.d + r.dd)};
}

double second_virial(const HelmholtzModel& m, double T) {
  return m.residual_zero_density_slope(m.critical_temperature / T) / m.critical_density;
}

}  // namespace vorn::reference_eos
