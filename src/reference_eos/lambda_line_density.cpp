// Newton in rho on p(T, rho) = p at T = T_lambda(p), from the density
// interpolated linearly between the line's two ends; the liquid is stiff and
// far from its spinodal there, so the steps converge in a few; at most 30.
#include "reference_eos/lambda_line_density.hpp"

#include <cmath>
#include <limits>

#include "reference_eos/boundaries.hpp"
#include "reference_eos/properties.hpp"

namespace vorn::reference_eos {

inline constexpr double lambda_upper_density = 44944.5;  // mol/m3, about, a start

double lambda_line_density(double p) {
  if (!(p >= lambda_saturation_pressure && p <= lambda_melting_pressure))
    return std::numeric_limits<double>::quiet_NaN();
  const double T = lambda_line_temperature(p);
  const double fraction =
      (p - lambda_saturation_pressure) / (lambda_melting_pressure - lambda_saturation_pressure);
  double rho =
      lambda_saturation_liquid_density + fraction * (lambda_upper_density - lambda_saturation_liquid_density);
  for (int i = 0; i < 30; ++i) {
    const PressureSlope ps = pressure_and_slope(he_i_equation(), T, rho);
    const double step = (ps.p - p) / ps.dpdrho;
    rho -= step;
    if (std::fabs(step) < 1e-14 * rho) return rho;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace vorn::reference_eos
