// The shared library's dynamic symbol table, read from the built file itself,
// against the one reviewed list of exported names: nothing missing, nothing
// extra, routines as functions and module constants as 8-byte data.
#include <elf.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace {

struct Symbol {
  unsigned type;
  std::uint64_t size;
};

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::set<std::string> ReadExportList() {
  std::ifstream in(VORN_EXPORT_LIST);
  std::set<std::string> names;
  for (std::string line; std::getline(in, line);) {
    line.erase(std::remove_if(line.begin(), line.end(), [](unsigned char c) { return std::isspace(c); }),
               line.end());
    if (!line.empty() && line[0] != '#') names.insert(line);
  }
  return names;
}

template <typename T>
T Read(const std::string& image, std::uint64_t offset) {
  T value;
  std::memcpy(&value, image.data() + offset, sizeof value);
  return value;
}

// The defined global and weak symbols of .dynsym, by name (64-bit ELF only).
::testing::AssertionResult ReadDynamicSymbols(const std::string& image, std::map<std::string, Symbol>* out) {
  if (image.size() < sizeof(Elf64_Ehdr) || std::memcmp(image.data(), ELFMAG, SELFMAG) != 0)
    return ::testing::AssertionFailure() << "not an ELF file";
  if (static_cast<unsigned char>(image[EI_CLASS]) != ELFCLASS64)
    return ::testing::AssertionFailure() << "not a 64-bit ELF file";
  const auto header = Read<Elf64_Ehdr>(image, 0);
  for (unsigned i = 0; i < header.e_shnum; ++i) {
    const auto section = Read<Elf64_Shdr>(image, header.e_shoff + std::uint64_t{i} * header.e_shentsize);
    if (section.sh_type != SHT_DYNSYM) continue;
    const auto strings =
        Read<Elf64_Shdr>(image, header.e_shoff + std::uint64_t{section.sh_link} * header.e_shentsize);
    for (std::uint64_t k = 1; k < section.sh_size / section.sh_entsize; ++k) {
      const auto sym = Read<Elf64_Sym>(image, section.sh_offset + k * section.sh_entsize);
      const unsigned binding = ELF64_ST_BIND(sym.st_info);
      // (The linker also lists the version node, VORN_1, as an absolute symbol: a name, not an export.)
      if (sym.st_shndx == SHN_UNDEF || sym.st_shndx == SHN_ABS ||
          (binding != STB_GLOBAL && binding != STB_WEAK))
        continue;
      const std::string name(image.data() + strings.sh_offset + sym.st_name);
      (*out)[name] = Symbol{static_cast<unsigned>(ELF64_ST_TYPE(sym.st_info)), sym.st_size};
    }
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "no .dynsym section";
}

// The names the public header declares, and whether each is data.
std::map<std::string, bool> HeaderDeclarations() {
  std::string text;
  std::istringstream header(ReadFile(VORN_HEADER_PATH));
  for (std::string line; std::getline(header, line);)
    if (line.find_first_not_of(" \t") == std::string::npos || line[line.find_first_not_of(" \t")] != '#')
      text += line + '\n';  // preprocessor lines define VORN_API, they declare nothing
  text = std::regex_replace(text, std::regex(R"(/\*[\s\S]*?\*/)"), " ");
  const std::regex declaration(R"(VORN_API\s+([^;(#]*?)\b(\w+)\s*([(;]))");
  std::map<std::string, bool> names;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), declaration); it != std::sregex_iterator();
       ++it) {
    names[(*it)[2]] = (*it)[3] == ";";
  }
  return names;
}

TEST(ExportedSymbols, ListIsReadable) {
  const auto names = ReadExportList();
  // The 22 routines and 4 module constants at least; the list may grow.
  EXPECT_GE(names.size(), 26u);
  EXPECT_EQ(names.count("vorn_rho"), 1u);
  EXPECT_EQ(names.count("__vorn_MOD_r"), 1u);
}

TEST(ExportedSymbols, LibraryExportsExactlyTheList) {
  std::map<std::string, Symbol> symbols;
  ASSERT_TRUE(ReadDynamicSymbols(ReadFile(VORN_LIBRARY_PATH), &symbols)) << VORN_LIBRARY_PATH;
  const auto listed = ReadExportList();
  for (const std::string& name : listed)
    EXPECT_EQ(symbols.count(name), 1u) << "listed but not exported: " << name;
  for (const auto& entry : symbols)
    EXPECT_EQ(listed.count(entry.first), 1u) << "exported but not listed: " << entry.first;
}

// The header and the list name the same things, and each export is of the
// kind the header declares: routines as functions, module constants as
// 8-byte data.
TEST(ExportedSymbols, HeaderAndListAgree) {
  std::map<std::string, Symbol> symbols;
  ASSERT_TRUE(ReadDynamicSymbols(ReadFile(VORN_LIBRARY_PATH), &symbols));
  const auto declared = HeaderDeclarations();
  const auto listed = ReadExportList();
  for (const auto& entry : declared)
    EXPECT_EQ(listed.count(entry.first), 1u) << "declared but not listed: " << entry.first;
  for (const std::string& name : listed) {
    SCOPED_TRACE(name);
    const auto in_header = declared.find(name);
    ASSERT_TRUE(in_header != declared.end()) << "listed but not declared in vorn.h";
    const auto symbol = symbols.find(name);
    if (symbol == symbols.end()) continue;  // reported by LibraryExportsExactlyTheList
    if (in_header->second) {
      EXPECT_EQ(symbol->second.type, unsigned{STT_OBJECT});
      EXPECT_EQ(symbol->second.size, sizeof(double));
    } else {
      EXPECT_EQ(symbol->second.type, unsigned{STT_FUNC});
    }
  }
}

}  // namespace
