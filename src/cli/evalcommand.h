#pragma once

#include <ostream>
#include <span>
#include <string>

namespace tessaly::cli {

// tessaly-cli eval [--x X] [--statement "a=2.37"]... [--] EXPR
// Sets up an engine as a window does, runs the statements in order, sets x,
// evaluates EXPR and prints its value as number text.
int runEval(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tessaly::cli
