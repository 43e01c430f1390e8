// A pair of doubles in one vector register (GCC and clang vector
// extensions): each lane's operations are the scalar ones, correctly rounded
// to double (no fused multiply-adds: -ffp-contract=off), so a lane gives the
// bits the scalar code would. On a processor without vector registers the
// compiler splits a pair into two scalars.
#pragma once

#include <cstring>

namespace vorn {

using DoublePair = double __attribute__((vector_size(2 * sizeof(double))));

inline DoublePair broadcast_pair(double x) { return DoublePair{x, x}; }

// Two doubles from memory at any alignment.
inline DoublePair load_pair(const double* at) {
  DoublePair p;
  std::memcpy(&p, at, sizeof p);
  return p;
}

}  // namespace vorn
