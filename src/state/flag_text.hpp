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

// Each text says when its flag is set and ends with the routines it spoils,
// exactly those whose mask in result_flags.hpp holds the bit ("every result":
// all of them; "every result of T and P": all but the nine virial coefficients,
// k0 and nu0). Every result of the virial equation and of the correlation's Za:
#define VORN_GAS_STATE_RESULTS                                                                           \
  "vorn_rho, vorn_vol, vorn_cv, vorn_cp, vorn_gamma, vorn_w, vorn_Za_gk, vorn_w_gk, temp_K, vorn_Z and " \
  "vorn_cvgt_temperature"

inline constexpr StateFlagText state_flag_texts[] = {
    {VORN_STATE_INVALID, "invalid",
     "T or P not finite, T <= 0 or P < 0 (for a thermometer: an argument not finite or not positive); spoils "
     "every result"},
    {VORN_STATE_LIQUID, "liquid",
     "T <= 5.1953 K and P above the ITS-90 vapour pressure: liquid, every gas result is that of a "
     "metastable vapour at best; spoils every result of T and P"},
    {VORN_STATE_DENSITY_TURNED, "density-turned",
     "the slope of the virial isotherm at the ideal-gas density is <= 0 (or the one-step density is not "
     "finite and positive); spoils vorn_rho, vorn_vol, vorn_cv, vorn_cp and vorn_gamma"},
    {VORN_STATE_SOUND_UNDEFINED, "sound-undefined",
     "the bracket of the acoustic virial series is negative, so the speed of sound is NaN; spoils vorn_w"},
    {VORN_STATE_ZA_NONPOSITIVE, "za-nonpositive",
     "the acoustic factor Za <= 0, so the correlation's speed of sound is NaN; spoils vorn_Za_gk, vorn_w_gk "
     "and temp_K"},
    {VORN_STATE_K_POLE, "k-pole",
     "T within 1.1 mK of the pole of k0 at 36.37595 K or 12 mK of the one at 184.48682 K (k0 more "
     "than 0.1 % off its smooth curve), or k0 not positive (between a pole and its zero; above "
     "965424.67 K); spoils vorn_k0 and vorn_k"},
    {VORN_STATE_NU_NEGATIVE, "nu-negative",
     "the zero-pressure viscosity is not positive: below 0.0960915 K, above its pole at 995565.04 K "
     "(tending to -0.0212 Pa s), NaN above about 1.05e28 K; spoils vorn_nu0 and vorn_nu"},
    {VORN_STATE_HEAT_CAPACITY_NONPOSITIVE, "heat-capacity-nonpositive",
     "cv or cp (and so their ratio gamma) not positive: the second-order heat capacities mean nothing; "
     "spoils vorn_cv, vorn_cp and vorn_gamma"},
    {VORN_STATE_VIRIAL_DIVERGENT, "virial-divergent",
     "the density series no longer converges: no gas root (vorn_Z NaN) or its D term above 1 % of Z, "
     "the gas too dense for every virial result and for the correlation's Za; "
     "spoils " VORN_GAS_STATE_RESULTS},
    {VORN_STATE_SOUND_DIVERGENT, "sound-divergent",
     "the cubic term of the acoustic virial series is above 1 % of its bracket (near the pole of D at "
     "2.18 K, or dense gas), the gas too dense for every virial result and for the correlation's Za; "
     "spoils " VORN_GAS_STATE_RESULTS},
    {VORN_STATE_ZA_PRESSURE_FREE, "za-pressure-free",
     "T <= 1.95 K and P > 0: the correlation has no pressure term there (Za = 1, the speed of sound "
     "ideal, a thermometer result independent of P); spoils vorn_Za_gk, vorn_w_gk and temp_K"},
    {VORN_STATE_DENSITY_UNCONVERGED, "density-unconverged",
     "the one-step density of vorn_rho is more than 0.25 % from the gas root of its own equation (or "
     "there is none): the gas too dense for every virial result and for the correlation's Za; "
     "spoils " VORN_GAS_STATE_RESULTS},
    {VORN_STATE_OUT_OF_RANGE, "out-of-range",
     "T < 2.2 K, T > 1500 K or P > 100 MPa: outside the range where the gas-state results have been "
     "checked against the reference equation of state; spoils " VORN_GAS_STATE_RESULTS},
    {VORN_STATE_HEAT_CAPACITY_TRUNCATED, "heat-capacity-truncated",
     "cp more than 10 % from the ideal-gas 5/2 r/m0 (or NaN), or the first term the series leaves out, "
     "(2T D' + T^2 D'')/(3 V^3), above 0.01 % of 5/2: the second-order heat capacities may be more than "
     "1 % off (3.6 % next to saturation at 4.2 K); spoils vorn_cv, vorn_cp and vorn_gamma"},
    {VORN_STATE_K_DENSE, "k-dense",
     "the pressure term of the conductivity, F - 1 of its factor F = 1 + b0 T^b1 P + c0 T^c1 P^2, above the "
     "limit (3.1 % at 4 K, 13.7 % at 16 K, 2.2 % from 1000 K) up to which this low-density form stays within "
     "2 % of the dense-fluid correlations, or NaN; spoils vorn_k"},
    {VORN_STATE_NU_DENSE, "nu-dense",
     "the pressure term of the viscosity, F - 1 of its factor F = 1 + b0 T^b1 P + c0 T^c1 P^2, above the "
     "limit (3.4 % at 4 K, 16.4 % at 16 K, 1.9 % from 1000 K) up to which this low-density form stays within "
     "2 % of the dense-fluid correlations, or NaN; spoils vorn_nu"},
};
#undef VORN_GAS_STATE_RESULTS

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
