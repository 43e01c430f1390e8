// Array forms: out[i] = routine(x1[i], x2[i], ...), one per row of
// routines.def, plus the true compressibility factor and the state flags.
//
// Each loop calls the same inline formula as the scalar export, so every
// point is bit for bit the scalar result. The routines whose formulas are
// plain arithmetic (no real power, no iteration) go through vector_map
// (vector_loops.hpp): compiled once per instruction set and vectorised across
// points, the same bits per point. out may be one of the input arrays: each
// point is read before its result is stored.
#define VORN_BUILDING_LIBRARY
#include <cstddef>

#include "constants/export.hpp"
#include "constants/floating_point_guards.hpp"
#include "correlation/acoustic_factor.hpp"
#include "correlation/acoustic_sound_speed.hpp"
#include "correlation/thermometer.hpp"
#include "export/routine_arguments.hpp"
#include "export/temperature_runs.hpp"
#include "export/vector_loops.hpp"
#include "gas_state/compressibility.hpp"
#include "gas_state/density.hpp"
#include "gas_state/gas_thermometer.hpp"
#include "gas_state/heat_capacity.hpp"
#include "gas_state/speed_of_sound.hpp"
#include "state/state_flags.hpp"
#include "transport/conductivity.hpp"
#include "transport/viscosity.hpp"
#include "virial/fourth.hpp"
#include "virial/second.hpp"
#include "virial/third.hpp"
#include "vorn.h"

namespace {

// The form of F a loop over many points runs: the heat capacities evaluate
// B and C one after the other there, which vectorises across points (the
// scalar routines put them side by side in a pair instead: the same doubles).
template <auto F>
inline constexpr auto lane_form = F;
template <>
inline constexpr auto lane_form<vorn::isochoric_heat_capacity> =
    vorn::isochoric_heat_capacity_laid_out<vorn::FamilyLayout::one_by_one>;
template <>
inline constexpr auto lane_form<vorn::isobaric_heat_capacity> =
    vorn::isobaric_heat_capacity_laid_out<vorn::FamilyLayout::one_by_one>;
template <>
inline constexpr auto lane_form<vorn::heat_capacity_ratio> =
    vorn::heat_capacity_ratio_laid_out<vorn::FamilyLayout::one_by_one>;

// The routines of T and P whose part of T alone costs most: that part and the
// rest, for temperature_run_map (temperature_runs.hpp). Each scalar routine
// is from_terms(terms(T), T, P) of the same two functions.
template <auto F>
struct TemperatureSplit {
  static constexpr bool exists = false;
};
template <auto Terms, auto FromTerms>
struct SplitInto {
  static constexpr bool exists = true;
  static constexpr auto terms = Terms;
  static constexpr auto from_terms = FromTerms;
};

double conductivity_from_terms(const vorn::ConductivityTemperatureTerms& t, double /*T*/, double P) {
  return vorn::thermal_conductivity_from_terms(t, P);
}
double viscosity_from_terms(const vorn::ViscosityTemperatureTerms& t, double /*T*/, double P) {
  return vorn::viscosity_from_terms(t, P);
}

template <>
struct TemperatureSplit<vorn::acoustic_factor>
    : SplitInto<vorn::acoustic_factor_sums, vorn::acoustic_factor_from_sums> {};
template <>
struct TemperatureSplit<vorn::acoustic_sound_speed>
    : SplitInto<vorn::acoustic_factor_sums, vorn::acoustic_sound_speed_from_sums> {};
template <>
struct TemperatureSplit<vorn::speed_of_sound>
    : SplitInto<vorn::sound_speed_temperature_terms, vorn::speed_of_sound_from_terms> {};
template <>
struct TemperatureSplit<vorn::thermal_conductivity>
    : SplitInto<vorn::thermal_conductivity_temperature_terms, conductivity_from_terms> {};
template <>
struct TemperatureSplit<vorn::viscosity>
    : SplitInto<vorn::viscosity_temperature_terms, viscosity_from_terms> {};

// vectorised (the table's column) picks the loop; of the others, those with
// a part of T alone keep it over runs of equal temperatures.
template <bool Vectorised, auto F, typename... In>
void array_form(std::size_t n, double* out, const In*... in) {
  if constexpr (Vectorised) {
    vorn::vector_map<lane_form<F>>(n, out, in...);
  } else if constexpr (TemperatureSplit<F>::exists) {
    vorn::temperature_run_map<TemperatureSplit<F>::terms, TemperatureSplit<F>::from_terms>(n, out, in...);
  } else {
    vorn::point_map<F>(n, out, in...);
  }
}

}  // namespace

extern "C" {

#define VORN_ROUTINE(short_name, symbol, array_form_name, function, arity, arguments, vectorised, ...) \
  VORN_EXPORT void array_form_name(size_t n, VORN_SCALAR_PARAMETERS_##arity, double* out) {            \
    array_form<(vectorised) != 0, function>(n, out, VORN_ARRAY_INPUTS_##arity);                        \
  }
#include "export/routines.def"
#undef VORN_ROUTINE

VORN_EXPORT void vorn_Z_n(size_t n, const double* T, const double* P, double* out) {
  vorn::point_map<vorn::compressibility_factor>(n, out, T, P);
}
// The reports of the thermometers: the temperature, and where asked for, the
// iterations and whether the tolerance was met, point by point; each point's
// inputs are read before anything of it is stored.
VORN_EXPORT void vorn_temp_K_report_n(size_t n, const double* phi, const double* P, const double* T0,
                                      const double* P0, double* out, int* iterations, int* converged) {
  for (std::size_t i = 0; i < n; ++i) {
    const vorn::ThermometerSolution s = vorn::solve_thermometer(phi[i], P[i], T0[i], P0[i]);
    out[i] = s.temperature;
    if (iterations != nullptr) iterations[i] = s.iterations;
    if (converged != nullptr) converged[i] = s.converged ? 1 : 0;
  }
}
VORN_EXPORT void vorn_cvgt_temperature_n(size_t n, const double* P, const double* T0, const double* P0,
                                         double* out, int* iterations, int* converged) {
  for (std::size_t i = 0; i < n; ++i) {
    const vorn::ThermometerSolution s = vorn::solve_gas_thermometer(P[i], T0[i], P0[i]);
    out[i] = s.temperature;
    if (iterations != nullptr) iterations[i] = s.iterations;
    if (converged != nullptr) converged[i] = s.converged ? 1 : 0;
  }
}
VORN_EXPORT void vorn_state_n(size_t n, const double* T, const double* P, unsigned* out) {
  vorn::flattened_call<vorn::state_flags_n>(n, T, P, out);
}
}
