// The critical enhancement of helium-4's thermal conductivity, W/(m K), from
// T (K), the density rho (kg/m3), the full viscosity eta (Pa s) and two
// derivatives of the equation of state at the same state: the isothermal
// compressibility kappa_T (1/Pa) and (dp/dT)_rho (Pa/K).
//
//   lambda_c = A sqrt(K) T^2 / (rho eta) (dp/dT)_rho^2 exp(-18.66 dT^2 - 4.25 dr^4)
//   dT = |1 - T/Tc|, dr = |1 - rho/rho_c|, W = (dT/0.2)^2 + (dr/0.25)^2
//   W > 1:  K = kappa_T
//   W <= 1: K = W kappa_T + (1 - W) K', K' from the scaled equation of state:
//           x = dT / dr^(1/beta)
//           h(x) = E1 (1 + x/x0) [1 + E2 (1 + x/x0)^(2 beta)]^((gamma - 1)/(2 beta))
//           K' = (rho_c/rho)^2 / (p_c dr^(delta - 1) (delta h(x) - (x/beta) h'(x)))
//
// Only for 3.5 K < T < 12 K; zero outside. Tc, rho_c and p_c here are the
// correlation's own (5.18992 K, 69.158 kg/m3, 227.46 kPa), not those of the
// equation of state it is evaluated with (5.1953 K, 69.58 kg/m3): the term
// peaks where the correlation put the critical point. Its true divergence at
// (Tc, rho_c) of the correlation lies inside the dome of the equation, so no
// one-phase state reaches it.
//
// Source: B. A. Hands and V. D. Arp, Cryogenics 21, 697-703 (1981). Stated
// uncertainty near the critical point: about 10 %.
#pragma once

namespace vorn::reference_transport {

// The scaled equation of state near the critical point.
inline constexpr double scaling_x0 = 0.392;
inline constexpr double scaling_E1 = 2.8461;
inline constexpr double scaling_E2 = 0.27156;
inline constexpr double scaling_beta = 0.3554;
inline constexpr double scaling_gamma = 1.1743;
inline constexpr double scaling_delta = 4.304;
inline constexpr double conductivity_critical_density = 69.158;       // kg/m3
inline constexpr double conductivity_critical_temperature = 5.18992;  // K
inline constexpr double conductivity_critical_pressure = 2.2746e5;    // Pa

// The term is zero outside this open interval.
inline constexpr double enhancement_lowest_temperature = 3.5;    // K
inline constexpr double enhancement_highest_temperature = 12.0;  // K

// W = (dT/0.2)^2 + (dr/0.25)^2 <= 1 is the region of the scaled form.
inline constexpr double scaled_region_temperature = 0.2;
inline constexpr double scaled_region_density = 0.25;

// A = sqrt(m k_B)/(6 pi R), m the mass of a helium-4 atom and R = 4.633e-10 m,
// in SI units; times a factor that appears, without a stated origin, in the
// reference implementation of the field to reproduce the paper's tables.
inline constexpr double enhancement_amplitude = 3.4685233e-17;
inline constexpr double enhancement_table_factor = 3.726229668;

// The damping exp(-a dT^2 - b dr^4).
inline constexpr double enhancement_damping_temperature = 18.66;
inline constexpr double enhancement_damping_density = 4.25;

double critical_enhancement(double T, double rho, double eta, double kappa_T, double dpdT);

}  // namespace vorn::reference_transport
