// `vorn eval`: measured states from CSV, every requested property of each.
//
// The input has a header line naming a temperature column (T, temperature)
// and a pressure column (P, pressure) in any order, each with an optional
// unit in brackets or after a slash ("T [K]", "P (bar)", "pressure/Pa");
// other columns are ignored. A cell may carry a unit of its own. Empty lines
// and lines starting with '#' are skipped; fields may be quoted as in RFC
// 4180, but not across lines. Rows are written as they are read (flushed at
// each row when the input is a pipe or a terminal); the first malformed line
// stops the run with exit status 2, after the rows before it.
#pragma once

#include <string>
#include <vector>

#include "properties.hpp"
#include "report.hpp"

namespace vorn_cli {

// `input` is a path or "-" for standard input.
void evaluate_file(const std::string& input, const std::vector<const Property*>& properties,
                   const Options& options);

}  // namespace vorn_cli
