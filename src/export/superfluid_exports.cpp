// Exports of the saturated liquid (superfluid/) and of the ITS-90 vapour-
// pressure scale (thermometry/): each property a scalar routine and an array
// form, each writing its flags where the host asks for them.
#define VORN_BUILDING_LIBRARY
#include <cstddef>

#include "constants/export.hpp"
#include "constants/floating_point_guards.hpp"
#include "superfluid/counterflow_channel.hpp"
#include "superfluid/range_flags.hpp"
#include "superfluid/saturated_liquid.hpp"
#include "thermometry/its90_vapour_scale.hpp"
#include "vorn.h"

namespace sf = vorn::superfluid;

static_assert(sf::flag_bad_input == VORN_SVP_FLAG_BAD_INPUT, "flag bits as vorn.h");
static_assert(sf::flag_out_of_range == VORN_SVP_FLAG_OUT_OF_RANGE, "flag bits as vorn.h");
static_assert(sf::flag_outside_scale == VORN_SVP_FLAG_OUTSIDE_SCALE, "flag bits as vorn.h");
static_assert(sf::flag_at_lambda == VORN_SVP_FLAG_AT_LAMBDA, "flag bits as vorn.h");
static_assert(sf::flag_past_lambda == VORN_SVP_FLAG_PAST_LAMBDA, "flag bits as vorn.h");

namespace {

constexpr double kilo = 1000.0;

double write_point(const vorn::VapourScalePoint& point, double value, double* dTdP, unsigned* flags) {
  if (dTdP != nullptr) *dTdP = kilo * point.dTdp;  // K/Pa to K/kPa
  if (flags != nullptr) *flags = point.flags;
  return value;
}

double svp(sf::Property p, const double* T, unsigned* flags) {
  const sf::Result r = sf::saturated_liquid(p, *T);
  if (flags != nullptr) *flags = r.flags;
  return r.value;
}

void svp_n(sf::Property p, std::size_t n, const double* T, double* out, unsigned* flags) {
  for (std::size_t i = 0; i < n; ++i) {
    const sf::Result r = sf::saturated_liquid(p, T[i]);
    out[i] = r.value;
    if (flags != nullptr) flags[i] = r.flags;
  }
}

// The exponent of a channel routine: *m, or 3 where the host passes none.
double exponent(const double* m) { return m == nullptr ? sf::counterflow_exponent_classical : *m; }

double written(const sf::Result& r, unsigned* flags) {
  if (flags != nullptr) *flags = r.flags;
  return r.value;
}

}  // namespace

extern "C" {

VORN_EXPORT double vorn_its90_T(const double* P, double* dTdP, unsigned* flags) {
  const vorn::VapourScalePoint point = vorn::its90_from_pressure(kilo * *P);
  return write_point(point, point.T, dTdP, flags);
}

VORN_EXPORT double vorn_its90_P(const double* T, double* dTdP, unsigned* flags) {
  const vorn::VapourScalePoint point = vorn::its90_from_temperature(*T);
  return write_point(point, point.p / kilo, dTdP, flags);
}

VORN_EXPORT void vorn_its90_T_n(std::size_t n, const double* P, double* T, double* dTdP, unsigned* flags) {
  for (std::size_t i = 0; i < n; ++i) {
    T[i] = vorn_its90_T(P + i, dTdP == nullptr ? nullptr : dTdP + i, flags == nullptr ? nullptr : flags + i);
  }
}

VORN_EXPORT void vorn_its90_P_n(std::size_t n, const double* T, double* P, double* dTdP, unsigned* flags) {
  for (std::size_t i = 0; i < n; ++i) {
    P[i] = vorn_its90_P(T + i, dTdP == nullptr ? nullptr : dTdP + i, flags == nullptr ? nullptr : flags + i);
  }
}

#define VORN_SVP_ROUTINES(name, property)                                                              \
  VORN_EXPORT double vorn_svp_##name(const double* T, unsigned* flags) {                               \
    return svp(sf::Property::property, T, flags);                                                      \
  }                                                                                                    \
  VORN_EXPORT void vorn_svp_##name##_n(std::size_t n, const double* T, double* out, unsigned* flags) { \
    svp_n(sf::Property::property, n, T, out, flags);                                                   \
  }

VORN_SVP_ROUTINES(rho, density)
VORN_SVP_ROUTINES(alpha, thermal_expansion)
VORN_SVP_ROUTINES(rho_s, superfluid_density)
VORN_SVP_ROUTINES(rho_normal, normal_density)
VORN_SVP_ROUTINES(fraction_s, superfluid_fraction)
VORN_SVP_ROUTINES(u1, first_sound)
VORN_SVP_ROUTINES(u2, second_sound)
VORN_SVP_ROUTINES(c, heat_capacity)
VORN_SVP_ROUTINES(s, entropy)
VORN_SVP_ROUTINES(L, latent_heat)
VORN_SVP_ROUTINES(eta_n, normal_viscosity)
VORN_SVP_ROUTINES(B, mutual_friction_B)
VORN_SVP_ROUTINES(B_prime, mutual_friction_B_prime)
VORN_SVP_ROUTINES(P, vapour_pressure)
VORN_SVP_ROUTINES(heat_conductivity_function, heat_conductivity_function)

#undef VORN_SVP_ROUTINES

VORN_EXPORT double vorn_svp_channel_warm_end(const double* T_bath, const double* L, const double* q,
                                             const double* m, unsigned* flags) {
  return written(sf::channel_warm_end(*T_bath, *L, *q, exponent(m)), flags);
}

VORN_EXPORT double vorn_svp_channel_heat_flux(const double* T_bath, const double* T_warm, const double* L,
                                              const double* m, unsigned* flags) {
  return written(sf::channel_heat_flux(*T_bath, *T_warm, *L, exponent(m)), flags);
}

VORN_EXPORT double vorn_svp_channel_peak_flux(const double* T_bath, const double* L, const double* m,
                                              unsigned* flags) {
  return written(sf::channel_peak_heat_flux(*T_bath, *L, exponent(m)), flags);
}

// The array forms: point i of each argument (m may be NULL: 3 everywhere).
VORN_EXPORT void vorn_svp_channel_warm_end_n(std::size_t n, const double* T_bath, const double* L,
                                             const double* q, const double* m, double* out, unsigned* flags) {
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = vorn_svp_channel_warm_end(T_bath + i, L + i, q + i, m == nullptr ? nullptr : m + i,
                                       flags == nullptr ? nullptr : flags + i);
  }
}

VORN_EXPORT void vorn_svp_channel_heat_flux_n(std::size_t n, const double* T_bath, const double* T_warm,
                                              const double* L, const double* m, double* out,
                                              unsigned* flags) {
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = vorn_svp_channel_heat_flux(T_bath + i, T_warm + i, L + i, m == nullptr ? nullptr : m + i,
                                        flags == nullptr ? nullptr : flags + i);
  }
}

VORN_EXPORT void vorn_svp_channel_peak_flux_n(std::size_t n, const double* T_bath, const double* L,
                                              const double* m, double* out, unsigned* flags) {
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = vorn_svp_channel_peak_flux(T_bath + i, L + i, m == nullptr ? nullptr : m + i,
                                        flags == nullptr ? nullptr : flags + i);
  }
}

}  // extern "C"
