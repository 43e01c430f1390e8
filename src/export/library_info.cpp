// The library's version, and the module constants by name for hosts that can
// call functions but not reach exported data (MATLAB's loadlibrary, LabVIEW,
// VBA, Octave's MEX gateway).
//
//   vorn_get_constant("r")        the value of the exported constant r; NaN for an unknown name or NULL
//   vorn_set_constant("r", v)     stores v into that constant; 1 if stored, 0 if refused
//
// The names are r, m0, g0 and pi, matched exactly. Both read and write the
// very storage the exported data names: a value stored by one way is seen by
// the other and by every later call of every routine.
#define VORN_BUILDING_LIBRARY
#include <cstring>
#include <limits>

#include "constants/export.hpp"
#include "constants/floating_point_guards.hpp"
#include "constants/module_constants.hpp"
#include "vorn.h"
#include "vorn_version.h"

namespace {

struct NamedConstant {
  const char* name;
  double* storage;
};

// Addresses of the exported doubles: constant expressions, so the table is
// fixed at load time and needs no initialisation at run time.
constexpr NamedConstant kNamedConstants[] = {
    {"r", &gas_constant},
    {"m0", &molar_mass},
    {"g0", &heat_capacity_ratio_ideal},
    {"pi", &module_pi},
};

double* constant_storage(const char* name) {
  if (name == nullptr) return nullptr;
  for (const NamedConstant& constant : kNamedConstants)
    if (std::strcmp(constant.name, name) == 0) return constant.storage;
  return nullptr;
}

}  // namespace

extern "C" {

VORN_EXPORT const char* vorn_version(void) { return VORN_VERSION_STRING; }

VORN_EXPORT double vorn_get_constant(const char* name) {
  const double* storage = constant_storage(name);
  return storage != nullptr ? *storage : std::numeric_limits<double>::quiet_NaN();
}

VORN_EXPORT int vorn_set_constant(const char* name, double value) {
  double* storage = constant_storage(name);
  if (storage == nullptr) return 0;
  *storage = value;
  return 1;
}
}
