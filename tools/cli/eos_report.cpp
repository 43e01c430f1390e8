#include "eos_report.hpp"

#include <array>
#include <cmath>
#include <iterator>
#include <nlohmann/json.hpp>
#include <utility>

#include "fmt/format.h"
#include "output.hpp"

namespace vorn_cli {
namespace {

constexpr std::size_t kChunk = 1u << 16;

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

// The equation's properties as `vorn eos` lists them: name, unit, field.
struct EosProperty {
  std::string_view name;
  std::string_view unit;
  double vorn_eos_state::*field;
  bool pressure;  // shown in the pressure unit of --units
};
constexpr std::array<EosProperty, 20> kProperties{{
    {"T", "K", &vorn_eos_state::T, false},
    {"P", "kPa", &vorn_eos_state::P, true},
    {"density", "kg/m^3", &vorn_eos_state::rho, false},
    {"volume", "m^3/mol", &vorn_eos_state::vm, false},
    {"u", "J/kg", &vorn_eos_state::u, false},
    {"h", "J/kg", &vorn_eos_state::h, false},
    {"s", "J/(kg K)", &vorn_eos_state::s, false},
    {"g", "J/kg", &vorn_eos_state::g, false},
    {"cv", "J/(kg K)", &vorn_eos_state::cv, false},
    {"cp", "J/(kg K)", &vorn_eos_state::cp, false},
    {"gamma", "1", &vorn_eos_state::cp_cv, false},
    {"sound-speed", "m/s", &vorn_eos_state::w, false},
    {"joule-thomson", "K/kPa", &vorn_eos_state::jt, false},
    {"kappa_T", "1/kPa", &vorn_eos_state::kappa_T, false},
    {"alpha_V", "1/K", &vorn_eos_state::alpha_V, false},
    {"dP/dT", "kPa/K", &vorn_eos_state::dpdT, false},
    {"dP/drho", "kPa m^3/kg", &vorn_eos_state::dpdrho, false},
    {"B", "cm^3/mol", &vorn_eos_state::B, false},
    {"Z", "1", &vorn_eos_state::Z, false},
    {"quality", "1", &vorn_eos_state::q, false},
}};

// Correlation property (by its name in the tool) -> the equation's field.
constexpr std::array<std::pair<std::string_view, double vorn_eos_state::*>, 9> kCounterparts{{
    {"B", &vorn_eos_state::B},
    {"density", &vorn_eos_state::rho},
    {"volume", &vorn_eos_state::vm},
    {"cv", &vorn_eos_state::cv},
    {"cp", &vorn_eos_state::cp},
    {"gamma", &vorn_eos_state::cp_cv},
    {"Z", &vorn_eos_state::Z},
    {"sound-speed", &vorn_eos_state::w},
    {"sound-speed-gk", &vorn_eos_state::w},
}};

// Input option -> its dimension (T and P read units; the rest are bare SI numbers).
struct PairInput {
  std::string_view first, second;
  int pair;
};
constexpr std::array<PairInput, 9> kPairs{{
    {"--T", "--P", VORN_EOS_TP},
    {"--T", "--rho", VORN_EOS_TRHO},
    {"--P", "--rho", VORN_EOS_PRHO},
    {"--P", "--h", VORN_EOS_PH},
    {"--P", "--s", VORN_EOS_PS},
    {"--T", "--s", VORN_EOS_TS},
    {"--rho", "--u", VORN_EOS_RHOU},
    {"--T", "--q", VORN_EOS_TQ},
    {"--P", "--q", VORN_EOS_PQ},
}};

nlohmann::ordered_json json_value(double x) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x > 0 ? "Infinity" : "-Infinity";
  return x;
}

nlohmann::ordered_json json_eos_flags(unsigned flags) {
  auto names = nlohmann::ordered_json::array();
  for (const FlagName& f : kFlags) {
    if ((flags & f.bit) != 0) names.push_back(f.name);
  }
  return names;
}

double pressure_out(double P, const OutputUnits& units) {
  return units.kpa_per_pressure_unit == 1.0 ? P : P / units.kpa_per_pressure_unit;
}

void write(fmt::memory_buffer& text) {
  write_out(std::string_view(text.data(), text.size()));
  text.clear();
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

std::string_view input_unit(std::string_view name) {
  if (name == "--T") return " K";
  if (name == "--P") return " kPa";
  if (name == "--rho") return " kg/m^3";
  if (name == "--s") return " J/(kg K)";
  if (name == "--q") return "";
  return " J/kg";
}

double input_value(const EosInput& input) {
  if (input.name == "--T") return parse_quantity(input.name, input.text, Dimension::temperature);
  if (input.name == "--P") return parse_quantity(input.name, input.text, Dimension::pressure);
  return parse_number(input.name, input.text);
}

}  // namespace

std::string eos_flag_names(unsigned flags) {
  std::string names;
  for (const FlagName& f : kFlags) {
    if ((flags & f.bit) == 0) continue;
    if (!names.empty()) names += '+';
    names += f.name;
  }
  return names.empty() ? "-" : names;
}

std::string eos_flag_list(unsigned flags) { return json_eos_flags(flags).dump(); }

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

vorn_eos_state eos_state_at(int pair, double x1, double x2) {
  vorn_eos_state state{};
  state.size = sizeof state;
  if (vorn_eos_state_at(&pair, &x1, &x2, &state) != 0) {
    throw std::runtime_error("the library refused the size of vorn_eos_state");
  }
  return state;
}

std::optional<double> reference_value(const Property& property, const vorn_eos_state& state) {
  for (const auto& [name, field] : kCounterparts) {
    if (name == property.name) return state.*field;
  }
  return std::nullopt;
}

double relative_difference_percent(double correlation, double reference) {
  if (!std::isfinite(correlation) || !std::isfinite(reference) || reference == 0.0) return NAN;
  return 100.0 * (correlation - reference) / std::fabs(reference);
}

void print_eos_state(const EosInput& first, const EosInput& second, const Options& options) {
  const PairInput* chosen = nullptr;
  bool swapped = false;
  for (const PairInput& p : kPairs) {
    if (p.first == first.name && p.second == second.name) chosen = &p;
    if (p.first == second.name && p.second == first.name) chosen = &p, swapped = true;
  }
  if (chosen == nullptr) {
    throw UsageError(
        fmt::format("{}, {}: not an input pair; expected one of --T --P, --T --rho, --P --rho, --P --h, --P "
                    "--s, --T --s, "
                    "--rho --u, --T --q, --P --q",
                    first.name, second.name));
  }
  const EosInput& a = swapped ? second : first;
  const EosInput& b = swapped ? first : second;
  const double x1 = input_value(a);
  const double x2 = input_value(b);
  const vorn_eos_state state = eos_state_at(chosen->pair, x1, x2);
  const OutputUnits& units = options.units;
  auto value_of = [&](const EosProperty& p) {
    return p.pressure ? pressure_out(state.*p.field, units) : state.*p.field;
  };
  auto unit_of = [&](const EosProperty& p) { return p.pressure ? units.pressure : p.unit; };

  fmt::memory_buffer text;
  auto out = std::back_inserter(text);
  switch (options.format) {
    case Format::json: {
      nlohmann::ordered_json doc;
      doc["input"] = {{std::string(a.name.substr(2)), json_value(x1)},
                      {std::string(b.name.substr(2)), json_value(x2)}};
      doc["phase"] = eos_phase_name(state.phase);
      doc["flags"] = json_eos_flags(state.flags);
      doc["evaluations"] = state.evaluations;
      auto& values = doc["properties"] = nlohmann::ordered_json::object();
      for (const EosProperty& p : kProperties) {
        values[std::string(p.name)] = {{"value", json_value(value_of(p))}, {"unit", unit_of(p)}};
      }
      fmt::format_to(out, "{}\n", doc.dump(2));
      break;
    }
    case Format::csv:
      fmt::format_to(out, "property,value,unit\n");
      for (const EosProperty& p : kProperties) {
        fmt::format_to(out, "{},{},{}\n", csv_field(p.name), csv_number(value_of(p)), csv_field(unit_of(p)));
      }
      fmt::format_to(out, "phase,{},\nflags,{},\n", eos_phase_name(state.phase), eos_flag_names(state.flags));
      break;
    case Format::text:
      fmt::format_to(out, "helium-4, reference equation of state, at {} = {}{}, {} = {}{}: {}; flags: {}\n\n",
                     a.name.substr(2), readable(x1), input_unit(a.name), b.name.substr(2), readable(x2),
                     input_unit(b.name), eos_phase_name(state.phase), eos_flag_names(state.flags));
      fmt::format_to(out, "{:<16}{:>18}  {}\n", "property", "value", "unit");
      for (const EosProperty& p : kProperties) {
        fmt::format_to(out, "{:<16}{:>18}  {}\n", p.name, readable(value_of(p)), unit_of(p));
      }
      break;
  }
  write(text);
  finish_out();
  warn_eos_flags(state.flags);
}

void print_saturation(bool at_temperature, const Values& points, const Options& options) {
  const OutputUnits& units = options.units;
  const std::string P_heading = fmt::format("P [{}]", units.pressure);
  const std::array<std::string, 11> headings{"T [K]",
                                             P_heading,
                                             "rho_liquid [kg/m^3]",
                                             "rho_vapour [kg/m^3]",
                                             "h_liquid [J/kg]",
                                             "h_vapour [J/kg]",
                                             "s_liquid [J/(kg K)]",
                                             "s_vapour [J/(kg K)]",
                                             "latent_heat [J/kg]",
                                             "surface_tension [N/m]",
                                             fmt::format("dP/dT [{}/K]", units.pressure)};
  fmt::memory_buffer text;
  auto out = std::back_inserter(text);
  switch (options.format) {
    case Format::csv:
      for (const std::string& h : headings) fmt::format_to(out, "{},", csv_field(h));
      fmt::format_to(out, "flags\n");
      break;
    case Format::json:
      fmt::format_to(
          out,
          "{{\n  \"saturation\": \"helium-4, reference equation of state\",\n  \"units\": {{\"T\": "
          "\"K\", \"P\": {}, \"rho\": \"kg/m^3\", \"h\": \"J/kg\", \"s\": \"J/(kg K)\", "
          "\"surface_tension\": \"N/m\"}},\n  \"rows\": [",
          json_string(units.pressure));
      break;
    case Format::text:
      fmt::format_to(out, "# helium-4 at saturation, reference equation of state\n");
      for (const std::string& h : headings) fmt::format_to(out, "{:>22}", h);
      fmt::format_to(out, "  flags\n");
      break;
  }
  unsigned seen = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double x = points[i];
    vorn_eos_saturation s{};
    s.size = sizeof s;
    const int status = at_temperature ? vorn_eos_saturation_T(&x, &s) : vorn_eos_saturation_P(&x, &s);
    if (status != 0) throw std::runtime_error("the library refused the size of vorn_eos_saturation");
    if (at_temperature) {
      s.T = x;  // the row names the point asked for, also where there is no saturation
    } else {
      s.P = x;
    }
    const std::array<double, 11> row{s.T,
                                     pressure_out(s.P, units),
                                     s.rho_liquid,
                                     s.rho_vapour,
                                     s.h_liquid,
                                     s.h_vapour,
                                     s.s_liquid,
                                     s.s_vapour,
                                     s.latent_heat,
                                     s.surface_tension,
                                     pressure_out(s.dPdT, units)};
    static constexpr std::array<std::string_view, 11> keys{
        "T",        "P",        "rho_liquid",  "rho_vapour",      "h_liquid", "h_vapour",
        "s_liquid", "s_vapour", "latent_heat", "surface_tension", "dPdT"};
    switch (options.format) {
      case Format::csv:
        for (const double v : row) fmt::format_to(out, "{},", csv_number(v));
        fmt::format_to(out, "{}\n", s.flags != 0 ? eos_flag_names(s.flags) : "");
        break;
      case Format::json:
        fmt::format_to(out, "{}\n    {{", i == 0 ? "" : ",");
        for (std::size_t k = 0; k < row.size(); ++k)
          fmt::format_to(out, "\"{}\": {}, ", keys[k], json_number(row[k]));
        fmt::format_to(out, "\"flags\": {}}}", json_eos_flags(s.flags).dump());
        break;
      case Format::text:
        for (const double v : row) fmt::format_to(out, "{:>22}", readable(v));
        fmt::format_to(out, "  {}\n", eos_flag_names(s.flags));
        break;
    }
    seen |= s.flags;
    if (text.size() > kChunk) write(text);
  }
  if (options.format == Format::json) fmt::format_to(out, "\n  ]\n}}\n");
  write(text);
  finish_out();
  warn_eos_flags(seen);
}

}  // namespace vorn_cli
