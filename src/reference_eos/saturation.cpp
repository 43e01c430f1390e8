// The reference equation's saturation: its Chebyshev series
// (saturation_expansion.hpp), exact to rounding, no evaluation of the
// equation.
#include "reference_eos/saturation.hpp"

#include "reference_eos/saturation_expansion.hpp"

namespace vorn::reference_eos {

Saturation saturation_at_temperature(double T) { return expanded_saturation_at_temperature(T); }

Saturation saturation_at_pressure(double p) { return expanded_saturation_at_pressure(p); }

Saturation saturation_at_density(double rho) { return expanded_saturation_at_density(rho); }

}  // namespace vorn::reference_eos
