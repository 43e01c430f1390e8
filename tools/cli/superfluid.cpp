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
constexpr std::array<Fit, 15> kFits{{
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
    {"f^-1", "W^3 m^-5 K^-1", vorn_svp_heat_conductivity_function},
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

int print_channel(const Values& T_bath, const Channel& channel, ChannelQuestion question, const Values& asked,
                  const Options& options) {
  Table table(
      options,
      "He II channel from a saturated bath, turbulent counterflow: q^m L = integral of f^-1 dT from the "
      "bath to the warm end; the peak heat flux puts the warm end at the lambda point",
      {{"T_bath", "K"}, {"q", "W/m^2"}, {"T_warm", "K"}, {"q_peak", "W/m^2"}});
  table.note("L", channel.L, "m");
  table.note("m", channel.m, "");
  const std::size_t per_bath = question == ChannelQuestion::peak_flux ? 1 : asked.size();
  for (std::size_t i = 0; i < T_bath.size(); ++i) {
    const double Tb = T_bath[i];
    unsigned peak_flags = 0;
    const double peak = vorn_svp_channel_peak_flux(&Tb, &channel.L, &channel.m, &peak_flags);
    for (std::size_t j = 0; j < per_bath; ++j) {
      unsigned f = peak_flags;
      double q = peak, T_warm = kLambdaTemperature, answer = peak;
      if (question == ChannelQuestion::warm_end) {
        q = asked[j];
        answer = T_warm = vorn_svp_channel_warm_end(&Tb, &channel.L, &q, &channel.m, &f);
      } else if (question == ChannelQuestion::heat_flux) {
        T_warm = asked[j];
        answer = q = vorn_svp_channel_heat_flux(&Tb, &T_warm, &channel.L, &channel.m, &f);
      } else if (std::isnan(peak)) {
        T_warm = peak;
      }
      table.row({Tb, q, T_warm, peak}, liquid_flags(), f | peak_flags, !std::isnan(answer));
    }
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
