// Exports of the reference equation of state: the one-value entry point, the
// whole state in a struct that can grow, their array forms, saturation and
// the limit lines. Here, and only here, the molar SI results become the
// library's units: per kilogram with the equation's own M, pressures in kPa.
#define VORN_BUILDING_LIBRARY
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>

#include "constants/export.hpp"
#include "constants/floating_point_guards.hpp"
#include "export/last_state.hpp"
#include "reference_eos/boundaries.hpp"
#include "reference_eos/constants.hpp"
#include "reference_eos/fluid_state.hpp"
#include "reference_eos/properties.hpp"
#include "reference_eos/saturation.hpp"
#include "vorn.h"

namespace {

namespace eos = vorn::reference_eos;

constexpr double undefined = std::numeric_limits<double>::quiet_NaN();
constexpr double M = eos::molar_mass;
constexpr double kilo = 1000.0;

bool known_pair(int pair) { return pair >= VORN_EOS_TP && pair <= VORN_EOS_PQ; }

// Host inputs (kPa, kg/m3, per kilogram) to the flash's molar SI.
eos::FluidState state_from(int pair, double x1, double x2) {
  if (!known_pair(pair)) {
    eos::FluidState s = eos::flash(eos::InputPair::TP, undefined, undefined);
    return s;
  }
  switch (pair) {
    case VORN_EOS_TP:
      x2 *= kilo;
      break;
    case VORN_EOS_TRHO:
      x2 /= M;
      break;
    case VORN_EOS_PRHO:
      x1 *= kilo;
      x2 /= M;
      break;
    case VORN_EOS_PH:
    case VORN_EOS_PS:
      x1 *= kilo;
      x2 *= M;
      break;
    case VORN_EOS_TS:
      x2 *= M;
      break;
    case VORN_EOS_RHOU:
      x1 /= M;
      x2 *= M;
      break;
    case VORN_EOS_PQ:
      x1 *= kilo;
      break;
    default:
      break;
  }
  return eos::flash(static_cast<eos::InputPair>(pair), x1, x2);
}

vorn_eos_state host_state(const eos::FluidState& f) {
  vorn_eos_state s{};
  s.size = sizeof s;
  s.flags = f.flags;
  s.phase = static_cast<int>(f.phase);
  s.T = f.T;
  s.P = f.p / kilo;
  s.rho = f.rho * M;
  s.vm = 1.0 / f.rho;
  s.u = f.u / M;
  s.h = f.h / M;
  s.s = f.s / M;
  s.g = f.g / M;
  s.cv = f.cv / M;
  s.cp = f.cp / M;
  s.cp_cv = f.cp / f.cv;
  s.w = f.w;
  s.jt = f.jt * kilo;
  s.kappa_T = f.kappa * kilo;
  s.alpha_V = f.alpha;
  s.dpdT = f.dpdT / kilo;
  s.dpdrho = f.dpdrho / (kilo * M);
  s.B = f.B * 1e6;
  s.Z = f.Z;
  s.q = f.q;
  s.evaluations = f.evaluations;
  return s;
}

double pick(const vorn_eos_state& s, int property) {
  switch (property) {
    case VORN_EOS_T:
      return s.T;
    case VORN_EOS_P:
      return s.P;
    case VORN_EOS_RHO:
      return s.rho;
    case VORN_EOS_VM:
      return s.vm;
    case VORN_EOS_U:
      return s.u;
    case VORN_EOS_H:
      return s.h;
    case VORN_EOS_S:
      return s.s;
    case VORN_EOS_G:
      return s.g;
    case VORN_EOS_CV:
      return s.cv;
    case VORN_EOS_CP:
      return s.cp;
    case VORN_EOS_CP_CV:
      return s.cp_cv;
    case VORN_EOS_W:
      return s.w;
    case VORN_EOS_JT:
      return s.jt;
    case VORN_EOS_KAPPA_T:
      return s.kappa_T;
    case VORN_EOS_ALPHA_V:
      return s.alpha_V;
    case VORN_EOS_DPDT:
      return s.dpdT;
    case VORN_EOS_DPDRHO:
      return s.dpdrho;
    case VORN_EOS_B:
      return s.B;
    case VORN_EOS_Z:
      return s.Z;
    case VORN_EOS_Q:
      return s.q;
    case VORN_EOS_PHASE:
      return static_cast<double>(s.phase);
    case VORN_EOS_FLAGS:
      return static_cast<double>(s.flags);
    default:
      return undefined;
  }
}

// The first version's size: the smallest a caller may pass.
constexpr std::size_t first_state_size = sizeof(vorn_eos_state);
constexpr std::size_t first_saturation_size = sizeof(vorn_eos_saturation);

// Copy the fields that fit in the caller's size, keeping its size field.
template <typename Struct>
void write_fitting(const Struct& full, Struct* out, std::size_t size) {
  const std::size_t n = size < sizeof full ? size : sizeof full;
  auto* dst = reinterpret_cast<unsigned char*>(out);
  const auto* src = reinterpret_cast<const unsigned char*>(&full);
  std::memcpy(dst + sizeof(std::size_t), src + sizeof(std::size_t), n - sizeof(std::size_t));
}

vorn_eos_saturation host_saturation(const eos::Saturation& sat, unsigned failure_flags) {
  vorn_eos_saturation s{};
  s.size = sizeof s;
  s.evaluations = sat.evaluations;
  if (!sat.converged) {
    s.flags = failure_flags;
    s.T = s.P = s.rho_liquid = s.rho_vapour = s.h_liquid = s.h_vapour = undefined;
    s.s_liquid = s.s_vapour = s.latent_heat = s.surface_tension = s.dPdT = undefined;
    return s;
  }
  const eos::FluidProperties l = eos::properties_at(sat.T, sat.rho_liquid);
  const eos::FluidProperties v = eos::properties_at(sat.T, sat.rho_vapour);
  s.flags = 0U;
  s.T = sat.T;
  s.P = sat.p / kilo;
  s.rho_liquid = sat.rho_liquid * M;
  s.rho_vapour = sat.rho_vapour * M;
  s.h_liquid = l.h / M;
  s.h_vapour = v.h / M;
  s.s_liquid = l.s / M;
  s.s_vapour = v.s / M;
  s.latent_heat = (v.h - l.h) / M;
  s.surface_tension = eos::surface_tension(sat.T);
  // At Tc the slope is the limit of (s'' - s')/(v'' - v'), which the two equal
  // states cannot give: left NaN there.
  s.dPdT = (v.s - l.s) / (1.0 / sat.rho_vapour - 1.0 / sat.rho_liquid) / kilo;
  s.evaluations = sat.evaluations + 2;
  return s;
}

// The last state of each thread (export/last_state.hpp): repeated calls at one
// state cost one flash.
thread_local vorn::exports::LastState<vorn_eos_state> last_state;

const vorn_eos_state& state_of(int pair, double x1, double x2) {
  return last_state.at(pair, x1, x2,
                       [](int p, double a, double b) { return host_state(state_from(p, a, b)); });
}

int saturation_out(const vorn_eos_saturation& full, vorn_eos_saturation* out) {
  if (out == nullptr || out->size < first_saturation_size) return -1;
  write_fitting(full, out, out->size);
  return 0;
}

}  // namespace

extern "C" {

VORN_EXPORT double vorn_eos_value(const int* property, const int* pair, const double* x1, const double* x2) {
  return pick(state_of(*pair, *x1, *x2), *property);
}

VORN_EXPORT void vorn_eos_value_n(size_t n, const int* property, const int* pair, const double* x1,
                                  const double* x2, double* out) {
  for (size_t i = 0; i < n; ++i) out[i] = vorn_eos_value(property, pair, x1 + i, x2 + i);
}

VORN_EXPORT int vorn_eos_state_at(const int* pair, const double* x1, const double* x2, vorn_eos_state* out) {
  if (out == nullptr || out->size < first_state_size) return -1;
  write_fitting(state_of(*pair, *x1, *x2), out, out->size);
  return 0;
}

VORN_EXPORT int vorn_eos_state_n(size_t n, const int* pair, const double* x1, const double* x2,
                                 vorn_eos_state* out) {
  if (n == 0) return 0;
  if (out == nullptr || out->size < first_state_size) return -1;
  const std::size_t stride = out->size;
  auto* base = reinterpret_cast<unsigned char*>(out);
  for (size_t i = 0; i < n; ++i) {
    auto* element = reinterpret_cast<vorn_eos_state*>(base + i * stride);
    element->size = stride;
    write_fitting(state_of(*pair, x1[i], x2[i]), element, stride);
  }
  return 0;
}

VORN_EXPORT int vorn_eos_saturation_T(const double* T, vorn_eos_saturation* out) {
  const double t = *T;
  unsigned failure = VORN_EOS_FLAG_NOT_CONVERGED;
  if (!std::isfinite(t) || t <= 0.0)
    failure = VORN_EOS_FLAG_BAD_INPUT;
  else if (t < eos::lambda_temperature)
    failure = VORN_EOS_FLAG_HE_II;
  else if (t > eos::critical_temperature)
    failure = VORN_EOS_FLAG_NO_SOLUTION;
  return saturation_out(host_saturation(eos::saturation_at_temperature(t), failure), out);
}

VORN_EXPORT int vorn_eos_saturation_P(const double* P, vorn_eos_saturation* out) {
  const double p = *P * kilo;
  unsigned failure = VORN_EOS_FLAG_NOT_CONVERGED;
  if (!std::isfinite(p) || p <= 0.0)
    failure = VORN_EOS_FLAG_BAD_INPUT;
  else if (p < eos::lambda_saturation_pressure)
    failure = VORN_EOS_FLAG_HE_II;
  else if (p > eos::critical_pressure())
    failure = VORN_EOS_FLAG_NO_SOLUTION;
  return saturation_out(host_saturation(eos::saturation_at_pressure(p), failure), out);
}

VORN_EXPORT double vorn_eos_melting_pressure(const double* T) { return eos::melting_pressure(*T) / kilo; }

VORN_EXPORT double vorn_eos_lambda_temperature(const double* P) {
  const double p = *P * kilo;
  if (!(p >= eos::lambda_saturation_pressure && p <= eos::lambda_melting_pressure)) return undefined;
  return eos::lambda_line_temperature(p);
}
}
