// The lambda point of helium-4 at its saturated vapour pressure on ITS-90,
// and the molar mass that turns the fits' molar and per-gram units into the
// library's per-kilogram ones. Source: R. J. Donnelly and C. F. Barenghi,
// J. Phys. Chem. Ref. Data 27, 1217 (1998), the fits of which this folder holds.
#pragma once

namespace vorn::superfluid {

inline constexpr double lambda_temperature = 2.1768;      // K
inline constexpr double molar_mass = 4.002602e-3;         // kg/mol
inline constexpr double gram_per_cm3_to_kg_per_m3 = 1e3;  // g/cm^3 to kg/m^3

}  // namespace vorn::superfluid
