#include "reference_transport/conductivity_background.hpp"

#include <cmath>

#include "constants/integer_power.hpp"

namespace vorn::reference_transport {

double conductivity_dilute_gas(double T) { return conductivity_dilute_gas(T, std::log(T)); }

// T^l1 exp(...) as one exponential of l1 ln T + ...: ln T is shared with the
// viscosity, and one exp is cheaper than pow and exp.
double conductivity_dilute_gas(double T, double log_T) {
  const double y = 1.0 / T;
  const std::array<double, 4>& e = conductivity_dilute_exponential;
  return conductivity_dilute_factor *
         std::exp(conductivity_dilute_exponent * log_T + y * (e[0] + y * (e[1] + y * (e[2] + y * e[3]))));
}

namespace {

// The factors of rho, rho^3 and rho^2 ln(rho/68), functions of T alone.
struct ExcessFactors {
  double linear, cubic, logarithmic;
};

ExcessFactors excess_factors(double T) {
  const std::array<double, 11>& c = conductivity_excess;
  const double t13 = std::cbrt(T);
  const double t23 = t13 * t13;
  return {c[0] + c[1] * T + c[2] * t13 + c[3] * t23, c[4] + c[5] * t13 + c[6] * t23,
          c[7] + c[8] * t13 + c[9] * t23 + c[10] / T};
}

}  // namespace

double conductivity_excess_part(double T, double rho) {
  const ExcessFactors f = excess_factors(T);
  // rho^2 ln(rho/68) goes to 0 with rho; where rho^2 has underflowed to 0
  // (below 1e-162 kg/m3) it is 0, as rho/68 may have too (and its log -inf).
  const double r2 = integer_power<2>(rho);
  const double logarithmic =
      r2 == 0.0 ? 0.0 : f.logarithmic * r2 * std::log(rho / conductivity_reference_density);
  return f.linear * rho + f.cubic * integer_power<3>(rho) + logarithmic;
}

bool conductivity_turned_over(double T, double rho) {
  if (!(rho > conductivity_reference_density)) return false;
  const ExcessFactors f = excess_factors(T);
  const double slope = f.linear + 3.0 * f.cubic * integer_power<2>(rho) +
                       f.logarithmic * rho * (2.0 * std::log(rho / conductivity_reference_density) + 1.0);
  return !(slope > 0.0);
}

}  // namespace vorn::reference_transport
