// One generic evaluation for the three families of residual terms.
//
// Each term is v = n delta^d tau^t exp(phi(delta)) exp(psi(tau)). With
//   u = d + delta phi',   xd = delta phi' + delta^2 phi''
//   w = t + tau psi',     xt = tau psi' + tau^2 psi''
// its scaled derivatives are v u, v (u^2 - u + xd), v w, v (w^2 - w + xt) and
// v u w. A family only says what v, u, xd, w and xt are; accumulate() turns
// them into every derivative, so a new derivative is one line there.
//
// Shared across the terms: one ln tau (tau^t = exp(t ln tau)), exp(-delta) and
// exp(-delta^2); integer powers of delta by repeated squaring. A Gaussian term
// folds its tau power and both bells into one exp. Terms are summed in table
// order, which fixes the last bits.
//
// What depends on tau alone (ln tau and tau^t of the first twelve terms, from
// five exponentials: tau_factors) is kept per thread for the last tau seen: the iterations along an isotherm
// and the second virial coefficient after the state at the same temperature
// then take it from there, 13 exponentials an evaluation instead of 25. The
// values are the same bits either way.
#include "reference_eos/helmholtz.hpp"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "constants/floating_point_guards.hpp"
#include "constants/integer_power.hpp"
#include "reference_eos/residual_coefficients.hpp"

namespace vorn::reference_eos {
namespace {

struct TermParts {
  double v;
  double u;
  double xd;
  double w;
  double xt;
};

struct Shared {
  double delta;
  double tau;
  double ln_tau;
  const double* power_tau_t;        // tau^t of power_terms
  const double* exponential_tau_t;  // tau^t of exponential_terms
  double delta_power[3];            // delta^l, l = 0, 1, 2
  double exp_minus_power[3];        // exp(-delta^l)
  double delta_to_d[5];             // delta^d, d = 0 to 4, by repeated squaring
};

// exp(x) of a Gaussian term; 0 where it underflows (term 23's bell is
// 0.027 wide in tau), without the library's underflow path.
inline double bell(double x) { return x < -746.0 ? 0.0 : std::exp(x); }

inline void accumulate(HelmholtzDerivatives& r, const TermParts& p) {
  r.a += p.v;
  r.d += p.v * p.u;
  r.dd += p.v * ((p.u * p.u - p.u) + p.xd);
  r.t += p.v * p.w;
  r.tt += p.v * ((p.w * p.w - p.w) + p.xt);
  r.dt += p.v * (p.u * p.w);
}

TermParts parts(const PowerTerm& c, double tau_t, const Shared& s) {
  const double v = c.n * s.delta_to_d[c.d] * tau_t;
  return {v, static_cast<double>(c.d), 0.0, c.t, 0.0};
}

// phi = -delta^l: delta phi' = -l delta^l, delta^2 phi'' = -l (l - 1) delta^l.
TermParts parts(const ExponentialTerm& c, double tau_t, const Shared& s) {
  const double dl = s.delta_power[c.l];
  const auto l = static_cast<double>(c.l);
  const double v = c.n * s.delta_to_d[c.d] * tau_t * s.exp_minus_power[c.l];
  return {v, static_cast<double>(c.d) - l * dl, -(l * l) * dl, c.t, 0.0};
}

// phi = -eta (delta - eps)^2, psi = -beta (tau - gamma)^2.
double gaussian_bell(const GaussianTerm& c, const Shared& s) {
  const double dd = s.delta - c.epsilon;
  const double dt = s.tau - c.gamma;
  return bell(c.t * s.ln_tau - c.eta * (dd * dd) - c.beta * (dt * dt));
}

TermParts parts(const GaussianTerm& c, double bell_value, const Shared& s) {
  const double dd = s.delta - c.epsilon;
  const double dt = s.tau - c.gamma;
  const double v = c.n * s.delta_to_d[c.d] * bell_value;
  const double delta_phi1 = -2.0 * c.eta * s.delta * dd;
  const double tau_psi1 = -2.0 * c.beta * s.tau * dt;
  return {v, static_cast<double>(c.d) + delta_phi1, delta_phi1 - 2.0 * c.eta * (s.delta * s.delta),
          c.t + tau_psi1, tau_psi1 - 2.0 * c.beta * (s.tau * s.tau)};
}

// Every term's d indexes Shared::delta_to_d.
template <typename Table>
constexpr bool exponents_of_delta_at_most_4(const Table& table) {
  // NOLINTNEXTLINE(readability-use-anyofallof): std::all_of is constexpr only from C++20.
  for (const auto& term : table)
    if (term.d > 4U) return false;
  return true;
}
static_assert(exponents_of_delta_at_most_4(power_terms) && exponents_of_delta_at_most_4(exponential_terms) &&
                  exponents_of_delta_at_most_4(gaussian_terms),
              "delta^d is formed for d up to 4 only");

}  // namespace

namespace {

constexpr double difference(double a, double b) { return a > b ? a - b : b - a; }

// The exponents of tau the products in tau_factors stand for.
constexpr bool exponents_as_assumed() {
  const auto& p = power_terms;
  const auto& e = exponential_terms;
  constexpr double close = 1e-12;
  return p[0].t == 1.0 && difference(p[5].t, 1.0 - p[1].t) < close &&
         difference(e[0].t, 0.5 + p[1].t) < close && difference(e[2].t, 1.0 + p[3].t) < close &&
         difference(e[1].t, e[3].t + 0.5 - p[1].t) < close &&
         difference(p[4].t, p[2].t + p[3].t + e[3].t - 1.0) < close &&
         difference(e[4].t, 3.0 * e[5].t + 0.5) < close;
}
static_assert(exponents_as_assumed(), "tau_factors forms tau^t of these exponents from products");

}  // namespace

// Five exponentials for the twelve powers: tau^0.425, tau^0.63, tau^0.69,
// tau^1.51 and tau^0.8 themselves; the others from those, tau and sqrt(tau)
// (0.575 = 1 - 0.425, 0.925 = 0.5 + 0.425, 1.69 = 1 + 0.69,
// 1.585 = 1.51 + 0.5 - 0.425, 1.83 = 0.63 + 0.69 + 1.51 - 1, 2.9 = 3 x 0.8
// + 0.5), each within a few units in the last place of the power itself.
TauFactors tau_factors(double tau) {
  const auto& p = power_terms;
  const auto& e = exponential_terms;
  TauFactors f{};
  f.tau = tau;
  f.ln_tau = std::log(tau);
  const double root = std::sqrt(tau);
  const double t0425 = std::exp(p[1].t * f.ln_tau);
  const double t063 = std::exp(p[2].t * f.ln_tau);
  const double t069 = std::exp(p[3].t * f.ln_tau);
  const double t151 = std::exp(e[3].t * f.ln_tau);
  const double t08 = std::exp(e[5].t * f.ln_tau);
  f.power = {tau, t0425, t063, t069, t063 * t069 * t151 / tau, tau / t0425};
  f.exponential = {root * t0425, t151 * root / t0425, tau * t069, t151, t08 * t08 * t08 * root, t08};
  return f;
}

namespace {

// The factors of the last tau this thread saw (NaN at first: never equal).
thread_local TauFactors last_tau_factors{std::numeric_limits<double>::quiet_NaN(), 0.0, {}, {}};

const TauFactors& factors_at(double tau) {
  if (!(tau == last_tau_factors.tau)) last_tau_factors = tau_factors(tau);
  return last_tau_factors;
}

}  // namespace

HelmholtzDerivatives residual(double delta, const TauFactors& f) {
  const double delta2 = delta * delta;
  const Shared s{delta,
                 f.tau,
                 f.ln_tau,
                 f.power.data(),
                 f.exponential.data(),
                 {1.0, delta, delta2},
                 {std::exp(-1.0), std::exp(-delta), std::exp(-delta2)},
                 {1.0, delta, integer_power<2>(delta), integer_power<3>(delta), integer_power<4>(delta)}};
  // The exponentials first, then the sums: no call inside the sums, whose
  // running values would be saved and restored around each.
  std::array<double, gaussian_terms.size()> bells{};
  for (std::size_t i = 0; i < gaussian_terms.size(); ++i) bells[i] = gaussian_bell(gaussian_terms[i], s);
  HelmholtzDerivatives r{0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  for (std::size_t i = 0; i < power_terms.size(); ++i)
    accumulate(r, parts(power_terms[i], s.power_tau_t[i], s));
  for (std::size_t i = 0; i < exponential_terms.size(); ++i)
    accumulate(r, parts(exponential_terms[i], s.exponential_tau_t[i], s));
  for (std::size_t i = 0; i < gaussian_terms.size(); ++i)
    accumulate(r, parts(gaussian_terms[i], bells[i], s));
  return r;
}

HelmholtzDerivatives residual(double delta, double tau) { return residual(delta, factors_at(tau)); }

double residual_zero_density_slope(double tau) {
  // Only the terms with d = 1 survive delta -> 0, each with exp(phi(0)).
  const TauFactors& f = factors_at(tau);
  double slope = 0.0;
  for (std::size_t i = 0; i < power_terms.size(); ++i)
    if (power_terms[i].d == 1U) slope += power_terms[i].n * f.power[i];
  for (std::size_t i = 0; i < exponential_terms.size(); ++i)
    if (exponential_terms[i].d == 1U) slope += exponential_terms[i].n * f.exponential[i];
  for (const auto& c : gaussian_terms) {
    if (c.d != 1U) continue;
    const double dt = tau - c.gamma;
    slope += c.n * bell(c.t * f.ln_tau - c.eta * (c.epsilon * c.epsilon) - c.beta * (dt * dt));
  }
  return slope;
}

double log_tau(double tau) { return tau == last_tau_factors.tau ? last_tau_factors.ln_tau : std::log(tau); }

}  // namespace vorn::reference_eos
