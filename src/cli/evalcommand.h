#pragma once

#include <ostream>
#include <vector>

#include "cli/options.h"

namespace tessaly::cli {

// tessaly-cli eval [--x X] [--statement "a=2.37"]... [--] EXPR
// Sets up an engine as a window does, runs the statements in order, sets x,
// evaluates EXPR and prints its value as number text.
std::vector<KnownOption> evalOptions();
int runEval(const ParsedArgs& args, std::ostream& out, std::ostream& err);

}  // namespace tessaly::cli
