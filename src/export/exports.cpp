// The export layer: the only place the exported routine names are bound to the
// library's own functions, one per row of routines.def. Each takes the
// addresses of its arguments, reads them once and hands the values on.
//
// Each routine is flattened: everything it calls is inlined into it, so the
// polynomials are evaluated with their coefficients in place and the powers
// of T that several of them use are formed once. Inlining changes no bit:
// the operations stay the same, each rounded to double (no contraction into
// fused multiply-adds, no reassociation).
#define VORN_BUILDING_LIBRARY
#include "constants/export.hpp"
#include "correlation/acoustic_factor.hpp"
#include "correlation/acoustic_sound_speed.hpp"
#include "correlation/thermometer.hpp"
#include "export/routine_arguments.hpp"
#include "gas_state/density.hpp"
#include "gas_state/heat_capacity.hpp"
#include "gas_state/speed_of_sound.hpp"
#include "transport/conductivity.hpp"
#include "transport/viscosity.hpp"
#include "virial/fourth.hpp"
#include "virial/second.hpp"
#include "virial/third.hpp"
#include "vorn.h"

#if defined(__GNUC__)
#define VORN_FLATTEN __attribute__((flatten))
#else
#define VORN_FLATTEN
#endif

extern "C" {
#define VORN_ROUTINE(short_name, symbol, array_form, function, arity, ...) \
  VORN_EXPORT VORN_FLATTEN double symbol(VORN_SCALAR_PARAMETERS_##arity) { \
    return function(VORN_SCALAR_VALUES_##arity);                           \
  }
#include "export/routines.def"
#undef VORN_ROUTINE
}
