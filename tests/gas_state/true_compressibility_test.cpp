// The true compressibility factor pV/(nRT) of the virial equation and the
// constant-volume gas thermometer built on it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "vorn.h"

namespace {

double Z(double T, double P) { return vorn_Z(&T, &P); }

// The pressure (kPa) the truncated virial equation gives at T for a molar density rho (mol/m^3).
double virial_pressure(double T, double rho) {
  const double B = 1e-6 * __vorn_MOD_b(&T);
  const double C = 1e-12 * __vorn_MOD_c(&T);
  const double D = 1e-18 * __vorn_MOD_d(&T);
  return rho * __vorn_MOD_r * T * (1.0 + B * rho + C * rho * rho + D * rho * rho * rho) / 1000.0;
}

TEST(TrueCompressibility, ReferenceStates) {
  // The reference equation of state of helium gives 1.000481 at 300 K, 101.325 kPa.
  EXPECT_NEAR(Z(300.0, 101.325), 1.000480, 5e-7);
  EXPECT_NEAR(Z(273.16, 101.325), 1.000533, 2e-5);
  EXPECT_EQ(Z(300.0, 0.0), 1.0);
}

TEST(TrueCompressibility, ApproachesOnePlusBTimesDensityAtLowPressure) {
  for (double T : {4.2, 10.0, 20.0, 77.0, 300.0, 1000.0}) {
    const double P = 0.01;  // kPa
    const double y = 1000.0 * P / (__vorn_MOD_r * T);
    const double B = 1e-6 * __vorn_MOD_b(&T);
    EXPECT_NEAR((Z(T, P) - 1.0) / y, B, 1e-3 * std::fabs(B) + 1e-12) << T;
  }
}

TEST(TrueCompressibility, SolvesTheVirialEquationToRoundoff) {
  for (double T : {3.0, 4.2, 10.0, 20.0, 100.0, 300.0}) {
    for (double rho : {1.0, 100.0, 1000.0, 3000.0}) {
      const double P = virial_pressure(T, rho);
      const double z = Z(T, P);
      if (std::isnan(z)) continue;  // past the turning point of this isotherm
      const double rho_back = 1000.0 * P / (z * __vorn_MOD_r * T);
      EXPECT_NEAR(rho_back, rho, 1e-12 * rho) << "T = " << T << ", rho = " << rho;
    }
  }
}

TEST(TrueCompressibility, NaNWhereTheIsothermHasTurnedOver) {
  EXPECT_TRUE(std::isnan(Z(2.5, 100.0)));
  EXPECT_TRUE(std::isnan(Z(4.2, 300.0)));
  EXPECT_FALSE(std::isnan(Z(4.2, 99.0)));
  EXPECT_TRUE(std::isnan(Z(-1.0, 100.0)));
  EXPECT_TRUE(std::isnan(Z(std::numeric_limits<double>::quiet_NaN(), 100.0)));
  EXPECT_TRUE(std::isnan(Z(300.0, -1.0)));
}

struct GasThermometerRow {
  double P, T0, P0, T;
};

TEST(GasThermometer, DiffersFromTheAcousticInversionByMillikelvins) {
  int iterations = -1;
  int converged = -1;
  const double P = 10.0, T0 = 273.16, P0 = 100.0;
  const double T = vorn_cvgt_temperature(&P, &T0, &P0, &iterations, &converged);
  EXPECT_NEAR(T, 27.3272, 5e-5);
  EXPECT_EQ(converged, 1);
  EXPECT_GE(iterations, 1);
  const double phi = P / P0;
  EXPECT_NEAR(temp_K(&phi, &P, &T0, &P0), 27.3233161208, 1e-9);
}

TEST(GasThermometer, RoundTripsTheVirialEquation) {
  // A bulb filled at T0 to a fixed n/V; the virial equation gives the pressure at
  // every T; the thermometer must give the T back.
  for (double rho : {5.0, 50.0, 200.0}) {
    const double T0 = 273.16;
    const double P0 = virial_pressure(T0, rho);
    for (double T_true : {4.2, 7.0, 13.8033, 24.5561, 54.3584, 83.8058, 234.3156, 300.0, 500.0}) {
      const double P = virial_pressure(T_true, rho);
      int iterations = 0, converged = 0;
      const double T = vorn_cvgt_temperature(&P, &T0, &P0, &iterations, &converged);
      EXPECT_NEAR(T, T_true, 1e-9) << "rho = " << rho << ", T = " << T_true;
      EXPECT_EQ(converged, 1);
    }
  }
}

TEST(GasThermometer, MeaninglessInputsGiveNaNAndNotConverged) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double rows[][3] = {
      {10.0, 0.0, 100.0}, {10.0, 273.16, 0.0}, {-1.0, 273.16, 100.0}, {nan, 273.16, 100.0}};
  for (const auto& r : rows) {
    int converged = 7;
    EXPECT_TRUE(std::isnan(vorn_cvgt_temperature(&r[0], &r[1], &r[2], nullptr, &converged)));
    EXPECT_EQ(converged, 0);
  }
}

}  // namespace
