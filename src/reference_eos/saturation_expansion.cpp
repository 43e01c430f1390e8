#include "reference_eos/saturation_expansion.hpp"

#include <cmath>
#include <limits>

#include "constants/floating_point_guards.hpp"
#include "reference_eos/boundaries.hpp"
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
