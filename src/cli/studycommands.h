#pragma once

#include <ostream>
#include <span>
#include <string>

namespace tessaly::cli {

// The numerical commands of the main window on a study given by options; each
// prints the rows of its list, then its label, as the window shows them.
int runRoots(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int runExtrema(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int runIntegral(std::span<const std::string> args, std::ostream& out, std::ostream& err);
// value [--x X] [--order K]: the Value= command (defaults "0" and "0").
int runValue(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tessaly::cli
