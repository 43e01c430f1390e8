// The saturated liquid and the vapour scale as tables (superfluid.hpp).
#include "superfluid.hpp"

#include <fmt/format.h>

#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "flags.hpp"
#include "output.hpp"
#include "table.hpp"
#include "vorn.h"

namespace vorn_cli {
namespace {

struct Fit {
  std::string_view key;
  std::string_view unit;
  double (*routine)(const double*, unsigned*);
};

// The order of the library's header; the pressure's unit is --units'.
constexpr std::array<Fit, 14> kFits{{
    {"rho", "kg/m^3", vorn_svp_rho},
    {"alpha", "1/K", vorn_svp_alpha},
    {"rho_s", "kg/m^3", vorn_svp_rho_s},
    {"rho_n", "kg/m^3", vorn_svp_rho_normal},
    {"rho_s/rho", "1", vorn_svp_fraction_s},
    {"u1", "m/s", vorn_svp_u1},
    {"u2", "m/s", vorn_svp_u2},
    {"c_sat", "J/(kg K)", vorn_svp_c},
    {"s_sat", "J/(kg K)", vorn_svp_s},
    {"latent_heat", "J/kg", vorn_svp_L},
    {"eta_n", "Pa s", vorn_svp_eta_n},
    {"B", "1", vorn_svp_B},
    {"B'", "1", vorn_svp_B_prime},
    {"P", "", vorn_svp_P},
}};

}  // namespace

int print_superfluid(const Values& T, const Options& options) {
  const OutputUnits& units = options.units;
  std::vector<Column> columns{{"T", "K"}};
  for (const Fit& c : kFits) {
    columns.push_back({std::string(c.key), std::string(c.key == "P" ? units.pressure : c.unit)});
  }
  Table table(
      options,
      fmt::format("helium-4, the saturated liquid (He II below {} K): the fits at saturation; NaN outside a "
                  "fit's range",
                  kLambdaTemperature),
      columns);
  for (std::size_t i = 0; i < T.size(); ++i) {
    const double t = T[i];
    std::vector<Cell> row{t};
    unsigned row_flags = 0;
    for (const Fit& c : kFits) {
      unsigned f = 0;
      const double v = c.routine(&t, &f);
      row.emplace_back(c.key == "P" ? v / units.kpa_per_pressure_unit : v);
      row_flags |= f;
    }
    table.row(row, liquid_flags().names(row_flags));
    // Some column out of its fit's range is the rule (no fit covers 0 K to 5.15 K): not warned about.
    table.count(liquid_flags(), row_flags & ~static_cast<unsigned>(VORN_SVP_FLAG_OUT_OF_RANGE));
    table.count(!std::isnan(std::get<double>(row[1])));
  }
  return table.finish();
}

Values saturation_temperatures(const Values& P) {
  std::vector<double> T(P.size());
  for (std::size_t i = 0; i < P.size(); ++i) {
    vorn_eos_saturation s{};
    s.size = sizeof s;
    const double p = P[i];
    T[i] = vorn_eos_saturation_P(&p, &s) == 0 && !std::isnan(s.T) ? s.T : vorn_its90_T(&p, nullptr, nullptr);
  }
  return Values(std::move(T));
}

int print_vapour_scale(bool from_pressure, const Values& points, const Options& options) {
  const OutputUnits& units = options.units;
  Table table(options, "ITS-90 helium-4 vapour-pressure scale (1.25 K to 5.0 K)",
              {{"T90", "K"},
               {"P", std::string(units.pressure)},
               {"dTdP", fmt::format("K/{}", units.pressure), false, "dT/dP"}});
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double x = points[i];
    unsigned f = 0;
    double slope = 0.0, T = x, P = x;
    if (from_pressure) {
      T = vorn_its90_T(&x, &slope, &f);
    } else {
      P = vorn_its90_P(&x, &slope, &f);
    }
    table.row({T, P / units.kpa_per_pressure_unit, slope * units.kpa_per_pressure_unit}, liquid_flags(), f,
              !std::isnan(from_pressure ? T : P));
  }
  return table.finish();
}

}  // namespace vorn_cli
