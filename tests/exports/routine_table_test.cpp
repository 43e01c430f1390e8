// The table of routines (src/export/routines.def) against the reviewed export
// list and the public header: every row's routine and array form listed and
// declared, with as many parameters as the row's arity says, and every
// routine of the header that returns a double of doubles in the table.
#include "export/routine_table.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string ReadText(const char* path) {
  std::ifstream in(path);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::set<std::string> ListedNames() {
  std::istringstream in(ReadText(VORN_EXPORT_LIST));
  std::set<std::string> names;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') names.insert(line);
  }
  return names;
}

struct Declaration {
  std::string result;
  std::string parameters;
};

// Function declarations of vorn.h by name: result type and parameter list.
std::map<std::string, Declaration> DeclaredFunctions() {
  std::string text = std::regex_replace(ReadText(VORN_HEADER_PATH), std::regex(R"(/\*[\s\S]*?\*/)"), " ");
  const std::regex declaration(R"(VORN_API\s+([\w\s\*]*?)\s*\b(\w+)\s*\(([^)]*)\)\s*;)");
  std::map<std::string, Declaration> out;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), declaration); it != std::sregex_iterator();
       ++it) {
    out[(*it)[2]] = {(*it)[1], (*it)[3]};
  }
  return out;
}

int CountParameters(const std::string& list) {
  return list.find_first_not_of(" \t\n") == std::string::npos
             ? 0
             : 1 + static_cast<int>(std::count(list.begin(), list.end(), ','));
}

TEST(RoutineTable, EveryRowIsListedAndDeclaredWithItsArity) {
  const auto listed = ListedNames();
  const auto declared = DeclaredFunctions();
  for (const auto& row : vorn_routines::kRows) {
    SCOPED_TRACE(row.symbol);
    EXPECT_EQ(listed.count(row.symbol), 1u) << "not in exported_names.txt";
    EXPECT_EQ(listed.count(row.array_symbol), 1u) << row.array_symbol << " not in exported_names.txt";
    const auto scalar = declared.find(row.symbol);
    ASSERT_NE(scalar, declared.end()) << "not declared in vorn.h";
    EXPECT_EQ(scalar->second.result, "double");
    EXPECT_EQ(CountParameters(scalar->second.parameters), row.arity);
    const auto array = declared.find(row.array_symbol);
    ASSERT_NE(array, declared.end()) << row.array_symbol << " not declared in vorn.h";
    EXPECT_EQ(array->second.result, "void");
    EXPECT_EQ(CountParameters(array->second.parameters), row.arity + 2) << "n, the inputs, out";
  }
}

// A routine of the header shaped like the table's rows (double of const
// double addresses only, not an extension with a result struct) is a row:
// nothing is added to the contract without its row.
TEST(RoutineTable, EveryPlainRoutineOfTheHeaderIsARow) {
  std::set<std::string> rows;
  for (const auto& row : vorn_routines::kRows) rows.insert(row.symbol);
  // The true compressibility factor, and the fluid boundaries of the reference
  // equation of state (a family of its own, beside the correlations).
  const std::set<std::string> beyond_the_table = {"vorn_Z", "vorn_eos_melting_pressure",
                                                  "vorn_eos_lambda_temperature"};
  const std::regex only_doubles(R"(\s*const double \*\w+(\s*,\s*const double \*\w+)*\s*)");
  std::size_t plain = 0;
  for (const auto& [name, declaration] : DeclaredFunctions()) {
    if (declaration.result != "double" || !std::regex_match(declaration.parameters, only_doubles)) continue;
    ++plain;
    if (beyond_the_table.count(name) != 0) continue;
    EXPECT_EQ(rows.count(name), 1u) << name << " is declared but has no row in routines.def";
  }
  EXPECT_EQ(plain, vorn_routines::kRoutineCount + beyond_the_table.size());
}

TEST(RoutineTable, NamesFollowTheirPattern) {
  std::set<std::string> short_names;
  for (const auto& row : vorn_routines::kRows) {
    SCOPED_TRACE(row.symbol);
    EXPECT_TRUE(short_names.insert(row.short_name).second) << "short name used twice";
    EXPECT_EQ(std::string(row.array_symbol), std::string("vorn_") + row.short_name + "_n");
    const std::string symbol = row.symbol;
    const bool virial = symbol == std::string("__vorn_MOD_") + row.short_name;
    const bool plain = symbol == std::string("vorn_") + row.short_name || symbol == "temp_K";
    EXPECT_TRUE(virial || plain);
    EXPECT_EQ(row.scalar1 != nullptr, row.arity == 1);
    EXPECT_EQ(row.scalar2 != nullptr, row.arity == 2);
    EXPECT_EQ(row.scalar4 != nullptr, row.arity == 4);
    EXPECT_EQ(row.array1 != nullptr, row.arity == 1);
    EXPECT_EQ(row.array2 != nullptr, row.arity == 2);
    EXPECT_EQ(row.array4 != nullptr, row.arity == 4);
  }
}

}  // namespace
