// Molar heat capacity of the liquid along saturation, C_sat = T dS/dT at the
// saturated vapour pressure, J/(mol K): log10 C_sat is a cubic B-spline in T
// (Donnelly and Barenghi 1998), one below T_lambda (0.01 K to 2.17679996 K)
// and one above (2.17680013 K to 5.0614 K). Between the two ends, 0.17 uK
// wide around T_lambda, lies the lambda peak, where C_sat has no value: NaN.
#pragma once

#include <cmath>

#include "superfluid/cubic_b_spline.hpp"

namespace vorn::superfluid {

inline constexpr CubicBSpline<26> heat_capacity_below_spline{
    {0.01,           0.01,           0.01,           0.01,           0.024973899074, 0.060764110599,
     0.063652865377, 0.154157179076, 0.249299135447, 0.634497077644, 0.904465380669, 1.17474564385,
     1.54255910867,  2.0649908872,   2.16070930746,  2.17157525125,  2.175906292,    2.176553159,
     2.176728499,    2.176787881,    2.176796632,    2.176799582,    2.17679996468,  2.17679996468,
     2.17679996468,  2.17679996468},
    {-7.080029,  -6.461204, -5.407887, -4.971098, -4.092648, -3.43029, -2.300493, -1.865551,
     -0.6120157, 0.1800753, 0.8200057, 1.231093,  1.494099,  1.633977, 1.694854,  1.760367,
     1.813528,   1.849639,  1.900049,  1.93577,   1.974983,  2.017442}};

inline constexpr CubicBSpline<20> heat_capacity_above_spline{
    {2.176800132,   2.176800132,   2.176800132,   2.176800132,   2.176801012,   2.176803495,   2.176818018,
     2.176924206,   2.177507556,   2.180863971,   2.20374020794, 2.30368058865, 2.60849038128, 3.60335763894,
     4.41358469422, 4.81404577042, 5.06143581698, 5.06143581698, 5.06143581698, 5.06143581698},
    {1.900539, 1.862865, 1.822431, 1.759056, 1.679157, 1.584631, 1.464344, 1.274043, 1.09505, 0.9546039,
     0.9503531, 1.100724, 1.260996, 1.42136, 1.609738, 1.732672}};

inline constexpr double heat_capacity_lowest = heat_capacity_below_spline.t[3];
inline constexpr double heat_capacity_below_end = heat_capacity_below_spline.t[22];
inline constexpr double heat_capacity_above_start = heat_capacity_above_spline.t[3];
inline constexpr double heat_capacity_highest = heat_capacity_above_spline.t[16];

// C_sat in J/(mol K) on either spline; NaN strictly between them.
inline double molar_heat_capacity(double T) {
  if (T <= heat_capacity_below_end) return std::pow(10.0, evaluate(heat_capacity_below_spline, T).value);
  if (T >= heat_capacity_above_start) return std::pow(10.0, evaluate(heat_capacity_above_spline, T).value);
  return std::nan("");
}

}  // namespace vorn::superfluid
