// Every routine's result bits at a few states. The expected patterns were
// recomputed outside the library, one rounded double operation at a time in
// the documented order of evaluation: a change of summation order, a fused
// multiply-add, Horner's form or a constant off by one unit shows up here
// although every printed reference value would still agree.
#include <cstdint>
#include <iterator>

#include "test_support.hpp"

namespace {

using vorn_test::bits;
using vorn_test::call;
using vorn_test::call_temp_K;
using vorn_test::Fn1;
using vorn_test::Fn2;

constexpr double kTemperatures[] = {2.5, 4.2, 20, 77, 300, 1000};
constexpr double kStates[][2] = {{2.5, 10}, {4.2, 100}, {20, 1000}, {77, 100}, {300, 101.325}, {1000, 10000}};

struct OfTemperature {
  const char* name;
  Fn1 f;
  std::uint64_t bits[std::size(kTemperatures)];
};

struct OfState {
  const char* name;
  Fn2 f;
  std::uint64_t bits[std::size(kStates)];
};

TEST(ResultBits, RoutinesOfTemperature) {
  const OfTemperature rows[] = {
      {"__vorn_MOD_b",
       __vorn_MOD_b,
       {0xc062a32ab087e285, 0xc05405a5268868ec, 0xc005f2b9e77da419, 0x4025e4b2382aa84e, 0x4027a3627d8beafd,
        0x402319be6419de81}},
      {"__vorn_MOD_db",
       __vorn_MOD_db,
       {0x40519d8c7dae365a, 0x403793bbf6bb67f6, 0x3ff00e31b3ad7be6, 0x3fa78f6295be35b0, 0xbf70ea36c1e6aca0,
        0xbf627a46bcdebfe0}},
      {"__vorn_MOD_d2b",
       __vorn_MOD_d2b,
       {0xc04f048d07438ff0, 0xc026fa482eeebd10, 0xbfba878297678208, 0xbf5b10acb7728980, 0xbed3145bd2bfac00,
        0x3ec0babd5300e100}},
      {"__vorn_MOD_c",
       __vorn_MOD_c,
       {0x40527c8aa13a912b, 0x4090c5fb65b585dd, 0x40733050e1dfa3c9, 0x406669ea2f93fd74, 0x405b13c3628f59a4,
        0x404cf963c6d194ee}},
      {"__vorn_MOD_dc",
       __vorn_MOD_dc,
       {0x40a2f64961b0bd1c, 0xc0517fc0362cc660, 0xc022cb20570f5f28, 0xbfe793f0b3af0d30, 0xbfc488a0744e0b50,
        0xbfa1b77b64cfcd08}},
      {"__vorn_MOD_d2c",
       __vorn_MOD_d2c,
       {0xc0b31cbf76ae5f57, 0xc0655d2b696b5830, 0x3ff2760fc341e240, 0x3f883ad4beff5b80, 0x3f448acb7f2de680,
        0x3f08e9c0fdd7e080}},
      {"__vorn_MOD_d",
       __vorn_MOD_d,
       {0xc115ec331973a21e, 0x40d51a12759b82f9, 0x40a5be7dbf92d010, 0x409c761b6f815a7e, 0x40857b008e5b05ac,
        0x406a7375da651808}},
      {"__vorn_MOD_dd",
       __vorn_MOD_dd,
       {0x4137a63e455e18bf, 0x40b1a501a07a0800, 0xc022b049edea14c0, 0xc02acedc07869a50, 0xbfff2d3bf625b990,
        0xbfce95937fde8398}},
      {"__vorn_MOD_d2d",
       __vorn_MOD_d2d,
       {0xc1625bdf81aa9d22, 0xc0dfd59c58db9e98, 0x3fed6e4e33cb5a00, 0x3fc83a2008488280, 0x3f859d47b4878e80,
        0x3f3d196a0c6a4080}},
      {"vorn_k0",
       vorn_k0,
       {0x3f727fdf818e0728, 0x3f8080f4f10b55b9, 0x3f9adf1074fd911f, 0x3fb020ecc8fabf3a, 0x3fc3ec8c34530809,
        0x3fd72cabdea884bf}},
      {"vorn_nu0",
       vorn_nu0,
       {0x3ea36bfe68395c79, 0x3eb157c188020b15, 0x3ecc2446800ea280, 0x3ee0e32a791ed9a3, 0x3ef4e05a3eef552d,
        0x3f084d8a8ded42f0}},
  };
  for (const OfTemperature& row : rows) {
    for (std::size_t i = 0; i < std::size(kTemperatures); ++i) {
      SCOPED_TRACE(testing::Message() << row.name << " at T = " << kTemperatures[i]);
      EXPECT_EQ(bits(call(row.f, kTemperatures[i])), row.bits[i]);
    }
  }
}

TEST(ResultBits, RoutinesOfState) {
  const OfState rows[] = {
      {"vorn_rho",
       vorn_rho,
       {0x4000b20df2c18b1a, 0x402fc6e38525950e, 0x40382f6423ffa783, 0x3fe3f8dff1ee7aeb, 0x3fc4cd50d241ba94,
        0x401309d206417f62}},
      {"vorn_vol",
       vorn_vol,
       {0x3f5f6c602f8716d6, 0x3f30827fc66003c0, 0x3f25b135f506af69, 0x3f7a449cb909fba7, 0x3f99385981f15349,
        0x3f4b8e720855a2b3}},
      {"vorn_cv",
       vorn_cv,
       {0x40a8aeea87e66db0, 0x40a919d53115dea1, 0x40a87243cb6a0979, 0x40a8598ba524ecc4, 0x40a85846b9dfca33,
        0x40a864495f7c5a67}},
      {"vorn_cp",
       vorn_cp,
       {0x40b634d9a2e759f3, 0x40beeeeba7e86213, 0x40b641e02fb7ea46, 0x40b44c51b28bcfd5, 0x40b449312c1a2fa4,
        0x40b4444c96ab43fd}},
      {"vorn_gamma",
       vorn_gamma,
       {0x3ffcc9fb27fd38dd, 0x4003b7bc0f1be79d, 0x3ffd2274f256247a, 0x3ffaace5e34e5722, 0x3ffaaa2da9d68f8f,
        0x3ffa96a1353e292e}},
      {"vorn_w",
       vorn_w,
       {0x40563b20c576c5bb, 0x40597c812fbbf332, 0x4071313af951bb83, 0x40802a4653eb0585, 0x408fdcaf1321a3ef,
        0x409d5c9874856133}},
      {"vorn_Za_gk",
       vorn_Za_gk,
       {0x3fed7d3a7aa10f5d, 0x3fe6b4374c3ec6a1, 0x3ff17b2053ec2a0c, 0x3ff00f613b54378f, 0x3ff003a3d7b155d7,
        0x3ff051be90213833}},
      {"vorn_w_gk",
       vorn_w_gk,
       {0x405653cabc8f6cbc, 0x4059648edd96e2b1, 0x407130c2cbde7ab8, 0x40802a4646cc6bd2, 0x408fdcaf095e6135,
        0x409d5c97f7b1086a}},
      {"vorn_k",
       vorn_k,
       {0x3f736323ec0c1586, 0x3f832a2b0ce38b1a, 0x3f9e0f800fa385f0, 0x3fb022f3bb0d2405, 0x3fc3ece233bbbeca,
        0x3fda9e9037163836}},
      {"vorn_nu",
       vorn_nu,
       {0x3ea451583fa804ec, 0x3eb4729d8cec3e11, 0x3ecf7ed778c8710d, 0x3ee0e74e11ad99c8, 0x3ef4e0f7d6969949,
        0x3f0d962dd42b6a51}},
  };
  for (const OfState& row : rows) {
    for (std::size_t i = 0; i < std::size(kStates); ++i) {
      SCOPED_TRACE(testing::Message()
                   << row.name << " at T = " << kStates[i][0] << ", P = " << kStates[i][1]);
      EXPECT_EQ(bits(call(row.f, kStates[i][0], kStates[i][1])), row.bits[i]);
    }
  }
}

TEST(ResultBits, Thermometer) {
  struct Row {
    double phi, P, T0, P0;
    std::uint64_t bits;
  };
  const Row rows[] = {
      {1.0, 100.0, 273.16, 100.0, 0x4071128f5c28f5c3},    {0.01, 0.1, 273.16, 10.0, 0x4005de7545b0e038},
      {0.1, 10.0, 273.16, 100.0, 0x403b52c4d8650908},     {1.1, 110.0, 273.16, 100.0, 0x4072c7b0abca7b67},
      {0.009745, 0.0357, 200.0, 5.0, 0x3fff2fa380c9e012}, {-1.0, 100.0, 273.16, 100.0, 0xc07116d609cdd941},
      {0.05, 100.0, 300.0, 1000.0, 0x402e2e59ceb4d0e0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "phi = " << row.phi << ", P = " << row.P << ", T0 = " << row.T0
                                    << ", P0 = " << row.P0);
    EXPECT_EQ(bits(call_temp_K(row.phi, row.P, row.T0, row.P0)), row.bits);
  }
}

}  // namespace
