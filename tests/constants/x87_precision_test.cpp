// The routines with real powers give the same bits whatever x87 precision
// the caller left, and leave the caller's control word as it was. A maths
// library that computes pow in x87 long double (mingw-w64's, in the Windows
// DLL) rounds its intermediates to the precision control of the calling
// thread: 64 bits in a mingw-w64 program's main thread, 53 in threads
// Windows starts and in hosts built with Microsoft's compiler. On x86 only;
// elsewhere there is no x87 unit.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <vector>

#include "test_support.hpp"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
namespace {

using vorn_test::Fn2;

unsigned short control_word() {
  unsigned short cw = 0;
  __asm__ volatile("fnstcw %0" : "=m"(cw)::"memory");
  return cw;
}

void set_control_word(unsigned short cw) { __asm__ volatile("fldcw %0" ::"m"(cw) : "memory"); }

constexpr unsigned short kPrecisionMask = 0x300;
constexpr unsigned short kPrecision53 = 0x200;
constexpr unsigned short kPrecision64 = 0x300;

// 2,000 states over 1.5-1500 K and 0.01-20000 kPa, made by multiplication
// alone; at 53-bit precision mingw-w64's pow changed vorn_Za_gk at about a
// quarter of such states.
std::vector<std::array<double, 2>> states() {
  constexpr std::size_t n = 2000;
  std::vector<double> T(n), P(n);
  T[0] = 1.5;
  P[0] = 0.01;
  for (std::size_t i = 1; i < n; ++i) {
    T[i] = T[i - 1] * 1.0034616;
    P[i] = P[i - 1] * 1.0072844;
  }
  std::vector<std::array<double, 2>> s;
  for (std::size_t i = 0; i < n; ++i) s.push_back({T[i], P[i * 797 % n]});  // 797 is prime to n
  return s;
}

struct Routine {
  const char* name;
  Fn2 f;
};
const Routine kRealPowerRoutines[] = {
    {"vorn_Za_gk", vorn_Za_gk}, {"vorn_w_gk", vorn_w_gk}, {"vorn_k", vorn_k}, {"vorn_nu", vorn_nu}};

// Every routine at every state, with the precision control set to the
// given value before each call; fails if a call leaves it changed.
std::vector<double> evaluate(unsigned short precision, const std::vector<std::array<double, 2>>& at) {
  const unsigned short saved = control_word();
  const unsigned short caller = static_cast<unsigned short>((saved & ~kPrecisionMask) | precision);
  std::vector<double> out;
  for (const Routine& r : kRealPowerRoutines) {
    for (const auto& s : at) {
      set_control_word(caller);
      out.push_back(r.f(&s[0], &s[1]));
      const unsigned short after = control_word();
      set_control_word(saved);
      EXPECT_EQ(after, caller) << r.name << " left the x87 control word changed";
    }
  }
  for (const auto& s : at) {
    const double phi = s[0] / 273.16, T0 = 273.16, P0 = 100.0;
    set_control_word(caller);
    out.push_back(temp_K(&phi, &s[1], &T0, &P0));
    set_control_word(saved);
  }
  return out;
}

TEST(X87Precision, RealPowersGiveTheSameBitsAt53And64BitPrecision) {
  const auto at = states();
  const std::vector<double> extended = evaluate(kPrecision64, at);
  const std::vector<double> doubled = evaluate(kPrecision53, at);
  ASSERT_EQ(extended.size(), doubled.size());
  std::size_t differing = 0;
  for (std::size_t i = 0; i < extended.size(); ++i) {
    if (vorn_test::bits(extended[i]) != vorn_test::bits(doubled[i])) ++differing;
  }
  EXPECT_EQ(differing, 0U) << "of " << extended.size() << " results";
}

}  // namespace
#endif
