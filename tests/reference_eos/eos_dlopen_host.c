/*
 * A foreign host of the reference equation: no header, no link to vorn. It
 * loads the library at run time, finds vorn_eos_value by name and calls it
 * through the one declaration a host needs, with the codes as plain numbers
 * (VORN_EOS_RHO = 3, VORN_EOS_H = 6, VORN_EOS_Q = 20, VORN_EOS_FLAGS = 22;
 * VORN_EOS_TP = 1, VORN_EOS_TRHO = 2, VORN_EOS_PH = 4). Prints
 * "N passed, M failed"; exits nonzero on failure.
 */
#include <dlfcn.h>
#include <math.h>
#include <stdio.h>

typedef double (*eos_value)(const int*, const int*, const double*, const double*);

static int passed, failed;

static void check(int ok, const char* what) {
  if (ok) {
    ++passed;
  } else {
    ++failed;
    printf("FAILED: %s\n", what);
  }
}

static double call(eos_value f, int property, int pair, double x1, double x2) {
  return f(&property, &pair, &x1, &x2);
}

int main(void) {
  void* handle = dlopen(VORN_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  if (handle == NULL) {
    printf("cannot load %s: %s\n", VORN_LIBRARY_PATH, dlerror());
    return 1;
  }
  eos_value value;
  *(void**)(&value) = dlsym(handle, "vorn_eos_value");
  check(value != NULL, "vorn_eos_value found");
  if (value == NULL) return 1;
  /* p at 4 K and 32500 mol/m3 (130.08 kg/m3): 108646.706 Pa, as published. */
  check(fabs(call(value, 2, 2, 4.0, 32500 * 0.004002602) - 108.646706) < 5e-7, "p(4 K, 32500 mol/m3)");
  check(fabs(call(value, 3, 1, 300.0, 101.325) - 0.1625156) < 5e-8, "rho(300 K, 101.325 kPa)");
  /* A wet mixture: h = 0 at 100 kPa. */
  const double q = call(value, 20, 4, 100.0, 0.0);
  check(q > 0.0 && q < 0.01, "quality at 100 kPa, h = 0");
  /* He II: NaN and the flag. */
  check(isnan(call(value, 6, 1, 0.7, 100.0)), "h is NaN in He II below 0.8 K");
  check(call(value, 22, 1, 0.7, 100.0) == 2.0, "HE_II flag");
  check(isnan(call(value, 99, 1, 300.0, 100.0)), "unknown property is NaN");
  printf("%d passed, %d failed\n", passed, failed);
  dlclose(handle);
  return failed == 0 ? 0 : 1;
}
