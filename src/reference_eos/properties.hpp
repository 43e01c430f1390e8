// Every single-phase property at (T, rho) from one evaluation of the
// Helmholtz energy, in molar SI units (the export layer converts to the
// library's per-kilogram units and kPa).
//
//   p = rho R T (1 + d)                      Z = 1 + d
//   u/(RT) = t0 + t                          h/(RT) = t0 + t + 1 + d
//   s/R = t0 + t - a0 - a                    g/(RT) = 1 + a0 + a + d
//   cv/R = -(tt0 + tt)
//   cp/R = cv/R + (1 + d - dt)^2 / (1 + 2d + dd)
//   w^2 = (RT/M) (cp/cv) (1 + 2d + dd)
//   (dp/drho)_T = RT (1 + 2d + dd),          (dp/dT)_rho = rho R (1 + d - dt)
//   mu_JT = -(d + dd + dt) / (rho R ((1 + d - dt)^2 - (tt0 + tt)(1 + 2d + dd)))
// with d = delta alpha_r_delta etc. (helmholtz.hpp) and a0, t0, tt0 the ideal
// part, of the model given (model.hpp). Meaningless where (dp/drho)_T <= 0 (inside the spinodals): cp, w, the
// compressibility and expansivity are then NaN.
#pragma once

#include "reference_eos/model.hpp"

namespace vorn::reference_eos {

struct FluidProperties {
  double T;       // K
  double rho;     // mol/m3
  double p;       // Pa
  double Z;       // p/(rho R T)
  double u;       // J/mol
  double h;       // J/mol
  double s;       // J/(mol K)
  double g;       // J/mol
  double cv;      // J/(mol K)
  double cp;      // J/(mol K)
  double w;       // m/s
  double jt;      // K/Pa
  double kappa;   // 1/Pa, isothermal compressibility
  double alpha;   // 1/K, volume expansivity
  double dpdT;    // Pa/K at constant density
  double dpdrho;  // Pa m3/mol at constant temperature
};

FluidProperties properties_at(const HelmholtzModel& m, double T, double rho);

// The few quantities the iterations need, each from one residual evaluation.
struct PressureSlope {
  double p;       // Pa
  double dpdrho;  // Pa m3/mol
};
PressureSlope pressure_and_slope(const HelmholtzModel& m, double T, double rho);

// Second virial coefficient of the model (its zero-density limit), m3/mol.
double second_virial(const HelmholtzModel& m, double T);

}  // namespace vorn::reference_eos
