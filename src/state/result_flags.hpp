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

struct ResultFlags {
  const char* symbol;      // the exported routine
  const char* array_form;  // its exported array form (null where it has none)
  unsigned spoiling;       // VORN_STATE_* bits
};

// The thermometers' *_report_state routines give the flags of their result
// (the state of the result T at P, with those of the reference); these masks
// apply to that set.
inline constexpr ResultFlags result_flags[] = {
    {"__vorn_MOD_b", "vorn_b_n", temperature_only_flags},
    {"__vorn_MOD_db", "vorn_db_n", temperature_only_flags},
    {"__vorn_MOD_d2b", "vorn_d2b_n", temperature_only_flags},
    {"__vorn_MOD_c", "vorn_c_n", temperature_only_flags},
    {"__vorn_MOD_dc", "vorn_dc_n", temperature_only_flags},
    {"__vorn_MOD_d2c", "vorn_d2c_n", temperature_only_flags},
    {"__vorn_MOD_d", "vorn_d_n", temperature_only_flags},
    {"__vorn_MOD_dd", "vorn_dd_n", temperature_only_flags},
    {"__vorn_MOD_d2d", "vorn_d2d_n", temperature_only_flags},
    {"vorn_rho", "vorn_rho_n", density_flags},
    {"vorn_vol", "vorn_vol_n", density_flags},
    {"vorn_cv", "vorn_cv_n", heat_capacity_flags},
    {"vorn_cp", "vorn_cp_n", heat_capacity_flags},
    {"vorn_gamma", "vorn_gamma_n", heat_capacity_flags},
    {"vorn_w", "vorn_w_n", gas_state_flags | VORN_STATE_SOUND_UNDEFINED},
    {"vorn_Za_gk", "vorn_Za_gk_n", acoustic_factor_flags},
    {"vorn_w_gk", "vorn_w_gk_n", acoustic_factor_flags},
    {"temp_K", "vorn_temp_K_n", acoustic_factor_flags},
    {"vorn_temp_K_report", "vorn_temp_K_report_n", acoustic_factor_flags},
    {"vorn_temp_K_report_state", nullptr, acoustic_factor_flags},
    {"vorn_k0", "vorn_k0_n", VORN_STATE_INVALID | VORN_STATE_K_POLE},
    {"vorn_k", "vorn_k_n", any_state_flags | VORN_STATE_K_POLE | VORN_STATE_K_DENSE},
    {"vorn_nu0", "vorn_nu0_n", VORN_STATE_INVALID | VORN_STATE_NU_NEGATIVE},
    {"vorn_nu", "vorn_nu_n", any_state_flags | VORN_STATE_NU_NEGATIVE | VORN_STATE_NU_DENSE},
    {"vorn_Z", "vorn_Z_n", gas_state_flags},
    {"vorn_cvgt_temperature", "vorn_cvgt_temperature_n", gas_state_flags},
    {"vorn_cvgt_temperature_state", nullptr, gas_state_flags},
};

// The flags that spoil the routine named (exported name or that of its array
// form); 0 for any other name, or none (every routine has at least INVALID).
inline unsigned spoiling_flags(const char* routine) {
  if (routine == nullptr) return 0;
  for (const ResultFlags& r : result_flags) {
    if (std::strcmp(routine, r.symbol) == 0 ||
        (r.array_form != nullptr && std::strcmp(routine, r.array_form) == 0)) {
      return r.spoiling;
    }
  }
  return 0;
}

}  // namespace vorn
