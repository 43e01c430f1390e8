// A C++ host linked against vorn at build time: the header is the contract,
// and what the library promises about its routines' relations holds to the
// bit when called from outside.
#include <cmath>
#include <cstdio>
#include <vector>

#include "vorn.h"

namespace {

int failures = 0;

void expect(bool ok, const char* what) {
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
  failures += ok ? 0 : 1;
}

}  // namespace

int main() {
  const std::vector<double> T{2.5, 4.2, 20.0, 77.0, 273.16, 300.0};
  const std::vector<double> P{1.0, 100.0, 1000.0, 50.0, 100.0, 101.325};

  // gamma is cp then cv, divided.
  bool gamma_is_quotient = true;
  for (std::size_t i = 0; i < T.size(); ++i) {
    gamma_is_quotient &= vorn_gamma(&T[i], &P[i]) == vorn_cp(&T[i], &P[i]) / vorn_cv(&T[i], &P[i]);
  }
  expect(gamma_is_quotient, "vorn_gamma == vorn_cp / vorn_cv, bit for bit");

  // The array form is the scalar routine at each point.
  std::vector<double> out(T.size());
  vorn_cp_n(T.size(), T.data(), P.data(), out.data());
  bool arrays_match = true;
  for (std::size_t i = 0; i < T.size(); ++i) arrays_match &= out[i] == vorn_cp(&T[i], &P[i]);
  expect(arrays_match, "vorn_cp_n == vorn_cp at every point");

  // The report of the thermometer returns what temp_K returns.
  const double phi = 0.01, Pt = 0.1, T0 = 273.16, P0 = 10.0;
  int iterations = 0, converged = 0;
  const double reported = vorn_temp_K_report(&phi, &Pt, &T0, &P0, &iterations, &converged);
  expect(reported == temp_K(&phi, &Pt, &T0, &P0) && iterations == 3 && converged == 1,
         "vorn_temp_K_report == temp_K, 3 iterations, converged");
  expect(std::fabs(reported - 2.73362211653) < 1e-10,
         "temp_K(0.01, 0.1 kPa, 273.16 K, 10 kPa) = 2.73362211653 K");

  // State flags: at 20 K and 1000 kPa none that spoils cp (the conductivity's pressure term is
  // past its limit there, k-dense); at 4.2 K and 100 kPa the gas would be liquid.
  const double T20 = 20.0, P1000 = 1000.0, T42 = 4.2, P100 = 100.0;
  expect((vorn_state(&T20, &P1000) & vorn_state_mask("vorn_cp")) == 0u, "no flag of cp at 20 K, 1000 kPa");
  expect(vorn_state(&T20, &P1000) == VORN_STATE_K_DENSE, "only k-dense at 20 K, 1000 kPa");
  expect((vorn_state(&T42, &P100) & VORN_STATE_LIQUID) != 0u, "liquid at 4.2 K, 100 kPa");

  // The module constants are the host's to change, and every routine follows.
  const double w_before = vorn_w_gk(&T20, &P1000);
  const double g0 = __vorn_MOD_g0;
  __vorn_MOD_g0 = 4.0 * g0;
  expect(vorn_w_gk(&T20, &P1000) == 2.0 * w_before, "w_gk doubles when g0 is multiplied by four");
  __vorn_MOD_g0 = g0;
  expect(vorn_w_gk(&T20, &P1000) == w_before, "and returns when g0 is restored");

  std::printf("C++ host: %d failure(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
