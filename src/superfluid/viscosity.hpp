// Shear viscosity of the normal fluid (He II) and of He I at saturation, Pa s,
// 0.7913364 K to 4.406982 K: the cubic B-spline of Donnelly and Barenghi
// (1998), a triple knot at T_lambda (continuous, with a kink). One of the
// published programs that carries the fit calls it not very accurate: it
// follows a scattered database, a few per cent.
#pragma once

#include "superfluid/cubic_b_spline.hpp"

namespace vorn::superfluid {

inline constexpr CubicBSpline<25> normal_viscosity_spline{
    {0.7913364, 0.7913364, 0.7913364, 0.7913364, 0.97051,  1.06473,  1.28593,  1.5821, 1.74701,
     2.02568,   2.05174,   2.146961,  2.1768,    2.1768,   2.1768,   2.212906, 2.2218, 2.618,
     3.2537,    3.7842,    4.0254,    4.406982,  4.406982, 4.406982, 4.406982},
    {1.730865e-05, 6.57781e-06,  4.956473e-06, 1.862435e-06, 1.452672e-06, 1.308345e-06, 1.273173e-06,
     1.338821e-06, 1.613257e-06, 1.956558e-06, 2.296259e-06, 2.514817e-06, 2.487748e-06, 2.715638e-06,
     3.125798e-06, 3.487019e-06, 3.564378e-06, 3.486451e-06, 3.270547e-06, 3.226615e-06, 3.16e-06}};

inline double normal_viscosity(double T) { return evaluate(normal_viscosity_spline, T).value; }

}  // namespace vorn::superfluid
