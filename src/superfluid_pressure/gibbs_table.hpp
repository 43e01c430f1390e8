// He II's Gibbs-energy values (properties.hpp's GibbsValues: g, s, cp, V,
// V_T, V_p, the pressure part of s, cp at p_s) tabulated in (T, p), so that a
// state costs a lookup (about 0.5 us) instead of the pressure integrals and
// the saturated line's quadratures (about 2 us).
//
// Cells: in T between edges at every joint of the model's functions of T
// (the bath's table nodes 1.25 K to T_lambda, the heat capacity's and the
// vapour pressure's spline knots, the saturated density's join 1.134-1.334 K,
// the vapour pressure's junction at 1.25 K, 0.025 K apart below it), in p 30
// equal rows from 0 to the upper lambda point; each a tensor Chebyshev
// interpolant on 6 x 6 nodes of the first kind (none on an edge, where a
// joint's one-sided value would pollute the fit). The lambda line is a
// logarithmic singularity: a cell is fitted only where its distance to the
// line (in T along its isobars) is at least 3 times its own extent towards
// it, else it is cut in four, down to 5 times (cells 1/32 of a row); nearer
// the line, or where a fitted cell misses the model at its corners and centre
// by more than 1e-10 relative, no cell, and the caller takes the model itself.
// That leaves the last 2 to 4 mK below the line to the model.
//
// Built on first use, cell by cell, shared by every thread (an atomic slot per
// cell; two threads building one cell at once keep the first), kept for the
// process: 2.3 kB a cell a caller's states fall in, about 50 MB if they
// visit the whole plane (3 million states, 0.8 K to T_lambda, 10 Pa to the
// melting line, measured 53 MB of resident memory). A cell costs 41
// states of the model to build (0.1 to 0.15 ms). Where no memory can be had
// the model answers. The values are the model's to about 2e-10 relative
// (tests/superfluid_pressure), and two neighbouring cells' agree as well at
// their common edge.
#pragma once

#include "superfluid_pressure/properties.hpp"

namespace vorn::superfluid_pressure {

// The tabulated values at (T, p) in out, true; false (out untouched) where
// the table has no cell: near the lambda line, out of the table's span, or no
// memory. The caller checks the range: the table answers where the formulas
// hold, beyond the region too.
bool tabulated_gibbs(double T, double p, GibbsValues& out);

}  // namespace vorn::superfluid_pressure
