// The export layer: the only place the exported routine names are bound to the
// library's own functions, one per row of routines.def. Each takes the
// addresses of its arguments, reads them once and hands the values on.
#define VORN_BUILDING_LIBRARY
#include "constants/export.hpp"
#include "constants/floating_point_guards.hpp"
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

extern "C" {
#define VORN_ROUTINE(short_name, symbol, array_form, function, arity, ...) \
  VORN_EXPORT double symbol(VORN_SCALAR_PARAMETERS_##arity) { return function(VORN_SCALAR_VALUES_##arity); }
#include "export/routines.def"
#undef VORN_ROUTINE
}
