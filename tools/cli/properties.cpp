#include "properties.hpp"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

#include "export/routine_table.hpp"
#include "names.hpp"
#include "vorn.h"

namespace vorn_cli {
namespace {

// The library's row of a routine by its short name (routines.def): the
// exported names, unit and routines of the tool's table come from there.
constexpr const vorn_routines::Row& routine(std::string_view short_name) {
  for (const vorn_routines::Row& row : vorn_routines::kRows) {
    if (short_name == row.short_name) return row;
  }
  throw std::logic_error("no such routine in routines.def");  // at compile time: every call is constexpr
}

// The tool's readable name, the names it also accepts (comma-separated) and
// its wording, beside the library's routine (routines.def, by short name; Z,
// the true compressibility factor, is beyond the table of the 22 routines).
struct Naming {
  std::string_view name, aliases, routine, description;
};
constexpr Naming kNamings[] = {
    {"B", "second-virial", "b", "second virial coefficient"},
    {"dB/dT", "dBdT", "db", "its first derivative"},
    {"d2B/dT2", "d2BdT2", "d2b", "its second derivative"},
    {"C", "third-virial", "c", "third virial coefficient"},
    {"dC/dT", "dCdT", "dc", "its first derivative"},
    {"d2C/dT2", "d2CdT2", "d2c", "its second derivative"},
    {"D", "fourth-virial", "d", "fourth virial coefficient"},
    {"dD/dT", "dDdT", "dd", "its first derivative"},
    {"d2D/dT2", "d2DdT2", "d2d", "its second derivative"},
    {"density", "rho", "rho", "density"},
    {"volume", "vol,molar-volume", "vol", "molar volume"},
    {"cv", "isochoric-heat-capacity", "cv", "isochoric specific heat capacity"},
    {"cp", "isobaric-heat-capacity", "cp", "isobaric specific heat capacity"},
    {"gamma", "cp/cv", "gamma", "ratio of heat capacities"},
    {"Z", "compressibility", "", "compressibility factor pV/(nRT)"},
    {"sound-speed", "w,speed-of-sound,sound-velocity", "w", "speed of sound (acoustic virials)"},
    {"Za", "acoustic-factor", "Za_gk", "acoustic factor (w/w0)^2 (correlation)"},
    {"sound-speed-gk", "w_gk", "w_gk", "speed of sound (correlation)"},
    {"conductivity0", "k0,thermal-conductivity0", "k0", "thermal conductivity at zero pressure"},
    {"conductivity", "k,thermal-conductivity,lambda", "k", "thermal conductivity"},
    {"viscosity0", "mu0,eta0,nu0,dynamic-viscosity0", "nu0", "dynamic viscosity at zero pressure"},
    {"viscosity", "mu,eta,nu,dynamic-viscosity", "nu", "dynamic viscosity"},
};
constexpr bool every_routine_named() {
  for (const Naming& n : kNamings) {
    if (!n.routine.empty()) routine(n.routine);
  }
  return true;
}
static_assert(every_routine_named(), "every routine of the table is in routines.def");

std::vector<Property> make_properties() {
  std::vector<Property> all;
  for (const Naming& n : kNamings) {
    Property p{n.name, n.aliases, "vorn_Z", "1", n.description};
    p.of_TP = vorn_Z, p.of_TP_n = vorn_Z_n;
    if (!n.routine.empty()) {
      const vorn_routines::Row& row = routine(n.routine);
      p.exported = row.symbol, p.unit = row.unit, p.of_T = row.scalar1, p.of_TP = row.scalar2,
      p.of_TP_n = row.array2;
    }
    p.flags =
        vorn_state_mask(std::string(p.exported).c_str());  // the flags that spoil it are the library's own
    all.push_back(p);
  }
  return all;
}

}  // namespace

const std::vector<Property>& properties() {
  static const std::vector<Property> all = make_properties();
  return all;
}

const Property* find_property(std::string_view name) {
  return find_named(properties(), [&](const Property& p, auto&& equal) {
    return equal(p.name, name) || equal(p.exported, name) || any_alias(p.aliases, name, equal);
  });
}

Converted output_units(const Property& p, const OutputUnits& units) {
  return convert(p.unit, units, __vorn_MOD_m0);  // kg/mol, as the library holds it now
}

std::string property_names() {
  return joined_names(properties(), [](const Property& p) { return p.name; });
}

}  // namespace vorn_cli
