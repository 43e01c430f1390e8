// Unit conversions of the cm-based molar units of the virial coefficients and
// of the correlation's table to SI: each the double nearest its decimal
// (1e-12 and 1e-18 are not the products of 1e-6 with itself).
#pragma once

namespace vorn {

inline constexpr double cm3_to_m3 = 1e-06;  // cm^3/mol to m^3/mol
inline constexpr double cm6_to_m6 = 1e-12;  // cm^6/mol^2 to m^6/mol^2
inline constexpr double cm9_to_m9 = 1e-18;  // cm^9/mol^3 to m^9/mol^3

}  // namespace vorn
