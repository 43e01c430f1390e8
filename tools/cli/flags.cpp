#include "flags.hpp"

#include <fmt/format.h>

#include <cctype>
#include <cstring>
#include <string_view>
#include <utility>

#include "output.hpp"
#include "vorn.h"

namespace vorn_cli {
namespace {

// HE_II as the tool writes it: he-ii.
std::string lower_dashed(std::string_view name) {
  std::string text(name);
  for (char& c : text) c = c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<Flag> state_flags() {
  std::vector<Flag> flags;
  for (unsigned i = 0; i < 32; ++i) {
    const unsigned bit = 1u << i;
    if (std::strcmp(vorn_state_name(bit), "unknown") == 0) continue;
    const char* meaning = vorn_state_description(bit);
    flags.push_back({bit, vorn_state_name(bit), meaning != nullptr ? meaning : vorn_state_name(bit), false});
  }
  return flags;
}

}  // namespace

FlagFamily::FlagFamily(std::string prefix, std::vector<Flag> flags)
    : prefix_(std::move(prefix)), flags_(std::move(flags)) {
  for (const Flag& f : flags_) withholding_ |= f.withholds ? f.bit : 0u;
}

std::vector<std::string> FlagFamily::names(unsigned flags) const {
  std::vector<std::string> names;
  for (const Flag& f : flags_) {
    if ((flags & f.bit) != 0) names.push_back(f.name);
  }
  return names;
}

void FlagFamily::warn(unsigned flags) const {
  for (const Flag& f : flags_) {
    if ((flags & f.bit) != 0) write_err(fmt::format("warning: {}{}: {}", prefix_, f.name, f.meaning));
  }
}

const FlagFamily& correlation_flags() {
  static const FlagFamily family("", state_flags());
  return family;
}

const FlagFamily& equation_flags() {
  static const FlagFamily family("reference equation: ", {
#define VORN_EOS_FLAG_ROW(NAME, bit, key, withholds, description) \
  {bit, lower_dashed(#NAME), description, withholds != 0},
#include "vorn_eos_facts.def"
                                                         });
  return family;
}

const FlagFamily& liquid_flags() {
  static const FlagFamily family(
      "saturated liquid: ",
      {{VORN_SVP_FLAG_BAD_INPUT, "bad-input",
        "a temperature or pressure that is negative, zero or not finite (a channel: also a heat flux "
        "below 0, a warm end below the bath)",
        true},
       {VORN_SVP_FLAG_OUT_OF_RANGE, "out-of-range", "outside the range of a fit: NaN", true},
       {VORN_SVP_FLAG_OUTSIDE_SCALE, "outside-scale",
        "below 1.25 K: the vapour-pressure fit of the data, not ITS-90", false},
       {VORN_SVP_FLAG_AT_LAMBDA, "at-lambda", "at the lambda point, where a property has no value: NaN",
        true},
       {VORN_SVP_FLAG_PAST_LAMBDA, "past-lambda",
        "the channel's warm end would pass the lambda point (q above the peak heat flux): NaN", true}});
  return family;
}

void FlagCounts::add(unsigned flags) {
  for (std::size_t i = 0; i < counts_.size(); ++i) counts_[i] += (flags & family_->all()[i].bit) != 0 ? 1 : 0;
}

void FlagCounts::warn(std::size_t points) const {
  for (std::size_t i = 0; i < counts_.size(); ++i) {
    const Flag& f = family_->all()[i];
    if (counts_[i] != 0) {
      write_err(fmt::format("warning: {}{} at {} of {} points: {}", family_->prefix(), f.name, counts_[i],
                            points, f.meaning));
    }
  }
}

}  // namespace vorn_cli
