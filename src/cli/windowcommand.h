#pragma once

#include <ostream>
#include <span>
#include <string>

namespace tessaly::cli {

// tessaly-cli window --command NAME [--window-lx T] [--window-gx T] [--window-ly T] [--window-gy T]:
// the four window fields' texts after the window button NAME, one per line.
int runWindow(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tessaly::cli
