// A state of the fluid as the flashes return it (molar SI units), its phase
// and the flags that say where the equation does not answer.
#pragma once

namespace vorn::reference_eos {

enum class Phase : int { none = 0, liquid = 1, vapour = 2, supercritical = 3, two_phase = 4, he_ii = 5 };

// Flag bits; the same values as the VORN_EOS_FLAG_* macros of vorn.h.
inline constexpr unsigned flag_bad_input = 1U;  // non-finite input, T <= 0, P < 0, rho <= 0, q outside [0, 1]
inline constexpr unsigned flag_he_ii = 2U;      // below the lambda line: He II, outside the equation
inline constexpr unsigned flag_solid = 4U;      // above the melting pressure
inline constexpr unsigned flag_extrapolated =
    8U;  // 1500 K < T <= 2000 K, P > 2000 MPa, vapour below T_lambda
inline constexpr unsigned flag_out_of_range = 16U;  // T > 2000 K
inline constexpr unsigned flag_not_unique = 32U;    // the pair has more than one fluid state
inline constexpr unsigned flag_no_solution = 64U;   // no fluid state of the equation has this pair
inline constexpr unsigned flag_not_converged = 128U;
inline constexpr unsigned flag_undefined =
    256U;  // some values have no meaning here (s, g at zero density): NaN
inline constexpr unsigned flag_near_lambda =
    512U;  // He II within 0.1 K of the lambda line, where its model is least certain

// Flags whose results are NaN.
inline constexpr unsigned flags_without_result =
    flag_bad_input | flag_he_ii | flag_solid | flag_out_of_range | flag_no_solution | flag_not_converged;

struct FluidState {
  unsigned flags;
  Phase phase;
  double T;    // K
  double p;    // Pa
  double rho;  // mol/m3
  double Z;
  double u;       // J/mol
  double h;       // J/mol
  double s;       // J/(mol K)
  double g;       // J/mol
  double cv;      // J/(mol K)
  double cp;      // J/(mol K)
  double w;       // m/s
  double jt;      // K/Pa
  double kappa;   // 1/Pa
  double alpha;   // 1/K
  double dpdT;    // Pa/K
  double dpdrho;  // Pa m3/mol
  double B;       // m3/mol
  double q;       // vapour mass fraction; NaN in one phase
  int evaluations;
};

enum class InputPair : int {
  TP = 1,
  Trho = 2,
  Prho = 3,
  Ph = 4,
  Ps = 5,
  Ts = 6,
  rhou = 7,
  Tq = 8,
  Pq = 9,
  Pu = 10,
  Th = 11,
  Tu = 12,
  rhoh = 13,
  rhos = 14,
  hs = 15
};

struct HelmholtzModel;

// The flash for a pair (T in K, p in Pa, rho in mol/m3, h and u in J/mol,
// s in J/(mol K), q the vapour fraction). An unknown pair is bad input.
// The fluid, He I by the reference equation and He II in its bath, each
// where it holds (flash.cpp).
FluidState flash(InputPair pair, double x1, double x2);
// The model's own flash, every state one of its states (model.hpp).
FluidState flash(const HelmholtzModel& model, InputPair pair, double x1, double x2);

}  // namespace vorn::reference_eos
