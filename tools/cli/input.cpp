#include "input.hpp"

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <system_error>

namespace vorn_cli {
namespace {

[[noreturn]] void fail(std::string_view argument, std::string_view what) {
  throw UsageError(fmt::format("{}: {}", argument, what));
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

}  // namespace

double parse_number(std::string_view argument, std::string_view text) {
  if (text.empty()) fail(argument, "empty value; expected a number");
  std::string_view digits = text;
  if (digits.front() == '+') digits.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range)
    fail(argument, fmt::format("'{}' is out of the range of a double", text));
  if (error != std::errc() || end != digits.data() + digits.size()) {
    fail(argument, fmt::format("'{}' is not a number", text));
  }
  if (!std::isfinite(value)) fail(argument, fmt::format("'{}' is not a finite number", text));
  return value;
}

std::vector<double> parse_values(std::string_view argument, std::string_view text) {
  if (text.empty()) fail(argument, "empty range; expected START:STOP:STEP, a list A,B,... or one number");

  if (text.find(':') != std::string_view::npos) {
    const auto parts = split(text, ':');
    if (parts.size() != 3) fail(argument, fmt::format("'{}' is not a range; expected START:STOP:STEP", text));
    const double start = parse_number(argument, parts[0]);
    const double stop = parse_number(argument, parts[1]);
    const double step = parse_number(argument, parts[2]);
    if (step == 0.0) fail(argument, fmt::format("'{}' has a step of zero; expected a nonzero STEP", text));
    const double span = stop - start;
    if ((span > 0.0 && step < 0.0) || (span < 0.0 && step > 0.0)) {
      fail(argument,
           fmt::format("'{}' steps away from STOP; expected a STEP of the sign of STOP - START", text));
    }
    // A stop that the steps miss by rounding alone still counts as reached.
    const double intervals = std::floor(span / step * (1.0 + 1e-12) + 1e-9);
    if (!(intervals < static_cast<double>(kMaxPoints))) {
      fail(argument,
           fmt::format("'{}' has more than {} points; expected at most that many", text, kMaxPoints));
    }
    const auto count = static_cast<std::size_t>(intervals) + 1;
    std::vector<double> values(count);
    for (std::size_t i = 0; i < count; ++i) values[i] = start + static_cast<double>(i) * step;
    if (std::fabs(values.back() - stop) <= 1e-9 * std::fabs(step)) values.back() = stop;
    return values;
  }

  std::vector<double> values;
  for (const std::string_view item : split(text, ',')) {
    if (item.empty())
      fail(argument, fmt::format("'{}' has an empty item; expected numbers separated by commas", text));
    values.push_back(parse_number(argument, item));
  }
  if (values.size() > kMaxPoints) {
    fail(argument, fmt::format("more than {} values; expected at most that many", kMaxPoints));
  }
  return values;
}

}  // namespace vorn_cli
