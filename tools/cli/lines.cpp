// The lambda, melting and saturation lines as tables (lines.hpp).
#include "lines.hpp"

#include <fmt/format.h>

#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "output.hpp"
#include "superfluid.hpp"
#include "vorn.h"

namespace vorn_cli {
namespace {

// The ends of the lambda line, kPa, for the message that names its range: the lambda point on the
// saturation line (the equation's 5.039330380576782 kPa, rounded up to the first pressure the line
// answers at this many digits) and the upper lambda point on the melting line (1.7673 K, 30.134 bar).
constexpr double kLambdaLineLowest = 5.0393304;
constexpr double kLambdaLineHighest = 3013.4;

// The saturation entries' vapour pressure at T (kPa): the reference equation's above the lambda
// point, the He II bath's from 1.25 K up to it; NaN where they do not answer.
double bath_pressure(double T) {
  vorn_eos_saturation sat{};
  sat.size = sizeof sat;
  if (vorn_eos_saturation_T(&T, &sat) != 0)
    throw std::runtime_error("the library refused the size of vorn_eos_saturation");
  return sat.P;
}

// He II's vapour pressure below the bath (0.5 K to 1.25 K): the saturated fit's, scaled by its ratio
// to the bath's at 1.25 K, as the model of He II under pressure continues the line there; so a
// pressure above this one at T is He II in every entry of the library, below it vapour.
double he_ii_pressure_below_bath(double T) {
  const double junction = kLowestBathTemperature;
  const double ratio = bath_pressure(junction) / vorn_svp_P(&junction, nullptr);
  return ratio * vorn_svp_P(&T, nullptr);
}

}  // namespace

Line find_line(std::string_view name) {
  if (name == "lambda") return Line::lambda;
  if (name == "melting") return Line::melting;
  if (name == "saturation") return Line::saturation;
  throw UsageError(fmt::format("LINE: '{}' is no line; expected lambda, melting or saturation", name));
}

int print_line(Line line, const Values& points, const Options& options) {
  const OutputUnits& units = options.units;
  const std::string P_unit(units.pressure);
  const bool saturation = line == Line::saturation;
  std::vector<Column> columns{{"T", "K"}, {"P", P_unit}};
  if (saturation) columns.emplace_back("from", "", true, "", 16);
  const char* title = line == Line::lambda    ? "helium-4, the lambda line: He I above T, He II below"
                      : line == Line::melting ? "helium-4, the melting line: solid above P"
                                              : "helium-4, the saturation line (He II below 2.1768 K)";
  Table table(options, title, columns, false);
  std::size_t off_line = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    double T = points[i];
    double P = points[i];
    std::string from = "equation";
    if (line == Line::lambda) {
      T = vorn_eos_lambda_temperature(&P);
      off_line += std::isnan(T) ? 1 : 0;
    } else if (line == Line::melting) {
      P = vorn_eos_melting_pressure(&T);
    } else if (T >= kLowestBathTemperature) {
      P = bath_pressure(T);
      if (T < kLambdaTemperature) from = "He II bath";
    } else {
      P = he_ii_pressure_below_bath(T);
      from = "scaled He II fit";
    }
    std::vector<Cell> row{T, P / units.kpa_per_pressure_unit};
    if (saturation) row.emplace_back(from);
    table.row(row);
    table.count(!std::isnan(line == Line::lambda ? T : P));
  }
  if (off_line > 0)
    write_err(fmt::format(
        "warning: lambda line: --P outside {:.8g} {} (the lambda point) to {:.8g} {} (its upper end "
        "on the melting line) at {} of {} points: NaN",
        kLambdaLineLowest / units.kpa_per_pressure_unit, units.pressure,
        kLambdaLineHighest / units.kpa_per_pressure_unit, units.pressure, off_line, points.size()));
  return table.finish();
}

}  // namespace vorn_cli
