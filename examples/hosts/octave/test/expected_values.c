/*
 * The C results the Octave test compares the MEX gateway with, bit for bit:
 * every routine over a grid of T (and P) values that covers ordinary states,
 * poles, thresholds, zero, negative and non-finite arguments, written as
 *
 *   NAME ROWS COLS HEX...        the result array, column-major, each double's bits in hex
 *
 * with the grid itself first (T as a column, P as a row), the state flags,
 * the module constants as exported data, and cp again after storing a new
 * gas constant through the exported data.
 */
#include <inttypes.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "vorn.h"

static const double Ts[] = {0.5,   1.8,         2.1,    2.180066, 2.5,    4.2, 5.0,  20.0, 36.3759531,
                            100.0, 184.4868237, 273.16, 300.0,    1000.0, 0.0, -1.0, NAN,  INFINITY};
static const double Ps[] = {0.0, 1.0, 50.0, 100.0, 1000.0, 10000.0, -1.0, NAN};
#define NT (sizeof Ts / sizeof Ts[0])
#define NP (sizeof Ps / sizeof Ps[0])

typedef double (*fn1)(const double*);
typedef double (*fn2)(const double*, const double*);

static void hex(double x) {
  uint64_t u;
  memcpy(&u, &x, sizeof u);
  printf(" %016" PRIx64, u);
}

static void row(const char* name, size_t rows, size_t cols, const double* values) {
  size_t i;
  printf("%s %zu %zu", name, rows, cols);
  for (i = 0; i < rows * cols; ++i) hex(values[i]);
  printf("\n");
}

static void over_T(const char* name, fn1 f) {
  double out[NT];
  size_t i;
  for (i = 0; i < NT; ++i) out[i] = f(&Ts[i]);
  row(name, NT, 1, out);
}

/* The reference equation over the same grid: out(i, j) = vorn_eos_value(property, pair, T(i), P(j)). */
static void eos_over_TP(const char* name, int property, int pair) {
  double out[NT * NP];
  size_t i, j;
  for (j = 0; j < NP; ++j)
    for (i = 0; i < NT; ++i) out[i + NT * j] = vorn_eos_value(&property, &pair, &Ts[i], &Ps[j]);
  row(name, NT, NP, out);
}

/* out(i, j) = f(T(i), P(j)), column-major as Octave stores it. */
static void over_TP(const char* name, fn2 f) {
  double out[NT * NP];
  size_t i, j;
  for (j = 0; j < NP; ++j)
    for (i = 0; i < NT; ++i) out[i + NT * j] = f(&Ts[i], &Ps[j]);
  row(name, NT, NP, out);
}

int main(void) {
  static const double phis[] = {0.5, 0.9, 1.0, 1.1}, Pthermo[] = {10.0, 100.0};
  const double T0 = 273.16, P0 = 50.0, r = 8.314462618;
  double flags[NT * NP], temps[4 * 2], constants[4];
  size_t i, j;

  row("T", NT, 1, Ts);
  row("P", 1, NP, Ps);
  over_T("b", __vorn_MOD_b);
  over_T("db", __vorn_MOD_db);
  over_T("d2b", __vorn_MOD_d2b);
  over_T("c", __vorn_MOD_c);
  over_T("dc", __vorn_MOD_dc);
  over_T("d2c", __vorn_MOD_d2c);
  over_T("d", __vorn_MOD_d);
  over_T("dd", __vorn_MOD_dd);
  over_T("d2d", __vorn_MOD_d2d);
  over_T("k0", vorn_k0);
  over_T("nu0", vorn_nu0);
  over_TP("rho", vorn_rho);
  over_TP("vol", vorn_vol);
  over_TP("cv", vorn_cv);
  over_TP("cp", vorn_cp);
  over_TP("gamma", vorn_gamma);
  over_TP("w", vorn_w);
  over_TP("Za_gk", vorn_Za_gk);
  over_TP("w_gk", vorn_w_gk);
  over_TP("k", vorn_k);
  over_TP("nu", vorn_nu);
  over_TP("Z", vorn_Z);

  /* temp_K(phi(i), P(j), T0, P0): phi a column, P a row, T0 and P0 scalars. */
  for (j = 0; j < 2; ++j)
    for (i = 0; i < 4; ++i) temps[i + 4 * j] = temp_K(&phis[i], &Pthermo[j], &T0, &P0);
  row("phi", 4, 1, phis);
  row("Pthermo", 1, 2, Pthermo);
  row("temp_K", 4, 2, temps);

  /* The flags as doubles (exact: they are small whole numbers). */
  for (j = 0; j < NP; ++j)
    for (i = 0; i < NT; ++i) flags[i + NT * j] = (double)vorn_state(&Ts[i], &Ps[j]);
  row("state", NT, NP, flags);

  eos_over_TP("eos_h", VORN_EOS_H, VORN_EOS_TP);
  eos_over_TP("eos_cp", VORN_EOS_CP, VORN_EOS_TP);
  eos_over_TP("eos_flags", VORN_EOS_FLAGS, VORN_EOS_TP);
  eos_over_TP("eos_phase", VORN_EOS_PHASE, VORN_EOS_TP);
  eos_over_TP("eos_viscosity", VORN_EOS_VISCOSITY, VORN_EOS_TP);
  eos_over_TP("eos_prandtl", VORN_EOS_PRANDTL, VORN_EOS_TP);
  {
    /* Saturation at every T of the grid (NaN and flags outside 2.1768 K to Tc). */
    double latent[NT], psat[NT], sflags[NT], kliquid[NT];
    for (i = 0; i < NT; ++i) {
      vorn_eos_saturation sat;
      memset(&sat, 0, sizeof sat);
      sat.size = sizeof sat;
      vorn_eos_saturation_T(&Ts[i], &sat);
      latent[i] = sat.latent_heat;
      psat[i] = sat.P;
      sflags[i] = (double)sat.flags;
      kliquid[i] = sat.conductivity_liquid;
    }
    row("sat_latent", NT, 1, latent);
    row("sat_P", NT, 1, psat);
    row("sat_flags", NT, 1, sflags);
    row("sat_conductivity_liquid", NT, 1, kliquid);
  }

  constants[0] = __vorn_MOD_r;
  constants[1] = __vorn_MOD_m0;
  constants[2] = __vorn_MOD_g0;
  constants[3] = __vorn_MOD_pi;
  row("constants", 1, 4, constants);

  /* cp after storing the 2019 SI gas constant through the exported data. */
  __vorn_MOD_r = r;
  row("r_stored", 1, 1, &r);
  over_TP("cp_after_r", vorn_cp);
  return 0;
}
