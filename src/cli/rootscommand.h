#pragma once

#include <ostream>
#include <span>
#include <string>

namespace tessaly::cli {

// tessaly-cli roots [study options]: the Roots command of the main window; prints
// the rows of the root list, then its label.
int runRoots(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tessaly::cli
