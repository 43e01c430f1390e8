// The one table model of the tool: a title, notes, columns with their units,
// rows of numbers or text, and the flags of each row, written by one writer
// per format.
//
// Text, for people: the title and notes as lines above the column headings,
// numbers to ten significant digits. CSV, for programs: one heading line
// ("key [unit]") and the rows; numbers with the fewest digits that read back
// to the same double, nan, inf and -inf. JSON: {"title", notes..., "units":
// {key: unit}, "rows": [{key: value, ..., "flags": [...]}]}, non-finite
// numbers as the strings "NaN", "Infinity" and "-Infinity", which strtod,
// Python's float() and JavaScript's Number() read back.
//
// Rows are streamed: written when the buffer fills, or at once when asked
// (a log read from a pipe). A table of many rows counts the flags met and the
// rows without an answer, and says so on stderr when it closes.
#pragma once

#include <fmt/format.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "flags.hpp"
#include "units.hpp"

namespace vorn_cli {

enum class Format { text, csv, json };

struct Options {
  Format format = Format::text;
  OutputUnits units;
  bool strict = false;    // tables and logs: rows without an answer make the exit status non-zero
  bool equation = false;  // --eos: a name both families have is the reference equation's
  bool detail = false;    // --detail: `vorn state` with the virial and acoustic detail in text too
};

// Ten significant digits, for people.
std::string readable(double x);

struct Column {
  Column(std::string key_, std::string unit_ = "", bool text_ = false, std::string label_ = "",
         std::size_t width_ = 0)
      : key(std::move(key_)), unit(std::move(unit_)), text(text_), label(std::move(label_)), width(width_) {}
  std::string key;        // of the JSON rows
  std::string unit;       // empty: no unit (text, or a count)
  bool text = false;      // cells are text (names, passed-through fields), left-aligned
  std::string label;      // the heading's name in text and CSV, when not the key
  std::size_t width = 0;  // in text, when not the heading's
  std::string heading() const {
    const std::string& name = label.empty() ? key : label;
    return unit.empty() ? name : fmt::format("{} [{}]", name, unit);
  }
};

// A number, a text, a yes or no, or nothing (blank in text and CSV, null in JSON).
using Cell = std::variant<std::monostate, double, std::string, bool>;

class Table {
 public:
  Table(const Options& options, std::string title, std::vector<Column> columns, bool with_flags = true);
  // A line under the title in text, a field of the document in JSON; nothing in CSV.
  void note(std::string key, std::string value);
  void note(std::string key, double value, std::string_view unit);  // a number in JSON
  // The same with a remark after it in text ("3 kPa (...)"); the number alone in JSON.
  void note(std::string key, double value, std::string_view unit, std::string_view remark);
  void note(std::string key, const std::vector<std::string>& flags);  // a list in JSON
  void row(const std::vector<Cell>& cells, const std::vector<std::string>& flags = {});
  // A row of many: its flags of `family` named in it and counted, and whether it has its answer.
  void row(const std::vector<Cell>& cells, const FlagFamily& family, unsigned flags, bool answered) {
    row(cells, family.names(flags));
    count(family, flags), count(answered);
  }
  void count(const FlagFamily& family, unsigned flags);  // the flags of a row, once each
  void count(bool answered) { unanswered_ += answered ? 0 : 1; }
  void each_row() { each_row_ = true; }
  // Closes the document and flushes it; then, on stderr, one warning a flag
  // counted ("he-ii at 3 of 10 points") and how many rows have no answer (NaN
  // or flagged as meaningless). The exit status: kExitNoAnswer for such rows
  // with --strict, else kExitDone.
  int finish();

 private:
  void start();
  void line(const std::vector<std::string>& cells, std::string_view flags);
  void flush_if_full();
  Format format_;
  std::string title_;
  std::vector<Column> columns_;
  std::vector<std::size_t> widths_;
  struct Note {
    std::string key, text;
    Cell value;
    std::vector<std::string> list;
    bool is_list;
  };
  std::vector<Note> notes_;
  bool with_flags_, strict_, started_ = false, each_row_ = false;
  std::size_t rows_ = 0, unanswered_ = 0;
  std::vector<FlagCounts> counts_;
  fmt::memory_buffer text_;
};

}  // namespace vorn_cli
