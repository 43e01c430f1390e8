#include "report.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "eos_report.hpp"
#include "flags.hpp"
#include "output.hpp"
#include "vorn.h"

namespace vorn_cli {
namespace {

double pressure_out(double P, const OutputUnits& units) { return P / units.kpa_per_pressure_unit; }

// (correlation - equation) / |equation| in percent; NaN where either is not finite or the equation's is 0.
double difference_percent(double correlation, double equation) {
  if (!std::isfinite(correlation) || !std::isfinite(equation) || equation == 0.0) return NAN;
  // Three significant digits: enough to see the correlation's error at a glance.
  return std::stod(fmt::format("{:.3g}", 100.0 * (correlation - equation) / std::fabs(equation)));
}

// Where the two families disagree on the phase, which relation each uses.
std::optional<std::string> phase_relations(double T, double P, unsigned flags, const vorn_eos_state& equation,
                                           const OutputUnits& units) {
  const bool correlation_liquid = (flags & VORN_STATE_LIQUID) != 0;
  const bool equation_liquid = equation.phase == VORN_EOS_PHASE_LIQUID;
  if (equation.phase == VORN_EOS_PHASE_NONE || correlation_liquid == equation_liquid) return std::nullopt;
  double slope = 0.0;
  unsigned f = 0;
  const double P90 = vorn_its90_P(&T, &slope, &f);
  const double T90 = vorn_its90_T(&P, &slope, &f);
  vorn_eos_saturation at_T{}, at_P{};
  at_T.size = at_P.size = sizeof(vorn_eos_saturation);
  vorn_eos_saturation_T(&T, &at_T);
  vorn_eos_saturation_P(&P, &at_P);
  const std::string_view unit = units.pressure;
  return fmt::format(
      "the families disagree: the correlations' liquid flag uses the ITS-90 vapour pressure ({} {} at this "
      "T, "
      "boiling at {} K at this P, critical at {} {}), the equation its own saturation curve ({} {}, boiling "
      "at "
      "{} K, critical at {} {}): here the correlations say {}, the equation {}",
      readable(pressure_out(P90, units)), unit, readable(T90), readable(pressure_out(227.46, units)), unit,
      readable(pressure_out(at_T.P, units)), unit, readable(at_P.T),
      readable(pressure_out(228.322787, units)), unit, correlation_liquid ? "liquid" : "gas",
      eos_phase_name(equation.phase));
}

}  // namespace

namespace {

// The rows of `vorn state` that lead, in this order: the fluid's properties, then its transport and the
// numbers made of it; the equation's other properties follow, then (the detail) the correlations' own.
constexpr std::string_view kLeading[] = {"density",
                                         "h",
                                         "s",
                                         "cp",
                                         "cv",
                                         "gamma",
                                         "sound-speed",
                                         "viscosity",
                                         "conductivity",
                                         "prandtl",
                                         "kinematic-viscosity",
                                         "thermal-diffusivity"};
// Made of the leading values of the rows they name: consistent with them whatever family answered each.
struct Derived {
  std::string_view name;
  double (*of)(double rho, double cp, double mu, double k);
  std::array<std::string_view, 3> from;
  std::string_view formula;
};
constexpr Derived kDerived[] = {
    {"prandtl",
     [](double, double cp, double mu, double k) { return cp * mu / k; },
     {"cp", "viscosity", "conductivity"},
     "cp mu/k"},
    {"kinematic-viscosity",
     [](double rho, double, double mu, double) { return mu / rho; },
     {"viscosity", "density", ""},
     "mu/rho"},
    {"thermal-diffusivity",
     [](double rho, double cp, double, double k) { return k / (rho * cp); },
     {"conductivity", "density", "cp"},
     "k/(rho cp)"},
};
// ITS-90's interpolating gas thermometer, 3.0 K to 24.5561 K: there the virial and acoustic detail leads too.
constexpr double kGasThermometerLow = 3.0, kGasThermometerHigh = 24.5561;

struct StateRow {
  std::vector<Cell> cells;
  std::vector<std::string> flags;
  double library = NAN;  // the value that leads, in the library's units
  Source source = Source::equation;
  bool detail = false;  // the virial and acoustic detail, and the zero-pressure transport
};

}  // namespace

int print_state(double T, double P, const Options& options, std::string_view P_bare) {
  const unsigned flags = vorn_state(&T, &P);
  const vorn_eos_state equation = eos_state_at(VORN_EOS_TP, T, P);
  const OutputUnits& units = options.units;
  Table table(options,
              fmt::format("helium-4 at T = {} K, P = {} {}", readable(T), readable(pressure_out(P, units)),
                          units.pressure),
              {{"property", "", true, "", 20},
               {"value"},
               {"unit", "", true, "", 18},
               {"from", "", true, "", 13},
               {"correlation"},
               {"equation"},
               {"difference", "%"},
               {"routine", "", true}});
  table.note("T", T, "K");
  if (!P_bare.empty()) {
    // A bare number is in the unit of --units (kPa by default): say so where it is read, so that 3 typed
    // for 3 bar shows as the 3 kPa it is.
    table.note("P", pressure_out(P, units), units.pressure,
               fmt::format("a bare number, read in {}: {}bar for bar, or --units or VORN_UNITS for another "
                           "default",
                           units.pressure, P_bare));
  } else {
    table.note("P", pressure_out(P, units), units.pressure);
  }
  table.note("correlation_flags", correlation_flags().names(flags));
  table.note("phase", eos_phase_name(equation.phase));
  table.note("equation_flags", equation_flags().names(equation.flags));
  if (const auto note = phase_relations(T, P, flags, equation, units)) table.note("phases", *note);

  std::map<std::string_view, StateRow> rows;
  std::vector<std::string_view> order;  // of the rows not in kLeading
  for (const Property& p : properties()) {
    const Converted unit = output_units(p, units);
    const double raw = p(T, P);
    const double correlation = unit(raw);
    const unsigned spoiled = flags & p.flags;
    const EosProperty* e = counterpart(p);
    Cell other;
    Cell difference;
    double x = NAN;
    double x_raw = NAN;
    if (e != nullptr) {
      x_raw = eos_value(*e, VORN_EOS_TP, T, P);
      x = eos_out(*e, x_raw, units);
      other = x;
      difference = difference_percent(correlation, x);
    }
    const Answer answer =
        choose(correlation, spoiled, x, e != nullptr && equation.phase != VORN_EOS_PHASE_NONE);
    const bool detail = e == nullptr || p.name == "B" || p.name == "sound-speed-gk";
    rows[p.name] = {{std::string(p.name), answer.value, unit.unit, std::string(source_name(answer.source)),
                     correlation, other, difference, std::string(p.exported)},
                    correlation_flags().names(spoiled),
                    answer.source == Source::equation ? x_raw : raw,
                    answer.source,
                    detail};
    if (std::find(std::begin(kLeading), std::end(kLeading), p.name) == std::end(kLeading))
      order.push_back(p.name);
  }
  for (const EosProperty& e : eos_properties()) {
    if (e.code == VORN_EOS_T || e.code == VORN_EOS_P || find_property(e.name) != nullptr) continue;
    const double raw = eos_value(e, VORN_EOS_TP, T, P), x = eos_out(e, raw, units);
    // He II's own quantities lead only where the state is He II.
    rows[e.name] = {{std::string(e.name), x, eos_unit(e, units), std::string("equation"), std::monostate{}, x,
                     std::monostate{}, std::string("vorn_eos_state")},
                    {},
                    raw,
                    Source::equation,
                    e.he_ii && std::isnan(raw)};
    if (std::find(std::begin(kLeading), std::end(kLeading), e.name) == std::end(kLeading))
      order.push_back(e.name);
  }
  // The transport numbers from the viscosity, conductivity, cp and density that lead, whatever family
  // answered each: the row says which.
  for (const Derived& d : kDerived) {
    StateRow& row = rows[d.name];
    const auto lead = [&](std::string_view name) { return rows[name].library; };
    std::string from;
    for (const std::string_view name : d.from) {
      if (name.empty()) continue;
      const std::string_view family = source_name(rows[name].source);
      if (from.find(family) == std::string::npos) from += (from.empty() ? "" : "+") + std::string(family);
    }
    if (from == "equation") continue;  // the equation's own, as it stands
    const double value = d.of(lead("density"), lead("cp"), lead("viscosity"), lead("conductivity"));
    row.cells[1] = value;
    row.cells[3] = from;
    row.cells[7] = std::string(d.formula);  // of the rows above
  }
  const bool detail =
      options.detail || options.format != Format::text ||
      (T >= kGasThermometerLow && T <= kGasThermometerHigh && (flags & vorn_state_mask("vorn_Za_gk")) == 0);
  if (!detail) table.note("detail", "the virial coefficients, the acoustic factor, k0 and nu0: --detail");
  unsigned flagged = 0;  // the flags under which a correlation's value shown leads all the same
  const auto show = [&](const StateRow& row) {
    table.row(row.cells, row.flags);
    if (row.source == Source::flagged) {
      for (const Flag& f : correlation_flags().all()) {
        if (std::find(row.flags.begin(), row.flags.end(), f.name) != row.flags.end()) flagged |= f.bit;
      }
    }
  };
  for (const std::string_view name : kLeading) show(rows[name]);
  for (const bool detail_rows : {false, true}) {
    for (const std::string_view name : order) {
      const StateRow& row = rows[name];
      if (row.detail == detail_rows && (detail || !row.detail)) show(row);
    }
  }
  table.finish();
  // One line a flag that spoils a value that leads all the same; one for the others, which the equation's
  // values replaced.
  correlation_flags().warn(flagged);
  const std::vector<std::string> replaced = correlation_flags().names(flags & ~flagged);
  if (!replaced.empty()) {
    std::string names;
    for (const std::string& n : replaced) names += (names.empty() ? "" : ", ") + n;
    write_err(
        fmt::format("note: correlation flags {}: the reference equation's values lead where they spoil "
                    "the correlation's (the from and flags columns)",
                    names));
  }
  warn_eos_flags(equation.flags);
  const StateRow& density = rows["density"];
  return density.source != Source::flagged && !std::isnan(density.library) ? kExitDone : kExitNoAnswer;
}

int print_table(const Quantity& quantity, int pair, const std::vector<TableInput>& inputs,
                const Options& options) {
  const OutputUnits& units = options.units;
  std::vector<Column> columns;
  std::vector<Converted> to;                // from the library's units to the user's
  std::array<bool, 2> typed{false, false};  // a point as typed is in the user's units, else the library's
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    to.push_back(eos_units(*inputs[i].input, units));
    columns.push_back({std::string(inputs[i].input->input), to[i].unit});
    typed[i] = inputs[i].input->code != VORN_EOS_T && inputs[i].input->code != VORN_EOS_P;
  }
  const auto library = [&](std::size_t i, std::size_t k) {
    return typed[i] ? to[i].back(inputs[i].points[k]) : inputs[i].points[k];
  };
  const auto shown = [&](std::size_t i, std::size_t k) {
    return typed[i] ? inputs[i].points[k] : to[i](inputs[i].points[k]);
  };
  Column value{"value", quantity.units(units).unit};
  value.label = quantity.name();
  columns.push_back(value);
  if (quantity.by_rule()) columns.push_back({"from", "", true, "", 13});
  Table table(options, fmt::format("{}: {}", quantity.name(), quantity.description()), columns);

  // Blocks of points, the first input inner: x1, x2 in the library's units.
  const std::size_t n1 = inputs[0].points.size();
  const std::size_t total = n1 * (inputs.size() > 1 ? inputs[1].points.size() : 1);
  constexpr std::size_t kBlock = std::size_t{1} << 14;
  std::vector<double> x1, x2, values;
  std::vector<unsigned> flags;
  std::vector<Source> sources;
  for (std::size_t begin = 0; begin < total; begin += kBlock) {
    const std::size_t n = std::min(kBlock, total - begin);
    x1.resize(n), x2.resize(n), values.resize(n), flags.resize(n), sources.resize(n);
    for (std::size_t k = 0; k < n; ++k) {
      x1[k] = library(0, (begin + k) % n1);
      x2[k] = inputs.size() > 1 ? library(1, (begin + k) / n1) : 0.0;
    }
    quantity.evaluate(pair, n, x1.data(), x2.data(), values.data(), flags.data(), sources.data(), units);
    for (std::size_t k = 0; k < n; ++k) {
      std::vector<Cell> row{shown(0, (begin + k) % n1)};
      if (inputs.size() > 1) row.emplace_back(shown(1, (begin + k) / n1));
      row.emplace_back(values[k]);
      if (quantity.by_rule()) row.emplace_back(std::string(source_name(sources[k])));
      table.row(row, quantity.flags(sources[k]), flags[k],
                Quantity::answered(values[k], flags[k], sources[k]));
    }
  }
  return table.finish();
}

void print_thermometer(const char* method, const ThermometerResult& result, const Options& options) {
  Table table(options, fmt::format("the {} thermometer", method),
              {{"thermometer", "", true}, {"T", "K"}, {"iterations"}, {"converged"}});
  table.row({std::string(method), result.T, static_cast<double>(result.iterations), result.converged},
            correlation_flags().names(result.flags));
  table.finish();
  correlation_flags().warn(result.flags);
  if (!result.converged) {
    write_err(fmt::format(
        "warning: the {} thermometer did not meet its tolerance in {} iterations; T is the last iterate",
        method, result.iterations));
  }
}

void print_reference_states(const Options& options) {
  struct State {
    double T, P;
  };
  static constexpr std::array<State, 5> states{
      {{4.2, 100.0}, {20.0, 1000.0}, {77.0, 100.0}, {273.16, 100.0}, {300.0, 101.325}}};
  const OutputUnits& units = options.units;
  if (options.format != Format::text) {
    std::vector<Column> columns{{"T", "K"}, {"P", std::string(units.pressure)}};
    for (const Property& p : properties())
      columns.push_back({std::string(p.name), output_units(p, units).unit});
    Table table(options, "helium-4 gas properties at reference states", columns);
    for (const State& s : states) {
      std::vector<Cell> row{s.T, pressure_out(s.P, units)};
      for (const Property& p : properties()) row.emplace_back(output_units(p, units)(p(s.T, s.P)));
      table.row(row, correlation_flags().names(vorn_state(&s.T, &s.P)));
    }
    table.finish();
    return;
  }
  // For people: a column a state, a row a property, the flags and the thermometers above.
  const auto at = [&](const State& s) {
    return fmt::format("{} K, {} {}", readable(s.T), readable(pressure_out(s.P, units)), units.pressure);
  };
  std::vector<Column> columns{{"property", "", true, "", 16}, {"unit", "", true, "", 18}};
  for (const State& s : states) columns.push_back({at(s)});
  Table table(options, fmt::format("helium-4 gas properties at reference states (vorn {})", vorn_version()),
              columns, false);
  unsigned seen = 0;
  for (const State& s : states) {
    const unsigned flags = vorn_state(&s.T, &s.P);
    seen |= flags;
    if (flags != 0) table.note("flags at " + at(s), correlation_flags().names(flags));
  }
  // Two thermometers reading 10 kPa, referred to 100 kPa at the triple point of water.
  const double ratio = 0.1, P = 10.0, T0 = 273.16, P0 = 100.0;
  int iterations = 0, converged = 0;
  const auto reading = [&](double T) {
    return fmt::format("{} kPa, T0 = {} K at {} kPa: T = {:.12g} K after {} iterations ({})", P, T0, P0, T,
                       iterations, converged ? "converged" : "NOT converged");
  };
  const double acoustic = vorn_temp_K_report(&ratio, &P, &T0, &P0, &iterations, &converged);
  table.note("acoustic thermometer (temp_K)", fmt::format("ratio {} at {}", ratio, reading(acoustic)));
  const double gas = vorn_cvgt_temperature(&P, &T0, &P0, &iterations, &converged);
  table.note("gas thermometer (vorn_cvgt_temperature)", reading(gas));
  for (const Flag& f : correlation_flags().all()) {
    if ((seen & f.bit) != 0) table.note(f.name, f.meaning);
  }
  table.note("more", "vorn --help");
  for (const Property& p : properties()) {
    const Converted unit = output_units(p, units);
    std::vector<Cell> row{std::string(p.name), unit.unit};
    for (const State& s : states) row.emplace_back(unit(p(s.T, s.P)));
    table.row(row);
  }
  table.finish();
}

}  // namespace vorn_cli
