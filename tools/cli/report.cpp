#include "report.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "eos_report.hpp"
#include "flags.hpp"
#include "output.hpp"
#include "vorn.h"

namespace vorn_cli {
namespace {

constexpr std::size_t kChunk = 1u << 16;

void write(fmt::memory_buffer& text) {
  write_out(std::string_view(text.data(), text.size()));
  text.clear();
}

nlohmann::ordered_json json_value(double x) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x > 0 ? "Infinity" : "-Infinity";
  return x;
}

nlohmann::ordered_json json_flags(unsigned flags) {
  auto names = nlohmann::ordered_json::array();
  for (const unsigned bit : named_bits(flags)) names.push_back(vorn_state_name(bit));
  return names;
}

std::string json_flag_list(unsigned flags) { return json_flags(flags).dump(); }

std::string pressure_heading(const OutputUnits& units) { return fmt::format("P [{}]", units.pressure); }

double pressure_out(double P, const OutputUnits& units) {
  return units.kpa_per_pressure_unit == 1.0 ? P : P / units.kpa_per_pressure_unit;
}

// Counts of each flag over a table, for the warnings after it.
void count_flags(std::vector<std::size_t>& counts, unsigned flags) {
  for (unsigned bit = 0; bit < 32; ++bit) counts[bit] += (flags >> bit) & 1u;
}

void warn_counts(const std::vector<std::size_t>& counts, std::size_t points) {
  for (const unsigned bit : named_bits(~0u)) {
    unsigned i = 0;
    while ((1u << i) != bit) ++i;
    if (counts[i] != 0) {
      write_err(fmt::format("warning: {} at {} of {} points: {}", vorn_state_name(bit), counts[i], points,
                            flag_meaning(bit)));
    }
  }
}

}  // namespace

std::string readable(double x) { return std::isnan(x) ? "nan" : fmt::format("{:.10g}", x); }

std::string csv_number(double x) { return std::isnan(x) ? "nan" : fmt::format("{}", x); }

std::string json_number(double x) {
  if (std::isnan(x)) return "\"NaN\"";
  if (std::isinf(x)) return x > 0 ? "\"Infinity\"" : "\"-Infinity\"";
  return fmt::format("{}", x);
}

std::string json_string(std::string_view text) { return nlohmann::json(std::string(text)).dump(); }

std::string csv_field(std::string_view text) {
  if (text.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

double in_output_units(const Property& p, double value, const OutputUnits& units) {
  const double m0 = __vorn_MOD_m0;  // kg/mol, as the library holds it now
  switch (units.basis == Basis::library ? Specific::no : p.specific) {
    case Specific::density:
      return units.basis == Basis::molar ? value / m0 : value;
    case Specific::molar_volume:
      return units.basis == Basis::mass ? value / m0 : value;
    case Specific::heat_capacity:
      return units.basis == Basis::molar ? value * m0 : value;
    case Specific::no:
      break;
  }
  return value;
}

std::string_view output_unit(const Property& p, const OutputUnits& units) {
  switch (units.basis == Basis::library ? Specific::no : p.specific) {
    case Specific::density:
      return units.basis == Basis::molar ? "mol/m^3" : p.unit;
    case Specific::molar_volume:
      return units.basis == Basis::mass ? "m^3/kg" : p.unit;
    case Specific::heat_capacity:
      return units.basis == Basis::molar ? "J/(mol K)" : p.unit;
    case Specific::no:
      break;
  }
  return p.unit;
}

void warn_state_flags(unsigned flags) {
  for (const unsigned bit : named_bits(flags)) {
    write_err(fmt::format("warning: {}: {}", vorn_state_name(bit), flag_meaning(bit)));
  }
}

// Every correlation property at (T, P), with the reference equation's value beside each that it also
// gives and their relative difference, so the correlation's error shows at a glance.
void print_state(double T, double P, const Options& options) {
  const unsigned flags = vorn_state(&T, &P);
  const vorn_eos_state reference = eos_state_at(VORN_EOS_TP, T, P);
  const OutputUnits& units = options.units;
  struct Beside {
    std::optional<double> value;
    double difference;
  };
  auto beside = [&](const Property& p) {
    const std::optional<double> r = reference_value(p, reference);
    if (!r) return Beside{std::nullopt, NAN};
    const double value = in_output_units(p, *r, units);
    return Beside{value, relative_difference_percent(in_output_units(p, p(T, P), units), value)};
  };
  fmt::memory_buffer text;
  auto out = std::back_inserter(text);
  switch (options.format) {
    case Format::json: {
      nlohmann::ordered_json doc;
      doc["T"] = json_value(T);
      doc["P"] = json_value(pressure_out(P, units));
      doc["units"] = {{"T", "K"}, {"P", units.pressure}};
      doc["flags"] = json_flags(flags);
      doc["reference_equation"] = {{"phase", eos_phase_name(reference.phase)},
                                   {"flags", nlohmann::ordered_json::parse(eos_flag_list(reference.flags))}};
      auto& values = doc["properties"] = nlohmann::ordered_json::object();
      for (const Property& p : properties()) {
        auto& entry =
            values[std::string(p.name)] = {{"value", json_value(in_output_units(p, p(T, P), units))},
                                           {"unit", output_unit(p, units)},
                                           {"flags", json_flags(flags & p.flags)},
                                           {"exported", p.exported},
                                           {"description", p.description}};
        const Beside b = beside(p);
        if (b.value) {
          entry["reference"] = json_value(*b.value);
          entry["difference_percent"] = json_value(b.difference);
        }
      }
      fmt::format_to(out, "{}\n", doc.dump(2));
      break;
    }
    case Format::csv:
      fmt::format_to(out, "property,value,unit,flags,routine,description,reference,difference [%]\n");
      fmt::format_to(out, "T,{},K,{},,temperature,,\n", csv_number(T), flag_names(flags));
      fmt::format_to(out, "P,{},{},{},,pressure,,\n", csv_number(pressure_out(P, units)), units.pressure,
                     flag_names(flags));
      for (const Property& p : properties()) {
        const Beside b = beside(p);
        fmt::format_to(out, "{},{},{},{},{},{},{},{}\n", csv_field(p.name),
                       csv_number(in_output_units(p, p(T, P), units)), csv_field(output_unit(p, units)),
                       flag_names(flags & p.flags), p.exported, csv_field(p.description),
                       b.value ? csv_number(*b.value) : "", b.value ? csv_number(b.difference) : "");
      }
      fmt::format_to(out, "phase,{},,{},,reference equation of state,,\n", eos_phase_name(reference.phase),
                     eos_flag_names(reference.flags));
      break;
    case Format::text:
      fmt::format_to(out, "helium-4 at T = {} K, P = {} {}; state flags: {}\n", readable(T),
                     readable(pressure_out(P, units)), units.pressure, flag_names(flags));
      fmt::format_to(out, "reference equation of state: {}; flags: {}\n\n", eos_phase_name(reference.phase),
                     eos_flag_names(reference.flags));
      fmt::format_to(out, "{:<16}{:>18}  {:<18}{:>18}{:>14}  {}\n", "property", "value", "unit", "reference",
                     "difference", "routine");
      for (const Property& p : properties()) {
        const unsigned spoiled = flags & p.flags;
        const Beside b = beside(p);
        const std::string difference =
            b.value ? (std::isnan(b.difference) ? "nan" : fmt::format("{:+.3g} %", b.difference)) : "";
        fmt::format_to(out, "{:<16}{:>18}  {:<18}{:>18}{:>14}  {:<16}{}{}\n", p.name,
                       readable(in_output_units(p, p(T, P), units)), output_unit(p, units),
                       b.value ? readable(*b.value) : "", difference, p.exported, p.description,
                       spoiled != 0 ? "  [" + flag_names(spoiled) + "]" : "");
      }
      break;
  }
  write(text);
  finish_out();
  warn_state_flags(flags);
}

namespace {

// The results and state flags of a table at every temperature and the
// pressures [begin, end), laid out temperature by temperature (index
// i (end - begin) + j - begin): one call of the array forms, which reach
// the library as runs of equal T, where the part of each routine that
// depends on T alone is formed once per run. The rows are still printed
// pressure by pressure. A block holds at most about kBlockPoints points.
struct TableBlock {
  std::size_t begin = 0, end = 0;
  std::vector<double> values;
  std::vector<unsigned> flags;
};

constexpr std::size_t kBlockPoints = std::size_t{1} << 16;

void evaluate_block(const Property& property, const Values& T, const Values& P, std::size_t begin,
                    TableBlock& block) {
  const std::size_t width =
      std::min(P.size() - begin, std::max<std::size_t>(1, kBlockPoints / std::max<std::size_t>(1, T.size())));
  const std::size_t n = T.size() * width;
  std::vector<double> t(n), p(n);
  for (std::size_t i = 0; i < T.size(); ++i) {
    for (std::size_t k = 0; k < width; ++k) {
      t[i * width + k] = T[i];
      p[i * width + k] = P[begin + k];
    }
  }
  block.begin = begin;
  block.end = begin + width;
  block.values.resize(n);
  block.flags.resize(n);
  if (property.of_TP_n != nullptr) {
    property.of_TP_n(n, t.data(), p.data(), block.values.data());
  } else {
    for (std::size_t k = 0; k < n; ++k) block.values[k] = property(t[k], p[k]);
  }
  vorn_state_n(n, t.data(), p.data(), block.flags.data());
}

}  // namespace

void print_table(const Property& property, const Values& T, const Values& P, const Options& options) {
  // Routines of T alone get one row per temperature and no pressure column.
  const Values no_pressure(std::vector<double>{0.0});
  const bool with_P = property.needs_pressure();
  const Values& pressures = with_P ? P : no_pressure;
  const OutputUnits& units = options.units;
  const std::string unit(output_unit(property, units));
  const std::string value_heading = fmt::format("{} [{}]", property.name, unit);

  fmt::memory_buffer text;
  auto out = std::back_inserter(text);
  switch (options.format) {
    case Format::csv:
      fmt::format_to(out, "T [K],{}{},flags\n", with_P ? csv_field(pressure_heading(units)) + "," : "",
                     csv_field(value_heading));
      break;
    case Format::json:
      fmt::format_to(
          out,
          "{{\n  \"property\": {},\n  \"description\": {},\n  \"exported\": {},\n"
          "  \"units\": {{\"T\": \"K\", {}\"value\": {}}},\n  \"rows\": [",
          json_string(property.name), json_string(property.description), json_string(property.exported),
          with_P ? fmt::format("\"P\": {}, ", json_string(units.pressure)) : "", json_string(unit));
      break;
    case Format::text:
      fmt::format_to(out, "# {}: {} ({})\n", property.name, property.description, property.exported);
      if (with_P) {
        fmt::format_to(out, "{:>18}{:>18} {:>24}  {}\n", "T [K]", pressure_heading(units), value_heading,
                       "flags");
      } else {
        fmt::format_to(out, "{:>18} {:>24}  {}\n", "T [K]", value_heading, "flags");
      }
      break;
  }

  std::vector<std::size_t> flag_count(32);
  std::size_t points = 0;
  TableBlock block;
  for (std::size_t j = 0; j < pressures.size(); ++j) {
    const double p = pressures[j];
    const double p_out = pressure_out(p, units);
    if (with_P && j == block.end) evaluate_block(property, T, pressures, j, block);
    for (std::size_t i = 0; i < T.size(); ++i) {
      const double t = T[i];
      const std::size_t at = i * (block.end - block.begin) + (j - block.begin);
      const double result = with_P ? block.values[at] : property(t, p);
      const double value = in_output_units(property, result, units);
      const unsigned flags = (with_P ? block.flags[at] : vorn_state(&t, &p)) & property.flags;
      switch (options.format) {
        case Format::csv:
          if (with_P) {
            fmt::format_to(out, "{},{},{},{}\n", csv_number(t), csv_number(p_out), csv_number(value),
                           flags != 0 ? flag_names(flags) : "");
          } else {
            fmt::format_to(out, "{},{},{}\n", csv_number(t), csv_number(value),
                           flags != 0 ? flag_names(flags) : "");
          }
          break;
        case Format::json:
          fmt::format_to(out, "{}\n    {{\"T\": {}, {}\"value\": {}, \"flags\": {}}}", points == 0 ? "" : ",",
                         json_number(t), with_P ? fmt::format("\"P\": {}, ", json_number(p_out)) : "",
                         json_number(value), json_flag_list(flags));
          break;
        case Format::text:
          if (with_P) {
            fmt::format_to(out, "{:>18}{:>18} {:>24}  {}\n", readable(t), readable(p_out), readable(value),
                           flag_names(flags));
          } else {
            fmt::format_to(out, "{:>18} {:>24}  {}\n", readable(t), readable(value), flag_names(flags));
          }
          break;
      }
      count_flags(flag_count, flags);
      ++points;
      if (text.size() > kChunk) write(text);
    }
  }
  if (options.format == Format::json) fmt::format_to(out, "\n  ]\n}}\n");
  write(text);
  finish_out();
  warn_counts(flag_count, points);
}

void print_thermometer(const char* method, const ThermometerResult& result, Format format) {
  fmt::memory_buffer text;
  auto out = std::back_inserter(text);
  switch (format) {
    case Format::json: {
      nlohmann::ordered_json doc;
      doc["thermometer"] = method;
      doc["T"] = json_value(result.T);
      doc["unit"] = "K";
      doc["iterations"] = result.iterations;
      doc["converged"] = result.converged;
      doc["flags"] = json_flags(result.flags);
      fmt::format_to(out, "{}\n", doc.dump(2));
      break;
    }
    case Format::csv:
      fmt::format_to(out, "thermometer,T [K],iterations,converged,flags\n{},{},{},{},{}\n", method,
                     csv_number(result.T), result.iterations, result.converged ? "true" : "false",
                     result.flags == 0 ? "" : flag_names(result.flags));
      break;
    case Format::text:
      fmt::format_to(out, "T = {:.12g} K after {} iteration{} ({}); state flags: {}\n", result.T,
                     result.iterations, result.iterations == 1 ? "" : "s",
                     result.converged ? "converged" : "NOT converged", flag_names(result.flags));
      break;
  }
  write(text);
  finish_out();
  warn_state_flags(result.flags);
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
  if (options.format != Format::text) {
    std::vector<const Property*> all;
    for (const Property& p : properties()) all.push_back(&p);
    StateRows rows(all, options, false, false);
    for (const State& s : states) rows.row(s.T, s.P, 0);
    rows.finish();
    return;
  }
  const OutputUnits& units = options.units;
  fmt::memory_buffer text;
  auto out = std::back_inserter(text);
  fmt::format_to(out, "vorn {}: helium-4 gas properties at reference states\n\n", vorn_version());
  unsigned seen = 0;
  fmt::format_to(out, "{:<16}{:<18}", "T [K]", "");
  for (const State& s : states) fmt::format_to(out, " {:>16}", readable(s.T));
  fmt::format_to(out, "\n{:<16}{:<18}", pressure_heading(units), "");
  for (const State& s : states) fmt::format_to(out, " {:>16}", readable(pressure_out(s.P, units)));
  fmt::format_to(out, "\n{:<16}{:<18}", "state flags", "");
  for (const State& s : states) {
    const unsigned flags = vorn_state(&s.T, &s.P);
    seen |= flags;
    fmt::format_to(out, " {:>16}", flag_names(flags));
  }
  fmt::format_to(out, "\n\n");
  for (const Property& p : properties()) {
    fmt::format_to(out, "{:<16}{:<18}", p.name, output_unit(p, units));
    for (const State& s : states)
      fmt::format_to(out, " {:>16}", readable(in_output_units(p, p(s.T, s.P), units)));
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
  for (const unsigned bit : named_bits(seen))
    fmt::format_to(out, "{}: {}\n", vorn_state_name(bit), flag_meaning(bit));
  fmt::format_to(out, "more: vorn --help\n");
  write(text);
  finish_out();
}

StateRows::StateRows(std::vector<const Property*> properties, const Options& options, bool numbered,
                     bool each_row)
    : properties_(std::move(properties)),
      options_(options),
      numbered_(numbered),
      each_row_(each_row),
      flag_count_(32) {
  for (const Property* p : properties_) mask_ |= p->flags;
  auto out = std::back_inserter(text_);
  const OutputUnits& units = options_.units;
  switch (options_.format) {
    case Format::csv:
      if (numbered_) fmt::format_to(out, "line,");
      fmt::format_to(out, "T [K],{}", csv_field(pressure_heading(units)));
      for (const Property* p : properties_) {
        fmt::format_to(out, ",{}", csv_field(fmt::format("{} [{}]", p->name, output_unit(*p, units))));
      }
      fmt::format_to(out, ",flags\n");
      break;
    case Format::json: {
      nlohmann::ordered_json unit_of;
      unit_of["T"] = "K";
      unit_of["P"] = units.pressure;
      for (const Property* p : properties_) unit_of[std::string(p->name)] = output_unit(*p, units);
      fmt::format_to(out, "{{\n  \"units\": {},\n  \"rows\": [", unit_of.dump());
      break;
    }
    case Format::text:
      if (numbered_) fmt::format_to(out, "{:>8}", "line");
      fmt::format_to(out, "{:>18}{:>18}", "T [K]", pressure_heading(units));
      for (const Property* p : properties_) {
        fmt::format_to(out, " {:>24}", fmt::format("{} [{}]", p->name, output_unit(*p, units)));
      }
      fmt::format_to(out, "  flags\n");
      break;
  }
  flush_if_full();
}

void StateRows::row(double T, double P, std::size_t number) {
  const unsigned flags = vorn_state(&T, &P) & mask_;
  const OutputUnits& units = options_.units;
  const double p_out = pressure_out(P, units);
  auto out = std::back_inserter(text_);
  switch (options_.format) {
    case Format::csv:
      if (numbered_) fmt::format_to(out, "{},", number);
      fmt::format_to(out, "{},{}", csv_number(T), csv_number(p_out));
      for (const Property* p : properties_)
        fmt::format_to(out, ",{}", csv_number(in_output_units(*p, (*p)(T, P), units)));
      fmt::format_to(out, ",{}\n", flags != 0 ? flag_names(flags) : "");
      break;
    case Format::json:
      fmt::format_to(out, "{}\n    {{", rows_ == 0 ? "" : ",");
      if (numbered_) fmt::format_to(out, "\"line\": {}, ", number);
      fmt::format_to(out, "\"T\": {}, \"P\": {}, \"flags\": {}, \"values\": {{", json_number(T),
                     json_number(p_out), json_flag_list(flags));
      for (std::size_t i = 0; i < properties_.size(); ++i) {
        const Property& p = *properties_[i];
        fmt::format_to(out, "{}{}: {}", i == 0 ? "" : ", ", json_string(p.name),
                       json_number(in_output_units(p, p(T, P), units)));
      }
      fmt::format_to(out, "}}}}");
      break;
    case Format::text:
      if (numbered_) fmt::format_to(out, "{:>8}", number);
      fmt::format_to(out, "{:>18}{:>18}", readable(T), readable(p_out));
      for (const Property* p : properties_)
        fmt::format_to(out, " {:>24}", readable(in_output_units(*p, (*p)(T, P), units)));
      fmt::format_to(out, "  {}\n", flag_names(flags));
      break;
  }
  count_flags(flag_count_, flags);
  ++rows_;
  flush_if_full();
}

void StateRows::flush_if_full() {
  if (each_row_ || text_.size() > kChunk) {
    write(text_);
    if (each_row_) finish_out();
  }
}

void StateRows::finish() {
  if (options_.format == Format::json) fmt::format_to(std::back_inserter(text_), "\n  ]\n}}\n");
  write(text_);
  finish_out();
  warn_counts(flag_count_, rows_);
}

}  // namespace vorn_cli
