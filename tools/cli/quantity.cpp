#include "quantity.hpp"

#include <cmath>

#include "flags.hpp"
#include "input.hpp"
#include "output.hpp"
#include "vorn.h"

namespace vorn_cli {

std::string Quantity::unit(const OutputUnits& units) const {
  return correlation ? std::string(output_unit(*correlation, units)) : eos_unit(*equation, units);
}

std::string Quantity::description() const {
  return correlation ? fmt::format("{} ({})", correlation->description, correlation->exported)
                     : fmt::format("{} (reference equation of state)", equation->description);
}

void Quantity::evaluate(int pair, std::size_t n, const double* x1, const double* x2, double* values,
                        unsigned* flags, const OutputUnits& units) const {
  if (correlation != nullptr) {
    const Property& p = *correlation;
    if (p.of_TP_n != nullptr) {
      p.of_TP_n(n, x1, x2, values);
    } else {
      for (std::size_t k = 0; k < n; ++k) values[k] = p(x1[k], x2[k]);
    }
    vorn_state_n(n, x1, x2, flags);
    for (std::size_t k = 0; k < n; ++k) {
      values[k] = in_output_units(p, values[k], units);
      flags[k] &= p.flags;
    }
    return;
  }
  std::vector<double> f(n);
  vorn_eos_value_n(n, &equation->code, &pair, x1, x2, values);
  const int code = VORN_EOS_FLAGS;
  vorn_eos_value_n(n, &code, &pair, x1, x2, f.data());
  for (std::size_t k = 0; k < n; ++k) {
    values[k] = eos_out(*equation, values[k], units);
    flags[k] = static_cast<unsigned>(f[k]);
  }
}

bool Quantity::answered(double value, unsigned flags) const {
  return !std::isnan(value) && (flags & (correlation ? correlation->flags : eos_without_result())) == 0;
}

std::vector<std::string> Quantity::flag_list(unsigned flags) const {
  if (equation != nullptr) return eos_flag_list(flags);
  std::vector<std::string> names;
  for (const unsigned bit : named_bits(flags)) names.emplace_back(vorn_state_name(bit));
  return names;
}

Quantity find_quantity(std::string_view argument, std::string_view name, bool equation) {
  const Property* p = find_property(name);
  const EosProperty* e = find_eos_property(name);
  if (e != nullptr && (equation || p == nullptr)) return {nullptr, e};
  if (p != nullptr && !equation) return {p, nullptr};
  throw UsageError(
      fmt::format("{}: unknown property '{}'{}; expected one of the correlations' {} (or an alias such as "
                  "mu, k, 'speed of "
                  "sound', or an exported name such as vorn_cp), or of the reference equation's {}",
                  argument, name, p != nullptr ? " of the reference equation" : "", property_names(),
                  eos_property_names()));
}

void FlagCounts::add(bool correlation, unsigned flags) {
  auto& counts = correlation ? correlation_ : equation_;
  for (unsigned bit = 0; bit < 32; ++bit) counts[bit] += (flags >> bit) & 1u;
}

void FlagCounts::warn(std::size_t points) const {
  for (unsigned bit = 0; bit < 32; ++bit) {
    if (correlation_[bit] != 0) {
      write_err(fmt::format("warning: {} at {} of {} points: {}", vorn_state_name(1u << bit),
                            correlation_[bit], points, flag_meaning(1u << bit)));
    }
  }
  for (unsigned bit = 0; bit < 32; ++bit) {
    if (equation_[bit] != 0) {
      write_err(fmt::format("warning: reference equation: {} at {} of {} points", eos_flag_names(1u << bit),
                            equation_[bit], points));
    }
  }
}

}  // namespace vorn_cli
