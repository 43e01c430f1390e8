#include "report.hpp"

#include <fmt/format.h>

#include <array>
#include <nlohmann/json.hpp>
#include <string>

#include "vorn.h"

namespace vorn_cli {
namespace {

void write(std::FILE* stream, const fmt::memory_buffer& buffer) {
  std::fwrite(buffer.data(), 1, buffer.size(), stream);
}

std::string flag_names(unsigned flags) {
  std::string names;
  for (const StateFlag& flag : state_flags()) {
    if ((flags & flag.bit) == 0) continue;
    if (!names.empty()) names += '+';
    names += vorn_state_name(flag.bit);
  }
  return names.empty() ? "-" : names;
}

// Readable number: ten significant digits, the exponent only where needed.
std::string readable(double x) { return fmt::format("{:.10g}", x); }

}  // namespace

void warn_state_flags(unsigned flags) {
  for (const StateFlag& flag : state_flags()) {
    if ((flags & flag.bit) != 0) {
      fmt::print(stderr, "vorn: warning: {}: {}\n", vorn_state_name(flag.bit), flag.meaning);
    }
  }
}

void print_state(double T, double P, bool json) {
  const unsigned flags = vorn_state(&T, &P);
  if (json) {
    nlohmann::ordered_json out;
    out["T"] = T;
    out["P"] = P;
    out["units"] = {{"T", "K"}, {"P", "kPa"}};
    auto& names = out["flags"] = nlohmann::json::array();
    for (const StateFlag& flag : state_flags()) {
      if ((flags & flag.bit) != 0) names.push_back(vorn_state_name(flag.bit));
    }
    auto& values = out["properties"] = nlohmann::ordered_json::object();
    for (const Property& p : properties()) {
      values[std::string(p.name)] = {
          {"value", p(T, P)}, {"unit", p.unit}, {"exported", p.exported}, {"description", p.description}};
    }
    fmt::print("{}\n", out.dump(2));
  } else {
    fmt::memory_buffer text;
    fmt::format_to(std::back_inserter(text), "helium-4 at T = {} K, P = {} kPa; state flags: {}\n\n",
                   readable(T), readable(P), flag_names(flags));
    fmt::format_to(std::back_inserter(text), "{:<16}{:>18}  {:<18}{}\n", "property", "value", "unit",
                   "routine");
    for (const Property& p : properties()) {
      fmt::format_to(std::back_inserter(text), "{:<16}{:>18}  {:<18}{:<16}{}\n", p.name, readable(p(T, P)),
                     p.unit, p.exported, p.description);
    }
    write(stdout, text);
  }
  std::fflush(stdout);
  warn_state_flags(flags);
}

void print_table(const Property& property, const std::vector<double>& T, const std::vector<double>& P,
                 bool csv) {
  // Routines of T alone get one row per temperature and no pressure column.
  const std::vector<double> no_pressure{0.0};
  const std::vector<double>& pressures = property.needs_pressure() ? P : no_pressure;
  const std::string value_heading = fmt::format("{} [{}]", property.name, property.unit);

  fmt::memory_buffer text;
  auto out = std::back_inserter(text);
  if (csv) {
    fmt::format_to(out, property.needs_pressure() ? "T [K],P [kPa],{}\n" : "T [K],{}\n", value_heading);
  } else {
    fmt::format_to(out, "# {}: {} ({})\n", property.name, property.description, property.exported);
    if (property.needs_pressure()) {
      fmt::format_to(out, "{:>18}{:>18} {:>24}\n", "T [K]", "P [kPa]", value_heading);
    } else {
      fmt::format_to(out, "{:>18} {:>24}\n", "T [K]", value_heading);
    }
  }

  std::array<std::size_t, 32> flag_count{};
  std::size_t points = 0;
  for (const double p : pressures) {
    for (const double t : T) {
      const double value = property(t, p);
      if (csv) {
        if (property.needs_pressure()) {
          fmt::format_to(out, "{},{},{}\n", t, p, value);
        } else {
          fmt::format_to(out, "{},{}\n", t, value);
        }
      } else if (property.needs_pressure()) {
        fmt::format_to(out, "{:>18}{:>18} {:>24}\n", readable(t), readable(p), readable(value));
      } else {
        fmt::format_to(out, "{:>18} {:>24}\n", readable(t), readable(value));
      }
      const unsigned flags = vorn_state(&t, &p) & property.flags;
      for (unsigned bit = 0; flags >> bit != 0; ++bit) flag_count[bit] += (flags >> bit) & 1u;
      ++points;
      if (text.size() > (1u << 16)) {
        write(stdout, text);
        text.clear();
      }
    }
  }
  write(stdout, text);
  std::fflush(stdout);

  for (const StateFlag& flag : state_flags()) {
    unsigned bit = 0;
    while ((1u << bit) != flag.bit) ++bit;
    if (flag_count[bit] != 0) {
      fmt::print(stderr, "vorn: warning: {} at {} of {} points: {}\n", vorn_state_name(flag.bit),
                 flag_count[bit], points, flag.meaning);
    }
  }
}

void print_thermometer(const char* method, const ThermometerResult& result, bool json) {
  if (json) {
    nlohmann::ordered_json out;
    out["thermometer"] = method;
    out["T"] = result.T;
    out["unit"] = "K";
    out["iterations"] = result.iterations;
    out["converged"] = result.converged;
    fmt::print("{}\n", out.dump(2));
  } else {
    fmt::print("T = {:.12g} K after {} iteration{} ({})\n", result.T, result.iterations,
               result.iterations == 1 ? "" : "s", result.converged ? "converged" : "NOT converged");
  }
  std::fflush(stdout);
  if (!result.converged) {
    fmt::print(stderr,
               "vorn: warning: the {} thermometer did not meet its tolerance in {} iterations; "
               "T is the last iterate\n",
               method, result.iterations);
  }
}

void print_reference_states() {
  struct State {
    double T, P;
  };
  static constexpr std::array<State, 5> states{
      {{4.2, 100.0}, {20.0, 1000.0}, {77.0, 100.0}, {273.16, 100.0}, {300.0, 101.325}}};
  fmt::memory_buffer text;
  auto out = std::back_inserter(text);
  fmt::format_to(out, "vorn {}: helium-4 gas properties at reference states\n\n", VORN_TOOL_VERSION);
  unsigned seen = 0;
  fmt::format_to(out, "{:<16}{:<18}", "T [K]", "");
  for (const State& s : states) fmt::format_to(out, " {:>16}", readable(s.T));
  fmt::format_to(out, "\n{:<16}{:<18}", "P [kPa]", "");
  for (const State& s : states) fmt::format_to(out, " {:>16}", readable(s.P));
  fmt::format_to(out, "\n{:<16}{:<18}", "state flags", "");
  for (const State& s : states) {
    const unsigned flags = vorn_state(&s.T, &s.P);
    seen |= flags;
    fmt::format_to(out, " {:>16}", flag_names(flags));
  }
  fmt::format_to(out, "\n\n");
  for (const Property& p : properties()) {
    fmt::format_to(out, "{:<16}{:<18}", p.name, p.unit);
    for (const State& s : states) fmt::format_to(out, " {:>16}", readable(p(s.T, s.P)));
    fmt::format_to(out, "\n");
  }

  // Two thermometers reading 10 kPa, referred to 100 kPa at the triple point of water.
  const double ratio = 0.1, P = 10.0, T0 = 273.16, P0 = 100.0;
  int iterations = 0, converged = 0;
  double T = vorn_temp_K_report(&ratio, &P, &T0, &P0, &iterations, &converged);
  fmt::format_to(out, "\nacoustic thermometer (temp_K), ratio {} at {} kPa, T0 = {} K at {} kPa:\n", ratio, P,
                 T0, P0);
  fmt::format_to(out, "  T = {:.12g} K after {} iterations ({})\n", T, iterations,
                 converged ? "converged" : "NOT converged");
  T = vorn_cvgt_temperature(&P, &T0, &P0, &iterations, &converged);
  fmt::format_to(out, "gas thermometer (vorn_cvgt_temperature), {} kPa, T0 = {} K at {} kPa:\n", P, T0, P0);
  fmt::format_to(out, "  T = {:.12g} K after {} iterations ({})\n", T, iterations,
                 converged ? "converged" : "NOT converged");
  fmt::format_to(out, "\n");
  for (const StateFlag& flag : state_flags()) {
    if ((seen & flag.bit) != 0) fmt::format_to(out, "{}: {}\n", vorn_state_name(flag.bit), flag.meaning);
  }
  fmt::format_to(out, "more: vorn --help\n");
  write(stdout, text);
}

}  // namespace vorn_cli
