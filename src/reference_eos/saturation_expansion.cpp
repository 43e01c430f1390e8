#include "reference_eos/saturation_expansion.hpp"

#include <cmath>
#include <limits>

#include "constants/floating_point_guards.hpp"
#include "reference_eos/boundaries.hpp"
#include "reference_eos/bracketed_newton.hpp"
#include "reference_eos/constants.hpp"
#include "reference_eos/saturation_expansion_data.hpp"

namespace vorn::reference_eos {
namespace {

namespace data = saturation_data;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Clenshaw's sum of c at t in [-1, 1], in the order the generator checked it.
double chebyshev(const data::Series& c, double t) {
  double b1 = 0.0;
  double b2 = 0.0;
  for (int k = data::terms - 1; k >= 1; --k) {
    const double b = 2.0 * t * b1 - b2 + c[k];
    b2 = b1;
    b1 = b;
  }
  return t * b1 - b2 + c[0];
}

// The sum and its slope d/dt, by the recurrences of T_k and U_k
// (T_k' = k U_(k-1)): where the curve is inverted for its density.
ValueSlope chebyshev_with_slope(const data::Series& c, double t) {
  double T_prev = 1.0;
  double T_cur = t;
  double U_prev = 1.0;
  double U_cur = 2.0 * t;
  double value = c[0] + c[1] * t;
  double slope = c[1];
  for (int k = 2; k < data::terms; ++k) {
    const double T_next = 2.0 * t * T_cur - T_prev;
    value += c[k] * T_next;
    slope += k * c[k] * U_cur;
    const double U_next = 2.0 * t * U_cur - U_prev;
    T_prev = T_cur;
    T_cur = T_next;
    U_prev = U_cur;
    U_cur = U_next;
  }
  return {value, slope};
}

// t of z on the piece [lo, hi].
double local(double z, double lo, double hi) { return (2.0 * z - lo - hi) / (hi - lo); }

// The state on x piece i at x, with T and p given (each from its own input).
Saturation on_piece(int i, double x, double T, double p) {
  const double t = local(x, data::x_ends[i], data::x_ends[i + 1]);
  const double rho_l = critical_density * chebyshev(data::liquid_density[i], t);
  const double rho_v = critical_density * std::exp(chebyshev(data::log_vapour_density[i], t));
  return {T, p, rho_l, rho_v, 0, true};
}

// The piece that holds x: the pieces are equal within each of the two runs
// (the narrow ones next to Tc, the rest), so the index comes from x, within
// one of the right one at the ends; the lambda point's own input is taken
// however it rounds on its way to x.
int piece_of(double x) {
  const bool near = x < data::x_ends[data::near_pieces];
  const int first = near ? 0 : data::near_pieces;
  const int count = near ? data::near_pieces : data::pieces - data::near_pieces;
  const double lo = data::x_ends[first];
  const double width = (data::x_ends[first + count] - lo) / count;
  int i = first + static_cast<int>((x - lo) / width);
  i = i < first ? first : (i >= first + count ? first + count - 1 : i);
  if (i > 0 && x < data::x_ends[i]) --i;
  if (i < data::pieces - 1 && x > data::x_ends[i + 1]) ++i;
  return i;
}

// Within switch_theta (52 nK) of Tc: the curve joined to the reducing point
// (Tc, rho_c, pc), where the library closes the dome, by the square-root law
// from the series' end: r = theta/switch_theta in [0, 1), p linear in r, the
// half-width of the dome as sqrt(r), its diameter linear. The equation's own
// critical point lies 14 nK above Tc, so its own curve does not quite close
// at Tc: the join departs from it by at most 4e-13 in pressure and, at Tc
// itself, 0.019 kg/m3 in the liquid's density and 0.009 kg/m3 in the vapour's
// (the 50-digit solution there: 17388.346 and 17381.500 mol/m3 about rho_c =
// 17383.7), far inside the equation's uncertainty. At p, T comes from r.
Saturation joined(double r, double T, double p) {
  const Saturation end = on_piece(0, data::x_ends[0], T, data::critical_pressure * std::exp(data::y_ends[0]));
  const double centre = 0.5 * (end.rho_liquid + end.rho_vapour);
  const double half_width = 0.5 * (end.rho_liquid - end.rho_vapour) * std::sqrt(r);
  const double diameter = critical_density + (centre - critical_density) * r;
  const double pressure = std::isnan(p) ? data::critical_pressure + (end.p - data::critical_pressure) * r : p;
  return {T, pressure, diameter + half_width, diameter - half_width, 0, true};
}

// The join of joined() at the density rho of one phase: s = sqrt(r) solves
// rho - rho_c = (centre - rho_c) s^2 +- half_width s, in the form that does
// not cancel.
Saturation joined_at_density(double rho, bool liquid) {
  const Saturation end = on_piece(0, data::x_ends[0], nan, nan);
  const double a = 0.5 * (end.rho_liquid + end.rho_vapour) - critical_density;
  const double b = 0.5 * (end.rho_liquid - end.rho_vapour);
  const double d = liquid ? rho - critical_density : critical_density - rho;
  const double root = liquid ? std::sqrt(b * b + 4.0 * a * d) : std::sqrt(b * b - 4.0 * a * d);
  const double s = 2.0 * d / (b + root);
  const double r = s * s;
  Saturation sat = joined(r, critical_temperature * (1.0 - r * data::switch_theta), nan);
  (liquid ? sat.rho_liquid : sat.rho_vapour) = rho;
  return sat;
}

}  // namespace

Saturation expanded_saturation_at_temperature(double T) {
  const double theta = 1.0 - T / critical_temperature;
  if (!(T >= lambda_temperature && theta >= 0.0)) return {T, nan, nan, nan, 0, false};
  if (theta < data::switch_theta) return joined(theta / data::switch_theta, T, nan);
  const double x = std::sqrt(theta - data::critical_theta);
  const int i = piece_of(x);
  const double t = local(x, data::x_ends[i], data::x_ends[i + 1]);
  const double p = data::critical_pressure * std::exp(chebyshev(data::log_pressure[i], t));
  return on_piece(i, x, T, p);
}

Saturation expanded_saturation_at_pressure(double p) {
  const double y = std::log(p / data::critical_pressure);
  // The lambda end: down to the rounding of the pressure computed there.
  const double y_lambda = std::log(lambda_saturation_pressure * (1.0 - 1e-12) / data::critical_pressure);
  // The critical end likewise, within rounding of pc: Tc.
  if (!(p <= data::critical_pressure * (1.0 + 1e-12) && y >= y_lambda)) return {nan, p, nan, nan, 0, false};
  if (y > data::y_ends[0]) {
    const double p_switch = data::critical_pressure * std::exp(data::y_ends[0]);
    const double r = std::fmax(0.0, (data::critical_pressure - p) / (data::critical_pressure - p_switch));
    return joined(r, critical_temperature * (1.0 - r * data::switch_theta), p);
  }
  // y falls along the pieces: the last piece whose start lies at or above y.
  int lo = 0;
  int hi = data::pieces;
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    (data::y_ends[mid] >= y ? lo : hi) = mid;
  }
  const int i = lo;
  const double theta = chebyshev(data::theta_at_pressure[i], local(y, data::y_ends[i + 1], data::y_ends[i]));
  const double x = std::sqrt(theta - data::critical_theta);
  double T = critical_temperature * (1.0 - theta);
  // Within rounding of the lambda point's pressure: the lambda point itself.
  if (T < lambda_temperature) T = lambda_temperature;
  return on_piece(i, x, T, p);
}

}  // namespace vorn::reference_eos

namespace vorn::reference_eos {

// Liquid (rho > rho_c) or vapour (rho < rho_c) density to x: rho' rises and
// rho'' falls monotonically along x, so the piece comes from its ends by
// bisection and x within it by Newton's method on the series.
Saturation expanded_saturation_at_density(double rho) {
  const Saturation failed{nan, nan, nan, nan, 0, false};
  if (!(rho > 0.0)) return failed;
  if (rho == critical_density) return joined(0.0, critical_temperature, nan);
  const bool liquid = rho > critical_density;
  const auto& series = liquid ? data::liquid_density : data::log_vapour_density;
  // The held quantity on piece i at t, rising with x.
  const double target = liquid ? rho / critical_density : -std::log(rho / critical_density);
  auto rising = [&](int i, double t) -> ValueSlope {
    const ValueSlope v = chebyshev_with_slope(series[i], t);
    return liquid ? ValueSlope{v.f - target, v.df} : ValueSlope{-v.f - target, -v.df};
  };
  if (rising(data::pieces - 1, 1.0).f < 0.0) return failed;  // beyond the lambda point's phase
  if (rising(0, -1.0).f >= 0.0) return joined_at_density(rho, liquid);
  int lo = 0;
  int hi = data::pieces - 1;
  while (lo < hi) {  // the first piece whose far end reaches rho
    const int mid = (lo + hi) / 2;
    if (rising(mid, 1.0).f < 0.0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  const int i = lo;
  // The piece's ends widened by a hair: a density at an end, summed in
  // another order on the neighbouring piece, may round just outside.
  constexpr double hair = 1e-9;
  const RootResult t = bracketed_newton([&](double u) { return rising(i, u); }, -1.0 - hair, 1.0 + hair, 0.0,
                                        1e-15, 1e-16, 60);
  if (!t.converged) return failed;
  const double x = data::x_ends[i] + 0.5 * (t.x + 1.0) * (data::x_ends[i + 1] - data::x_ends[i]);
  const double T = critical_temperature * (1.0 - (x * x + data::critical_theta));
  const double p = data::critical_pressure * std::exp(chebyshev(data::log_pressure[i], t.x));
  Saturation sat = on_piece(i, x, std::fmax(T, lambda_temperature), p);
  (liquid ? sat.rho_liquid : sat.rho_vapour) = rho;
  return sat;
}

}  // namespace vorn::reference_eos
