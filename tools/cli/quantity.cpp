#include "quantity.hpp"

#include <cmath>

#include "flags.hpp"
#include "input.hpp"
#include "output.hpp"
#include "vorn.h"

namespace vorn_cli {

Converted Quantity::units(const OutputUnits& units) const {
  return correlation ? output_units(*correlation, units) : eos_units(*equation, units);
}

std::string Quantity::description() const {
  return correlation ? fmt::format("{} ({})", correlation->description, correlation->exported)
                     : fmt::format("{} (reference equation of state)", equation->description);
}

void Quantity::evaluate(int pair, std::size_t n, const double* x1, const double* x2, double* values,
                        unsigned* flags, const OutputUnits& units) const {
  const Converted to = this->units(units);
  if (correlation != nullptr) {
    const Property& p = *correlation;
    if (p.of_TP_n != nullptr) {
      p.of_TP_n(n, x1, x2, values);
    } else {
      for (std::size_t k = 0; k < n; ++k) values[k] = p(x1[k], x2[k]);
    }
    vorn_state_n(n, x1, x2, flags);
    for (std::size_t k = 0; k < n; ++k) {
      values[k] = to(values[k]);
      flags[k] &= p.flags;
    }
    return;
  }
  std::vector<double> f(n);
  vorn_eos_value_n(n, &equation->code, &pair, x1, x2, values);
  const int code = VORN_EOS_FLAGS;
  vorn_eos_value_n(n, &code, &pair, x1, x2, f.data());
  for (std::size_t k = 0; k < n; ++k) {
    values[k] = to(values[k]);
    flags[k] = static_cast<unsigned>(f[k]);
  }
}

bool Quantity::answered(double value, unsigned flags) const {
  return !std::isnan(value) &&
         (flags & (correlation ? correlation->flags : equation_flags().withholding())) == 0;
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

}  // namespace vorn_cli
