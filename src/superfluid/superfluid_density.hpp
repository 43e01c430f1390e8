// Superfluid density rho_s of He II at saturation, g/cm^3, 0 K to T_lambda:
// the cubic B-spline of Donnelly and Barenghi (1998), knots crowding into
// T_lambda where rho_s falls to 0; above T_lambda rho_s is 0 (the fit's own
// continuation). The normal-fluid density is rho - rho_s with the density of
// density.hpp, the superfluid fraction rho_s/rho. Checked against their
// adopted data (Table 2.1): within the scatter of the measurements.
#pragma once

#include "superfluid/cubic_b_spline.hpp"
#include "superfluid/lambda_point.hpp"

namespace vorn::superfluid {

inline constexpr CubicBSpline<25> superfluid_density_spline{
    {0.0,      0.0,      0.0,        0.0,      0.443,    0.9012,   1.5419,   1.754,    1.918,
     2.111,    2.156991, 2.173218,   2.175647, 2.176358, 2.176568, 2.176692, 2.176766, 2.176791,
     2.176798, 2.176799, 2.17679999, 2.1768,   2.1768,   2.1768,   2.1768},
    {0.1451275432822459,
     0.1451334563362309,
     0.1449759191497576,
     0.1455008000684433,
     0.14075,
     0.1095,
     0.0815,
     0.053,
     0.021,
     0.008904576,
     0.003053214,
     0.001494043,
     0.0008342826,
     0.000510686,
     0.00028379,
     0.0001287426,
     5.202569e-05,
     2.15358e-05,
     8.564206e-06,
     3.567958e-06,
     0.0}};

// rho_s in g/cm^3 for T >= 0.
inline double superfluid_density(double T) {
  if (T >= lambda_temperature) return 0.0;
  return evaluate(superfluid_density_spline, T).value;
}

}  // namespace vorn::superfluid
