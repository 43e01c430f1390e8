// The reference equation's saturation curve from its Chebyshev series
// (saturation_expansion_data.hpp, generated from the equation's own solution
// at 50 digits by scripts/saturation_expansion.py).
//
// With theta = 1 - T/Tc and x = sqrt(theta - theta_c) (theta_c < 0: the
// equation's critical point, a few nK above Tc, where the curve is analytic in
// x), one piece of 13 terms each for ln(p_sat/pc), rho'/rho_c and
// ln(rho''/rho_c); at p, x from a series in ln(p/pc) on the same piece.
// No evaluation of the Helmholtz energy; within 2e-15 of the exact solution.
//
// Range: from the lambda point (2.1768 K, 5039.33 Pa) to Tc; the series to
// theta = 1e-8 (52 nK below Tc), then the curve joined to the reducing point
// (Tc, rho_c, pc), where the library closes the dome (saturation_expansion.cpp
// says how far that departs from the equation's own curve, which closes
// 14 nK above Tc). Outside it the result is not converged (NaN).
#pragma once

#include "reference_eos/saturation.hpp"

namespace vorn::reference_eos {

Saturation expanded_saturation_at_temperature(double T);
Saturation expanded_saturation_at_pressure(double p);
// Where the isochore rho meets the curve: rho between the lambda point's
// saturated densities, the other phase's density and T, p from the series.
Saturation expanded_saturation_at_density(double rho);

}  // namespace vorn::reference_eos
