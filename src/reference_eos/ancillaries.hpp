// Ancillary equations of the reference equation, theta = 1 - T/Tc, from the
// lambda point to Tc (NIST IR 8474). Starting values for the saturation
// iteration only, never results:
//
//   p_sat   = 227600 Pa   exp((Tc/T) sum n theta^t)     0.009 %
//   rho'    = 18130 mol/m3 (1 + sum n theta^t)           0.015 %
//   rho''   = 18130 mol/m3 exp((Tc/T) sum n theta^t)     0.07 %
//
// Their critical points (227600 Pa, 18130 mol/m3) are not the equation's:
// within a few mK of Tc the vapour density they give lies above rho_c.
#pragma once

#include <array>
#include <cmath>

#include "reference_eos/constants.hpp"

namespace vorn::reference_eos {

struct AncillaryTerm {
  double n;
  double t;
};

// clang-format off
inline constexpr std::array<AncillaryTerm, 6> vapour_pressure_terms{{
    {-2.5589967099484343,   0.981},
    {-2.1208869241528903,   1.13},
    {2.0304814035943877,    1.536},
    {0.9702906562630098,    3.109},
    {-0.006217789170073319, 0.338},
    {-4.338734244510393,    14.431},
}};
inline constexpr std::array<AncillaryTerm, 6> liquid_density_terms{{
    {1.8225767219916278,    0.402},
    {-0.5212838519553242,   0.491},
    {0.2130685389843537,    0.941},
    {-0.44861224586106435,  1.784},
    {5.329845315529739,     8.213},
    {-10.020970811883176,   9.042},
}};
inline constexpr std::array<AncillaryTerm, 6> vapour_density_terms{{
    {-0.8412289332631507,   0.211},
    {-3.590072534944493,    0.693},
    {2.2788760536554777,    0.749},
    {-1.4459129841887175,   1.118},
    {2.0638632716793297,    1.846},
    {-14.547720153618606,   19.915},
}};
// clang-format on

inline constexpr double ancillary_pressure = 227600.0;  // Pa
inline constexpr double ancillary_density = 18130.0;    // mol/m3

inline double ancillary_sum(const std::array<AncillaryTerm, 6>& terms, double theta) {
  double sum = 0.0;
  for (const auto& term : terms) sum += term.n * std::pow(theta, term.t);
  return sum;
}

inline double ancillary_vapour_pressure(double T) {
  const double theta = 1.0 - T / critical_temperature;
  return ancillary_pressure *
         std::exp(critical_temperature / T * ancillary_sum(vapour_pressure_terms, theta));
}

inline double ancillary_liquid_density(double T) {
  const double theta = 1.0 - T / critical_temperature;
  return ancillary_density * (1.0 + ancillary_sum(liquid_density_terms, theta));
}

inline double ancillary_vapour_density(double T) {
  const double theta = 1.0 - T / critical_temperature;
  return ancillary_density * std::exp(critical_temperature / T * ancillary_sum(vapour_density_terms, theta));
}

}  // namespace vorn::reference_eos
