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

// The lambda point's own input is taken however it rounds on its way to x or y.
int clamp_piece(int i) { return i < 0 ? 0 : (i >= data::pieces ? data::pieces - 1 : i); }

}  // namespace

Saturation expanded_saturation_at_temperature(double T) {
  const double theta = 1.0 - T / critical_temperature;
  if (!(T >= lambda_temperature && theta >= data::switch_theta)) return {T, nan, nan, nan, 0, false};
  const double x = std::sqrt(theta - data::critical_theta);
  // Equal pieces: the index from x, within one of the right one at the ends.
  const double width = (data::x_ends[data::pieces] - data::x_ends[0]) / data::pieces;
  int i = clamp_piece(static_cast<int>((x - data::x_ends[0]) / width));
  if (i > 0 && x < data::x_ends[i]) --i;
  if (i < data::pieces - 1 && x > data::x_ends[i + 1]) ++i;
  const double t = local(x, data::x_ends[i], data::x_ends[i + 1]);
  const double p = data::critical_pressure * std::exp(chebyshev(data::log_pressure[i], t));
  return on_piece(i, x, T, p);
}

Saturation expanded_saturation_at_pressure(double p) {
  const double y = std::log(p / data::critical_pressure);
  // The lambda end: down to the rounding of the pressure computed there.
  const double y_lambda = std::log(lambda_saturation_pressure * (1.0 - 1e-12) / data::critical_pressure);
  if (!(y <= data::y_ends[0] && y >= y_lambda)) return {nan, p, nan, nan, 0, false};
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
