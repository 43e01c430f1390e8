// The stored derivative tables of B, C and D against the tables they derive
// from: the coefficient of T^i in X' stands for (i+1) x_{i+1}, and that of
// T^i in X'' for (i+1) x'_{i+1}. The published values are the products to
// within three units in the last place (several differ in the last bit or
// two), so each is checked against the double product to 3 ulps: a wrong
// digit anywhere but the last of the shortest decimal fails, which the
// central-difference checks of the derivatives (1e-5) cannot see.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "virial/fourth.hpp"
#include "virial/second.hpp"
#include "virial/third.hpp"

namespace {

// Distance in units in the last place, for doubles of one sign.
std::int64_t ulps_apart(double a, double b) {
  std::int64_t ia = 0;
  std::int64_t ib = 0;
  std::memcpy(&ia, &a, sizeof a);
  std::memcpy(&ib, &b, sizeof b);
  return ia > ib ? ia - ib : ib - ia;
}

constexpr std::int64_t kPublishedUlps = 3;

// derived[i] against (i + 1) * base[i + shift]: shift 0 when base starts at
// T^1 (N, Q), 1 when it starts at T^0 (N', Q').
template <std::size_t M, std::size_t N>
void ExpectDerivative(const std::array<double, M>& derived, const std::array<double, N>& base,
                      std::size_t shift, const char* what) {
  ASSERT_EQ(M + shift, N) << what << ": one coefficient per term of the base";
  for (std::size_t i = 0; i < M; ++i) {
    const double product = static_cast<double>(i + 1) * base[i + shift];
    ASSERT_EQ(std::signbit(derived[i]), std::signbit(product)) << what << "[" << i << "]";
    EXPECT_LE(ulps_apart(derived[i], product), kPublishedUlps)
        << what << "[" << i << "] = " << derived[i] << ", product " << product;
  }
}

struct Case {
  const char* name;
  const vorn::VirialTables* tables;
};

TEST(DerivativeTables, EachCoefficientIsItsProductToThePublishedUlps) {
  const Case cases[] = {{"B", &vorn::second_virial_tables},
                        {"C", &vorn::third_virial_tables},
                        {"D", &vorn::fourth_virial_tables}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const vorn::VirialTables& t = *c.tables;
    ExpectDerivative(t.numerator_d1, t.numerator, 0, "N'");
    ExpectDerivative(t.numerator_d2, t.numerator_d1, 1, "N''");
    ExpectDerivative(t.denominator_d1, t.denominator, 0, "Q'");
    ExpectDerivative(t.denominator_d2, t.denominator_d1, 1, "Q''");
    // Exactly equal, as published: the T^1 term differentiates to itself and
    // the T^2 term's second derivative is its first.
    EXPECT_EQ(t.numerator_d1[0], t.numerator[0]);
    EXPECT_EQ(t.denominator_d1[0], t.denominator[0]);
    EXPECT_EQ(t.numerator_d2[0], t.numerator_d1[1]);
    EXPECT_EQ(t.denominator_d2[0], t.denominator_d1[1]);
  }
}

// The check itself can fail: one digit changed in the 15th place of a
// coefficient is more than three ulps away.
TEST(DerivativeTables, AWrongFifteenthDigitIsCaught) {
  const double stored = vorn::third_virial_tables.denominator_d1[4];  // 4.584675751773203e-08
  const double product = 5.0 * vorn::third_virial_tables.denominator[4];
  EXPECT_LE(ulps_apart(stored, product), kPublishedUlps);
  EXPECT_GT(ulps_apart(4.584675751773213e-08, product), kPublishedUlps);
}

}  // namespace
