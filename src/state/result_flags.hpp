// Which state flags spoil which result: per exported routine, the set of
// VORN_STATE_* bits under which its result at (T, P) means nothing or may be
// more than 1 % off. The one place this is written: vorn_state_mask gives it
// to hosts, the tool's per-row flags and the Python package's strict mode read
// it from there, and the per-flag texts (flag_text.hpp, vorn.h) name exactly
// the routines it lists for their bit (held to it by a test).
//
// The gas-state groups were set by comparing every result with the reference
// equation of state over the gas side (2.2 K to 1500 K, 0.1 kPa to 100 MPa,
// vapour and supercritical): with them no state whose flags miss a result's
// mask has that result more than 1 % off (docs/accuracy.md). Where the virial
// series stop converging (the density's, the acoustic one's, or the one-step
// density parts from the root) the gas is too dense for every gas-state
// result, the correlation's Za and w_gk included: each of them is more than
// 1 % off somewhere there.
#pragma once

#include <cstring>

#include "vorn.h"

namespace vorn {

// A state that is no state, or a vapour that the saturation curve says would be liquid.
inline constexpr unsigned any_state_flags = VORN_STATE_INVALID | VORN_STATE_LIQUID;
inline constexpr unsigned gas_state_flags = any_state_flags | VORN_STATE_OUT_OF_RANGE |
                                            VORN_STATE_VIRIAL_DIVERGENT | VORN_STATE_SOUND_DIVERGENT |
                                            VORN_STATE_DENSITY_UNCONVERGED;
inline constexpr unsigned density_flags = gas_state_flags | VORN_STATE_DENSITY_TURNED;
inline constexpr unsigned heat_capacity_flags =
    density_flags | VORN_STATE_HEAT_CAPACITY_NONPOSITIVE | VORN_STATE_HEAT_CAPACITY_TRUNCATED;
inline constexpr unsigned acoustic_factor_flags =
    gas_state_flags | VORN_STATE_ZA_NONPOSITIVE | VORN_STATE_ZA_PRESSURE_FREE;
// The routines of T alone: only an invalid T spoils them (P is not read).
inline constexpr unsigned temperature_only_flags = VORN_STATE_INVALID;

// The exported names of the 22 routines, from their one list (routines.def).
struct RoutineNames {
  const char* short_name;
  const char* symbol;
  const char* array_form;
};
inline constexpr RoutineNames routine_names[] = {
#define VORN_ROUTINE(short_name, symbol, array_form, ...) {#short_name, #symbol, #array_form},
#include "export/routines.def"
#undef VORN_ROUTINE
};

struct ResultFlags {
  const char* name;        // a short name of routines.def, or an exported name beyond the 22
  const char* array_form;  // for the names beyond the 22: the exported array form (null where none)
  unsigned spoiling;       // VORN_STATE_* bits
};

// The thermometers' *_report_state routines give the flags of their result
// (the state of the result T at P, with those of the reference); these masks
// apply to that set.
inline constexpr ResultFlags result_flags[] = {
    {"b", nullptr, temperature_only_flags},
    {"db", nullptr, temperature_only_flags},
    {"d2b", nullptr, temperature_only_flags},
    {"c", nullptr, temperature_only_flags},
    {"dc", nullptr, temperature_only_flags},
    {"d2c", nullptr, temperature_only_flags},
    {"d", nullptr, temperature_only_flags},
    {"dd", nullptr, temperature_only_flags},
    {"d2d", nullptr, temperature_only_flags},
    {"rho", nullptr, density_flags},
    {"vol", nullptr, density_flags},
    {"cv", nullptr, heat_capacity_flags},
    {"cp", nullptr, heat_capacity_flags},
    {"gamma", nullptr, heat_capacity_flags},
    {"w", nullptr, gas_state_flags | VORN_STATE_SOUND_UNDEFINED},
    {"Za_gk", nullptr, acoustic_factor_flags},
    {"w_gk", nullptr, acoustic_factor_flags},
    {"temp_K", nullptr, acoustic_factor_flags},
    {"vorn_temp_K_report", "vorn_temp_K_report_n", acoustic_factor_flags},
    {"vorn_temp_K_report_state", nullptr, acoustic_factor_flags},
    {"k0", nullptr, VORN_STATE_INVALID | VORN_STATE_K_POLE},
    {"k", nullptr, any_state_flags | VORN_STATE_K_POLE | VORN_STATE_K_DENSE},
    {"nu0", nullptr, VORN_STATE_INVALID | VORN_STATE_NU_NEGATIVE},
    {"nu", nullptr, any_state_flags | VORN_STATE_NU_NEGATIVE | VORN_STATE_NU_DENSE},
    {"vorn_Z", "vorn_Z_n", gas_state_flags},
    {"vorn_cvgt_temperature", "vorn_cvgt_temperature_n", gas_state_flags},
    {"vorn_cvgt_temperature_state", nullptr, gas_state_flags},
};

inline bool same_name(const char* a, const char* b) {
  return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
}

// The flags that spoil the routine named (exported name or that of its array
// form); 0 for any other name, or none (every routine has at least INVALID).
inline unsigned spoiling_flags(const char* routine) {
  if (routine == nullptr) return 0;
  const char* short_name = nullptr;
  for (const RoutineNames& r : routine_names) {
    if (same_name(routine, r.symbol) || same_name(routine, r.array_form)) short_name = r.short_name;
  }
  for (const ResultFlags& r : result_flags) {
    // Rows beyond the 22 carry exported names (vorn_...); the others, short names.
    const bool exported = std::strncmp(r.name, "vorn_", 5) == 0;
    if (exported ? same_name(routine, r.name) || same_name(routine, r.array_form)
                 : same_name(short_name, r.name)) {
      return r.spoiling;
    }
  }
  return 0;
}

}  // namespace vorn
