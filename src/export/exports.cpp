// The export layer: the only place the exported routine names are bound to the
// library's own functions. Each takes the addresses of its arguments, reads
// them once and hands the values on; the asm labels give the module
// procedures their exported names.
#define VORN_BUILDING_LIBRARY
#include "constants/export.hpp"
#include "constants/floating_point_guards.hpp"
#include "correlation/acoustic_factor.hpp"
#include "correlation/acoustic_sound_speed.hpp"
#include "correlation/thermometer.hpp"
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
VORN_EXPORT double export_b(const double* T) __asm__("__vorn_MOD_b");
VORN_EXPORT double export_db(const double* T) __asm__("__vorn_MOD_db");
VORN_EXPORT double export_d2b(const double* T) __asm__("__vorn_MOD_d2b");
VORN_EXPORT double export_c(const double* T) __asm__("__vorn_MOD_c");
VORN_EXPORT double export_dc(const double* T) __asm__("__vorn_MOD_dc");
VORN_EXPORT double export_d2c(const double* T) __asm__("__vorn_MOD_d2c");
VORN_EXPORT double export_d(const double* T) __asm__("__vorn_MOD_d");
VORN_EXPORT double export_dd(const double* T) __asm__("__vorn_MOD_dd");
VORN_EXPORT double export_d2d(const double* T) __asm__("__vorn_MOD_d2d");

double export_b(const double* T) { return vorn::second_virial(*T); }
double export_db(const double* T) { return vorn::second_virial_dT(*T); }
double export_d2b(const double* T) { return vorn::second_virial_dT2(*T); }
double export_c(const double* T) { return vorn::third_virial(*T); }
double export_dc(const double* T) { return vorn::third_virial_dT(*T); }
double export_d2c(const double* T) { return vorn::third_virial_dT2(*T); }
double export_d(const double* T) { return vorn::fourth_virial(*T); }
double export_dd(const double* T) { return vorn::fourth_virial_dT(*T); }
double export_d2d(const double* T) { return vorn::fourth_virial_dT2(*T); }

VORN_EXPORT double vorn_rho(const double* T, const double* P) { return vorn::density(*T, *P); }
VORN_EXPORT double vorn_vol(const double* T, const double* P) { return vorn::molar_volume(*T, *P); }
VORN_EXPORT double vorn_cv(const double* T, const double* P) { return vorn::isochoric_heat_capacity(*T, *P); }
VORN_EXPORT double vorn_cp(const double* T, const double* P) { return vorn::isobaric_heat_capacity(*T, *P); }
VORN_EXPORT double vorn_gamma(const double* T, const double* P) { return vorn::heat_capacity_ratio(*T, *P); }
VORN_EXPORT double vorn_w(const double* T, const double* P) { return vorn::speed_of_sound(*T, *P); }
VORN_EXPORT double vorn_Za_gk(const double* T, const double* P) { return vorn::acoustic_factor(*T, *P); }
VORN_EXPORT double vorn_w_gk(const double* T, const double* P) { return vorn::acoustic_sound_speed(*T, *P); }
VORN_EXPORT double temp_K(const double* phi, const double* P, const double* T0, const double* P0) {
  return vorn::thermometer_temperature(*phi, *P, *T0, *P0);
}
VORN_EXPORT double vorn_k0(const double* T) { return vorn::thermal_conductivity_dilute(*T); }
VORN_EXPORT double vorn_k(const double* T, const double* P) { return vorn::thermal_conductivity(*T, *P); }
VORN_EXPORT double vorn_nu0(const double* T) { return vorn::viscosity_dilute(*T); }
VORN_EXPORT double vorn_nu(const double* T, const double* P) { return vorn::viscosity(*T, *P); }
}
