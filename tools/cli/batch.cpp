#include "batch.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string_view>

#include "input.hpp"
#include "names.hpp"
#include "output.hpp"
#include "report.hpp"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vorn_cli {
namespace {

// One CSV line into its fields: commas separate, double quotes quote ("" is a quote).
std::optional<std::vector<std::string>> fields_of(std::string_view line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  if (quoted) return std::nullopt;
  return fields;
}

// An input column of the log: "T [K]", "P (bar)", "pressure/Pa", "h [J/mol]".
struct InputColumn {
  std::size_t index = 0;
  const EosProperty* input = nullptr;
  const Unit* unit = nullptr;  // T and P: the unit of bare cells (null: K, or the pressure unit of --units)
  OutputUnits units;           // the others: the basis their unit names
  std::string heading;
};

// The quantity and unit of a heading; nothing when it names no input.
std::optional<InputColumn> input_column(std::string_view heading, std::size_t index, const OutputUnits& units,
                                        const std::string& where) {
  heading = trim(heading);
  std::string_view name = heading, unit;
  if (const auto open = heading.find_first_of("[("); open != std::string_view::npos) {
    const char close = heading[open] == '[' ? ']' : ')';
    const auto end = heading.find(close, open);
    if (end == std::string_view::npos || !trim(heading.substr(end + 1)).empty()) return std::nullopt;
    name = trim(heading.substr(0, open));
    unit = trim(heading.substr(open + 1, end - open - 1));
  } else if (const auto slash = heading.find('/'); slash != std::string_view::npos) {
    name = trim(heading.substr(0, slash));
    unit = trim(heading.substr(slash + 1));
  }
  const EosProperty* input = find_eos_property(name);
  if (input == nullptr || input->input.empty()) return std::nullopt;
  InputColumn column{index, input, nullptr, units, std::string(heading)};
  const bool T = input->code == VORN_EOS_T;
  if (T || input->code == VORN_EOS_P) {
    const Dimension dimension = T ? Dimension::temperature : Dimension::pressure;
    column.unit =
        unit.empty() ? (T ? nullptr : find_unit(units.pressure, dimension)) : find_unit(unit, dimension);
    if (column.unit == nullptr && !unit.empty()) {
      throw UsageError(fmt::format("{}: header '{}': '{}' is no unit of {}; expected one of {}", where,
                                   heading, unit, T ? "temperature" : "pressure", unit_symbols(dimension)));
    }
    return column;
  }
  if (unit.empty()) return column;
  for (const Basis basis : {Basis::library, Basis::mass, Basis::molar}) {
    column.units.basis = basis;
    if (eos_unit(*input, column.units) == unit) return column;
  }
  throw UsageError(fmt::format("{}: header '{}': '{}' is no unit of {}; expected {} or {}", where, heading,
                               unit, input->name, eos_unit(*input, {Basis::mass}),
                               eos_unit(*input, {Basis::molar})));
}

double cell_value(const InputColumn& c, const std::string& at, const std::string& cell) {
  const std::string argument = fmt::format("{}, {}", at, c.heading);
  if (c.input->code == VORN_EOS_T) return parse_quantity(argument, cell, Dimension::temperature, c.unit);
  if (c.input->code == VORN_EOS_P) return parse_quantity(argument, cell, Dimension::pressure, c.unit);
  return eos_in(*c.input, parse_number(argument, cell), c.units);
}

// The from column of a row: "correlation" or "equation" where one family answered every property under the
// rule, else the names each answered ("equation: density, cp; correlation: B").
std::string sources_text(const std::vector<std::string> (&from)[3]) {
  int families = 0, only = 0;
  for (int i = 0; i < 3; ++i) {
    if (!from[i].empty()) ++families, only = i;
  }
  if (families == 1) return std::string(source_name(static_cast<Source>(only)));
  std::string text;
  for (int i = 0; i < 3; ++i) {
    if (from[i].empty()) continue;
    text += fmt::format("{}{}: {}", text.empty() ? "" : "; ", source_name(static_cast<Source>(i)),
                        joined_names(from[i], [](const std::string& s) { return s; }));
  }
  return text;
}

bool interactive(const std::string& input) {
#ifndef _WIN32
  struct stat st {};
  return input == "-" && (fstat(0, &st) != 0 || !S_ISREG(st.st_mode));
#else
  return input == "-";
#endif
}

// The log's rows, once its header has named a pair.
class Rows {
 public:
  Rows(const std::vector<std::string>& header, std::vector<InputColumn> inputs, const EosPair& pair,
       const std::vector<std::string>& names, const Options& options, bool each_row)
      : header_(header), inputs_(std::move(inputs)), pair_(pair), options_(options) {
    const bool tp = pair.code == VORN_EOS_TP;
    for (const std::string& name : names)
      quantities_.push_back(find_quantity("PROPERTY", name, options.equation || !tp));
    if (quantities_.empty()) {
      if (tp && !options.equation) {
        for (const Property& p : properties()) quantities_.push_back({&p, counterpart(p)});
      } else {
        for (const EosProperty& e : eos_properties()) quantities_.push_back({nullptr, &e});
      }
    }
    std::vector<Column> columns;
    for (const std::string& h : header) columns.push_back({h, "", true});
    for (const Quantity& q : quantities_) {
      columns.push_back({std::string(q.name()), q.units(options.units).unit});
      by_rule_ = by_rule_ || q.by_rule();
    }
    if (by_rule_) columns.emplace_back("from", "", true);
    table_.emplace(options, "helium-4 at the states of a log", columns);
    if (each_row) table_->each_row();
  }

  void row(const std::vector<std::string>& fields, const std::string& at) {
    double x[2];
    for (std::size_t i = 0; i < 2; ++i) x[i] = cell_value(inputs_[i], at, fields[inputs_[i].index]);
    std::vector<Cell> cells;
    for (std::size_t i = 0; i < header_.size(); ++i) cells.emplace_back(i < fields.size() ? fields[i] : "");
    std::vector<std::string> flag_names;
    unsigned seen[2] = {0, 0};  // the correlations', the equation's
    bool answered = true;
    std::vector<std::string> from[3];  // the names each family answered (under the rule)
    for (const Quantity& q : quantities_) {
      double value = 0.0;
      unsigned flags = 0;
      Source source = Source::correlation;
      q.evaluate(pair_.code, 1, &x[0], &x[1], &value, &flags, &source, options_.units);
      cells.emplace_back(value);
      for (std::string& f : q.flags(source).names(flags)) {
        if (std::find(flag_names.begin(), flag_names.end(), f) == flag_names.end())
          flag_names.push_back(std::move(f));
      }
      seen[source == Source::equation ? 1 : 0] |= flags;
      answered = answered && Quantity::answered(value, flags, source);
      if (q.by_rule()) from[static_cast<int>(source)].emplace_back(q.name());
    }
    if (by_rule_) cells.emplace_back(sources_text(from));
    table_->count(correlation_flags(), seen[0]);
    table_->count(equation_flags(), seen[1]);
    table_->row(cells, flag_names);
    table_->count(answered);
  }

  int finish() { return table_->finish(); }

 private:
  std::vector<std::string> header_;
  std::vector<InputColumn> inputs_;
  const EosPair& pair_;
  Options options_;
  std::vector<Quantity> quantities_;
  bool by_rule_ = false;  // some column follows the rule: a from column says which family answered
  std::optional<Table> table_;
};

}  // namespace

int evaluate_file(const std::string& input, const std::vector<std::string>& names, const Options& options) {
  std::ifstream file;
  if (input != "-") {
    file.open(input, std::ios::binary);
    if (!file) throw UsageError(fmt::format("INPUT: cannot open '{}': {}", input, std::strerror(errno)));
  }
  std::istream& in = input == "-" ? std::cin : file;
  const std::string where = input == "-" ? "standard input" : input;

  std::string line;
  std::size_t number = 0;
  std::optional<Rows> rows;
  std::size_t width = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a byte-order mark
    if (trim(line).empty() || trim(line).front() == '#') continue;
    const auto fields = fields_of(line);
    const std::string at = fmt::format("{} line {}", where, number);
    if (!fields)
      throw UsageError(fmt::format("{}: a quote is not closed; expected one CSV record a line", at));
    if (rows) {
      if (fields->size() < width) {
        throw UsageError(fmt::format("{}: {} fields; expected at least {} (the header's input columns)", at,
                                     fields->size(), width));
      }
      rows->row(*fields, at);
      continue;
    }
    // The header: the first pair (in the library's order) whose two inputs it names.
    std::vector<InputColumn> columns;
    for (std::size_t i = 0; i < fields->size(); ++i) {
      if (auto column = input_column((*fields)[i], i, options.units, at)) {
        for (const InputColumn& c : columns) {
          if (c.input == column->input) {
            throw UsageError(fmt::format("{}: header has two {} columns ('{}' and '{}'); expected one", at,
                                         c.input->name, c.heading, column->heading));
          }
        }
        columns.push_back(std::move(*column));
      }
    }
    for (const EosPair& pair : eos_pairs()) {
      const auto named = [&](std::string_view name) {
        return std::find_if(columns.begin(), columns.end(),
                            [&](const InputColumn& c) { return c.input->input == name; });
      };
      if (named(pair.first) == columns.end() || named(pair.second) == columns.end()) continue;
      width = std::max(named(pair.first)->index, named(pair.second)->index) + 1;
      rows.emplace(*fields, std::vector<InputColumn>{*named(pair.first), *named(pair.second)}, pair, names,
                   options, interactive(input));
      break;
    }
    if (!rows) {
      throw UsageError(fmt::format(
          "{}: header '{}' names no input pair; expected columns of one of the pairs {} (any order, units in "
          "brackets), such as 'time,T [K],P [bar]'",
          at, line, pair_names()));
    }
  }
  if (in.bad() || (!in.eof() && in.fail())) {
    throw UsageError(fmt::format("INPUT: cannot read {}: {}", where, std::strerror(errno)));
  }
  if (!rows)
    throw UsageError(
        fmt::format("INPUT: {} has no header; expected CSV with a header naming an input pair", where));
  return rows->finish();
}

}  // namespace vorn_cli
