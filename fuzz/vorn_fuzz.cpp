// libFuzzer target: arbitrary bit patterns into every exported routine, array
// form and state function. Built with AddressSanitizer and
// UndefinedBehaviorSanitizer, so a crash or a sanitizer report ends the run;
// beyond that it checks, and traps on a failure:
//   - the same arguments give the same bits twice (no hidden state);
//   - T and P at one address give what two copies give (arguments are read,
//     never written);
//   - each array form gives, point by point, what its scalar routine gives
//     (equal bits, or NaN on both sides), in place as well;
//   - the thermometer reports an iteration count from 1 to 30 and its
//     temperature is temp_K's;
//   - where a state flag is clear, the result it guards is a number (and
//     positive where the flag is about the sign).
//
// The input is read as doubles (8 bytes each, the last one zero-padded): the
// first five are T, P, T0, P0 and phi; all of them, and the same list rotated
// by one for P, are the points of the array forms.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "export/routine_table.hpp"
#include "vorn.h"

namespace {

struct One {
  vorn_routines::Scalar1 scalar;
  vorn_routines::Array1 array;
};
struct Two {
  vorn_routines::Scalar2 scalar;
  vorn_routines::Array2 array;
};

// The table of routines by arity, vorn_Z beside the two-argument ones.
const std::vector<One> kOne = [] {
  std::vector<One> out;
  for (const auto* row : vorn_routines::rows_of_arity<1>()) out.push_back({row->scalar1, row->array1});
  return out;
}();
const std::vector<Two> kTwo = [] {
  std::vector<Two> out;
  for (const auto* row : vorn_routines::rows_of_arity<2>()) out.push_back({row->scalar2, row->array2});
  out.push_back({vorn_Z, vorn_Z_n});
  return out;
}();

constexpr std::size_t kMaxPoints = 64;

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Which NaN comes out where two NaNs meet depends on the compiler's operand
// order, and the array forms are compiled separately from the scalar ones.
bool same_result(double a, double b) { return same_bits(a, b) || (std::isnan(a) && std::isnan(b)); }

void check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

void scalar_checks(double T, double P) {
  for (const One& f : kOne) {
    check(same_bits(f.scalar(&T), f.scalar(&T)));
  }
  const double T_copy = T;
  for (const Two& f : kTwo) {
    check(same_bits(f.scalar(&T, &P), f.scalar(&T, &P)));
    check(same_bits(f.scalar(&T, &T), f.scalar(&T, &T_copy)));
  }
  check(vorn_state(&T, &P) == vorn_state(&T, &P));
  const unsigned flags = vorn_state(&T, &P);
  for (unsigned bit = 1; bit != 0; bit <<= 1U) {
    if ((flags & bit) != 0U) {
      check(vorn_state_name(bit) != nullptr);
    }
  }
  // A clear flag and its result cannot disagree.
  const auto clear = [flags](unsigned bits) { return (flags & (VORN_STATE_INVALID | bits)) == 0U; };
  if (clear(VORN_STATE_DENSITY_TURNED)) check(std::isfinite(vorn_rho(&T, &P)) && vorn_rho(&T, &P) >= 0.0);
  if (clear(VORN_STATE_SOUND_UNDEFINED)) check(!std::isnan(vorn_w(&T, &P)));
  if (clear(VORN_STATE_ZA_NONPOSITIVE)) check(!std::isnan(vorn_w_gk(&T, &P)));
  if (clear(VORN_STATE_VIRIAL_DIVERGENT)) check(!std::isnan(vorn_Z(&T, &P)));
  if (clear(VORN_STATE_HEAT_CAPACITY_NONPOSITIVE)) check(vorn_cv(&T, &P) > 0.0 && vorn_cp(&T, &P) > 0.0);
  if (clear(VORN_STATE_NU_NEGATIVE)) check(vorn_nu0(&T) > 0.0);
  if (clear(VORN_STATE_K_POLE)) check(vorn_k0(&T) > 0.0);
}

void thermometer_checks(double phi, double P, double T0, double P0) {
  const double T = temp_K(&phi, &P, &T0, &P0);
  check(same_bits(T, temp_K(&phi, &P, &T0, &P0)));
  int iterations = 0;
  int converged = -1;
  check(same_bits(T, vorn_temp_K_report(&phi, &P, &T0, &P0, &iterations, &converged)));
  check(iterations >= 1 && iterations <= 30 && (converged == 0 || converged == 1));
  check(same_bits(T, vorn_temp_K_report(&phi, &P, &T0, &P0, nullptr, nullptr)));
  unsigned state = 0;
  check(same_bits(T, vorn_temp_K_report_state(&phi, &P, &T0, &P0, nullptr, nullptr, &state)));
  check((state & vorn_state(&T, &P)) == vorn_state(&T, &P));
  // All four arguments at one address.
  const double copy = phi;
  check(same_bits(temp_K(&phi, &phi, &phi, &phi), temp_K(&phi, &copy, &copy, &copy)));

  double out = 0.0;
  vorn_temp_K_n(1, &phi, &P, &T0, &P0, &out);
  check(same_bits(out, T));

  const double Tg = vorn_cvgt_temperature(&P, &T0, &P0, &iterations, &converged);
  check(same_bits(Tg, vorn_cvgt_temperature(&P, &T0, &P0, nullptr, nullptr)));
  check(same_bits(Tg, vorn_cvgt_temperature_state(&P, &T0, &P0, nullptr, nullptr, &state)));
  check((state & vorn_state(&Tg, &P)) == vorn_state(&Tg, &P));
  check(iterations >= 0 && iterations <= 100 && (converged == 0 || converged == 1));
}

void array_checks(const std::vector<double>& T, const std::vector<double>& P) {
  const std::size_t n = T.size();
  std::vector<double> out(n);
  std::vector<double> in_place;
  for (const One& f : kOne) {
    f.array(n, T.data(), out.data());
    in_place = T;
    f.array(n, in_place.data(), in_place.data());
    for (std::size_t i = 0; i < n; ++i) {
      const double expected = f.scalar(&T[i]);
      check(same_result(out[i], expected));
      check(same_result(in_place[i], expected));
    }
  }
  for (const Two& f : kTwo) {
    f.array(n, T.data(), P.data(), out.data());
    in_place = T;
    f.array(n, in_place.data(), P.data(), in_place.data());
    for (std::size_t i = 0; i < n; ++i) {
      const double expected = f.scalar(&T[i], &P[i]);
      check(same_result(out[i], expected));
      check(same_result(in_place[i], expected));
    }
  }
  std::vector<unsigned> flags(n);
  vorn_state_n(n, T.data(), P.data(), flags.data());
  for (std::size_t i = 0; i < n; ++i) {
    check(flags[i] == vorn_state(&T[i], &P[i]));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t count = std::min((size + 7) / 8, kMaxPoints);
  std::vector<double> values(std::max<std::size_t>(count, 5), 0.0);
  std::memcpy(values.data(), data, std::min(size, kMaxPoints * 8));

  scalar_checks(values[0], values[1]);
  thermometer_checks(values[4], values[1], values[2], values[3]);

  std::vector<double> T(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count));
  std::vector<double> P(T);
  if (!P.empty()) {
    std::rotate(P.begin(), P.begin() + 1, P.end());
  }
  array_checks(T, P);
  return 0;
}
