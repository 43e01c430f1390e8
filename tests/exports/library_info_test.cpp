// The version the library reports, and the module constants reached by name:
// the same storage as the exported data, written either way and seen by both,
// and every name that is not one of the four refused without a store.
#include <dlfcn.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "test_support.hpp"

namespace {

using vorn_test::bits;
using vorn_test::call;

TEST(LibraryVersion, RunTimeStringIsTheHeadersVersion) {
  char expected[64];
  std::snprintf(expected, sizeof expected, "%d.%d.%d", VORN_VERSION_MAJOR, VORN_VERSION_MINOR,
                VORN_VERSION_PATCH);
  ASSERT_NE(vorn_version(), nullptr);
  EXPECT_STREQ(vorn_version(), expected);
  EXPECT_STREQ(vorn_version(), VORN_VERSION_STRING);
  // The built file carries the same number: libvorn.so.MAJOR.MINOR.PATCH.
  const std::string path = VORN_LIBRARY_PATH;
  const std::string suffix = std::string(".so.") + expected;
  ASSERT_GE(path.size(), suffix.size());
  EXPECT_EQ(path.substr(path.size() - suffix.size()), suffix);
}

// Every name a host resolves is bound under the version node VORN_<major>,
// so a later incompatible library cannot satisfy an old host by accident.
TEST(LibraryVersion, EveryRoutineUnderTheVersionNode) {
  void* handle = dlopen(VORN_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  const std::string node = "VORN_" + std::to_string(VORN_VERSION_MAJOR);
  for (const char* name : {"vorn_rho", "__vorn_MOD_b", "temp_K", "__vorn_MOD_r", "vorn_version",
                           "vorn_get_constant", "vorn_set_constant", "vorn_cp_n"}) {
    EXPECT_NE(dlvsym(handle, name, node.c_str()), nullptr) << name << "@" << node;
    EXPECT_EQ(dlvsym(handle, name, "VORN_0"), nullptr) << name << "@VORN_0";
  }
  dlclose(handle);
}

using ConstantsByName = vorn_test::ModuleConstants;

struct NamedConstant {
  const char* name;
  double* data;
};
const NamedConstant kConstants[] = {
    {"r", &__vorn_MOD_r},
    {"m0", &__vorn_MOD_m0},
    {"g0", &__vorn_MOD_g0},
    {"pi", &__vorn_MOD_pi},
};

TEST_F(ConstantsByName, GetterReadsTheExportedData) {
  for (const NamedConstant& c : kConstants) {
    SCOPED_TRACE(c.name);
    EXPECT_SAME_BITS(vorn_get_constant(c.name), *c.data);
    *c.data = -0.0;  // a store through the data is seen by name, sign and all
    EXPECT_SAME_BITS(vorn_get_constant(c.name), -0.0);
  }
}

// A store by name lands in the exported double and only there, and the
// routines follow it exactly as after a store through the data.
TEST_F(ConstantsByName, SetterWritesTheExportedData) {
  const double T = 20, P = 1000;
  for (const NamedConstant& c : kConstants) {
    SCOPED_TRACE(c.name);
    const double saved = *c.data, value = std::nextafter(saved, 2 * saved);
    *c.data = value;
    const double cp_by_data = call(vorn_cp, T, P), w_by_data = call(vorn_w, T, P);
    *c.data = saved;
    double others[4];
    for (int i = 0; i < 4; ++i) others[i] = *kConstants[i].data;

    ASSERT_EQ(vorn_set_constant(c.name, value), 1);
    EXPECT_SAME_BITS(*c.data, value);
    EXPECT_SAME_BITS(call(vorn_cp, T, P), cp_by_data);
    EXPECT_SAME_BITS(call(vorn_w, T, P), w_by_data);
    for (int i = 0; i < 4; ++i)
      if (kConstants[i].data != c.data) {
        EXPECT_SAME_BITS(*kConstants[i].data, others[i]) << kConstants[i].name;
      }
    ASSERT_EQ(vorn_set_constant(c.name, saved), 1);
  }
}

// Names are matched exactly: near misses, other case, padding, prefixes,
// the names of the exported data themselves, and NULL are all refused, and a
// refused store changes nothing.
TEST_F(ConstantsByName, UnknownNamesAndNullRefused) {
  const char* const refused[] = {"",  "R",   "M0",   "G0", "PI",           "r ",           " r", "m",    "g",
                                 "p", "m00", "pi\n", "rr", "__vorn_MOD_r", "gas_constant", "e",  nullptr};
  double before[4];
  for (int i = 0; i < 4; ++i) before[i] = *kConstants[i].data;
  for (const char* name : refused) {
    SCOPED_TRACE(name == nullptr ? "NULL" : (std::string("\"") + name + "\"").c_str());
    EXPECT_EQ(vorn_set_constant(name, 1.0), 0);
    EXPECT_TRUE(std::isnan(vorn_get_constant(name)));
  }
  for (int i = 0; i < 4; ++i) EXPECT_SAME_BITS(*kConstants[i].data, before[i]) << kConstants[i].name;
}

// Any double may be stored, as through the data; the routines then give what
// the arithmetic gives (a NaN gas constant makes cp NaN).
TEST_F(ConstantsByName, NonFiniteValuesStoredAsGiven) {
  ASSERT_EQ(vorn_set_constant("r", NAN), 1);
  EXPECT_TRUE(std::isnan(__vorn_MOD_r));
  EXPECT_TRUE(std::isnan(call(vorn_cp, 300.0, 100.0)));
  ASSERT_EQ(vorn_set_constant("pi", INFINITY), 1);
  EXPECT_EQ(bits(vorn_get_constant("pi")), bits(INFINITY));
}

}  // namespace
