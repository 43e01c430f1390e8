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

// The tool's readable name, the names it also accepts and its wording, beside
// the library's row; the flags that spoil the result are the library's own.
Property of_row(std::string_view name, std::vector<std::string_view> aliases, const vorn_routines::Row& row,
                std::string_view description) {
  Property p{name, std::move(aliases), row.symbol, row.unit, description};
  p.of_T = row.scalar1;
  p.of_TP = row.scalar2;
  p.of_TP_n = row.array2;
  p.flags = vorn_state_mask(row.symbol);
  return p;
}

std::vector<Property> make_properties() {
  static constexpr const vorn_routines::Row& b = routine("b");
  static constexpr const vorn_routines::Row& db = routine("db");
  static constexpr const vorn_routines::Row& d2b = routine("d2b");
  static constexpr const vorn_routines::Row& c = routine("c");
  static constexpr const vorn_routines::Row& dc = routine("dc");
  static constexpr const vorn_routines::Row& d2c = routine("d2c");
  static constexpr const vorn_routines::Row& d = routine("d");
  static constexpr const vorn_routines::Row& dd = routine("dd");
  static constexpr const vorn_routines::Row& d2d = routine("d2d");
  static constexpr const vorn_routines::Row& rho = routine("rho");
  static constexpr const vorn_routines::Row& vol = routine("vol");
  static constexpr const vorn_routines::Row& cv = routine("cv");
  static constexpr const vorn_routines::Row& cp = routine("cp");
  static constexpr const vorn_routines::Row& gamma = routine("gamma");
  static constexpr const vorn_routines::Row& w = routine("w");
  static constexpr const vorn_routines::Row& Za = routine("Za_gk");
  static constexpr const vorn_routines::Row& w_gk = routine("w_gk");
  static constexpr const vorn_routines::Row& k0 = routine("k0");
  static constexpr const vorn_routines::Row& k = routine("k");
  static constexpr const vorn_routines::Row& nu0 = routine("nu0");
  static constexpr const vorn_routines::Row& nu = routine("nu");
  // The true compressibility factor is beyond the table of the 22 routines.
  Property Z{"Z", {"compressibility"}, "vorn_Z", "1", "compressibility factor pV/(nRT)"};
  Z.of_TP = vorn_Z;
  Z.of_TP_n = vorn_Z_n;
  Z.flags = vorn_state_mask("vorn_Z");
  std::vector<Property> all{
      of_row("B", {"second-virial"}, b, "second virial coefficient"),
      of_row("dB/dT", {"dBdT"}, db, "its first derivative"),
      of_row("d2B/dT2", {"d2BdT2"}, d2b, "its second derivative"),
      of_row("C", {"third-virial"}, c, "third virial coefficient"),
      of_row("dC/dT", {"dCdT"}, dc, "its first derivative"),
      of_row("d2C/dT2", {"d2CdT2"}, d2c, "its second derivative"),
      of_row("D", {"fourth-virial"}, d, "fourth virial coefficient"),
      of_row("dD/dT", {"dDdT"}, dd, "its first derivative"),
      of_row("d2D/dT2", {"d2DdT2"}, d2d, "its second derivative"),
      of_row("density", {"rho"}, rho, "density"),
      of_row("volume", {"vol", "molar-volume"}, vol, "molar volume"),
      of_row("cv", {"isochoric-heat-capacity"}, cv, "isochoric specific heat capacity"),
      of_row("cp", {"isobaric-heat-capacity"}, cp, "isobaric specific heat capacity"),
      of_row("gamma", {"cp/cv"}, gamma, "ratio of heat capacities"),
      Z,
      of_row("sound-speed", {"w", "speed-of-sound", "sound-velocity"}, w,
             "speed of sound (acoustic virials)"),
      of_row("Za", {"acoustic-factor"}, Za, "acoustic factor (w/w0)^2 (correlation)"),
      of_row("sound-speed-gk", {"w_gk"}, w_gk, "speed of sound (correlation)"),
      of_row("conductivity0", {"k0", "thermal-conductivity0"}, k0, "thermal conductivity at zero pressure"),
      of_row("conductivity", {"k", "thermal-conductivity", "lambda"}, k, "thermal conductivity"),
      of_row("viscosity0", {"mu0", "eta0", "nu0", "dynamic-viscosity0"}, nu0,
             "dynamic viscosity at zero pressure"),
      of_row("viscosity", {"mu", "eta", "nu", "dynamic-viscosity"}, nu, "dynamic viscosity"),
  };
  return all;
}

}  // namespace

const std::vector<Property>& properties() {
  static const std::vector<Property> all = make_properties();
  return all;
}

const Property* find_property(std::string_view name) {
  return find_named(properties(), [&](const Property& p, auto&& equal) {
    return equal(p.name, name) || equal(p.exported, name) ||
           std::any_of(p.aliases.begin(), p.aliases.end(),
                       [&](std::string_view a) { return equal(a, name); });
  });
}

Converted output_units(const Property& p, const OutputUnits& units) {
  return convert(p.unit, units, __vorn_MOD_m0);  // kg/mol, as the library holds it now
}

std::string property_names() {
  std::string names;
  for (const Property& p : properties()) {
    if (!names.empty()) names += ", ";
    names += p.name;
  }
  return names;
}

}  // namespace vorn_cli
