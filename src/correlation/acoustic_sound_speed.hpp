// Speed of sound from the correlation: w = sqrt((((g0/m0) r) T) Za(T, P)), m/s,
// the ideal monatomic value scaled by sqrt(Za). Because Za is the acoustic
// factor (w/w0)^2, this agrees with the virial speed of sound to about 1e-6
// from 25 K to 300 K. NaN where Za < 0 (3 K, 100 kPa) or T < 0.
#pragma once

#include <cmath>

#include "constants/module_constants.hpp"
#include "correlation/acoustic_factor.hpp"

namespace vorn {

// With the order sums of T formed already (acoustic_factor_sums).
inline double acoustic_sound_speed_from_sums(const AcousticFactorSums& sums, double T, double P) {
  double k = heat_capacity_ratio_ideal / molar_mass;
  k = k * gas_constant;
  k = k * T;
  const double Za = acoustic_factor_from_sums(sums, T, P);
  return std::sqrt(k * Za);
}

inline double acoustic_sound_speed(double T, double P) {
  return acoustic_sound_speed_from_sums(acoustic_factor_sums(T), T, P);
}

}  // namespace vorn
