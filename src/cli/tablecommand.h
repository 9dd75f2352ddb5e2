#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "cli/options.h"

namespace tessaly::cli {

// The most points a table has.
constexpr std::int32_t kMaxTablePoints = 100000;

// tessaly-cli table [--order K] [--points N | --step H] [--format F] [study options]:
// f or its derivative of order K, as Value= computes it, at N points of the
// study's interval [A, B] (both ends included; 11 by default) or from A towards
// B by steps of H. Each x is the number its text reads back as, so a line is
// what "value --x X" gives for its X. A line "x<TAB>value" each; where f cannot
// be evaluated (a failure the scans tolerate: 5, 6, 11) the value is "error N"
// and the table goes on; any other failure ends it (exit status 1).
std::vector<KnownOption> tableOptions();
int runTable(const ParsedArgs& args, std::ostream& out, std::ostream& err);

}  // namespace tessaly::cli
