// The poles of the zero-pressure thermal conductivity k0 = Nk/Qk and the band
// around each where k0 means nothing (T in K).
//
// Near a pole Tp with the zero Tz of Nk beside it, k0 = s (T - Tz)/(T - Tp)
// with s the smooth value, so k0 leaves the smooth curve by (Tp - Tz)/(T - Tp):
// 0.1 % at |T - Tp| = 1000 |Tp - Tz|, which is 1.058 mK at the lower pole
// (Tp - Tz = 1.058 uK) and 11.859 mK at the upper (Tz - Tp = 11.859 uK). The
// bands below are those distances rounded up; measured against a cubic
// through k0 at 0.3 K and 0.6 K on either side of each pole (where the pole
// moves k0 by less than 4e-5), k0 just outside them is 0.096 % (lower) and
// 0.099 % (upper) from it. The band includes its boundaries; the interval
// between pole and zero, where k0 is negative, lies inside it.
//
// Poles and zeros: the doubles nearest the sign changes of vorn_k0, found by
// bisection. Qk has a third zero near 965424.67 K with no zero of Nk beside it:
// above it k0 is negative (tending to -160 W/(m K)) and, above about
// 5.15e23 K, where the powers of T overflow, NaN; the flag covers that through
// the sign of k0 itself.
#pragma once

#include <cmath>

namespace vorn {

struct ConductivityPole {
  double pole;        // zero of Qk, K
  double zero;        // zero of Nk beside it, K
  double half_width;  // half-width of the flagged band, K
};

inline constexpr ConductivityPole conductivity_lower_pole{36.37595314270124, 36.37595208489629, 1.1e-3};
inline constexpr ConductivityPole conductivity_upper_pole{184.48682374668883, 184.4868356055292, 12e-3};

constexpr double pole_zero_distance(double a, double b) { return a > b ? a - b : b - a; }
static_assert(conductivity_lower_pole.half_width >=
                  1000.0 * pole_zero_distance(conductivity_lower_pole.pole, conductivity_lower_pole.zero),
              "the band must hold k0 within 0.1 % of its smooth curve outside it");
static_assert(conductivity_upper_pole.half_width >=
                  1000.0 * pole_zero_distance(conductivity_upper_pole.pole, conductivity_upper_pole.zero),
              "the band must hold k0 within 0.1 % of its smooth curve outside it");

inline bool within_pole_band(double T, const ConductivityPole& p) {
  return std::fabs(T - p.pole) <= p.half_width;
}

// Near a pole, or k0 itself not positive (between a pole and its zero, above
// the third pole, or NaN).
inline bool conductivity_meaningless(double T, double k0) {
  return within_pole_band(T, conductivity_lower_pole) || within_pole_band(T, conductivity_upper_pole) ||
         !(k0 > 0.0);
}

}  // namespace vorn
