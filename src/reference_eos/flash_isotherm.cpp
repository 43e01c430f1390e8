// Flashes at a held temperature: (T, rho), (T, q), (T, s), (T, h), (T, u).
// (T, p) is flash.cpp's. Molar SI units.
#include "reference_eos/flash_common.hpp"

namespace vorn::reference_eos::flash_detail {
namespace {

// (T, s) below the lambda temperature, above the lambda line: He I liquid
// between the lambda line and the melting line (p_top).
FluidState flash_Ts_cold_liquid(const HelmholtzModel& m, double T, double target, double p_top,
                                int evaluations) {
  if (T < lambda_melting_temperature) return empty(flag_he_ii);
  const DensitySolution bottom = density_at(m, T, lambda_line_pressure(T));
  const DensitySolution top = density_at(m, T, p_top);
  evaluations += bottom.evaluations + top.evaluations;
  if (bottom.flags != 0U || top.flags != 0U) return empty(flag_not_converged);
  const FluidProperties at_bottom = properties_at(m, T, bottom.rho);
  const FluidProperties at_top = properties_at(m, T, top.rho);
  evaluations += 2;
  // s along this isotherm falls and rises again where He I expands on
  // cooling: both ends bound it only where it falls throughout.
  if (target > at_bottom.s) return empty(flag_he_ii);
  if (target < at_top.s) return empty(flag_solid);
  auto f = [&](double x) -> ValueSlope {
    const Partials a = partials(properties_at(m, T, std::exp(x)), Quantity::entropy);
    ++evaluations;
    return {target - a.value, -a.dlnrho};
  };
  const RootResult r = bracketed_newton(f, std::log(bottom.rho), std::log(top.rho), std::log(bottom.rho),
                                        density_tolerance, 1e-15);
  if (!r.converged) return empty(r.no_bracket ? flag_not_unique | flag_no_solution : flag_not_converged);
  FluidState s = single(m, T, std::exp(r.x), Phase::liquid, evaluations);
  if (at_bottom.dpdT < 0.0 || s.dpdT < 0.0) s.flags |= flag_not_unique;
  return finish(m, s, true);
}

// h or u at (T, rho) with its slope in ln rho along the isotherm, written
// without the ideal gas's terms that cancel, so that its sign holds down to
// the dilute limit: (dh/d ln rho)_T = R T (d + dd + dt), (du/d ln rho)_T =
// R T dt. One evaluation.
struct IsothermPoint {
  double rho;    // mol/m3
  double x;      // ln rho
  double value;  // J/mol
  double slope;  // J/mol per unit of ln rho
};

IsothermPoint isotherm_point(const HelmholtzModel& m, double T, double rho, Caloric c) {
  const double x = std::log(rho);
  const double delta = rho / m.critical_density;
  const double tau = m.critical_temperature / T;
  const HelmholtzDerivatives r = m.residual(delta, tau);
  const IdealPart i = m.ideal(std::log(delta), tau);
  const double RT = m.gas_constant * T;
  if (c == Caloric::energy) return {rho, x, RT * (i.t + r.t), RT * r.dt};
  return {rho, x, RT * ((i.t + r.t) + (1.0 + r.d)), RT * (r.d + r.dd + r.dt)};
}

// Where h or u is least along a one-phase piece of the isotherm whose slope
// turns from negative at lo to positive at hi: the root of slope/rho, taken
// in rho itself (near linear there, from the dilute limit up), by bracketed
// Newton with the secant through the last two points for the slope.
IsothermPoint isotherm_minimum(const HelmholtzModel& m, double T, const IsothermPoint& lo,
                               const IsothermPoint& hi, Caloric c, int& evaluations, bool& converged) {
  const double rho_lo = std::exp(lo.x);
  const double rho_hi = std::exp(hi.x);
  double last_rho = rho_lo;
  double last_k = lo.slope / rho_lo;
  double secant = (hi.slope / rho_hi - last_k) / (rho_hi - rho_lo);
  IsothermPoint at = lo;
  auto k = [&](double rho) -> ValueSlope {
    at = isotherm_point(m, T, rho, c);
    ++evaluations;
    const double value = at.slope / rho;
    if (rho != last_rho) secant = (value - last_k) / (rho - last_rho);
    last_rho = rho;
    last_k = value;
    return {value, secant};
  };
  const double guess = rho_lo - (lo.slope / rho_lo) / secant;
  const RootResult r = bracketed_newton(k, rho_lo, rho_hi, guess, 1e-10, 0.0, 60);
  converged = r.converged;
  if (at.x != std::log(r.x)) {
    at = isotherm_point(m, T, r.x, c);
    ++evaluations;
  }
  return at;
}

// One piece of the isotherm, in the order of density: a one-phase stretch
// (lo the less dense end) on which h or u falls to at most one minimum and
// rises again (h falls with pressure while the Joule-Thomson coefficient is
// positive and rises beyond the inversion curve; u likewise, where the
// attraction gives way to the repulsion), or the two-phase stretch below Tc.
struct IsothermPiece {
  IsothermPoint lo;
  IsothermPoint hi;
  Phase phase;
  bool joined;  // lo is the state of the piece before: a root exactly there is not a second one
};

// Roots of h (u) = target on a piece: 0, 1 or 2, the less dense one's
// bracket in [a, b] (ln rho) and whether h rises through it.
struct PieceRoots {
  int count;
  double a;
  double b;
  bool rising;
  bool failed;  // the minimum was not found
};

PieceRoots piece_roots(const HelmholtzModel& m, double T, double target, Caloric c,
                       const IsothermPiece& piece, int& evaluations) {
  const IsothermPoint& lo = piece.lo;
  const IsothermPoint& hi = piece.hi;
  if (piece.phase == Phase::two_phase) {
    const bool inside = (target - lo.value) * (target - hi.value) <= 0.0;
    const bool at_join = piece.joined && target == lo.value;
    return {inside && !at_join ? 1 : 0, lo.x, hi.x, hi.value > lo.value, false};
  }
  const double least_end = std::fmin(lo.value, hi.value);
  if (target > std::fmax(lo.value, hi.value)) return {0, lo.x, hi.x, true, false};
  if (target >= least_end) {
    if (piece.joined && target == lo.value) return {0, lo.x, hi.x, true, false};
    return {1, lo.x, hi.x, hi.value > lo.value, false};
  }
  if (!(lo.slope < 0.0 && hi.slope > 0.0)) return {0, lo.x, hi.x, true, false};
  bool converged = false;
  const IsothermPoint least = isotherm_minimum(m, T, lo, hi, c, evaluations, converged);
  if (!converged) return {0, lo.x, hi.x, true, true};
  if (target < least.value) return {0, lo.x, hi.x, true, false};
  return {target == least.value ? 1 : 2, lo.x, least.x, false, false};
}

FluidState state_at_temperature_density(const HelmholtzModel& m, double T, double rho) {
  int evaluations = 0;
  if (T < m.critical_temperature && T >= lambda_temperature) {
    const Saturation sat = m.saturation_at_temperature(T);
    if (!sat.converged) return empty(flag_not_converged);
    if (near_edge(rho, sat.rho_liquid, 0.0) || near_edge(rho, sat.rho_vapour, 0.0)) {
      const SaturationSlopes edge =
          slopes_of(sat, properties_at(m, T, sat.rho_liquid), properties_at(m, T, sat.rho_vapour));
      const Phase side = saturated_phase(edge, Quantity::density, rho);
      if (side != Phase::none) return saturated_state(m, edge, side, sat.evaluations + 2);
      evaluations += 2;
    }
    if (rho > sat.rho_vapour && rho < sat.rho_liquid)
      return mixture(m, sat, quality_from_volume(sat, rho), 0);
    evaluations += sat.evaluations;
  }
  return single(m, T, rho, single_phase(m, T, rho, m.critical_density), evaluations);
}

}  // namespace

// (T, rho) is no search: its T and p are the caller's to within the
// rounding of one evaluation, checked against the lines as solved.
FluidState flash_Trho(const HelmholtzModel& m, double T, double rho) {
  return finish(m, state_at_temperature_density(m, T, rho), true);
}

FluidState flash_Tq(const HelmholtzModel& m, double T, double q) {
  if (T < lambda_temperature) return empty(flag_he_ii);
  if (T > m.critical_temperature) return empty(flag_no_solution);
  return finish(m, mixture(m, m.saturation_at_temperature(T), q, 0));
}

// (T, s): Newton in ln rho along the isotherm; (ds/d ln rho)_T = -(dp/dT)_rho / rho.
FluidState flash_Ts(const HelmholtzModel& m, double T, double target) {
  if (T < lambda_melting_temperature && !(T >= lowest_vapour_temperature)) return empty(flag_he_ii);
  if (T > m.extrapolation_temperature) return empty(flag_out_of_range);
  int evaluations = 0;
  // The melting line, widened by a rounding margin (checked on the result).
  const double p_top = melting_pressure(T) * (1.0 + edge_margin);
  // The ideal gas's ln rho at (T, s).
  const double ideal_ln_rho = std::log(m.critical_density) + m.ideal_gas_log_delta(T, target);
  // target - s along the isotherm in ln rho, rising (s falls as rho rises).
  auto f = [&](double x) -> ValueSlope {
    ++evaluations;
    const Partials a = partials(properties_at(m, T, std::exp(x)), Quantity::entropy);
    return {target - a.value, -a.dlnrho};
  };
  if (T < lambda_temperature && T < lowest_vapour_temperature)
    return flash_Ts_cold_liquid(m, T, target, p_top, evaluations);
  if (T < lambda_temperature) {
    // Vapour below the lambda temperature, up to the vapour pressure of He II.
    const RootResult edge = cold_vapour_density(m, T, he_ii_vapour_pressure(T) * (1.0 + edge_margin));
    evaluations += edge.evaluations;
    if (!edge.converged) return empty(flag_not_converged);
    if (!(target > properties_at(m, T, edge.x).s))
      return flash_Ts_cold_liquid(m, T, target, p_top, evaluations);
    const RootResult r =
        bracketed_newton(f, std::log(smallest_density), std::log(edge.x),
                         std::fmin(ideal_ln_rho, std::log(edge.x)), density_tolerance, 1e-15);
    if (!r.converged) return empty(r.no_bracket ? flag_no_solution : flag_not_converged);
    return finish(m, single(m, T, std::exp(r.x), Phase::vapour, evaluations), true);
  }
  if (T > 2.0 * m.critical_temperature) {
    // No dome to land in: Newton in ln rho from the ideal gas, s/R = 1.5 -
    // ln delta - a1 - 1.5 ln tau, up to 30 steps of at most a factor e; the
    // bracketed search below if it does not settle.
    double x = ideal_ln_rho;
    for (int i = 0; i < 30; ++i) {
      const FluidProperties a = properties_at(m, T, std::exp(x));
      ++evaluations;
      if (!(a.dpdT > 0.0) || !(a.dpdrho > 0.0)) break;
      const Partials sa = partials(a, Quantity::entropy);
      double dx = (target - sa.value) / sa.dlnrho;
      dx = std::fmax(-1.0, std::fmin(1.0, dx));
      x += dx;
      if (std::fabs(dx) <= density_tolerance) {
        if (!(pressure_and_slope(m, T, std::exp(x)).p <= p_top)) break;
        return finish(m, single(m, T, std::exp(x), Phase::supercritical, evaluations + 1));
      }
    }
  }
  const DensitySolution top = density_at(m, T, p_top);
  if (top.flags != 0U) return empty(top.flags);
  evaluations += top.evaluations;
  double rho_lo = smallest_density;
  double rho_hi = top.rho;
  Phase phase = Phase::supercritical;
  bool check_unique = false;
  if (T < m.critical_temperature) {
    const Saturation sat = m.saturation_at_temperature(T);
    if (!sat.converged) return empty(flag_not_converged);
    evaluations += sat.evaluations;
    const FluidProperties l = properties_at(m, T, sat.rho_liquid);
    const FluidProperties v = properties_at(m, T, sat.rho_vapour);
    evaluations += 2;
    const double sl = l.s;
    const double sv = v.s;
    const SaturationSlopes edge = slopes_of(sat, l, v);
    const Phase side = saturated_phase(edge, Quantity::entropy, target);
    if (side != Phase::none) return finish(m, saturated_state(m, edge, side, evaluations));
    if (target >= sl && target <= sv)
      return finish(m, mixture(m, sat, l, v, (target - sl) / (sv - sl), evaluations));
    if (target < sl) {
      rho_lo = sat.rho_liquid;
      phase = Phase::liquid;
      check_unique = true;
    } else {
      rho_hi = sat.rho_vapour;
      phase = Phase::vapour;
    }
  }
  const FluidProperties top_state = properties_at(m, T, rho_hi);
  if (target < top_state.s) return empty(flag_solid);
  if (target > properties_at(m, T, rho_lo).s) return empty(flag_no_solution);
  const double guess = phase == Phase::liquid ? std::log(rho_lo) : std::fmin(ideal_ln_rho, std::log(rho_hi));
  const RootResult r =
      bracketed_newton(f, std::log(rho_lo), std::log(rho_hi), guess, density_tolerance, 1e-15);
  if (!r.converged) return empty(flag_not_converged);
  FluidState s = single(m, T, std::exp(r.x), phase, evaluations);
  // Where He I expands on cooling (near the lambda line) s falls and rises
  // again along the isotherm, and the pair has two liquid states.
  if (check_unique && (properties_at(m, T, rho_lo).dpdT < 0.0 || s.dpdT < 0.0)) s.flags |= flag_not_unique;
  return finish(m, s, true);
}

// (T, h) and (T, u). Along an isotherm h and u fall from the dilute gas to a
// minimum and rise again in the compressed fluid (below Tc through the dome,
// where they fall from the saturated vapour's to the saturated liquid's), so
// most values below the dilute gas's have two states: the less dense one is
// returned (the gas, or the two-phase state below Tc), flagged not unique
// when a denser one exists. The pieces of the isotherm, in the order of
// density: the gas or vapour from the dilute limit (its density of
// smallest_density stands for it: the values there are the ideal gas's to
// rounding) to the saturated vapour, or to the vapour pressure of He II below
// the lambda temperature, or to the melting line above Tc; the two-phase
// stretch; the liquid up to the melting line, from the saturated liquid, or
// from the lambda line below the lambda temperature. On each, Newton in ln
// rho inside its bracket. A dilute gas's h and u barely depend on its
// density: the pair fixes it only to about eps h / (h - h_ideal gas).
FluidState flash_T_caloric(const HelmholtzModel& m, double T, double target, Caloric c) {
  if (T < lambda_melting_temperature && !(T >= lowest_vapour_temperature)) return empty(flag_he_ii);
  int evaluations = 0;
  std::array<IsothermPiece, 3> pieces{};
  std::size_t n = 0;
  Saturation sat{};
  const bool has_dense = T >= lambda_melting_temperature;
  double rho_top = nan;
  if (has_dense) {
    const DensitySolution top = density_at(m, T, melting_pressure(T) * (1.0 + edge_margin));
    evaluations += top.evaluations;
    if (top.flags != 0U) return empty(top.flags);
    rho_top = top.rho;
  }
  auto point = [&](double rho) {
    ++evaluations;
    return isotherm_point(m, T, rho, c);
  };
  const IsothermPoint dilute = point(smallest_density);
  if (T >= m.critical_temperature) {
    pieces[n++] = {dilute, point(rho_top), Phase::supercritical, false};
  } else if (T >= lambda_temperature) {
    sat = m.saturation_at_temperature(T);
    evaluations += sat.evaluations;
    if (!sat.converged) return empty(flag_not_converged);
    const IsothermPoint v = point(sat.rho_vapour);
    const IsothermPoint l = point(sat.rho_liquid);
    pieces[n++] = {dilute, v, Phase::vapour, false};
    pieces[n++] = {v, l, Phase::two_phase, true};
    pieces[n++] = {l, point(rho_top), Phase::liquid, true};
  } else {
    const RootResult edge = cold_vapour_density(m, T, he_ii_vapour_pressure(T) * (1.0 + edge_margin));
    evaluations += edge.evaluations;
    if (!edge.converged) return empty(flag_not_converged);
    pieces[n++] = {dilute, point(edge.x), Phase::vapour, false};
    if (has_dense) {
      const DensitySolution bottom = density_at(m, T, lambda_line_pressure(T));
      evaluations += bottom.evaluations;
      if (bottom.flags != 0U) return empty(flag_not_converged);
      pieces[n++] = {point(bottom.rho), point(rho_top), Phase::liquid, false};
    }
  }
  // Within rounding of the ideal gas's value: the limit of zero density
  // (a denser state has it too).
  const double eps = std::numeric_limits<double>::epsilon();
  if (std::fabs(target - dilute.value) <= edge_ulps * eps * (std::fabs(dilute.value) + m.gas_constant * T)) {
    FluidState s = single(m, T, 0.0, single_phase(m, T, 0.0, m.critical_density), evaluations);
    s.flags |= flag_not_unique;
    return finish(m, s, true);
  }
  // Within rounding of a saturated phase's value: that phase, its value then
  // taken exactly for the denser states that may share it.
  if (sat.converged && (near_edge(target, pieces[1].lo.value, m.gas_constant * T) ||
                        near_edge(target, pieces[1].hi.value, m.gas_constant * T))) {
    const SaturationSlopes edge =
        slopes_of(sat, properties_at(m, T, sat.rho_liquid), properties_at(m, T, sat.rho_vapour));
    evaluations += 2;
    const Phase side = saturated_phase(edge, quantity(c), target);
    if (side != Phase::none) {
      const double exact = side == Phase::liquid ? pieces[1].hi.value : pieces[1].lo.value;
      bool denser = false;
      for (std::size_t k = side == Phase::liquid ? 2 : 1; k < n && !denser; ++k)
        denser = piece_roots(m, T, exact, c, pieces[k], evaluations).count > 0;
      FluidState s = saturated_state(m, edge, side, evaluations);
      if (denser) s.flags |= flag_not_unique;
      return finish(m, s, true);
    }
  }
  std::size_t found = n;
  PieceRoots roots{};
  for (std::size_t k = 0; k < n && found == n; ++k) {
    roots = piece_roots(m, T, target, c, pieces[k], evaluations);
    if (roots.failed) return empty(flag_not_converged);
    if (roots.count > 0) found = k;
  }
  if (found == n) {
    // Above every piece: beyond the melting line where the densest state holds
    // the most, else hotter than the isotherm's dilute gas; below them: He II
    // lies between the vapour and the liquid below the lambda temperature.
    double most = -std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < n; ++k)
      most = std::fmax(most, std::fmax(pieces[k].lo.value, pieces[k].hi.value));
    if (target > most)
      return empty(has_dense && pieces[n - 1].hi.value >= most ? flag_solid : flag_no_solution);
    return empty(T < lambda_temperature ? flag_he_ii : flag_no_solution);
  }
  bool another = roots.count > 1;
  for (std::size_t k = found + 1; k < n && !another; ++k) {
    const PieceRoots later = piece_roots(m, T, target, c, pieces[k], evaluations);
    another = later.count > 0;
  }
  const IsothermPiece& piece = pieces[found];
  FluidState s{};
  if (piece.phase == Phase::two_phase) {
    s = mixture(m, counted(sat), (target - piece.hi.value) / (piece.lo.value - piece.hi.value), evaluations);
  } else {
    const double orient = roots.rising ? 1.0 : -1.0;
    auto f = [&](double x) -> ValueSlope {
      const IsothermPoint p = point(std::exp(x));
      return {orient * (p.value - target), orient * p.slope};
    };
    // From the second virial term in the dilute gas (h - h0 = rho R T k),
    // else by interpolation between the ends.
    double guess = nan;
    if (found == 0) {
      const double k = piece.lo.slope / std::exp(piece.lo.x);
      guess = std::log((target - piece.lo.value) / k);
    }
    if (!(guess > roots.a && guess < roots.b)) {
      const bool whole = roots.b == piece.hi.x && piece.hi.value != piece.lo.value;
      guess = whole ? roots.a +
                          (target - piece.lo.value) / (piece.hi.value - piece.lo.value) * (roots.b - roots.a)
                    : 0.5 * (roots.a + roots.b);
    }
    RootResult r = bracketed_newton(f, roots.a, roots.b, guess, density_tolerance, 1e-15);
    // A root on the end of a piece (the saturated vapour, say): the end's own
    // density, which ln rho and back may miss by an ulp on the wrong side.
    for (const IsothermPoint* end : {&piece.lo, &piece.hi}) {
      if (roots.b == piece.hi.x || end == &piece.lo) {
        const bool near = std::fabs(r.x - end->x) <= 1e-9 * std::fmax(1.0, std::fabs(end->x));
        const double scale = std::fmax(std::fabs(target), m.gas_constant * T);
        if (near && std::fabs(end->value - target) <= 8.0 * std::numeric_limits<double>::epsilon() * scale &&
            end->rho > smallest_density)
          r = {end->x, r.evaluations, true};
      }
    }
    if (!r.converged) return empty(r.no_bracket ? flag_no_solution : flag_not_converged);
    // At the dilute end itself the pair fixes no density: h (u) is the ideal
    // gas's at every density that rounds away.
    if (found == 0 && r.x <= roots.a) {
      s = single(m, T, 0.0, single_phase(m, T, 0.0, m.critical_density), evaluations);
      s.flags |= flag_not_unique;
      return finish(m, s, true);
    }
    const double rho = r.x == piece.hi.x ? piece.hi.rho : r.x == piece.lo.x ? piece.lo.rho : std::exp(r.x);
    s = single(m, T, rho, T >= m.critical_temperature ? Phase::supercritical : piece.phase, evaluations);
  }
  if (another) s.flags |= flag_not_unique;
  return finish(m, s, true);
}

}  // namespace vorn::reference_eos::flash_detail
