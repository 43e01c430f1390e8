// The density of He I on the lambda line (boundaries.hpp), from the reference
// equation at (T_lambda(p), p): where He II's density must meet it (the
// lambda transition is of second order: rho and s continuous). mol/m3; from
// the lambda point's pressure (36480 mol/m3, 146.02 kg/m3) to the upper
// lambda point (44945 mol/m3, 179.89 kg/m3, against 179.83 read there); NaN
// outside that pressure range.
#pragma once

namespace vorn::reference_eos {

double lambda_line_density(double p);

}  // namespace vorn::reference_eos
