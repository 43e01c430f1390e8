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
// Around the equation, tried in order (regions below): the He II bath and its
// vapour, 1.25 K to T_lambda (he_ii_bath.cpp), and He II above its vapour
// pressure from 0.8 K where the bath or the equation finds He II
// (superfluid_pressure/flash.cpp).
#include "superfluid_pressure/flash.hpp"

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
// `instead` where the equation (or a region's `first`) has no fluid state
// for the pair (He II, solid or no solution). Either may be null.
struct Region {
  bool (*first)(InputPair pair, double x1, double x2, FluidState& out);
  bool (*instead)(InputPair pair, double x1, double x2, FluidState& out);
};

constexpr Region regions[] = {
    {superfluid_pressure::he_ii_plane_ahead, nullptr},  // He II's (h, s) where nothing else holds it
    {bath_first, bath_flash_after},                     // the He II bath and its vapour
    {superfluid_pressure::he_ii_plane_first,
     superfluid_pressure::he_ii_plane_flash},  // He II above its vapour pressure, from 0.8 K
};
constexpr int region_count = static_cast<int>(sizeof regions / sizeof regions[0]);

constexpr unsigned equation_has_no_state = flag_he_ii | flag_solid | flag_no_solution;

FluidState flash_regions(InputPair pair, double x1, double x2) {
  if (!finite(x1) || !finite(x2)) return flash_detail::empty(flag_bad_input);
  FluidState out{};
  // A region that answers first answers, unless its answer is a refusal:
  // then the regions after it are asked instead (the bath refuses He II
  // pressed above its vapour pressure, which He II under pressure holds).
  int answered = -1;
  for (int i = 0; i < region_count && answered < 0; ++i)
    if (regions[i].first != nullptr && regions[i].first(pair, x1, x2, out)) answered = i;
  const FluidState s = answered >= 0 ? out : flash(he_i_equation(), pair, x1, x2);
  if ((s.flags & equation_has_no_state) == 0U) return s;
  for (int i = answered + 1; i < region_count; ++i)
    if (regions[i].instead != nullptr && regions[i].instead(pair, x1, x2, out)) return out;
  return s;
}

// A state of the bath or of the equation at a pair that He II under pressure
// holds as well (He I's (P, rho): the isobar's density peaks at the lambda
// line, and below 3.5 K He I's falls through all of He II's; the bath's and
// He I's (T, s), (T, h), (T, u) within He II's range on that isotherm; He I
// within 0.3 K of the line for the other pairs): flagged NOT_UNIQUE, the
// state kept.
constexpr double density_twin_limit = 3.5;  // K
constexpr double twin_reach = 0.3;          // K above the lambda line
FluidState with_he_ii_twin(FluidState s, InputPair pair, double x1, double x2) {
  const double reach = pair == InputPair::Prho
                           ? density_twin_limit
                           : lambda_line_temperature(std::fmax(s.p, lambda_saturation_pressure)) + twin_reach;
  if ((s.flags & flags_without_result) != 0U || pair == InputPair::TP ||
      (s.phase == Phase::he_ii && std::isnan(s.q)))
    return s;
  // On an isotherm the range He II's values span at T decides, however far
  // above the line the state lies (He I's s falls along the isotherm from the
  // line through values He II has below it); the bath's liquid (q = 0) is
  // He II's state at the vapour pressure itself.
  if (pair == InputPair::Ts || pair == InputPair::Th || pair == InputPair::Tu) {
    if (s.q != 0.0 && superfluid_pressure::he_ii_isotherm_holds(pair, x1, x2)) s.flags |= flag_not_unique;
    return s;
  }
  if (!(s.T < reach)) return s;
  FluidState twin{};
  if (superfluid_pressure::he_ii_plane_flash(pair, x1, x2, twin) &&
      (std::fabs(twin.T - s.T) > 1e-6 || std::fabs(twin.p - s.p) > 1e-6 * s.p))
    s.flags |= flag_not_unique;
  return s;
}

}  // namespace

FluidState flash(InputPair pair, double x1, double x2) {
  return with_he_ii_twin(flash_regions(pair, x1, x2), pair, x1, x2);
}

}  // namespace vorn::reference_eos
