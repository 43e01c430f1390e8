// A cubic B-spline s(x) = sum_j c_j B_j,3(x) over the knots t_0 .. t_{n+3}
// (n coefficients), evaluated by de Boor's algorithm: the value and the first
// derivative, on [t_3, t_n]. The fits of the saturated liquid are all of this
// kind (their knots and coefficients sit beside each property); each caller
// keeps x inside its fit's range, and at x = t_n the last interval of nonzero
// length is used, so the end point takes the limit from the left.
#pragma once

#include <array>
#include <cstddef>

namespace vorn::superfluid {

template <std::size_t Knots>
struct CubicBSpline {
  static_assert(Knots >= 8, "a cubic B-spline has at least four coefficients");
  static constexpr std::size_t coefficients = Knots - 4;
  std::array<double, Knots> t;
  std::array<double, Knots - 4> c;

  constexpr double first_knot() const { return t[3]; }
  constexpr double last_knot() const { return t[coefficients]; }
};

struct SplineValue {
  double value;
  double derivative;  // ds/dx
};

// The interval [t_k, t_k+1) holding x, 3 <= k < n, by bisection: the last one
// of nonzero length for x at or beyond t_n, the first for x below t_3.
template <std::size_t Knots>
constexpr std::size_t knot_interval(const CubicBSpline<Knots>& s, double x) {
  constexpr std::size_t n = CubicBSpline<Knots>::coefficients;
  std::size_t lo = 3;
  std::size_t hi = n;  // t[hi] > x or hi == n
  if (!(x < s.t[n])) {
    std::size_t k = n - 1;
    while (k > 3 && !(s.t[k] < s.t[k + 1])) --k;
    return k;
  }
  while (hi - lo > 1) {
    const std::size_t mid = (lo + hi) / 2;
    if (s.t[mid] <= x) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// de Boor's triangle: the four coefficients of the interval, blended twice to
// the two points of degree 2 whose difference is the derivative, then once
// more to the value.
template <std::size_t Knots>
constexpr SplineValue evaluate(const CubicBSpline<Knots>& s, double x) {
  const std::size_t k = knot_interval(s, x);
  std::array<double, 4> d{s.c[k - 3], s.c[k - 2], s.c[k - 1], s.c[k]};
  for (std::size_t r = 1; r <= 2; ++r) {
    for (std::size_t j = 3; j >= r; --j) {
      const double left = s.t[k + j - 3];
      const double alpha = (x - left) / (s.t[k + j + 1 - r] - left);
      d[j] = (1.0 - alpha) * d[j - 1] + alpha * d[j];
    }
  }
  const double width = s.t[k + 1] - s.t[k];
  const double alpha = (x - s.t[k]) / width;
  return {(1.0 - alpha) * d[2] + alpha * d[3], 3.0 * (d[3] - d[2]) / width};
}

// The second derivative at x: the spline's derivative is a quadratic spline
// with coefficients 3 (c_i - c_i-1)/(t_i+3 - t_i), its second a linear one
// with 2 (e_i - e_i-1)/(t_i+2 - t_i), blended once on [t_k, t_k+1).
template <std::size_t Knots>
constexpr double second_derivative(const CubicBSpline<Knots>& s, double x) {
  const std::size_t k = knot_interval(s, x);
  std::array<double, 3> e{};  // e_(k-2), e_(k-1), e_k
  for (std::size_t j = 0; j < 3; ++j) {
    const std::size_t i = k - 2 + j;
    e[j] = 3.0 * (s.c[i] - s.c[i - 1]) / (s.t[i + 3] - s.t[i]);
  }
  const double f_left = 2.0 * (e[1] - e[0]) / (s.t[k + 1] - s.t[k - 1]);
  const double f_right = 2.0 * (e[2] - e[1]) / (s.t[k + 2] - s.t[k]);
  const double alpha = (x - s.t[k]) / (s.t[k + 1] - s.t[k]);
  return (1.0 - alpha) * f_left + alpha * f_right;
}

}  // namespace vorn::superfluid
