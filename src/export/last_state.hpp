// The last state each thread computed, kept so that a host asking for one
// property per call (a worksheet cell, a Fortran loop) pays for one flash per
// state rather than one per property.
//
// Keyed on the pair code and the exact bits of x1 and x2, and on nothing
// else: the flash is a pure function of them, so a hit returns the bits a new
// flash would (-0 and +0, NaNs of different payloads: different keys, the
// same results). The caller's struct size is not in the key: the whole state
// is kept and each caller takes the part that fits its size.
//
// One slot per thread, of trivial type: constant-initialised (loading the
// library runs nothing), nothing to destroy, no lock, no thread sees
// another's. With mingw-w64 a thread_local lives in emulated TLS, allocated on
// a thread's first call.
#pragma once

#include <cstdint>
#include <cstring>

namespace vorn::exports {

// Declare one as `thread_local LastState<S> name;` at namespace scope and
// leave it without initialiser: zero-initialised, an empty slot.
template <typename State>
struct LastState {
  bool filled;
  int pair;
  std::uint64_t x1;
  std::uint64_t x2;
  State state;

  // The state at (pair, x1, x2): the one kept if it is the last one asked
  // for, otherwise compute(pair, x1, x2), kept for the next call. The caller
  // may complete the kept state with parts computed on demand (never change
  // what a flash gave).
  template <typename Compute>
  State& at(int pair_code, double first, double second, Compute compute) {
    const std::uint64_t b1 = bits(first);
    const std::uint64_t b2 = bits(second);
    if (!(filled && pair == pair_code && x1 == b1 && x2 == b2)) {
      // Emptied first: should compute throw, no key is left beside another state.
      filled = false;
      state = compute(pair_code, first, second);
      pair = pair_code;
      x1 = b1;
      x2 = b2;
      filled = true;
    }
    return state;
  }

  static std::uint64_t bits(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
  }
};

}  // namespace vorn::exports
