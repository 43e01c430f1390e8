// The fitted coefficients of the He II model under pressure, as written by
// scripts/he_ii_pressure_fit.py (which says what each is fitted to, and
// prints the residuals quoted in docs/superfluid_pressure.md). Units: Pa,
// K, m3/mol.
#pragma once

#include <array>

namespace vorn::superfluid_pressure {

// V0(p) = V00 (1 - C ln(1 + p/B) + E p): V00 m3/mol, C, B Pa, E 1/Pa. Fitted
// to Tanaka et al.'s V0 polynomial on 0..1.57 MPa (within 4e-6).
inline constexpr std::array<double, 4> tait_volume{2.7579188510957967e-05, 0.12527664787082257,
                                                   1046047.8792008517, -2.0038926469216575e-09};

// How far below the lambda line the anomaly reaches, K.
inline constexpr double anomaly_reach = 0.8;

// c0(x), x = (p - p0)/(p_u - p0), highest power first: the density excess
// over the background at the lambda line.
inline constexpr std::array<double, 10> lambda_excess{
    -1.4438937304270112,   7.0892269369027794,    -14.781415449331707, 17.045828271793233,
    -11.856676903633437,   5.079640796001506,     -1.302459734019302,  0.17590471712787359,
    0.0061643151695025544, 0.00063118162168041003};

// c2(x), highest power first, 1/K: the anomaly's linear term.
inline constexpr std::array<double, 5> anomaly_slope{-1.830121531238037, 2.7181996853529902,
                                                     -0.96681559676954953, 0.066981019401188141,
                                                     0.0083940107385230486};

}  // namespace vorn::superfluid_pressure
