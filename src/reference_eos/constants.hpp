// Constants of the helium-4 reference equation of state (NIST IR 8474,
// Ortiz-Vega et al., 2023), and the limits within which it is stated.
//
// The equation carries its own R and M: they are not the module constants of
// the correlation family, which hosts may change.
#pragma once

namespace vorn::reference_eos {

inline constexpr double gas_constant = 8.3144598;       // R, J/(mol K)
inline constexpr double molar_mass = 0.004002602;       // M, kg/mol
inline constexpr double critical_temperature = 5.1953;  // Tc, K (reducing temperature)
inline constexpr double critical_density = 17383.7;     // rho_c, mol/m3 (reducing density)

// Lambda point on the saturation line: the lowest temperature of He I liquid
// in equilibrium with its vapour.
inline constexpr double lambda_temperature = 2.1768;  // K

inline constexpr double validity_temperature = 1500.0;       // K: above it, extrapolated
inline constexpr double extrapolation_temperature = 2000.0;  // K: above it, no result
inline constexpr double validity_pressure = 2.0e9;           // Pa: above it, extrapolated

// Normal boiling point pressure, which fixes the reference state.
inline constexpr double normal_boiling_pressure = 101325.0;  // Pa

}  // namespace vorn::reference_eos
