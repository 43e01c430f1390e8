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
//     positive where the flag is about the sign);
//   - the reference equation, every entry: a property code, a pair and a
//     struct size drawn from the input, each call twice with the same bits,
//     the array forms point by point as the scalar ones, nothing written
//     past the caller's size (the struct lives in a buffer of exactly that
//     size), a flag that withholds a state with NaN, any other state finite
//     and its transport positive or NaN where it has none; saturation at T and
//     at P, the melting pressure and the lambda line.
//
// The input is read as doubles (8 bytes each, the last one zero-padded): the
// first five are T, P, T0, P0 and phi; all of them, and the same list rotated
// by one for P, are the points of the array forms. The bits of T0 also choose
// the reference equation's pair, property code and struct size.
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

// The reference equation: a state any host could ask for.
constexpr unsigned kWithheld = VORN_EOS_FLAG_BAD_INPUT | VORN_EOS_FLAG_HE_II | VORN_EOS_FLAG_SOLID |
                               VORN_EOS_FLAG_OUT_OF_RANGE | VORN_EOS_FLAG_NO_SOLUTION |
                               VORN_EOS_FLAG_NOT_CONVERGED;
constexpr std::size_t kEosPoints = 8;  // each point a flash: a few suffice for the array forms

// Field by field (padding bytes carry nothing), every double to the bit.
bool same_state(const vorn_eos_state& a, const vorn_eos_state& b) {
  constexpr double vorn_eos_state::*kFields[] = {
#define VORN_EOS_STATE_ROW(field, type) VORN_FUZZ_FIELD_##type(field)
#define VORN_FUZZ_FIELD_double(field) &vorn_eos_state::field,
#define VORN_FUZZ_FIELD_int(field)
#define VORN_FUZZ_FIELD_unsigned(field)
#define VORN_FUZZ_FIELD_size_t(field)
#include "vorn_eos_facts.def"
#undef VORN_FUZZ_FIELD_double
#undef VORN_FUZZ_FIELD_int
#undef VORN_FUZZ_FIELD_unsigned
#undef VORN_FUZZ_FIELD_size_t
  };
  if (a.size != b.size || a.flags != b.flags || a.phase != b.phase || a.evaluations != b.evaluations)
    return false;
  for (const auto field : kFields)
    if (!same_bits(a.*field, b.*field)) return false;
  return true;
}

vorn_eos_state full_state(int pair, double x1, double x2) {
  vorn_eos_state s{};
  s.size = sizeof s;
  check(vorn_eos_state_at(&pair, &x1, &x2, &s) == 0);
  return s;
}

void state_checks(const vorn_eos_state& s) {
  if ((s.flags & kWithheld) != 0U) {
    check(std::isnan(s.rho) && std::isnan(s.h) && std::isnan(s.viscosity) && s.phase == VORN_EOS_PHASE_NONE);
    return;
  }
  check(std::isfinite(s.T) && std::isfinite(s.P) && std::isfinite(s.rho) && s.rho >= 0.0);
  // Transport: positive, or NaN in two phases, where flagged undefined,
  // where the equation's own cp is NaN (the critical point), and in He II
  // (its viscosity only).
  const bool none = s.phase == VORN_EOS_PHASE_TWO_PHASE || s.phase == VORN_EOS_PHASE_HE_II ||
                    (s.flags & VORN_EOS_FLAG_UNDEFINED) != 0U || std::isnan(s.cp);
  for (const double x : {s.viscosity, s.conductivity, s.prandtl}) check(x > 0.0 || (std::isnan(x) && none));
}

// `count` structs of `size` bytes each in a buffer of exactly that many bytes
// (at least the first size field, which the caller always sets).
std::vector<unsigned char> sized_buffer(std::size_t size, std::size_t count = 1) {
  std::vector<unsigned char> buffer(std::max(size * count, sizeof(std::size_t)), 0);
  std::memcpy(buffer.data(), &size, sizeof size);
  return buffer;
}

void reference_checks(int pair, int property, std::size_t size, const std::vector<double>& x1,
                      const std::vector<double>& x2) {
  const vorn_eos_state full = full_state(pair, x1[0], x2[0]);
  state_checks(full);
  check(same_state(full, full_state(pair, x1[0], x2[0])));
  double a = x1[0], b = x2[0];
  const double value = vorn_eos_value(&property, &pair, &a, &b);
  check(same_bits(value, vorn_eos_value(&property, &pair, &a, &b)));
  const int flags_code = VORN_EOS_FLAGS;
  check(vorn_eos_value(&flags_code, &pair, &a, &b) == static_cast<double>(full.flags));

  // One struct of the drawn size: refused below the first version, else the
  // whole fields that fit, the whole struct's where it is whole.
  std::vector<unsigned char> one = sized_buffer(size);
  auto* out = reinterpret_cast<vorn_eos_state*>(one.data());
  const int status = vorn_eos_state_at(&pair, &a, &b, out);
  check(status == (size < VORN_EOS_STATE_SIZE_V1 ? -1 : 0));
  if (status == 0 && size >= sizeof(vorn_eos_state)) {
    vorn_eos_state copy{};
    std::memcpy(&copy, one.data(), sizeof copy);
    copy.size = sizeof copy;
    check(same_state(copy, full));
  }

  // The array forms at one pair and one property for all points.
  const std::size_t n = std::min(x1.size(), kEosPoints);
  std::vector<double> values(n);
  vorn_eos_value_n(n, &property, &pair, x1.data(), x2.data(), values.data());
  for (std::size_t i = 0; i < n; ++i) {
    double p = x1[i], q = x2[i];
    check(same_bits(values[i], vorn_eos_value(&property, &pair, &p, &q)));
  }
  std::vector<unsigned char> many = sized_buffer(size, n);
  const bool stride_valid = size >= VORN_EOS_STATE_SIZE_V1 && size % alignof(vorn_eos_state) == 0;
  const int many_status =
      vorn_eos_state_n(n, &pair, x1.data(), x2.data(), reinterpret_cast<vorn_eos_state*>(many.data()));
  check(many_status == (n == 0 || stride_valid ? 0 : -1));
  if (many_status == 0 && n > 0 && size >= sizeof(vorn_eos_state)) {
    for (std::size_t i = 0; i < n; ++i) {
      vorn_eos_state element{};
      std::memcpy(&element, many.data() + i * size, sizeof element);
      check(element.size == size);
      element.size = sizeof element;
      check(same_state(element, full_state(pair, x1[i], x2[i])));
    }
  }

  // Saturation at T and at P, the limit lines.
  for (const double x : {x1[0], x2[0]}) {
    vorn_eos_saturation at_T{}, at_P{};
    at_T.size = at_P.size = sizeof at_T;
    check(vorn_eos_saturation_T(&x, &at_T) == 0 && vorn_eos_saturation_P(&x, &at_P) == 0);
    for (const vorn_eos_saturation& sat : {at_T, at_P}) {
      // A saturation is given, or withheld with its reason (the He II bath's
      // is given, flagged extrapolated, its liquid's conductivity NaN).
      if ((sat.flags & kWithheld) == 0U) {
        check(std::isfinite(sat.T) && std::isfinite(sat.P) && sat.rho_liquid >= sat.rho_vapour);
        check(sat.viscosity_liquid > 0.0 && sat.viscosity_vapour > 0.0 && sat.conductivity_vapour > 0.0);
        check(sat.conductivity_liquid > 0.0 || (std::isnan(sat.conductivity_liquid) && sat.T < 2.1768));
      } else {
        check(std::isnan(sat.T) && std::isnan(sat.rho_vapour) && std::isnan(sat.viscosity_vapour));
      }
    }
    check(same_bits(vorn_eos_melting_pressure(&x), vorn_eos_melting_pressure(&x)));
    const double lambda = vorn_eos_lambda_temperature(&x);
    check(same_bits(lambda, vorn_eos_lambda_temperature(&x)));
    check(std::isnan(lambda) || (lambda > 1.7 && lambda <= 2.1768));
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

  std::uint64_t choice = 0;
  std::memcpy(&choice, &values[2], sizeof choice);
  const int pair = static_cast<int>(choice % 17U);              // 0 and 16 unknown
  const int property = static_cast<int>((choice >> 8U) % 29U);  // 0 and 28 unknown
  const std::size_t struct_size = (choice >> 16U) % (sizeof(vorn_eos_state) + 17U);
  std::vector<double> x1(values.begin(),
                         values.begin() + static_cast<std::ptrdiff_t>(std::min(values.size(), kEosPoints)));
  std::vector<double> x2(x1);
  std::rotate(x2.begin(), x2.begin() + 1, x2.end());
  reference_checks(pair, property, struct_size, x1, x2);
  return 0;
}
