#include "properties.hpp"

#include <algorithm>
#include <cctype>
#include <utility>

#include "vorn.h"

namespace vorn_cli {
namespace {

// Flags that spoil every result of T and P: a state that is no state, or a
// vapour that the saturation curve says would be liquid.
constexpr unsigned kAnyState = VORN_STATE_INVALID | VORN_STATE_LIQUID;
// Outside the range where the gas-state results have been checked against the
// reference equation of state (not the transport ones, which have their own).
constexpr unsigned kValidated = VORN_STATE_OUT_OF_RANGE;
// Where the virial series stop converging the gas is too dense for every
// gas-state result, the correlation's Za and w_gk included: measured against
// the reference equation, each of them is more than 1 % off somewhere there.
constexpr unsigned kGasState =
    kValidated | VORN_STATE_VIRIAL_DIVERGENT | VORN_STATE_SOUND_DIVERGENT | VORN_STATE_DENSITY_UNCONVERGED;
// Flags of the results built on the virial density.
constexpr unsigned kDensity = kGasState | VORN_STATE_DENSITY_TURNED;
constexpr unsigned kHeatCapacity =
    kDensity | VORN_STATE_HEAT_CAPACITY_NONPOSITIVE | VORN_STATE_HEAT_CAPACITY_TRUNCATED;

char separator_as_dash(char c) { return c == ' ' || c == '_' ? '-' : c; }

bool equal_names(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return separator_as_dash(x) == separator_as_dash(y);
         });
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) {
             return std::tolower(static_cast<unsigned char>(separator_as_dash(c)));
           };
           return lower(x) == lower(y);
         });
}

std::vector<Property> make_properties() {
  const auto of_T = [](std::string_view name, std::vector<std::string_view> aliases,
                       std::string_view exported, std::string_view unit, std::string_view description,
                       TemperatureRoutine f, unsigned flags) {
    Property p{name, std::move(aliases), exported, unit, description};
    p.of_T = f;
    p.flags = VORN_STATE_INVALID | flags;
    return p;
  };
  const auto of_TP = [](std::string_view name, std::vector<std::string_view> aliases,
                        std::string_view exported, std::string_view unit, std::string_view description,
                        StateRoutine f, unsigned flags) {
    Property p{name, std::move(aliases), exported, unit, description};
    p.of_TP = f;
    p.flags = kAnyState | flags;
    return p;
  };
  std::vector<Property> all{
      of_T("B", {"second-virial"}, "__vorn_MOD_b", "cm^3/mol", "second virial coefficient", __vorn_MOD_b, 0),
      of_T("dB/dT", {"dBdT"}, "__vorn_MOD_db", "cm^3/(mol K)", "its first derivative", __vorn_MOD_db, 0),
      of_T("d2B/dT2", {"d2BdT2"}, "__vorn_MOD_d2b", "cm^3/(mol K^2)", "its second derivative", __vorn_MOD_d2b,
           0),
      of_T("C", {"third-virial"}, "__vorn_MOD_c", "cm^6/mol^2", "third virial coefficient", __vorn_MOD_c, 0),
      of_T("dC/dT", {"dCdT"}, "__vorn_MOD_dc", "cm^6/(mol^2 K)", "its first derivative", __vorn_MOD_dc, 0),
      of_T("d2C/dT2", {"d2CdT2"}, "__vorn_MOD_d2c", "cm^6/(mol^2 K^2)", "its second derivative",
           __vorn_MOD_d2c, 0),
      of_T("D", {"fourth-virial"}, "__vorn_MOD_d", "cm^9/mol^3", "fourth virial coefficient", __vorn_MOD_d,
           0),
      of_T("dD/dT", {"dDdT"}, "__vorn_MOD_dd", "cm^9/(mol^3 K)", "its first derivative", __vorn_MOD_dd, 0),
      of_T("d2D/dT2", {"d2DdT2"}, "__vorn_MOD_d2d", "cm^9/(mol^3 K^2)", "its second derivative",
           __vorn_MOD_d2d, 0),
      of_TP("density", {"rho"}, "vorn_rho", "kg/m^3", "density", vorn_rho, kDensity),
      of_TP("volume", {"vol", "molar-volume"}, "vorn_vol", "m^3/mol", "molar volume", vorn_vol, kDensity),
      of_TP("cv", {"isochoric-heat-capacity"}, "vorn_cv", "J/(kg K)", "isochoric specific heat capacity",
            vorn_cv, kHeatCapacity),
      of_TP("cp", {"isobaric-heat-capacity"}, "vorn_cp", "J/(kg K)", "isobaric specific heat capacity",
            vorn_cp, kHeatCapacity),
      of_TP("gamma", {"cp/cv"}, "vorn_gamma", "1", "ratio of heat capacities", vorn_gamma, kHeatCapacity),
      of_TP("Z", {"compressibility"}, "vorn_Z", "1", "compressibility factor pV/(nRT)", vorn_Z, kGasState),
      of_TP("sound-speed", {"w", "speed-of-sound", "sound-velocity"}, "vorn_w", "m/s",
            "speed of sound (acoustic virials)", vorn_w, kGasState | VORN_STATE_SOUND_UNDEFINED),
      of_TP("Za", {"acoustic-factor"}, "vorn_Za_gk", "1", "acoustic factor (w/w0)^2 (correlation)",
            vorn_Za_gk, kGasState | VORN_STATE_ZA_NONPOSITIVE | VORN_STATE_ZA_PRESSURE_FREE),
      of_TP("sound-speed-gk", {"w_gk"}, "vorn_w_gk", "m/s", "speed of sound (correlation)", vorn_w_gk,
            kGasState | VORN_STATE_ZA_NONPOSITIVE | VORN_STATE_ZA_PRESSURE_FREE),
      of_T("conductivity0", {"k0", "thermal-conductivity0"}, "vorn_k0", "W/(m K)",
           "thermal conductivity at zero pressure", vorn_k0, VORN_STATE_K_POLE),
      of_TP("conductivity", {"k", "thermal-conductivity", "lambda"}, "vorn_k", "W/(m K)",
            "thermal conductivity", vorn_k, VORN_STATE_K_POLE),
      of_T("viscosity0", {"mu0", "eta0", "nu0", "dynamic-viscosity0"}, "vorn_nu0", "Pa s",
           "dynamic viscosity at zero pressure", vorn_nu0, VORN_STATE_NU_NEGATIVE),
      of_TP("viscosity", {"mu", "eta", "nu", "dynamic-viscosity"}, "vorn_nu", "Pa s", "dynamic viscosity",
            vorn_nu, VORN_STATE_NU_NEGATIVE),
  };
  // The array forms, for tables.
  const std::pair<std::string_view, StateArrayRoutine> array_forms[] = {
      {"vorn_rho", vorn_rho_n}, {"vorn_vol", vorn_vol_n},     {"vorn_cv", vorn_cv_n},
      {"vorn_cp", vorn_cp_n},   {"vorn_gamma", vorn_gamma_n}, {"vorn_Z", vorn_Z_n},
      {"vorn_w", vorn_w_n},     {"vorn_Za_gk", vorn_Za_gk_n}, {"vorn_w_gk", vorn_w_gk_n},
      {"vorn_k", vorn_k_n},     {"vorn_nu", vorn_nu_n},
  };
  for (Property& p : all) {
    for (const auto& [exported, f] : array_forms) {
      if (p.exported == exported) p.of_TP_n = f;
    }
  }
  // The results that --units may give per kilogram or per mole.
  for (Property& p : all) {
    if (p.exported == "vorn_rho") p.specific = Specific::density;
    if (p.exported == "vorn_vol") p.specific = Specific::molar_volume;
    if (p.exported == "vorn_cv" || p.exported == "vorn_cp") p.specific = Specific::heat_capacity;
  }
  return all;
}

}  // namespace

const std::vector<Property>& properties() {
  static const std::vector<Property> all = make_properties();
  return all;
}

const Property* find_property(std::string_view name) {
  using Equal = bool (*)(std::string_view, std::string_view);
  for (const Equal equal : {Equal{equal_names}, Equal{equal_ignoring_case}}) {
    for (const Property& p : properties()) {
      if (equal(p.name, name) || equal(p.exported, name) ||
          std::any_of(p.aliases.begin(), p.aliases.end(),
                      [&](std::string_view a) { return equal(a, name); })) {
        return &p;
      }
    }
  }
  return nullptr;
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
