// The value of a function of T alone, kept for the next call at the same T,
// per thread and per function: for what one state (or a flash along an
// isotherm) asks for several times at one T. Bit for bit F(T); a NaN T is
// never kept. The storage is constant-initialised, so no guarded static ties
// the library to the C++ runtime's guard functions.
#pragma once

#include <limits>

namespace vorn {

template <auto F>
auto kept_at(double T) -> decltype(F(T)) {
  using Value = decltype(F(T));
  thread_local double kept_T = std::numeric_limits<double>::quiet_NaN();
  thread_local Value kept{};
  if (!(T == kept_T)) {
    kept = F(T);
    kept_T = T;
  }
  return kept;
}

}  // namespace vorn
