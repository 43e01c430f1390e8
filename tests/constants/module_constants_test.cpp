// The four exported module constants: their initial values, and that every
// routine re-reads them at each call (and that only the routines meant to read
// one see it change).
#include <cmath>
#include <limits>

#include "routines.hpp"
#include "test_support.hpp"

namespace {

using vorn_test::bits;
using vorn_test::call;
using vorn_test::call_temp_K;
using vorn_test::kRoutines;
using vorn_test::kStates;
using vorn_test::Routine;

TEST(ModuleConstantValues, Initial) {
  EXPECT_SAME_BITS(__vorn_MOD_g0, 1.666666666666667);
  EXPECT_SAME_BITS(__vorn_MOD_m0, 0.00400260325413);
  EXPECT_SAME_BITS(__vorn_MOD_pi, 3.141592653589793);
  EXPECT_SAME_BITS(__vorn_MOD_r, 8.3144598);
  // g0 is the decimal 1.666666666666667, one unit in the last place above the
  // double nearest 5/3: it is not computed as 5/3.
  EXPECT_EQ(bits(__vorn_MOD_g0) - bits(5.0 / 3.0), 1u);
}

using ModuleConstantEffects = vorn_test::ModuleConstants;

// Records every routine at every state, so that a test can compare after
// storing into a constant.
struct Snapshot {
  double value[std::size(kRoutines)][std::size(kStates)];
  Snapshot() {
    for (std::size_t i = 0; i < std::size(kRoutines); ++i)
      for (std::size_t j = 0; j < std::size(kStates); ++j)
        value[i][j] = kRoutines[i].at(kStates[j][0], kStates[j][1]);
  }
};

// Storing into a constant changes exactly the routines that read it; pi is
// read by none.
TEST_F(ModuleConstantEffects, OnlyReadersSeeAStore) {
  struct Store {
    const char* name;
    double* constant;
    double value;
    bool Routine::*reads;
  };
  const Store stores[] = {
      {"r", &__vorn_MOD_r, 8.314462618, &Routine::reads_r},
      {"m0", &__vorn_MOD_m0, 0.004002602, &Routine::reads_m0},
      {"g0", &__vorn_MOD_g0, 1.4, &Routine::reads_g0},
      {"pi", &__vorn_MOD_pi, -1.0, nullptr},
  };
  const Snapshot before;
  for (const Store& store : stores) {
    const double saved = *store.constant;
    *store.constant = store.value;
    const Snapshot after;
    *store.constant = saved;
    for (std::size_t i = 0; i < std::size(kRoutines); ++i) {
      const Routine& routine = kRoutines[i];
      const bool reads = store.reads != nullptr && routine.*store.reads;
      for (std::size_t j = 0; j < std::size(kStates); ++j) {
        SCOPED_TRACE(testing::Message() << "stored " << store.name << ", " << routine.name
                                        << " at T = " << kStates[j][0] << ", P = " << kStates[j][1]);
        if (reads) {
          EXPECT_NE(bits(after.value[i][j]), bits(before.value[i][j]));
        } else if (store.constant == &__vorn_MOD_m0 && (routine.f2 == vorn_vol || routine.f2 == vorn_gamma)) {
          EXPECT_NEAR(after.value[i][j], before.value[i][j], 1e-15 * std::fabs(before.value[i][j]));
        } else {
          EXPECT_SAME_BITS(after.value[i][j], before.value[i][j]);
        }
      }
    }
  }
  // Put back, every routine gives its first results again.
  const Snapshot again;
  for (std::size_t i = 0; i < std::size(kRoutines); ++i)
    for (std::size_t j = 0; j < std::size(kStates); ++j)
      EXPECT_SAME_BITS(again.value[i][j], before.value[i][j]);
}

// r enters only through r T and the molar density p/(r T): four times r at P
// is the state at P/4 with the energy scale four times larger. Scaling by a
// power of two is exact, so these hold bit for bit.
TEST_F(ModuleConstantEffects, GasConstantScalesTheMolarDensity) {
  const double r = __vorn_MOD_r;
  for (const auto& s : kStates) {
    const double T = s[0], P = s[1];
    SCOPED_TRACE(testing::Message() << "T = " << T << ", P = " << P);
    __vorn_MOD_r = r;
    const double rho = call(vorn_rho, T, P / 4), vol = call(vorn_vol, T, P / 4);
    const double cv = call(vorn_cv, T, P / 4), cp = call(vorn_cp, T, P / 4);
    const double gamma = call(vorn_gamma, T, P / 4), w = call(vorn_w, T, P / 4);
    const double Za = call(vorn_Za_gk, T, P / 4), w_gk = call(vorn_w_gk, T, P / 4);
    const double T_K = call_temp_K(0.1, P / 4, 273.16, 25);
    __vorn_MOD_r = 4 * r;
    EXPECT_SAME_BITS(call(vorn_rho, T, P), rho);
    EXPECT_SAME_BITS(call(vorn_vol, T, P), vol);
    EXPECT_SAME_BITS(call(vorn_cv, T, P), 4 * cv);
    EXPECT_SAME_BITS(call(vorn_cp, T, P), 4 * cp);
    EXPECT_SAME_BITS(call(vorn_gamma, T, P), gamma);
    EXPECT_SAME_BITS(call(vorn_w, T, P), 2 * w);
    EXPECT_SAME_BITS(call(vorn_Za_gk, T, P), Za);
    EXPECT_SAME_BITS(call(vorn_w_gk, T, P), 2 * w_gk);
    EXPECT_SAME_BITS(call_temp_K(0.1, P, 273.16, 100), T_K);
  }
}

// The density scales with m0, the specific heat capacities with its inverse;
// molar volume and the ratio of heat capacities keep their values.
TEST_F(ModuleConstantEffects, MolarMassScalesTheSpecificProperties) {
  const double m0 = __vorn_MOD_m0, ratio = 1.5;
  for (const auto& s : kStates) {
    const double T = s[0], P = s[1];
    SCOPED_TRACE(testing::Message() << "T = " << T << ", P = " << P);
    __vorn_MOD_m0 = m0;
    const double rho = call(vorn_rho, T, P), vol = call(vorn_vol, T, P);
    const double cv = call(vorn_cv, T, P), cp = call(vorn_cp, T, P), gamma = call(vorn_gamma, T, P);
    __vorn_MOD_m0 = ratio * m0;
    EXPECT_NEAR(call(vorn_rho, T, P), ratio * rho, 1e-15 * ratio * rho);
    EXPECT_NEAR(call(vorn_vol, T, P), vol, 1e-15 * vol);
    EXPECT_NEAR(call(vorn_cv, T, P), cv / ratio, 1e-15 * cv);
    EXPECT_NEAR(call(vorn_cp, T, P), cp / ratio, 1e-15 * cp);
    EXPECT_NEAR(call(vorn_gamma, T, P), gamma, 1e-15 * gamma);
  }
}

// g0 enters the ideal-gas speed of sound and every acoustic coefficient; the
// heat capacities use the fixed factors 1.5 r and 2.5 r instead.
TEST_F(ModuleConstantEffects, HeatCapacityRatioReachesOnlyTheSpeedsOfSound) {
  const double T = 300, zero = 0;
  const double w0 = call(vorn_w, T, zero), w0_gk = call(vorn_w_gk, T, zero);
  __vorn_MOD_g0 = 4 * __vorn_MOD_g0;
  // At P = 0 both reduce to sqrt(g0 r T / m0), which doubles.
  EXPECT_NEAR(call(vorn_w, T, zero), 2 * w0, 1e-15 * w0);
  EXPECT_NEAR(call(vorn_w_gk, T, zero), 2 * w0_gk, 1e-15 * w0_gk);
  EXPECT_SAME_BITS(call(vorn_cv, T, zero), 3115.894558655384);
  EXPECT_SAME_BITS(call(vorn_cp, T, zero), 5193.157597758974);
  EXPECT_SAME_BITS(call(vorn_gamma, T, zero), 1.6666666666666667);
}

// Two arguments may share one address: the routine only reads through it.
TEST(SharedAddress, SameAsTwoCopies) {
  for (const Routine& routine : kRoutines) {
    if (routine.f1 != nullptr) continue;
    for (const double x : {1.5, 2.3, 4.2, 25.0, 300.0}) {
      SCOPED_TRACE(testing::Message() << routine.name << " at " << x);
      double shared = x;
      if (routine.thermometer) {
        EXPECT_SAME_BITS(temp_K(&shared, &shared, &shared, &shared), call_temp_K(x, x, x, x));
      } else {
        EXPECT_SAME_BITS(routine.f2(&shared, &shared), call(routine.f2, x, x));
      }
      EXPECT_SAME_BITS(shared, x);
    }
  }
}

}  // namespace
