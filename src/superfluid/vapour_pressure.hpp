// Saturated vapour pressure of helium-4, Pa, 0.5 K to 5.0 K: the cubic
// B-spline p(T90) of Donnelly and Barenghi (1998), their Table 17.2 (knots
// and coefficients complete here; the table as transcribed lacks K15..K17 and
// C15..C17, which this full set supplies). Valid 0.5 K to 5.0 K by their note,
// though the knots run to 5.1 K; it stays within about 0.25 mK of the ITS-90
// relation from 1.25 K to 5.0 K (p to a few 1e-4 relative), which is the scale;
// below 1.25 K, where ITS-90 has no relation, it is the data's best account.
#pragma once

#include "superfluid/cubic_b_spline.hpp"

namespace vorn::superfluid {

inline constexpr CubicBSpline<33> vapour_pressure_spline{
    {0.5, 0.5, 0.5,  0.5, 0.52, 0.53, 0.56, 0.6, 0.65, 0.7, 0.75, 0.8, 0.85, 0.92, 1.0, 1.1, 1.25,
     1.5, 1.7, 1.85, 2.0, 2.2,  2.5,  2.7,  3.0, 3.3,  3.7, 4.05, 4.5, 5.1,  5.1,  5.1, 5.1},
    {0.00183797, 0.0025,  0.00376, 0.00624, 0.01236, 0.03306, 0.09339,  0.25856,  0.6269,  1.37025,
     2.93305,    6.37318, 15.0042, 38.057,  116.05,  362.7,   990.9,    1886.0,   3194.0,  5569.5,
     9279.1,     15370.0, 23480.0, 37355.0, 57050.0, 87170.0, 132825.0, 179650.0, 211567.0}};

inline constexpr double vapour_pressure_lowest = 0.5;   // K
inline constexpr double vapour_pressure_highest = 5.0;  // K

// p in Pa and dp/dT in Pa/K, for 0.5 K <= T <= 5.0 K (the caller checks).
inline SplineValue vapour_pressure(double T) { return evaluate(vapour_pressure_spline, T); }

}  // namespace vorn::superfluid
