// The four module constants: exported, mutable doubles that hosts may store
// into. Every routine reads them at each use and never copies them, so a new
// value takes effect at the next call.
//
//   g0  ideal monatomic cp/cv, 1.666666666666667 (one ulp above 5/3, not 5/3)
//   m0  molar mass of helium-4, kg/mol
//   pi  pi; read by no routine
//   r   molar gas constant, J/(mol K)
//
// r is the CODATA 2014 value (the one the reference equation of state uses;
// the exact 2019 SI value is 0.34 ppm higher), m0 the AME2020 atomic mass of
// helium-4 (docs/accuracy.md). The asm labels bind the exported names to the
// library's own.
#pragma once

#include "constants/export.hpp"

extern "C" {
extern VORN_EXPORT double heat_capacity_ratio_ideal __asm__("__vorn_MOD_g0");
extern VORN_EXPORT double molar_mass __asm__("__vorn_MOD_m0");
extern VORN_EXPORT double module_pi __asm__("__vorn_MOD_pi");
extern VORN_EXPORT double gas_constant __asm__("__vorn_MOD_r");
}
