#include "reference_transport/viscosity.hpp"

#include <cmath>

#include "constants/integer_power.hpp"

namespace vorn::reference_transport {

namespace {

// c[0]/x + c[1] + c[2] x + c[3] x^2 + c[4] x^3, by Horner's rule.
double log_polynomial(const std::array<double, 5>& c, double x) {
  return c[0] / x + (c[1] + x * (c[2] + x * (c[3] + x * c[4])));
}

// The dilute value of the high-temperature branch, micropoise.
double hot_dilute(double T) {
  const double inverse = 1.0 / T;
  const std::array<double, 3>& e = viscosity_hot_exponential;
  return viscosity_hot_factor * std::pow(T, viscosity_hot_exponent) *
         std::exp(e[0] + inverse * (e[1] + inverse * e[2]));
}

}  // namespace

double viscosity_whole_fluid(double T, double rho) { return viscosity_whole_fluid(T, std::log(T), rho); }

double viscosity_whole_fluid(double T, double log_T, double rho) {
  // Above 300 K every term takes x = ln 300, ln eta0* included: the excess is
  // frozen at its 300 K form and only eta0_hi(T) carries the temperature.
  const double x = T > viscosity_frozen_temperature ? std::log(viscosity_frozen_temperature) : log_T;
  const double r = rho / gram_per_cm3;
  const double log_dilute = log_polynomial(viscosity_dilute_log, x);
  const double log_excess = r * log_polynomial(viscosity_density_B, x) +
                            integer_power<2>(r) * log_polynomial(viscosity_density_C, x) +
                            integer_power<3>(r) * log_polynomial(viscosity_density_D, x);
  if (T <= viscosity_high_temperature) return std::exp(log_dilute + log_excess) * micropoise;
  return (hot_dilute(T) + std::exp(log_dilute) * std::expm1(log_excess)) * micropoise;
}

double viscosity_zero_density(double T) {
  if (T <= viscosity_high_temperature)
    return std::exp(log_polynomial(viscosity_dilute_log, std::log(T))) * micropoise;
  return hot_dilute(T) * micropoise;
}

}  // namespace vorn::reference_transport
