/* A consumer of the installed vorn: found with find_package(vorn) or with
 * pkg-config, linked, and run. */
#include <math.h>
#include <stdio.h>
#include <vorn.h>

int main(void) {
  const double T = 20.0, P = 1000.0;
  const double cp = vorn_cp(&T, &P);
  printf("vorn_cp(20 K, 1000 kPa) = %.9g J/(kg K)\n", cp);
  return fabs(cp - 5697.8757) < 1e-3 ? 0 : 1;
}
