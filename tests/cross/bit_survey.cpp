// The result bits of all 22 routines over one fixed grid of states, printed
// so that two platforms can be compared point by point (compare_bits.py).
//
// The grid is made by repeated multiplication, never by exp or pow, so the
// inputs are the same doubles on every platform whatever its maths library:
// T from 1.5 K up by a factor of about 1.000345 per point (to about 1500 K),
// P from 0.01 kPa up by about 1.000726 per point (to about 20000 kPa), the
// pressures visited in a stride-7919 order so that every temperature meets a
// different pressure. temp_K runs at phi = T/273.16 against (273.16 K,
// 100 kPa), as tests/routines.hpp calls it.
//
// With --x87-precision-53 (x86-64 only) the survey first sets the x87 unit's
// precision control to 53 bits, the setting a Windows thread starts with and
// a host built with Microsoft's compiler keeps (programs built by mingw-w64
// reset it to 64 bits at start-up): it shows what such a host gets from a
// maths library that computes in x87 long double.
//
// Output: "T" and "P" blocks of the inputs, then one block per routine, each
// a line "# name count" and count lines of 16 hex digits.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <vector>

#include "routines.hpp"

namespace {

constexpr std::size_t kPoints = 20000;
constexpr std::size_t kStride = 7919;  // prime, so i -> i * 7919 mod 20000 visits every index once

bool print_block(const char* name, const std::vector<double>& values) {
  if (std::printf("# %s %zu\n", name, values.size()) < 0) return false;
  for (double v : values) {
    if (std::printf("%016" PRIx64 "\n", vorn_test::bits(v)) < 0) return false;
  }
  return true;
}

// Sets the x87 precision-control field (bits 8-9 of the control word) to
// 53 bits.
bool set_x87_precision_53() {
#if defined(__x86_64__) && defined(__GNUC__)
  unsigned short control = 0;
  __asm__ volatile("fnstcw %0" : "=m"(control));
  control = static_cast<unsigned short>((control & ~0x300U) | 0x200U);
  __asm__ volatile("fldcw %0" : : "m"(control));
  return true;
#else
  return false;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--x87-precision-53") == 0) {
    if (!set_x87_precision_53()) {
      std::fprintf(stderr, "bit_survey: --x87-precision-53 means something on x86-64 only\n");
      return 2;
    }
  } else if (argc != 1) {
    std::fprintf(stderr, "bit_survey: unexpected argument '%s' (expected none or --x87-precision-53)\n",
                 argv[1]);
    return 2;
  }
  std::vector<double> T(kPoints), P(kPoints), grid_P(kPoints);
  T[0] = 1.5;
  grid_P[0] = 0.01;
  for (std::size_t i = 1; i < kPoints; ++i) {
    T[i] = T[i - 1] * 1.000345436;
    grid_P[i] = grid_P[i - 1] * 1.000726;
  }
  for (std::size_t i = 0; i < kPoints; ++i) P[i] = grid_P[i * kStride % kPoints];

  bool ok = print_block("T", T) && print_block("P", P);
  std::vector<double> out(kPoints);
  for (const vorn_test::Routine& r : vorn_test::kRoutines) {
    for (std::size_t i = 0; i < kPoints; ++i) out[i] = r.at(T[i], P[i]);
    ok = ok && print_block(r.name, out);
  }
  if (!ok || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "bit_survey: could not write the results to standard output\n");
    return 1;
  }
  return 0;
}
