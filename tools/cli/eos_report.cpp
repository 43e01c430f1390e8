#include "eos_report.hpp"

#include <array>
#include <cmath>
#include <stdexcept>

#include "fmt/format.h"
#include "names.hpp"
#include "output.hpp"

namespace vorn_cli {
namespace {

constexpr double kMolarMass = 0.004002602;  // kg/mol, the equation's own

struct FlagName {
  unsigned bit;
  std::string_view name;
  std::string_view meaning;
};
constexpr std::array<FlagName, 8> kFlags{{
    {VORN_EOS_FLAG_BAD_INPUT, "bad-input",
     "the input is not a state (not finite, T <= 0, P < 0, rho <= 0, q outside [0, 1])"},
    {VORN_EOS_FLAG_HE_II, "he-ii", "below the lambda line: He II, outside the equation"},
    {VORN_EOS_FLAG_SOLID, "solid", "above the melting pressure"},
    {VORN_EOS_FLAG_EXTRAPOLATED, "extrapolated", "beyond the equation's stated range: results extrapolated"},
    {VORN_EOS_FLAG_OUT_OF_RANGE, "out-of-range", "above 2000 K"},
    {VORN_EOS_FLAG_NOT_UNIQUE, "not-unique", "the pair has more than one fluid state; one of them is shown"},
    {VORN_EOS_FLAG_NO_SOLUTION, "no-solution", "no fluid state of the equation has this pair"},
    {VORN_EOS_FLAG_NOT_CONVERGED, "not-converged", "an iteration ran out of steps"},
}};

using S = vorn_eos_state;
const std::vector<EosProperty> kProperties{
    {"T", "temperature", "T", VORN_EOS_T, &S::T, "K", "", "", 0, 0, "temperature"},
    {"P", "pressure", "P", VORN_EOS_P, &S::P, "kPa", "", "", 1, 0, "pressure"},
    {"density", "rho,D", "rho", VORN_EOS_RHO, &S::rho, "kg/m^3", "mol/m^3", "", 0, -1, "density"},
    {"volume", "vm,molar-volume", "", VORN_EOS_VM, &S::vm, "m^3/mol", "", "m^3/kg", 0, 1, "molar volume"},
    {"u", "internal-energy,U", "u", VORN_EOS_U, &S::u, "J/kg", "J/mol", "", 0, 1, "internal energy"},
    {"h", "enthalpy,H", "h", VORN_EOS_H, &S::h, "J/kg", "J/mol", "", 0, 1,
     "enthalpy (0 for the liquid boiling at 101.325 kPa)"},
    {"s", "entropy,S", "s", VORN_EOS_S, &S::s, "J/(kg K)", "J/(mol K)", "", 0, 1,
     "entropy (0 for the same liquid)"},
    {"g", "gibbs-energy,G", "", VORN_EOS_G, &S::g, "J/kg", "J/mol", "", 0, 1, "Gibbs energy"},
    {"cv", "isochoric-heat-capacity,Cvmass", "", VORN_EOS_CV, &S::cv, "J/(kg K)", "J/(mol K)", "", 0, 1,
     "isochoric specific heat capacity"},
    {"cp", "isobaric-heat-capacity,Cpmass", "", VORN_EOS_CP, &S::cp, "J/(kg K)", "J/(mol K)", "", 0, 1,
     "isobaric specific heat capacity"},
    {"gamma", "cp/cv", "", VORN_EOS_CP_CV, &S::cp_cv, "1", "", "", 0, 0, "ratio of heat capacities"},
    {"sound-speed", "w,speed-of-sound,A", "", VORN_EOS_W, &S::w, "m/s", "", "", 0, 0, "speed of sound"},
    {"joule-thomson", "jt,mu_JT", "", VORN_EOS_JT, &S::jt, "K/kPa", "", "", -1, 0,
     "Joule-Thomson coefficient"},
    {"kappa_T", "isothermal-compressibility", "", VORN_EOS_KAPPA_T, &S::kappa_T, "1/kPa", "", "", -1, 0,
     "isothermal compressibility"},
    {"alpha_V", "volume-expansivity", "", VORN_EOS_ALPHA_V, &S::alpha_V, "1/K", "", "", 0, 0,
     "volume expansivity"},
    {"dP/dT", "dpdT", "", VORN_EOS_DPDT, &S::dpdT, "kPa/K", "", "", 1, 0, "(dP/dT) at constant density"},
    {"dP/drho", "dpdrho", "", VORN_EOS_DPDRHO, &S::dpdrho, "kPa m^3/kg", "kPa m^3/mol", "", 1, 1,
     "(dP/drho) at constant T"},
    {"B", "second-virial", "", VORN_EOS_B, &S::B, "cm^3/mol", "", "", 0, 0,
     "the equation's second virial coefficient"},
    {"Z", "compressibility", "", VORN_EOS_Z, &S::Z, "1", "", "", 0, 0, "compressibility factor P/(rho R T)"},
    {"quality", "Q", "q", VORN_EOS_Q, &S::q, "1", "", "", 0, 0, "vapour quality (NaN in one phase)"},
    {"viscosity", "mu,eta,dynamic-viscosity,V", "", VORN_EOS_VISCOSITY, &S::viscosity, "Pa s", "", "", 0, 0,
     "dynamic viscosity"},
    {"conductivity", "k,lambda,thermal-conductivity,L", "", VORN_EOS_CONDUCTIVITY, &S::conductivity,
     "W/(m K)", "", "", 0, 0, "thermal conductivity"},
    {"kinematic-viscosity", "nu_kin", "", VORN_EOS_KINEMATIC_VISCOSITY, &S::kinematic_viscosity, "m^2/s", "",
     "", 0, 0, "kinematic viscosity"},
    {"thermal-diffusivity", "alpha,diffusivity", "", VORN_EOS_THERMAL_DIFFUSIVITY, &S::thermal_diffusivity,
     "m^2/s", "", "", 0, 0, "thermal diffusivity"},
    {"prandtl", "Pr,prandtl-number", "", VORN_EOS_PRANDTL, &S::prandtl, "1", "", "", 0, 0, "Prandtl number"},
};

// The library's input pairs: a new pair is one line here.
const std::vector<EosPair> kPairs{
    {"T", "P", VORN_EOS_TP},     {"T", "rho", VORN_EOS_TRHO}, {"P", "rho", VORN_EOS_PRHO},
    {"P", "h", VORN_EOS_PH},     {"P", "s", VORN_EOS_PS},     {"T", "s", VORN_EOS_TS},
    {"rho", "u", VORN_EOS_RHOU}, {"T", "q", VORN_EOS_TQ},     {"P", "q", VORN_EOS_PQ},
};

double molar_factor(const EosProperty& p, const OutputUnits& units) {
  if (units.basis == Basis::molar && !p.molar_unit.empty()) return std::pow(kMolarMass, p.molar_power);
  if (units.basis == Basis::mass && !p.mass_unit.empty()) return std::pow(kMolarMass, -p.molar_power);
  return 1.0;
}

double factor(const EosProperty& p, const OutputUnits& units) {
  return molar_factor(p, units) * std::pow(units.kpa_per_pressure_unit, -p.pressure_power);
}

}  // namespace

const std::vector<EosProperty>& eos_properties() { return kProperties; }

const EosProperty* find_eos_property(std::string_view name) {
  return find_named(kProperties, [&](const EosProperty& p, auto&& equal) {
    return equal(p.name, name) || (!p.input.empty() && equal(p.input, name)) ||
           any_alias(p.aliases, name, equal);
  });
}

std::string eos_property_names() {
  std::string names;
  for (const EosProperty& p : kProperties) names += (names.empty() ? "" : ", ") + std::string(p.name);
  return names;
}

double eos_out(const EosProperty& p, double value, const OutputUnits& units) {
  return value * factor(p, units);
}
double eos_in(const EosProperty& p, double value, const OutputUnits& units) {
  return value / factor(p, units);
}

std::string eos_unit(const EosProperty& p, const OutputUnits& units) {
  std::string unit(p.unit);
  if (units.basis == Basis::molar && !p.molar_unit.empty()) unit = p.molar_unit;
  if (units.basis == Basis::mass && !p.mass_unit.empty()) unit = p.mass_unit;
  if (p.pressure_power != 0) {
    if (const auto at = unit.find("kPa"); at != std::string::npos) unit.replace(at, 3, units.pressure);
  }
  return unit;
}

const std::vector<EosPair>& eos_pairs() { return kPairs; }

const EosPair* find_pair(std::string_view a, std::string_view b, bool& swapped) {
  for (const EosPair& p : kPairs) {
    if ((p.first == a && p.second == b) || (p.first == b && p.second == a)) {
      swapped = p.first == b;
      return &p;
    }
  }
  return nullptr;
}

std::string pair_names() {
  std::string names;
  for (const EosPair& p : kPairs)
    names += fmt::format("{}{} {}", names.empty() ? "" : ", ", p.first, p.second);
  return names;
}

double read_input(const EosProperty& input, std::string_view argument, std::string_view text,
                  const OutputUnits& units) {
  if (input.code == VORN_EOS_T) return parse_quantity(argument, text, Dimension::temperature);
  if (input.code == VORN_EOS_P) return read_pressure(argument, text, units);
  return eos_in(input, parse_number(argument, text), units);
}

std::vector<std::string> eos_flag_list(unsigned flags) {
  std::vector<std::string> names;
  for (const FlagName& f : kFlags) {
    if ((flags & f.bit) != 0) names.emplace_back(f.name);
  }
  return names;
}

std::string eos_flag_names(unsigned flags) {
  std::string names;
  for (const std::string& f : eos_flag_list(flags)) names += (names.empty() ? "" : "+") + f;
  return names.empty() ? "-" : names;
}

std::string eos_phase_name(int phase) {
  switch (phase) {
    case VORN_EOS_PHASE_LIQUID:
      return "liquid";
    case VORN_EOS_PHASE_VAPOUR:
      return "vapour";
    case VORN_EOS_PHASE_SUPERCRITICAL:
      return "supercritical";
    case VORN_EOS_PHASE_TWO_PHASE:
      return "two-phase";
    default:
      return "none";
  }
}

void warn_eos_flags(unsigned flags) {
  for (const FlagName& f : kFlags) {
    if ((flags & f.bit) != 0)
      write_err(fmt::format("warning: reference equation: {}: {}", f.name, f.meaning));
  }
  if ((flags & VORN_EOS_FLAG_HE_II) != 0) {
    write_err(
        "hint: below the lambda line only the saturated liquid is described (He II under pressure is not in "
        "the data): vorn superfluid --T <T> or vorn saturation --T <T>");
  }
}

vorn_eos_state eos_state_at(int pair, double x1, double x2) {
  vorn_eos_state state{};
  state.size = sizeof state;
  if (vorn_eos_state_at(&pair, &x1, &x2, &state) != 0) {
    throw std::runtime_error("the library refused the size of vorn_eos_state");
  }
  return state;
}

int print_eos_state(const EosInput& first, const EosInput& second, const Options& options) {
  bool swapped = false;
  const EosPair* pair = find_pair(first.name, second.name, swapped);
  if (pair == nullptr) {
    throw UsageError(fmt::format("--{}, --{}: not an input pair; expected one of {}", first.name, second.name,
                                 pair_names()));
  }
  const EosInput& a = swapped ? second : first;
  const EosInput& b = swapped ? first : second;
  const OutputUnits& units = options.units;
  const double x1 = read_input(*find_eos_property(a.name), "--" + a.name, a.text, units);
  const double x2 = read_input(*find_eos_property(b.name), "--" + b.name, b.text, units);
  const vorn_eos_state state = eos_state_at(pair->code, x1, x2);

  Table table(options,
              fmt::format("helium-4, reference equation of state, at {} = {}, {} = {}", a.name, a.text,
                          b.name, b.text),
              {{"property", "", true, "", 21}, {"value"}, {"unit", "", true}}, false);
  table.note("phase", eos_phase_name(state.phase));
  table.note("flags", eos_flag_list(state.flags));
  for (const EosProperty& p : kProperties)
    table.row({std::string(p.name), eos_out(p, state.*p.field, units), eos_unit(p, units)});
  table.finish();
  warn_eos_flags(state.flags);
  return (state.flags & kEosWithoutResult) != 0 || std::isnan(state.rho) ? kExitNoAnswer : kExitDone;
}

int print_saturation(bool at_temperature, const Values& points, const Options& options) {
  const OutputUnits& units = options.units;
  const EosProperty& T = *find_eos_property("T");
  const EosProperty& P = *find_eos_property("P");
  const EosProperty& rho = *find_eos_property("density");
  const EosProperty& h = *find_eos_property("h");
  const EosProperty& s = *find_eos_property("s");
  const EosProperty& mu = *find_eos_property("viscosity");
  const EosProperty& k = *find_eos_property("conductivity");
  const EosProperty& dpdT = *find_eos_property("dP/dT");
  using Sat = vorn_eos_saturation;
  struct Field {
    std::string_view key;
    const EosProperty* as;  // converted as this property is
    double Sat::*field;
  };
  const std::array<Field, 15> fields{{{"T", &T, &Sat::T},
                                      {"P", &P, &Sat::P},
                                      {"rho_liquid", &rho, &Sat::rho_liquid},
                                      {"rho_vapour", &rho, &Sat::rho_vapour},
                                      {"h_liquid", &h, &Sat::h_liquid},
                                      {"h_vapour", &h, &Sat::h_vapour},
                                      {"s_liquid", &s, &Sat::s_liquid},
                                      {"s_vapour", &s, &Sat::s_vapour},
                                      {"latent_heat", &h, &Sat::latent_heat},
                                      {"surface_tension", nullptr, &Sat::surface_tension},
                                      {"dPdT", &dpdT, &Sat::dPdT},
                                      {"viscosity_liquid", &mu, &Sat::viscosity_liquid},
                                      {"viscosity_vapour", &mu, &Sat::viscosity_vapour},
                                      {"conductivity_liquid", &k, &Sat::conductivity_liquid},
                                      {"conductivity_vapour", &k, &Sat::conductivity_vapour}}};
  std::vector<Column> columns;
  for (const Field& f : fields)
    columns.push_back({std::string(f.key), f.as ? eos_unit(*f.as, units) : "N/m"});
  Table table(options, "helium-4 at saturation, reference equation of state", columns);
  Unanswered unanswered;
  unsigned seen = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double x = points[i];
    Sat sat{};
    sat.size = sizeof sat;
    const int status = at_temperature ? vorn_eos_saturation_T(&x, &sat) : vorn_eos_saturation_P(&x, &sat);
    if (status != 0) throw std::runtime_error("the library refused the size of vorn_eos_saturation");
    (at_temperature ? sat.T : sat.P) =
        x;  // the row names the point asked for, also where there is no saturation
    std::vector<Cell> row;
    for (const Field& f : fields) row.emplace_back(f.as ? eos_out(*f.as, sat.*f.field, units) : sat.*f.field);
    table.row(row, eos_flag_list(sat.flags));
    seen |= sat.flags;
    unanswered.add((sat.flags & kEosWithoutResult) == 0);
  }
  table.finish();
  warn_eos_flags(seen);
  return unanswered.finish(options);
}

}  // namespace vorn_cli
