// Exports beyond the 22 routines: state flags, their names and descriptions
// and the flags that spoil each routine, the thermometer reports, the true compressibility factor and
// the constant-volume gas thermometer.
#define VORN_BUILDING_LIBRARY
#include "constants/export.hpp"
#include "constants/floating_point_guards.hpp"
#include "correlation/thermometer.hpp"
#include "export/vector_loops.hpp"
#include "gas_state/compressibility.hpp"
#include "gas_state/gas_thermometer.hpp"
#include "state/flag_text.hpp"
#include "state/result_flags.hpp"
#include "state/state_flags.hpp"
#include "state/thermometer_state.hpp"
#include "vorn.h"

namespace {

double report(const vorn::ThermometerSolution& s, int* iterations, int* converged) {
  if (iterations != nullptr) *iterations = s.iterations;
  if (converged != nullptr) *converged = s.converged ? 1 : 0;
  return s.temperature;
}

}  // namespace

extern "C" {

VORN_EXPORT unsigned vorn_state(const double* T, const double* P) {
  return vorn::flattened_call<vorn::state_flags>(*T, *P);
}

VORN_EXPORT const char* vorn_state_name(unsigned bit) { return vorn::state_flag_name(bit); }

VORN_EXPORT const char* vorn_state_description(unsigned bit) { return vorn::state_flag_description(bit); }

VORN_EXPORT unsigned vorn_state_mask(const char* routine) { return vorn::spoiling_flags(routine); }

VORN_EXPORT double vorn_temp_K_report(const double* phi, const double* P, const double* T0, const double* P0,
                                      int* iterations, int* converged) {
  return report(vorn::solve_thermometer(*phi, *P, *T0, *P0), iterations, converged);
}

VORN_EXPORT double vorn_temp_K_report_state(const double* phi, const double* P, const double* T0,
                                            const double* P0, int* iterations, int* converged,
                                            unsigned* state) {
  const double T = report(vorn::solve_thermometer(*phi, *P, *T0, *P0), iterations, converged);
  if (state != nullptr) *state = vorn::acoustic_thermometer_flags(*phi, *P, *T0, *P0, T);
  return T;
}

VORN_EXPORT double vorn_Z(const double* T, const double* P) { return vorn::compressibility_factor(*T, *P); }

VORN_EXPORT double vorn_cvgt_temperature(const double* P, const double* T0, const double* P0, int* iterations,
                                         int* converged) {
  return report(vorn::solve_gas_thermometer(*P, *T0, *P0), iterations, converged);
}

VORN_EXPORT double vorn_cvgt_temperature_state(const double* P, const double* T0, const double* P0,
                                               int* iterations, int* converged, unsigned* state) {
  const double T = report(vorn::solve_gas_thermometer(*P, *T0, *P0), iterations, converged);
  if (state != nullptr) *state = vorn::gas_thermometer_flags(*P, *T0, *P0, T);
  return T;
}
}
