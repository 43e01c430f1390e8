// The saturated liquid below and above the lambda line (He II included) and
// the ITS-90 helium-4 vapour-pressure scale, from the command line:
//
//   vorn superfluid --T RANGE | --P RANGE   every property of the saturated liquid, a row per T
//                                           (or per vapour pressure)
//   vorn superfluid channel --T-bath RANGE --L LENGTH [--q RANGE | --T-warm RANGE] [--m M]
//                                           heat through a He II channel from a saturated bath
//   vorn thermometer vapour --P P | --T T   T90 from the vapour pressure, or the pressure at T90
//
// Every format of the other tables (text, csv, json); NaN where a fit has no
// value, with its flags in the row and one warning per flag on stderr.
#pragma once

#include "input.hpp"
#include "table.hpp"

namespace vorn_cli {

inline constexpr double kLambdaTemperature = 2.1768;    // K, at saturation on ITS-90
inline constexpr double kLowestBathTemperature = 1.25;  // K, where the saturation entries begin

// The temperature of each vapour pressure (kPa) by the library's one relation: its saturation entries
// from 1.25 K (below T_lambda ITS-90's, scaled to meet the reference equation there), the ITS-90 scale's
// own extension below (the fits' vapour pressure); NaN where neither answers.
Values saturation_temperatures(const Values& P);

// Every property of the saturated liquid at each T; `title` heads the text table.
int print_superfluid(const Values& T, const Options& options);

// A He II channel of length L (m), exponent m: at each bath temperature the
// peak heat flux, and the warm end for each q (W/m^2) or the q for each warm
// end (K) asked for (a row per pair).
enum class ChannelQuestion { peak_flux, warm_end, heat_flux };
struct Channel {
  double L;
  double m;
};
int print_channel(const Values& T_bath, const Channel& channel, ChannelQuestion question, const Values& asked,
                  const Options& options);

// The vapour scale at each point: T90 from P (from_pressure) or P from T90.
int print_vapour_scale(bool from_pressure, const Values& points, const Options& options);

}  // namespace vorn_cli
