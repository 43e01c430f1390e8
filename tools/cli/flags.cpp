#include "flags.hpp"

#include <cstring>

#include "vorn.h"

namespace vorn_cli {
namespace {

bool named(unsigned bit) { return std::strcmp(vorn_state_name(bit), "unknown") != 0; }

}  // namespace
std::vector<unsigned> named_bits(unsigned flags) {
  std::vector<unsigned> bits;
  for (unsigned i = 0; i < 32; ++i) {
    const unsigned bit = 1u << i;
    if ((flags & bit) != 0 && named(bit)) bits.push_back(bit);
  }
  return bits;
}

std::string flag_names(unsigned flags) {
  std::string names;
  for (const unsigned bit : named_bits(flags)) {
    if (!names.empty()) names += '+';
    names += vorn_state_name(bit);
  }
  return names.empty() ? "-" : names;
}

std::string flag_meaning(unsigned bit) {
  const char* text = vorn_state_description(bit);
  return text != nullptr ? text : vorn_state_name(bit);
}

}  // namespace vorn_cli
