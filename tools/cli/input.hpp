// Reading numbers, quantities with units and ranges from the command line.
// Everything is checked before anything is computed, so bad input never
// prints half a table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "units.hpp"

namespace vorn_cli {

// Bad command-line input: the message names the argument and what was
// expected. The tool prints it on one line and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `text` without the blanks at its ends.
std::string_view trim(std::string_view text);

// The most points one table may have, over all its rows.
inline constexpr std::size_t kMaxPoints = 10'000'000;

// A decimal number held exactly: mantissa * 10^exponent. Ranges are worked
// out on these by hand because no library at hand does START + i STEP in
// decimal with one rounding: strtod and std::from_chars round a decimal once
// but do no arithmetic, fmt and CLI11 only print and parse, and exact decimal
// arithmetic (GMP, Boost.Multiprecision) is no dependency of the tool. 128
// bits hold the 37 digits of any range of ten million points typed by hand.
__extension__ typedef __int128 Int128;
struct Decimal {
  Int128 mantissa = 0;
  int exponent = 0;
};

// One finite number, the whole of `text`, in the base unit of `dimension`
// (K or kPa), with an optional unit (`bare_unit` when none is written, base
// units when that is null); `argument` names it in the error.
double parse_quantity(std::string_view argument, std::string_view text, Dimension dimension,
                      const Unit* bare_unit = nullptr);

// A pressure in kPa: with a unit, or bare in the pressure unit of --units. A
// bare number at or above kLargeBarePressure (10 MPa) is more likely one
// typed in a smaller unit than meant: a warning on stderr says how it was
// read (the Python package warns by the same rule).
inline constexpr double kLargeBarePressure = 1e4;  // kPa
// `bare`, when given, says whether the number was written without its unit.
double read_pressure(std::string_view argument, std::string_view text, const OutputUnits& units,
                     bool* bare = nullptr);

// One finite dimensionless number.
inline double parse_number(std::string_view argument, std::string_view text) {
  return parse_quantity(argument, text, Dimension::none);
}

// The points of a range or a list, each formed when asked for.
class Values {
 public:
  explicit Values(std::vector<double> list) : list_(std::move(list)), count_(list_.size()) {}
  Values(Decimal start, Decimal step, std::int64_t divisor, std::size_t count);  // exact decimals
  Values(double start, double step, std::size_t count);                          // doubles: START + i STEP
  std::size_t size() const { return count_; }
  double operator[](std::size_t i) const;

 private:
  enum class Kind { list, decimal, binary } kind_ = Kind::list;
  std::vector<double> list_;
  Decimal start_, step_;
  std::int64_t divisor_ = 1;
  double binary_start_ = 0.0, binary_step_ = 0.0;
  std::size_t count_ = 0;
};

// The T of one state above 0 K, its P at or above 0: else UsageError naming `argument`, its text as typed
// and its value in base units. (A point of a table or a log that is no state is a row flagged invalid.)
void require_physical(std::string_view argument, std::string_view text, double value, Dimension dimension);
// The same for every point given on the command line (a heat flux at or above 0 too): a table's points
// typed by the user are arguments, not rows.
void require_physical(std::string_view argument, const Values& points, Dimension dimension);

// START:STOP:STEP, a list A,B,C,... or one number. A range's point i is
// START + i STEP, worked out in decimal from the digits typed and rounded
// once, so that every point prints as the decimal it is; STOP is included
// when a whole number of steps reaches it exactly and no point lies past
// it. A unit written on STEP alone applies to START and STOP too
// ("2:300:0.5K"); in a list each item carries its own.
// A number without a unit is in `bare_unit` (base units when null).
Values parse_values(std::string_view argument, std::string_view text, Dimension dimension,
                    const Unit* bare_unit = nullptr);

}  // namespace vorn_cli
