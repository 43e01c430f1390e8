#include <gtest/gtest.h>

#include "vorn.h"

TEST(Smoke, LoadsAndAnswers) {
  const double T = 300.0;
  EXPECT_NEAR(__vorn_MOD_b(&T), 11.8191108, 1e-6);
}
