// He II under pressure as a region of the flashes: every input pair whose
// state lies in He II above its vapour pressure, 0.8 K to the lambda line and
// the melting line, on the Gibbs energy of properties.hpp with the bath's
// saturated liquid (reference_eos/he_ii_bath.hpp) as its line at p_s: at the
// vapour pressure a state here is the bath's liquid (same rho, h, s). Molar
// SI units, as the other flashes. Below 0.8 K (where the melting line's form
// starts) the region ends; so does it at the lambda and melting lines and at
// the vapour pressure.
#pragma once

#include "reference_eos/fluid_state.hpp"
#include "superfluid_pressure/properties.hpp"
#include "superfluid_pressure/two_fluid.hpp"

namespace vorn::superfluid_pressure {

inline constexpr double plane_lowest_temperature = 0.8;  // K
// States closer than this to the lambda line along their isobar are flagged
// near the line (reference_eos::flag_near_lambda): the anomaly is least
// certain there (docs/superfluid_pressure.md).
inline constexpr double near_lambda_distance = 0.1;  // K

// The saturated He II liquid at T on the reference equation's zero, per kg:
// the bath's from 1.25 K, below it continued down with the saturated fits'
// C_sat. NaN outside [0.8 K, T_lambda].
SaturatedLine saturated_line(double T);

// The model's state at (T, p) on that line; not in range below 0.8 K.
HeIIState plane_state(double T, double p);

// The flash for a pair (as reference_eos::flash takes it): true with the
// state in out when the pair's state lies in the region, false otherwise.
bool he_ii_plane_flash(reference_eos::InputPair pair, double x1, double x2, reference_eos::FluidState& out);

// Whether He II on the isotherm at T holds the value (molar s, h or u for
// the pair (T, s), (T, h), (T, u)) at some pressure: none below the
// saturated line's value where the value rises along the isotherm (all three
// do above about 1.17 K), else the isotherm's bracketed search, which
// refuses a value beyond its top (a few states; none above T_lambda, where
// He II has no isotherm). For the twins of the bath's and He I's answers.
bool he_ii_isotherm_holds(reference_eos::InputPair pair, double T, double value);

// The region's answer ahead of the equation where the equation has no fluid
// state (so the answer is what asking it first would give): (T, P) strictly
// above the vapour pressure and below the lambda and melting lines; (P, h)
// and (P, s) below He I's value on the lambda line at P.
bool he_ii_plane_first(reference_eos::InputPair pair, double x1, double x2, reference_eos::FluidState& out);

// The region's answer ahead of the bath and the equation where neither has a
// state: (h, s) with no He I state for certain (He I's h and s on the lambda
// line with margins) whose He II state lies above the vapour pressure.
bool he_ii_plane_ahead(reference_eos::InputPair pair, double x1, double x2, reference_eos::FluidState& out);

// The two-fluid properties of a state the region returned.
TwoFluid plane_two_fluid(const reference_eos::FluidState& f);

}  // namespace vorn::superfluid_pressure
