#include "quantity.hpp"

#include <cmath>

#include "flags.hpp"
#include "input.hpp"
#include "names.hpp"
#include "output.hpp"
#include "vorn.h"

namespace vorn_cli {

std::string_view source_name(Source source) {
  return source == Source::correlation ? "correlation" : source == Source::equation ? "equation" : "flagged";
}

Answer choose(double correlation, unsigned spoiled, double equation, bool equation_has_state) {
  if (spoiled == 0) return {correlation, Source::correlation};
  if (!std::isnan(equation) || equation_has_state) return {equation, Source::equation};
  return {correlation, Source::flagged};
}

const EosProperty* counterpart(const Property& p) {
  const std::string_view name = p.name == "sound-speed-gk" ? "sound-speed" : p.name;
  for (const EosProperty& e : eos_properties()) {
    if (e.name == name) return &e;
  }
  return nullptr;
}

Converted Quantity::units(const OutputUnits& units) const {
  return correlation != nullptr ? output_units(*correlation, units) : eos_units(*equation, units);
}

std::string Quantity::description() const {
  if (by_rule()) {
    return fmt::format("{} ({} where it means something, else the reference equation of state)",
                       correlation->description, correlation->exported);
  }
  return correlation != nullptr ? fmt::format("{} ({})", correlation->description, correlation->exported)
                                : fmt::format("{} (reference equation of state)", equation->description);
}

void Quantity::evaluate(int pair, std::size_t n, const double* x1, const double* x2, double* values,
                        unsigned* flags, Source* sources, const OutputUnits& units) const {
  if (correlation != nullptr) {
    const Property& p = *correlation;
    const Converted to = output_units(p, units);
    if (p.of_TP_n != nullptr) {
      p.of_TP_n(n, x1, x2, values);
    } else {
      for (std::size_t k = 0; k < n; ++k) values[k] = p(x1[k], x2[k]);
    }
    vorn_state_n(n, x1, x2, flags);
    for (std::size_t k = 0; k < n; ++k) {
      values[k] = to(values[k]);
      flags[k] &= p.flags;
      sources[k] = flags[k] == 0 ? Source::correlation : Source::flagged;
    }
    if (equation == nullptr) return;
  }
  // The equation: everywhere, or under the rule at the points whose correlation value is spoiled.
  const Converted to = eos_units(*equation, units);
  std::vector<double> a;
  std::vector<double> b;
  std::vector<std::size_t> at;
  for (std::size_t k = 0; k < n; ++k) {
    if (correlation == nullptr || flags[k] != 0) a.push_back(x1[k]), b.push_back(x2[k]), at.push_back(k);
  }
  if (at.empty()) return;
  std::vector<double> x(at.size());
  std::vector<double> f(at.size());
  vorn_eos_value_n(at.size(), &equation->code, &pair, a.data(), b.data(), x.data());
  const int code = VORN_EOS_FLAGS;
  vorn_eos_value_n(at.size(), &code, &pair, a.data(), b.data(), f.data());
  for (std::size_t i = 0; i < at.size(); ++i) {
    const std::size_t k = at[i];
    const Answer answer = correlation == nullptr
                              ? Answer{x[i], Source::equation}
                              : choose(values[k], flags[k], to(x[i]),
                                       (static_cast<unsigned>(f[i]) & equation_flags().withholding()) == 0);
    if (answer.source == Source::flagged) continue;
    values[k] = correlation == nullptr ? to(x[i]) : answer.value;
    flags[k] = static_cast<unsigned>(f[i]);
    sources[k] = Source::equation;
  }
}

bool Quantity::answered(double value, unsigned flags, Source source) {
  if (std::isnan(value) || source == Source::flagged) return false;
  return source == Source::correlation || (flags & equation_flags().withholding()) == 0;
}

Quantity find_quantity(std::string_view argument, std::string_view name, bool equation) {
  const Property* p = find_property(name);
  const EosProperty* e = find_eos_property(name);
  if (p != nullptr && equal_names_ignoring_case(p->exported, name))
    return {p, nullptr};  // the routine itself
  if (e != nullptr && (equation || p == nullptr)) return {nullptr, e};
  if (p != nullptr && !equation) return {p, counterpart(*p)};
  throw UsageError(
      fmt::format("{}: unknown property '{}'{}; expected one of the correlations' {} (or an alias such as "
                  "mu, k, 'speed of "
                  "sound', or an exported name such as vorn_cp), or of the reference equation's {}",
                  argument, name, p != nullptr ? " of the reference equation" : "", property_names(),
                  eos_property_names()));
}

}  // namespace vorn_cli
