// He II heat transport through its exports: the heat conductivity function
// against the engineering form's computed values, the channel integrals and
// peak heat fluxes against the same, the quadrature against the cubic law's
// closed form, warm end and heat flux as inverses of each other (m = 3, 3.4
// and the ends 2 and 4), f^-1 as the slope of the channel's q^m L, and every
// refusal with its flag on both sides of its threshold.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vorn.h"

namespace {

constexpr double T_lambda = 2.1768;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

double f_inverse(double T, unsigned* flags = nullptr) {
  return vorn_svp_heat_conductivity_function(&T, flags);
}
double warm_end(double Tb, double L, double q, double m, unsigned* flags = nullptr) {
  return vorn_svp_channel_warm_end(&Tb, &L, &q, &m, flags);
}
double heat_flux(double Tb, double Th, double L, double m, unsigned* flags = nullptr) {
  return vorn_svp_channel_heat_flux(&Tb, &Th, &L, &m, flags);
}
double peak_flux(double Tb, double L, double m, unsigned* flags = nullptr) {
  return vorn_svp_channel_peak_flux(&Tb, &L, &m, flags);
}

// The cubic law integrated in closed form: [x (1 - x)]^3 with x = t^5.7
// expands into four powers of t.
double closed_integral(double from, double to) {
  const double g = 145.0 * 145.0 * std::pow(1559.0, 4) * std::pow(T_lambda, 3) / 1450.0;
  const auto F = [](double T) {
    const double t = T / T_lambda;
    return T_lambda * (std::pow(t, 18.1) / 18.1 - 3.0 * std::pow(t, 23.8) / 23.8 +
                       3.0 * std::pow(t, 29.5) / 29.5 - std::pow(t, 35.2) / 35.2);
  };
  return g * (F(to) - F(from));
}

TEST(HeatConductivityFunction, AgainstTheEngineeringFormsComputedValues) {
  // 1e12 W^3 m^-5 K^-1, as printed (4 digits, within half the last); the
  // maximum g/64 at 1.9276 K. 2.1 K is printed 3.034, the form gives 3.03350:
  // a last digit rounded from fewer digits, within one unit.
  const struct {
    double T, value, half_digit;
  } printed[] = {{1.4, 0.3619, 5e-5}, {1.6, 2.586, 5e-4}, {1.7, 5.561, 5e-4},   {1.8, 9.917, 5e-4},
                 {1.85, 12.08, 5e-3}, {1.9, 13.55, 5e-3}, {1.95, 13.61, 5e-3},  {2.0, 11.66, 5e-3},
                 {2.05, 7.699, 5e-4}, {2.1, 3.034, 1e-3}, {2.15, 0.2265, 5e-5}, {1.9276, 13.805, 5e-4}};
  for (const auto& p : printed) {
    unsigned flags = 99;
    EXPECT_NEAR(f_inverse(p.T, &flags) / 1e12, p.value, p.half_digit) << p.T;
    EXPECT_EQ(flags, 0U);
  }
}

TEST(HeatConductivityFunction, EndsOfItsRange) {
  unsigned flags = 0;
  EXPECT_GT(f_inverse(std::nextafter(T_lambda, 0.0)), 0.0);
  EXPECT_EQ(f_inverse(T_lambda, &flags), 0.0);  // He I: no counterflow
  EXPECT_EQ(flags, 0U);
  EXPECT_EQ(f_inverse(4.9), 0.0);
  EXPECT_GT(f_inverse(1.4), 0.0);
  for (const double T : {std::nextafter(1.4, 0.0), std::nextafter(4.9, 5.0)}) {
    EXPECT_TRUE(std::isnan(f_inverse(T, &flags))) << T;
    EXPECT_EQ(flags, unsigned{VORN_SVP_FLAG_OUT_OF_RANGE}) << T;
  }
  EXPECT_TRUE(std::isnan(f_inverse(nan, &flags)));
  EXPECT_EQ(flags, unsigned{VORN_SVP_FLAG_BAD_INPUT});
}

TEST(Channel, IntegralsAndPeakFluxesAgainstTheComputedFigures) {
  // Bath, integral to T_lambda (W^3 m^-5), peak flux through 1 m and 0.1 m
  // (kW/m^2), m = 3, as printed.
  const struct {
    double T, integral, one_metre, tenth;
  } printed[] = {{1.6, 4.512e12, 16.5, 35.6},
                 {1.8, 3.351e12, 15.0, 32.2},
                 {1.9, 2.155e12, 12.9, 27.8},
                 {2.0, 8.273e11, 9.4, 20.2}};
  for (const auto& p : printed) {
    const double q = peak_flux(p.T, 1.0, 3.0);
    EXPECT_NEAR(q * q * q / p.integral, 1.0, 2e-4) << p.T;
    EXPECT_NEAR(q / 1e3, p.one_metre, 0.05) << p.T;
    EXPECT_NEAR(peak_flux(p.T, 0.1, 3.0) / 1e3, p.tenth, 0.05) << p.T;
  }
  // No exponent given is the cubic law.
  const double Tb = 1.8, L = 1.0;
  EXPECT_EQ(vorn_svp_channel_peak_flux(&Tb, &L, nullptr, nullptr), peak_flux(Tb, L, 3.0));
}

TEST(Channel, QuadratureAgainstTheClosedFormOfTheCubicLaw) {
  // (Closer to T_lambda the closed form's four terms cancel to 1e-8.)
  for (const double Tb : {1.4, 1.6, 1.8, 2.0}) {
    for (const double Th : {Tb + 0.001, 0.5 * (Tb + T_lambda), T_lambda}) {
      const double q = heat_flux(Tb, Th, 1.0, 3.0);
      EXPECT_NEAR(q * q * q / closed_integral(Tb, Th), 1.0, 1e-11) << Tb << " " << Th;
    }
  }
}

TEST(Channel, FInverseIsTheSlopeOfQToTheMTimesL) {
  // d(q^m L)/dT_warm = f_m^-1(T_warm); for m = 3 that is the exported f^-1.
  for (const double T : {1.5, 1.75, 1.93, 2.1}) {
    const double h = 1e-5, L = 0.5;
    const double up = std::pow(heat_flux(1.45, T + h, L, 3.0), 3.0) * L;
    const double down = std::pow(heat_flux(1.45, T - h, L, 3.0), 3.0) * L;
    EXPECT_NEAR((up - down) / (2.0 * h) / f_inverse(T), 1.0, 1e-7) << T;
  }
}

TEST(Channel, WarmEndAndHeatFluxAreInverses) {
  // T_warm -> q -> T_warm to 2e-11 K everywhere; q -> T_warm -> q to 5e-11
  // where the warm end is not within ulps of the bath (a warm end 1e-10 K
  // above the bath, rounded to a double, holds q to 1e-6 only) nor within
  // 40 uK of T_lambda (where q^m L is too flat to say which T it is).
  for (const double m : {3.0, 3.4, 2.0, 4.0}) {
    for (const double Tb : {1.4, 1.8, 2.1}) {
      for (const double Th : {Tb + 1e-6, 0.5 * (Tb + T_lambda), 2.17}) {
        unsigned flags = 99;
        EXPECT_NEAR(warm_end(Tb, 0.3, heat_flux(Tb, Th, 0.3, m), m, &flags), Th, 2e-11) << m << " " << Tb;
        EXPECT_EQ(flags, 0U);
      }
      const double peak = peak_flux(Tb, 0.3, m);
      for (const double share : {0.1, 0.5, 0.9}) {
        const double q = share * peak;
        EXPECT_NEAR(heat_flux(Tb, warm_end(Tb, 0.3, q, m), 0.3, m) / q, 1.0, 5e-11)
            << m << " " << Tb << " " << share;
      }
      EXPECT_EQ(warm_end(Tb, 0.3, 0.0, m), Tb);
      EXPECT_EQ(warm_end(Tb, 0.3, peak, m), T_lambda);  // the peak flux, as the routine gives it
    }
  }
}

TEST(Channel, OtherExponents) {
  // m = 3.4 matched to the cubic law at a counterflow velocity of 0.15 m/s:
  // about the cubic law's peak flux for 1 m from 1.8 K; more from a warmer
  // bath, less through a shorter channel; continuous through m = 3.
  EXPECT_NEAR(peak_flux(1.8, 1.0, 3.4) / 1e3, 15.0, 0.05);
  EXPECT_NEAR(peak_flux(1.8, 0.1, 3.4) / 1e3, 29.5, 0.05);
  EXPECT_NEAR(peak_flux(2.0, 1.0, 3.4) / 1e3, 9.83, 0.05);
  for (const double Tb : {1.6, 2.0}) {
    EXPECT_NEAR(peak_flux(Tb, 1.0, std::nextafter(3.0, 4.0)) / peak_flux(Tb, 1.0, 3.0), 1.0, 1e-13);
    EXPECT_NEAR(warm_end(Tb, 1.0, 5e3, 3.0 + 1e-9), warm_end(Tb, 1.0, 5e3, 3.0), 1e-9);
  }
}

TEST(Channel, Refusals) {
  constexpr unsigned bad = VORN_SVP_FLAG_BAD_INPUT, out = VORN_SVP_FLAG_OUT_OF_RANGE,
                     past = VORN_SVP_FLAG_PAST_LAMBDA;
  const double peak = peak_flux(1.8, 1.0, 3.0);
  const struct {
    double Tb, L, q, m;
    unsigned flags;
  } warm[] = {{1.8, 0.0, 1e3, 3.0, bad},
              {1.8, -1.0, 1e3, 3.0, bad},
              {1.8, INFINITY, 1e3, 3.0, bad},
              {1.8, 1.0, -1e-300, 3.0, bad},
              {1.8, 1.0, nan, 3.0, bad},
              {nan, 1.0, 1e3, 3.0, bad},
              {-1.8, 1.0, 1e3, 3.0, bad},
              {1.8, 1.0, 1e3, std::nextafter(2.0, 0.0), bad},
              {1.8, 1.0, 1e3, std::nextafter(4.0, 5.0), bad},
              {1.8, 1.0, 1e3, nan, bad},
              {std::nextafter(1.4, 0.0), 1.0, 1e3, 3.0, out},
              {T_lambda, 1.0, 1e3, 3.0, out},
              {2.5, 1.0, 1e3, 3.0, out},
              {1.8, 1.0, peak * (1.0 + 1e-12), 3.0, past},
              {1.8, 1.0, 1e6, 3.4, past}};
  for (const auto& c : warm) {
    unsigned flags = 0;
    EXPECT_TRUE(std::isnan(warm_end(c.Tb, c.L, c.q, c.m, &flags))) << c.Tb << " " << c.L << " " << c.q;
    EXPECT_EQ(flags, c.flags) << c.Tb << " " << c.L << " " << c.q << " " << c.m;
  }
  unsigned flags = 0;
  EXPECT_EQ(warm_end(std::nextafter(T_lambda, 0.0), 1.0, 0.0, 3.0, &flags), std::nextafter(T_lambda, 0.0));
  EXPECT_EQ(flags, 0U);
  EXPECT_EQ(heat_flux(1.8, T_lambda, 1.0, 3.0), peak);
  EXPECT_TRUE(std::isnan(heat_flux(1.8, std::nextafter(T_lambda, 3.0), 1.0, 3.0, &flags)));
  EXPECT_EQ(flags, past);
  EXPECT_EQ(heat_flux(1.8, 1.8, 1.0, 3.0), 0.0);
  EXPECT_TRUE(std::isnan(heat_flux(1.8, std::nextafter(1.8, 0.0), 1.0, 3.0, &flags)));
  EXPECT_EQ(flags, bad);
  EXPECT_TRUE(std::isnan(peak_flux(2.2, 1.0, 3.0, &flags)));
  EXPECT_EQ(flags, out);
}

}  // namespace
