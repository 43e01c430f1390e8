// The virial coefficients in SI units, with the temperature factors the
// gas-state formulas need:
//
//   B   = 1e-06 * b(T)               m^3/mol
//   Bt  = T * (db(T) * 1e-06)        T dB/dT
//   Btt = (1e-06 * d2b(T)) * (T*T)   T^2 d2B/dT2
//
// and likewise C, Ct, Ctt with 1e-12 (m^6/mol^2) and D, Dt, Dtt with 1e-18
// (m^9/mol^3): _T_dT names T dX/dT, _T2_dT2 names T^2 d2X/dT2, both in the
// unit of X. The grouping of each product is part of the result.
#pragma once

#include "constants/units.hpp"
#include "virial/fourth.hpp"
#include "virial/second.hpp"
#include "virial/third.hpp"

namespace vorn {

inline double si_second_virial(double T) { return cm3_to_m3 * second_virial(T); }
inline double si_second_virial_T_dT(double T) { return T * (second_virial_dT(T) * cm3_to_m3); }
inline double si_second_virial_T2_dT2(double T) { return (cm3_to_m3 * second_virial_dT2(T)) * (T * T); }

inline double si_third_virial(double T) { return cm6_to_m6 * third_virial(T); }
inline double si_third_virial_T_dT(double T) { return T * (third_virial_dT(T) * cm6_to_m6); }
inline double si_third_virial_T2_dT2(double T) { return (cm6_to_m6 * third_virial_dT2(T)) * (T * T); }

inline double si_fourth_virial(double T) { return cm9_to_m9 * fourth_virial(T); }
inline double si_fourth_virial_T_dT(double T) { return T * (fourth_virial_dT(T) * cm9_to_m9); }
inline double si_fourth_virial_T2_dT2(double T) { return (cm9_to_m9 * fourth_virial_dT2(T)) * (T * T); }

}  // namespace vorn
