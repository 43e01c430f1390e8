// Exports of the reference equation of state: the one-value entry point, the
// whole state in a struct that can grow, their array forms, saturation and
// the limit lines. Here, and only here, the molar SI results become the
// library's units: per kilogram with the equation's own M, pressures in kPa.
#define VORN_BUILDING_LIBRARY
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <limits>
#include <string_view>
#include <type_traits>

#include "constants/export.hpp"
#include "constants/floating_point_guards.hpp"
#include "export/last_state.hpp"
#include "reference_eos/boundaries.hpp"
#include "reference_eos/constants.hpp"
#include "reference_eos/fluid_state.hpp"
#include "reference_eos/he_ii_bath.hpp"
#include "reference_eos/properties.hpp"
#include "reference_eos/saturation.hpp"
#include "reference_transport/transport.hpp"
#include "superfluid/heat_conductivity_function.hpp"
#include "superfluid/saturated_liquid.hpp"
#include "superfluid_pressure/flash.hpp"
#include "vorn.h"

namespace {

namespace eos = vorn::reference_eos;

constexpr double undefined = std::numeric_limits<double>::quiet_NaN();
constexpr double M = eos::molar_mass;
constexpr double kilo = 1000.0;

// The scales of the table's rows (vorn_eos_facts.def): the library's molar
// SI to the host's units, each by the one operation that always made it
// (a factor, multiplied or divided by), and a pair's input back by the other.
enum class Scale { one, kpa, per_kpa, per_kg, kg, kpa_m3_per_kg, cm3, code, unknown };

struct Factor {
  double factor;
  bool divide;  // to the host's units by dividing by the factor
};

constexpr Factor factor_of(Scale scale) {
  switch (scale) {
    case Scale::kpa:
      return {kilo, true};
    case Scale::per_kpa:
      return {kilo, false};
    case Scale::per_kg:
      return {M, true};
    case Scale::kg:
      return {M, false};
    case Scale::kpa_m3_per_kg:
      return {kilo * M, true};
    case Scale::cm3:
      return {1e6, false};
    default:
      return {1.0, false};
  }
}

constexpr double to_host(Scale scale, double x) {
  const Factor f = factor_of(scale);
  return f.divide ? x / f.factor : x * f.factor;
}

constexpr double from_host(Scale scale, double x) {
  const Factor f = factor_of(scale);
  return f.divide ? x * f.factor : x / f.factor;
}

double host_value(Scale scale, double x) { return to_host(scale, x); }
int host_value(Scale /*scale*/, eos::Phase phase) { return static_cast<int>(phase); }
unsigned host_value(Scale /*scale*/, unsigned flags) { return flags; }

// The scale of the property a key names.
constexpr Scale scale_of(std::string_view key) {
#define VORN_EOS_PROPERTY_ROW(NAME, code, k, unit, kind, of, scale, ...) \
  if (key == #k) return Scale::scale;
#include "vorn_eos_facts.def"
  return Scale::unknown;
}

// The properties the table computes from the flash's state by a function.
double molar_volume(const eos::FluidState& f) { return 1.0 / f.rho; }
double heat_capacity_ratio(const eos::FluidState& f) { return f.cp / f.cv; }

// T - T_lambda(p) for a fluid of one phase up to the line's upper end (He II
// below the lambda point's pressure: from the lambda point), NaN for any
// other state. He II's NEAR_LAMBDA flag is this distance above -0.1 K.
double lambda_distance(const eos::FluidState& f) {
  const bool one_phase =
      f.phase == eos::Phase::liquid || f.phase == eos::Phase::he_ii || f.phase == eos::Phase::supercritical;
  return one_phase ? eos::lambda_line_distance(f.T, f.p) : undefined;
}

// Host inputs (kPa, kg/m3, per kilogram) to the flash's molar SI; an unknown
// pair is bad input.
eos::FluidState state_from(int pair, double x1, double x2) {
  switch (pair) {
#define VORN_EOS_PAIR_ROW(NAME, code, first, second, solver)                                        \
  case VORN_EOS_##NAME: {                                                                           \
    constexpr Scale a = scale_of(#first), b = scale_of(#second);                                    \
    static_assert(a != Scale::unknown && b != Scale::unknown, #NAME ": its inputs are properties"); \
    return eos::flash(eos::InputPair::first##second, from_host(a, x1), from_host(b, x2));           \
  }
#include "vorn_eos_facts.def"
    default:
      return eos::flash(eos::InputPair::TP, undefined, undefined);
  }
}

// Whether a property is computed only when asked for, by its code: the
// transport's, and He II's two-fluid values (a fifth of a He II state's
// cost, which a host asking for rho or h need not pay).
enum class Kind { state, derived, transport, he_ii };
struct LateCodes {
  bool of[64];
};
constexpr LateCodes late_codes() {
  LateCodes t{};
#define VORN_EOS_PROPERTY_ROW(NAME, code, key, unit, kind, ...) \
  t.of[code] = Kind::kind == Kind::transport || Kind::kind == Kind::he_ii;
#include "vorn_eos_facts.def"
  return t;
}
constexpr LateCodes kLateCodes = late_codes();

bool is_late(int property) {
  return property >= 0 && property < static_cast<int>(std::size(kLateCodes.of)) && kLateCodes.of[property];
}

// The state in the host's units, with what its transport and He II's
// two-fluid values need kept in the equation's molar SI units. Both are
// filled in only when a caller asks for them (their codes, the flags, or a
// struct long enough to hold them): the other properties do not pay for them. Its flags (extrapolated beyond
// the correlations' data, undefined where a form stops describing helium) are kept apart and reach only the
// results that carry transport, so a host of the first struct sees the equation's flags as it always did.
struct KeptState {
  vorn_eos_state host;
  double rho, p, cp, kappa, dpdT;  // mol/m3, Pa, J/(mol K), 1/Pa, Pa/K
  double s, q;                     // J/(mol K), 1: He II's two-fluid values take them
  unsigned transport_flags;
  bool transport_settled;  // transport and He II's values filled, or none to fill (a two-phase mixture has
                           // none)
};

// A saturated-liquid fit at T (NaN outside its range).
double fit(vorn::superfluid::Property p, double T) { return vorn::superfluid::saturated_liquid(p, T).value; }

// Transport of the saturated He II liquid: the normal fluid's viscosity of
// the fits; no Fourier conductivity (heat moves by counterflow: the heat
// conductivity function), so the conductivity and what is made of it is NaN.
vorn::reference_transport::TransportProperties he_ii_transport(double T, double rho) {
  const double eta = fit(vorn::superfluid::Property::normal_viscosity, T);
  return {eta, undefined, eta / rho, undefined, undefined, 0U};
}

KeptState host_state(const eos::FluidState& f) {
  KeptState k{};
  vorn_eos_state& s = k.host;
  s.size = sizeof s;
  s.evaluations = f.evaluations;
  // Each property by its row: from the flash's state, by a function of it,
  // or (transport, He II) NaN until filled below; then NaN in two phases
  // where the row says so.
#define VORN_EOS_PROPERTY_ROW(NAME, code, key, unit, kind, of, scale, two_phase, ...) \
  VORN_FILL_##kind(key, of, scale) VORN_TWO_PHASE_##two_phase(key)
#define VORN_FILL_state(key, of, scale) s.key = host_value(Scale::scale, f.of);
#define VORN_FILL_derived(key, of, scale) s.key = host_value(Scale::scale, of(f));
#define VORN_FILL_transport(key, of, scale) s.key = undefined;
#define VORN_FILL_he_ii(key, of, scale) s.key = undefined;
#define VORN_TWO_PHASE_value(key)
#define VORN_TWO_PHASE_nan(key) \
  if (f.phase == eos::Phase::two_phase) s.key = undefined;
#include "vorn_eos_facts.def"
#undef VORN_FILL_state
#undef VORN_FILL_derived
#undef VORN_FILL_transport
#undef VORN_FILL_he_ii
#undef VORN_TWO_PHASE_value
#undef VORN_TWO_PHASE_nan
  k.rho = f.rho;
  k.p = f.p;
  k.cp = f.cp;
  k.kappa = f.kappa;
  k.dpdT = f.dpdT;
  k.s = f.s;
  k.q = f.q;
  // A two-phase mixture has no one viscosity or conductivity (its phase says
  // so): its transport stays NaN, as its cp does.
  k.transport_settled = f.phase == eos::Phase::two_phase;
  return k;
}

// He II's two-fluid values from the kept state: the bath's saturated liquid
// (q 0) has the fits' values; He II under pressure (q NaN, or q 0 at p_s by
// (T, P)) the model's.
void fill_he_ii(KeptState& k) {
  vorn_eos_state& s = k.host;
  if (s.phase != static_cast<int>(eos::Phase::he_ii)) return;
  if (std::isnan(k.q)) {
    eos::FluidState f{};
    f.phase = eos::Phase::he_ii;
    f.T = s.T;
    f.p = k.p;
    f.rho = k.rho;
    f.s = k.s;
    f.cp = k.cp;
    f.w = s.w;
    const vorn::superfluid_pressure::TwoFluid two = vorn::superfluid_pressure::plane_two_fluid(f);
    s.superfluid_fraction = two.fraction;
    s.second_sound = two.second_sound;
    s.heat_conductivity_function = two.conductivity_function;
    s.fourth_sound = two.fourth_sound;
    return;
  }
  s.superfluid_fraction = fit(vorn::superfluid::Property::superfluid_fraction, s.T);
  s.second_sound = fit(vorn::superfluid::Property::second_sound, s.T);
  s.fourth_sound = vorn::superfluid_pressure::fourth_sound(
      s.superfluid_fraction, fit(vorn::superfluid::Property::first_sound, s.T), s.second_sound);
  s.heat_conductivity_function = vorn::superfluid::heat_conductivity_function(s.T);
}

// Transport (and He II's values) from the kept inputs; where the flags
// withhold the state they are NaN already, and so is every transport value.
void fill_transport(KeptState& k) {
  if (k.transport_settled) return;
  fill_he_ii(k);
  vorn_eos_state& s = k.host;
  const vorn::reference_transport::TransportProperties t =
      s.phase == static_cast<int>(eos::Phase::he_ii)
          ? he_ii_transport(s.T, s.rho)
          : vorn::reference_transport::transport_at(s.T, k.rho, k.p, k.cp, k.kappa, k.dpdT);
  if ((s.flags & eos::flags_without_result) == 0U) k.transport_flags = t.flags;
#define VORN_EOS_PROPERTY_ROW(NAME, code, key, unit, kind, of, ...) VORN_TRANSPORT_##kind(key, of)
#define VORN_TRANSPORT_state(key, of)
#define VORN_TRANSPORT_derived(key, of)
#define VORN_TRANSPORT_transport(key, of) s.key = t.of;
#define VORN_TRANSPORT_he_ii(key, of)
#include "vorn_eos_facts.def"
#undef VORN_TRANSPORT_state
#undef VORN_TRANSPORT_derived
#undef VORN_TRANSPORT_transport
#undef VORN_TRANSPORT_he_ii
  k.transport_settled = true;
}

// One property out of the whole state, by the table of the equation's facts.
double pick(const vorn_eos_state& s, int property) {
  switch (property) {
#define VORN_EOS_PROPERTY_ROW(NAME, code, key, ...) \
  case VORN_EOS_##NAME:                             \
    return static_cast<double>(s.key);
#include "vorn_eos_facts.def"
    default:
      return undefined;
  }
}

// The first versions of the structs, verbatim: their layout is frozen, and
// every later version only appends to it.
struct StateV1 {
  size_t size;
  unsigned flags;
  int phase;
  double T, P, rho, vm, u, h, s, g, cv, cp, cp_cv, w, jt, kappa_T, alpha_V, dpdT, dpdrho, B, Z, q;
  int evaluations;
};
struct SaturationV1 {
  size_t size;
  unsigned flags;
  double T, P, rho_liquid, rho_vapour, h_liquid, h_vapour, s_liquid, s_vapour, latent_heat, surface_tension,
      dPdT;
  int evaluations;
};
// Each version's fields lie where the first version's did, and it ends where
// the first ended: its size counts up to the end of `evaluations`.
#define VORN_FROZEN(Now, Then, inner, first_size)                                            \
  ((first_size) == offsetof(Then, evaluations) + sizeof(int) &&                              \
   offsetof(Now, flags) == offsetof(Then, flags) && offsetof(Now, T) == offsetof(Then, T) && \
   offsetof(Now, inner) == offsetof(Then, inner) &&                                          \
   offsetof(Now, evaluations) == offsetof(Then, evaluations))
static_assert(VORN_FROZEN(vorn_eos_state, StateV1, q, VORN_EOS_STATE_SIZE_V1),
              "the first version of vorn_eos_state is frozen");
static_assert(VORN_FROZEN(vorn_eos_saturation, SaturationV1, dPdT, VORN_EOS_SATURATION_SIZE_V1),
              "the first version of vorn_eos_saturation is frozen");
#undef VORN_FROZEN

// The table of the equation's facts says what vorn.h says: each row's code
// is the header's (the header's codes without a row are a test's to find).
#define VORN_EOS_PROPERTY_ROW(NAME, code, ...) \
  static_assert(VORN_EOS_##NAME == (code), "property " #NAME ": the table's code is vorn.h's");
#define VORN_EOS_PAIR_ROW(NAME, code, first, second, solver)                                            \
  static_assert(VORN_EOS_##NAME == (code) && static_cast<int>(eos::InputPair::first##second) == (code), \
                "pair " #NAME ": the table's code is vorn.h's and the flash's");
#define VORN_EOS_PHASE_ROW(NAME, code, key, name, description)                                  \
  static_assert(VORN_EOS_PHASE_##NAME == (code) && static_cast<int>(eos::Phase::key) == (code), \
                "phase " #NAME ": the table's code is vorn.h's and the flash's");
#define VORN_EOS_FLAG_ROW(NAME, bit, key, withholds, description)          \
  static_assert(VORN_EOS_FLAG_##NAME == (bit) && eos::flag_##key == (bit), \
                "flag " #NAME ": the table's bit is vorn.h's and the flash's");
#define VORN_EOS_STATE_ROW(field, type)                                \
  static_assert(std::is_same_v<decltype(vorn_eos_state::field), type>, \
                "vorn_eos_state::" #field ": the table's type is vorn.h's");
#define VORN_EOS_SATURATION_ROW(field, type, unit)                          \
  static_assert(std::is_same_v<decltype(vorn_eos_saturation::field), type>, \
                "vorn_eos_saturation::" #field ": the table's type is vorn.h's");
#include "vorn_eos_facts.def"
static_assert(eos::flags_without_result == (0U
#define VORN_EOS_FLAG_ROW(NAME, bit, key, withholds, description) | ((withholds) != 0 ? (bit) : 0U)
#include "vorn_eos_facts.def"
                                            ),
              "the flags that withhold a result are the table's");

// Where each field of a struct lies, in the table's order.
struct FieldPlace {
  std::size_t offset, size, align;
};
#define VORN_PLACE(Struct, field) \
  FieldPlace { offsetof(Struct, field), sizeof(Struct::field), alignof(decltype(Struct::field)) }
constexpr FieldPlace state_fields[] = {
#define VORN_EOS_STATE_ROW(field, type) VORN_PLACE(vorn_eos_state, field),
#include "vorn_eos_facts.def"
};
constexpr FieldPlace saturation_fields[] = {
#define VORN_EOS_SATURATION_ROW(field, type, unit) VORN_PLACE(vorn_eos_saturation, field),
#include "vorn_eos_facts.def"
};
#undef VORN_PLACE

// Each field where the one before it ends (or at the next multiple of its
// alignment), the first at 0, the struct ending with the last (but its tail
// padding): the table lists every field of the struct, in its order.
template <std::size_t N>
constexpr bool listed_exactly(const FieldPlace (&fields)[N], std::size_t size, std::size_t align) {
  std::size_t end = 0;
  for (const FieldPlace& f : fields) {
    if (f.offset != (end + f.align - 1) / f.align * f.align) return false;
    end = f.offset + f.size;
  }
  return (end + align - 1) / align * align == size;
}
static_assert(listed_exactly(state_fields, sizeof(vorn_eos_state), alignof(vorn_eos_state)),
              "the table lists every field of vorn_eos_state, in order");
static_assert(listed_exactly(saturation_fields, sizeof(vorn_eos_saturation), alignof(vorn_eos_saturation)),
              "the table lists every field of vorn_eos_saturation, in order");

// The bytes of the whole fields that fit in `size`: a caller's size is cut
// back to the last whole field it holds, so no field is ever half written.
template <std::size_t N>
constexpr std::size_t whole_fields(const FieldPlace (&fields)[N], std::size_t size) {
  std::size_t n = sizeof(std::size_t);
  for (const FieldPlace& f : fields)
    if (f.offset + f.size <= size) n = f.offset + f.size;
  return n;
}

// Copy the whole fields that fit in the caller's size, keeping its size field.
template <typename Struct, std::size_t N>
void write_fitting(const Struct& full, Struct* out, std::size_t size, const FieldPlace (&fields)[N]) {
  const std::size_t n = whole_fields(fields, size);
  auto* dst = reinterpret_cast<unsigned char*>(out);
  const auto* src = reinterpret_cast<const unsigned char*>(&full);
  std::memcpy(dst + sizeof(std::size_t), src + sizeof(std::size_t), n - sizeof(std::size_t));
}

// The fields both saturations fill alike from each phase: the liquid's (T, p,
// rho, h, s, its transport) and the vapour's state, in the host's units.
void fill_phases(vorn_eos_saturation& s, double T, double p, double rho_l, double h_l, double s_l,
                 const vorn::reference_transport::TransportProperties& liquid_transport,
                 const eos::FluidProperties& v) {
  s.T = T;
  s.P = p / kilo;
  s.rho_liquid = rho_l * M;
  s.rho_vapour = v.rho * M;
  s.h_liquid = h_l / M;
  s.h_vapour = v.h / M;
  s.s_liquid = s_l / M;
  s.s_vapour = v.s / M;
  s.latent_heat = (v.h - h_l) / M;
  const vorn::reference_transport::TransportProperties vt = vorn::reference_transport::transport_at(v);
  s.viscosity_liquid = liquid_transport.viscosity;
  s.viscosity_vapour = vt.viscosity;
  s.conductivity_liquid = liquid_transport.conductivity;
  s.conductivity_vapour = vt.conductivity;
  s.flags |= liquid_transport.flags | vt.flags;
}

vorn_eos_saturation host_saturation(const eos::Saturation& sat, unsigned failure_flags) {
  vorn_eos_saturation s{};
  s.size = sizeof s;
  s.evaluations = sat.evaluations;
  if (!sat.converged) {
    s.flags = failure_flags;
    s.T = s.P = s.rho_liquid = s.rho_vapour = s.h_liquid = s.h_vapour = undefined;
    s.s_liquid = s.s_vapour = s.latent_heat = s.surface_tension = s.dPdT = undefined;
    s.viscosity_liquid = s.viscosity_vapour = s.conductivity_liquid = s.conductivity_vapour = undefined;
    return s;
  }
  const eos::FluidProperties l = eos::properties_at(eos::he_i_equation(), sat.T, sat.rho_liquid);
  const eos::FluidProperties v = eos::properties_at(eos::he_i_equation(), sat.T, sat.rho_vapour);
  s.flags = 0U;
  fill_phases(s, sat.T, sat.p, sat.rho_liquid, l.h, l.s, vorn::reference_transport::transport_at(l), v);
  s.surface_tension = eos::surface_tension(sat.T);
  // At Tc the two states are one and (s'' - s')/(v'' - v') is 0/0: its limit
  // there is the slope of the critical isochore, (dp/dT) at rho_c.
  s.dPdT = (sat.rho_liquid > sat.rho_vapour ? (v.s - l.s) / (1.0 / sat.rho_vapour - 1.0 / sat.rho_liquid)
                                            : l.dpdT) /
           kilo;
  s.evaluations = sat.evaluations + 2;
  return s;
}

// The He II bath's two phases, below T_lambda (reference_eos/he_ii_bath.hpp).
vorn_eos_saturation host_bath(const eos::BathSaturation& sat) {
  vorn_eos_saturation s{};
  s.size = sizeof s;
  if (!sat.converged)
    return host_saturation(eos::Saturation{undefined, undefined, undefined, undefined, 0, false},
                           VORN_EOS_FLAG_NOT_CONVERGED);
  const eos::HeIILiquid& l = sat.liquid;
  const eos::FluidProperties& v = sat.vapour;
  s.flags = VORN_EOS_FLAG_EXTRAPOLATED;
  fill_phases(s, sat.T, sat.p, l.rho, l.h, l.s, he_ii_transport(l.T, l.rho * M), v);
  s.surface_tension = undefined;
  s.dPdT = eos::he_ii_vapour_pressure_slope(sat.T) / kilo;
  s.evaluations = sat.evaluations;
  return s;
}

// The last state of each thread (export/last_state.hpp): repeated calls at one
// state cost one flash.
thread_local vorn::exports::LastState<KeptState> last_state;

// Transport (and He II's two-fluid values) are added to the kept state when
// first asked for, so a later call at the same state asking for them costs
// no second flash. The flags of a state with transport are the equation's
// and the transport's.
vorn_eos_state state_of(int pair, double x1, double x2, bool with_transport) {
  KeptState& k =
      last_state.at(pair, x1, x2, [](int p, double a, double b) { return host_state(state_from(p, a, b)); });
  if (!with_transport) return k.host;
  fill_transport(k);
  vorn_eos_state s = k.host;
  s.flags |= k.transport_flags;
  return s;
}

// Whether a struct of `size` bytes holds any transport field.
bool holds_transport(std::size_t size) {
  return size >= offsetof(vorn_eos_state, viscosity) + sizeof(double);
}

int saturation_out(const vorn_eos_saturation& full, vorn_eos_saturation* out) {
  if (out == nullptr || out->size < VORN_EOS_SATURATION_SIZE_V1) return -1;
  write_fitting(full, out, out->size, saturation_fields);
  return 0;
}

// Saturation by T or by p (Pa): the He II bath below the lambda point, the
// equation's up to the critical point, the flags elsewhere.
struct SaturationBy {
  bool (*in_bath)(double);
  eos::BathSaturation (*bath_at)(double);
  eos::Saturation (*saturation_at)(double);
  double lambda, critical;
};

int saturation_by(double x, const SaturationBy& by, vorn_eos_saturation* out) {
  unsigned failure = VORN_EOS_FLAG_NOT_CONVERGED;
  if (!std::isfinite(x) || x <= 0.0)
    failure = VORN_EOS_FLAG_BAD_INPUT;
  else if (by.in_bath(x))
    return saturation_out(host_bath(by.bath_at(x)), out);
  else if (x < by.lambda)
    failure = VORN_EOS_FLAG_HE_II;
  else if (x > by.critical)
    failure = VORN_EOS_FLAG_NO_SOLUTION;
  return saturation_out(host_saturation(by.saturation_at(x), failure), out);
}

}  // namespace

extern "C" {

VORN_EXPORT double vorn_eos_value(const int* property, const int* pair, const double* x1, const double* x2) {
  const bool late = is_late(*property) || *property == VORN_EOS_FLAGS;
  return pick(state_of(*pair, *x1, *x2, late), *property);
}

VORN_EXPORT void vorn_eos_value_n(size_t n, const int* property, const int* pair, const double* x1,
                                  const double* x2, double* out) {
  for (size_t i = 0; i < n; ++i) out[i] = vorn_eos_value(property, pair, x1 + i, x2 + i);
}

VORN_EXPORT int vorn_eos_state_at(const int* pair, const double* x1, const double* x2, vorn_eos_state* out) {
  if (out == nullptr || out->size < VORN_EOS_STATE_SIZE_V1) return -1;
  write_fitting(state_of(*pair, *x1, *x2, holds_transport(out->size)), out, out->size, state_fields);
  return 0;
}

VORN_EXPORT int vorn_eos_state_n(size_t n, const int* pair, const double* x1, const double* x2,
                                 vorn_eos_state* out) {
  if (n == 0) return 0;
  // The stride must keep every element's doubles aligned.
  if (out == nullptr || out->size < VORN_EOS_STATE_SIZE_V1 || out->size % alignof(vorn_eos_state) != 0)
    return -1;
  const std::size_t stride = out->size;
  const bool transport = holds_transport(stride);
  auto* base = reinterpret_cast<unsigned char*>(out);
  for (size_t i = 0; i < n; ++i) {
    auto* element = reinterpret_cast<vorn_eos_state*>(base + i * stride);
    element->size = stride;
    write_fitting(state_of(*pair, x1[i], x2[i], transport), element, stride, state_fields);
  }
  return 0;
}

VORN_EXPORT int vorn_eos_saturation_T(const double* T, vorn_eos_saturation* out) {
  return saturation_by(*T,
                       {eos::in_bath_temperatures, eos::bath_at_temperature, eos::saturation_at_temperature,
                        eos::lambda_temperature, eos::critical_temperature},
                       out);
}

VORN_EXPORT int vorn_eos_saturation_P(const double* P, vorn_eos_saturation* out) {
  return saturation_by(*P * kilo,
                       {eos::in_bath_pressures, eos::bath_at_pressure, eos::saturation_at_pressure,
                        eos::lambda_saturation_pressure, eos::critical_pressure()},
                       out);
}

// The melting line over the equation's temperatures only: past 2000 K its
// Simon form is an extrapolation nobody measured (1e6 K gave a number).
VORN_EXPORT double vorn_eos_melting_pressure(const double* T) {
  if (!(*T >= 0.0 && *T <= eos::extrapolation_temperature)) return undefined;
  return eos::melting_pressure(*T) / kilo;
}

VORN_EXPORT double vorn_eos_lambda_temperature(const double* P) {
  const double p = *P * kilo;
  if (!(p >= eos::lambda_saturation_pressure && p <= eos::lambda_melting_pressure)) return undefined;
  return eos::lambda_line_temperature(p);
}
}
