// Thermal conductivity of helium-4 away from the critical point, W/(m K),
// from T (K) and the density rho (kg/m3): the dilute gas and the excess.
//
//   lambda0  = l0 T^l1 exp(e1/T + e2/T^2 + e3/T^3 + e4/T^4)
//   lambda_e = (c1 + c2 T + c3 T^(1/3) + c4 T^(2/3)) rho
//            + (c5 + c6 T^(1/3) + c7 T^(2/3)) rho^3
//            + (c8 + c9 T^(1/3) + c10 T^(2/3) + c11/T) rho^2 ln(rho/68)
//
// Source: B. A. Hands and V. D. Arp, "A correlation of thermal conductivity
// data for helium", Cryogenics 21, 697-703 (1981): lambda0 their fit without
// one data set (Table 1), lambda_e their Eq. 17 with Table 3 and the
// reference density 68 kg/m3. Stated: a few per cent in the dense fluid, more
// near the critical point (critical_enhancement.hpp adds that term), about
// 0.1-1 % in the dilute gas. The data behind it reach 100 MPa: beyond, it is
// extrapolated, and from 255 MPa up it turns over (conductivity_turned_over).
// Means nothing outside the fluid (He II, solid).
#pragma once

#include <array>

namespace vorn::reference_transport {

// lambda0: the factor l0 (W/(m K)), the power l1, and e1..e4 (K, K^2, K^3, K^4).
inline constexpr double conductivity_dilute_factor = 2.7870034e-3;
inline constexpr double conductivity_dilute_exponent = 0.7034007057;
inline constexpr std::array<double, 4> conductivity_dilute_exponential{3.739232544, -26.20316969, 59.82252246,
                                                                       -49.26397634};

// c1..c11 of the excess (Table 3), in the order of the formula above. Another
// published layout writes rho^2 ln(rho/68) as rho^2 ln rho plus four rho^2
// terms -c_i ln 68: the same function.
inline constexpr std::array<double, 11> conductivity_excess{
    1.862970530e-4,  -7.275964435e-7, -1.427549651e-4, 3.290833592e-5, -5.213335363e-8, 4.492659933e-8,
    -5.924416513e-9, 7.087321137e-6,  -6.013335678e-6, 8.067145814e-7, 3.995125013e-7,
};
inline constexpr double conductivity_reference_density = 68.0;  // kg/m3

// The dilute gas, W/(m K).
double conductivity_dilute_gas(double T);
double conductivity_dilute_gas(double T, double log_T);  // the same, given ln T
// The excess over the dilute gas at density rho (kg/m3), W/(m K).
double conductivity_excess_part(double T, double rho);

// Whether the excess has turned over: denser than the reference density and
// falling with density, d(lambda_e)/d(rho) <= 0 at constant T. The fitted
// cubic wins over the other terms far beyond the data (from 255 MPa up at
// 300-1500 K, from 890 MPa at 270 K and 1900 MPa at 260 K, never below
// 255 MPa), past which the form falls with pressure and turns negative (from
// 800 MPa up at 340-2000 K). A fluid's background conductivity rises with
// density at constant T, so the form no longer describes helium there. (At
// lower densities the form dips by 0.04 % around 20 kg/m3 above 1700 K,
// beyond 1500 K; that is not counted.)
bool conductivity_turned_over(double T, double rho);

}  // namespace vorn::reference_transport
