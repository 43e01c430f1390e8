// The flag set of a thermometer's result: the state flags of the result's
// state (T, P), those flags of the reference state (T0, P0) that bear on the
// quantity the thermometer reads there, and invalid for an argument that is
// no measurement (not finite, or not positive: phi, P, T0, P0).
//
// Acoustic thermometer (Za): at the reference, invalid, liquid,
// za-nonpositive and za-pressure-free; at or below 1.95 K Za is 1 whatever P
// is, so a result there does not depend on P. Gas thermometer (true Z of the
// virial equation): at the reference, invalid, liquid and virial-divergent.
#pragma once

#include <cmath>

#include "state/state_flags.hpp"
#include "vorn.h"

namespace vorn {

inline bool not_a_measurement(double x) { return !std::isfinite(x) || !(x > 0.0); }

inline constexpr unsigned acoustic_reference_flags =
    VORN_STATE_INVALID | VORN_STATE_LIQUID | VORN_STATE_ZA_NONPOSITIVE | VORN_STATE_ZA_PRESSURE_FREE;
inline constexpr unsigned gas_reference_flags =
    VORN_STATE_INVALID | VORN_STATE_LIQUID | VORN_STATE_VIRIAL_DIVERGENT;

inline unsigned acoustic_thermometer_flags(double phi, double P, double T0, double P0, double T) {
  unsigned flags = state_flags(T, P) | (state_flags(T0, P0) & acoustic_reference_flags);
  if (not_a_measurement(phi) || not_a_measurement(P) || not_a_measurement(T0) || not_a_measurement(P0)) {
    flags |= VORN_STATE_INVALID;
  }
  return flags;
}

inline unsigned gas_thermometer_flags(double P, double T0, double P0, double T) {
  unsigned flags = state_flags(T, P) | (state_flags(T0, P0) & gas_reference_flags);
  if (not_a_measurement(P) || not_a_measurement(T0) || not_a_measurement(P0)) flags |= VORN_STATE_INVALID;
  return flags;
}

}  // namespace vorn
