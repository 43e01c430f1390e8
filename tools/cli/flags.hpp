// State flags by name. The names are the library's own (vorn_state_name over
// bits 0 to 31) and so are their meanings (vorn_state_description), so a
// flag the library adds needs no change here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorn_cli {

// The bits of `flags` that the library names, lowest first.
std::vector<unsigned> named_bits(unsigned flags);

// "liquid+density-turned", or "-" when no named flag is set.
std::string flag_names(unsigned flags);

// One sentence on what the flag `bit` (a single bit) means.
std::string flag_meaning(unsigned bit);

}  // namespace vorn_cli
