#pragma once

#include <ostream>
#include <span>
#include <string>

namespace tessaly::cli {

// tessaly-cli window --command NAME [plot options]: the four window fields'
// texts after the window button NAME, one per line (of the plot options only
// the window's limits count).
int runWindow(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tessaly::cli
