#include "input.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "output.hpp"

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

bool digit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of `text`: [+-] digits [. digits] [e [+-] digits],
// or [+-] inf, infinity, nan. Zero when there is none.
std::size_t number_length(std::string_view text) {
  const std::size_t sign = text.size() > 1 && text[0] == '+' && text[1] != '-' ? 1 : 0;  // "+-5" is none
  double x = 0.0;
  const auto read = std::from_chars(text.data() + sign, text.data() + text.size(), x);
  return read.ec == std::errc::invalid_argument ? 0 : static_cast<std::size_t>(read.ptr - text.data());
}

// The exact decimal of a number as number_length reads it, or nothing when
// it has more digits than 37 or is not finite.
std::optional<Decimal> exact_decimal(std::string_view number) {
  Decimal d;
  bool negative = false;
  std::size_t i = 0;
  if (number[i] == '+' || number[i] == '-') negative = number[i++] == '-';
  if (i < number.size() && !digit(number[i]) && number[i] != '.') return std::nullopt;  // inf, nan
  int significant = 0;
  bool after_point = false;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    if (number[i] == '.') {
      after_point = true;
      continue;
    }
    if (d.mantissa != 0 || number[i] != '0') ++significant;
    if (significant > 37) return std::nullopt;
    d.mantissa = d.mantissa * 10 + (number[i] - '0');
    if (after_point) --d.exponent;
  }
  if (i < number.size()) {
    const long long written = std::strtoll(std::string(number.substr(i + 1)).c_str(), nullptr, 10);
    if (written > 100000 || written < -100000) return std::nullopt;  // far outside any double
    d.exponent += static_cast<int>(written);
  }
  if (negative) d.mantissa = -d.mantissa;
  return d;
}

std::optional<Int128> times(Int128 a, Int128 b) {
  Int128 product = 0;
  if (__builtin_mul_overflow(a, b, &product)) return std::nullopt;
  return product;
}

std::optional<Int128> power_of_ten(int n) {
  Int128 p = 1;
  for (int i = 0; i < n; ++i) {
    const auto next = times(p, 10);
    if (!next) return std::nullopt;
    p = *next;
  }
  return p;
}

// a and b at the smaller of their exponents, or nothing when a mantissa overflows.
std::optional<Decimal> at_exponent(const Decimal& d, int exponent) {
  if (d.mantissa == 0) return Decimal{0, exponent};
  const auto scale = power_of_ten(d.exponent - exponent);
  if (!scale) return std::nullopt;
  const auto mantissa = times(d.mantissa, *scale);
  if (!mantissa) return std::nullopt;
  return Decimal{*mantissa, exponent};
}

// strtod on our own digits: correctly rounded; an underflow is the nearest
// subnormal or zero, an overflow an infinity.
double read_double(const std::string& text) {
  errno = 0;
  return std::strtod(text.c_str(), nullptr);
}

struct Reading {
  std::string_view number;  // the digits as typed
  const Unit* unit;         // null for a bare number
};

Reading read(std::string_view argument, std::string_view whole, std::string_view text, Dimension dimension) {
  text = trim(text);
  if (text.empty()) fail(argument, fmt::format("empty value; expected {}", what_is_expected(dimension)));
  const std::size_t length = number_length(text);
  if (length == 0)
    fail(argument, fmt::format("'{}' is not a number; expected {}", whole, what_is_expected(dimension)));
  const std::string_view symbol = trim(text.substr(length));
  Reading reading{text.substr(0, length), nullptr};
  if (symbol.empty()) return reading;
  if (dimension != Dimension::none) reading.unit = find_unit(symbol, dimension);
  if (reading.unit == nullptr) {
    fail(argument, dimension == Dimension::none
                       ? fmt::format("'{}' is not a number; expected {} without a unit", whole,
                                     what_is_expected(dimension))
                       : fmt::format("'{}' is not a number with a unit: '{}' is no unit of {}; expected "
                                     "{} (units: {})",
                                     whole, symbol, dimension_name(dimension), what_is_expected(dimension),
                                     unit_symbols(dimension)));
  }
  return reading;
}

// The reading in base units times the unit's divisor, exactly, or nothing.
// A difference (the STEP of a range) takes no offset.
std::optional<Decimal> exact_in_base(const Reading& r, bool difference) {
  auto d = exact_decimal(r.number);
  if (!d || r.unit == nullptr) return d;
  const auto scaled = times(d->mantissa, r.unit->numerator);
  if (!scaled) return std::nullopt;
  Decimal value{*scaled, d->exponent + r.unit->exponent};
  if (r.unit->offset_hundredths == 0 || difference) return value;
  const int exponent = std::min(value.exponent, -2);
  const auto a = at_exponent(value, exponent);
  const auto b = at_exponent(Decimal{r.unit->offset_hundredths, -2}, exponent);
  if (!a || !b) return std::nullopt;
  return Decimal{a->mantissa + b->mantissa, exponent};
}

std::int64_t divisor_of(const Reading& r) { return r.unit == nullptr ? 1 : r.unit->divisor; }

// The double nearest a decimal (one rounding).
double to_double(const Decimal& d) {
  // Both factors exact in a double (|m| < 2^53, 10^|e| <= 10^22): one IEEE
  // operation, so one rounding of the exact product or quotient.
  constexpr std::array<double, 23> kPowers{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                           1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr Int128 kExact = Int128{1} << 53;
  if (d.mantissa > -kExact && d.mantissa < kExact && d.exponent >= -22 && d.exponent <= 22) {
    const auto m = static_cast<double>(static_cast<long long>(d.mantissa));
    return d.exponent >= 0 ? m * kPowers[static_cast<std::size_t>(d.exponent)]
                           : m / kPowers[static_cast<std::size_t>(-d.exponent)];
  }
  return read_double(fmt::format("{}e{}", d.mantissa, d.exponent));
}

// The double nearest d / divisor: the quotient to some 30 digits, and a last
// digit 1 when the division leaves a remainder, so that strtod rounds the
// exact quotient (unless it lies within 1e-30 of a point halfway between two
// doubles).
double to_double_over(const Decimal& d, std::int64_t divisor) {
  if (divisor == 1 || d.mantissa == 0) return to_double(d);
  const bool negative = d.mantissa < 0;
  Int128 m = negative ? -d.mantissa : d.mantissa;
  int exponent = d.exponent;
  const Int128 limit = *power_of_ten(36);
  while (m < limit) m *= 10, --exponent;
  Int128 q = m / divisor;
  if (m % divisor != 0) q = q * 10 + 1, --exponent;
  return to_double(Decimal{negative ? -q : q, exponent});
}

double value_of(std::string_view argument, std::string_view whole, const Reading& r, bool difference) {
  double value = 0.0;
  if (const auto d = exact_in_base(r, difference)) {
    value = to_double_over(*d, divisor_of(r));
  } else {
    std::string digits(r.number);
    if (!digits.empty() && digits[0] == '+') digits.erase(0, 1);
    value = read_double(digits);
    if (r.unit != nullptr) {
      value = value * (static_cast<double>(r.unit->numerator) * std::pow(10.0, r.unit->exponent)) /
              static_cast<double>(r.unit->divisor);
      if (!difference) value += static_cast<double>(r.unit->offset_hundredths) / 100.0;
    }
  }
  if (std::isnan(value)) fail(argument, fmt::format("'{}' is not a finite number", whole));
  if (std::isinf(value)) {
    const bool written_infinite = r.number.find_first_of("iI") != std::string_view::npos;
    fail(argument, written_infinite ? fmt::format("'{}' is not a finite number", whole)
                                    : fmt::format("'{}' is out of the range of a double", whole));
  }
  return value;
}

}  // namespace

std::string_view trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

double parse_quantity(std::string_view argument, std::string_view text, Dimension dimension,
                      const Unit* bare_unit) {
  Reading r = read(argument, trim(text), text, dimension);
  if (r.unit == nullptr) r.unit = bare_unit;
  return value_of(argument, trim(text), r, false);
}

double read_pressure(std::string_view argument, std::string_view text, const OutputUnits& units, bool* bare) {
  const double P =
      parse_quantity(argument, text, Dimension::pressure, find_unit(units.pressure, Dimension::pressure));
  const Reading r = read(argument, trim(text), text, Dimension::pressure);
  if (bare != nullptr) *bare = r.unit == nullptr;
  if (r.unit == nullptr && P >= kLargeBarePressure) {
    write_err(
        fmt::format("warning: {}: a bare number is read in {}: {} {} = {} MPa; write its unit (such as {}Pa) "
                    "if another was "
                    "meant",
                    argument, units.pressure, trim(text), units.pressure, P / 1000, trim(text)));
  }
  return P;
}

void require_physical(std::string_view argument, std::string_view text, double value, Dimension dimension) {
  if (dimension == Dimension::temperature && !(value > 0.0)) {
    throw UsageError(
        fmt::format("{}: '{}' is {} K; expected a temperature above 0 K", argument, trim(text), value));
  }
  if (dimension == Dimension::pressure && !(value >= 0.0)) {
    throw UsageError(
        fmt::format("{}: '{}' is {} kPa; expected a pressure of 0 or more", argument, trim(text), value));
  }
  if (dimension == Dimension::heat_flux && !(value >= 0.0)) {
    throw UsageError(
        fmt::format("{}: '{}' is {} W/m^2; expected a heat flux of 0 or more", argument, trim(text), value));
  }
}

void require_physical(std::string_view argument, const Values& points, Dimension dimension) {
  for (std::size_t i = 0; i < points.size(); ++i)
    require_physical(argument, fmt::format("{}", points[i]), points[i], dimension);
}

Values::Values(Decimal start, Decimal step, std::int64_t divisor, std::size_t count)
    : kind_(Kind::decimal), start_(start), step_(step), divisor_(divisor), count_(count) {}

Values::Values(double start, double step, std::size_t count)
    : kind_(Kind::binary), binary_start_(start), binary_step_(step), count_(count) {}

double Values::operator[](std::size_t i) const {
  switch (kind_) {
    case Kind::list:
      return list_[i];
    case Kind::decimal: {
      const Decimal point{start_.mantissa + static_cast<Int128>(i) * step_.mantissa, start_.exponent};
      return to_double_over(point, divisor_);
    }
    case Kind::binary:
      break;
  }
  return binary_start_ + static_cast<double>(i) * binary_step_;
}

Values parse_values(std::string_view argument, std::string_view text, Dimension dimension,
                    const Unit* bare_unit) {
  if (trim(text).empty()) {
    fail(argument, "empty range; expected START:STOP:STEP, a list A,B,... or one number");
  }
  if (text.find(':') == std::string_view::npos) {
    std::vector<double> values;
    for (const std::string_view item : split(text, ',')) {
      if (trim(item).empty()) {
        fail(argument, fmt::format("'{}' has an empty item; expected numbers separated by commas", text));
      }
      if (values.size() == kMaxPoints) {
        fail(argument, fmt::format("more than {} values; expected at most that many", kMaxPoints));
      }
      values.push_back(parse_quantity(argument, item, dimension, bare_unit));
    }
    return Values(std::move(values));
  }

  const auto parts = split(text, ':');
  if (parts.size() != 3) fail(argument, fmt::format("'{}' is not a range; expected START:STOP:STEP", text));
  std::array<Reading, 3> r{};
  for (std::size_t i = 0; i < 3; ++i) r[i] = read(argument, trim(parts[i]), parts[i], dimension);
  if (r[2].unit != nullptr) {  // a unit on STEP alone is the unit of the whole range
    for (std::size_t i = 0; i < 2; ++i) {
      if (r[i].unit == nullptr) r[i].unit = r[2].unit;
    }
  }
  for (Reading& reading : r) {
    if (reading.unit == nullptr) reading.unit = bare_unit;
  }
  const double start = value_of(argument, trim(parts[0]), r[0], false);
  const double stop = value_of(argument, trim(parts[1]), r[1], false);
  const double step = value_of(argument, trim(parts[2]), r[2], true);
  if (step == 0.0) fail(argument, fmt::format("'{}' has a step of zero; expected a nonzero STEP", text));
  if ((stop > start && step < 0.0) || (stop < start && step > 0.0)) {
    fail(argument,
         fmt::format("'{}' steps away from STOP; expected a STEP of the sign of STOP - START", text));
  }
  const auto too_many = [&] {
    fail(argument, fmt::format("'{}' has more than {} points; expected at most that many", text, kMaxPoints));
  };

  // Exactly, in decimal, when the three share a divisor and fit 127 bits at a common exponent.
  const auto a = exact_in_base(r[0], false), b = exact_in_base(r[1], false), s = exact_in_base(r[2], true);
  if (a && b && s && divisor_of(r[0]) == divisor_of(r[2]) && divisor_of(r[1]) == divisor_of(r[2])) {
    const int exponent = std::min({a->exponent, b->exponent, s->exponent});
    const auto a0 = at_exponent(*a, exponent), b0 = at_exponent(*b, exponent), s0 = at_exponent(*s, exponent);
    if (a0 && b0 && s0 && s0->mantissa != 0) {
      const Int128 intervals = (b0->mantissa - a0->mantissa) / s0->mantissa;  // >= 0: signs checked above
      if (intervals < 0) {
        fail(argument,
             fmt::format("'{}' steps away from STOP; expected a STEP of the sign of STOP - START", text));
      }
      if (intervals >= static_cast<Int128>(kMaxPoints)) too_many();
      return Values(*a0, *s0, divisor_of(r[2]), static_cast<std::size_t>(intervals) + 1);
    }
  }

  // Otherwise in binary: START + i STEP, no point past STOP.
  const double intervals = std::floor((stop - start) / step);
  if (!(intervals < static_cast<double>(kMaxPoints))) too_many();
  auto count = static_cast<std::size_t>(intervals) + 1;
  const Values probe(start, step, count + 1);
  const auto past = [&](double x) { return step > 0.0 ? x > stop : x < stop; };
  while (count > 1 && past(probe[count - 1])) --count;
  // floor() one short: the next point is still on this side of STOP (and not absorbed into the last).
  if (count < kMaxPoints && !past(probe[count]) && probe[count] != probe[count - 1]) ++count;
  return Values(start, step, count);
}

}  // namespace vorn_cli
