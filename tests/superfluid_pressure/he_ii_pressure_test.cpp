// He II under pressure (src/superfluid_pressure/) against every check value
// at hand: Tanaka et al.'s molar-volume table, Brooks and Donnelly's 2.5 and
// 5 atm slices (two suspect cells skipped), the earlier reference program's
// three saturated rows, and the reference equation on the lambda line (the
// continuity of rho, s and h); then what must hold whatever the data: the
// Maxwell relations by finite differences, stability over the range, and the
// edges of the range (the saturated vapour pressure, the lambda line from
// both sides). The saturated line's s, h (an input of the model) come here
// from the saturated fits' heat capacity integrated down from the equation's
// saturated liquid at the lambda point.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <tuple>

#include "reference_eos/boundaries.hpp"
#include "superfluid/entropy.hpp"
#include "superfluid_pressure/saturation_pressure.hpp"
#include "superfluid_pressure/two_fluid.hpp"
#include "vorn.h"

namespace {

namespace sp = vorn::superfluid_pressure;
namespace eos = vorn::reference_eos;
constexpr double atm = 101325.0;  // Pa

double svp(double (*f)(const double*, unsigned*), double T) {
  unsigned flags = 0;
  return f(&T, &flags);
}
double he_i(int property, double T, double p) {
  const int pair = VORN_EOS_TP;
  const double P = p * 1e-3;
  return vorn_eos_value(&property, &pair, &T, &P);
}
double lambda_liquid(int property) {
  const int pair = VORN_EOS_TQ;
  const double T = eos::lambda_temperature, q = 0.0;
  return vorn_eos_value(&property, &pair, &T, &q);
}

// integral of f over [a, b] by 8-point Gauss-Legendre on pieces shrinking by 4
// towards b (the lambda point's logarithm in C_sat).
template <typename F>
double towards_lambda(F f, double a, double b) {
  double sum = 0.0, from = a, reach = b - a;
  for (int k = 0; k <= 24; ++k) {
    reach *= 0.25;
    const double to = k == 24 ? b : b - reach;
    const double half = 0.5 * (to - from), mid = 0.5 * (to + from);
    for (std::size_t i = 0; i < 4; ++i)
      for (const double sign : {-1.0, 1.0})
        sum +=
            half * vorn::gauss_legendre_8_weights[i] * f(mid + sign * half * vorn::gauss_legendre_8_nodes[i]);
    from = to;
  }
  return sum;
}

// The saturated He II line on the equation's zero: C_sat/T and C_sat +
// V dp_s/dT integrated down from the lambda point, where it meets the
// equation's saturated liquid (the spline of C_sat ends 35 nK below it).
sp::SaturatedLine saturated_line(double T) {
  constexpr double end = 2.17679996468;
  const double s =
      lambda_liquid(VORN_EOS_S) - towards_lambda([](double x) { return svp(vorn_svp_c, x) / x; }, T, end);
  const double h =
      lambda_liquid(VORN_EOS_H) - towards_lambda(
                                      [](double x) {
                                        const auto p = sp::saturation_pressure(x);
                                        return svp(vorn_svp_c, x) + p.derivative / svp(vorn_svp_rho, x);
                                      },
                                      T, end);
  return {s, h, svp(vorn_svp_c, T)};
}

double density(double T, double p) { return sp::he_ii_state(T, p, {0.0, 0.0, 0.0}).rho; }

TEST(LambdaLine, MeetsItsEndsAndTheShiftedQuadratic) {
  EXPECT_EQ(eos::lambda_line_temperature(eos::lambda_saturation_pressure), 2.1768);
  EXPECT_NEAR(eos::lambda_line_temperature(3.0134e6), 1.7673, 1e-12);
  EXPECT_NEAR(eos::melting_pressure(1.7673) / 3.0134e6, 1.0, 1e-14);
  // Swenson's line shifted to 2.1768 K at the vapour pressure (section 1's
  // computed values, bar -> K): within 6 mK to 25 bar.
  const double shifted[][2] = {{1, 2.1663},  {5, 2.1202},  {10, 2.0579},
                               {15, 1.9903}, {20, 1.9176}, {25, 1.8397}};
  for (const auto& r : shifted) EXPECT_NEAR(eos::lambda_line_temperature(r[0] * 1e5), r[1], 5e-3) << r[0];
  // Its slope at p0 is the one Pippard's relation gives from the saturated
  // fits' logarithmic divergences of C_sat and alpha (1e-2 K to 1e-6 K below
  // T_lambda): (dT/dp)_lambda = T V d(alpha)/d(ln t) / (dC/d(ln t)).
  const double near = 2.1768 - 1e-6, far = 2.1768 - 1e-2, e_folds = std::log(1e4);
  const double dC = (svp(vorn_svp_c, near) - svp(vorn_svp_c, far)) / e_folds;
  const double dalpha = (svp(vorn_svp_alpha, near) - svp(vorn_svp_alpha, far)) / e_folds;
  const double pippard = 2.1768 / svp(vorn_svp_rho, near) * dalpha / dC;
  EXPECT_NEAR(eos::lambda_line(eos::lambda_saturation_pressure).dTdp / pippard, 1.0, 0.02);
  // The inverse, its slope, the melting line below the upper point.
  for (double p = 1e4; p < 3.0e6; p *= 1.3) {
    const double T = eos::lambda_line_temperature(p);
    EXPECT_NEAR(eos::lambda_line_pressure(T) / p, 1.0, 1e-8) << p;
    const double h = 1e-3 * p;
    EXPECT_NEAR(eos::lambda_line(p).dTdp,
                (eos::lambda_line_temperature(p + h) - eos::lambda_line_temperature(p - h)) / (2 * h), 1e-13);
    EXPECT_LT(eos::lambda_line(p).dTdp, 0.0);
    EXPECT_GT(eos::melting_pressure(T), p);
  }
  // The flag's boundary at 1 MPa, from both sides.
  const double T1 = eos::lambda_line_temperature(1e6);
  EXPECT_TRUE(eos::below_lambda_line(std::nextafter(T1, 0.0), 1e6));
  EXPECT_FALSE(eos::below_lambda_line(T1, 1e6));
}

// Tanaka et al. (2000), densities from their equation (kg/m3): within 0.1 %
// to 1.4 K; at 1.8 K within 0.4 % (0.19 K from the line at 15 atm, where the
// anomaly has begun and their form, fitted to 1 K, has none).
TEST(HeIIDensity, Tanaka) {
  const double p[] = {0, 2.5 * atm, 5 * atm, 10 * atm, 15 * atm};
  const double T[] = {0.5, 1.0, 1.4, 1.8};
  const double rho[5][4] = {{145.129, 145.107, 145.141, 145.396},
                            {149.260, 149.251, 149.336, 149.719},
                            {152.848, 152.847, 152.972, 153.456},
                            {158.940, 158.952, 159.146, 159.797},
                            {164.074, 164.097, 164.356, 165.157}};
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 4; ++j) {
      const double at = std::fmax(p[i], sp::saturation_pressure(T[j]).value);
      EXPECT_NEAR(density(T[j], at) / rho[i][j], 1.0, T[j] < 1.5 ? 1e-3 : 4e-3) << p[i] << " " << T[j];
    }
}

// Brooks and Donnelly (1977), 0.50 K to 2.05 K every 0.05 K. Density within
// 0.15 % to 2.0 K; superfluid fraction within 0.02 to 1.80 K (beyond, their
// own table at the vapour pressure lies up to 0.036 from the measured fit the
// model keeps there), and its change from the vapour pressure within 0.02. Not used: the 5 atm density at
// 1.55 K (equal to the 1.50 K row: a copying error; Tanaka 153.101) and the
// 2.5 atm fraction at 1.10 K (0.98000, out of line: about 0.9843).
TEST(HeIIDensity, BrooksDonnellySlices) {
  const double rho25[] = {149.25, 149.25, 149.25, 149.25, 149.25, 149.25, 149.24, 149.24,
                          149.24, 149.24, 149.25, 149.25, 149.25, 149.26, 149.26, 149.27,
                          149.29, 149.30, 149.32, 149.34, 149.37, 149.41, 149.44, 149.49,
                          149.54, 149.60, 149.67, 149.75, 149.84, 149.96, 150.09, 150.24};
  const double rho5[] = {152.83, 152.83, 152.83, 152.83, 152.83, 152.83, 152.83, 152.83,
                         152.83, 152.83, 152.84, 152.84, 152.85, 152.86, 152.87, 152.89,
                         152.91, 152.93, 152.96, 152.99, 153.03, NAN,    153.13, 153.19,
                         153.27, 153.35, 153.45, 153.57, 153.70, 153.87, 154.05, 154.27};
  const double fsvp[] = {0.99999, 0.99998, 0.99996, 0.99991, 0.9998,  0.99958, 0.99917, 0.99849,
                         0.99741, 0.99577, 0.99339, 0.99003, 0.9855,  0.97955, 0.97215, 0.96306,
                         0.95208, 0.93927, 0.92346, 0.9041,  0.88235, 0.8588,  0.83261, 0.80187,
                         0.76546, 0.72272, 0.67564, 0.62301, 0.56383, 0.49884, 0.41842, 0.32603};
  const double f25[] = {0.99999, 0.99998, 0.99996, 0.9999,  0.99977, 0.99951, 0.99904, 0.99825,
                        0.99702, 0.99517, 0.99252, 0.9888,  NAN,     0.97738, 0.96934, 0.9594,
                        0.94765, 0.93362, 0.91662, 0.89572, 0.87242, 0.84716, 0.819,   0.78605,
                        0.7467,  0.70194, 0.65106, 0.59352, 0.52922, 0.45845, 0.37204, 0.27155};
  const double f5[] = {0.99999, 0.99998, 0.99995, 0.99987, 0.99971, 0.99938, 0.9988,  0.99785,
                       0.99637, 0.99421, 0.99116, 0.98698, 0.98147, 0.9745,  0.96577, 0.95491,
                       0.94235, 0.92695, 0.90852, 0.88608, 0.86099, 0.8338,  0.80345, 0.76782,
                       0.72543, 0.6782,  0.62303, 0.55966, 0.48891, 0.41119, 0.31719, 0.20819};
  for (int i = 0; i < 32; ++i) {
    const double T = 0.5 + 0.05 * i;
    for (const auto& [p, rho, f] :
         {std::make_tuple(2.5 * atm, rho25[i], f25[i]), std::make_tuple(5 * atm, rho5[i], f5[i])}) {
      if (T <= 2.0 && !std::isnan(rho)) {
        EXPECT_NEAR(density(T, p) / rho, 1.0, 1.5e-3) << p << " " << T;
      }
      if (std::isnan(f)) continue;
      const double model = sp::superfluid_fraction(T, p);
      if (T <= 1.8) {
        EXPECT_NEAR(model, f, 0.02) << p << " " << T;
      }
      EXPECT_NEAR(model - sp::superfluid_fraction(T, 0.0), f - fsvp[i], 0.02) << p << " " << T;
    }
  }
}

// The earlier program's saturated He II (its rows at 1.65, 1.70, 1.75 K):
// w within 1 %, kappa_T within 2 %, cp within 2 % and alpha within 15 % (its
// derived properties are ten times less certain than its density, and here
// the model has the measured fits' C_sat and expansion, which lie 1.1 to
// 1.7 % and 8 to 12 % from its cp and alpha); its entropy zero is not known.
TEST(HeIIState, EarlierProgramsSaturatedRows) {
  const double rows[][6] = {{1.65, 1.881, 233.8, -0.6013e-2, 0.1162e-3, 0.9224e-3},
                            {1.70, 2.193, 233.1, -0.7003e-2, 0.1429e-3, 0.1128e-2},
                            {1.75, 2.543, 232.4, -0.8149e-2, 0.1741e-3, 0.1366e-2}};
  for (const auto& r : rows) {
    const double T = r[0];
    const sp::HeIIState st = sp::he_ii_state(T, sp::saturation_pressure(T).value, saturated_line(T));
    ASSERT_TRUE(st.in_range);
    EXPECT_NEAR(st.cp / (1e3 * r[1]), 1.0, 2e-2) << T;
    EXPECT_NEAR(st.w / r[2], 1.0, 1e-2) << T;
    EXPECT_NEAR(st.alpha * T / r[3], 1.0, 0.15) << T;
    EXPECT_NEAR(st.alpha, svp(vorn_svp_alpha, T) + st.kappa * sp::saturation_pressure(T).derivative, 1e-9);
    EXPECT_NEAR(st.kappa * r[5] * 1e6 / r[4], 1.0, 2e-2) << T;
  }
}

// At the vapour pressure: the saturated fit's density exactly (its two forms
// joined within 0.2 K below 1.334 K, off the bare fit by 6e-7 there), and
// the saturated line's s, h.
TEST(HeIIState, MeetsTheSaturatedLine) {
  for (double T = 0.5; T < 2.1768; T += 0.0837) {
    const double p = sp::saturation_pressure(T).value;
    const sp::SaturatedLine sat{-2000.0, -7000.0, 1000.0};
    const sp::HeIIState st = sp::he_ii_state(T, p, sat);
    const bool joined = T > 1.134 && T < 1.334;
    EXPECT_NEAR(st.rho / svp(vorn_svp_rho, T), 1.0, joined ? 6e-7 : 1e-13) << T;
    EXPECT_NEAR(st.s, sat.s, 1e-9);
    EXPECT_NEAR(st.h - p / st.rho + p / st.rho, sat.h, 1e-9);
  }
}

// Section 7's saturated columns against this file's integration of the fits.
TEST(HeIIState, SaturatedLineOfTheContinuityTable) {
  const double rows[][3] = {
      {2.1663, -1982.8, -6984.2}, {2.0579, -2381.5, -7836.5}, {1.8397, -2900.2, -8864.6}};
  for (const auto& r : rows) {
    const sp::SaturatedLine sat = saturated_line(r[0]);
    EXPECT_NEAR(sat.s, r[1], 0.5) << r[0];
    EXPECT_NEAR(sat.h, r[2], 0.8) << r[0];
  }
}

// Continuity with the reference equation across the lambda line: rho within
// 1e-5 from 0.25 MPa up (below, the bridge to the saturated fit's density at
// the lambda point, which lies 0.063 % above the equation's), s within
// 25 J/(kg K) and h within 25 J/kg at 0.1, 1 and 2.5 MPa (the fit gives
// -5, +3, +13 and -12, +4, +20).
TEST(HeIIState, ContinuousWithTheEquationOnTheLambdaLine) {
  const double rows[][4] = {{0.1e6, 4e-4, 25, 25}, {1e6, 1e-5, 25, 25}, {2.5e6, 1e-5, 25, 25}};
  for (const auto& r : rows) {
    const double p = r[0];
    const double T_l = eos::lambda_line_temperature(p);
    const double T = std::nextafter(T_l, 0.0);
    const sp::HeIIState st = sp::he_ii_state(T, p, saturated_line(T));
    ASSERT_TRUE(st.in_range) << p;
    EXPECT_FALSE(sp::he_ii_in_range(T_l, p));
    EXPECT_NEAR(st.rho / he_i(VORN_EOS_RHO, T_l, p), 1.0, r[1]) << p;
    EXPECT_NEAR(st.s, he_i(VORN_EOS_S, T_l, p), r[2]) << p;
    EXPECT_NEAR(st.h, he_i(VORN_EOS_H, T_l, p), r[3]) << p;
  }
}

// Maxwell's relations and cp = T (ds/dT)_p by central differences; kappa_T
// and alpha against the density's differences.
TEST(HeIIState, ThermodynamicallyConsistent) {
  // Either side of where the vapour pressure (1.25 K) and the density fit
  // (1.334 K) change form, each with its own closure curvature.
  const double points[][2] = {{0.9, 2e6},      {1.4, 1e5},      {1.7, 2.5e6},   {1.9, 3e4},
                              {2.0, 1e6},      {2.1, 4e5},      {2.17, 1e4},    {1.2499, 2.4e6},
                              {1.2501, 2.4e6}, {1.3339, 2.4e6}, {1.3341, 2.4e6}};
  for (const auto& pt : points) {
    const double T = pt[0], p = pt[1], hT = 1e-5, hp = 1e-4 * p;
    const sp::SaturatedLine sat = saturated_line(T);
    const sp::HeIIState st = sp::he_ii_state(T, p, sat);
    ASSERT_TRUE(st.in_range) << T << " " << p;
    const sp::HeIIState up = sp::he_ii_state(T, p + hp, sat), down = sp::he_ii_state(T, p - hp, sat);
    EXPECT_NEAR((up.g - down.g) / (2 * hp) * st.rho, 1.0, 1e-8) << T << " " << p;
    EXPECT_NEAR((up.s - down.s) / (2 * hp), -st.alpha / st.rho, 1e-6 * std::fabs(st.alpha / st.rho) + 1e-12);
    EXPECT_NEAR(-(up.rho - down.rho) / (2 * hp) / st.rho * -1.0, st.kappa, 1e-6 * st.kappa);
    const sp::HeIIState warm = sp::he_ii_state(T + hT, p, sat), cold = sp::he_ii_state(T - hT, p, sat);
    EXPECT_NEAR(T * (warm.ds - cold.ds) / (2 * hT), st.cp - sat.c, 1e-5 * st.cp) << T << " " << p;
    EXPECT_NEAR(-(warm.rho - cold.rho) / (2 * hT) / st.rho, st.alpha, 1e-6 * std::fabs(st.alpha) + 1e-9);
  }
}

// Where the density fit changes form (1.334 K) He II's cp, s and rho go on
// without a step (the bare forms stepped cp by 2 % at 2.4 MPa).
TEST(HeIIState, ContinuousWhereTheDensityFitChangesForm) {
  const double T = 1.334, below = std::nextafter(T, 0.0);
  for (const double p : {sp::saturation_pressure(T).value + 1.0, 1e6, 2.4e6}) {
    const sp::HeIIState a = sp::he_ii_state(below, p, saturated_line(below));
    const sp::HeIIState b = sp::he_ii_state(T, p, saturated_line(T));
    EXPECT_NEAR(a.cp / b.cp, 1.0, 1e-9) << p;
    EXPECT_NEAR(a.s, b.s, 1e-9) << p;
    EXPECT_NEAR(a.rho / b.rho, 1.0, 1e-12) << p;
  }
}

// Every state stable: cp, cv, w, kappa_T > 0 from 0.5 K to the lambda line,
// from the vapour pressure to the melting line; alpha < 0 near the line.
TEST(HeIIState, StableEverywhere) {
  for (double T = 0.5; T < 2.1768; T += 0.04) {
    const double top = std::fmin(eos::melting_pressure(T), eos::lambda_line_pressure(T));
    const double bottom = sp::saturation_pressure(T).value;
    for (int k = 0; k <= 12; ++k) {
      const double p = bottom + (top - bottom) * k / 12.0 * (1.0 - 1e-9);
      if (!sp::he_ii_in_range(T, p)) continue;
      const sp::HeIIState st = sp::he_ii_state(T, p, {0.0, 0.0, svp(vorn_svp_c, T)});
      EXPECT_GT(st.cp, 0.0) << T << " " << p;
      EXPECT_GT(st.cv, 0.0) << T << " " << p;
      EXPECT_GT(st.w, 100.0) << T << " " << p;
      EXPECT_GT(st.kappa, 0.0) << T << " " << p;
      EXPECT_LE(st.cv, st.cp) << T << " " << p;
    }
  }
  for (const double p : {1e5, 1e6, 2.5e6}) {
    const double T = eos::lambda_line_temperature(p) - 1e-4;
    EXPECT_LT(sp::he_ii_state(T, p, {0.0, 0.0, 0.0}).alpha, -0.05) << p;
  }
}

// Outside the range: NaN, not a value.
TEST(HeIIState, RefusesOutsideItsRange) {
  const double cases[][2] = {{0.49, 1e5}, {2.18, 1e4}, {1.9, 100.0}, {1.0, 3.1e6}, {1.8, NAN}, {NAN, 1e5}};
  for (const auto& c : cases) {
    const sp::HeIIState st = sp::he_ii_state(c[0], c[1], {0.0, 0.0, 0.0});
    EXPECT_FALSE(st.in_range) << c[0] << " " << c[1];
    EXPECT_TRUE(std::isnan(st.rho) && std::isnan(st.cp) && std::isnan(sp::two_fluid(st).second_sound));
  }
}

// Two-fluid properties at the vapour pressure are the bath's (the saturated
// fits'), and a hair above it no further than that hair moves them; the heat
// conductivity function stops where the bath's does (1.4 K).
TEST(HeIITwoFluid, MeetTheBathAtTheVapourPressure) {
  for (const double T : {0.8, 1.1, 1.3, 1.5, 1.9276, 2.1}) {
    const double p = sp::saturation_pressure(T).value;
    const sp::TwoFluid at = sp::two_fluid(sp::he_ii_state(T, p, saturated_line(T)));
    const sp::TwoFluid above = sp::two_fluid(sp::he_ii_state(T, p * (1.0 + 1e-9), saturated_line(T)));
    EXPECT_NEAR(at.fraction, svp(vorn_svp_fraction_s, T), 1e-12) << T;
    EXPECT_EQ(at.second_sound, svp(vorn_svp_u2, T)) << T;
    EXPECT_NEAR(above.second_sound / at.second_sound, 1.0, 1e-9) << T;
    EXPECT_GT(at.fourth_sound, at.second_sound) << T;
    if (T < 1.4) {
      EXPECT_TRUE(std::isnan(at.conductivity_function) && std::isnan(above.conductivity_function)) << T;
    } else {
      EXPECT_NEAR(at.conductivity_function / svp(vorn_svp_heat_conductivity_function, T), 1.0, 1e-12) << T;
    }
  }
}

}  // namespace
