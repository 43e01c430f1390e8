// The name and the one-line description of every state flag: the one place
// they are written (the tool and the Python package print these).
#pragma once

#include "vorn.h"

namespace vorn {

struct StateFlagText {
  unsigned bit;
  const char* name;
  const char* description;
};

inline constexpr StateFlagText state_flag_texts[] = {
    {VORN_STATE_INVALID, "invalid",
     "T or P not finite, T <= 0 or P < 0 (for a thermometer: an argument not finite or not positive)"},
    {VORN_STATE_LIQUID, "liquid",
     "T <= 5.1953 K and P above the ITS-90 vapour pressure: liquid, every gas result is that of a "
     "metastable vapour at best"},
    {VORN_STATE_DENSITY_TURNED, "density-turned",
     "the slope of the virial isotherm at the ideal-gas density is <= 0 (or the one-step density is not "
     "finite and positive): density, volume, cv, cp and gamma mean nothing"},
    {VORN_STATE_SOUND_UNDEFINED, "sound-undefined",
     "the bracket of the acoustic virial series is negative: the speed of sound vorn_w is NaN"},
    {VORN_STATE_ZA_NONPOSITIVE, "za-nonpositive",
     "the acoustic factor Za <= 0: the correlation's speed of sound vorn_w_gk is NaN"},
    {VORN_STATE_K_POLE, "k-pole",
     "T within 1.1 mK of the pole of k0 at 36.37595 K or 12 mK of the one at 184.48682 K (k0 more "
     "than 0.1 % off its smooth curve), or k0 not positive (between a pole and its zero; above "
     "965424.67 K)"},
    {VORN_STATE_NU_NEGATIVE, "nu-negative",
     "the zero-pressure viscosity is not positive: below 0.0960915 K, above its pole at 995565.04 K "
     "(tending to -0.0212 Pa s), NaN above about 1.05e28 K"},
    {VORN_STATE_HEAT_CAPACITY_NONPOSITIVE, "heat-capacity-nonpositive",
     "cv or cp (and so their ratio gamma) not positive: the second-order heat capacities mean nothing"},
    {VORN_STATE_VIRIAL_DIVERGENT, "virial-divergent",
     "the density series no longer converges: no gas root (vorn_Z NaN) or its D term above 1 % of Z; "
     "density, volume, cv, cp, gamma and Z doubtful"},
    {VORN_STATE_SOUND_DIVERGENT, "sound-divergent",
     "the cubic term of the acoustic virial series is above 1 % of its bracket (near the pole of D at "
     "2.18 K, or dense gas): vorn_w doubtful"},
    {VORN_STATE_ZA_PRESSURE_FREE, "za-pressure-free",
     "T <= 1.95 K and P > 0: the correlation has no pressure term there (Za = 1, vorn_w_gk ideal), and a "
     "thermometer result there does not depend on P"},
    {VORN_STATE_DENSITY_UNCONVERGED, "density-unconverged",
     "the one-step density of vorn_rho is more than 1 % from the gas root of its own equation (or there "
     "is none): density, volume, cv, cp and gamma doubtful, vorn_Z not"},
};

inline const StateFlagText* find_state_flag_text(unsigned bit) {
  for (const StateFlagText& t : state_flag_texts) {
    if (t.bit == bit) return &t;
  }
  return nullptr;
}

inline const char* state_flag_name(unsigned bit) {
  const StateFlagText* t = find_state_flag_text(bit);
  return t != nullptr ? t->name : "unknown";
}

inline const char* state_flag_description(unsigned bit) {
  const StateFlagText* t = find_state_flag_text(bit);
  return t != nullptr ? t->description : "not a state flag";
}

}  // namespace vorn
