// Array forms of the 22 routines: out[i] = routine(x1[i], x2[i], ...).
//
// Each loop calls the same inline formula as the scalar export, so every
// point is bit for bit the scalar result; with the formula inlined the
// compiler is free to vectorise the loop. out may be one of the input arrays:
// each point is read before its result is stored.
//
// The routines whose formulas are plain arithmetic (no real power, no
// iteration) go through vector_map (vector_loops.hpp): compiled once per
// instruction set and vectorised across points, the same bits per point.
#define VORN_BUILDING_LIBRARY
#include <cstddef>

#include "constants/export.hpp"
#include "constants/floating_point_guards.hpp"
#include "correlation/acoustic_factor.hpp"
#include "correlation/acoustic_sound_speed.hpp"
#include "correlation/thermometer.hpp"
#include "export/vector_loops.hpp"
#include "gas_state/compressibility.hpp"
#include "gas_state/density.hpp"
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

template <double (*F)(double)>
inline void map_over(std::size_t n, const double* x, double* out) {
  for (std::size_t i = 0; i < n; ++i) out[i] = F(x[i]);
}

template <double (*F)(double, double)>
inline void map_over(std::size_t n, const double* T, const double* P, double* out) {
  for (std::size_t i = 0; i < n; ++i) out[i] = F(T[i], P[i]);
}

}  // namespace

extern "C" {

VORN_EXPORT void vorn_b_n(size_t n, const double* T, double* out) {
  vorn::vector_map<vorn::second_virial>(n, T, out);
}
VORN_EXPORT void vorn_db_n(size_t n, const double* T, double* out) {
  vorn::vector_map<vorn::second_virial_dT>(n, T, out);
}
VORN_EXPORT void vorn_d2b_n(size_t n, const double* T, double* out) {
  vorn::vector_map<vorn::second_virial_dT2>(n, T, out);
}
VORN_EXPORT void vorn_c_n(size_t n, const double* T, double* out) {
  vorn::vector_map<vorn::third_virial>(n, T, out);
}
VORN_EXPORT void vorn_dc_n(size_t n, const double* T, double* out) {
  vorn::vector_map<vorn::third_virial_dT>(n, T, out);
}
VORN_EXPORT void vorn_d2c_n(size_t n, const double* T, double* out) {
  vorn::vector_map<vorn::third_virial_dT2>(n, T, out);
}
VORN_EXPORT void vorn_d_n(size_t n, const double* T, double* out) {
  vorn::vector_map<vorn::fourth_virial>(n, T, out);
}
VORN_EXPORT void vorn_dd_n(size_t n, const double* T, double* out) {
  vorn::vector_map<vorn::fourth_virial_dT>(n, T, out);
}
VORN_EXPORT void vorn_d2d_n(size_t n, const double* T, double* out) {
  vorn::vector_map<vorn::fourth_virial_dT2>(n, T, out);
}

VORN_EXPORT void vorn_rho_n(size_t n, const double* T, const double* P, double* out) {
  vorn::vector_map<vorn::density>(n, T, P, out);
}
VORN_EXPORT void vorn_vol_n(size_t n, const double* T, const double* P, double* out) {
  vorn::vector_map<vorn::molar_volume>(n, T, P, out);
}
VORN_EXPORT void vorn_cv_n(size_t n, const double* T, const double* P, double* out) {
  vorn::vector_map<vorn::isochoric_heat_capacity>(n, T, P, out);
}
VORN_EXPORT void vorn_cp_n(size_t n, const double* T, const double* P, double* out) {
  vorn::vector_map<vorn::isobaric_heat_capacity>(n, T, P, out);
}
VORN_EXPORT void vorn_gamma_n(size_t n, const double* T, const double* P, double* out) {
  vorn::vector_map<vorn::heat_capacity_ratio>(n, T, P, out);
}
VORN_EXPORT void vorn_w_n(size_t n, const double* T, const double* P, double* out) {
  map_over<vorn::speed_of_sound>(n, T, P, out);
}
VORN_EXPORT void vorn_Za_gk_n(size_t n, const double* T, const double* P, double* out) {
  map_over<vorn::acoustic_factor>(n, T, P, out);
}
VORN_EXPORT void vorn_w_gk_n(size_t n, const double* T, const double* P, double* out) {
  map_over<vorn::acoustic_sound_speed>(n, T, P, out);
}
VORN_EXPORT void vorn_temp_K_n(size_t n, const double* phi, const double* P, const double* T0,
                               const double* P0, double* out) {
  for (std::size_t i = 0; i < n; ++i) out[i] = vorn::thermometer_temperature(phi[i], P[i], T0[i], P0[i]);
}
VORN_EXPORT void vorn_k0_n(size_t n, const double* T, double* out) {
  vorn::vector_map<vorn::thermal_conductivity_dilute>(n, T, out);
}
VORN_EXPORT void vorn_k_n(size_t n, const double* T, const double* P, double* out) {
  map_over<vorn::thermal_conductivity>(n, T, P, out);
}
VORN_EXPORT void vorn_nu0_n(size_t n, const double* T, double* out) {
  vorn::vector_map<vorn::viscosity_dilute>(n, T, out);
}
VORN_EXPORT void vorn_nu_n(size_t n, const double* T, const double* P, double* out) {
  map_over<vorn::viscosity>(n, T, P, out);
}

VORN_EXPORT void vorn_Z_n(size_t n, const double* T, const double* P, double* out) {
  map_over<vorn::compressibility_factor>(n, T, P, out);
}
VORN_EXPORT void vorn_state_n(size_t n, const double* T, const double* P, unsigned* out) {
  for (std::size_t i = 0; i < n; ++i) out[i] = vorn::state_flags(T[i], P[i]);
}
}
