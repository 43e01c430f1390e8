// The He II bath (he_ii_bath.hpp): the saturated He II liquid on the
// equation's zero, the two saturated phases at T or p, and the flash's branch
// for the pairs that land between them. Molar SI units.
//
// How each pair finds the bath:
//   (T, q), (p, q)                  the saturation and the lever rule
//   (p, rho)                        the lever rule in volume
//   (p, s), (p, h), (p, u)          the lever rule in the quantity
//   (T, rho), (T, s), (T, h), (T, u)  the same, where the equation's flash
//                                   finds no fluid (He II): from 1.25 K to
//                                   T_lambda He I exists above the lambda
//                                   line at the same T, denser, and with s, h
//                                   and u inside the bath's span; the
//                                   equation's state goes first
//   (rho, u), (rho, h), (rho, s)    the Illinois method in T on the mixture's
//                                   value along the isochore, each step a saturation
//   (h, s)                          the same on (h - h')(s'' - s') = (s - s')(h'' - h')
// Beyond the vapour's side the state is the equation's vapour (the caller's
// flashes). Beyond the liquid's side, at a held T or p, it is He II pressed
// above its vapour pressure, not yet described: refused as He II.
#include "reference_eos/he_ii_bath.hpp"

#include <cstddef>

#include "reference_eos/flash_common.hpp"
#include "reference_eos/he_ii_liquid_data.hpp"
#include "superfluid/density.hpp"
#include "superfluid/heat_capacity.hpp"
#include "superfluid/sound.hpp"

namespace vorn::reference_eos {
namespace {

using flash_detail::nan;
using flash_detail::Quantity;

// The vapour's equation, whose energy and entropy zero the bath's liquid shares.
const HelmholtzModel& equation() { return he_i_equation(); }

// The vapour pressure at 1.25 K: ITS-90's there, scaled as he_ii_vapour_pressure.
constexpr double bath_lowest_pressure = he_ii_vapour_scale * its90_lowest_pressure;

struct Drops {
  double s;  // s(T_lambda) - s(T), J/(mol K)
  double h;  // h(T_lambda) - h(T), J/mol
};

// Where T lies in the table: the interval [lo, lo + 1] and the fraction x
// across it; `last` when T is beyond the last node (the final 35 nK).
struct Place {
  std::size_t lo;
  double x;
  double width;
  bool last;
};
Place place_of(double T) {
  const auto& n = he_ii_liquid_nodes;
  constexpr std::size_t last = he_ii_liquid_nodes.size() - 1;
  if (T >= n[last].T) return {last, 0.0, 0.0, true};
  std::size_t lo = 0;
  std::size_t hi = last;
  while (hi - lo > 1) {
    const std::size_t mid = (lo + hi) / 2;
    (n[mid].T <= T ? lo : hi) = mid;
  }
  const double width = n[hi].T - n[lo].T;
  return {lo, (T - n[lo].T) / width, width, false};
}

// Cubic Hermite between the values a and b with the slopes da and db (per K).
double hermite(const Place& at, double a, double da, double b, double db) {
  const double x = at.x;
  const double y = 1.0 - x;
  return (1.0 + 2.0 * x) * y * y * a + x * y * y * at.width * da + x * x * (3.0 - 2.0 * x) * b -
         x * x * y * at.width * db;
}

// The drops of s and h from T_lambda down to T, T in [1.25 K, T_lambda]:
// cubic Hermite between the table's nodes, linear from its last node (the end
// of the heat capacity's spline) to T_lambda, where both are 0. The drops fall
// as T rises: their slopes are -ds/dT and -dh/dT.
Drops drops_at(double T) {
  const auto& n = he_ii_liquid_nodes;
  const Place at = place_of(T);
  const HeIILiquidNode& a = n[at.lo];
  if (at.last) {
    const double f = (lambda_temperature - T) / (lambda_temperature - a.T);
    return {f * a.entropy_drop, f * a.enthalpy_drop};
  }
  const HeIILiquidNode& b = n[at.lo + 1];
  return {hermite(at, a.entropy_drop, -a.dsdT, b.entropy_drop, -b.dsdT),
          hermite(at, a.enthalpy_drop, -a.dhdT, b.enthalpy_drop, -b.dhdT)};
}

// Z of the saturated vapour at T from the table: the start of its density.
double vapour_compressibility(double T) {
  const auto& n = he_ii_liquid_nodes;
  const Place at = place_of(T);
  const HeIILiquidNode& a = n[at.lo];
  if (at.last) return a.vapour_Z + a.dZdT * (T - a.T);
  const HeIILiquidNode& b = n[at.lo + 1];
  return hermite(at, a.vapour_Z, a.dZdT, b.vapour_Z, b.dZdT);
}

HeIILiquid no_liquid() { return {nan, nan, nan, nan, nan, nan, nan}; }

BathSaturation no_bath() { return {nan, nan, no_liquid(), properties_at(equation(), nan, nan), 0, false}; }

// The two phases at T with the vapour pressure p. The vapour's density by
// Newton's method on p from the table's Z (within 3e-11 of it): one step, two
// evaluations, until p is met to 1e-14; failing that within 6, the isotherm's
// bracketed search.
BathSaturation bath_at(double T, double p) {
  double rho = p / (vapour_compressibility(T) * gas_constant * T);
  int evaluations = 0;
  for (int i = 0; i < 6; ++i) {
    const FluidProperties v = properties_at(equation(), T, rho);
    ++evaluations;
    if (std::fabs(v.p - p) <= 1e-14 * p) return {T, p, he_ii_liquid(T), v, evaluations, true};
    if (!(v.dpdrho > 0.0)) break;
    rho -= (v.p - p) / v.dpdrho;
  }
  const RootResult r = flash_detail::cold_vapour_density(equation(), T, p);
  if (!r.converged) return no_bath();
  return {T, p, he_ii_liquid(T), properties_at(equation(), T, r.x), evaluations + r.evaluations + 1, true};
}

double value(const HeIILiquid& l, Quantity q) {
  switch (q) {
    case Quantity::pressure:
      return l.p;
    case Quantity::density:
      return l.rho;
    case Quantity::energy:
      return l.u;
    case Quantity::enthalpy:
      return l.h;
    case Quantity::entropy:
      break;
  }
  return l.s;
}

double value(const FluidProperties& v, Quantity q) { return flash_detail::partials(v, q).value; }

// The lever rule at a held T or p: true with the state, or with He II refused
// below the liquid's value; false above the vapour's (the equation's vapour).
// Density goes by volume.
bool lever(const BathSaturation& sat, Quantity q, double target, FluidState& out) {
  if (!sat.converged) {
    out = flash_detail::empty(flag_not_converged);
    return true;
  }
  const double x_l = value(sat.liquid, q);
  const double x_v = value(sat.vapour, q);
  const bool density = q == Quantity::density;
  if (density ? target > x_l : target < x_l) {
    out = flash_detail::empty(flag_he_ii);
    return true;
  }
  if (density ? target < x_v : target > x_v) return false;
  const double quality =
      density ? (1.0 / target - 1.0 / x_l) / (1.0 / x_v - 1.0 / x_l) : (target - x_l) / (x_v - x_l);
  out = bath_state(sat, std::fmin(std::fmax(quality, 0.0), 1.0));
  return true;
}

// The Illinois method (false position, the retained end's value halved when
// it is kept twice) for a root of f in [a, b], f(a) and f(b) of opposite
// signs; at most 60 steps, done when a step is below 1e-14 relative.
struct Root {
  double x;
  bool converged;
};
template <typename Function>
Root illinois(Function f, double a, double b, double fa, double fb) {
  int kept = 0;  // -1: a kept last, +1: b kept last
  double previous = a;
  for (int i = 0; i < 60; ++i) {
    double c = (a * fb - b * fa) / (fb - fa);
    if (!(c >= a && c <= b)) c = 0.5 * (a + b);
    const double fc = f(c);
    if (std::isnan(fc)) return {c, false};
    if (fc == 0.0 || std::fabs(c - previous) <= 1e-14 * c || b - a <= 1e-14 * b) return {c, true};
    previous = c;
    if ((fc > 0.0) == (fb > 0.0)) {
      b = c;
      fb = fc;
      if (kept == -1) fa *= 0.5;
      kept = -1;
    } else {
      a = c;
      fa = fc;
      if (kept == 1) fb *= 0.5;
      kept = 1;
    }
  }
  return {previous, false};
}

// The quality of a mixture of density rho between the two phases.
double quality_of_volume(const BathSaturation& sat, double rho) {
  return (1.0 / rho - 1.0 / sat.liquid.rho) / (1.0 / sat.vapour.rho - 1.0 / sat.liquid.rho);
}

// How far outside [0, 1] a solved quality may lie and still be the saturated
// state at that end: the search's rounding.
constexpr double quality_rounding = 1e-9;

// A bath state found by a search in T on f(sat), f rising with T, and its
// quality(sat). False if the state lies outside [1.25 K, T_lambda] or, solved,
// has a quality outside [0, 1]: the caller's flashes answer then.
template <typename Residual, typename Quality>
bool search_in_temperature(Residual f, Quality quality, FluidState& out, double T_hi = lambda_temperature) {
  int evaluations = 0;
  auto residual = [&](double T) {
    const BathSaturation sat = bath_at_temperature(T);
    evaluations += sat.evaluations;
    return sat.converged ? f(sat) : nan;
  };
  // A state on either end (1.25 K, T_lambda) may have its residual there a
  // rounding on the wrong side.
  const double f_top = residual(T_hi);
  const double f_bottom = residual(lowest_vapour_temperature);
  const double rounding = 1e-12 * (std::fabs(f_top) + std::fabs(f_bottom));
  if (!(f_top >= -rounding && f_bottom <= rounding)) return false;
  // A residual within rounding of 0 at an end is the root there: the bracket
  // holds no sign change for the search to close on.
  const Root r = std::fabs(f_top) <= rounding ? Root{T_hi, true}
                 : std::fabs(f_bottom) <= rounding
                     ? Root{lowest_vapour_temperature, true}
                     : illinois(residual, lowest_vapour_temperature, T_hi, f_bottom, f_top);
  if (!r.converged) {
    out = flash_detail::empty(flag_not_converged);
    return true;
  }
  BathSaturation sat = bath_at_temperature(r.x);
  const double q = quality(sat);
  if (!(q >= -quality_rounding && q <= 1.0 + quality_rounding)) return false;
  sat.evaluations += evaluations;
  out = bath_state(sat, std::fmin(std::fmax(q, 0.0), 1.0));
  return true;
}

// (rho, u), (rho, h), (rho, s): the lever rule's value along the isochore rises with T.
bool isochore(double rho, double target, flash_detail::Caloric c, FluidState& out) {
  // Denser than the liquid at T_lambda, or thinner than the vapour at 1.25 K
  // (Z is above 0.99 there): no bath state.
  const double thinnest = 0.99 * bath_lowest_pressure / (gas_constant * lowest_vapour_temperature);
  if (!(rho > thinnest && rho <= he_ii_liquid(lambda_temperature).rho)) return false;
  const double highest = c == flash_detail::Caloric::entropy  ? bath_highest_entropy
                         : c == flash_detail::Caloric::energy ? lambda_saturation_vapour_energy
                                                              : lambda_saturation_vapour_enthalpy;
  if (target > highest) return false;
  const Quantity q = flash_detail::quantity(c);
  return search_in_temperature(
      [&](const BathSaturation& sat) {
        const double x_l = value(sat.liquid, q);
        return x_l + quality_of_volume(sat, rho) * (value(sat.vapour, q) - x_l) - target;
      },
      [&](const BathSaturation& sat) { return quality_of_volume(sat, rho); }, out);
}

// The temperature at which the saturated liquid has the entropy s: bisection
// on the table (s' rises with T), 60 halvings; T_lambda above its s there,
// NaN below its s at 1.25 K.
double liquid_entropy_temperature(double s) {
  const double s_lambda = lambda_saturation_liquid_entropy;
  if (s >= s_lambda) return lambda_temperature;
  if (s < s_lambda - drops_at(lowest_vapour_temperature).s) return nan;
  double lo = lowest_vapour_temperature;
  double hi = lambda_temperature;
  for (int i = 0; i < 60; ++i) {
    const double mid = 0.5 * (lo + hi);
    (s_lambda - drops_at(mid).s < s ? lo : hi) = mid;
  }
  return hi;
}

// (h, s): the bath's isotherms are straight lines in (s, h) from the liquid's
// point, of slope (h'' - h')/(s'' - s'), about T: tangent to the liquid's
// curve, whose slope dh'/ds' is T too. So through a point near that curve
// pass two isotherms, one with q < 0; the search runs up to the temperature
// T_s where s' = s, below which (s - s')(h'' - h') - (h - h')(s'' - s') rises
// with T (its slope about (s - s')(s'' - s') > 0) and holds the one root.
bool isentrope(double h, double s, FluidState& out) {
  if (h > lambda_saturation_vapour_enthalpy || s > bath_highest_entropy) return false;
  const double T_s = liquid_entropy_temperature(s);
  if (!(T_s >= lowest_vapour_temperature)) return false;
  return search_in_temperature(
      [&](const BathSaturation& sat) {
        const HeIILiquid& l = sat.liquid;
        return (s - l.s) * (sat.vapour.h - l.h) - (h - l.h) * (sat.vapour.s - l.s);
      },
      [&](const BathSaturation& sat) { return (h - sat.liquid.h) / (sat.vapour.h - sat.liquid.h); }, out,
      T_s);
}

}  // namespace

bool in_bath_temperatures(double T) { return T >= lowest_vapour_temperature && T < lambda_temperature; }
bool in_bath_pressures(double p) { return p >= bath_lowest_pressure && p < lambda_saturation_pressure; }

HeIILiquid he_ii_liquid(double T) {
  if (!(T >= lowest_vapour_temperature && T <= lambda_temperature)) return no_liquid();
  const double p = he_ii_vapour_pressure(T);
  const double rho =
      superfluid::gram_per_cm3_to_kg_per_m3 * superfluid::saturated_liquid_density_joined(T).rho / molar_mass;
  const Drops d = drops_at(T);
  const double h = lambda_saturation_liquid_enthalpy - d.h;
  const double s = lambda_saturation_liquid_entropy - d.s;
  return {T, p, rho, h - p / rho, h, s, h - T * s};
}

BathSaturation bath_at_temperature(double T) {
  if (!(T >= lowest_vapour_temperature && T <= lambda_temperature)) return no_bath();
  return bath_at(T, he_ii_vapour_pressure(T));
}

BathSaturation bath_at_pressure(double p) {
  if (!(p >= bath_lowest_pressure && p <= lambda_saturation_pressure)) return no_bath();
  const double T =
      std::fmin(std::fmax(he_ii_vapour_temperature(p), lowest_vapour_temperature), lambda_temperature);
  return bath_at(T, p);
}

FluidState bath_state(const BathSaturation& sat, double q) {
  if (!sat.converged) return flash_detail::empty(flag_not_converged);
  if (q == 0.0) {
    const HeIILiquid& l = sat.liquid;
    return {0U,
            Phase::he_ii,
            l.T,
            l.p,
            l.rho,
            l.p / (l.rho * gas_constant * l.T),
            l.u,
            l.h,
            l.s,
            l.g,
            nan,
            superfluid::molar_heat_capacity(l.T),
            superfluid::first_sound(l.T),
            nan,
            nan,
            nan,
            nan,
            nan,
            second_virial(equation(), l.T),
            0.0,
            sat.evaluations};
  }
  const FluidProperties& v = sat.vapour;
  const FluidProperties l{sat.T,        sat.liquid.rho,
                          sat.p,        nan,
                          sat.liquid.u, sat.liquid.h,
                          sat.liquid.s, sat.liquid.g,
                          nan,          nan,
                          nan,          nan,
                          nan,          nan,
                          nan,          nan};
  const Saturation pair{sat.T, sat.p, sat.liquid.rho, v.rho, 0, true};
  FluidState s = flash_detail::mixture(equation(), pair, l, v, q, sat.evaluations);
  s.p = sat.p;
  // The vapour below T_lambda is the equation's, extrapolated.
  s.flags |= flag_extrapolated;
  return s;
}

bool bath_flash(InputPair pair, double x1, double x2, FluidState& out) {
  using flash_detail::Caloric;
  const auto at_p = [&](Quantity q) {
    return in_bath_pressures(x1) && lever(bath_at_pressure(x1), q, x2, out);
  };
  switch (pair) {
    case InputPair::TP:
      return false;  // p_sat itself is He II's edge, refused as He II as any p above it
    case InputPair::Tq:
      if (!in_bath_temperatures(x1) || !(x2 >= 0.0 && x2 <= 1.0)) return false;
      out = bath_state(bath_at_temperature(x1), x2);
      return true;
    case InputPair::Pq:
      if (!in_bath_pressures(x1) || !(x2 >= 0.0 && x2 <= 1.0)) return false;
      out = bath_state(bath_at_pressure(x1), x2);
      return true;
    case InputPair::Prho:
      return x2 > 0.0 && at_p(Quantity::density);
    case InputPair::Trho:
    case InputPair::Ts:
    case InputPair::Th:
    case InputPair::Tu:
      break;  // after the equation's flash: bath_flash_after
    case InputPair::Ps:
      return at_p(Quantity::entropy);
    case InputPair::Ph:
      return at_p(Quantity::enthalpy);
    case InputPair::Pu:
      return at_p(Quantity::energy);
    case InputPair::rhou:
      return x1 > 0.0 && isochore(x1, x2, Caloric::energy, out);
    case InputPair::rhoh:
      return x1 > 0.0 && isochore(x1, x2, Caloric::enthalpy, out);
    case InputPair::rhos:
      return x1 > 0.0 && isochore(x1, x2, Caloric::entropy, out);
    case InputPair::hs:
      return isentrope(x1, x2, out);
  }
  return false;
}

bool bath_flash_after(InputPair pair, double x1, double x2, FluidState& out) {
  if (!in_bath_temperatures(x1)) return false;
  FluidState bath{};
  const auto at_T = [&](Quantity q) {
    if (!lever(bath_at_temperature(x1), q, x2, bath) || (bath.flags & flag_he_ii) != 0U) return false;
    out = bath;
    return true;
  };
  switch (pair) {
    case InputPair::Trho:
      return x2 > 0.0 && at_T(Quantity::density);
    case InputPair::Ts:
      return at_T(Quantity::entropy);
    case InputPair::Th:
      return at_T(Quantity::enthalpy);
    case InputPair::Tu:
      return at_T(Quantity::energy);
    default:
      return false;
  }
}

}  // namespace vorn::reference_eos
