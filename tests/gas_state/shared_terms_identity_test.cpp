// cv, cp, gamma and w fill B, C, D and their derivatives once per call (B and
// C side by side in a pair of doubles, independent divisions two at a time)
// where each term used to be formed by its own call. Checked bit for bit
// against the formulas written term by term, one call per term, on random
// bit patterns, physical states and special values. A NaN result need only be
// NaN on both sides (which NaN two NaNs give depends on operand order).
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "arrays/array_pairs.hpp"
#include "constants/integer_power.hpp"
#include "constants/module_constants.hpp"
#include "constants/real_power.hpp"
#include "gas_state/heat_capacity.hpp"
#include "gas_state/virial_terms.hpp"
#include "vorn.h"

namespace {

using array_pairs::same_result;

// Term by term, as the formulas read.
double density_term_by_term(double T, double P) {
  const double p = 1000.0 * P;
  const double B = vorn::si_second_virial(T);
  const double C = vorn::si_third_virial(T);
  const double D = vorn::si_fourth_virial(T);
  const double r = gas_constant;
  const double N3 = (D * 3.0) * vorn::integer_power<3>(p);
  const double N2 = (T * ((C + C) * r)) * (p * p);
  const double N1 = ((T * T) * ((r * r) * B)) * p;
  const double M3 = (D * 4.0) * vorn::integer_power<3>(p);
  const double M2 = (T * ((C * 3.0) * r)) * (p * p);
  const double M1 = ((T * T) * ((B + B) * (r * r))) * p;
  const double rT3 = vorn::integer_power<3>(r) * vorn::integer_power<3>(T);
  return ((rT3 + ((N3 + N2) + N1)) * (molar_mass * p)) / ((rT3 + ((M3 + M2) + M1)) * (T * r));
}

double cv_term_by_term(double T, double P) {
  const double Bt = vorn::si_second_virial_T_dT(T);
  const double Btt = vorn::si_second_virial_T2_dT2(T);
  const double Ct = vorn::si_third_virial_T_dT(T);
  const double Ctt = vorn::si_third_virial_T2_dT2(T);
  const double V = molar_mass / density_term_by_term(T, P);
  const double Sv = (((2.0 / V) * Bt + (1.0 / V) * Btt) + (1.0 / (V * V)) * Ct) + (1.0 / (2.0 * V * V)) * Ctt;
  return (1.5 * gas_constant - Sv * gas_constant) / molar_mass;
}

double cp_term_by_term(double T, double P) {
  const double B = vorn::si_second_virial(T);
  const double Bt = vorn::si_second_virial_T_dT(T);
  const double Btt = vorn::si_second_virial_T2_dT2(T);
  const double C = vorn::si_third_virial(T);
  const double Ct = vorn::si_third_virial_T_dT(T);
  const double Ctt = vorn::si_third_virial_T2_dT2(T);
  const double V = molar_mass / density_term_by_term(T, P);
  const double Qp = ((((B - Bt) * (B - Bt)) - C) + Ct) - Ctt / 2.0;
  return (2.5 * gas_constant - gas_constant * (Btt / V - Qp / (V * V))) / molar_mass;
}

double gamma_term_by_term(double T, double P) { return cp_term_by_term(T, P) / cv_term_by_term(T, P); }

double w_term_by_term(double T, double P) {
  const double p = 1000.0 * P;
  const double B = vorn::si_second_virial(T);
  const double Bt = vorn::si_second_virial_T_dT(T);
  const double Btt = vorn::si_second_virial_T2_dT2(T);
  const double C = vorn::si_third_virial(T);
  const double Ct = vorn::si_third_virial_T_dT(T);
  const double Ctt = vorn::si_third_virial_T2_dT2(T);
  const double D = vorn::si_fourth_virial(T);
  const double Dt = vorn::si_fourth_virial_T_dT(T);
  const double Dtt = vorn::si_fourth_virial_T2_dT2(T);
  const double g0 = heat_capacity_ratio_ideal;
  const double r = gas_constant;
  const double k = g0 - 1.0;
  const double qc = ((C + C) + (g0 + g0) * Ct) + k * Ctt;
  const double qb = ((((g0 + g0) - 1.0) * Bt) + B) + k * Btt;
  const double k2 = vorn::real_power(k, 2.0);
  const double beta_a = ((B + B) + (k + k) * Bt) + (k2 / g0) * Btt;
  const double gamma_a =
      ((((qb * qb) * k + (1.0 + (g0 + g0)) * C) + ((g0 * g0) - 1.0) * Ct) + ((k * k) / 2.0) * Ctt) / g0;
  const double e1 = ((qb * qb) * (k * k)) * ((Bt + Bt) + Btt);
  const double e2 = (k * qb) * qc;
  const double e3 = ((1.0 + g0) + (1.0 + g0)) * D;
  const double e4 = ((0.6666666666666666 * k) * (2.0 + g0)) * Dt;
  const double e5 = ((k * k) / 3.0) * Dtt;
  const double delta_a = ((((e1 + e2) + e3) + e4) + e5) / g0;
  const double a2 = (gamma_a - beta_a * B) / (r * T);
  const double a3 = ((delta_a - beta_a * C) - ((T * (r + r)) * a2) * B) / ((r * T) * (r * T));
  const double w0sq = (T * (g0 * r)) / molar_mass;
  const double Sw = ((1.0 + (beta_a * p) / (r * T)) + ((p * p) * a2) / (r * T)) +
                    (vorn::integer_power<3>(p) * a3) / (r * T);
  return std::sqrt(Sw * w0sq);
}

// The one-point routines compiled here, for the x86-64 baseline: the library
// runs its AVX2 variant (B, C and D's values in four lanes) wherever the
// processor has it, and the baseline one lays them out otherwise (a pair and
// D alone).
double cv_baseline(const double* T, const double* P) { return vorn::isochoric_heat_capacity(*T, *P); }
double cp_baseline(const double* T, const double* P) { return vorn::isobaric_heat_capacity(*T, *P); }
double gamma_baseline(const double* T, const double* P) { return vorn::heat_capacity_ratio(*T, *P); }

struct Routine {
  const char* name;
  double (*exported)(const double*, const double*);
  double (*term_by_term)(double, double);
};
const Routine kRoutines[] = {
    {"vorn_cv", vorn_cv, cv_term_by_term},
    {"vorn_cp", vorn_cp, cp_term_by_term},
    {"vorn_gamma", vorn_gamma, gamma_term_by_term},
    {"vorn_w", vorn_w, w_term_by_term},
    {"cv, baseline", cv_baseline, cv_term_by_term},
    {"cp, baseline", cp_baseline, cp_term_by_term},
    {"gamma, baseline", gamma_baseline, gamma_term_by_term},
};

std::vector<double> special_values() {
  const double inf = std::numeric_limits<double>::infinity();
  const double dmin = std::numeric_limits<double>::denorm_min();
  return {0.0,     -0.0, dmin, -dmin,    DBL_MIN,  inf,      -inf,  std::numeric_limits<double>::quiet_NaN(),
          DBL_MAX, 1.0,  -1.0, 2.180066, 2.470429, 23.18621, 66.55, 267.8,
          1e-300,  1e300};
}

void expect_same(const Routine& r, double T, double P) {
  const double got = r.exported(&T, &P);
  const double expected = r.term_by_term(T, P);
  ASSERT_TRUE(same_result(got, expected))
      << r.name << "(" << T << ", " << P << "): " << got << " against " << expected;
}

TEST(SharedTermsIdentity, PhysicalStatesAndRandomBitPatterns) {
  std::mt19937_64 rng(20261209);
  std::uniform_real_distribution<double> temperature(0.5, 400.0);
  std::uniform_real_distribution<double> pressure(0.0, 2000.0);
  for (const Routine& r : kRoutines) {
    for (int i = 0; i < 50000; ++i) expect_same(r, temperature(rng), pressure(rng));
    for (int i = 0; i < 50000; ++i) {
      const std::uint64_t bits[2] = {rng(), rng()};
      double x[2];
      std::memcpy(x, bits, sizeof x);
      expect_same(r, x[0], x[1]);
    }
  }
}

TEST(SharedTermsIdentity, EveryPairOfSpecialValues) {
  const std::vector<double> values = special_values();
  for (const Routine& r : kRoutines) {
    for (const double T : values) {
      for (const double P : values) expect_same(r, T, P);
      expect_same(r, T, 100.0);
    }
  }
}

}  // namespace
