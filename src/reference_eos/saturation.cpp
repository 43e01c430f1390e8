#include "reference_eos/saturation.hpp"

#include <array>
#include <cmath>
#include <limits>

#include "constants/floating_point_guards.hpp"
#include "reference_eos/ancillaries.hpp"
#include "reference_eos/boundaries.hpp"
#include "reference_eos/bracketed_newton.hpp"
#include "reference_eos/constants.hpp"
#include "reference_eos/helmholtz.hpp"
#include "reference_eos/newton_step3.hpp"
#include "reference_eos/properties.hpp"
#include "reference_eos/saturation_expansion.hpp"

namespace vorn::reference_eos {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr int max_steps = 60;
constexpr double step_tolerance = 1e-13;
constexpr double rounding_floor = 1e-11;
constexpr double quadratic_stop = 1e-8;

// Below this distance from Tc (theta = 1 - T/Tc) the ancillaries do not
// start the iteration; the square-root law of the equation does.
constexpr double near_critical_theta = 2e-3;
// Half-width and diameter of the coexistence curve near Tc, fitted to this
// equation's own solutions: delta' , delta'' = 1 + D theta +- A sqrt(theta).
constexpr double near_critical_half_width = 3.85;
constexpr double near_critical_diameter = 0.2807;

// Closer to Tc than this (5 uK) rounding swamps the Newton steps in doubles.
constexpr double square_root_law_theta = 1e-6;

struct Side {
  double J;
  double K;
  double dJ;  // dJ/ddelta
};

Side side(double delta, double tau) {
  const HelmholtzDerivatives r = residual(delta, tau);
  return {delta * (1.0 + r.d), r.d + r.a + std::log(delta), 1.0 + 2.0 * r.d + r.dd};
}

Saturation finish(double T, double dl, double dv, int evaluations) {
  const double rho_v = dv * critical_density;
  return {T, pressure_and_slope(T, rho_v).p, dl * critical_density, rho_v, evaluations + 1, true};
}

Saturation solve(double T, double dl, double dv) {
  const double tau = critical_temperature / T;
  const double expected_gap = dl - dv;
  int evaluations = 0;
  bool small_step_before = false;
  double previous_step = std::numeric_limits<double>::infinity();
  for (int iteration = 0; iteration < max_steps; ++iteration) {
    const Side l = side(dl, tau);
    const Side v = side(dv, tau);
    evaluations += 2;
    const double F1 = v.J - l.J;
    const double F2 = v.K - l.K;
    // At the rounding level of J and K: near Tc, where the Jacobian is nearly
    // singular, the steps never get below step_tolerance, but this does.
    const double eps = std::numeric_limits<double>::epsilon();
    if (std::fabs(F1) <= 16.0 * eps * std::fmax(std::fabs(l.J), std::fabs(v.J)) &&
        std::fabs(F2) <= 16.0 * eps * std::fmax(1.0, std::fmax(std::fabs(l.K), std::fabs(v.K)))) {
      if (!(dl - dv > 0.25 * expected_gap)) break;
      return finish(T, dl, dv, evaluations);
    }
    const double Kl = l.dJ / dl;
    const double Kv = v.dJ / dv;
    const double det = l.dJ * v.dJ * (1.0 / dl - 1.0 / dv);
    double ddl = (v.dJ * F2 - Kv * F1) / det;
    double ddv = (l.dJ * F2 - Kl * F1) / det;
    if (!std::isfinite(ddl) || !std::isfinite(ddv)) break;
    // Keep the liquid denser than the vapour and both positive: halve the step.
    for (int halving = 0; halving < 30; ++halving) {
      const double nl = dl + ddl;
      const double nv = dv + ddv;
      if (nv > 0.0 && nl > nv) break;
      ddl *= 0.5;
      ddv *= 0.5;
    }
    dl += ddl;
    dv += ddv;
    const double step = std::fmax(std::fabs(ddl) / dl, std::fabs(ddv) / dv);
    // Two steps in a row below rounding_floor: Newton's method would have
    // gone from the first to below step_tolerance, so this is rounding noise.
    const bool small_step = step <= rounding_floor;
    // A step below quadratic_stop that is a thousandth of the one before shows
    // quadratic convergence: the error left after it is of order step^2.
    const bool quadratic = step <= quadratic_stop && step <= 1e-3 * previous_step;
    previous_step = step;
    if (step <= step_tolerance || quadratic || (small_step && small_step_before)) {
      // The trivial root delta' = delta'' satisfies both equations too.
      if (!(dl - dv > 0.25 * expected_gap)) break;
      return finish(T, dl, dv, evaluations);
    }
    small_step_before = small_step;
  }
  return {T, nan, nan, nan, evaluations, false};
}

Saturation newton_at_temperature(double T) {
  const double theta = 1.0 - T / critical_temperature;
  double dl = ancillary_liquid_density(T) / critical_density;
  double dv = ancillary_vapour_density(T) / critical_density;
  const double half_width = near_critical_half_width * std::sqrt(theta);
  const double centre = 1.0 + near_critical_diameter * theta;
  const bool near = theta < near_critical_theta;
  const Saturation first = near ? solve(T, centre + half_width, centre - half_width) : solve(T, dl, dv);
  if (first.converged || theta > 4.0 * near_critical_theta) return first;
  // Where the two starts overlap, the other one.
  Saturation second = near ? solve(T, dl, dv) : solve(T, centre + half_width, centre - half_width);
  second.evaluations += first.evaluations;
  return second;
}

}  // namespace

double critical_pressure() { return pressure_and_slope(critical_temperature, critical_density).p; }

Saturation solved_saturation_at_temperature(double T) {
  if (!(T >= lambda_temperature && T <= critical_temperature)) return {T, nan, nan, nan, 0, false};
  return newton_at_temperature(T);
}

namespace {

// The ancillary vapour pressure inverted by Newton's method in T (a starting
// value only): d ln p/dT = -(Tc/T^2) S - S'/T with S = sum n theta^t.
double ancillary_saturation_temperature(double p) {
  const double ln_p = std::log(p / ancillary_pressure);
  auto f = [ln_p](double T) -> ValueSlope {
    const double theta = 1.0 - T / critical_temperature;
    double sum = 0.0;
    double slope = 0.0;
    for (const auto& term : vapour_pressure_terms) {
      const double power = std::pow(theta, term.t);
      sum += term.n * power;
      slope += term.n * term.t * power / theta;
    }
    const double tau = critical_temperature / T;
    return {tau * sum - ln_p, -(tau / T) * sum - slope / T};
  };
  // Start from ln p linear in 1/T between the lambda point and Tc; a start
  // needs no more than 1e-7.
  const double x =
      std::log(p / lambda_saturation_pressure) / std::log(ancillary_pressure / lambda_saturation_pressure);
  const double guess =
      1.0 / (1.0 / lambda_temperature + x * (1.0 / critical_temperature - 1.0 / lambda_temperature));
  return bracketed_newton(f, lambda_temperature * 0.99, critical_temperature, guess, 1e-7, 0.0, 60).x;
}

// Newton's method in (delta', delta'', tau) on J' = J'', K' = K'' and
// ln p(delta'', tau) = ln p, two evaluations a step, from the ancillaries.
// Away from Tc only (theta > 0.01): the caller falls back to Newton in T over
// saturations at T, which handles the approach to Tc.
Saturation newton_at_pressure(double p, double T0, double dl, double dv) {
  double tau = critical_temperature / T0;
  const double expected_gap = dl - dv;
  const double ln_scale = std::log(critical_density * gas_constant * critical_temperature / p);
  const double tau_max = critical_temperature / (0.99 * lambda_temperature);
  double previous_step = std::numeric_limits<double>::infinity();
  int evaluations = 0;
  for (int iteration = 0; iteration < max_steps; ++iteration) {
    const HelmholtzDerivatives rl = residual(dl, tau);
    const HelmholtzDerivatives rv = residual(dv, tau);
    evaluations += 2;
    const double Jl = dl * (1.0 + rl.d);
    const double Jv = dv * (1.0 + rv.d);
    const double Kl = rl.d + rl.a + std::log(dl);
    const double Kv = rv.d + rv.a + std::log(dv);
    const double Jdl = 1.0 + 2.0 * rl.d + rl.dd;
    const double Jdv = 1.0 + 2.0 * rv.d + rv.dd;
    const double Jtl = dl * rl.dt / tau;
    const double Jtv = dv * rv.dt / tau;
    const double Ktl = (rl.dt + rl.t) / tau;
    const double Ktv = (rv.dt + rv.t) / tau;
    const double F[3] = {Jv - Jl, Kv - Kl, ln_scale - std::log(tau) + std::log(Jv)};
    // At the rounding level of J, K and ln p: near Tc, where the Jacobian is
    // nearly singular, the steps never get below step_tolerance, but this does.
    const double eps = std::numeric_limits<double>::epsilon();
    if (std::fabs(F[0]) <= 16.0 * eps * std::fmax(Jl, Jv) &&
        std::fabs(F[1]) <= 16.0 * eps * std::fmax(1.0, std::fmax(std::fabs(Kl), std::fabs(Kv))) &&
        std::fabs(F[2]) <= 16.0 * eps * std::fmax(1.0, std::fabs(ln_scale))) {
      const double T = critical_temperature / tau;
      if (!(T >= lambda_temperature && dl - dv > 0.25 * expected_gap)) break;
      return {T, p, dl * critical_density, dv * critical_density, evaluations, true};
    }
    const double A[3][3] = {
        {-Jdl, Jdv, Jtv - Jtl}, {-Jdl / dl, Jdv / dv, Ktv - Ktl}, {0.0, Jdv / Jv, Jtv / Jv - 1.0 / tau}};
    const double step = damped_step3(A, F, dl, dv, tau, [tau_max](double l, double v, double t) {
      return v > 0.0 && l > v && t > 1.0 && t < tau_max;
    });
    if (std::isnan(step)) break;
    const bool quadratic = step <= quadratic_stop && step <= 1e-3 * previous_step;
    previous_step = step;
    if (step <= step_tolerance || quadratic) {
      const double T = critical_temperature / tau;
      if (!(T >= lambda_temperature && dl - dv > 0.25 * expected_gap)) break;
      return {T, p, dl * critical_density, dv * critical_density, evaluations, true};
    }
  }
  return {nan, p, nan, nan, evaluations, false};
}

// dp_sat/dT by Clausius-Clapeyron, Pa/K.
double saturation_slope(const Saturation& sat) {
  const FluidProperties l = properties_at(sat.T, sat.rho_liquid);
  const FluidProperties v = properties_at(sat.T, sat.rho_vapour);
  return (v.s - l.s) / (1.0 / sat.rho_vapour - 1.0 / sat.rho_liquid);
}

}  // namespace

Saturation solved_saturation_at_pressure(double p) {
  const double pc = critical_pressure();
  const double p_lambda = lambda_saturation_pressure;
  // The ends are taken within rounding of the pressures computed there.
  const double end_tolerance = 1e-12;
  if (!(p >= p_lambda * (1.0 - end_tolerance) && p <= pc * (1.0 + end_tolerance)))
    return {nan, p, nan, nan, 0, false};
  if (p >= pc) return solved_saturation_at_temperature(critical_temperature);
  if (p <= p_lambda) return solved_saturation_at_temperature(lambda_temperature);
  const double T0 = ancillary_saturation_temperature(p);
  int evaluations = 0;
  if (1.0 - T0 / critical_temperature > 0.01) {
    const Saturation direct = newton_at_pressure(p, T0, ancillary_liquid_density(T0) / critical_density,
                                                 ancillary_vapour_density(T0) / critical_density);
    if (direct.converged) return direct;
    evaluations += direct.evaluations;
  } else {
    // Near Tc the ancillaries' critical point is not the equation's: start
    // from p_sat linear in T with the critical isochore's slope, and the
    // square-root law for the densities.
    const double slope = properties_at(critical_temperature, critical_density).dpdT;
    const double theta = std::fmin(0.02, (pc - p) / (slope * critical_temperature));
    const double half_width = near_critical_half_width * std::sqrt(theta);
    const double centre = 1.0 + near_critical_diameter * theta;
    const Saturation direct =
        newton_at_pressure(p, critical_temperature * (1.0 - theta), centre + half_width, centre - half_width);
    evaluations += 1 + direct.evaluations;
    if (direct.converged && 1.0 - direct.T / critical_temperature >= square_root_law_theta) {
      Saturation result = direct;
      result.evaluations = evaluations;
      return result;
    }
  }
  Saturation current{nan, nan, nan, nan, 0, false};
  const double near_tc = critical_temperature * (1.0 - square_root_law_theta);
  auto f = [&](double T) -> ValueSlope {
    // Warm start from the last densities once they exist, outside the square-root zone.
    if (current.converged && T < near_tc) {
      // The last solution carried to T along the square-root law (the
      // identity far from Tc, where the steps are small).
      const double theta = 1.0 - T / critical_temperature;
      const double r = theta / (1.0 - current.T / critical_temperature);
      const double dl = current.rho_liquid / critical_density;
      const double dv = current.rho_vapour / critical_density;
      const double centre = 1.0 + (0.5 * (dl + dv) - 1.0) * r;
      const double half_width = 0.5 * (dl - dv) * std::sqrt(r);
      current = solve(T, centre + half_width, centre - half_width);
      evaluations += current.evaluations;
    }
    if (!current.converged || current.T != T) {
      current = solved_saturation_at_temperature(T);
      evaluations += current.evaluations;
    }
    if (!current.converged) return {nan, nan};
    evaluations += 2;
    return {std::log(current.p / p), saturation_slope(current) / current.p};
  };
  const RootResult root = bracketed_newton(f, lambda_temperature, critical_temperature, T0, 1e-13, 0.0, 100);
  if (!root.converged) return {nan, p, nan, nan, evaluations, false};
  Saturation result = solved_saturation_at_temperature(root.x);
  result.evaluations += evaluations;
  return result;
}

// From the series (and the join to the reducing point in the last 52 nK):
// exact to rounding, no evaluation of the equation.
Saturation saturation_at_temperature(double T) { return expanded_saturation_at_temperature(T); }

Saturation saturation_at_pressure(double p) { return expanded_saturation_at_pressure(p); }

Saturation saturation_at_density(double rho) { return expanded_saturation_at_density(rho); }

}  // namespace vorn::reference_eos
