// vorn: helium-4 properties from the command line (the gas correlations and the reference equation of state).
//
//   vorn                                    every property at a few reference states
//   vorn state T P                          every property of both families at one state
//   vorn table PROPERTY --X RANGE [--Y RANGE] [--eos]
//   vorn eval INPUT [PROPERTY...] [--eos]
//   vorn eos --X A --Y B                    X, Y an input pair of the equation (T P, P h, ...)
//   vorn saturation (--T RANGE | --P RANGE)
//   vorn superfluid --T RANGE               the saturated liquid, He II included
//   vorn superfluid channel --T-bath RANGE --L LENGTH [--q RANGE | --T-warm RANGE] [--m M]
//   vorn line lambda|melting|saturation     the lines of the phase diagram
//   vorn thermometer acoustic --ratio R --P P --T0 T0 --P0 P0
//   vorn thermometer gas --P P --T0 T0 --P0 P0
//   vorn thermometer vapour (--P RANGE | --T RANGE)
//
// Every command takes --format F (text, csv or json; --csv and --json say the
// same) and --units U (kg, g or mol, and kPa, Pa, mbar, bar, MPa, atm, psi or
// torr: the unit system of the output and of bare input numbers; by default
// the environment variable VORN_UNITS); tables and logs --strict. An
// option's value may be negative (--T -5, --T=-.5); T and P of `vorn state`
// are read as they stand, "-.5" included. Exit status: 0 done; 2 bad input
// (one line on stderr naming the argument); 3 a thermometer that did not meet
// its tolerance (its last iterate is printed); 4 stdout or stderr could not be
// written in full; 5 no answer: the state, density or temperature asked for
// is NaN or flagged as meaningless (after printing what there is), or, with
// --strict, a table or log has rows without an answer; 1 anything else (out
// of memory).
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <initializer_list>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "batch.hpp"
#include "eos_report.hpp"
#include "input.hpp"
#include "lines.hpp"
#include "output.hpp"
#include "properties.hpp"
#include "report.hpp"
#include "superfluid.hpp"
#include "vorn.h"

namespace {

using namespace vorn_cli;
using Inputs = std::vector<const CLI::Option*>;

struct Arguments {
  std::string property, input, line;
  std::vector<std::string> properties;
  std::map<std::string, std::string, std::less<>>
      values;  // of the options --T, --P, --rho, ..., --T0, --ratio
  std::string format, units;
  bool json = false, csv = false, strict = false, eos = false, detail = false;
};

void add_format_options(CLI::App* app, Arguments& a, bool tabular) {
  app->add_option("--format", a.format, "output: text (the default), csv or json")
      ->check(CLI::IsMember({"text", "csv", "json"}))
      ->type_name("FORMAT");
  app->add_flag("--csv", a.csv, "the same as --format csv");
  app->add_flag("--json", a.json, "the same as --format json");
  app->add_option(
         "--units", a.units,
         "unit system of the output and of bare input numbers: kg (per kilogram), g (per gram) or mol "
         "(per mole), and kPa, Pa, mbar, bar, MPa, atm, psi or torr; such as g,mbar (default: the "
         "environment variable VORN_UNITS, else the library's own, K and kPa)")
      ->type_name("UNITS");
  if (tabular) app->add_flag("--strict", a.strict, "exit with status 5 when a row has no answer");
}

// --NAME: one number, or a range or list of them.
CLI::Option* add_value(CLI::App* app, Arguments& a, const std::string& name, const std::string& help,
                       bool range) {
  return app
      ->add_option("--" + name, a.values[name], help + (range ? ": START:STOP:STEP, A,B,C or one value" : ""))
      ->type_name(range ? "RANGE" : "NUMBER");
}

// The equation's inputs as options (--T, --P, --rho, --h, --s, --u, --q), or those of `only`.
Inputs add_inputs(CLI::App* app, Arguments& a, bool ranges,
                  std::initializer_list<std::string_view> only = {}) {
  Inputs options;
  for (const EosProperty& p : eos_properties()) {
    if (p.input.empty() || (only.size() != 0 && std::find(only.begin(), only.end(), p.input) == only.end()))
      continue;
    const std::string unit = p.code == VORN_EOS_T ? "K, or with a unit (300K, -196.15C, 800mK)"
                             : p.code == VORN_EOS_P
                                 ? "kPa (or the unit of --units), or with a unit (1bar, 1e5Pa)"
                                 : fmt::format("{} (per mole with --units mol)", p.unit);
    options.push_back(
        add_value(app, a, std::string(p.input), fmt::format("{}, {}", p.description, unit), ranges));
  }
  return options;
}

// The inputs given, in the order of the options.
std::vector<std::string> given(const Inputs& options) {
  std::vector<std::string> names;
  for (const CLI::Option* o : options) {
    if (o->count() != 0) names.push_back(o->get_name().substr(2));
  }
  return names;
}

// "no input given", "--T alone given", "--T, --P and --q given": for messages.
std::string inputs_given(const std::vector<std::string>& names) {
  if (names.empty()) return "no input given";
  if (names.size() == 1) return fmt::format("--{} alone given", names[0]);
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i)
    text += fmt::format("{}--{}", i == 0 ? "" : i + 1 == names.size() ? " and " : ", ", names[i]);
  return text + " given";
}

Options options_of(const Arguments& a) {
  Options options;
  int chosen = 0;
  if (!a.format.empty()) {
    ++chosen;
    options.format = a.format == "csv" ? Format::csv : a.format == "json" ? Format::json : Format::text;
  }
  if (a.csv) ++chosen, options.format = Format::csv;
  if (a.json) ++chosen, options.format = Format::json;
  if (chosen > 1)
    throw UsageError("--format, --csv, --json: more than one given; expected one output format");
  if (!a.units.empty()) {
    options.units = parse_output_units("--units", a.units);
  } else if (const char* units = std::getenv("VORN_UNITS"); units != nullptr && *units != '\0') {
    options.units = parse_output_units("VORN_UNITS (the environment)", units);  // the default units, set once
  }
  options.strict = a.strict;
  options.equation = a.eos;
  options.detail = a.detail;
  return options;
}

// The points of --NAME: T and P with their units (bare P in the unit of --units), the others as typed.
Values points_of(const Arguments& a, const std::string& name, const OutputUnits& units) {
  const std::string& text = a.values.find(name)->second;
  const EosProperty& input = *find_eos_property(name);
  if (input.code == VORN_EOS_T) return parse_values("--T", text, Dimension::temperature);
  if (input.code == VORN_EOS_P)
    return parse_values("--P", text, Dimension::pressure, find_unit(units.pressure, Dimension::pressure));
  return parse_values("--" + name, text, Dimension::none);
}

// The one input of a command that takes --T or --P.
std::string T_or_P(const Inputs& options, std::string_view command, std::string_view what) {
  const std::vector<std::string> names = given(options);
  if (names.size() != 1)
    throw UsageError(
        fmt::format("{}: expected exactly one of --T (temperatures) or --P ({})", command, what));
  return names[0];
}

int run_table(const Arguments& a, const Inputs& input_options) {
  const Options options = options_of(a);
  const std::vector<std::string> names_given = given(input_options);
  if (names_given.empty() || names_given.size() > 2) {
    throw UsageError(fmt::format("table: {}; expected --T alone or two forming a pair ({})",
                                 inputs_given(names_given), pair_names()));
  }
  int pair = VORN_EOS_TP;
  std::vector<std::string> names = names_given;
  if (names.size() == 2) {
    const EosPair& p = input_pair(names[0], names[1]);
    pair = p.code;
    names = {std::string(p.first), std::string(p.second)};
  }
  const Quantity quantity = find_quantity("PROPERTY", a.property, a.eos || pair != VORN_EOS_TP);
  if (names.size() == 1 && (names[0] != "T" || !quantity.of_T_alone())) {
    throw UsageError(
        fmt::format("--{}: alone; {} depends on two inputs: expected a pair such as --T with --P", names[0],
                    quantity.name()));
  }
  if (names.size() == 2 && quantity.of_T_alone()) {
    throw UsageError(fmt::format("--P: {} depends on T alone; expected --T alone", quantity.name()));
  }
  std::vector<TableInput> inputs;
  for (const std::string& name : names)
    inputs.push_back({find_eos_property(name), points_of(a, name, options.units)});
  // A property by its name (not an exported routine's, which answers any input with its flags, bit for
  // bit): a temperature at or below 0 K, or a negative pressure, is bad input, as in `vorn eos`.
  if (quantity.equation != nullptr) {
    for (const TableInput& input : inputs) {
      if (input.input->code == VORN_EOS_T) require_physical("--T", input.points, Dimension::temperature);
      if (input.input->code == VORN_EOS_P) require_physical("--P", input.points, Dimension::pressure);
    }
  }
  if (inputs.size() == 2 && inputs[0].points.size() > kMaxPoints / inputs[1].points.size()) {
    throw UsageError(fmt::format("--{}, --{}: {} x {} points; expected at most {} in one table", names[0],
                                 names[1], inputs[0].points.size(), inputs[1].points.size(), kMaxPoints));
  }
  return print_table(quantity, pair, inputs, options);
}

// T and P as they stand on the command line: "-.5" is a value here, not an option.
int run_state(const Arguments& a, const std::vector<std::string>& values) {
  const Options options = options_of(a);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i >= 2 || values[i].rfind("--", 0) == 0) {
      throw UsageError(fmt::format(
          "state: '{}' is not expected; expected two values, T and P (such as 4.5K 3bar), and options",
          values[i]));
    }
  }
  if (values.size() < 2)
    throw UsageError(fmt::format("{} is required; expected T and P", values.empty() ? "T" : "P"));
  const double T = parse_quantity("T", values[0], Dimension::temperature);
  bool bare = false;
  const double P = read_pressure("P", values[1], options.units, &bare);
  require_physical("T", values[0], T, Dimension::temperature);
  require_physical("P", values[1], P, Dimension::pressure);
  return print_state(T, P, options, bare ? trim(values[1]) : std::string_view{});
}

double positive(const Arguments& a, const std::string& name, Dimension dimension, std::string_view what) {
  const std::string& text = a.values.find(name)->second;
  const double x = parse_quantity("--" + name, text, dimension);
  if (!(x > 0.0))
    throw UsageError(fmt::format("--{}: '{}' is not above 0; expected {} above 0", name, text, what));
  return x;
}

int run_thermometer(const Arguments& a, bool acoustic) {
  const Options options = options_of(a);
  const double P = positive(a, "P", Dimension::pressure, "a pressure");
  const double T0 = positive(a, "T0", Dimension::temperature, "a temperature");
  const double P0 = positive(a, "P0", Dimension::pressure, "a pressure");
  ThermometerResult result{};
  int converged = 0;
  if (acoustic) {
    const double ratio = positive(a, "ratio", Dimension::none, "a ratio of squared sound speeds");
    result.T = vorn_temp_K_report_state(&ratio, &P, &T0, &P0, &result.iterations, &converged, &result.flags);
  } else {
    result.T = vorn_cvgt_temperature_state(&P, &T0, &P0, &result.iterations, &converged, &result.flags);
  }
  result.converged = converged != 0;
  print_thermometer(acoustic ? "acoustic" : "gas", result, options);
  if (!result.converged) return kExitNotConverged;
  const unsigned spoiling = vorn_state_mask(acoustic ? "temp_K" : "vorn_cvgt_temperature");
  return std::isnan(result.T) || (result.flags & spoiling) != 0 ? kExitNoAnswer : kExitDone;
}

// The two inputs of `vorn eos`, in the order given on the command line.
int run_eos(const Arguments& a, const Inputs& input_options) {
  const std::vector<std::string> names = given(input_options);
  if (names.size() != 2) {
    throw UsageError(fmt::format("eos: {}; expected two forming a pair ({}), such as --P 100 --h 1000",
                                 inputs_given(names), pair_names()));
  }
  const EosPair& pair = input_pair(names[0], names[1]);
  return print_eos_state(pair, a.values.find(pair.first)->second, a.values.find(pair.second)->second,
                         options_of(a));
}

int run_saturation(const Arguments& a, const Inputs& input_options) {
  const Options options = options_of(a);
  const std::string name = T_or_P(input_options, "saturation", "pressures");
  const Values points = points_of(a, name, options.units);
  // The saturation entries answer from 1.25 K (the He II bath below the lambda point); every point colder
  // than that: the He II line of the fits.
  bool below_bath = name == "T";
  for (std::size_t i = 0; below_bath && i < points.size(); ++i)
    below_bath = points[i] < kLowestBathTemperature;
  return below_bath ? print_superfluid(points, options) : print_saturation(name == "T", points, options);
}

int run_channel(const Arguments& a, const CLI::App* channel) {
  const Options options = options_of(a);
  const auto text = [&a](const std::string& name) -> const std::string& {
    return a.values.find(name)->second;
  };
  const bool q = channel->get_option("--q")->count() != 0;
  const bool T_warm = channel->get_option("--T-warm")->count() != 0;
  if (q && T_warm)
    throw UsageError(
        "channel: both --q and --T-warm given; expected one of them (or neither: the peak flux)");
  const Channel c{positive(a, "L", Dimension::length, "a length"),
                  channel->get_option("--m")->count() != 0 ? parse_number("--m", text("m")) : 3.0};
  if (!(c.m >= 2.0 && c.m <= 4.0))
    throw UsageError(
        fmt::format("--m: '{}' is outside 2 to 4; expected the exponent of dT/dx = -f q^m, "
                    "such as 3 or 3.4",
                    text("m")));
  const Values T_bath = parse_values("--T-bath", text("T-bath"), Dimension::temperature);
  const ChannelQuestion question = q        ? ChannelQuestion::warm_end
                                   : T_warm ? ChannelQuestion::heat_flux
                                            : ChannelQuestion::peak_flux;
  const Values asked = q        ? parse_values("--q", text("q"), Dimension::heat_flux)
                       : T_warm ? parse_values("--T-warm", text("T-warm"), Dimension::temperature)
                                : Values(std::vector<double>{});
  require_physical("--T-bath", T_bath, Dimension::temperature);
  require_physical(q ? "--q" : "--T-warm", asked, q ? Dimension::heat_flux : Dimension::temperature);
  if (asked.size() != 0 && T_bath.size() > kMaxPoints / asked.size()) {
    throw UsageError(fmt::format("--T-bath, --{}: {} x {} points; expected at most {} in one table",
                                 q ? "q" : "T-warm", T_bath.size(), asked.size(), kMaxPoints));
  }
  return print_channel(T_bath, c, question, asked, options);
}

int run(int argc, char** argv) {
  CLI::App app{
      "vorn: thermophysical properties of helium-4 (the gas correlations and the reference equation of "
      "state).\nWith no arguments: every property at a few reference states.\nExit status: 0 done, 2 bad "
      "input, 3 a thermometer missed its tolerance, 4 output could not be written, 5 no answer (NaN or "
      "flagged; tables and logs with --strict).",
      "vorn"};
  app.set_version_flag("--version", std::string("vorn ") + vorn_version());
  app.require_subcommand(0, 1);
  Arguments a;
  add_format_options(&app, a, false);

  auto* state = app.add_subcommand(
      "state",
      "vorn state T P: every property of both families at one state; the reference equation's value first "
      "where a correlation's is flagged as meaningless");
  state->footer(
      "T: temperature, K, or with a unit (300K, 4.2 K, -196.15C, 800mK)\nP: pressure, kPa (or the unit of "
      "--units), or with a unit (1bar, 1 MPa, 1e5Pa, 760torr)");
  state->allow_extras();  // T and P: its arguments that are not options, "-.5" among them
  state->add_flag(
      "--detail", a.detail,
      "also the virial coefficients and derivatives, the acoustic factor and the zero-pressure "
      "transport (always in csv and json, and in a gas-thermometry state: 3 K to 24.5561 K in the "
      "gas)");
  add_format_options(state, a, false);

  auto* table =
      app.add_subcommand("table", "One property of either family over ranges or lists of an input pair");
  table
      ->add_option(
          "PROPERTY", a.property,
          "a correlation's (" + property_names() + ") or the reference equation's (" + eos_property_names() +
              "), by name, alias or exported name; a name both have follows the rule of `vorn state` (the "
              "correlation's value where no flag spoils it, else the equation's; a from column says "
              "which), an exported name (vorn_cp) is that routine alone, --eos or a pair other than T P "
              "the equation's")
      ->required()
      ->type_name("NAME");
  const Inputs table_inputs = add_inputs(table, a, true);

  auto* eval = app.add_subcommand(
      "eval",
      "Properties of every state in a CSV log: a header naming an input pair (units in brackets); every "
      "column passed through");
  eval->add_option("INPUT", a.input, "CSV file, or - for standard input")->required()->type_name("FILE");
  eval->add_option("PROPERTY", a.properties, "properties to compute (all of the family when none is named)")
      ->type_name("NAME");
  for (auto* sub : {table, eval}) {
    sub->add_flag("--eos", a.eos,
                  "the reference equation's property where both families have it, at every point");
    add_format_options(sub, a, true);
  }

  auto* eos =
      app.add_subcommand("eos",
                         "Every property of the reference equation of state, transport included, at a "
                         "state given by an input pair: " +
                             pair_names());
  const Inputs eos_inputs = add_inputs(eos, a, false);
  add_format_options(eos, a, false);

  auto* saturation = app.add_subcommand(
      "saturation",
      "The saturated liquid and vapour (reference equation of state; below 2.1768 K the He II "
      "bath) over a range of T (1.25 K to 5.1953 K) or of P (0.1147 kPa to 228.3 kPa)");
  const Inputs saturation_inputs = add_inputs(saturation, a, true, {"T", "P"});
  add_format_options(saturation, a, true);

  auto* superfluid = app.add_subcommand(
      "superfluid", "The saturated liquid below and above the lambda line (He II included), 0 K to 5.15 K");
  const Inputs superfluid_inputs = add_inputs(superfluid, a, true, {"T", "P"});
  add_format_options(superfluid, a, true);
  auto* channel = superfluid->add_subcommand(
      "channel",
      "Heat through a channel of He II from a saturated bath by turbulent counterflow (dT/dx = -f q^m): "
      "the peak heat flux at each bath temperature, the warm end for each --q, or the q for each --T-warm");
  add_value(channel, a, "T-bath", "bath temperatures, K, 1.4 K to below 2.1768 K", true)->required();
  add_value(channel, a, "L", "channel length, m, or with a unit (1m, 50cm, 300mm), above 0", false)
      ->required();
  add_value(channel, a, "q", "heat fluxes, W/m^2, or with a unit (10kW/m2, 1W/cm2)", true);
  add_value(channel, a, "T-warm", "warm-end temperatures, K, from the bath's to 2.1768 K", true);
  add_value(channel, a, "m", "exponent of dT/dx = -f q^m, 2 to 4 (3 when not given; channel data favour 3.4)",
            false);
  add_format_options(channel, a, true);

  auto* line = app.add_subcommand(
      "line",
      "A line of the phase diagram: lambda (T at --P), melting (P at --T) or saturation (P at --T, He II "
      "included)");
  line->add_option("LINE", a.line, "lambda, melting or saturation")->required()->type_name("LINE");
  const Inputs line_inputs = add_inputs(line, a, true, {"T", "P"});
  add_format_options(line, a, true);

  auto* thermometer = app.add_subcommand("thermometer", "Temperature from a thermometer's readings");
  thermometer->require_subcommand(0, 1);
  auto* acoustic = thermometer->add_subcommand(
      "acoustic", "temp_K: T solving T/T0 = ratio Za(T0, P0)/Za(T, P) with the correlation's Za");
  add_value(acoustic, a, "ratio",
            "(w/w0)^2: the squared speed of sound at the temperature sought over that at T0, dimensionless, "
            "above 0",
            false)
      ->required();
  auto* gas = thermometer->add_subcommand(
      "gas", "Constant-volume gas thermometer: T solving T = T0 (P/P0) Z(T0, P0)/Z(T, P) with the true Z");
  for (auto* sub : {acoustic, gas}) {
    add_value(sub, a, "P", "pressure at the temperature sought, kPa or with a unit, above 0", false)
        ->required();
    add_value(sub, a, "T0", "reference temperature, K or with a unit, above 0", false)->required();
    add_value(sub, a, "P0", "pressure at the reference temperature, kPa or with a unit, above 0", false)
        ->required();
    add_format_options(sub, a, false);
  }
  auto* vapour = thermometer->add_subcommand(
      "vapour",
      "ITS-90 helium-4 vapour-pressure scale: T90 from the vapour pressure (--P) or P at T90 (--T)");
  const Inputs vapour_inputs = add_inputs(vapour, a, true, {"T", "P"});
  add_format_options(vapour, a, true);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ExtrasError&) {
    // CLI11 names them last first: name them in the order typed.
    std::string extras;
    for (const std::string& x : app.remaining(true)) extras += (extras.empty() ? "'" : " '") + x + "'";
    throw UsageError(fmt::format("{}: not expected; expected the options of --help (vorn SUBCOMMAND --help)",
                                 extras.empty() ? std::string("an argument") : extras));
  } catch (const CLI::Success& e) {  // --help, --version
    std::ostringstream out, err;
    const int status = app.exit(e, out, err);
    write_out(out.str());
    finish_out();
    return status;
  }
  if (state->parsed()) return run_state(a, state->remaining());
  if (table->parsed()) return run_table(a, table_inputs);
  if (eval->parsed()) return evaluate_file(a.input, a.properties, options_of(a));
  if (eos->parsed()) return run_eos(a, eos_inputs);
  if (saturation->parsed()) return run_saturation(a, saturation_inputs);
  if (channel->parsed()) return run_channel(a, channel);
  if (line->parsed()) {
    const Options options = options_of(a);
    const Line which = find_line(a.line);
    const std::string name = T_or_P(line_inputs, "line", "pressures");
    if ((which == Line::lambda) != (name == "P")) {
      throw UsageError(fmt::format("--{}: the {} line is given at {}; expected {}", name, a.line,
                                   which == Line::lambda ? "P" : "T", which == Line::lambda ? "--P" : "--T"));
    }
    const Values points = points_of(a, name, options.units);
    require_physical("--" + name, points, name == "T" ? Dimension::temperature : Dimension::pressure);
    return print_line(which, points, options);
  }
  if (superfluid->parsed()) {
    const Options options = options_of(a);
    const std::string name = T_or_P(superfluid_inputs, "superfluid", "vapour pressures");
    const Values points = points_of(a, name, options.units);
    return print_superfluid(name == "P" ? saturation_temperatures(points) : points, options);
  }
  if (vapour->parsed()) {
    const Options options = options_of(a);
    const std::string name = T_or_P(vapour_inputs, "thermometer vapour", "vapour pressures");
    return print_vapour_scale(name == "P", points_of(a, name, options.units), options);
  }
  if (thermometer->parsed()) {
    if (!acoustic->parsed() && !gas->parsed()) {
      throw UsageError("thermometer: missing KIND; expected 'acoustic', 'gas' or 'vapour'");
    }
    return run_thermometer(a, acoustic->parsed());
  }
  print_reference_states(options_of(a));
  return kExitDone;
}

}  // namespace

int main(int argc, char** argv) {
  hold_closed_standard_streams();
  int status = kExitDone;
  try {
    status = run(argc, argv);
  } catch (const CLI::ParseError& e) {
    write_err(fmt::format("error: {}", e.what()));
    return kExitBadInput;
  } catch (const UsageError& e) {
    write_err(fmt::format("error: {}", e.what()));
    return kExitBadInput;
  } catch (const WriteError& e) {
    write_err(fmt::format("error: cannot write to standard output: {}", e.what()));
    return kExitWriteFailed;
  } catch (const std::exception& e) {
    write_err(fmt::format("error: {}", e.what()));
    return 1;
  }
  return err_failed() ? kExitWriteFailed : status;
}
