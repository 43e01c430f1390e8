#include "batch.hpp"

#include <fmt/format.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string_view>

#include "input.hpp"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vorn_cli {
namespace {

std::string_view trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

std::string lower(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

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

struct Column {
  std::size_t index = 0;
  const Unit* unit = nullptr;  // null: the cells are in K or kPa unless they say otherwise
  std::string name;
};

// "T [K]", "T (K)", "T/K", "temperature": the quantity and its unit.
std::optional<Column> column_of(std::string_view heading, std::size_t index, Dimension& dimension,
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
  const std::string n = lower(name);
  if (n == "t" || n == "temperature") {
    dimension = Dimension::temperature;
  } else if (n == "p" || n == "pressure") {
    dimension = Dimension::pressure;
  } else {
    return std::nullopt;
  }
  Column column{index, nullptr, std::string(heading)};
  if (!unit.empty()) {
    column.unit = find_unit(unit, dimension);
    if (column.unit == nullptr) {
      throw UsageError(fmt::format(
          "{}: header '{}': '{}' is no unit of {}; expected one of {}", where, heading, unit,
          dimension == Dimension::temperature ? "temperature" : "pressure", unit_symbols(dimension)));
    }
  }
  return column;
}

bool interactive(const std::string& input) {
#ifndef _WIN32
  struct stat st {};
  return input == "-" && (fstat(0, &st) != 0 || !S_ISREG(st.st_mode));
#else
  return input == "-";
#endif
}

}  // namespace

void evaluate_file(const std::string& input, const std::vector<const Property*>& properties,
                   const Options& options) {
  std::ifstream file;
  if (input != "-") {
    file.open(input, std::ios::binary);
    if (!file) throw UsageError(fmt::format("INPUT: cannot open '{}': {}", input, std::strerror(errno)));
  }
  std::istream& in = input == "-" ? std::cin : file;
  const std::string where = input == "-" ? "standard input" : input;

  std::string line;
  std::size_t number = 0;
  std::optional<Column> T, P;
  std::size_t width = 0;
  std::optional<StateRows> rows;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a byte-order mark
    if (trim(line).empty() || trim(line).front() == '#') continue;
    const auto fields = fields_of(line);
    const std::string at = fmt::format("{} line {}", where, number);
    if (!fields)
      throw UsageError(fmt::format("{}: a quote is not closed; expected one CSV record a line", at));
    if (!rows) {  // the header
      for (std::size_t i = 0; i < fields->size(); ++i) {
        Dimension dimension = Dimension::none;
        auto column = column_of((*fields)[i], i, dimension, at);
        if (!column) continue;
        auto& slot = dimension == Dimension::temperature ? T : P;
        if (slot) {
          throw UsageError(fmt::format("{}: header has two {} columns ('{}' and '{}'); expected one", at,
                                       dimension == Dimension::temperature ? "temperature" : "pressure",
                                       slot->name, column->name));
        }
        slot = column;
      }
      if (!T || !P) {
        throw UsageError(fmt::format(
            "{}: header '{}' has no {} column; expected a header naming T and P in any order, units in "
            "brackets, such as 'time,T [K],P [bar]'",
            at, line, !T ? "temperature (T)" : "pressure (P)"));
      }
      width = std::max(T->index, P->index) + 1;
      rows.emplace(properties, options, true, interactive(input));
      continue;
    }
    if (fields->size() < width) {
      throw UsageError(
          fmt::format("{}: {} fields; expected at least {} (the header names T in field {} and P in "
                      "field {})",
                      at, fields->size(), width, T->index + 1, P->index + 1));
    }
    const double t = parse_quantity(fmt::format("{}, {}", at, T->name), (*fields)[T->index],
                                    Dimension::temperature, T->unit);
    const double p =
        parse_quantity(fmt::format("{}, {}", at, P->name), (*fields)[P->index], Dimension::pressure, P->unit);
    rows->row(t, p, number);
  }
  if (in.bad() || (!in.eof() && in.fail())) {
    throw UsageError(fmt::format("INPUT: cannot read {}: {}", where, std::strerror(errno)));
  }
  if (!rows) {
    throw UsageError(
        fmt::format("INPUT: {} has no header; expected CSV with a header naming T and P", where));
  }
  rows->finish();
}

}  // namespace vorn_cli
