// Helpers shared by the test files: printed reference values checked to the
// digits they carry, bitwise comparison of doubles, and a fixture that puts
// the module constants back after a test has stored into them.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "vorn.h"

namespace vorn_test {

// A reference value as printed in a table: "15.888455" is checked to half a
// unit in its last digit (5e-7), "2.5191898e-04" to 5e-12. The tolerance
// comes from the text, so a row cannot claim more digits than it shows.
struct Printed {
  const char* text;

  double value() const { return std::strtod(text, nullptr); }

  double half_unit() const {
    const std::string s(text);
    const std::size_t e = s.find_first_of("eE");
    const std::string mantissa = s.substr(0, e);
    const int exponent = e == std::string::npos ? 0 : std::atoi(s.c_str() + e + 1);
    const std::size_t dot = mantissa.find('.');
    const int decimals = dot == std::string::npos ? 0 : static_cast<int>(mantissa.size() - dot - 1);
    return 0.5 * std::pow(10.0, exponent - decimals);
  }
};

inline ::testing::AssertionResult MatchesPrinted(const char* actual_expr, const char* printed_expr,
                                                 double actual, Printed printed) {
  const double expected = printed.value();
  const double tolerance = printed.half_unit();
  if (std::fabs(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", actual);
  return ::testing::AssertionFailure()
         << actual_expr << " = " << buffer << " does not round to " << printed.text << " (" << printed_expr
         << ", tolerance " << tolerance << ")";
}

#define EXPECT_PRINTED(actual, printed) EXPECT_PRED_FORMAT2(::vorn_test::MatchesPrinted, actual, printed)

inline std::uint64_t bits(double x) {
  std::uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

// Bit-for-bit equality: tells +0 from -0 and accepts a NaN only against the
// same NaN.
inline ::testing::AssertionResult SameBits(const char* a_expr, const char* b_expr, double a, double b) {
  if (bits(a) == bits(b)) return ::testing::AssertionSuccess();
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, "%.17g (0x%016llx) vs %.17g (0x%016llx)", a,
                static_cast<unsigned long long>(bits(a)), b, static_cast<unsigned long long>(bits(b)));
  return ::testing::AssertionFailure() << a_expr << " and " << b_expr << " differ: " << buffer;
}

#define EXPECT_SAME_BITS(a, b) EXPECT_PRED_FORMAT2(::vorn_test::SameBits, a, b)

// Routines called by value, so that tables can hold plain numbers; the
// library still receives addresses, as from any host.
using Fn1 = double (*)(const double*);
using Fn2 = double (*)(const double*, const double*);

inline double call(Fn1 f, double T) { return f(&T); }
inline double call(Fn2 f, double T, double P) { return f(&T, &P); }
inline double call_temp_K(double phi, double P, double T0, double P0) { return temp_K(&phi, &P, &T0, &P0); }

// Tests that store into the module constants derive from this fixture, which
// puts the four values back whatever the test does.
class ModuleConstants : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_g0_ = __vorn_MOD_g0;
    saved_m0_ = __vorn_MOD_m0;
    saved_pi_ = __vorn_MOD_pi;
    saved_r_ = __vorn_MOD_r;
  }
  void TearDown() override {
    __vorn_MOD_g0 = saved_g0_;
    __vorn_MOD_m0 = saved_m0_;
    __vorn_MOD_pi = saved_pi_;
    __vorn_MOD_r = saved_r_;
  }

 private:
  double saved_g0_ = 0, saved_m0_ = 0, saved_pi_ = 0, saved_r_ = 0;
};

}  // namespace vorn_test
