// `vorn eval`: the states of a log (CSV), every requested property of each.
//
// The header names the inputs of one of the library's pairs (T and P, T and
// rho, P and h, ...) in any order, each with an optional unit in brackets or
// after a slash ("T [K]", "P (bar)", "pressure/Pa", "h [J/mol]"); where it
// names several pairs, the first in the library's order (T P first) is used.
// Every column of the log is passed through unchanged, the properties
// follow. A T or P cell may carry a unit of its own. Empty lines and lines
// starting with '#' are skipped; fields may be quoted as in RFC 4180, but not
// across lines. Rows are written as they are read (flushed at each row when
// the input is a pipe or a terminal); the first malformed line stops the run
// with exit status 2, after the rows before it.
#pragma once

#include <string>
#include <vector>

#include "table.hpp"

namespace vorn_cli {

// `input` is a path or "-" for standard input; `names` the properties asked
// for (every property of the family when empty). Returns the exit status.
int evaluate_file(const std::string& input, const std::vector<std::string>& names, const Options& options);

}  // namespace vorn_cli
