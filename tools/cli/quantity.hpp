// A property of either family, as `vorn table` and `vorn eval` compute it:
// a correlation (of T, or of T and P) or the reference equation (of any
// input pair), evaluated over arrays, with the flags that spoil each value.
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

struct Quantity {
  const Property* correlation = nullptr;  // exactly one of the two is set
  const EosProperty* equation = nullptr;

  std::string_view name() const { return correlation ? correlation->name : equation->name; }
  Converted units(const OutputUnits& units) const;  // the unit of its values, and the factor to it
  std::string description() const;  // "density (vorn_rho)", "enthalpy (reference equation of state)"
  // The inputs it takes: 1 (T alone), or 2.
  bool of_T_alone() const { return correlation != nullptr && !correlation->needs_pressure(); }

  // Values (in the user's units) and flags at n points of `pair` (x1, x2 in the library's units; the
  // correlations take VORN_EOS_TP alone).
  void evaluate(int pair, std::size_t n, const double* x1, const double* x2, double* values, unsigned* flags,
                const OutputUnits& units) const;
  // Whether a value is an answer: a number, not flagged as meaningless.
  bool answered(double value, unsigned flags) const;
  const FlagFamily& flags() const { return correlation ? correlation_flags() : equation_flags(); }
};

// The property named: the equation's where `equation` is asked for, where the
// correlations have no such property, or where the pair is not T P; else the
// correlation's. Unknown names throw UsageError naming `argument`.
Quantity find_quantity(std::string_view argument, std::string_view name, bool equation);

}  // namespace vorn_cli
