// The lambda, melting and saturation lines as tables (lines.hpp).
#include "lines.hpp"

#include <fmt/format.h>

#include <cmath>
#include <string>

#include "superfluid.hpp"
#include "vorn.h"

namespace vorn_cli {

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
  if (saturation) columns.emplace_back("from", "", true, "", 13);
  const char* title = line == Line::lambda    ? "helium-4, the lambda line: He I above T, He II below"
                      : line == Line::melting ? "helium-4, the melting line: solid above P"
                                              : "helium-4, the saturation line (He II below 2.1768 K)";
  Table table(options, title, columns, false);
  for (std::size_t i = 0; i < points.size(); ++i) {
    double T = points[i];
    double P = points[i];
    std::string from = "equation";
    if (line == Line::lambda) {
      T = vorn_eos_lambda_temperature(&P);
    } else if (line == Line::melting) {
      P = vorn_eos_melting_pressure(&T);
    } else if (T < kLambdaTemperature) {
      unsigned flags = 0;
      P = vorn_svp_P(&T, &flags);
      from = "He II fit";
    } else {
      vorn_eos_saturation sat{};
      sat.size = sizeof sat;
      if (vorn_eos_saturation_T(&T, &sat) != 0)
        throw std::runtime_error("the library refused the size of vorn_eos_saturation");
      P = sat.P;
    }
    std::vector<Cell> row{T, P / units.kpa_per_pressure_unit};
    if (saturation) row.emplace_back(from);
    table.row(row);
    table.count(!std::isnan(line == Line::lambda ? T : P));
  }
  return table.finish();
}

}  // namespace vorn_cli
