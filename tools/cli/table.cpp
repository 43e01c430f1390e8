#include "table.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <nlohmann/json.hpp>

#include "output.hpp"

namespace vorn_cli {
namespace {

constexpr std::size_t kChunk = 1u << 16;

// The shortest decimal that reads back to x; nan, inf, -inf.
std::string csv_number(double x) { return std::isnan(x) ? "nan" : fmt::format("{}", x); }

// A CSV field, quoted where it must be.
std::string csv_field(std::string_view text) {
  if (text.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

nlohmann::ordered_json json_value(const Cell& cell) {
  if (const auto* text = std::get_if<std::string>(&cell)) return *text;
  if (std::holds_alternative<std::monostate>(cell)) return nullptr;
  if (const auto* yes = std::get_if<bool>(&cell)) return *yes;
  const double x = std::get<double>(cell);
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x > 0 ? "Infinity" : "-Infinity";
  // A whole number as the integer it is (20, not 20.0): the fewest digits that read back the same.
  if (std::fabs(x) < 9007199254740992.0 && x == std::trunc(x) && !(x == 0.0 && std::signbit(x))) {
    return static_cast<std::int64_t>(x);
  }
  return x;
}

std::string joined(const std::vector<std::string>& flags, std::string_view none) {
  std::string names;
  for (const std::string& f : flags) names += (names.empty() ? "" : "+") + f;
  return names.empty() ? std::string(none) : names;
}

// A cell as CSV or text writes it.
std::string cell_text(const Cell& cell, bool for_csv) {
  if (const auto* text = std::get_if<std::string>(&cell)) return for_csv ? csv_field(*text) : *text;
  if (const auto* x = std::get_if<double>(&cell)) return for_csv ? csv_number(*x) : readable(*x);
  if (const auto* yes = std::get_if<bool>(&cell)) return *yes ? "true" : "false";
  return "";
}

}  // namespace

std::string readable(double x) { return std::isnan(x) ? "nan" : fmt::format("{:.10g}", x); }

Table::Table(const Options& options, std::string title, std::vector<Column> columns, bool with_flags)
    : format_(options.format),
      title_(std::move(title)),
      columns_(std::move(columns)),
      with_flags_(with_flags),
      strict_(options.strict) {
  for (const Column& c : columns_) {
    widths_.push_back(std::max<std::size_t>(c.width != 0 ? c.width
                                            : c.text     ? 16
                                                         : 18,
                                            c.heading().size() + 2));
  }
}

void Table::note(std::string key, std::string value) {
  notes_.push_back({std::move(key), value, value, {}, false});
}

void Table::note(std::string key, double value, std::string_view unit) {
  std::string text = readable(value);
  if (!unit.empty()) text += fmt::format(" {}", unit);
  notes_.push_back({std::move(key), std::move(text), value, {}, false});
}

void Table::note(std::string key, double value, std::string_view unit, std::string_view remark) {
  notes_.push_back(
      {std::move(key), fmt::format("{} {} ({})", readable(value), unit, remark), value, {}, false});
}

void Table::note(std::string key, const std::vector<std::string>& flags) {
  notes_.push_back({std::move(key), joined(flags, "-"), {}, flags, true});
}

void Table::start() {
  started_ = true;
  if (format_ == Format::json) {
    nlohmann::ordered_json head;
    head["title"] = title_;
    for (const Note& n : notes_)
      head[n.key] = n.is_list ? nlohmann::ordered_json(n.list) : json_value(n.value);
    auto& units = head["units"] = nlohmann::ordered_json::object();
    for (const Column& c : columns_) {
      if (!c.unit.empty()) units[c.key] = c.unit;
    }
    std::string text = head.dump(2);
    text.pop_back();  // the closing brace: the rows follow
    while (!text.empty() && text.back() == '\n') text.pop_back();
    fmt::format_to(std::back_inserter(text_), "{},\n  \"rows\": [", text);
    return;
  }
  std::vector<std::string> headings;
  for (const Column& c : columns_)
    headings.push_back(format_ == Format::csv ? csv_field(c.heading()) : c.heading());
  if (format_ == Format::text) {
    fmt::format_to(std::back_inserter(text_), "# {}\n", title_);
    for (const Note& n : notes_) fmt::format_to(std::back_inserter(text_), "# {}: {}\n", n.key, n.text);
  }
  line(headings, "flags");
}

// One line of text or CSV: the cells, then the flags where the table has them.
void Table::line(const std::vector<std::string>& cells, std::string_view flags) {
  auto out = std::back_inserter(text_);
  const bool csv = format_ == Format::csv;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (csv) {
      fmt::format_to(out, "{}{}", i == 0 ? "" : ",", cells[i]);
    } else if (columns_[i].text) {
      // A text longer than its column keeps one blank before the next.
      fmt::format_to(out, "{:<{}}{}", cells[i], widths_[i], cells[i].size() >= widths_[i] ? " " : "");
    } else {
      fmt::format_to(out, "{:>{}}  ", cells[i], widths_[i] - 2);
    }
  }
  if (with_flags_) fmt::format_to(out, "{}{}", csv ? "," : "", flags);
  std::size_t end = text_.size();
  while (!csv && end > 0 && text_[end - 1] == ' ') --end;  // no blanks at the end of a line of text
  text_.resize(end);
  text_.push_back('\n');
}

void Table::row(const std::vector<Cell>& cells, const std::vector<std::string>& flags) {
  if (!started_) start();
  if (format_ == Format::json) {
    nlohmann::ordered_json row;
    for (std::size_t i = 0; i < cells.size(); ++i) row[columns_[i].key] = json_value(cells[i]);
    if (with_flags_) row["flags"] = flags;
    fmt::format_to(std::back_inserter(text_), "{}\n    {}", rows_ == 0 ? "" : ",", row.dump());
  } else {
    const bool csv = format_ == Format::csv;
    std::vector<std::string> texts;
    for (const Cell& c : cells) texts.push_back(cell_text(c, csv));
    line(texts, csv ? csv_field(joined(flags, "")) : joined(flags, "-"));
  }
  ++rows_;
  flush_if_full();
}

void Table::flush_if_full() {
  if (each_row_ || text_.size() > kChunk) {
    write_out(std::string_view(text_.data(), text_.size()));
    text_.clear();
    if (each_row_) finish_out();
  }
}

void Table::count(const FlagFamily& family, unsigned flags) {
  auto c = std::find_if(counts_.begin(), counts_.end(),
                        [&](const FlagCounts& f) { return &f.family() == &family; });
  if (c == counts_.end()) c = counts_.insert(c, FlagCounts(family));
  c->add(flags);
}

int Table::finish() {
  if (!started_) start();
  if (format_ == Format::json) fmt::format_to(std::back_inserter(text_), "\n  ]\n}}\n");
  write_out(std::string_view(text_.data(), text_.size()));
  text_.clear();
  finish_out();
  for (const FlagCounts& c : counts_) c.warn(rows_);
  if (unanswered_ == 0) return kExitDone;
  write_err(fmt::format("warning: {} of {} rows without an answer (NaN or flagged as meaningless){}",
                        unanswered_, rows_, strict_ ? "" : "; --strict makes this exit status 5"));
  return strict_ ? kExitNoAnswer : kExitDone;
}

}  // namespace vorn_cli
