// The lines of helium-4's phase diagram, from the command line:
//
//   vorn line lambda --P RANGE       T_lambda(P): He I above it, He II below (5.04 kPa to the melting line)
//   vorn line melting --T RANGE      P_melt(T): solid above it
//   vorn line saturation --T RANGE   the saturated vapour pressure, He II included: the reference
//                                    equation's above the lambda point, the He II bath's from 1.25 K
//                                    up to it (the pressure every entry splits He II from vapour at),
//                                    below 1.25 K the saturated fit's scaled to meet the bath's there
//
// A row per point in every format; NaN outside a line's range, counted as a row without an answer
// (the lambda line's range named on stderr).
#pragma once

#include <string_view>

#include "input.hpp"
#include "table.hpp"

namespace vorn_cli {

enum class Line { lambda, melting, saturation };

// The line named `name` (lambda, melting, saturation); UsageError naming LINE otherwise.
Line find_line(std::string_view name);

// The line at every point (P for the lambda line, T for the others, in the library's units).
int print_line(Line line, const Values& points, const Options& options);

}  // namespace vorn_cli
