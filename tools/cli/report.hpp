// What the tool prints: readable tables for people, CSV and JSON for
// programs. Numbers for programs are written with the fewest digits that read
// back to the same double; readable tables show ten significant digits.
//
// Numbers that are not finite: CSV writes nan, inf and -inf (the sign of a
// NaN means nothing and is dropped); JSON writes the strings "NaN",
// "Infinity" and "-Infinity", which strtod, Python's float() and
// JavaScript's Number() read back as what they are.
//
// Every row of a table carries the state flags that spoil its result: a
// column in CSV and text, a list in JSON.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "fmt/format.h"
#include "input.hpp"
#include "properties.hpp"
#include "units.hpp"

namespace vorn_cli {

enum class Format { text, csv, json };

struct Options {
  Format format = Format::text;
  OutputUnits units;
};

// Ten significant digits, for people.
std::string readable(double x);
// The shortest decimal that reads back to x; nan, inf, -inf.
std::string csv_number(double x);
// The same, or "NaN", "Infinity", "-Infinity" as JSON strings.
std::string json_number(double x);
// A JSON string literal.
std::string json_string(std::string_view text);
// A CSV field, quoted where it must be.
std::string csv_field(std::string_view text);

// A result in the units of `units`, and the name of that unit.
double in_output_units(const Property& p, double value, const OutputUnits& units);
std::string_view output_unit(const Property& p, const OutputUnits& units);

// Every property at (T, P), the reference equation's value beside each it also
// gives with their relative difference, and a warning on stderr for each state
// flag set (the equation's own flags are in the output).
void print_state(double T, double P, const Options& options);

// One property over every T (and every P, for routines of T and P), a row
// per point; a warning on stderr for each relevant state flag met anywhere.
void print_table(const Property& property, const Values& T, const Values& P, const Options& options);

struct ThermometerResult {
  double T;
  int iterations;
  bool converged;
  unsigned flags;  // the state flags of the result (the library's *_state report)
};
// The result of a thermometer with the flags of its state, a warning on
// stderr for each flag, and one when the iteration stopped short of its
// tolerance.
void print_thermometer(const char* method, const ThermometerResult& result, Format format);

// Every property at a few reference states: what `vorn` alone prints.
void print_reference_states(const Options& options);

// One warning line on stderr for each flag set in `flags`.
void warn_state_flags(unsigned flags);

// Rows of states, each with several properties and the flags that spoil any
// of them; streamed: a row is written when the buffer fills, or at once when
// `each_row` is set.
class StateRows {
 public:
  StateRows(std::vector<const Property*> properties, const Options& options, bool numbered, bool each_row);
  void row(double T, double P, std::size_t number);
  // Closes the document, flushes it and warns of the flags met.
  void finish();

 private:
  void flush_if_full();
  std::vector<const Property*> properties_;
  Options options_;
  bool numbered_, each_row_;
  unsigned mask_ = 0;
  std::size_t rows_ = 0;
  std::vector<std::size_t> flag_count_;
  fmt::memory_buffer text_;
};

}  // namespace vorn_cli
