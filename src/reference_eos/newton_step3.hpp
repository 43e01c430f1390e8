// The Newton step of a three-unknown system: x solving A x = -F by Cramer's
// rule, each determinant expanded along its first row in one fixed order (the
// same bits on every platform). Used by the two-phase Newton iterations in
// (delta', delta'', tau). Near a singular A (the critical point) the step is
// inf or NaN: the caller checks std::isfinite and stops.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

namespace vorn::reference_eos {

inline double determinant3(const double (&M)[3][3]) {
  return M[0][0] * (M[1][1] * M[2][2] - M[1][2] * M[2][1]) -
         M[0][1] * (M[1][0] * M[2][2] - M[1][2] * M[2][0]) +
         M[0][2] * (M[1][0] * M[2][1] - M[1][1] * M[2][0]);
}

inline std::array<double, 3> newton_step3(const double (&A)[3][3], const double (&F)[3]) {
  const double det = determinant3(A);
  std::array<double, 3> step{};
  for (int k = 0; k < 3; ++k) {
    double M[3][3];
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) M[i][j] = j == k ? -F[i] : A[i][j];
    step[static_cast<std::size_t>(k)] = determinant3(M) / det;
  }
  return step;
}

// The step of A x = -F applied to (delta', delta'', tau), halved (at most 30
// times) until valid(delta', delta'', tau) holds for the new point. Returns the
// largest relative change, or NaN (nothing applied) if the step is not finite.
template <typename Valid>
double damped_step3(const double (&A)[3][3], const double (&F)[3], double& dl, double& dv, double& tau,
                    Valid&& valid) {
  const std::array<double, 3> step_of = newton_step3(A, F);
  double ddl = step_of[0];
  double ddv = step_of[1];
  double dtau = step_of[2];
  if (!std::isfinite(ddl) || !std::isfinite(ddv) || !std::isfinite(dtau)) return std::nan("");
  for (int halving = 0; halving < 30 && !valid(dl + ddl, dv + ddv, tau + dtau); ++halving) {
    ddl *= 0.5;
    ddv *= 0.5;
    dtau *= 0.5;
  }
  dl += ddl;
  dv += ddv;
  tau += dtau;
  return std::fmax(std::fmax(std::fabs(ddl) / dl, std::fabs(ddv) / dv), std::fabs(dtau) / tau);
}

}  // namespace vorn::reference_eos
