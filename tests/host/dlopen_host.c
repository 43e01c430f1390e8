/*
 * A host as a foreign program uses the library: no header, no link-time
 * dependency. It loads libvorn at run time, looks up all 26 exported names,
 * calls every routine through pointers, stores into the module constants and
 * checks what follows. Prints "N passed, M failed"; exits nonzero on failure.
 */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

typedef double (*fn1)(const double*);
typedef double (*fn2)(const double*, const double*);
typedef double (*fn4)(const double*, const double*, const double*, const double*);

static int passed, failed;

static void check(int ok, const char* what) {
  if (ok) {
    ++passed;
  } else {
    ++failed;
    printf("FAILED: %s\n", what);
  }
}

static double magnitude(double x) { return x < 0 ? -x : x; }

static int near(double got, double expected, double relative) {
  return magnitude(got - expected) <= relative * magnitude(expected);
}

static int same_bits(double a, double b) { return memcmp(&a, &b, sizeof a) == 0; }

static void* handle;

static void* lookup(const char* name) {
  void* address = dlsym(handle, name);
  if (address == NULL) printf("missing symbol %s: %s\n", name, dlerror());
  check(address != NULL, name);
  return address;
}

static const char* const one_argument[] = {
    "__vorn_MOD_b", "__vorn_MOD_db", "__vorn_MOD_d2b", "__vorn_MOD_c", "__vorn_MOD_dc", "__vorn_MOD_d2c",
    "__vorn_MOD_d", "__vorn_MOD_dd", "__vorn_MOD_d2d", "vorn_k0",      "vorn_nu0"};
/* Reference values at 300 K (and 101.325 kPa or 100 kPa), to 7 digits. */
static const double one_argument_300[] = {11.8191108,    -0.004129613777, -4.548913505e-06, 108.3088004,
                                          -0.1604195183, 0.000626897205,  687.3752715,      -1.948543512,
                                          0.01055389423, 0.1556563621,    1.990926460e-05};
static const char* const two_arguments[] = {"vorn_rho", "vorn_vol",   "vorn_cv",   "vorn_cp", "vorn_gamma",
                                            "vorn_w",   "vorn_Za_gk", "vorn_w_gk", "vorn_k",  "vorn_nu"};
static const double two_arguments_300[] = {0.16251574,   0.024629019,    3116.1381,   5193.1921,
                                           1.6665475,    1019.5855,      1.000877053, 1019.579548,
                                           0.1556663832, 1.991151729e-05};
static const double two_arguments_pressure[] = {101.325, 101.325, 101.325, 101.325, 101.325,
                                                101.325, 100,     100,     100,     100};

#define COUNT(a) (sizeof(a) / sizeof((a)[0]))

/* All 22 routines at 300 K and 1000 kPa, in table order, temp_K last. */
static void every_routine(const fn1* f1, const fn2* f2, fn4 temp_K, double* out) {
  const double T = 300, P = 1000, phi = 1.1, T0 = 273.16, P0 = 900;
  for (size_t i = 0; i < COUNT(one_argument); ++i) *out++ = f1[i](&T);
  for (size_t i = 0; i < COUNT(two_arguments); ++i) *out++ = f2[i](&T, &P);
  *out = temp_K(&phi, &P, &T0, &P0);
}

int main(void) {
  handle = dlopen(VORN_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  if (handle == NULL) {
    printf("cannot load %s: %s\n0 passed, 1 failed\n", VORN_LIBRARY_PATH, dlerror());
    return 1;
  }

  double* r = lookup("__vorn_MOD_r");
  double* m0 = lookup("__vorn_MOD_m0");
  double* g0 = lookup("__vorn_MOD_g0");
  double* pi = lookup("__vorn_MOD_pi");
  fn1 f1[COUNT(one_argument)];
  fn2 f2[COUNT(two_arguments)];
  for (size_t i = 0; i < COUNT(one_argument); ++i) *(void**)&f1[i] = lookup(one_argument[i]);
  for (size_t i = 0; i < COUNT(two_arguments); ++i) *(void**)&f2[i] = lookup(two_arguments[i]);
  fn4 temp_K;
  *(void**)&temp_K = lookup("temp_K");
  if (failed) {
    printf("%d passed, %d failed\n", passed, failed);
    return 1;
  }

  check(*r == 8.3144598 && *m0 == 0.00400260325413 && *g0 == 1.666666666666667 && *pi == 3.141592653589793,
        "initial module constants");

  const double T = 300;
  for (size_t i = 0; i < COUNT(one_argument); ++i)
    check(near(f1[i](&T), one_argument_300[i], 1e-7), one_argument[i]);
  for (size_t i = 0; i < COUNT(two_arguments); ++i)
    check(near(f2[i](&T, &two_arguments_pressure[i]), two_arguments_300[i], 1e-7), two_arguments[i]);
  {
    const double phi = 1.1, P = 110, T0 = 273.16, P0 = 100;
    check(near(temp_K(&phi, &P, &T0, &P0), 300.480632583, 1e-10), "temp_K");
  }

  /* One address for T and P, and for all four arguments of temp_K. */
  {
    double x = 20, copy = 20;
    for (size_t i = 0; i < COUNT(two_arguments); ++i) {
      char what[64];
      snprintf(what, sizeof what, "%s with one address", two_arguments[i]);
      check(same_bits(f2[i](&x, &x), f2[i](&x, &copy)) && x == 20, what);
    }
    double y = 1.5, a = 1.5, b = 1.5, c = 1.5;
    check(same_bits(temp_K(&y, &y, &y, &y), temp_K(&a, &b, &c, &y)), "temp_K with one address");
  }

  /* The module constants are re-read at every call: stores by powers of two
   * move the results by exact factors. */
  {
    const double P = 1000, half = 500, zero = 0;
    fn2 rho = f2[0], cv = f2[2], w = f2[5], Za = f2[6], w_gk = f2[7];
    double before[COUNT(one_argument) + COUNT(two_arguments) + 1], after[COUNT(before)];
    every_routine(f1, f2, temp_K, before);
    const double Za_half = Za(&T, &half), rho_half = rho(&T, &half), cv1 = cv(&T, &P);

    const double saved_r = *r;
    *r = 2 * saved_r;
    check(same_bits(Za(&T, &P), Za_half), "r: Za follows the molar density P/(r T)");
    check(same_bits(rho(&T, &P), rho_half), "r: rho follows the molar density P/(r T)");
    every_routine(f1, f2, temp_K, after);
    int untouched = 1;
    for (size_t i = 0; i < COUNT(one_argument); ++i) untouched &= same_bits(after[i], before[i]);
    check(untouched, "r: virial coefficients and dilute transport untouched");
    *r = saved_r;
    every_routine(f1, f2, temp_K, after);
    check(memcmp(after, before, sizeof before) == 0, "r: every result back after restoring");

    const double saved_m0 = *m0;
    *m0 = 2 * saved_m0;
    check(same_bits(rho(&T, &P), 2 * before[COUNT(one_argument)]), "m0: rho doubles");
    check(same_bits(cv(&T, &P), cv1 / 2), "m0: cv halves");
    check(same_bits(Za(&T, &P), before[COUNT(one_argument) + 6]), "m0: Za untouched");
    *m0 = saved_m0;

    const double saved_g0 = *g0;
    const double w0 = w(&T, &zero), w0_gk = w_gk(&T, &zero);
    *g0 = 4 * saved_g0;
    check(same_bits(w(&T, &zero), 2 * w0), "g0: ideal-gas w doubles");
    check(same_bits(w_gk(&T, &zero), 2 * w0_gk), "g0: ideal-gas w_gk doubles");
    check(!same_bits(w(&T, &P), before[COUNT(one_argument) + 5]), "g0: w at pressure changes");
    check(same_bits(cv(&T, &P), cv1), "g0: cv untouched");
    *g0 = saved_g0;

    const double saved_pi = *pi;
    *pi = 0;
    every_routine(f1, f2, temp_K, after);
    check(memcmp(after, before, sizeof before) == 0, "pi: read by no routine");
    *pi = saved_pi;
  }

  check(dlclose(handle) == 0, "dlclose");
  printf("%d passed, %d failed\n", passed, failed);
  return failed != 0;
}
