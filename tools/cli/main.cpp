// vorn: helium-4 gas properties from the command line.
//
//   vorn                          every property at a few reference states
//   vorn state T P [--json]       every property at one state
//   vorn table PROPERTY --T RANGE [--P RANGE] [--csv]
//   vorn thermometer acoustic --ratio R --P P --T0 T0 --P0 P0 [--json]
//   vorn thermometer gas --P P --T0 T0 --P0 P0 [--json]
//
// Exit status: 0 done; 2 bad input (one line on stderr naming the argument);
// 3 a thermometer that did not meet its tolerance (its last iterate is printed).
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "input.hpp"
#include "properties.hpp"
#include "report.hpp"
#include "vorn.h"

namespace {

constexpr int kBadInput = 2;
constexpr int kNotConverged = 3;

struct Arguments {
  std::string T, P;
  std::string property;
  std::string ratio, T0, P0;
  bool json = false;
  bool csv = false;
};

int run_table(const Arguments& a, const CLI::Option* pressure_given) {
  using namespace vorn_cli;
  const Property* property = find_property(a.property);
  if (property == nullptr) {
    throw UsageError(fmt::format(
        "PROPERTY: unknown property '{}'; expected one of {} (or an exported name such as vorn_cp)",
        a.property, property_names()));
  }
  const auto T = parse_values("--T", a.T);
  std::vector<double> P;
  if (property->needs_pressure()) {
    if (pressure_given->count() == 0) {
      throw UsageError(fmt::format(
          "--P: missing; {} depends on pressure: expected --P with a range or list in kPa", property->name));
    }
    P = parse_values("--P", a.P);
    if (T.size() > kMaxPoints / P.size()) {
      throw UsageError(fmt::format("--T, --P: {} x {} points; expected at most {} in one table", T.size(),
                                   P.size(), kMaxPoints));
    }
  } else if (pressure_given->count() != 0) {
    throw UsageError(fmt::format("--P: {} depends on T alone; expected no --P", property->name));
  }
  print_table(*property, T, P, a.csv);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vorn_cli;
  CLI::App app{
      "vorn: thermophysical properties of helium-4 gas.\nWith no arguments: every property at a few "
      "reference states.",
      "vorn"};
  app.set_version_flag("--version", std::string("vorn ") + VORN_TOOL_VERSION);
  app.require_subcommand(0, 1);
  Arguments a;

  auto* state = app.add_subcommand("state", "Every property at one state (T in K, P in kPa)");
  state->add_option("T", a.T, "temperature, K")->required()->type_name("NUMBER");
  state->add_option("P", a.P, "pressure, kPa")->required()->type_name("NUMBER");
  state->add_flag("--json", a.json, "JSON instead of a readable table");

  auto* table = app.add_subcommand("table", "One property over ranges or lists of T and P");
  table
      ->add_option("PROPERTY", a.property,
                   "readable name (" + property_names() + ") or exported name (vorn_cp, __vorn_MOD_b, ...)")
      ->required()
      ->type_name("NAME");
  table->add_option("--T", a.T, "temperatures, K: START:STOP:STEP, A,B,C or one value")
      ->required()
      ->type_name("RANGE");
  const auto* pressure_given =
      table->add_option("--P", a.P, "pressures, kPa: START:STOP:STEP, A,B,C or one value")
          ->type_name("RANGE");
  table->add_flag("--csv", a.csv, "CSV instead of a readable table");

  auto* thermometer = app.add_subcommand("thermometer", "Temperature from a thermometer's readings");
  thermometer->require_subcommand(0, 1);
  auto* acoustic = thermometer->add_subcommand(
      "acoustic", "temp_K: T solving T/T0 = ratio Za(T0, P0)/Za(T, P) with the correlation's Za");
  acoustic->add_option("--ratio", a.ratio, "ratio of the readings, dimensionless")
      ->required()
      ->type_name("NUMBER");
  auto* gas = thermometer->add_subcommand(
      "gas", "Constant-volume gas thermometer: T solving T = T0 (P/P0) Z(T0, P0)/Z(T, P) with the true Z");
  for (auto* sub : {acoustic, gas}) {
    sub->add_option("--P", a.P, "pressure at the temperature sought, kPa")->required()->type_name("NUMBER");
    sub->add_option("--T0", a.T0, "reference temperature, K")->required()->type_name("NUMBER");
    sub->add_option("--P0", a.P0, "pressure at the reference temperature, kPa")
        ->required()
        ->type_name("NUMBER");
    sub->add_flag("--json", a.json, "JSON instead of a line of text");
  }

  try {
    app.parse(argc, argv);
    if (state->parsed()) {
      print_state(parse_number("T", a.T), parse_number("P", a.P), a.json);
      return 0;
    }
    if (table->parsed()) return run_table(a, pressure_given);
    if (thermometer->parsed()) {
      if (!acoustic->parsed() && !gas->parsed()) {
        throw UsageError("thermometer: missing KIND; expected 'acoustic' or 'gas'");
      }
      const double P = parse_number("--P", a.P);
      const double T0 = parse_number("--T0", a.T0);
      const double P0 = parse_number("--P0", a.P0);
      ThermometerResult result{};
      int converged = 0;
      if (acoustic->parsed()) {
        const double ratio = parse_number("--ratio", a.ratio);
        result.T = vorn_temp_K_report(&ratio, &P, &T0, &P0, &result.iterations, &converged);
      } else {
        result.T = vorn_cvgt_temperature(&P, &T0, &P0, &result.iterations, &converged);
      }
      result.converged = converged != 0;
      print_thermometer(acoustic->parsed() ? "acoustic" : "gas", result, a.json);
      return result.converged ? 0 : kNotConverged;
    }
    print_reference_states();
    return 0;
  } catch (const CLI::Success& e) {
    return app.exit(e);  // --help, --version
  } catch (const CLI::ParseError& e) {
    fmt::print(stderr, "vorn: error: {}\n", e.what());
    return kBadInput;
  } catch (const UsageError& e) {
    fmt::print(stderr, "vorn: error: {}\n", e.what());
    return kBadInput;
  }
}
