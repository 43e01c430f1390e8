// A property of either family, as `vorn table` and `vorn eval` compute it:
// a correlation (of T, or of T and P), the reference equation (of any input
// pair), or a name both families have at T P, answered by the one rule of
// `vorn state`: the correlation's value where its flags leave it meaning
// something, the equation's where they do not (and the flagged correlation's
// where the equation has no state either: below 0.8 K in He II, solid, out of
// its range; a NaN of a state it has, such as He II's conductivity, stands).
// Evaluated over
// arrays, with the flags of the family that answered and which one it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "eos_report.hpp"
#include "flags.hpp"
#include "properties.hpp"
#include "table.hpp"

namespace vorn_cli {

// Which family answered a point.
enum class Source : unsigned char { correlation, equation, flagged };
std::string_view source_name(Source source);

// The rule at one point: the correlation's value and the flags that spoil
// it (already masked with the routine's), the equation's value and whether
// the equation has a state there (its NaN then means the property has none).
struct Answer {
  double value;
  Source source;
};
Answer choose(double correlation, unsigned spoiled, double equation, bool equation_has_state);

// The equation's property of the correlation's name (of its speed of sound too), or null.
const EosProperty* counterpart(const Property& p);

struct Quantity {
  const Property* correlation = nullptr;  // at least one of the two is set; both: the rule
  const EosProperty* equation = nullptr;

  bool by_rule() const { return correlation != nullptr && equation != nullptr; }
  std::string_view name() const { return correlation != nullptr ? correlation->name : equation->name; }
  Converted units(const OutputUnits& units) const;  // the unit of its values, and the factor to it
  // "density (vorn_rho)", "enthalpy (reference equation of state)", "cp (vorn_cp where it means something,
  // else the reference equation of state)"
  std::string description() const;
  // The inputs it takes: 1 (T alone), or 2.
  bool of_T_alone() const { return correlation != nullptr && !correlation->needs_pressure(); }

  // Values (in the user's units), flags (of the family that answered: `sources`) at n points of `pair` (x1,
  // x2 in the library's units; the correlations take VORN_EOS_TP alone).
  void evaluate(int pair, std::size_t n, const double* x1, const double* x2, double* values, unsigned* flags,
                Source* sources, const OutputUnits& units) const;
  // Whether a value is an answer: a number, not flagged as meaningless.
  static bool answered(double value, unsigned flags, Source source);
  const FlagFamily& flags(Source source) const {
    return source == Source::equation ? equation_flags() : correlation_flags();
  }
};

// The property named. An exported name (vorn_cp) is that routine alone; with
// `equation` (--eos) or a pair other than T P a name the equation has is the
// equation's; else a name both families have follows the rule, and one of
// either alone is that family's. Unknown names throw UsageError naming
// `argument`.
Quantity find_quantity(std::string_view argument, std::string_view name, bool equation);

}  // namespace vorn_cli
