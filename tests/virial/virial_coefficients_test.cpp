// The nine virial procedures B, C, D and their temperature derivatives, called
// by their exported names.
#include <cmath>
#include <iterator>

#include "test_support.hpp"

namespace {

using vorn_test::call;
using vorn_test::Fn1;
using vorn_test::Printed;

struct Family {
  const char* name;
  Fn1 value, first, second;
};

const Family kB{"B", __vorn_MOD_b, __vorn_MOD_db, __vorn_MOD_d2b};
const Family kC{"C", __vorn_MOD_c, __vorn_MOD_dc, __vorn_MOD_d2c};
const Family kD{"D", __vorn_MOD_d, __vorn_MOD_dd, __vorn_MOD_d2d};

struct Row {
  double T;
  Printed value, first, second;
};

void CheckTable(const Family& family, const Row* begin, const Row* end) {
  for (const Row* row = begin; row != end; ++row) {
    SCOPED_TRACE(testing::Message() << family.name << " at T = " << row->T);
    EXPECT_PRINTED(call(family.value, row->T), row->value);
    EXPECT_PRINTED(call(family.first, row->T), row->first);
    EXPECT_PRINTED(call(family.second, row->T), row->second);
  }
}

TEST(SecondVirial, ReferenceValues) {
  const Row rows[] = {
      {4.2, {"-80.08820499"}, {"23.57708685"}, {"-11.48883197"}},
      {20, {"-2.743518647"}, {"1.003465368"}, {"-0.1036302204"}},
      {100, {"11.67529333"}, {"0.02090445146"}, {"-0.0007005370794"}},
      {300, {"11.8191108"}, {"-0.004129613777"}, {"-4.548913505e-06"}},
  };
  CheckTable(kB, std::begin(rows), std::end(rows));
}

TEST(ThirdVirial, ReferenceValues) {
  const Row rows[] = {
      {4.2, {"1073.495505"}, {"-69.99610667"}, {"-170.9115493"}},
      {20, {"307.0197467"}, {"-9.39673111"}, {"1.153823626"}},
      {100, {"164.8455226"}, {"-0.5424344606"}, {"0.006084332342"}},
      {300, {"108.3088004"}, {"-0.1604195183"}, {"0.000626897205"}},
  };
  CheckTable(kC, std::begin(rows), std::end(rows));
}

TEST(FourthVirial, ReferenceValues) {
  const Row rows[] = {
      {4.2, {"21608.28843"}, {"4517.006355"}, {"-32598.44292"}},
      {20, {"2783.245602"}, {"-9.344314036"}, {"0.9197150241"}},
      {100, {"1557.108315"}, {"-9.837584693"}, {"0.1246600239"}},
      {300, {"687.3752715"}, {"-1.948543512"}, {"0.01055389423"}},
  };
  CheckTable(kD, std::begin(rows), std::end(rows));
}

// Numerator and denominator both vanish at T = 0: the quotient is 0/0, not
// the limit of the cancelled form.
TEST(VirialCoefficients, NaNAtZeroOfEitherSign) {
  for (const Family* family : {&kB, &kC, &kD}) {
    for (const double T : {0.0, -0.0}) {
      SCOPED_TRACE(testing::Message() << family->name << " at T = " << T);
      EXPECT_TRUE(std::isnan(call(family->value, T)));
      EXPECT_TRUE(std::isnan(call(family->first, T)));
      EXPECT_TRUE(std::isnan(call(family->second, T)));
    }
  }
}

// Each coefficient changes sign where its tabulated root lies; the roots are
// known to 7 significant digits, so the probes sit one unit of the 7th digit
// outside.
TEST(VirialCoefficients, SignChanges) {
  struct Crossing {
    const char* what;
    Fn1 f;
    double below, above;
    int sign_below;
  };
  const Crossing crossings[] = {
      {"B root 23.18621 K", __vorn_MOD_b, 23.18620, 23.18622, -1},
      {"C root 2.470429 K", __vorn_MOD_c, 2.470428, 2.470430, -1},
      {"D pole 2.180066 K", __vorn_MOD_d, 2.180065, 2.180067, +1},
      {"D root 3.443086 K", __vorn_MOD_d, 3.443085, 3.443087, -1},
      {"d2D pole 2.180066 K", __vorn_MOD_d2d, 2.180065, 2.180067, +1},
  };
  for (const Crossing& c : crossings) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(std::signbit(call(c.f, c.below)), c.sign_below < 0);
    EXPECT_EQ(std::signbit(call(c.f, c.above)), c.sign_below > 0);
  }
  // B: negative at low temperature, positive up to 1e5 K.
  EXPECT_LT(call(__vorn_MOD_b, 1.0), 0.0);
  EXPECT_GT(call(__vorn_MOD_b, 1e5), 0.0);
  // C: positive from its root up to 1e5 K.
  EXPECT_GT(call(__vorn_MOD_c, 1e5), 0.0);
}

// Near the pole of D the values are large but finite; dD/dT keeps its sign
// across it.
TEST(FourthVirial, Pole) {
  EXPECT_PRINTED(call(__vorn_MOD_d, 2.17), Printed{"1.5685e7"});
  EXPECT_PRINTED(call(__vorn_MOD_d, 2.19), Printed{"-1.5649e7"});
  EXPECT_PRINTED(call(__vorn_MOD_d, 3.0), Printed{"-58291.6"});
  EXPECT_PRINTED(call(__vorn_MOD_d, 3.5), Printed{"3728.72"});
  EXPECT_EQ(std::signbit(call(__vorn_MOD_dd, 2.180065)), std::signbit(call(__vorn_MOD_dd, 2.180067)));
  EXPECT_TRUE(std::isfinite(call(__vorn_MOD_d, 2.180065)));
  EXPECT_TRUE(std::isfinite(call(__vorn_MOD_d, 2.180067)));
}

// db and d2b are the analytic derivatives: a central difference of step
// 1e-4 T agrees with them to 7 digits for B and 6 for C and D.
TEST(VirialCoefficients, DerivativesMatchCentralDifferences) {
  struct Case {
    const Family* family;
    double tolerance;
  };
  const Case cases[] = {{&kB, 1e-6}, {&kC, 1e-5}, {&kD, 1e-5}};
  for (const Case& c : cases) {
    for (const double T : {4.2, 20.0, 100.0, 300.0}) {
      SCOPED_TRACE(testing::Message() << c.family->name << " at T = " << T);
      const double h = 1e-4 * T;
      const double slope = (call(c.family->value, T + h) - call(c.family->value, T - h)) / (2 * h);
      const double curvature = (call(c.family->first, T + h) - call(c.family->first, T - h)) / (2 * h);
      const double first = call(c.family->first, T);
      const double second = call(c.family->second, T);
      EXPECT_NEAR(slope, first, c.tolerance * std::fabs(first));
      EXPECT_NEAR(curvature, second, c.tolerance * std::fabs(second));
    }
  }
}

}  // namespace
