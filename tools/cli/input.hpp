// Reading numbers and ranges from the command line. Everything is checked
// before anything is computed, so bad input never prints half a table.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorn_cli {

// Bad command-line input: the message names the argument and what was
// expected. The tool prints it on one line and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The most points one table may have, over all its rows.
inline constexpr std::size_t kMaxPoints = 10'000'000;

// One finite number, the whole of `text`; `argument` names it in the error.
double parse_number(std::string_view argument, std::string_view text);

// START:STOP:STEP (STOP included when the steps reach it) or a list
// A,B,C,... or one number.
std::vector<double> parse_values(std::string_view argument, std::string_view text);

}  // namespace vorn_cli
