#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tessaly::cli {

// Exit statuses of tessaly-cli.
constexpr int kExitOk = 0;      // the command reached its end
constexpr int kExitFailed = 1;  // it ended on a failure (last line on standard error says which)
constexpr int kExitUsage = 2;   // bad arguments, or input the program refuses silently

// Runs tessaly-cli with its arguments (without the program name). Results go to
// out; messages, warnings and the failure go to err, one line each.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage text printed by --help and after a usage error.
std::string usageText();

}  // namespace tessaly::cli
