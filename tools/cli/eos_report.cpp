#include "eos_report.hpp"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <type_traits>

#include "flags.hpp"
#include "fmt/format.h"
#include "names.hpp"
#include "output.hpp"

namespace vorn_cli {
namespace {

constexpr double kMolarMass = 0.004002602;  // kg/mol, the equation's own

// The library's table of the equation's facts (vorn_eos_facts.def), row by
// row, with the names the tool prints and accepts.
struct FactRow {
  int code;
  std::string_view key, unit, name, aliases, description, kind;
};
constexpr FactRow kFactRows[] = {
#define VORN_EOS_PROPERTY_ROW(NAME, code, key, unit, kind, of, scale, two_phase, name, aliases, description) \
  {code, #key, unit, name, aliases, description, #kind},
#include "vorn_eos_facts.def"
};
constexpr std::pair<int, std::string_view> kPhases[] = {
#define VORN_EOS_PHASE_ROW(NAME, code, key, name, description) {code, name},
#include "vorn_eos_facts.def"
};
const std::vector<EosPair> kPairs{
#define VORN_EOS_PAIR_ROW(NAME, code, first, second, solver) {#first, #second, code},
#include "vorn_eos_facts.def"
};

// A property of the table; an input of a pair keeps its key.
EosProperty property_of(const FactRow& row) {
  EosProperty p{row.name, row.aliases, "", row.key, row.code, row.unit, row.description, row.kind == "he_ii"};
  for (const EosPair& pair : kPairs) {
    if (pair.first == row.key || pair.second == row.key) p.input = row.key;
  }
  return p;
}

std::vector<EosProperty> make_properties() {
  std::vector<EosProperty> all;
  for (const FactRow& row : kFactRows) {
    if (!row.unit.empty()) all.push_back(property_of(row));  // not the phase and flags codes
  }
  return all;
}

const std::vector<EosProperty> kProperties = make_properties();

}  // namespace

const std::vector<EosProperty>& eos_properties() { return kProperties; }

double eos_value(const EosProperty& p, int pair, double x1, double x2) {
  return vorn_eos_value(&p.code, &pair, &x1, &x2);
}

const EosProperty* find_eos_property(std::string_view name) {
  return find_named(kProperties, [&](const EosProperty& p, auto&& equal) {
    return equal(p.name, name) || equal(p.key, name) || any_alias(p.aliases, name, equal);
  });
}

std::string eos_property_names() {
  return joined_names(kProperties, [](const EosProperty& p) { return p.name; });
}

Converted eos_units(const EosProperty& p, const OutputUnits& units) {
  return convert(p.unit, units, kMolarMass);
}
double eos_out(const EosProperty& p, double value, const OutputUnits& units) {
  return eos_units(p, units)(value);
}
double eos_in(const EosProperty& p, double value, const OutputUnits& units) {
  return eos_units(p, units).back(value);
}
std::string eos_unit(const EosProperty& p, const OutputUnits& units) { return eos_units(p, units).unit; }

const std::vector<EosPair>& eos_pairs() { return kPairs; }

const EosPair& input_pair(std::string_view a, std::string_view b) {
  for (const EosPair& p : kPairs) {
    if ((p.first == a && p.second == b) || (p.first == b && p.second == a)) return p;
  }
  throw UsageError(fmt::format("--{}, --{}: not an input pair; expected one of {}", a, b, pair_names()));
}

std::string pair_names() {
  return joined_names(kPairs, [](const EosPair& p) { return fmt::format("{} {}", p.first, p.second); });
}

double read_input(const EosProperty& input, std::string_view argument, std::string_view text,
                  const OutputUnits& units) {
  if (input.code == VORN_EOS_T || input.code == VORN_EOS_P) {
    const bool T = input.code == VORN_EOS_T;
    const double x =
        T ? parse_quantity(argument, text, Dimension::temperature) : read_pressure(argument, text, units);
    require_physical(argument, text, x, T ? Dimension::temperature : Dimension::pressure);
    return x;
  }
  return eos_in(input, parse_number(argument, text), units);
}

std::string eos_phase_name(int phase) {
  for (const auto& [code, name] : kPhases) {
    if (code == phase) return std::string(name);
  }
  return "none";
}

void warn_eos_flags(unsigned flags) {
  equation_flags().warn(flags);
  he_ii_hint(flags);
}

void he_ii_hint(unsigned flags) {
  if ((flags & VORN_EOS_FLAG_HE_II) != 0) {
    write_err(
        "hint: He II is described from 0.8 K (the bath from 1.25 K, under pressure up to the melting line), "
        "its vapour from 1.25 K; colder, the saturated liquid alone: vorn superfluid --T <T>");
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

int print_eos_state(const EosPair& pair, std::string_view first, std::string_view second,
                    const Options& options) {
  const OutputUnits& units = options.units;
  const double x1 = read_input(*find_eos_property(pair.first), "--" + std::string(pair.first), first, units);
  const double x2 =
      read_input(*find_eos_property(pair.second), "--" + std::string(pair.second), second, units);
  const vorn_eos_state state = eos_state_at(pair.code, x1, x2);

  Table table(options,
              fmt::format("helium-4, reference equation of state, at {} = {}, {} = {}", pair.first, first,
                          pair.second, second),
              {{"property", "", true, "", 21}, {"value"}, {"unit", "", true}}, false);
  table.note("phase", eos_phase_name(state.phase));
  table.note("flags", equation_flags().names(state.flags));
  for (const EosProperty& p : kProperties)
    table.row({std::string(p.name), eos_out(p, eos_value(p, pair.code, x1, x2), units), eos_unit(p, units)});
  table.finish();
  warn_eos_flags(state.flags);
  return (state.flags & equation_flags().withholding()) != 0 || std::isnan(state.rho) ? kExitNoAnswer
                                                                                      : kExitDone;
}

int print_saturation(bool at_temperature, const Values& points, const Options& options) {
  const OutputUnits& units = options.units;
  // Every number of vorn_eos_saturation, from the library's table of its fields.
  struct Field {
    std::string_view key;
    std::size_t offset;
    Converted to;
  };
  std::vector<Field> fields;
  std::vector<Column> columns;
#define VORN_EOS_SATURATION_ROW(name, type, library_unit)                                        \
  if (std::is_same_v<type, double>) {                                                            \
    fields.push_back(                                                                            \
        {#name, offsetof(vorn_eos_saturation, name), convert(library_unit, units, kMolarMass)}); \
    columns.push_back({#name, fields.back().to.unit});                                           \
  }
#include "vorn_eos_facts.def"
  Table table(options, "helium-4 at saturation, reference equation of state", columns);
  unsigned seen = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double x = points[i];
    vorn_eos_saturation sat{};
    sat.size = sizeof sat;
    const int status = at_temperature ? vorn_eos_saturation_T(&x, &sat) : vorn_eos_saturation_P(&x, &sat);
    if (status != 0) throw std::runtime_error("the library refused the size of vorn_eos_saturation");
    (at_temperature ? sat.T : sat.P) =
        x;  // the row names the point asked for, also where there is no saturation
    std::vector<Cell> row;
    for (const Field& f : fields) {
      double value = 0.0;
      std::memcpy(&value, reinterpret_cast<const char*>(&sat) + f.offset, sizeof value);
      row.emplace_back(f.to(value));
    }
    table.row(row, equation_flags(), sat.flags, (sat.flags & equation_flags().withholding()) == 0);
    seen |= sat.flags;
  }
  const int status = table.finish();
  he_ii_hint(seen);
  return status;
}

}  // namespace vorn_cli
