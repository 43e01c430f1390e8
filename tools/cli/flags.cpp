#include "flags.hpp"

#include <array>
#include <cstring>

#include "vorn.h"

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace vorn_cli {
namespace {

struct StateFlag {
  unsigned bit;
  std::string_view meaning;
};

// What each flag means, in the words of the warnings; a flag missing here is
// described by the library, or by its name.
constexpr std::array<StateFlag, 7> kMeanings{{
    {VORN_STATE_INVALID, "T or P is not a finite number, or T <= 0, or P < 0"},
    {VORN_STATE_LIQUID, "the liquid side of the saturation curve: a metastable vapour at best"},
    {VORN_STATE_DENSITY_TURNED,
     "the virial isotherm has turned over: density, volume, cv, cp, gamma, Z mean nothing"},
    {VORN_STATE_SOUND_UNDEFINED, "the speed of sound from the acoustic virials is undefined (NaN)"},
    {VORN_STATE_ZA_NONPOSITIVE, "the acoustic factor Za <= 0: the correlation's speed of sound is NaN"},
    {VORN_STATE_K_POLE, "T is at or next to a pole of the thermal conductivity"},
    {VORN_STATE_NU_NEGATIVE, "the zero-pressure viscosity is negative"},
}};

using Describe = const char* (*)(unsigned);

// The library's own descriptions, where the library it was linked to has them.
Describe library_descriptions() {
#ifndef _WIN32
  static const auto describe = reinterpret_cast<Describe>(dlsym(RTLD_DEFAULT, "vorn_state_description"));
  return describe;
#else
  return nullptr;
#endif
}

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
  for (const StateFlag& flag : kMeanings) {
    if (flag.bit == bit) return std::string(flag.meaning);
  }
  if (const Describe describe = library_descriptions()) {
    if (const char* text = describe(bit)) return text;
  }
  return vorn_state_name(bit);
}

}  // namespace vorn_cli
