// The saturated liquid and the vapour scale as tables (superfluid.hpp).
#include "superfluid.hpp"

#include <fmt/format.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "output.hpp"
#include "vorn.h"

namespace vorn_cli {
namespace {

struct Column {
  std::string_view key;
  std::string_view unit;
  double (*routine)(const double*, unsigned*);
};

// The order of the library's header; the pressure's unit is --units'.
constexpr std::array<Column, 14> kColumns{{
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

struct FlagName {
  unsigned bit;
  const char* name;
  const char* meaning;
};
constexpr std::array<FlagName, 4> kFlags{{
    {VORN_SVP_FLAG_BAD_INPUT, "bad-input", "a temperature or pressure that is negative, zero or not finite"},
    {VORN_SVP_FLAG_OUT_OF_RANGE, "out-of-range", "outside the range of a fit: NaN"},
    {VORN_SVP_FLAG_OUTSIDE_SCALE, "outside-scale",
     "below 1.25 K: the vapour-pressure fit of the data, not ITS-90"},
    {VORN_SVP_FLAG_AT_LAMBDA, "at-lambda", "at the lambda point, where a property has no value: NaN"},
}};

std::string flag_names(unsigned flags, std::string_view none) {
  std::string names;
  for (const FlagName& f : kFlags) {
    if ((flags & f.bit) != 0) names += (names.empty() ? "" : "+") + std::string(f.name);
  }
  return names.empty() ? std::string(none) : names;
}

std::string json_flags(unsigned flags) {
  std::string list = "[";
  for (const FlagName& f : kFlags) {
    if ((flags & f.bit) != 0) list += (list.size() > 1 ? ", " : "") + json_string(f.name);
  }
  return list + "]";
}

void warn(unsigned seen) {
  for (const FlagName& f : kFlags) {
    if ((seen & f.bit) != 0) write_err(fmt::format("warning: saturated liquid: {}: {}", f.name, f.meaning));
  }
}

void write(fmt::memory_buffer& text) {
  write_out(std::string_view(text.data(), text.size()));
  text.clear();
}

}  // namespace

void print_superfluid(const Values& T, const Options& options) {
  const OutputUnits& units = options.units;
  std::vector<std::string> headings{"T [K]"};
  for (const Column& c : kColumns) {
    headings.push_back(fmt::format("{} [{}]", c.key, c.key == "P" ? units.pressure : c.unit));
  }
  fmt::memory_buffer text;
  auto out = std::back_inserter(text);
  switch (options.format) {
    case Format::csv:
      for (const std::string& h : headings) fmt::format_to(out, "{},", csv_field(h));
      fmt::format_to(out, "flags\n");
      break;
    case Format::json:
      fmt::format_to(out,
                     "{{\n  \"saturated_liquid\": \"helium-4 at its saturated vapour pressure, He II "
                     "included (Donnelly and Barenghi 1998)\",\n  \"units\": {{\"T\": \"K\"");
      for (const Column& c : kColumns) {
        fmt::format_to(out, ", {}: {}", json_string(c.key),
                       json_string(c.key == "P" ? units.pressure : c.unit));
      }
      fmt::format_to(out, "}},\n  \"rows\": [");
      break;
    case Format::text:
      fmt::format_to(out,
                     "# helium-4, the saturated liquid (He II below {} K): the fits at saturation; "
                     "NaN outside a fit's range\n",
                     kLambdaTemperature);
      for (const std::string& h : headings) fmt::format_to(out, "{:>20}", h);
      fmt::format_to(out, "  flags\n");
      break;
  }
  unsigned seen = 0;
  for (std::size_t i = 0; i < T.size(); ++i) {
    const double t = T[i];
    std::array<double, kColumns.size() + 1> row{};
    row[0] = t;
    unsigned row_flags = 0;
    for (std::size_t k = 0; k < kColumns.size(); ++k) {
      unsigned f = 0;
      double v = kColumns[k].routine(&t, &f);
      if (kColumns[k].key == "P") v /= units.kpa_per_pressure_unit;
      row[k + 1] = v;
      row_flags |= f;
    }
    seen |= row_flags;
    switch (options.format) {
      case Format::csv:
        for (const double v : row) fmt::format_to(out, "{},", csv_number(v));
        fmt::format_to(out, "{}\n", flag_names(row_flags, ""));
        break;
      case Format::json:
        fmt::format_to(out, "{}\n    {{\"T\": {}", i == 0 ? "" : ",", json_number(t));
        for (std::size_t k = 0; k < kColumns.size(); ++k) {
          fmt::format_to(out, ", {}: {}", json_string(kColumns[k].key), json_number(row[k + 1]));
        }
        fmt::format_to(out, ", \"flags\": {}}}", json_flags(row_flags));
        break;
      case Format::text:
        for (const double v : row) fmt::format_to(out, "{:>20}", readable(v));
        fmt::format_to(out, "  {}\n", flag_names(row_flags, "-"));
        break;
    }
    if (text.size() > 1 << 16) write(text);
  }
  if (options.format == Format::json) fmt::format_to(out, "\n  ]\n}}\n");
  write(text);
  finish_out();
  // Flags of some column are the rule (no fit covers 0 K to 5.15 K): name them once.
  warn(seen & ~static_cast<unsigned>(VORN_SVP_FLAG_OUT_OF_RANGE));
}

void print_vapour_scale(bool from_pressure, const Values& points, const Options& options) {
  const OutputUnits& units = options.units;
  const std::string P_heading = fmt::format("P [{}]", units.pressure);
  const std::string slope_heading = fmt::format("dT/dP [K/{}]", units.pressure);
  fmt::memory_buffer text;
  auto out = std::back_inserter(text);
  switch (options.format) {
    case Format::csv:
      fmt::format_to(out, "T90 [K],{},{},flags\n", csv_field(P_heading), csv_field(slope_heading));
      break;
    case Format::json:
      fmt::format_to(
          out,
          "{{\n  \"scale\": \"ITS-90 helium-4 vapour-pressure scale\",\n  \"units\": {{\"T90\": \"K\", "
          "\"P\": {}, \"dTdP\": {}}},\n  \"rows\": [",
          json_string(units.pressure), json_string(fmt::format("K/{}", units.pressure)));
      break;
    case Format::text:
      fmt::format_to(out,
                     "# ITS-90 helium-4 vapour-pressure scale (1.25 K to 5.0 K)\n{:>20}{:>20}{:>20}  flags\n",
                     "T90 [K]", P_heading, slope_heading);
      break;
  }
  unsigned seen = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double x = points[i];
    unsigned f = 0;
    double slope = 0.0;
    double T = x;
    double P = x;
    if (from_pressure) {
      T = vorn_its90_T(&x, &slope, &f);
    } else {
      P = vorn_its90_P(&x, &slope, &f);
    }
    seen |= f;
    const double P_out = P / units.kpa_per_pressure_unit;
    const double slope_out = slope * units.kpa_per_pressure_unit;
    switch (options.format) {
      case Format::csv:
        fmt::format_to(out, "{},{},{},{}\n", csv_number(T), csv_number(P_out), csv_number(slope_out),
                       flag_names(f, ""));
        break;
      case Format::json:
        fmt::format_to(out, "{}\n    {{\"T90\": {}, \"P\": {}, \"dTdP\": {}, \"flags\": {}}}",
                       i == 0 ? "" : ",", json_number(T), json_number(P_out), json_number(slope_out),
                       json_flags(f));
        break;
      case Format::text:
        fmt::format_to(out, "{:>20}{:>20}{:>20}  {}\n", readable(T), readable(P_out), readable(slope_out),
                       flag_names(f, "-"));
        break;
    }
  }
  if (options.format == Format::json) fmt::format_to(out, "\n  ]\n}}\n");
  write(text);
  finish_out();
  warn(seen);
}

}  // namespace vorn_cli
