/* A small host: every property of vorn at a few reference states, through the
 * exported names exactly as any C host would call them. */
#include <stdio.h>

#include "vorn.h"

int main(void) {
  static const double states[][2] = {
      {4.2, 100.0}, {20.0, 1000.0}, {77.0, 100.0}, {273.16, 100.0}, {300.0, 101.325}};
  printf("vorn: helium-4 gas properties at reference states\n");
  for (size_t i = 0; i < sizeof states / sizeof states[0]; ++i) {
    const double* T = &states[i][0];
    const double* P = &states[i][1];
    printf("\nT = %g K, P = %g kPa\n", *T, *P);
    printf("  B        %14.9g cm^3/mol\n", __vorn_MOD_b(T));
    printf("  C        %14.9g cm^6/mol^2\n", __vorn_MOD_c(T));
    printf("  D        %14.9g cm^9/mol^3\n", __vorn_MOD_d(T));
    printf("  density  %14.9g kg/m^3\n", vorn_rho(T, P));
    printf("  volume   %14.9g m^3/mol\n", vorn_vol(T, P));
    printf("  cv       %14.9g J/(kg K)\n", vorn_cv(T, P));
    printf("  cp       %14.9g J/(kg K)\n", vorn_cp(T, P));
    printf("  cp/cv    %14.9g\n", vorn_gamma(T, P));
    printf("  w        %14.9g m/s\n", vorn_w(T, P));
    printf("  Za       %14.9g (acoustic factor)\n", vorn_Za_gk(T, P));
    printf("  w_gk     %14.9g m/s\n", vorn_w_gk(T, P));
    printf("  k        %14.9g W/(m K)\n", vorn_k(T, P));
    printf("  nu       %14.9g Pa s\n", vorn_nu(T, P));
  }
  {
    const double phi = 0.1, P = 10.0, T0 = 273.16, P0 = 100.0;
    printf("\ntemp_K(phi = %g, P = %g kPa, T0 = %g K, P0 = %g kPa) = %.12g K\n", phi, P, T0, P0,
           temp_K(&phi, &P, &T0, &P0));
  }
  return 0;
}
