// Viscosity of helium-4 over the whole He I fluid (dilute gas, dense gas,
// supercritical, liquid), Pa s, from T (K) and the density rho (kg/m3):
//
//   ln eta0*(x) = a(-1)/x + a0 + a1 x + a2 x^2 + a3 x^3           x = ln T
//   ln eta_E    = r B(x') + r^2 C(x') + r^3 D(x')                 r = rho in g/cm3
//   T <= 100 K:  eta = exp(ln eta0* + ln eta_E)
//   T >  100 K:  eta = eta0_hi(T) + exp(ln eta0*) (exp(ln eta_E) - 1)
//                eta0_hi(T) = 196 T^0.71938 exp(12.451/T - 295.67/T^2 - 4.1249)
//
// with B, C, D cubic in x and a term in 1/x; x = ln T up to 300 K and ln 300
// above, in every term, ln eta0* included: above 300 K the density-dependent
// part keeps its 300 K form and the dilute gas is eta0_hi(T) alone. (An
// earlier reading kept x = ln T in ln eta0* above 300 K; it gives 3 % more
// at 1000 K and 100 MPa, 8 % more at 1281 K and 91 kg/m3. The reading here is
// the one the reference programs of the field evaluate, and the one the
// computed values of the tests come from.) eta in micropoise inside
// (1 uP = 1e-7 Pa s).
//
// Source: V. D. Arp, R. D. McCarty and D. G. Friend, NIST Technical Note 1334
// (revised 1998), the form of R. D. McCarty, NBS Technical Note 631 (1972).
// The report's tables run from 0.8 K to 1500 K and to 2000 MPa, but the data
// behind the form reach 1000 atm (100 MPa; the form's own report: 2 K to
// 1500 K, to 1000 atm): beyond, it is extrapolated, and transport.hpp flags
// it. Stated: a few per cent in the dense fluid, about
// 0.1-1 % in the dilute gas (docs/accuracy.md compares the dilute values with
// the ab initio ones). It means nothing outside the fluid (He II, solid); at
// T <= 0 or rho < 0 it is NaN or garbage, which the callers never pass.
#pragma once

#include <array>

namespace vorn::reference_transport {

// Coefficients of 1/x, 1, x, x^2, x^3 (x = ln T, T in K).
//
// Two transcriptions of the report differ in two coefficients (the report
// itself was not at hand): the x^3 coefficient of ln eta0*, 0.012520841 or
// 0.0125208416, and that of C, 5.37008433 or 5.37005733. The C term weighs
// rho^2 x^3, so the difference grows with density and temperature: 1.2e-6
// of eta in the liquid at 4 K, up to 1.1e-4 within the correlation's data
// (at 50-70 K and 100 MPa), 9.1e-4 at 300 K and 2000 MPa (x frozen at
// ln 300 above); far inside the correlation's uncertainty everywhere, and no
// check value can tell them apart. (The note beside the published
// coefficients puts it below 1e-5 everywhere, which holds only at low
// density.) We take 0.0125208416: every other coefficient of ln eta0*
// carries nine significant digits, and the eight-digit reading is that
// number with its last digit dropped; no computed value tells the two apart
// (1e-7 in ln eta). For C we take 5.37008433: the values computed with the
// form above 300 K (500 K and 50 MPa: 29.2588 uPa s, 1000 K and 100 MPa:
// 47.0698, 1500 K and 200 MPa: 62.7298) come from it; 5.37005733 gives
// 29.2586, 47.0696 and 62.7294.
inline constexpr std::array<double, 5> viscosity_dilute_log{-0.135311743, 1.00347841, 1.20654649,
                                                            -0.149564551, 0.0125208416};
inline constexpr std::array<double, 5> viscosity_density_B{-47.5295259, 87.6799309, -42.0741589, 8.33128289,
                                                           -0.589252385};
inline constexpr std::array<double, 5> viscosity_density_C{547.309267, -904.870586, 431.404928, -81.4504854,
                                                           5.37008433};
inline constexpr std::array<double, 5> viscosity_density_D{-1684.39324, 3331.08630, -1632.19172, 308.804413,
                                                           -20.2936367};

// Above it the dilute term is eta0_hi and the excess an additive term. The
// form steps there, as published: eta0_hi(100 K) is 2.0 % below
// exp(ln eta0*(100 K)) (9.568 against 9.765 uPa s), at every density.
inline constexpr double viscosity_high_temperature = 100.0;  // K
// Above it x = ln T is frozen at its value here, in every term.
inline constexpr double viscosity_frozen_temperature = 300.0;  // K

// eta0_hi(T) = 196 T^0.71938 exp(12.451/T - 295.67/T^2 - 4.1249), micropoise.
inline constexpr double viscosity_hot_factor = 196.0;
inline constexpr double viscosity_hot_exponent = 0.71938;
inline constexpr std::array<double, 3> viscosity_hot_exponential{-4.1249, 12.451, -295.67};  // 1, 1/T, 1/T^2

inline constexpr double micropoise = 1e-7;      // Pa s
inline constexpr double gram_per_cm3 = 1000.0;  // kg/m3

// The whole fluid, Pa s.
double viscosity_whole_fluid(double T, double rho);
double viscosity_whole_fluid(double T, double log_T, double rho);  // the same, given ln T
// The zero-density limit of the same correlation, Pa s.
double viscosity_zero_density(double T);

}  // namespace vorn::reference_transport
