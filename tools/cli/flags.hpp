// The flags of the tool's three families of results, by name and meaning: the
// correlations' state flags (the library's names and one-line descriptions,
// vorn_state_name and vorn_state_description over bits 0 to 31), the
// reference equation's (vorn_eos_facts.def; HE_II written he-ii) and those of
// the saturated liquid's fits. A flag the library adds needs no change here.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vorn_cli {

struct Flag {
  unsigned bit;
  std::string name, meaning;
  bool withholds;  // under it the result is NaN (the equation's and the fits' flags)
};

class FlagFamily {
 public:
  FlagFamily(std::string prefix, std::vector<Flag> flags);
  // The names of the flags set, lowest bit first.
  std::vector<std::string> names(unsigned flags) const;
  unsigned withholding() const { return withholding_; }
  // One line on stderr a flag set: "warning: <prefix><name>: <meaning>".
  void warn(unsigned flags) const;
  const std::vector<Flag>& all() const { return flags_; }
  const std::string& prefix() const { return prefix_; }

 private:
  std::string prefix_;
  std::vector<Flag> flags_;
  unsigned withholding_ = 0;
};

const FlagFamily& correlation_flags();
const FlagFamily& equation_flags();
const FlagFamily& liquid_flags();

// Counts of each flag of a family over a table (the flags of a row once),
// then one warning per flag met: "<name> at 3 of 10 points: <meaning>".
class FlagCounts {
 public:
  explicit FlagCounts(const FlagFamily& family) : family_(&family), counts_(family.all().size()) {}
  void add(unsigned flags);
  void warn(std::size_t points) const;
  const FlagFamily& family() const { return *family_; }

 private:
  const FlagFamily* family_;
  std::vector<std::size_t> counts_;
};

}  // namespace vorn_cli
