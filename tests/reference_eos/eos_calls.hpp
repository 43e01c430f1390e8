// The reference equation's whole state and saturation as a host asks for
// them, for the tests that call them many times.
#pragma once

#include <gtest/gtest.h>

#include "vorn.h"

namespace vorn_test {

inline vorn_eos_state state(int pair, double x1, double x2) {
  vorn_eos_state s{};
  s.size = sizeof s;
  EXPECT_EQ(vorn_eos_state_at(&pair, &x1, &x2, &s), 0);
  return s;
}

inline vorn_eos_saturation saturation_T(double T) {
  vorn_eos_saturation s{};
  s.size = sizeof s;
  EXPECT_EQ(vorn_eos_saturation_T(&T, &s), 0);
  return s;
}

inline vorn_eos_saturation saturation_P(double P) {
  vorn_eos_saturation s{};
  s.size = sizeof s;
  EXPECT_EQ(vorn_eos_saturation_P(&P, &s), 0);
  return s;
}

}  // namespace vorn_test
