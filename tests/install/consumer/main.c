/* A consumer of the installed vorn: found with find_package(vorn) or with
 * pkg-config, linked, and run. The installed header and the library it finds
 * must be of one version, and the constants reachable by name. */
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <vorn.h>

int main(void) {
  const double T = 20.0, P = 1000.0;
  const double cp = vorn_cp(&T, &P);
  int failures = 0;
  printf("vorn %s (header %s): vorn_cp(20 K, 1000 kPa) = %.9g J/(kg K)\n", vorn_version(),
         VORN_VERSION_STRING, cp);
  if (fabs(cp - 5697.8757) >= 1e-3) ++failures;
  if (strcmp(vorn_version(), VORN_VERSION_STRING) != 0) ++failures;
  if (vorn_get_constant("r") != __vorn_MOD_r) ++failures;
  return failures == 0 ? 0 : 1;
}
