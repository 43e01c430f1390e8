// vorn: helium-4 properties from the command line (the gas correlations and the reference equation of state).
//
//   vorn [--format F] [--units U]          every property at a few reference states
//   vorn state T P [--format F] [--units U]
//   vorn table PROPERTY --T RANGE [--P RANGE] [--format F] [--units U]
//   vorn eval INPUT [PROPERTY...] [--format F] [--units U]
//   vorn eos --X A --Y B [--format F] [--units U]   X, Y one of the pairs T P, T rho, P rho, P h, P s,
//                                                   T s, rho u, T q, P q
//   vorn saturation (--T RANGE | --P RANGE) [--format F] [--units U]
//   vorn thermometer acoustic --ratio R --P P --T0 T0 --P0 P0 [--format F]
//   vorn thermometer gas --P P --T0 T0 --P0 P0 [--format F]
//   vorn thermometer vapour (--P RANGE | --T RANGE) [--format F] [--units U]
//   vorn superfluid --T RANGE [--format F] [--units U]   the saturated liquid, He II included
//
// F is text, csv or json (--csv and --json say the same). Exit status: 0 done;
// 2 bad input (one line on stderr naming the argument); 3 a thermometer that
// did not meet its tolerance (its last iterate is printed); 4 stdout or stderr
// could not be written in full (a closed or full stream, a reader that has
// gone); 1 anything else (out of memory).
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

#include "batch.hpp"
#include "eos_report.hpp"
#include "input.hpp"
#include "output.hpp"
#include "properties.hpp"
#include "report.hpp"
#include "superfluid.hpp"
#include "vorn.h"

namespace {

using namespace vorn_cli;

struct Arguments {
  std::string T, P;
  std::string property;
  std::vector<std::string> properties;
  std::string input;
  std::string ratio, T0, P0;
  std::string rho, h, s, u, q;  // inputs of `vorn eos` beside T and P
  std::string format, units;
  bool json = false;
  bool csv = false;
};

void add_format_options(CLI::App* app, Arguments& a, bool with_units) {
  app->add_option("--format", a.format, "output: text (the default), csv or json")
      ->check(CLI::IsMember({"text", "csv", "json"}))
      ->type_name("FORMAT");
  app->add_flag("--csv", a.csv, "the same as --format csv");
  app->add_flag("--json", a.json, "the same as --format json");
  if (with_units) {
    app->add_option("--units", a.units,
                    "output units: kg (per kilogram) or mol (per mole), and kPa, Pa, bar or MPa; "
                    "such as mol,bar")
        ->type_name("UNITS");
  }
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
  if (!a.units.empty()) options.units = parse_output_units("--units", a.units);
  return options;
}

const Property& property_named(std::string_view argument, const std::string& name) {
  const Property* property = find_property(name);
  if (property == nullptr) {
    throw UsageError(fmt::format(
        "{}: unknown property '{}'; expected one of {} (or an alias such as mu, k, 'speed of sound', or an "
        "exported name such as vorn_cp)",
        argument, name, property_names()));
  }
  return *property;
}

int run_table(const Arguments& a, const CLI::Option* pressure_given) {
  const Property& property = property_named("PROPERTY", a.property);
  const Options options = options_of(a);
  const Values T = parse_values("--T", a.T, Dimension::temperature);
  Values P(std::vector<double>{});
  if (property.needs_pressure()) {
    if (pressure_given->count() == 0) {
      throw UsageError(fmt::format(
          "--P: missing; {} depends on pressure: expected --P with a range or list in kPa", property.name));
    }
    P = parse_values("--P", a.P, Dimension::pressure);
    if (T.size() > kMaxPoints / P.size()) {
      throw UsageError(fmt::format("--T, --P: {} x {} points; expected at most {} in one table", T.size(),
                                   P.size(), kMaxPoints));
    }
  } else if (pressure_given->count() != 0) {
    throw UsageError(fmt::format("--P: {} depends on T alone; expected no --P", property.name));
  }
  print_table(property, T, P, options);
  return kExitDone;
}

// A bare pressure this high (10 MPa) is more likely pascals typed without their unit.
constexpr double kLargeBarePressure = 1e4;

int run_state(const Arguments& a) {
  const Options options = options_of(a);
  const double T = parse_quantity("T", a.T, Dimension::temperature);
  const double P = parse_quantity("P", a.P, Dimension::pressure);
  if (!(T > 0.0)) {
    throw UsageError(fmt::format("T: '{}' is {} K; expected a temperature above 0 K", a.T, T));
  }
  if (P < 0.0) throw UsageError(fmt::format("P: '{}' is {} kPa; expected a pressure of 0 or more", a.P, P));
  if (P >= kLargeBarePressure && a.P.find_first_not_of("+-.0123456789eE") == std::string::npos) {
    write_err(
        fmt::format("warning: P: a bare number is in kPa: {} kPa = {} MPa; write its unit (such as {}Pa) if "
                    "pascals were meant",
                    a.P, P / 1000, a.P));
  }
  print_state(T, P, options);
  return kExitDone;
}

double positive(std::string_view argument, const std::string& text, Dimension dimension,
                std::string_view what) {
  const double x = parse_quantity(argument, text, dimension);
  if (!(x > 0.0))
    throw UsageError(fmt::format("{}: '{}' is not above 0; expected {} above 0", argument, text, what));
  return x;
}

int run_thermometer(const Arguments& a, bool acoustic) {
  const Format format = options_of(a).format;
  const double P = positive("--P", a.P, Dimension::pressure, "a pressure");
  const double T0 = positive("--T0", a.T0, Dimension::temperature, "a temperature");
  const double P0 = positive("--P0", a.P0, Dimension::pressure, "a pressure");
  ThermometerResult result{};
  int converged = 0;
  if (acoustic) {
    const double ratio = positive("--ratio", a.ratio, Dimension::none, "a ratio of squared sound speeds");
    result.T = vorn_temp_K_report_state(&ratio, &P, &T0, &P0, &result.iterations, &converged, &result.flags);
  } else {
    result.T = vorn_cvgt_temperature_state(&P, &T0, &P0, &result.iterations, &converged, &result.flags);
  }
  result.converged = converged != 0;
  print_thermometer(acoustic ? "acoustic" : "gas", result, format);
  return result.converged ? kExitDone : kExitNotConverged;
}

int run_eval(const Arguments& a) {
  const Options options = options_of(a);
  std::vector<const Property*> chosen;
  for (const std::string& name : a.properties) chosen.push_back(&property_named("PROPERTY", name));
  if (chosen.empty()) {
    for (const Property& p : properties()) chosen.push_back(&p);
  }
  evaluate_file(a.input, chosen, options);
  return kExitDone;
}

// The reference equation's results are per kilogram: --units may pick a pressure unit, and kg, not mol.
Options per_kilogram_options_of(const Arguments& a) {
  const Options options = options_of(a);
  if (options.units.basis == Basis::molar) {
    throw UsageError(
        "--units: 'mol': the reference equation's results are per kilogram; expected kg and/or kPa, Pa, bar "
        "or MPa");
  }
  return options;
}

// The two inputs of `vorn eos`, in the order given on the command line.
int run_eos(const Arguments& a,
            const std::vector<std::pair<const CLI::Option*, const std::string*>>& inputs) {
  const Options options = per_kilogram_options_of(a);
  std::vector<EosInput> given;
  for (const auto& [option, text] : inputs) {
    if (option->count() != 0) given.push_back({option->get_name(), *text});
  }
  if (given.size() != 2) {
    throw UsageError(
        fmt::format("eos: {} inputs given; expected two of --T, --P, --rho, --h, --s, --u, --q "
                    "forming a pair (such as --P 100 --h 1000)",
                    given.size()));
  }
  print_eos_state(given[0], given[1], options);
  return kExitDone;
}

int run_saturation(const Arguments& a, const CLI::Option* T_given, const CLI::Option* P_given) {
  const Options options = per_kilogram_options_of(a);
  if ((T_given->count() != 0) == (P_given->count() != 0)) {
    throw UsageError(
        "saturation: expected exactly one of --T (a range of temperatures) or --P (of pressures)");
  }
  const bool at_T = T_given->count() != 0;
  const Values points =
      at_T ? parse_values("--T", a.T, Dimension::temperature) : parse_values("--P", a.P, Dimension::pressure);
  // Below the lambda line the reference equation has no liquid: the He II line.
  bool below_lambda = at_T;
  for (std::size_t i = 0; below_lambda && i < points.size(); ++i)
    below_lambda = points[i] < kLambdaTemperature;
  if (below_lambda) {
    print_superfluid(points, options);
  } else {
    print_saturation(at_T, points, options);
  }
  return kExitDone;
}

int run(int argc, char** argv) {
  CLI::App app{
      "vorn: thermophysical properties of helium-4 (the gas correlations and the reference equation of "
      "state).\nWith no arguments: every property at a few "
      "reference states.\nExit status: 0 done, 2 bad input, 3 a thermometer missed its tolerance, 4 output "
      "could not be written.",
      "vorn"};
  app.set_version_flag("--version", std::string("vorn ") + vorn_version());
  app.require_subcommand(0, 1);
  Arguments a;
  add_format_options(&app, a, true);

  const std::string T_help = "temperature: K, or with a unit (300K, 4.2 K, -196.15C, 800mK)";
  const std::string P_help = "pressure: kPa, or with a unit (1bar, 1 MPa, 1e5Pa, 760torr)";
  auto* state =
      app.add_subcommand("state", "Every property at one state (T in K, P in kPa unless a unit is given)");
  state->add_option("T", a.T, T_help)->required()->type_name("NUMBER");
  state->add_option("P", a.P, P_help)->required()->type_name("NUMBER");
  add_format_options(state, a, true);

  auto* table = app.add_subcommand("table", "One property over ranges or lists of T and P");
  table
      ->add_option(
          "PROPERTY", a.property,
          "readable name (" + property_names() +
              "), alias (mu, k, 'speed of sound', ...) or exported name (vorn_cp, __vorn_MOD_b, ...); "
              "the viscosity is the dynamic viscosity under every name, nu included")
      ->required()
      ->type_name("NAME");
  table
      ->add_option("--T", a.T,
                   "temperatures, K: START:STOP:STEP, A,B,C or one value; a unit on each value or on STEP "
                   "(2:300:0.5K)")
      ->required()
      ->type_name("RANGE");
  const auto* pressure_given =
      table->add_option("--P", a.P, "pressures, kPa: START:STOP:STEP, A,B,C or one value; units as for --T")
          ->type_name("RANGE");
  add_format_options(table, a, true);

  auto* eval = app.add_subcommand(
      "eval",
      "Properties of every state in a CSV file: a header naming T and P (any order, units in brackets)");
  eval->add_option("INPUT", a.input, "CSV file, or - for standard input")->required()->type_name("FILE");
  eval->add_option("PROPERTY", a.properties, "properties to compute (all when none is named)")
      ->type_name("NAME");
  add_format_options(eval, a, true);

  auto* eos = app.add_subcommand(
      "eos",
      "Every property of the reference equation of state at a state given by two inputs: --T --P, --T --rho, "
      "--P --rho, --P --h, --P --s, --T --s, --rho --u, --T --q or --P --q");
  std::vector<std::pair<const CLI::Option*, const std::string*>> eos_inputs{
      {eos->add_option("--T", a.T, T_help)->type_name("NUMBER"), &a.T},
      {eos->add_option("--P", a.P, P_help)->type_name("NUMBER"), &a.P},
      {eos->add_option("--rho", a.rho, "density, kg/m^3")->type_name("NUMBER"), &a.rho},
      {eos->add_option("--h", a.h, "specific enthalpy, J/kg (0 for the liquid boiling at 101.325 kPa)")
           ->type_name("NUMBER"),
       &a.h},
      {eos->add_option("--s", a.s, "specific entropy, J/(kg K) (0 for the same liquid)")->type_name("NUMBER"),
       &a.s},
      {eos->add_option("--u", a.u, "specific internal energy, J/kg")->type_name("NUMBER"), &a.u},
      {eos->add_option("--q", a.q, "vapour quality, 0 (saturated liquid) to 1 (saturated vapour)")
           ->type_name("NUMBER"),
       &a.q}};
  add_format_options(eos, a, true);

  auto* saturation = app.add_subcommand(
      "saturation",
      "The saturated liquid and vapour (reference equation of state) over a range of T or of P");
  const auto* saturation_T =
      saturation
          ->add_option("--T", a.T, "temperatures, K, 2.1768 to 5.1953: START:STOP:STEP, A,B,C or one value")
          ->type_name("RANGE");
  const auto* saturation_P =
      saturation->add_option("--P", a.P, "pressures, kPa, 5.04 to 228.3: START:STOP:STEP, A,B,C or one value")
          ->type_name("RANGE");
  add_format_options(saturation, a, true);

  auto* superfluid = app.add_subcommand(
      "superfluid", "The saturated liquid below and above the lambda line (He II included), 0 K to 5.15 K");
  superfluid->add_option("--T", a.T, "temperatures, K: START:STOP:STEP, A,B,C or one value")
      ->required()
      ->type_name("RANGE");
  add_format_options(superfluid, a, true);

  auto* thermometer = app.add_subcommand("thermometer", "Temperature from a thermometer's readings");
  thermometer->require_subcommand(0, 1);
  auto* acoustic = thermometer->add_subcommand(
      "acoustic", "temp_K: T solving T/T0 = ratio Za(T0, P0)/Za(T, P) with the correlation's Za");
  acoustic
      ->add_option("--ratio", a.ratio,
                   "(w/w0)^2: the squared speed of sound at the temperature sought over that at T0, "
                   "dimensionless, above 0")
      ->required()
      ->type_name("NUMBER");
  auto* gas = thermometer->add_subcommand(
      "gas", "Constant-volume gas thermometer: T solving T = T0 (P/P0) Z(T0, P0)/Z(T, P) with the true Z");
  for (auto* sub : {acoustic, gas}) {
    sub->add_option("--P", a.P, "pressure at the temperature sought, kPa or with a unit, above 0")
        ->required()
        ->type_name("NUMBER");
    sub->add_option("--T0", a.T0, "reference temperature, K or with a unit, above 0")
        ->required()
        ->type_name("NUMBER");
    sub->add_option("--P0", a.P0, "pressure at the reference temperature, kPa or with a unit, above 0")
        ->required()
        ->type_name("NUMBER");
    add_format_options(sub, a, false);
  }

  auto* vapour = thermometer->add_subcommand(
      "vapour",
      "ITS-90 helium-4 vapour-pressure scale: T90 from the vapour pressure (--P) or P at T90 (--T)");
  const auto* vapour_P =
      vapour
          ->add_option("--P", a.P,
                       "vapour pressures, kPa or with a unit: START:STOP:STEP, A,B,C or one value")
          ->type_name("RANGE");
  const auto* vapour_T =
      vapour->add_option("--T", a.T, "temperatures T90, K: START:STOP:STEP, A,B,C or one value")
          ->type_name("RANGE");
  add_format_options(vapour, a, true);

  std::vector<std::string> storage;
  std::vector<char*> marked;
  mark_negative_numbers(argc, argv, storage, marked);
  try {
    app.parse(argc, marked.data());
  } catch (const CLI::Success& e) {  // --help, --version
    std::ostringstream out, err;
    const int status = app.exit(e, out, err);
    write_out(out.str());
    finish_out();
    return status;
  }
  for (std::string* text :
       {&a.T, &a.P, &a.property, &a.input, &a.ratio, &a.T0, &a.P0, &a.rho, &a.h, &a.s, &a.u, &a.q})
    unmark(*text);
  for (std::string& text : a.properties) unmark(text);
  if (state->parsed()) return run_state(a);
  if (table->parsed()) return run_table(a, pressure_given);
  if (eval->parsed()) return run_eval(a);
  if (eos->parsed()) return run_eos(a, eos_inputs);
  if (saturation->parsed()) return run_saturation(a, saturation_T, saturation_P);
  if (superfluid->parsed()) {
    print_superfluid(parse_values("--T", a.T, Dimension::temperature), per_kilogram_options_of(a));
    return kExitDone;
  }
  if (vapour->parsed()) {
    if ((vapour_P->count() != 0) == (vapour_T->count() != 0)) {
      throw UsageError(
          "thermometer vapour: expected exactly one of --P (vapour pressures) or --T (temperatures)");
    }
    const bool from_P = vapour_P->count() != 0;
    print_vapour_scale(from_P,
                       from_P ? parse_values("--P", a.P, Dimension::pressure)
                              : parse_values("--T", a.T, Dimension::temperature),
                       per_kilogram_options_of(a));
    return kExitDone;
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
