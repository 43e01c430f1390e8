// The Gibbs energy's pressure part at T (K), from the saturated vapour
// pressure p_s(T) to p (Pa), per kilogram:
//
//   dg(T, p)  = integral_{p_s}^{p} V dp'            J/kg
//   ds(T, p)  = -integral_{p_s}^{p} V_T dp'         J/(kg K)   (= -d dg/dT)
//   dcp(T, p) = T V_T(T, p_s) p_s'(T) - T integral_{p_s}^{p} V_TT dp'
//                                                   J/(kg K)   (cp - C_sat)
//
// (V from volume.hpp). Near the lambda line V_T grows as ln t and V_TT as
// 1/t, t = T_lambda(p') - T, so the interval is cut into pieces shrinking
// geometrically (by 4) towards p, down to the distance from p to the line at
// T (at most 40 pieces), with 8-point Gauss-Legendre on each: every piece's
// distance to the singular end is at least a third of its width, and the
// integrals hold to 1e-10 relative in dg and, next to the line above 1.77 K,
// 1e-7 in ds and dcp (against the same rule on 16 times finer pieces,
// 0.8 K to T_lambda, p_s to 1e-5 of the span from the line). A piece ratio
// of 1/8 saves a tenth of the nodes for 30 times that error; a logarithmic
// substitution towards the line does worse (the line's x^6 bend becomes an
// exponential in the new variable). The anomaly switches on where the
// line comes within anomaly_reach of T (lambda_anomaly.hpp), a kink in the
// integrands' higher derivatives that a piece across it would blur (by up
// to 1 % in dcp): the interval is cut there first. dcp grows without bound as
// ln(T_lambda(p) - T) at the line (the lambda peak of cp).
#pragma once

#include <cmath>
#include <cstddef>
#include <limits>

#include "constants/gauss_legendre.hpp"
#include "reference_eos/boundaries.hpp"
#include "superfluid/entropy.hpp"
#include "superfluid_pressure/coefficients.hpp"
#include "superfluid_pressure/saturation_closure.hpp"
#include "superfluid_pressure/saturation_pressure.hpp"
#include "superfluid_pressure/volume.hpp"

namespace vorn::superfluid_pressure {

inline constexpr double piece_ratio = 0.25;
inline constexpr int most_pieces = 40;

struct PressurePart {
  double dg;     // J/kg
  double ds;     // J/(kg K)
  double dcp;    // J/(kg K)
  double dcp_s;  // J/(kg K): dcp at p_s itself, T V_T(T, p_s) p_s'(T)
};

// V_T(T, p_s) at the vapour pressure (the closure and ps as below), kept
// for the next call at the same T and closure, per thread: the state's
// rough starts and its two-fluid values ask for it again.
inline double volume_slope_at_saturation(double T, const ClosureDerivatives& closure,
                                         const superfluid::SplineValue& ps) {
  thread_local double kept_T = std::numeric_limits<double>::quiet_NaN();
  thread_local ClosureDerivatives kept_closure{};
  thread_local double kept = 0.0;
  if (!(T == kept_T && closure.R == kept_closure.R && closure.dR == kept_closure.dR)) {
    kept = specific_volume(T, ps.value, closure).dT;
    kept_T = T;
    kept_closure = closure;
  }
  return kept;
}

// The three integrals over [a, b] by 8-point Gauss-Legendre.
struct Integrals {
  double v = 0.0;
  double v_T = 0.0;
  double v_TT = 0.0;
};
inline void add_piece(Integrals& sum, double T, double a, double b, const ClosureDerivatives& closure) {
  const double half = 0.5 * (b - a);
  const double middle = 0.5 * (a + b);
  for (std::size_t i = 0; i < gauss_legendre_8_nodes.size(); ++i) {
    const double w = half * gauss_legendre_8_weights[i];
    for (const double sign : {-1.0, 1.0}) {
      const VolumeDerivatives v =
          specific_volume(T, middle + sign * half * gauss_legendre_8_nodes[i], closure);
      sum.v += w * v.v;
      sum.v_T += w * v.dT;
      sum.v_TT += w * v.dTT;
    }
  }
}

// The pressure where the anomaly sets in at T, if the line comes within
// anomaly_reach of T inside the region (0.97 K < T < 1.38 K), else NaN;
// once per thread and temperature.
inline double anomaly_onset_pressure(double T) {
  thread_local double kept_T = 0.0;
  thread_local double kept = 0.0;
  if (T == kept_T) return kept;
  const double at = T + anomaly_reach;
  kept_T = T;
  kept = at > reference_eos::lambda_melting_temperature && at < reference_eos::lambda_saturation_temperature
             ? reference_eos::lambda_line_pressure(at)
             : std::nan("");
  return kept;
}

// ps: the vapour pressure at T and its slope (saturation_pressure.hpp).
inline PressurePart pressure_part(double T, double p, const ClosureDerivatives& closure,
                                  const superfluid::SplineValue& ps) {
  Integrals sum;
  double from = ps.value;
  // Up to the anomaly's onset in one piece: the line is further than
  // anomaly_reach from T all along it.
  const double onset = anomaly_onset_pressure(T);
  if (onset > from && onset < p) {
    add_piece(sum, T, from, onset, closure);
    from = onset;
  }
  const double length = p - from;
  // How close p lies to the line at T, in pressure: the smallest piece.
  const reference_eos::LambdaLinePoint line = reference_eos::lambda_line(p);
  const double gap = (line.T - T) / std::fabs(line.dTdp);
  int pieces = 0;
  double width = std::fabs(length);
  while (pieces < most_pieces && width > gap) {
    width *= piece_ratio;
    ++pieces;
  }
  double reach = length;  // p - from
  for (int k = 0; k < pieces; ++k) {
    reach *= piece_ratio;
    add_piece(sum, T, from, p - reach, closure);
    from = p - reach;
  }
  add_piece(sum, T, from, p, closure);
  const double v_T_s = volume_slope_at_saturation(T, closure, ps);
  return {sum.v, -sum.v_T, T * (v_T_s * ps.derivative - sum.v_TT), T * (v_T_s * ps.derivative)};
}

}  // namespace vorn::superfluid_pressure
