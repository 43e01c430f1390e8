/*
 * A host as a foreign program uses the library: no header, no link-time
 * dependency. It loads libvorn at run time, looks up the 22 routines of the
 * library's table (src/export/routines.def) and the 4 module constants,
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

/* The routines' names and arities, from the library's table of routines. */
struct routine {
  const char* name;
  int arity;
};
static const struct routine routines[] = {
#define VORN_ROUTINE(short_name, symbol, array_form, function, arity, ...) {#symbol, arity},
#include "export/routines.def"
#undef VORN_ROUTINE
};

/* Reference values at 300 K (and P kPa), to 7 digits: every routine of T or
 * of T and P must have one. */
struct reference {
  const char* name;
  double P, value;
};
static const struct reference references_300[] = {
    {"__vorn_MOD_b", 0, 11.8191108},         {"__vorn_MOD_db", 0, -0.004129613777},
    {"__vorn_MOD_d2b", 0, -4.548913505e-06}, {"__vorn_MOD_c", 0, 108.3088004},
    {"__vorn_MOD_dc", 0, -0.1604195183},     {"__vorn_MOD_d2c", 0, 0.000626897205},
    {"__vorn_MOD_d", 0, 687.3752715},        {"__vorn_MOD_dd", 0, -1.948543512},
    {"__vorn_MOD_d2d", 0, 0.01055389423},    {"vorn_k0", 0, 0.1556563621},
    {"vorn_nu0", 0, 1.990926460e-05},        {"vorn_rho", 101.325, 0.16251574},
    {"vorn_vol", 101.325, 0.024629019},      {"vorn_cv", 101.325, 3116.1381},
    {"vorn_cp", 101.325, 5193.1921},         {"vorn_gamma", 101.325, 1.6665475},
    {"vorn_w", 101.325, 1019.5855},          {"vorn_Za_gk", 100, 1.000877053},
    {"vorn_w_gk", 100, 1019.579548},         {"vorn_k", 100, 0.1556663832},
    {"vorn_nu", 100, 1.991151729e-05}};

#define COUNT(a) (sizeof(a) / sizeof((a)[0]))

#define ROUTINES COUNT(routines)

/* The routines by address, one of the three set per row. */
static fn1 f1[ROUTINES];
static fn2 f2[ROUTINES];
static fn4 f4[ROUTINES];

static size_t index_of(const char* name) {
  for (size_t i = 0; i < ROUTINES; ++i)
    if (strcmp(routines[i].name, name) == 0) return i;
  printf("no routine %s in the table\n", name);
  return 0;
}

/* All 22 routines at 300 K and 1000 kPa (temp_K from phi = 1.1 against 273.16 K
 * and 900 kPa), in table order. */
static void every_routine(double* out) {
  const double T = 300, P = 1000, phi = 1.1, T0 = 273.16, P0 = 900;
  for (size_t i = 0; i < ROUTINES; ++i) {
    switch (routines[i].arity) {
      case 1:
        out[i] = f1[i](&T);
        break;
      case 2:
        out[i] = f2[i](&T, &P);
        break;
      default:
        out[i] = f4[i](&phi, &P, &T0, &P0);
        break;
    }
  }
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
  for (size_t i = 0; i < ROUTINES; ++i) {
    void* address = lookup(routines[i].name);
    switch (routines[i].arity) {
      case 1:
        *(void**)&f1[i] = address;
        break;
      case 2:
        *(void**)&f2[i] = address;
        break;
      default:
        *(void**)&f4[i] = address;
        break;
    }
  }
  if (failed) {
    printf("%d passed, %d failed\n", passed, failed);
    return 1;
  }

  check(*r == 8.3144598 && *m0 == 0.00400260325413 && *g0 == 1.666666666666667 && *pi == 3.141592653589793,
        "initial module constants");

  const double T = 300;
  for (size_t i = 0; i < ROUTINES; ++i) {
    const struct reference* ref = NULL;
    for (size_t k = 0; k < COUNT(references_300); ++k)
      if (strcmp(references_300[k].name, routines[i].name) == 0) ref = &references_300[k];
    if (routines[i].arity == 4) continue; /* temp_K: below */
    if (ref == NULL) {
      check(0, routines[i].name); /* a routine without a reference value */
      continue;
    }
    const double value = routines[i].arity == 1 ? f1[i](&T) : f2[i](&T, &ref->P);
    check(near(value, ref->value, 1e-7), routines[i].name);
  }
  fn4 temp_K = f4[index_of("temp_K")];
  {
    const double phi = 1.1, P = 110, T0 = 273.16, P0 = 100;
    check(near(temp_K(&phi, &P, &T0, &P0), 300.480632583, 1e-10), "temp_K");
  }

  /* One address for T and P, and for all four arguments of temp_K. */
  {
    double x = 20, copy = 20;
    for (size_t i = 0; i < ROUTINES; ++i) {
      if (routines[i].arity != 2) continue;
      char what[64];
      snprintf(what, sizeof what, "%s with one address", routines[i].name);
      check(same_bits(f2[i](&x, &x), f2[i](&x, &copy)) && x == 20, what);
    }
    double y = 1.5, a = 1.5, b = 1.5, c = 1.5;
    check(same_bits(temp_K(&y, &y, &y, &y), temp_K(&a, &b, &c, &y)), "temp_K with one address");
  }

  /* The module constants are re-read at every call: stores by powers of two
   * move the results by exact factors. */
  {
    const double P = 1000, half = 500, zero = 0;
    const size_t i_rho = index_of("vorn_rho"), i_w = index_of("vorn_w"), i_Za = index_of("vorn_Za_gk");
    fn2 rho = f2[i_rho], cv = f2[index_of("vorn_cv")], w = f2[i_w], Za = f2[i_Za];
    fn2 w_gk = f2[index_of("vorn_w_gk")];
    double before[ROUTINES], after[ROUTINES];
    every_routine(before);
    const double Za_half = Za(&T, &half), rho_half = rho(&T, &half), cv1 = cv(&T, &P);

    const double saved_r = *r;
    *r = 2 * saved_r;
    check(same_bits(Za(&T, &P), Za_half), "r: Za follows the molar density P/(r T)");
    check(same_bits(rho(&T, &P), rho_half), "r: rho follows the molar density P/(r T)");
    every_routine(after);
    int untouched = 1;
    for (size_t i = 0; i < ROUTINES; ++i)
      if (routines[i].arity == 1) untouched &= same_bits(after[i], before[i]);
    check(untouched, "r: virial coefficients and dilute transport untouched");
    *r = saved_r;
    every_routine(after);
    check(memcmp(after, before, sizeof before) == 0, "r: every result back after restoring");

    const double saved_m0 = *m0;
    *m0 = 2 * saved_m0;
    check(same_bits(rho(&T, &P), 2 * before[i_rho]), "m0: rho doubles");
    check(same_bits(cv(&T, &P), cv1 / 2), "m0: cv halves");
    check(same_bits(Za(&T, &P), before[i_Za]), "m0: Za untouched");
    *m0 = saved_m0;

    const double saved_g0 = *g0;
    const double w0 = w(&T, &zero), w0_gk = w_gk(&T, &zero);
    *g0 = 4 * saved_g0;
    check(same_bits(w(&T, &zero), 2 * w0), "g0: ideal-gas w doubles");
    check(same_bits(w_gk(&T, &zero), 2 * w0_gk), "g0: ideal-gas w_gk doubles");
    check(!same_bits(w(&T, &P), before[i_w]), "g0: w at pressure changes");
    check(same_bits(cv(&T, &P), cv1), "g0: cv untouched");
    *g0 = saved_g0;

    const double saved_pi = *pi;
    *pi = 0;
    every_routine(after);
    check(memcmp(after, before, sizeof before) == 0, "pi: read by no routine");
    *pi = saved_pi;
  }

  check(dlclose(handle) == 0, "dlclose");
  printf("%d passed, %d failed\n", passed, failed);
  return failed != 0;
}
