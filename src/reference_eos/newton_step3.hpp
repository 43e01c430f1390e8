// The Newton step of a three-unknown system: x solving A x = -F by Cramer's
// rule, each determinant expanded along its first row in one fixed order (the
// same bits on every platform). Used by the two-phase Newton iterations in
// (delta', delta'', tau). Near a singular A (the critical point) the step is
// inf or NaN: the caller checks std::isfinite and stops.
#pragma once

#include <array>
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

}  // namespace vorn::reference_eos
