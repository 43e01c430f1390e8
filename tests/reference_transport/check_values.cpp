// The transport correlations of the whole fluid below the exports: every
// check value of the published correlations at the density the reference
// equation gives, within the tolerance each is stated to; the zero-density
// viscosity as computed to five figures; and the choice of the critical
// scaling variable where it shows.
#include <gtest/gtest.h>

#include <cmath>

#include "reference_eos/constants.hpp"
#include "reference_eos/fluid_state.hpp"
#include "reference_eos/properties.hpp"
#include "reference_transport/cold_dilute.hpp"
#include "reference_transport/transport.hpp"
#include "reference_transport/viscosity.hpp"
#include "test_support.hpp"

namespace {

namespace eos = vorn::reference_eos;
namespace tr = vorn::reference_transport;

// Density (mol/m3) of the one-phase state at T (K) and p (Pa).
double density(double T, double p) {
  const eos::FluidState s = eos::flash(eos::InputPair::TP, T, p);
  EXPECT_EQ(s.flags, 0U) << T << " K, " << p << " Pa";
  return s.rho;
}

// The transport at (T, rho) as the library computes it for a state there.
tr::TransportProperties transport(double T, double rho) {
  return tr::transport_at(eos::properties_at(eos::he_i_equation(), T, rho));
}
double tr_viscosity(double T, double rho) { return transport(T, rho).viscosity; }
double tr_conductivity(double T, double rho) { return transport(T, rho).conductivity; }

struct CheckValue {
  double T;          // K
  double p;          // Pa
  double expected;   // Pa s or W/(m K)
  double tolerance;  // relative
};

// Arp, McCarty and Friend (1998), to 1 %.
const CheckValue kViscosity[] = {
    {3.6, 0.180e6, 3.745e-6, 0.01},
    {50.0, 0.180e6, 6.376e-6, 0.01},
    {400.0, 0.180e6, 24.29e-6, 0.01},
};

// Hands and Arp (1981), Table 4, each with its stated tolerance.
const CheckValue kConductivity[] = {
    {800.0, 1e5, 0.3085, 0.01},   {300.0, 1e5, 0.1560, 0.01}, {20.0, 1e5, 0.0262, 0.01},
    {8.0, 1e5, 0.0145, 0.01},     {4.0, 20e5, 0.0255, 0.01},  {8.0, 20e5, 0.0308, 0.01},
    {20.0, 20e5, 0.0328, 0.01},   {4.0, 100e5, 0.0385, 0.03}, {8.0, 100e5, 0.0566, 0.03},
    {20.0, 100e5, 0.0594, 0.01},  {4.0, 1e5, 0.0186, 0.01},   {4.0, 2e5, 0.0194, 0.01},
    {5.180, 2.3e5, 0.0195, 0.10}, {5.2, 2.3e5, 0.0202, 0.10}, {5.230, 2.3e5, 0.0181, 0.10},
    {5.260, 2.3e5, 0.0159, 0.10}, {5.3, 2.3e5, 0.0149, 0.10},
};

TEST(ReferenceTransport, PublishedCheckValues) {
  for (const CheckValue& c : kViscosity) {
    const double eta = tr_viscosity(c.T, density(c.T, c.p));
    EXPECT_NEAR(eta / c.expected, 1.0, c.tolerance) << c.T << " K, " << c.p << " Pa";
  }
  for (const CheckValue& c : kConductivity) {
    const double lambda = tr_conductivity(c.T, density(c.T, c.p));
    EXPECT_NEAR(lambda / c.expected, 1.0, c.tolerance) << c.T << " K, " << c.p << " Pa";
  }
}

// Above 300 K every term takes x = ln 300, ln eta0* included: the values
// computed with that reading (not published), at the equation's density.
TEST(ReferenceTransport, ViscosityAbove300KAsComputed) {
  struct Row {
    double T, p;             // K, Pa
    vorn_test::Printed eta;  // uPa s
  };
  const Row rows[] = {{500, 50e6, {"29.2588"}}, {1000, 100e6, {"47.0698"}}, {1500, 200e6, {"62.7298"}}};
  for (const Row& r : rows) EXPECT_PRINTED(tr_viscosity(r.T, density(r.T, r.p)) * 1e6, r.eta);
}

// The published form's own zero-density values; the transport's dilute limit
// is that above 6 K and the dilute-gas correlation's below 4.2 K.
TEST(ReferenceTransport, ZeroDensityViscosityAsComputed) {
  struct Row {
    double T;
    vorn_test::Printed eta;  // uPa s
  };
  const Row rows[] = {{4, {"1.0221"}},    {10, {"2.1819"}},   {20, {"3.5416"}},      {50, {"6.3410"}},
                      {100, {"9.7650"}},  {200, {"15.1348"}}, {273.16, {"18.6904"}}, {300, {"19.9262"}},
                      {500, {"28.3610"}}, {1000, {"46.1587"}}};
  for (const Row& r : rows) {
    EXPECT_PRINTED(tr::viscosity_zero_density(r.T) * 1e6, r.eta);
    if (r.T > tr::cold_shift_gone_above) {
      EXPECT_EQ(tr_viscosity(r.T, 0.0), tr::viscosity_zero_density(r.T));
    }
  }
}

// Inside the scaled region the two transcribed forms of the scaling variable
// differ by a quarter; the standard one, x = dT/dr^(1/beta), gives 0.0194
// (the other 0.0258).
TEST(ReferenceTransport, CriticalScalingVariable) {
  const double rho = 60.0 / eos::molar_mass;
  EXPECT_NEAR(tr_conductivity(5.3, rho), 0.0194, 0.0002);
  // Zero outside 3.5 K < T < 12 K: the step there is the whole enhancement,
  // which is small on both sides.
  for (const double edge : {3.5, 12.0}) {
    const double r = density(edge, 3e5);
    const double below = tr_conductivity(std::nextafter(edge, 0.0), r);
    const double above = tr_conductivity(std::nextafter(edge, 100.0), r);
    EXPECT_NEAR(below / above, 1.0, 0.01) << edge;
  }
}

}  // namespace
