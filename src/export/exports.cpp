// The export layer: the only place the exported routine names are bound to the
// library's own functions, one per row of routines.def. Each takes the
// addresses of its arguments, reads them once and hands the values on.
//
// Each routine is flattened: everything it calls is inlined into it, so the
// polynomials are evaluated with their coefficients in place and the powers
// of T that several of them use are formed once. It is compiled twice, for
// the x86-64 baseline and for AVX2 (whose three-operand instructions save
// the register copies of the two-operand ones: cv 29 to 26 ns), and runs the
// AVX2 one where the processor has it (vector_loops.hpp). Neither changes a
// bit: the operations stay the same, each rounded to double (no contraction
// into fused multiply-adds: AVX2 does not enable FMA, and -ffp-contract=off
// holds; no reassociation).
#define VORN_BUILDING_LIBRARY
#include "constants/export.hpp"
#include "constants/floating_point_guards.hpp"
#include "correlation/acoustic_factor.hpp"
#include "correlation/acoustic_sound_speed.hpp"
#include "correlation/thermometer.hpp"
#include "export/routine_arguments.hpp"
#include "export/vector_loops.hpp"
#include "gas_state/density.hpp"
#include "gas_state/heat_capacity.hpp"
#include "gas_state/speed_of_sound.hpp"
#include "transport/conductivity.hpp"
#include "transport/viscosity.hpp"
#include "virial/fourth.hpp"
#include "virial/second.hpp"
#include "virial/third.hpp"
#include "vorn.h"

namespace {

// What a routine runs in its AVX2 variant: the same function, but for the
// heat capacities, whose virial values go four to a vector there
// (ValueLanes::four, paired_families.hpp); the same doubles.
template <auto F>
constexpr auto avx2_form = F;
template <>
constexpr auto avx2_form<vorn::isochoric_heat_capacity> = vorn::isochoric_heat_capacity_four_lanes;
template <>
constexpr auto avx2_form<vorn::isobaric_heat_capacity> = vorn::isobaric_heat_capacity_four_lanes;
template <>
constexpr auto avx2_form<vorn::heat_capacity_ratio> = vorn::heat_capacity_ratio_four_lanes;

template <auto F, typename... Arguments>
double dispatched(Arguments... a) {
  if (vorn::vector_isa() != vorn::VectorIsa::baseline) return vorn::flattened_on_avx2<avx2_form<F>>(a...);
  return vorn::flattened_on_baseline<F>(a...);
}

}  // namespace

extern "C" {
#define VORN_ROUTINE(short_name, symbol, array_form, function, arity, ...) \
  VORN_EXPORT double symbol(VORN_SCALAR_PARAMETERS_##arity) {              \
    return dispatched<function>(VORN_SCALAR_VALUES_##arity);               \
  }
#include "export/routines.def"
#undef VORN_ROUTINE
}
