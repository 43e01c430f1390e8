// Real powers through the C library's pow, with that library's rounding.
//
// g++ and clang++ rewrite pow(x, 2.0) as x*x (and fold other constant
// exponents) on their own; the two can differ in the last bit. Passing the
// exponent through a volatile keeps the call a real call whatever exponent a
// caller writes.
//
// mingw-w64 (the Windows DLL) links its own pow, which computes in x87 long
// double, so its result follows the x87 precision control of the calling
// thread: 64 bits in the main thread of a program built by mingw-w64, 53 in
// every thread Windows starts and in hosts built with Microsoft's compiler,
// where that pow errs by tens of ulps. There the power is taken at 64-bit
// precision whatever the caller left, and the caller's control word is put
// back: the same bits in every thread and every host.
#pragma once

#include <cmath>

namespace vorn {

#if defined(__MINGW32__) && (defined(__x86_64__) || defined(__i386__))
inline double real_power(double base, double exponent) {
  volatile double opaque_exponent = exponent;
  unsigned short caller = 0;
  __asm__ volatile("fnstcw %0" : "=m"(caller)::"memory");
  const unsigned short extended = static_cast<unsigned short>(caller | 0x300U);  // precision control: 64 bits
  __asm__ volatile("fldcw %0" ::"m"(extended) : "memory");
  // Stored to a volatile before the control word goes back: the power is
  // taken under 64-bit precision even if the compiler deems pow pure.
  volatile double result = std::pow(base, opaque_exponent);
  __asm__ volatile("fldcw %0" ::"m"(caller) : "memory");
  return result;
}
#else
inline double real_power(double base, double exponent) {
  volatile double opaque_exponent = exponent;
  return std::pow(base, opaque_exponent);
}
#endif

}  // namespace vorn
