#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"

namespace tessaly::cli {

// Exit statuses of tessaly-cli.
constexpr int kExitOk = 0;      // the command reached its end
constexpr int kExitFailed = 1;  // it ended on a failure (last line on standard error says which)
constexpr int kExitUsage = 2;   // bad arguments, or input the program refuses silently

// Runs tessaly-cli with its arguments (without the program name). Results go to
// out; messages, warnings and the failure go to err, one line each; in is the
// standard input that --function - reads (empty for the overload without it).
int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The text --help prints: the commands and what holds for all of them.
std::string usageText();

// The commands, in the order --help lists them, and the options each takes
// (none for a name that is not a command).
std::vector<std::string_view> commandNames();
std::vector<KnownOption> commandOptions(std::string_view command);

// The commands that draw (plot, save, report) need Qt, which the numerical
// commands never load: they run where they are set, the graphics program
// (tessaly-cli runs it in their place) and the tests.
using CommandRun = int (*)(const ParsedArgs&, std::ostream& out, std::ostream& err);
struct GraphicsCommands {
    CommandRun plot = nullptr;
    CommandRun save = nullptr;
    CommandRun report = nullptr;
};
void setGraphicsCommands(const GraphicsCommands& commands);
bool isGraphicsCommand(std::string_view name);

// Writes a usage error as two lines, "tessaly-cli: PROBLEM" and where to find
// help, and returns the exit status 2.
int usageError(std::ostream& err, const std::string& problem);

}  // namespace tessaly::cli
