#pragma once

#include <ostream>
#include <vector>

#include "cli/options.h"

namespace tessaly::cli {

// tessaly-cli window --command NAME [plot options]: the four window fields'
// texts after the window button NAME, one per line (of the plot options only
// the window's limits count).
std::vector<KnownOption> windowOptions();
int runWindow(const ParsedArgs& args, std::ostream& out, std::ostream& err);

}  // namespace tessaly::cli
