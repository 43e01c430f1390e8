// The table of which flags spoil which result, as hosts ask it
// (vorn_state_mask): it covers every routine under both its names, and every
// flag's text, in the library (vorn_state_description) and in the header,
// ends naming exactly the routines whose mask holds that flag.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "export/routine_table.hpp"
#include "vorn.h"

namespace {

// Every routine a result comes from: the 22, the true Z and the gas thermometer.
std::set<std::string> all_routines() {
  std::set<std::string> names{"vorn_Z", "vorn_cvgt_temperature"};
  for (const vorn_routines::Row& row : vorn_routines::kRows) names.insert(row.symbol);
  return names;
}

std::set<std::string> spoiled_by(unsigned bit) {
  std::set<std::string> names;
  for (const std::string& r : all_routines()) {
    if ((vorn_state_mask(r.c_str()) & bit) != 0) names.insert(r);
  }
  return names;
}

// The routines a text names after its last "spoils ": a list joined by ", "
// and " and ", or "every result" (all), or "every result of T and P" (all but
// the routines of T alone).
std::set<std::string> named_after_spoils(const std::string& text) {
  const std::size_t at = text.rfind("spoils ");
  if (at == std::string::npos) return {};
  const std::string list = text.substr(at + 7);
  std::set<std::string> names;
  if (list.rfind("every result of T and P", 0) == 0) {
    for (const vorn_routines::Row& row : vorn_routines::kRows) {
      if (row.arity != 1) names.insert(row.symbol);
    }
    names.insert({"vorn_Z", "vorn_cvgt_temperature"});
    return names;
  }
  if (list.rfind("every result", 0) == 0) return all_routines();
  const std::regex name(R"((__vorn_MOD_\w+|vorn_\w+|temp_K))");
  for (std::sregex_iterator it(list.begin(), list.end(), name), end; it != end; ++it) names.insert(it->str());
  return names;
}

TEST(ResultFlags, EveryRoutineHasItsMaskUnderBothNames) {
  for (const vorn_routines::Row& row : vorn_routines::kRows) {
    const unsigned mask = vorn_state_mask(row.symbol);
    EXPECT_NE(mask & VORN_STATE_INVALID, 0U) << row.symbol;
    EXPECT_EQ(vorn_state_mask(row.array_symbol), mask) << row.array_symbol;
    // P is no argument of a routine of T alone, so no flag of the gas spoils it.
    if (row.arity == 1) {
      EXPECT_EQ(mask & VORN_STATE_LIQUID, 0U) << row.symbol;
    }
  }
  // The thermometers' reports and array forms carry the flags of their routine.
  for (const char* name : {"vorn_temp_K_report", "vorn_temp_K_report_state", "vorn_temp_K_report_n"}) {
    EXPECT_EQ(vorn_state_mask(name), vorn_state_mask("temp_K")) << name;
  }
  for (const char* name : {"vorn_cvgt_temperature_state", "vorn_cvgt_temperature_n", "vorn_Z_n"}) {
    EXPECT_EQ(vorn_state_mask(name), vorn_state_mask("vorn_Z")) << name;
  }
  for (const char* other : {"", "vorn_state", "cp", "VORN_CP", "vorn_cp ", "vorn_eos_value"}) {
    EXPECT_EQ(vorn_state_mask(other), 0U) << '"' << other << '"';
  }
  EXPECT_EQ(vorn_state_mask(nullptr), 0U);
}

TEST(ResultFlags, EveryFlagTextNamesExactlyTheRoutinesItSpoils) {
  for (unsigned bit = 1; bit != 0; bit <<= 1) {
    if (std::string(vorn_state_name(bit)) == "unknown") continue;
    EXPECT_EQ(named_after_spoils(vorn_state_description(bit)), spoiled_by(bit)) << vorn_state_name(bit);
  }
}

TEST(ResultFlags, EveryHeaderCommentNamesExactlyTheRoutinesItSpoils) {
  std::ifstream in(VORN_HEADER_PATH);
  std::stringstream text;
  text << in.rdbuf();
  const std::string header = text.str();
  // #define VORN_STATE_NAME bit /* comment over lines, each continued by " * " */
  const std::regex flag(R"(#define VORN_STATE_\w+ (\d+)u\s*/\*([\s\S]*?)\*/)");
  int seen = 0;
  for (std::sregex_iterator it(header.begin(), header.end(), flag), end; it != end; ++it, ++seen) {
    const unsigned bit = static_cast<unsigned>(std::stoul((*it)[1].str()));
    const std::string comment = std::regex_replace((*it)[2].str(), std::regex(R"(\s*\n\s*\*\s*)"), " ");
    EXPECT_EQ(named_after_spoils(comment), spoiled_by(bit)) << vorn_state_name(bit) << ": " << comment;
  }
  unsigned named = 0;
  for (unsigned bit = 1; bit != 0; bit <<= 1) named += std::string(vorn_state_name(bit)) != "unknown" ? 1 : 0;
  EXPECT_EQ(seen, static_cast<int>(named));
}

}  // namespace
