// The flashes' entry: the checks of the input and the dispatch of each pair
// to its flash on a model (model.hpp), and the regions tried around the
// reference equation (the He II bath; He II under pressure plugs in there).
//
// Each flash is a bounded Newton iteration inside a bracket
// (bracketed_newton.hpp) from a good start, the model's saturation deciding
// the phase below Tc; the pairs are grouped by what they hold fixed
// (flash_common.hpp). Evaluations of the equation over the (T, p) grid of the
// tests (one-phase states 2.2 K to 1500 K, 100 Pa to 100 MPa), least to
// most, mean:
//   (T, rho)   1                 one evaluation; below Tc the saturation at T
//                                decides whether it is two-phase
//   (T, p)     2 to 19, 4.7      Newton in ln rho on the branch p says
//                                (flash_one_phase.cpp)
//   (p, rho)   6 to 61, 8.0      Newton in T; below pc where the isochore
//                                meets the dome first
//   (p, h), (p, s), (p, u)  4 to 48, 4 to 34, 4 to 180; 8.4 to 9.5
//                                Newton in (T, ln rho) from a solved state on
//                                the isobar, else Newton in T along it, each
//                                step a (T, p) state
//   (T, s)     4 to 36, 8.5      Newton in ln rho along the isotherm
//   (T, h), (T, u)  12 to 63, about 30  along the isotherm in order of
//                                density, Newton in ln rho on each stretch
//                                where h (u) falls or rises
//   (rho, u), (rho, h), (rho, s)  4 to 13, 5 to 6  Newton in T along the
//                                isochore; inside the dome Newton in T on the
//                                mixture's value
//   (h, s)     4 to 26, 7.6      Newton in (T, ln rho); on an isentrope that
//                                crosses the dome first one Newton in
//                                (delta', delta'', tau) on equal J, K and
//                                g' + T s = h
//   (T, q), (p, q)  2            a saturation and the lever rule
// Two-phase states have the mixture's rho, u, h, s, g, Z and q; the properties
// that have no two-phase meaning are NaN. Flags come from the final (T, p)
// (finish, flash_common.cpp, which every pair's flash applies itself).
#include <cmath>
#include <limits>

#include "reference_eos/flash_common.hpp"
#include "reference_eos/he_ii_bath.hpp"

namespace vorn::reference_eos {

namespace {

bool finite(double x) { return std::isfinite(x); }
}  // namespace

FluidState flash(const HelmholtzModel& m, InputPair pair, double x1, double x2) {
  using namespace flash_detail;
  switch (pair) {
    case InputPair::TP:
      if (x1 <= 0.0 || x2 < 0.0) return empty(flag_bad_input);
      if (x1 > m.extrapolation_temperature) return empty(flag_out_of_range);
      return flash_TP(m, x1, x2);
    case InputPair::Trho:
      if (x1 <= 0.0 || x2 <= 0.0) return empty(flag_bad_input);
      if (x1 > m.extrapolation_temperature) return empty(flag_out_of_range);
      return flash_Trho(m, x1, x2);
    case InputPair::Prho:
      // T = p/(rho R Z): a subnormal p or rho keeps too few digits to fix it.
      if (!(x1 >= std::numeric_limits<double>::min() && x2 >= std::numeric_limits<double>::min()))
        return empty(flag_bad_input);
      return flash_prho(m, x1, x2);
    case InputPair::Ph:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_p_caloric(m, x1, x2, Caloric::enthalpy);
    case InputPair::Ps:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_p_caloric(m, x1, x2, Caloric::entropy);
    case InputPair::Pu:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_p_caloric(m, x1, x2, Caloric::energy);
    case InputPair::Ts:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_Ts(m, x1, x2);
    case InputPair::rhou:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_rho_caloric(m, x1, x2, Caloric::energy);
    case InputPair::rhoh:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_rho_caloric(m, x1, x2, Caloric::enthalpy);
    case InputPair::rhos:
      if (x1 <= 0.0) return empty(flag_bad_input);
      return flash_rho_caloric(m, x1, x2, Caloric::entropy);
    case InputPair::Th:
      if (x1 <= 0.0) return empty(flag_bad_input);
      if (x1 > m.extrapolation_temperature) return empty(flag_out_of_range);
      return flash_T_caloric(m, x1, x2, Caloric::enthalpy);
    case InputPair::Tu:
      if (x1 <= 0.0) return empty(flag_bad_input);
      if (x1 > m.extrapolation_temperature) return empty(flag_out_of_range);
      return flash_T_caloric(m, x1, x2, Caloric::energy);
    case InputPair::hs:
      return flash_hs(m, x1, x2);
    case InputPair::Tq:
      if (x1 <= 0.0 || x2 < 0.0 || x2 > 1.0) return empty(flag_bad_input);
      return flash_Tq(m, x1, x2);
    case InputPair::Pq:
      if (x1 <= 0.0 || x2 < 0.0 || x2 > 1.0) return empty(flag_bad_input);
      return flash_pq(m, x1, x2);
  }
  return flash_detail::empty(flag_bad_input);
}

namespace {

// How far below T_lambda a bath state defers to the equation (K): the bath's
// searches in T settle to about a microkelvin next to the join.
constexpr double lambda_join_band = 1e-5;

// The He II bath, 1.25 K to T_lambda (he_ii_bath.hpp), ahead of the equation.
// Just below T_lambda the bath and the equation's saturated states at
// T_lambda itself can both hold a pair (the fits' liquid is 0.06 % denser
// than the equation's there, and the bath's searches end a few uK below the
// join): the equation's state where it lies at T_lambda, so that the states
// the library reports at the lambda point flash back to themselves; the
// bath's otherwise.
bool bath_first(InputPair pair, double x1, double x2, FluidState& out) {
  if (!bath_flash(pair, x1, x2, out)) return false;
  if (!(out.T > lambda_temperature - lambda_join_band)) return true;
  const FluidState s = flash(he_i_equation(), pair, x1, x2);
  if ((s.flags & flags_without_result) == 0U && s.T <= lambda_temperature) out = s;
  return true;
}

// A description of part of the fluid outside the equation, tried in order
// around it: `first` answers ahead of the equation for the pairs it holds,
// `instead` where the equation has no fluid state for the pair (He II,
// solid or no solution). Either may be null.
struct Region {
  bool (*first)(InputPair pair, double x1, double x2, FluidState& out);
  bool (*instead)(InputPair pair, double x1, double x2, FluidState& out);
};

constexpr Region regions[] = {
    {bath_first, bath_flash_after},  // the He II bath and its vapour
};

constexpr unsigned equation_has_no_state = flag_he_ii | flag_solid | flag_no_solution;

}  // namespace

FluidState flash(InputPair pair, double x1, double x2) {
  if (!finite(x1) || !finite(x2)) return flash_detail::empty(flag_bad_input);
  FluidState out{};
  for (const Region& r : regions)
    if (r.first != nullptr && r.first(pair, x1, x2, out)) return out;
  const FluidState s = flash(he_i_equation(), pair, x1, x2);
  if ((s.flags & equation_has_no_state) == 0U) return s;
  for (const Region& r : regions)
    if (r.instead != nullptr && r.instead(pair, x1, x2, out)) return out;
  return s;
}

}  // namespace vorn::reference_eos
