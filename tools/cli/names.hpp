// Matching a name typed on the command line against the tool's names: an
// exact match first, then one ignoring case; a space, '-' and '_' are one
// ("speed of sound" is speed-of-sound).
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace vorn_cli {

inline char separator_as_dash(char c) { return c == ' ' || c == '_' ? '-' : c; }

inline bool equal_names(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return separator_as_dash(x) == separator_as_dash(y);
         });
}

inline bool equal_names_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) {
             return std::tolower(static_cast<unsigned char>(separator_as_dash(c)));
           };
           return lower(x) == lower(y);
         });
}

// Whether one of the comma-separated `aliases` equals `name`.
template <class Equal>
bool any_alias(std::string_view aliases, std::string_view name, Equal&& equal) {
  while (!aliases.empty()) {
    const auto at = aliases.find(',');
    if (equal(aliases.substr(0, at), name)) return true;
    if (at == std::string_view::npos) break;
    aliases.remove_prefix(at + 1);
  }
  return false;
}

// The names of `items`, `name(item)` each, joined by ", ": for messages.
template <class Items, class Name>
std::string joined_names(const Items& items, Name&& name) {
  std::string names;
  for (const auto& item : items) names += (names.empty() ? "" : ", ") + std::string(name(item));
  return names;
}

// The first item that `matches(item, equal)` with an exact `equal`, else the
// first with one ignoring case; null when none does.
template <class Items, class Matches>
auto find_named(const Items& items, Matches&& matches) -> decltype(&*items.begin()) {
  using Equal = bool (*)(std::string_view, std::string_view);
  for (const Equal equal : {Equal{equal_names}, Equal{equal_names_ignoring_case}}) {
    for (const auto& item : items) {
      if (matches(item, equal)) return &item;
    }
  }
  return nullptr;
}

}  // namespace vorn_cli
